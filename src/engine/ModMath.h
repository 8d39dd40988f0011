#pragma once
// The conversion engine: the tier walks from capacity to Wexels and back, the
// incremental conversions with their whole-number rules, and the check of one
// input field. Amounts come in as text, exactly as typed; the functions serve
// all three capacity units alike.

#include "platform/TextField.h"

#include <cstdint>
#include <string>

namespace wexel {

// Wexels required by `amount` capacity units, unrounded. 0 for a text that
// is not numeric; 0 after a run-time failure, which is reported once with
// "ModMath.MSU2WX".
double MSU2WX(const std::string& amount, const std::string& conversionName);

// The capacity reached when `wexels` Wexels are spent from `startCapacity`
// upwards, to 9 decimals. Writes "0" into an empty `wexels` or
// `startCapacity`. 0 for a text that is not numeric; 0 after a run-time
// failure, reported once with "ModMath.WX2MSU".
double WX2MSU(std::string& wexels, const std::string& conversionName, std::string& startCapacity);

// The same with the texts taken as values, for callers that pass constants.
double WX2MSU(const std::string& wexels, const std::string& conversionName,
              const std::string& startCapacity);

// "0" for an empty, blank or sign-only text, else the text unchanged. Writes
// the trimmed text into `value`; callers assign the result back.
std::string zeroIfBlank(std::string& value);

// The additional whole Wexels needed to go from baseMSU to baseMSU + deltaMSU.
std::string MSUDeltaAsWX(const std::string& baseMSU, const std::string& deltaMSU,
                         const std::string& conversionName);

// The whole capacity covered when addedWX Wexels are added to the entitlement
// that currentMSU requires. Normalises both arguments in place.
std::string MSUFromMSUPlusWX(std::string& currentMSU, std::string& addedWX,
                             const std::string& conversionName);

// What totalWXEntitlement adds up: texts as typed, blank or sign-only read as 0.
struct EntitlementParts {
    std::string entitledWX = "0";
    std::string currentMSU = "0";
    std::string addedMSU = "0";
    std::string addedWX = "0";
    std::string extraWX = "0";
};

// The general entitlement rule behind MSUFromMSUPlusWX.
std::int32_t totalWXEntitlement(EntitlementParts parts, const std::string& conversionName);

// Accepts or rejects the field's text as a whole number of at least minText
// ("" = no minimum). Writes "0" into an empty field; on rejection shows one
// message (when showMessages), writes restoreText back (when not empty) and
// selects the field's whole text.
bool integerCheck(TextField& field, const std::string& restoreText, const std::string& minText,
                  bool showMessages);

// The whole-number rules: Wexels a capacity requires are rounded up, the
// capacity that Wexels cover is rounded down. Any fraction counts.
double roundedUp(double wexels);
double roundedDown(double capacity);

// The same as 32-bit integers, for the incremental conversions: Overflow
// outside the 32-bit range.
std::int32_t roundUp(double x);
std::int32_t roundDown(double x);

} // namespace wexel
