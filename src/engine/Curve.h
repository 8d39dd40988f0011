#pragma once
// The tier chart's curve: the Wexels a capacity requires, as a line through
// the points where one band ends and the next begins. The window's chart draws
// it and wexel-calc curve prints it; at every whole capacity the line rounds
// up to what calculator 1 shows.

#include <string>
#include <vector>

namespace wexel {

struct CurvePoint {
    double capacity = 0.0; // capacity units from none
    double wexels = 0.0;   // Wexels required there, unrounded
    int tier = 0;          // the tier (1-based) whose band starts here; 0 at the end
};

// The points of `conversionName`'s curve: one where each band starts (the
// first at capacity 0) and an end one band-width past the last band's start
// (100 units when there is one band), or at `through` when that is further.
// Empty for a name not in the table or a conversion without tiers.
std::vector<CurvePoint> tierCurve(const std::string& conversionName, double through = 0.0);

} // namespace wexel
