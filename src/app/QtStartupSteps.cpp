#include "app/QtStartupSteps.h"

#include "app/InstanceGuard.h"

#include <QApplication>

namespace wexel {

QtStartupSteps::QtStartupSteps(InstanceGuard& guard, std::function<void()> showAbout,
                               std::function<QWidget*()> makeConverter)
    : guard_(guard), showAbout_(std::move(showAbout)), makeConverter_(std::move(makeConverter)) {
    raiseConnection_ = QObject::connect(&guard_, &InstanceGuard::raiseRequested,
                                        [this] { raiseRunningWindows(); });
}

QtStartupSteps::~QtStartupSteps() {
    QObject::disconnect(raiseConnection_);
}

void QtStartupSteps::ShowRunningInstance() {
    // Whether or not the running instance answers, this process ends now.
    (void)guard_.requestRaise();
}

void QtStartupSteps::showAboutModal() {
    if (showAbout_) {
        showAbout_();
    }
}

void QtStartupSteps::showConverter() {
    if (!makeConverter_) {
        return;
    }
    QWidget* window = makeConverter_();
    mainWindow_ = window;
    if (window != nullptr) {
        window->show();
    }
}

void QtStartupSteps::raiseRunningWindows() {
    raiseWindow(mainWindow_.data());
    raiseWindow(QApplication::activeModalWidget());
}

} // namespace wexel
