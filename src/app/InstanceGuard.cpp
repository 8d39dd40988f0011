#include "app/InstanceGuard.h"

#include "platform/AppFacts.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace wexel {

namespace {

const QByteArray kRequest = "raise\n";
const QByteArray kAnswer = "raised ";

} // namespace

InstanceGuard::InstanceGuard(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            serve(socket);
        }
    });
}

InstanceGuard::~InstanceGuard() {
    server_.close();
    if (lock_) {
        lock_->unlock();
    }
}

QString InstanceGuard::currentUser() {
#ifdef Q_OS_WIN
    wchar_t name[256];
    DWORD size = 256;
    if (GetUserNameW(name, &size) && size > 0) {
        return QString::fromWCharArray(name, static_cast<int>(size) - 1);
    }
    return QStringLiteral("unknown");
#else
    return QString::number(static_cast<qulonglong>(::getuid()));
#endif
}

QString InstanceGuard::keyFor(const QString& title, const QString& user) {
    // Hashed, so any title and user give a valid, short socket name.
    const QByteArray hash =
        QCryptographicHash::hash((title + QChar(0) + user).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(20);
    return QStringLiteral("wexel-converter-") + QString::fromLatin1(hash);
}

QString InstanceGuard::defaultKey() {
    return keyFor(QString::fromLatin1(kAppTitle), currentUser());
}

QString InstanceGuard::lockFilePath() const {
    return QDir(QDir::tempPath()).filePath(key_ + QStringLiteral(".lock"));
}

void InstanceGuard::listen() {
    // Only the lock holder gets here, so a socket under the name can only be
    // the leftover of a crashed instance.
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(key_);
}

bool InstanceGuard::claim() {
    if (claimed_) {
        return *claimed_;
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // The lock lasts as long as the instance runs: stale only when its
    // process is gone, never by age.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        listen();
        claimed_ = true;
        return true;
    }
    if (lock_->error() == QLockFile::LockFailedError) {
        claimed_ = false;
        return false;
    }
    // The lock file cannot be used at all (no temporary folder, no rights):
    // fall back to the server alone. An answering server means another
    // instance runs.
    QLocalSocket probe;
    probe.connectToServer(key_);
    if (probe.waitForConnected(200)) {
        probe.disconnectFromServer();
        claimed_ = false;
        return false;
    }
    lock_.reset();
    listen();
    claimed_ = true;
    return true;
}

std::optional<int> InstanceGuard::requestRaise(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may hold the lock a moment before it listens.
    while (true) {
        socket.connectToServer(key_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        socket.abort();
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        QThread::msleep(20);
    }
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
        return std::nullopt;
    }
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return std::nullopt;
        }
    }
    const QByteArray answer = socket.readLine().trimmed();
    socket.disconnectFromServer();
    if (!answer.startsWith(kAnswer.trimmed())) {
        return std::nullopt;
    }
    bool ok = false;
    const int served = answer.mid(kAnswer.size()).toInt(&ok);
    return ok ? std::optional<int>(served) : std::nullopt;
}

void InstanceGuard::serve(QLocalSocket* socket) {
    auto handle = [this, socket] {
        while (socket->canReadLine()) {
            if (socket->readLine() == kRequest) {
                ++served_;
                emit raiseRequested();
                socket->write(kAnswer + QByteArray::number(served_) + '\n');
                socket->flush();
            }
        }
        // Nobody but an instance of ours talks here; a client sending
        // anything else, or too much, is dropped.
        if (socket->bytesAvailable() > 64) {
            socket->abort();
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, handle);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    handle();
}

void raiseWindow(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace wexel
