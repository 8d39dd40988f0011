#include "cli/TextOutput.h"

#include "app/ModGlobals.h"
#include "platform/Text.h"

#include <algorithm>

namespace wexel::cli {

std::string jsonString(std::string_view text) {
    static const char* const hex = "0123456789abcdef";
    std::string out = "\"";
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        const std::size_t length = c < 0x80 ? 1 : utf8SequenceLength(text);
        if (length == 0) {
            out += windows1252ToUtf8(text.substr(0, 1));
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += text.substr(0, length);
        }
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out + "\"";
}

void JsonObject::key(std::string_view key) {
    if (text_.size() > 1) {
        text_ += ',';
    }
    text_ += jsonString(key);
    text_ += ':';
}

JsonObject& JsonObject::add(std::string_view k, std::string_view text) {
    key(k);
    text_ += jsonString(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, std::int64_t number) {
    key(k);
    text_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view k, std::string_view json) {
    key(k);
    text_ += json;
    return *this;
}

std::string csvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return std::string(text);
    }
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

std::string shownAsBox(const Capture::Shown& shown) {
    if (!shown.isError) {
        return shown.message;
    }
    return errorBoxText(shown.number, shown.description, shown.location, shown.message, "\n");
}

std::string shownOnOneLine(const Capture::Shown& shown) {
    if (!shown.isError) {
        return shown.message;
    }
    std::string text = "error " + shown.number + " in " + shown.location + ": " + shown.description;
    return shown.message.empty() ? text : text + " (" + shown.message + ")";
}

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

} // namespace wexel::cli
