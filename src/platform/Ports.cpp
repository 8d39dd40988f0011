#include "platform/Ports.h"

#include "wexel_version.h"

#include <algorithm>
#include <iostream>

namespace wexel {

namespace {

class StandardError : public MessageBoxPort, public ErrorReportPort {
public:
    void showMessage(const std::string& prompt, const std::string& title) override {
        std::cerr << title << ": " << prompt << '\n';
    }
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override {
        std::cerr << errorLine(sNumber, sDescription, sLocation, sMessage) << '\n';
    }
};

StandardError standardError;
MessageBoxPort* installedBox = &standardError;
ErrorReportPort* installedReporter = &standardError;

} // namespace

void setMessageBox(MessageBoxPort* box) {
    installedBox = box != nullptr ? box : &standardError;
}

void showMessageBox(const std::string& prompt, const std::string& title) {
    installedBox->showMessage(prompt, title);
}

void setErrorReporter(ErrorReportPort* reporter) {
    installedReporter = reporter != nullptr ? reporter : &standardError;
}

void reportError(const RuntimeError& error, const std::string& sLocation,
                 const std::string& sMessage) {
    installedReporter->reportError(std::to_string(error.number()), error.description(), sLocation,
                                   sMessage);
}

std::string errorBoxText(const std::string& sNumber, const std::string& sDescription,
                         const std::string& sLocation, const std::string& sMessage,
                         const char* lineBreak) {
    const std::string headline = sMessage.empty() ? kGeneralErrorMessage : sMessage;
    const std::string br = lineBreak;
    return headline + br + br + "Location:  " + sLocation + br + "Error Number:  " + sNumber + br +
           "Description:  " + sDescription;
}

std::string errorLine(const std::string& sNumber, const std::string& sDescription,
                      const std::string& sLocation, const std::string& sMessage) {
    std::string text = "error " + sNumber + " in " + sLocation + ": " + sDescription;
    return sMessage.empty() ? text : text + " (" + sMessage + ")";
}

std::string Capture::Shown::asBox(const char* lineBreak) const {
    return isError ? errorBoxText(number, description, location, message, lineBreak) : message;
}

std::string Capture::Shown::onOneLine() const {
    return isError ? errorLine(number, description, location, message) : message;
}

Capture::Capture() : previousBox_(installedBox), previousReporter_(installedReporter) {
    setMessageBox(this);
    setErrorReporter(this);
}

Capture::~Capture() {
    setMessageBox(previousBox_);
    setErrorReporter(previousReporter_);
}

void Capture::showMessage(const std::string& prompt, const std::string& title) {
    shown.push_back({false, prompt, title, {}, {}, {}});
}

void Capture::reportError(const std::string& sNumber, const std::string& sDescription,
                          const std::string& sLocation, const std::string& sMessage) {
    shown.push_back({true, sMessage, {}, sNumber, sDescription, sLocation});
}

bool Capture::anyMessage() const {
    return std::any_of(shown.begin(), shown.end(), [](const Shown& s) { return !s.isError; });
}

bool Capture::anyError() const {
    return std::any_of(shown.begin(), shown.end(), [](const Shown& s) { return s.isError; });
}

VersionInfo builtInVersion() {
    return {WEXEL_VERSION_MAJOR, WEXEL_VERSION_MINOR, WEXEL_VERSION_PATCH, WEXEL_COPYRIGHT};
}

} // namespace wexel
