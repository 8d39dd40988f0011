#include "ui/info/HelpViewer.h"

#include "desktop/Windows.h"
#include "platform/Ports.h"
#include "ui/info/AppIcon.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace wexel {

namespace {

const QString kScheme = QStringLiteral("help");
const QString kIndex = QStringLiteral("index");

// The document of the help browser. The pages name no picture or style
// sheet; should one be asked for all the same, it hands out none, where the
// standard document would read any file on the disc.
class HelpDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

QUrl topicUrl(unsigned long context) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QString::number(context));
    return url;
}

QUrl indexUrl(const QString& keyword = {}) {
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

// A browser whose pages come from the help file: "help:100" is topic 100,
// "help:index" the contents and index ("help:index?key=word" filtered).
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
        setObjectName(QStringLiteral("txtTopic"));
        setDocument(new HelpDocument(this));
        // Links are resolved against the help file, not against the disc.
        setOpenLinks(false);
        connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
    }

    void go(const QUrl& url) {
        if (source() == url) {
            reload(); // the file may have been read again
        } else {
            setSource(url, QTextDocument::HtmlResource);
        }
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != kScheme || type != QTextDocument::HtmlResource) {
            return {};
        }
        if (name.path() == kIndex) {
            return help.indexPage(QUrlQuery(name).queryItemValue(QStringLiteral("key")));
        }
        bool ok = false;
        const unsigned long context = name.path().toULong(&ok);
        return help.topicPage(ok ? context : 0);
    }

    HelpFile help;

protected:
    // Tab goes round the page's links, past the last one to the first
    // (Shift+Tab the other way), and never on to the buttons, so Enter always
    // acts on the link that shows the focus frame.
    bool focusNextPrevChild(bool next) override {
        // Past the last link the browser finds none and lets the focus go:
        // it starts again from the first (Shift+Tab: from the last).
        if (!QTextBrowser::focusNextPrevChild(next) || !textCursor().hasSelection()) {
            QTextBrowser::focusNextPrevChild(next);
        }
        return true;
    }

private:
    void followLink(const QUrl& link) {
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
        if (const QUrl outside = externalLink(link); !outside.isEmpty()) {
            QDesktopServices::openUrl(outside);
        }
    }
};

// The viewer's window. Tab on the page stays on the page, which goes round
// its links; from the buttons it goes on as anywhere.
class HelpDialog : public QDialog {
public:
    HelpDialog() : QDialog(nullptr, Qt::Window) {}

protected:
    bool focusNextPrevChild(bool next) override {
        if (qobject_cast<const QTextBrowser*>(focusWidget()) != nullptr) {
            return false;
        }
        return QDialog::focusNextPrevChild(next);
    }
};

} // namespace

HelpSystem::~HelpSystem() {
    delete viewer_.data();
}

QTextBrowser* HelpSystem::browser() const {
    return viewer_.isNull() ? nullptr : viewer_->findChild<QTextBrowser*>();
}

void HelpSystem::openViewer() {
    // A dialog of its own, not modal: screen readers announce it as a
    // window with a title, not as a nameless pane.
    auto* viewer = new HelpDialog;
    viewer->setObjectName(QStringLiteral("frmHelp"));
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowIcon(applicationIcon());
    auto* browser = new HelpBrowser(viewer);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, viewer);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton* contents = button("cmdContents", QObject::tr("&Contents"));
    QPushButton* back = button("cmdBack", QObject::tr("&Back"));
    QPushButton* forward = button("cmdForward", QObject::tr("&Forward"));
    buttons->addStretch();
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(contents, &QPushButton::clicked, browser,
                     [browser] { browser->go(indexUrl()); });
    // The buttons answer to the mouse, to Alt with their letter, and take the
    // focus from the keyboard only: Ctrl+Tab leaves the page for them (Tab on
    // the page goes round its links), Tab from the last goes back to the page.
    // A click leaves the keyboard on the page, so Enter acts on the link that
    // shows the focus frame, never on a button clicked before.
    for (QPushButton* b : {contents, back, forward}) {
        b->setFocusPolicy(Qt::TabFocus);
        b->setAutoDefault(false); // Enter is the page's; Space presses a button
    }
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), viewer),
                     &QShortcut::activated, contents,
                     [contents] { contents->setFocus(Qt::TabFocusReason); });
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    auto* layout = new QVBoxLayout(viewer);
    layout->addLayout(buttons);
    layout->addWidget(browser);
    viewer->resize(560, 600);
    placeOnScreen(viewer);
    viewer_ = viewer;
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
        if (!viewer_.isNull() && shownFile_ == helpFile) {
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
        openViewer();
    }
    shownFile_ = helpFile;
    viewer_->setWindowTitle(help.title().isEmpty()
                                ? QString::fromLatin1(kAppTitle) + QStringLiteral(" Help")
                                : help.title());
    auto* browser = static_cast<HelpBrowser*>(this->browser());
    browser->help = help;
    browser->go(command == HELP_CONTEXT ? topicUrl(data)
                                        : indexUrl(QString::fromStdString(keyword)));
    raiseWindow(viewer_.data());
}

} // namespace wexel
