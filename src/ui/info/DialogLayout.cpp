#include "ui/info/DialogLayout.h"

#include "ui/info/AppIcon.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wexel {

namespace {

// Faces with the widths of the requested one, best first, for systems that
// lack it.
QStringList familiesFor(const QString& family) {
    // DejaVu Sans last: wider, but a sans face, where a system has nothing
    // closer (left to itself, fontconfig may pick a serif one).
    const QStringList arialLike = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                                   QStringLiteral("DejaVu Sans")};
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) {
        return QStringList{family} + arialLike;
    }
    if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        return QStringList{family, QStringLiteral("Microsoft Sans Serif")} + arialLike;
    }
    return {family};
}

} // namespace

int twipsToPixels(int twips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const long dpi = screen != nullptr ? std::lround(screen->logicalDotsPerInch()) : 96;
    const long scaled = std::labs(twips) * dpi * 2 + 1440;
    return static_cast<int>(twips >= 0 ? scaled / 2880 : -(scaled / 2880));
}

QFont designFont(const QString& family, double pointSize, bool bold) {
    // The face found for each family asked for, looked up once: every
    // control asks, and listing the system's faces is not cheap.
    static QHash<QString, QString> found;
    auto known = found.constFind(family);
    if (known == found.constEnd()) {
        QStringList available;
        for (const QString& name : QFontDatabase::families()) {
            // "Nimbus Sans [urw]": the foundry does not matter here.
            available.append(name.section(QLatin1String(" ["), 0, 0));
        }
        QString face;
        for (const QString& candidate : familiesFor(family)) {
            if (available.contains(candidate, Qt::CaseInsensitive)) {
                face = candidate;
                break;
            }
        }
        known = found.insert(family, face);
    }
    QFont font(known->isEmpty() ? family : *known);
    if (known->isEmpty()) {
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace {

// What a label's box gives its text: the contents less the margin on every
// side and the indent on the side the text is aligned to, as QLabel draws it.
QSize textRoom(const QLabel* label, QSize box) {
    // A frame's width is part of the contents margins.
    const QMargins contents = label->contentsMargins();
    int width = box.width() - contents.left() - contents.right() - 2 * label->margin();
    int height = box.height() - contents.top() - contents.bottom() - 2 * label->margin();
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0) {
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
    }
    if (indent > 0) {
        const Qt::Alignment align = label->alignment();
        width -= (align & (Qt::AlignLeft | Qt::AlignRight)) != 0 ? indent : 0;
        height -= (align & (Qt::AlignTop | Qt::AlignBottom)) != 0 ? indent : 0;
    }
    return {width, height};
}

// The widest piece of text that cannot be broken: a word of a wrapped label,
// a whole line of any other.
int widestUnbreakable(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n'))) {
        if (!label->wordWrap()) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
            continue;
        }
        // Where the text layout may break a line: Unicode's rules, as QLabel
        // wraps (blanks and zero-width spaces break, no-break spaces join).
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, line);
        qsizetype from = 0;
        for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
            const QString piece = line.mid(from, at - from).trimmed();
            widest = std::max(widest, metrics.horizontalAdvance(piece));
            from = at;
        }
    }
    return widest;
}

// The height the text needs in a box `width` wide.
int neededHeight(const QLabel* label, int width) {
    if (label->wordWrap()) {
        return label->heightForWidth(width);
    }
    const QFontMetrics metrics(label->font());
    const auto lines = static_cast<int>(label->text().count(QLatin1Char('\n'))) + 1;
    const QSize room = textRoom(label, {width, 0});
    return metrics.lineSpacing() * (lines - 1) + metrics.height() - room.height();
}

} // namespace

bool showsWholeText(const QLabel* label) {
    if (label->text().isEmpty()) {
        return true;
    }
    const QSize room = textRoom(label, label->size());
    return widestUnbreakable(label) <= room.width() &&
           neededHeight(label, label->width()) <= label->height();
}

void atLeastDesign(QLabel* label, QSize design) {
    const int widest =
        widestUnbreakable(label) + label->width() - textRoom(label, label->size()).width();
    const int width = std::max(twipsToPixels(design.width()), widest);
    if (label->wordWrap()) {
        // A wrapped label keeps its designed width; its lines decide its height.
        label->setFixedWidth(width);
        label->setMinimumHeight(
            std::max(twipsToPixels(design.height()), neededHeight(label, width)));
    } else {
        label->setMinimumWidth(std::max(width, label->minimumSizeHint().width()));
    }
}

void setUpDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowIcon(applicationIcon());
    dialog->setWindowTitle(title);
    dialog->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
}

QPushButton* addOkButton(QDialog* dialog, QBoxLayout* layout, QSize design) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    ok->setMinimumSize(QSize(twipsToPixels(design.width()), twipsToPixels(design.height()))
                           .expandedTo(ok->sizeHint()));
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    return ok;
}

QString plainToolTip(const QString& text) {
    if (text.isEmpty()) {
        return {}; // no tooltip at all
    }
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
}

} // namespace wexel
