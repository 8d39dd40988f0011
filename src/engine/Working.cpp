#include "engine/Working.h"

#include "engine/Walks.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "tiers/TierList.h"

#include <cmath>

namespace wexel {

std::string explainCapacityToWexels(const std::string& amountText,
                                    const std::string& conversionName,
                                    const std::string& unitCode) {
    if (!isNumeric(amountText)) {
        return {};
    }
    Breakdown working;
    try {
        detail::capacityWalk(amountText, conversionName, &working);
    } catch (const RuntimeError&) {
        return {};
    }
    std::string text = std::string(trimBlanks(amountText)) + " " + unitCode + ":";
    for (const WalkStep& step : working.steps) {
        text += " " + tierCaption(step.tier) + " " + numberToText(step.units) + " x " +
                numberToText(step.slope) + " = " + numberToText(step.wexels) + ";";
    }
    const double up = working.total - std::floor(working.total) > 0 ? std::floor(working.total) + 1
                                                                    : working.total;
    text += " total " + numberToText(working.total);
    text += up != working.total ? ", rounded up to " + numberToText(up) + " WX" : " WX";
    return text;
}

std::string explainWexelsToCapacity(const std::string& wexelsText,
                                    const std::string& conversionName,
                                    const std::string& unitCode) {
    if (!isNumeric(wexelsText)) {
        return {};
    }
    Breakdown working;
    std::string wexels = wexelsText;
    std::string start = "0";
    try {
        detail::wexelWalk(wexels, conversionName, start, &working);
    } catch (const RuntimeError&) {
        return {};
    }
    std::string text = std::string(trimBlanks(wexelsText)) + " WX:";
    for (const WalkStep& step : working.steps) {
        text += " " + tierCaption(step.tier) + " " + numberToText(step.wexels) + " WX " +
                (step.wexels == 1 ? "buys " : "buy ") + numberToText(step.units) + " " + unitCode +
                ";";
    }
    const double down = std::floor(working.result);
    text += " total " + numberToText(working.result) + " " + unitCode;
    if (down != working.result) {
        text += ", rounded down to " + numberToText(down) + " " + unitCode;
    }
    return text;
}

} // namespace wexel
