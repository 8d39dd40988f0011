#pragma once
// The program's top-level windows: where they open and how they come back to
// the front. One place, so that every window opens wholly on the screen the
// user works on.

#include <QSize>

class QWidget;

namespace wexel {

// The window the others open over: the converter window once it is shown.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// Puts a top-level window, before it is shown, wholly on the screen that
// holds the main window (the primary screen before there is one): centred
// over the main window, or beside it (right, else left) where the screen has
// room for that, shrunk to the screen if it is larger and may shrink.
enum class Placement { Over, Beside };
void placeOnScreen(QWidget* window, Placement where = Placement::Over);

// Gives a shown or hidden top-level window the size `wanted`, as far as its
// screen has room for it, and moves it as little as needed to keep it wholly
// on that screen.
void fitOnScreen(QWidget* window, QSize wanted);

// Called before the application object: a desktop at 120 or 144 dpi gets its
// text at that size and the windows at a whole scale factor (1 up to 1.75,
// then 2...), so that every line is drawn on whole pixels. At 1.5, Qt 6.4
// drops the top or left line of some frames. QT_SCALE_FACTOR_ROUNDING_POLICY
// still decides where it is set.
void useWholeScaleFactors();

// Restores a minimised window, shows, raises and activates it.
void raiseWindow(QWidget* window);

} // namespace wexel
