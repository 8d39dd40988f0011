#include "app/ModGlobals.h"

#include "platform/RuntimeError.h"
#include "platform/TextFileReader.h"
#include "tiers/DataFiles.h"

#include <new>

namespace wexel {

namespace {

std::string& theHelpFilePath() {
    static std::string path;
    return path;
}

} // namespace

const std::string& HelpFilePath() {
    return theHelpFilePath();
}

void setHelpFilePath(std::string path) {
    theHelpFilePath() = std::move(path);
}

void ReportError(const std::string& sNumber, const std::string& sDescription,
                 const std::string& sLocation, const std::string& sMessage) {
    showMessageBox(errorBoxText(sNumber, sDescription, sLocation, sMessage), kErrorBoxTitle);
}

StartupResult Main(AppFacts& facts, StartupSteps& steps) {
    static ErrorBoxReporter reporter;
    setErrorReporter(&reporter);
    try {
        if (facts.previousInstanceRunning()) {
            steps.ShowRunningInstance();
            return StartupResult::SecondInstance;
        }
        const std::string folder = facts.exeDirectory();
        setHelpFilePath(joinPath(folder, kHelpFileName));
        LoadDataFiles(folder);
        steps.showAboutModal();
        steps.showConverter();
        return StartupResult::Running;
    } catch (const RuntimeError& error) {
        if (error.number() == static_cast<int>(ErrorNumber::CannotCreateComponent)) {
            showMessageBox(kInstallationMessage);
        } else {
            reportError(error, "ModGlobals.Main", "");
        }
    } catch (const std::bad_alloc&) {
        reportError(outOfMemory(), "ModGlobals.Main", "");
    }
    return StartupResult::Failed;
}

} // namespace wexel
