#pragma once
// One tier (band) of one conversion.

#include "platform/Numbers.h"

#include <cstdint>
#include <memory>
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

    std::string Units() const { return facts_ ? facts_->units : std::string(); }
    // Stores the unit code without leading and trailing blanks (tabs stay).
    void setUnits(const std::string& sUnits) {
        facts_ = std::make_shared<const Facts>(Facts{std::string(trimBlanks(sUnits)), SlopeName()});
    }

    std::string SlopeName() const { return facts_ ? facts_->slopeName : std::string(); }
    // Stores the name without leading and trailing blanks (tabs stay).
    void setSlopeName(const std::string& sSlopeName) {
        facts_ = std::make_shared<const Facts>(Facts{Units(), std::string(trimBlanks(sSlopeName))});
    }

    // Takes the unit code and name of `other`, a tier of the same conversion,
    // without a copy: a table of many tiers holds each conversion's once.
    void shareFacts(const clsTier& other) { facts_ = other.facts_; }

private:
    struct Facts {
        std::string units;
        std::string slopeName;
    };

    std::int32_t minCap_ = 0;
    std::int32_t maxCap_ = 0;
    double slope_ = 0.0;
    std::shared_ptr<const Facts> facts_;
};

} // namespace wexel
