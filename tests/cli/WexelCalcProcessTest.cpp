// wexel-calc as a process, for what only a process shows: its exit status
// and standard streams, answers while its input is still open, a closed pipe
// or a full disc, a folder as standard input, and a data file rewritten while
// it starts.
#include "support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

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

TEST(WexelCalcProcess, ATableASlowWriterRewritesInPlaceIsTakenWhole) {
    // The tier file is rewritten in place in two pieces, and wexel-calc reads
    // it between them: it must wait for the whole new file, never take the half.
    TempFolder data;
    data.writeData("A1,WXE007,MSU\n", "A1,1,999999,,1\n");
    const std::string path = data.file(wexel::kTiersFileName);
    const int reads = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(reads, 0);
    ASSERT_GE(::inotify_add_watch(reads, path.c_str(), IN_ACCESS), 0);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << "A1,1,9,,3\n" << std::flush; // alone it would give 300
    QProcess calc;
    calc.start(QStringLiteral(WEXEL_CALC),
               {"--data", QString::fromStdString(data.path()), "to-wx", "WXE007", "100"});
    pollfd read{reads, POLLIN, 0};
    ASSERT_EQ(::poll(&read, 1, 30000), 1) << "wexel-calc did not read the first piece";
    ::close(reads);
    file << "A1,10,999999,,2\n";
    file.close();
    ASSERT_TRUE(calc.waitForFinished(60000));
    EXPECT_EQ(calc.readAllStandardError().toStdString(), "");
    EXPECT_EQ(calc.readAllStandardOutput().toStdString(), "209\n");
}

TEST(WexelCalcProcess, ReadsTheTablesBesideItInAFolderWhoseNameIsNotUtf8) {
    // Installed in "café" spelt in Latin-1 and started from a folder that
    // holds a stranger's tables: it reads its own.
    TempFolder scratch;
    scratch.writeData("A1,WXE007,MSU\n", "A1,1,999999,,99\n");
    const std::filesystem::path folder = scratch.file("caf\xE9");
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(WEXEL_CALC, folder / "wexel-calc");
    for (const char* name : {wexel::kNamesFileName, wexel::kTiersFileName}) {
        std::ifstream in(std::string(WEXEL_DATA_DIR "/") + name, std::ios::binary);
        scratch.write(std::string("caf\xE9/") + name,
                      std::string(std::istreambuf_iterator<char>(in), {}));
    }
    QProcess calc;
    calc.setWorkingDirectory(QString::fromStdString(scratch.path()));
    calc.start(QStringLiteral("/bin/sh"),
               {"-c", "exec \"./caf$(printf '\\351')/wexel-calc\" to-wx WXE007 1500"});
    ASSERT_TRUE(calc.waitForFinished(60000));
    EXPECT_EQ(calc.readAllStandardError().toStdString(), "");
    EXPECT_EQ(calc.readAllStandardOutput().toStdString(), "275\n");
}
