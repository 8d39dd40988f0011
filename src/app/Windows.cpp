#include "app/Windows.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace wexel {

namespace {

QPointer<QWidget>& theMainWindow() {
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void setMainWindow(QWidget* window) {
    theMainWindow() = window;
}

QWidget* mainWindow() {
    return theMainWindow().data();
}

void placeOnScreen(QWidget* window) {
    QWidget* main = mainWindow();
    const bool overMain = main != nullptr && main != window && main->isVisible();
    QScreen* screen = overMain ? main->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The window manager's frame is not known before the window is shown:
    // leave room for a title bar and borders.
    QMargins frame(4, 30, 4, 4);
    if (window->isVisible()) {
        const QRect outer = window->frameGeometry();
        const QRect inner = window->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height()) {
        size = size.boundedTo(room).expandedTo(window->minimumSize());
        window->resize(size);
    }
    const QSize outer = size.grownBy(frame);
    const QPoint centre = overMain ? main->frameGeometry().center() : available.center();
    const int x = std::clamp(centre.x() - outer.width() / 2, available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(centre.y() - outer.height() / 2, available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    window->move(x, y);
}

void raiseWindow(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace wexel
