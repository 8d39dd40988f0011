#include "ui/converter/QtResultLabel.h"

#include <algorithm>

namespace wexel {

QtResultLabel::QtResultLabel(QWidget* parent) : QLabel(parent) {
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
    setText(QString::fromStdString(caption));
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
    const int ordinary = fm.horizontalAdvance(QStringLiteral("-0000000000"));
    QSize hint = QLabel::minimumSizeHint();
    hint.rwidth() += std::max(0, ordinary - fm.horizontalAdvance(text()));
    hint.setWidth(std::max(hint.width(), leastWidth_));
    return hint;
}

QSize QtResultLabel::sizeHint() const {
    return minimumSizeHint();
}

void QtResultLabel::setWorking(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text.append(QString::fromStdString(line));
    }
    setToolTip(text.join(QLatin1Char('\n')));
}

} // namespace wexel
