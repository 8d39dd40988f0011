#include "cli/Explain.h"

#include "tiers/TierList.h"
#include "engine/ModMath.h"
#include "platform/Numbers.h"

#include <cmath>

namespace wexel::cli {

namespace {

std::string band(const std::vector<TierListRow>& rows, int tier) {
    if (tier < 1 || static_cast<std::size_t>(tier) > rows.size()) {
        return {};
    }
    const TierListRow& row = rows[static_cast<std::size_t>(tier) - 1];
    return row.tier + " (" + row.lowest + " - " + row.highest + ")";
}

} // namespace

std::vector<std::string> explainToWX(const std::string& name, const std::string& capacity) {
    Breakdown working;
    const double wexels = MSU2WX(capacity, name, &working);
    const std::vector<TierListRow> rows = tierListRows(name);
    std::vector<std::string> lines;
    for (const WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.units) + " x " +
                        numberToText(step.slope) + " = " + numberToText(step.wexels) +
                        " WX, total " + numberToText(step.subtotal) + " WX");
    }
    const double up = std::floor(wexels) < wexels ? std::floor(wexels) + 1 : wexels;
    lines.push_back("Required: " + numberToText(wexels) + " WX, rounded up to " + numberToText(up) +
                    " WX");
    return lines;
}

std::vector<std::string> explainToCapacity(const std::string& name, const std::string& wexels) {
    Breakdown working;
    std::string amount = wexels;
    std::string start = "0";
    const double capacity = WX2MSU(amount, name, start, &working);
    const std::vector<TierListRow> rows = tierListRows(name);
    std::vector<std::string> lines;
    for (const WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.wexels) + " WX / " +
                        numberToText(step.slope) + " = " + numberToText(step.units) + ", total " +
                        numberToText(step.subtotal));
    }
    lines.push_back("Covered: " + numberToText(capacity) + ", rounded down to " +
                    numberToText(std::floor(capacity)));
    return lines;
}

} // namespace wexel::cli
