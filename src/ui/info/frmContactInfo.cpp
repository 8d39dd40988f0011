#include "ui/info/frmContactInfo.h"

#include "desktop/Windows.h"
#include "ui/info/DialogLayout.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace wexel {

namespace {

QPointer<frmContactInfo>& openDialog() {
    static QPointer<frmContactInfo> dialog;
    return dialog;
}

constexpr auto& px = twipsToPixels;

// The dialog's client area as designed.
constexpr QSize kClient{5475, 1545};

} // namespace

frmContactInfo::frmContactInfo(QWidget* parent) : QDialog(parent) {
    setUpDialog(this, "frmContactInfo", QStringLiteral("Contact Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(0);
    column->setContentsMargins(px(270), px(120), px(270), 0);
    column->setSizeConstraint(QLayout::SetFixedSize);

    // The two texts and OK, each centred, as designed.
    auto* label1 = new QLabel(QString::fromLatin1(kContactPrompt), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
    atLeastDesign(label1, QSize(4935, 255));
    column->addWidget(label1);
    column->addSpacing(px(480 - 120 - 255));
    auto* label2 = new QLabel(QString::fromLatin1(kSupportAddress), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setFont(designFont(QStringLiteral("MS Sans Serif"), 13.5));
    // The address is there to be copied into a mail.
    label2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    atLeastDesign(label2, QSize(4935, 375));
    column->addWidget(label2);
    column->addSpacing(px(960 - 480 - 375));
    QPushButton* cmdOK = addOkButton(this, column, QSize(1140, 345));
    column->addSpacing(px(kClient.height() - 960 - 345));
    column->addStrut(px(kClient.width() - 2 * 270));
    cmdOK->setFocus();
    adjustSize();
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
