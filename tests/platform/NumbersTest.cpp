// The number rules: what a user may type (locale-aware), how the data files'
// numbers are read (whatever the locale), rounding, and numbers as text.
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace wexel;

namespace {

const NumberLocale kEnglish{".", ","};
const NumberLocale kGerman{",", "."};
const NumberLocale kSwiss{".", "'"};

struct Typed {
    NumberLocale locale;
    const char* text;
    bool numeric;
    double value;
};

const Typed kTyped[] = {
    {kEnglish, "12", true, 12},         {kEnglish, " 12 ", true, 12},
    {kEnglish, "+5", true, 5},          {kEnglish, "-3", true, -3},
    {kEnglish, "1.5", true, 1.5},       {kEnglish, "1,000", true, 1000},
    {kEnglish, "1E3", true, 1000},      {kEnglish, "2e-2", true, 0.02},
    {kEnglish, ".5", true, 0.5},        {kEnglish, "", false, 0},
    {kEnglish, "   ", false, 0},        {kEnglish, "-", false, 0},
    {kEnglish, "12a", false, 0},        {kEnglish, "1E", false, 0},
    {kEnglish, "1.2.3", false, 0},      {kEnglish, "- 5", false, 0},
    {kEnglish, ",5", false, 0},         {kEnglish, "\t5", false, 0},
    {kEnglish, "1E400", false, 0},      {kEnglish, "1E-400", true, 0},
    {kEnglish, "0x10", false, 0},       {kGerman, "1,5", true, 1.5},
    {kGerman, "1.000,5", true, 1000.5}, {kGerman, "1,5.3", false, 0},
    {kSwiss, "1'000", true, 1000},      {kSwiss, "1,000", false, 0},
};

} // namespace

TEST(Numbers, WhatAUserTypes) {
    for (const Typed& c : kTyped) {
        const ScopedNumberLocale locale(c.locale);
        SCOPED_TRACE(std::string("\"") + c.text + "\" with group separator " +
                     c.locale.groupSeparator);
        EXPECT_EQ(isNumeric(c.text), c.numeric);
        if (c.numeric) {
            EXPECT_DOUBLE_EQ(textToDouble(c.text), c.value);
        } else {
            EXPECT_THROW(textToDouble(c.text), RuntimeError);
        }
    }
}

TEST(Numbers, WholeNumbersRoundHalfToEvenAndStayIn32Bits) {
    const ScopedNumberLocale english(kEnglish);
    const std::pair<const char*, std::int32_t> rounded[] = {{"2.5", 2},
                                                            {"3.5", 4},
                                                            {"-2.5", -2},
                                                            {"1.4999", 1},
                                                            {"-2147483648", INT32_MIN},
                                                            {"2147483647", INT32_MAX}};
    for (const auto& [text, value] : rounded) {
        EXPECT_EQ(textToInt32(text), value) << text;
    }
    for (const char* text : {"2147483648", "9E9", "-2147483649"}) {
        try {
            textToInt32(text);
            ADD_FAILURE() << text << " did not overflow";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::Overflow)) << text;
        }
    }
    EXPECT_THROW(roundToInt32(std::nan("")), RuntimeError);
    EXPECT_EQ(checkedInt32(std::int64_t{INT32_MAX}), INT32_MAX);
    EXPECT_THROW(checkedInt32(std::int64_t{INT32_MAX} + 1), RuntimeError);
}

TEST(Numbers, DataFileNumbersIgnoreTheLocale) {
    const ScopedNumberLocale german(kGerman);
    const std::pair<const char*, double> cases[] = {
        {" 1 2 ", 12}, {"1.5", 1.5},   {"1,5", 1},     {"-2.5", -2.5}, {"", 0},      {"abc", 0},
        {"-", 0},      {"3abc", 3},    {"1D2", 100},   {"2e", 2},      {"&H1F", 31}, {"&o17", 15},
        {"&Hzz", 0},   {"\t4\n2", 42}, {"1.2.3", 1.2}, {"1E-400", 0},  {"&", 0},     {"+7", 7}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(readLeadingNumber(text), value) << text;
    }
    EXPECT_THROW(readLeadingNumber("1E400"), RuntimeError);
    // Exponents at the edge of 64 bits: too large, or nothing, never wrapped.
    for (const char* huge :
         {"1E99999999999999999999", "10E9223372036854775807", "0.1E9223372036854775807"}) {
        EXPECT_THROW(readLeadingNumber(huge), RuntimeError) << huge;
    }
    EXPECT_EQ(readLeadingNumber("10E-9223372036854775808"), 0.0);
}

TEST(Numbers, NumbersAsText) {
    const struct {
        double x;
        const char* english;
        const char* german;
    } cases[] = {
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {-3, "-3", "-3"},
        {2.5, "2.5", "2,5"},
        {7.000000000000001, "7", "7"},
        {999999999999999, "999999999999999", "999999999999999"},
        {1e15, "1E+15", "1E+15"},
        {1.5e16, "1.5E+16", "1,5E+16"},
        {0.00001, "1E-05", "1E-05"},
        {-std::numeric_limits<double>::max(), "-1.79769313486232E+308", "-1,79769313486232E+308"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((ScopedNumberLocale(kEnglish), numberToText(c.x)), c.english);
        EXPECT_EQ((ScopedNumberLocale(kGerman), numberToText(c.x)), c.german);
    }
    const std::pair<double, double> cleaned[] = {
        {12.9999999996, 13}, {2.9999999999, 3}, {0.1234567894, 0.123456789}, {1e20, 1e20}};
    for (const auto& [x, result] : cleaned) {
        EXPECT_DOUBLE_EQ(roundDecimals(x, 9), result) << x;
    }
}
