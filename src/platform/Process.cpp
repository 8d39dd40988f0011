#include "platform/Process.h"

#ifdef _WIN32
#include <filesystem>
#include <string>
#include <windows.h>
#else
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace wexel {

#ifdef _WIN32

void openClosedStandardStreams() {
    // A Windows process's standard handles are never reused for its files.
}

std::string executableFolder() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (length == 0) {
            return {};
        }
        if (length < exe.size()) {
            exe.resize(length);
            const std::u8string folder = std::filesystem::path(exe).parent_path().u8string();
            return std::string(folder.begin(), folder.end());
        }
        exe.resize(exe.size() * 2);
    }
}

#else

void openClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // open() takes the lowest free number: this one.
            const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened >= 0 && opened != fd) {
                ::close(opened);
            }
        }
    }
}

std::string executableFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            const std::string exe(buffer.data(), static_cast<std::size_t>(n));
            const std::size_t slash = exe.rfind('/');
            if (slash == std::string::npos || exe.front() != '/') {
                return {};
            }
            return slash == 0 ? std::string("/") : exe.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

#endif

} // namespace wexel
