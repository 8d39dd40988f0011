#pragma once
// What each program settles about its own process before anything else.

#include <string>

namespace wexel {

// Opens /dev/null on each of standard input, output and error that is
// closed: otherwise the next file or connection the process opens takes that
// number, and a warning meant for standard error is written into it.
void openClosedStandardStreams();

// The folder of the running executable as the system names it, links
// resolved and byte for byte (a folder name need not be UTF-8): the data and
// help files lie beside the program. Empty when the system cannot say; never
// the current folder, whose files may be anyone's.
std::string executableFolder();

} // namespace wexel
