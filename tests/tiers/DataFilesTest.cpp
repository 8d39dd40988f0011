#include "tiers/DataFiles.h"
#include "platform/AppFacts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

// A folder holding the two data files.
struct Fixture {
    TempFolder folder;
    Fixture(const std::string& names, const std::string& tiers) {
        folder.write(kNamesFileName, names);
        folder.write(kTiersFileName, tiers);
    }
    ConversionTable read() const { return ReadDataFiles(folder.path()); }
};

struct Failure {
    int number = 0;
    std::string description;
};

Failure failureOf(const std::string& names, const std::string& tiers) {
    Fixture f(names, tiers);
    try {
        f.read();
    } catch (const RuntimeError& e) {
        return {e.number(), e.description()};
    }
    return {};
}

const std::string kNames = "A1,WXE007,MSU\r\nB2,Big Iron,MSG\r\n";

} // namespace

TEST(StripChar, RemovesBlanksAndOneCharacterAtEachEnd) {
    const struct {
        const char* text;
        const char* stripped;
    } cases[] = {{"\"abc\"", "abc"},   {"  \" abc \"  ", "abc"},
                 {"abc", "abc"},       {"\"\"abc\"\"", "\"abc\""},
                 {"\"", ""},           {"  ", ""},
                 {"\"a\"b\"", "a\"b"}, {"\tabc\t", "\tabc\t"},
                 {"\" ", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(StripChar(c.text, "\""), c.stripped) << c.text;
    }
}

TEST(SplitToCollection, EveryCommaEndsAFieldButAnEmptyLastOneDoesNotCount) {
    using V = std::vector<std::string>;
    const struct {
        const char* text;
        int minCount;
        V pieces;
    } cases[] = {
        {"a,b,c", 0, {"a", "b", "c"}},
        {",a,,b", 0, {"", "a", "", "b"}},
        {"a,b,", 0, {"a", "b"}},
        {"\"x,y\",z", 0, {"\"x", "y\"", "z"}},
        {"", 0, {}},
        {"a", 3, {"a", " ", " "}},
        {",", 0, {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitToCollection(c.text, ",", c.minCount), c.pieces) << c.text;
    }
}

TEST(LoadDataFiles, ReadsQuotedAndBareFieldsInFileOrder) {
    Fixture f(" \"A1\" , \"WXE007\" , \" MSU \" \r\nB2,Big Iron,MSG\r\n\r\n",
              "B2,1,9,,2\r\n"
              "\"A1\",\"1\",\"3\",\"\",\"1.0\"\r\n"
              "a1, 4 ,9, \" \" ,0.5\r\n"    // code in other letter case, blank mark
              "A1,10,99,X,0.1\r\n"          // excluded
              "A1,10,99999,,0.25,extra\r\n" // extra field ignored
              "B2,10,20,,1,\r\n");          // trailing comma after field 5
    ConversionTable t = f.read();
    ASSERT_EQ(t.count(), 2u);
    const Conversion& a = t.item("wxe007");
    ASSERT_EQ(a.tiers.size(), 3u);
    EXPECT_EQ(a.tiers[0].MinCap(), 1);
    EXPECT_EQ(a.tiers[1].MinCap(), 4);
    EXPECT_EQ(a.tiers[2].MaxCap(), 99999);
    EXPECT_DOUBLE_EQ(a.tiers[2].Slope(), 0.25);
    EXPECT_EQ(a.tiers[0].Units(), "MSU");
    EXPECT_EQ(a.tiers[0].SlopeName(), "WXE007");
    EXPECT_EQ(t.at(2).tiers.size(), 2u);
    EXPECT_EQ(t.at(2).tiers[1].Units(), "MSG");
}

TEST(LoadDataFiles, NumbersAreReadByTheLeadingNumberRuleAndRoundedHalfToEven) {
    const struct {
        const char* minCap;
        std::int32_t expected;
    } cases[] = {{"1.5", 2}, {"2.5", 2},   {"-2.5", -2}, {"abc", 0},
                 {"", 0},    {"&H10", 16}, {"12abc", 12}};
    for (const auto& c : cases) {
        Fixture f(kNames, std::string("A1,") + c.minCap + ",9,,1\r\n");
        EXPECT_EQ(f.read().item("WXE007").tiers.at(0).MinCap(), c.expected) << c.minCap;
    }
}

TEST(LoadDataFiles, LineEndsMayBeCrLfCrOrLf) {
    for (const std::string eol : {"\r\n", "\r", "\n"}) {
        Fixture f("A1,WXE007,MSU" + eol + "B2,Big Iron,MSG" + eol,
                  "A1,1,3,,1" + eol + "A1,4,9,,0.5" + eol + "B2,1,9,,2");
        ConversionTable t = f.read();
        EXPECT_EQ(t.count(), 2u);
        EXPECT_EQ(t.item("WXE007").tiers.size(), 2u);
    }
}

TEST(LoadDataFiles, EmptyFilesAndConversionsWithoutTiersAreNoFailure) {
    EXPECT_EQ(Fixture("", "").read().count(), 0u);
    ConversionTable t = Fixture(kNames, "A1,1,3,,1\r\n").read();
    EXPECT_TRUE(t.item("Big Iron").tiers.empty());
}

TEST(LoadDataFiles, EveryBadInputIsANumberedErrorNamingFileAndLine) {
    const struct {
        const char* what;
        std::string names, tiers;
        ErrorNumber number;
        const char* mentions;
    } cases[] = {
        {"names record with 2 fields", "A1,WXE007,MSU\r\nB2,Big\r\n", "",
         ErrorNumber::SubscriptOutOfRange, "vqcsname.dat line 2 has 2 fields, 3 needed"},
        {"used tier record with 4 fields", kNames, "A1,1,3,,\r\n", ErrorNumber::SubscriptOutOfRange,
         "vqcslope.dat line 1 has 4 fields, 5 needed"},
        {"tier record with 3 fields", kNames, "A1,1,3\r\n", ErrorNumber::SubscriptOutOfRange,
         "vqcslope.dat line 1 has 3 fields, 4 needed"},
        {"a blank line is a record", kNames + "   \r\n", "", ErrorNumber::SubscriptOutOfRange,
         "vqcsname.dat line 3 has 1 field, 3 needed"},
        {"names differing only in case", kNames + "C3,wxe007,ENG\r\n", "",
         ErrorNumber::DuplicateKey, "\"wxe007\" on vqcsname.dat line 3 is already used on line 1"},
        {"duplicate codes", kNames + "A1,Other,ENG\r\n", "", ErrorNumber::DuplicateKey,
         "code \"A1\" on vqcsname.dat line 3 is already used on line 1"},
        {"tier code not in the names file", kNames, "A1,1,3,,1\r\nZZ,1,3,,1\r\n",
         ErrorNumber::KeyNotFound, "\"ZZ\" on vqcslope.dat line 2 is not in vqcsname.dat"},
        {"capacity of 3000000000", kNames, "A1,3000000000,3,,1\r\n", ErrorNumber::Overflow,
         "\"3000000000\" in field 2 of vqcslope.dat line 1"},
        {"slope of 1E400", kNames, "A1,1,3,,1E400\r\n", ErrorNumber::Overflow,
         "\"1E400\" in field 5 of vqcslope.dat line 1"},
    };
    for (const auto& c : cases) {
        Failure failure = failureOf(c.names, c.tiers);
        EXPECT_EQ(failure.number, static_cast<int>(c.number)) << c.what;
        EXPECT_NE(failure.description.find(c.mentions), std::string::npos)
            << c.what << ": " << failure.description;
    }
}

TEST(LoadDataFiles, MissingOrUnreadableFilesNameTheFullPath) {
    TempFolder folder;
    Failure missingNames;
    try {
        ReadDataFiles(folder.path());
    } catch (const RuntimeError& e) {
        missingNames = {e.number(), e.description()};
    }
    EXPECT_EQ(missingNames.number, static_cast<int>(ErrorNumber::FileNotFound));
    EXPECT_EQ(missingNames.description, "File not found: " + folder.file(kNamesFileName));

    folder.write(kNamesFileName, kNames);
    std::filesystem::create_directory(folder.file(kTiersFileName));
    try {
        ReadDataFiles(folder.path());
        ADD_FAILURE() << "a folder in place of the tier file was read";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::PathFileAccess));
    }
}

TEST(LoadDataFiles, AFailureLeavesTheTableAsItWas) {
    SlopeTable().clear();
    Fixture good(kNames, "A1,1,3,,1\r\n");
    LoadDataFiles(good.folder.path());
    EXPECT_EQ(SlopeTable().count(), 2u);
    Fixture bad(kNames, "A1,1,3,,1\r\nZZ,1,3,,1\r\n");
    EXPECT_THROW(LoadDataFiles(bad.folder.path()), RuntimeError);
    EXPECT_EQ(SlopeTable().count(), 2u);
    SlopeTable().clear();
}

TEST(LoadDataFiles, BinaryGarbageIsReportedNotFatal) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    Fixture f(garbage, garbage);
    EXPECT_THROW(f.read(), RuntimeError);
    std::vector<DataFileProblem> problems;
    ReadDataFiles(f.folder.path(), [&](const DataFileProblem& p) { problems.push_back(p); });
    EXPECT_FALSE(problems.empty());
}

TEST(LoadDataFiles, CollectsEveryProblemWhenAsked) {
    Fixture f(kNames + "B2,Again,MSU\r\n", "A1,1,3,,1\r\nZZ,1,3,,1\r\nA1,1\r\n");
    std::vector<DataFileProblem> problems;
    ConversionTable t =
        ReadDataFiles(f.folder.path(), [&](const DataFileProblem& p) { problems.push_back(p); });
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].file, kNamesFileName);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[1].line, 2);
    EXPECT_EQ(problems[2].line, 3);
    EXPECT_EQ(t.item("WXE007").tiers.size(), 1u);
}

TEST(LoadDataFiles, ALargeTierFileLoadsInLinearTime) {
    // About 50 MB: 2,000,000 tier lines over 50 conversions.
    std::string names;
    for (int c = 0; c < 50; ++c) {
        names += "C" + std::to_string(c) + ",Conversion " + std::to_string(c) + ",MSU\r\n";
    }
    std::string tiers;
    tiers.reserve(52'000'000);
    for (int i = 0; i < 2'000'000; ++i) {
        tiers += "\"C" + std::to_string(i % 50) + "\",\"" + std::to_string(i) + "\",\"" +
                 std::to_string(i + 1) + "\",\"\",\"0.125\"\r\n";
    }
    Fixture f(names, tiers);
    const auto start = std::chrono::steady_clock::now();
    ConversionTable t = f.read();
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(t.item("Conversion 7").tiers.size(), 40'000u);
    // Generous: a quadratic loader would take hours, not seconds.
    EXPECT_LT(seconds, 60.0);
}
