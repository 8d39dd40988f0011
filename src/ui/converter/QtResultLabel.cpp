#include "ui/converter/QtResultLabel.h"

namespace wexel {

QtResultLabel::QtResultLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by a click, not by Tab: the tab chain is the fields'.
    setFocusPolicy(Qt::ClickFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(3);
}

void QtResultLabel::setCaption(const std::string& caption) {
    setText(QString::fromStdString(caption));
}

void QtResultLabel::setWorking(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text.append(QString::fromStdString(line));
    }
    setToolTip(text.join(QLatin1Char('\n')));
}

} // namespace wexel
