#include "platform/LineReader.h"

#include <string_view>

namespace wexel {

bool LineReader::next(std::string& line) {
    using traits = std::streambuf::traits_type;
    line.clear();
    tooLong_ = false;
    int c = in_.sbumpc();
    if (traits::eq_int_type(c, traits::eof())) {
        return false;
    }
    std::size_t characters = 0;
    for (; !traits::eq_int_type(c, traits::eof()); c = in_.sbumpc()) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (traits::eq_int_type(in_.sgetc(), '\n')) {
                in_.sbumpc();
            }
            break;
        }
        // A character begins at every byte that does not continue a UTF-8
        // sequence; a byte-order mark before the first line is none.
        if ((c & 0xC0) != 0x80) {
            if (characters == 1 && lineNumber_ == 0 && line == "\xEF\xBB\xBF") {
                characters = 0;
            }
            if (++characters > kMaxLineLength) {
                tooLong_ = true;
            }
        }
        if (!tooLong_) {
            line += traits::to_char_type(c);
        }
    }
    if (++lineNumber_ == 1 && std::string_view(line).substr(0, 3) == "\xEF\xBB\xBF") {
        line.erase(0, 3);
    }
    return true;
}

} // namespace wexel
