#pragma once
// The five calculators as the sentences a user reads: their captions, fields
// and results in reading order, with what a screen reader calls each field
// and result. The window lays them out; an estimate and wexel-calc write
// them with their numbers.

#include "engine/Calculators.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace wexel {

enum class PieceKind { Caption, Field, Output };

// One piece of a calculator sentence, for the MSU frame: "MSU" in its text
// stands for the unit of the frame.
struct SentencePiece {
    PieceKind kind;
    int line;         // 0 = first line of the sentence, 1 = second
    const char* text; // a caption, or the object name of a field or output label
    int slot = -1;    // PanelField of a field, PanelLabel of an output
    // What a screen reader calls a field or a result: its sentence's words.
    const char* accessibleName = "";
};

using Sentence = std::vector<SentencePiece>;

// The five calculators of the MSU frame, calculator 1 to 5, each in reading order.
const std::array<Sentence, 5>& sentences();

// The text with every "MSU" replaced by `unit`.
std::string withUnit(std::string_view msuText, std::string_view unit);

// Calculator `calculator` (1..5) as it reads in `panel`, for `unit`: its
// captions with the fields' texts and the results in place, single-spaced,
// e.g. "A utilization of 1500 MSUs requires an entitlement of 275 WXs.".
// Without a panel, "..." stands for each number.
std::string sentenceText(int calculator, const std::string& unit, const Panel* panel = nullptr);

} // namespace wexel
