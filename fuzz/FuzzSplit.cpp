// StripChar and SplitToCollection on arbitrary text: the pieces and the
// delimiters between them must give back the text.
#include "tiers/DataFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string delim(1, static_cast<char>(data[0]));
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string_view> pieces;
    wexel::SplitToCollection(text, delim, 0, pieces);
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            joined += delim;
        }
        joined += pieces[i];
    }
    // An empty last piece is dropped, so a final delimiter may be missing.
    if (joined != text && joined + delim != text) {
        std::abort();
    }
    std::vector<std::string_view> padded;
    wexel::SplitToCollection(text, delim, static_cast<std::int32_t>(size % 7), padded);
    if (padded.size() < pieces.size() || padded.size() < size % 7) {
        std::abort();
    }
    const std::string_view stripped = wexel::StripChar(text, delim);
    if (stripped.size() > text.size()) {
        std::abort();
    }
    return 0;
}
