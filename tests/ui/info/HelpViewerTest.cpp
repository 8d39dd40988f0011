#include "ui/info/HelpViewer.h"
#include "platform/RuntimeError.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using wexel::ErrorNumber;
using wexel::HELP_CONTEXT;
using wexel::HELP_PARTIALKEY;
using wexel::HELP_QUIT;
using wexel::HelpViewerPort;
using wexel::RuntimeError;

class HelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void contextOpensTheTopicInAModelessViewer_data();
    void contextOpensTheTopicInAModelessViewer();
    void oneViewerForEveryCall();
    void emptyPartialKeyOpensContentsAndIndex();
    void partialKeyWithAWordFiltersTheIndex();
    void linksLeadToTopicsAndBackForwardWork();
    void unknownTopicShowsANote();
    void quitClosesTheViewer();
    void quitLeavesAViewerOfAnotherFile();
    void quitWithoutViewerDoesNothing();
    void missingFileThrowsAndOpensNothing();
    void unreadableFileThrowsAndKeepsTheOpenViewer();
    void fileIsReadAgainAtEveryCall();
    void viewerClosedByTheUserIsMadeAgain();
    void otherCommandsDoNothing();
};

namespace {

const std::string kHelp = WEXEL_HELP_FILE;

QString shownText(const HelpViewerPort& port) {
    return port.viewer()->browser()->toPlainText();
}

} // namespace

void HelpViewerTest::contextOpensTheTopicInAModelessViewer_data() {
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("heading");
    QTest::newRow("window help") << 100 << "The Wexel Converter window";
    QTest::newRow("how do I") << 14 << "How do I?";
}

void HelpViewerTest::contextOpensTheTopicInAModelessViewer() {
    QFETCH(int, context);
    QFETCH(QString, heading);
    HelpViewerPort port;
    QVERIFY(port.viewer() == nullptr);
    port.showHelp(kHelp, HELP_CONTEXT, static_cast<unsigned long>(context), "");
    QVERIFY(port.viewer() != nullptr);
    QVERIFY(port.viewer()->isVisible());
    QVERIFY(!port.viewer()->isModal());
    QCOMPARE(port.viewer()->windowModality(), Qt::NonModal);
    QCOMPARE(port.viewer()->windowTitle(), QStringLiteral("Wexel Converter Help"));
    QVERIFY(!port.viewer()->windowIcon().isNull());
    QVERIFY(port.viewer()->browser()->inherits("QTextBrowser"));
    QVERIFY2(shownText(port).startsWith(heading), qPrintable(shownText(port).left(80)));
    QCOMPARE(port.viewer()->helpFilePath(), kHelp);
}

void HelpViewerTest::oneViewerForEveryCall() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 100, "");
    wexel::HelpViewer* first = port.viewer();
    port.showHelp(kHelp, HELP_CONTEXT, 14, "");
    port.showHelp(kHelp, HELP_PARTIALKEY, 0, "");
    QCOMPARE(port.viewer(), first);
    int viewers = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        viewers += qobject_cast<wexel::HelpViewer*>(widget) != nullptr && widget->isVisible();
    }
    QCOMPARE(viewers, 1);
}

void HelpViewerTest::emptyPartialKeyOpensContentsAndIndex() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_PARTIALKEY, 0, "");
    const QString text = shownText(port);
    QVERIFY(text.startsWith(QStringLiteral("Contents")));
    QVERIFY(text.contains(QStringLiteral("Index")));
    QVERIFY(text.contains(QStringLiteral("How do I?")));
    QVERIFY(text.contains(QStringLiteral("The Wexel Converter window")));
    QVERIFY(text.contains(QStringLiteral("vqcslope.dat: the tiers")));
}

void HelpViewerTest::partialKeyWithAWordFiltersTheIndex() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_PARTIALKEY, 0, "tiers");
    const QString text = shownText(port);
    QVERIFY(text.contains(QStringLiteral("How the tiers work")));
    QVERIFY(!text.contains(QStringLiteral("Messages")));
}

void HelpViewerTest::linksLeadToTopicsAndBackForwardWork() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 100, "");
    wexel::HelpBrowser* browser = port.viewer()->browser();
    auto* back = port.viewer()->findChild<QPushButton*>(QStringLiteral("cmdBack"));
    auto* forward = port.viewer()->findChild<QPushButton*>(QStringLiteral("cmdForward"));
    auto* contents = port.viewer()->findChild<QPushButton*>(QStringLiteral("cmdContents"));
    QVERIFY(back && forward && contents);
    QVERIFY(!back->isEnabled());

    emit browser->anchorClicked(QUrl(QStringLiteral("#14")));
    QVERIFY(shownText(port).startsWith(QStringLiteral("How do I?")));
    QVERIFY(back->isEnabled());

    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(shownText(port).startsWith(QStringLiteral("The Wexel Converter window")));
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QVERIFY(shownText(port).startsWith(QStringLiteral("How do I?")));

    emit browser->anchorClicked(QUrl(QStringLiteral("#index")));
    QVERIFY(shownText(port).startsWith(QStringLiteral("Contents")));
    emit browser->anchorClicked(QUrl(QStringLiteral("#310")));
    QVERIFY(shownText(port).startsWith(QStringLiteral("vqcsname.dat")));
    QTest::mouseClick(contents, Qt::LeftButton);
    QVERIFY(shownText(port).startsWith(QStringLiteral("Contents")));
}

void HelpViewerTest::unknownTopicShowsANote() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 4242, "");
    QVERIFY(shownText(port).contains(QStringLiteral("no topic with the context number 4242")));
}

void HelpViewerTest::quitClosesTheViewer() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 100, "");
    QPointer<wexel::HelpViewer> viewer = port.viewer();
    port.showHelp(kHelp, HELP_QUIT, 0, "");
    QVERIFY(viewer.isNull());
    QVERIFY(port.viewer() == nullptr);
}

void HelpViewerTest::quitLeavesAViewerOfAnotherFile() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 100, "");
    port.showHelp(kHelp + ".other", HELP_QUIT, 0, "");
    QVERIFY(port.viewer() != nullptr);
    QVERIFY(port.viewer()->isVisible());
}

void HelpViewerTest::quitWithoutViewerDoesNothing() {
    HelpViewerPort port;
    port.showHelp("/no/such/file.hlp", HELP_QUIT, 0, "");
    QVERIFY(port.viewer() == nullptr);
}

void HelpViewerTest::missingFileThrowsAndOpensNothing() {
    wexel::testing::TempFolder folder;
    HelpViewerPort port;
    for (unsigned command : {HELP_CONTEXT, HELP_PARTIALKEY}) {
        try {
            port.showHelp(folder.file("WXConvert.hlp"), command, 100, "");
            QFAIL("no error");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), static_cast<int>(ErrorNumber::FileNotFound));
        }
        QVERIFY(port.viewer() == nullptr);
    }
}

void HelpViewerTest::unreadableFileThrowsAndKeepsTheOpenViewer() {
    wexel::testing::TempFolder folder;
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 14, "");
    try {
        port.showHelp(folder.path(), HELP_CONTEXT, 100, "");
        QFAIL("no error");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), static_cast<int>(ErrorNumber::PathFileAccess));
    }
    QVERIFY(port.viewer() != nullptr);
    QVERIFY(shownText(port).startsWith(QStringLiteral("How do I?")));
}

void HelpViewerTest::fileIsReadAgainAtEveryCall() {
    wexel::testing::TempFolder folder;
    folder.write("h.hlp", "<section id=\"1\" title=\"One\"><p>first text</p></section>");
    HelpViewerPort port;
    port.showHelp(folder.file("h.hlp"), HELP_CONTEXT, 1, "");
    QCOMPARE(shownText(port), QStringLiteral("first text"));
    folder.write("h.hlp", "<section id=\"1\" title=\"One\"><p>second text</p></section>");
    port.showHelp(folder.file("h.hlp"), HELP_CONTEXT, 1, "");
    QCOMPARE(shownText(port), QStringLiteral("second text"));
}

void HelpViewerTest::viewerClosedByTheUserIsMadeAgain() {
    HelpViewerPort port;
    port.showHelp(kHelp, HELP_CONTEXT, 100, "");
    port.viewer()->close();
    QTRY_VERIFY(port.viewer() == nullptr);
    port.showHelp(kHelp, HELP_CONTEXT, 14, "");
    QVERIFY(port.viewer() != nullptr);
    QVERIFY(port.viewer()->isVisible());
}

void HelpViewerTest::otherCommandsDoNothing() {
    HelpViewerPort port;
    port.showHelp(kHelp, 3, 0, "");
    port.showHelp("/no/such/file.hlp", 11, 0, "");
    QVERIFY(port.viewer() == nullptr);
}

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
