#include "tiers/clsTier.h"

#include "platform/Numbers.h"

namespace wexel {

void clsTier::setUnits(const std::string& sUnits) {
    units_ = std::string(trimBlanks(sUnits));
}

void clsTier::setSlopeName(const std::string& sSlopeName) {
    slopeName_ = std::string(trimBlanks(sSlopeName));
}

} // namespace wexel
