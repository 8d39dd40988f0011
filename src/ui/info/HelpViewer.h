#pragma once
// The help system: the classic help engine's calls (file, command, data)
// answered by one modeless viewer window that shows the topics of the help
// file. Its pages come from the help file alone: a link inside the help goes
// to its topic; web and mail addresses go to the system's programs for them;
// any other address is refused; no picture and no file is loaded.

#include "help/HelpFile.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>

class QTextBrowser;

namespace wexel {

inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_QUIT = 2;
inline constexpr unsigned HELP_PARTIALKEY = 0x105;

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

    // The open viewer window and its page, or nullptr.
    QWidget* viewer() const { return viewer_.data(); }
    QTextBrowser* browser() const;

private:
    // The parsed file; read again only when it has changed since.
    const HelpFile& read(const std::string& path);
    void openViewer();

    QPointer<QWidget> viewer_;
    std::string shownFile_; // the help file the viewer shows
    struct Read {
        std::string path;
        qint64 size = 0;
        QDateTime modified;
        HelpFile help;
    };
    std::optional<Read> read_;
};

} // namespace wexel
