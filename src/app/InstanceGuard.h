#pragma once
// The single-instance guard on local sockets. The running instance holds a
// lock file and listens on a local server, both named from the application
// title and the user. A starting process that cannot take the lock is a
// second instance: it asks the running one, over the server, to raise its
// window, and ends.
//
// Protocol: the client sends "raise\n"; the running instance raises its
// window and answers "raised N\n", N counting the requests it has served.
// A lock left by a crashed instance is stale (its process is gone) and is
// taken over, and the dead server's socket is removed before listening.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;
class QLocalSocket;
class QWidget;

namespace wexel {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // `key` names the lock file and the server; by default defaultKey().
    explicit InstanceGuard(QString key = defaultKey(), QObject* parent = nullptr);
    ~InstanceGuard() override;

    // Derived from the application title and the user running the program.
    static QString defaultKey();
    static QString keyFor(const QString& title, const QString& user);
    // The user the process runs as: a user id or account name, never read
    // from the environment.
    static QString currentUser();

    const QString& key() const { return key_; }
    QString lockFilePath() const;

    // Makes this process the running instance: takes the lock and listens.
    // False when another instance runs. Called once; later calls repeat the
    // first answer.
    bool claim();
    bool isRunningInstance() const { return claimed_ && *claimed_; }
    bool isListening() const { return server_.isListening(); }

    // Asks the running instance to raise its window. Returns the number its
    // answer carries, or nothing when no instance answered within `timeoutMs`.
    std::optional<int> requestRaise(int timeoutMs = 600) const;

signals:
    // A second instance asked for the window to come to the front.
    void raiseRequested();

private:
    void listen();
    void serve(QLocalSocket* socket);

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    std::optional<bool> claimed_;
    int served_ = 0;
};

// Brings a window to the front: restores it when minimised, shows, raises
// and activates it.
void raiseWindow(QWidget* window);

} // namespace wexel
