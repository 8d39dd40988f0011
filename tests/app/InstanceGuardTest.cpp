// The single-instance guard with real processes of the program: one instance
// per user whatever the environment, and nobody else can block or fool it.
#include "app/InstanceGuard.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace wexel;

namespace {

// Starts the program with TMPDIR set to a folder of its own.
std::unique_ptr<QProcess> start(const QString& tmpdir) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmpdir);
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(QStringLiteral(WEXEL_PROGRAM), {});
    program->waitForStarted();
    return program;
}

// The answer of the running instance, polled for a while.
std::optional<int> ask(const InstanceGuard& guard, int seconds = 10) {
    QDeadlineTimer deadline(seconds * 1000);
    while (!deadline.hasExpired()) {
        if (const auto served = guard.requestRaise(300)) {
            return served;
        }
    }
    return std::nullopt;
}

void stop(QProcess& program) {
    program.kill();
    program.waitForFinished();
}

} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (InstanceGuard(InstanceGuard::privateFolder()).requestRaise(300)) {
            QSKIP("Wexel Converter runs for this user: the guard is in use");
        }
    }

    void secondStartRaisesTheFirstWhateverItsTmpdir() {
        QTemporaryDir a, b;
        const InstanceGuard probe;
        auto first = start(a.path());
        const auto served = ask(probe);
        QVERIFY2(served, "the first start did not become the running instance");
        auto second = start(b.path());
        QVERIFY2(second->waitForFinished(5000), "the second start did not end");
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(probe.requestRaise(), std::optional<int>(*served + 2)); // raised once by it
        QCOMPARE(first->state(), QProcess::Running);
        stop(*first);
    }

    void aCrashOrAnEmptyLockFileBlocksNothing() {
        const InstanceGuard probe;
        auto crashed = start(QDir::tempPath());
        QVERIFY(ask(probe));
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL); // leaves lock file and socket
        crashed->waitForFinished();
        QFile(probe.lockFilePath()).resize(0);
        auto next = start(QDir::tempPath());
        QVERIFY2(ask(probe), "the next start did not take over");
        stop(*next);
    }

    void aFolderSomeoneElsePlantedIsNotUsed() {
        const QString own = QStringLiteral("/tmp/wexel-converter-") + QString::number(::getuid());
        if (InstanceGuard::privateFolder() != own) {
            QSKIP("the per-user runtime folder holds the guard: nobody else can write there");
        }
        if (::geteuid() != 0) {
            QSKIP("only root can plant a folder owned by another user");
        }
        const auto removePlanted = [&] {
            QFile::remove(own);
            QDir(own).removeRecursively();
        };
        removePlanted();
        // Whatever fails below, no planted folder outlives the test to stop later starts.
        const auto cleanUp = qScopeGuard(removePlanted);
        for (const bool asLink : {false, true}) {
            if (asLink) {
                QVERIFY(QFile::link(QStringLiteral("/tmp"), own));
            } else {
                QVERIFY(QDir().mkdir(own));
                QVERIFY(::chown(QFile::encodeName(own).constData(), 65534, 65534) == 0);
                QVERIFY(::chmod(QFile::encodeName(own).constData(), 0777) == 0);
            }
            QCOMPARE(InstanceGuard::privateFolder(), QString());
            // The program runs unguarded rather than not at all.
            auto program = start(QDir::tempPath());
            QTest::qWait(2000);
            QCOMPARE(program->state(), QProcess::Running);
            stop(*program);
            if (!asLink) {
                QCOMPARE(QDir(own).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                         QStringList());
            }
            removePlanted();
        }
    }
};

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "InstanceGuardTest.moc"
