#pragma once
// What the program's windows share in their layout: twips, the design's
// fonts, the one rule for a label's whole text, and the dialogs' set-up.

#include <QFont>
#include <QRect>
#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace wexel {

// Twips (1/1440 inch) to pixels at the primary screen's logical dpi (15
// twips a pixel at 96 dpi, 10 at 144), rounded to the nearest pixel (a half
// away from zero): the designed boxes grow with the text they hold.
int twipsToPixels(int twips);

// A font by family and point size. When the family is missing, a face of
// the same widths is taken if there is one (Liberation Sans, Arimo or Nimbus
// Sans for Arial and MS Sans Serif), else the system's sans-serif face.
QFont designFont(const QString& family, double pointSize, bool bold = false);

// True when the whole text of a label shows in its box: each line of a
// single-line label fits with its full advance; a wrapped label is as tall as
// its text needs at its width, and no word is wider than that. The one rule
// for "no text is cut", of the windows and of their tests.
bool showsWholeText(const QLabel* label);

// A label, at least as large as designed (twips) and as its text needs: a
// wrapped one as wide as its longest word, as tall as its lines at that width.
void atLeastDesign(QLabel* label, QSize design);

// Makes `dialog` a fixed-size dialog with the application's icon, the name
// and title given and the dialogs' font, sized by its layout.
void setUpDialog(QDialog* dialog, const char* name, const QString& title);

// The OK button of a dialog: first in the tab order, the default button,
// closing the dialog; at least as large as designed (twips), centred in a
// row of `layout`.
QPushButton* addOkButton(QDialog* dialog, QBoxLayout* layout, QSize design);

// A tooltip that shows `text` as it is: Qt takes a tooltip that looks like
// markup as rich text (and loads the pictures it names), and text from a file
// must never be taken so. Lines and blanks are kept.
QString plainToolTip(const QString& text);

// A child with this property set true may reach past its parent's edges or
// lie under a sibling on purpose (the etched separator's two lines).
inline constexpr const char* kMayOverhang = "wexelMayOverhang";

} // namespace wexel
