// wexel-calc's entry point; everything else is in WexelCalc.cpp.
#include "cli/ExecutableFolder.h"
#include "cli/WexelCalc.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // Batches are long: do not pay for C stdio synchronisation per line.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status =
        wexel::runWexelCalc(args, std::cout, std::cerr, std::cin,
                            wexel::cli::executableFolder(argc > 0 ? argv[0] : nullptr));
    std::cout.flush();
    return status;
}
