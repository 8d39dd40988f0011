#include "cli/Batch.h"
#include "CliTestSupport.h"
#include "JsonCheck.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <sstream>
#include <streambuf>

using namespace wexel;
using namespace wexel::cli;
using namespace wexel::testing;

namespace {

class Batch : public ::testing::Test {
protected:
    void SetUp() override { LoadDataFiles(data.path()); }
    void TearDown() override { SlopeTable().clear(); }

    struct Output {
        BatchResult result;
        std::string out, err;
    };
    Output run(const std::string& input, bool json = false) {
        std::istringstream in(input);
        std::ostringstream out, err;
        Output o;
        o.result = runBatch("WXE007", in, out, err, json, capture);
        o.out = out.str();
        o.err = err.str();
        return o;
    }

    DataFolder data{kExampleNames, kExampleTiers};
    Capture capture;
};

// An endless supply of generated lines, read like a file.
class GeneratedLines : public std::streambuf {
public:
    explicit GeneratedLines(std::uint64_t lines) : left_(lines) {}

protected:
    int_type underflow() override {
        if (left_ == 0) {
            return traits_type::eof();
        }
        chunk_.clear();
        for (int i = 0; i < 1000 && left_ > 0; ++i, --left_) {
            chunk_ +=
                "machine " + std::to_string(left_) + "," + std::to_string(left_ % 5000) + "\n";
        }
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    std::uint64_t left_;
    std::string chunk_;
};

// Counts what is written and keeps nothing.
class CountingSink : public std::streambuf {
public:
    std::uint64_t lines = 0;

protected:
    int_type overflow(int_type c) override {
        if (c == '\n') {
            ++lines;
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) {
            lines += s[i] == '\n' ? 1 : 0;
        }
        return n;
    }
};

long maxResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST_F(Batch, WritesOneCsvLinePerCapacityAndReportsBadLines) {
    const Output o = run("12\n"
                         "box,5\n"
                         "\"big, box\",3\n"
                         "12a\n"
                         ",\n"
                         "x,1.5\n"
                         "\n"
                         "a,b,3\n"
                         "-3\n"
                         "\"open,4\n"
                         "  7  \n"
                         "say \"\"hi\"\",1E3\n");
    EXPECT_EQ(o.out, "label,capacity,wexels\n"
                     ",12,7\n"
                     "box,5,4\n"
                     "\"big, box\",3,3\n"
                     ",\"  7  \",5\n"
                     "\"say \"\"\"\"hi\"\"\"\"\",1E3,254\n");
    EXPECT_EQ(o.err, "line 4: \"12a\": Input must be numeric.\n"
                     "line 5: no capacity\n"
                     "line 6: \"1.5\": Input must be a whole number. \n"
                     "line 8: expected a capacity, or a label, a comma and a capacity\n"
                     "line 9: \"-3\": Minimum value allowed for input is 0.\n"
                     "line 10: expected a capacity, or a label, a comma and a capacity\n");
    EXPECT_EQ(o.result.lines, 12u);
    EXPECT_EQ(o.result.written, 5u);
    EXPECT_EQ(o.result.bad, 6u);
}

TEST_F(Batch, ACapacityLongerThanTheWindowsFieldIsABadLine) {
    const Output o = run("12345678\nbig,123456789\n");
    EXPECT_EQ(o.err, "line 2: the capacity is longer than 8 characters\n");
    EXPECT_EQ(o.result.written, 1u);
    EXPECT_EQ(o.result.bad, 1u);
}

TEST_F(Batch, AnErrorReportMakesTheLineBadOnce) {
    const Output o = run("1E308\n4\n");
    EXPECT_EQ(o.out, "label,capacity,wexels\n,4,4\n");
    EXPECT_EQ(o.result.bad, 1u);
    EXPECT_EQ(o.err.rfind("line 1: \"1E308\": error 6 in ModMath.integerCheck: ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("\nline 1: \"1E308\": Minimum value allowed for input is 0.\n"),
              std::string::npos)
        << o.err;
}

TEST_F(Batch, LineEndsAndHeaders) {
    const Output ends = run("1\r2\r\n3\n5");
    EXPECT_EQ(ends.out, "label,capacity,wexels\n,1,1\n,2,2\n,3,3\n,5,4\n");
    EXPECT_EQ(ends.result.bad, 0u);
    EXPECT_EQ(run("Label,Capacity\r\nm,3\r\n").out, "label,capacity,wexels\nm,3,3\n");
    EXPECT_EQ(run("\n  \ncapacity\n3\n").out, "label,capacity,wexels\n,3,3\n");
    // A header later on is a bad line.
    EXPECT_EQ(run("3\ncapacity\n").result.bad, 1u);
}

TEST_F(Batch, AnOverlongLineIsBadAndReadingGoesOn) {
    const Output o = run(std::string(kMaxBatchLine + 10, '1') + "\n3\n");
    EXPECT_EQ(o.out, "label,capacity,wexels\n,3,3\n");
    EXPECT_EQ(o.err, "line 1: the line is longer than 65536 characters\n");
}

TEST_F(Batch, JsonLinesCarryTheLineNumber) {
    const Output o = run("box,12\nbad\n\"q\"\"\",3\n", true);
    EXPECT_EQ(o.out, "{\"line\":1,\"label\":\"box\",\"capacity\":\"12\",\"wexels\":\"7\"}\n"
                     "{\"line\":3,\"label\":\"q\\\"\",\"capacity\":\"3\",\"wexels\":\"3\"}\n");
    EXPECT_TRUE(everyLineIsJsonObject(o.out));
    EXPECT_EQ(o.result.bad, 1u);
}

TEST_F(Batch, AMillionLinesStreamInBoundedMemory) {
    constexpr std::uint64_t kLines = 1'000'000;
    GeneratedLines source(kLines);
    std::istream in(&source);
    CountingSink sink;
    std::ostream out(&sink);
    std::ostringstream err;
    [[maybe_unused]] const long before = maxResidentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    const BatchResult result = runBatch("WXE007", in, out, err, false, capture);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(result.lines, kLines);
    EXPECT_EQ(result.written, kLines);
    EXPECT_EQ(sink.lines, kLines + 1);
    EXPECT_EQ(err.str(), "");
    // Generous for debug and sanitizer builds; a release build takes about a second.
    EXPECT_LT(seconds, 120.0);
#ifndef __SANITIZE_ADDRESS__
    // Nothing is kept per line: the input alone would be about 25 MB.
    EXPECT_LT(maxResidentKilobytes() - before, 8 * 1024);
#endif
    RecordProperty("seconds", std::to_string(seconds));
}

TEST(BatchCommand, ReadsAFileOrStandardInputAndExitsWith1ForBadLines) {
    DataFolder data(kExampleNames, kExampleTiers);
    data.folder.write("machines.csv", "Alpha,12\r\nBeta,x\r\nGamma,5\r\n");
    const Ran file =
        runExecutable(data.args({"batch", "WXE007", data.folder.file("machines.csv")}));
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.out, "label,capacity,wexels\nAlpha,12,7\nGamma,5,4\n");
    EXPECT_EQ(file.err, "line 2: \"x\": Input must be numeric.\n1 bad line of 3 skipped\n");

    const Ran piped = runExecutable(data.args({"batch", "flat rate"}), "100\n1\n");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "label,capacity,wexels\n,100,8\n,1,1\n");

    const Ran dash = runExecutable(data.args({"--json", "batch", "WXE007", "-"}), "12\n");
    EXPECT_EQ(dash.out, "{\"line\":1,\"label\":\"\",\"capacity\":\"12\",\"wexels\":\"7\"}\n");

    const Ran missing = runInProcess(data.args({"batch", "WXE007", data.folder.file("none.csv")}));
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "wexel-calc: cannot open " + data.folder.file("none.csv") + "\n");

    const Ran folder = runInProcess(data.args({"batch", "WXE007", data.path()}));
    EXPECT_EQ(folder.status, 2);
    EXPECT_EQ(folder.out, "");
    EXPECT_EQ(folder.err, "wexel-calc: cannot open " + data.path() + ": it is a folder\n");
}
