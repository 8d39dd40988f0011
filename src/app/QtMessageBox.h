#pragma once
// The message box of the window program: modal, the given title, the text,
// one OK button and no icon.

#include "platform/MessageBoxPort.h"

namespace wexel {

class QtMessageBox : public MessageBoxPort {
public:
    void showMessage(const std::string& prompt, const std::string& title) override;
};

} // namespace wexel
