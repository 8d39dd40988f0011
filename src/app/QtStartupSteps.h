#pragma once
// The window steps of start-up for the window program: the guard's raise
// request, the modal About dialog, the converter window. The dialogs come in
// as functions so that this layer does not depend on the windows.

#include "app/ModGlobals.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace wexel {

class InstanceGuard;

class QtStartupSteps : public StartupSteps {
public:
    QtStartupSteps(InstanceGuard& guard, std::function<void()> showAbout,
                   std::function<QWidget*()> makeConverter);
    ~QtStartupSteps() override;
    QtStartupSteps(const QtStartupSteps&) = delete;
    QtStartupSteps& operator=(const QtStartupSteps&) = delete;

    void ShowRunningInstance() override;
    void showAboutModal() override;
    void showConverter() override;

    // The converter window once shown (nullptr before, or after it is gone).
    QWidget* mainWindow() const { return mainWindow_.data(); }

    // What a second instance's request does here: the converter window comes
    // to the front, and a modal dialog open over it (the About dialog at
    // start, a message) stays on top of it.
    void raiseRunningWindows();

private:
    InstanceGuard& guard_;
    std::function<void()> showAbout_;
    std::function<QWidget*()> makeConverter_;
    QPointer<QWidget> mainWindow_;
    QMetaObject::Connection raiseConnection_;
};

} // namespace wexel
