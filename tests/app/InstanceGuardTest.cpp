#include "app/InstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using wexel::InstanceGuard;

class InstanceGuardTest : public QObject {
    Q_OBJECT
private slots:
    void keyComesFromTitleAndUser();
    void defaultKeyIsTheProgramsTitleAndThisUser();
    void firstClaimRunsTheInstance();
    void secondClaimFindsTheRunningInstance();
    void claimIsAnsweredOnce();
    void raiseRequestReachesTheRunningInstance();
    void raiseWithoutRunningInstanceReturnsNothingInTime();
    void endedInstanceFreesTheName();
    void staleSocketIsRemoved();
    void strangerTalkIsIgnored();
    void raiseWindowRestoresAMinimisedWindow();
    void raiseWindowAcceptsNoWindow();
};

namespace {

QString freshKey() {
    return InstanceGuard::keyFor(
        QStringLiteral("guard test %1").arg(QRandomGenerator::global()->generate64()),
        InstanceGuard::currentUser());
}

} // namespace

void InstanceGuardTest::keyComesFromTitleAndUser() {
    const QString key = InstanceGuard::keyFor(QStringLiteral("Wexel Converter"), "1000");
    QCOMPARE(key, InstanceGuard::keyFor(QStringLiteral("Wexel Converter"), "1000"));
    QVERIFY(key != InstanceGuard::keyFor(QStringLiteral("Wexel Converter"), "1001"));
    QVERIFY(key != InstanceGuard::keyFor(QStringLiteral("Other Title"), "1000"));
    // Short and made of safe characters, whatever the title holds.
    const QString odd = InstanceGuard::keyFor(QStringLiteral("a/b\\c: d*?"), "x y");
    QVERIFY(odd.size() < 60);
    for (QChar c : odd) {
        QVERIFY(c.isLetterOrNumber() || c == QLatin1Char('-'));
    }
}

void InstanceGuardTest::defaultKeyIsTheProgramsTitleAndThisUser() {
    QCOMPARE(InstanceGuard::defaultKey(), InstanceGuard::keyFor(QStringLiteral("Wexel Converter"),
                                                                InstanceGuard::currentUser()));
    QVERIFY(!InstanceGuard::currentUser().isEmpty());
    InstanceGuard guard;
    QCOMPARE(guard.key(), InstanceGuard::defaultKey());
}

void InstanceGuardTest::firstClaimRunsTheInstance() {
    InstanceGuard guard(freshKey());
    QVERIFY(guard.claim());
    QVERIFY(guard.isRunningInstance());
    QVERIFY(guard.isListening());
    QVERIFY(QFile::exists(guard.lockFilePath()));
}

void InstanceGuardTest::secondClaimFindsTheRunningInstance() {
    const QString key = freshKey();
    InstanceGuard first(key);
    QVERIFY(first.claim());
    InstanceGuard second(key);
    QVERIFY(!second.claim());
    QVERIFY(!second.isRunningInstance());
    QVERIFY(!second.isListening());
}

void InstanceGuardTest::claimIsAnsweredOnce() {
    const QString key = freshKey();
    InstanceGuard first(key);
    QVERIFY(first.claim());
    QVERIFY(first.claim());
    InstanceGuard second(key);
    QVERIFY(!second.claim());
    QVERIFY(!second.claim());
}

void InstanceGuardTest::raiseRequestReachesTheRunningInstance() {
    const QString key = freshKey();
    InstanceGuard first(key);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &InstanceGuard::raiseRequested);

    // The request blocks this thread, so answer from a client socket by hand.
    QLocalSocket client;
    client.connectToServer(key);
    QVERIFY(client.waitForConnected(1000));
    client.write("raise\n");
    QTRY_COMPARE(raised.count(), 1);
    QTRY_VERIFY(client.canReadLine());
    QCOMPARE(client.readLine(), QByteArray("raised 1\n"));
    client.write("raise\n");
    QTRY_COMPARE(raised.count(), 2);
    QTRY_VERIFY(client.canReadLine());
    QCOMPARE(client.readLine(), QByteArray("raised 2\n"));
}

void InstanceGuardTest::raiseWithoutRunningInstanceReturnsNothingInTime() {
    InstanceGuard nobody(freshKey());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!nobody.requestRaise(300).has_value());
    QVERIFY(clock.elapsed() < 900);
}

void InstanceGuardTest::endedInstanceFreesTheName() {
    const QString key = freshKey();
    {
        InstanceGuard first(key);
        QVERIFY(first.claim());
    }
    InstanceGuard next(key);
    QVERIFY(next.claim());
    QVERIFY(next.isListening());
}

void InstanceGuardTest::staleSocketIsRemoved() {
#ifdef Q_OS_UNIX
    // A crash leaves the socket file behind: a file under the server's name.
    const QString key = freshKey();
    const QString socketPath = QDir(QDir::tempPath()).filePath(key);
    {
        QFile leftover(socketPath);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
    }
    InstanceGuard guard(key);
    QVERIFY(guard.claim());
    QVERIFY(guard.isListening());
#else
    QSKIP("local server names are no files here");
#endif
}

void InstanceGuardTest::strangerTalkIsIgnored() {
    const QString key = freshKey();
    InstanceGuard first(key);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &InstanceGuard::raiseRequested);
    QLocalSocket client;
    client.connectToServer(key);
    QVERIFY(client.waitForConnected(1000));
    client.write("hello\nraise please\n");
    client.write(QByteArray(200, 'x'));
    QTRY_VERIFY(client.state() == QLocalSocket::UnconnectedState);
    QCOMPARE(raised.count(), 0);
}

void InstanceGuardTest::raiseWindowRestoresAMinimisedWindow() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(window.isMinimized());
    wexel::raiseWindow(&window);
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
    QTRY_VERIFY(window.isActiveWindow());
}

void InstanceGuardTest::raiseWindowAcceptsNoWindow() {
    wexel::raiseWindow(nullptr);
}

QTEST_MAIN(InstanceGuardTest)
#include "InstanceGuardTest.moc"
