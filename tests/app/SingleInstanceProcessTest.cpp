// Two real processes of the program: the second start raises the first and
// ends at once.

#include "app/InstanceGuard.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <memory>

using wexel::InstanceGuard;

class SingleInstanceProcessTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void secondStartRaisesTheFirstAndEndsAtOnce();
    void crashedInstanceDoesNotBlockTheNextStart();

private:
    std::unique_ptr<QProcess> start(const QString& program);
    bool waitUntilListening(QProcess& process, int timeoutMs);
    void stop(std::unique_ptr<QProcess>& process);

    std::unique_ptr<QProcess> first_;
};

namespace {

const QString kProgram = QStringLiteral(WEXEL_PROGRAM);

} // namespace

void SingleInstanceProcessTest::initTestCase() {
    QVERIFY2(QFileInfo(kProgram).isExecutable(), qPrintable(kProgram));
    // An instance that runs already would answer in place of ours.
    QLocalSocket probe;
    probe.connectToServer(InstanceGuard::defaultKey());
    if (probe.waitForConnected(200)) {
        QSKIP("Wexel Converter is running for this user; close it to run this test");
    }
}

std::unique_ptr<QProcess> SingleInstanceProcessTest::start(const QString& program) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setWorkingDirectory(QDir::tempPath());
    process->start();
    return process;
}

bool SingleInstanceProcessTest::waitUntilListening(QProcess& process, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        QLocalSocket probe;
        probe.connectToServer(InstanceGuard::defaultKey());
        if (probe.waitForConnected(100)) {
            probe.disconnectFromServer();
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

void SingleInstanceProcessTest::stop(std::unique_ptr<QProcess>& process) {
    if (process && process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
    }
    process.reset();
}

void SingleInstanceProcessTest::cleanup() {
    stop(first_);
    // A killed instance leaves its socket and lock behind; the next start
    // would clear them, but leave nothing of ours around.
    InstanceGuard leftover;
    QLocalServer::removeServer(leftover.key());
    QFile::remove(leftover.lockFilePath());
}

void SingleInstanceProcessTest::secondStartRaisesTheFirstAndEndsAtOnce() {
    // The first instance starts beside its data files and waits in the
    // About dialog.
    first_ = start(kProgram);
    QVERIFY(first_->waitForStarted(5000));
    QVERIFY2(waitUntilListening(*first_, 15000), "the first instance does not listen");

    // The second lies in a folder without data or help files: it must end
    // before it would look for them.
    wexel::testing::TempFolder folder;
    const QString copy = QDir(QString::fromStdString(folder.path())).filePath("wexel-converter");
    QVERIFY(QFile::copy(kProgram, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::permissions(kProgram)));

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProcess> second = start(copy);
    QVERIFY(second->waitForFinished(5000));
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    // Nothing was shown or reported: an error box would have kept it waiting,
    // and it wrote nothing.
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QVERIFY(first_->state() == QProcess::Running);

    // The first instance has served exactly that one request: ours is the
    // second it answers.
    const std::optional<int> served = InstanceGuard().requestRaise(2000);
    QVERIFY(served.has_value());
    QCOMPARE(*served, 2);
}

void SingleInstanceProcessTest::crashedInstanceDoesNotBlockTheNextStart() {
    first_ = start(kProgram);
    QVERIFY(first_->waitForStarted(5000));
    QVERIFY(waitUntilListening(*first_, 15000));
    InstanceGuard names;
    first_->kill(); // no clean-up: lock and socket stay behind
    QVERIFY(first_->waitForFinished(5000));
    QVERIFY(QFile::exists(names.lockFilePath()));

    // The next start runs as the instance: it listens and answers.
    first_ = start(kProgram);
    QVERIFY(first_->waitForStarted(5000));
    QVERIFY2(waitUntilListening(*first_, 15000), "the next start does not run");
    const std::optional<int> served = InstanceGuard().requestRaise(2000);
    QVERIFY(served.has_value());
    QCOMPARE(*served, 1);
}

QTEST_GUILESS_MAIN(SingleInstanceProcessTest)
#include "SingleInstanceProcessTest.moc"
