#pragma once
// The number rules of the program, in one place:
//  - the locale-aware numeric test and text-to-number conversions used for
//    everything a user types;
//  - the locale-independent leading-number reading used for the data files;
//  - rounding to 32-bit integers and to 9 decimals (ties to even);
//  - the general number-to-text conversion used for every number shown.

#include <cstdint>
#include <string>
#include <string_view>

namespace wexel {

// The user's decimal and thousands separators (UTF-8). Set once at start-up
// from the system locale; tests set them explicitly.
struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};
void setNumberLocale(const NumberLocale& locale);
const NumberLocale& numberLocale();

// Sets the number locale for as long as it lives, then puts the previous back.
class ScopedNumberLocale {
public:
    explicit ScopedNumberLocale(const NumberLocale& locale) : saved_(numberLocale()) {
        setNumberLocale(locale);
    }
    ~ScopedNumberLocale() { setNumberLocale(saved_); }
    ScopedNumberLocale(const ScopedNumberLocale&) = delete;
    ScopedNumberLocale& operator=(const ScopedNumberLocale&) = delete;

private:
    NumberLocale saved_;
};

// Locale-aware numeric test: blanks around, an optional leading sign, digits
// with the locale's thousands separators, at most one decimal separator, and
// an optional exponent (E or e, optional sign, digits). The empty text, a
// blank text and a lone sign are not numeric.
bool isNumeric(std::string_view text);

// The value of a numeric text. Throws TypeMismatch for a text that is not
// numeric and Overflow for a value beyond the double range.
double textToDouble(std::string_view text);

// The nearest 32-bit integer of a numeric text, ties to even. Throws
// TypeMismatch or Overflow.
std::int32_t textToInt32(std::string_view text);

// The nearest 32-bit integer of x, ties to even. Throws Overflow outside the
// 32-bit range and for infinities and NaN.
std::int32_t roundToInt32(double x);

// A whole-number sum or difference worked in 64 bits, back in the 32-bit
// range. Throws Overflow outside it: a result never wraps.
std::int32_t checkedInt32(std::int64_t value);

// Reads the longest leading number of a text, whatever the locale: blanks,
// tabs and line feeds anywhere are ignored; an optional sign, digits with at
// most one "." and an optional exponent (E or D); "&H" and "&O" introduce a
// hexadecimal or octal integer. A text with no leading number reads as 0.
// Throws Overflow for a value beyond the double range.
double readLeadingNumber(std::string_view text);

// x rounded to `places` decimals, a half going to the even neighbour.
double roundDecimals(double x, int places);

// The general number-to-text conversion: at most 15 significant digits,
// trailing zeros dropped, the locale's decimal separator, and the exponent
// form ("1E+15") for magnitudes from 10^15 and for very small ones.
std::string numberToText(double x);

// Text of a whole number: digits and a leading "-" when negative.
std::string integerToText(std::int64_t n);

// The text with leading and trailing blanks (the blank character only) removed.
std::string_view trimBlanks(std::string_view text);

} // namespace wexel
