#pragma once
// What the rest of the program asks of the tier table.

#include "platform/KeyedCollection.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace wexel {

// The tiers of one conversion as numbers: tier k (1..count) has MinCap(k) and
// Slope(k). A fresh copy; changing it does not change the table.
class TierArray {
public:
    TierArray() : rows_(1) {}
    explicit TierArray(std::size_t count) : rows_(count + 1) {}

    std::size_t rows() const { return rows_.size(); } // count + 1: row 0 stays empty
    std::int32_t MinCap(std::size_t k) const { return rows_.at(k).first; }
    double Slope(std::size_t k) const { return rows_.at(k).second; }
    void set(std::size_t k, std::int32_t minCap, double slope) { rows_.at(k) = {minCap, slope}; }

private:
    std::vector<std::pair<std::int32_t, double>> rows_;
};

// Appends the conversion names, in names-file order, to colTypes with each
// name as its own key. A name already in colTypes is skipped silently; a
// conversion without tiers is reported ("ModDataFiles.GetSlopeTypes") and left out.
void GetSlopeTypes(KeyedCollection<std::string>& colTypes);

// The tiers of the conversion sName (letter case ignored). For a name not in
// the table, tierArray and count keep what the caller put in them.
void GetTierArray(TierArray& tierArray, const std::string& sName, std::int16_t& count);

// The unit code of the conversion sName, from its first tier. Throws
// KeyNotFound for a name not in the table and SubscriptOutOfRange for a
// conversion without tiers.
std::string GetSlopeUnits(const std::string& sName);

} // namespace wexel
