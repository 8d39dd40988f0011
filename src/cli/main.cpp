// wexel-calc's entry point; everything else is in WexelCalc.cpp.
#include "cli/WexelCalc.h"
#include "platform/Process.h"

#include <iostream>

int main(int argc, char* argv[]) {
    wexel::openClosedStandardStreams();
    // Batches are long: do not pay for C stdio synchronisation per line.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status =
        wexel::runWexelCalc(args, std::cout, std::cerr, std::cin, wexel::executableFolder());
    std::cout.flush();
    return status;
}
