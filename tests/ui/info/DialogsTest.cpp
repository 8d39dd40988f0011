// The About and Contact dialogs through real keys and clicks, opened from the
// converter window's Help menu: About closes on any click and blocks the
// window; Contact stays one, modeless, on the window's screen, as do help
// and message boxes.
#include "app/ModGlobals.h"
#include "desktop/QtPorts.h"
#include "desktop/Windows.h"
#include "support/TestSupport.h"
#include "ui/converter/frmQConverter.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"
#include "ui/info/frmAbout.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

using namespace wexel;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setHelpFilePath(WEXEL_DATA_DIR "/WXConvert.hlp"); }

    void aboutClosesOnAnyClickAndContactStaysOneAndModeless() {
        wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        HelpSystem help;
        HelpMenu menu(help);
        frmQConverter window(&menu);
        if (QGuiApplication::screens().size() < 2) {
            QSKIP("needs a second screen to show that dialogs open on the window's own: CTest "
                  "gives it two (tests/ui/screens.json)");
        }
        QScreen* side = QGuiApplication::screens().at(1);
        window.move(side->geometry().topLeft() + QPoint(20, 20));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        setMainWindow(&window);
        // The menu's keys reach it from a field too.
        window.findChild<QComboBox*>(QStringLiteral("cboConversionType"))->setCurrentIndex(1);
        auto* capacity = window.findChild<QLineEdit*>(QStringLiteral("txtMSUtoWX_MSU"));
        for (const char* target : {"lblDisclaimer", "imgIcon", "", "cmdOK"}) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QStringList seen;
            QTimer::singleShot(0, [&seen, target] {
                QWidget* about = QApplication::activeModalWidget();
                seen << about->windowTitle();
                // Its texts are copied with Ctrl+C, as they cannot be selected.
                QTest::keyClick(about, Qt::Key_C, Qt::ControlModifier);
                const QString copied = QGuiApplication::clipboard()->text();
                QVERIFY2(copied.contains(QStringLiteral("\nVersion 4.0.0\n")) &&
                             copied.contains(QStringLiteral("\nThis tool is for estimation only.")),
                         qPrintable(copied));
                for (const char* name : {"lblVersion", "lblDisclaimer"}) {
                    seen << about->findChild<QLabel*>(QString::fromLatin1(name))->text();
                }
                QWidget* at =
                    *target ? about->findChild<QWidget*>(QString::fromLatin1(target)) : about;
                QTest::mouseClick(at, Qt::LeftButton, {},
                                  *target ? QPoint(3, 3) : QPoint(4, about->height() - 4));
            });
            capacity->setFocus();
            QTest::keyClick(capacity, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(seen, (QStringList{
                               "About Wexel Converter", "Version 4.0.0",
                               "This tool is for estimation only.  This tool is used to convert "
                               "between capacity and Wexels.  Wexels are product specific. Wexels "
                               "are acquired for one product and are not transferable to another "
                               "product."}));
        }
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(capacity, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(capacity, Qt::Key_T, Qt::ControlModifier);
        QList<QWidget*> contacts;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("frmContactInfo") && w->isVisible()) {
                contacts << w;
            }
        }
        QCOMPARE(contacts.size(), 1);
        QPointer<QWidget> contact = contacts.front();
        QCOMPARE(contact->windowTitle(), QStringLiteral("Contact Information"));
        // Centred over the converter window (the frame it gets is guessed before it shows).
        const QPoint off = contact->frameGeometry().center() - window.frameGeometry().center();
        QVERIFY2(off.manhattanLength() <= 20, qPrintable(QDebug::toString(off)));
        auto* address = contact->findChild<QLabel*>(QStringLiteral("Label2"));
        QTest::mouseClick(address, Qt::LeftButton);
        QVERIFY(contact->isVisible());
        // The address is selected and copied by keyboard.
        address->setFocus();
        QTest::keyClick(address, Qt::Key_Home);
        QTest::keyClick(address, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(address, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), address->text());
        // The converter window stays in use meanwhile; help opens on its screen too.
        window.activateWindow();
        QTest::keyClicks(capacity, QStringLiteral("2"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblMSUtoWX_WX"))->text(),
                 QStringLiteral("2"));
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(side->availableGeometry().contains(help.viewer()->frameGeometry()));
        QTest::keyClick(contact, Qt::Key_Escape);
        QTRY_VERIFY(contact.isNull() || !contact->isVisible());
        // And a message box.
        QRect box;
        QTimer::singleShot(0, [&box] {
            box = QApplication::activeModalWidget()->frameGeometry();
            QApplication::activeModalWidget()->close();
        });
        QtMessageBox().showMessage("On the side screen", "Wexel Converter");
        QVERIFY2(side->availableGeometry().contains(box), qPrintable(QDebug::toString(box)));
        setMainWindow(nullptr);
    }

    void aboutWritesEachVersionNumberAndASecondStartRestoresTheWindow() {
        // Each number in plain decimal: a two-digit minor is written as such.
        const frmAbout about(VersionInfo{4, 12, 3, "Copyright"});
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version 4.12.3"));
        // What a second start asks of the running window: a minimised one is
        // restored and comes to the front.
        const wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        frmQConverter window;
        window.showMinimized();
        QVERIFY(window.isMinimized());
        raiseWindow(&window);
        QVERIFY(!window.isMinimized());
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
