#pragma once
// The converter window as designed, and the fitting of that design to the
// fonts at hand.
//
// The design is in twips (15 twips = 1 pixel at 96 dpi). Fonts here are wider
// than the ones the design was drawn for, so each calculator sentence is laid
// out again from left to right: every piece keeps its reading order and the
// design's gap to the piece before it, and grows to the width its text needs.
// Frames and the window then grow to hold what they contain.

#include "engine/Calculators.h"

#include <QRect>
#include <QSize>

#include <string>
#include <string_view>
#include <vector>

namespace wexel::layout {

// Twips to pixels, rounded to the nearest pixel.
constexpr int px(int twips) {
    return (twips * 2 + 15) / 30;
}

enum class PieceKind { Caption, Field, Output };

// One piece of a calculator sentence, as designed for the MSU frame.
struct PieceDesign {
    PieceKind kind;
    int line; // 0 = first line of the sentence, 1 = second
    // Caption text, or the object name of a field or output label; "MSU" in it
    // stands for the unit of the frame.
    const char* text;
    int left, top, width, height; // twips, relative to the calculator frame
    int slot; // PanelField of a field, PanelLabel of an output, -1 for a caption
};

struct CalculatorDesign {
    int left, top, width, height; // twips, relative to the unit frame
    std::vector<PieceDesign> pieces;
};

// The five calculators of the MSU frame, in reading order.
const std::vector<CalculatorDesign>& calculatorDesigns();

// The unit frame as designed: size, and the two headings of the tier list.
inline constexpr int kUnitFrameWidth = 9450;
inline constexpr int kUnitFrameHeight = 3975;
inline constexpr int kUnitFrameTop = 600; // where the shown unit frame sits in the window
struct HeadingDesign {
    const char* text; // "MSU" stands for the unit
    int left, top, width, height;
};
inline constexpr HeadingDesign kRangeHeading{"MSUs", 1560, 3720, 495, 255};
inline constexpr HeadingDesign kSlopeHeading{"Wexels/MSU", 2520, 3720, 1455, 255};

// The text with every "MSU" replaced by `unit`.
std::string withUnit(std::string_view msuText, std::string_view unit);

// A calculator laid out: the frame's size and each piece's place in it, in
// the order of CalculatorDesign::pieces.
struct CalculatorFit {
    QSize frame;
    std::vector<QRect> pieces;
};

// Lays one calculator out for pieces that need at least `minimum` (in the
// order of the design's pieces), at least `frameWidth` wide. Fields and
// outputs of one line share one row height; captions are centred on it.
CalculatorFit fitCalculator(const CalculatorDesign& design, const std::vector<QSize>& minimum,
                            int frameWidth = 0);

// The space kept after the last piece of a sentence and around a frame.
inline constexpr int kFrameRightMargin = 120; // twips
// The smallest gap kept between two pieces of a sentence, where the design
// lets them touch or overlap.
inline constexpr int kMinimumPieceGap = 60; // twips
// The gap between two calculator frames stacked one below the other.
inline constexpr int kCalculatorGap = 2; // pixels

} // namespace wexel::layout
