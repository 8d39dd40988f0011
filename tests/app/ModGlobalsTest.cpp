#include "app/ModGlobals.h"
#include "platform/AppFacts.h"
#include "platform/TextFileReader.h"
#include "support/TestSupport.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

using namespace wexel;
using namespace wexel::testing;

namespace {

class FakeFacts : public AppFacts {
public:
    explicit FakeFacts(std::string folder) : folder_(std::move(folder)) {}
    bool previousInstanceRunning() override { return running; }
    std::string exeDirectory() override {
        ++folderAsked;
        return folder_;
    }
    bool running = false;
    int folderAsked = 0;

private:
    std::string folder_;
};

class FakeSteps : public StartupSteps {
public:
    void ShowRunningInstance() override { calls.push_back("guard"); }
    void showAboutModal() override { calls.push_back("about"); }
    void showConverter() override {
        calls.push_back("converter");
        if (failConverter) {
            raise(ErrorNumber::CannotCreateComponent, "the list control");
        }
    }
    std::vector<std::string> calls;
    bool failConverter = false;
};

const std::string kNames = "A1,WXE007,MSU\r\n";
const std::string kTiers = "A1,1,3,,1\r\n";

} // namespace

TEST(ReportError, ComposesTheFixedLayout) {
    RecordingMessageBox box;
    ReportError("53", "File not found: /x/vqcsname.dat", "ModGlobals.Main", "");
    ReportError("6", "Overflow", "ModMath.MSU2WX", "Returning a result of zero.");
    ReportError("", "", "", " ");
    ASSERT_EQ(box.shown.size(), 3u);
    EXPECT_EQ(box.shown[0].title, "Wexel Pricer Error!");
    EXPECT_EQ(box.shown[0].prompt, "An error has occurred; please contact technical support.\r\n"
                                   "\r\n"
                                   "Location:  ModGlobals.Main\r\n"
                                   "Error Number:  53\r\n"
                                   "Description:  File not found: /x/vqcsname.dat");
    EXPECT_EQ(box.shown[1].prompt.substr(0, 29), "Returning a result of zero.\r\n");
    // A blank message is a message; empty values stay empty after their labels.
    EXPECT_EQ(box.shown[2].prompt, " \r\n\r\nLocation:  \r\nError Number:  \r\nDescription:  ");
}

TEST(Main, RunsGuardOrLoadsThenAboutThenConverter) {
    TempFolder folder;
    folder.write(kNamesFileName, kNames);
    folder.write(kTiersFileName, kTiers);
    RecordingMessageBox box;
    {
        FakeFacts facts(folder.path());
        FakeSteps steps;
        EXPECT_EQ(Main(facts, steps), StartupResult::Running);
        EXPECT_EQ(steps.calls, (std::vector<std::string>{"about", "converter"}));
        EXPECT_EQ(HelpFilePath(), joinPath(folder.path(), "WXConvert.hlp"));
        EXPECT_EQ(SlopeTable().count(), 1u);
    }
    SlopeTable().clear();
    {
        FakeFacts facts(folder.path());
        facts.running = true;
        FakeSteps steps;
        EXPECT_EQ(Main(facts, steps), StartupResult::SecondInstance);
        EXPECT_EQ(steps.calls, std::vector<std::string>{"guard"});
        EXPECT_EQ(facts.folderAsked, 0); // nothing is read
        EXPECT_EQ(SlopeTable().count(), 0u);
    }
    EXPECT_TRUE(box.shown.empty());
}

TEST(Main, ADataErrorShowsOneBoxAndNoWindow) {
    const struct {
        const char* what;
        const char* names; // nullptr: the file is missing
        const char* tiers;
        const char* number;
    } cases[] = {
        {"missing names file", nullptr, "A1,1,3,,1\r\n", "53"},
        {"missing tier file", "A1,WXE007,MSU\r\n", nullptr, "53"},
        {"names record with 2 fields", "A1,WXE007\r\n", "", "9"},
        {"unknown tier code", "A1,WXE007,MSU\r\n", "Z9,1,3,,1\r\n", "5"},
        {"capacity too large", "A1,WXE007,MSU\r\n", "A1,3000000000,3,,1\r\n", "6"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (c.names) {
            folder.write(kNamesFileName, c.names);
        }
        if (c.tiers) {
            folder.write(kTiersFileName, c.tiers);
        }
        RecordingMessageBox box;
        FakeFacts facts(folder.path());
        FakeSteps steps;
        EXPECT_EQ(Main(facts, steps), StartupResult::Failed) << c.what;
        EXPECT_TRUE(steps.calls.empty()) << c.what;
        ASSERT_EQ(box.shown.size(), 1u) << c.what;
        EXPECT_EQ(box.shown[0].title, "Wexel Pricer Error!");
        const std::string& text = box.shown[0].prompt;
        EXPECT_NE(text.find("\r\nLocation:  ModGlobals.Main\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("Error Number:  ") + c.number + "\r\n"), std::string::npos)
            << text;
        SlopeTable().clear();
    }
}

TEST(Main, AComponentThatCannotBeCreatedShowsTheInstallationMessage) {
    TempFolder folder;
    folder.write(kNamesFileName, kNames);
    folder.write(kTiersFileName, kTiers);
    RecordingMessageBox box;
    FakeFacts facts(folder.path());
    FakeSteps steps;
    steps.failConverter = true;
    EXPECT_EQ(Main(facts, steps), StartupResult::Failed);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, "Wexel Converter");
    EXPECT_EQ(box.shown[0].prompt,
              "A required file has been removed or installed improperly.  If this is a new "
              "installation, please check the user's guide for information on systems that "
              "require the installation of DCOM.");
    SlopeTable().clear();
}
