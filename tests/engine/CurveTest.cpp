// The tier chart's curve: where the bands start, where it ends, and that at
// every whole capacity it rounds up to what calculator 1 shows.
#include "engine/Curve.h"
#include "engine/MemoryPanel.h"
#include "engine/ModMath.h"
#include "platform/Numbers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace wexel;
using wexel::testing::ScopedTable;

namespace {

// The Wexels the curve gives at `capacity`, along the segment that holds it.
double along(const std::vector<CurvePoint>& curve, double capacity) {
    for (std::size_t i = 1; i < curve.size(); ++i) {
        if (capacity <= curve[i].capacity) {
            const CurvePoint& a = curve[i - 1];
            const CurvePoint& b = curve[i];
            return a.wexels +
                   (capacity - a.capacity) * (b.wexels - a.wexels) / (b.capacity - a.capacity);
        }
    }
    ADD_FAILURE() << capacity << " is past the curve's end";
    return 0;
}

} // namespace

TEST(Curve, PointsWhereEachBandStartsAndOneBandPastTheLast) {
    const ScopedTable table({{"Three", {{1, 1.0}, {4, 0.5}, {10, 0.25}}},
                             {"Zero", {{0, 2.0}, {5, 1.0}}},
                             {"One", {{7, 0.5}}}});
    struct Case {
        const char* name;
        double through;
        std::vector<CurvePoint> points;
    } cases[] = {
        {"Three", 0, {{0, 0, 1}, {3, 3, 2}, {9, 6, 3}, {15, 7.5, 0}}},
        {"three", 40, {{0, 0, 1}, {3, 3, 2}, {9, 6, 3}, {40, 13.75, 0}}},
        {"Three", 12, {{0, 0, 1}, {3, 3, 2}, {9, 6, 3}, {15, 7.5, 0}}},
        {"Zero", 0, {{0, 0, 1}, {5, 10, 2}, {10, 15, 0}}},
        {"One", 0, {{0, 0, 1}, {100, 50, 0}}},
        {"Missing", 0, {}},
    };
    for (const Case& c : cases) {
        const std::vector<CurvePoint> points = tierCurve(c.name, c.through);
        ASSERT_EQ(points.size(), c.points.size()) << c.name;
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].capacity, c.points[i].capacity) << c.name << " point " << i;
            EXPECT_EQ(points[i].wexels, c.points[i].wexels) << c.name << " point " << i;
            EXPECT_EQ(points[i].tier, c.points[i].tier) << c.name << " point " << i;
        }
    }
}

TEST(Curve, RoundsUpToWhatCalculatorOneShowsAtEveryWholeCapacity) {
    const ScopedNumberLocale english({".", ","});
    std::mt19937 random(20261209);
    for (int t = 0; t < 30; ++t) {
        ScopedTable::Tiers tiers;
        std::uniform_int_distribution<int> gap(1, 120), sixtyFourths(1, 256), first(0, 3);
        for (int i = 0, min = first(random); i < 1 + t % 7; ++i, min += gap(random)) {
            tiers.push_back({min, sixtyFourths(random) / 64.0}); // exact in binary
        }
        const ScopedTable table({{"Random", tiers}});
        const std::vector<CurvePoint> curve = tierCurve("Random", 1200);
        MemoryPanel panel("Random");
        panel.chooseConversion();
        for (int n = 0; n <= 1200; n += 1 + n / 40) {
            panel.type(FieldCalc1Capacity, std::to_string(n));
            EXPECT_EQ(numberToText(roundedUp(along(curve, n))), panel.caption(LabelCalc1Wexels))
                << "table " << t << ", capacity " << n;
        }
    }
}
