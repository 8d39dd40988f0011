#pragma once
// The About dialog: title, version, copyright, development group and the
// estimation disclaimer. Modal; any click inside it, OK, Enter or Esc closes it.

#include "platform/AppFacts.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace wexel {

inline constexpr const char* kDisclaimer =
    "This tool is for estimation only.  This tool is used to convert between capacity and "
    "Wexels.  Wexels are product specific. Wexels are acquired for one product and are not "
    "transferable to another product.";
inline constexpr const char* kDevelopmentGroup = "Wexel Pricer Development, Capacity Licensing";

// "Version 4.0.0": the three numbers in plain decimal.
QString aboutVersionText(const VersionInfo& version);

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const VersionInfo& version = builtInVersion(),
                      const std::string& title = kAppTitle, QWidget* parent = nullptr);

    // Creates the dialog, shows it modally with no owner and destroys it
    // when it closes.
    static void showModal();

    // The client area before any widening for the fonts in use: 6465 twips
    // wide; the outer height of 4755 twips less a classic dialog frame and
    // caption of 375 twips.
    static QSize designClientSize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* addLabel(const char* name, QRect box);
    void Form_Load(const VersionInfo& version, const std::string& title);
};

} // namespace wexel
