// wexel-calc as a process: its arguments and exit statuses, what it prints,
// batch streaming, the data-file check, and hostile inputs.
#include "cli/WexelCalc.h"
#include "support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

using wexel::testing::TempFolder;

namespace {

struct Result {
    int exit = -1;
    std::string out, err;
};

Result run(const QStringList& args, const std::string& input = {}) {
    QProcess process;
    process.start(QStringLiteral(WEXEL_CALC), args);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

QStringList sample(QStringList args) {
    return QStringList{QStringLiteral("--data"), QStringLiteral(WEXEL_DATA_DIR)} + args;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(WexelCalc, ArgumentsAndExitStatus) {
    const struct {
        QStringList args;
        int exit;
        const char* out; // a part of standard output
        const char* err; // a part of standard error
    } cases[] = {
        {{}, 2, "", "wexel-calc: no command given\nTry \"wexel-calc --help\".\n"},
        {{"--help"}, 0, "wexel-calc [--data DIR] add-to-wx NAME ADDED WEXELS", ""},
        {{"--help", "list"}, 2, "", "--help takes no command or argument"},
        {{"--version"}, 0, "wexel-calc 4.0.0\n", ""},
        {{"--version", "extra"}, 2, "", "--version takes no command or argument"},
        {{"frobnicate"}, 2, "", "unknown command frobnicate"},
        {{"--bogus", "list"}, 2, "", "unknown option --bogus"},
        {{"--data", "", "list"}, 2, "", "--data needs a folder"},
        {{"--data=", "list"}, 2, "", "--data needs a folder"},
        {sample({"to-wx", "WXE007"}), 2, "", "usage: wexel-calc [--data DIR] to-wx NAME CAPACITY"},
        {sample({"--explain", "list"}), 2, "", "--explain goes with to-wx and to-capacity only"},
        {sample({"to-wx", "Nope", "5"}), 2, "", "Unknown conversion: Nope\n"},
        {sample({"to-wx", "wxe007", "123456789"}), 2, "",
         "Input is too long: 123456789 (the field takes at most 8 characters)"},
        {sample({"to-wx", "WXE007", "abc"}), 2, "ERR\n", "Input must be numeric.\n"},
        {sample({"to-wx", "WXE007", "1500"}), 0, "275\n", ""},
        {sample({"add-capacity", "WXE007", "-7", "12"}), 0, "-5\t5\n", ""},
        {sample({"to-wx", "WXE007", "12", "--explain"}), 0,
         "10\nBase (1 - 3): 3 x 1 = 3 WX, total 3 WX\nTier A (4 - 45): 9 x 0.7 = 6.3 WX, total "
         "9.3 WX\nRequired: 9.3 WX, rounded up to 10 WX\n",
         ""},
        {sample({"list"}), 0, "WXE007\tMSU\t5\nEnterprise Server Suite\tMSU\t12\n", ""},
        {sample({"tiers", "WXE007"}), 0, "Base\t1\t-\t3\t1\nTier A\t4\t-\t45\t0.7\n", ""},
        {sample({"check"}), 0, "", "0 errors, 0 warnings\n"},
        {{"--data", "/nonexistent", "list"},
         1,
         "",
         "An error has occurred; please contact technical support.\n\nLocation:  "
         "ModGlobals.Main\nError Number:  53\nDescription:  File not found: "
         "/nonexistent/vqcsname.dat\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Result r = run(c.args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_TRUE(contains(r.out, c.out)) << r.out;
        EXPECT_TRUE(contains(r.err, c.err)) << r.err;
    }
}

TEST(WexelCalc, JsonIsValidAndSaysWhatThePlainFormDoes) {
    TempFolder data;
    data.writeData("A1,\"Quote \"\" and \\ back\",MSU\nB2,Caf\xE9,MSG\n",
                   "A1,1,9,,0.5\nB2,1,9,,2\n");
    const QString folder = QString::fromStdString(data.path());
    const std::pair<QStringList, const char*> cases[] = {
        {{"--json", "--data", folder, "list"}, "name"},
        {{"--json", "--data", folder, "tiers", "Café"}, "tier"},
        {{"--json", "--data", folder, "to-wx", "café", "--explain", "3"}, "working"},
        {{"--json", "--data", folder, "check"}, "severity"},
        {{"--json", "--data", QStringLiteral(WEXEL_DATA_DIR), "add-to-wx", "WXE007", "100", "400"},
         "additional_wexels"},
    };
    for (const auto& [args, key] : cases) {
        const Result r = run(args);
        std::istringstream lines(r.out);
        int objects = 0;
        for (std::string line; std::getline(lines, line); ++objects) {
            ASSERT_TRUE(nlohmann::json::accept(line)) << line;
            EXPECT_TRUE(nlohmann::json::parse(line).contains(key)) << line;
        }
        EXPECT_GT(objects, 0) << args.join(QLatin1Char(' ')).toStdString();
    }
    const auto total =
        nlohmann::json::parse(run({"--json", "--data", QStringLiteral(WEXEL_DATA_DIR), "add-to-wx",
                                   "WXE007", "100", "400"})
                                  .out);
    EXPECT_EQ(total["additional_wexels"], "13");
    EXPECT_EQ(total["total"], "2611");
}

TEST(WexelCalc, BatchStreamsLineByLine) {
    const std::string input = "\xEF\xBB\xBF"
                              "label,capacity\r\nweb01,120\r\n\r\nweb02,abc\r\n"
                              "\"a, b\",350\r\n,123456789\r\n\"open,5\r\n 7 \r\n";
    const Result r = run(sample({"batch", "WXE007"}), input);
    EXPECT_EQ(r.out, "label,capacity,wexels\nweb01,120,67\n\"a, b\",350,131\n,\" 7 \",6\n");
    EXPECT_EQ(r.err, "line 4: \"abc\": Input must be numeric.\n"
                     "line 6: the capacity is longer than 8 characters\n"
                     "line 7: expected a capacity, or a label, a comma and a capacity\n"
                     "3 bad lines of 8 skipped\n");
    EXPECT_EQ(r.exit, 1);

    // Results come while the input is still open: the batch streams.
    QProcess process;
    process.start(QStringLiteral(WEXEL_CALC), sample({"batch", "WXE007"}));
    process.write("100\n");
    QByteArray seen;
    for (int i = 0; i < 50 && !seen.contains("\n,100,"); ++i) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardOutput();
    }
    EXPECT_TRUE(seen.contains("\n,100,")) << seen.toStdString();
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 0);

    TempFolder folder;
    EXPECT_EQ(run(sample({"batch", "WXE007", QString::fromStdString(folder.path())})).exit, 2);
    // A folder as standard input.
    const int exit =
        std::system((std::string(WEXEL_CALC) + " --data " + WEXEL_DATA_DIR + " batch WXE007 < " +
                     folder.path() + " >/dev/null 2>" + folder.file("err"))
                        .c_str());
    EXPECT_EQ(WEXITSTATUS(exit), 2);
    std::ifstream err(folder.file("err"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(err), {}),
              "wexel-calc: cannot read standard input: Is a directory\n");
}

TEST(WexelCalc, CheckReportsEveryProblemWithItsLine) {
    TempFolder data;
    std::string tiers = "A1,1,3,,1\nA1,4,9,,0\nZ9,1,1,,1\nB2,-2147483648,0,,1\nB2,1,9,,1\n";
    for (int i = 1; i <= 32768; ++i) {
        tiers += "C3," + std::to_string(i) + "," + std::to_string(i) + ",,1\n";
    }
    data.writeData(
        "A1,N\xC3\xA9w,MSU\nB2,Bad\x1B[31m,MSU\nC3,Many,XYZ\nB2,Again,MSU\nD4,Caf\xE9,MSU\n",
        tiers);
    const std::string names = data.file("vqcsname.dat:");
    const std::string slopes = data.file("vqcslope.dat:");
    const Result r = run({"--data", QString::fromStdString(data.path()), "check"});
    EXPECT_EQ(r.out, names +
                         "2: warning: \"Bad\\x1B[31m\" holds control characters, which no one can "
                         "see or type\n" +
                         names +
                         "3: warning: the unit code \"XYZ\" of \"Many\" is not MSU, MSG or ENG: "
                         "the window shows no unit panel for it\n" +
                         names +
                         "4: error: Duplicate key: the conversion code \"B2\" on vqcsname.dat "
                         "line 4 is already used on line 2\n" +
                         names +
                         "5: warning: this line is not UTF-8, while line 1 is: the whole file "
                         "is read as Windows-1252, so its UTF-8 text shows as other letters "
                         "(save the file as UTF-8)\n" +
                         names +
                         "5: warning: the conversion \"Café\" has no tiers in vqcslope.dat: the "
                         "window reports it at every start and leaves it out of its list\n" +
                         names +
                         "0: warning: no conversion is named \"WXE007\": the window shows its "
                         "unit panel while no conversion is chosen and reports an error at "
                         "every start\n" +
                         slopes +
                         "2: warning: the slope 0 of \"NÃ©w\" is not above 0: converting "
                         "Wexels to capacity divides by it\n" +
                         slopes +
                         "3: error: Key not found: the conversion code \"Z9\" on vqcslope.dat "
                         "line 3 is not in vqcsname.dat\n" +
                         slopes +
                         "4: warning: the lowest capacity -2147483648 of \"Bad\\x1B[31m\" "
                         "leaves no room below it: calculations that reach this tier report "
                         "an overflow\n" +
                         slopes +
                         "32773: error: Overflow: the conversion \"Many\" on vqcslope.dat line "
                         "32773 gets more than 32767 tiers\n");
    EXPECT_EQ(r.err, "3 errors, 7 warnings\n");
    EXPECT_EQ(r.exit, 2);
    // Warnings only; names reach the terminal with their control characters escaped.
    data.writeData("A1,WXE007,MSU\nB2,Bad\x1B[31m,MSU\n", "A1,1,3,,0\nB2,1,2,,1\n");
    EXPECT_EQ(run({"--data", QString::fromStdString(data.path()), "check"}).exit, 1);
    EXPECT_EQ(run({"--data", QString::fromStdString(data.path()), "list"}).out,
              "WXE007\tMSU\t1\nBad\\x1B[31m\tMSU\t1\n");
}

TEST(WexelCalc, OnlyRegularFilesAreReadAndNothingHangs) {
    TempFolder data;
    data.write(wexel::kTiersFileName, "A1,1,3,,1\n");
    ASSERT_EQ(::mkfifo(data.file(wexel::kNamesFileName).c_str(), 0600), 0);
    const QString folder = QString::fromStdString(data.path());
    const Result check = run({"--data", folder, "check"});
    EXPECT_EQ(check.exit, 2);
    EXPECT_TRUE(contains(check.out, "vqcsname.dat:0: error: Path/File access error: " +
                                        data.file(wexel::kNamesFileName) +
                                        " is not a regular file\n"));
    EXPECT_EQ(run({"--data", folder, "list"}).exit, 1);
    // A folder closed to its reader: wexel-calc in a child process (as nobody,
    // for root, who may open anything).
    TempFolder closed;
    closed.writeData("A1,WXE007,MSU\n", "A1,1,3,,1\n");
    ::chmod(closed.path().c_str(), 0);
    const auto listAsReader = [&] {
        if (!wexel::testing::dropRootPrivileges()) {
            std::exit(127);
        }
        std::ostringstream out, err;
        std::istringstream in;
        const int status = wexel::runWexelCalc({"--data", closed.path(), "list"}, out, err, in, "");
        std::cerr << err.str();
        std::exit(status);
    };
    EXPECT_EXIT(listAsReader(), ::testing::ExitedWithCode(1),
                "Error Number:  75.Description:  Path/File access error: ");
    ::chmod(closed.path().c_str(), 0700);
}

TEST(WexelCalc, AFileRewrittenWhileItIsReadIsNeverTakenHalfDone) {
    // The tier file is rewritten in place in two pieces while wexel-calc
    // starts: it must see the whole new file (or refuse), never the half.
    TempFolder data;
    data.writeData("A1,WXE007,MSU\n", "A1,1,999999,,1\n");
    const std::pair<std::string, std::string> versions[] = {
        {"A1,1,9,,3\nA1,10,999999,,2\n", "209\n"}, // the first line alone would give 300
        {"A1,1,3,,1\nA1,4,45,,0.7\nA1,46,999999,,0.45\n", "58\n"}};
    for (const auto& [text, result] : versions) {
        std::ofstream file(data.file(wexel::kTiersFileName), std::ios::binary | std::ios::trunc);
        file << text.substr(0, text.find('\n') + 1) << std::flush;
        QProcess calc;
        calc.start(QStringLiteral(WEXEL_CALC),
                   {"--data", QString::fromStdString(data.path()), "to-wx", "WXE007", "100"});
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        file << text.substr(text.find('\n') + 1);
        file.close();
        ASSERT_TRUE(calc.waitForFinished(10000));
        if (calc.exitCode() == 0) {
            EXPECT_EQ(calc.readAllStandardOutput().toStdString(), result);
        }
    }
}
