// wexel-calc as a process, for what only a process shows: its exit status
// and standard streams, answers while its input is still open, a closed pipe
// or a full disc, a folder as standard input, and a data file rewritten while
// it starts.
#include "support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

using wexel::testing::TempFolder;

namespace {

// Runs a shell command line with the program as $CALC; its exit status and
// standard error.
std::pair<int, std::string> shell(const std::string& line) {
    QProcess sh;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CALC"), QStringLiteral(WEXEL_CALC));
    sh.setProcessEnvironment(env);
    sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromStdString(line)});
    if (!sh.waitForFinished(20000)) {
        sh.kill();
        sh.waitForFinished();
        return {-1, "did not end"};
    }
    return {sh.exitCode(), sh.readAllStandardError().toStdString()};
}

} // namespace

TEST(WexelCalcProcess, StatusAndStreams) {
    const struct {
        const char* line;
        int exit;
        const char* err;
    } cases[] = {
        {"$CALC to-wx WXE007 1500 | grep -qx 275", 0, ""},
        {"$CALC to-wx WXE007 abc >/dev/null", 2, "Input must be numeric.\n"},
        {"$CALC frobnicate", 2, "wexel-calc: unknown command frobnicate\n"},
        // The results cannot be written: said, and no success.
        {"$CALC list >/dev/full", 1, "wexel-calc: the results could not be written\n"},
        {"yes 5 | head -200000 | $CALC batch WXE007 >/dev/full", 1,
         "wexel-calc: the results could not be written\n"},
        // A reader that goes away ends a batch at once, even where the pipe's
        // signal is ignored.
        {"trap '' PIPE; yes 5 | $CALC batch WXE007 | head -1 >/dev/null", 0,
         "wexel-calc: the results could not be written\n"},
        {"$CALC batch WXE007 < /", 2, "wexel-calc: cannot read standard input: Is a directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto [exit, err] = shell(c.line);
        EXPECT_EQ(exit, c.exit) << err;
        if (*c.err != '\0') {
            EXPECT_NE(err.find(c.err), std::string::npos) << err;
        }
    }
}

TEST(WexelCalcProcess, BatchAnswersWhileItsInputIsOpen) {
    QProcess process;
    process.start(QStringLiteral(WEXEL_CALC), {"batch", "WXE007"});
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
}

TEST(WexelCalcProcess, AFileRewrittenWhileItIsReadIsNeverTakenHalfDone) {
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
