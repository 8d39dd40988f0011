#include "tiers/TierQueries.h"
#include "platform/AppFacts.h"
#include "support/TestSupport.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

using namespace wexel;
using namespace wexel::testing;

namespace {

class TierQueries : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(kNamesFileName, "A1,WXE007, MSU \r\nB2,Empty,MSG\r\nC3,Big Iron,ENG\r\n");
        folder.write(kTiersFileName, "A1,1,3,,1\r\nA1,4,9,,0.5\r\nA1,10,99,,0.25\r\nC3,1,9,,2\r\n");
        LoadDataFiles(folder.path());
    }
    void TearDown() override { SlopeTable().clear(); }
    TempFolder folder;
    RecordingErrorReporter reporter;
};

} // namespace

TEST_F(TierQueries, SlopeTypesListNamesAndReportConversionsWithoutTiers) {
    KeyedCollection<std::string> types;
    GetSlopeTypes(types);
    ASSERT_EQ(types.count(), 2u);
    EXPECT_EQ(types.at(1), "WXE007");
    EXPECT_EQ(types.at(2), "Big Iron");
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, "ModDataFiles.GetSlopeTypes");
    EXPECT_EQ(reporter.reports[0].number, "9");
    EXPECT_EQ(reporter.reports[0].message, "");
}

TEST_F(TierQueries, SlopeTypesSkipNamesAlreadyCollectedSilently) {
    KeyedCollection<std::string> types;
    types.add("preset", "big iron");
    GetSlopeTypes(types);
    EXPECT_EQ(types.count(), 2u);
    EXPECT_EQ(types.at(2), "WXE007");
    EXPECT_EQ(reporter.reports.size(), 1u); // only the conversion without tiers
}

TEST_F(TierQueries, TierArrayOfAConversion) {
    TierArray tiers;
    std::int16_t count = 0;
    GetTierArray(tiers, "wxe007", count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(tiers.rows(), 4u);
    EXPECT_EQ(tiers.MinCap(2), 4);
    EXPECT_DOUBLE_EQ(tiers.Slope(3), 0.25);

    GetTierArray(tiers, "Empty", count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(tiers.rows(), 1u);
}

TEST_F(TierQueries, TierArrayOfAnUnknownNameLeavesTheOutputsAlone) {
    TierArray tiers(2);
    tiers.set(1, 42, 4.2);
    std::int16_t count = 7;
    GetTierArray(tiers, "Select a conversion type...", count);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(tiers.MinCap(1), 42);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(TierQueries, SlopeUnitsComeFromTheFirstTier) {
    EXPECT_EQ(GetSlopeUnits("WXE007"), "MSU");
    EXPECT_EQ(GetSlopeUnits("big iron"), "ENG");
    const struct {
        const char* name;
        ErrorNumber number;
    } failures[] = {{"Nothing", ErrorNumber::KeyNotFound},
                    {"Empty", ErrorNumber::SubscriptOutOfRange}};
    for (const auto& f : failures) {
        try {
            GetSlopeUnits(f.name);
            ADD_FAILURE() << f.name;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), static_cast<int>(f.number)) << f.name;
        }
    }
}

TEST(clsTier, DefaultsAndTrimming) {
    clsTier t;
    EXPECT_EQ(t.MinCap(), 0);
    EXPECT_EQ(t.MaxCap(), 0);
    EXPECT_EQ(t.Slope(), 0.0);
    EXPECT_EQ(t.Units(), "");
    t.setUnits("  MSU  ");
    EXPECT_EQ(t.Units(), "MSU");
    t.setSlopeName("\tName\t");
    EXPECT_EQ(t.SlopeName(), "\tName\t");
    t.Define(5, 1, -2.0);
    t.Define(7, 9, 0.5);
    EXPECT_EQ(t.MinCap(), 7);
    EXPECT_EQ(t.MaxCap(), 9);
    EXPECT_EQ(t.Units(), "MSU");
}
