// The Windows side of the single-instance guard.
//
// The lock is a file in the user's own local application data, held open for
// writing and shared for reading only: a second start cannot open it for
// writing, and the system lets go of it however the running instance ends.
// The running instance listens on a named pipe whose name is random and is
// written into the lock file. Pipe names are machine-wide, so a name another
// user could work out could be taken by that user first; the lock file lies
// where no other user can read it.
#include "desktop/InstanceGuard.h"

#include <QDir>
#include <QLocalSocket>
#include <QUuid>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace wexel {

namespace {

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

void InstanceGuard::closeLock(qintptr handle) {
    ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

QString InstanceGuard::defaultFolder() {
    // Asked of the system, not of %LOCALAPPDATA%: every start of the user
    // agrees on it whatever its environment. A new folder there inherits the
    // profile's access list: the user's, the system's and administrators'.
    PWSTR path = nullptr;
    const HRESULT found =
        ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path);
    QString base;
    if (found == S_OK && path != nullptr) {
        base = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    }
    ::CoTaskMemFree(path);
    if (base.isEmpty()) {
        return {};
    }
    const QString folder = QDir::cleanPath(base) + QStringLiteral("/wexel-converter");
    (void)::CreateDirectoryW(native(folder).c_str(), nullptr);
    return isPrivateFolder(folder, 0) ? folder : QString();
}

bool InstanceGuard::isPrivateFolder(const QString& folder, unsigned) {
    // A real folder, not a link or junction that leads elsewhere; who may
    // change it is the profile's access list.
    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(native(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

QString InstanceGuard::lockFilePath() const {
    return folder_.isEmpty() ? QString() : folder_ + QLatin1Char('/') + hostPart() + ".lock";
}

QString InstanceGuard::socketPath() const {
    if (!serverName_.isEmpty() || folder_.isEmpty()) {
        return serverName_;
    }
    // The running instance's pipe, as its lock file names it; empty until it
    // has written the name.
    const HANDLE file =
        ::CreateFileW(native(lockFilePath()).c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    char buffer[128];
    DWORD read = 0;
    const bool ok = ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    ::CloseHandle(file);
    const QString name =
        ok ? QString::fromLatin1(buffer, static_cast<qsizetype>(read)).trimmed() : QString();
    return name.startsWith(QStringLiteral("wexel-converter-")) ? name : QString();
}

bool InstanceGuard::claim() {
    if (claimed_) {
        return *claimed_;
    }
    claimed_ = true;
    if (!isPrivateFolder(folder_, 0)) {
        return true; // no safe place: run unguarded
    }
    const HANDLE file =
        ::CreateFileW(native(lockFilePath()).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const bool held = ::GetLastError() == ERROR_SHARING_VIOLATION;
        claimed_ = !held;
        return !held;
    }
    lockHandle_ = reinterpret_cast<qintptr>(file);
    const QString name =
        QStringLiteral("wexel-converter-") + QUuid::createUuid().toString(QUuid::Id128);
    // Listening first: a second start that reads the name finds the pipe.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name)) {
        serverName_ = name;
        const QByteArray bytes = name.toLatin1() + '\n';
        DWORD written = 0;
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        ::WriteFile(file, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::FlushFileBuffers(file);
    }
    return true;
}

bool InstanceGuard::lockCanBeMade(const QString&) {
    return true; // the lock is the user's own in their profile
}

QString InstanceGuard::runningInstance() const {
    return {}; // one desktop a session: the raised window is in sight
}

void InstanceGuard::allowForeground(const QLocalSocket& socket) {
    // Windows gives the foreground only to the process in front, which the
    // starting one is: it hands that right to the running instance.
    ULONG server = 0;
    const auto pipe = reinterpret_cast<HANDLE>(socket.socketDescriptor());
    if (::GetNamedPipeServerProcessId(pipe, &server)) {
        ::AllowSetForegroundWindow(server);
    }
}

} // namespace wexel
