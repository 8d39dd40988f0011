#include "tiers/TierQueries.h"

#include "platform/Ports.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"

namespace wexel {

namespace {

const clsTier& firstTier(const Conversion& conversion) {
    if (conversion.tiers.empty()) {
        raise(ErrorNumber::SubscriptOutOfRange,
              "the conversion " + inQuotes(conversion.name) + " has no tiers in " + kTiersFileName);
    }
    return conversion.tiers.front();
}

const Conversion& lookUp(const std::string& sName) {
    const Conversion* conversion = SlopeTable().find(sName);
    if (conversion == nullptr) {
        raise(ErrorNumber::KeyNotFound,
              "the conversion " + inQuotes(sName) + " is not in " + kNamesFileName);
    }
    return *conversion;
}

} // namespace

void GetSlopeTypes(KeyedCollection<std::string>& colTypes) {
    for (const auto& entry : SlopeTable()) {
        try {
            const std::string name = firstTier(entry.item).SlopeName();
            if (colTypes.find(name) == nullptr) {
                colTypes.add(name, name);
            }
        } catch (const RuntimeError& error) {
            reportError(error, "ModDataFiles.GetSlopeTypes", "");
        }
    }
}

void GetTierArray(TierArray& tierArray, const std::string& sName, std::int16_t& count) {
    const Conversion* conversion = SlopeTable().find(sName);
    if (conversion == nullptr) {
        return;
    }
    const std::vector<clsTier>& tiers = conversion->tiers;
    // The loader keeps every conversion within the 16-bit count (kMaxTiers).
    count = static_cast<std::int16_t>(tiers.size());
    const std::size_t rows = count > 0 ? static_cast<std::size_t>(count) : 0;
    TierArray fresh(rows);
    for (std::size_t k = 1; k <= rows && k <= tiers.size(); ++k) {
        fresh.set(k, tiers[k - 1].MinCap(), tiers[k - 1].Slope());
    }
    tierArray = std::move(fresh);
}

std::string GetSlopeUnits(const std::string& sName) {
    return firstTier(lookUp(sName)).Units();
}

} // namespace wexel
