#pragma once
// The window program: Qt set-up, the ports, then the start-up of ModGlobals.

#include <QString>

namespace wexel {

// What the program sets once its QApplication exists: its name, version and
// icon, the font of its menu bar and message boxes, the numbers' locale. The
// start-up probe in bench/ sets the same, so that it times the program's start.
void setUpApplication();

// Runs the program with its single-instance guard in `instanceFolder`
// (InstanceGuard::defaultFolder() for the installed program) and returns its
// exit status. The arguments are not read: Qt sees the program's name only.
int runConverterProgram(int argc, char* argv[], const QString& instanceFolder);

} // namespace wexel
