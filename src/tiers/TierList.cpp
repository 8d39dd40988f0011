#include "tiers/TierList.h"

#include "platform/Numbers.h"
#include "platform/Text.h"
#include "tiers/TierQueries.h"

#include <cstdint>

namespace wexel {

std::string tierCaption(int i) {
    if (i == 1) {
        return "Base";
    }
    const int code = i + 63;
    std::string letter;
    if (code < 0x100) {
        // Character codes are those of the window's 8-bit code page.
        letter = windows1252ToUtf8(std::string(1, static_cast<char>(code)));
    } else {
        appendUtf8(letter, static_cast<char32_t>(code));
    }
    return "Tier " + letter;
}

std::vector<TierListRow> tierListRows(const std::string& conversionName) {
    TierArray tiers;
    std::int16_t count = 0;
    GetTierArray(tiers, conversionName, count);
    std::vector<TierListRow> rows;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(count > 0 ? count : 0); ++i) {
        TierListRow row;
        row.tier = tierCaption(static_cast<int>(i));
        row.lowest = integerToText(tiers.MinCap(i));
        row.dash = "-";
        row.highest = i == static_cast<std::size_t>(count)
                          ? "+"
                          : integerToText(std::int64_t{tiers.MinCap(i + 1)} - 1);
        row.slope = numberToText(tiers.Slope(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace wexel
