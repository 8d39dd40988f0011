// The floor Qt itself sets: a Qt Widgets program that shows one empty window.
#include "WindowProbe.h"

#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    return runProbe(app, window);
}
