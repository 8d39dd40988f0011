#pragma once
// The single-instance guard: one running instance per user and machine.
//
// The running instance holds a lock on a file and listens on a local socket,
// both in a folder that only the user can write (see isPrivateFolder()), so no
// other user can block the lock or answer in the instance's place. A starting
// process that cannot take the lock is a second instance: it asks the running
// one over the socket to raise its window, and ends. The lock is the system's
// own file lock, released when its process ends however it ends, so a crashed
// instance never blocks the next start. Where the folder is not private or
// the lock cannot be made, the guard stands aside and says why: the program
// runs unguarded rather than not at all.
//
// On Windows the lock is a file held open without write sharing, in the
// user's local application data, and the socket is a named pipe whose random
// name the lock file holds (InstanceGuardWindows.cpp).
//
// Protocol: the client sends "raise\n"; the running instance raises its
// window and answers "raised N\n", N counting the requests it has served.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <optional>

class QLocalSocket;

namespace wexel {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // `folder` holds the lock and the socket; the program passes defaultFolder().
    explicit InstanceGuard(QString folder, QObject* parent = nullptr);
    ~InstanceGuard() override;

    // Where every start of the user finds the others, whatever its environment
    // and whether or not the system keeps a runtime folder for the user at
    // the moment: a folder in the user's home as the password database names
    // it, made 0700 if missing. Where the home cannot hold it,
    // /tmp/wexel-converter-UID. Empty when neither can be made.
    static QString defaultFolder();
    // Whether the lock file can be made (or opened) in `folder`.
    static bool lockCanBeMade(const QString& folder);

    // True for a real folder (not a link) owned by `uid` and closed to
    // everyone else, below folders that no one but `uid` and root can change.
    static bool isPrivateFolder(const QString& folder, unsigned uid);

    QString lockFilePath() const;
    QString socketPath() const;

    // Makes this process the running instance: takes the lock and listens.
    // False only when another instance runs; true also when the guard cannot
    // work at all (no private folder). Called once; later calls repeat the
    // first answer.
    bool claim();
    // Why claim() let this process run unguarded; empty when it guards.
    QString unguardedBecause() const { return unguardedBecause_; }

    // Where the running instance runs, as it wrote in its lock file: "process
    // N, shown by Qt's xcb platform on display :0"; empty when unknown.
    QString runningInstance() const;

    // Asks the running instance to raise its window. Returns the number its
    // answer carries, or nothing when no instance answered within `timeoutMs`.
    std::optional<int> requestRaise(int timeoutMs = 600) const;

signals:
    // A second instance asked for the window to come to the front.
    void raiseRequested();

private:
    void serve(QLocalSocket* socket);
    static QString hostPart();
    // Lets the instance at the other end of `socket` bring its window to the
    // front, where the system allows only the process in front to do so.
    static void allowForeground(const QLocalSocket& socket);
    // Closes the lock file's handle, which releases the lock.
    static void closeLock(qintptr handle);

    QString folder_;
    qintptr lockHandle_ = -1; // the open, locked lock file
#ifdef _WIN32
    QString serverName_; // the pipe this instance listens on
#endif
    QLocalServer server_;
    std::optional<bool> claimed_;
    QString unguardedBecause_;
    int served_ = 0;
};

} // namespace wexel
