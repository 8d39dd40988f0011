#include "engine/Calculators.h"

#include "engine/ModMath.h"
#include "engine/Walks.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "platform/RuntimeError.h"

#include <cmath>
#include <optional>
#include <stdexcept>

namespace wexel {

namespace {

const char* const kError = "ERR";

bool accepted(TextField& field, const char* minText) {
    return integerCheck(field, "", minText, true);
}

} // namespace

std::string calcMSUToWX(TextField& capacityField, const std::string& conversionName) {
    if (!accepted(capacityField, "0")) {
        return kError;
    }
    detail::announceWalk([] { return std::string(); });
    return numberToText(roundedUp(MSU2WX(capacityField.text(), conversionName)));
}

std::string calcWXToMSU(TextField& wexelField, const std::string& conversionName) {
    if (!accepted(wexelField, "0")) {
        return kError;
    }
    detail::announceWalk([] { return std::string(); });
    return numberToText(roundedDown(WX2MSU(wexelField.text(), conversionName, "0")));
}

namespace {

// Checks two fields of a calculator in order, each with its minimum; the
// first one rejected is given the focus.
bool bothAccepted(TextField& first, const char* firstMin, TextField& second,
                  const char* secondMin) {
    for (auto [field, minText] : {std::pair{&first, firstMin}, std::pair{&second, secondMin}}) {
        if (!accepted(*field, minText)) {
            field->setFocus();
            return false;
        }
    }
    return true;
}

std::string capacityPlusWexels(TextField& wexelField, TextField& capacityField,
                               const std::string& conversionName) {
    std::string capacity = capacityField.text();
    std::string wexels = wexelField.text();
    return MSUFromMSUPlusWX(capacity, wexels, conversionName);
}

} // namespace

std::string calcWXPlusMSUToMSU(TextField& wexelField, TextField& capacityField,
                               const std::string& conversionName) {
    if (!bothAccepted(wexelField, "0", capacityField, "0")) {
        return kError;
    }
    return capacityPlusWexels(wexelField, capacityField, conversionName);
}

std::string calcMSUPlusWXToMSU(TextField& wexelField, TextField& capacityField,
                               const std::string& conversionName) {
    if (!bothAccepted(capacityField, "0", wexelField, "0")) {
        return kError;
    }
    return capacityPlusWexels(wexelField, capacityField, conversionName);
}

// Calculators 4 and 5 check the added capacity first, and it may be negative.
TwoResults checkMSUPlusMSUInputs(TextField& addedField, TextField& existingField,
                                 const std::string& conversionName) {
    if (!bothAccepted(addedField, "", existingField, "0")) {
        return {kError, kError};
    }
    return calcMSUPlusMSUToWXandMSU(addedField, existingField, conversionName);
}

TwoResults calcMSUPlusMSUToWXandMSU(TextField& addedField, TextField& existingField,
                                    const std::string& conversionName) {
    TwoResults r;
    r.wexels = MSUDeltaAsWX(existingField.text(), addedField.text(), conversionName);
    const std::int32_t additional = textToInt32(r.wexels);
    const double w = roundedUp(MSU2WX(existingField.text(), conversionName));
    const std::string entitlement = numberToText(w + additional);
    detail::announceWalk([&] { return "Covered by " + entitlement + " WX:"; });
    r.capacity = numberToText(roundedDown(WX2MSU(entitlement, conversionName, "0")));
    return r;
}

TwoResults checkWXPlusMSUInputs(TextField& addedField, TextField& wexelField,
                                const std::string& conversionName) {
    if (!bothAccepted(addedField, "", wexelField, "0")) {
        return {kError, kError};
    }
    return calcWXPlusMSUToWXandMSU(addedField, wexelField, conversionName);
}

TwoResults calcWXPlusMSUToWXandMSU(TextField& addedField, TextField& wexelField,
                                   const std::string& conversionName) {
    // Whole-number arithmetic in 64 bits, checked against the 32-bit range:
    // an overflow shows "ERR", never a wrapped number.
    TwoResults r{kError, kError};
    reportingFailures("frmQconverter.calcWXPlusMSUToWXandMSU", "", [&] {
        std::string addedText = addedField.text();
        const std::string existing = wexelField.text();
        const std::int64_t added = textToInt32(zeroIfBlank(addedText));
        detail::announceWalk([&] {
            return "Covered by the existing " + std::string(trimBlanks(existing)) + " WX:";
        });
        const std::int64_t covered = roundDown(WX2MSU(existing, conversionName, "0"));
        std::int64_t entitlement = textToInt32(existing);
        const std::int32_t total = checkedInt32(added + covered);
        if (added != 0) {
            detail::announceWalk([&] {
                return "With " + integerToText(added) + " added, " + integerToText(total) + ":";
            });
            entitlement = roundUp(MSU2WX(integerToText(total), conversionName));
        }
        const std::string additional =
            integerToText(checkedInt32(entitlement - textToInt32(existing)));
        if (added == 0) {
            // The entitlement is the existing one, whose walk is shown already.
            detail::workingLine([] { return std::string("Nothing added: no additional Wexels"); });
        } else {
            detail::workingLine([&] {
                return "Additional: " + integerToText(entitlement) + " - " +
                       std::string(trimBlanks(existing)) + " = " + additional + " WX";
            });
            if (entitlement < 1) {
                detail::workingLine(
                    [] { return std::string("An entitlement below 1 WX covers no capacity"); });
            } else {
                detail::announceWalk(
                    [&] { return "Covered by " + integerToText(entitlement) + " WX:"; });
            }
        }
        r.capacity = entitlement < 1 ? "0"
                                     : numberToText(roundedDown(WX2MSU(integerToText(entitlement),
                                                                       conversionName, "0")));
        r.wexels = additional;
    });
    return r;
}

const std::vector<CalculatorDescription>& calculators() {
    static const std::vector<CalculatorDescription> all{
        {1,
         "to-wx",
         {{FieldCalc1Capacity, "capacity", 8, "frmQconverter.calcMSUToWX"}},
         {{LabelCalc1Wexels, "wexels"}}},
        {2,
         "to-capacity",
         {{FieldCalc2Wexels, "wexels", 6, "frmQconverter.calcWXToMSU"}},
         {{LabelCalc2Capacity, "capacity"}}},
        {3,
         "add-wx",
         {{FieldCalc3Wexels, "wexels", 6, "frmQconverter.calcWXPlusMSUToMSU"},
          {FieldCalc3Capacity, "capacity", 8, "frmQconverter.calcMSUPlusWXToMSU"}},
         {{LabelCalc3Capacity, "total"}}},
        {4,
         "add-capacity",
         {{FieldCalc4Added, "added", 8, "frmQconverter.calcMSUPlusMSUToWXandMSU"},
          {FieldCalc4Existing, "existing", 8, "frmQconverter.calcMSUPlusMSUToWXandMSU"}},
         {{LabelCalc4Wexels, "additional_wexels"}, {LabelCalc4Capacity, "total"}}},
        {5,
         "add-to-wx",
         {{FieldCalc5Added, "added", 8, "frmQconverter.calcWXPlusMSUToWXandMSU"},
          {FieldCalc5Wexels, "wexels", 6, "frmQconverter.calcWXPlusMSUToWXandMSU"}},
         {{LabelCalc5Wexels, "additional_wexels"}, {LabelCalc5Capacity, "total"}}},
    };
    return all;
}

const CalculatorDescription& calculator(int number) {
    return calculators().at(static_cast<std::size_t>(number) - 1);
}

const CalculatorDescription& calculatorOf(PanelField field) {
    for (const CalculatorDescription& c : calculators()) {
        for (const CalculatorInput& input : c.inputs) {
            if (input.field == field) {
                return c;
            }
        }
    }
    throw std::out_of_range("no calculator has field " + std::to_string(field));
}

const CalculatorInput& calculatorInput(PanelField field) {
    for (const CalculatorInput& input : calculatorOf(field).inputs) {
        if (input.field == field) {
            return input;
        }
    }
    throw std::out_of_range("no calculator has field " + std::to_string(field));
}

int panelFieldMaxLength(PanelField field) {
    return calculatorInput(field).maxLength;
}

std::string tooLongMessage(int maxLength) {
    return "Input is too long: the field takes at most " + std::to_string(maxLength) +
           " characters.";
}

void panelFieldChanged(Panel& panel, PanelField field, const std::string& conversionName) {
    auto& f = panel.fields;
    auto& l = panel.labels;
    // A failure that the procedures do not catch themselves is reported
    // where the field's procedure is; it shows as "ERR" rather than ending
    // the program.
    // The working is recorded apart and kept once the calculation is done: a
    // calculation nested inside (a field set to "0" on the way) keeps its own.
    std::vector<detail::WorkingEntry> working;
    std::optional<detail::WorkingRecord> record;
    if (panel.keepsWorking) {
        record.emplace(working);
    }
    const bool done = reportingFailures(calculatorInput(field).procedure, "", [&] {
        switch (field) {
        case FieldCalc1Capacity:
            l[LabelCalc1Wexels]->setCaption(calcMSUToWX(*f[FieldCalc1Capacity], conversionName));
            break;
        case FieldCalc2Wexels:
            l[LabelCalc2Capacity]->setCaption(calcWXToMSU(*f[FieldCalc2Wexels], conversionName));
            break;
        case FieldCalc3Wexels:
            l[LabelCalc3Capacity]->setCaption(
                calcWXPlusMSUToMSU(*f[FieldCalc3Wexels], *f[FieldCalc3Capacity], conversionName));
            break;
        case FieldCalc3Capacity:
            l[LabelCalc3Capacity]->setCaption(
                calcMSUPlusWXToMSU(*f[FieldCalc3Wexels], *f[FieldCalc3Capacity], conversionName));
            break;
        case FieldCalc4Added:
        case FieldCalc4Existing: {
            const TwoResults r =
                checkMSUPlusMSUInputs(*f[FieldCalc4Added], *f[FieldCalc4Existing], conversionName);
            l[LabelCalc4Wexels]->setCaption(r.wexels);
            l[LabelCalc4Capacity]->setCaption(r.capacity);
            break;
        }
        case FieldCalc5Added:
        case FieldCalc5Wexels: {
            const TwoResults r =
                checkWXPlusMSUInputs(*f[FieldCalc5Added], *f[FieldCalc5Wexels], conversionName);
            l[LabelCalc5Wexels]->setCaption(r.wexels);
            l[LabelCalc5Capacity]->setCaption(r.capacity);
            break;
        }
        default:
            break;
        }
    });
    record.reset();
    panel.working[static_cast<std::size_t>(calculatorOf(field).number) - 1] = std::move(working);
    if (!done) {
        for (const CalculatorResult& result : calculatorOf(field).results) {
            l[result.label]->setCaption(kError);
        }
    }
}

} // namespace wexel
