#pragma once
// Sequential reading of an 8-bit text file, a line at a time. The file is read
// once when it is opened; the data files are small enough, and this keeps a
// 50 MB file linear.
//
// Lines end at CR LF, CR or LF. Text is handed out as UTF-8: a file that is
// valid UTF-8 is taken as it is (a leading byte-order mark is dropped), any
// other file is read as Windows-1252 and converted.

#include <string>
#include <string_view>

namespace wexel {

class TextFileReader {
public:
    // Opens and reads the file. Throws FileNotFound when nothing is at the path
    // and PathFileAccess when it is a folder or cannot be read.
    explicit TextFileReader(const std::string& path);

    bool atEnd() const { return pos_ >= text_.size(); }

    // The next line without its line end; an empty view at the end of the file.
    std::string_view readLine();

    // The 1-based number of the line last read.
    int lineNumber() const { return line_; }

private:
    std::string text_;
    std::size_t pos_ = 0;
    int line_ = 0;
};

// True if the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Appends the code point `cp` to `out` in UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Windows-1252 bytes converted to UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);

// Joins a folder and a file name with the native separator.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace wexel
