#pragma once
// The five calculators of a unit panel, over text-field ports, so that the
// window and the command-line tool run the very same procedures.

#include "platform/TextField.h"

#include <array>
#include <string>

namespace wexel {

// Calculator 1: Wexels for a capacity, rounded up; "ERR" for rejected input.
std::string calcMSUToWX(TextField& capacityField, const std::string& conversionName);
// Calculator 2: capacity for Wexels, rounded down.
std::string calcWXToMSU(TextField& wexelField, const std::string& conversionName);
// Calculator 3, validating the Wexel field first (its change handler).
std::string calcWXPlusMSUToMSU(TextField& wexelField, TextField& capacityField,
                               const std::string& conversionName);
// Calculator 3, validating the capacity field first (its change handler).
std::string calcMSUPlusWXToMSU(TextField& wexelField, TextField& capacityField,
                               const std::string& conversionName);

// The two results of calculators 4 and 5.
struct TwoResults {
    std::string wexels;   // additional Wexels
    std::string capacity; // total capacity covered
};

// Calculator 4: capacity added to an existing capacity.
TwoResults checkMSUPlusMSUInputs(TextField& addedField, TextField& existingField,
                                 const std::string& conversionName);
TwoResults calcMSUPlusMSUToWXandMSU(TextField& addedField, TextField& existingField,
                                    const std::string& conversionName);
// Calculator 5: capacity added to an existing Wexel entitlement.
TwoResults checkWXPlusMSUInputs(TextField& addedField, TextField& wexelField,
                                const std::string& conversionName);
TwoResults calcWXPlusMSUToWXandMSU(TextField& addedField, TextField& wexelField,
                                   const std::string& conversionName);

// ---------------------------------------------------------------------------
// One unit panel as data: its eight input fields and seven result labels, in
// the fixed order below. The window and the command-line tool both drive a
// panel through panelFieldChanged(), the one change handler.

enum PanelField : int {
    FieldCalc1Capacity = 0, // capacity field of calculator 1 (max 8)
    FieldCalc2Wexels,       // Wexel field of calculator 2 (max 6)
    FieldCalc3Wexels,       // Wexel field of calculator 3 (max 6)
    FieldCalc3Capacity,     // capacity field of calculator 3 (max 8)
    FieldCalc4Added,        // added capacity of calculator 4 (max 8, may be negative)
    FieldCalc4Existing,     // existing capacity of calculator 4 (max 8)
    FieldCalc5Added,        // added capacity of calculator 5 (max 8, may be negative)
    FieldCalc5Wexels,       // existing Wexels of calculator 5 (max 6)
    PanelFieldCount
};

enum PanelLabel : int {
    LabelCalc1Wexels = 0,
    LabelCalc2Capacity,
    LabelCalc3Capacity,
    LabelCalc4Wexels,
    LabelCalc4Capacity,
    LabelCalc5Wexels,
    LabelCalc5Capacity,
    PanelLabelCount
};

// A result label as the calculators see it.
class ResultLabel {
public:
    virtual ~ResultLabel() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
};

struct Panel {
    std::array<TextField*, PanelFieldCount> fields{};
    std::array<ResultLabel*, PanelLabelCount> labels{};
};

// Maximum length of each field: 8 for a capacity field, 6 for a Wexel field.
int panelFieldMaxLength(PanelField field);

// What a field says of a text longer than it takes, which it refuses whole:
// "Input is too long: the field takes at most 8 characters."
std::string tooLongMessage(int maxLength);

// The calculator (1..5) that a field belongs to.
int panelFieldCalculator(PanelField field);

// The change handler of field `field` of `panel`: runs the field's calculator
// with all of its fields and writes its result label(s).
void panelFieldChanged(Panel& panel, PanelField field, const std::string& conversionName);

} // namespace wexel
