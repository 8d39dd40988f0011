#pragma once
// The five calculators of a unit panel, over text-field ports, so that the
// window and the command-line tool run the very same procedures.

#include "engine/Walks.h"
#include "platform/TextField.h"

#include <array>
#include <string>
#include <vector>

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
    FieldCalc1Capacity = 0,
    FieldCalc2Wexels,
    FieldCalc3Wexels,
    FieldCalc3Capacity,
    FieldCalc4Added, // may be negative
    FieldCalc4Existing,
    FieldCalc5Added, // may be negative
    FieldCalc5Wexels,
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
    // What each calculator's last calculation did, for its working; kept
    // unless nobody will ask (a batch).
    std::array<std::vector<detail::WorkingEntry>, 5> working;
    bool keepsWorking = true;
};

// Which fields and results make up each calculator: the one table the
// change handler, the working, the window and wexel-calc read.
struct CalculatorInput {
    PanelField field;
    const char* key;       // wexel-calc's name for it
    int maxLength;         // 8 for a capacity field, 6 for a Wexel field
    const char* procedure; // where a failure in its change handler is reported
};
struct CalculatorResult {
    PanelLabel label;
    const char* key; // wexel-calc's name for it
};
struct CalculatorDescription {
    int number;                          // 1..5, as the window numbers them
    const char* command;                 // wexel-calc's command
    std::vector<CalculatorInput> inputs; // in wexel-calc's argument order
    std::vector<CalculatorResult> results;
};

const std::vector<CalculatorDescription>& calculators();
// Calculator `number` (1..5).
const CalculatorDescription& calculator(int number);
// The calculator a field belongs to, and that field's entry in it.
const CalculatorDescription& calculatorOf(PanelField field);
const CalculatorInput& calculatorInput(PanelField field);

// Maximum length of a field.
int panelFieldMaxLength(PanelField field);

// What a field says of a text longer than it takes, which it refuses whole:
// "Input is too long: the field takes at most 8 characters."
std::string tooLongMessage(int maxLength);

// The change handler of field `field` of `panel`: runs the field's calculator
// with all of its fields and writes its result label(s).
void panelFieldChanged(Panel& panel, PanelField field, const std::string& conversionName);

} // namespace wexel
