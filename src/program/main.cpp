// wexel-converter: the window program.
#include "desktop/InstanceGuard.h"
#include "program/ConverterProgram.h"

int main(int argc, char* argv[]) {
    return wexel::runConverterProgram(argc, argv, wexel::InstanceGuard::defaultFolder());
}
