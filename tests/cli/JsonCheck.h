#pragma once
// A strict JSON checker for the tests: is a text exactly one JSON value?

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>

namespace wexel::testing {

class JsonChecker {
public:
    explicit JsonChecker(std::string_view text) : s_(text) {}

    // True if the whole text is one object.
    bool isObject() {
        skip();
        if (peek() != '{' || !value()) {
            return false;
        }
        skip();
        return pos_ == s_.size();
    }

private:
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
    void skip() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) {
            ++pos_;
        }
    }
    bool literal(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word) {
            return false;
        }
        pos_ += word.size();
        return true;
    }
    bool digits() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
            ++pos_;
        }
        return pos_ > start;
    }
    bool number() {
        if (peek() == '-') {
            ++pos_;
        }
        if (peek() == '0') {
            ++pos_;
        } else if (!digits()) {
            return false;
        }
        if (peek() == '.') {
            ++pos_;
            if (!digits()) {
                return false;
            }
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-') {
                ++pos_;
            }
            if (!digits()) {
                return false;
            }
        }
        return true;
    }
    bool string() {
        if (peek() != '"') {
            return false;
        }
        ++pos_;
        while (pos_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[pos_++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c == '\\') {
                const char e = peek();
                ++pos_;
                if (e == 'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (!std::isxdigit(static_cast<unsigned char>(peek()))) {
                            return false;
                        }
                        ++pos_;
                    }
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            } else if (c >= 0x80) {
                // Well-formed UTF-8 only.
                const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
                if (extra < 0 || c > 0xF4) {
                    return false;
                }
                for (int i = 0; i < extra; ++i) {
                    if ((static_cast<unsigned char>(peek()) & 0xC0) != 0x80) {
                        return false;
                    }
                    ++pos_;
                }
            }
        }
        return false;
    }
    // The items of an object or array after its opening bracket, up to
    // `close`, separated by commas.
    template <typename Item> bool items(char close, Item item) {
        skip();
        if (peek() == close) {
            ++pos_;
            return true;
        }
        for (;;) {
            if (!item()) {
                return false;
            }
            skip();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == close) {
                ++pos_;
                return true;
            }
            return false;
        }
    }
    bool member() {
        skip();
        if (!string()) {
            return false;
        }
        skip();
        if (peek() != ':') {
            return false;
        }
        ++pos_;
        return value();
    }
    bool value() {
        skip();
        switch (peek()) {
        case '{':
            ++pos_;
            return items('}', [this] { return member(); });
        case '[':
            ++pos_;
            return items(']', [this] { return value(); });
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

// True if every line of `text` is one JSON object (and there is at least one).
inline bool everyLineIsJsonObject(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        if (!JsonChecker(line).isObject()) {
            return false;
        }
        ++count;
    }
    return count > 0;
}

} // namespace wexel::testing
