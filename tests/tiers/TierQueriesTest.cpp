// What the window and the engine ask of the tier table, and the tier list's rows.
#include "tiers/TierQueries.h"
#include "platform/KeyedCollection.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "tiers/TierList.h"

#include <gtest/gtest.h>

using namespace wexel;
using wexel::testing::ScopedTable;

TEST(TierQueries, SlopeTypesListNamesAndReportAConversionWithoutTiers) {
    const ScopedTable table({{"A", {{1, 1.0}}}, {"B", {}}, {"C", {{1, 2.0}}}});
    const Capture capture;
    KeyedCollection<std::string> types;
    types.add("c", "c"); // already there: skipped without a word
    GetSlopeTypes(types);
    std::string listed;
    for (const auto& entry : types) {
        listed += entry.item + " ";
    }
    EXPECT_EQ(listed, "c A ");
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(capture.shown[0].location, "ModDataFiles.GetSlopeTypes");
    EXPECT_EQ(capture.shown[0].number, "9");
    EXPECT_EQ(capture.shown[0].message, "");
}

TEST(TierQueries, TierArrayAndUnits) {
    const ScopedTable table({{"Caf\xC3\xA9", {{1, 1.0}, {4, 0.5}}, " MSG "}, {"Empty", {}}});
    TierArray tiers;
    std::int16_t count = 0;
    GetTierArray(tiers, "CAF\xC3\x89", count); // letter case ignored, accents too
    ASSERT_EQ(count, 2);
    EXPECT_EQ(tiers.MinCap(2), 4);
    EXPECT_EQ(tiers.Slope(2), 0.5);
    EXPECT_EQ(GetSlopeUnits("caf\xC3\xA9"), "MSG");

    GetTierArray(tiers, "Empty", count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(tiers.rows(), 1u);

    // A name not in the table leaves both outputs as the caller had them.
    count = 7;
    GetTierArray(tiers, "Nowhere", count);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(tiers.rows(), 1u);
    try {
        GetSlopeUnits("Nowhere");
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::KeyNotFound));
    }
    EXPECT_THROW(GetSlopeUnits("Empty"), RuntimeError);
}

TEST(TierList, RowsNameTheBandsFromTheNextTiersLowestCapacity) {
    ScopedTable::Tiers many;
    for (int i = 0; i < 30; ++i) {
        many.push_back({i * 10, 0.25});
    }
    many.front().first = INT32_MIN;
    many.back().first = INT32_MAX;
    const ScopedTable table({{"Example", wexel::testing::kExample}, {"Many", many}});
    std::string rows;
    for (const TierListRow& r : tierListRows("Example")) {
        rows += r.tier + " " + r.lowest + " " + r.dash + " " + r.highest + " " + r.slope + "; ";
    }
    EXPECT_EQ(rows, "Base 1 - 3 1; Tier A 4 - 9 0.5; Tier B 10 - + 0.25; ");

    const std::vector<TierListRow> manyRows = tierListRows("Many");
    EXPECT_EQ(manyRows[0].lowest, "-2147483648");
    EXPECT_EQ(manyRows[26].tier, "Tier Z");
    EXPECT_EQ(manyRows[27].tier, "Tier ["); // character codes go on past Z
    EXPECT_EQ(manyRows[28].highest, "2147483646");
    EXPECT_EQ(manyRows[29].lowest, "2147483647");
    EXPECT_EQ(tierCaption(65), "Tier \xE2\x82\xAC"); // the code page's letters: €
    EXPECT_TRUE(tierListRows("Nowhere").empty());
}
