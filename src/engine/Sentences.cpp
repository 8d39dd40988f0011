#include "engine/Sentences.h"

namespace wexel {

namespace {

SentencePiece caption(int line, const char* text) {
    return {PieceKind::Caption, line, text};
}
SentencePiece field(int line, const char* name, PanelField slot, const char* accessibleName) {
    return {PieceKind::Field, line, name, slot, accessibleName};
}
SentencePiece output(int line, const char* name, PanelLabel slot, const char* accessibleName) {
    return {PieceKind::Output, line, name, slot, accessibleName};
}

// The blanks around a caption are the design's spacing, not its words.
std::string_view trimmed(std::string_view text) {
    const std::size_t from = text.find_first_not_of(' ');
    return from == std::string_view::npos
               ? std::string_view()
               : text.substr(from, text.find_last_not_of(' ') - from + 1);
}

} // namespace

const std::array<Sentence, 5>& sentences() {
    // clang-format off
    static const std::array<Sentence, 5> designs{{
        {
            caption(0, "A utilization of"),
            field(0, "txtMSUtoWX_MSU", FieldCalc1Capacity, "MSUs utilization"),
            caption(0, "MSUs requires an entitlement of "),
            output(0, "lblMSUtoWX_WX", LabelCalc1Wexels, "WXs required"),
            caption(0, "WXs."),
        },
        {
            caption(0, "An entitlement of "),
            field(0, "txtWXtoMSU_WX", FieldCalc2Wexels, "WXs entitlement"),
            caption(0, "WXs is sufficient for a utilization of "),
            output(0, "lblWXtoMSU_MSU", LabelCalc2Capacity, "MSUs utilization sufficient"),
            caption(0, "MSUs."),
        },
        {
            caption(0, "Adding"),
            field(0, "txtWXandMSUtoMSU_WXinput", FieldCalc3Wexels, "WXs added"),
            caption(0, "WXs to"),
            field(0, "txtWXandMSUtoMSU_MSUinput", FieldCalc3Capacity, "existing MSUs"),
            caption(0, "existing MSUs is sufficient for a total utilization of"),
            output(0, "lblWXandMSUtoMSU_MSUOutput", LabelCalc3Capacity, "MSUs total utilization"),
            caption(0, "MSUs."),
        },
        {
            caption(0, "Adding"),
            field(0, "txtMSUandMSUtoWX_MSUInput1", FieldCalc4Added, "MSUs added"),
            caption(0, "MSUs to an existing "),
            field(0, "txtMSUandMSUtoWX_MSUInput2", FieldCalc4Existing, "existing MSU utilization"),
            caption(0, "MSU utilization requires"),
            output(0, "lblMSUandMSUtoWX_WXOutput", LabelCalc4Wexels, "additional WXs required"),
            caption(0, "additional WXs"),
            caption(1, "and is sufficient for a total utilization of"),
            output(1, "lblMSUandMSUtoWX_MSUOutput", LabelCalc4Capacity, "MSUs total utilization"),
            caption(1, "MSUs."),
        },
        // "MSUs to an existing" has no trailing blank here, unlike calculator 4:
        // the design's own caption, kept as it is.
        {
            caption(0, "Adding"),
            field(0, "txtMSUInputToWXandMSU", FieldCalc5Added, "MSUs added"),
            caption(0, "MSUs to an existing"),
            field(0, "txtWXInputToWXandMSU", FieldCalc5Wexels, "existing WX entitlement"),
            caption(0, "WX entitlement requires"),
            output(0, "lblMSUWXToAdditionalWXs", LabelCalc5Wexels, "additional WXs required"),
            caption(0, "additional WXs"),
            caption(1, "and is sufficient for a total utilization of"),
            output(1, "lblMSUWXToMSUs", LabelCalc5Capacity, "MSUs total utilization"),
            caption(1, "MSUs."),
        },
    }};
    // clang-format on
    return designs;
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

std::string sentenceText(int calculator, const std::string& unit, const Panel* panel) {
    std::string text;
    for (const SentencePiece& piece : sentences().at(static_cast<std::size_t>(calculator - 1))) {
        std::string words;
        switch (piece.kind) {
        case PieceKind::Caption:
            words = withUnit(trimmed(piece.text), unit);
            break;
        case PieceKind::Field:
            words =
                panel != nullptr ? std::string(trimmed(panel->fields[piece.slot]->text())) : "...";
            break;
        case PieceKind::Output:
            words = panel != nullptr ? panel->labels[piece.slot]->caption() : "...";
            break;
        }
        text += (text.empty() ? "" : " ") + words;
    }
    return text;
}

} // namespace wexel
