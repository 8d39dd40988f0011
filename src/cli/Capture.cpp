#include "cli/Capture.h"

#include "app/ModGlobals.h"

namespace wexel::cli {

Capture::Capture() {
    setMessageBox(this);
    setErrorReporter(this);
}

Capture::~Capture() {
    setMessageBox(nullptr);
    setErrorReporter(nullptr);
}

void Capture::showMessage(const std::string& prompt, const std::string&) {
    shown.push_back({false, prompt, {}});
}

void Capture::reportError(const std::string& sNumber, const std::string& sDescription,
                          const std::string& sLocation, const std::string& sMessage) {
    shown.push_back({true, {}, {sNumber, sDescription, sLocation, sMessage}});
}

bool Capture::anyMessage() const {
    for (const Shown& s : shown) {
        if (!s.isError) {
            return true;
        }
    }
    return false;
}

bool Capture::anyError() const {
    for (const Shown& s : shown) {
        if (s.isError) {
            return true;
        }
    }
    return false;
}

std::string errorBoxLines(const ReportedError& e) {
    // The box's own text, with its CR LF breaks made the terminal's.
    std::string text = errorBoxText(e.number, e.description, e.location, e.message);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string errorOneLine(const ReportedError& e) {
    std::string text = "error " + e.number + " in " + e.location + ": " + e.description;
    if (!e.message.empty()) {
        text += " (" + e.message + ")";
    }
    return text;
}

} // namespace wexel::cli
