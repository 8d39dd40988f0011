#include "cli/DataCheck.h"
#include "platform/AppFacts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace wexel;
using namespace wexel::cli;
using wexel::testing::TempFolder;

namespace {

using Severity = Finding::Severity;

// One expected finding: file, line, severity and a piece of its text.
struct Expected {
    const char* file;
    int line;
    Severity severity;
    const char* mentions;
};

std::vector<Finding> check(const std::string& names, const std::string& tiers) {
    TempFolder folder;
    folder.write(kNamesFileName, names);
    folder.write(kTiersFileName, tiers);
    return checkDataFiles(folder.path());
}

void expectFindings(const std::vector<Finding>& found, const std::vector<Expected>& expected) {
    ASSERT_EQ(found.size(), expected.size()) << [&] {
        std::string all;
        for (const Finding& f : found) {
            all += f.file + ":" + std::to_string(f.line) + ": " + f.text + "\n";
        }
        return all;
    }();
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].file, expected[i].file) << i;
        EXPECT_EQ(found[i].line, expected[i].line) << i << ": " << found[i].text;
        EXPECT_EQ(found[i].severity, expected[i].severity) << i << ": " << found[i].text;
        EXPECT_NE(found[i].text.find(expected[i].mentions), std::string::npos)
            << i << ": " << found[i].text;
    }
}

const std::string kNames = "A1,WXE007,MSU\r\n";
const std::string kTiers = "A1,1,3,,1\r\nA1,4,9,,0.5\r\nA1,10,99999,,0.25\r\n";

} // namespace

TEST(CheckDataFiles, CleanFilesHaveNoFindings) {
    EXPECT_TRUE(check(kNames, kTiers).empty());
    EXPECT_TRUE(checkDataFiles(WEXEL_SAMPLE_DATA).empty()) << "the shipped sample data";
}

TEST(CheckDataFiles, ReportsEveryProblemAtItsLine) {
    const std::string names = "A1,WXE007,MSU\r\n"        // 1
                              "B2,Big Iron,MSG\r\n"      // 2
                              "C3,Short\r\n"             // 3 two fields
                              "B2,Other,ENG\r\n"         // 4 code again
                              "D4,Odd Unit,msu\r\n"      // 5 unit code
                              "E5,No Tiers,ENG\r\n"      // 6 no tiers
                              "F6,big iron,MSU\r\n"      // 7 name again, other case
                              "G7,\xC3\x84rger,MSU\r\n"  // 8
                              "H8,\xC3\xA4rger,MSU\r\n"; // 9 differs in case only
    const std::string tiers = "A1,1,3,,1\r\n"            // 1
                              "A1,4,9,,0.5\r\n"          // 2
                              "A1,10,99999,,0.25\r\n"    // 3
                              "B2,1,10,,1\r\n"           // 4 highest is not 19
                              "ZZ,1,3,,1\r\n"            // 5 unknown code
                              "B2,20,29,,0.5\r\n"        // 6 highest is not 4
                              "A1,1,3\r\n"               // 7 three fields
                              "B2,5,999999,,0\r\n"       // 8 descends; slope 0
                              "D4,1,9,,1\r\n"            // 9
                              "A1,5,6,,\r\n"             // 10 four fields, used
                              "G7,3000000000,1,,1\r\n"   // 11 too large
                              "H8,1,9,,1E400\r\n"        // 12 too large
                              "H8,1,9,x,1E400\r\n"       // 13 excluded: no problem
                              "G7,1,9,,-0.5\r\n"         // 14 slope below 0
                              "H8,1,9,,1\r\n";           // 15
    expectFindings(check(names, tiers),
                   {
                       {kNamesFileName, 3, Severity::Error, "line 3 has 2 fields, 3 needed"},
                       {kNamesFileName, 4, Severity::Error, "code \"B2\""},
                       {kNamesFileName, 5, Severity::Warning, "unit code \"msu\""},
                       {kNamesFileName, 6, Severity::Warning, "\"No Tiers\" has no tiers"},
                       {kNamesFileName, 7, Severity::Error, "\"big iron\""},
                       {kNamesFileName, 9, Severity::Warning, "only in letter case"},
                       {kTiersFileName, 4, Severity::Warning, "highest capacity 10"},
                       {kTiersFileName, 5, Severity::Error, "\"ZZ\""},
                       {kTiersFileName, 6, Severity::Warning, "highest capacity 29"},
                       {kTiersFileName, 7, Severity::Error, "line 7 has 3 fields, 4 needed"},
                       {kTiersFileName, 8, Severity::Warning, "lowest capacity 5"},
                       {kTiersFileName, 8, Severity::Warning, "slope 0 "},
                       {kTiersFileName, 10, Severity::Error, "line 10 has 4 fields, 5 needed"},
                       {kTiersFileName, 11, Severity::Error, "\"3000000000\""},
                       {kTiersFileName, 12, Severity::Error, "\"1E400\""},
                       {kTiersFileName, 14, Severity::Warning, "slope -0.5 "},
                   });
}

TEST(CheckDataFiles, EachWarningOnItsOwn) {
    const struct {
        const char* what;
        std::string names, tiers;
        Expected expected;
    } cases[] = {
        {"not ascending",
         kNames,
         "A1,1,9,,1\r\nA1,10,9,,1\r\nA1,10,99,,0.5\r\n",
         {kTiersFileName, 3, Severity::Warning, "is not above 10 of the tier before (line 2)"}},
        {"gap",
         kNames,
         "A1,1,8,,1\r\nA1,10,99,,0.5\r\n",
         {kTiersFileName, 1, Severity::Warning, "minus 1 (9, line 2)"}},
        {"overlap",
         kNames,
         "A1,1,12,,1\r\nA1,10,99,,0.5\r\n",
         {kTiersFileName, 1, Severity::Warning, "highest capacity 12"}},
        {"slope 0",
         kNames,
         "A1,1,9,,0\r\n",
         {kTiersFileName, 1, Severity::Warning, "divides by it"}},
        {"no tiers",
         kNames + "B2,Lonely,ENG\r\n",
         kTiers,
         {kNamesFileName, 2, Severity::Warning, "\"Lonely\" has no tiers"}},
        {"unit code",
         kNames + "B2,Other,mSG\r\n",
         kTiers + "B2,1,9,,1\r\n",
         {kNamesFileName, 2, Severity::Warning, "\"mSG\""}},
        {"no WXE007",
         "A1,WXE008,MSU\r\n",
         kTiers,
         {kNamesFileName, 0, Severity::Warning, "no conversion is named \"WXE007\""}},
        {"letter case",
         kNames + "B2,\xC3\x89t\xC3\xA9,MSG\r\nC3,\xC3\xA9T\xC3\xA9,MSG\r\n",
         kTiers + "B2,1,9,,1\r\nC3,1,9,,1\r\n",
         {kNamesFileName, 3, Severity::Warning, "on line 2 only in letter case"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectFindings(check(c.names, c.tiers), {c.expected});
    }
}

TEST(CheckDataFiles, TheDefaultConversionMayBeWrittenInAnyCase) {
    EXPECT_TRUE(check("A1,wxe007,MSU\r\n", "A1,1,9,,1\r\n").empty());
}

TEST(CheckDataFiles, NamesThatDifferInAsciiCaseAreTheLoadersDuplicateKeyError) {
    const std::vector<Finding> found = check(kNames + "B2,wxe007,MSU\r\n", kTiers);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].severity, Severity::Error);
    EXPECT_EQ(found[0].number, 457);
    EXPECT_EQ(found[0].line, 2);
}

TEST(CheckDataFiles, AFileThatCannotBeOpenedIsOneErrorForTheWholeFile) {
    TempFolder folder;
    folder.write(kTiersFileName, kTiers + "B2,1,9,,1\r\n");
    const std::vector<Finding> found = checkDataFiles(folder.path());
    // The tier lines are not each reported as unknown codes.
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, kNamesFileName);
    EXPECT_EQ(found[0].line, 0);
    EXPECT_EQ(found[0].number, 53);
    EXPECT_EQ(found[0].text, "File not found: " + folder.file(kNamesFileName));

    TempFolder other;
    other.write(kNamesFileName, kNames);
    std::filesystem::create_directory(other.file(kTiersFileName));
    const std::vector<Finding> folderFound = checkDataFiles(other.path());
    ASSERT_EQ(folderFound.size(), 1u);
    EXPECT_EQ(folderFound[0].file, kTiersFileName);
    EXPECT_EQ(folderFound[0].number, 75);
}

TEST(CheckDataFiles, EmptyFilesLoadWithoutErrors) {
    expectFindings(check("", ""), {{kNamesFileName, 0, Severity::Warning, "WXE007"}});
}

TEST(FoldLetterCase, FoldsCapitalsOfTheCommonAlphabets) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"ABC xyz 123", "abc xyz 123"},
        {"\xC3\x84\xC3\x96\xC3\x9C", "\xC3\xA4\xC3\xB6\xC3\xBC"}, // umlauts
        {"\xC3\x97", "\xC3\x97"},                                 // the multiplication sign
        {"\xC5\xA0\xC5\xBD\xC5\x92\xC5\xB8", "\xC5\xA1\xC5\xBE\xC5\x93\xC3\xBF"},
        {"\xCE\xA9\xD0\x96\xD0\x81", "\xCF\x89\xD0\xB6\xD1\x91"}, // Greek, Cyrillic
        {"\xFF\xC3", "\xFF\xC3"},                                 // not UTF-8: kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(foldLetterCase(c.text), c.folded) << c.text;
    }
}
