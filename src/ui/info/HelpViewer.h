#pragma once
// The help system: the classic help engine's calls (file, command, data)
// answered by one modeless viewer window that shows the topics of the help
// file.

#include "ui/info/HelpFile.h"

#include <QDateTime>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <string>

class QPushButton;

namespace wexel {

inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_QUIT = 2;
inline constexpr unsigned HELP_PARTIALKEY = 0x105;

// A browser whose pages come from the help file: "help:100" is topic 100,
// "help:index" the contents and index ("help:index?key=word" filtered). A
// link inside the help goes to its topic; web and mail addresses go to the
// system's programs for them; any other address is refused. Nothing is
// loaded from outside the help file: no pictures, no files.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setHelpFile(HelpFile help) { help_ = std::move(help); }

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

    // Takes the help file; the history stays.
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
class HelpSystem {
public:
    HelpSystem() = default;
    HelpSystem(const HelpSystem&) = delete;
    HelpSystem& operator=(const HelpSystem&) = delete;
    ~HelpSystem();

    // HELP_CONTEXT shows topic `data`, HELP_PARTIALKEY the index of entries
    // with `keyword` (all of them for an empty one); both throw the file's
    // RuntimeError when it cannot be used. HELP_QUIT closes the viewer when
    // it shows `helpFile` and never throws. Other commands do nothing.
    void showHelp(const std::string& helpFile, unsigned command, unsigned long data,
                  const std::string& keyword);

    // The open viewer, or nullptr.
    HelpViewer* viewer() const { return viewer_.data(); }

private:
    // The parsed file; read again only when it has changed since.
    const HelpFile& read(const std::string& path);

    QPointer<HelpViewer> viewer_;
    struct Read {
        std::string path;
        qint64 size = 0;
        QDateTime modified;
        HelpFile help;
    };
    std::optional<Read> read_;
};

} // namespace wexel
