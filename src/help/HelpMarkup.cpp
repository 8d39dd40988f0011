#include "help/HelpMarkup.h"

#include "help/HelpElements.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <iterator>
#include <set>

namespace wexel {

namespace {

using help::Holds;
using help::Tag;

const QLatin1String kXhtml("http://www.w3.org/1999/xhtml");

bool isXmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Refuses, before the XML parser reads them, a tag with more attributes
// than kMaxHelpAttributes and a document type with declarations: the parser
// spends time on them with the square of their number. Reads tags, comments,
// CDATA sections and processing instructions as XML does; what is not XML
// at all is left to the parser to refuse.
void checkTags(const QString& text) {
    int line = 1;
    auto refuse = [&line](const std::string& why) {
        throw HelpFileRefusal("line " + std::to_string(line) + ": " + why);
    };
    const qsizetype size = text.size();
    auto skipTo = [&](qsizetype from, QLatin1String end) {
        const qsizetype found = text.indexOf(end, from);
        const qsizetype stop = found < 0 ? size : found + end.size();
        line += int(QStringView(text).mid(from, stop - from).count(u'\n'));
        return stop;
    };
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i];
        if (c != u'<') {
            line += c == u'\n';
            ++i;
            continue;
        }
        const QStringView rest = QStringView(text).mid(i);
        if (rest.startsWith(u"<!--")) {
            i = skipTo(i + 4, QLatin1String("-->"));
        } else if (rest.startsWith(u"<![CDATA[")) {
            i = skipTo(i + 9, QLatin1String("]]>"));
        } else if (rest.startsWith(u"<?")) {
            i = skipTo(i + 2, QLatin1String("?>"));
        } else {
            // A tag, or the document type: up to the '>' outside quotes.
            const bool doctype = rest.startsWith(u"<!");
            int attributes = 0;
            QChar quote;
            qsizetype valueStart = 0;
            for (++i; i < size && (text[i] != u'>' || !quote.isNull()); ++i) {
                const QChar t = text[i];
                line += t == u'\n';
                if (!quote.isNull()) {
                    quote = t == quote ? QChar() : quote;
                    if (i - valueStart > kMaxHelpAttributeChars) {
                        refuse("an attribute longer than " +
                               std::to_string(kMaxHelpAttributeChars) + " characters");
                    }
                } else if (t == u'"' || t == u'\'') {
                    quote = t;
                    valueStart = i + 1;
                } else if (t == u'=' && ++attributes > kMaxHelpAttributes) {
                    refuse("a tag with more than " + std::to_string(kMaxHelpAttributes) +
                           " attributes");
                } else if (t == u'[' && doctype) {
                    refuse("a document type may not declare anything");
                }
            }
        }
    }
}

// What a file holds.
struct Read {
    QString title;
    std::vector<HelpTopic> topics;
};

class Reader {
public:
    explicit Reader(const QString& source) : xml_(source) {}

    Read read() {
        Read file;
        while (!xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement:
                start(file);
                break;
            case QXmlStreamReader::EndElement:
                end(file);
                break;
            case QXmlStreamReader::Characters:
                characters();
                break;
            case QXmlStreamReader::DTD:
                // Entities declared in the file could expand without bound.
                if (xml_.text().contains(u'[')) {
                    refuse(QStringLiteral("a document type may not declare anything"));
                }
                break;
            case QXmlStreamReader::EntityReference:
                refuse(QStringLiteral("an entity that is not declared"));
            default:
                break; // the XML declaration, comments, processing instructions
            }
        }
        if (xml_.hasError()) {
            refuse(xml_.errorString());
        }
        return file;
    }

private:
    struct Open {
        Tag tag;
        bool written = true; // its tags are in the topic's page
        int cells = 0;       // of a table row
    };

    [[noreturn]] void refuse(const QString& why) const {
        throw HelpFileRefusal("line " + std::to_string(xml_.lineNumber()) + ": " +
                              why.toStdString());
    }

    Holds holds() const { return stack_.empty() ? Holds::Frame : help::holdsOf(stack_.back().tag); }

    void start(Read& file) {
        const QStringView name = xml_.name();
        const std::optional<Tag> found = help::findTag(name);
        // Every declared namespace would lengthen the parser's look-ups.
        const auto declarations = xml_.namespaceDeclarations();
        const bool xhtml =
            std::all_of(declarations.begin(), declarations.end(),
                        [](const QXmlStreamNamespaceDeclaration& d) {
                            return d.prefix().isEmpty() && d.namespaceUri() == kXhtml;
                        }) &&
            (xml_.namespaceUri().isEmpty() || xml_.namespaceUri() == kXhtml);
        if (!found || !xhtml) {
            refuse(QStringLiteral("<%1> is not allowed in a help file").arg(xml_.qualifiedName()));
        }
        const Tag tag = *found;
        if (stack_.empty() ? tag != Tag::Html : !help::allows(holds(), tag)) {
            refuse(stack_.empty() ? QStringLiteral("a help file begins with <html>")
                                  : QStringLiteral("<%1> is not allowed inside <%2>")
                                        .arg(name, help::tagName(stack_.back().tag)));
        }
        if (tag == Tag::A && std::any_of(stack_.begin(), stack_.end(),
                                         [](const Open& o) { return o.tag == Tag::A; })) {
            refuse(QStringLiteral("a link inside a link"));
        }
        stack_.push_back({tag});
        if (tag == Tag::Section) {
            openTopic(file);
        } else if (section_ > 0) {
            openInTopic();
        }
    }

    void end(Read& file) {
        const Open open = stack_.back();
        stack_.pop_back();
        if (open.tag == Tag::Title) {
            file.title = title_.simplified();
            checkName(file.title);
        } else if (open.tag == Tag::Section) {
            closeTopic(file);
        } else if (section_ > 0) {
            if (open.tag == Tag::Table) {
                --tables_;
            }
            if (open.written && open.tag != Tag::Br) {
                body_ += QStringLiteral("</%1>").arg(help::tagName(open.tag));
            }
            if (!help::isInline(open.tag)) {
                run_ = 0;
            }
        }
    }

    void characters() {
        const QStringView text = xml_.text();
        if (!help::holdsText(holds())) {
            if (!std::all_of(text.begin(), text.end(), isXmlSpace)) {
                refuse(stack_.empty() ? QStringLiteral("text outside <html>")
                                      : QStringLiteral("text is not allowed inside <%1>")
                                            .arg(help::tagName(stack_.back().tag)));
            }
        } else if (stack_.back().tag == Tag::Title) {
            if (title_.size() + text.size() > qsizetype{4} * kMaxHelpNameChars) {
                refuse(QStringLiteral("a title longer than %1 characters").arg(kMaxHelpNameChars));
            }
            title_ += text;
        } else if (section_ > 0) {
            writeText(text);
        }
    }

    void openTopic(Read& file) {
        section_ = int(stack_.size());
        body_.clear();
        chars_ = elements_ = tables_ = cells_ = run_ = 0;
        topic_ = HelpTopic{};
        const QXmlStreamAttributes attributes = xml_.attributes();
        const QStringView id = attributes.value(QLatin1String("id"));
        // A section without a number of its own is no topic; it is still read
        // in full, so that the whole file keeps to the rules.
        topicCounts_ = help::isContextNumber(id) && seen_.insert(id.toULong()).second;
        if (!topicCounts_) {
            return;
        }
        if (int(file.topics.size()) >= kMaxHelpTopics) {
            refuse(QStringLiteral("more than %1 topics").arg(kMaxHelpTopics));
        }
        topic_.context = id.toULong();
        topic_.title = attributes.value(QLatin1String("title")).toString().simplified();
        checkName(topic_.title);
        if (topic_.title.isEmpty()) {
            topic_.title = QStringLiteral("Topic %1").arg(topic_.context);
        }
        for (QStringView word : attributes.value(QLatin1String("keywords")).split(u';')) {
            word = word.trimmed();
            if (!word.isEmpty()) {
                topic_.keywords.append(word.toString().simplified());
                checkName(topic_.keywords.back());
            }
        }
        indexEntries_ += 1 + int(topic_.keywords.size());
        if (indexEntries_ > kMaxHelpIndexEntries) {
            refuse(QStringLiteral("more than %1 index entries (titles and keywords)")
                       .arg(kMaxHelpIndexEntries));
        }
    }

    void closeTopic(Read& file) {
        section_ = 0;
        if (topicCounts_) {
            topic_.body = body_;
            file.topics.push_back(std::move(topic_));
        }
    }

    void openInTopic() {
        Open& open = stack_.back();
        if (++elements_ > kMaxHelpTopicElements) {
            refuse(QStringLiteral("a topic with more than %1 elements").arg(kMaxHelpTopicElements));
        }
        if (int(stack_.size()) - section_ > kMaxHelpNesting) {
            refuse(QStringLiteral("elements nested more than %1 deep").arg(kMaxHelpNesting));
        }
        if (open.tag == Tag::Table && ++tables_ > kMaxHelpTableNesting) {
            refuse(QStringLiteral("tables nested more than %1 deep").arg(kMaxHelpTableNesting));
        }
        if (open.tag == Tag::Th || open.tag == Tag::Td) {
            if ((cells_ += tables_) > kMaxHelpTableCells) {
                refuse(QStringLiteral("a topic with more than %1 table cells")
                           .arg(kMaxHelpTableCells));
            }
            if (++stack_[stack_.size() - 2].cells > kMaxHelpTableColumns) {
                refuse(QStringLiteral("a table row with more than %1 cells")
                           .arg(kMaxHelpTableColumns));
            }
        }
        if (!help::isInline(open.tag)) {
            run_ = 0;
        }
        const QLatin1String name = help::tagName(open.tag);
        const QXmlStreamAttributes attributes = xml_.attributes();
        switch (open.tag) {
        case Tag::A: {
            const QString target = help::linkTarget(attributes.value(QLatin1String("href")));
            open.written = !target.isEmpty();
            if (open.written) {
                body_ += QStringLiteral("<a href=\"%1\">").arg(target.toHtmlEscaped());
            }
            return;
        }
        case Tag::Table:
            body_ += QStringLiteral("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">");
            return;
        case Tag::Br:
            body_ += QStringLiteral("<br>");
            return;
        case Tag::P:
        case Tag::Li:
        case Tag::Th:
        case Tag::Td: {
            // The only classes the program's style knows.
            const QStringView style = attributes.value(QLatin1String("class"));
            if (help::isKnownClass(style)) {
                body_ += QStringLiteral("<%1 class=\"%2\">").arg(name, style);
                return;
            }
            break;
        }
        default:
            break;
        }
        body_ += QStringLiteral("<%1>").arg(name);
    }

    // Text as the page writes it: escaped; outside <pre> each run of blanks
    // made one, as a browser shows it anyway; and a word longer than
    // kHelpWordChars given a place to break after each such stretch.
    void writeText(QStringView text) {
        const bool pre = std::any_of(stack_.begin(), stack_.end(),
                                     [](const Open& o) { return o.tag == Tag::Pre; });
        for (const QChar c : text) {
            if (isXmlSpace(c)) {
                run_ = marks_ = 0;
                if (!pre && !body_.isEmpty() && body_.back() == u' ') {
                    continue;
                }
                // Outside <pre>, the blanks between words and tags (a line
                // end between two paragraphs) are not text a reader counts;
                // one follows each word at most, so the work stays bounded.
                if (pre) {
                    count();
                }
                body_ += pre ? c : QChar(u' ');
                continue;
            }
            marks_ = c.isMark() ? marks_ + 1 : 0;
            if (marks_ > kMaxHelpCombiningMarks) {
                refuse(QStringLiteral("a letter with more than %1 combining marks")
                           .arg(kMaxHelpCombiningMarks));
            }
            if (run_ >= kHelpWordChars && !c.isLowSurrogate() && !c.isMark()) {
                body_ += QChar(0x200B); // zero width space
                run_ = 0;
            }
            ++run_;
            count();
            switch (c.unicode()) {
            case u'&':
                body_ += QLatin1String("&amp;");
                break;
            case u'<':
                body_ += QLatin1String("&lt;");
                break;
            case u'>':
                body_ += QLatin1String("&gt;");
                break;
            case u'"':
                body_ += QLatin1String("&quot;");
                break;
            default:
                body_ += c;
            }
        }
    }

    void count() {
        if (++chars_ > kMaxHelpTopicChars) {
            refuse(QStringLiteral("a topic with more than %1 characters of text")
                       .arg(kMaxHelpTopicChars));
        }
    }

    void checkName(const QString& name) const {
        if (name.size() > kMaxHelpNameChars) {
            refuse(QStringLiteral("a title or keyword longer than %1 characters")
                       .arg(kMaxHelpNameChars));
        }
    }

    QXmlStreamReader xml_;
    std::vector<Open> stack_;
    QString title_;                // the document's, as read
    std::set<unsigned long> seen_; // context numbers
    int indexEntries_ = 0;

    // The section being read.
    int section_ = 0; // its depth in stack_, 0 outside any
    bool topicCounts_ = false;
    HelpTopic topic_;
    QString body_;
    int chars_ = 0;
    int elements_ = 0;
    int tables_ = 0;
    int cells_ = 0;
    int run_ = 0;   // characters since the last place to break
    int marks_ = 0; // combining marks since the last letter
};

} // namespace

HelpFile HelpMarkup::read(const QString& source) {
    checkTags(source);
    Read read = Reader(source).read();
    HelpFile help;
    help.title_ = std::move(read.title);
    help.topics_ = std::move(read.topics);
    return help;
}

} // namespace wexel
