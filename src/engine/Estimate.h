#pragma once
// An estimate to put into a quote or an e-mail, as plain text: which
// conversion, the calculator's sentence with its numbers, and which tier
// table produced them, so that a figure can be traced back to its table. The
// window copies it; wexel-calc --estimate prints it.

#include "engine/Calculators.h"

#include <string>

namespace wexel {

// Calculator `calculator` (1..5) of `panel`, for `conversionName`, e.g.
//   Wexel Converter estimate
//   Conversion: WXE007 (MSU)
//   A utilization of 1500 MSUs requires an entitlement of 275 WXs.
//   Tier table: vqcslope.dat of 2026-12-07 10:45, SHA-256 3f2a9c0b1d4e
// and, with the working, "Working:" and its lines after it. Lines end in "\n".
std::string estimateText(int calculator, const Panel& panel, const std::string& conversionName,
                         bool withWorking);

} // namespace wexel
