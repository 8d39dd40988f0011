#include "ui/info/frmAbout.h"

#include "desktop/Windows.h"
#include "ui/info/AppIcon.h"
#include "ui/info/DialogLayout.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace wexel {

namespace {

constexpr auto& px = twipsToPixels;

// The dialog's client area as designed: 6465 twips wide; 4755 high outside,
// less a classic dialog frame and caption of 375 twips.
constexpr QSize kClient{6465, 4755 - 375};

// One of the two lines of the etched separator: a click on it is a click on
// the background.
QWidget* addLine(QWidget* parent, int index, int height, const QColor& colour) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setProperty(kMayOverhang, true);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setFixedHeight(height);
    return line;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A row of the dialog, indented as designed (twips).
QHBoxLayout* row(QVBoxLayout* column, int left) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(px(left), 0, 0, 0);
    layout->setSpacing(0);
    column->addLayout(layout);
    return layout;
}

} // namespace

QLabel* frmAbout::addLabel(const char* name, const QString& text, QSize design, const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    label->installEventFilter(this);
    atLeastDesign(label, design);
    return label;
}

frmAbout::frmAbout(const VersionInfo& version, QWidget* parent) : QDialog(parent) {
    setUpDialog(this, "frmAbout", QStringLiteral("About ") + QString::fromLatin1(kAppTitle));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(0);
    column->setContentsMargins(0, px(240), 0, 0);
    column->setSizeConstraint(QLayout::SetFixedSize);

    // The separator's lines come first and last in the design's order of
    // creation; the grey one lies on the upper pixel of the white one.
    QWidget* grey = addLine(this, 1, 1, QColor(128, 128, 128));

    // Icon, title, copyright, version and file description.
    QHBoxLayout* head = row(column, 345);
    QLabel* imgIcon = addLabel("imgIcon", {}, QSize(780, 780), font());
    imgIcon->setPixmap(applicationPixmap());
    imgIcon->setScaledContents(true);
    imgIcon->setFixedSize(px(780), px(780));
    head->addWidget(imgIcon, 0, Qt::AlignTop);
    head->addSpacing(px(1425 - 345 - 780));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    head->addLayout(texts);
    head->addStretch();
    const QFont arial(designFont(QStringLiteral("Arial"), 9.75, true));
    QLabel* lblTitle = addLabel("lblTitle", QString::fromLatin1(kAppTitle), QSize(3885, 375),
                                designFont(QStringLiteral("Arial"), 12, true));
    setTextColour(lblTitle, Qt::black);
    texts->addWidget(lblTitle);
    texts->addWidget(addLabel("lblCopyright", QString::fromStdString(version.copyright),
                              QSize(4095, 255), arial));
    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(px(4545 - 1425 - 2805));
    texts->addLayout(versionRow);
    const QString versionText = QStringLiteral("Version %1.%2.%3")
                                    .arg(version.major)
                                    .arg(version.minor)
                                    .arg(version.revision);
    versionRow->addWidget(addLabel("lblVersion", versionText, QSize(2805, 225), arial));
    // The program's version information has no file description: the label
    // of the design stays empty.
    QLabel* lblFileDescription = addLabel("lblFileDescription", {}, QSize(1575, 225), arial);
    setTextColour(lblFileDescription, QColor(0, 0, 255));
    versionRow->addWidget(lblFileDescription);
    versionRow->addStretch();

    // The development group, wrapped in its box.
    column->addSpacing(px(1200 - 240 - 780));
    QLabel* lblKestan = new QLabel(QString::fromLatin1(kDevelopmentGroup), this);
    lblKestan->setObjectName(QStringLiteral("lblKestan"));
    lblKestan->setWordWrap(true);
    lblKestan->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblKestan->installEventFilter(this);
    setTextColour(lblKestan, Qt::black);
    atLeastDesign(lblKestan, QSize(2325, 570));
    QHBoxLayout* kestan = row(column, 285);
    kestan->addWidget(lblKestan);
    kestan->addStretch();

    // The etched separator across the whole dialog.
    column->addSpacing(px(2040 - 1200 - 570));
    QWidget* white = addLine(this, 0, 2, Qt::white);
    auto* separator = new QGridLayout;
    separator->addWidget(white, 0, 0);
    separator->addWidget(grey, 0, 0, Qt::AlignTop);
    grey->raise();
    column->addLayout(separator);

    // The disclaimer, wrapped in its box, red.
    column->addSpacing(px(2160 - 2040) - 2);
    QLabel* lblDisclaimer = new QLabel(QString::fromLatin1(kDisclaimer), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
    lblDisclaimer->installEventFilter(this);
    setTextColour(lblDisclaimer, QColor(255, 0, 0));
    atLeastDesign(lblDisclaimer, QSize(6090, 1695));
    QHBoxLayout* disclaimer = row(column, 180);
    disclaimer->addWidget(lblDisclaimer);
    disclaimer->addSpacing(px(kClient.width() - 180 - 6090));
    disclaimer->addStretch();

    // OK, centred; the dialog as wide as designed, or as its texts need.
    column->addSpacing(px(3912 - 2160 - 1695));
    QPushButton* cmdOK = addOkButton(this, column, QSize(1140, 345));
    column->addSpacing(px(kClient.height() - 3912 - 345));
    column->addStrut(px(kClient.width()));
    cmdOK->setFocus(); // the dialog's one control that takes the focus
    adjustSize();
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

// A click closes the dialog, so its texts cannot be selected: Ctrl+C copies
// them all, as a message box does.
void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QStringList texts;
        for (const QLabel* label : findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                texts << label->text();
            }
        }
        QGuiApplication::clipboard()->setText(texts.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

} // namespace wexel
