#include "ui/converter/QtResultLabel.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>

namespace wexel {

QtResultLabel::QtResultLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by a click, not by Tab: the tab chain is the fields'.
    setFocusPolicy(Qt::ClickFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(3);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void QtResultLabel::setCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (text == this->text()) {
        return;
    }
    const QString before = this->text();
    setText(text);
    // A screen reader hears the new result, wherever the focus is.
    QAccessibleTextUpdateEvent changed(this, 0, before, text);
    QAccessible::updateAccessibility(&changed);
}

void QtResultLabel::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(tr("&Copy"), this, [this] {
        QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
    });
    copy->setShortcut(QKeySequence::Copy);
    if (!extraActions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(extraActions_);
    }
    menu->popup(event->globalPos());
}

std::string QtResultLabel::caption() const {
    return text().toStdString();
}

void QtResultLabel::setLeastWidth(int pixels) {
    leastWidth_ = pixels;
    updateGeometry();
}

QSize QtResultLabel::minimumSizeHint() const {
    // What a whole 32-bit number needs beyond what the text shown needs.
    const QFontMetrics fm(font());
    const int ordinary = fm.horizontalAdvance(QStringLiteral("-0000000000"));
    QSize hint = QLabel::minimumSizeHint();
    hint.rwidth() += std::max(0, ordinary - fm.horizontalAdvance(text()));
    hint.setWidth(std::max(hint.width(), leastWidth_));
    return hint;
}

QSize QtResultLabel::sizeHint() const {
    return minimumSizeHint();
}

} // namespace wexel
