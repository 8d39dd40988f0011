#pragma once
// The window steps of start-up for the window program: the guard's raise
// request, the modal About dialog, the converter window. The windows come in
// as functions so that this layer does not depend on them.

#include "app/ModGlobals.h"

#include <QMetaObject>

#include <functional>

class QWidget;

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
    // Shows the converter window and makes it the main window (app/Windows.h).
    void showConverter() override;

private:
    InstanceGuard& guard_;
    std::function<void()> showAbout_;
    std::function<QWidget*()> makeConverter_;
    QMetaObject::Connection raiseConnection_;
};

} // namespace wexel
