// The arithmetic and its whole-number rules: the tier walks, the incremental
// conversions, the input check and the five calculators, through an
// in-memory unit panel wired as the window wires its own.
#include "engine/ModMath.h"
#include "engine/MemoryPanel.h"
#include "engine/Working.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

using namespace wexel;
using wexel::testing::kExample;
using wexel::testing::ScopedTable;

namespace {

const NumberLocale kEnglish{".", ","};

// The example table, one with a band edge at every power of ten, tiny, huge
// and odd slopes, and one whose first tier is free.
ScopedTable tables() {
    return ScopedTable({{"Example", kExample},
                        {"Decades", {{1, 1.0}, {10, 0.5}, {100, 0.25}, {1000, 0.125}}},
                        {"Seven", {{1, 0.07}}},
                        {"Half", {{1, 2.5}}},
                        {"Tiny", {{1, 1e-9}}},
                        {"Huge", {{1, 1e300}}},
                        {"Zero", {{1, 0.0}, {10, 1.0}}}});
}

} // namespace

TEST(ModMath, TierWalks) {
    const ScopedNumberLocale english(kEnglish);
    const ScopedTable table = tables();
    const struct {
        const char* name;
        const char* amount;
        double wexels;
    } toWexels[] = {
        {"Example", "12", 6.75},     {"Example", "3", 3},
        {"Example", "5", 4},         {"Example", "3.5", 3.5},
        {"Example", "0", 0},         {"Example", "-5", 0},
        {"Example", "abc", 0},       {"Example", "", 0},
        {"Nowhere", "12", 0},        {"Decades", "9", 9},
        {"Decades", "10", 9.5},      {"Decades", "11", 10},
        {"Decades", "99", 54},       {"Decades", "100", 54.25},
        {"Decades", "1001", 279.25}, {"Seven", "100", 7.000000000000001},
    };
    for (const auto& c : toWexels) {
        EXPECT_EQ(MSU2WX(c.amount, c.name), c.wexels) << c.name << " " << c.amount;
    }
    const struct {
        const char* name;
        const char* wexels;
        const char* start;
        double capacity;
    } toCapacity[] = {
        {"Example", "7", "0", 13},        {"Example", "2", "5", 9},
        {"Example", "1", "0", 1},         {"Example", "0", "4", 4},
        {"Example", "-3", "4", 4},        {"Example", "1", "12", 16},
        {"Example", "1", "x", 0},         {"Nowhere", "5", "3", 3},
        {"Decades", "279.25", "0", 1001}, {"Seven", "0.21", "0", 3},
        {"Half", "4", "0", 1.6},          {"Example", "0", "2.9999996", 2.9999996},
    };
    for (const auto& c : toCapacity) {
        std::string wexels = c.wexels;
        std::string start = c.start;
        EXPECT_EQ(WX2MSU(wexels, c.name, start), c.capacity) << c.name << " " << c.wexels;
    }
    std::string empty;
    std::string start = "5";
    EXPECT_EQ(WX2MSU(empty, "Example", start), 5);
    EXPECT_EQ(empty, "0"); // written into the caller's text
}

TEST(ModMath, AFailedWalkIsReportedOnceAndGivesZero) {
    const ScopedTable table = tables();
    const std::tuple<std::function<double()>, const char*, const char*> cases[] = {
        {[] { return WX2MSU("7", "Zero", "0"); }, "11", "ModMath.WX2MSU"}, // slope 0 reached
        {[] { return MSU2WX("1E10", "Huge"); }, "6", "ModMath.MSU2WX"}, // beyond the double range
    };
    for (const auto& [walk, number, location] : cases) {
        const Capture capture;
        EXPECT_EQ(walk(), 0);
        ASSERT_EQ(capture.shown.size(), 1u) << location;
        EXPECT_EQ(capture.shown[0].number, number);
        EXPECT_EQ(capture.shown[0].location, location);
        EXPECT_EQ(capture.shown[0].message, "Returning a result of zero.");
    }
    // Its working explains nothing and reports nothing more: the calculation did.
    const Capture capture;
    EXPECT_TRUE(explainToCapacity("7", "Zero").empty());
    EXPECT_TRUE(explainToWexels("abc", "Example").empty());
    EXPECT_TRUE(capture.shown.empty());
}

TEST(ModMath, IncrementalConversions) {
    const ScopedNumberLocale english(kEnglish);
    const ScopedTable table = tables();
    const std::tuple<const char*, const char*, const char*> deltas[] = {
        {"5", "7", "3"}, {"12", "-7", "-3"}, {"5", "", "0"}, {"5", "-", "0"}, {"5", "+", "0"}};
    for (const auto& [base, delta, wexels] : deltas) {
        EXPECT_EQ(MSUDeltaAsWX(base, delta, "Example"), wexels) << base << " " << delta;
    }
    const std::tuple<const char*, const char*, const char*> totals[] = {
        {"5", "2", "9"},     {"12", "1", "17"}, {"12", "0", "12"}, {"0", "0", "0"},
        {"007", "0", "007"}, {"", "7", "13"},   {" ", "-", "0"}};
    for (const auto& [capacity, wexels, total] : totals) {
        std::string c = capacity;
        std::string w = wexels;
        EXPECT_EQ(MSUFromMSUPlusWX(c, w, "Example"), total) << capacity << " " << wexels;
    }
    // An entitlement never falls below what is entitled already.
    EXPECT_EQ(totalWXEntitlement({.entitledWX = "10", .currentMSU = "-20"}, "Example"), 10);

    const std::tuple<std::string, std::string, std::string> blanks[] = {
        {"", "0", ""},     {"   ", "0", ""},       {"-", "0", "-"},
        {" + ", "0", "+"}, {" 12 ", " 12 ", "12"}, {"12a", "12a", "12a"}};
    for (const auto& [text, result, trimmed] : blanks) {
        std::string value = text;
        EXPECT_EQ(zeroIfBlank(value), result) << "\"" << text << "\"";
        EXPECT_EQ(value, trimmed);
    }

    // Wexels beyond the 32-bit range: reported, and the result is zero.
    const Capture capture;
    EXPECT_EQ(MSUDeltaAsWX("0", "99999999", "Huge"), "0");
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(capture.shown[0].location, "ModMath.MSUDeltaAsWX");
    EXPECT_EQ(capture.shown[0].number, "6");
}

TEST(ModMath, IntegerCheck) {
    const NumberLocale german{",", "."};
    const NumberLocale swiss{".", "'"};
    const struct {
        NumberLocale locale;
        const char* text;
        const char* restore;
        const char* min;
        bool show;
        bool accepted;
        const char* message;
        const char* after;
        int selected; // characters selected from 0; -1: the selection was not touched
    } cases[] = {
        {kEnglish, "", "", "0", true, true, "", "0", 1},
        {kEnglish, "   ", "", "0", true, true, "", "0", 1},
        {kEnglish, "12", "", "0", true, true, "", "12", -1},
        {kEnglish, " 12 ", "", "0", true, true, "", " 12 ", -1},
        {kEnglish, "+5", "", "0", true, true, "", "+5", -1},
        {kEnglish, "1E3", "", "0", true, true, "", "1E3", -1},
        {kEnglish, "12a", "", "0", true, false, "Input must be numeric.", "12a", 3},
        {kEnglish, "-", "", "0", true, false, "Input must be numeric.", "-", 1},
        {kEnglish, "1.5", "", "0", true, false, "Input must be a whole number. ", "1.5", 3},
        {kEnglish, "5.", "", "0", true, false, "Input must be a whole number. ", "5.", 2},
        {kEnglish, "1,000", "", "0", true, false, "Input must be a whole number. ", "1,000", 5},
        {kEnglish, "-3", "", "0", true, false, "Minimum value allowed for input is 0.", "-3", 2},
        {kEnglish, "-", "", "", true, true, "", "-", -1},
        {kEnglish, " + ", "", "", true, true, "", " + ", -1},
        {kEnglish, "-3", "", "", true, true, "", "-3", -1},
        {kEnglish, "1.5", "", "", true, false, "Input must be a whole number. ", "1.5", 3},
        {kEnglish, "", "", "1", true, false, "Minimum value allowed for input is 1.", "0", 1},
        {kEnglish, "abc", "0", "0", false, false, "", "0", 1},
        {kEnglish, "9E9", "", "0", true, false, "Minimum value allowed for input is 0.", "9E9", 3},
        {kEnglish, "9E9", "", "", true, false, "Minimum value allowed for input is .", "9E9", 3},
        {german, "1,5", "", "0", true, false, "Input must be a whole number. ", "1,5", 3},
        {german, "1.000", "", "0", true, false, "Input must be a whole number. ", "1.000", 5},
        {swiss, "1'000", "", "0", true, true, "", "1'000", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" min \"" + c.min + "\"");
        const ScopedNumberLocale locale(c.locale);
        MemoryPanel panel("Example"); // calculation off: no handler runs
        panel.preset(FieldCalc1Capacity, c.text);
        const Capture capture;
        EXPECT_EQ(integerCheck(panel.field(FieldCalc1Capacity), c.restore, c.min, c.show),
                  c.accepted);
        std::string messages;
        for (const Capture::Shown& s : capture.shown) {
            if (!s.isError) {
                messages += s.message;
                EXPECT_EQ(s.title, "Wexel Converter");
            } else {
                EXPECT_EQ(s.location, "ModMath.integerCheck"); // out of the 32-bit range
            }
        }
        EXPECT_EQ(messages, c.message);
        EXPECT_EQ(panel.text(FieldCalc1Capacity), c.after);
        EXPECT_EQ(panel.field(FieldCalc1Capacity).selectionLength, c.selected);
        if (c.selected >= 0) {
            EXPECT_EQ(panel.field(FieldCalc1Capacity).selectionStart, 0);
        }
    }
}

TEST(ModMath, Calculators) {
    const ScopedTable table = tables();
    const NumberLocale swiss{".", "'"};
    const PanelField none = PanelFieldCount;
    const struct {
        NumberLocale locale;
        const char* table;
        PanelField field;
        const char* text;
        PanelField other;
        const char* otherText;
        const char* results; // the calculator's labels, "|" between two
        const char* shown;   // messages and error locations, in order
    } cases[] = {
        {kEnglish, "Example", FieldCalc1Capacity, "12", none, "", "7", ""},
        {kEnglish, "Example", FieldCalc2Wexels, "7", none, "", "13", ""},
        {kEnglish, "Example", FieldCalc3Wexels, "2", FieldCalc3Capacity, "5", "9", ""},
        {kEnglish, "Example", FieldCalc3Wexels, "0", FieldCalc3Capacity, " 5", " 5", ""},
        {kEnglish, "Example", FieldCalc3Capacity, "007", FieldCalc3Wexels, "0", "007", ""},
        {kEnglish, "Example", FieldCalc4Added, "7", FieldCalc4Existing, "5", "3|13", ""},
        {kEnglish, "Example", FieldCalc4Existing, "12", FieldCalc4Added, "-7", "-3|5", ""},
        {kEnglish, "Example", FieldCalc4Added, "-20", FieldCalc4Existing, "5", "-4|0", ""},
        {kEnglish, "Example", FieldCalc4Added, "-", FieldCalc4Existing, "5", "0|5", ""},
        {kEnglish, "Example", FieldCalc5Added, "7", FieldCalc5Wexels, "4", "3|13", ""},
        {kEnglish, "Example", FieldCalc5Wexels, "4", FieldCalc5Added, "0", "0|5", ""},
        {kEnglish, "Example", FieldCalc5Added, "-10", FieldCalc5Wexels, "4", "-4|0", ""},
        {kEnglish, "Example", FieldCalc1Capacity, "-", none, "", "ERR", "Input must be numeric."},
        {kEnglish, "Example", FieldCalc2Wexels, "1.5", none, "", "ERR",
         "Input must be a whole number. "},
        {kEnglish, "Example", FieldCalc1Capacity, "", none, "", "0", ""},
        {kEnglish, "Example", FieldCalc4Added, "5", FieldCalc4Existing, "-1", "ERR|ERR",
         "Minimum value allowed for input is 0."},
        {kEnglish, "Seven", FieldCalc1Capacity, "100", none, "", "8", ""},
        {kEnglish, "Seven", FieldCalc2Wexels, "1", none, "", "14", ""},
        {kEnglish, "Half", FieldCalc5Added, "0", FieldCalc5Wexels, "4", "0|1", ""},
        {kEnglish, "Nowhere", FieldCalc1Capacity, "12", none, "", "0", ""},
        {kEnglish, "Nowhere", FieldCalc2Wexels, "7", none, "", "0", ""},
        {kEnglish, "Tiny", FieldCalc5Added, "1", FieldCalc5Wexels, "999999", "ERR|ERR",
         "frmQconverter.calcWXPlusMSUToWXandMSU"},
        {kEnglish, "Zero", FieldCalc4Added, "0", FieldCalc4Existing, "20", "0|0", "ModMath.WX2MSU"},
        {swiss, "Example", FieldCalc4Added, "0", FieldCalc4Existing, "1'000", "-253|1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " \"" + c.text + "\", \"" + c.otherText + "\"");
        const ScopedNumberLocale locale(c.locale);
        MemoryPanel panel(c.table);
        panel.chooseConversion();
        const Capture capture;
        if (c.other != none) {
            panel.preset(c.other, c.otherText);
        }
        panel.preset(c.field, c.text);
        panel.change(c.field);
        std::string results;
        for (const CalculatorResult& result : calculatorOf(c.field).results) {
            results += (results.empty() ? "" : "|") + panel.caption(result.label);
        }
        EXPECT_EQ(results, c.results);
        std::string shown;
        for (const Capture::Shown& s : capture.shown) {
            shown += s.isError ? s.location : s.message;
        }
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(ModMath, PropertiesOverRandomTables) {
    const ScopedNumberLocale english(kEnglish);
    std::mt19937 random(20261207);
    for (int t = 0; t < 40; ++t) {
        ScopedTable::Tiers tiers{{1, 0}};
        std::uniform_int_distribution<int> gap(1, 200), sixtyFourths(1, 256);
        for (int i = 0, count = 1 + t % 8; i < count; ++i) {
            if (i > 0) {
                tiers.push_back({tiers.back().first + gap(random), 0});
            }
            tiers.back().second = sixtyFourths(random) / 64.0; // exact in binary
        }
        const ScopedTable table({{"Random", tiers}});
        double before = 0;
        for (int n = 0; n <= 1500; n += 1 + n / 50) {
            const double wexels = MSU2WX(std::to_string(n), "Random");
            EXPECT_GE(wexels, before) << "table " << t << ", " << n;
            before = wexels;
            // Spending what a capacity requires buys that capacity back.
            EXPECT_EQ(WX2MSU(numberToText(wexels), "Random", "0"), n) << "table " << t;
            const std::vector<std::string> working = explainToWexels(std::to_string(n), "Random");
            EXPECT_EQ(working.back().rfind("Required: " + numberToText(wexels) + " WX", 0), 0u);
        }
    }
}

// The working is the calculation's own record: over random tables, each
// calculator's working adds up, and ends on the results its labels show.
TEST(ModMath, TheWorkingAddsUpToTheResults) {
    const ScopedNumberLocale english(kEnglish);
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> gap(1, 300), sixtyFourths(1, 512), input(-50, 2000);
    for (int t = 0; t < 30; ++t) {
        ScopedTable::Tiers tiers;
        for (int i = 0, min = 1; i < 1 + t % 6; ++i, min += gap(random)) {
            tiers.push_back({min, sixtyFourths(random) / 64.0});
        }
        const ScopedTable table({{"Random", tiers}});
        MemoryPanel panel("Random");
        panel.chooseConversion();
        for (int n = 0; n < 40; ++n) {
            const CalculatorDescription& c = calculator(1 + n % 5);
            for (const CalculatorInput& field : c.inputs) {
                const int value = input(random);
                const bool mayBeNegative =
                    field.field == FieldCalc4Added || field.field == FieldCalc5Added;
                panel.preset(field.field, std::to_string(mayBeNegative ? value : std::abs(value)));
            }
            panel.change(c.inputs.front().field);
            const std::vector<std::string> working =
                explainCalculator(c.number, panel.panel(), "Random");
            const std::string& last = panel.caption(c.results.back().label);
            SCOPED_TRACE("table " + std::to_string(t) + ", calculator " + std::to_string(c.number));
            ASSERT_FALSE(working.empty());
            // The last line gives the last result: "..., rounded down to 13",
            // "the total is the existing 5", "a total of 0", "covers no capacity".
            std::string end = working.back();
            if (end.ends_with(" WX")) {
                end.resize(end.size() - 3);
            }
            if (end.find("covers no capacity") != std::string::npos ||
                end.find("no additional Wexels") != std::string::npos) {
                EXPECT_TRUE(last == "0" || c.number == 5) << end;
            } else {
                EXPECT_EQ(end.substr(end.rfind(' ') + 1), last) << working.back();
            }
            // "Additional: 10 - 7 = 3 WX" subtracts right and is the first result.
            for (const std::string& line : working) {
                double a = 0, b = 0, sum = 0;
                char op = 0;
                if (std::sscanf(line.c_str(), "Additional: %lf - %lf = %lf", &a, &b, &sum) == 3) {
                    EXPECT_EQ(a - b, sum) << line;
                    EXPECT_EQ(numberToText(sum), panel.caption(c.results.front().label));
                } else if (std::sscanf(line.c_str(), "Entitlement: %lf %c %lf added = %lf", &a, &op,
                                       &b, &sum) == 4) {
                    EXPECT_EQ(a + b, sum) << line;
                }
            }
        }
    }
}
