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

QFont dialogFont(const QString& family, double pointSize, bool bold) {
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

int longestWordWidth(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    int widest = 0;
    const QStringList words = label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest + 2 * label->margin() + 2;
}

} // namespace

void fitLabel(QLabel* label, Grow grow) {
    QRect box = label->geometry();
    int neededWidth = 0;
    int neededHeight = 0;
    if (label->wordWrap()) {
        neededWidth = longestWordWidth(label);
        neededHeight = label->heightForWidth(std::max(box.width(), neededWidth));
    } else {
        const QSize hint = label->sizeHint();
        neededWidth = hint.width();
        neededHeight = hint.height();
    }
    if (neededWidth > box.width()) {
        const int extra = neededWidth - box.width();
        if (grow == Grow::BothSides) {
            box.moveLeft(std::max(0, box.left() - extra / 2));
        }
        box.setWidth(neededWidth);
    }
    if (label->wordWrap()) {
        neededHeight = label->heightForWidth(box.width());
    }
    if (neededHeight > box.height()) {
        box.setHeight(neededHeight);
    }
    label->setGeometry(box);
}

void setUpDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowIcon(applicationIcon());
    dialog->setWindowTitle(title);
    dialog->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 8.25));
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
