// The data-file rules and the failure table, through the loader: pairs of
// files written to a scratch folder, and what SlopeTable holds after.
#include "tiers/DataFiles.h"
#include "platform/RuntimeError.h"
#include "platform/TextFileReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <iostream>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

// The table as one line: "name|units:min..max@slope ..." per conversion.
std::string summary() {
    std::string text;
    for (const auto& entry : SlopeTable()) {
        const Conversion& c = entry.item;
        // The unit as every tier carries it, where the queries read it.
        const std::string units = c.tiers.empty() ? c.units : c.tiers.front().Units();
        text += (text.empty() ? "" : "; ") + c.name + "|" + units + ":";
        for (const clsTier& t : c.tiers) {
            char slope[32];
            std::snprintf(slope, sizeof slope, "%g", t.Slope());
            text +=
                " " + std::to_string(t.MinCap()) + ".." + std::to_string(t.MaxCap()) + "@" + slope;
        }
    }
    return text;
}

// Loads the files; the summary, or "error N: description".
std::string load(const TempFolder& folder) {
    try {
        LoadDataFiles(folder.path());
        return summary();
    } catch (const RuntimeError& e) {
        return "error " + std::to_string(e.number()) + ": " + e.description();
    }
}

std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
}

struct Case {
    const char* what;
    std::string names, tiers;
    std::string loaded; // the summary, or the start of "error N: description"
};

const std::string kOne = "A1,WXE007,MSU\r\n";
const std::string kTier = "A1,1,3,,1\r\n";

const Case kCases[] = {
    {"quotes, blanks, exclusion, interleaving",
     "\"A1\" , \" WXE007 \" , \"MSU\"\r\nB2,Other,ENG\r\n",
     "A1,1,3,,1\r\nB2,1,9,x,9\r\nB2,5,9,\"  \",2\r\nA1,4,45,\" \",0.7\r\nB2,1,1,\"x\",",
     "WXE007|MSU: 1..3@1 4..45@0.7; Other|ENG: 5..9@2"},
    {"line ends CR, LF and CR LF", "A1,N,MSU\rB2,M,MSG\nC3,O,ENG", "A1,1,3,,1\nA1,4,5,,2\r",
     "N|MSU: 1..3@1 4..5@2; M|MSG:; O|ENG:"},
    {"numbers by the leading-number rule, half to even", kOne,
     "A1,1.5,2.5,,1E3\nA1,-2.5,abc,,&H10\nA1, 1 0 ,3.5x,,2D1,extra,fields\n",
     "WXE007|MSU: 2..2@1000 -2..0@16 10..4@20"},
    {"tiers kept in file order", kOne, "A1,9,9,,1\nA1,1,1,,2\n", "WXE007|MSU: 9..9@1 1..1@2"},
    {"a trailing comma after field 5", kOne, "A1,1,3,,1,\n", "WXE007|MSU: 1..3@1"},
    {"empty files", "", "", ""},
    {"a conversion without tiers", kOne + "B2,Empty,MSU\n", kTier,
     "WXE007|MSU: 1..3@1; Empty|MSU:"},
    {"UTF-8 with a byte-order mark",
     "\xEF\xBB\xBF"
     "A1,Caf\xC3\xA9,MSU\n",
     kTier, "Café|MSU: 1..3@1"},
    {"Windows-1252", "A1,Caf\xE9 \x80,MSU\n", kTier, "Café €|MSU: 1..3@1"},
    {"UTF-16 little-endian", utf16("A1,N,MSU\r\n", false), utf16("A1,1,3,,1", false),
     "N|MSU: 1..3@1"},
    {"UTF-16 big-endian", utf16("A1,N,MSU\r\n", true), kTier, "N|MSU: 1..3@1"},
    {"codes in any letter case",
     "\xC3\xA9"
     "1,N,MSU\n",
     "\xC3\x89"
     "1,1,3,,1\n",
     "N|MSU: 1..3@1"},
    {"names differing in Unicode letter case",
     "A1,Caf\xC3\xA9 Suite,MSU\nB2,CAF\xC3\x89 SUITE,MSU\n", "",
     "error 457: Duplicate key: the conversion name \"CAFÉ SUITE\" on vqcsname.dat line 2 is "
     "already used on line 1"},
    {"a code given twice", kOne + "A1,Other,MSU\n", "",
     "error 457: Duplicate key: the conversion code \"A1\" on vqcsname.dat line 2 is already used "
     "on line 1"},
    {"a names line with two fields", "A1,WXE007\n", "",
     "error 9: Subscript out of range: vqcsname.dat line 1 has 2 fields, 3 needed"},
    {"a line of blanks", kOne + "   \n", "",
     "error 9: Subscript out of range: vqcsname.dat line 2 has 1 field, 3 needed"},
    {"a comma right after field 4", kOne, "A1,1,3,,\n",
     "error 9: Subscript out of range: vqcslope.dat line 1 has 4 fields, 5 needed"},
    {"a tier of an unknown code", kOne, "Z9,1,3,,1\n",
     "error 5: Key not found: the conversion code \"Z9\" on vqcslope.dat line 1 is not in "
     "vqcsname.dat"},
    {"a NUL in a code", kOne, std::string("Z\0Q,4,10,,0.5\n", 15),
     "error 5: Key not found: the conversion code \"Z\\x00Q\" on vqcslope.dat line 1 is not in "
     "vqcsname.dat"},
    {"a capacity beyond 32 bits", kOne, "A1,2147483648,3,,1\n",
     "error 6: Overflow: the lowest capacity \"2147483648\" in field 2 of vqcslope.dat line 1 is "
     "outside the 32-bit range"},
    {"a highest capacity beyond 32 bits", kOne, "A1,1,-2147483649,,1\n",
     "error 6: Overflow: the highest capacity \"-2147483649\" in field 3 of vqcslope.dat line 1 is "
     "outside the 32-bit range"},
    {"a slope beyond the double range", kOne, "A1,1,3,,1E400\n",
     "error 6: Overflow: the slope \"1E400\" in field 5 of vqcslope.dat line 1 is too large"},
    {"a line of exactly 65,536 characters", kOne, "A1,1,3,,1," + std::string(65526, 'x') + "\n",
     "WXE007|MSU: 1..3@1"},
    {"a line of exactly 65,536 characters after a byte-order mark", kOne,
     "\xEF\xBB\xBF"
     "A1,1,3,,1," +
         std::string(65526, 'x') + "\n",
     "WXE007|MSU: 1..3@1"},
    {"a second byte-order mark: two files joined", kOne + "\xEF\xBB\xBF" + "B2,Two,MSU\n", kTier,
     "error 13: Type mismatch: vqcsname.dat line 2 starts with a byte-order mark, which begins a "
     "file: two files were joined into one (remove the mark)"},
    {"a line one character longer", kOne, "A1,1,3,,1," + std::string(65527, 'x') + "\n",
     "error 6: Overflow: vqcslope.dat line 1 is longer than 65536 characters"},
    {"UTF-16 without its last byte", utf16(kOne, false).substr(0, 31), kTier,
     "error 75: Path/File access error: "},
    {"UTF-16 without a byte-order mark", utf16(kOne, true).substr(2), kTier,
     "error 75: Path/File access error: "},
    {"binary garbage", std::string("\0\xFF,\0\n\x01", 6) + "A1,N,MSU\n", "",
     "error 9: Subscript out of range: vqcsname.dat line 1 has 2 fields, 3 needed"},
};

} // namespace

TEST(LoadDataFiles, FileRulesAndFailures) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.writeData(c.names, c.tiers);
        setSlopeTable(ConversionTable());
        const std::string loaded = load(folder);
        EXPECT_EQ(loaded.substr(0, c.loaded.size()), c.loaded) << loaded;
    }
}

TEST(LoadDataFiles, AConversionMayHoldAtMost32767Tiers) {
    TempFolder folder;
    std::string tiers;
    for (int i = 1; i <= 32768; ++i) {
        tiers += "A1," + std::to_string(i) + ",0,,1\n";
    }
    folder.writeData(kOne, tiers);
    EXPECT_EQ(load(folder), "error 6: Overflow: the conversion \"WXE007\" on vqcslope.dat line "
                            "32768 gets more than 32767 tiers");
}

TEST(LoadDataFiles, OnlyRegularFilesAreRead) {
    TempFolder folder;
    folder.write(kTiersFileName, kTier);
    EXPECT_EQ(load(folder), "error 53: File not found: " + folder.file(kNamesFileName));

#ifdef _WIN32
    // A device: its name opens anywhere, and reading it would never end.
    try {
        (void)readRegularFile("NUL");
        ADD_FAILURE() << "NUL was read";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorNumber::PathFileAccess));
        EXPECT_EQ(e.description(), "Path/File access error: NUL is not a regular file");
    }
#else
    ASSERT_EQ(::mkfifo(folder.file(kNamesFileName).c_str(), 0600), 0);
    EXPECT_EQ(load(folder), "error 75: Path/File access error: " + folder.file(kNamesFileName) +
                                " is not a regular file");
    std::filesystem::remove(folder.file(kNamesFileName));

    std::filesystem::create_symlink("/dev/zero", folder.file(kNamesFileName));
    EXPECT_EQ(load(folder), "error 75: Path/File access error: " + folder.file(kNamesFileName) +
                                " is not a regular file");
    std::filesystem::remove(folder.file(kNamesFileName));
#endif

    std::filesystem::create_directory(folder.file(kNamesFileName));
    EXPECT_EQ(load(folder), "error 75: Path/File access error: " + folder.file(kNamesFileName) +
                                " is a folder, not a file");
    std::filesystem::remove(folder.file(kNamesFileName));

    // A link to a regular file is fine: administrators keep the tables elsewhere.
    // (Windows lets only administrators make links: there the file is copied.)
#ifdef _WIN32
    folder.write(kNamesFileName, kOne);
    const std::string names = kNamesFileName;
#else
    folder.write("names", kOne);
    std::filesystem::create_symlink(folder.file("names"), folder.file(kNamesFileName));
    const std::string names = "names";
#endif
    EXPECT_EQ(load(folder), "WXE007|MSU: 1..3@1");

    // A file too large to count its lines in 32 bits (sparse: nothing is written).
    std::filesystem::resize_file(folder.file(names), std::uintmax_t{1} << 31);
    EXPECT_EQ(load(folder), "error 75: Path/File access error: " + folder.file(kNamesFileName) +
                                " is larger than 1073741824 bytes");
    std::filesystem::resize_file(folder.file(names), kOne.size());
#ifndef _WIN32
    // A file its reader may not read, in a child process (as nobody, for root).
    ::chmod(folder.file("names").c_str(), 0);
    EXPECT_EXIT(
        {
            if (!wexel::testing::dropRootPrivileges()) {
                std::exit(2);
            }
            std::cerr << load(folder);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "^error 75: Path/File access error: .*vqcsname.dat cannot be read");
#endif
}

TEST(LoadDataFiles, AFileDatedAheadIsWaitedForOnceNotUntilItsDate) {
    // Files copied from a machine whose clock runs ahead look written "just now"
    // for hours: the reader waits a moment for a rewrite to settle, never until
    // the file's date (the test's time limit would end that wait).
    TempFolder folder;
    folder.writeData(kOne, kTier);
    const auto ahead = std::filesystem::file_time_type::clock::now() + std::chrono::hours(1);
    for (const char* name : {kNamesFileName, kTiersFileName}) {
        std::filesystem::last_write_time(folder.file(name), ahead);
    }
    EXPECT_EQ(load(folder), "WXE007|MSU: 1..3@1");
}
