#include "ui/info/HelpFile.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

QString attribute(const QString& attributes, const QString& name) {
    const QRegularExpression pattern(QStringLiteral("(?:^|\\s)%1\\s*=\\s*\"([^\"]*)\"").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(attributes);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString elementText(const QString& text, const QString& tag) {
    const QRegularExpression pattern(QStringLiteral("<%1\\b[^>]*>(.*?)</%1\\s*>").arg(tag),
                                     QRegularExpression::CaseInsensitiveOption |
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

bool isContextNumber(const QString& text) {
    return !text.isEmpty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

HelpFile HelpFile::load(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (name.isEmpty() || !info.exists()) {
        raise(ErrorNumber::FileNotFound, path);
    }
    QFile file(name);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        raise(ErrorNumber::PathFileAccess, path);
    }
    HelpFile help = parse(QString::fromUtf8(file.readAll()));
    if (help.topics_.empty()) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file");
    }
    return help;
}

HelpFile HelpFile::parse(const QString& source) {
    // Comments may show the format itself; they are no topics.
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString text = source;
    text.remove(comment);

    HelpFile help;
    help.title_ = decodeEntities(elementText(text, QStringLiteral("title")).simplified());
    help.style_ = elementText(text, QStringLiteral("style"));

    static const QRegularExpression opening(QStringLiteral("<section\\b([^>]*)>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression closing(QStringLiteral("</section\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    while (true) {
        const QRegularExpressionMatch open = opening.match(text, from);
        if (!open.hasMatch()) {
            break;
        }
        const qsizetype bodyStart = open.capturedEnd();
        const QRegularExpressionMatch close = closing.match(text, bodyStart);
        const qsizetype bodyEnd = close.hasMatch() ? close.capturedStart() : text.size();
        from = close.hasMatch() ? close.capturedEnd() : text.size();

        const QString id = attribute(open.captured(1), QStringLiteral("id"));
        if (!isContextNumber(id)) {
            continue;
        }
        HelpTopic topic;
        topic.context = id.toULong();
        // The first topic of a number wins, as a help compiler would keep it.
        if (help.topic(topic.context) != nullptr) {
            continue;
        }
        topic.title = decodeEntities(attribute(open.captured(1), QStringLiteral("title")));
        if (topic.title.isEmpty()) {
            topic.title = QStringLiteral("Topic %1").arg(topic.context);
        }
        topic.body = text.mid(bodyStart, bodyEnd - bodyStart);
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
    auto link = [](const HelpTopic& t) {
        return QStringLiteral("<li><a href=\"#%1\">%2</a></li>")
            .arg(t.context)
            .arg(t.title.toHtmlEscaped());
    };
    QString body;
    if (keyword.isEmpty()) {
        body += QStringLiteral("<h1>Contents</h1><ul>");
        for (const HelpTopic& t : topics_) {
            body += link(t);
        }
        body += QStringLiteral("</ul>");
    }

    std::vector<const HelpTopic*> listed;
    for (const HelpTopic& t : topics_) {
        if (keyword.isEmpty() || t.title.contains(keyword, Qt::CaseInsensitive)) {
            listed.push_back(&t);
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const HelpTopic* a, const HelpTopic* b) {
        return QString::compare(a->title, b->title, Qt::CaseInsensitive) < 0;
    });
    body += keyword.isEmpty()
                ? QStringLiteral("<h1>Index</h1>")
                : QStringLiteral("<h1>Topics for \"%1\"</h1>").arg(keyword.toHtmlEscaped());
    if (listed.empty()) {
        body += QStringLiteral("<p>No topic title contains this word. "
                               "<a href=\"#index\">Show all topics</a>.</p>");
    } else {
        body += QStringLiteral("<ul>");
        for (const HelpTopic* t : listed) {
            body += link(*t);
        }
        body += QStringLiteral("</ul>");
    }
    return page(body);
}

} // namespace wexel
