#include "platform/Text.h"

#include "platform/RuntimeError.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/uspoof.h>
#include <unicode/utf8.h>

#include <cstdio>
#include <memory>

#include <cstdint>
#include <iterator>

namespace wexel {

namespace {

// The code point of the well-formed UTF-8 sequence at the start of `text`,
// and its length in bytes; a negative code point where none starts.
struct Decoded {
    UChar32 cp;
    std::size_t length;
};
Decoded decodeFirst(std::string_view text) {
    std::int32_t i = 0;
    UChar32 cp = 0;
    const auto size = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), 4));
    U8_NEXT(reinterpret_cast<const std::uint8_t*>(text.data()), i, size, cp);
    return {cp, static_cast<std::size_t>(i)};
}

bool isControl(UChar32 c) {
    return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F);
}

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

// Bytes in the encoding `from` as UTF-8; what `from` cannot hold becomes
// U+FFFD. Converted a piece at a time: ICU counts lengths in 32 bits, and a
// file of a gigabyte may grow to three as UTF-8.
std::string toUtf8(std::string_view bytes, const char* from) {
    UErrorCode status = U_ZERO_ERROR;
    const Converter source(ucnv_open(from, &status));
    const Converter target(ucnv_open("UTF-8", &status));
    if (U_FAILURE(status)) {
        raise(ErrorNumber::OutOfMemory, std::string("converting text from ") + from);
    }
    std::string out;
    out.reserve(bytes.size());
    UChar pivot[4096];
    UChar* pivotSource = pivot;
    UChar* pivotTarget = pivot;
    const char* in = bytes.data();
    char piece[65536];
    bool reset = true;
    do {
        status = U_ZERO_ERROR;
        char* written = piece;
        ucnv_convertEx(target.get(), source.get(), &written, piece + sizeof piece, &in,
                       bytes.data() + bytes.size(), pivot, &pivotSource, &pivotTarget,
                       pivot + std::size(pivot), reset, true, &status);
        reset = false;
        out.append(piece, static_cast<std::size_t>(written - piece));
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    if (U_FAILURE(status)) {
        raise(ErrorNumber::OutOfMemory, std::string("converting text from ") + from);
    }
    return out;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const Decoded d = decodeFirst(text);
    return d.cp < 0 ? 0 : d.length;
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        // Plain ASCII runs are the common case: skip them without decoding.
        if (static_cast<unsigned char>(bytes[0]) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t length = utf8SequenceLength(bytes);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    std::uint8_t bytes[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, static_cast<UChar32>(cp));
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

std::string windows1252ToUtf8(std::string_view bytes) {
    // The five bytes that Windows-1252 leaves unassigned become the C1 controls
    // of the same value, as Windows itself reads them.
    return toUtf8(bytes, "windows-1252");
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    return toUtf8(bytes, bigEndian ? "UTF-16BE" : "UTF-16LE");
}

int characterCount(std::string_view text) {
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::string foldKey(std::string_view key) {
    std::string folded;
    folded.reserve(key.size());
    while (!key.empty()) {
        const auto c = static_cast<unsigned char>(key[0]);
        if (c < 0x80) {
            folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            key.remove_prefix(1);
            continue;
        }
        const Decoded d = decodeFirst(key);
        if (d.cp < 0) {
            folded += key[0]; // not UTF-8: kept as it is
            key.remove_prefix(1);
            continue;
        }
        appendUtf8(folded, static_cast<char32_t>(u_foldCase(d.cp, U_FOLD_CASE_DEFAULT)));
        key.remove_prefix(d.length);
    }
    return folded;
}

std::string inQuotes(std::string_view text) {
    constexpr int kLongest = 40;
    int characters = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > kLongest) {
            break;
        }
    }
    return "\"" + printable(text.substr(0, i)) + (i < text.size() ? "...\"" : "\"");
}

namespace {

std::string escapedControls(std::string_view text, bool tabs) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Decoded d = decodeFirst(text);
        const std::size_t length = d.cp < 0 ? 1 : d.length;
        const UChar32 cp = d.cp < 0 ? static_cast<unsigned char>(text[0]) : d.cp;
        // A byte that is no UTF-8 is shown, not passed on.
        if (d.cp < 0 || isControl(cp) || (tabs && cp == '\t')) {
            out += "\\x";
            out += hex[(cp >> 4) & 0xF];
            out += hex[cp & 0xF];
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

} // namespace

std::string printable(std::string_view text) {
    return escapedControls(text, false);
}

std::string printableField(std::string_view text) {
    return escapedControls(text, true);
}

bool hasControlCharacter(std::string_view text) {
    return printable(text) != text;
}

namespace {

struct SpoofCheckerClose {
    void operator()(USpoofChecker* checker) const { uspoof_close(checker); }
};
using SpoofChecker = std::unique_ptr<USpoofChecker, SpoofCheckerClose>;

// ICU's confusable data, with the script rules of names people read: one
// script, or the scripts a language writes together (Han with Kana, ...).
const USpoofChecker* spoofChecker() {
    static const SpoofChecker checker = [] {
        UErrorCode status = U_ZERO_ERROR;
        SpoofChecker made(uspoof_open(&status));
        if (U_FAILURE(status)) {
            raise(ErrorNumber::CannotCreateComponent, u_errorName(status));
        }
        uspoof_setChecks(made.get(), USPOOF_CONFUSABLE | USPOOF_RESTRICTION_LEVEL, &status);
        uspoof_setRestrictionLevel(made.get(), USPOOF_HIGHLY_RESTRICTIVE);
        return made;
    }();
    return checker.get();
}

std::string codePoint(UChar32 c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

} // namespace

std::array<std::string, 2> lookAlikeKeys(std::string_view text) {
    std::array<std::string, 2> keys{std::string(text), std::string(text)};
    if (!isValidUtf8(text)) {
        return keys;
    }
    const icu::UnicodeString source = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* forms[2] = {icu::Normalizer2::getNFKCInstance(status),
                                        icu::Normalizer2::getNFKCCasefoldInstance(status)};
    for (std::size_t i = 0; i < keys.size() && U_SUCCESS(status); ++i) {
        const icu::UnicodeString normal = forms[i]->normalize(source, status);
        icu::UnicodeString skeleton;
        uspoof_getSkeletonUnicodeString(spoofChecker(), 0, normal, skeleton, &status);
        keys[i].clear();
        skeleton.toUTF8String(keys[i]);
    }
    return keys;
}

std::string deceptiveCharacters(std::string_view text) {
    if (!isValidUtf8(text)) {
        return {};
    }
    for (std::string_view rest = text; !rest.empty();) {
        const Decoded d = decodeFirst(rest);
        rest.remove_prefix(d.length);
        if (u_hasBinaryProperty(d.cp, UCHAR_DEFAULT_IGNORABLE_CODE_POINT)) {
            return "an invisible character (" + codePoint(d.cp) + ")";
        }
        if (d.cp != ' ' && d.cp != '\t' && u_charType(d.cp) == U_SPACE_SEPARATOR) {
            return "a space other than the plain blank (" + codePoint(d.cp) + ")";
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    const int32_t found = uspoof_checkUTF8(spoofChecker(), text.data(),
                                           static_cast<int32_t>(text.size()), nullptr, &status);
    if (U_SUCCESS(status) && (found & USPOOF_RESTRICTION_LEVEL) != 0) {
        return "letters of scripts that are not used together";
    }
    return {};
}

} // namespace wexel
