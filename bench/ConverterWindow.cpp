// The program's start-up without the About dialog: load the sample data and
// show the converter window.
#include "WindowProbe.h"

#include "tiers/DataFiles.h"
#include "ui/converter/frmQConverter.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    wexel::LoadDataFiles(WEXEL_DATA_DIR);
    wexel::frmQConverter window;
    return runProbe(app, window);
}
