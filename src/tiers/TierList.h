#pragma once
// The rows of the converter window's tier list, as text: the window, the
// command line and the working of a conversion all name tiers this way.

#include <string>
#include <vector>

namespace wexel {

struct TierListRow {
    std::string tier;    // "Base", "Tier A", "Tier B", ...
    std::string lowest;  // MinCap
    std::string dash;    // "-"
    std::string highest; // the next tier's MinCap minus 1, or "+" for the last tier
    std::string slope;
};

// The rows for a conversion, from GetTierArray; none for a name that is not
// in the table.
std::vector<TierListRow> tierListRows(const std::string& conversionName);

// The first column of row i (1-based): "Base", then "Tier " and the
// character whose code is i + 63.
std::string tierCaption(int i);

} // namespace wexel
