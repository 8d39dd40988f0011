#include "engine/ModMath.h"
#include "engine/EngineFixture.h"
#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace wexel;
using namespace wexel::testing;

namespace {

const std::string kName = "Example";

class ModMath : public ::testing::Test {
protected:
    ScopedTable table{
        {{kName, kExample}, {"Tiny", {{1, 0.07}}}, {"Flat", {{1, 1.0}, {4, 0.0}, {10, 1}}}}};
    RecordingErrorReporter reporter;
    ScopedNumberLocale english{".", ","};
};

} // namespace

TEST_F(ModMath, CapacityToWexelsWalk) {
    const struct {
        const char* amount;
        const char* name;
        double wexels;
    } cases[] = {
        {"12", "Example", 6.75},
        {"3", "Example", 3},
        {"5", "Example", 4},
        {"3.5", "Example", 3.5},
        {"0", "Example", 0},
        {"-4", "Example", 0},
        {"", "Example", 0},
        {"abc", "Example", 0},
        {"+", "Example", 0},
        {"9", "EXAMPLE", 6},
        {"10", "Example", 6.25},
        {"12", "Unknown", 0},
        {"100", "Tiny", 7.000000000000001},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MSU2WX(c.amount, c.name), c.wexels) << c.amount << " " << c.name;
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(ModMath, WexelsToCapacityWalk) {
    const struct {
        const char* wexels;
        const char* start;
        double capacity;
    } cases[] = {
        {"7", "0", 13}, {"2", "5", 9},  {"1", "0", 1},   {"0", "5", 5}, {"-3", "5", 5},
        {"6", "0", 9},  {"8", "0", 17}, {"1", "20", 24}, {"x", "0", 0},
    };
    for (const auto& c : cases) {
        std::string w = c.wexels;
        std::string s = c.start;
        EXPECT_EQ(WX2MSU(w, kName, s), c.capacity) << c.wexels << " from " << c.start;
    }
    std::string empty;
    std::string start = "4";
    EXPECT_EQ(WX2MSU(empty, kName, start), 4);
    EXPECT_EQ(empty, "0");
    std::string w = "5";
    std::string noStart;
    EXPECT_EQ(WX2MSU(w, "Unknown", noStart), 0);
    EXPECT_EQ(noStart, "0");
}

TEST_F(ModMath, WexelsToCapacityCleansFloatNoise) {
    ScopedTable noise({{"Third", {{1, 1.0 / 3.0}}}});
    // 1 Wexel at a third of a Wexel per unit is 3 units, give or take a hair.
    EXPECT_EQ(WX2MSU("1", "Third", "0"), 3);
    EXPECT_EQ(roundDecimals(2.9999999999, 9), 3);
}

TEST_F(ModMath, BandBoundariesOfAFourTierTable) {
    ScopedTable four({{"Four", {{1, 1.0}, {11, 0.5}, {51, 0.25}, {101, 0.125}}}});
    const struct {
        int capacity;
        double wexels;
    } cases[] = {{10, 10},   {11, 10.5},  {12, 11},      {50, 30},    {51, 30.25},
                 {52, 30.5}, {100, 42.5}, {101, 42.625}, {102, 42.75}};
    for (const auto& c : cases) {
        EXPECT_EQ(MSU2WX(std::to_string(c.capacity), "Four"), c.wexels) << c.capacity;
        EXPECT_EQ(WX2MSU(numberToText(c.wexels), "Four", "0"), c.capacity) << c.capacity;
    }
}

TEST_F(ModMath, FailuresAreReportedOnceAndGiveZero) {
    // A slope of 0 before the last tier: the inverse walk divides by it.
    EXPECT_EQ(WX2MSU("5", "Flat", "0"), 0);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, "ModMath.WX2MSU");
    EXPECT_EQ(reporter.reports[0].message, "Returning a result of zero.");
    EXPECT_EQ(reporter.reports[0].number, "11");

    reporter.reports.clear();
    ScopedTable huge({{"Huge", {{1, 1e308}}}});
    EXPECT_EQ(MSU2WX("10", "Huge"), 0);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, "ModMath.MSU2WX");
    EXPECT_EQ(reporter.reports[0].number, "6");
}

TEST_F(ModMath, ZeroIfBlank) {
    const struct {
        const char* in;
        const char* out;
        const char* after;
    } cases[] = {{"", "0", ""},     {"   ", "0", ""},       {"-", "0", "-"},
                 {" + ", "0", "+"}, {" 12 ", " 12 ", "12"}, {"12a", "12a", "12a"}};
    for (const auto& c : cases) {
        std::string v = c.in;
        EXPECT_EQ(zeroIfBlank(v), c.out) << c.in;
        EXPECT_EQ(v, c.after) << c.in;
    }
}

TEST_F(ModMath, IncrementalConversions) {
    EXPECT_EQ(MSUDeltaAsWX("5", "7", kName), "3");
    EXPECT_EQ(MSUDeltaAsWX("12", "-7", kName), "-3");
    EXPECT_EQ(MSUDeltaAsWX("5", "", kName), "0");
    EXPECT_EQ(MSUDeltaAsWX("5", "-", kName), "0");
    const struct {
        const char* capacity;
        const char* wexels;
        const char* total;
    } cases[] = {{"5", "2", "9"}, {"12", "1", "17"},   {"12", "0", "12"}, {"0", "0", "0"},
                 {"", "7", "13"}, {"007", "0", "007"}, {" 5", "0", " 5"}, {"", "", "0"}};
    for (const auto& c : cases) {
        std::string cap = c.capacity;
        std::string wx = c.wexels;
        EXPECT_EQ(MSUFromMSUPlusWX(cap, wx, kName), c.total) << c.capacity << " + " << c.wexels;
    }
    std::string e = "20", cur = "0", add = "0", awx = "3", extra = "0";
    EXPECT_EQ(totalWXEntitlement(e, cur, add, awx, extra, "no table needed"), 23);
    std::string e2 = "50", cur2 = "1", add2 = "-100", awx2 = "", extra2 = "0";
    EXPECT_EQ(totalWXEntitlement(e2, cur2, add2, awx2, extra2, kName), 50); // never below
    EXPECT_EQ(awx2, "0");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(ModMath, WholeNumberOverflowIsReportedAndGivesZero) {
    ScopedTable big({{"Big", {{1, 1000.0}}}});
    std::string cap = "99999999";
    std::string wx = "1";
    EXPECT_EQ(MSUFromMSUPlusWX(cap, wx, "Big"), "0");
    ASSERT_FALSE(reporter.reports.empty());
    EXPECT_EQ(reporter.reports[0].location, "ModMath.totalWXEntitlement");
    EXPECT_EQ(reporter.reports[0].message, "Returning a result of zero.");
    reporter.reports.clear();
    EXPECT_EQ(MSUDeltaAsWX("0", "99999999", "Big"), "0");
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, "ModMath.MSUDeltaAsWX");
    EXPECT_THROW(roundUp(2147483647.5), RuntimeError);
    EXPECT_EQ(roundUp(6.75), 7);
    EXPECT_EQ(roundDown(-0.5), -1);
    EXPECT_EQ(roundUp(7.000000000000001), 8);
}

TEST_F(ModMath, PropertiesOverRandomTables) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 200; ++round) {
        ScopedTable::Tiers tiers;
        std::int32_t minCap = 1;
        const int count = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i) {
            const double slope = static_cast<double>(1 + rng() % 2000) / 1000.0;
            tiers.push_back({minCap, slope});
            minCap += 1 + static_cast<std::int32_t>(rng() % 500);
        }
        ScopedTable random({{"R", tiers}});
        double previous = 0;
        for (int n = 0; n < 3000; n += 1 + static_cast<int>(rng() % 37)) {
            const std::string amount = std::to_string(n);
            Breakdown working;
            const double wx = MSU2WX(amount, "R", &working);
            EXPECT_GE(wx, previous);
            previous = wx;
            double sum = 0;
            for (const WalkStep& s : working.steps) {
                sum = sum + s.units * s.slope;
            }
            EXPECT_EQ(working.total, wx);
            EXPECT_EQ(sum, wx);
            EXPECT_EQ(WX2MSU(numberToText(wx), "R", "0"), n) << "round " << round;
        }
    }
    EXPECT_TRUE(reporter.reports.empty());
}
