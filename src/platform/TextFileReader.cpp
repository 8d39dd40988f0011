#include "platform/TextFileReader.h"

#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <nettle/sha2.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wexel {

namespace {

[[noreturn]] void cannotRead(const std::string& path, const std::string& why) {
    raise(ErrorNumber::PathFileAccess, path + " " + why);
}

} // namespace

#ifndef _WIN32
namespace {

// A file written less than this long ago may still be in the middle of an
// in-place rewrite: it is looked at again once the time has passed.
constexpr auto kSettleTime = std::chrono::milliseconds(250);
constexpr int kReadAttempts = 20;

struct Stamp {
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Stamp& o) const {
        return size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

Stamp stampOf(int fd, const std::string& path) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        cannotRead(path, std::string("cannot be read: ") + std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode)) {
        cannotRead(path, "is a folder, not a file");
    }
    if (!S_ISREG(st.st_mode)) {
        cannotRead(path, "is not a regular file");
    }
    return {st.st_size, st.st_mtim, st.st_ctim};
}

// How long ago the file was last written, as the file system's clock says.
std::chrono::nanoseconds age(const Stamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto since = std::chrono::seconds(now.tv_sec - stamp.modified.tv_sec) +
                       std::chrono::nanoseconds(now.tv_nsec - stamp.modified.tv_nsec);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since);
}

} // namespace

std::string readRegularFile(const std::string& path, std::size_t maxBytes) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        // Non-blocking, so that opening a pipe does not wait for a writer.
        const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
        if (file.fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR || path.empty()) {
                raise(ErrorNumber::FileNotFound, path);
            }
            cannotRead(path, std::string("cannot be read: ") + std::strerror(errno));
        }
        const Stamp before = stampOf(file.fd, path);
        if (static_cast<unsigned long long>(before.size) > maxBytes) {
            cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
        }
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(before.size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                cannotRead(path, std::string("cannot be read: ") + std::strerror(errno));
            }
            if (n == 0) {
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
            if (bytes.size() > maxBytes) {
                cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
            }
        }
        Stamp after = stampOf(file.fd, path);
        // A file dated ahead of the clock is waited for once, no longer.
        const std::chrono::nanoseconds wait = std::clamp<std::chrono::nanoseconds>(
            kSettleTime - age(after), std::chrono::nanoseconds::zero(), kSettleTime);
        if (after == before && wait > std::chrono::nanoseconds::zero()) {
            std::this_thread::sleep_for(wait);
            after = stampOf(file.fd, path);
        }
        if (after == before && bytes.size() == static_cast<std::size_t>(after.size)) {
            return bytes;
        }
        // Written to while being read: read it again.
    }
    cannotRead(path, "keeps changing while it is read");
}

std::filesystem::path nativePath(const std::string& path) {
    return std::filesystem::path(path);
}
#endif // the Windows side is in TextFileReaderWindows.cpp

namespace {

std::string sha256Hex(std::string_view bytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context, sizeof digest, digest);
    static const char* const hex = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : digest) {
        text += hex[byte >> 4];
        text += hex[byte & 0xF];
    }
    return text;
}

// A file's last change in local time, to the minute; empty if unknown.
std::string lastChange(const std::string& path) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(nativePath(path), ec);
    if (ec) {
        return {};
    }
    const std::time_t when = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            std::chrono::file_clock::to_sys(written)));
    std::tm local{};
    char text[32] = {};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// The 1-based line that holds byte `offset`, by the reader's line ends.
int lineAt(std::string_view bytes, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

} // namespace

TextFileReader::TextFileReader(const std::string& path) {
    std::string bytes = readRegularFile(path, kMaxTextFileBytes);
    const std::string_view view(bytes);
    sha256_ = sha256Hex(view);
    modified_ = lastChange(path);
    if (view.substr(0, 2) == "\xFF\xFE" || view.substr(0, 2) == "\xFE\xFF") {
        if (view.size() % 2 != 0) {
            cannotRead(path, "is UTF-16 of an odd number of bytes: its last character is cut");
        }
        text_ = utf16ToUtf8(view.substr(2), view[0] == '\xFE');
    } else if (isValidUtf8(view)) {
        text_ = std::move(bytes);
    } else {
        std::size_t firstUtf8 = std::string_view::npos;
        std::size_t firstStray = std::string_view::npos;
        for (std::size_t i = 0; i < view.size();) {
            if (static_cast<unsigned char>(view[i]) < 0x80) {
                ++i;
                continue;
            }
            const std::size_t length = utf8SequenceLength(view.substr(i));
            if (length == 0 && firstStray == std::string_view::npos) {
                firstStray = i;
            } else if (length > 0 && firstUtf8 == std::string_view::npos) {
                firstUtf8 = i;
            }
            i += std::max<std::size_t>(length, 1);
        }
        if (firstUtf8 != std::string_view::npos) {
            strayByteLine_ = lineAt(view, firstStray);
            utf8TextLine_ = lineAt(view, firstUtf8);
        }
        text_ = windows1252ToUtf8(view);
    }
    buffer_.show(text_);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
    if (folder.back() == sep || folder.back() == '/') {
        return folder + name;
    }
    return folder + sep + name;
}

} // namespace wexel
