#pragma once
// The whitelist of the help file: the elements it may hold, what each of them
// may hold, and the links and classes the pages may carry.

#include <QString>
#include <QStringView>

#include <optional>

namespace wexel::help {

// clang-format off
enum class Tag {
    Html, Head, Title, Meta, Body, Section, // the file's frame
    H1, H2, H3, P, Pre, Ul, Ol, Table,      // blocks
    A, B, I, Em, Strong, Code, Br,          // inside text
    Li, Tr, Th, Td,                         // parts of lists and tables
};
// clang-format on

// What an element may hold.
enum class Holds { Frame, Head, Title, Nothing, Sections, Flow, Text, Items, Rows, Cells };

// The element of that (local) name, if the whitelist has it.
std::optional<Tag> findTag(QStringView name);
QLatin1String tagName(Tag tag);
Holds holdsOf(Tag tag);

bool isInline(Tag tag);
bool allows(Holds holds, Tag child);
bool holdsText(Holds holds);

bool isContextNumber(QStringView text);

// A link of the file as the pages write it, or empty when that href may not
// be a link: "#NUMBER", "#index", or what externalLink() lets through.
QString linkTarget(QStringView href);

// The classes the program's style knows.
bool isKnownClass(QStringView name);

} // namespace wexel::help
