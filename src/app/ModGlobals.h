#pragma once
// Start-up and the one error box of the program.

#include "platform/Ports.h"

#include <string>

namespace wexel {

inline constexpr const char* kHelpFileName = "WXConvert.hlp";
inline constexpr const char* kErrorBoxTitle = "Wexel Pricer Error!";
inline constexpr const char* kInstallationMessage =
    "A required file has been removed or installed improperly.  If this is a new installation, "
    "please check the user's guide for information on systems that require the installation of "
    "DCOM.";

// Full path of the help file; set once by Main (and by tests).
const std::string& HelpFilePath();
void setHelpFilePath(std::string path);

// Shows the error box: the headline (sMessage, or the general message when
// it is empty), a blank line, then location, number and description.
void ReportError(const std::string& sNumber, const std::string& sDescription,
                 const std::string& sLocation, const std::string& sMessage);

// Routes the core's reports to ReportError; Main installs it.
class ErrorBoxReporter : public ErrorReportPort {
public:
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override {
        ReportError(sNumber, sDescription, sLocation, sMessage);
    }
};

// The steps of start-up that need windows; the program implements them with Qt.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    // Brings the running instance to the front (it may not be found).
    virtual void ShowRunningInstance() = 0;
    // Shows the About dialog and returns when it has closed.
    virtual void showAboutModal() = 0;
    // Creates, loads and shows the converter window.
    virtual void showConverter() = 0;
};

enum class StartupResult {
    Running,        // the converter window is open: run the event loop
    SecondInstance, // another instance runs: end at once, successfully
    Failed,         // an error was reported: end at once, unsuccessfully
};

// The program's entry procedure: guard, help path, data, About, converter.
StartupResult Main(AppFacts& facts, StartupSteps& steps);

} // namespace wexel
