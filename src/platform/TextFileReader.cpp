#include "platform/TextFileReader.h"

#include "platform/RuntimeError.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace wexel {

namespace {

// Code points of 0x80..0x9F in Windows-1252; the five unassigned bytes map to
// the C1 controls of the same value, as Windows itself does.
constexpr char32_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += len;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            appendUtf8(out, kHighTable[c - 0x80]);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
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

TextFileReader::TextFileReader(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Paths are UTF-8 everywhere in the program, also on Windows.
    const fs::path p(std::u8string(path.begin(), path.end()));
    const fs::file_status status = fs::status(p, ec);
    if (ec || !fs::exists(status)) {
        raise(ErrorNumber::FileNotFound, path);
    }
    if (fs::is_directory(status)) {
        raise(ErrorNumber::PathFileAccess, path + " is a folder, not a data file");
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        raise(ErrorNumber::PathFileAccess, path + " cannot be read");
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        raise(ErrorNumber::PathFileAccess, path + " cannot be read");
    }
    if (isValidUtf8(bytes)) {
        text_ = std::move(bytes);
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            pos_ = 3;
        }
    } else {
        text_ = windows1252ToUtf8(bytes);
    }
}

std::string_view TextFileReader::readLine() {
    if (atEnd()) {
        return {};
    }
    const std::size_t start = pos_;
    const std::size_t end = text_.find_first_of("\r\n", start);
    ++line_;
    if (end == std::string::npos) {
        pos_ = text_.size();
        return std::string_view(text_).substr(start);
    }
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
        ++pos_;
    }
    return std::string_view(text_).substr(start, end - start);
}

} // namespace wexel
