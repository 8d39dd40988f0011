#include "app/InstanceGuard.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wexel {

namespace {

const QByteArray kRequest = "raise\n";
const QByteArray kAnswer = "raised ";

#ifndef Q_OS_WIN

// A real folder (not a link), the user's own, closed to everyone else.
bool isPrivate(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

#endif

} // namespace

InstanceGuard::InstanceGuard(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            serve(socket);
        }
    });
}

InstanceGuard::~InstanceGuard() {
    server_.close();
#ifdef Q_OS_WIN
    if (lockHandle_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(static_cast<qintptr>(lockHandle_)));
    }
#else
    if (lockHandle_ >= 0) {
        ::close(lockHandle_);
    }
#endif
}

QString InstanceGuard::privateFolder() {
#ifdef Q_OS_WIN
    // The temporary folder of a Windows profile is the user's own.
    return QDir::tempPath();
#else
    const QString uid = QString::number(::getuid());
    const QString runtime = QStringLiteral("/run/user/") + uid;
    if (isPrivate(QFile::encodeName(runtime))) {
        return runtime;
    }
    const QString own = QStringLiteral("/tmp/wexel-converter-") + uid;
    const QByteArray path = QFile::encodeName(own);
    // Made only if missing; one that someone else made is refused below.
    (void)::mkdir(path.constData(), 0700);
    return isPrivate(path) ? own : QString();
#endif
}

QString InstanceGuard::lockFilePath() const {
    return folder_.isEmpty() ? QString() : folder_ + QStringLiteral("/wexel-converter.lock");
}

QString InstanceGuard::socketPath() const {
    return folder_.isEmpty() ? QString() : folder_ + QStringLiteral("/wexel-converter.socket");
}

bool InstanceGuard::claim() {
    if (claimed_) {
        return *claimed_;
    }
    claimed_ = true;
    if (folder_.isEmpty()) {
        return true; // no safe place: run unguarded
    }
#ifdef Q_OS_WIN
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(lockFilePath().utf16()),
                                 GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return true;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        CloseHandle(h);
        claimed_ = false;
        return false;
    }
    lockHandle_ = static_cast<int>(reinterpret_cast<qintptr>(h));
#else
    const int fd = ::open(QFile::encodeName(lockFilePath()).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        claimed_ = !held;
        return !held;
    }
    lockHandle_ = fd;
#endif
    // Only the lock holder gets here, so a socket under the name can only be
    // the leftover of an instance that ended without cleaning up.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath());
    return true;
}

std::optional<int> InstanceGuard::requestRaise(int timeoutMs) const {
    if (folder_.isEmpty()) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may hold the lock a moment before it listens.
    while (true) {
        socket.connectToServer(socketPath());
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

} // namespace wexel
