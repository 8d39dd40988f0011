#pragma once
// The single-instance guard: one running instance per user and machine.
//
// The running instance holds a lock on a file and listens on a local socket,
// both in a folder that only the user can write (see privateFolder()), so no
// other user can block the lock or answer in the instance's place, and the
// environment (TMPDIR and the like) has no say in where they are. A starting
// process that cannot take the lock is a second instance: it asks the running
// one over the socket to raise its window, and ends. The lock is the system's
// own file lock, released when its process ends however it ends, so a crashed
// instance never blocks the next start. Where no private folder can be had,
// the guard stands aside and the program runs unguarded rather than not at all.
//
// Protocol: the client sends "raise\n"; the running instance raises its
// window and answers "raised N\n", N counting the requests it has served.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <optional>

class QLocalSocket;
class QWidget;

namespace wexel {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // `folder` holds the lock and the socket; by default privateFolder().
    explicit InstanceGuard(QString folder = privateFolder(), QObject* parent = nullptr);
    ~InstanceGuard() override;

    // The user's own folder for the lock and the socket: the per-user runtime
    // folder that the system keeps (/run/user/UID), else /tmp/wexel-converter-UID,
    // made 0700 if missing. A folder is taken only if it is a real folder
    // (not a link) owned by the user and closed to everyone else. Empty when
    // no such folder can be had.
    static QString privateFolder();

    QString lockFilePath() const;
    QString socketPath() const;

    // Makes this process the running instance: takes the lock and listens.
    // False only when another instance runs; true also when the guard cannot
    // work at all. Called once; later calls repeat the first answer.
    bool claim();

    // Asks the running instance to raise its window. Returns the number its
    // answer carries, or nothing when no instance answered within `timeoutMs`.
    std::optional<int> requestRaise(int timeoutMs = 600) const;

signals:
    // A second instance asked for the window to come to the front.
    void raiseRequested();

private:
    void serve(QLocalSocket* socket);

    QString folder_;
    int lockHandle_ = -1; // the open, locked lock file
    QLocalServer server_;
    std::optional<bool> claimed_;
    int served_ = 0;
};

} // namespace wexel
