#pragma once
// The help file "WXConvert.hlp": HTML in which every topic is a
//   <section id="NUMBER" title="TITLE"> ... </section>
// element. NUMBER is the topic's context number, the one the program asks
// for; TITLE names the topic in the contents and the index. Sections do not
// nest. The file's <title> names the viewer window, and one <style> element in
// its head styles every topic. Inside a topic, href="#NUMBER" links to another
// topic and href="#index" to the contents and index.

#include <QString>

#include <string>
#include <vector>

namespace wexel {

struct HelpTopic {
    unsigned long context = 0;
    QString title;
    QString body; // the HTML between the section's tags
};

class HelpFile {
public:
    // Reads and parses the file. Throws FileNotFound when nothing is at the
    // path, PathFileAccess when it is a folder, cannot be read or holds no
    // topic.
    static HelpFile load(const std::string& path);

    // Parses help text; a text without any topic gives a file without topics.
    static HelpFile parse(const QString& source);

    const std::vector<HelpTopic>& topics() const { return topics_; }
    // The topic with that context number, or nullptr.
    const HelpTopic* topic(unsigned long context) const;
    QString title() const { return title_; }

    // Whole pages for the viewer: one topic (or the note that it is missing),
    // and the contents followed by the index, which lists only the topics
    // whose title contains `keyword` when it is not empty.
    QString topicPage(unsigned long context) const;
    QString indexPage(const QString& keyword) const;

private:
    QString page(const QString& body) const;

    QString title_;
    QString style_;
    std::vector<HelpTopic> topics_; // file order
};

} // namespace wexel
