#include "StringUtil.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

TEST(StringUtilSplit, CasesTable)
{
    struct Case {
        std::string text;
        char sep;
        Fields fields;
    };
    const Case cases[] = {
        {"", ' ', {""}},
        {" ", ' ', {"", ""}},
        {"a  b", ' ', {"a", "", "b"}},
        {"abc", '@', {"abc"}},
        {"a b c", ' ', {"a", "b", "c"}},
        {" a", ' ', {"", "a"}},
        {"a ", ' ', {"a", ""}},
        {"u@c@x", '@', {"u", "c", "x"}},
    };
    for (const Case& c : cases) {
        Fields out;
        StringUtil::split(c.text, c.sep, out);
        EXPECT_EQ(out, c.fields) << "text '" << c.text << "'";
    }
}

TEST(StringUtilSplit, AppendsToTheListGiven)
{
    Fields out{"kept"};
    StringUtil::split("a b", ' ', out);
    EXPECT_EQ(out, (Fields{"kept", "a", "b"}));
}

TEST(StringUtilJoin, CasesTable)
{
    struct Case {
        Fields items;
        std::size_t skip;
        std::string text;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, 0, "a b c"},
        {{"a", "b", "c"}, 1, "b c"},
        {{"a", "b", "c"}, 3, ""},
        {{"a", "b", "c"}, 7, ""},
        {{"a", "", "b"}, 0, "a  b"},
        {{}, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringUtil::join(c.items, " ", c.skip), c.text) << "skip " << c.skip;
}

TEST(StringUtilJoin, RestoresWhatSplitCut)
{
    for (const std::string text : {"", " ", "a  b ", "  x y  z  "}) {
        Fields fields;
        StringUtil::split(text, ' ', fields);
        EXPECT_EQ(StringUtil::join(fields, " ", 0), text);
    }
}

TEST(StringUtilEscape, CasesTable)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a b", "a\\sb"},   {"\\", "\\\\"}, {"\r", "\\r"}, {"\n", "\\n"},
        {"\t", "\\t"},      {"plain", "plain"}, {"", ""},
        {std::string("\0x", 2), std::string("\0x", 2)},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(StringUtil::escape(text), escaped);
}

TEST(StringUtilUnescape, CasesTable)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\\x", ""},     {"a\\", "a\\"}, {"\\s", " "},   {"\\\\", "\\"}, {"\\n", "\n"},
        {"\\r", "\r"},   {"\\t", "\t"},  {"a\\sb", "a b"}, {"\\\\s", "\\s"}, {"", ""},
    };
    for (const auto& [escaped, text] : cases)
        EXPECT_EQ(StringUtil::unescape(escaped), text) << "escaped '" << escaped << "'";
}

TEST(StringUtilEscape, UnescapeUndoesEscapeForEveryByte)
{
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    const std::string escaped = StringUtil::escape(every + "\\\\ \\");
    EXPECT_EQ(escaped.find_first_of(" \t\r\n"), std::string::npos);
    EXPECT_EQ(StringUtil::unescape(escaped), every + "\\\\ \\");
}
