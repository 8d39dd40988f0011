#pragma once
// Random calculator inputs and tier tables, as a user and a data maintainer
// might produce them, for comparing wexel-calc with the window.

#include "engine/Calculators.h"

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace wexel::testing {

struct CalculatorShape {
    const char* command;
    std::vector<PanelField> inputs; // in argument order
    std::vector<PanelLabel> labels;
    bool firstMayBeNegative;
};

const CalculatorShape kCalculators[] = {
    {"to-wx", {FieldCalc1Capacity}, {LabelCalc1Wexels}, false},
    {"to-capacity", {FieldCalc2Wexels}, {LabelCalc2Capacity}, false},
    {"add-wx", {FieldCalc3Wexels, FieldCalc3Capacity}, {LabelCalc3Capacity}, false},
    {"add-capacity",
     {FieldCalc4Added, FieldCalc4Existing},
     {LabelCalc4Wexels, LabelCalc4Capacity},
     true},
    {"add-to-wx",
     {FieldCalc5Added, FieldCalc5Wexels},
     {LabelCalc5Wexels, LabelCalc5Capacity},
     true},
};

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // An input as a user might type it into a field that takes at most
    // `maxLength` characters: mostly whole numbers, sometimes not.
    std::string input(bool negativeAllowed, std::size_t maxLength) {
        std::string text;
        do {
            text = anyInput(negativeAllowed);
        } while (text.size() > maxLength);
        return text;
    }
    std::string anyInput(bool negativeAllowed) {
        static const char* const odd[] = {"",    " ",   "-",   "+",  "1.5", "1,000", "abc", " 12",
                                          "007", "1E3", "9E9", "+5", "12a", "-0",    "5.",  "0"};
        if (chance(25)) {
            return odd[between(0, std::size(odd) - 1)];
        }
        int limit = chance(70) ? 2000 : 99'999'999;
        int value = between(0, limit);
        if ((negativeAllowed && chance(30)) || chance(5)) {
            value = -value;
        }
        return std::to_string(value);
    }

    // A tier table: ascending lowest capacities from 1 (mostly), common slopes,
    // now and then a slope of 0 (which the inverse walk cannot divide by).
    std::string tiers(const std::string& code) {
        static const char* const slopes[] = {"1.0",  "0.7", "0.45",  "0.25", "0.125",
                                             "0.07", "2.5", "0.333", "1.2",  "0.01"};
        std::string text;
        int low = chance(80) ? 1 : between(0, 20);
        const int count = between(1, 8);
        for (int i = 0; i < count; ++i) {
            const int next = low + between(1, chance(50) ? 20 : 5000);
            const std::string slope = chance(3) ? "0" : slopes[between(0, std::size(slopes) - 1)];
            text += code + "," + std::to_string(low) + "," + std::to_string(next - 1) + ",," +
                    slope + "\r\n";
            low = next;
        }
        return text;
    }

private:
    std::mt19937 engine_;
};

inline unsigned seedFromEnvironment() {
    const char* text = std::getenv("WEXEL_TEST_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 20240611u;
}

} // namespace wexel::testing
