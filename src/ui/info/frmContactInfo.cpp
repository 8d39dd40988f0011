#include "ui/info/frmContactInfo.h"

#include "app/Windows.h"
#include "ui/info/AppIcon.h"
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

frmContactInfo::frmContactInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmContactInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowIcon(applicationIcon());
    setWindowTitle(QStringLiteral("Contact Information"));
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 8.25));

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setGeometry(twipsRect(2160, 960, 1140, 345));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* label1 = new QLabel(QString::fromLatin1(kContactPrompt), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 9.75));
    label1->setGeometry(twipsRect(270, 120, 4935, 255));

    auto* label2 = new QLabel(QString::fromLatin1(kSupportAddress), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 13.5));
    label2->setGeometry(twipsRect(270, 480, 4935, 375));

    fitLabel(label1, Grow::BothSides);
    fitLabel(label2, Grow::BothSides);
    const int buttonWidth =
        std::max(cmdOK->width(), cmdOK->fontMetrics().horizontalAdvance(cmdOK->text()) + 16);
    cmdOK->resize(buttonWidth, std::max(cmdOK->height(), cmdOK->sizeHint().height()));

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

frmContactInfo::~frmContactInfo() = default;

frmContactInfo* frmContactInfo::showInstance() {
    QPointer<frmContactInfo>& dialog = openDialog();
    if (dialog.isNull()) {
        dialog = new frmContactInfo;
    }
    raiseWindow(dialog.data());
    return dialog.data();
}

frmContactInfo* frmContactInfo::instance() {
    return openDialog().data();
}

void frmContactInfo::closeInstance() {
    if (frmContactInfo* dialog = openDialog().data()) {
        dialog->close();
        delete dialog;
    }
}

} // namespace wexel
