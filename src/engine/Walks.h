#pragma once
// The two tier walks without their error handlers: they throw RuntimeError.
// MSU2WX and WX2MSU wrap them with the error box; the working shown to the
// user walks them directly, so explaining a result never reports an error a
// second time.

#include <string>
#include <vector>

namespace wexel::detail {

// One step of a tier walk.
struct WalkStep {
    int tier = 0;          // 1-based tier number (1 = Base, 2 = Tier A, ...)
    double units = 0.0;    // capacity units charged (or bought) in this tier
    double slope = 0.0;    // Wexels per unit in this tier
    double wexels = 0.0;   // Wexels spent in this tier
    double subtotal = 0.0; // running total after this step: Wexels (capacity walk) or capacity
};

// The working behind one walk. `result` is the walk's own result, bit for bit.
struct Breakdown {
    std::vector<WalkStep> steps;
    double result = 0.0;
};

double capacityWalk(const std::string& amount, const std::string& conversionName,
                    Breakdown* working = nullptr);
double wexelWalk(std::string& wexels, const std::string& conversionName, std::string& startCapacity,
                 Breakdown* working = nullptr);

} // namespace wexel::detail
