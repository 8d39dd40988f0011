// The Windows side of reading the program's files: the same rules as on
// POSIX (a regular file only, read whole, read again while it changes), with
// file names in UTF-16 so that any name opens whatever the ANSI code page.
#include "platform/TextFileReader.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <windows.h>

namespace wexel {

namespace {

// A file written less than this long ago may still be in the middle of an
// in-place rewrite: it is looked at again once the time has passed.
constexpr auto kSettleTime = std::chrono::milliseconds(250);
constexpr int kReadAttempts = 20;

[[noreturn]] void cannotRead(const std::string& path, const std::string& why) {
    raise(ErrorNumber::PathFileAccess, path + " " + why);
}

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                              length);
    }
    return text;
}

// The system's own words for an error, in UTF-8, without the closing stop.
std::string describe(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer != nullptr) {
        const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length),
                                                nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(std::max(bytes, 0)));
        ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), bytes,
                              nullptr, nullptr);
    }
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(error) : text;
}

struct Stamp {
    long long size = 0;
    long long modified = 0; // 100-nanosecond steps since 1601, UTC
    long long changed = 0;
    bool operator==(const Stamp&) const = default;
};

// Closes a file handle when it goes out of scope.
struct Handle {
    HANDLE handle;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};

Stamp stampOf(HANDLE file, const std::string& path) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) {
        cannotRead(path, "cannot be read: " + describe(::GetLastError()));
    }
    if (standard.Directory) {
        cannotRead(path, "is a folder, not a file");
    }
    return {standard.EndOfFile.QuadPart, basic.LastWriteTime.QuadPart, basic.ChangeTime.QuadPart};
}

// How long ago the file was last written, as the system's clock says.
std::chrono::nanoseconds age(const Stamp& stamp) {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const long long ticks =
        (static_cast<long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) - stamp.modified;
    return std::chrono::nanoseconds(ticks * 100);
}

} // namespace

std::string readRegularFile(const std::string& path, std::size_t maxBytes) {
    if (path.empty()) {
        raise(ErrorNumber::FileNotFound, path);
    }
    const std::wstring name = wide(path);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        // Others may read, write, rename or delete it meanwhile: a table
        // replaced while it is read is read again. Backup semantics opens a
        // folder too, so that it is refused as a folder rather than as locked.
        const Handle file{::CreateFileW(
            name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
        if (file.handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH) {
                raise(ErrorNumber::FileNotFound, path);
            }
            cannotRead(path, "cannot be read: " + describe(error));
        }
        // A pipe or a device (CON, NUL, COM1) is not read: it may never end.
        if (::GetFileType(file.handle) != FILE_TYPE_DISK) {
            cannotRead(path, "is not a regular file");
        }
        const Stamp before = stampOf(file.handle, path);
        if (static_cast<unsigned long long>(before.size) > maxBytes) {
            cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
        }
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(before.size));
        char buffer[65536];
        for (;;) {
            DWORD n = 0;
            if (!::ReadFile(file.handle, buffer, sizeof buffer, &n, nullptr)) {
                cannotRead(path, "cannot be read: " + describe(::GetLastError()));
            }
            if (n == 0) {
                break;
            }
            bytes.append(buffer, n);
            if (bytes.size() > maxBytes) {
                cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
            }
        }
        Stamp after = stampOf(file.handle, path);
        // A file dated ahead of the clock is waited for once, no longer.
        const std::chrono::nanoseconds wait = std::clamp<std::chrono::nanoseconds>(
            kSettleTime - age(after), std::chrono::nanoseconds::zero(), kSettleTime);
        if (after == before && wait > std::chrono::nanoseconds::zero()) {
            std::this_thread::sleep_for(wait);
            after = stampOf(file.handle, path);
        }
        if (after == before && bytes.size() == static_cast<std::size_t>(after.size)) {
            return bytes;
        }
        // Written to while being read: read it again.
    }
    cannotRead(path, "keeps changing while it is read");
}

std::filesystem::path nativePath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

} // namespace wexel
