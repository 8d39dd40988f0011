#include "ui/info/HelpFile.h"
#include "platform/RuntimeError.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTest>

#include <set>

using wexel::ErrorNumber;
using wexel::HelpFile;
using wexel::RuntimeError;

class HelpFileTest : public QObject {
    Q_OBJECT
private slots:
    void topicsByContextNumberInFileOrder();
    void attributesInAnyOrderAndEntitiesDecoded();
    void commentsAreNoTopics();
    void firstTopicOfANumberWins();
    void sectionsWithoutNumberAreSkipped();
    void untitledTopicGetsANumberedTitle();
    void missingTopicPageSaysSo();
    void pagesCarryTheFileStyle();
    void indexListsContentsInFileOrderAndIndexAlphabetically();
    void indexWithKeywordListsMatchingTitlesOnly();
    void indexWithUnmatchedKeyword();
    void loadErrors_data();
    void loadErrors();
    void theProgramsHelpFile();
};

namespace {

const QString kSample = QStringLiteral(
    "<html><head><title>Sample &amp; Help</title><style>h1 { color: red; }</style></head>"
    "<body>"
    "<section id=\"100\" title=\"Window\"><h1>Window</h1><p>About the window.</p></section>\n"
    "<section title=\"Zebra &lt;topic&gt;\" id=\"14\"><p>How.</p></section>\n"
    "<SECTION ID=\"300\" TITLE=\"apples\"><p>Files.</p></SECTION>"
    "</body></html>");

QStringList linkTitles(const QString& html) {
    static const QRegularExpression link(QStringLiteral("<a href=\"#(\\d+)\">([^<]*)</a>"));
    QStringList titles;
    for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
        titles << m.captured(2);
    }
    return titles;
}

} // namespace

void HelpFileTest::topicsByContextNumberInFileOrder() {
    const HelpFile help = HelpFile::parse(kSample);
    QCOMPARE(help.topics().size(), std::size_t(3));
    QCOMPARE(help.topics()[0].context, 100ul);
    QCOMPARE(help.topics()[1].context, 14ul);
    QCOMPARE(help.topics()[2].context, 300ul);
    QVERIFY(help.topic(100) != nullptr);
    QCOMPARE(help.topic(100)->body, QStringLiteral("<h1>Window</h1><p>About the window.</p>"));
    QVERIFY(help.topic(15) == nullptr);
    QCOMPARE(help.title(), QStringLiteral("Sample & Help"));
}

void HelpFileTest::attributesInAnyOrderAndEntitiesDecoded() {
    const HelpFile help = HelpFile::parse(kSample);
    QCOMPARE(help.topic(14)->title, QStringLiteral("Zebra <topic>"));
    QCOMPARE(help.topic(300)->title, QStringLiteral("apples"));
}

void HelpFileTest::commentsAreNoTopics() {
    const HelpFile help = HelpFile::parse(
        QStringLiteral("<!-- a topic is <section id=\"1\" title=\"Format\"> ... </section> -->"
                       "<section id=\"2\" title=\"Real\">text</section>"));
    QCOMPARE(help.topics().size(), std::size_t(1));
    QCOMPARE(help.topics()[0].context, 2ul);
    QCOMPARE(help.topics()[0].body, QStringLiteral("text"));
}

void HelpFileTest::firstTopicOfANumberWins() {
    const HelpFile help = HelpFile::parse(QStringLiteral(
        "<section id=\"5\" title=\"First\">one</section><section id=\"5\" title=\"Second\">two"
        "</section>"));
    QCOMPARE(help.topics().size(), std::size_t(1));
    QCOMPARE(help.topic(5)->title, QStringLiteral("First"));
}

void HelpFileTest::sectionsWithoutNumberAreSkipped() {
    const HelpFile help = HelpFile::parse(QStringLiteral(
        "<section title=\"No id\">a</section><section id=\"x1\" title=\"Bad\">b</section>"
        "<section id=\"-3\" title=\"Negative\">c</section><section id=\"7\">d</section>"));
    QCOMPARE(help.topics().size(), std::size_t(1));
    QCOMPARE(help.topics()[0].context, 7ul);
}

void HelpFileTest::untitledTopicGetsANumberedTitle() {
    const HelpFile help = HelpFile::parse(QStringLiteral("<section id=\"7\">d</section>"));
    QCOMPARE(help.topic(7)->title, QStringLiteral("Topic 7"));
}

void HelpFileTest::missingTopicPageSaysSo() {
    const HelpFile help = HelpFile::parse(kSample);
    const QString page = help.topicPage(999);
    QVERIFY(page.contains(QStringLiteral("no topic with the context number 999")));
    QVERIFY(page.contains(QStringLiteral("href=\"#index\"")));
}

void HelpFileTest::pagesCarryTheFileStyle() {
    const HelpFile help = HelpFile::parse(kSample);
    QVERIFY(help.topicPage(100).contains(QStringLiteral("<style>h1 { color: red; }</style>")));
    QVERIFY(help.topicPage(100).contains(QStringLiteral("<p>About the window.</p>")));
    QVERIFY(help.indexPage({}).contains(QStringLiteral("h1 { color: red; }")));
}

void HelpFileTest::indexListsContentsInFileOrderAndIndexAlphabetically() {
    const HelpFile help = HelpFile::parse(kSample);
    const QString page = help.indexPage({});
    QVERIFY(page.contains(QStringLiteral("<h1>Contents</h1>")));
    QVERIFY(page.contains(QStringLiteral("<h1>Index</h1>")));
    const QStringList titles = linkTitles(page);
    const QStringList expected = {QStringLiteral("Window"), QStringLiteral("Zebra &lt;topic&gt;"),
                                  QStringLiteral("apples"), QStringLiteral("apples"),
                                  QStringLiteral("Window"), QStringLiteral("Zebra &lt;topic&gt;")};
    QCOMPARE(titles, expected);
}

void HelpFileTest::indexWithKeywordListsMatchingTitlesOnly() {
    const HelpFile help = HelpFile::parse(kSample);
    const QString page = help.indexPage(QStringLiteral("WIN"));
    QVERIFY(!page.contains(QStringLiteral("<h1>Contents</h1>")));
    QCOMPARE(linkTitles(page), QStringList{QStringLiteral("Window")});
}

void HelpFileTest::indexWithUnmatchedKeyword() {
    const HelpFile help = HelpFile::parse(kSample);
    const QString page = help.indexPage(QStringLiteral("<none>"));
    QVERIFY(linkTitles(page).isEmpty());
    QVERIFY(page.contains(QStringLiteral("&lt;none&gt;")));
    QVERIFY(page.contains(QStringLiteral("href=\"#index\"")));
}

void HelpFileTest::loadErrors_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("number");
    QTest::newRow("missing file") << "missing" << static_cast<int>(ErrorNumber::FileNotFound);
    QTest::newRow("empty path") << "empty" << static_cast<int>(ErrorNumber::FileNotFound);
    QTest::newRow("a folder") << "folder" << static_cast<int>(ErrorNumber::PathFileAccess);
    QTest::newRow("no topics") << "notopics" << static_cast<int>(ErrorNumber::PathFileAccess);
}

void HelpFileTest::loadErrors() {
    QFETCH(QString, what);
    QFETCH(int, number);
    wexel::testing::TempFolder folder;
    std::string path;
    if (what == "missing") {
        path = folder.file("WXConvert.hlp");
    } else if (what == "folder") {
        path = folder.path();
    } else if (what == "notopics") {
        folder.write("WXConvert.hlp", "<html><body><p>Just text.</p></body></html>");
        path = folder.file("WXConvert.hlp");
    }
    try {
        (void)HelpFile::load(path);
        QFAIL("no error");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), number);
        QVERIFY(!error.description().empty());
    }
}

void HelpFileTest::theProgramsHelpFile() {
    const HelpFile help = HelpFile::load(WEXEL_HELP_FILE);
    QCOMPARE(help.title(), QStringLiteral("Wexel Converter Help"));
    QVERIFY(help.topic(100) != nullptr);
    QVERIFY(help.topic(14) != nullptr);
    QVERIFY(help.topic(100)->body.contains(QStringLiteral("rounded up")));
    QVERIFY(help.topic(14)->title.contains(QStringLiteral("How do I")));
    // Topics on the data files and on messages and errors.
    QStringList titles;
    std::set<unsigned long> contexts;
    for (const wexel::HelpTopic& topic : help.topics()) {
        titles << topic.title;
        contexts.insert(topic.context);
        QVERIFY2(!topic.title.isEmpty(), qPrintable(QString::number(topic.context)));
    }
    QVERIFY(titles.filter(QStringLiteral("vqcsname.dat")).size() == 1);
    QVERIFY(titles.filter(QStringLiteral("vqcslope.dat")).size() == 1);
    QVERIFY(titles.contains(QStringLiteral("Messages")));
    QVERIFY(titles.contains(QStringLiteral("Error box")));
    // Every link inside a topic leads to a topic or to the index.
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]*)\""));
    for (const wexel::HelpTopic& topic : help.topics()) {
        for (const QRegularExpressionMatch& m : link.globalMatch(topic.body)) {
            const QString target = m.captured(1);
            QVERIFY2(
                target == QLatin1String("index") || contexts.count(target.toULong()) == 1,
                qPrintable(QStringLiteral("topic %1 links to #%2").arg(topic.context).arg(target)));
        }
    }
}

QTEST_GUILESS_MAIN(HelpFileTest)
#include "HelpFileTest.moc"
