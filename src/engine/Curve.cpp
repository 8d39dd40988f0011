#include "engine/Curve.h"

#include "tiers/TierQueries.h"

#include <algorithm>

namespace wexel {

std::vector<CurvePoint> tierCurve(const std::string& conversionName, double through) {
    TierArray tiers;
    std::int16_t count = 0;
    GetTierArray(tiers, conversionName, count);
    std::vector<CurvePoint> points;
    if (count <= 0) {
        return points;
    }
    // The walk charges each band its width (the next band's lowest capacity
    // less its own) at its slope, and the rest at the last band's slope.
    const auto n = static_cast<std::size_t>(count);
    const double first = tiers.MinCap(1);
    double wexels = 0.0;
    for (std::size_t k = 1; k <= n; ++k) {
        const double start = tiers.MinCap(k) - first;
        if (k > 1) {
            wexels += (start - points.back().capacity) * tiers.Slope(k - 1);
        }
        points.push_back({start, wexels, static_cast<int>(k)});
    }
    const double lastStart = points.back().capacity;
    const double width = n > 1 ? lastStart - points[n - 2].capacity : 100.0;
    const double end = std::max(lastStart + std::max(width, 1.0), through);
    points.push_back({end, wexels + (end - lastStart) * tiers.Slope(n), 0});
    return points;
}

} // namespace wexel
