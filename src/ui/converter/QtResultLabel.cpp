#include "ui/converter/QtResultLabel.h"

#include "ui/converter/MenuKey.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>

namespace wexel {

namespace {

// What a screen reader finds in a result label: its name ("WXs required"),
// its sentence as description, and its number as its text and value.
class ResultAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ResultAccessible(QtResultLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
    }

    // The text, read only; a selection is the label's own.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString shown() const { return static_cast<const QLabel*>(object())->text(); }
};

QAccessibleInterface* resultAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(QtResultLabel::staticMetaObject.className()) &&
        object != nullptr) {
        return new ResultAccessible(static_cast<QtResultLabel*>(object));
    }
    return nullptr;
}

} // namespace

QtResultLabel::QtResultLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(resultAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by a click, not by Tab: the tab chain is the fields'.
    setFocusPolicy(Qt::ClickFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(3);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void QtResultLabel::setCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (text == this->text()) {
        return;
    }
    const QString before = this->text();
    setText(text);
    // A screen reader hears the new result, wherever the focus is.
    QAccessibleTextUpdateEvent changed(this, 0, before, text);
    QAccessible::updateAccessibility(&changed);
}

bool QtResultLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTipSource_) {
        setToolTip(toolTipSource_());
    }
    return openMenuByKey(this, event, QPoint(0, height())) || QLabel::event(event);
}

void QtResultLabel::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    QAction* copy = menu->addAction(tr("&Copy"), this, [this] {
        QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
    });
    copy->setShortcut(QKeySequence::Copy);
    popUpWithCommands(menu, extraActions_, event->globalPos());
}

std::string QtResultLabel::caption() const {
    return text().toStdString();
}

void QtResultLabel::setLeastWidth(int pixels) {
    leastWidth_ = pixels;
    updateGeometry();
}

QSize QtResultLabel::minimumSizeHint() const {
    // What a whole 32-bit number needs beyond what the text shown needs.
    const QFontMetrics fm(font());
    if (numberWidth_ < 0 || measuredFont_ != font()) {
        measuredFont_ = font();
        numberWidth_ = fm.horizontalAdvance(QStringLiteral("-0000000000"));
    }
    const int ordinary = numberWidth_;
    QSize hint = QLabel::minimumSizeHint();
    hint.rwidth() += std::max(0, ordinary - fm.horizontalAdvance(text()));
    hint.setWidth(std::max(hint.width(), leastWidth_));
    return hint;
}

QSize QtResultLabel::sizeHint() const {
    return minimumSizeHint();
}

} // namespace wexel
