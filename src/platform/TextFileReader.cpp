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

// A file changed less than this long ago may be in the middle of an in-place
// rewrite by a slow writer: it is taken only once it has been still this long.
constexpr auto kSettleTime = std::chrono::seconds(5);
// How long a file that keeps changing is waited for before it is refused.
constexpr auto kMostWait = std::chrono::seconds(20);
// How often a changing file is looked at again.
constexpr auto kPollTime = std::chrono::milliseconds(100);

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

// How long ago the file was last written, as the file system's clock says;
// negative for a file dated ahead of the clock.
std::chrono::nanoseconds age(const Stamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::chrono::seconds(now.tv_sec - stamp.modified.tv_sec) +
           std::chrono::nanoseconds(now.tv_nsec - stamp.modified.tv_nsec);
}

// The file's bytes as one read from start to end, with its stamp before and
// after the read.
struct Snapshot {
    std::string bytes;
    Stamp before;
    Stamp after;
};

Snapshot readOnce(int fd, const std::string& path, std::size_t maxBytes) {
    Snapshot shot;
    shot.before = stampOf(fd, path);
    if (static_cast<unsigned long long>(shot.before.size) > maxBytes) {
        cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
    }
    shot.bytes.reserve(static_cast<std::size_t>(shot.before.size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            cannotRead(path, std::string("cannot be read: ") + std::strerror(errno));
        }
        if (n == 0) {
            break;
        }
        shot.bytes.append(buffer, static_cast<std::size_t>(n));
        if (shot.bytes.size() > maxBytes) {
            cannotRead(path, "is larger than " + std::to_string(maxBytes) + " bytes");
        }
    }
    shot.after = stampOf(fd, path);
    return shot;
}

} // namespace

std::string readRegularFile(const std::string& path, std::size_t maxBytes) {
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + kMostWait;
    bool waitedForDateAhead = false;
    for (;;) {
        // Non-blocking, so that opening a pipe does not wait for a writer.
        const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
        if (file.fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR || path.empty()) {
                raise(ErrorNumber::FileNotFound, path);
            }
            cannotRead(path, std::string("cannot be read: ") + std::strerror(errno));
        }
        Snapshot shot = readOnce(file.fd, path, maxBytes);
        const bool whole = shot.after == shot.before &&
                           shot.bytes.size() == static_cast<std::size_t>(shot.after.size);
        if (shot.after == shot.before && shot.after.size == 0 && !shot.bytes.empty()) {
            // A kernel's file (/proc, /sys): its text is made as it is read.
            cannotRead(path, "is not an ordinary file: its size is 0, yet it holds text");
        }
        if (whole) {
            // Still for the settle time, or dated ahead of the clock (a copy
            // from a machine whose clock runs ahead), which is waited for once.
            const auto since = age(shot.after);
            const bool ahead = since < std::chrono::nanoseconds::zero();
            if (since >= kSettleTime || (ahead && waitedForDateAhead)) {
                return std::move(shot.bytes);
            }
            const auto wait = ahead ? std::chrono::nanoseconds(kSettleTime) : kSettleTime - since;
            if (Clock::now() + wait > giveUp) {
                break;
            }
            std::this_thread::sleep_for(wait);
            waitedForDateAhead = ahead;
            if (stampOf(file.fd, path) == shot.after) {
                return std::move(shot.bytes);
            }
        } else if (Clock::now() + kPollTime > giveUp) {
            break;
        } else {
            std::this_thread::sleep_for(kPollTime);
        }
        // Written to while being read, or while settling: read it again.
    }
    cannotRead(path, "is still being written: it did not stay unchanged for " +
                         std::to_string(kSettleTime.count()) + " seconds in the " +
                         std::to_string(kMostWait.count()) + " seconds waited for it");
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

// Text of Latin letters in UTF-16 has a NUL in every other byte, where 8-bit
// text has none: judged on the file's start.
bool looksLikeUtf16(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 4096);
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < start.size(); ++i) {
        zeros[i % 2] += start[i] == '\0';
    }
    const std::size_t pairs = start.size() / 2;
    return pairs >= 2 && (zeros[0] > pairs / 2 || zeros[1] > pairs / 2);
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
    } else if (looksLikeUtf16(view)) {
        cannotRead(path, "looks like UTF-16 without its byte-order mark: save it with one, or as "
                         "UTF-8");
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
