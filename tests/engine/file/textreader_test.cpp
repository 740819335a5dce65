// CTextReader: line rules, field rules under every option, tokens.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"
#include "tests/engine/file/FileTestUtil.h"

namespace {

using Fields = std::vector<std::string>;

// Every line of a text read with `count` fields.
std::vector<Fields> ReadAllLines(CTextReader& r, int count) {
    std::vector<Fields> lines;
    Fields f;
    while (r.ReadLine(count, &f)) lines.push_back(f);
    return lines;
}

std::vector<Fields> ReadDefault(const std::string& text, int count) {
    CTextReader r;
    r.SetText(text);
    return ReadAllLines(r, count);
}

}  // namespace

TEST(TextReader, DefaultsSplitAtCommasAndBlanksAndCollapseBlanksOnly) {
    CTextReader r;
    EXPECT_TRUE(r.GetSplitFields());
    EXPECT_TRUE(r.GetBlankSeparates());
    EXPECT_TRUE(r.GetCollapseBlanks());
    EXPECT_FALSE(r.GetCollapseCommas());
    EXPECT_EQ(ReadDefault("a,b c\td", 4), (std::vector<Fields>{{"a", "b", "c", "d"}}));
    EXPECT_EQ(ReadDefault("a   \t b", 3), (std::vector<Fields>{{"a", "b", ""}}));
    EXPECT_EQ(ReadDefault("a,,b", 3), (std::vector<Fields>{{"a", "", "b"}}));
    // Blanks around a comma and at the ends of a line are not separators of their own.
    EXPECT_EQ(ReadDefault("  a , b ,  , c  ", 4), (std::vector<Fields>{{"a", "b", "", "c"}}));
    EXPECT_EQ(ReadDefault(",a", 2), (std::vector<Fields>{{"", "a"}}));
}

TEST(TextReader, LinesDropCarriageReturnsSkipEmptyLinesAndComments) {
    std::string text = "\r\n\r\na,b\r\n// whole line\r\n   \t\r\nc // tail, ignored\r\n  // indented\nd";
    EXPECT_EQ(ReadDefault(text, 2), (std::vector<Fields>{{"a", "b"}, {"c", ""}, {"d", ""}}));
    // A carriage return inside a line is dropped too.
    EXPECT_EQ(ReadDefault("a\rb\n", 1), (std::vector<Fields>{{"ab"}}));
    // A single slash is text; a comment right after text ends the field.
    EXPECT_EQ(ReadDefault("a/b,c//d\n", 3), (std::vector<Fields>{{"a/b", "c", ""}}));
    EXPECT_TRUE(ReadDefault("", 3).empty());
    EXPECT_TRUE(ReadDefault("\n\n//x\n", 3).empty());
}

TEST(TextReader, ReadLineEmptiesEveryFieldFirstAndDropsFieldsBeyondTheCount) {
    CTextReader r;
    r.SetText("a,b,c,d\nx\n");
    std::string f[3] = {"old", "old", "old"};
    ASSERT_TRUE(r.ReadLine(3, f));
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[2], "c");
    ASSERT_TRUE(r.ReadLine(3, f));
    EXPECT_EQ(f[0], "x");
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[2], "");
    f[0] = "old";
    EXPECT_FALSE(r.ReadLine(3, f));
    EXPECT_EQ(f[0], "");
    EXPECT_TRUE(r.IsEnd());
    r.Rewind();
    EXPECT_TRUE(r.ReadLine(0, f));  // a line is still consumed
    ASSERT_TRUE(r.ReadLine(1, f));
    EXPECT_EQ(f[0], "x");
}

TEST(TextReader, ShiftJisPairsAreNeverSplit) {
    // 0x83 0x5C is "ソ", 0x81 0x40 the full-width space, 0x82 0x2F does not exist but
    // 0x2F can't be a trail byte: the slash after a lead byte at a line's end is text.
    std::string so = "\x83\x5C", wide = "\x81\x40";
    EXPECT_EQ(ReadDefault(so + "," + so + so + "\n", 2), (std::vector<Fields>{{so, so + so}}));
    // A full-width space is a character, not a blank.
    EXPECT_EQ(ReadDefault("a" + wide + "b c\n", 2), (std::vector<Fields>{{"a" + wide + "b", "c"}}));
    // "ー" (0x81 0x5B) followed by "//": the comment still starts.
    EXPECT_EQ(ReadDefault("\x81\x5B//c\n", 2), (std::vector<Fields>{{"\x81\x5B", ""}}));
    // A lead byte right before the line end does not swallow the line feed.
    EXPECT_EQ(ReadDefault("a\x83\nb\n", 1), (std::vector<Fields>{{"a\x83"}, {"b"}}));
    // Trail bytes 0x40..0x7E include ASCII letters and ',' is not among them.
    EXPECT_EQ(ReadDefault("\x83\x41,\x83\x61\n", 2), (std::vector<Fields>{{"\x83\x41", "\x83\x61"}}));
}

TEST(TextReader, EventTableOptionsKeepBlanksAndEmptyColumns) {
    CTextReader r;
    r.SetSplitFields(true);
    r.SetBlankSeparates(false);
    r.SetCollapseBlanks(false);
    r.SetCollapseCommas(false);
    r.SetText("label one, 1 ,,x\n,,,\n   \n");
    auto lines = ReadAllLines(r, 5);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (Fields{"label one", " 1 ", "", "x", ""}));
    EXPECT_EQ(lines[1], (Fields{"", "", "", "", ""}));  // a line of commas is a line
    EXPECT_EQ(lines[2], (Fields{"   ", "", "", "", ""}));
}

TEST(TextReader, HelpTextOptionsGiveOneFieldPerLine) {
    CTextReader r;
    r.SetBlankSeparates(false);
    r.SetText("Press the bell.\\Then wait\n\nsecond line\n");
    auto lines = ReadAllLines(r, 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0], "Press the bell.\\Then wait");
    EXPECT_EQ(lines[1][0], "second line");
}

TEST(TextReader, CollapseOptions) {
    CTextReader r;
    r.SetCollapseCommas(true);
    r.SetText("a,,,b , , c\n");
    EXPECT_EQ(ReadAllLines(r, 4), (std::vector<Fields>{{"a", "b", "c", ""}}));

    CTextReader s;
    s.SetCollapseBlanks(false);
    s.SetText("a  b\n c\n");
    EXPECT_EQ(ReadAllLines(s, 3), (std::vector<Fields>{{"a", "", "b"}, {"", "c", ""}}));

    CTextReader t;
    t.SetSplitFields(false);
    t.SetText("a,b c\n");
    EXPECT_EQ(ReadAllLines(t, 3), (std::vector<Fields>{{"a,b", "c", ""}}));
}

TEST(TextReader, TokensAreBlankSeparatedAcrossLines) {
    CTextReader r;
    r.SetText("  bgm_001  bgm_002\r\n\tse_01 // not a token\n\x83\x5C\x83\x5C");
    std::string t;
    std::vector<std::string> tokens;
    while (r.GetNextToken(&t)) tokens.push_back(t);
    EXPECT_EQ(tokens, (std::vector<std::string>{"bgm_001", "bgm_002", "se_01", "\x83\x5C\x83\x5C"}));
    EXPECT_TRUE(t.empty());
    EXPECT_FALSE(r.GetNextToken(&t));
    r.SetText("   \n");
    EXPECT_FALSE(r.GetNextToken(&t));
}

// Motion key texts are handed over as (text, length) and read again from their start.
TEST(TextReader, SetTextCopiesAppendsALineEndAndStartsAgain) {
    CTextReader r;
    std::string key = "pos_x, 100, 0, 30, 1\nalpha 255";
    EXPECT_TRUE(r.SetText(key.data(), key.size()));
    EXPECT_EQ(r.GetText(), key + "\n");
    key[0] = 'X';  // the reader holds its own copy
    std::string f[8];
    ASSERT_TRUE(r.ReadLine(8, f));
    EXPECT_EQ(f[0], "pos_x");
    EXPECT_EQ(f[4], "1");
    // A second text replaces the first and is read from its start.
    EXPECT_TRUE(r.SetText(std::string("a b")));
    EXPECT_EQ(r.GetText(), "a b\n");
    ASSERT_TRUE(r.ReadLine(8, f));
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "b");
    EXPECT_FALSE(r.ReadLine(8, f));
    // Only the given length is copied; a text that already ends a line gets one more.
    EXPECT_TRUE(r.SetText("xy,z\n", 2));
    EXPECT_EQ(r.GetText(), "xy\n");
    EXPECT_TRUE(r.SetText("q\n", 2));
    EXPECT_EQ(r.GetText(), "q\n\n");
    ASSERT_TRUE(r.ReadLine(1, f));
    EXPECT_EQ(f[0], "q");
    EXPECT_FALSE(r.ReadLine(1, f));
    EXPECT_TRUE(r.SetText(nullptr, 0));
    EXPECT_FALSE(r.ReadLine(1, f));
}

TEST(TextReader, LoadReadsThroughTheFileLayerAndAddsTheLastLineFeed) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    ASSERT_TRUE(filetest::WritePak(dir.Path(), "cfg.pak", {{"hint1.txt", filetest::Bytes("pic,12")}}));
    CTextReader r;
    ASSERT_TRUE(r.Load("cfg\\hint1.txt"));
    EXPECT_EQ(r.GetText(), "pic,12\n");
    EXPECT_EQ(ReadAllLines(r, 4), (std::vector<Fields>{{"pic", "12", "", ""}}));

    CLogCapture log;
    EXPECT_FALSE(r.Load("cfg\\missing.txt"));
    EXPECT_EQ(log.Count(), 0u);  // a missing table is no error of its own
    EXPECT_TRUE(r.GetText().empty());
    std::string f[2];
    EXPECT_FALSE(r.ReadLine(2, f));
}
