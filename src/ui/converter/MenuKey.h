#pragma once
// The keyboard's ways to a context menu, Shift+F10 and the Menu key, for the
// fields and results: Qt opens one from the Menu key on some platforms only.

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace wexel {

// When `event` is one of those keys, opens `widget`'s context menu at `at`
// (in its coordinates) and returns true.
inline bool openMenuByKey(QWidget* widget, QEvent* event, QPoint at) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!(key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) &&
        !(key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        return false;
    }
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &menu);
    return true;
}

} // namespace wexel
