// The number rules on arbitrary text, in an English and a German locale.
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool german = (data[0] & 1) != 0;
    wexel::setNumberLocale(german ? wexel::NumberLocale{",", "."} : wexel::NumberLocale{".", ","});
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const bool numeric = wexel::isNumeric(text);
    try {
        const double value = wexel::textToDouble(text);
        // What the numeric test accepts must convert, and only that.
        if (!numeric || std::isnan(value)) {
            std::abort();
        }
        const std::string shown = wexel::numberToText(value);
        if (std::isfinite(value) && !wexel::isNumeric(shown)) {
            std::abort();
        }
        (void)wexel::roundDecimals(value, 9);
        (void)wexel::roundToInt32(value);
    } catch (const wexel::RuntimeError&) {
    }
    try {
        (void)wexel::textToInt32(text);
    } catch (const wexel::RuntimeError&) {
    }
    try {
        (void)wexel::readLeadingNumber(text);
    } catch (const wexel::RuntimeError&) {
    }
    return 0;
}
