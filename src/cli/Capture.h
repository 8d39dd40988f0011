#pragma once
// The message box and the error reporter of wexel-calc: instead of showing a
// box they keep what would be shown, so a command can print it to standard
// error in its own form and tell a rejected input by the exit status.

#include "platform/ErrorReportPort.h"
#include "platform/MessageBoxPort.h"

#include <string>
#include <vector>

namespace wexel::cli {

struct ReportedError {
    std::string number, description, location, message;
};

class Capture : public MessageBoxPort, public ErrorReportPort {
public:
    // Installs itself as the message box and the error reporter for its lifetime.
    Capture();
    ~Capture() override;
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    void showMessage(const std::string& prompt, const std::string& title) override;
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override;

    // One box that would have been shown: a message (an input was
    // rejected) or an error report.
    struct Shown {
        bool isError = false;
        std::string message;
        ReportedError error;
    };

    bool empty() const { return shown.empty(); }
    bool anyMessage() const;
    bool anyError() const;
    void clear() { shown.clear(); }

    std::vector<Shown> shown; // in the order they came
};

// The error box's text (headline, blank line, location, number,
// description), one line per line.
std::string errorBoxLines(const ReportedError& error);

// The same facts on one line, for reports that go line by line.
std::string errorOneLine(const ReportedError& error);

} // namespace wexel::cli
