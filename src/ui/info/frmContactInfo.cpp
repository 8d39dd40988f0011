#include "ui/info/frmContactInfo.h"

#include "app/Windows.h"
#include "ui/info/DialogLayout.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

namespace wexel {

namespace {

QPointer<frmContactInfo>& openDialog() {
    static QPointer<frmContactInfo> dialog;
    return dialog;
}

constexpr QSize kClientSize{twipsToPixels(5475), twipsToPixels(1545)};

} // namespace

frmContactInfo::frmContactInfo(QWidget* parent) : QDialog(parent) {
    setUpDialog(this, "frmContactInfo", QStringLiteral("Contact Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* cmdOK = addOkButton(this, twipsRect(2160, 960, 1140, 345));

    auto* label1 = new QLabel(QString::fromLatin1(kContactPrompt), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
    label1->setGeometry(twipsRect(270, 120, 4935, 255));

    auto* label2 = new QLabel(QString::fromLatin1(kSupportAddress), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setFont(designFont(QStringLiteral("MS Sans Serif"), 13.5));
    label2->setGeometry(twipsRect(270, 480, 4935, 375));

    fitLabel(label1, Grow::BothSides);
    fitLabel(label2, Grow::BothSides);

    // The three controls are centred in the design; when a wider font has
    // widened a label, widen the dialog with it and keep them centred.
    const int margin = twipsToPixels(270);
    int width = kClientSize.width();
    for (QWidget* widget : std::initializer_list<QWidget*>{label1, label2, cmdOK}) {
        width = std::max(width, widget->width() + 2 * margin);
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{label1, label2, cmdOK}) {
        widget->move((width - widget->width()) / 2, widget->y());
    }
    const QSize client =
        clientSizeFor(this, QSize(width, kClientSize.height()), twipsToPixels(120));
    setFixedSize(client);
    cmdOK->setFocus();
    placeOnScreen(this);
}

frmContactInfo* frmContactInfo::showInstance() {
    QPointer<frmContactInfo>& dialog = openDialog();
    if (dialog.isNull()) {
        dialog = new frmContactInfo;
    }
    raiseWindow(dialog.data());
    return dialog.data();
}

void frmContactInfo::closeInstance() {
    if (frmContactInfo* dialog = openDialog().data()) {
        dialog->close();
        delete dialog;
    }
}

} // namespace wexel
