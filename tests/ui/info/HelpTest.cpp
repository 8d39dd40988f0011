// The Help menu of the converter window through real keys and clicks: the
// help viewer and its links, and help files that must be refused.
#include "app/ModGlobals.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "ui/converter/frmQConverter.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QPushButton>
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

// Where the page's links lead, in order, as the viewer names its pages.
QStringList linkTargets(const QTextBrowser* browser) {
    QStringList found;
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        QString last; // a link written in several formats is one link
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty() && href != last) {
                found << QStringLiteral("help:") + href.mid(1);
            }
            last = href;
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
    void init() { setHelpFilePath(WEXEL_DATA_DIR "/WXConvert.hlp"); }

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

        // The contents lists each topic once; the index is alphabetical (the
        // keyboard test follows each of its links to a topic).
        QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
        const HelpFile file = HelpFile::load(HelpFilePath());
        const QStringList entries = links(help.browser()).mid(int(file.topics().size()));
        QStringList sorted = entries;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(entries, sorted);
        QVERIFY(entries.size() > 2 * int(file.topics().size()));

        // The index for a word, in any letter case: only the entries holding it.
        help.showHelp(HelpFilePath(), HELP_PARTIALKEY, 0, "DATA");
        QVERIFY(!links(help.browser()).isEmpty());
        for (const QString& entry : links(help.browser())) {
            QVERIFY2(entry.contains(QStringLiteral("data"), Qt::CaseInsensitive),
                     qPrintable(entry));
        }
        // A topic the file lacks says so, with a way to the index.
        help.showHelp(HelpFilePath(), HELP_CONTEXT, 9999, {});
        clickLink(help.browser(), QStringLiteral("Contents and Index"));
        QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
        QTest::keyClick(&window, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(shownUrl(help), QStringLiteral("help:14"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        QVERIFY(!window.isVisible()); // the program ends, its help with it
        QCOMPARE(help.viewer(), static_cast<QWidget*>(nullptr));
    }

    void theKeyboardFollowsEveryLinkEveryTimeAndEscCloses() {
        const wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        HelpSystem help;
        HelpMenu menu(help);
        frmQConverter window(&menu);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Keys go where the window system sends them: to the active window's focus.
        auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QVERIFY(QGuiApplication::focusWindow() != nullptr);
            QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key(key), modifiers);
        };
        for (int round = 0; round < 3; ++round) {
            QTest::keyClick(&window, Qt::Key_F1);
            QVERIFY(QTest::qWaitForWindowActive(help.viewer()));
            QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
            // A screen reader finds a window with its title, not a nameless pane.
            QCOMPARE(QAccessible::queryAccessibleInterface(help.viewer())->role(),
                     QAccessible::Dialog);
            // Enter before any link has the focus frame presses no button.
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
            auto button = [&](const char* name) {
                return help.viewer()->findChild<QPushButton*>(QString::fromLatin1(name));
            };
            press(Qt::Key_Tab);
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), QStringLiteral("help:300"));
            // Back puts the focus frame on the link followed; the keyboard
            // stays on the page, so Enter follows that link again.
            QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
            QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), QStringLiteral("help:300"));
            QTest::mouseClick(button("cmdContents"), Qt::LeftButton);
            QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
            const QStringList contents = linkTargets(help.browser());
            press(Qt::Key_Tab);
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), contents.front());
            // Tab goes round the page's links: past the last to the first, and
            // Shift+Tab from the first to the last.
            QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
            QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
            QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
            QCOMPARE(shownUrl(help), QStringLiteral("help:100"));
            const QStringList targets = linkTargets(help.browser());
            QCOMPARE_NE(targets.front(), targets.back());
            // The frame is back on the first link: round to it again.
            for (qsizetype tab = 0; tab < targets.size(); ++tab) {
                press(Qt::Key_Tab);
            }
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), targets.front());
            QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
            press(Qt::Key_Tab, Qt::ShiftModifier);
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), targets.back());
            // Ctrl+Tab leaves the page for the buttons; Tab goes along them
            // and back to the page, Space presses the one with the focus.
            press(Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), button("cmdContents"));
            press(Qt::Key_Space);
            QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), button("cmdBack"));
            press(Qt::Key_Tab); // past Forward, which has nowhere to go
            QCOMPARE(QApplication::focusWidget(), help.browser());
            press(Qt::Key_Escape);
            QTRY_COMPARE(help.viewer(), static_cast<QWidget*>(nullptr));
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }

        // Every link of every page, one after the other: the contents lead to
        // each topic, Alt+Left comes back with the focus on the link followed,
        // and Tab moves on to the next.
        QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(QTest::qWaitForWindowActive(help.viewer()));
        const QStringList contents = linkTargets(help.browser());
        QVERIFY(contents.size() > 5);
        for (const QString& topic : contents) {
            press(Qt::Key_Tab);
            press(Qt::Key_Return);
            QCOMPARE(shownUrl(help), topic);
            QVERIFY2(!help.browser()->toPlainText().startsWith(QStringLiteral("Topic not found")),
                     qPrintable(topic));
            for (const QString& target : linkTargets(help.browser())) {
                press(Qt::Key_Tab);
                press(Qt::Key_Return);
                QCOMPARE(shownUrl(help), target);
                press(Qt::Key_Left, Qt::AltModifier);
                QCOMPARE(shownUrl(help), topic);
            }
            press(Qt::Key_Left, Qt::AltModifier);
            QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
        }
    }

    void hostileHelpFilesAreRefusedOrShownWithinTheReadersBounds() {
        const wexel::testing::ScopedTable table({{"WXE007", wexel::testing::kExample}});
        TempFolder folder;
        const QByteArray cells = QByteArray("<td>w</td>").repeated(kMaxHelpTableColumns);
        QByteArray topics; // at the bounds of topics and index entries
        for (int i = 0; i < kMaxHelpTopics; ++i) {
            const QByteArray n = QByteArray::number(i + 100);
            topics += "<section id=\"" + n + "\" title=\"Topic " + n + "\" keywords=\"alpha " + n +
                      "; beta; gamma " + n + "; delta\"><p>x</p></section>\n";
        }
        // Three deep, counted 1 + 3 x 2 + 331 x 3 = 1000: each cell once per table around it.
        const QByteArray wideTables = "<table><tr><td><table><tr><td><table>" +
                                      QByteArray("<tr>" + cells + "</tr>").repeated(16) + "<tr>" +
                                      QByteArray("<td>w</td>").repeated(11) +
                                      "</tr></table></td><td/><td/></tr></table>" +
                                      "</td></tr></table>";
        const QByteArray accents = QByteArray("\xCC\x81").repeated(kMaxHelpCombiningMarks);
        QByteArray sixteenAttributes;
        for (int i = 0; i < kMaxHelpAttributes; ++i) {
            sixteenAttributes += " a" + QByteArray::number(i) + "=\"\"";
        }
        // Topic 100 with the body given; lists nested `deep` times round an "x".
        const auto topic = [](const QByteArray& body) -> QByteArray {
            return "<section id=\"100\">" + body + "</section>";
        };
        const auto lists = [](int deep) {
            return QByteArray("<ul><li>").repeated(deep) + "x" +
                   QByteArray("</li></ul>").repeated(deep);
        };
        const struct {
            const char* name;
            QByteArray content; // the <body>'s, unless it is a whole file
            const char* refusal;
        } cases[] = {
            // Found by a probe: seconds to hours with the old reader.
            {"attribute that closes a table",
             "<html><body><section id=\"100\">" +
                 QByteArray("<table border=1><tr><td><a title=\"</table>\">x</a>").repeated(20),
             "line 1: Expected"},
            {"stray closing tags",
             "<section id=\"100\">" + QByteArray("<div></ul>").repeated(20000),
             "line 1: <div> is not allowed in a help file"},
            {"inline tags", "<section id=\"100\">" + QByteArray("<span>").repeated(200000),
             "line 1: <span> is not allowed in a help file"},
            {"huge cell padding",
             topic("<table cellpadding=\"2147483647\"><tr><td>x</td></tr></table>"), nullptr},
            {"one long word", topic("<p>" + QByteArray(1 << 20, 'x') + "</p>"),
             "a topic with more than 100000 characters of text"},
            {"too many topics", topics + "<section id=\"9999\"/>", "more than 1000 topics"},
            {"attributes", // the XML parser compares every attribute with all before it
             topic("<p" + QByteArray(" a=\"\"").repeated(400000) + "/>"),
             "line 1: a tag with more than 16 attributes"},
            // At the bounds: shown.
            {"topics and index entries", topics, nullptr},
            {"word", topic("<p>" + QByteArray(99000, 'x') + "</p>"), nullptr},
            {"text at the bound, the paragraphs on lines of their own",
             topic("\n<p>" + QByteArray(50000, 'x') + "</p>\n<p>" + QByteArray(50000, 'y') +
                   "</p>\n"),
             nullptr},
            {"unbroken preformatted line", topic("<pre>" + QByteArray(99000, 'x') + "</pre>"),
             nullptr},
            {"tables", topic(wideTables), nullptr},
            {"combining marks", topic("a" + accents + " a" + accents), nullptr},
            {"attribute", topic("<p class=\"" + QByteArray(kMaxHelpAttributeChars, 'c') + "\"/>"),
             nullptr},
            {"list items", topic("<ul>" + QByteArray("<li>x</li>").repeated(4900) + "</ul>"),
             nullptr},
            {"title", "<section id=\"100\" title=\"" + QByteArray(200, 't') + "\"/>", nullptr},
            {"attributes", topic("<p" + sixteenAttributes + "/>"), nullptr},
            {"nesting", topic(lists(8)), nullptr},
            // Beyond the bounds.
            {"nesting", topic(lists(9)), "line 1: elements nested more than 16 deep"},
            {"tables",
             topic(QByteArray("<table><tr><td>").repeated(4) +
                   QByteArray("</td></tr></table>").repeated(4)),
             "tables nested more than 3 deep"},
            {"table cells", topic(wideTables + "<table><tr><td/></tr></table>"),
             "a topic with more than 1000 table cells"},
            {"combining marks", topic("a" + accents + "\xCC\x81"),
             "a letter with more than 30 combining marks"},
            {"attribute",
             topic("<p class=\"" + QByteArray(kMaxHelpAttributeChars + 1, 'c') + "\"/>"),
             "line 1: an attribute longer than 65536 characters"},
            {"row", topic("<table><tr>" + cells + "<td/></tr></table>"),
             "a table row with more than 20 cells"},
            {"elements", topic(QByteArray("<br/>").repeated(5001)),
             "a topic with more than 5000 elements"},
            {"title", "<section id=\"100\" title=\"" + QByteArray(201, 't') + "\"/>",
             "a title or keyword longer than 200 characters"},
            {"entities",
             "<!DOCTYPE html [<!ENTITY a \"aaaaaaaa\">]><html><body><section id=\"100\">&a;"
             "</section></body></html>",
             "line 1: a document type may not declare anything"},
            {"undeclared entity", topic("caf&eacute;"), "Entity 'eacute' not declared"},
            {"namespace", "<section id=\"100\" xmlns:x=\"urn:x\"><x:b/></section>",
             "<section> is not allowed in a help file"},
            {"picture", topic("<img src=\"/etc/passwd\"/>"), "<img> is not allowed in a help file"},
            {"block inside text", topic("<p><table/></p>"), "<table> is not allowed inside <p>"},
            {"text inside a list", topic("<ul>x</ul>"), "text is not allowed inside <ul>"},
            {"old help file", topic("<p>one<br>two</p>"),
             "line 1: text is not allowed inside <br>"},
            {"<p>no topic at all</p>", {}, "a help file begins with <html>"},
            {"<html><body><sectionX id=\"100\"/></body></html>",
             {},
             "<sectionX> is not allowed in a help file"},
            {"<html><body><section id=\"x\"/></body></html>", {}, "it holds no topic"},
            {"too large", QByteArray(5 << 20, ' '), "is larger than 4194304 bytes"},
            // Encodings: a declared one is read, a wrong byte is named.
            {"Latin-1",
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><html><body><section id=\"100\">"
             "caf\xE9</section></body></html>",
             nullptr},
            {"UTF-16",
             [] {
                 const QString text = QStringLiteral(
                     "<html><body><section id=\"100\">caf\u00E9</section></body></html>");
                 return QByteArray("\xFF\xFE") +
                        QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
             }(),
             nullptr},
            {"not UTF-8", topic("\ncaf\xE9"), "line 2: a byte that is not UTF-8"},
            {"NUL", topic(QByteArray("\n\0", 2)), "line 2: a NUL character"},
            {"EBCDIC",
             "<?xml version=\"1.0\" encoding=\"EBCDIC-US\"?><html><body><section id=\"100\"/>"
             "</body></html>",
             "it declares the encoding \"ebcdic-us\", which is not read"},
            {"FIFO", {}, "is not a regular file"},
        };
        for (const auto& c : cases) {
            const std::string path = folder.file(std::to_string(&c - &cases[0]) + ".hlp");
            if (QByteArray(c.name) == "FIFO") {
                QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
            } else {
                const QByteArray text =
                    c.content.isNull() ? QByteArray(c.name)
                    : c.content.startsWith("<html") || c.content.startsWith("<!") ||
                            c.content.startsWith("<?") || c.content.startsWith("\xFF")
                        ? c.content
                        : "<html><body>" + c.content + "</body></html>";
                folder.write(path.substr(folder.path().size() + 1), text.toStdString());
            }
            setHelpFilePath(path);
            HelpSystem help;
            HelpMenu menu(help);
            frmQConverter window(&menu);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            const Capture capture;
            // F1 and Shift+F1, each with its page laid out, as the window shows it.
            // How long each takes is measured in bench/, not here.
            for (const auto modifier : {Qt::NoModifier, Qt::ShiftModifier}) {
                QTest::keyClick(&window, Qt::Key_F1, modifier);
                if (help.browser() != nullptr) {
                    QVERIFY(help.browser()->document()->size().height() > 0);
                }
            }
            if (c.refusal == nullptr) {
                QVERIFY2(capture.shown.empty(),
                         capture.shown.empty() ? "" : capture.shown[0].description.c_str());
                QCOMPARE(shownUrl(help), QStringLiteral("help:index"));
                continue;
            }
            QCOMPARE(capture.shown.size(), size_t{2});
            QCOMPARE(capture.shown[0].location, std::string("frmmain.mnuIndex_Click"));
            QCOMPARE(capture.shown[0].number, std::string("75"));
            QVERIFY2(capture.shown[0].description.find(c.refusal) != std::string::npos,
                     (std::string(c.name) + ": " + capture.shown[0].description).c_str());
            QCOMPARE(help.viewer(), static_cast<QWidget*>(nullptr));
        }
    }

    void linksLeadOnlyToTopicsAndToTheSystemsWebAndMail() {
        TempFolder folder;
        folder.write(
            "help.hlp",
            "<html><body><section id=\"100\"><p>"
            "<a href=\"file:///etc/passwd\">file</a> <a href=\"smb://host/share\">share</a> "
            "<a href=\"javascript:x()\">script</a> <a href=\"#x14\">odd</a> "
            "<a href=\"mailto:help@example.com%3Fattach=/etc/passwd\">hidden</a> "
            "<a href=\"https://user:pw@example.com/\">password</a> "
            "<a href=\"https://example.com/a?b=c\">web</a> "
            "<a href=\"mailto:help@example.com?subject=Wexel%0D%0Ahelp&amp;attach=/etc/passwd"
            "&amp;cc=x@example.com\">mail</a> "
            "<a href=\"#14\">topic</a></p></section></body></html>");
        setHelpFilePath(folder.file("help.hlp"));
        Opener opener;
        for (const char* scheme : {"file", "smb", "javascript", "https", "mailto"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opener, "open");
        }
        HelpSystem help;
        HelpMenu(help).showWindowHelp();
        QTextBrowser* browser = help.browser();
        QVERIFY(browser->toPlainText().startsWith(
            QStringLiteral("file share script odd hidden password")));
        QCOMPARE(links(browser), (QStringList{"web", "mail", "topic"}));
        for (const char* link : {"web", "mail", "topic"}) {
            browser->setSource(QUrl(QStringLiteral("help:100")));
            clickLink(browser, QString::fromLatin1(link));
        }
        QCOMPARE(opener.opened, (QStringList{"https://example.com/a?b=c",
                                             "mailto:help@example.com?subject=Wexel help"}));
        QCOMPARE(shownUrl(help), QStringLiteral("help:14"));
        for (const char* scheme : {"file", "smb", "javascript", "https", "mailto"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }

    void wordsBlanksLinksAndTopicNumbersAtTheirLimits() {
        TempFolder folder;
        const QByteArray kept = "https://example.org/" + QByteArray(2000 - 20, 'x');
        folder.write("help.hlp", ("<html><body><section id=\"100\"><p>" + QByteArray(32, 'a') +
                                  " " + QByteArray(33, 'b') + "</p><pre>a  b</pre><p><a href=\"" +
                                  kept + "\">kept</a> <a href=\"" + kept +
                                  "y\">dropped</a></p></section><section id=\"100\">again</section>"
                                  "<section id=\"200\" title=\"A &lt;b&gt; &amp; C\">"
                                  "1 &lt; 2 &amp;&amp; &lt;i&gt;x&lt;/i&gt;</section>"
                                  "<section id=\"999999999\" title=\"Nine\"/>"
                                  "<section id=\"1000000000\" title=\"Ten\"/>"
                                  "</body></html>")
                                     .toStdString());
        setHelpFilePath(folder.file("help.hlp"));
        HelpSystem help;
        HelpMenu(help).showWindowHelp();
        // A file without a title: the viewer is named for the program.
        QCOMPARE(help.viewer()->windowTitle(), QStringLiteral("Wexel Converter Help"));
        const QString text = help.browser()->toPlainText();
        QVERIFY(text.contains(QString(32, QLatin1Char('a')) + QLatin1Char(' ')));
        QVERIFY(text.contains(QString(32, QLatin1Char('b')) + QChar(0x200B) + QLatin1Char('b')));
        QVERIFY(text.contains(QStringLiteral("a  b"))); // preformatted: every blank kept
        QCOMPARE(links(help.browser()), QStringList{QStringLiteral("kept")});
        // A number used again is no second topic; nine digits are the most a number has.
        help.browser()->setSource(QUrl(QStringLiteral("help:index")));
        QCOMPARE(links(help.browser()),
                 (QStringList{"Topic 100", "A <b> & C", "Nine", "A <b> & C", "Nine", "Topic 100"}));
        // Markup written as text in the file is text on the page.
        help.browser()->setSource(QUrl(QStringLiteral("help:200")));
        QCOMPARE(help.browser()->toPlainText(), QStringLiteral("1 < 2 && <i>x</i>"));
    }

    void anUnchangedFileIsNotReadAgain() {
        TempFolder folder;
        const std::string path = folder.file("help.hlp");
        auto file = [](const char* text) {
            return std::string("<html><head><title>") + text +
                   "</title></head><body><section id=\"100\">" + text + "</section></body></html>";
        };
        folder.write("help.hlp", file("first"));
        setHelpFilePath(path);
        HelpSystem help;
        HelpMenu menu(help);
        menu.showWindowHelp();
        QCOMPARE(help.viewer()->windowTitle(), QStringLiteral("first")); // the file's title
        const auto stamp = std::filesystem::last_write_time(path);
        std::ofstream(path, std::ios::trunc) << file("other");
        std::filesystem::last_write_time(path, stamp);
        menu.showWindowHelp();
        QCOMPARE(help.browser()->toPlainText(), QStringLiteral("first"));
        std::filesystem::last_write_time(path, stamp + std::chrono::seconds(1));
        menu.showWindowHelp();
        QCOMPARE(help.browser()->toPlainText(), QStringLiteral("other"));
        QCOMPARE(help.viewer()->windowTitle(), QStringLiteral("other"));
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
