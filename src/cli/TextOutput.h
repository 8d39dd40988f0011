#pragma once
// How wexel-calc writes: JSON lines, CSV, and the boxes the window would
// have shown.

#include "platform/Ports.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace wexel::cli {

// JSON objects keep their keys in the order given.
using Json = nlohmann::ordered_json;

// One JSON value on one line. Bytes that are not UTF-8 (only an argument
// typed in another encoding can have them) become U+FFFD.
std::string jsonLine(const Json& value);

// A field for a CSV line: quoted (quotes doubled) when it holds a comma, a
// quote, a line break, or blanks at either end.
std::string csvField(std::string_view text);

// Splits one CSV line into its fields: commas separate, a field may be quoted
// with doubled quotes inside. False for a quote that is never closed or text
// after a closing quote.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields);

} // namespace wexel::cli
