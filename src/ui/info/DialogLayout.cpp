#include "ui/info/DialogLayout.h"

#include "ui/info/AppIcon.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace wexel {

namespace {

// Faces with the widths of the requested one, best first, for systems that
// lack it.
QStringList familiesFor(const QString& family) {
    const QStringList arialLike = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) {
        return QStringList{family} + arialLike;
    }
    if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        return QStringList{family, QStringLiteral("Microsoft Sans Serif")} + arialLike;
    }
    return {family};
}

} // namespace

QFont designFont(const QString& family, double pointSize, bool bold) {
    QStringList available;
    for (const QString& name : QFontDatabase::families()) {
        // "Nimbus Sans [urw]": the foundry does not matter here.
        available.append(name.section(QLatin1String(" ["), 0, 0));
    }
    QFont font(family);
    bool found = false;
    for (const QString& candidate : familiesFor(family)) {
        if (available.contains(candidate, Qt::CaseInsensitive)) {
            font.setFamily(candidate);
            found = true;
            break;
        }
    }
    if (!found) {
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
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            widest = std::max(widest, metrics.horizontalAdvance(word));
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

void fitLabel(QLabel* label, Grow grow) {
    QRect box = label->geometry();
    const int neededWidth =
        box.width() + std::max(0, widestUnbreakable(label) - textRoom(label, box.size()).width());
    if (neededWidth > box.width()) {
        const int extra = neededWidth - box.width();
        if (grow == Grow::BothSides) {
            box.moveLeft(std::max(0, box.left() - extra / 2));
        }
        box.setWidth(neededWidth);
    }
    box.setHeight(std::max(box.height(), neededHeight(label, box.width())));
    label->setGeometry(box);
}

void setUpDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowIcon(applicationIcon());
    dialog->setWindowTitle(title);
    dialog->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
}

QPushButton* addOkButton(QDialog* dialog, QRect box) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    box.setWidth(std::max(box.width(), ok->fontMetrics().horizontalAdvance(ok->text()) + 16));
    box.setHeight(std::max(box.height(), ok->sizeHint().height()));
    ok->setGeometry(box);
    return ok;
}

QSize clientSizeFor(const QWidget* window, QSize design, int margin) {
    int width = design.width();
    int height = design.height();
    for (const QObject* child : window->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget == nullptr || widget->isWindow() || widget->isHidden() ||
            widget->property(kMayOverhang).toBool()) {
            continue;
        }
        const QRect box = widget->geometry();
        width = std::max(width, box.right() + 1 + margin);
        height = std::max(height, box.bottom() + 1 + margin);
    }
    return {width, height};
}

} // namespace wexel
