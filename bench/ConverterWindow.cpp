// The program's start-up without the About dialog and the single-instance
// guard's claim: the program's own set-up, the sample data loaded, the
// converter window shown. It links what the program links.
#include "WindowProbe.h"

#include "desktop/Windows.h"
#include "program/ConverterProgram.h"
#include "tiers/DataFiles.h"
#include "ui/converter/frmQConverter.h"

int main(int argc, char* argv[]) {
    wexel::useWholeScaleFactors();
    QApplication app(argc, argv);
    wexel::setUpApplication();
    wexel::LoadDataFiles(WEXEL_DATA_DIR);
    wexel::frmQConverter window;
    return runProbe(app, window);
}
