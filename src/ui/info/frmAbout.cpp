#include "ui/info/frmAbout.h"

#include "ui/info/AppIcon.h"
#include "ui/info/DialogLayout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace wexel {

namespace {

QColor kGrey(128, 128, 128);

QWidget* addLine(QWidget* parent, int index, QRect box, const QColor& colour) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setProperty(kMayOverhang, true);
    // A click on a line is a click on the background.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setGeometry(box);
    return line;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

QString aboutVersionText(const VersionInfo& version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

QSize frmAbout::designClientSize() {
    return {twipsToPixels(6465), twipsToPixels(4755 - 375)};
}

QLabel* frmAbout::addLabel(const char* name, QRect box) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->installEventFilter(this);
    return label;
}

frmAbout::frmAbout(const VersionInfo& version, const std::string& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(applicationIcon());
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 8.25));
    setWindowTitle(QStringLiteral("About MyApp"));

    // The OK button comes first: it is first in the tab order.
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setGeometry(twipsRect(2640, 5160, 1140, 345));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* imgIcon = addLabel("imgIcon", twipsRect(345, 240, 780, 780));
    imgIcon->setPixmap(applicationPixmap());
    imgIcon->setScaledContents(true);

    // Lines are drawn by their own geometry: x2 - x1 (+ 1 pixel) wide.
    addLine(this, 1, QRect(0, twipsToPixels(3000), twipsToPixels(6960) + 1, 1), kGrey);

    QLabel* lblTitle = addLabel("lblTitle", twipsRect(1425, 240, 3885, 375));
    lblTitle->setFont(dialogFont(QStringLiteral("Arial"), 12, true));
    setTextColour(lblTitle, Qt::black);
    lblTitle->setText(QStringLiteral("Application Title"));

    QWidget* white = addLine(
        this, 0, QRect(twipsToPixels(-195), twipsToPixels(3000), twipsToPixels(6645 + 195) + 1, 2),
        Qt::white);
    // The grey line sits on the upper pixel of the white one: an etched rule.
    white->lower();

    QLabel* lblCopyright = addLabel("lblCopyright", twipsRect(1425, 600, 4095, 255));
    lblCopyright->setFont(dialogFont(QStringLiteral("Arial"), 9.75, true));
    lblCopyright->setText(QStringLiteral("Copyright"));

    QLabel* lblVersion = addLabel("lblVersion", twipsRect(1425, 840, 2805, 225));
    lblVersion->setFont(dialogFont(QStringLiteral("Arial"), 9.75, true));
    lblVersion->setText(QStringLiteral("Version"));

    QLabel* lblFileDescription = addLabel("lblFileDescription", twipsRect(4545, 840, 1575, 225));
    lblFileDescription->setFont(dialogFont(QStringLiteral("Arial"), 9.75, true));
    setTextColour(lblFileDescription, QColor(0, 0, 255));
    lblFileDescription->setText(QStringLiteral("File description"));

    QLabel* lblKestan = addLabel("lblKestan", twipsRect(285, 1200, 2325, 570));
    lblKestan->setWordWrap(true);
    setTextColour(lblKestan, Qt::black);
    lblKestan->setText(QString::fromLatin1(kDevelopmentGroup));

    QLabel* lblDisclaimer = addLabel("lblDisclaimer", twipsRect(180, 3240, 6090, 1695));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 9.75));
    setTextColour(lblDisclaimer, QColor(255, 0, 0));
    lblDisclaimer->setText(QStringLiteral("Warning: ..."));

    for (QLabel* label : {lblTitle, lblCopyright, lblVersion, lblFileDescription}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    lblKestan->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Form_Load(version, title);
    cmdOK->setFocus();
}

void frmAbout::Form_Load(const VersionInfo& version, const std::string& title) {
    const QString appTitle = QString::fromStdString(title);
    setWindowTitle(QStringLiteral("About ") + appTitle);
    auto* lblVersion = findChild<QLabel*>(QStringLiteral("lblVersion"));
    auto* lblFileDescription = findChild<QLabel*>(QStringLiteral("lblFileDescription"));
    auto* lblTitle = findChild<QLabel*>(QStringLiteral("lblTitle"));
    auto* lblDisclaimer = findChild<QLabel*>(QStringLiteral("lblDisclaimer"));
    auto* lblCopyright = findChild<QLabel*>(QStringLiteral("lblCopyright"));
    lblVersion->setText(aboutVersionText(version));
    lblFileDescription->setText(QString::fromStdString(version.fileDescription));
    lblTitle->setText(appTitle);
    lblDisclaimer->setText(QString::fromLatin1(kDisclaimer));
    lblCopyright->setText(QString::fromStdString(version.copyright));

    // The design is taller than what is shown; move the lower part up.
    const int separator = twipsToPixels(2040);
    for (QWidget* line : findChildren<QWidget*>(QStringLiteral("Line1"))) {
        line->move(line->x(), separator);
    }
    lblDisclaimer->move(lblDisclaimer->x(), twipsToPixels(2160));
    auto* cmdOK = findChild<QPushButton*>(QStringLiteral("cmdOK"));
    cmdOK->move(cmdOK->x(), twipsToPixels(3912));

    // Fit every text to the font really in use; boxes only grow.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            fitLabel(label);
        }
    }
    const int buttonWidth =
        std::max(cmdOK->width(), cmdOK->fontMetrics().horizontalAdvance(cmdOK->text()) + 16);
    cmdOK->resize(buttonWidth, std::max(cmdOK->height(), cmdOK->sizeHint().height()));
    const QSize client = clientSizeFor(this, designClientSize(), twipsToPixels(120));
    // A wider dialog keeps its separator across the whole width and its OK
    // button in the middle.
    const int widened = client.width() - designClientSize().width();
    if (widened > 0) {
        for (QWidget* line : findChildren<QWidget*>(QStringLiteral("Line1"))) {
            line->resize(line->width() + widened, line->height());
        }
        cmdOK->move(cmdOK->x() + widened / 2, cmdOK->y());
    }
    setFixedSize(client);
}

void frmAbout::showModal() {
    frmAbout dialog;
    dialog.exec();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget != nullptr &&
            widget->rect().contains(mouse->position().toPoint())) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

} // namespace wexel
