#include "desktop/QtPorts.h"

#include "desktop/InstanceGuard.h"
#include "desktop/Windows.h"
#include "platform/Process.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>

#include <algorithm>

namespace wexel {

namespace {

// A number stays on one line with the words on either side of it, so that
// "line 7" or "3 fields" is never broken apart; a path may break after each
// of its separators, so that a long one fits a narrow screen.
QString keepNumbersWithTheirWords(const QString& text) {
    auto hasDigit = [](const QString& word) {
        return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
    };
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QStringList words = line.split(QLatin1Char(' '));
        QString glued = words.front();
        for (qsizetype i = 1; i < words.size(); ++i) {
            const bool number = hasDigit(words[i - 1]) || hasDigit(words[i]);
            glued += number ? QChar(0x00A0) : QChar(QLatin1Char(' '));
            glued += words[i];
        }
        line = glued;
    }
    QString glued = lines.join(QLatin1Char('\n'));
    glued.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    return glued;
}

// The standard message box, with the copy a Windows message box gives: Ctrl+C
// puts its title, text and button on the clipboard, between dashed lines.
class CopyableMessageBox : public QMessageBox {
public:
    CopyableMessageBox(const QString& title, QString text)
        : QMessageBox(QMessageBox::NoIcon, title, keepNumbersWithTheirWords(text), QMessageBox::Ok),
          plainText_(std::move(text)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            const QString rule = QStringLiteral("---------------------------\n");
            QGuiApplication::clipboard()->setText(rule + windowTitle() + QLatin1Char('\n') + rule +
                                                  plainText_ + QLatin1Char('\n') + rule +
                                                  QStringLiteral("OK\n") + rule);
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    QString plainText_;
};

} // namespace

void QtMessageBox::showMessage(const std::string& prompt, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    // The core breaks lines with CR LF; a label wants bare line feeds.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    CopyableMessageBox box(QString::fromStdString(title), text);
    box.setObjectName(QStringLiteral("MsgBox"));
    // Error descriptions may hold file names with '<' or '&': never markup.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Room for the title beside the window manager's buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 140;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.adjustSize();
    placeOnScreen(&box);
    box.exec();
}

bool QtAppFacts::previousInstanceRunning() {
    return !guard_.claim();
}

std::string QtAppFacts::exeDirectory() {
    return executableFolder();
}

} // namespace wexel
