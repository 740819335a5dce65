// The help tables: the reader's conversions and limits, and the checked filler.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/raising/mansionmenu/HelpTable.h"

namespace {

TEST(HelpFill, OnlyTheConvertedPlaceholdersAreFilledAndNothingIsReadThatWasNotGiven) {
    SetDebugOutputEnabled(false);
    struct SCase {
        const char* line;
        std::vector<SHelpArg> args;
        const char* expected;
    };
    const SCase cases[] = {
        {"*d left, *c and *d", {5, "ミルテ", -12}, "5 left, ミルテ and -12"},
        {"%d %s %n %% %x", {1, "x"}, "%d %s %n %% %x"},  // the file's own "%" print as they stand
        {"*d and *d", {4}, "4 and "},                     // a missing argument is never read
        {"*c", {9}, ""},                                  // a number for a text is refused
        {"*d", {"nine"}, ""},
        {"no placeholder", {1, 2, 3}, "no placeholder"},  // extra arguments are ignored
        {"*x *", {1}, "*x *"},
        {"ends with *", {}, "ends with *"},
    };
    for (const SCase& c : cases) EXPECT_EQ(FillHelp(c.line, c.args), c.expected) << c.line;
    SetDebugOutputEnabled(true);
}

TEST(HelpFill, ShiftJisPairsAreNeverTakenForPlaceholdersOrBreaks) {
    // "ソ" is 0x83 0x5C; a pair whose trail byte is 'd' (0x83 0x64) is no placeholder.
    const std::string so = "\x83\x5C";
    const std::string pairD = "\x83\x64";
    EXPECT_EQ(ConvertHelpLine("a\\b" + so + "\\"), "a\nb" + so + "\n");
    EXPECT_EQ(FillHelp("*d" + so + "*c" + pairD, {3, "x"}), "3" + so + "x" + pairD);
    EXPECT_EQ(FillHelp("\x83*d", {3}), "\x83*d") << "a lead byte takes the next byte as its pair";
}

TEST(HelpTable, ReadsAtMostAHundredLinesSplitAtCommasAndSkipsEmptyOnes) {
    std::string text = "first line, cut here\r\n\r\n  blanks kept  \r\nback\\slash\r\n";
    for (int i = 3; i < 120; ++i) text += "line " + std::to_string(i) + "\r\n";
    CHelpTable table;
    table.LoadText(text);
    EXPECT_EQ(table.GetCount(), CHelpTable::kLineCount);
    EXPECT_EQ(table.GetLine(0), "first line");
    EXPECT_EQ(table.GetLine(1), "  blanks kept  ") << "the empty line was skipped, blanks stay";
    EXPECT_EQ(table.GetLine(2), "back\nslash");
    EXPECT_EQ(table.GetLine(99), "line 99");
    EXPECT_EQ(table.GetLine(100), "");
    EXPECT_EQ(table.GetLine(-1), "");
    EXPECT_FALSE(table.Load("cfg\\missing_help.txt"));
    EXPECT_EQ(table.GetCount(), 0);
}

}  // namespace
