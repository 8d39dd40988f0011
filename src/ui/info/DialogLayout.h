#pragma once
// Placing controls from twips and making sure their text fits the font that
// is really there: the windows are drawn for Arial and MS Sans Serif, which
// many systems substitute with wider faces.

#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace wexel {

// Twips (1/1440 inch) to pixels at 96 dots per inch: 15 twips a pixel,
// rounded to the nearest pixel (a half away from zero).
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A font by family and point size. When the family is missing, a face of
// the same widths is taken if there is one (Liberation Sans, Arimo or Nimbus
// Sans for Arial and MS Sans Serif), else the system's sans-serif face.
QFont designFont(const QString& family, double pointSize, bool bold = false);

// True when the whole text of a label shows in its box: each line of a
// single-line label fits with its full advance; a wrapped label is as tall as
// its text needs at its width, and no word is wider than that. The one rule
// for "no text is cut", of the windows and of their tests.
bool showsWholeText(const QLabel* label);

// How a label grows when its text needs more room than its box.
enum class Grow {
    Right,     // the left edge stays
    BothSides, // the centre stays (centred text)
};

// Widens and heightens the label until its whole text shows; the box never
// shrinks and its top stays where it is.
void fitLabel(QLabel* label, Grow grow = Grow::Right);

// Makes `dialog` a fixed-size dialog with the application's icon, the name
// and title given and the dialogs' font.
void setUpDialog(QDialog* dialog, const char* name, const QString& title);

// The OK button of a dialog: first in the tab order, the default button,
// closing the dialog; at `box`, widened to its text.
QPushButton* addOkButton(QDialog* dialog, QRect box);

// A child with this property set true may reach past the window's edges
// (the separator lines do) and is left out of clientSizeFor.
inline constexpr const char* kMayOverhang = "wexelMayOverhang";

// The client size needed to hold every child of `window` with `margin`
// pixels to spare on the right and below, but never less than `design`.
QSize clientSizeFor(const QWidget* window, QSize design, int margin);

} // namespace wexel
