// wexel-calc's entry point; everything else is in WexelCalc.cpp.
#include "cli/WexelCalc.h"
#include "platform/Process.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // needs windows.h first
#endif

namespace {

#ifdef _WIN32
// The arguments in UTF-8, as typed: the narrow argv holds the ANSI code page,
// which cannot spell every name.
std::vector<std::string> arguments(int, char*[]) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const std::u8string text = std::filesystem::path(wide[i]).u8string();
        args.emplace_back(text.begin(), text.end());
    }
    ::LocalFree(wide);
    return args;
}
#else
std::vector<std::string> arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    wexel::openClosedStandardStreams();
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
    const int status =
        wexel::runWexelCalc(args, std::cout, std::cerr, std::cin, wexel::executableFolder());
    std::cout.flush();
#ifdef _WIN32
    ::SetConsoleOutputCP(consoleCodePage);
#endif
    return status;
}
