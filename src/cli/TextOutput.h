#pragma once
// How wexel-calc writes: JSON lines, CSV, and the boxes the window would
// have shown.

#include "platform/Ports.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wexel::cli {

// `text` as a JSON string literal, quotes included. Control characters are
// escaped; bytes that are not well-formed UTF-8 are read as Windows-1252, as
// the data files are, so the result is always valid JSON.
std::string jsonString(std::string_view text);

// One JSON object, built key by key and written on one line.
class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) {
        return add(key, std::string_view(text));
    }
    JsonObject& add(std::string_view key, std::int64_t number);
    JsonObject& add(std::string_view key, int number) { return add(key, std::int64_t{number}); }
    // A value that is already JSON (a number text, an array, null).
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return text_ + "}"; }

private:
    void key(std::string_view key);
    std::string text_ = "{";
};

// A field for a CSV line: quoted (quotes doubled) when it holds a comma, a
// quote, a line break, or blanks at either end.
std::string csvField(std::string_view text);

// A shown box as text: an error box with its lines (headline, blank line,
// location, number, description), or a message as it is.
std::string shownAsBox(const Capture::Shown& shown);

// The same on one line, for reports that go line by line.
std::string shownOnOneLine(const Capture::Shown& shown);

// Splits one CSV line into its fields: commas separate, a field may be quoted
// with doubled quotes inside. False for a quote that is never closed or text
// after a closing quote.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields);

} // namespace wexel::cli
