#include "engine/EngineFixture.h"
#include "engine/ModMath.h"

#include <gtest/gtest.h>

using namespace wexel;
using namespace wexel::testing;

namespace {

struct Case {
    const char* text;
    const char* minText;
    bool result;
    const char* message; // "" = none
    const char* after;
    bool selected;
};

void runCases(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        RecordingMessageBox box;
        RecordingErrorReporter reporter;
        FakeField field(c.text);
        EXPECT_EQ(integerCheck(field, "", c.minText, true), c.result) << '"' << c.text << '"';
        EXPECT_EQ(field.text(), c.after) << c.text;
        if (*c.message) {
            ASSERT_EQ(box.shown.size(), 1u) << c.text;
            EXPECT_EQ(box.shown[0].prompt, c.message);
            EXPECT_EQ(box.shown[0].title, "Wexel Converter");
        } else {
            EXPECT_TRUE(box.shown.empty()) << c.text;
        }
        if (c.selected) {
            EXPECT_EQ(field.selStart, 0) << c.text;
            EXPECT_EQ(field.selLength, characterCount(field.text())) << c.text;
        }
    }
}

const char* const kNumeric = "Input must be numeric.";
const char* const kWhole = "Input must be a whole number. ";
const char* const kMin0 = "Minimum value allowed for input is 0.";

} // namespace

TEST(IntegerCheck, TableInEnglishLocale) {
    ScopedNumberLocale english(".", ",");
    runCases({
        {"", "0", true, "", "0", true},
        {"   ", "0", true, "", "0", true},
        {"12", "0", true, "", "12", false},
        {" 12 ", "0", true, "", " 12 ", false},
        {"12a", "0", false, kNumeric, "12a", true},
        {"-", "0", false, kNumeric, "-", true},
        {"1.5", "0", false, kWhole, "1.5", true},
        {"1,000", "0", false, kWhole, "1,000", true},
        {"5.", "0", false, kWhole, "5.", true},
        {"-3", "0", false, kMin0, "-3", true},
        {"1E3", "0", true, "", "1E3", false},
        {"+5", "0", true, "", "+5", false},
        {" 7", "0", true, "", " 7", false},
        {"-", "", true, "", "-", false},
        {"+", "", true, "", "+", false},
        {"-3", "", true, "", "-3", false},
        {"1.5", "", false, kWhole, "1.5", true},
        {"", "1", false, "Minimum value allowed for input is 1.", "0", true},
    });
}

TEST(IntegerCheck, TableInGermanLocale) {
    ScopedNumberLocale german(",", ".");
    runCases({
        {"12", "0", true, "", "12", false},
        {"1,5", "0", false, kWhole, "1,5", true},
        {"1.000", "0", false, kWhole, "1.000", true},
        {"1,000", "0", false, kWhole, "1,000", true},
        {"1E3", "0", true, "", "1E3", false},
        {"-", "0", false, kNumeric, "-", true},
        {"-3", "0", false, kMin0, "-3", true},
    });
}

TEST(IntegerCheck, OutOfRangeIsReportedThenRejected) {
    for (const char* minText : {"0", ""}) {
        RecordingMessageBox box;
        RecordingErrorReporter reporter;
        FakeField field("9E9");
        EXPECT_FALSE(integerCheck(field, "", minText, true));
        ASSERT_EQ(reporter.reports.size(), 1u);
        EXPECT_EQ(reporter.reports[0].location, "ModMath.integerCheck");
        EXPECT_EQ(reporter.reports[0].message, "");
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].prompt,
                  std::string("Minimum value allowed for input is ") + minText + ".");
        EXPECT_EQ(field.selLength, 3);
    }
}

TEST(IntegerCheck, SilentResetRestoresAndSelects) {
    RecordingMessageBox box;
    FakeField field("12a");
    EXPECT_FALSE(integerCheck(field, "0", "0", false));
    EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(field.selStart, 0);
    EXPECT_EQ(field.selLength, 1);
    EXPECT_TRUE(box.shown.empty());
}

TEST(IntegerCheck, WritingTheFieldNestsItsChangeHandler) {
    RecordingMessageBox box;
    FakeField field("");
    std::vector<std::string> seen;
    int depth = 0;
    field.onChange = [&] {
        ++depth;
        seen.push_back(field.text());
        // The window's change handler checks the field again, nested.
        EXPECT_TRUE(integerCheck(field, "", "0", true));
        --depth;
    };
    EXPECT_TRUE(integerCheck(field, "", "0", true));
    EXPECT_EQ(seen, std::vector<std::string>{"0"});
    EXPECT_EQ(field.writes, 1);
    EXPECT_EQ(depth, 0);
    EXPECT_TRUE(box.shown.empty());
}
