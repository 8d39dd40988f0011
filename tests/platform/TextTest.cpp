// Text: letter case against Unicode's own case-folding data, the encodings
// the data files come in, and how a text is quoted or escaped in a message.
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using namespace wexel;

namespace {

std::string utf8(char32_t cp) {
    std::string out;
    appendUtf8(out, cp);
    return out;
}

} // namespace

TEST(Text, LetterCaseFoldsAsUnicodeSays) {
    // CaseFolding.txt: "code; status; mapping; # name"; simple folding takes
    // the C and S lines. Every other code point folds to itself.
    std::ifstream data(WEXEL_CASE_FOLDING);
    ASSERT_TRUE(data) << WEXEL_CASE_FOLDING << ": install unicode-data (scripts/install-deps.sh)";
    std::map<char32_t, char32_t> folds;
    for (std::string line; std::getline(data, line);) {
        std::istringstream fields(line);
        std::string code, status, mapping;
        if (line.empty() || line[0] == '#' || !std::getline(fields, code, ';') ||
            !std::getline(fields, status, ';') || !std::getline(fields, mapping, ';')) {
            continue;
        }
        if (status == " C" || status == " S") {
            folds[static_cast<char32_t>(std::stoul(code, nullptr, 16))] =
                static_cast<char32_t>(std::stoul(mapping, nullptr, 16));
        }
    }
    ASSERT_GT(folds.size(), 1400u);
    int wrong = 0;
    for (char32_t cp = 1; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        const auto fold = folds.find(cp);
        const char32_t expected = fold == folds.end() ? cp : fold->second;
        if (foldKey(utf8(cp)) != utf8(expected) && ++wrong <= 5) {
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(cp) << " should fold to U+"
                          << static_cast<unsigned>(expected);
        }
    }
    EXPECT_EQ(wrong, 0);
    // Bytes that are no UTF-8 stay as they are.
    EXPECT_EQ(foldKey("A\xFF"
                      "B"),
              "a\xFF"
              "b");
}

TEST(Text, EncodingsOfTheDataFiles) {
    const std::pair<std::string, std::string> windows1252[] = {
        {"A", "A"},
        {"\x80", "\xE2\x82\xAC"}, // the euro sign
        {"\x81", "\xC2\x81"},     // unassigned: the C1 control of the same value
        {"\x8D\x8F\x90\x9D", "\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\x9F", "\xC5\xB8"}, // Y with diaeresis
        {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
    };
    for (const auto& [bytes, text] : windows1252) {
        EXPECT_EQ(windows1252ToUtf8(bytes), text);
    }
    const struct {
        std::string bytes;
        bool bigEndian;
        std::string text;
    } utf16[] = {
        {std::string("A\0\xE9\0", 4), false, "A\xC3\xA9"},
        {std::string("\0A\0\xE9", 4), true, "A\xC3\xA9"},
        {std::string("\x3D\xD8\x00\xDE", 4), false, "\xF0\x9F\x98\x80"}, // a surrogate pair
        {std::string("\x3D\xD8"
                     "A\0",
                     4),
         false,
         "\xEF\xBF\xBD"
         "A"}, // unpaired: U+FFFD
    };
    for (const auto& c : utf16) {
        EXPECT_EQ(utf16ToUtf8(c.bytes, c.bigEndian), c.text);
    }
    const std::pair<std::string, std::size_t> sequences[] = {
        {"a", 1},
        {"\xC3\xA9", 2},
        {"\xE2\x82\xAC", 3},
        {"\xF0\x9F\x98\x80", 4},
        {"\xC0\x80", 0},         // overlong
        {"\xED\xA0\x80", 0},     // a surrogate
        {"\xF4\x90\x80\x80", 0}, // beyond U+10FFFF
        {"\xE2\x82", 0},         // cut short
        {"\x80", 0},
        {"", 0},
    };
    for (const auto& [text, length] : sequences) {
        EXPECT_EQ(utf8SequenceLength(text), length) << text;
        EXPECT_EQ(isValidUtf8(text + "x"), length > 0 || text.empty()) << text;
    }
    EXPECT_EQ(characterCount("\xC3\xA9t\xE2\x82\xAC"), 3);
}

TEST(Text, TextsInMessagesAreQuotedCutAndEscaped) {
    const std::string forty(40, 'x');
    const std::string accents = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                                "\xC3\xA9\xC3\xA9"; // ten characters of two bytes
    const std::pair<std::string, std::string> quoted[] = {
        {"", "\"\""},
        {forty, "\"" + forty + "\""},
        {forty + "y", "\"" + forty + "...\""},
        {accents + std::string(30, 'x'), "\"" + accents + std::string(30, 'x') + "\""},
        {accents + std::string(31, 'x'), "\"" + accents + std::string(30, 'x') + "...\""},
        {std::string("Z\0Q", 3), "\"Z\\x00Q\""},
    };
    for (const auto& [text, result] : quoted) {
        EXPECT_EQ(inQuotes(text), result);
    }
    const std::pair<std::string, std::string> shown[] = {
        {"plain \xC3\xA9", "plain \xC3\xA9"},
        {"tab\tkept", "tab\tkept"},
        {std::string("nul\0", 4), "nul\\x00"},
        {"\x1B[31m", "\\x1B[31m"},
        {"del\x7F", "del\\x7F"},
        {"c1\xC2\x85", "c1\\x85"},
        {"byte\xFF", "byte\\xFF"},
    };
    for (const auto& [text, result] : shown) {
        EXPECT_EQ(printable(text), result);
        EXPECT_EQ(hasControlCharacter(text), text != result) << text;
    }
}
