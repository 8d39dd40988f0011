#pragma once
// How wexel-calc writes: JSON lines and CSV fields.

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
// quote, a line break, or blanks at either end. A field that begins as a
// spreadsheet formula would (=, +, -, @, tab, CR) and is no plain number is
// quoted and led by an apostrophe, so that opening the file runs nothing.
std::string csvField(std::string_view text);

} // namespace wexel::cli
