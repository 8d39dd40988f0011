#include "cli/DataCheck.h"

#include "cli/TextOutput.h"
#include "cli/WexelCalc.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "platform/TextFileReader.h"
#include "tiers/DataFiles.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <limits>
#include <map>

namespace wexel::cli {

namespace {

// What loads but will hurt.
void warnAbout(const ConversionTable& table, bool namesUnreadable, bool tiersUnreadable,
               std::vector<DataFileProblem>& out) {
    auto warn = [&](const char* file, int line, const std::string& text) {
        out.push_back(DataFileProblem{file, line, RuntimeError(0, text), true});
    };

    if (!namesUnreadable && table.find(kDefaultConversion) == nullptr) {
        warn(kNamesFileName, 0,
             std::string("no conversion is named ") + inQuotes(kDefaultConversion) +
                 ": the window shows its unit panel while no conversion is chosen and "
                 "reports an error at every start");
    }

    // Names that load as different conversions but read the same.
    std::map<std::string, const Conversion*> lookAlikes[2];
    for (const auto& entry : table) {
        const Conversion& c = entry.item;
        for (const std::string* text : {&c.code, &c.name, &c.units}) {
            if (hasControlCharacter(*text)) {
                warn(kNamesFileName, c.line,
                     inQuotes(printable(*text)) +
                         " holds control characters, which no one can see or type");
            }
        }
        if (const std::string why = deceptiveCharacters(c.name); !why.empty()) {
            warn(kNamesFileName, c.line,
                 "the name " + inQuotes(c.name) + " holds " + why +
                     ": it reads like a name it is not");
        }
        const std::array<std::string, 2> keys = lookAlikeKeys(c.name);
        const Conversion* like = nullptr;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const auto [first, added] = lookAlikes[i].emplace(keys[i], &c);
            like = like != nullptr || added ? like : first->second;
        }
        if (like != nullptr) {
            warn(kNamesFileName, c.line,
                 "the name " + inQuotes(c.name) + " looks like " + inQuotes(like->name) +
                     " (line " + std::to_string(like->line) +
                     "): a user cannot tell which is which");
        }
        if (characterCount(c.name) > kNameShownWhole) {
            warn(kNamesFileName, c.line,
                 "the name " + inQuotes(c.name) + " has " + std::to_string(characterCount(c.name)) +
                     " characters: the window's "
                     "Conversion Type list shows " +
                     std::to_string(kNameShownWhole) +
                     " whole, and this one cut, with the whole name in its tooltip");
        }
        if (std::find(std::begin(kUnitCodes), std::end(kUnitCodes), c.units) ==
            std::end(kUnitCodes)) {
            warn(kNamesFileName, c.line,
                 "the unit code " + inQuotes(c.units) + " of " + inQuotes(c.name) +
                     " is not MSU, MSG or ENG: the window shows no unit panel for it");
        }
        if (c.tiers.empty()) {
            if (tiersUnreadable) {
                continue; // already said once for the whole file
            }
            warn(kNamesFileName, c.line,
                 "the conversion " + inQuotes(c.name) + " has no tiers in " + kTiersFileName +
                     ": the window reports it at every start and leaves it out of its list");
            continue;
        }
        for (std::size_t i = 0; i < c.tiers.size(); ++i) {
            const clsTier& tier = c.tiers[i];
            const int line = i < c.tierLines.size() ? c.tierLines[i] : 0;
            if (i > 0 && tier.MinCap() <= c.tiers[i - 1].MinCap()) {
                warn(kTiersFileName, line,
                     "the lowest capacity " + integerToText(tier.MinCap()) + " of " +
                         inQuotes(c.name) + " is not above " +
                         integerToText(c.tiers[i - 1].MinCap()) + " of the tier before (line " +
                         std::to_string(c.tierLines[i - 1]) +
                         "): tiers must ascend by lowest capacity");
            }
            if (i + 1 < c.tiers.size()) {
                const std::int64_t expected = std::int64_t{c.tiers[i + 1].MinCap()} - 1;
                if (tier.MaxCap() != expected) {
                    warn(kTiersFileName, line,
                         "the highest capacity " + integerToText(tier.MaxCap()) + " of " +
                             inQuotes(c.name) +
                             " is not the next tier's lowest capacity minus 1 (" +
                             integerToText(expected) + ", line " +
                             std::to_string(c.tierLines[i + 1]) +
                             "): the band ends where the next tier begins");
                }
            }
            if (tier.MinCap() == std::numeric_limits<std::int32_t>::min() && c.tiers.size() > 1) {
                warn(kTiersFileName, line,
                     "the lowest capacity " + integerToText(tier.MinCap()) + " of " +
                         inQuotes(c.name) +
                         " leaves no room below it: calculations that reach this tier report an "
                         "overflow");
            }
            if (!(tier.Slope() > 0.0)) {
                warn(kTiersFileName, line,
                     "the slope " + numberToText(tier.Slope()) + " of " + inQuotes(c.name) +
                         " is not above 0: converting Wexels to capacity divides by it");
            }
        }
    }
}

} // namespace

namespace {

namespace fs = std::filesystem;

// When a file last changed, as far as the file system tells.
struct Stamp {
    std::uintmax_t size = 0;
    fs::file_time_type modified{};
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const std::string& path) {
    std::error_code ec;
    Stamp stamp;
    stamp.size = fs::file_size(nativePath(path), ec);
    stamp.modified = fs::last_write_time(nativePath(path), ec);
    return stamp;
}

} // namespace

std::vector<DataFileProblem> checkDataFiles(const std::string& folder) {
    std::vector<DataFileProblem> errors;
    std::vector<DataFileProblem> textWarnings;
    const Stamp namesBefore = stampOf(joinPath(folder, kNamesFileName));
    const Stamp tiersBefore = stampOf(joinPath(folder, kTiersFileName));
    const ConversionTable table = ReadDataFiles(folder, [&](const DataFileProblem& p) {
        (p.warning ? textWarnings : errors).push_back(p);
    });
    // A file written to while it was read may have been read half old, half new.
    for (const auto& [file, before] :
         {std::pair{kNamesFileName, namesBefore}, std::pair{kTiersFileName, tiersBefore}}) {
        if (!(stampOf(joinPath(folder, file)) == before)) {
            textWarnings.push_back(DataFileProblem{
                file, 0,
                RuntimeError(0, "the file changed while it was read: what is reported here may "
                                "hold parts of two versions of it; check it again"),
                true});
        }
    }

    // Without the names file every tier line is "not in the names file":
    // that says nothing new.
    auto unreadable = [&](const char* file) {
        return std::any_of(errors.begin(), errors.end(),
                           [&](const DataFileProblem& e) { return e.file == file && e.line == 0; });
    };
    const bool namesUnreadable = unreadable(kNamesFileName);
    const bool tiersUnreadable = unreadable(kTiersFileName);
    if (namesUnreadable) {
        std::erase_if(errors, [](const DataFileProblem& e) {
            return e.file == kTiersFileName &&
                   e.error.number() == static_cast<int>(ErrorNumber::KeyNotFound);
        });
    }

    std::vector<DataFileProblem> findings = errors;
    findings.insert(findings.end(), textWarnings.begin(), textWarnings.end());
    warnAbout(table, namesUnreadable, tiersUnreadable, findings);

    auto rank = [](const DataFileProblem& f) { return f.file == kNamesFileName ? 0 : 1; };
    std::stable_sort(findings.begin(), findings.end(), [&](const auto& a, const auto& b) {
        if (rank(a) != rank(b)) {
            return rank(a) < rank(b);
        }
        // A warning about the file as a whole sums up: it goes after its lines.
        auto place = [](const DataFileProblem& f) {
            return f.line == 0 && f.warning ? std::numeric_limits<int>::max() : f.line;
        };
        return place(a) < place(b);
    });
    return findings;
}

int checkCommand(const std::string& folder, bool json, std::ostream& out, std::ostream& err) {
    int errors = 0;
    int warnings = 0;
    for (const DataFileProblem& f : checkDataFiles(folder)) {
        const bool isError = !f.warning;
        (isError ? errors : warnings) += 1;
        const std::string path = joinPath(folder, f.file);
        if (json) {
            Json object{{"file", path},
                        {"line", f.line},
                        {"severity", isError ? "error" : "warning"},
                        {"text", f.error.description()}};
            if (isError) {
                object["number"] = f.error.number();
            }
            out << jsonLine(object) << '\n';
        } else {
            out << printable(path) << ':' << f.line << ": " << (isError ? "error: " : "warning: ")
                << printable(f.error.description()) << '\n';
        }
    }
    err << errors << (errors == 1 ? " error, " : " errors, ") << warnings
        << (warnings == 1 ? " warning" : " warnings") << '\n';
    return errors > 0 ? Refused : warnings > 0 ? Failed : Done;
}

} // namespace wexel::cli
