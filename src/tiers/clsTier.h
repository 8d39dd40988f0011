#pragma once
// One tier (band) of one conversion.

#include "platform/Numbers.h"

#include <cstdint>
#include <string>

namespace wexel {

class clsTier {
public:
    // Sets the three numbers together; the only way to set them.
    void Define(std::int32_t lMin, std::int32_t lMax, double dSlope) {
        minCap_ = lMin;
        maxCap_ = lMax;
        slope_ = dSlope;
    }

    std::int32_t MinCap() const { return minCap_; }
    std::int32_t MaxCap() const { return maxCap_; }
    double Slope() const { return slope_; }

    std::string Units() const { return units_; }
    // Stores the unit code without leading and trailing blanks (tabs stay).
    void setUnits(const std::string& sUnits) { units_ = std::string(trimBlanks(sUnits)); }

    std::string SlopeName() const { return slopeName_; }
    // Stores the name without leading and trailing blanks (tabs stay).
    void setSlopeName(const std::string& sSlopeName) {
        slopeName_ = std::string(trimBlanks(sSlopeName));
    }

private:
    std::int32_t minCap_ = 0;
    std::int32_t maxCap_ = 0;
    double slope_ = 0.0;
    std::string units_;
    std::string slopeName_;
};

} // namespace wexel
