#include "cli/ExecutableFolder.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wexel::cli {

namespace fs = std::filesystem;

namespace {

// The running executable as the system knows it, links resolved.
fs::path fromSystem() {
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(n);
    return fs::path(buffer);
#else
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec);
#endif
}

} // namespace

std::string executableFolder(const char* argv0) {
    std::error_code ec;
    fs::path exe = fromSystem();
    if (exe.empty() && argv0 != nullptr && fs::path(argv0).has_parent_path()) {
        exe = fs::weakly_canonical(fs::absolute(argv0, ec), ec);
    }
    const fs::path folder = exe.empty() ? fs::current_path(ec) : exe.parent_path();
    const std::u8string utf8 = folder.u8string();
    return std::string(utf8.begin(), utf8.end());
}

} // namespace wexel::cli
