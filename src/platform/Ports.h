#pragma once
// What the core needs of the platform, as ports: the message box, the error
// reporter, and the facts about the running application. The window program
// installs Qt implementations; wexel-calc and the tests install a Capture.
// Without either, messages and reports go to standard error.

#include "platform/RuntimeError.h"

#include <new>
#include <string>
#include <vector>

namespace wexel {

inline constexpr const char* kAppTitle = "Wexel Converter";
// Shown in the About dialog and closing every estimate; the double blanks
// after the first two sentences are the text as users have always seen it.
inline constexpr const char* kDisclaimer =
    "This tool is for estimation only.  This tool is used to convert between capacity and "
    "Wexels.  Wexels are product specific. Wexels are acquired for one product and are not "
    "transferable to another product.";

// The message box: modal, a prompt, a title, an OK button and no icon.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Shows the box and returns when the user has closed it.
    virtual void showMessage(const std::string& prompt, const std::string& title) = 0;
};

// Installs the box used from now on; nullptr restores the standard-error one.
void setMessageBox(MessageBoxPort* box);

// Shows a message through the installed box, titled with the application's title.
void showMessageBox(const std::string& prompt, const std::string& title = kAppTitle);

// Where caught run-time errors go: the program installs its error box.
class ErrorReportPort {
public:
    virtual ~ErrorReportPort() = default;
    virtual void reportError(const std::string& sNumber, const std::string& sDescription,
                             const std::string& sLocation, const std::string& sMessage) = 0;
};

void setErrorReporter(ErrorReportPort* reporter);

// Reports a caught error with its number as decimal text and its description.
void reportError(const RuntimeError& error, const std::string& sLocation,
                 const std::string& sMessage);

// Runs `body`. A RuntimeError it raises, or exhausted memory, is reported
// with sLocation and sMessage, and false returned: the caller then goes on
// with its neutral result.
template <class Body>
bool reportingFailures(const std::string& sLocation, const std::string& sMessage, Body&& body) {
    try {
        body();
        return true;
    } catch (const RuntimeError& error) {
        reportError(error, sLocation, sMessage);
    } catch (const std::bad_alloc&) {
        reportError(outOfMemory(), sLocation, sMessage);
    }
    return false;
}

inline constexpr const char* kGeneralErrorMessage =
    "An error has occurred; please contact technical support.";

// The error box's text, its lines broken by `lineBreak`: the headline
// (sMessage, or the general message when it is empty), a blank line, then
// location, number and description.
std::string errorBoxText(const std::string& sNumber, const std::string& sDescription,
                         const std::string& sLocation, const std::string& sMessage,
                         const char* lineBreak = "\r\n");

// The same report on one line: "error N in LOCATION: DESCRIPTION (MESSAGE)".
std::string errorLine(const std::string& sNumber, const std::string& sDescription,
                      const std::string& sLocation, const std::string& sMessage);

// Keeps what would be shown instead of showing it, for as long as it lives:
// wexel-calc prints it in its own form, and tests read it.
class Capture : public MessageBoxPort, public ErrorReportPort {
public:
    struct Shown {
        bool isError = false;
        std::string message; // a message box's prompt, or an error's headline
        std::string title;   // a message box's title
        std::string number, description, location;

        // An error box's text with its lines (headline, blank line, location,
        // number, description), or the message as it is.
        std::string asBox(const char* lineBreak = "\n") const;
        // The same on one line, for reports that go line by line.
        std::string onOneLine() const;
    };

    Capture();
    ~Capture() override;
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    void showMessage(const std::string& prompt, const std::string& title) override;
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override;

    bool anyMessage() const;
    bool anyError() const;

    std::vector<Shown> shown; // in the order they came

private:
    MessageBoxPort* previousBox_;
    ErrorReportPort* previousReporter_;
};

// The version information built into the program.
struct VersionInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string copyright;
};
VersionInfo builtInVersion();

// Facts about the running application that only the platform knows.
class AppFacts {
public:
    virtual ~AppFacts() = default;
    virtual bool previousInstanceRunning() = 0;
    // The folder that holds the executable, without a trailing separator.
    virtual std::string exeDirectory() = 0;
};

} // namespace wexel
