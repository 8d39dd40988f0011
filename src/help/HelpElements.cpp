#include "help/HelpElements.h"

#include "help/HelpFile.h"

#include <QUrl>

#include <algorithm>
#include <iterator>

namespace wexel::help {

namespace {

struct Element {
    const char* name;
    Holds holds;
};

// In the order of Tag.
constexpr Element kElements[] = {
    {"html", Holds::Frame},   {"head", Holds::Head},     {"title", Holds::Title},
    {"meta", Holds::Nothing}, {"body", Holds::Sections}, {"section", Holds::Flow},
    {"h1", Holds::Text},      {"h2", Holds::Text},       {"h3", Holds::Text},
    {"p", Holds::Text},       {"pre", Holds::Text},      {"ul", Holds::Items},
    {"ol", Holds::Items},     {"table", Holds::Rows},    {"a", Holds::Text},
    {"b", Holds::Text},       {"i", Holds::Text},        {"em", Holds::Text},
    {"strong", Holds::Text},  {"code", Holds::Text},     {"br", Holds::Nothing},
    {"li", Holds::Flow},      {"tr", Holds::Cells},      {"th", Holds::Flow},
    {"td", Holds::Flow},
};

bool isBlock(Tag tag) {
    return tag >= Tag::H1 && tag <= Tag::Table;
}

} // namespace

std::optional<Tag> findTag(QStringView name) {
    const auto found =
        std::find_if(std::begin(kElements), std::end(kElements),
                     [&](const Element& e) { return name == QLatin1String(e.name); });
    if (found == std::end(kElements)) {
        return std::nullopt;
    }
    return static_cast<Tag>(found - std::begin(kElements));
}

QLatin1String tagName(Tag tag) {
    return QLatin1String(kElements[static_cast<int>(tag)].name);
}

Holds holdsOf(Tag tag) {
    return kElements[static_cast<int>(tag)].holds;
}

bool isInline(Tag tag) {
    return tag >= Tag::A && tag <= Tag::Br;
}

bool allows(Holds holds, Tag child) {
    switch (holds) {
    case Holds::Frame:
        return child == Tag::Head || child == Tag::Body;
    case Holds::Head:
        return child == Tag::Title || child == Tag::Meta;
    case Holds::Sections:
        return child == Tag::Section;
    case Holds::Flow:
        return isBlock(child) || isInline(child);
    case Holds::Text:
        return isInline(child);
    case Holds::Items:
        return child == Tag::Li;
    case Holds::Rows:
        return child == Tag::Tr;
    case Holds::Cells:
        return child == Tag::Th || child == Tag::Td;
    case Holds::Title:
    case Holds::Nothing:
        return false;
    }
    return false;
}

bool holdsText(Holds holds) {
    return holds == Holds::Title || holds == Holds::Flow || holds == Holds::Text;
}

bool isContextNumber(QStringView text) {
    return !text.isEmpty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString linkTarget(QStringView href) {
    if (href.size() > kMaxHelpLinkChars) {
        return {};
    }
    if (href == u"#index") {
        return href.toString();
    }
    if (href.startsWith(u'#') && isContextNumber(href.mid(1))) {
        return QStringLiteral("#%1").arg(href.mid(1).toULong());
    }
    return externalLink(QUrl(href.toString(), QUrl::StrictMode)).toString(QUrl::FullyEncoded);
}

bool isKnownClass(QStringView name) {
    return name == u"note" || name == u"see";
}

} // namespace wexel::help
