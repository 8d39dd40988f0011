#include "engine/Working.h"

#include "engine/ModMath.h"
#include "engine/Walks.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "tiers/TierList.h"

#include <cmath>

namespace wexel {

namespace {

// "Tier A (4 - 45)": the band as the tier list shows it.
std::string band(const std::vector<TierListRow>& rows, int tier) {
    const TierListRow& row = rows.at(static_cast<std::size_t>(tier) - 1);
    return row.tier + " (" + row.lowest + " - " + row.highest + ")";
}

// The lines of a walk from capacity to Wexels, and back.
void toWexelsLines(std::vector<std::string>& lines, const std::vector<TierListRow>& rows,
                   const detail::Breakdown& working) {
    for (const detail::WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.units) + " x " +
                        numberToText(step.slope) + " = " + numberToText(step.wexels) +
                        " WX, total " + numberToText(step.subtotal) + " WX");
    }
    lines.push_back("Required: " + numberToText(working.result) + " WX, rounded up to " +
                    numberToText(roundedUp(working.result)) + " WX");
}

void toCapacityLines(std::vector<std::string>& lines, const std::vector<TierListRow>& rows,
                     const detail::Breakdown& working) {
    for (const detail::WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.wexels) + " WX / " +
                        numberToText(step.slope) + " = " + numberToText(step.units) + ", total " +
                        numberToText(step.subtotal));
    }
    lines.push_back("Covered: " + numberToText(working.result) + ", rounded down to " +
                    numberToText(roundedDown(working.result)));
}

} // namespace

std::vector<std::string> explainToWexels(const std::string& capacity,
                                         const std::string& conversionName) {
    detail::Breakdown working;
    if (!isNumeric(capacity)) {
        return {};
    }
    try {
        detail::capacityWalk(capacity, conversionName, &working);
    } catch (const RuntimeError&) {
        return {};
    }
    std::vector<std::string> lines;
    toWexelsLines(lines, tierListRows(conversionName), working);
    return lines;
}

std::vector<std::string> explainToCapacity(const std::string& wexels,
                                           const std::string& conversionName) {
    detail::Breakdown working;
    std::string amount = wexels;
    std::string start = "0";
    if (!isNumeric(amount)) {
        return {};
    }
    try {
        detail::wexelWalk(amount, conversionName, start, &working);
    } catch (const RuntimeError&) {
        return {};
    }
    std::vector<std::string> lines;
    toCapacityLines(lines, tierListRows(conversionName), working);
    return lines;
}

std::vector<std::string> explainCalculator(int calculator, const Panel& panel,
                                           const std::string& conversionName) {
    if (calculator < 1 || calculator > static_cast<int>(calculators().size())) {
        return {};
    }
    for (const CalculatorResult& result : wexel::calculator(calculator).results) {
        if (panel.labels[result.label]->caption() == "ERR") {
            return {};
        }
    }
    const std::vector<TierListRow> rows = tierListRows(conversionName);
    std::vector<std::string> lines;
    for (const detail::WorkingEntry& entry :
         panel.working[static_cast<std::size_t>(calculator) - 1]) {
        if (!entry.text.empty()) {
            lines.push_back(entry.text);
        }
        if (entry.failed) {
            continue; // reported by the calculation; nothing to explain
        }
        if (entry.kind == detail::WorkingEntry::ToWexels) {
            toWexelsLines(lines, rows, entry.walk);
        } else if (entry.kind == detail::WorkingEntry::ToCapacity) {
            toCapacityLines(lines, rows, entry.walk);
        }
    }
    return lines;
}

} // namespace wexel
