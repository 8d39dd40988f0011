#pragma once
// The converter window's widgets, laid out by Qt's layouts after the design:
// each calculator a sentence on one or two rows, the unit frames stacked with
// only one shown, the tier list and its headings, the rounding note and Close.
// The design's twips are the spacing between controls and their smallest
// sizes; a control whose text needs more room gets it, and the rest moves
// along. The window scrolls where its screen is too small for it.

#include "engine/Calculators.h"
#include "ui/converter/ConverterDesign.h"

#include <QFont>

#include <array>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QSpacerItem;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace wexel {

class QtResultLabel;
class QtTextField;

namespace layout {

// The fonts of the window, in points: the design's MS Sans Serif.
QFont windowFont(double points, bool bold = false);

struct UnitWidgets {
    QWidget* frame = nullptr; // empty until buildUnitFrame fills it
    bool built() const { return rangeHeading != nullptr; }
    std::array<QWidget*, 5> calculators{};
    std::array<QtTextField*, PanelFieldCount> fields{};
    std::array<QtResultLabel*, PanelLabelCount> labels{};
    QLabel* rangeHeading = nullptr;
    QLabel* slopeHeading = nullptr;
    // The headings' row, and the room before each heading (fitTierList sets it).
    QHBoxLayout* headings = nullptr;
    QSpacerItem* beforeRange = nullptr;
    QSpacerItem* beforeSlope = nullptr;
};

struct WindowWidgets {
    QWidget* content = nullptr; // everything below the menu
    QLabel* typeLabel = nullptr;
    QComboBox* typeBox = nullptr;
    std::array<UnitWidgets, 3> units;
    QTreeWidget* tierList = nullptr;
    QLabel* directions = nullptr;
    QPushButton* closeButton = nullptr;
    QtResultLabel* status = nullptr;   // what a command just did, beside Close; hidden when empty
    QPlainTextEdit* working = nullptr; // the working panel, hidden until asked for
    QPlainTextEdit* comparison = nullptr; // every conversion of the unit, hidden until asked for
};

// Creates every control of the window in `content`, named, with its font,
// caption and initial text, in its layout; of the unit frames, only the
// frames themselves, hidden: buildUnitFrame fills each.
WindowWidgets buildWindow(QWidget* content);

// Creates the controls of unit frame `unit`. A caption that names the unit is
// as wide as the widest unit's, so every unit frame has one width: a frame
// built when its unit is first chosen moves nothing.
void buildUnitFrame(WindowWidgets& w, std::size_t unit);

// The tier list's columns as wide as their texts (never narrower than
// designed), the list as wide as its columns, and each built unit frame's
// headings over the columns they name. Called whenever the rows change.
void fitTierList(const WindowWidgets& w);

} // namespace layout

} // namespace wexel
