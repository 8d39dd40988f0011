#include "app/QtPorts.h"

#include "app/InstanceGuard.h"
#include "app/Windows.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace wexel {

namespace {

// A number stays on one line with the words on either side of it, so that
// "line 7" or "3 fields" is never broken apart.
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
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void QtMessageBox::showMessage(const std::string& prompt, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    // The core breaks lines with CR LF; a label wants bare line feeds.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QDialog box;
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setWindowTitle(QString::fromStdString(title));
    box.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* label = new QLabel(&box);
    label->setObjectName(QStringLiteral("text"));
    // Error descriptions may hold file names with '<' or '&': never markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setText(keepNumbersWithTheirWords(text));
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Each line of the text on a line of its own where the screen allows,
    // and room for the title beside the window manager's buttons.
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, fm.horizontalAdvance(line) + 2);
    }
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 140;
    QScreen* screen = mainWindow() != nullptr ? mainWindow()->screen() : box.screen();
    const int limit = screen != nullptr ? screen->availableGeometry().width() * 2 / 3 : 800;
    label->setFixedWidth(std::clamp(std::max(widest, titleWidth), 160, std::max(limit, 160)));

    box.adjustSize();
    placeOnScreen(&box);
    box.exec();
}

bool QtAppFacts::previousInstanceRunning() {
    return !guard_.claim();
}

std::string QtAppFacts::exeDirectory() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace wexel
