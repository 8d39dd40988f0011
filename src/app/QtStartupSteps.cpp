#include "app/QtStartupSteps.h"

#include "app/InstanceGuard.h"
#include "app/Windows.h"

#include <QApplication>
#include <QWidget>

namespace wexel {

QtStartupSteps::QtStartupSteps(InstanceGuard& guard, std::function<void()> showAbout,
                               std::function<QWidget*()> makeConverter)
    : guard_(guard), showAbout_(std::move(showAbout)), makeConverter_(std::move(makeConverter)) {
    // A second instance's request: the converter window comes to the front,
    // and a modal dialog open over it (About at start, a message) stays on top.
    raiseConnection_ = QObject::connect(&guard_, &InstanceGuard::raiseRequested, [] {
        raiseWindow(mainWindow());
        raiseWindow(QApplication::activeModalWidget());
    });
}

QtStartupSteps::~QtStartupSteps() {
    QObject::disconnect(raiseConnection_);
}

void QtStartupSteps::ShowRunningInstance() {
    // Whether or not the running instance answers, this process ends now.
    (void)guard_.requestRaise();
}

void QtStartupSteps::showAboutModal() {
    showAbout_();
}

void QtStartupSteps::showConverter() {
    QWidget* window = makeConverter_();
    placeOnScreen(window);
    window->show();
    setMainWindow(window);
}

} // namespace wexel
