#pragma once
// The window program's side of the core's ports: the message box and the
// application facts.

#include "platform/Ports.h"

namespace wexel {

class InstanceGuard;

// A modal box with the title, the text, one OK button and no icon: Qt's
// message box, wide enough for its title, its text selectable and copied with
// Ctrl+C, a number kept with the words around it where it wraps, opening on
// the screen of the converter window.
class QtMessageBox : public MessageBoxPort {
public:
    void showMessage(const std::string& prompt, const std::string& title) override;
};

class QtAppFacts : public AppFacts {
public:
    explicit QtAppFacts(InstanceGuard& guard) : guard_(guard) {}

    // Asks the guard: a process that cannot claim the instance is the second.
    bool previousInstanceRunning() override;
    // The executable's folder in the platform's own separators.
    std::string exeDirectory() override;

private:
    InstanceGuard& guard_;
};

} // namespace wexel
