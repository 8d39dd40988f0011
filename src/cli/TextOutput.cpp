#include "cli/TextOutput.h"

#include "platform/Text.h"

namespace wexel::cli {

std::string jsonLine(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

namespace {

// A plain number ("-5", "+1.5E3") that a spreadsheet reads as the number it is.
bool looksNumeric(std::string_view text) {
    std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == 'E' || c == 'e') {
            return digits && looksNumeric(text.substr(i + 1)) &&
                   text.substr(i + 1).find_first_of(".,Ee") == std::string_view::npos;
        } else if (c != '.' && c != ',') {
            return false;
        }
    }
    return digits;
}

} // namespace

std::string csvField(std::string_view text) {
    // A field a spreadsheet would take as a formula is defused: quoted, and
    // led by an apostrophe, as OWASP's advice on CSV injection has it.
    const bool formula = !text.empty() &&
                         std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
                         !looksNumeric(text);
    const bool quote = formula || text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return std::string(text);
    }
    std::string out = formula ? "\"'" : "\"";
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

} // namespace wexel::cli
