#pragma once
// The working behind a result, in words, for tooltips and the command line.
// Built only from the breakdown that the conversion's own walk records, so it
// can never disagree with the result shown.

#include <string>

namespace wexel {

// e.g. "12 MSU: Base 3 x 1 = 3; Tier A 6 x 0.5 = 3; Tier B 3 x 0.25 = 0.75;
// total 6.75, rounded up to 7 WX". Empty for a text that is not numeric or a
// walk that fails; never shows a message.
std::string explainCapacityToWexels(const std::string& amountText,
                                    const std::string& conversionName, const std::string& unitCode);

// e.g. "7 WX: Base 3 WX buy 3 MSU; Tier A 3 WX buy 6 MSU; Tier B 1 WX buys 4 MSU;
// total 13 MSU, rounded down to 13 MSU".
std::string explainWexelsToCapacity(const std::string& wexelsText,
                                    const std::string& conversionName, const std::string& unitCode);

} // namespace wexel
