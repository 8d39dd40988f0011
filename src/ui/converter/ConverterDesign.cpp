#include "ui/converter/ConverterDesign.h"

namespace wexel::design {

namespace {

Piece caption(int line, const char* text, QRect box) {
    return {PieceKind::Caption, line, text, box, -1};
}
Piece field(int line, const char* name, PanelField slot, QRect box, const char* accessibleName) {
    return {PieceKind::Field, line, name, box, slot, accessibleName};
}
Piece output(int line, const char* name, PanelLabel slot, QRect box, const char* accessibleName) {
    return {PieceKind::Output, line, name, box, slot, accessibleName};
}

} // namespace

const std::vector<Calculator>& calculators() {
    // clang-format off
    static const std::vector<Calculator> designs{
        {{120, 0, 9255, 675}, {
            caption(0, "A utilization of", {120, 300, 975, 255}),
            field(0, "txtMSUtoWX_MSU", FieldCalc1Capacity, {1200, 240, 1095, 300}, "MSUs utilization"),
            caption(0, "MSUs requires an entitlement of ", {2400, 300, 2295, 255}),
            output(0, "lblMSUtoWX_WX", LabelCalc1Wexels, {4800, 240, 1335, 300}, "WXs required"),
            caption(0, "WXs.", {6240, 300, 375, 255}),
        }},
        {{120, 600, 9255, 675}, {
            caption(0, "An entitlement of ", {120, 300, 1335, 255}),
            field(0, "txtWXtoMSU_WX", FieldCalc2Wexels, {1440, 240, 1095, 300}, "WXs entitlement"),
            caption(0, "WXs is sufficient for a utilization of ", {2640, 300, 2415, 255}),
            output(0, "lblWXtoMSU_MSU", LabelCalc2Capacity, {5160, 240, 1455, 300}, "MSUs utilization sufficient"),
            caption(0, "MSUs.", {6720, 300, 495, 255}),
        }},
        {{120, 1200, 9255, 675}, {
            caption(0, "Adding", {120, 300, 615, 255}),
            field(0, "txtWXandMSUtoMSU_WXinput", FieldCalc3Wexels, {720, 240, 1095, 300}, "WXs added"),
            caption(0, "WXs to", {1920, 300, 615, 255}),
            field(0, "txtWXandMSUtoMSU_MSUinput", FieldCalc3Capacity, {2520, 240, 1095, 300}, "existing MSUs"),
            caption(0, "existing MSUs is sufficient for a total utilization of", {3720, 300, 3495, 255}),
            output(0, "lblWXandMSUtoMSU_MSUOutput", LabelCalc3Capacity, {7200, 240, 1335, 300}, "MSUs total utilization"),
            caption(0, "MSUs.", {8640, 300, 495, 255}),
        }},
        {{120, 1800, 9255, 975}, {
            caption(0, "Adding", {120, 240, 495, 255}),
            field(0, "txtMSUandMSUtoWX_MSUInput1", FieldCalc4Added, {720, 200, 1095, 300}, "MSUs added"),
            caption(0, "MSUs to an existing ", {1920, 240, 1455, 255}),
            field(0, "txtMSUandMSUtoWX_MSUInput2", FieldCalc4Existing, {3480, 200, 1095, 300}, "existing MSU utilization"),
            caption(0, "MSU utilization requires", {4680, 240, 1695, 255}),
            output(0, "lblMSUandMSUtoWX_WXOutput", LabelCalc4Wexels, {6480, 195, 1335, 300}, "additional WXs required"),
            caption(0, "additional WXs", {7920, 240, 1095, 255}),
            caption(1, "and is sufficient for a total utilization of", {1920, 580, 2895, 255}),
            output(1, "lblMSUandMSUtoWX_MSUOutput", LabelCalc4Capacity, {4800, 540, 1335, 300}, "MSUs total utilization"),
            caption(1, "MSUs.", {6240, 580, 615, 255}),
        }},
        // "MSUs to an existing" has no trailing blank here, unlike calculator 4:
        // the design's own caption, kept as it is.
        {{120, 2675, 9255, 975}, {
            caption(0, "Adding", {120, 240, 495, 255}),
            field(0, "txtMSUInputToWXandMSU", FieldCalc5Added, {720, 200, 1095, 300}, "MSUs added"),
            caption(0, "MSUs to an existing", {1920, 240, 1455, 255}),
            field(0, "txtWXInputToWXandMSU", FieldCalc5Wexels, {3480, 200, 1095, 300}, "existing WX entitlement"),
            caption(0, "WX entitlement requires", {4680, 240, 1695, 255}),
            output(0, "lblMSUWXToAdditionalWXs", LabelCalc5Wexels, {6480, 195, 1335, 300}, "additional WXs required"),
            caption(0, "additional WXs", {7920, 240, 1215, 255}),
            caption(1, "and is sufficient for a total utilization of", {1920, 600, 2775, 255}),
            output(1, "lblMSUWXToMSUs", LabelCalc5Capacity, {4800, 555, 1335, 300}, "MSUs total utilization"),
            caption(1, "MSUs.", {6240, 600, 615, 255}),
        }},
    };
    // clang-format on
    return designs;
}

const Piece& pieceFor(PieceKind kind, int slot) {
    for (const Calculator& calculator : calculators()) {
        for (const Piece& piece : calculator.pieces) {
            if (piece.kind == kind && piece.slot == slot) {
                return piece;
            }
        }
    }
    return calculators().front().pieces.front();
}

std::string withUnit(std::string_view msuText, std::string_view unit) {
    static constexpr std::string_view msu = "MSU";
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = msuText.find(msu); at != std::string_view::npos;
         at = msuText.find(msu, from)) {
        result.append(msuText.substr(from, at - from));
        result.append(unit);
        from = at + msu.size();
    }
    result.append(msuText.substr(from));
    return result;
}

std::string roundingNote(const std::string& unit) {
    // ENG has no rounding up, and two blanks after "NOTE:" where the others
    // have three: both as designed.
    if (unit == "ENG") {
        return std::string("NOTE:  When converting Wexels to ENGs, ") +
               "fractional results are rounded down.  " +
               "Due to this rounding effect, multiple numbers of Wexels " +
               "could be converted to the same number of ENGs.";
    }
    return "NOTE:   When converting " + unit + "s to Wexels, fractional results are rounded up.  " +
           "When converting Wexels to " + unit + "s, fractional results are rounded down.  " +
           "Due to these rounding effects, multiple numbers of " + unit +
           "s could be converted to " + "the same number of Wexels.";
}

} // namespace wexel::design
