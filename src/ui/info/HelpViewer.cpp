#include "ui/info/HelpViewer.h"

#include "app/Windows.h"
#include "ui/info/AppIcon.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace wexel {

namespace {

const QString kScheme = QStringLiteral("help");
const QString kIndex = QStringLiteral("index");

// The document of the help browser. The text layout asks it for every
// picture and style sheet a page names; it hands out none, where the
// standard document would read any file on the disc.
class HelpDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// Pictures take no room and show nothing: the standard handler would load a
// picture that the document does not hand out straight from the disc.
class NoPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return {}; }
    void drawObject(QPainter*, const QRectF&, QTextDocument*, int, const QTextFormat&) override {}
};

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("txtTopic"));
    setDocument(new HelpDocument(this));
    document()->documentLayout()->registerHandler(QTextFormat::ImageObject, new NoPictures(this));
    // Links are resolved against the help file, not against the disc.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
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
    if (name.scheme() != kScheme || type != QTextDocument::HtmlResource) {
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
    // The browser hands over "#14" resolved against the page it shows, as
    // "help:100#14": the fragment names the target.
    if (link.isRelative() || link.scheme() == kScheme) {
        const QString target = link.hasFragment() ? link.fragment() : link.path();
        bool ok = false;
        const unsigned long context = target.toULong(&ok);
        if (ok) {
            setSource(topicUrl(context), QTextDocument::HtmlResource);
        } else if (target == kIndex) {
            setSource(indexUrl(), QTextDocument::HtmlResource);
        }
        return;
    }
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(link);
    }
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
    placeOnScreen(this);
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
        browser_->reload(); // the file may have been read again
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

HelpSystem::~HelpSystem() {
    delete viewer_.data();
}

const HelpFile& HelpSystem::read(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (!read_ || read_->path != path || read_->size != info.size() ||
        read_->modified != info.lastModified()) {
        read_.reset();
        read_ = Read{path, info.size(), info.lastModified(), HelpFile::load(path)};
    }
    return read_->help;
}

void HelpSystem::showHelp(const std::string& helpFile, unsigned command, unsigned long data,
                          const std::string& keyword) {
    if (command == HELP_QUIT) {
        if (!viewer_.isNull() && viewer_->helpFilePath() == helpFile) {
            viewer_->close();
            delete viewer_.data();
        }
        return;
    }
    if (command != HELP_CONTEXT && command != HELP_PARTIALKEY) {
        return;
    }
    const HelpFile& help = read(helpFile);
    if (viewer_.isNull()) {
        viewer_ = new HelpViewer;
    }
    viewer_->setHelpFile(help, helpFile);
    if (command == HELP_CONTEXT) {
        viewer_->showTopic(data);
    } else {
        viewer_->showIndex(QString::fromStdString(keyword));
    }
    raiseWindow(viewer_.data());
}

} // namespace wexel

#include "HelpViewer.moc"
