#pragma once
// The message box: a modal box with a prompt, a title, an OK button and no
// icon. The window program installs a Qt box; tests install a recording fake;
// without either, messages go to standard error.

#include <string>

namespace wexel {

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Shows the box and returns when the user has closed it.
    virtual void showMessage(const std::string& prompt, const std::string& title) = 0;
};

// Installs the box used from now on; nullptr restores the standard-error box.
void setMessageBox(MessageBoxPort* box);
MessageBoxPort& messageBox();

// Shows a message through the installed box.
inline void MsgBox(const std::string& prompt, const std::string& title) {
    messageBox().showMessage(prompt, title);
}

} // namespace wexel
