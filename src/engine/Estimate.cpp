#include "engine/Estimate.h"

#include "engine/Sentences.h"
#include "engine/Working.h"
#include "platform/Ports.h"
#include "tiers/DataFiles.h"
#include "tiers/TierQueries.h"

namespace wexel {

namespace {

// Enough of the checksum to tell tables apart, as `sha256sum` starts it.
constexpr std::size_t kChecksumShown = 12;

} // namespace

std::string estimateText(int calculator, const Panel& panel, const std::string& conversionName,
                         bool withWorking) {
    std::string unit;
    try {
        unit = GetSlopeUnits(conversionName);
    } catch (const RuntimeError&) {
        // No such conversion: the sentence keeps the unit it was written for.
        unit = "MSU";
    }
    const TableSource& source = SlopeTableSource();
    std::string text = std::string(kAppTitle) + " estimate\n";
    text += "Conversion: " + conversionName + " (" + unit + ")\n";
    text += sentenceText(calculator, unit, &panel) + "\n";
    if (source.tierFile.empty()) {
        text += "Tier table: not read from a file\n";
    } else {
        text += "Tier table: " + source.tierFile + " of " + source.modified + ", SHA-256 " +
                source.sha256.substr(0, kChecksumShown) + "\n";
    }
    if (withWorking) {
        text += "Working:\n";
        for (const std::string& line : explainCalculator(calculator, panel, conversionName)) {
            text += line + "\n";
        }
    }
    return text;
}

} // namespace wexel
