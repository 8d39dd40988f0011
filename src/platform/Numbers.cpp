#include "platform/Numbers.h"

#include "platform/RuntimeError.h"

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
    if (ascii.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Tell an overflow from an underflow by the decimal magnitude.
        long long exponent = 0;
        std::size_t e = ascii.find_first_of("eE");
        std::string_view mantissa(ascii.data(), e == std::string::npos ? ascii.size() : e);
        if (e != std::string::npos) {
            std::string_view expText(ascii.data() + e + 1, ascii.size() - e - 1);
            bool expNegative = !expText.empty() && expText.front() == '-';
            if (!expText.empty() && (expText.front() == '-' || expText.front() == '+')) {
                expText.remove_prefix(1);
            }
            for (char c : expText) {
                exponent = std::min<long long>(exponent * 10 + (c - '0'), 100000);
            }
            if (expNegative) {
                exponent = -exponent;
            }
        }
        std::size_t point = mantissa.find('.');
        std::string_view intPart = mantissa.substr(0, point);
        std::size_t firstNonZero = intPart.find_first_not_of('0');
        long long magnitude = firstNonZero == std::string_view::npos
                                  ? -1
                                  : static_cast<long long>(intPart.size() - firstNonZero) - 1;
        if (firstNonZero == std::string_view::npos && point != std::string_view::npos) {
            std::string_view frac = mantissa.substr(point + 1);
            std::size_t nz = frac.find_first_not_of('0');
            magnitude = nz == std::string_view::npos ? -100000 : -static_cast<long long>(nz) - 1;
        }
        if (magnitude + exponent > 0) {
            raise(ErrorNumber::Overflow, "the number " + ascii + " is too large");
        }
        return negative ? -0.0 : 0.0;
    }
    (void)ptr;
    return negative ? -value : value;
}

// Locale-aware scan of a whole text. On success fills `ascii` with the
// number in plain ASCII form (without sign) and returns true.
bool scanLocaleNumber(std::string_view text, std::string& ascii, bool& negative) {
    const NumberLocale& loc = currentLocale();
    std::string_view t = trimBlanks(text);
    ascii.clear();
    negative = false;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    while (i < t.size()) {
        if (isDigit(t[i])) {
            ascii += t[i];
            digits = true;
            ++i;
        } else if (!point && startsWith(t, i, loc.decimalSeparator)) {
            ascii += '.';
            point = true;
            i += loc.decimalSeparator.size();
        } else if (!point && digits && startsWith(t, i, loc.groupSeparator)) {
            i += loc.groupSeparator.size();
        } else {
            break;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            exp += t[j];
            ++j;
        }
        bool expDigits = false;
        while (j < t.size() && isDigit(t[j])) {
            exp += t[j];
            expDigits = true;
            ++j;
        }
        if (!expDigits) {
            return false;
        }
        ascii += exp;
        i = j;
    }
    return i == t.size();
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

double readLeadingNumber(std::string_view text) {
    std::string t;
    t.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            t += c;
        }
    }
    std::size_t i = 0;
    if (t.size() >= 2 && t[0] == '&') {
        char kind = t[1];
        unsigned base = 0;
        if (kind == 'H' || kind == 'h') {
            base = 16;
        } else if (kind == 'O' || kind == 'o') {
            base = 8;
        }
        if (base != 0) {
            double value = 0.0;
            for (i = 2; i < t.size(); ++i) {
                char c = t[i];
                int digit = -1;
                if (isDigit(c)) {
                    digit = c - '0';
                } else if (base == 16 && c >= 'a' && c <= 'f') {
                    digit = c - 'a' + 10;
                } else if (base == 16 && c >= 'A' && c <= 'F') {
                    digit = c - 'A' + 10;
                }
                if (digit < 0 || digit >= static_cast<int>(base)) {
                    break;
                }
                value = value * base + digit;
            }
            if (std::isinf(value)) {
                raise(ErrorNumber::Overflow, "the number " + t + " is too large");
            }
            return value;
        }
    }
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    std::string ascii;
    bool digits = false;
    bool point = false;
    while (i < t.size()) {
        if (isDigit(t[i])) {
            ascii += t[i];
            digits = true;
        } else if (t[i] == '.' && !point) {
            ascii += '.';
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) {
        return 0.0;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            exp += t[j];
            ++j;
        }
        bool expDigits = false;
        while (j < t.size() && isDigit(t[j])) {
            exp += t[j];
            expDigits = true;
            ++j;
        }
        if (expDigits) {
            ascii += exp;
        }
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
