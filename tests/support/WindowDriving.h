#pragma once
// What the window tests do as a user does: find a field by name, click into
// it and type over its text, and show the converter window with a conversion
// chosen.

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace wexel::testing {

inline QLineEdit* field(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Clicks into a field and types over its whole text (a click into a field
// that has the focus already selects nothing).
inline void type(QLineEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Shows the window, active, with the conversion at `index` of its list chosen.
inline bool showWithConversion(QWidget& window, int index = 1) {
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        return false;
    }
    window.findChild<QComboBox*>(QStringLiteral("cboConversionType"))->setCurrentIndex(index);
    return true;
}

} // namespace wexel::testing
