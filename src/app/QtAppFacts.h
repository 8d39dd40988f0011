#pragma once
// The application facts of the window program.

#include "platform/AppFacts.h"

namespace wexel {

class InstanceGuard;

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
