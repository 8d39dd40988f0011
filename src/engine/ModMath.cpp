#include "engine/ModMath.h"

#include "engine/Walks.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "tiers/TierQueries.h"

#include <cmath>
#include <exception>

namespace wexel {

namespace {

const char* const kZeroNote = "Returning a result of zero.";

void checkFinite(double value) {
    if (!std::isfinite(value)) {
        raise(ErrorNumber::Overflow, "the result is too large");
    }
}

// The conversion's tiers and their count, as GetTierArray gives them (none
// for a name not in the table).
struct Tiers {
    TierArray tiers;
    std::int16_t count = 0;
};

Tiers tiersOf(const std::string& conversionName) {
    Tiers found;
    GetTierArray(found.tiers, conversionName, found.count);
    return found;
}

// (MinCap(i) - 1) in the 32-bit arithmetic of the tier values.
std::int32_t belowTier(const TierArray& tiers, std::size_t i) {
    return checkedInt32(static_cast<std::int64_t>(tiers.MinCap(i)) - 1);
}

} // namespace

namespace detail {

namespace {
thread_local WorkingRecord* openRecord = nullptr;
} // namespace

WorkingRecord::WorkingRecord(std::vector<WorkingEntry>& entries)
    : entries_(entries), outer_(openRecord) {
    entries_.clear();
    openRecord = this;
}

WorkingRecord::~WorkingRecord() {
    openRecord = outer_;
}

WorkingRecord* WorkingRecord::open() {
    return openRecord;
}

void WorkingRecord::line(std::string text) {
    entries_.push_back(WorkingEntry{WorkingEntry::Line, std::move(text), {}, false});
}

void WorkingRecord::announceWalk(std::string heading) {
    announced_ = true;
    heading_ = std::move(heading);
}

void WorkingRecord::walked(WorkingEntry::Kind kind, Breakdown working, bool failed) {
    announced_ = false;
    entries_.push_back(WorkingEntry{kind, std::move(heading_), std::move(working), failed});
    heading_.clear();
}

namespace {

// Hands a walk's working to the open record when the calculation announced
// the walk, whether it ends or fails.
class RecordedWalk {
public:
    RecordedWalk(WorkingEntry::Kind kind, Breakdown*& working)
        : record_(WorkingRecord::open()), kind_(kind) {
        if (record_ != nullptr && record_->walkAnnounced()) {
            if (working == nullptr) {
                working = &own_;
            }
            working_ = working;
        }
    }
    ~RecordedWalk() {
        if (working_ != nullptr) {
            record_->walked(kind_, *working_, std::uncaught_exceptions() > exceptions_);
        }
    }
    RecordedWalk(const RecordedWalk&) = delete;
    RecordedWalk& operator=(const RecordedWalk&) = delete;

private:
    WorkingRecord* record_;
    WorkingEntry::Kind kind_;
    Breakdown own_;
    Breakdown* working_ = nullptr;
    int exceptions_ = std::uncaught_exceptions();
};

} // namespace

double capacityWalk(const std::string& amount, const std::string& conversionName,
                    Breakdown* working) {
    const RecordedWalk recorded(WorkingEntry::ToWexels, working);
    if (!isNumeric(amount)) {
        return 0.0;
    }
    const auto [tiers, count] = tiersOf(conversionName);
    double remaining = textToDouble(amount);
    double total = 0.0;
    for (int i = 1; remaining > 0 && i <= count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double slope = tiers.Slope(k);
        double portion = remaining;
        if (i == count) {
            total = total + remaining * slope;
        } else {
            const double width = static_cast<double>(checkedInt32(
                static_cast<std::int64_t>(belowTier(tiers, k + 1)) - belowTier(tiers, k)));
            const double excess = remaining - width;
            portion = excess < 1 ? remaining : width;
            remaining = remaining - portion;
            total = total + portion * slope;
        }
        checkFinite(remaining);
        checkFinite(total);
        if (working != nullptr) {
            working->steps.push_back(WalkStep{i, portion, slope, portion * slope, total});
        }
    }
    if (working != nullptr) {
        working->result = total;
    }
    return total;
}

double wexelWalk(std::string& wexels, const std::string& conversionName, std::string& startCapacity,
                 Breakdown* working) {
    const RecordedWalk recorded(WorkingEntry::ToCapacity, working);
    if (wexels.empty()) {
        wexels = "0";
    }
    if (startCapacity.empty()) {
        startCapacity = "0";
    }
    if (!isNumeric(wexels) || !isNumeric(startCapacity)) {
        return 0.0;
    }
    const auto [tiers, count] = tiersOf(conversionName);
    double remaining = textToDouble(wexels);
    // The start is read once: every tier compares against the same value.
    const double start = textToDouble(startCapacity);
    double result = start;
    for (int i = 1; remaining > 0 && i <= count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double slope = tiers.Slope(k);
        double need = remaining;
        if (slope == 0.0) {
            raise(ErrorNumber::DivisionByZero,
                  "tier " + std::to_string(i) + " of \"" + conversionName + "\" has a slope of 0");
        }
        if (i != count) {
            double bottom = belowTier(tiers, k);
            if (start > bottom) {
                bottom = start;
            }
            need = slope * (static_cast<double>(belowTier(tiers, k + 1)) - bottom);
            if (need > remaining) {
                need = remaining;
            }
            if (need < 0) {
                need = 0;
            }
            remaining = remaining - need;
        }
        const double bought = need / slope;
        result = result + bought;
        checkFinite(remaining);
        checkFinite(result);
        if (working != nullptr) {
            working->steps.push_back(WalkStep{i, bought, slope, need, result});
        }
    }
    const double cleaned = roundDecimals(result, 9);
    if (working != nullptr) {
        working->result = cleaned;
    }
    return cleaned;
}

} // namespace detail

double MSU2WX(const std::string& amount, const std::string& conversionName) {
    double wexels = 0.0;
    reportingFailures("ModMath.MSU2WX", kZeroNote,
                      [&] { wexels = detail::capacityWalk(amount, conversionName); });
    return wexels;
}

double WX2MSU(std::string& wexels, const std::string& conversionName, std::string& startCapacity) {
    double capacity = 0.0;
    reportingFailures("ModMath.WX2MSU", kZeroNote,
                      [&] { capacity = detail::wexelWalk(wexels, conversionName, startCapacity); });
    return capacity;
}

double WX2MSU(const std::string& wexels, const std::string& conversionName,
              const std::string& startCapacity) {
    std::string w = wexels;
    std::string s = startCapacity;
    return WX2MSU(w, conversionName, s);
}

std::string zeroIfBlank(std::string& value) {
    std::string asPassed = value;
    value = std::string(trimBlanks(value));
    if (value == "-" || value.empty() || value == "+") {
        return "0";
    }
    return asPassed;
}

double roundedUp(double wexels) {
    return std::ceil(wexels);
}

double roundedDown(double capacity) {
    return std::floor(capacity);
}

std::int32_t roundUp(double x) {
    return roundToInt32(roundedUp(x));
}

std::int32_t roundDown(double x) {
    return roundToInt32(roundedDown(x));
}

std::string MSUDeltaAsWX(const std::string& baseMSU, const std::string& deltaMSU,
                         const std::string& conversionName) {
    std::string additional = "0";
    reportingFailures("ModMath.MSUDeltaAsWX", kZeroNote, [&] {
        const double d = readLeadingNumber(deltaMSU);
        const double b = readLeadingNumber(baseMSU);
        checkFinite(b + d);
        const std::string s = numberToText(b + d);
        detail::announceWalk(
            [&] { return "The existing " + std::string(trimBlanks(baseMSU)) + ":"; });
        const std::int32_t z = roundUp(MSU2WX(baseMSU, conversionName));
        detail::announceWalk(
            [&] { return "With " + std::string(trimBlanks(deltaMSU)) + " added, " + s + ":"; });
        const std::int32_t a = roundUp(MSU2WX(s, conversionName));
        additional = integerToText(checkedInt32(static_cast<std::int64_t>(a) - z));
        detail::workingLine([&] {
            return "Additional: " + integerToText(a) + " - " + integerToText(z) + " = " +
                   additional + " WX";
        });
    });
    return additional;
}

std::string MSUFromMSUPlusWX(std::string& currentMSU, std::string& addedWX,
                             const std::string& conversionName) {
    std::string covered = "0";
    reportingFailures("ModMath.MSUFromMSUPlusWX", kZeroNote, [&] {
        currentMSU = zeroIfBlank(currentMSU);
        addedWX = zeroIfBlank(addedWX);
        const bool someCapacity = textToInt32(currentMSU) > 0;
        const bool someWexels = textToInt32(addedWX) > 0;
        if (!someCapacity && !someWexels) {
            detail::workingLine(
                [] { return std::string("No capacity and no Wexels: a total of 0"); });
            return;
        }
        if (textToInt32(addedWX) == 0) {
            covered = currentMSU; // as typed
            detail::workingLine(
                [&] { return "No Wexels added: the total is the existing " + currentMSU; });
            return;
        }
        const std::int32_t e =
            totalWXEntitlement({.currentMSU = currentMSU, .addedWX = addedWX}, conversionName);
        detail::announceWalk([&] { return "Covered by " + integerToText(e) + " WX:"; });
        covered = integerToText(roundDown(WX2MSU(integerToText(e), conversionName, "0")));
    });
    return covered;
}

std::int32_t totalWXEntitlement(EntitlementParts parts, const std::string& conversionName) {
    std::int32_t total = 0;
    reportingFailures("ModMath.totalWXEntitlement", kZeroNote, [&] {
        const std::string entitledWX = zeroIfBlank(parts.entitledWX);
        const std::string currentMSU = zeroIfBlank(parts.currentMSU);
        const std::string addedMSU = zeroIfBlank(parts.addedMSU);
        const std::string addedWX = zeroIfBlank(parts.addedWX);
        const std::string extraWX = zeroIfBlank(parts.extraWX);
        const std::int64_t added =
            static_cast<std::int64_t>(textToInt32(addedWX)) + textToInt32(extraWX);
        if (textToDouble(currentMSU) == 0 && textToDouble(addedMSU) == 0) {
            total = roundToInt32(textToDouble(entitledWX) + static_cast<double>(added));
            detail::workingLine([&] {
                return "Entitlement: " + numberToText(textToDouble(entitledWX)) + " + " +
                       integerToText(added) + " added = " + integerToText(total) + " WX";
            });
            return;
        }
        const std::int32_t m = checkedInt32(
            static_cast<std::int64_t>(roundDown(WX2MSU(entitledWX, conversionName, "0"))) +
            textToInt32(currentMSU) + textToInt32(addedMSU));
        detail::announceWalk([&] { return "The existing " + integerToText(m) + ":"; });
        const std::int32_t existing = roundUp(MSU2WX(integerToText(m), conversionName));
        const std::int32_t t = checkedInt32(existing + added);
        detail::workingLine([&] {
            return "Entitlement: " + integerToText(existing) + " + " + integerToText(added) +
                   " added = " + integerToText(t) + " WX";
        });
        // An entitlement never falls below what is already entitled.
        const std::int32_t entitled = textToInt32(entitledWX);
        total = t < entitled ? entitled : t;
    });
    return total;
}

bool integerCheck(TextField& field, const std::string& restoreText, const std::string& minText,
                  bool showMessages) {
    bool result = false;
    std::int32_t minimum = 0;
    const bool hasMinimum = !trimBlanks(minText).empty();
    auto reject = [&](const std::string& message) {
        result = false;
        if (showMessages) {
            showMessageBox(message);
        }
        if (!restoreText.empty()) {
            field.setText(restoreText);
        }
    };

    if (hasMinimum) {
        try {
            minimum = textToInt32(minText);
        } catch (const RuntimeError& error) {
            reportError(error, "ModMath.integerCheck", "");
        }
    }
    std::string s = field.text();
    if (trimBlanks(s).empty()) {
        field.setText("0");
        field.setSelection(0, characterCount(field.text()));
        result = true;
        s = field.text();
    }
    const std::string_view trimmed = trimBlanks(s);
    if ((trimmed == "-" || trimmed == "+") && (!hasMinimum || minimum < 0)) {
        result = true;
    } else if (!isNumeric(s)) {
        reject("Input must be numeric.");
    } else if (s.find_first_of(".,") != std::string::npos) {
        // The trailing blank is the message as users have always seen it.
        reject("Input must be a whole number. ");
    } else {
        bool below = false;
        try {
            const std::int32_t value = textToInt32(s);
            below = hasMinimum && value < minimum;
        } catch (const RuntimeError& error) {
            // Out of range: reported, then rejected like a value below the minimum.
            reportError(error, "ModMath.integerCheck", "");
            below = true;
        }
        if (below) {
            reject("Minimum value allowed for input is " + minText + ".");
        } else {
            result = true;
        }
    }
    if (!result) {
        field.setSelection(0, characterCount(field.text()));
    }
    return result;
}

} // namespace wexel
