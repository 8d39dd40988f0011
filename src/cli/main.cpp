// wexel-calc's entry point; everything else is in WexelCalc.cpp.
#include "cli/WexelCalc.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <shellapi.h> // needs windows.h first
#endif

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The folder of the running executable, as the system loaded it.
std::string executableFolder(const char*) {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (length == 0) {
            std::error_code ec;
            return utf8(fs::current_path(ec));
        }
        if (length < exe.size()) {
            exe.resize(length);
            return utf8(fs::path(exe).parent_path());
        }
        exe.resize(exe.size() * 2);
    }
}

// The arguments in UTF-8, as typed: the narrow argv holds the ANSI code page,
// which cannot spell every name.
std::vector<std::string> arguments(int, char*[]) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(utf8(fs::path(wide[i])));
    }
    ::LocalFree(wide);
    return args;
}
#else

// The folder of the running executable, links resolved (the launcher in
// /usr/bin is one): the data files lie beside the program, as the window
// program finds its own. The system knows it best; argv0 and then the
// current folder are the fallbacks.
std::string executableFolder(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (exe.empty() && argv0 != nullptr && fs::path(argv0).has_parent_path()) {
        exe = fs::weakly_canonical(fs::absolute(argv0, ec), ec);
    }
    const std::u8string folder =
        (exe.empty() ? fs::current_path(ec) : exe.parent_path()).u8string();
    return std::string(folder.begin(), folder.end());
}

std::vector<std::string> arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    // Batches are long: do not pay for C stdio synchronisation per line.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
#ifdef _WIN32
    // Line ends are the line reader's business (a batch may end in CR LF),
    // and a Ctrl+Z in a batch is a bad line, not the end of it.
    (void)::_setmode(::_fileno(stdin), _O_BINARY);
    // Names are printed in UTF-8; the console shows them as such.
    const UINT consoleCodePage = ::GetConsoleOutputCP();
    ::SetConsoleOutputCP(CP_UTF8);
#endif
    const std::vector<std::string> args = arguments(argc, argv);
    const int status = wexel::runWexelCalc(args, std::cout, std::cerr, std::cin,
                                           executableFolder(argc > 0 ? argv[0] : nullptr));
    std::cout.flush();
#ifdef _WIN32
    ::SetConsoleOutputCP(consoleCodePage);
#endif
    return status;
}
