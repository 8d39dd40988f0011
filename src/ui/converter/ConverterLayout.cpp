// The converter window's strips (the conversion type, the unit frames' place,
// the tier list with the note, status and Close, the panels) and fitting the
// tier list to its rows.
#include "ui/converter/ConverterLayout.h"

#include "tiers/DataFiles.h"
#include "ui/converter/EllipsisComboBox.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/info/DialogLayout.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace wexel::layout {

namespace {

constexpr auto& px = twipsToPixels;

// Room kept right of and below the content.
constexpr int kWindowMargin = 180;
// The rounding note may wrap narrower than designed beside a widened tier
// list, rather than widen the window.
constexpr int kDirectionsLeast = design::kDirections.width() * 2 / 3;

template <class Widget> Widget* make(QWidget* parent, const char* name, double points, bool bold) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(windowFont(points, bold));
    return widget;
}

} // namespace

QFont windowFont(double points, bool bold) {
    return designFont(QStringLiteral("MS Sans Serif"), points, bold);
}

namespace {

// The top strip: the conversion type, its label before it.
void buildTopStrip(WindowWidgets& w, QVBoxLayout* column) {
    QWidget* content = w.content;
    auto* top = new QHBoxLayout;
    top->setContentsMargins(px(design::kTypeLabel.left()), px(design::kTypeBox.top()),
                            px(kWindowMargin), 0);
    top->setSpacing(0);
    w.typeLabel = make<QLabel>(content, "lblConversionType", 9.75, false);
    w.typeLabel->setText(QStringLiteral("Conversion Type:"));
    w.typeLabel->setMinimumWidth(
        std::max(px(design::kTypeLabel.width()), w.typeLabel->minimumSizeHint().width()));
    w.typeLabel->setContentsMargins(0, px(design::kTypeLabel.top() - design::kTypeBox.top()) / 2, 0,
                                    0);
    w.typeBox = make<EllipsisComboBox>(content, "cboConversionType", 9.75, false);
    w.typeBox->setEditable(false);
    // A screen reader names the list by its label (Qt's drop-down reads its
    // chosen entry as its name).
    w.typeLabel->setBuddy(w.typeBox);
    w.typeBox->setAccessibleDescription(
        QStringLiteral("The conversion whose tiers the calculators use"));
    // As wide as designed, or as the longest name it shows whole; a longer
    // name shows cut, whole in its tooltip, and the list never jumps.
    w.typeBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    w.typeBox->setMinimumContentsLength(kNameShownWhole);
    w.typeBox->setMinimumWidth(
        std::max(px(design::kTypeBox.width()), w.typeBox->minimumSizeHint().width()));
    top->addWidget(w.typeLabel, 0, Qt::AlignTop);
    top->addSpacing(px(design::kTypeBox.left() - design::kTypeLabel.right() - 1));
    top->addWidget(w.typeBox, 0, Qt::AlignTop);
    top->addStretch();
    // The unit frame starts below, as designed.
    top->addStrut(px(design::kUnitFrame.top() - design::kTypeBox.top()));
    column->addLayout(top);
}

// The unit frames, one over the other: only the one shown is seen.
void buildUnitFrames(WindowWidgets& w, QVBoxLayout* column) {
    QWidget* content = w.content;
    // buildUnitFrame fills each when its unit is first shown.
    auto* frames = new QWidget(content);
    auto* stack = new QStackedLayout(frames);
    stack->setStackingMode(QStackedLayout::StackAll);
    for (std::size_t unit = 0; unit < design::kUnitFrames.size(); ++unit) {
        auto* frame = new QFrame(frames);
        frame->setObjectName(QString::fromLatin1(design::kUnitFrames[unit].name));
        frame->setFrameShape(QFrame::NoFrame);
        frame->hide();
        w.units[unit].frame = frame;
        stack->addWidget(frame);
    }
    column->addWidget(frames);
}

// The bottom strip: the tier list, and beside it the rounding note, the
// status line and Close.
void buildBottomStrip(WindowWidgets& w, QVBoxLayout* column) {
    QWidget* content = w.content;
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(px(design::kTierList.left()), 0, px(kWindowMargin),
                               px(kWindowMargin));
    bottom->setSpacing(0);
    w.tierList = make<QTreeWidget>(content, "lstSlope", 8.25, false);
    w.tierList->setColumnCount(static_cast<int>(design::kColumnWidths.size()));
    w.tierList->setHeaderHidden(true);
    w.tierList->header()->setStretchLastSection(false);
    w.tierList->header()->setMinimumSectionSize(8);
    w.tierList->setRootIsDecorated(false);
    w.tierList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.tierList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.tierList->setFixedHeight(px(design::kTierList.height()));
    w.tierList->setAccessibleName(QStringLiteral("Tiers"));
    w.tierList->setAccessibleDescription(
        QStringLiteral("The tiers of the conversion chosen, a row each: the tier, its lowest and "
                       "highest capacity, and the Wexels each unit in it is worth"));
    bottom->addWidget(w.tierList, 0, Qt::AlignTop);
    bottom->addSpacing(px(design::kDirections.left() - design::kTierList.right() - 1));

    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, px(design::kDirections.top() - design::kTierList.top()), 0, 0);
    side->setSpacing(px(design::kCloseButton.top() - design::kDirections.bottom() - 1));
    w.directions = make<QLabel>(content, "lblDirections", 8.25, true);
    w.directions->setWordWrap(true);
    w.directions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.directions->setTextFormat(Qt::PlainText);
    w.directions->setMinimumWidth(px(kDirectionsLeast));
    w.directions->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    QPalette palette = w.directions->palette();
    palette.setColor(QPalette::WindowText, QColor(64, 64, 0));
    w.directions->setPalette(palette);
    side->addWidget(w.directions);
    side->addStretch();
    // Said once a command is done, and read out as a result is.
    w.status = make<QtResultLabel>(content, "lblStatus", 8.25, true);
    w.status->setFrameStyle(QFrame::NoFrame);
    w.status->setIndent(0);
    w.status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.status->setAccessibleName(QStringLiteral("Status"));
    w.status->hide();
    side->addWidget(w.status, 0, Qt::AlignRight);
    w.closeButton = make<QPushButton>(content, "cmdClose", 8.25, false);
    w.closeButton->setText(QStringLiteral("Close"));
    w.closeButton->setMinimumSize(
        QSize(px(design::kCloseButton.width()), px(design::kCloseButton.height()))
            .expandedTo(w.closeButton->sizeHint()));
    side->addWidget(w.closeButton, 0, Qt::AlignRight);
    bottom->addLayout(side, 1);
    column->addLayout(bottom);
}

// The working and the comparison panels, below everything the design has:
// hidden until asked for.
void buildPanels(WindowWidgets& w, QVBoxLayout* column) {
    QWidget* content = w.content;
    w.working = make<QPlainTextEdit>(content, "txtWorking", 8.25, false);
    w.working->setReadOnly(true);
    w.working->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Its lines are sentences: they wrap, so that none runs out of sight.
    w.working->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    w.working->setAccessibleName(QStringLiteral("Working"));
    w.working->setAccessibleDescription(
        QStringLiteral("How the results of the calculator in use were reached, tier by tier"));
    w.working->setMinimumHeight(w.working->fontMetrics().lineSpacing() * 10);
    w.working->hide();
    // The comparison panel below it: the same kind of panel.
    w.comparison = make<QPlainTextEdit>(content, "txtCompare", 8.25, false);
    w.comparison->setReadOnly(true);
    w.comparison->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    w.comparison->setLineWrapMode(QPlainTextEdit::NoWrap);
    w.comparison->setAccessibleName(QStringLiteral("Every conversion"));
    w.comparison->setAccessibleDescription(
        QStringLiteral("The Wexels the capacity of the calculator in use requires under every "
                       "conversion of its unit, fewest first"));
    w.comparison->setMinimumHeight(w.comparison->fontMetrics().lineSpacing() * 8);
    w.comparison->hide();
    for (QPlainTextEdit* panel : {w.working, w.comparison}) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(px(design::kTierList.left()), 0, px(kWindowMargin),
                                px(kWindowMargin));
        row->addWidget(panel);
        column->addLayout(row);
    }
}

} // namespace

WindowWidgets buildWindow(QWidget* content) {
    WindowWidgets w;
    w.content = content;
    content->setFont(windowFont(8.25));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    buildTopStrip(w, column);
    buildUnitFrames(w, column);
    buildBottomStrip(w, column);
    buildPanels(w, column);
    column->addStretch();
    return w;
}

void fitTierList(const WindowWidgets& w) {
    QTreeWidget* list = w.tierList;
    int columnsWidth = 0;
    std::array<int, design::kColumnWidths.size()> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const int column = static_cast<int>(c);
        list->resizeColumnToContents(column);
        widths[c] = std::max(design::kColumnWidths[c], list->columnWidth(column));
        list->setColumnWidth(column, widths[c]);
        columnsWidth += widths[c];
    }
    list->ensurePolished();
    const int scrollBar =
        std::max(list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list),
                 list->verticalScrollBar()->sizeHint().width());
    list->setFixedWidth(
        std::max(px(design::kTierList.width()), columnsWidth + scrollBar + 2 * list->frameWidth()));

    // Each heading centred over its columns (or as near as its text allows),
    // in the unit frame's coordinates, where the list starts at its design left.
    const int rangeFrom = px(design::kTierList.left()) + list->frameWidth() + widths[0];
    const int rangeWidth = widths[1] + widths[2] + widths[3];
    const int slopeFrom = rangeFrom + rangeWidth;
    for (const UnitWidgets& u : w.units) {
        if (!u.built()) {
            continue;
        }
        const int rangeText = u.rangeHeading->minimumSizeHint().width();
        const int slopeText = u.slopeHeading->minimumSizeHint().width();
        const int rangeLeft = std::max(0, rangeFrom + (rangeWidth - rangeText) / 2);
        const int slopeLeft =
            std::max(rangeLeft + rangeText + px(60), slopeFrom + (widths[4] - slopeText) / 2);
        const int indent =
            u.headings->contentsMargins().left() + u.frame->layout()->contentsMargins().left();
        u.beforeRange->changeSize(std::max(0, rangeLeft - indent), 0, QSizePolicy::Fixed,
                                  QSizePolicy::Fixed);
        u.beforeSlope->changeSize(slopeLeft - rangeLeft - rangeText, 0, QSizePolicy::Fixed,
                                  QSizePolicy::Fixed);
        u.rangeHeading->setFixedWidth(rangeText);
        u.slopeHeading->setFixedWidth(slopeText);
        u.headings->invalidate();
    }
}

} // namespace wexel::layout
