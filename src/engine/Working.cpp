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
    const std::vector<TierListRow> rows = tierListRows(conversionName);
    std::vector<std::string> lines;
    for (const detail::WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.units) + " x " +
                        numberToText(step.slope) + " = " + numberToText(step.wexels) +
                        " WX, total " + numberToText(step.subtotal) + " WX");
    }
    lines.push_back("Required: " + numberToText(working.result) + " WX, rounded up to " +
                    numberToText(roundedUp(working.result)) + " WX");
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
    const std::vector<TierListRow> rows = tierListRows(conversionName);
    std::vector<std::string> lines;
    for (const detail::WalkStep& step : working.steps) {
        lines.push_back(band(rows, step.tier) + ": " + numberToText(step.wexels) + " WX / " +
                        numberToText(step.slope) + " = " + numberToText(step.units) + ", total " +
                        numberToText(step.subtotal));
    }
    lines.push_back("Covered: " + numberToText(working.result) + ", rounded down to " +
                    numberToText(roundedDown(working.result)));
    return lines;
}

namespace {

std::string text(const TextField* field) {
    std::string value = field->text();
    return zeroIfBlank(value);
}

void append(std::vector<std::string>& lines, const std::string& heading,
            const std::vector<std::string>& walk) {
    lines.push_back(heading);
    lines.insert(lines.end(), walk.begin(), walk.end());
}

// Wexels as the calculators count them, rounded up; 0 where the walk fails,
// as the calculation had it, without reporting the failure a second time.
double wexelsFor(const std::string& capacity, const std::string& conversionName) {
    try {
        return roundedUp(detail::capacityWalk(capacity, conversionName));
    } catch (const RuntimeError&) {
        return 0.0;
    }
}

// The capacity that Wexels cover, rounded down; the same way.
double capacityFor(const std::string& wexels, const std::string& conversionName) {
    std::string amount = wexels;
    std::string start = "0";
    try {
        return roundedDown(detail::wexelWalk(amount, conversionName, start));
    } catch (const RuntimeError&) {
        return 0.0;
    }
}

std::vector<std::string> working(int calculator, const Panel& panel,
                                 const std::string& conversionName);

} // namespace

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
    try {
        return working(calculator, panel, conversionName);
    } catch (const RuntimeError&) {
        return {}; // a field the calculation took holds no whole number after all
    }
}

namespace {

std::vector<std::string> working(int calculator, const Panel& panel,
                                 const std::string& conversionName) {
    const auto& f = panel.fields;
    std::vector<std::string> lines;
    switch (calculator) {
    case 1:
        return explainToWexels(f[FieldCalc1Capacity]->text(), conversionName);
    case 2:
        return explainToCapacity(f[FieldCalc2Wexels]->text(), conversionName);
    case 3: {
        const std::string added = text(f[FieldCalc3Wexels]);
        const std::string current = text(f[FieldCalc3Capacity]);
        if (textToInt32(added) <= 0 && textToInt32(current) <= 0) {
            return {"No capacity and no Wexels: a total of 0"};
        }
        if (textToInt32(added) == 0) {
            return {"No Wexels added: the total is the existing " + current};
        }
        const double existing = wexelsFor(current, conversionName);
        const double entitlement = existing + textToInt32(added);
        append(lines, "The existing " + current + ":", explainToWexels(current, conversionName));
        lines.push_back("Entitlement: " + numberToText(existing) + " + " + added +
                        " added = " + numberToText(entitlement) + " WX");
        append(lines, "Covered by " + numberToText(entitlement) + " WX:",
               explainToCapacity(numberToText(entitlement), conversionName));
        return lines;
    }
    case 4: {
        const std::string added = f[FieldCalc4Added]->text();
        const std::string existing = f[FieldCalc4Existing]->text();
        const std::string total =
            numberToText(readLeadingNumber(existing) + readLeadingNumber(added));
        const double before = wexelsFor(existing, conversionName);
        const double after = wexelsFor(total, conversionName);
        append(lines, "The existing " + std::string(trimBlanks(existing)) + ":",
               explainToWexels(existing, conversionName));
        append(lines, "With " + std::string(trimBlanks(added)) + " added, " + total + ":",
               explainToWexels(total, conversionName));
        lines.push_back("Additional: " + numberToText(after) + " - " + numberToText(before) +
                        " = " + panel.labels[LabelCalc4Wexels]->caption() + " WX");
        const std::string covered = numberToText(after);
        append(lines, "Covered by " + covered + " WX:", explainToCapacity(covered, conversionName));
        return lines;
    }
    default: {
        const std::string added = text(f[FieldCalc5Added]);
        const std::string wexels = f[FieldCalc5Wexels]->text();
        const double covered = capacityFor(wexels, conversionName);
        append(lines, "Covered by the existing " + std::string(trimBlanks(wexels)) + " WX:",
               explainToCapacity(wexels, conversionName));
        if (textToInt32(added) == 0) {
            lines.push_back("Nothing added: no additional Wexels");
            return lines;
        }
        const std::string total =
            integerToText(static_cast<std::int64_t>(covered) + textToInt32(added));
        const double entitlement = wexelsFor(total, conversionName);
        append(lines, "With " + added + " added, " + total + ":",
               explainToWexels(total, conversionName));
        lines.push_back("Additional: " + numberToText(entitlement) + " - " +
                        std::string(trimBlanks(wexels)) + " = " +
                        panel.labels[LabelCalc5Wexels]->caption() + " WX");
        if (entitlement < 1) {
            lines.push_back("An entitlement below 1 WX covers no capacity");
        } else {
            append(lines, "Covered by " + numberToText(entitlement) + " WX:",
                   explainToCapacity(numberToText(entitlement), conversionName));
        }
        return lines;
    }
    }
}

} // namespace

} // namespace wexel
