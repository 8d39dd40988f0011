#pragma once
// The About dialog: title, version, copyright, development group and the
// estimation disclaimer. Modal; any click inside it, OK, Enter or Esc closes it.

#include "platform/Ports.h"

#include <QDialog>

class QLabel;

namespace wexel {

inline constexpr const char* kDevelopmentGroup = "Wexel Pricer Development, Capacity Licensing";

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const VersionInfo& version = builtInVersion(), QWidget* parent = nullptr);

    // Creates the dialog, shows it modally with no owner and destroys it
    // when it closes.
    static void showModal();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& text, QSize design, const QFont& font);
};

} // namespace wexel
