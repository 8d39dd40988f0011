#include "app/QtMessageBox.h"

#include <QMessageBox>

namespace wexel {

void QtMessageBox::showMessage(const std::string& prompt, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    // The core breaks lines with CR LF; a label wants bare line feeds.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MsgBox"));
    // Error descriptions may hold file names with '<' or '&': never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace wexel
