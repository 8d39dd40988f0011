#pragma once
// The Contact dialog: whom to write to for help with the tool. Modeless, and
// at most one at a time.

#include <QDialog>

namespace wexel {

inline constexpr const char* kContactPrompt = "If you need help with this tool please contact:";
inline constexpr const char* kSupportAddress = "wexel-support@example.com";

class frmContactInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmContactInfo(QWidget* parent = nullptr);

    // Creates the dialog unless it is open, shows it without blocking the
    // other windows and brings it forward; returns the one dialog.
    static frmContactInfo* showInstance();
    // Closes and destroys the open dialog, if any.
    static void closeInstance();
};

} // namespace wexel
