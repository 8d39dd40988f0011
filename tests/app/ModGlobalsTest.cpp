// Start-up and the error box, with the windows' steps recorded.
#include "app/ModGlobals.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

class Steps : public StartupSteps {
public:
    void ShowRunningInstance() override { done += "raise "; }
    void showAboutModal() override { done += "about "; }
    void showConverter() override {
        if (failWith != 0) {
            throw RuntimeError(failWith, "window");
        }
        done += "converter ";
    }
    std::string done;
    int failWith = 0;
};

class Facts : public AppFacts {
public:
    bool previousInstanceRunning() override { return running; }
    std::string exeDirectory() override { return folder; }
    bool running = false;
    std::string folder;
};

} // namespace

TEST(ReportError, TheBoxHasAFixedLayout) {
    const Capture capture;
    ReportError("53", "File not found", "ModGlobals.Main", "");
    ReportError("6", "Overflow", "ModMath.MSU2WX", "Returning a result of zero.");
    ASSERT_EQ(capture.shown.size(), 2u);
    EXPECT_EQ(capture.shown[0].title, "Wexel Pricer Error!");
    EXPECT_EQ(capture.shown[0].message,
              "An error has occurred; please contact technical support.\r\n\r\n"
              "Location:  ModGlobals.Main\r\nError Number:  53\r\nDescription:  File not found");
    EXPECT_EQ(capture.shown[1].message.substr(0, 31), "Returning a result of zero.\r\n\r\n");
}

TEST(Main, StartsInOrderAndStopsAtTheFirstFailure) {
    TempFolder data;
    data.writeData("A1,WXE007,MSU\n", "A1,1,3,,1\n");
    const struct {
        bool running;
        bool missingData;
        int windowFails;
        StartupResult result;
        const char* done;
        const char* shown; // a part of what the one box said, and its title
    } cases[] = {
        {false, false, 0, StartupResult::Running, "about converter ", ""},
        {true, false, 0, StartupResult::SecondInstance, "raise ", ""},
        {false, true, 0, StartupResult::Failed, "",
         "Location:  ModGlobals.Main\r\nError Number:  53\r\nDescription:  File not found: "},
        {false, false, 457, StartupResult::Failed, "about ",
         "Location:  ModGlobals.Main\r\nError Number:  457\r\nDescription:  window|Wexel Pricer "
         "Error!"},
        {false, false, 429, StartupResult::Failed, "about ",
         "A required file has been removed or installed improperly.  If this is a new "
         "installation, please check the user's guide for information on systems that require "
         "the installation of DCOM.|Wexel Converter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.done);
        const Capture capture;
        Steps steps;
        steps.failWith = c.windowFails;
        Facts facts;
        facts.running = c.running;
        facts.folder = c.missingData ? data.file("nowhere") : data.path();
        setHelpFilePath("");
        EXPECT_EQ(Main(facts, steps), c.result);
        EXPECT_EQ(steps.done, c.done);
        // Main puts its own error box in place; it shows through the message box.
        ASSERT_EQ(capture.shown.size(), *c.shown == '\0' ? 0u : 1u);
        if (!capture.shown.empty()) {
            const std::string shown = capture.shown[0].message + "|" + capture.shown[0].title;
            EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
        }
        EXPECT_EQ(HelpFilePath(),
                  c.running ? "" : facts.folder + wexel::testing::kPathSeparator + "WXConvert.hlp");
    }
}
