#pragma once
// The help viewer: one modeless window showing the topics of the help file,
// and the help port that the program's help calls reach.

#include "platform/HelpPort.h"
#include "ui/info/HelpFile.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <string>

class QPushButton;

namespace wexel {

// A browser whose pages come from the help file: "help:100" is topic 100,
// "help:index" the contents and index ("help:index?key=word" filtered).
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setHelpFile(HelpFile help);
    const HelpFile& helpFile() const { return help_; }

    static QUrl topicUrl(unsigned long context);
    static QUrl indexUrl(const QString& keyword = {});

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& link);
    HelpFile help_;
};

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Takes a freshly read help file; the history stays.
    void setHelpFile(HelpFile help, const std::string& path);
    const std::string& helpFilePath() const { return path_; }

    void showTopic(unsigned long context);
    void showIndex(const QString& keyword);

    HelpBrowser* browser() const { return browser_; }

private:
    void go(const QUrl& url);

    HelpBrowser* browser_;
    QPushButton* cmdContents_;
    QPushButton* cmdBack_;
    QPushButton* cmdForward_;
    std::string path_;
};

// The help calls of the program, answered by one HelpViewer.
class HelpViewerPort : public HelpPort {
public:
    HelpViewerPort() = default;
    HelpViewerPort(const HelpViewerPort&) = delete;
    HelpViewerPort& operator=(const HelpViewerPort&) = delete;
    ~HelpViewerPort() override;

    // HELP_CONTEXT and HELP_PARTIALKEY read the file anew and throw its
    // RuntimeError when it cannot be used; HELP_QUIT closes the viewer when it
    // shows `helpFile` and never throws. Other commands do nothing.
    void showHelp(const std::string& helpFile, unsigned command, unsigned long data,
                  const std::string& keyword) override;

    // The open viewer, or nullptr.
    HelpViewer* viewer() const { return viewer_.data(); }

private:
    HelpViewer* openViewer(HelpFile help, const std::string& path);
    QPointer<HelpViewer> viewer_;
};

} // namespace wexel
