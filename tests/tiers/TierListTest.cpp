#include "tiers/TierList.h"
#include "platform/AppFacts.h"
#include "support/TestSupport.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

class TierList : public ::testing::Test {
protected:
    void load(const std::string& names, const std::string& tiers) {
        folder.write(kNamesFileName, names);
        folder.write(kTiersFileName, tiers);
        LoadDataFiles(folder.path());
    }
    void TearDown() override { SlopeTable().clear(); }
    TempFolder folder;
};

std::vector<std::string> flatten(const std::vector<TierListRow>& rows) {
    std::vector<std::string> lines;
    for (const TierListRow& r : rows) {
        lines.push_back(r.tier + "|" + r.lowest + "|" + r.dash + "|" + r.highest + "|" + r.slope);
    }
    return lines;
}

} // namespace

TEST_F(TierList, RowsNameTheBandsFromTheNextTiersLowestCapacity) {
    load("A1,Three,MSU\r\nB2,One,MSG\r\nC3,Odd,ENG\r\n",
         "A1,1,999,,1\r\nA1,4,0,,0.5\r\nA1,10,5,,0.25\r\nB2,100,200,,2.5\r\n"
         "C3,10,1,,1\r\nC3,5,1,,1\r\n");
    // The highest capacity in the file plays no part.
    EXPECT_EQ(flatten(tierListRows("three")),
              (std::vector<std::string>{"Base|1|-|3|1", "Tier A|4|-|9|0.5", "Tier B|10|-|+|0.25"}));
    EXPECT_EQ(flatten(tierListRows("One")), (std::vector<std::string>{"Base|100|-|+|2.5"}));
    // Descending tiers are listed in file order, as the window lists them.
    EXPECT_EQ(flatten(tierListRows("Odd")),
              (std::vector<std::string>{"Base|10|-|4|1", "Tier A|5|-|+|1"}));
    EXPECT_TRUE(tierListRows("Missing").empty());
}

TEST_F(TierList, ALowestCapacityAtTheIntegerLimitDoesNotOverflow) {
    load("A1,Edge,MSU\r\n", "A1,-2147483648,0,,1\r\nA1,-2147483648,0,,1\r\n");
    EXPECT_EQ(tierListRows("Edge").at(0).highest, "-2147483649");
}

TEST(TierCaption, BaseThenLettersByCharacterCode) {
    EXPECT_EQ(tierCaption(1), "Base");
    EXPECT_EQ(tierCaption(2), "Tier A");
    EXPECT_EQ(tierCaption(3), "Tier B");
    EXPECT_EQ(tierCaption(27), "Tier Z");
    EXPECT_EQ(tierCaption(28), "Tier [");
    EXPECT_EQ(tierCaption(65), "Tier \xE2\x82\xAC"); // code 128 of the 8-bit code page
    EXPECT_EQ(tierCaption(100), "Tier \xC2\xA3");    // code 163
}
