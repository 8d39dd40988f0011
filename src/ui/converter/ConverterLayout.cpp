#include "ui/converter/ConverterLayout.h"

#include "tiers/DataFiles.h"
#include "ui/info/DialogLayout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace wexel::layout {

namespace {

constexpr auto& px = twipsToPixels;

constexpr PieceDesign caption(int line, const char* text, int left, int top, int width,
                              int height) {
    return {PieceKind::Caption, line, text, left, top, width, height, -1};
}
constexpr PieceDesign field(int line, const char* name, PanelField slot, int left, int top,
                            int width, int height) {
    return {PieceKind::Field, line, name, left, top, width, height, slot};
}
constexpr PieceDesign output(int line, const char* name, PanelLabel slot, int left, int top,
                             int width, int height) {
    return {PieceKind::Output, line, name, left, top, width, height, slot};
}

// The design's other boxes, in twips (left, top, width, height).
constexpr QRect kUnitFrame{0, 600, 9450, 3975};
constexpr QRect kTypeLabel{480, 140, 1695, 375};
constexpr QRect kTypeBox{2280, 60, 3735, 0}; // one line high
constexpr QRect kTierList{360, 4560, 3495, 1815};
constexpr QRect kDirections{4080, 4680, 5175, 1035};
constexpr QRect kCloseButton{8280, 5880, 975, 495};
constexpr QSize kWindow{9555, 7275};
// Below the directions, the button keeps the design's distance to them.
constexpr int kCloseGap = 165;
// The design's gaps between the tier list and the directions, and between the
// type label and its list.
constexpr int kListGap = kDirections.left() - kTierList.left() - kTierList.width();
constexpr int kTypeGap = kTypeBox.left() - kTypeLabel.left() - kTypeLabel.width();
// Room kept right of and below the content.
constexpr int kWindowMargin = 180;
// The design's tier list columns, in pixels.
constexpr std::array<int, 5> kColumnWidths{35, 55, 18, 55, 49};
// What each column must show whole for ordinary data, beside its texts.
constexpr std::array<const char*, 5> kColumnSamples{"Tier W", "0000000", "-", "0000000", "0.0000"};
constexpr int kColumnPadding = 10;

constexpr int kFrameRightMargin = 120; // twips after the last piece of a sentence
// The smallest gap kept between two pieces of a sentence, where the design
// lets them touch or overlap.
constexpr int kMinimumPieceGap = 60; // twips
constexpr int kCalculatorGap = 2;    // pixels between two calculator frames
constexpr int kFieldTextMargin = 12; // a field's frame and margins around its text
constexpr int kOutputTextMargin = 8; // a result's sunken border and indent
// What a result label always has room for: a whole 32-bit number.
constexpr const char* kOrdinaryResult = "-0000000000";

// A calculator laid out: the frame's size and each piece's place in it, in
// the order of the design's pieces.
struct CalculatorFit {
    QSize frame;
    std::vector<QRect> pieces;
};

// Lays one calculator out for pieces that need at least `minimum`, at least
// `frameWidth` wide. Fields and outputs of one line share one row height;
// captions are centred on it.
CalculatorFit fitCalculator(const CalculatorDesign& design, const std::vector<QSize>& minimum,
                            int frameWidth = 0) {
    const auto& pieces = design.pieces;
    CalculatorFit fit;
    fit.pieces.resize(pieces.size());

    int lastLine = 0;
    for (const PieceDesign& p : pieces) {
        lastLine = std::max(lastLine, p.line);
    }

    int designRowBottomBefore = 0; // twips, bottom of the previous line's row as designed
    int rowBottomBefore = 0;       // pixels, as laid out
    int rightmost = 0;
    for (int line = 0; line <= lastLine; ++line) {
        // The row of a line is where its fields and outputs sit; captions are
        // centred on it.
        int designTop = INT_MAX;
        int designBottom = 0;
        int rowHeight = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const PieceDesign& p = pieces[i];
            if (p.line != line) {
                continue;
            }
            if (p.kind != PieceKind::Caption) {
                designTop = std::min(designTop, p.top);
                designBottom = std::max(designBottom, p.top + p.height);
            }
            rowHeight = std::max({rowHeight, px(p.height), minimum[i].height()});
        }
        int rowTop = px(designTop);
        if (line > 0) {
            rowTop = std::max(rowTop,
                              rowBottomBefore + px(std::max(0, designTop - designRowBottomBefore)));
        }

        int x = 0;
        const PieceDesign* previous = nullptr;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const PieceDesign& p = pieces[i];
            if (p.line != line) {
                continue;
            }
            if (previous == nullptr) {
                // A later line starts under the piece of an earlier line that
                // it was designed to start under.
                x = px(p.left);
                for (std::size_t j = 0; j < pieces.size(); ++j) {
                    if (pieces[j].line < line && pieces[j].left == p.left) {
                        x = fit.pieces[j].left();
                        break;
                    }
                }
            } else {
                const int designGap = p.left - (previous->left + previous->width);
                x += px(std::max(designGap, kMinimumPieceGap));
            }
            const int width = std::max(px(p.width), minimum[i].width());
            int height = rowHeight;
            int top = rowTop;
            if (p.kind == PieceKind::Caption) {
                height = std::max(px(p.height), minimum[i].height());
                top = rowTop + (rowHeight - height) / 2;
            }
            fit.pieces[i] = QRect(x, top, width, height);
            x += width;
            rightmost = std::max(rightmost, x);
            previous = &p;
        }
        designRowBottomBefore = designBottom;
        rowBottomBefore = rowTop + rowHeight;
    }

    const int bottomMargin = std::max(0, design.height - designRowBottomBefore);
    fit.frame = QSize(std::max({frameWidth, px(design.width), rightmost + px(kFrameRightMargin)}),
                      std::max(px(design.height), rowBottomBefore + px(bottomMargin)));
    return fit;
}

// The width a result label needs for the text it shows now.
int outputWidth(const QWidget* label) {
    const QFontMetrics fm(label->font());
    const QString text = static_cast<const QLabel*>(label)->text();
    return std::max(fm.horizontalAdvance(QString::fromLatin1(kOrdinaryResult)),
                    fm.horizontalAdvance(text)) +
           kOutputTextMargin;
}

std::vector<QSize> minimumSizes(const CalculatorDesign& design,
                                const std::vector<QWidget*>& pieces) {
    std::vector<QSize> minimum;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const QWidget* widget = pieces[i];
        const QFontMetrics fm(widget->font());
        const PieceKind kind = design.pieces[i].kind;
        if (kind == PieceKind::Field) {
            const auto* field = static_cast<const QLineEdit*>(widget);
            minimum.emplace_back(
                fm.horizontalAdvance(QString(field->maxLength(), QLatin1Char('0'))) +
                    kFieldTextMargin,
                std::max(fm.height() + 6, field->sizeHint().height()));
        } else if (kind == PieceKind::Output) {
            minimum.emplace_back(outputWidth(widget), fm.height() + 6);
        } else {
            minimum.emplace_back(
                fm.horizontalAdvance(static_cast<const QLabel*>(widget)->text()) + 2, fm.height());
        }
    }
    return minimum;
}

std::array<int, 5> columnWidths(const QTreeWidget* list) {
    const QFontMetrics fm(list->font());
    std::array<int, 5> widths = kColumnWidths;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] =
            std::max(widths[c],
                     fm.horizontalAdvance(QString::fromLatin1(kColumnSamples[c])) + kColumnPadding);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QString text = list->topLevelItem(row)->text(static_cast<int>(c));
            widths[c] = std::max(widths[c], fm.horizontalAdvance(text) + kColumnPadding);
        }
    }
    return widths;
}

// Lays out the five calculators and the headings of one unit frame, at least
// `calculatorWidth` wide; returns the frame's size.
QSize layOutUnit(const UnitWidgets& u, int calculatorWidth) {
    const auto& designs = calculatorDesigns();
    int below = 0; // bottom of the calculator above
    for (std::size_t c = 0; c < designs.size(); ++c) {
        const CalculatorFit fit =
            fitCalculator(designs[c], minimumSizes(designs[c], u.pieces[c]), calculatorWidth);
        for (std::size_t i = 0; i < u.pieces[c].size(); ++i) {
            u.pieces[c][i]->setGeometry(fit.pieces[i]);
        }
        const int top =
            c == 0 ? px(designs[c].top) : std::max(px(designs[c].top), below + kCalculatorGap);
        u.calculators[c]->setGeometry(px(designs[c].left), top, fit.frame.width(),
                                      fit.frame.height());
        below = top + fit.frame.height();
    }
    const int headingTop = std::max(px(kRangeHeading.top), below + 2);
    for (auto [label, design] :
         {std::pair{u.rangeHeading, kRangeHeading}, std::pair{u.slopeHeading, kSlopeHeading}}) {
        const QFontMetrics fm(label->font());
        label->setGeometry(px(design.left), headingTop,
                           std::max(px(design.width), fm.horizontalAdvance(label->text()) + 2),
                           std::max(px(design.height), fm.height()));
    }
    return {std::max(px(kUnitFrame.width()),
                     px(designs.front().left) + calculatorWidth + px(kFrameRightMargin) / 2),
            std::max(px(kUnitFrame.height()), u.rangeHeading->geometry().bottom() + 1 + 2)};
}

} // namespace

const std::vector<CalculatorDesign>& calculatorDesigns() {
    // clang-format off
    static const std::vector<CalculatorDesign> designs{
        {120, 0, 9255, 675, {
            caption(0, "A utilization of", 120, 300, 975, 255),
            field(0, "txtMSUtoWX_MSU", FieldCalc1Capacity, 1200, 240, 1095, 300),
            caption(0, "MSUs requires an entitlement of ", 2400, 300, 2295, 255),
            output(0, "lblMSUtoWX_WX", LabelCalc1Wexels, 4800, 240, 1335, 300),
            caption(0, "WXs.", 6240, 300, 375, 255),
        }},
        {120, 600, 9255, 675, {
            caption(0, "An entitlement of ", 120, 300, 1335, 255),
            field(0, "txtWXtoMSU_WX", FieldCalc2Wexels, 1440, 240, 1095, 300),
            caption(0, "WXs is sufficient for a utilization of ", 2640, 300, 2415, 255),
            output(0, "lblWXtoMSU_MSU", LabelCalc2Capacity, 5160, 240, 1455, 300),
            caption(0, "MSUs.", 6720, 300, 495, 255),
        }},
        {120, 1200, 9255, 675, {
            caption(0, "Adding", 120, 300, 615, 255),
            field(0, "txtWXandMSUtoMSU_WXinput", FieldCalc3Wexels, 720, 240, 1095, 300),
            caption(0, "WXs to", 1920, 300, 615, 255),
            field(0, "txtWXandMSUtoMSU_MSUinput", FieldCalc3Capacity, 2520, 240, 1095, 300),
            caption(0, "existing MSUs is sufficient for a total utilization of", 3720, 300, 3495, 255),
            output(0, "lblWXandMSUtoMSU_MSUOutput", LabelCalc3Capacity, 7200, 240, 1335, 300),
            caption(0, "MSUs.", 8640, 300, 495, 255),
        }},
        {120, 1800, 9255, 975, {
            caption(0, "Adding", 120, 240, 495, 255),
            field(0, "txtMSUandMSUtoWX_MSUInput1", FieldCalc4Added, 720, 200, 1095, 300),
            caption(0, "MSUs to an existing ", 1920, 240, 1455, 255),
            field(0, "txtMSUandMSUtoWX_MSUInput2", FieldCalc4Existing, 3480, 200, 1095, 300),
            caption(0, "MSU utilization requires", 4680, 240, 1695, 255),
            output(0, "lblMSUandMSUtoWX_WXOutput", LabelCalc4Wexels, 6480, 195, 1335, 300),
            caption(0, "additional WXs", 7920, 240, 1095, 255),
            caption(1, "and is sufficient for a total utilization of", 1920, 580, 2895, 255),
            output(1, "lblMSUandMSUtoWX_MSUOutput", LabelCalc4Capacity, 4800, 540, 1335, 300),
            caption(1, "MSUs.", 6240, 580, 615, 255),
        }},
        // "MSUs to an existing" has no trailing blank here, unlike calculator 4:
        // the design's own caption, kept as it is.
        {120, 2675, 9255, 975, {
            caption(0, "Adding", 120, 240, 495, 255),
            field(0, "txtMSUInputToWXandMSU", FieldCalc5Added, 720, 200, 1095, 300),
            caption(0, "MSUs to an existing", 1920, 240, 1455, 255),
            field(0, "txtWXInputToWXandMSU", FieldCalc5Wexels, 3480, 200, 1095, 300),
            caption(0, "WX entitlement requires", 4680, 240, 1695, 255),
            output(0, "lblMSUWXToAdditionalWXs", LabelCalc5Wexels, 6480, 195, 1335, 300),
            caption(0, "additional WXs", 7920, 240, 1215, 255),
            caption(1, "and is sufficient for a total utilization of", 1920, 600, 2775, 255),
            output(1, "lblMSUWXToMSUs", LabelCalc5Capacity, 4800, 555, 1335, 300),
            caption(1, "MSUs.", 6240, 600, 615, 255),
        }},
    };
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

std::vector<int> widthsNeeded(const WindowWidgets& w) {
    std::vector<int> widths;
    const auto& designs = calculatorDesigns();
    for (const UnitWidgets& u : w.units) {
        for (std::size_t c = 0; c < designs.size(); ++c) {
            for (std::size_t i = 0; i < u.pieces[c].size(); ++i) {
                if (designs[c].pieces[i].kind == PieceKind::Output) {
                    widths.push_back(outputWidth(u.pieces[c][i]));
                }
            }
        }
    }
    return widths;
}

std::vector<int> layOutWindow(const WindowWidgets& w) {
    // Every unit frame is laid out for the widest of the three, so switching
    // units leaves the window as it is.
    const auto& designs = calculatorDesigns();
    int calculatorWidth = px(designs.front().width);
    for (const UnitWidgets& u : w.units) {
        for (std::size_t c = 0; c < designs.size(); ++c) {
            calculatorWidth = std::max(
                calculatorWidth,
                fitCalculator(designs[c], minimumSizes(designs[c], u.pieces[c])).frame.width());
        }
    }
    QSize unitFrame;
    for (const UnitWidgets& u : w.units) {
        unitFrame = unitFrame.expandedTo(layOutUnit(u, calculatorWidth));
    }
    for (const UnitWidgets& u : w.units) {
        u.frame->resize(unitFrame);
    }

    // The bottom strip moves down by what the unit frame grew.
    const int shift = std::max(0, unitFrame.height() - px(kUnitFrame.height()));

    // Tier list: columns wide enough for their texts, the list as wide as
    // its columns and the scroll bar.
    const std::array<int, 5> columns = columnWidths(w.tierList);
    int columnsWidth = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        w.tierList->setColumnWidth(static_cast<int>(i), columns[i]);
        columnsWidth += columns[i];
    }
    w.tierList->ensurePolished();
    w.tierList->verticalScrollBar()->ensurePolished();
    const int scrollBar =
        std::max(w.tierList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w.tierList),
                 w.tierList->verticalScrollBar()->sizeHint().width());
    const int listWidth = std::max(px(kTierList.width()),
                                   columnsWidth + scrollBar + 2 * w.tierList->frameWidth() + 4);
    w.tierList->setGeometry(px(kTierList.left()), px(kTierList.top()) + shift, listWidth,
                            px(kTierList.height()));
    // The headings stand over the range and the slope columns of the list.
    for (const UnitWidgets& u : w.units) {
        const int rangeLeft = px(kTierList.left()) + w.tierList->frameWidth() + columns[0];
        const int slopeLeft = rangeLeft + columns[1] + columns[2] + columns[3];
        QRect range = u.rangeHeading->geometry();
        range.moveLeft(std::max(range.left(), rangeLeft));
        u.rangeHeading->setGeometry(range);
        QRect slope = u.slopeHeading->geometry();
        slope.moveLeft(std::max({slope.left(), slopeLeft, range.right() + 5}));
        u.slopeHeading->setGeometry(slope);
    }

    // Directions: tall enough for the longest of the notes.
    const int directionsLeft =
        std::max(px(kDirections.left()), w.tierList->geometry().right() + 1 + px(kListGap));
    // Beside a tier list widened for long numbers they wrap narrower, so that
    // the window keeps the width of its calculators.
    const int directionsWidth = std::max(px(kDirections.width()) * 2 / 3,
                                         unitFrame.width() - directionsLeft - px(kWindowMargin));
    const QFontMetrics noteFm(w.directions->font());
    int noteHeight = px(kDirections.height());
    for (const char* unit : kUnitCodes) {
        const QRect needed =
            noteFm.boundingRect(QRect(0, 0, directionsWidth, 10000), Qt::TextWordWrap,
                                QString::fromStdString(roundingNote(unit)));
        noteHeight = std::max(noteHeight, needed.height() + 4);
    }
    w.directions->setGeometry(directionsLeft, px(kDirections.top()) + shift, directionsWidth,
                              noteHeight);

    const QPushButton* close = w.closeButton;
    const int buttonWidth = std::max(px(kCloseButton.width()),
                                     close->fontMetrics().horizontalAdvance(close->text()) + 20);
    const int buttonTop = std::max(px(kCloseButton.top()) + shift,
                                   w.directions->geometry().bottom() + 1 + px(kCloseGap));
    w.closeButton->setGeometry(directionsLeft + directionsWidth - buttonWidth, buttonTop,
                               buttonWidth,
                               std::max(px(kCloseButton.height()), close->sizeHint().height()));

    // The top strip: the label, then the list as wide as its longest entry.
    const QFontMetrics typeFm(w.typeLabel->font());
    const int labelWidth =
        std::max(px(kTypeLabel.width()), typeFm.horizontalAdvance(w.typeLabel->text()) + 4);
    const int boxHeight = w.typeBox->sizeHint().height();
    const int boxLeft =
        std::max(px(kTypeBox.left()), px(kTypeLabel.left()) + labelWidth + px(kTypeGap));
    w.typeLabel->setGeometry(px(kTypeLabel.left()), px(kTypeBox.top()), labelWidth, boxHeight);
    w.typeBox->setGeometry(boxLeft, px(kTypeBox.top()),
                           std::max(px(kTypeBox.width()), w.typeBox->sizeHint().width()),
                           boxHeight);

    // The window: the design's size, or what its content needs.
    const int contentWidth =
        std::max({unitFrame.width(), w.closeButton->geometry().right() + 1 + px(kWindowMargin),
                  w.typeBox->geometry().right() + 1 + px(kFrameRightMargin)});
    const int contentHeight =
        std::max(w.tierList->geometry().bottom(), w.closeButton->geometry().bottom()) + 1 +
        px(kWindowMargin);
    w.central->setMinimumSize(contentWidth, contentHeight);
    return widthsNeeded(w);
}

QPoint unitFramePosition() {
    return {px(kUnitFrame.left()), px(kUnitFrame.top())};
}

QSize designedWindowSize() {
    return {px(kWindow.width()), px(kWindow.height())};
}

} // namespace wexel::layout
