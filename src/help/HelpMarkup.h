#pragma once
// The reader of the help file's markup (the format is in HelpFile.h): an XML
// parser's tokens checked against the whitelist and the bounds, and each
// topic written out again as HTML built only from what the whitelist allows.

#include "help/HelpFile.h"

#include <stdexcept>

namespace wexel {

// A text that is not a help file: "line N: why".
class HelpFileRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HelpMarkup {
public:
    // Throws HelpFileRefusal.
    static HelpFile read(const QString& source);
};

} // namespace wexel
