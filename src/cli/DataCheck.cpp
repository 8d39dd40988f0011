#include "cli/DataCheck.h"

#include "platform/AppFacts.h"
#include "platform/Numbers.h"
#include "platform/TextFileReader.h"
#include "tiers/DataFiles.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace wexel::cli {

namespace {

// The conversion the window shows while no conversion is chosen.
constexpr const char* kDefaultConversion = "WXE007";

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

char32_t foldCodePoint(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20; // ASCII and Latin-1
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return c | 1; // Latin Extended-A, capitals even
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c & 1) != 0 ? c + 1 : c; // capitals odd
    }
    if (c == 0x178) {
        return 0xFF; // Y with diaeresis
    }
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20; // Greek, Cyrillic
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

// What loads but will hurt.
void warnAbout(const ConversionTable& table, bool namesUnreadable, bool tiersUnreadable,
               std::vector<Finding>& out) {
    auto warn = [&](const char* file, int line, std::string text) {
        out.push_back(Finding{file, line, Finding::Severity::Warning, std::move(text), 0});
    };

    if (!namesUnreadable && table.find(kDefaultConversion) == nullptr) {
        warn(kNamesFileName, 0,
             std::string("no conversion is named ") + quoted(kDefaultConversion) +
                 ": the window shows its unit panel while no conversion is chosen and "
                 "reports an error at every start");
    }

    std::unordered_map<std::string, const Conversion*> byFoldedName;
    for (const auto& entry : table) {
        const Conversion& c = entry.item;
        const std::string folded = foldLetterCase(c.name);
        auto [it, fresh] = byFoldedName.emplace(folded, &c);
        if (!fresh) {
            warn(kNamesFileName, c.line,
                 "the conversion name " + quoted(c.name) + " differs from " +
                     quoted(it->second->name) + " on line " + std::to_string(it->second->line) +
                     " only in letter case");
        }
        if (c.units != "MSU" && c.units != "MSG" && c.units != "ENG") {
            warn(kNamesFileName, c.line,
                 "the unit code " + quoted(c.units) + " of " + quoted(c.name) +
                     " is not MSU, MSG or ENG: the window shows no unit panel for it");
        }
        if (c.tiers.empty()) {
            if (tiersUnreadable) {
                continue; // already said once for the whole file
            }
            warn(kNamesFileName, c.line,
                 "the conversion " + quoted(c.name) + " has no tiers in " + kTiersFileName +
                     ": the window reports it at every start and leaves it out of its list");
            continue;
        }
        for (std::size_t i = 0; i < c.tiers.size(); ++i) {
            const clsTier& tier = c.tiers[i];
            const int line = i < c.tierLines.size() ? c.tierLines[i] : 0;
            if (i > 0 && tier.MinCap() <= c.tiers[i - 1].MinCap()) {
                warn(kTiersFileName, line,
                     "the lowest capacity " + integerToText(tier.MinCap()) + " of " +
                         quoted(c.name) + " is not above " +
                         integerToText(c.tiers[i - 1].MinCap()) + " of the tier before (line " +
                         std::to_string(c.tierLines[i - 1]) +
                         "): tiers must ascend by lowest capacity");
            }
            if (i + 1 < c.tiers.size()) {
                const std::int64_t expected = std::int64_t{c.tiers[i + 1].MinCap()} - 1;
                if (tier.MaxCap() != expected) {
                    warn(kTiersFileName, line,
                         "the highest capacity " + integerToText(tier.MaxCap()) + " of " +
                             quoted(c.name) + " is not the next tier's lowest capacity minus 1 (" +
                             integerToText(expected) + ", line " +
                             std::to_string(c.tierLines[i + 1]) +
                             "): the band ends where the next tier begins");
                }
            }
            if (!(tier.Slope() > 0.0)) {
                warn(kTiersFileName, line,
                     "the slope " + numberToText(tier.Slope()) + " of " + quoted(c.name) +
                         " is not above 0: converting Wexels to capacity divides by it");
            }
        }
    }
}

} // namespace

std::string foldLetterCase(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (c >= 0x80 && (c < 0xC2 || i + length > text.size())) {
            out += text[i++]; // not UTF-8: left as it is
            continue;
        }
        char32_t cp = length == 1   ? c
                      : length == 2 ? (c & 0x1F)
                      : length == 3 ? (c & 0x0F)
                                    : (c & 0x07);
        for (std::size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        appendUtf8(out, foldCodePoint(cp));
        i += length;
    }
    return out;
}

std::vector<Finding> checkDataFiles(const std::string& folder) {
    std::vector<Finding> errors;
    const ConversionTable table = ReadDataFiles(folder, [&](const DataFileProblem& p) {
        errors.push_back(Finding{p.file, p.line, Finding::Severity::Error, p.error.description(),
                                 p.error.number()});
    });

    // Without the names file every tier line is "not in the names file":
    // that says nothing new.
    auto unreadable = [&](const char* file) {
        return std::any_of(errors.begin(), errors.end(),
                           [&](const Finding& e) { return e.file == file && e.line == 0; });
    };
    const bool namesUnreadable = unreadable(kNamesFileName);
    const bool tiersUnreadable = unreadable(kTiersFileName);
    if (namesUnreadable) {
        std::erase_if(errors, [](const Finding& e) {
            return e.file == kTiersFileName &&
                   e.number == static_cast<int>(ErrorNumber::KeyNotFound);
        });
    }

    std::vector<Finding> findings = errors;
    warnAbout(table, namesUnreadable, tiersUnreadable, findings);

    auto rank = [](const Finding& f) { return f.file == kNamesFileName ? 0 : 1; };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        if (rank(a) != rank(b)) {
            return rank(a) < rank(b);
        }
        // A warning about the file as a whole sums up: it goes after its lines.
        auto place = [](const Finding& f) {
            return f.line == 0 && f.severity == Finding::Severity::Warning
                       ? std::numeric_limits<int>::max()
                       : f.line;
        };
        return place(a) < place(b);
    });
    return findings;
}

} // namespace wexel::cli
