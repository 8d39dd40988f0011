// Whole sessions at the converter window on the shipped sample data: a long
// run of random user input that must never leave a result label in a state
// the window cannot show, and a full session that must leave the data files
// exactly as they were.
#include "app/ModGlobals.h"
#include "engine/ModMath.h"
#include "support/TestSupport.h"
#include "tiers/DataFiles.h"
#include "ui/converter/HelpCommands.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"
#include "ui/converter/frmQConverter.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QRegularExpression>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

using wexel::frmQConverter;
using wexel::QtResultLabel;
using wexel::QtTextField;
using wexel::testing::RecordingErrorReporter;
using wexel::testing::RecordingMessageBox;
using wexel::testing::TempFolder;

namespace {

const char* const kDataFiles[] = {"vqcsname.dat", "vqcslope.dat", "WXConvert.hlp"};

// The frame of the unit shown, or nullptr while none is.
QFrame* visibleFrame(frmQConverter& window) {
    for (const char* name : {"fraMSU", "FraMSG", "fraENG"}) {
        auto* frame = window.findChild<QFrame*>(QString::fromLatin1(name));
        if (frame != nullptr && frame->isVisible()) {
            return frame;
        }
    }
    return nullptr;
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void randomInputNeverLeavesABadResult();
    void aFullSessionNeverWritesTheDataFiles();
};

void SessionTest::randomInputNeverLeavesABadResult() {
    RecordingMessageBox box;
    RecordingErrorReporter errors;
    wexel::LoadDataFiles(WEXEL_DATA_DIR);
    frmQConverter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* cbo = window.findChild<QComboBox*>(QStringLiteral("cboConversionType"));
    QVERIFY(cbo != nullptr && cbo->count() > 1);

    const unsigned seed = 20261207;
    std::mt19937 random(seed);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const QString typed = QStringLiteral("0123456789-+abcxyzE .,");
    const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
    const QRegularExpression plainCapacity(QStringLiteral("^[0-9]{1,8}$"));
    const QString longText = QString(300, QLatin1Char('9')) + QStringLiteral("E9.5,-x");

    const int events = 20000;
    int compared = 0;
    QElapsedTimer clock;
    clock.start();
    for (int event = 0; event < events; ++event) {
        QFrame* frame = visibleFrame(window);
        const int action = between(0, 99);
        QString what;
        if (action < 3 || frame == nullptr) {
            const int index = between(0, cbo->count() - 1);
            what = "choose " + cbo->itemText(index);
            cbo->setCurrentIndex(index);
        } else {
            const QList<QtTextField*> fields = frame->findChildren<QtTextField*>();
            QVERIFY(fields.size() == 8);
            QtTextField* field = fields[between(0, static_cast<int>(fields.size()) - 1)];
            if (!field->hasFocus()) {
                field->setFocus(Qt::OtherFocusReason);
            }
            what = field->objectName() + " ";
            if (action < 8) {
                field->selectAll();
                field->insert(longText); // a paste over the whole text
                what += "paste";
            } else if (action < 14) {
                const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab,
                                        Qt::Key_Home, Qt::Key_End};
                const Qt::Key key = keys[between(0, 4)];
                QTest::keyClick(field, key);
                what += QString::number(key, 16);
            } else {
                const QChar c = typed[between(0, static_cast<int>(typed.size()) - 1)];
                QTest::keyClick(field, c.toLatin1());
                what += c;
            }
        }

        frame = visibleFrame(window);
        if (frame == nullptr) {
            continue;
        }
        for (QtResultLabel* label : frame->findChildren<QtResultLabel*>()) {
            const QString text = label->text();
            QVERIFY2(text == QLatin1String("ERR") || whole.match(text).hasMatch(),
                     qPrintable(QStringLiteral("event %1 (%2): %3 shows \"%4\"")
                                    .arg(event)
                                    .arg(what, label->objectName(), text)));
        }
        if (cbo->currentIndex() > 0) {
            auto* capacity =
                frame->findChildren<QtTextField*>(QRegularExpression("^txt...toWX_...$")).value(0);
            auto* wexels =
                frame->findChildren<QtResultLabel*>(QRegularExpression("^lbl...toWX_WX$")).value(0);
            QVERIFY(capacity != nullptr && wexels != nullptr);
            if (plainCapacity.match(capacity->text()).hasMatch()) {
                const double required =
                    wexel::MSU2WX(capacity->text().toStdString(), cbo->currentText().toStdString());
                const QString expected = QString::number(wexel::roundUp(required));
                ++compared;
                QVERIFY2(wexels->text() == expected,
                         qPrintable(QStringLiteral("event %1 (%2): %3 for %4 shows %5, not %6")
                                        .arg(event)
                                        .arg(what, cbo->currentText(), capacity->text(),
                                             wexels->text(), expected)));
            }
        }
    }
    qInfo("%d events in %lld ms, %zu messages, %d results compared", events,
          static_cast<long long>(clock.elapsed()), box.shown.size(), compared);
    QVERIFY(compared > events / 10);
    QVERIFY(errors.reports.empty());
    wexel::SlopeTable().clear();
}

void SessionTest::aFullSessionNeverWritesTheDataFiles() {
    namespace fs = std::filesystem;
    TempFolder folder;
    struct Before {
        fs::path path;
        std::string bytes;
        fs::file_time_type modified;
    };
    std::vector<Before> before;
    for (const char* name : kDataFiles) {
        const fs::path path = fs::path(folder.path()) / name;
        fs::copy_file(fs::path(WEXEL_DATA_DIR) / name, path);
        // An old time, so that any write would move it visibly.
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24));
        before.push_back({path, fileBytes(path), fs::last_write_time(path)});
    }

    RecordingMessageBox box;
    RecordingErrorReporter errors;
    wexel::HelpFilePath() = folder.file("WXConvert.hlp");
    wexel::LoadDataFiles(folder.path());
    wexel::HelpViewerPort help;
    wexel::HelpMenu menu(help);
    auto window = std::make_unique<frmQConverter>(wexel::helpMenuCommands(menu));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    auto* cbo = window->findChild<QComboBox*>(QStringLiteral("cboConversionType"));
    for (int index = 0; index < cbo->count(); ++index) {
        cbo->setCurrentIndex(index);
        QFrame* frame = visibleFrame(*window);
        QVERIFY(frame != nullptr);
        for (QtTextField* field : frame->findChildren<QtTextField*>()) {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("25"));
        }
    }
    for (const char* action : {"mnuHowDoI", "mnuWindowHelp", "mnuIndex", "mnuContact"}) {
        auto* item = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(item != nullptr, action);
        item->trigger();
        QCoreApplication::processEvents();
    }
    QVERIFY(window->close());
    window.reset();
    QCoreApplication::processEvents();

    QVERIFY(errors.reports.empty());
    for (const Before& file : before) {
        QVERIFY2(fileBytes(file.path) == file.bytes, file.path.c_str());
        QVERIFY2(fs::last_write_time(file.path) == file.modified, file.path.c_str());
    }
    QCOMPARE(static_cast<int>(
                 std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator())),
             3); // nothing new beside them
    wexel::SlopeTable().clear();
}

QTEST_MAIN(SessionTest)
#include "SessionTest.moc"
