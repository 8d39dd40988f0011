#include "cli/TextOutput.h"
#include "JsonCheck.h"

#include <gtest/gtest.h>

using namespace wexel::cli;
using wexel::testing::JsonChecker;

TEST(JsonString, EscapesWhatJsonRequires) {
    const struct {
        std::string text, json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"", "\"\""},
        {"a\"b", "\"a\\\"b\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"tab\tnew\nline\rcr", "\"tab\\tnew\\nline\\rcr\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC",
         "\"Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC\""},
        // Bytes that are not UTF-8 are read as Windows-1252.
        {"caf\xE9", "\"caf\xC3\xA9\""},
        {"\x80", "\"\xE2\x82\xAC\""},
        {"\xC3", "\"\xC3\x83\""},                             // a lead byte at the end
        {"\xED\xA0\x80", "\"\xC3\xAD\xC2\xA0\xE2\x82\xAC\""}, // an encoded surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonString(c.text), c.json) << c.text;
    }
}

TEST(JsonString, EveryByteStringGivesValidJson) {
    std::string all;
    for (int i = 0; i < 256; ++i) {
        all += static_cast<char>(i);
    }
    for (std::size_t start = 0; start < all.size(); start += 7) {
        const std::string text = all.substr(start) + all.substr(0, start);
        EXPECT_TRUE(JsonChecker("{\"k\":" + jsonString(text) + "}").isObject()) << start;
    }
}

TEST(JsonObject, WritesKeysInOrderOnOneLine) {
    EXPECT_EQ(JsonObject().str(), "{}");
    EXPECT_EQ(JsonObject().add("a", "x").add("b", 12).addRaw("c", "null").str(),
              "{\"a\":\"x\",\"b\":12,\"c\":null}");
    EXPECT_EQ(JsonObject().add("n", std::int64_t{-9000000000}).str(), "{\"n\":-9000000000}");
}

TEST(CsvField, QuotesOnlyWhenNeeded) {
    const struct {
        std::string text, csv;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {" 5", "\" 5\""},
        {"5 ", "\"5 \""},
        {"two\nlines", "\"two\nlines\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.text), c.csv) << c.text;
    }
}

TEST(SplitCsvLine, ReadsBareAndQuotedFields) {
    using V = std::vector<std::string>;
    const struct {
        std::string line;
        bool ok;
        V fields;
    } cases[] = {
        {"12", true, {"12"}},
        {"box,12", true, {"box", "12"}},
        {"\"big, box\",12", true, {"big, box", "12"}},
        {"\"say \"\"hi\"\"\",3", true, {"say \"hi\"", "3"}},
        {"a,b,c", true, {"a", "b", "c"}},
        {"box,", true, {"box", ""}},
        {",12", true, {"", "12"}},
        {"", true, {""}},
        {" 5 ", true, {" 5 "}},
        {"\"open,12", false, {}},
        {"\"closed\"x,12", false, {}},
    };
    for (const auto& c : cases) {
        V fields;
        EXPECT_EQ(splitCsvLine(c.line, fields), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(fields, c.fields) << c.line;
        }
    }
}

TEST(SplitCsvLine, CsvFieldReadsBack) {
    for (const std::string text : {"a,b", "\"q\"", " x ", "", "plain"}) {
        std::vector<std::string> fields;
        ASSERT_TRUE(splitCsvLine(csvField(text) + "," + csvField("7"), fields)) << text;
        EXPECT_EQ(fields, (std::vector<std::string>{text, "7"}));
    }
}
