#include "ui/info/HelpFile.h"

#include "platform/RuntimeError.h"
#include "platform/TextFileReader.h"
#include "ui/info/HelpMarkup.h"

#include <QRegularExpression>
#include <QUrlQuery>

#include <algorithm>

namespace wexel {

namespace {

// The one style of every page: the help file brings none of its own.
const char* const kStyle = "body { font-family: sans-serif; }"
                           "h1 { font-size: large; color: #1d4e89; }"
                           "h2, h3 { font-size: medium; color: #1d4e89; }"
                           "pre { background-color: #f2f2f2; white-space: pre-wrap; }"
                           ".note { color: #404000; }"
                           ".see { margin-top: 12px; }";

QString page(const QString& body) {
    return QStringLiteral("<html><head><meta charset=\"utf-8\"><style>") + QLatin1String(kStyle) +
           QStringLiteral("</style></head><body>") + body + QStringLiteral("</body></html>");
}

} // namespace

HelpFile HelpFile::load(const std::string& path) {
    HelpFile help;
    const std::string bytes = readRegularFile(path, kMaxHelpFileBytes);
    try {
        help = HelpMarkup::read(QString::fromUtf8(bytes));
    } catch (const HelpFileRefusal& refusal) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file: " + refusal.what());
    }
    if (help.topics_.empty()) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file: it holds no topic");
    }
    return help;
}

HelpFile HelpFile::parse(const QString& source) {
    try {
        return HelpMarkup::read(source);
    } catch (const HelpFileRefusal& refusal) {
        raise(ErrorNumber::PathFileAccess, refusal.what());
    }
}

const HelpTopic* HelpFile::topic(unsigned long context) const {
    const auto found = std::find_if(topics_.begin(), topics_.end(),
                                    [context](const HelpTopic& t) { return t.context == context; });
    return found == topics_.end() ? nullptr : &*found;
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
    // One paragraph per entry: a list's item numbering costs time with the
    // square of its length.
    auto link = [](const QString& text, unsigned long context) {
        return QStringLiteral("<p><a href=\"#%1\">%2</a></p>")
            .arg(context)
            .arg(text.toHtmlEscaped());
    };
    QString body;
    if (keyword.isEmpty()) {
        body += QStringLiteral("<h1>Contents</h1>");
        for (const HelpTopic& t : topics_) {
            body += link(t.title, t.context);
        }
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
    }
    for (const auto& [text, context] : entries) {
        body += link(text, context);
    }
    return page(body);
}

QUrl externalLink(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    if ((scheme == u"http" || scheme == u"https") && link.isValid() && !link.host().isEmpty()) {
        return link;
    }
    if (scheme != u"mailto") {
        return {};
    }
    // Plain addresses, separated by commas: nothing that a mail client could
    // read as a further field.
    static const QRegularExpression addresses(QStringLiteral(
        "^[^\\s?&#<>\"',;%@]+@[^\\s?&#<>\"',;%@]+(,[^\\s?&#<>\"',;%@]+@[^\\s?&#<>\"',;%@]+)*$"));
    const QString to = link.path(QUrl::FullyDecoded);
    if (!addresses.match(to).hasMatch()) {
        return {};
    }
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(to);
    const QString subject =
        QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    if (!subject.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), subject);
        mail.setQuery(query);
    }
    return mail;
}

} // namespace wexel
