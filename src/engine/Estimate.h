#pragma once
// An estimate to put into a quote or an e-mail, as plain text: which
// conversion, the calculator's sentence with its numbers, and which tier
// table produced them, so that a figure can be traced back to its table. The
// window copies it; wexel-calc --estimate prints it.

#include "engine/Calculators.h"

#include <chrono>
#include <string>

namespace wexel {

// Calculator `calculator` (1..5) of `panel`, for `conversionName`, made at
// `when`, e.g.
//   Wexel Converter estimate
//   Date: 2026-12-07T22:51:00+00:00
//   Conversion: WXE007 (MSU)
//   A utilization of 1500 MSUs requires an entitlement of 275 WXs.
//   Tier table: vqcslope.dat of 2026-12-07 10:45, SHA-256 3f2a9c0b1d4e
//   This tool is for estimation only.  ...
// and, with the working, "Working:" and its lines before the disclaimer.
// The date is local time with its offset from UTC. Lines end in "\n".
std::string
estimateText(int calculator, const Panel& panel, const std::string& conversionName,
             bool withWorking,
             std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

// Why the estimate of calculator `calculator` is not to be given: "" when it
// can be, else the reason ("no conversion is chosen", or that a field holds no
// number the calculator takes). A quote must never carry ERR or no table.
std::string estimateRefusal(int calculator, const Panel& panel, const std::string& conversionName);

} // namespace wexel
