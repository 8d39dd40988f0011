#include "ui/info/frmAbout.h"

#include "app/Windows.h"
#include "ui/info/AppIcon.h"
#include "ui/info/DialogLayout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace wexel {

namespace {

// The dialog as shown: 6465 twips wide; 4755 high outside, less a classic
// dialog frame and caption of 375 twips.
constexpr QSize kClientSize{twipsToPixels(6465), twipsToPixels(4755 - 375)};
constexpr int kSeparatorTop = 2040; // twips

// One of the two lines of the etched separator: a click on it is a click on
// the background, and it may reach past the dialog's edges.
QWidget* addLine(QWidget* parent, int index, QRect box, const QColor& colour) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setProperty(kMayOverhang, true);
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

QLabel* frmAbout::addLabel(const char* name, QRect box, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->installEventFilter(this);
    return label;
}

frmAbout::frmAbout(const VersionInfo& version, QWidget* parent) : QDialog(parent) {
    setUpDialog(this, "frmAbout", QStringLiteral("About ") + QString::fromLatin1(kAppTitle));
    // The OK button comes first: it is first in the tab order.
    QPushButton* cmdOK = addOkButton(this, twipsRect(2640, 3912, 1140, 345));

    QLabel* imgIcon = addLabel("imgIcon", twipsRect(345, 240, 780, 780), {});
    imgIcon->setPixmap(applicationPixmap());
    imgIcon->setScaledContents(true);

    // Lines are drawn by their own geometry: x2 - x1 (+ 1 pixel) wide. The
    // grey one sits on the upper pixel of the white one: an etched rule.
    const int separator = twipsToPixels(kSeparatorTop);
    QWidget* grey =
        addLine(this, 1, QRect(0, separator, twipsToPixels(6960) + 1, 1), QColor(128, 128, 128));
    QWidget* white =
        addLine(this, 0, QRect(twipsToPixels(-195), separator, twipsToPixels(6645 + 195) + 1, 2),
                Qt::white);
    white->lower();

    const QString title = QString::fromLatin1(kAppTitle);
    const QString versionText = QStringLiteral("Version %1.%2.%3")
                                    .arg(version.major)
                                    .arg(version.minor)
                                    .arg(version.revision);
    QLabel* lblTitle = addLabel("lblTitle", twipsRect(1425, 240, 3885, 375), title);
    lblTitle->setFont(designFont(QStringLiteral("Arial"), 12, true));
    setTextColour(lblTitle, Qt::black);
    QLabel* lblCopyright = addLabel("lblCopyright", twipsRect(1425, 600, 4095, 255),
                                    QString::fromStdString(version.copyright));
    lblCopyright->setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    QLabel* lblVersion = addLabel("lblVersion", twipsRect(1425, 840, 2805, 225), versionText);
    lblVersion->setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    // The program's version information has no file description: the label
    // of the design stays empty.
    QLabel* lblFileDescription =
        addLabel("lblFileDescription", twipsRect(4545, 840, 1575, 225), {});
    lblFileDescription->setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    setTextColour(lblFileDescription, QColor(0, 0, 255));
    QLabel* lblKestan = addLabel("lblKestan", twipsRect(285, 1200, 2325, 570),
                                 QString::fromLatin1(kDevelopmentGroup));
    lblKestan->setWordWrap(true);
    setTextColour(lblKestan, Qt::black);
    QLabel* lblDisclaimer = addLabel("lblDisclaimer", twipsRect(180, 2160, 6090, 1695),
                                     QString::fromLatin1(kDisclaimer));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
    setTextColour(lblDisclaimer, QColor(255, 0, 0));

    // Fit every text to the font really in use; boxes only grow.
    for (QLabel* label :
         {lblTitle, lblCopyright, lblVersion, lblFileDescription, lblKestan, lblDisclaimer}) {
        fitLabel(label);
    }
    const QSize client = clientSizeFor(this, kClientSize, twipsToPixels(120));
    // A wider dialog keeps its separator across the whole width and its OK
    // button in the middle.
    const int widened = client.width() - kClientSize.width();
    if (widened > 0) {
        for (QWidget* line : {grey, white}) {
            line->resize(line->width() + widened, line->height());
        }
        cmdOK->move(cmdOK->x() + widened / 2, cmdOK->y());
    }
    setFixedSize(client);
    cmdOK->setFocus();
    placeOnScreen(this);
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
