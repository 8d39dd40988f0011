#include "app/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class QtMessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void modalBoxWithTitleTextOkAndNoIcon();
    void textIsNeverMarkup();
};

namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    QString buttonText;
    bool modal = false;
    Qt::TextFormat format = Qt::AutoText;
};

Seen showAndClose(const std::string& prompt, const std::string& title) {
    Seen seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
        seen.modal = box->isModal();
        seen.format = box->textFormat();
        QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
    });
    wexel::QtMessageBox().showMessage(prompt, title);
    return seen;
}

} // namespace

void QtMessageBoxTest::modalBoxWithTitleTextOkAndNoIcon() {
    const Seen seen = showAndClose("First line\r\n\r\nLocation:  here", "Wexel Pricer Error!");
    QCOMPARE(seen.title, QStringLiteral("Wexel Pricer Error!"));
    QCOMPARE(seen.text, QStringLiteral("First line\n\nLocation:  here"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, 1);
    QCOMPARE(QString(seen.buttonText).remove(QLatin1Char('&')), QStringLiteral("OK"));
    QVERIFY(seen.modal);
}

void QtMessageBoxTest::textIsNeverMarkup() {
    const Seen seen = showAndClose("File <b>not</b> found: a&b.dat", "Wexel Converter");
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.text, QStringLiteral("File <b>not</b> found: a&b.dat"));
}

QTEST_MAIN(QtMessageBoxTest)
#include "QtMessageBoxTest.moc"
