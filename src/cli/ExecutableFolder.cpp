#include "cli/ExecutableFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wexel::cli {

namespace fs = std::filesystem;

namespace {

std::string fromSystem() {
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const fs::path exe(buffer);
    const std::u8string utf8 = exe.parent_path().u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        return {};
    }
    return exe.parent_path().string();
#endif
}

std::string fromArgv0(const char* argv0) {
    if (argv0 == nullptr || *argv0 == '\0') {
        return {};
    }
    std::error_code ec;
    fs::path exe(argv0);
    if (!exe.has_parent_path()) {
        // Started through PATH: find the first folder that holds it.
        const char* path = std::getenv("PATH");
        std::string_view folders = path != nullptr ? path : "";
#ifdef _WIN32
        const char listSeparator = ';';
#else
        const char listSeparator = ':';
#endif
        fs::path found;
        while (!folders.empty() && found.empty()) {
            const std::size_t end = folders.find(listSeparator);
            const fs::path candidate = fs::path(std::string(folders.substr(0, end))) / exe;
            if (fs::is_regular_file(candidate, ec)) {
                found = candidate;
            }
            folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
        }
        if (found.empty()) {
            return {};
        }
        exe = found;
    }
    fs::path resolved = fs::weakly_canonical(fs::absolute(exe, ec), ec);
    if (ec) {
        return {};
    }
    return resolved.parent_path().string();
}

} // namespace

std::string executableFolder(const char* argv0) {
    std::string folder = fromSystem();
    if (folder.empty()) {
        folder = fromArgv0(argv0);
    }
    if (folder.empty()) {
        std::error_code ec;
        folder = fs::current_path(ec).string();
    }
    return folder;
}

} // namespace wexel::cli
