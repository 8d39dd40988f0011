#include "ui/info/HelpMenu.h"
#include "app/ModGlobals.h"
#include "platform/RuntimeError.h"
#include "support/TestSupport.h"
#include "ui/info/HelpViewer.h"
#include "ui/info/frmAbout.h"
#include "ui/info/frmContactInfo.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <new>
#include <vector>

using wexel::HELP_CONTEXT;
using wexel::HELP_PARTIALKEY;
using wexel::HELP_QUIT;
using wexel::HelpMenu;

namespace {

// Records the help calls; throws what it is told to.
class RecordingHelp : public wexel::HelpPort {
public:
    struct Call {
        std::string file;
        unsigned command;
        unsigned long data;
        std::string keyword;
    };
    void showHelp(const std::string& file, unsigned command, unsigned long data,
                  const std::string& keyword) override {
        calls.push_back({file, command, data, keyword});
        if (fail) {
            fail();
        }
    }
    std::vector<Call> calls;
    std::function<void()> fail;
};

// Sets the help path for one test.
class ScopedHelpPath {
public:
    explicit ScopedHelpPath(std::string path) : saved_(wexel::HelpFilePath()) {
        wexel::HelpFilePath() = std::move(path);
    }
    ~ScopedHelpPath() { wexel::HelpFilePath() = saved_; }

private:
    std::string saved_;
};

using Command = void (HelpMenu::*)();

} // namespace

Q_DECLARE_METATYPE(Command)

class HelpMenuTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void helpCommandsCallTheHelpLayer_data();
    void helpCommandsCallTheHelpLayer();
    void failingHelpCallShowsTheErrorBox_data();
    void failingHelpCallShowsTheErrorBox();
    void outOfMemoryInAHelpCallShowsTheErrorBox();
    void missingHelpFileWithTheRealViewer_data();
    void missingHelpFileWithTheRealViewer();
    void realViewerOpensTopicsAndIndex();
    void unloadQuitsHelpAndClosesContact();
    void unloadClosesTheRealViewer();
    void contactTwiceGivesOneDialog();
    void aboutIsModal();
};

void HelpMenuTest::cleanup() {
    wexel::frmContactInfo::closeInstance();
}

void HelpMenuTest::helpCommandsCallTheHelpLayer_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<unsigned>("helpCommand");
    QTest::addColumn<unsigned long>("data");
    QTest::newRow("How Do I?") << &HelpMenu::mnuHowDoI_Click << HELP_CONTEXT << 14ul;
    QTest::newRow("Window Help") << &HelpMenu::mnuWindowHelp_Click << HELP_CONTEXT << 100ul;
    QTest::newRow("Contents and Index") << &HelpMenu::mnuIndex_Click << HELP_PARTIALKEY << 0ul;
}

void HelpMenuTest::helpCommandsCallTheHelpLayer() {
    QFETCH(Command, command);
    QFETCH(unsigned, helpCommand);
    QFETCH(unsigned long, data);
    wexel::testing::RecordingMessageBox box;
    ScopedHelpPath path("/opt/wexel/WXConvert.hlp");
    RecordingHelp help;
    HelpMenu menu(help);
    (menu.*command)();
    QCOMPARE(help.calls.size(), std::size_t(1));
    QCOMPARE(help.calls[0].file, std::string("/opt/wexel/WXConvert.hlp"));
    QCOMPARE(help.calls[0].command, helpCommand);
    QCOMPARE(help.calls[0].data, data);
    QCOMPARE(help.calls[0].keyword, std::string());
    QVERIFY(box.shown.empty());
}

void HelpMenuTest::failingHelpCallShowsTheErrorBox_data() {
    helpCommandsCallTheHelpLayer_data();
}

void HelpMenuTest::failingHelpCallShowsTheErrorBox() {
    QFETCH(Command, command);
    wexel::testing::RecordingMessageBox box;
    ScopedHelpPath path("/opt/wexel/WXConvert.hlp");
    RecordingHelp help;
    help.fail = [] { wexel::raise(wexel::ErrorNumber::FileNotFound, "/opt/wexel/WXConvert.hlp"); };
    HelpMenu menu(help);
    (menu.*command)();
    QCOMPARE(box.shown.size(), std::size_t(1));
    QCOMPARE(box.shown[0].title, std::string("Wexel Pricer Error!"));
    QCOMPARE(box.shown[0].prompt,
             wexel::errorBoxText("53", "File not found: /opt/wexel/WXConvert.hlp",
                                 "frmmain.mnuIndex_Click", ""));
}

void HelpMenuTest::outOfMemoryInAHelpCallShowsTheErrorBox() {
    wexel::testing::RecordingMessageBox box;
    RecordingHelp help;
    help.fail = [] { throw std::bad_alloc(); };
    HelpMenu menu(help);
    menu.mnuWindowHelp_Click();
    QCOMPARE(box.shown.size(), std::size_t(1));
    QCOMPARE(box.shown[0].prompt,
             wexel::errorBoxText("7", "Out of memory", "frmmain.mnuIndex_Click", ""));
}

void HelpMenuTest::missingHelpFileWithTheRealViewer_data() {
    helpCommandsCallTheHelpLayer_data();
}

void HelpMenuTest::missingHelpFileWithTheRealViewer() {
    QFETCH(Command, command);
    wexel::testing::TempFolder folder;
    wexel::testing::RecordingMessageBox box;
    ScopedHelpPath path(folder.file("WXConvert.hlp"));
    wexel::HelpViewerPort help;
    HelpMenu menu(help);
    (menu.*command)();
    QVERIFY(help.viewer() == nullptr);
    QCOMPARE(box.shown.size(), std::size_t(1));
    const std::string& text = box.shown[0].prompt;
    QVERIFY(text.find("An error has occurred; please contact technical support.") == 0);
    QVERIFY(text.find("Location:  frmmain.mnuIndex_Click\r\n") != std::string::npos);
    QVERIFY(text.find("Error Number:  53\r\n") != std::string::npos);
    QVERIFY(text.find("Description:  File not found") != std::string::npos);
}

void HelpMenuTest::realViewerOpensTopicsAndIndex() {
    wexel::testing::RecordingMessageBox box;
    ScopedHelpPath path(WEXEL_HELP_FILE);
    wexel::HelpViewerPort help;
    HelpMenu menu(help);
    menu.mnuWindowHelp_Click();
    QVERIFY(help.viewer() != nullptr);
    QVERIFY(help.viewer()->browser()->toPlainText().startsWith("The Wexel Converter window"));
    menu.mnuHowDoI_Click();
    QVERIFY(help.viewer()->browser()->toPlainText().startsWith("How do I?"));
    menu.mnuIndex_Click();
    QVERIFY(help.viewer()->browser()->toPlainText().startsWith("Contents"));
    QVERIFY(box.shown.empty());
}

void HelpMenuTest::unloadQuitsHelpAndClosesContact() {
    ScopedHelpPath path("/opt/wexel/WXConvert.hlp");
    RecordingHelp help;
    HelpMenu menu(help);
    menu.mnuContact_Click();
    QVERIFY(wexel::frmContactInfo::instance() != nullptr);
    menu.unload();
    QCOMPARE(help.calls.size(), std::size_t(1));
    QCOMPARE(help.calls[0].file, std::string("/opt/wexel/WXConvert.hlp"));
    QCOMPARE(help.calls[0].command, HELP_QUIT);
    QCOMPARE(help.calls[0].data, 0ul);
    QVERIFY(wexel::frmContactInfo::instance() == nullptr);
}

void HelpMenuTest::unloadClosesTheRealViewer() {
    ScopedHelpPath path(WEXEL_HELP_FILE);
    wexel::HelpViewerPort help;
    HelpMenu menu(help);
    menu.mnuHowDoI_Click();
    QVERIFY(help.viewer() != nullptr);
    menu.unload();
    QVERIFY(help.viewer() == nullptr);
}

void HelpMenuTest::contactTwiceGivesOneDialog() {
    RecordingHelp help;
    HelpMenu menu(help);
    menu.mnuContact_Click();
    wexel::frmContactInfo* first = wexel::frmContactInfo::instance();
    menu.mnuContact_Click();
    QCOMPARE(wexel::frmContactInfo::instance(), first);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(
                 windows.begin(), windows.end(),
                 [](QWidget* w) { return qobject_cast<wexel::frmContactInfo*>(w) != nullptr; }),
             1);
    QVERIFY(help.calls.empty());
}

void HelpMenuTest::aboutIsModal() {
    RecordingHelp help;
    HelpMenu menu(help);
    QString seen;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        seen = dialog != nullptr ? dialog->objectName() : QString();
        modal = dialog != nullptr && dialog->isModal();
        if (dialog != nullptr) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    menu.mnuAbout_Click();
    QCOMPARE(seen, QStringLiteral("frmAbout"));
    QVERIFY(modal);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
