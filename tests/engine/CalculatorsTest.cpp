#include "engine/Calculators.h"
#include "engine/EngineFixture.h"
#include "engine/Working.h"
#include "tiers/TierList.h"

#include <gtest/gtest.h>

using namespace wexel;
using namespace wexel::testing;

namespace {

class FakeLabel : public ResultLabel {
public:
    void setCaption(const std::string& caption) override { text = caption; }
    std::string text = "0";
};

// One unit panel of fake fields and labels, driven by the window's change handler.
struct FakePanel {
    std::array<FakeField, PanelFieldCount> fields;
    std::array<FakeLabel, PanelLabelCount> labels;
    Panel panel;
    std::string name = "Example";
    FakePanel() {
        for (int i = 0; i < PanelFieldCount; ++i) {
            panel.fields[i] = &fields[i];
            fields[i].onChange = [this, i] {
                panelFieldChanged(panel, static_cast<PanelField>(i), name);
            };
        }
        for (int i = 0; i < PanelLabelCount; ++i) {
            panel.labels[i] = &labels[i];
        }
    }
    void type(PanelField f, const std::string& text) {
        fields[f].type(text);
        panelFieldChanged(panel, f, name);
    }
    std::string label(PanelLabel l) const { return labels[l].text; }
};

class Calculators : public ::testing::Test {
protected:
    ScopedTable table{{{"Example", kExample}, {"Tiny", {{1, 0.07}}}}};
    RecordingMessageBox box;
    RecordingErrorReporter reporter;
    FakePanel p;
};

} // namespace

TEST_F(Calculators, WorkedExamples) {
    const struct {
        PanelField first;
        const char* a;
        PanelField second;
        const char* b;
        PanelLabel out1;
        const char* r1;
        PanelLabel out2;
        const char* r2;
    } cases[] = {
        {FieldCalc1Capacity, "12", FieldCalc1Capacity, "12", LabelCalc1Wexels, "7",
         LabelCalc1Wexels, "7"},
        {FieldCalc2Wexels, "7", FieldCalc2Wexels, "7", LabelCalc2Capacity, "13", LabelCalc2Capacity,
         "13"},
        {FieldCalc3Capacity, "5", FieldCalc3Wexels, "2", LabelCalc3Capacity, "9",
         LabelCalc3Capacity, "9"},
        {FieldCalc4Existing, "5", FieldCalc4Added, "7", LabelCalc4Wexels, "3", LabelCalc4Capacity,
         "13"},
        {FieldCalc4Existing, "12", FieldCalc4Added, "-7", LabelCalc4Wexels, "-3",
         LabelCalc4Capacity, "5"},
        {FieldCalc5Wexels, "4", FieldCalc5Added, "7", LabelCalc5Wexels, "3", LabelCalc5Capacity,
         "13"},
        {FieldCalc5Wexels, "4", FieldCalc5Added, "0", LabelCalc5Wexels, "0", LabelCalc5Capacity,
         "5"},
        {FieldCalc5Wexels, "4", FieldCalc5Added, "-10", LabelCalc5Wexels, "-4", LabelCalc5Capacity,
         "0"},
        {FieldCalc3Wexels, "0", FieldCalc3Capacity, " 5", LabelCalc3Capacity, " 5",
         LabelCalc3Capacity, " 5"},
        {FieldCalc4Existing, "5", FieldCalc4Added, "-", LabelCalc4Wexels, "0", LabelCalc4Capacity,
         "5"},
        {FieldCalc4Existing, "3", FieldCalc4Added, "-9", LabelCalc4Wexels, "-3", LabelCalc4Capacity,
         "0"},
    };
    for (const auto& c : cases) {
        FakePanel panel;
        panel.type(c.first, c.a);
        panel.type(c.second, c.b);
        EXPECT_EQ(panel.label(c.out1), c.r1) << c.a << " / " << c.b;
        EXPECT_EQ(panel.label(c.out2), c.r2) << c.a << " / " << c.b;
    }
    EXPECT_TRUE(box.shown.empty());
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Calculators, RejectedInputShowsErrAndFocusesTheFirstBadField) {
    p.type(FieldCalc1Capacity, "-");
    EXPECT_EQ(p.label(LabelCalc1Wexels), "ERR");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].prompt, "Input must be numeric.");

    box.shown.clear();
    p.fields[FieldCalc3Capacity].type("x");
    p.type(FieldCalc3Wexels, "y");
    EXPECT_EQ(p.fields[FieldCalc3Wexels].focused, 1);
    EXPECT_EQ(p.fields[FieldCalc3Capacity].focused, 0);
    p.type(FieldCalc3Capacity, "x");
    EXPECT_EQ(p.fields[FieldCalc3Capacity].focused, 1);
    EXPECT_EQ(p.label(LabelCalc3Capacity), "ERR");

    box.shown.clear();
    p.fields[FieldCalc5Added].type("a");
    p.type(FieldCalc5Wexels, "b");
    EXPECT_EQ(p.fields[FieldCalc5Added].focused, 1);
    EXPECT_EQ(p.fields[FieldCalc5Wexels].focused, 0);
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(p.label(LabelCalc5Wexels), "ERR");
    EXPECT_EQ(p.label(LabelCalc5Capacity), "ERR");
}

TEST_F(Calculators, EmptyFieldBecomesZeroThroughTheNestedHandler) {
    p.type(FieldCalc1Capacity, "12");
    p.type(FieldCalc1Capacity, "");
    EXPECT_EQ(p.fields[FieldCalc1Capacity].text(), "0");
    EXPECT_EQ(p.label(LabelCalc1Wexels), "0");
    EXPECT_EQ(p.fields[FieldCalc1Capacity].selLength, 1);
}

TEST_F(Calculators, UnknownConversionAndFloatNoise) {
    p.name = "Select a conversion type...";
    p.type(FieldCalc1Capacity, "12");
    p.type(FieldCalc2Wexels, "7");
    EXPECT_EQ(p.label(LabelCalc1Wexels), "0");
    EXPECT_EQ(p.label(LabelCalc2Capacity), "0");
    p.name = "Tiny";
    p.type(FieldCalc1Capacity, "100");
    EXPECT_EQ(p.label(LabelCalc1Wexels), "8");
}

TEST_F(Calculators, CalculatorFiveOverflowShowsErrNeverAWrongNumber) {
    ScopedTable cheap({{"Cheap", {{1, 1e-6}}}});
    p.name = "Cheap";
    p.type(FieldCalc5Wexels, "999999");
    p.type(FieldCalc5Added, "99999999");
    EXPECT_EQ(p.label(LabelCalc5Wexels), "ERR");
    EXPECT_EQ(p.label(LabelCalc5Capacity), "ERR");
    ASSERT_FALSE(reporter.reports.empty());
    EXPECT_EQ(reporter.reports.back().location, "frmQconverter.calcWXPlusMSUToWXandMSU");
}

TEST_F(Calculators, FieldTable) {
    const int lengths[] = {8, 6, 6, 8, 8, 8, 8, 6};
    const int calculators[] = {1, 2, 3, 3, 4, 4, 5, 5};
    for (int i = 0; i < PanelFieldCount; ++i) {
        EXPECT_EQ(panelFieldMaxLength(static_cast<PanelField>(i)), lengths[i]);
        EXPECT_EQ(panelFieldCalculator(static_cast<PanelField>(i)), calculators[i]);
    }
}

TEST_F(Calculators, WorkingMatchesTheWalk) {
    EXPECT_EQ(explainCapacityToWexels("12", "Example", "MSU"),
              "12 MSU: Base 3 x 1 = 3; Tier A 6 x 0.5 = 3; Tier B 3 x 0.25 = 0.75; total 6.75, "
              "rounded up to 7 WX");
    EXPECT_EQ(explainWexelsToCapacity("7", "Example", "MSU"),
              "7 WX: Base 3 WX buy 3 MSU; Tier A 3 WX buy 6 MSU; Tier B 1 WX buys 4 MSU; total 13 "
              "MSU");
    EXPECT_EQ(explainCapacityToWexels("abc", "Example", "MSU"), "");
    EXPECT_EQ(tierCaption(27), "Tier Z");
}
