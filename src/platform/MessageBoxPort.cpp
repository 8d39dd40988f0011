#include "platform/MessageBoxPort.h"

#include <iostream>

namespace wexel {

namespace {

class StandardErrorBox : public MessageBoxPort {
public:
    void showMessage(const std::string& prompt, const std::string& title) override {
        std::cerr << title << ": " << prompt << '\n';
    }
};

MessageBoxPort*& installed() {
    static MessageBoxPort* box = nullptr;
    return box;
}

} // namespace

void setMessageBox(MessageBoxPort* box) {
    installed() = box;
}

MessageBoxPort& messageBox() {
    static StandardErrorBox fallback;
    MessageBoxPort* box = installed();
    return box != nullptr ? *box : fallback;
}

} // namespace wexel
