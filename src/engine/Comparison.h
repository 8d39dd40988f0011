#pragma once
// Calculator 1 for one capacity under every conversion of a unit, side by
// side: wexel-calc to-wx --all prints it, the window's comparison panel
// shows it.

#include "platform/Ports.h"
#include "tiers/DataFiles.h"

#include <string>
#include <vector>

namespace wexel {

struct ConversionWexels {
    const Conversion* conversion = nullptr;
    std::string wexels;                // as calculator 1 shows it
    std::vector<Capture::Shown> shown; // what it showed meanwhile: messages and errors
    bool refused = false;              // a message refused the capacity
};

// Calculator 1 typed with `capacity` under each conversion whose unit is
// `unit` (letter case ignored) and which has tiers, in the table's order,
// as a user at the window would type it. Nothing is shown: what would have
// been is kept with each.
std::vector<ConversionWexels> wexelsUnderEveryConversion(const std::string& capacity,
                                                         const std::string& unit);

} // namespace wexel
