#include "platform/TextField.h"

namespace wexel {

int characterCount(const std::string& text) {
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace wexel
