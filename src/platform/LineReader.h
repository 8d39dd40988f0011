#pragma once
// Lines as the program reads every text it is given, the data files and a
// batch alike: a line ends at CR LF, CR or LF, and a last line without an end
// is a line too; a UTF-8 byte-order mark before the first line is no text.

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

namespace wexel {

// The longest line taken, in characters; the rest of a longer line is not kept.
inline constexpr std::size_t kMaxLineLength = 65536;

class LineReader {
public:
    explicit LineReader(std::streambuf& in) : in_(in) {}

    // The next line without its end, at most kMaxLineLength characters of it.
    // False at the end of the input.
    bool next(std::string& line);

    // The last line was longer than kMaxLineLength characters.
    bool tooLong() const { return tooLong_; }
    // The 1-based number of the line last read.
    std::uint64_t lineNumber() const { return lineNumber_; }

private:
    std::streambuf& in_;
    bool tooLong_ = false;
    std::uint64_t lineNumber_ = 0;
};

} // namespace wexel
