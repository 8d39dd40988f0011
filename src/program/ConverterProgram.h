#pragma once
// The window program: Qt set-up, the ports, then the start-up of ModGlobals.

#include <QString>

namespace wexel {

// Runs the program with its single-instance guard in `instanceFolder`
// (InstanceGuard::defaultFolder() for the installed program) and returns its
// exit status. The arguments are not read: Qt sees the program's name only.
int runConverterProgram(int argc, char* argv[], const QString& instanceFolder);

} // namespace wexel
