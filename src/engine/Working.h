#pragma once
// The working behind the results of the calculators, tier by tier: the
// window's working panel and wexel-calc --explain show it. Built from the
// record of the walks themselves, so it can never disagree with the results
// shown; it never shows a message (the calculation has reported any error
// already).

#include "engine/Calculators.h"

#include <string>
#include <vector>

namespace wexel {

// e.g. "Base (1 - 3): 3 x 1 = 3 WX, total 3 WX", ..., and last
// "Required: 6.75 WX, rounded up to 7 WX". Empty for a text that is not
// numeric or a walk that fails.
std::vector<std::string> explainToWexels(const std::string& capacity,
                                         const std::string& conversionName);

// e.g. "Base (1 - 3): 3 WX / 1 = 3, total 3", ..., and last
// "Covered: 13, rounded down to 13".
std::vector<std::string> explainToCapacity(const std::string& wexels,
                                           const std::string& conversionName);

// The working behind what calculator `calculator` (1..5) shows in `panel`:
// the walks of calculators 1 and 2 as above; for 3 to 5, the walks their
// results are made of, each under a line that says what it finds. Empty while
// a result of the calculator is "ERR".
std::vector<std::string> explainCalculator(int calculator, const Panel& panel,
                                           const std::string& conversionName);

} // namespace wexel
