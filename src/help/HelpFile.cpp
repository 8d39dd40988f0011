#include "help/HelpFile.h"

#include "help/HelpMarkup.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/TextFileReader.h"

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

// The 1-based line of byte `offset`.
int lineOf(std::string_view bytes, std::size_t offset) {
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
}

// The help file's text: UTF-16 by its byte-order mark, else in the encoding
// its XML declaration names (UTF-8 when it names none), which must hold.
QString decodedHelp(const std::string& bytes) {
    const std::string_view view(bytes);
    if (view.substr(0, 2) == "\xFF\xFE" || view.substr(0, 2) == "\xFE\xFF") {
        if (view.size() % 2 != 0) {
            throw HelpFileRefusal("it is UTF-16 of an odd number of bytes: its last character "
                                  "is cut");
        }
        return QString::fromStdString(utf16ToUtf8(view.substr(2), view[0] == '\xFE'));
    }
    static const QRegularExpression declared(
        QStringLiteral("^\\s*<\\?xml[^>]*\\sencoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QString start = QString::fromLatin1(view.substr(0, 256));
    const QString encoding = declared.match(start).captured(1).toLower();
    std::string text;
    if (encoding.isEmpty() || encoding == u"utf-8" || encoding == u"utf8") {
        if (!isValidUtf8(view)) {
            std::size_t at = 0;
            while (at < view.size()) {
                const std::size_t n = static_cast<unsigned char>(view[at]) < 0x80
                                          ? 1
                                          : utf8SequenceLength(view.substr(at));
                if (n == 0) {
                    break;
                }
                at += n;
            }
            throw HelpFileRefusal("line " + std::to_string(lineOf(view, at)) +
                                  ": a byte that is not UTF-8 (save the file as UTF-8)");
        }
        text = bytes;
    } else if (encoding == u"iso-8859-1" || encoding == u"latin1" || encoding == u"latin-1" ||
               encoding == u"windows-1252" || encoding == u"cp1252" || encoding == u"us-ascii") {
        text = windows1252ToUtf8(view);
    } else {
        throw HelpFileRefusal("it declares the encoding \"" + encoding.left(40).toStdString() +
                              "\", which is not read: save it as UTF-8");
    }
    if (const std::size_t nul = view.find('\0'); nul != std::string_view::npos) {
        throw HelpFileRefusal("line " + std::to_string(lineOf(view, nul)) +
                              ": a NUL character, which is no text");
    }
    return QString::fromStdString(text);
}

} // namespace

HelpFile HelpFile::load(const std::string& path) {
    HelpFile help;
    const std::string bytes = readRegularFile(path, kMaxHelpFileBytes);
    try {
        help = HelpMarkup::read(decodedHelp(bytes));
    } catch (const HelpFileRefusal& refusal) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file: " + refusal.what());
    }
    if (help.topics_.empty()) {
        raise(ErrorNumber::PathFileAccess, path + " is not a help file: it holds no topic");
    }
    return help;
}

HelpFile HelpFile::parse(const std::string& bytes) {
    try {
        return HelpMarkup::read(decodedHelp(bytes));
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
    if (scheme == u"http" || scheme == u"https") {
        // A name and password in a link would be handed to whoever serves it.
        return link.isValid() && !link.host().isEmpty() && link.userInfo().isEmpty() ? link
                                                                                     : QUrl();
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
    // A line break in the subject would start a further header (Bcc:): every
    // control character becomes a blank.
    QString subject = QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    for (QChar& c : subject) {
        if (c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    subject = subject.simplified();
    if (!subject.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), subject);
        mail.setQuery(query);
    }
    return mail;
}

} // namespace wexel
