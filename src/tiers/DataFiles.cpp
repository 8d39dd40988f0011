#include "tiers/DataFiles.h"

#include "platform/Numbers.h"
#include "platform/Text.h"
#include "platform/TextFileReader.h"

#include <optional>
#include <set>

namespace wexel {

namespace {

ConversionTable& theSlopeTable() {
    static ConversionTable table;
    return table;
}

} // namespace

const ConversionTable& SlopeTable() {
    return theSlopeTable();
}

void setSlopeTable(ConversionTable table) {
    theSlopeTable() = std::move(table);
}

namespace {

TableSource& source() {
    static TableSource facts;
    return facts;
}

} // namespace

const TableSource& SlopeTableSource() {
    return source();
}

namespace {

std::string at(const char* fileName, int line) {
    return std::string(fileName) + " line " + std::to_string(line);
}

using ProblemHandler = std::function<void(const DataFileProblem&)>;

// Reads one data file and hands each non-empty line to `record`. A problem
// in a line is thrown, or handed to `onProblem` and the line skipped.
template <class Record>
void readRecords(const std::string& folder, const char* fileName, const ProblemHandler& onProblem,
                 Record record, TableSource* facts = nullptr) {
    auto problem = [&](int line, const RuntimeError& error) {
        if (!onProblem) {
            throw error;
        }
        onProblem(DataFileProblem{fileName, line, error});
    };
    std::optional<TextFileReader> reader;
    try {
        reader.emplace(joinPath(folder, fileName));
    } catch (const RuntimeError& error) {
        problem(0, error);
        return;
    }
    if (facts != nullptr) {
        *facts = TableSource{fileName, reader->modified(), reader->sha256()};
    }
    if (onProblem && reader->strayByteLine() > 0) {
        onProblem(DataFileProblem{
            fileName, reader->strayByteLine(),
            RuntimeError(0, "this line is not UTF-8, while line " +
                                std::to_string(reader->utf8TextLine()) +
                                " is: the whole file is read as Windows-1252, so its UTF-8 text "
                                "shows as other letters (save the file as UTF-8)"),
            true});
    }
    std::string line;
    while (reader->readLine(line)) {
        const int n = reader->lineNumber();
        try {
            if (reader->lineTooLong()) {
                raise(ErrorNumber::Overflow, at(fileName, n) + " is longer than " +
                                                 std::to_string(kMaxLineLength) + " characters");
            }
            // The mark that starts a file, inside one: two files joined.
            // Said here, rather than as a code no other line has.
            if (line.starts_with("\xEF\xBB\xBF")) {
                raise(ErrorNumber::TypeMismatch,
                      at(fileName, n) +
                          " starts with a byte-order mark, which begins a file: two files "
                          "were joined into one (remove the mark)");
            }
            if (!line.empty()) {
                record(line, n);
            }
        } catch (const RuntimeError& error) {
            problem(n, error);
        }
    }
}

// The cleaned field `n` (1-based). A missing field is the collection's
// subscript error, described with file, line and field count.
std::string_view field(const std::vector<std::string_view>& fields, std::size_t n,
                       std::size_t needed, const char* fileName, int line) {
    if (n > fields.size()) {
        raise(ErrorNumber::SubscriptOutOfRange,
              at(fileName, line) + " has " + std::to_string(fields.size()) +
                  (fields.size() == 1 ? " field, " : " fields, ") + std::to_string(needed) +
                  " needed");
    }
    return StripChar(fields[n - 1], "\"");
}

[[noreturn]] void outOfRange(std::string_view text, const char* what, int fieldNo, int line,
                             const char* why) {
    raise(ErrorNumber::Overflow, std::string("the ") + what + " " + inQuotes(text) + " in field " +
                                     std::to_string(fieldNo) + " of " + at(kTiersFileName, line) +
                                     " is " + why);
}

// A numeric field of the tier file, read by the leading-number rule.
double number(std::string_view text, const char* what, int fieldNo, int line) {
    try {
        return readLeadingNumber(text);
    } catch (const RuntimeError&) {
        outOfRange(text, what, fieldNo, line, "too large");
    }
}

std::int32_t capacity(std::string_view text, const char* what, int fieldNo, int line) {
    const double value = number(text, what, fieldNo, line);
    try {
        return roundToInt32(value);
    } catch (const RuntimeError&) {
        outOfRange(text, what, fieldNo, line, "outside the 32-bit range");
    }
}

} // namespace

void SplitToCollection(std::string_view text, std::string_view delim, std::int32_t minCount,
                       std::vector<std::string_view>& pieces) {
    pieces.clear();
    if (!delim.empty()) {
        for (std::size_t p = text.find(delim); p != std::string_view::npos; p = text.find(delim)) {
            pieces.push_back(text.substr(0, p));
            text.remove_prefix(p + delim.size());
        }
    }
    if (!text.empty()) {
        pieces.push_back(text);
    }
    while (static_cast<std::int64_t>(pieces.size()) < minCount) {
        pieces.emplace_back(" ");
    }
}

std::string_view StripChar(std::string_view text, std::string_view ch) {
    std::string_view t = trimBlanks(text);
    if (!ch.empty()) {
        if (t.size() >= ch.size() && t.substr(t.size() - ch.size()) == ch) {
            t.remove_suffix(ch.size());
        }
        if (t.size() >= ch.size() && t.substr(0, ch.size()) == ch) {
            t.remove_prefix(ch.size());
        }
    }
    return trimBlanks(t);
}

ConversionTable ReadDataFiles(const std::string& folder, const ProblemHandler& onProblem,
                              TableSource* tableSource) {
    ConversionTable table;
    // The position (from 1) of each code's conversion in the table.
    KeyedCollection<std::size_t> positionByCode;
    std::vector<std::string_view> fields;
    std::set<std::size_t> tooManyTiers; // positions of conversions said to have too many
    // Codes of names lines refused already: their tiers are not reported again.
    KeyedCollection<int> refusedCodes;

    readRecords(folder, kNamesFileName, onProblem, [&](std::string_view text, int line) {
        SplitToCollection(text, ",", 0, fields);
        const std::string units(field(fields, 3, 3, kNamesFileName, line));
        const std::string name(field(fields, 2, 3, kNamesFileName, line));
        const std::string code(field(fields, 1, 3, kNamesFileName, line));
        if (const Conversion* first = table.find(name)) {
            if (refusedCodes.find(code) == nullptr && positionByCode.find(code) == nullptr) {
                refusedCodes.add(line, code);
            }
            raise(ErrorNumber::DuplicateKey,
                  "the conversion name " + inQuotes(name) + " on " + at(kNamesFileName, line) +
                      " is already used on line " + std::to_string(first->line) +
                      " (letter case is ignored)");
        }
        if (const std::size_t* first = positionByCode.find(code)) {
            raise(ErrorNumber::DuplicateKey,
                  "the conversion code " + inQuotes(code) + " on " + at(kNamesFileName, line) +
                      " is already used on line " + std::to_string(table.at(*first).line));
        }
        table.add(Conversion{code, name, units, {}, line, {}}, name);
        positionByCode.add(table.count(), code);
    });

    readRecords(
        folder, kTiersFileName, onProblem,
        [&](std::string_view text, int line) {
            SplitToCollection(text, ",", 0, fields);
            // A line with anything in its exclusion mark is ignored as a whole.
            if (!trimBlanks(field(fields, 4, 4, kTiersFileName, line)).empty()) {
                return;
            }
            clsTier tier;
            const std::int32_t lMin =
                capacity(field(fields, 2, 5, kTiersFileName, line), "lowest capacity", 2, line);
            const std::int32_t lMax =
                capacity(field(fields, 3, 5, kTiersFileName, line), "highest capacity", 3, line);
            const double dSlope =
                number(field(fields, 5, 5, kTiersFileName, line), "slope", 5, line);
            tier.Define(lMin, lMax, dSlope);
            const std::string_view code = field(fields, 1, 5, kTiersFileName, line);
            const std::size_t* position = positionByCode.find(code);
            if (position == nullptr) {
                if (refusedCodes.find(code) != nullptr) {
                    return;
                }
                raise(ErrorNumber::KeyNotFound, "the conversion code " + inQuotes(code) + " on " +
                                                    at(kTiersFileName, line) + " is not in " +
                                                    kNamesFileName);
            }
            Conversion& conversion = table.at(*position);
            // The tier count is 16-bit: one more tier could not be counted, and
            // every calculation of the conversion would silently give 0. Said
            // once; the conversion's further lines add nothing.
            if (conversion.tiers.size() >= kMaxTiers) {
                if (!tooManyTiers.insert(*position).second) {
                    return;
                }
                raise(ErrorNumber::Overflow, "the conversion " + inQuotes(conversion.name) +
                                                 " on " + at(kTiersFileName, line) +
                                                 " gets more than " + std::to_string(kMaxTiers) +
                                                 " tiers");
            }
            if (conversion.tiers.empty()) {
                tier.setSlopeName(conversion.name);
                tier.setUnits(conversion.units);
            } else {
                tier.shareFacts(conversion.tiers.front());
            }
            conversion.tiers.push_back(std::move(tier));
            conversion.tierLines.push_back(line);
        },
        tableSource);

    return table;
}

void LoadDataFiles(const std::string& folder) {
    if (folder.empty()) {
        // Never the current folder, whose files may be anyone's.
        raise(ErrorNumber::PathFileAccess, "The program's own folder cannot be found");
    }
    TableSource facts;
    ConversionTable table = ReadDataFiles(folder, {}, &facts);
    // The table lives as long as the program: no room kept for tiers to come.
    for (std::size_t position = 1; position <= table.count(); ++position) {
        table.at(position).tiers.shrink_to_fit();
        table.at(position).tierLines.shrink_to_fit();
    }
    setSlopeTable(std::move(table));
    source() = std::move(facts);
}

} // namespace wexel
