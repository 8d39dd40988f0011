// The floor for any window that shows text: a Qt Widgets program that shows
// one window with one line of text, which loads the font database.
#include "WindowProbe.h"

#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("A utilization of"), &window));
    return runProbe(app, window);
}
