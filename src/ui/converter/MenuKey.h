#pragma once
// The context menus of the fields and results: the keyboard's ways to them,
// Shift+F10 and the Menu key (Qt opens one from the Menu key on some
// platforms only), and the calculators' commands after their own entries.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QList>
#include <QMenu>
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

// Shows `menu` at `at` (global), deleted once closed, with `commands` after
// a line below its own entries.
inline void popUpWithCommands(QMenu* menu, const QList<QAction*>& commands, QPoint at) {
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!commands.isEmpty()) {
        menu->addSeparator();
        menu->addActions(commands);
    }
    menu->popup(at);
}

} // namespace wexel
