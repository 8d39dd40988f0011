#include "desktop/Windows.h"

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

void useWholeScaleFactors() {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}

namespace {

// The window manager's frame around a window: known once it is shown; before,
// room for a title bar and borders.
QMargins frameOf(const QWidget* window) {
    if (!window->isVisible()) {
        return {4, 30, 4, 4};
    }
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The window's size made to fit `available` with its frame, never below its
// minimum size.
QSize sizeWithin(const QWidget* window, QSize wanted, const QRect& available,
                 const QMargins& frame) {
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    return wanted.boundedTo(room).expandedTo(window->minimumSize());
}

// The top-left corner of the window's frame (what move() takes) that puts it
// at `wanted`, or as near as keeps it, frame included, wholly in `available`.
QPoint cornerWithin(QPoint wanted, QSize size, const QRect& available, const QMargins& frame) {
    const QSize outer = size.grownBy(frame);
    return {std::clamp(wanted.x(), available.left(),
                       std::max(available.left(), available.right() + 1 - outer.width())),
            std::clamp(wanted.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - outer.height()))};
}

} // namespace

void placeOnScreen(QWidget* window, Placement where) {
    QWidget* main = mainWindow();
    const bool overMain = main != nullptr && main != window && main->isVisible();
    QScreen* screen = overMain ? main->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize size = sizeWithin(window, window->size(), available, frame);
    if (size != window->size()) {
        window->resize(size);
    }
    QPoint centre = overMain ? main->frameGeometry().center() : available.center();
    const QSize outer = size.grownBy(frame);
    if (overMain && where == Placement::Beside) {
        // A window read beside the main one leaves its calculators in view.
        const QRect beside = main->frameGeometry();
        if (beside.right() + outer.width() <= available.right()) {
            centre.setX(beside.right() + 1 + outer.width() / 2);
        } else if (beside.left() - outer.width() >= available.left()) {
            centre.setX(beside.left() - outer.width() + outer.width() / 2);
        }
    }
    window->move(cornerWithin(centre - QPoint(outer.width() / 2, outer.height() / 2), size,
                              available, frame));
}

void fitOnScreen(QWidget* window, QSize wanted) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        window->resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize size = sizeWithin(window, wanted, available, frame);
    window->resize(size);
    window->move(cornerWithin(window->pos(), size, available, frame));
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
