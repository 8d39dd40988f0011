#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace wexel;
using wexel::testing::ScopedNumberLocale;

namespace {

struct NumericCase {
    const char* text;
    bool numeric;
    double value;
};

void expectNumeric(const NumericCase& c) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(isNumeric(c.text), c.numeric);
    if (c.numeric) {
        EXPECT_DOUBLE_EQ(textToDouble(c.text), c.value);
    } else {
        EXPECT_THROW(textToDouble(c.text), RuntimeError);
    }
}

} // namespace

TEST(Numbers, NumericTestAndValueInEnglishLocale) {
    ScopedNumberLocale english(".", ",");
    const NumericCase cases[] = {
        {"12", true, 12},
        {" 12 ", true, 12},
        {"+5", true, 5},
        {"-3", true, -3},
        {"1.5", true, 1.5},
        {"1,000", true, 1000},
        {"1,000.25", true, 1000.25},
        {"1E3", true, 1000},
        {"2e-2", true, 0.02},
        {"5.", true, 5},
        {".5", true, 0.5},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"+", false, 0},
        {"12a", false, 0},
        {"1E", false, 0},
        {"1.2.3", false, 0},
        {"- 5", false, 0},
        {",5", false, 0},
        {"\t5", false, 0},
        {"1E400", false, 0},
        {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        expectNumeric(c);
    }
}

TEST(Numbers, NumericTestAndValueInGermanLocale) {
    ScopedNumberLocale german(",", ".");
    const NumericCase cases[] = {
        {"12", true, 12},    {"1,5", true, 1.5},  {"1.000", true, 1000}, {"1.000,5", true, 1000.5},
        {"1E3", true, 1000}, {"1,5.3", false, 0}, {"", false, 0},        {"-", false, 0},
    };
    for (const auto& c : cases) {
        expectNumeric(c);
    }
}

TEST(Numbers, TextToInt32RoundsHalfToEvenAndOverflows) {
    ScopedNumberLocale english(".", ",");
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {{"2.5", 2},
                 {"3.5", 4},
                 {"-2.5", -2},
                 {"1.4999", 1},
                 {"2147483647", 2147483647},
                 {"-2147483648", -2147483647 - 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(textToInt32(c.text), c.value) << c.text;
    }
    for (const char* text : {"2147483648", "9E9", "-2147483649"}) {
        try {
            textToInt32(text);
            ADD_FAILURE() << text << " did not overflow";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::Overflow)) << text;
        }
    }
    EXPECT_THROW(textToInt32("abc"), RuntimeError);
    EXPECT_THROW(roundToInt32(std::nan("")), RuntimeError);
    EXPECT_THROW(roundToInt32(std::numeric_limits<double>::infinity()), RuntimeError);
}

TEST(Numbers, LeadingNumberReadingIgnoresLocale) {
    ScopedNumberLocale german(",", ".");
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12", 12},    {" 1 2 ", 12},  {"1.5", 1.5},   {"1,5", 1},    {"-2.5", -2.5},
        {"+7", 7},     {"", 0},        {"abc", 0},     {"-", 0},      {"3abc", 3},
        {"1E3", 1000}, {"1D2", 100},   {"2e", 2},      {"&H1F", 31},  {"&O17", 15},
        {"&Hzz", 0},   {"\t4\n2", 42}, {"1.2.3", 1.2}, {"1E-400", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(readLeadingNumber(c.text), c.value) << c.text;
    }
    try {
        readLeadingNumber("1E400");
        ADD_FAILURE() << "1E400 did not overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::Overflow));
    }
}

TEST(Numbers, RoundingToNineDecimals) {
    const struct {
        double x, rounded;
    } cases[] = {{12.9999999996, 13},         {2.9999999999, 3},   {6.75, 6.75},
                 {0.1234567894, 0.123456789}, {-1.0000000004, -1}, {1e20, 1e20}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(roundDecimals(c.x, 9), c.rounded) << c.x;
    }
}

TEST(Numbers, NumberToTextGeneralForm) {
    const struct {
        double x;
        const char* english;
        const char* german;
    } cases[] = {
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {7, "7", "7"},
        {-3, "-3", "-3"},
        {2.5, "2.5", "2,5"},
        {6.75, "6.75", "6,75"},
        {0.125, "0.125", "0,125"},
        {7.000000000000001, "7", "7"},
        {1234567890, "1234567890", "1234567890"},
        {999999999999999, "999999999999999", "999999999999999"},
        {1e15, "1E+15", "1E+15"},
        {1.5e16, "1.5E+16", "1,5E+16"},
        {0.00001, "1E-05", "1E-05"},
    };
    for (const auto& c : cases) {
        {
            ScopedNumberLocale english(".", ",");
            EXPECT_EQ(numberToText(c.x), c.english);
        }
        {
            ScopedNumberLocale german(",", ".");
            EXPECT_EQ(numberToText(c.x), c.german);
        }
    }
}
