// The single-instance guard: where every start of a user looks, which folders
// it trusts, and real processes of the program, each test run with a folder
// of its own so that a copy the user has open changes nothing.
#include "desktop/InstanceGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

using namespace wexel;

namespace {

// Starts the program with its guard in `folder`.
std::unique_ptr<QProcess>
start(const QString& folder, QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels) {
    auto program = std::make_unique<QProcess>();
    program->setProcessChannelMode(channels);
    program->start(QStringLiteral(WEXEL_GUARDED_PROGRAM), {folder});
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

bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// A user id that the password database does not know (so it has no home) and
// that has no fallback folder yet.
uid_t homelessUid() {
    uid_t uid = 3000000000U;
    while (::getpwuid(uid) != nullptr ||
           QFileInfo::exists(QStringLiteral("/tmp/wexel-converter-") + QString::number(uid))) {
        ++uid;
    }
    return uid;
}

// defaultFolder() as the user `uid` finds it, in a child that becomes that user.
QString defaultFolderOf(uid_t uid) {
    int out[2];
    if (::pipe(out) != 0) {
        return QStringLiteral("(no pipe)");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0) {
            ::_exit(2);
        }
        const QByteArray folder = InstanceGuard::defaultFolder().toUtf8();
        const bool written = ::write(out[1], folder.constData(), folder.size()) == folder.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(out[1]);
    QByteArray folder;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
        folder.append(buffer, n);
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(folder)
                                                         : QStringLiteral("(child failed)");
}

} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void everyStartOfTheUserLooksInOneFolderWhateverItsEnvironment() {
        // In the user's home, where the README says the lock lies.
        const QString folder = InstanceGuard::defaultFolder();
        QVERIFY(InstanceGuard::isPrivateFolder(folder, ::getuid()));
        QVERIFY2(folder.endsWith(QStringLiteral("/.local/state/wexel-converter")),
                 qPrintable(folder));
        QTemporaryDir elsewhere;
        for (const char* variable : {"HOME", "TMPDIR", "XDG_RUNTIME_DIR", "XDG_STATE_HOME"}) {
            const QByteArray saved = qgetenv(variable);
            qputenv(variable, QFile::encodeName(elsewhere.path()));
            QCOMPARE(InstanceGuard::defaultFolder(), folder);
            saved.isNull() ? qunsetenv(variable) : qputenv(variable, saved);
        }
    }

    void aUserWithoutAHomeUsesAFolderOfTheirOwnInTmp() {
        if (::geteuid() != 0) {
            QSKIP("becoming a user without a home needs root; run as root to cover the /tmp "
                  "fallback");
        }
        const uid_t uid = homelessUid();
        const QString own = QStringLiteral("/tmp/wexel-converter-") + QString::number(uid);
        const auto removed = qScopeGuard([&] { QDir().rmdir(own); });
        // One another user made first: not trusted, so the program runs unguarded.
        QVERIFY(QDir().mkdir(own) && setMode(own, 0700));
        QCOMPARE(defaultFolderOf(uid), QString());
        QVERIFY(QDir().rmdir(own));
        // Otherwise the user's own, made closed to everyone else.
        QCOMPARE(defaultFolderOf(uid), own);
        QVERIFY(InstanceGuard::isPrivateFolder(own, uid));
    }

    void onlyAFolderNoOneElseCanChangeIsTrusted() {
        QTemporaryDir base; // 0700, in the sticky /tmp or the user's own folder
        const QString own = base.filePath(QStringLiteral("own"));
        QVERIFY(QDir().mkdir(own) && setMode(own, 0700));
        const QString open = base.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkdir(open) && setMode(open, 0755));
        const QString readable = base.filePath(QStringLiteral("readable"));
        QVERIFY(QDir().mkdir(readable) && setMode(readable, 0705));
        const QString link = base.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(own, link));
        const QString file = base.filePath(QStringLiteral("file"));
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        const QString shared = base.filePath(QStringLiteral("shared")); // others may write here
        const QString below = shared + QStringLiteral("/own");
        QVERIFY(QDir().mkpath(below) && setMode(below, 0700) && setMode(shared, 0777));
        const unsigned me = ::getuid();
        const struct {
            QString folder;
            unsigned uid;
            bool trusted;
        } cases[] = {
            {own, me, true},
            {own, me + 1, false},  // another user's folder
            {open, me, false},     // the user's own, but others may look in
            {readable, me, false}, // others may read it, though not its group
            {link, me, false},
            {file, me, false},
            {below, me, false},
            {base.filePath(QStringLiteral("missing")), me, false},
            {QStringLiteral("relative"), me, false},
            {QString(), me, false},
        };
        for (const auto& c : cases) {
            QVERIFY2(InstanceGuard::isPrivateFolder(c.folder, c.uid) == c.trusted,
                     qPrintable(c.folder));
        }
        setMode(shared, 0700);
    }

    void aSecondStartRaisesTheFirstAndEnds() {
        QTemporaryDir folder;
        const InstanceGuard probe(folder.path());
        // The first started with its standard error closed, as a launcher may:
        // it runs all the same, its standard error the null device.
        auto first = std::make_unique<QProcess>();
        first->setProcessChannelMode(QProcess::ForwardedChannels);
        first->start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$1\" 2>&-"),
                      QStringLiteral(WEXEL_GUARDED_PROGRAM), folder.path()});
        QVERIFY(first->waitForStarted());
        const auto served = ask(probe);
        QVERIFY2(served, "the first start did not become the running instance");
        QVERIFY(*served >= 1); // it counts the request it answered
        QCOMPARE(QFile::symLinkTarget(QStringLiteral("/proc/%1/fd/2").arg(first->processId())),
                 QStringLiteral("/dev/null"));
        auto second = start(folder.path(), QProcess::SeparateChannels);
        QVERIFY2(second->waitForFinished(30000), "the second start did not end");
        QCOMPARE(second->exitCode(), 0);
        // It says where the first runs, which may be a display the user cannot see.
        const QByteArray said = second->readAllStandardError();
        QVERIFY(said.contains(
            QStringLiteral("wexel-converter: Wexel Converter is already running (process %1, "
                           "shown by Qt's offscreen platform")
                .arg(first->processId())
                .toUtf8()));
        QVERIFY(said.contains("its window was brought to the front"));
        QCOMPARE(probe.requestRaise(), std::optional<int>(*served + 2)); // raised once by it
        QCOMPARE(first->state(), QProcess::Running);
        stop(*first);
    }

    void aCrashOrAnEmptyLockFileBlocksNothing() {
        QTemporaryDir folder;
        const InstanceGuard probe(folder.path());
        auto crashed = start(folder.path());
        QVERIFY(ask(probe));
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL); // leaves lock file and socket
        crashed->waitForFinished();
        QFile(probe.lockFilePath()).resize(0);
        auto next = start(folder.path());
        QVERIFY2(ask(probe), "the next start did not take over");
        stop(*next);
    }

    void withoutAPrivateFolderTheProgramRunsUnguardedAndSaysWhy() {
        QTemporaryDir folder;
        QVERIFY(setMode(folder.path(), 0777));
        std::unique_ptr<QProcess> programs[2];
        for (auto& program : programs) {
            program = start(folder.path(), QProcess::SeparateChannels);
            program->setReadChannel(QProcess::StandardError);
            const QByteArray line = "wexel-converter: Wexel Converter cannot make sure that only "
                                    "one copy of it runs: " +
                                    QFile::encodeName(folder.path()) +
                                    " is not a folder that only you can change. This copy runs "
                                    "on its own.\n";
            const QDeadlineTimer deadline(30000);
            QByteArray said;
            while (!said.contains(line) &&
                   program->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                said += program->readAllStandardError();
            }
            QVERIFY2(said.contains(line), said.constData());
        }
        // Each has said so and shows its windows: neither gave way to the other.
        for (auto& program : programs) {
            QCOMPARE(program->state(), QProcess::Running);
            stop(*program);
        }
        // Nothing was left in a folder others could have planted.
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        setMode(folder.path(), 0700);
    }
};

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "InstanceGuardTest.moc"
