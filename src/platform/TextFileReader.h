#pragma once
// Reading the program's own files: the two data files and the help file.
// Only regular files are read (a link to one is fine): a folder, a pipe or a
// device is refused before anything waits on it.

#include "platform/LineReader.h"

#include <cstddef>
#include <filesystem>
#include <limits>
#include <streambuf>
#include <string>
#include <string_view>

namespace wexel {

// The whole content of a regular file. Throws FileNotFound when nothing is
// at the path, PathFileAccess when it cannot be read, is no regular file, is
// larger than `maxBytes`, or keeps changing. A file is taken only once it has
// stayed unchanged for a few seconds (one changed just now may be half
// rewritten by a slow writer), waited for within a bound and refused beyond.
std::string readRegularFile(const std::string& path,
                            std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The largest text file read whole: its lines and characters are counted in
// 32 bits.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{1} << 30;

// A text file read a line at a time (LineReader's lines). The file is read
// whole when it is opened, and refused (PathFileAccess) beyond
// kMaxTextFileBytes. Text is handed out as UTF-8: a file that starts
// with a UTF-16 byte-order mark is UTF-16; one that is well-formed UTF-8 is
// taken as it is; any other is read as Windows-1252. A UTF-16 file of an odd
// number of bytes is refused (PathFileAccess): its last character is cut.
class TextFileReader {
public:
    explicit TextFileReader(const std::string& path);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // The next line, as LineReader::next().
    bool readLine(std::string& line) { return lines_.next(line); }
    bool lineTooLong() const { return lines_.tooLong(); }
    // The 1-based number of the line last read.
    int lineNumber() const { return static_cast<int>(lines_.lineNumber()); }

    // A file read as Windows-1252 that also holds UTF-8 text was most likely
    // UTF-8 with a stray byte: the line of the first byte that is not UTF-8,
    // and of the first UTF-8 text. 0 when the file is not such a mix.
    int strayByteLine() const { return strayByteLine_; }
    int utf8TextLine() const { return utf8TextLine_; }

    // What the file was when it was read: its SHA-256 in hexadecimal, of the
    // very bytes read, and its last change, "YYYY-MM-DD HH:MM" in local time.
    const std::string& sha256() const { return sha256_; }
    const std::string& modified() const { return modified_; }

private:
    // The text as a stream, without a copy.
    struct TextBuffer : std::streambuf {
        void show(std::string& text) { setg(text.data(), text.data(), text.data() + text.size()); }
    };

    std::string text_;
    TextBuffer buffer_;
    LineReader lines_{buffer_};
    int strayByteLine_ = 0;
    int utf8TextLine_ = 0;
    std::string sha256_;
    std::string modified_;
};

// A path held in UTF-8, as the file system takes it: the bytes as they are on
// POSIX, UTF-16 on Windows (where a narrow path would be the ANSI code page).
std::filesystem::path nativePath(const std::string& path);

// Joins a folder and a file name with the native separator.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace wexel
