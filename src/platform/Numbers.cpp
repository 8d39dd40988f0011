#include "platform/Numbers.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace wexel {

namespace {

NumberLocale& currentLocale() {
    static NumberLocale locale;
    return locale;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
    return !prefix.empty() && text.substr(pos, prefix.size()) == prefix;
}

// Parses a decimal number written with plain ASCII digits, "." and an
// exponent, as collected by the parsers below. Throws Overflow beyond the
// double range; a value too small to represent reads as 0.
double parseAsciiNumber(const std::string& ascii, bool negative) {
    double value = 0.0;
    if (ascii.empty() || std::from_chars(ascii.data(), ascii.data() + ascii.size(), value).ec !=
                             std::errc::result_out_of_range) {
        return negative ? -value : value;
    }
    // Out of range: too large, or so small that it reads as 0. The decimal
    // exponent of the first significant digit tells which.
    const std::size_t e = std::min(ascii.find_first_of("eE"), ascii.size());
    // Any exponent beyond this decides alone; held to it, the sum below
    // cannot overflow whatever the text's length.
    constexpr long long kDecisive = 1000000;
    long long exponent = 0;
    if (e < ascii.size()) {
        const char* from = ascii.data() + e + 1 + (ascii[e + 1] == '+' ? 1 : 0);
        if (std::from_chars(from, ascii.data() + ascii.size(), exponent).ec != std::errc{}) {
            exponent = ascii[e + 1] == '-' ? -kDecisive : kDecisive;
        }
        exponent = std::clamp(exponent, -kDecisive, kDecisive);
    }
    const std::size_t point = std::min(ascii.find('.'), e);
    const std::size_t first = ascii.find_first_of("123456789");
    const long long magnitude = first < point ? static_cast<long long>(point - first) - 1
                                              : -static_cast<long long>(first - point);
    if (magnitude + exponent > 0) {
        raise(ErrorNumber::Overflow, "the number " + ascii + " is too large");
    }
    return negative ? -0.0 : 0.0;
}

// Reads a number's sign and digits from t[i] onto `ascii` as plain ASCII
// digits with at most one "." (where the text has `decimal`), skipping the
// `group` separators between digits before it; moves i past them. Then an
// exponent, when one of `exponentLetters` follows with digits. True if a
// digit was read.
bool scanNumber(std::string_view t, std::size_t& i, std::string_view decimal,
                std::string_view group, std::string_view exponentLetters, std::string& ascii,
                bool& negative) {
    negative = i < t.size() && t[i] == '-';
    i += i < t.size() && (t[i] == '+' || t[i] == '-') ? 1 : 0;
    bool digits = false;
    bool point = false;
    while (i < t.size()) {
        if (isDigit(t[i])) {
            ascii += t[i++];
            digits = true;
        } else if (!point && startsWith(t, i, decimal)) {
            ascii += '.';
            point = true;
            i += decimal.size();
        } else if (!point && digits && startsWith(t, i, group)) {
            i += group.size();
        } else {
            break;
        }
    }
    if (digits && i < t.size() && exponentLetters.find(t[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            exp += t[j++];
        }
        const std::size_t from = j;
        while (j < t.size() && isDigit(t[j])) {
            exp += t[j++];
        }
        if (j > from) { // a letter without digits ends the number before it
            ascii += exp;
            i = j;
        }
    }
    return digits;
}

// Locale-aware scan of a whole text. On success fills `ascii` with the
// number in plain ASCII form (without sign) and returns true.
bool scanLocaleNumber(std::string_view text, std::string& ascii, bool& negative) {
    const NumberLocale& loc = currentLocale();
    const std::string_view t = trimBlanks(text);
    std::size_t i = 0;
    return scanNumber(t, i, loc.decimalSeparator, loc.groupSeparator, "Ee", ascii, negative) &&
           i == t.size();
}

} // namespace

void setNumberLocale(const NumberLocale& locale) {
    currentLocale() = locale;
}
const NumberLocale& numberLocale() {
    return currentLocale();
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) {
        return {};
    }
    std::size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

bool isNumeric(std::string_view text) {
    std::string ascii;
    bool negative = false;
    if (!scanLocaleNumber(text, ascii, negative)) {
        return false;
    }
    // A number beyond the double range does not convert, so it is no number.
    try {
        (void)parseAsciiNumber(ascii, negative);
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

double textToDouble(std::string_view text) {
    std::string ascii;
    bool negative = false;
    if (!scanLocaleNumber(text, ascii, negative)) {
        raise(ErrorNumber::TypeMismatch, "\"" + std::string(text) + "\" is not a number");
    }
    return parseAsciiNumber(ascii, negative);
}

std::int32_t textToInt32(std::string_view text) {
    return roundToInt32(textToDouble(text));
}

std::int32_t roundToInt32(double x) {
    if (std::isnan(x)) {
        raise(ErrorNumber::Overflow, "the result is not a number");
    }
    double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        raise(ErrorNumber::Overflow, numberToText(x) + " is outside the whole-number range");
    }
    return static_cast<std::int32_t>(r);
}

std::int32_t checkedInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        raise(ErrorNumber::Overflow, integerToText(value) + " is outside the whole-number range");
    }
    return static_cast<std::int32_t>(value);
}

double readLeadingNumber(std::string_view text) {
    std::string t;
    t.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            t += c;
        }
    }
    // "&H" and "&O" introduce a hexadecimal or octal whole number.
    const char kind = t.size() >= 2 && t[0] == '&' ? t[1] : '\0';
    if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
        const int base = kind == 'H' || kind == 'h' ? 16 : 8;
        double value = 0.0;
        for (std::size_t k = 2; k < t.size(); ++k) {
            const char c = t[k];
            const int digit = isDigit(c)             ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : base;
            if (digit >= base) {
                break;
            }
            value = value * base + digit;
        }
        if (std::isinf(value)) {
            raise(ErrorNumber::Overflow, "the number " + t + " is too large");
        }
        return value;
    }
    std::size_t i = 0;
    bool negative = false;
    std::string ascii;
    if (!scanNumber(t, i, ".", "", "EeDd", ascii, negative)) {
        return 0.0;
    }
    return parseAsciiNumber(ascii, negative);
}

double roundDecimals(double x, int places) {
    if (!std::isfinite(x)) {
        return x;
    }
    double scale = std::pow(10.0, places);
    double scaled = x * scale;
    // Beyond 2^52 a double holds no fraction at this scale: nothing to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) {
        return x;
    }
    return std::nearbyint(scaled) / scale;
}

std::string numberToText(double x) {
    if (std::isnan(x)) {
        return "NaN";
    }
    if (std::isinf(x)) {
        return x > 0 ? "Infinity" : "-Infinity";
    }
    if (x == 0.0) {
        return "0";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", x);
    std::string text(buffer);
    // %.15G honours the C locale; put the user's separator in its place.
    std::size_t point = text.find_first_of(".,");
    if (point != std::string::npos) {
        text.replace(point, 1, currentLocale().decimalSeparator);
    }
    return text;
}

std::string integerToText(std::int64_t n) {
    return std::to_string(n);
}

} // namespace wexel
