// wexel-calc's entry point; everything else is in WexelCalc.cpp.
#include "cli/WexelCalc.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

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

} // namespace

int main(int argc, char* argv[]) {
    // Batches are long: do not pay for C stdio synchronisation per line.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = wexel::runWexelCalc(args, std::cout, std::cerr, std::cin,
                                           executableFolder(argc > 0 ? argv[0] : nullptr));
    std::cout.flush();
    return status;
}
