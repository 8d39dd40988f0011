#include "app/QtStartupSteps.h"
#include "app/InstanceGuard.h"
#include "app/ModGlobals.h"
#include "support/TestSupport.h"
#include "ui/info/frmAbout.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QMainWindow>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using wexel::InstanceGuard;
using wexel::QtStartupSteps;
using wexel::StartupResult;

namespace {

class FolderFacts : public wexel::AppFacts {
public:
    explicit FolderFacts(std::string folder, bool running = false)
        : folder_(std::move(folder)), running_(running) {}
    bool previousInstanceRunning() override { return running_; }
    std::string exeDirectory() override { return folder_; }

private:
    std::string folder_;
    bool running_;
};

QString freshKey() {
    return InstanceGuard::keyFor(
        QStringLiteral("steps test %1").arg(QRandomGenerator::global()->generate64()),
        InstanceGuard::currentUser());
}

void copyDataFiles(const wexel::testing::TempFolder& folder) {
    for (const char* name : {"vqcsname.dat", "vqcslope.dat"}) {
        std::filesystem::copy_file(std::filesystem::path(WEXEL_DATA_DIR) / name,
                                   std::filesystem::path(folder.path()) / name);
    }
}

} // namespace

class QtStartupStepsTest : public QObject {
    Q_OBJECT
private slots:
    void aboutIsModalBeforeTheConverterIsShown();
    void dataErrorShowsNoWindow();
    void secondInstanceShowsNothing();
    void raiseRequestBringsTheConverterBack();
    void raiseRequestDuringAboutKeepsAboutOnTop();
};

void QtStartupStepsTest::aboutIsModalBeforeTheConverterIsShown() {
    wexel::testing::TempFolder folder;
    copyDataFiles(folder);
    wexel::testing::RecordingMessageBox box;
    InstanceGuard guard(freshKey());
    std::vector<std::string> events;
    QPointer<QMainWindow> converter;
    QtStartupSteps steps(
        guard, [] { wexel::frmAbout::showModal(); },
        [&] {
            events.push_back("converter made");
            converter = new QMainWindow;
            return converter.data();
        });

    bool aboutWasModal = false;
    bool converterExistedDuringAbout = true;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        aboutWasModal = qobject_cast<wexel::frmAbout*>(modal) != nullptr && modal->isVisible();
        converterExistedDuringAbout = !converter.isNull();
        events.push_back("about shown");
        if (modal != nullptr) {
            QTest::keyClick(modal, Qt::Key_Return);
        }
    });
    FolderFacts facts(folder.path());
    QCOMPARE(wexel::Main(facts, steps), StartupResult::Running);
    QVERIFY(aboutWasModal);
    QVERIFY(!converterExistedDuringAbout);
    QCOMPARE(events, (std::vector<std::string>{"about shown", "converter made"}));
    QVERIFY(!converter.isNull());
    QVERIFY(converter->isVisible());
    QCOMPARE(steps.mainWindow(), converter.data());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(box.shown.empty());
    QCOMPARE(wexel::HelpFilePath(),
             (std::filesystem::path(folder.path()) / "WXConvert.hlp").string());
    delete converter.data();
}

void QtStartupStepsTest::dataErrorShowsNoWindow() {
    wexel::testing::TempFolder folder; // no data files
    wexel::testing::RecordingMessageBox box;
    InstanceGuard guard(freshKey());
    int abouts = 0;
    int converters = 0;
    QtStartupSteps steps(
        guard, [&] { ++abouts; },
        [&]() -> QWidget* {
            ++converters;
            return nullptr;
        });
    FolderFacts facts(folder.path());
    QCOMPARE(wexel::Main(facts, steps), StartupResult::Failed);
    QCOMPARE(abouts, 0);
    QCOMPARE(converters, 0);
    QCOMPARE(box.shown.size(), std::size_t(1));
    QVERIFY(box.shown[0].prompt.find("Location:  ModGlobals.Main") != std::string::npos);
}

void QtStartupStepsTest::secondInstanceShowsNothing() {
    wexel::testing::TempFolder folder; // no data files: none may be read
    wexel::testing::RecordingMessageBox box;
    InstanceGuard guard(freshKey()); // nobody answers
    int abouts = 0;
    int converters = 0;
    QtStartupSteps steps(
        guard, [&] { ++abouts; },
        [&]() -> QWidget* {
            ++converters;
            return nullptr;
        });
    FolderFacts facts(folder.path(), true);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(wexel::Main(facts, steps), StartupResult::SecondInstance);
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(abouts, 0);
    QCOMPARE(converters, 0);
    QVERIFY(box.shown.empty());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY(
        std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }));
}

void QtStartupStepsTest::raiseRequestBringsTheConverterBack() {
    InstanceGuard guard(freshKey());
    QVERIFY(guard.claim());
    QMainWindow window;
    QtStartupSteps steps(guard, {}, [&] { return &window; });
    steps.showConverter();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(window.isMinimized());

    QLocalSocket client;
    client.connectToServer(guard.key());
    QVERIFY(client.waitForConnected(1000));
    client.write("raise\n");
    QTRY_VERIFY(!window.isMinimized());
    QTRY_VERIFY(window.isActiveWindow());
}

void QtStartupStepsTest::raiseRequestDuringAboutKeepsAboutOnTop() {
    InstanceGuard guard(freshKey());
    QVERIFY(guard.claim());
    QtStartupSteps steps(guard, [] { wexel::frmAbout::showModal(); }, {});
    QLocalSocket client;
    bool answered = false;
    bool aboutActive = false;
    QTimer::singleShot(0, [&] {
        client.connectToServer(guard.key());
        client.write("raise\n");
    });
    QTimer::singleShot(0, [&] {
        // Let the request arrive inside the dialog's own loop.
        QDeadlineTimer deadline(2000);
        while (!client.canReadLine() && !deadline.hasExpired()) {
            QTest::qWait(10);
        }
        answered = client.readLine() == "raised 1\n";
        QWidget* modal = QApplication::activeModalWidget();
        aboutActive = qobject_cast<wexel::frmAbout*>(modal) != nullptr && modal->isActiveWindow();
        if (modal != nullptr) {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    steps.showAboutModal();
    QVERIFY(answered);
    QVERIFY(aboutActive);
}

QTEST_MAIN(QtStartupStepsTest)
#include "QtStartupStepsTest.moc"
