#include "platform/TextFileReader.h"
#include "platform/RuntimeError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

std::vector<std::string> allLines(const std::string& path) {
    TextFileReader reader(path);
    std::vector<std::string> lines;
    while (!reader.atEnd()) {
        lines.emplace_back(reader.readLine());
    }
    return lines;
}

int errorNumberOf(const std::string& path) {
    try {
        TextFileReader reader(path);
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(TextFileReader, LineEndsAreCrLfCrOrLf) {
    TempFolder folder;
    const struct {
        const char* bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"", {}},
        {"last line without end", {"last line without end"}},
    };
    for (const auto& c : cases) {
        folder.write("f.dat", c.bytes);
        EXPECT_EQ(allLines(folder.file("f.dat")), c.lines) << c.bytes;
    }
}

TEST(TextFileReader, CountsLines) {
    TempFolder folder;
    folder.write("f.dat", "a\r\nb\nc");
    TextFileReader reader(folder.file("f.dat"));
    reader.readLine();
    reader.readLine();
    EXPECT_EQ(reader.lineNumber(), 2);
}

TEST(TextFileReader, TextBecomesUtf8) {
    TempFolder folder;
    folder.write("utf8.dat", "Caf\xC3\xA9\r\n");
    folder.write("bom.dat", "\xEF\xBB\xBF"
                            "A1\r\n");
    folder.write("cp1252.dat", "Caf\xE9 \x80\r\n");
    EXPECT_EQ(allLines(folder.file("utf8.dat")), std::vector<std::string>{"Caf\xC3\xA9"});
    EXPECT_EQ(allLines(folder.file("bom.dat")), std::vector<std::string>{"A1"});
    EXPECT_EQ(allLines(folder.file("cp1252.dat")),
              std::vector<std::string>{"Caf\xC3\xA9 \xE2\x82\xAC"});
}

TEST(TextFileReader, MissingFileAndFolderAreNumberedErrors) {
    TempFolder folder;
    EXPECT_EQ(errorNumberOf(folder.file("absent.dat")),
              static_cast<int>(ErrorNumber::FileNotFound));
    EXPECT_EQ(errorNumberOf(folder.path()), static_cast<int>(ErrorNumber::PathFileAccess));
}

TEST(TextFileReader, JoinPathUsesOneSeparator) {
    EXPECT_EQ(joinPath("/opt/wexel", "a.dat"), "/opt/wexel/a.dat");
    EXPECT_EQ(joinPath("/opt/wexel/", "a.dat"), "/opt/wexel/a.dat");
}
