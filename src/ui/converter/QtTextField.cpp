#include "ui/converter/QtTextField.h"

#include "engine/Calculators.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "ui/converter/MenuKey.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace wexel {

namespace {

// The UTF-16 position of the character (code point) at `characters`.
int utf16Position(const QString& text, int characters) {
    int position = 0;
    for (int seen = 0; seen < characters && position < text.size(); ++seen) {
        position += (text.at(position).isHighSurrogate() && position + 1 < text.size()) ? 2 : 1;
    }
    return position;
}

} // namespace

// QLineEdit undoes an edit its validator finds invalid, whole: a text too
// long for the field never shows, and no change handler runs for it.
class QtTextField::LengthCheck : public QValidator {
public:
    explicit LengthCheck(QtTextField* field) : QValidator(field), field_(field) {}
    State validate(QString& input, int& /*position*/) const override {
        if (characterCount(input.toStdString()) <= field_->limit_) {
            return Acceptable;
        }
        field_->refused_ = true;
        return Invalid;
    }

private:
    QtTextField* field_;
};

QtTextField::QtTextField(QWidget* parent) : QLineEdit(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setValidator(new LengthCheck(this));
}

void QtTextField::reportRefusal() {
    if (refused_) {
        refused_ = false;
        showMessageBox(tooLongMessage(limit_));
    }
}

QSize QtTextField::minimumSizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    const QMargins margins = textMargins();
    // As QLineEdit measures itself: its text, its margins, and two pixels of
    // inner margin on each side.
    const QSize text(fm.horizontalAdvance(QString(limit_, QLatin1Char('0'))) + margins.left() +
                         margins.right() + 2 * 2 + 1,
                     fm.height() + margins.top() + margins.bottom() + 2);
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, this);
}

bool QtTextField::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (menuShortcuts_.contains(pressed)) {
            event->ignore(); // left to the menu
            return true;
        }
    }
    if (openMenuByKey(this, event, cursorRect().bottomLeft())) {
        return true;
    }
    // A key, a drop or a middle click may have been refused: said once it is
    // over, with the field showing what it held.
    const bool handled = QLineEdit::event(event);
    reportRefusal();
    return handled;
}

void QtTextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    focusedByPress_ = false;
    switch (event->reason()) {
    case Qt::MouseFocusReason:
        // The press that gave the focus is still to come and would place the
        // cursor over any selection made now.
        focusedByPress_ = true;
        break;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        emit gotFocus();
        break;
    default:
        // The window coming back to the front, or a menu closing: the field
        // had the focus all along.
        break;
    }
}

void QtTextField::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (focusedByPress_) {
        focusedByPress_ = false;
        holdSelection_ = true;
        emit gotFocus();
    }
}

void QtTextField::mouseMoveEvent(QMouseEvent* event) {
    if (holdSelection_) {
        return; // a shaky click must not shrink the selection it made
    }
    QLineEdit::mouseMoveEvent(event);
}

void QtTextField::mouseReleaseEvent(QMouseEvent* event) {
    holdSelection_ = false;
    QLineEdit::mouseReleaseEvent(event);
}

void QtTextField::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // Paste from the menu edits outside the field's own events.
    for (QAction* action : menu->actions()) {
        connect(action, &QAction::triggered, this, &QtTextField::reportRefusal);
    }
    popUpWithCommands(menu, extraActions_, event->globalPos());
}

std::string QtTextField::Port::text() const {
    return edit_.text().toStdString();
}

void QtTextField::Port::setText(const std::string& text) {
    edit_.setText(QString::fromStdString(text));
}

void QtTextField::Port::setSelection(int start, int length) {
    const QString text = edit_.text();
    const int from = utf16Position(text, start);
    const int to = utf16Position(text, start + length);
    edit_.setSelection(from, to - from);
}

void QtTextField::Port::setFocus() {
    edit_.setFocus(Qt::OtherFocusReason);
}

} // namespace wexel
