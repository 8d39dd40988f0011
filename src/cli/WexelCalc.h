#pragma once
// wexel-calc: the converter window's conversions from the command line,
// batch estimates, and a checker for the two data files. The window's own
// procedures do the work; this is only their command-line face.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace wexel {

// Runs one command. `args` are the arguments after the program name;
// results go to `out`, messages to `err`; `in` is read by a batch without a
// file. `defaultDataFolder` is where the data files are looked for without
// --data. Returns the exit status.
int runWexelCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::istream& in, const std::string& defaultDataFolder);

namespace cli {

inline constexpr const char* kProgram = "wexel-calc";

// Exit status: done; a data file did not load, an error was reported, a batch
// had bad lines or check found warnings only; a usage error, an unknown
// conversion, a rejected input or check found errors.
enum Exit : int { Done = 0, Failed = 1, Refused = 2 };

} // namespace cli

} // namespace wexel
