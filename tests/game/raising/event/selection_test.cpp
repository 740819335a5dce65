#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/EventTable.h"
#include "tests/game/raising/event/EventTestUtil.h"

using eventtest::CScriptedDraws;

namespace {

// One csv row line: id, occasion, group, priority and optional once, condition and the
// outcome columns.
std::string Row(int id, int kind, int sub, int group, int priority, const std::string& once = "",
                const std::string& condition = "", int outcomeClass = 0, int side = 0, int place = 0) {
    return "r," + std::to_string(id) + "," + std::to_string(kind) + "," + std::to_string(sub) + "," +
           std::to_string(group) + ",,ev" + std::to_string(id) + "," + once + "," + std::to_string(priority) + "," +
           condition + ",,,,," + std::to_string(outcomeClass) + "," + std::to_string(side) + "," +
           std::to_string(place) + "\n";
}

class EventSelectionTest : public ::testing::Test {
protected:
    EventSelectionTest() { SetDebugOutputEnabled(false); }
    ~EventSelectionTest() override { SetDebugOutputEnabled(true); }
    void Load(const std::vector<std::string>& rows) {
        std::string text;
        for (const std::string& r : rows) {
            text += r;
        }
        m_Table.LoadText(text);
    }
    int32_t Select(int32_t kind = 5, int32_t sub = 0) {
        EventRow* row = m_Table.SelectEvent(m_Status, kind, sub);
        return row ? row->id : -1;
    }

    CEventTable m_Table;
    CStatus m_Status;
    CScriptedDraws m_Select{EVENT_DRAW_SELECT};
    CScriptedDraws m_Pick{EVENT_DRAW_PICK};
    CScriptedDraws m_Candidate{EVENT_DRAW_CANDIDATE};
};

}  // namespace

TEST_F(EventSelectionTest, CandidatesAreTheRowsOfTheOccasionThatMayPlayAtTheirLowestPriority) {
    Load({Row(1, 5, 0, 0, 0, "1"), Row(2, 5, 0, 0, 1), Row(3, 5, 0, 0, 0, "", "[1-1]=1"), Row(4, 5, 1, 0, 0),
          Row(5, 6, 0, 0, 0)});
    EXPECT_EQ(Select(), 1);
    m_Status.MarkEventSeen(1);
    EXPECT_EQ(Select(), 2) << "a played once row is never a candidate";
    m_Status.SetParam(1, 1, 1);
    EXPECT_EQ(Select(), 3);
    EXPECT_EQ(Select(7, 0), -1);
    EXPECT_TRUE(m_Pick.Asked().empty());
}

TEST_F(EventSelectionTest, GroupOneWinsWithoutADraw) {
    Load({Row(1, 5, 0, 0, 0), Row(2, 5, 0, 1, 0), Row(3, 5, 0, 4, 0)});
    m_Table.GetRows()[1]->result = 7;
    EXPECT_EQ(Select(), 2);
    EXPECT_EQ(m_Table.GetRows()[1]->result, 0);
    EXPECT_TRUE(m_Pick.Asked().empty());
    EXPECT_TRUE(m_Candidate.Asked().empty());
}

TEST_F(EventSelectionTest, FriendGroupsKeepOnlyTheGroupOfTheChosenCandidate) {
    Load({Row(1, 5, 0, 3, 0), Row(2, 5, 0, 5, 0), Row(3, 5, 0, 3, 0), Row(4, 5, 0, 5, 0), Row(5, 5, 0, 0, 0)});
    m_Status.SetParam(106, 1, 9);  // friend 1 (group 3) before friend 3 (group 5)
    m_Pick.Push({0, 1});
    EXPECT_EQ(Select(), 1);
    EXPECT_EQ(Select(), 3);
    m_Status.SetParam(106, 3, 10);
    m_Pick.Push({0, 1});
    EXPECT_EQ(Select(), 2);
    EXPECT_EQ(Select(), 4);
    EXPECT_EQ(m_Pick.Asked(), (std::vector<uint32_t>{2, 2, 2, 2}));

    Load({Row(1, 5, 0, 0, 0), Row(2, 5, 0, 4, 0), Row(3, 5, 0, 0, 0)});
    EXPECT_EQ(Select(), 2) << "a single friend-group row";
}

TEST_F(EventSelectionTest, TheGreatestFriendCounterChoosesAmongGroupsElevenToThirteen) {
    Load({Row(1, 5, 0, 0, 0), Row(2, 5, 0, 11, 0), Row(3, 5, 0, 12, 0), Row(4, 5, 0, 13, 0)});
    m_Status.SetParam(101, 16, 10);
    m_Status.SetParam(101, 17, 10);
    m_Status.SetParam(101, 18, 5);
    m_Pick.Push({0, 1, 2});
    EXPECT_EQ(Select(), 2);
    EXPECT_EQ(Select(), 3);
    EXPECT_EQ(Select(), 4) << "no single greatest value: all three groups count";
    m_Status.SetParam(101, 18, 11);
    EXPECT_EQ(Select(), 4);
    EXPECT_EQ(m_Pick.Asked(), (std::vector<uint32_t>{3, 3, 3}));
}

TEST_F(EventSelectionTest, GroupsTenThenZeroToNineThenEveryCandidate) {
    Load({Row(1, 5, 0, 7, 0), Row(2, 5, 0, 6, 0), Row(3, 5, 0, 10, 0)});
    EXPECT_EQ(Select(), 3);
    Load({Row(1, 5, 0, 7, 0), Row(2, 5, 0, 6, 0), Row(3, 5, 0, 11, 0)});
    m_Status.SetParam(101, 17, 1);  // selects group 12, which has no row
    EXPECT_EQ(Select(), 2);
    Load({Row(1, 5, 0, 20, 0), Row(2, 5, 0, 21, 0)});
    m_Pick.Push({1});
    EXPECT_EQ(Select(), 2);
}

TEST_F(EventSelectionTest, TheEventThatLastPlayedIsAvoidedAndABoundStopsTheDrawing) {
    Load({Row(1, 5, 0, 0, 0), Row(2, 5, 0, 0, 0)});
    m_Status.SetLastEvent(1, 5, 0);
    m_Pick.Push({0, 0, 1});
    EXPECT_EQ(Select(), 2);
    EXPECT_EQ(m_Pick.Asked().size(), 3u);

    // Every row carries the remembered id: the first draw stands.
    Load({Row(1, 5, 0, 0, 0), Row(1, 5, 0, 0, 0)});
    std::vector<EventRow*> rows{m_Table.GetRows()[0].get(), m_Table.GetRows()[1].get()};
    m_Pick.Push({1});
    EXPECT_EQ(PickEventAtRandom(rows, m_Status, 5, 0), rows[1]);
    EXPECT_EQ(m_Pick.Asked().size(), 4u);
    EXPECT_EQ(PickEventAtRandom({}, m_Status, 5, 0), nullptr);
    EXPECT_EQ(PickEventAtRandom({rows[0]}, m_Status, 5, 0), rows[0]);
}
