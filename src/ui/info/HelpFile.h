#pragma once
// The help file "WXConvert.hlp": HTML in which every topic is a
//   <section id="NUMBER" title="TITLE" keywords="WORD; WORD"> ... </section>
// element. NUMBER is the topic's context number, the one the program asks
// for; TITLE names the topic in the contents; TITLE and the keywords make the
// index. Sections do not nest. The file's <title> names the viewer window,
// and one <style> element in its head styles every topic. Inside a topic,
// href="#NUMBER" links to another topic and href="#index" to the contents
// and index.
//
// The file lies outside the program, so it is read as untrusted: it must be
// a regular file of at most kMaxHelpFileBytes, and no topic may nest its
// blocks deeper than the text layout handles in good time.

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

namespace wexel {

inline constexpr std::size_t kMaxHelpFileBytes = std::size_t{4} << 20;
// Deepest nesting of blocks (div, table, list, quote) in a topic, and of tables.
inline constexpr int kMaxHelpNesting = 16;
inline constexpr int kMaxHelpTableNesting = 3;

struct HelpTopic {
    unsigned long context = 0;
    QString title;
    QStringList keywords;
    QString body; // the HTML between the section's tags
};

class HelpFile {
public:
    // Reads and parses the file. Throws FileNotFound when nothing is at the
    // path, PathFileAccess when it is no regular file, cannot be read, is too
    // large, holds no topic, or holds a topic nested too deep.
    static HelpFile load(const std::string& path);

    // Parses help text in one pass; a text without any topic gives a file
    // without topics. Throws PathFileAccess for a topic nested too deep.
    static HelpFile parse(const QString& source);

    const std::vector<HelpTopic>& topics() const { return topics_; }
    // The topic with that context number, or nullptr.
    const HelpTopic* topic(unsigned long context) const;
    QString title() const { return title_; }

    // Whole pages for the viewer: one topic (or the note that it is missing);
    // and the contents (the topics in file order) followed by the index
    // (titles and keywords in alphabetical order), which lists only the
    // entries that contain `keyword` when it is not empty.
    QString topicPage(unsigned long context) const;
    QString indexPage(const QString& keyword) const;

private:
    QString page(const QString& body) const;

    QString title_;
    QString style_;
    std::vector<HelpTopic> topics_; // file order
};

} // namespace wexel
