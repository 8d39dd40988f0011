// The Help menu of the converter window through real keys and clicks: the
// help viewer and its links, help files that must be refused, and the About
// and Contact dialogs.
#include "app/ModGlobals.h"
#include "app/Windows.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "ui/converter/frmQConverter.h"
#include "ui/info/DialogLayout.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include <sys/stat.h>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

// Clicks the link that reads `text` in the browser, as a user would.
void clickLink(QTextBrowser* browser, const QString& text) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && fragment.text() == text) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                browser->setTextCursor(cursor);
                browser->ensureCursorVisible();
                const QPoint at = browser->cursorRect(cursor).center();
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link reads ") + text));
}

// The texts of the page's links, in order.
QStringList links(const QTextBrowser* browser) {
    QStringList found;
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isAnchor()) {
                found << it.fragment().text();
            }
        }
    }
    return found;
}

QString shownUrl(const HelpSystem& help) {
    return help.browser() != nullptr ? help.browser()->source().toString() : QString();
}

// Records the addresses handed to the system's programs.
class Opener : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void init() { HelpFilePath() = WEXEL_DATA_DIR "/WXConvert.hlp"; }

    void everyLinkOpensItsTopicAndBackAndForwardFollow() {
        const wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        HelpSystem help;
        HelpMenu menu(help);
        frmQConverter window(&menu);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
        QWidget* viewer = help.viewer();
        auto* back = viewer->findChild<QPushButton*>(QStringLiteral("cmdBack"));
        auto* forward = viewer->findChild<QPushButton*>(QStringLiteral("cmdForward"));
        QVERIFY(!back->isEnabled());
        clickLink(help.browser(), QStringLiteral("Data files"));
        QCOMPARE(shownUrl(help), QStringLiteral("help:300"));
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(shownUrl(help), QStringLiteral("help:300"));
        // From the keyboard: Tab to the first link, Enter.
        help.browser()->setFocus();
        QTest::keyClick(help.browser(), Qt::Key_Tab);
        QTest::keyClick(help.browser(), Qt::Key_Return);
        QCOMPARE(shownUrl(help), QStringLiteral("help:310"));

        // The contents lists each topic once; the index is alphabetical; every
        // link of every page leads to a topic.
        QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
        const HelpFile file = HelpFile::load(HelpFilePath());
        const QStringList entries = links(help.browser()).mid(int(file.topics().size()));
        QStringList sorted = entries;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(entries, sorted);
        QVERIFY(entries.size() > 2 * int(file.topics().size()));
        QStringList pages{QStringLiteral("help:index")};
        for (const HelpTopic& topic : file.topics()) {
            pages << QStringLiteral("help:%1").arg(topic.context);
        }
        for (const QString& page : pages) {
            help.browser()->setSource(QUrl(page));
            for (const QString& link : links(help.browser())) {
                help.browser()->setSource(QUrl(page));
                clickLink(help.browser(), link);
                const QString what = page + QStringLiteral(": ") + link;
                QVERIFY2(shownUrl(help).startsWith(QStringLiteral("help:")), qPrintable(what));
                QVERIFY2(
                    !help.browser()->toPlainText().startsWith(QStringLiteral("Topic not found")),
                    qPrintable(what));
            }
        }

        // A topic the file lacks says so, with a way to the index.
        help.showHelp(HelpFilePath(), HELP_CONTEXT, 9999, {});
        clickLink(help.browser(), QStringLiteral("Contents and Index"));
        QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
        QTest::keyClick(&window, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(shownUrl(help), QStringLiteral("help:14"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        QCOMPARE(help.viewer(), static_cast<QWidget*>(nullptr));
    }

    void helpFilesBeyondSaneLimitsAreRefused() {
        TempFolder folder;
        auto sections = [](int count) {
            QByteArray text;
            for (int i = 0; i < count; ++i) {
                text += "<section id=\"" + QByteArray::number(i + 100) +
                        "\" title=\"T\"><p>x</p></section>\n";
            }
            return text;
        };
        const std::pair<QByteArray, const char*> cases[] = {
            {"<section id=\"100\">" + QByteArray("<table><tr><td>").repeated(4) + "</section>",
             "the help topic 100 nests tables more than 3 deep"},
            {"<section id=\"100\">" + QByteArray("<div>").repeated(17) + "</section>",
             "the help topic 100 nests blocks more than 16 deep"},
            {"<section id=\"100\">" + QByteArray(5 << 20, 'x') + "</section>",
             "is larger than 4194304 bytes"},
            {"<p>no topic at all</p>", "is not a help file"},
            {"FIFO", "is not a regular file"},
            {sections(40000), nullptr}, // large but sound: read in good time
        };
        for (const auto& [content, refusal] : cases) {
            const std::string path =
                folder.file(std::to_string(&content - &cases[0].first) + ".hlp");
            if (content == "FIFO") {
                QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
            } else {
                folder.write(path.substr(folder.path().size() + 1), content.toStdString());
            }
            HelpFilePath() = path;
            HelpSystem help;
            HelpMenu menu(help);
            const Capture capture;
            QElapsedTimer timer;
            timer.start();
            menu.mnuWindowHelp_Click();
            QVERIFY(timer.elapsed() < 5000);
            if (refusal == nullptr) {
                QVERIFY(capture.shown.empty());
                QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
                continue;
            }
            QCOMPARE(capture.shown.size(), size_t{1});
            QCOMPARE(capture.shown[0].location, std::string("frmmain.mnuIndex_Click"));
            QCOMPARE(capture.shown[0].number, std::string("75"));
            QVERIFY2(capture.shown[0].description.find(refusal) != std::string::npos,
                     capture.shown[0].description.c_str());
            QCOMPARE(help.viewer(), static_cast<QWidget*>(nullptr));
        }
    }

    void nothingOutsideTheHelpFileIsOpenedOrRead() {
        TempFolder folder;
        QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(folder.file("x.png")));
        const QString picture = QString::fromStdString(folder.file("x.png"));
        folder.write(
            "help.hlp",
            ("<section id=\"100\"><img src=\"" + picture + "\"><img src=\"file://" + picture +
             "\"><p><a href=\"file:///etc/passwd\">file</a> "
             "<a href=\"smb://host/share\">share</a> <a href=\"https://example.com/\">web</a> "
             "<a href=\"mailto:help@example.com\">mail</a></p></section>")
                .toStdString());
        HelpFilePath() = folder.file("help.hlp");
        Opener opener;
        for (const char* scheme : {"file", "smb", "https", "mailto"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opener, "open");
        }
        HelpSystem help;
        HelpMenu(help).mnuWindowHelp_Click();
        QTextBrowser* browser = help.browser();
        for (const char* link : {"file", "share", "web", "mail"}) {
            browser->setSource(QUrl(QStringLiteral("help:100")));
            clickLink(browser, QString::fromLatin1(link));
        }
        QCOMPARE(opener.opened, (QStringList{"https://example.com/", "mailto:help@example.com"}));
        for (const QString& source : {picture, QStringLiteral("file://") + picture}) {
            QVERIFY(
                browser->document()->resource(QTextDocument::ImageResource, QUrl(source)).isNull());
        }
        for (const char* scheme : {"file", "smb", "https", "mailto"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }

    void anUnchangedFileIsNotReadAgain() {
        TempFolder folder;
        const std::string path = folder.file("help.hlp");
        folder.write("help.hlp", "<section id=\"100\">first</section>");
        HelpFilePath() = path;
        HelpSystem help;
        HelpMenu menu(help);
        menu.mnuWindowHelp_Click();
        const auto stamp = std::filesystem::last_write_time(path);
        std::ofstream(path, std::ios::trunc) << "<section id=\"100\">other</section>";
        std::filesystem::last_write_time(path, stamp);
        menu.mnuWindowHelp_Click();
        QCOMPARE(help.browser()->toPlainText(), QStringLiteral("first"));
        std::filesystem::last_write_time(path, stamp + std::chrono::seconds(1));
        menu.mnuWindowHelp_Click();
        QCOMPARE(help.browser()->toPlainText(), QStringLiteral("other"));
    }

    void aboutClosesOnAnyClickAndContactStaysOneAndModeless() {
        wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        HelpSystem help;
        HelpMenu menu(help);
        frmQConverter window(&menu);
        QScreen* side = QGuiApplication::screens().at(1);
        window.move(side->geometry().topLeft() + QPoint(20, 20));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        setMainWindow(&window);
        for (const char* target : {"lblDisclaimer", "imgIcon", "", "cmdOK"}) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QStringList seen;
            QTimer::singleShot(0, [&seen, target] {
                QWidget* about = QApplication::activeModalWidget();
                seen << about->windowTitle();
                for (QLabel* label : about->findChildren<QLabel*>()) {
                    if (label->pixmap().isNull() && !showsWholeText(label)) {
                        seen << QStringLiteral("cut: ") + label->objectName();
                    }
                }
                for (const char* name : {"lblVersion", "lblDisclaimer"}) {
                    seen << about->findChild<QLabel*>(QString::fromLatin1(name))->text();
                }
                QWidget* at =
                    *target ? about->findChild<QWidget*>(QString::fromLatin1(target)) : about;
                QTest::mouseClick(at, Qt::LeftButton, {},
                                  *target ? QPoint(3, 3) : QPoint(4, about->height() - 4));
            });
            QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(seen, (QStringList{
                               "About Wexel Converter", "Version 4.0.0",
                               "This tool is for estimation only.  This tool is used to convert "
                               "between capacity and Wexels.  Wexels are product specific. Wexels "
                               "are acquired for one product and are not transferable to another "
                               "product."}));
        }
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QList<QWidget*> contacts;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("frmContactInfo") && w->isVisible()) {
                contacts << w;
            }
        }
        QCOMPARE(contacts.size(), 1);
        QPointer<QWidget> contact = contacts.front();
        QVERIFY(side->availableGeometry().contains(contact->frameGeometry()));
        QTest::mouseClick(contact->findChild<QLabel*>(QStringLiteral("Label2")), Qt::LeftButton);
        QVERIFY(contact->isVisible());
        // The converter window stays in use meanwhile; help opens on its screen too.
        window.findChild<QComboBox*>(QStringLiteral("cboConversionType"))->setCurrentIndex(1);
        auto* capacity = window.findChild<QLineEdit*>(QStringLiteral("txtMSUtoWX_MSU"));
        window.activateWindow();
        QTest::keyClicks(capacity, QStringLiteral("2"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblMSUtoWX_WX"))->text(),
                 QStringLiteral("2"));
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(side->availableGeometry().contains(help.viewer()->frameGeometry()));
        QTest::keyClick(contact, Qt::Key_Escape);
        QTRY_VERIFY(contact.isNull() || !contact->isVisible());
        setMainWindow(nullptr);
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
