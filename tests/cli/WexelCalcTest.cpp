// wexel-calc end to end: every command on a small table with known answers,
// in-process and as the real executable.
#include "cli/WexelCalc.h"
#include "CliTestSupport.h"
#include "JsonCheck.h"
#include "cli/TextOutput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace wexel;
using namespace wexel::testing;

namespace {

class WexelCalc : public ::testing::Test {
protected:
    DataFolder data{kExampleNames, kExampleTiers};
};

struct Case {
    std::vector<std::string> words;
    int status;
    std::string out;
    std::string err; // "" = nothing on standard error
};

void expectCase(const Ran& ran, const Case& c) {
    std::string what;
    for (const std::string& w : c.words) {
        what += "[" + w + "] ";
    }
    EXPECT_EQ(ran.status, c.status) << what << ran.err;
    EXPECT_EQ(ran.out, c.out) << what;
    EXPECT_EQ(ran.err, c.err) << what;
}

// The worked examples of the calculators on the made-up table.
const std::vector<Case>& calculatorCases() {
    static const std::vector<Case> cases = {
        {{"to-wx", "WXE007", "12"}, 0, "7\n", ""},
        {{"to-wx", "wxe007", "3"}, 0, "3\n", ""},
        {{"to-wx", "WXE007", "5"}, 0, "4\n", ""},
        {{"to-wx", "WXE007", "1E3"}, 0, "254\n", ""},
        {{"to-wx", "WXE007", ""}, 0, "0\n", ""},
        {{"to-wx", "WXE007", "   "}, 0, "0\n", ""},
        {{"to-wx", "Flat Rate", "100"}, 0, "8\n", ""},
        {{"to-wx", "WXE007", "-"}, 2, "ERR\n", "Input must be numeric.\n"},
        {{"to-wx", "WXE007", "12a"}, 2, "ERR\n", "Input must be numeric.\n"},
        {{"to-wx", "WXE007", "1.5"}, 2, "ERR\n", "Input must be a whole number. \n"},
        {{"to-wx", "WXE007", "1,000"}, 2, "ERR\n", "Input must be a whole number. \n"},
        {{"to-wx", "WXE007", "-3"}, 2, "ERR\n", "Minimum value allowed for input is 0.\n"},
        // Longer than the window's field takes (8 for capacity, 6 for Wexels).
        {{"to-wx", "WXE007", "123456789"},
         2,
         "",
         "Input is too long: 123456789 (the field takes at most 8 characters)\n"},
        {{"to-capacity", "WXE007", "1234567"},
         2,
         "",
         "Input is too long: 1234567 (the field takes at most 6 characters)\n"},
        {{"to-capacity", "WXE007", "7"}, 0, "13\n", ""},
        {{"to-capacity", "WXE007", "1"}, 0, "1\n", ""},
        {{"to-capacity", "Database Engine", "5.5"}, 2, "ERR\n", "Input must be a whole number. \n"},
        {{"add-wx", "WXE007", "2", "5"}, 0, "9\n", ""},
        {{"add-wx", "WXE007", "1", "12"}, 0, "17\n", ""},
        {{"add-wx", "WXE007", "0", " 5"}, 0, " 5\n", ""},
        {{"add-wx", "WXE007", "0", "007"}, 0, "007\n", ""},
        {{"add-wx", "WXE007", "0", "0"}, 0, "0\n", ""},
        // Both inputs bad: the Wexels (the first argument) are reported.
        {{"add-wx", "WXE007", "x", "1.5"}, 2, "ERR\n", "Input must be numeric.\n"},
        {{"add-capacity", "WXE007", "7", "5"}, 0, "3\t13\n", ""},
        {{"add-capacity", "WXE007", "-7", "12"}, 0, "-3\t5\n", ""},
        {{"add-capacity", "WXE007", "-", "5"}, 0, "0\t5\n", ""},
        {{"add-capacity", "WXE007", "-20", "5"}, 0, "-4\t0\n", ""},
        {{"add-capacity", "WXE007", "1.5", "-1"},
         2,
         "ERR\tERR\n",
         "Input must be a whole number. \n"},
        {{"add-capacity", "WXE007", "1", "-1"},
         2,
         "ERR\tERR\n",
         "Minimum value allowed for input is 0.\n"},
        {{"add-to-wx", "WXE007", "7", "4"}, 0, "3\t13\n", ""},
        {{"add-to-wx", "WXE007", "0", "4"}, 0, "0\t5\n", ""},
        {{"add-to-wx", "WXE007", "-10", "4"}, 0, "-4\t0\n", ""},
        {{"add-to-wx", "WXE007", "+", "4"}, 0, "0\t5\n", ""},
    };
    return cases;
}

} // namespace

TEST_F(WexelCalc, CalculatorsPrintWhatTheLabelsShow) {
    for (const Case& c : calculatorCases()) {
        std::vector<std::string> args{"--data", data.path()};
        args.insert(args.end(), c.words.begin(), c.words.end());
        expectCase(runInProcess(args), c);
    }
}

TEST_F(WexelCalc, TheExecutablePrintsTheSame) {
    for (const Case& c : calculatorCases()) {
        std::vector<std::string> args{"--data", data.path()};
        args.insert(args.end(), c.words.begin(), c.words.end());
        expectCase(runExecutable(args), c);
    }
}

TEST_F(WexelCalc, AnOutOfRangeInputIsReportedAndRejected) {
    const Ran ran = runInProcess(data.args({"to-wx", "WXE007", "9E9"}));
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.out, "ERR\n");
    EXPECT_NE(ran.err.find("Location:  ModMath.integerCheck\nError Number:  6\n"),
              std::string::npos)
        << ran.err;
    EXPECT_NE(ran.err.find("Minimum value allowed for input is 0.\n"), std::string::npos);
}

TEST_F(WexelCalc, AnEngineErrorIsShownAndTheExitStatusSaysSo) {
    // A slope of 0 makes the inverse walk divide by zero: the window shows
    // the error box and then the 0 it gets.
    DataFolder zero("A1,WXE007,MSU\r\n", "A1,1,3,,1\r\nA1,4,999,,0\r\n");
    const Ran ran = runInProcess(zero.args({"to-capacity", "WXE007", "10"}));
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, "0\n");
    EXPECT_NE(ran.err.find("Returning a result of zero.\n\nLocation:  ModMath.WX2MSU\n"),
              std::string::npos)
        << ran.err;
}

TEST_F(WexelCalc, ListAndTiersShowTheTable) {
    expectCase(runExecutable(data.args({"list"})),
               {{"list"},
                0,
                "WXE007\tMSU\t3\nFlat Rate\tMSU\t1\nDatabase Engine\tMSG\t2\nScheduler\tENG\t2\n",
                ""});
    expectCase(
        runExecutable(data.args({"tiers", "wxe007"})),
        {{"tiers"}, 0, "Base\t1\t-\t3\t1\nTier A\t4\t-\t9\t0.5\nTier B\t10\t-\t+\t0.25\n", ""});
    expectCase(runInProcess(data.args({"tiers", "Flat Rate"})),
               {{"tiers"}, 0, "Base\t1\t-\t+\t0.07\n", ""});
}

TEST_F(WexelCalc, UnknownConversionsAndConversionsWithoutTiersAreErrors) {
    expectCase(runInProcess(data.args({"to-wx", "Nothing", "5"})),
               {{"to-wx"}, 2, "", "Unknown conversion: Nothing\n"});
    expectCase(runInProcess(data.args({"tiers", "WXE00"})),
               {{"tiers"}, 2, "", "Unknown conversion: WXE00\n"});
    DataFolder empty("A1,WXE007,MSU\r\nB2,Empty,MSG\r\n", "A1,1,9,,1\r\n");
    expectCase(runInProcess(empty.args({"batch", "empty"})),
               {{"batch"}, 2, "", "Conversion has no tiers: Empty\n"});
    expectCase(runInProcess(empty.args({"list"})),
               {{"list"}, 0, "WXE007\tMSU\t1\nEmpty\tMSG\t0\n", ""});
}

TEST_F(WexelCalc, JsonGivesOneValidObjectPerLine) {
    const struct {
        std::vector<std::string> words;
        std::string out;
    } cases[] = {
        {{"to-wx", "WXE007", "12"},
         "{\"command\":\"to-wx\",\"conversion\":\"WXE007\",\"capacity\":\"12\",\"wexels\":\"7\"}"
         "\n"},
        {{"add-capacity", "wxe007", "7", "5"},
         "{\"command\":\"add-capacity\",\"conversion\":\"WXE007\",\"added\":\"7\",\"existing\":"
         "\"5\",\"additional_wexels\":\"3\",\"total\":\"13\"}\n"},
        {{"add-wx", "WXE007", "2", "5"},
         "{\"command\":\"add-wx\",\"conversion\":\"WXE007\",\"wexels\":\"2\",\"capacity\":\"5\","
         "\"total\":\"9\"}\n"},
        {{"add-to-wx", "WXE007", "-10", "4"},
         "{\"command\":\"add-to-wx\",\"conversion\":\"WXE007\",\"added\":\"-10\",\"wexels\":\"4\","
         "\"additional_wexels\":\"-4\",\"total\":\"0\"}\n"},
        {{"to-capacity", "WXE007", "7"},
         "{\"command\":\"to-capacity\",\"conversion\":\"WXE007\",\"wexels\":\"7\",\"capacity\":"
         "\"13\"}\n"},
        {{"tiers", "Database Engine"},
         "{\"tier\":\"Base\",\"lowest\":1,\"highest\":5,\"slope\":1}\n"
         "{\"tier\":\"Tier A\",\"lowest\":6,\"highest\":null,\"slope\":0.45}\n"},
        {{"list"},
         "{\"name\":\"WXE007\",\"units\":\"MSU\",\"tiers\":3}\n"
         "{\"name\":\"Flat Rate\",\"units\":\"MSU\",\"tiers\":1}\n"
         "{\"name\":\"Database Engine\",\"units\":\"MSG\",\"tiers\":2}\n"
         "{\"name\":\"Scheduler\",\"units\":\"ENG\",\"tiers\":2}\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--json", "--data", data.path()};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const Ran ran = runExecutable(args);
        EXPECT_EQ(ran.status, 0) << ran.err;
        EXPECT_EQ(ran.out, c.out);
        EXPECT_TRUE(everyLineIsJsonObject(ran.out)) << ran.out;
    }
}

TEST_F(WexelCalc, JsonStringsAreEscaped) {
    DataFolder odd("A1,WXE007,MSU\r\nB2,Quote \"q\" back\\slash\ttab,MSG\r\n",
                   "A1,1,9,,1\r\nB2,1,9,,1\r\n");
    const Ran ran = runInProcess(odd.args({"--json", "list"}));
    EXPECT_EQ(ran.status, 0);
    EXPECT_NE(ran.out.find("\"Quote \\\"q\\\" back\\\\slash\\ttab\""), std::string::npos)
        << ran.out;
    EXPECT_TRUE(everyLineIsJsonObject(ran.out)) << ran.out;
}

TEST_F(WexelCalc, ExplainShowsTheWorkingTierByTier) {
    const Ran wx = runExecutable(data.args({"--explain", "to-wx", "WXE007", "12"}));
    EXPECT_EQ(wx.status, 0) << wx.err;
    EXPECT_EQ(wx.out.substr(0, 2), "7\n");
    EXPECT_NE(wx.out.find("Base (1 - 3)"), std::string::npos) << wx.out;
    EXPECT_NE(wx.out.find("Tier A (4 - 9)"), std::string::npos) << wx.out;
    EXPECT_NE(wx.out.find("Tier B (10 - +)"), std::string::npos) << wx.out;
    EXPECT_NE(wx.out.find("6.75"), std::string::npos) << wx.out;

    const Ran msu = runInProcess(data.args({"to-capacity", "WXE007", "7", "--explain"}));
    EXPECT_EQ(msu.status, 0) << msu.err;
    EXPECT_EQ(msu.out.substr(0, 3), "13\n");
    EXPECT_NE(msu.out.find("Tier B (10 - +)"), std::string::npos) << msu.out;

    const Ran json = runInProcess(data.args({"--json", "--explain", "to-wx", "WXE007", "12"}));
    EXPECT_TRUE(everyLineIsJsonObject(json.out)) << json.out;
    EXPECT_NE(json.out.find("\"working\":[\""), std::string::npos) << json.out;

    // A rejected input has no working.
    const Ran bad = runInProcess(data.args({"--explain", "to-wx", "WXE007", "x"}));
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "ERR\n");
}

TEST_F(WexelCalc, UsageErrorsExitWith2) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"to-wx", "WXE007"},
        {"to-wx", "WXE007", "1", "2"},
        {"add-capacity", "WXE007", "1"},
        {"batch"},
        {"list", "extra"},
        {"--data"},
        {"--colour", "list"},
        {"--explain", "add-wx", "WXE007", "1", "2"},
    };
    for (const auto& words : cases) {
        const Ran ran = runInProcess(words);
        EXPECT_EQ(ran.status, 2) << (words.empty() ? "" : words[0]);
        EXPECT_EQ(ran.out, "");
        EXPECT_NE(ran.err.find("wexel-calc --help"), std::string::npos) << ran.err;
    }
}

TEST_F(WexelCalc, HelpPrintsTheInterface) {
    const Ran ran = runExecutable({"--help"});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out.rfind("wexel-calc [--data DIR] list\n", 0), 0u);
    EXPECT_NE(ran.out.find("wexel-calc [--data DIR] add-to-wx NAME ADDED WEXELS         "
                           "(calculator 5)\n"),
              std::string::npos);
    EXPECT_NE(ran.out.find("wexel-calc [--data DIR] check\n"), std::string::npos);
    EXPECT_EQ(runInProcess({"--version"}).out, "wexel-calc 4.0.0\n");
}

TEST_F(WexelCalc, OptionsMayFollowTheCommandAndDoubleDashEndsThem) {
    EXPECT_EQ(runInProcess({"to-wx", "--data", data.path(), "WXE007", "12"}).out, "7\n");
    EXPECT_EQ(runInProcess({"--data=" + data.path(), "to-wx", "WXE007", "12"}).out, "7\n");
    const Ran dashed = runInProcess({"--data", data.path(), "--", "to-wx", "WXE007", "--json"});
    EXPECT_EQ(dashed.status, 2);
    EXPECT_EQ(dashed.err, "Input must be numeric.\n");
}

TEST_F(WexelCalc, DataFilesAreFoundBesideTheExecutable) {
    // A copy of the program in a folder of its own, started without --data.
    TempFolder installed;
    const std::string exe = installed.file("wexel-calc");
    std::filesystem::copy_file(WEXEL_CALC_EXE, exe);
    std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    installed.write(kNamesFileName, kExampleNames);
    installed.write(kTiersFileName, kExampleTiers);
    const Ran ran = runProgram(exe, {"to-wx", "WXE007", "12"});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "7\n");

    // Through a link, as the installed launcher is.
    TempFolder bin;
    std::filesystem::create_symlink(exe, bin.file("wexel-calc"));
    EXPECT_EQ(runProgram(bin.file("wexel-calc"), {"to-wx", "WXE007", "12"}).out, "7\n");
}

TEST_F(WexelCalc, ALoadErrorPrintsTheErrorBoxAndExitsWith1) {
    DataFolder bad("A1,WXE007,MSU\r\nB2,Big\r\n", "A1,1,9,,1\r\n");
    const Ran ran = runExecutable(bad.args({"to-wx", "WXE007", "5"}));
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(ran.err, "An error has occurred; please contact technical support.\n\n"
                       "Location:  ModGlobals.Main\n"
                       "Error Number:  9\n"
                       "Description:  Subscript out of range: vqcsname.dat line 2 has 2 fields, "
                       "3 needed\n");
}

TEST_F(WexelCalc, CheckPrintsEveryProblemWithFileAndLine) {
    DataFolder bad("A1,WXE007,MSU\r\n"
                   "B2,Short\r\n"
                   "C3,Other,msg\r\n",
                   "A1,1,3,,1\r\n"
                   "A1,5,9,,0.5\r\n"
                   "ZZ,1,3,,1\r\n"
                   "C3,1,3\r\n"
                   "C3,1,9,,0\r\n");
    const std::string names = bad.folder.file(kNamesFileName);
    const std::string tiers = bad.folder.file(kTiersFileName);
    const Ran ran = runExecutable(bad.args({"check"}));
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(
        ran.out,
        names + ":2: error: Subscript out of range: vqcsname.dat line 2 has 2 fields, 3 needed\n" +
            names +
            ":3: warning: the unit code \"msg\" of \"Other\" is not MSU, MSG or ENG: "
            "the window shows no unit panel for it\n" +
            tiers +
            ":1: warning: the highest capacity 3 of \"WXE007\" is not the next "
            "tier's lowest capacity minus 1 (4, line 2): the band ends where the "
            "next tier begins\n" +
            tiers +
            ":3: error: Key not found: the conversion code \"ZZ\" on vqcslope.dat "
            "line 3 is not in vqcsname.dat\n" +
            tiers +
            ":4: error: Subscript out of range: vqcslope.dat line 4 has 3 fields, 4 "
            "needed\n" +
            tiers +
            ":5: warning: the slope 0 of \"Other\" is not above 0: converting "
            "Wexels to capacity divides by it\n");
    EXPECT_EQ(ran.err, "3 errors, 3 warnings\n");

    const Ran json = runExecutable(bad.args({"check", "--json"}));
    EXPECT_EQ(json.status, 2);
    EXPECT_TRUE(everyLineIsJsonObject(json.out)) << json.out;
    EXPECT_EQ(json.out.substr(0, json.out.find('\n')),
              "{\"file\":" + cli::jsonString(names) +
                  ",\"line\":2,\"severity\":\"error\",\"text\":\"Subscript out of range: "
                  "vqcsname.dat line 2 has 2 fields, 3 needed\",\"number\":9}");
}

TEST_F(WexelCalc, CheckExitsWith1ForWarningsOnlyAnd0WhenClean) {
    const Ran clean = runExecutable(data.args({"check"}));
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, "0 errors, 0 warnings\n");
    EXPECT_EQ(runExecutable({"--data", WEXEL_SAMPLE_DATA, "check"}).status, 0);

    DataFolder warned("A1,WXE007,MSU\r\nB2,Lonely,ENG\r\n", "A1,1,9,,1\r\n");
    const Ran ran = runExecutable(warned.args({"check"}));
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, warned.folder.file(kNamesFileName) +
                           ":2: warning: the conversion \"Lonely\" has no tiers in vqcslope.dat: "
                           "the window reports it at every start and leaves it out of its list\n");
}

// The bad-input files of the loader, through check and through a normal
// command: check reports the error with its file and line; the other
// commands print the error box's text and exit with 1.
TEST_F(WexelCalc, BadDataFilesThroughCheckAndThroughTheOtherCommands) {
    const std::string names = "A1,WXE007,MSU\r\nB2,Big Iron,MSG\r\n";
    const std::string tiers = "A1,1,3,,1\r\nA1,4,999,,0.5\r\nB2,1,999,,2\r\n";
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    struct Row {
        const char* what;
        std::string names, tiers; // "<folder>" makes the file a folder, "<none>" leaves it out
        const char* file;
        int line;
        int number;
        const char* mentions;
    };
    const Row rows[] = {
        {"missing names file", "<none>", tiers, kNamesFileName, 0, 53, "File not found: "},
        {"missing tier file", names, "<none>", kTiersFileName, 0, 53, "File not found: "},
        {"names file is a folder", "<folder>", tiers, kNamesFileName, 0, 75, ""},
        {"tier file is a folder", names, "<folder>", kTiersFileName, 0, 75, ""},
        {"names record with 2 fields", names + "C3,Short\r\n", tiers, kNamesFileName, 3, 9,
         "vqcsname.dat line 3 has 2 fields, 3 needed"},
        {"used tier record with 4 fields", names, tiers + "A1,1000,2000,,\r\n", kTiersFileName, 4,
         9, "vqcslope.dat line 4 has 4 fields, 5 needed"},
        {"names differing only in case", names + "C3,big iron,ENG\r\n", tiers, kNamesFileName, 3,
         457, "\"big iron\""},
        {"duplicate codes", names + "A1,Other,ENG\r\n", tiers, kNamesFileName, 3, 457,
         "code \"A1\""},
        {"tier code not in the names file", names, tiers + "ZZ,1,3,,1\r\n", kTiersFileName, 4, 5,
         "\"ZZ\""},
        {"capacity of 3000000000", names, tiers + "B2,3000000000,1,,1\r\n", kTiersFileName, 4, 6,
         "\"3000000000\""},
        {"slope of 1E400", names, tiers + "B2,1000,2000,,1E400\r\n", kTiersFileName, 4, 6,
         "\"1E400\""},
        {"binary garbage", garbage, garbage, kNamesFileName, 1, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder folder;
        for (const auto& [file, content] :
             {std::pair{kNamesFileName, row.names}, std::pair{kTiersFileName, row.tiers}}) {
            if (content == "<folder>") {
                std::filesystem::create_directory(folder.file(file));
            } else if (content != "<none>") {
                folder.write(file, content);
            }
        }
        const Ran checked = runExecutable({"--data", folder.path(), "check"});
        EXPECT_EQ(checked.status, 2) << checked.out << checked.err;
        const std::string head =
            folder.file(row.file) + ":" + std::to_string(row.line) + ": error: ";
        EXPECT_EQ(checked.out.rfind(head, 0), 0u) << checked.out;
        EXPECT_NE(checked.out.find(row.mentions), std::string::npos) << checked.out;

        const Ran listed = runExecutable({"--data", folder.path(), "list"});
        EXPECT_EQ(listed.status, 1) << listed.out << listed.err;
        EXPECT_EQ(listed.out, "");
        EXPECT_EQ(listed.err.rfind("An error has occurred; please contact technical support.\n\n"
                                   "Location:  ModGlobals.Main\nError Number:  ",
                                   0),
                  0u)
            << listed.err;
        if (row.number != 0) {
            EXPECT_NE(listed.err.find("Error Number:  " + std::to_string(row.number) + "\n"),
                      std::string::npos)
                << listed.err;
        }
        EXPECT_NE(listed.err.find(row.mentions), std::string::npos) << listed.err;

        const Ran converted = runInProcess({"--data", folder.path(), "to-wx", "WXE007", "5"});
        EXPECT_EQ(converted.status, 1);
        EXPECT_EQ(converted.err, listed.err);
    }
}

TEST_F(WexelCalc, EmptyDataFilesLoadWithoutConversions) {
    DataFolder empty("", "");
    const Ran listed = runExecutable(empty.args({"list"}));
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "");
    EXPECT_EQ(runExecutable(empty.args({"to-wx", "WXE007", "5"})).err,
              "Unknown conversion: WXE007\n");
    const Ran checked = runExecutable(empty.args({"check"}));
    EXPECT_EQ(checked.status, 1);
    EXPECT_NE(checked.out.find(":0: warning: no conversion is named \"WXE007\""),
              std::string::npos);
}

TEST_F(WexelCalc, AFiftyMegabyteTierFileLoadsAndChecksInLinearTime) {
    // 2,000,000 contiguous tier lines over 50 interleaved conversions.
    std::string names;
    for (int c = 0; c < 50; ++c) {
        names += "C" + std::to_string(c) + "," +
                 (c == 0 ? std::string("WXE007") : "Conversion " + std::to_string(c)) + ",MSU\r\n";
    }
    std::string tiers;
    tiers.reserve(52'000'000);
    for (int k = 0; k < 40'000; ++k) {
        const std::string low = std::to_string(k * 10 + 1);
        const std::string high = std::to_string(k * 10 + 10);
        for (int c = 0; c < 50; ++c) {
            tiers += "\"C" + std::to_string(c) + "\",\"" + low + "\",\"" + high +
                     "\",\"\",\"0.125\"\r\n";
        }
    }
    ASSERT_GT(tiers.size(), 50'000'000u);
    DataFolder big(names, tiers);
    tiers.clear();
    tiers.shrink_to_fit();
    const auto start = std::chrono::steady_clock::now();
    const Ran checked = runExecutable(big.args({"check"}));
    const Ran listed = runExecutable(big.args({"list"}));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(checked.status, 0) << checked.out.substr(0, 2000);
    EXPECT_EQ(listed.out.substr(0, listed.out.find('\n')), "WXE007\tMSU\t40000");
    EXPECT_LT(seconds, 120.0); // a quadratic loader would take hours
}
