#include "tiers/DataFiles.h"

#include "platform/AppFacts.h"
#include "platform/Numbers.h"
#include "platform/TextFileReader.h"

#include <cmath>
#include <optional>

namespace wexel {

ConversionTable& SlopeTable() {
    static ConversionTable table;
    return table;
}

std::string StripChar(const std::string& text, const std::string& ch);

namespace {

// The split of SplitToCollection as views into `text`, for the loader's hot loop.
void splitViews(std::string_view text, std::string_view delim, std::vector<std::string_view>& out) {
    out.clear();
    if (!delim.empty()) {
        for (std::size_t p = text.find(delim); p != std::string_view::npos; p = text.find(delim)) {
            out.push_back(text.substr(0, p));
            text.remove_prefix(p + delim.size());
        }
    }
    if (!text.empty()) {
        out.push_back(text);
    }
}

std::string_view stripView(std::string_view text, std::string_view ch) {
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

} // namespace

std::vector<std::string> SplitToCollection(const std::string& text, const std::string& delim,
                                           std::int32_t minCount) {
    std::vector<std::string_view> views;
    splitViews(text, delim, views);
    std::vector<std::string> result(views.begin(), views.end());
    while (static_cast<std::int64_t>(result.size()) < minCount) {
        result.emplace_back(" ");
    }
    return result;
}

namespace {

const std::string kQuote = "\"";

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// Reads one data file and hands each non-empty line to `record`. A problem
// in a line is thrown, or handed to `onProblem` and the line skipped.
template <class Record>
void readRecords(const std::string& folder, const char* fileName,
                 const std::function<void(const DataFileProblem&)>& onProblem, Record record) {
    const std::string path = joinPath(folder, fileName);
    auto problem = [&](int line, const RuntimeError& error) {
        if (!onProblem) {
            throw error;
        }
        onProblem(DataFileProblem{fileName, line, error});
    };
    std::optional<TextFileReader> reader;
    try {
        reader.emplace(path);
    } catch (const RuntimeError& error) {
        problem(0, error);
        return;
    }
    while (!reader->atEnd()) {
        std::string_view line = reader->readLine();
        if (line.empty()) {
            continue;
        }
        try {
            record(line, reader->lineNumber());
        } catch (const RuntimeError& error) {
            problem(reader->lineNumber(), error);
        }
    }
}

// The cleaned field `n` (1-based). A missing field is the collection's
// subscript error, described with file, line and field count.
std::string_view field(const std::vector<std::string_view>& fields, std::size_t n,
                       std::size_t needed, const char* fileName, int line) {
    if (n > fields.size()) {
        raise(ErrorNumber::SubscriptOutOfRange,
              std::string(fileName) + " line " + std::to_string(line) + " has " +
                  std::to_string(fields.size()) + (fields.size() == 1 ? " field, " : " fields, ") +
                  std::to_string(needed) + " needed");
    }
    return stripView(fields[n - 1], kQuote);
}

// A numeric field of the tier file read by the leading-number rule.
double number(std::string_view text, const char* what, int fieldNo, int line) {
    try {
        return readLeadingNumber(text);
    } catch (const RuntimeError&) {
        raise(ErrorNumber::Overflow, std::string("the ") + what + " " + quoted(text) +
                                         " in field " + std::to_string(fieldNo) + " of " +
                                         kTiersFileName + " line " + std::to_string(line) +
                                         " is too large");
    }
}

std::int32_t capacity(std::string_view text, const char* what, int fieldNo, int line) {
    const double value = number(text, what, fieldNo, line);
    try {
        return roundToInt32(value);
    } catch (const RuntimeError&) {
        raise(ErrorNumber::Overflow, std::string("the ") + what + " " + quoted(text) +
                                         " in field " + std::to_string(fieldNo) + " of " +
                                         kTiersFileName + " line " + std::to_string(line) +
                                         " is outside the 32-bit range");
    }
}

} // namespace

std::string StripChar(const std::string& text, const std::string& ch) {
    return std::string(stripView(text, ch));
}

namespace {

struct NamedLine {
    std::string name;
    int line = 0;
    std::size_t position = 0; // of the conversion in the table, from 1
};

} // namespace

ConversionTable ReadDataFiles(const std::string& folder,
                              const std::function<void(const DataFileProblem&)>& onProblem) {
    ConversionTable table;
    KeyedCollection<NamedLine> nameByCode;
    KeyedCollection<int> lineByName;
    std::vector<std::string_view> fields;

    readRecords(folder, kNamesFileName, onProblem, [&](std::string_view text, int line) {
        splitViews(text, ",", fields);
        const std::string units(field(fields, 3, 3, kNamesFileName, line));
        const std::string name(field(fields, 2, 3, kNamesFileName, line));
        const std::string code(field(fields, 1, 3, kNamesFileName, line));
        if (const int* first = lineByName.find(name)) {
            raise(ErrorNumber::DuplicateKey,
                  "the conversion name " + quoted(name) + " on " + kNamesFileName + " line " +
                      std::to_string(line) + " is already used on line " + std::to_string(*first) +
                      " (letter case is ignored)");
        }
        if (const NamedLine* first = nameByCode.find(code)) {
            raise(ErrorNumber::DuplicateKey, "the conversion code " + quoted(code) + " on " +
                                                 kNamesFileName + " line " + std::to_string(line) +
                                                 " is already used on line " +
                                                 std::to_string(first->line));
        }
        table.add(Conversion{name, units, {}, line, {}}, name);
        lineByName.add(line, name);
        nameByCode.add(NamedLine{name, line, table.count()}, code);
    });

    readRecords(folder, kTiersFileName, onProblem, [&](std::string_view text, int line) {
        splitViews(text, ",", fields);
        // A line with anything in its exclusion mark is ignored as a whole.
        if (!trimBlanks(field(fields, 4, 4, kTiersFileName, line)).empty()) {
            return;
        }
        clsTier tier;
        const std::int32_t lMin =
            capacity(field(fields, 2, 5, kTiersFileName, line), "lowest capacity", 2, line);
        const std::int32_t lMax =
            capacity(field(fields, 3, 5, kTiersFileName, line), "highest capacity", 3, line);
        const double dSlope = number(field(fields, 5, 5, kTiersFileName, line), "slope", 5, line);
        tier.Define(lMin, lMax, dSlope);
        const std::string_view code = field(fields, 1, 5, kTiersFileName, line);
        const NamedLine* named = nameByCode.find(code);
        if (named == nullptr) {
            raise(ErrorNumber::KeyNotFound, "the conversion code " + quoted(code) + " on " +
                                                kTiersFileName + " line " + std::to_string(line) +
                                                " is not in " + kNamesFileName);
        }
        Conversion& conversion = table.at(named->position);
        tier.setSlopeName(named->name);
        tier.setUnits(conversion.units);
        conversion.tiers.push_back(std::move(tier));
        conversion.tierLines.push_back(line);
    });

    return table;
}

void LoadDataFiles(const std::string& folder) {
    ConversionTable table = ReadDataFiles(folder);
    SlopeTable() = std::move(table);
}

} // namespace wexel
