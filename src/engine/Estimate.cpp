#include "engine/Estimate.h"

#include "engine/Sentences.h"
#include "engine/Working.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"
#include "tiers/TierQueries.h"

#include <algorithm>
#include <ctime>

namespace wexel {

namespace {

// Enough of the checksum to tell tables apart, as `sha256sum` starts it.
constexpr std::size_t kChecksumShown = 12;

// ISO 8601 in local time with the offset from UTC: 2026-12-07T22:51:00+00:00.
std::string isoDateTime(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    // strftime writes +0000; a C library that writes a zone's name there
    // instead leaves the time without its offset rather than a wrong one.
    if (iso.size() == 24 && (iso[19] == '+' || iso[19] == '-')) {
        iso.insert(22, ":");
    } else {
        iso.resize(std::min<std::size_t>(iso.size(), 19));
    }
    return iso;
}

} // namespace

std::string estimateText(int calculator, const Panel& panel, const std::string& conversionName,
                         bool withWorking, std::chrono::system_clock::time_point when) {
    std::string unit;
    try {
        unit = GetSlopeUnits(conversionName);
    } catch (const RuntimeError&) {
        // No such conversion: the sentence keeps the unit it was written for.
        unit = "MSU";
    }
    const TableSource& source = SlopeTableSource();
    std::string text = std::string(kAppTitle) + " estimate\n";
    text += "Date: " + isoDateTime(when) + "\n";
    // The name as a terminal or a mail may show it: no control characters.
    text += "Conversion: " + printable(conversionName) + " (" + unit + ")\n";
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
    text += std::string(kDisclaimer) + "\n";
    return text;
}

std::string estimateRefusal(int calculator, const Panel& panel, const std::string& conversionName) {
    try {
        static_cast<void>(GetSlopeUnits(conversionName));
    } catch (const RuntimeError&) {
        return "no conversion is chosen";
    }
    for (const SentencePiece& piece : sentences().at(static_cast<std::size_t>(calculator - 1))) {
        if (piece.kind == PieceKind::Output &&
            panel.labels[static_cast<std::size_t>(piece.slot)]->caption() == "ERR") {
            return "a field holds no number the calculator takes";
        }
    }
    return "";
}

} // namespace wexel
