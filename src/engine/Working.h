#pragma once
// The working behind a result of calculator 1 or 2, tier by tier: the result
// label's tooltip and wexel-calc --explain show it. Built from the record of
// the walk itself, so it can never disagree with the result shown; it never
// shows a message (the calculation has reported any error already).

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

} // namespace wexel
