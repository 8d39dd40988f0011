#include "desktop/InstanceGuard.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wexel {

namespace {

const QByteArray kRequest = "raise\n";
const QByteArray kAnswer = "raised ";

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
    if (lockHandle_ >= 0) {
        closeLock(lockHandle_);
    }
}

// The machine's name as a file name: a home shared between machines holds
// one instance of each.
QString InstanceGuard::hostPart() {
    QString host = QSysInfo::machineHostName();
    for (QChar& c : host) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != QLatin1Char('-') &&
            c != QLatin1Char('.')) {
            c = QLatin1Char('_');
        }
    }
    return host.isEmpty() ? QStringLiteral("localhost") : host;
}

#ifndef _WIN32
namespace {

QString homeFolder() {
    // The password database, not $HOME: every start of the user agrees on it.
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return {};
    }
    return QFile::decodeName(found->pw_dir);
}

// Makes the folders of `path` below `base` that are missing, closed to others.
void makeFolders(const QString& base, const QString& path) {
    QString made = base;
    for (const QString& part : path.mid(base.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        made += QLatin1Char('/') + part;
        (void)::mkdir(QFile::encodeName(made).constData(), 0700);
    }
}

} // namespace

void InstanceGuard::closeLock(qintptr handle) {
    ::close(static_cast<int>(handle));
}

QString InstanceGuard::defaultFolder() {
    const unsigned uid = ::getuid();
    const QString home = homeFolder();
    if (home.startsWith(QLatin1Char('/'))) {
        QString folder = QDir::cleanPath(home) + QStringLiteral("/.local/state/wexel-converter");
        makeFolders(QDir::cleanPath(home), folder);
        // A home whose folder cannot hold the lock (a read-only or full disc,
        // something else in its place) hands over to the next place.
        if (isPrivateFolder(folder, uid) && lockCanBeMade(folder)) {
            return folder;
        }
    }
    const QString own = QStringLiteral("/tmp/wexel-converter-") + QString::number(uid);
    makeFolders(QStringLiteral("/tmp"), own);
    return isPrivateFolder(own, uid) ? own : QString();
}

bool InstanceGuard::lockCanBeMade(const QString& folder) {
    const InstanceGuard probe(folder);
    const int fd = ::open(QFile::encodeName(probe.lockFilePath()).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool InstanceGuard::isPrivateFolder(const QString& folder, unsigned uid) {
    const QFileInfo info(folder);
    if (!info.isAbsolute() || info.fileName().isEmpty()) {
        return false;
    }
    struct stat st {};
    // The folder itself: no link, the user's own, closed to group and others.
    if (::lstat(QFile::encodeName(info.absoluteFilePath()).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode) || st.st_uid != uid || (st.st_mode & 077) != 0) {
        return false;
    }
    // Every folder above it, links resolved: changed by no one but the user and
    // root (a sticky folder, such as /tmp, keeps the entries of others apart).
    QString above = info.canonicalPath();
    while (true) {
        if (above.isEmpty() || ::stat(QFile::encodeName(above).constData(), &st) != 0 ||
            !S_ISDIR(st.st_mode) || (st.st_uid != uid && st.st_uid != 0) ||
            ((st.st_mode & 022) != 0 && (st.st_mode & S_ISVTX) == 0)) {
            return false;
        }
        if (above == QLatin1String("/")) {
            return true;
        }
        above = QFileInfo(above).path();
    }
}

QString InstanceGuard::lockFilePath() const {
    return folder_.isEmpty() ? QString() : folder_ + QLatin1Char('/') + hostPart() + ".lock";
}

QString InstanceGuard::socketPath() const {
    return folder_.isEmpty() ? QString() : folder_ + QLatin1Char('/') + hostPart() + ".socket";
}

bool InstanceGuard::claim() {
    if (claimed_) {
        return *claimed_;
    }
    claimed_ = true;
    // Without a safe place the program runs unguarded rather than not at all,
    // and says so.
    if (!isPrivateFolder(folder_, ::getuid())) {
        unguardedBecause_ =
            folder_.isEmpty()
                ? QStringLiteral("no folder of its own could be made in your home or in /tmp")
                : folder_ + QStringLiteral(" is not a folder that only you can change");
        return true;
    }
    const int fd = ::open(QFile::encodeName(lockFilePath()).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        unguardedBecause_ = lockFilePath() + QStringLiteral(" cannot be made: ") +
                            QString::fromLocal8Bit(std::strerror(errno));
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        claimed_ = !held;
        return *claimed_;
    }
    lockHandle_ = fd;
    // Where this instance runs, for a later start to tell the user.
    const QByteArray where =
        QByteArray::number(::getpid()) + ' ' + QGuiApplication::platformName().toUtf8() + ' ' +
        qgetenv(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "DISPLAY" : "WAYLAND_DISPLAY") +
        '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, where.constData(), std::size_t(where.size())) < 0) {
        // Only the message of a later start is the poorer for it.
    }
    // Only the lock holder gets here, so a socket under the name can only be
    // the leftover of an instance that ended without cleaning up.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath());
    return true;
}

QString InstanceGuard::runningInstance() const {
    QFile lock(lockFilePath());
    if (!lock.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QList<QByteArray> parts = lock.read(256).trimmed().split(' ');
    if (parts.size() < 2 || parts[0].toLong() <= 0) {
        return {};
    }
    const QString display = parts.size() > 2 && !parts[2].isEmpty()
                                ? QStringLiteral(" on display %1").arg(QString::fromUtf8(parts[2]))
                                : QString();
    return QStringLiteral("process %1, shown by Qt's %2 platform%3")
        .arg(QString::fromUtf8(parts[0]), QString::fromUtf8(parts[1]), display);
}

void InstanceGuard::allowForeground(const QLocalSocket&) {
    // The window manager decides; the running instance asks it to raise.
}
#endif // the Windows side is in InstanceGuardWindows.cpp

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
    allowForeground(socket);
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
