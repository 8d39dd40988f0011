#include "ui/converter/ConverterLayout.h"

#include "tiers/DataFiles.h"
#include "ui/converter/EllipsisComboBox.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"
#include "ui/info/DialogLayout.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
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

// The designed distance from each calculator's top to the next one's, in
// twips: the design's frames overlap by their borders; here they touch.
constexpr std::array<int, 5> kCalculatorPitch{600, 600, 600, 875, 975};
// Between the last calculator and the tier list's headings.
constexpr int kHeadingsGap = 3720 - 2675 - 975;
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

// A fixed caption: at least as wide as designed, and as its text.
QLabel* caption(QWidget* parent, const QString& text, int designWidth) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(windowFont(8.25));
    label->setMinimumWidth(std::max(px(designWidth), label->minimumSizeHint().width()));
    return label;
}

// A piece of a sentence with its designed box.
struct Placed {
    const SentencePiece& piece;
    QRect box; // twips, relative to the calculator frame
};

std::vector<Placed> placed(std::size_t calculator) {
    const Sentence& sentence = sentences()[calculator];
    const std::vector<QRect>& boxes = design::calculators()[calculator].pieces;
    std::vector<Placed> pieces;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        pieces.push_back({sentence[i], boxes.at(i)});
    }
    return pieces;
}

// Where the fields and outputs of a line end, as designed, in twips.
int rowBottom(const std::vector<Placed>& pieces, int line) {
    int bottom = 0;
    for (const Placed& p : pieces) {
        if (p.piece.line == line && p.piece.kind != PieceKind::Caption) {
            bottom = std::max(bottom, p.box.top() + p.box.height());
        }
    }
    return bottom;
}

// Lays a calculator's pieces out as its sentence reads: left to right, each
// after the design's gap to the one before; a second line starts under the
// piece of the first that it was designed to start under.
void laySentence(QFrame* frame, const std::vector<Placed>& design,
                 const std::vector<QWidget*>& pieces, int pitch, int rowHeight) {
    std::size_t anchor = design.size(); // where the second line starts, if any
    for (const Placed& p : design) {
        if (p.piece.line == 1) {
            for (std::size_t j = 0; j < design.size() && anchor == design.size(); ++j) {
                if (design[j].piece.line == 0 && design[j].box.left() == p.box.left()) {
                    anchor = j;
                }
            }
            break;
        }
    }
    auto* grid = new QGridLayout(frame);
    grid->setSpacing(0);
    std::array<QHBoxLayout*, 3> rows{new QHBoxLayout, new QHBoxLayout, new QHBoxLayout};
    for (QHBoxLayout* row : rows) {
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
    }
    int lineGap = 0;
    const Placed* before = nullptr;
    for (std::size_t i = 0; i < design.size(); ++i) {
        const Placed& p = design[i];
        QHBoxLayout* row = p.piece.line == 1 ? rows[2] : i < anchor ? rows[0] : rows[1];
        if (before != nullptr && before->piece.line == p.piece.line) {
            const int gap = std::max(0, px(p.box.left() - before->box.right() - 1));
            (i == anchor ? rows[0] : row)->addSpacing(gap);
        }
        if (before != nullptr && before->piece.line == 0 && p.piece.line == 1) {
            lineGap = std::max(0, px(p.box.top() - rowBottom(design, 0)));
        }
        row->addWidget(pieces[i], 0,
                       p.piece.kind == PieceKind::Caption ? Qt::AlignVCenter : Qt::Alignment());
        before = &p;
    }
    for (QHBoxLayout* row : rows) {
        row->addStretch();
    }
    grid->addLayout(rows[0], 0, 0);
    grid->addLayout(rows[1], 0, 1);
    grid->addLayout(rows[2], 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(lineGap);

    const int lines = anchor < design.size() ? 2 : 1;
    int top = design.front().box.top();
    for (const Placed& p : design) {
        if (p.piece.kind != PieceKind::Caption && p.piece.line == 0) {
            top = std::min(top, p.box.top());
        }
    }
    const int border = frame->frameWidth();
    const int used = px(top) + lines * rowHeight + lineGap;
    grid->setContentsMargins(px(design.front().box.left()) - border, px(top) - border,
                             px(design.front().box.left()) - border,
                             std::max(1, px(pitch) - used) - border);
}

// The width of the calculators' frames, as designed.
int calc0Width() {
    return design::calculators().front().box.width();
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

void buildUnitFrame(WindowWidgets& w, std::size_t unit) {
    const design::UnitFrame& d = design::kUnitFrames[unit];
    UnitWidgets& u = w.units[unit];
    QWidget* frame = u.frame;
    QWidget* content = w.content;
    auto* calculators = new QVBoxLayout(frame);
    calculators->setSpacing(0);
    // Where the design puts the calculators' frames in the unit frame.
    const QRect& framesAt = design::calculators().front().box;
    calculators->setContentsMargins(
        px(framesAt.left()), 0, px(design::kUnitFrame.width() - framesAt.left() - framesAt.width()),
        0);
    for (std::size_t c = 0; c < design::calculators().size(); ++c) {
        auto* box = new QFrame(frame);
        box->setObjectName(QString::fromLatin1(d.calculatorNames[c]));
        box->setFrameShape(QFrame::StyledPanel);
        box->setFrameShadow(QFrame::Sunken);
        u.calculators[c] = box;
        std::vector<QWidget*> pieces;
        // A row as tall as designed, or as its fields' text and frames need.
        // Measured for the window's screen: a font on its own has the dpi
        // the application started with.
        const QFontMetrics fieldFont(windowFont(9.75), content);
        const int frameWidth = content->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int rowHeight = std::max(px(300), fieldFont.height() + 2 * frameWidth + 2);
        const std::vector<Placed> design = placed(c);
        // What a screen reader says of the calculator: its sentence.
        const QString sentence =
            QString::fromStdString(sentenceText(static_cast<int>(c) + 1, d.code));
        for (const Placed& p : design) {
            const QString text = QString::fromStdString(withUnit(p.piece.text, d.code));
            const QString accessibleName =
                QString::fromStdString(withUnit(p.piece.accessibleName, d.code));
            switch (p.piece.kind) {
            case PieceKind::Caption: {
                QLabel* label = caption(box, text, p.box.width());
                // As wide as the widest unit's words.
                const QFontMetrics& fm = label->fontMetrics();
                const int own = fm.horizontalAdvance(text);
                int widest = own;
                for (const design::UnitFrame& other : design::kUnitFrames) {
                    widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(
                                                  withUnit(p.piece.text, other.code))));
                }
                label->setMinimumWidth(std::max(label->minimumWidth(),
                                                label->minimumSizeHint().width() + widest - own));
                pieces.push_back(label);
                break;
            }
            case PieceKind::Field: {
                const auto slot = static_cast<PanelField>(p.piece.slot);
                auto* field = new QtTextField(box);
                field->setObjectName(text);
                field->setFont(windowFont(9.75));
                field->setCharacterLimit(panelFieldMaxLength(slot));
                field->setText(QStringLiteral("0"));
                field->setMinimumWidth(
                    std::max(px(p.box.width()), field->minimumSizeHint().width()));
                field->setAccessibleName(accessibleName);
                field->setAccessibleDescription(sentence);
                u.fields[slot] = field;
                pieces.push_back(field);
                break;
            }
            case PieceKind::Output: {
                const auto slot = static_cast<PanelLabel>(p.piece.slot);
                auto* label = new QtResultLabel(box);
                label->setObjectName(text);
                label->setFont(windowFont(9.75, true));
                label->setText(QStringLiteral("0"));
                label->setLeastWidth(px(p.box.width()));
                label->setAccessibleName(accessibleName);
                label->setAccessibleDescription(sentence);
                u.labels[slot] = label;
                pieces.push_back(label);
                break;
            }
            }
        }
        for (QWidget* piece : pieces) {
            if (qobject_cast<QLineEdit*>(piece) != nullptr ||
                qobject_cast<QtResultLabel*>(piece) != nullptr) {
                piece->setFixedHeight(rowHeight);
            }
        }
        laySentence(box, design, pieces, kCalculatorPitch[c], rowHeight);
        calculators->addWidget(box);
    }
    // The calculators are as wide as designed, or as the widest needs.
    calculators->addStrut(px(calc0Width()));
    calculators->addSpacing(px(kHeadingsGap));
    // The headings stand over the tier list's columns: fitTierList places them.
    auto* headings = new QHBoxLayout;
    headings->setContentsMargins(0, 0, 0, 0);
    headings->setSpacing(0);
    u.rangeHeading =
        caption(frame, QString::fromStdString(withUnit(design::kRangeHeading.text, d.code)), 0);
    u.slopeHeading =
        caption(frame, QString::fromStdString(withUnit(design::kSlopeHeading.text, d.code)), 0);
    u.beforeRange = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    u.beforeSlope = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    headings->addItem(u.beforeRange);
    headings->addWidget(u.rangeHeading);
    headings->addItem(u.beforeSlope);
    headings->addWidget(u.slopeHeading);
    for (QLabel* heading : {u.rangeHeading, u.slopeHeading}) {
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    headings->addStretch();
    u.headings = headings;
    calculators->addLayout(headings);
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
