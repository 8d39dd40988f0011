#include "cli/TextOutput.h"

#include "platform/TextFileReader.h"

namespace wexel::cli {

namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0.
std::size_t utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    // isValidUtf8 knows the overlong, surrogate and range rules.
    return isValidUtf8(s.substr(0, length)) ? length : 0;
}

} // namespace

std::string jsonString(std::string_view text) {
    static const char* const hex = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text);
            if (length == 0) {
                out += windows1252ToUtf8(text.substr(0, 1));
                text.remove_prefix(1);
            } else {
                out += text.substr(0, length);
                text.remove_prefix(length);
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        text.remove_prefix(1);
    }
    out += '"';
    return out;
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
