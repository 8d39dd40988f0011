#pragma once
// Where wexel-calc lies: its data files are found beside it, as the window
// program finds its own.

#include <string>

namespace wexel::cli {

// The folder that holds the running executable, without a trailing
// separator, with links resolved (an installed launcher is a link). Asks the
// system first; falls back on argv0 when it names a folder, and finally on
// the current folder.
std::string executableFolder(const char* argv0);

} // namespace wexel::cli
