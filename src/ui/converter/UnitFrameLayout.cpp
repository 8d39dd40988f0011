// A unit frame: its five calculators, each laid out as its sentence reads,
// and the headings over the tier list; built when the unit is first shown.
#include "ui/converter/ConverterLayout.h"

#include "engine/Sentences.h"
#include "ui/converter/ConverterDesign.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"
#include "ui/info/DialogLayout.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

#include <algorithm>

namespace wexel::layout {

namespace {

constexpr auto& px = twipsToPixels;

// The designed distance from each calculator's top to the next one's, in
// twips: the design's frames overlap by their borders; here they touch.
constexpr std::array<int, 5> kCalculatorPitch{600, 600, 600, 875, 975};
// Between the last calculator and the tier list's headings.
constexpr int kHeadingsGap = 3720 - 2675 - 975;

// A fixed caption: at least as wide as designed, and as its text.
QLabel* caption(QWidget* parent, const QString& text, int designWidth) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(windowFont(8.25));
    label->setMinimumWidth(std::max(px(designWidth), label->minimumSizeHint().width()));
    return label;
}

// A field or a result of a calculator's sentence: named as the design names
// it, showing 0, and described to a screen reader by the whole sentence.
template <class Control>
Control* sentencePart(QWidget* parent, const QString& name, const QFont& font,
                      const QString& accessibleName, const QString& sentence) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setFont(font);
    control->setText(QStringLiteral("0"));
    control->setAccessibleName(accessibleName);
    control->setAccessibleDescription(sentence);
    return control;
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
                auto* field = sentencePart<QtTextField>(box, text, windowFont(9.75), accessibleName,
                                                        sentence);
                field->setCharacterLimit(panelFieldMaxLength(slot));
                field->setMinimumWidth(
                    std::max(px(p.box.width()), field->minimumSizeHint().width()));
                u.fields[slot] = field;
                pieces.push_back(field);
                break;
            }
            case PieceKind::Output: {
                const auto slot = static_cast<PanelLabel>(p.piece.slot);
                auto* label = sentencePart<QtResultLabel>(box, text, windowFont(9.75, true),
                                                          accessibleName, sentence);
                label->setLeastWidth(px(p.box.width()));
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

} // namespace wexel::layout
