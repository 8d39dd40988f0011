#include "ui/info/HelpViewer.h"

#include "ui/info/AppIcon.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace wexel {

namespace {

const QString kScheme = QStringLiteral("help");
const QString kIndex = QStringLiteral("index");

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("txtTopic"));
    // Links are resolved against the help file, not against the disc.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

void HelpBrowser::setHelpFile(HelpFile help) {
    help_ = std::move(help);
}

QUrl HelpBrowser::topicUrl(unsigned long context) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QString::number(context));
    return url;
}

QUrl HelpBrowser::indexUrl(const QString& keyword) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(kIndex);
    if (!keyword.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("key"), keyword);
        url.setQuery(query);
    }
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != kScheme) {
        // Pictures and other resources are not part of our help format.
        return {};
    }
    if (type != QTextDocument::HtmlResource) {
        return {};
    }
    if (name.path() == kIndex) {
        return help_.indexPage(QUrlQuery(name).queryItemValue(QStringLiteral("key")));
    }
    bool ok = false;
    const unsigned long context = name.path().toULong(&ok);
    return help_.topicPage(ok ? context : 0);
}

void HelpBrowser::followLink(const QUrl& link) {
    const QString target = link.scheme() == kScheme ? link.path() : link.fragment();
    if (link.isRelative() || link.scheme() == kScheme) {
        bool ok = false;
        const unsigned long context = target.toULong(&ok);
        if (ok) {
            setSource(topicUrl(context), QTextDocument::HtmlResource);
        } else if (target == kIndex) {
            setSource(indexUrl(), QTextDocument::HtmlResource);
        }
        return;
    }
    // Mail and web addresses go to the system's programs for them.
    QDesktopServices::openUrl(link);
}

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this)),
      cmdContents_(new QPushButton(tr("&Contents"), this)),
      cmdBack_(new QPushButton(tr("&Back"), this)),
      cmdForward_(new QPushButton(tr("&Forward"), this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(applicationIcon());
    setWindowTitle(QStringLiteral("Wexel Converter Help"));
    cmdContents_->setObjectName(QStringLiteral("cmdContents"));
    cmdBack_->setObjectName(QStringLiteral("cmdBack"));
    cmdForward_->setObjectName(QStringLiteral("cmdForward"));
    cmdBack_->setEnabled(false);
    cmdForward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents_);
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(cmdContents_, &QPushButton::clicked, this, [this] { showIndex({}); });
    connect(cmdBack_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    resize(560, 600);
}

void HelpViewer::setHelpFile(HelpFile help, const std::string& path) {
    path_ = path;
    if (!help.title().isEmpty()) {
        setWindowTitle(help.title());
    }
    browser_->setHelpFile(std::move(help));
}

void HelpViewer::go(const QUrl& url) {
    if (browser_->source() == url) {
        browser_->reload(); // the file was read again
    } else {
        browser_->setSource(url, QTextDocument::HtmlResource);
    }
}

void HelpViewer::showTopic(unsigned long context) {
    go(HelpBrowser::topicUrl(context));
}

void HelpViewer::showIndex(const QString& keyword) {
    go(HelpBrowser::indexUrl(keyword));
}

HelpViewerPort::~HelpViewerPort() {
    delete viewer_.data();
}

HelpViewer* HelpViewerPort::openViewer(HelpFile help, const std::string& path) {
    if (viewer_.isNull()) {
        viewer_ = new HelpViewer;
    }
    viewer_->setHelpFile(std::move(help), path);
    return viewer_.data();
}

void HelpViewerPort::showHelp(const std::string& helpFile, unsigned command, unsigned long data,
                              const std::string& keyword) {
    switch (command) {
    case HELP_CONTEXT:
        openViewer(HelpFile::load(helpFile), helpFile)->showTopic(data);
        break;
    case HELP_PARTIALKEY:
        openViewer(HelpFile::load(helpFile), helpFile)->showIndex(QString::fromStdString(keyword));
        break;
    case HELP_QUIT:
        if (!viewer_.isNull() && viewer_->helpFilePath() == helpFile) {
            viewer_->close();
            delete viewer_.data();
        }
        return;
    default:
        return;
    }
    HelpViewer* shown = viewer_.data();
    if (shown->isMinimized()) {
        shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

} // namespace wexel
