#include "ui/info/HelpFile.h"

#include "platform/RuntimeError.h"
#include "platform/TextFileReader.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace wexel {

namespace {

QString decodeEntities(QString text) {
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&nbsp;"), QString(QChar(0x00A0)));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// The attributes of a tag, by lower-case name, entities decoded.
std::map<QString, QString> attributes(const QString& tag) {
    static const QRegularExpression pattern(QStringLiteral("([A-Za-z-]+)\\s*=\\s*\"([^\"]*)\""));
    std::map<QString, QString> found;
    for (auto it = pattern.globalMatch(tag); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        found.emplace(m.captured(1).toLower(), decodeEntities(m.captured(2)));
    }
    return found;
}

// The text between the first <tag ...> and the </tag> after it, or empty.
QString elementText(const QString& text, const QString& tag) {
    const qsizetype open = text.indexOf(QLatin1Char('<') + tag, 0, Qt::CaseInsensitive);
    const qsizetype start = open < 0 ? -1 : text.indexOf(QLatin1Char('>'), open);
    const qsizetype end =
        start < 0 ? -1 : text.indexOf(QStringLiteral("</") + tag, start, Qt::CaseInsensitive);
    return end < 0 ? QString() : text.mid(start + 1, end - start - 1);
}

bool isContextNumber(const QString& text) {
    return !text.isEmpty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// Refuses a topic whose blocks nest deeper than the text layout handles in
// good time: it slows down steeply with nesting, tables worst of all.
void checkNesting(const HelpTopic& topic) {
    static const QRegularExpression tag(QStringLiteral("<(/?)(div|table|ul|ol|dl|blockquote)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    int depth = 0;
    int tables = 0;
    for (auto it = tag.globalMatch(topic.body); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.capturedView(1).isEmpty();
        const bool table =
            m.capturedView(2).compare(QLatin1String("table"), Qt::CaseInsensitive) == 0;
        depth = std::max(0, depth + (closing ? -1 : 1));
        if (table) {
            tables = std::max(0, tables + (closing ? -1 : 1));
        }
        if (depth > kMaxHelpNesting || tables > kMaxHelpTableNesting) {
            raise(ErrorNumber::PathFileAccess,
                  "the help topic " + std::to_string(topic.context) + " nests " +
                      (tables > kMaxHelpTableNesting
                           ? "tables more than " + std::to_string(kMaxHelpTableNesting)
                           : "blocks more than " + std::to_string(kMaxHelpNesting)) +
                      " deep");
        }
    }
}

} // namespace

HelpFile HelpFile::load(const std::string& path) {
    HelpFile help = parse(QString::fromUtf8(readRegularFile(path, kMaxHelpFileBytes)));
    if (help.topics_.empty()) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file");
    }
    return help;
}

HelpFile HelpFile::parse(const QString& source) {
    // Comments may show the format itself; they are no topics.
    QString text;
    text.reserve(source.size());
    for (qsizetype from = 0; from < source.size();) {
        const qsizetype open = source.indexOf(QLatin1String("<!--"), from);
        if (open < 0) {
            text += QStringView(source).mid(from);
            break;
        }
        text += QStringView(source).mid(from, open - from);
        const qsizetype close = source.indexOf(QLatin1String("-->"), open + 4);
        from = close < 0 ? source.size() : close + 3;
    }

    HelpFile help;
    help.title_ = decodeEntities(elementText(text, QStringLiteral("title")).simplified());
    help.style_ = elementText(text, QStringLiteral("style"));

    std::map<unsigned long, std::size_t> seen;
    const QLatin1String opening("<section"), closing("</section");
    for (qsizetype from = 0;;) {
        const qsizetype open = text.indexOf(opening, from, Qt::CaseInsensitive);
        const qsizetype tagEnd = open < 0 ? -1 : text.indexOf(QLatin1Char('>'), open);
        if (tagEnd < 0) {
            break;
        }
        const qsizetype close = text.indexOf(closing, tagEnd, Qt::CaseInsensitive);
        const qsizetype bodyEnd = close < 0 ? text.size() : close;
        from = close < 0 ? text.size() : close + closing.size();

        std::map<QString, QString> found =
            attributes(text.mid(open + opening.size(), tagEnd - open - opening.size()));
        const QString id = found[QStringLiteral("id")];
        if (!isContextNumber(id)) {
            continue;
        }
        HelpTopic topic;
        topic.context = id.toULong();
        // The first topic of a number wins, as a help compiler would keep it.
        if (!seen.emplace(topic.context, help.topics_.size()).second) {
            continue;
        }
        topic.title = found[QStringLiteral("title")];
        if (topic.title.isEmpty()) {
            topic.title = QStringLiteral("Topic %1").arg(topic.context);
        }
        for (const QString& word : found[QStringLiteral("keywords")].split(QLatin1Char(';'))) {
            if (!word.trimmed().isEmpty()) {
                topic.keywords.append(word.trimmed());
            }
        }
        topic.body = text.mid(tagEnd + 1, bodyEnd - tagEnd - 1);
        checkNesting(topic);
        help.topics_.push_back(std::move(topic));
    }
    return help;
}

const HelpTopic* HelpFile::topic(unsigned long context) const {
    const auto found = std::find_if(topics_.begin(), topics_.end(),
                                    [context](const HelpTopic& t) { return t.context == context; });
    return found == topics_.end() ? nullptr : &*found;
}

QString HelpFile::page(const QString& body) const {
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\">");
    if (!style_.isEmpty()) {
        html += QStringLiteral("<style>") + style_ + QStringLiteral("</style>");
    }
    return html + QStringLiteral("</head><body>") + body + QStringLiteral("</body></html>");
}

QString HelpFile::topicPage(unsigned long context) const {
    if (const HelpTopic* found = topic(context)) {
        return page(found->body);
    }
    return page(QStringLiteral("<h1>Topic not found</h1>"
                               "<p>The help file has no topic with the context number %1.</p>"
                               "<p><a href=\"#index\">Contents and Index</a></p>")
                    .arg(context));
}

QString HelpFile::indexPage(const QString& keyword) const {
    auto link = [](const QString& text, unsigned long context) {
        return QStringLiteral("<li><a href=\"#%1\">%2</a></li>")
            .arg(context)
            .arg(text.toHtmlEscaped());
    };
    QString body;
    if (keyword.isEmpty()) {
        body += QStringLiteral("<h1>Contents</h1><ul>");
        for (const HelpTopic& t : topics_) {
            body += link(t.title, t.context);
        }
        body += QStringLiteral("</ul>");
    }

    // Titles and keywords, each once per topic, in alphabetical order.
    std::vector<std::pair<QString, unsigned long>> entries;
    for (const HelpTopic& t : topics_) {
        for (const QString& entry : QStringList{t.title} + t.keywords) {
            if (keyword.isEmpty() || entry.contains(keyword, Qt::CaseInsensitive)) {
                entries.emplace_back(entry, t.context);
            }
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    body += keyword.isEmpty()
                ? QStringLiteral("<h1>Index</h1>")
                : QStringLiteral("<h1>Index entries with \"%1\"</h1>").arg(keyword.toHtmlEscaped());
    if (entries.empty()) {
        body += QStringLiteral("<p>No index entry contains this word. "
                               "<a href=\"#index\">Show the whole index</a>.</p>");
    } else {
        body += QStringLiteral("<ul>");
        for (const auto& [text, context] : entries) {
            body += link(text, context);
        }
        body += QStringLiteral("</ul>");
    }
    return page(body);
}

} // namespace wexel
