#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "game/raising/event/EventTable.h"
#include "tests/support/TestSupport.h"

namespace {

// The fixture is Shift-JIS at run time: the sources are compiled to CP932.
const char* const kCsv =
    ",,,,,,,,,[9-9]=9\r\n"  // before the first row: ignored
    "// a comment line\r\n"
    "最初,1,5,0,0,category_000,sc_000_002,1,10,[1-2]>=3,[2-5]+=1\r\n"
    ",,,,,,,,,[1-3]=1,[2-6]=4 // the rest of the line is a comment\r\n"
    ",,,,,,,,,,,,,,,,\r\n"
    "ソ,2,5,0,0,ソ/ソ,ソ,01,5,,,select,s001,10\r\n"
    ",,,,,,,,,,,,s002,11\r\n"
    ",,,,,,,,,,,,s003,\r\n"
    ",9,9,9,9,,,1,9,,,more,S004,12\r\n"
    "x,3,5,0,0,,ev3, 1,5,,,jump,,7\r\n"
    "x,3,6,1,0,,ev3b,1 ,0,,,Jump,,8\r\n"
    "x,4,23,1,2,a/b,EV4.dat,,0,,,,,,2,1,5\r\n"
    "x,5,1,1,0,,ev5,,0,,,bogus,,,,,\r\n"
    "x,6,1,1,0,,ev6,,0,,,select,s009,\r\n";

EventTerm Term(int32_t lk, int32_t rk, int32_t lc, int32_t li, int32_t rc, int32_t ri, int32_t op) {
    return EventTerm{lk, rk, lc, li, rc, ri, op};
}

class EventTableTest : public ::testing::Test {
protected:
    EventTableTest() : m_Folder(m_Temp.Path()) { SetDebugOutputEnabled(false); }
    ~EventTableTest() override { SetDebugOutputEnabled(true); }
    void WriteCsv(const std::string& text) {
        const std::string path = m_Temp.Path() + "cfg/event.csv";
        ASSERT_TRUE(testsupport::MakeParentDirs(path));
        ASSERT_TRUE(testsupport::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end())));
    }

    testsupport::CTempDir m_Temp;
    testsupport::CGameFolderScope m_Folder;
};

}  // namespace

TEST_F(EventTableTest, ReadsRowsAndContinuationLinesOfTheShiftJisFile) {
    WriteCsv(kCsv);
    CEventTable table;
    CLogCapture log;
    ASSERT_TRUE(table.Load(CEventTable::kDefaultPath));
    ASSERT_EQ(table.GetRows().size(), 7u);

    const EventRow& first = *table.GetRows()[0];
    EXPECT_EQ(first.id, 1);
    EXPECT_EQ(first.kind, 5);
    EXPECT_EQ(first.script, "scr\\category_000\\sc_000_002.txt");
    EXPECT_TRUE(first.once);
    EXPECT_EQ(first.priority, 10);
    EXPECT_EQ(first.conditions, (std::vector<EventTerm>{Term(0, 1, 1, 2, 3, 0, 5), Term(0, 1, 1, 3, 1, 0, 0)}));
    EXPECT_EQ(first.settings, (std::vector<EventTerm>{Term(0, 1, 2, 5, 1, 0, 1), Term(0, 1, 2, 6, 4, 0, 0)}));
    EXPECT_EQ(first.next, EVENT_NEXT_NONE);

    // The trail byte 0x5C of "ソ" is no path separator, in the folder or the file name.
    const EventRow& select = *table.GetRows()[1];
    EXPECT_EQ(select.script, "scr\\ソ\\ソ\\ソ.txt");
    EXPECT_FALSE(select.once) << "01 is not once";
    EXPECT_EQ(select.next, EVENT_NEXT_SELECT) << "a continuation line's column 11 changes nothing";
    EXPECT_EQ(select.choices, (std::vector<EventChoice>{{"obj\\selection\\s001.bmp", 10},
                                                        {"obj\\selection\\s002.bmp", 11},
                                                        {"obj\\selection\\s004.bmp", 12}}));
    EXPECT_EQ(select.GetSelectionValue(), 3);

    const EventRow& jump = *table.GetRows()[2];
    EXPECT_EQ(jump.script, "scr\\ev3.txt") << "an empty folder column";
    EXPECT_FALSE(jump.once) << "a blank before 1 is not once";
    EXPECT_EQ(jump.next, EVENT_NEXT_JUMP);
    EXPECT_EQ(jump.jumpTarget, 7);

    const EventRow& capital = *table.GetRows()[3];
    EXPECT_FALSE(capital.once);
    EXPECT_EQ(capital.next, EVENT_NEXT_NONE);
    EXPECT_EQ(capital.jumpTarget, 0);

    const EventRow& graded = *table.GetRows()[4];
    EXPECT_EQ(graded.script, "scr\\a\\b\\ev4.dat");
    EXPECT_EQ(graded.group, 2);
    EXPECT_EQ(graded.outcomeClass, 2);
    EXPECT_EQ(graded.sideFilter, 1);
    EXPECT_EQ(graded.placeFilter, 5);
    EXPECT_EQ(graded.result, 0);

    EXPECT_EQ(table.GetRows()[5]->next, EVENT_NEXT_NONE);
    EXPECT_EQ(log.Count(), 2u) << "Jump and bogus";
    EXPECT_TRUE(log.Contains("CEventTable::Load() 例外処理001"));
}

TEST_F(EventTableTest, ASelectRowWithoutTargetGetsTargetZeroAndLookupsSeeTheFirstOfEqualIds) {
    CEventTable table;
    table.LoadText(kCsv);
    // A "select" row line with an empty column 13 still gets its choice (the last row).
    EXPECT_EQ(table.GetRows().back()->choices, (std::vector<EventChoice>{{"obj\\selection\\s009.bmp", 0}}));
    EXPECT_EQ(table.FindRow(3), table.GetRows()[2].get());
    EXPECT_EQ(table.GetEventName(3), "scr\\ev3.txt");
    EXPECT_EQ(table.FindRow(42), nullptr);
    EXPECT_EQ(table.GetEventName(42), "");
}

TEST_F(EventTableTest, AMissingFileLeavesAnEmptyTable) {
    CEventTable table;
    table.LoadText(kCsv);
    ASSERT_FALSE(table.GetRows().empty());
    EXPECT_FALSE(table.Load(CEventTable::kDefaultPath));
    EXPECT_TRUE(table.GetRows().empty());
    EXPECT_EQ(table.FindRow(1), nullptr);
}
