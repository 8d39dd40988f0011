#pragma once
// An input field of the converter window: a QLineEdit that the engine reaches
// through the TextField port.
//
// The field announces every focus it receives (by Tab, by a mouse click or by
// code) with gotFocus(), after anything that would undo a selection made in
// response: a click first gives the focus and then places the cursor, so for
// a click gotFocus() comes after the press has been handled.

#include "platform/TextField.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QList>

#include <utility>

namespace wexel {

class QtTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit QtTextField(QWidget* parent = nullptr);

    // The field as the engine sees it. setText() emits textChanged() before it
    // returns (QLineEdit's notification is synchronous).
    TextField& port() { return port_; }

    // Key sequences that belong to the window's menu: the field lets them go
    // to the menu instead of using them itself (Ctrl+A opens About rather
    // than selecting the field's text).
    void setMenuShortcuts(QList<QKeySequence> shortcuts) { menuShortcuts_ = std::move(shortcuts); }

    // The most characters the field takes. A longer text, typed, pasted or
    // dropped, is refused whole with the field's message and the field keeps
    // what it held: never cut short without a word, as QLineEdit's maxLength would.
    void setCharacterLimit(int characters) { limit_ = characters; }
    int characterLimit() const { return limit_; }

    // Commands of the window that the field's context menu offers after its own.
    void setExtraMenuActions(QList<QAction*> actions) { extraActions_ = std::move(actions); }

    // Room for the longest text the field takes, in digits.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

signals:
    void gotFocus();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class LengthCheck;
    // Says that an edit was refused as too long, once the edit is over.
    void reportRefusal();

    class Port : public TextField {
    public:
        explicit Port(QtTextField& edit) : edit_(edit) {}
        std::string text() const override;
        void setText(const std::string& text) override;
        void setSelection(int start, int length) override;
        void setFocus() override;

    private:
        QtTextField& edit_;
    };

    Port port_{*this};
    QList<QKeySequence> menuShortcuts_;
    QList<QAction*> extraActions_;
    bool focusedByPress_ = false; // the focus came with a mouse press not yet handled
    bool holdSelection_ = false;  // until the button is released, dragging keeps the selection
    int limit_ = 32767;
    bool refused_ = false; // an edit was refused as too long and is not yet reported
};

} // namespace wexel
