// The in-memory panel behind wexel-calc's calculators: fields run the
// window's change handler, nested, as the window's fields do.
#include "cli/MemoryPanel.h"
#include "CliTestSupport.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

using namespace wexel;
using namespace wexel::testing;

TEST(MemoryPanel, AnEmptyFieldIsFilledWithZeroAndRecomputedNested) {
    DataFolder data(kExampleNames, kExampleTiers);
    LoadDataFiles(data.path());
    RecordingMessageBox box;
    cli::MemoryPanel panel("WXE007");
    panel.preset(FieldCalc1Capacity, "");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "") << "preset runs no handler";
    panel.change(FieldCalc1Capacity);
    EXPECT_EQ(panel.text(FieldCalc1Capacity), "0");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "0");
    EXPECT_TRUE(box.shown.empty());

    panel.preset(FieldCalc4Added, "7");
    panel.preset(FieldCalc4Existing, "5");
    panel.change(FieldCalc4Existing);
    EXPECT_EQ(panel.caption(LabelCalc4Wexels), "3");
    EXPECT_EQ(panel.caption(LabelCalc4Capacity), "13");
    SlopeTable().clear();
}

TEST(MemoryPanel, TypingTheSameTextAgainRaisesNoChange) {
    DataFolder data(kExampleNames, kExampleTiers);
    LoadDataFiles(data.path());
    RecordingMessageBox box;
    cli::MemoryPanel panel("WXE007");
    panel.chooseConversion();
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "0");
    panel.type(FieldCalc1Capacity, "12");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "7");
    panel.type(FieldCalc1Capacity, "abc");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "ERR");
    ASSERT_EQ(box.shown.size(), 1u);
    panel.type(FieldCalc1Capacity, "abc");
    EXPECT_EQ(box.shown.size(), 1u);
    SlopeTable().clear();
}
