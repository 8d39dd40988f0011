#pragma once
// The help file "WXConvert.hlp": a well-formed XHTML document,
//   <html><head><title>TITLE</title></head><body> SECTIONS </body></html>
// in which every topic is a
//   <section id="NUMBER" title="TITLE" keywords="WORD; WORD"> ... </section>
// element. NUMBER is the topic's context number, the one the program asks
// for (a section without one is no topic; of two with the same number the
// first counts); TITLE names the topic in the contents; TITLE and the
// keywords make the index. The file's <title> names the viewer window.
//
// The file lies outside the program, so it is read as untrusted: it must be
// a regular file that an XML parser reads without error, and it may hold only
// the elements below; the viewer's pages are written by the program from
// what was read, with the program's own style, never from the file's text.
//   head:    title, meta (ignored)
//   topics:  h1 h2 h3 p pre ul ol li table tr th td, and inside text
//            a b i em strong code br
//   a:       href="#NUMBER" (a topic), "#index" (contents and index), or an
//            http, https or mailto address; any other link shows as text
//   class:   "note" or "see" on p, li, td and th; other attributes are ignored
// No namespace but XHTML's, no entities but XML's own, and a document type
// (<!DOCTYPE html>) that declares nothing.
// Every count is bounded (below), so that no file keeps the viewer busy for
// more than about a second; a file beyond a bound is refused, naming its line.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstddef>
#include <string>
#include <vector>

namespace wexel {

inline constexpr std::size_t kMaxHelpFileBytes = std::size_t{4} << 20;
inline constexpr int kMaxHelpTopics = 1000;
// Titles and keywords of all topics together.
inline constexpr int kMaxHelpIndexEntries = 5000;
// The document title, a topic's title, one keyword.
inline constexpr int kMaxHelpNameChars = 200;
// In one topic: characters of text, elements, elements nested in each other,
// tables nested in each other, table cells (a cell in a nested table counts
// once for each table it lies in: laying out nested tables costs that much
// more), cells in one table row.
inline constexpr int kMaxHelpTopicChars = 100000;
inline constexpr int kMaxHelpTopicElements = 5000;
inline constexpr int kMaxHelpNesting = 16;
inline constexpr int kMaxHelpTableNesting = 3;
inline constexpr int kMaxHelpTableCells = 1000;
inline constexpr int kMaxHelpTableColumns = 20;
inline constexpr int kMaxHelpLinkChars = 2000;
// Attributes of one tag, anywhere in the file: the XML parser compares each
// attribute with all before it; and the characters of one attribute's value.
inline constexpr int kMaxHelpAttributes = 16;
inline constexpr int kMaxHelpAttributeChars = 65536;
// Combining marks on one letter: Unicode's stream-safe text has at most 30,
// and the text layout slows down steeply on a letter that has more.
inline constexpr int kMaxHelpCombiningMarks = 30;
// A word longer than this may break anywhere after each such stretch: the
// text layout slows down steeply on one long unbreakable line.
inline constexpr int kHelpWordChars = 32;

struct HelpTopic {
    unsigned long context = 0;
    QString title;
    QStringList keywords;
    QString body; // the topic as the program writes it: whitelisted HTML
};

class HelpFile {
public:
    // Reads and parses the file. Throws FileNotFound when nothing is at the
    // path, PathFileAccess when it is no regular file, cannot be read, is too
    // large, is not a help file as described above, or holds no topic.
    static HelpFile load(const std::string& path);

    // Parses a help file's bytes, in their encoding; one without any topic
    // gives a file without topics. Throws PathFileAccess naming the line for
    // bytes that are not a help file as described above.
    static HelpFile parse(const std::string& bytes);

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
    friend class HelpMarkup;
    QString title_;
    std::vector<HelpTopic> topics_; // file order
};

// What a link to outside the help may hand to the system: an http or https
// address with a host, or a mail address with at most a subject (a mail
// client may take other fields, such as attachments, from the link). An
// empty URL for anything else.
QUrl externalLink(const QUrl& link);

} // namespace wexel
