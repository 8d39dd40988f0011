// The window program with its single-instance guard in the folder given as
// the first argument: the guard's tests start it as the user would start the
// program, without meeting a copy that the user has open.
#include "program/ConverterProgram.h"

#include <QFile>

int main(int argc, char* argv[]) {
    const QString folder = argc > 1 ? QFile::decodeName(argv[1]) : QString();
    return wexel::runConverterProgram(argc > 0 ? 1 : 0, argv, folder);
}
