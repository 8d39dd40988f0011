// wexel-calc through its entry function, without Qt: its arguments and exit
// statuses, what it prints, batch, the data-file check, and hostile inputs.
// What only a process shows is in WexelCalcProcessTest.
#include "cli/WexelCalc.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>

using wexel::testing::TempFolder;

namespace {

struct Result {
    int exit = -1;
    std::string out, err;
};

// Runs wexel-calc with the sample data beside it.
Result run(const std::vector<std::string>& args, const std::string& input = {}) {
    std::ostringstream out, err;
    std::istringstream in(input);
    const int exit = wexel::runWexelCalc(args, out, err, in, WEXEL_DATA_DIR);
    return {exit, out.str(), err.str()};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(WexelCalc, ArgumentsAndExitStatus) {
    const struct {
        std::vector<std::string> args;
        int exit;
        const char* out; // a part of standard output; all of it when refused
        std::string err; // a part of standard error
    } cases[] = {
        {{}, 2, "", "wexel-calc: no command given\nTry \"wexel-calc --help\".\n"},
        {{"--help"}, 0, "wexel-calc [--data DIR] add-to-wx NAME ADDED WEXELS", ""},
        {{"-h"}, 0, "wexel-calc [--data DIR] add-to-wx NAME ADDED WEXELS", ""},
        {{"--help", "list"}, 2, "", "--help takes no command or argument"},
        {{"--version"}, 0, "wexel-calc 4.0.0\n", ""},
        {{"--version", "extra"}, 2, "", "--version takes no command or argument"},
        {{"frobnicate"}, 2, "", "unknown command frobnicate"},
        {{"--bogus", "list"}, 2, "", "unknown option --bogus"},
        {{"--data", "", "list"}, 2, "", "--data needs a folder"},
        {{"--data=", "list"}, 2, "", "--data needs a folder"},
        {{"to-wx", "WXE007"}, 2, "", "usage: wexel-calc [--data DIR] to-wx NAME CAPACITY"},
        {{"--explain", "list"}, 2, "", "--explain goes with the calculator commands only"},
        {{"--estimate", "tiers", "WXE007"}, 2, "", "--estimate goes with the calculator commands"},
        {{"--unit", "MSG", "list"}, 2, "", "--unit goes with to-wx --all only"},
        {{"to-wx", "--all", "--unit", "", "5"}, 2, "", "--unit needs a unit code"},
        {{"--csv", "to-wx", "WXE007", "5"},
         2,
         "",
         "--csv goes with to-wx --all, curve and compare only"},
        {{"to-wx", "--all", "WXE007", "5"}, 2, "", "usage: wexel-calc [--data DIR] to-wx --all"},
        {{"to-wx", "--all", "1500"},
         0,
         "WXE007\t275\nEnterprise Server Suite\t506\nMessaging Hub\t560\n",
         ""},
        {{"to-wx", "--all", "--unit", "ENG", "--csv", "10"},
         0,
         "conversion,capacity,wexels\nWorkload Scheduler,10,",
         ""},
        {{"--json", "to-wx", "--all", "--unit", "MSG", "1500"},
         0,
         "{\"conversion\":\"Database Engine\",\"units\":\"MSG\",\"capacity\":\"1500\","
         "\"wexels\":\"392\"}\n",
         ""},
        {{"to-wx", "--all", "--csv", "abc"}, 2, "", "Input must be numeric.\n"},
        {{"to-wx", "--all", "--unit", "XYZ", "5"}, 2, "", "No conversion has the unit XYZ\n"},
        {{"add-to-wx", "WXE007", "100", "400", "--estimate"},
         0,
         "Conversion: WXE007 (MSU)\nAdding 100 MSUs to an existing 400 "
         "WX entitlement requires 13 additional WXs and is sufficient for a total utilization of "
         "2611 MSUs.\nTier table: vqcslope.dat of ",
         ""},
        {{"to-wx", "WXE007", "1500", "--estimate", "--explain"},
         0,
         ", SHA-256 d4b6def8b61d\nWorking:\nBase (1 - 3): 3 x 1 = 3 WX, total 3 WX\n",
         ""},
        {{"add-capacity", "WXE007", "7", "12", "--explain"},
         0,
         "5\t20\nThe existing 12:\nBase (1 - 3): 3 x 1 = 3 WX, total 3 WX\nTier A (4 - 45): 9 x "
         "0.7 = 6.3 WX, total 9.3 WX\nRequired: 9.3 WX, rounded up to 10 WX\nWith 7 added, 19:\n",
         ""},
        {{"add-wx", "WXE007", "10", "12", "--explain"},
         0,
         "Entitlement: 10 + 10 added = 20 WX\nCovered by 20 WX:\n",
         ""},
        {{"add-to-wx", "WXE007", "0", "1", "--explain"},
         0,
         "0\t1\nCovered by the existing 1 WX:\nBase (1 - 3): 1 WX / 1 = 1, total 1\nCovered: 1, "
         "rounded down to 1\nNothing added: no additional Wexels\n",
         ""},
        {{"to-wx", "Nope", "5"}, 2, "", "Unknown conversion: Nope\n"},
        {{"to-wx", "wxe007", "123456789"},
         2,
         "",
         "Input is too long: the field takes at most 8 characters.\n"},
        {{"to-capacity", "WXE007", "1234567"}, 2, "", "the field takes at most 6 characters."},
        {{"to-capacity", "WXE007", "123456"}, 0, "", ""},
        {{"to-capacity", "WXE007", "-5"}, 2, "ERR\n", "Minimum value allowed for input is 0.\n"},
        {{"add-to-wx", "WXE007", "12345678", "1"}, 0, "", ""},
        {{"add-wx", "WXE007", "1234567", "1"}, 2, "", "the field takes at most 6 characters."},
        {{"add-wx", "WXE007", "1", "12345678"}, 0, "", ""},
        {{"add-capacity", "WXE007", "12345678", "12345678"}, 0, "", ""},
        {{"add-to-wx", "WXE007", "1", "1234567"}, 2, "", "the field takes at most 6 characters."},
        {{"--data=" WEXEL_DATA_DIR, "list"}, 0, "WXE007\tMSU\t5\n", ""},
        // Characters, not bytes: five letters fit the field and are no number.
        {{"to-wx", "WXE007", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"},
         2,
         "ERR\n",
         "Input must be numeric.\n"},
        {{"to-wx", "WXE007", "abc"}, 2, "ERR\n", "Input must be numeric.\n"},
        {{"to-wx", "WXE007", "1500"}, 0, "275\n", ""},
        {{"add-capacity", "WXE007", "-7", "12"}, 0, "-5\t5\n", ""},
        {{"add-capacity", "WXE007", "0", "abc"}, 2, "ERR\tERR\n", "Input must be numeric.\n"},
        {{"add-to-wx", "WXE007", "0", "1"}, 0, "0\t1\n", ""}, // an entitlement of one Wexel
        {{"to-wx", "WXE007", "12", "--explain"},
         0,
         "10\nBase (1 - 3): 3 x 1 = 3 WX, total 3 WX\nTier A (4 - 45): 9 x 0.7 = 6.3 WX, total "
         "9.3 WX\nRequired: 9.3 WX, rounded up to 10 WX\n",
         ""},
        {{"to-capacity", "WXE007", "10", "--explain"},
         0,
         "13\nBase (1 - 3): 3 WX / 1 = 3, total 3\nTier A (4 - 45): 7 WX / 0.7 = 10, total "
         "13\nCovered: 13, rounded down to 13\n",
         ""},
        {{"to-capacity", "WXE007", "4", "--explain"},
         0,
         "4\nBase (1 - 3): 3 WX / 1 = 3, total 3\nTier A (4 - 45): 1 WX / 0.7 = "
         "1.42857142857143, total 4.42857142857143\nCovered: 4.428571429, rounded down to 4\n",
         ""},
        {{"list"}, 0, "WXE007\tMSU\t5\nEnterprise Server Suite\tMSU\t12\n", ""},
        {{"tiers", "WXE007"}, 0, "Base\t1\t-\t3\t1\nTier A\t4\t-\t45\t0.7\n", ""},
        {{"curve", "wxe007"}, 0, "0\t0\tBase\n3\t3\tTier A\n45\t32.4\tTier B\n", ""},
        {{"curve", "WXE007", "--csv"}, 0, "capacity,wexels,tier\n0,0,Base\n", ""},
        {{"curve", "WXE007", "--explain"}, 2, "", "--explain goes with the calculator commands"},
        {{"curve", "Nothing"}, 2, "", "Unknown conversion: Nothing\n"},
        {{"check"}, 0, "", "0 errors, 0 warnings\n"},
        {{"to-wx", "--", "WXE007", "--json"}, 2, "ERR\n", "Input must be numeric.\n"},
        {{"--data", "/nonexistent", "list"},
         1,
         "",
         "An error has occurred; please contact technical support.\n\nLocation:  "
         "ModGlobals.Main\nError Number:  53\nDescription:  File not found: "
         "/nonexistent" +
             wexel::testing::kPathSeparator + "vqcsname.dat\n"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& a : c.args) {
            line += a + " ";
        }
        SCOPED_TRACE(line);
        const Result r = run(c.args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        if (c.exit == 0) {
            EXPECT_TRUE(contains(r.out, c.out)) << r.out;
        } else {
            EXPECT_EQ(r.out, c.out);
        }
        EXPECT_TRUE(contains(r.err, c.err)) << r.err;
    }
}

// An estimate is dated in local time with its offset from UTC, and closes
// with the About box's disclaimer; a refused input gives none.
TEST(WexelCalc, AnEstimateIsDatedAndDisclaimedOrNotGiven) {
#ifndef _WIN32 // a POSIX time zone: the offset is written with its colon
    const char* const zone = std::getenv("TZ");
    const std::string before = zone != nullptr ? zone : "";
    ::setenv("TZ", "IST-5:30", 1);
    ::tzset();
#endif
    const Result r = run({"to-wx", "WXE007", "1500", "--estimate"});
#ifndef _WIN32
    zone != nullptr ? ::setenv("TZ", before.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex("^Wexel Converter estimate\nDate: "
                          "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\+05:30\nConversion: ")))
        << r.out;
#endif
    EXPECT_TRUE(r.out.ends_with(std::string("\n") + wexel::kDisclaimer + "\n")) << r.out;
    const Result refused = run({"to-wx", "WXE007", "abc", "--estimate"});
    EXPECT_EQ(refused.exit, 2);
    EXPECT_EQ(refused.out, "");
}

TEST(WexelCalc, JsonIsValidAndSaysWhatThePlainFormDoes) {
    TempFolder data;
    data.writeData("A1,\"Quote \"\" and \\ back\",MSU\nB2,Caf\xE9,MSG\n",
                   "A1,1,9,,0.5\nB2,1,9,,2\n");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--json", "--data", data.path(), "list"}, "name"},
        {{"--json", "--data", data.path(), "tiers", "Café"}, "tier"},
        {{"--json", "--data", data.path(), "curve", "Café"}, "wexels"},
        {{"--json", "--data", data.path(), "to-wx", "café", "--explain", "3"}, "working"},
        {{"--json", "--data", data.path(), "check"}, "severity"},
        {{"--json", "add-to-wx", "WXE007", "100", "400"}, "additional_wexels"},
    };
    for (const auto& [args, key] : cases) {
        const Result r = run(args);
        std::istringstream lines(r.out);
        int objects = 0;
        for (std::string line; std::getline(lines, line); ++objects) {
            ASSERT_TRUE(nlohmann::json::accept(line)) << line;
            EXPECT_TRUE(nlohmann::json::parse(line).contains(key)) << line;
        }
        EXPECT_GT(objects, 0) << args.back();
    }
    const auto total =
        nlohmann::json::parse(run({"--json", "add-to-wx", "WXE007", "100", "400"}).out);
    EXPECT_EQ(total["additional_wexels"], "13");
    EXPECT_EQ(total["total"], "2611");
}

TEST(WexelCalc, BatchTakesALineAtATime) {
    const std::string input = "\xEF\xBB\xBF"
                              "\r\n  \r\nLabel,Capacity\r\nweb01,120\r\n\r\nweb02,abc\r\n"
                              "\"a, b\",350\r\n,123456789\r\n\"open,5\r\n 7 \r\n"
                              "\"a \"\"b\"\" c\",1\r\nnul\x01,2\r\n" +
                              std::string(70000, '1') + "\r\nweb03,\r\na,b,5\r\ncapacity\r\n";
    const Result r = run({"batch", "WXE007"}, input);
    EXPECT_EQ(r.out, "label,capacity,wexels\nweb01,120,67\n\"a, b\",350,131\n,\" 7 \",6\n"
                     "\"a \"\"b\"\" c\",1,1\nnul\\x01,2,2\n");
    EXPECT_EQ(r.err, "line 6: \"abc\": Input must be numeric.\n"
                     "line 8: the capacity is longer than 8 characters\n"
                     "line 9: expected a capacity, or a label, a comma and a capacity\n"
                     "line 13: the line is longer than 65536 characters\n"
                     "line 14: no capacity\n"
                     "line 15: expected a capacity, or a label, a comma and a capacity\n"
                     "line 16: \"capacity\": Input must be numeric.\n"
                     "7 bad lines of 16 skipped\n");
    EXPECT_EQ(r.exit, 1);
    // One bad line is counted as one; a label with blanks at an end keeps them, quoted.
    const Result one = run({"batch", "WXE007"}, "web ,5\n lead,5\nx\n");
    EXPECT_EQ(one.out, "label,capacity,wexels\n\"web \",5,5\n\" lead\",5,5\n");
    EXPECT_EQ(one.err, "line 3: \"x\": Input must be numeric.\n1 bad line of 3 skipped\n");
    EXPECT_EQ(one.exit, 1);
    const Result json = run({"--json", "batch", "WXE007"}, "120\n");
    EXPECT_EQ(json.out, "{\"line\":1,\"label\":\"\",\"capacity\":\"120\",\"wexels\":\"67\"}\n");
    TempFolder folder;
    EXPECT_EQ(run({"batch", "WXE007", folder.path()}).err,
              "wexel-calc: cannot open " + folder.path() + ": it is a folder\n");
}

TEST(WexelCalc, BatchStopsAtItsFirstFailedWrite) {
    // An output that takes the header and then fails, as a full disc does.
    struct Full : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } full;
    std::ostream out(&full);
    std::ostringstream err;
    std::string input;
    for (int i = 0; i < 100000; ++i) {
        input += "5\n";
    }
    std::istringstream in(input);
    const int exit = wexel::runWexelCalc({"batch", "WXE007"}, out, err, in, WEXEL_DATA_DIR);
    EXPECT_EQ(exit, 1);
    EXPECT_EQ(err.str(), "wexel-calc: the results could not be written\n");
    EXPECT_LT(in.tellg(), std::streampos(100)); // nothing computed after the failure
}

TEST(WexelCalc, CheckReportsEveryProblemWithItsLine) {
    TempFolder data;
    const std::string tiers =
        "A1,1,3,,1\nA1,4,9,,0\nZ9,1,1,,1\nB2,-2147483648,0,,1\nB2,1,9,,1\nA1,4,20,,1\nC3,1,1,,1\n";
    data.writeData(
        "A1,N\xC3\xA9w,MSU\nB2,Bad\x1B[31m,MSU\nC3,Many,XYZ\nB2,Again,MSU\nD4,Caf\xE9,MSU\n"
        "E5,A name of twenty-seven char,MSU\nF6,A name of twenty-six chars,MSU\n",
        tiers);
    const Result r = run({"--data", data.path(), "check"});
    // As a user reads it, with the scratch folder's name as DIR (and the
    // separator written as on POSIX).
    std::string out = r.out;
    for (std::size_t at;
         (at = out.find(data.path() + wexel::testing::kPathSeparator)) != std::string::npos;) {
        out.replace(at, data.path().size() + 1, "DIR/");
    }
    EXPECT_EQ(
        out,
        R"(DIR/vqcsname.dat:2: warning: "Bad\x1B[31m" holds control characters, which no one can see or type
DIR/vqcsname.dat:3: warning: the unit code "XYZ" of "Many" is not MSU, MSG or ENG: the window shows no unit panel for it
DIR/vqcsname.dat:4: error: Duplicate key: the conversion code "B2" on vqcsname.dat line 4 is already used on line 2
DIR/vqcsname.dat:5: warning: this line is not UTF-8, while line 1 is: the whole file is read as Windows-1252, so its UTF-8 text shows as other letters (save the file as UTF-8)
DIR/vqcsname.dat:5: warning: the conversion "Café" has no tiers in vqcslope.dat: the window reports it at every start and leaves it out of its list
DIR/vqcsname.dat:6: warning: the name "A name of twenty-seven char" has 27 characters: the window's Conversion Type list shows 26 whole, and this one cut, with the whole name in its tooltip
DIR/vqcsname.dat:6: warning: the conversion "A name of twenty-seven char" has no tiers in vqcslope.dat: the window reports it at every start and leaves it out of its list
DIR/vqcsname.dat:7: warning: the conversion "A name of twenty-six chars" has no tiers in vqcslope.dat: the window reports it at every start and leaves it out of its list
DIR/vqcsname.dat:0: warning: no conversion is named "WXE007": the window shows its unit panel while no conversion is chosen and reports an error at every start
DIR/vqcslope.dat:2: warning: the highest capacity 9 of "NÃ©w" is not the next tier's lowest capacity minus 1 (3, line 6): the band ends where the next tier begins
DIR/vqcslope.dat:2: warning: the slope 0 of "NÃ©w" is not above 0: converting Wexels to capacity divides by it
DIR/vqcslope.dat:3: error: Key not found: the conversion code "Z9" on vqcslope.dat line 3 is not in vqcsname.dat
DIR/vqcslope.dat:4: warning: the lowest capacity -2147483648 of "Bad\x1B[31m" leaves no room below it: calculations that reach this tier report an overflow
DIR/vqcslope.dat:6: warning: the lowest capacity 4 of "NÃ©w" is not above 4 of the tier before (line 2): tiers must ascend by lowest capacity
)");
    EXPECT_EQ(r.err, "2 errors, 12 warnings\n");
    EXPECT_EQ(r.exit, 2);
    // One warning alone fails; without the names file, the tier lines are not
    // each reported as unknown besides.
    data.writeData("A1,WXE007,MSU\n", "A1,1,3,,0\n");
    EXPECT_EQ(run({"--data", data.path(), "check"}).exit, 1);
    std::filesystem::remove(data.file(wexel::kNamesFileName));
    const Result missing = run({"--data", data.path(), "check"});
    EXPECT_EQ(missing.out, data.path() + wexel::testing::kPathSeparator +
                               "vqcsname.dat:0: error: File not found: " +
                               data.file(wexel::kNamesFileName) + "\n");
    EXPECT_EQ(missing.exit, 2);
    // Warnings only; names reach the terminal with their control characters escaped.
    data.writeData("A1,WXE007,MSU\nB2,Bad\x1B[31m,MSU\n", "A1,1,3,,0\nB2,1,2,,1\n");
    EXPECT_EQ(run({"--data", data.path(), "check"}).exit, 1);
    EXPECT_EQ(run({"--data", data.path(), "list"}).out, "WXE007\tMSU\t1\nBad\\x1B[31m\tMSU\t1\n");
    // The tiers of a refused name are not reported again as unknown.
    data.writeData("A1,WXE007,MSU\nB2,Same,MSU\nC3,same,MSU\n",
                   "A1,1,3,,1\nB2,1,3,,1\nC3,1,3,,1\n");
    EXPECT_EQ(run({"--data", data.path(), "check"}).err, "1 error, 0 warnings\n");
}

TEST(WexelCalc, NamesAndLabelsNeverSteerATerminalOrASpreadsheet) {
    TempFolder data;
    data.writeData("A1,WXE007,MSU\nB2,=HYPERLINK(\"x\"),MSU\nC3,\"Tab\there\x1B[2J\",MSU\n",
                   "A1,1,9,,1\nB2,1,9,,1\nC3,1,9,,1\n");
    const struct {
        std::vector<std::string> args;
        std::string input;
        std::string out;
    } cases[] = {
        {{"list"}, "", "WXE007\tMSU\t1\n=HYPERLINK(\"x\")\tMSU\t1\nTab\\x09here\\x1B[2J\tMSU\t1\n"},
        {{"to-wx", "--all", "--csv", "5"},
         "",
         "conversion,capacity,wexels\nWXE007,5,5\n\"'=HYPERLINK(\"\"x\"\")\",5,5\n"
         "Tab\there\\x1B[2J,5,5\n"},
        // Numbers stay numbers; what a spreadsheet would run is quoted and defused.
        {{"batch", "WXE007"},
         "-5,1\n+7,1\n1E3,1\n@SUM(A1),1\n-x,1\n=1+1,1\n\"\tx\",1\n",
         "label,capacity,wexels\n-5,1,1\n+7,1,1\n1E3,1,1\n\"'@SUM(A1)\",1,1\n\"'-x\",1,1\n"
         "\"'=1+1\",1,1\n\"'\tx\",1,1\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--data", data.path()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::ostringstream out, err;
        std::istringstream in(c.input);
        wexel::runWexelCalc(args, out, err, in, WEXEL_DATA_DIR);
        EXPECT_EQ(out.str(), c.out) << c.args[0];
    }
    std::ostringstream out, err;
    std::istringstream in;
    wexel::runWexelCalc({"--data", data.path(), "--estimate", "to-wx", "Tab\there\x1B[2J", "5"},
                        out, err, in, WEXEL_DATA_DIR);
    EXPECT_TRUE(contains(out.str(), "\nConversion: Tab\there\\x1B[2J (MSU)\n")) << out.str();
}

TEST(WexelCalc, CheckWarnsOfNamesThatReadAlike) {
    const struct {
        const char* first;
        const char* second;
        const char* warning; // on line 3, of the second name; empty: none
    } cases[] = {
        {"STRASSE",
         "stra\xC3\x9F"
         "e",
         "looks like \"STRASSE\" (line 2)"},
        {"\xEF\xAC\x80 suite", "ff suite", "looks like \"\xEF\xAC\x80 suite\" (line 2)"},
        {"Caf\xC3\xA9", "Cafe\xCC\x81", "looks like \"Caf\xC3\xA9\" (line 2)"},
        {"ABC", "\xD0\x90\xD0\x92\xD0\xA1", "looks like \"ABC\" (line 2)"},
        {"Big Suite", "Big\xC2\xA0Suite", "holds a space other than the plain blank (U+00A0)"},
        {"Suite", "Su\xE2\x80\x8Bite", "holds an invisible character (U+200B)"},
        {"Pay", "P\xD0\xB0y", "holds letters of scripts that are not used together"},
        {"Suite", "Suite 2", ""},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\xE6\x97\xA5", ""},
    };
    for (const auto& c : cases) {
        TempFolder data;
        data.writeData(std::string("A1,WXE007,MSU\nB2,") + c.first + ",MSU\nC3," + c.second +
                           ",MSU\n",
                       "A1,1,3,,1\nB2,1,3,,1\nC3,1,3,,1\n");
        const Result r = run({"--data", data.path(), "check"});
        if (*c.warning == '\0') {
            EXPECT_EQ(r.out, "") << c.second;
            EXPECT_EQ(r.exit, 0) << c.second;
        } else {
            EXPECT_TRUE(contains(r.out, "vqcsname.dat:3: warning: the name \"" +
                                            std::string(c.second) + "\" " + c.warning))
                << r.out;
            EXPECT_EQ(r.exit, 1) << c.second;
        }
    }
    // A unit code is one whatever its letter case, as names are.
    EXPECT_EQ(run({"to-wx", "--all", "--unit", "msu", "1"}).exit, 0);
}

#ifndef _WIN32
// Windows has no named pipe in a folder, nor a mode that closes a folder to
// its owner: the device case is the loader's test there.
TEST(WexelCalc, OnlyRegularFilesAreReadAndNothingHangs) {
    TempFolder data;
    data.write(wexel::kTiersFileName, "A1,1,3,,1\n");
    ASSERT_EQ(::mkfifo(data.file(wexel::kNamesFileName).c_str(), 0600), 0);
    const Result check = run({"--data", data.path(), "check"});
    EXPECT_EQ(check.exit, 2);
    EXPECT_TRUE(contains(check.out, "vqcsname.dat:0: error: Path/File access error: " +
                                        data.file(wexel::kNamesFileName) +
                                        " is not a regular file\n"));
    EXPECT_EQ(run({"--data", data.path(), "list"}).exit, 1);
    // A folder closed to its reader, in a child process (as nobody, for root,
    // who may open anything).
    TempFolder closed;
    closed.writeData("A1,WXE007,MSU\n", "A1,1,3,,1\n");
    ::chmod(closed.path().c_str(), 0);
    const auto listAsReader = [&] {
        if (!wexel::testing::dropRootPrivileges()) {
            std::exit(127);
        }
        const Result r = run({"--data", closed.path(), "list"});
        std::cerr << r.err;
        std::exit(r.exit);
    };
    EXPECT_EXIT(listAsReader(), ::testing::ExitedWithCode(1),
                "Error Number:  75.Description:  Path/File access error: ");
    ::chmod(closed.path().c_str(), 0700);
}
#endif

TEST(WexelCalc, CompareSaysWhatANewTableChanges) {
    const std::string names = "A1,Alpha,MSU\nB2,Beta,MSG\n";
    const std::string tiers = "A1,1,3,,1\nA1,4,0,,0.5\nB2,1,0,,2\n";
    const struct {
        const char* what;
        std::string newNames, newTiers;
        std::vector<std::string> capacities;
        int exit;
        std::string out; // the lines printed, or a part of standard error
    } cases[] = {
        {"identical",
         names,
         tiers,
         {"10"},
         0,
         "capacity\tAlpha\t10\t7\t7\t0\ncapacity\tBeta\t10\t20\t20\t0\n"},
        {"a slope changed, at the band edges",
         names,
         "A1,1,3,,1\nA1,4,0,,0.25\nB2,1,0,,2\n",
         {},
         1,
         "band\tAlpha\tband 2 slope\t0.5\t0.25\t\ncapacity\tAlpha\t1\t1\t1\t0\n"
         "capacity\tAlpha\t3\t3\t3\t0\ncapacity\tAlpha\t4\t4\t4\t0\n"
         "capacity\tAlpha\t8\t6\t5\t-1\n"
         "capacity\tBeta\t1\t2\t2\t0\ncapacity\tBeta\t2\t4\t4\t0\n"},
        {"a band added",
         names,
         tiers + "A1,9,0,,0.1\n",
         {"20"},
         1,
         "band\tAlpha\tband 3 lowest\t\t9\t\nband\tAlpha\tband 3 slope\t\t0.1\t\n"
         "capacity\tAlpha\t20\t12\t7\t-5\ncapacity\tBeta\t20\t40\t40\t0\n"},
        {"renamed, removed and added",
         "A1,Alpha Two,MSU\nC3,Gamma,MSU\n",
         "A1,1,3,,1\nA1,4,0,,0.5\nC3,1,0,,1\n",
         {"2"},
         1,
         "removed\tBeta\tMSG\t\t\t\nrenamed\tAlpha Two\tname\tAlpha\tAlpha Two\t\n"
         "added\tGamma\tMSU\t\t\t\ncapacity\tAlpha Two\t2\t2\t2\t0\n"},
        {"a new table that does not load",
         names,
         "A1,1,3,,1\nZ9,1,0,,1\n",
         {},
         2,
         "do not load: Key not found"},
        {"a capacity refused", names, tiers, {"1.5"}, 2, "Input must be a whole number. "},
        {"a capacity too long", names, tiers, {"123456789"}, 2, "Input is too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder before, after;
        before.writeData(names, tiers);
        after.writeData(c.newNames, c.newTiers);
        std::vector<std::string> args = {"--data", before.path(), "--data", after.path(),
                                         "compare"};
        args.insert(args.end(), c.capacities.begin(), c.capacities.end());
        const Result r = run(args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        if (c.exit == 2) {
            EXPECT_TRUE(contains(r.err, c.out)) << r.err;
            EXPECT_EQ(r.out, "");
        } else {
            EXPECT_EQ(r.out, c.out);
        }
    }
    // Two folders, no more and no less; and only compare takes two.
    EXPECT_TRUE(contains(run({"--data", "x", "compare"}).err, "compare needs two folders"));
    EXPECT_TRUE(contains(run({"--data", "x", "--data", "y", "list"}).err, "--data is given once"));
}
