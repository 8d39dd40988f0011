#include "cli/Batch.h"

#include "cli/TextOutput.h"
#include "cli/WexelCalc.h"
#include "engine/MemoryPanel.h"
#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "platform/TextFileReader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <vector>

namespace wexel::cli {

namespace {

// Blank as everywhere in the program: the blank character only.
bool isBlankLine(std::string_view line) {
    return trimBlanks(line).empty();
}

// Splits one CSV line into its fields: commas separate, a field may be quoted
// with doubled quotes inside. False for a quote that is never closed or text
// after a closing quote.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t pos = 0;
    while (true) {
        std::string field;
        if (pos < line.size() && line[pos] == '"') {
            ++pos;
            bool closed = false;
            while (pos < line.size()) {
                if (line[pos] == '"') {
                    if (pos + 1 < line.size() && line[pos + 1] == '"') {
                        field += '"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    closed = true;
                    break;
                }
                field += line[pos++];
            }
            if (!closed || (pos < line.size() && line[pos] != ',')) {
                return false;
            }
        } else {
            const std::size_t comma = line.find(',', pos);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            field.assign(line.substr(pos, end - pos));
            pos = end;
        }
        fields.push_back(std::move(field));
        if (pos >= line.size()) {
            return true;
        }
        ++pos; // the comma
        if (pos == line.size()) {
            fields.emplace_back(); // a line ending in a comma has an empty last field
            return true;
        }
    }
}

bool isHeader(std::string_view line) {
    const std::string folded = foldKey(trimBlanks(line));
    return folded == "capacity" || folded == "label,capacity";
}

} // namespace

BatchResult runBatch(const std::string& conversionName, std::istream& in, std::ostream& out,
                     std::ostream& err, bool json, Capture& capture) {
    BatchResult result;
    MemoryPanel panel(conversionName);
    panel.keepWorking(false); // a batch explains nothing
    std::string line;
    std::string output;
    std::vector<std::string> fields;
    bool seenContent = false;

    if (!json) {
        out << "label,capacity,wexels\n";
    }
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        return result;
    }
    LineReader lines(*buffer);
    // What is written goes out whenever reading would wait for more input,
    // so a batch fed line by line answers line by line. Nothing more is
    // computed once the output has failed.
    while (out && (buffer->in_avail() > 0 || out.flush()) && lines.next(line)) {
        const std::uint64_t n = ++result.lines;
        auto say = [&](const std::string& text) { err << "line " << n << ": " << text << '\n'; };
        auto bad = [&](const std::string& text) {
            say(text);
            ++result.bad;
        };
        if (lines.tooLong()) {
            bad("the line is longer than " + std::to_string(kMaxLineLength) + " characters");
            seenContent = true;
            continue;
        }
        if (isBlankLine(line)) {
            continue;
        }
        if (!seenContent) {
            seenContent = true;
            if (isHeader(line)) {
                continue;
            }
        }
        if (!splitCsvLine(line, fields) || fields.size() > 2) {
            bad("expected a capacity, or a label, a comma and a capacity");
            continue;
        }
        const std::string& capacity = fields.back();
        if (trimBlanks(capacity).empty()) {
            bad("no capacity");
            continue;
        }
        // As for the calculator commands: no more than the window's field takes.
        const int limit = panelFieldMaxLength(FieldCalc1Capacity);
        if (characterCount(capacity) > limit) {
            bad("the capacity is longer than " + std::to_string(limit) + " characters");
            continue;
        }

        capture.shown.clear();
        panel.preset(FieldCalc1Capacity, capacity);
        panel.change(FieldCalc1Capacity);
        if (!capture.shown.empty()) {
            for (const Capture::Shown& shown : capture.shown) {
                say(inQuotes(capacity) + ": " + shown.onOneLine());
            }
            ++result.bad;
            continue;
        }

        const std::string label = fields.size() == 2 ? fields.front() : std::string();
        const std::string& wexels = panel.caption(LabelCalc1Wexels);
        if (json) {
            output = jsonLine(
                {{"line", n}, {"label", label}, {"capacity", capacity}, {"wexels", wexels}});
        } else {
            output = csvField(printable(label)); // no raw control bytes, always UTF-8
            output += ',';
            output += csvField(capacity);
            output += ',';
            output += csvField(wexels);
        }
        output += '\n';
        out.write(output.data(), static_cast<std::streamsize>(output.size()));
        ++result.written;
    }
    return result;
}

int batchCommand(const std::string& conversionName, const std::string& path, std::istream& in,
                 std::ostream& out, std::ostream& err, bool json, Capture& capture) {
    std::ifstream file;
    std::istream* input = &in;
    const bool fromFile = path != "-";
    if (fromFile) {
        // A folder opens but cannot be read: say so before starting.
        std::error_code ec;
        if (std::filesystem::is_directory(nativePath(path), ec)) {
            err << kProgram << ": cannot open " << printable(path) << ": it is a folder\n";
            return Refused;
        }
        file.open(nativePath(path), std::ios::binary);
        if (!file) {
            err << kProgram << ": cannot open " << printable(path) << '\n';
            return Refused;
        }
        input = &file;
    }
    BatchResult result;
    try {
        result = runBatch(conversionName, *input, out, err, json, capture);
    } catch (const std::ios_base::failure&) {
        // The stream library throws where a read fails outright, as it
        // does on a folder given as standard input.
        const int error = errno;
        err << kProgram << ": cannot read "
            << (fromFile ? printable(path) : std::string("standard input")) << ": "
            << std::strerror(error) << '\n';
        return Refused;
    }
    if (input->bad()) {
        err << kProgram << ": reading "
            << (fromFile ? printable(path) : std::string("standard input")) << " failed after line "
            << result.lines << '\n';
        return Failed;
    }
    if (result.bad > 0) {
        err << result.bad << (result.bad == 1 ? " bad line" : " bad lines") << " of "
            << result.lines << " skipped\n";
        return Failed;
    }
    return Done;
}

} // namespace wexel::cli
