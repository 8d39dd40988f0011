#pragma once
// The converter window as designed, and the fitting of that design to the
// fonts at hand and to the texts shown.
//
// The design is in twips (15 twips = 1 pixel at 96 dpi). Fonts here are wider
// than the ones the design was drawn for, so each calculator sentence is laid
// out again from left to right: every piece keeps its reading order and the
// design's gap to the piece before it, and grows to the width its text needs.
// A result label has room for eleven characters, a whole 32-bit number; a
// longer result (the exponent form of a large one) widens its label, so that
// no number is ever shown in part. Frames and the window grow to hold what
// they contain.

#include "engine/Calculators.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace wexel::layout {

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

// The two headings of the tier list, which belong to the unit frame.
struct HeadingDesign {
    const char* text; // "MSU" stands for the unit
    int left, top, width, height;
};
inline constexpr HeadingDesign kRangeHeading{"MSUs", 1560, 3720, 495, 255};
inline constexpr HeadingDesign kSlopeHeading{"Wexels/MSU", 2520, 3720, 1455, 255};

// Where the shown unit frame sits in the window.
QPoint unitFramePosition();

// The text with every "MSU" replaced by `unit`.
std::string withUnit(std::string_view msuText, std::string_view unit);

// The widgets that the layout places. Each calculator's pieces are listed in
// the order of its design's pieces.
struct UnitWidgets {
    QWidget* frame = nullptr;
    std::array<QWidget*, 5> calculators{};
    std::array<std::vector<QWidget*>, 5> pieces;
    QLabel* rangeHeading = nullptr;
    QLabel* slopeHeading = nullptr;
};

struct WindowWidgets {
    QWidget* central = nullptr;
    QLabel* typeLabel = nullptr;
    QComboBox* typeBox = nullptr;
    std::array<UnitWidgets, 3> units;
    QTreeWidget* tierList = nullptr;
    QLabel* directions = nullptr;
    QPushButton* closeButton = nullptr;
};

// The widths that the results shown now need. A layout made for other
// widths may cut a result off, and is made again.
std::vector<int> widthsNeeded(const WindowWidgets& w);

// The rounding note of a unit, which the directions label shows.
std::string roundingNote(const std::string& unit);

// Places every widget of the window for the texts shown now (the results and
// the rows of the tier list) and the longest rounding note, and sets the
// central widget's minimum size to what they need. Returns the widths it
// made room for.
std::vector<int> layOutWindow(const WindowWidgets& w);

// The window's outer size as designed, in pixels.
QSize designedWindowSize();

} // namespace wexel::layout
