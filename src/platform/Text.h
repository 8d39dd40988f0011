#pragma once
// Text inside the program is UTF-8. This is the one place that knows the
// encodings the data files may come in, letter case, and how a text is
// quoted or escaped in a message.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace wexel {

// True if the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// The length of the well-formed UTF-8 sequence that starts `text`, or 0 when
// its first byte starts none (or `text` is empty).
std::size_t utf8SequenceLength(std::string_view text);

// Appends the code point `cp` to `out` in UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Windows-1252 bytes converted to UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-16 bytes (without their byte-order mark, an even number of them)
// converted to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);

// Length of a UTF-8 text in characters (code points).
int characterCount(std::string_view text);

// The text with every letter in one case, for comparing keys without regard
// to letter case: Unicode's simple case folding (ICU's), so "CAFÉ" and "café"
// are one key. Bytes that are not UTF-8 are kept as they are.
std::string foldKey(std::string_view key);

// A text in double quotes for a message, printable(): a text longer than 40
// characters is cut there and ends in "...", so a runaway field cannot swamp
// the message, and a NUL or other control character shows as \xNN.
std::string inQuotes(std::string_view text);

// The text with control characters (tab excepted) and bytes that are not
// UTF-8 written as \xNN, so that names from a data file cannot steer a
// terminal and every output stays UTF-8.
std::string printable(std::string_view text);

// printable(), with tabs written as \x09 too: a field of tab-separated
// columns that stays in its column.
std::string printableField(std::string_view text);

// The keys under which names meet that a reader cannot tell apart: Unicode's
// confusable skeleton (Latin "ABC" and Cyrillic "АВС") of the text in
// compatibility normalisation ("ﬀ" and "ff"), as written and with full case
// folding ("STRASSE" and "straße"). Bytes that are not UTF-8 are kept.
std::array<std::string, 2> lookAlikeKeys(std::string_view text);

// Why a name is hard to read for what it is: "an invisible character
// (U+200B)", "a space other than the plain blank (U+00A0)", "letters of
// scripts that are not used together"; empty when nothing is.
std::string deceptiveCharacters(std::string_view text);

// True if the text holds a control character other than tab (NUL included).
bool hasControlCharacter(std::string_view text);

} // namespace wexel
