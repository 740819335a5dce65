#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/EventTable.h"
#include "tests/game/raising/event/EventTestUtil.h"

using eventtest::CScriptedDraws;

namespace {

// A row of the occasion (23, 1) with its outcome columns.
std::string Graded(int id, int outcomeClass, int side, int place, int priority = 0) {
    return "r," + std::to_string(id) + ",23,1,0,,ev" + std::to_string(id) + ",," + std::to_string(priority) +
           ",,,,,," + std::to_string(outcomeClass) + "," + std::to_string(side) + "," + std::to_string(place) + "\n";
}

struct SWords {
    int32_t grade, place, pass, side, helped, top;
    bool operator==(const SWords&) const = default;
};

SWords WordsOf(const CStatus& s) {
    const SStatusWords& w = s.Words();
    return {w.outcomeGrade, w.outcomePlace, w.outcomePass, w.outcomeSide, w.outcomeHelped, w.outcomeTop};
}

class OutcomeTest : public ::testing::Test {
protected:
    OutcomeTest() {
        SetDebugOutputEnabled(false);
        // The pass score is 30 and the grade score 56 (side 1) or 55 (side 0).
        m_Status.SetParam(100, 0, 60);
        m_Status.SetParam(100, 1, 40);
        m_Status.SetParam(100, 2, 20);
        m_Status.SetParam(100, 8, 100);
        m_Status.Words().ability[ABILITY_SPORTS] = 30;
        m_Status.SetParam(101, 16, 20);
        m_Status.SetParam(101, 17, 20);
    }
    ~OutcomeTest() override { SetDebugOutputEnabled(true); }

    void SetHelpers(std::vector<int> indexes) {
        for (int i : indexes) {
            m_Status.SetParam(132, i, 1);
        }
    }

    CEventTable m_Table;
    CStatus m_Status;
    CScriptedDraws m_Pick{EVENT_DRAW_PICK};
};

struct SOutcomeCase {
    const char* name;
    std::vector<int> helpers;
    std::deque<uint32_t> draws;
    SWords words;
    int32_t row;
    float sports = 30, housework = 0;
};

}  // namespace

TEST_F(OutcomeTest, TheDrawsGiveTheOutcomeWordsAndTheRowThatFitsThem) {
    m_Table.LoadText(Graded(100, 2, 2, 1) + Graded(101, 2, 1, 2) + Graded(102, 3, 0, 0) + Graded(103, 1, 0, 0) +
                     Graded(104, 4, 0, 0) + Graded(105, 2, 2, 3) + Graded(106, 2, 2, 5) + Graded(107, 2, 2, 4));
    const SOutcomeCase cases[] = {
        // Ties with the pass score 30 and the grade score 56 draw again; place 0 on side 1
        // adds one to the top grade.
        {"passed, side 1, helped", {25}, {20, 0, 0, 51, 0, 0, 5, 0, 0, 0}, {3, 0, 1, 1, 1, 1}, 100},
        {"passed, side 0, not helped: side-fit reversed", {25}, {0, 80, 0, 99, 0, 0, 0, 0}, {1, 0, 1, 0, 0, 0}, 106},
        {"passed, side 0, helped at place 1", {26}, {0, 80, 0, 0, 0, 0, 0, 0}, {2, 1, 1, 0, 1, 0}, 101},
        {"passed with grade 0", {25}, {0, 0, 75, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 0}, 102},
        {"no helper: no help draw, place 4", {}, {0, 0, 0, 0, 0, 0, 0}, {2, 4, 1, 1, 0, 1}, 106},
        {"failed, the mood keeps the first list", {25}, {60, 0, 0, 0, 0, 0, 0, 0, 60}, {2, 0, 0, 1, 1, 1}, 103},
        {"failed, the draw takes the second list", {25}, {60, 0, 0, 0, 0, 0, 0, 0, 61}, {2, 0, 0, 1, 1, 1}, 104},
        // Three helpers: 80 and their halves (10, 10, 0) to help; S3 = 20 / 3 = 6.
        {"three, S3 tied best: place 3 adds 2", {25, 26, 27}, {0, 0, 0, 90, 0, 0, 0, 4}, {4, 3, 1, 1, 1, 1}, 107},
        {"three, S3 one short: S0, S1 tie, place 0", {25, 26, 27}, {0, 0, 0, 90, 0, 0, 0, 3}, {3, 0, 1, 1, 1, 1}, 100},
        {"two helped at 40 + 20, tied: side 0 place 1", {25, 26}, {0, 80, 0, 60, 0, 0, 0, 0}, {2, 1, 1, 0, 1, 0}, 101},
        {"side 0 top: housework 20 above sports", {}, {0, 80, 0, 0, 0, 0, 0}, {2, 4, 1, 0, 0, 1}, 106, 19, 20},
        {"side 0: housework equal to sports", {}, {0, 80, 0, 0, 0, 0, 0}, {1, 4, 1, 0, 0, 0}, 106, 30, 30},
    };
    for (const SOutcomeCase& c : cases) {
        for (int i : {25, 26, 27}) {
            m_Status.SetParam(132, i, 0);
        }
        SetHelpers(c.helpers);
        m_Status.Words().ability[ABILITY_SPORTS] = c.sports;
        m_Status.Words().ability[ABILITY_HOUSEWORK] = c.housework;
        CScriptedDraws select(EVENT_DRAW_SELECT, c.draws);
        EventRow* row = m_Table.SelectEvent(m_Status, 23, 1);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->id, c.row) << c.name;
        EXPECT_EQ(row->result, c.words.pass ? c.words.grade : 0) << c.name;
        EXPECT_EQ(WordsOf(m_Status), c.words) << c.name;
        EXPECT_EQ(select.Left(), 0u) << c.name;
    }
    EXPECT_TRUE(m_Pick.Asked().empty());
}

TEST_F(OutcomeTest, AFailureWithoutItsListsFallsBackAndStoresTheWordsEvenWithoutARow) {
    SetHelpers({25});
    const std::deque<uint32_t> failed{60, 80, 0, 0, 0, 0, 0, 0};
    m_Table.LoadText(Graded(102, 3, 0, 5, 1) + Graded(107, 3, 0, 0, 2) + Graded(108, 2, 0, 0));
    {
        CScriptedDraws select(EVENT_DRAW_SELECT, failed);
        EventRow* row = m_Table.SelectEvent(m_Status, 23, 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->id, 102) << "the lowest priority of the fallback list";
        EXPECT_EQ(select.Asked(), (std::vector<uint32_t>{71, 100, 76, 100, 26, 21, 31, 31}));
    }
    m_Table.LoadText(Graded(108, 2, 0, 0));
    m_Status.Words().outcomeGrade = 9;
    CScriptedDraws select(EVENT_DRAW_SELECT, failed);
    EXPECT_EQ(m_Table.SelectEvent(m_Status, 23, 1), nullptr);
    EXPECT_EQ(WordsOf(m_Status), (SWords{1, 0, 0, 0, 1, 0}));
}

TEST_F(OutcomeTest, PlainRowsOfTheOccasionAreChosenByGroupUnlessRestricted) {
    m_Table.LoadText(Graded(300, 0, 0, 0) + Graded(106, 2, 2, 5));
    m_Status.Words().outcomeGrade = 9;
    {
        CScriptedDraws select(EVENT_DRAW_SELECT);
        EventRow* row = m_Table.SelectEvent(m_Status, 23, 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->id, 300);
        EXPECT_EQ(m_Status.Words().outcomeGrade, 9) << "no outcome is worked out";
    }
    m_Status.Words().outcomeRestricted = 1;
    CScriptedDraws select(EVENT_DRAW_SELECT, {0, 0, 0, 0, 0, 0, 0});
    EventRow* row = m_Table.SelectEvent(m_Status, 23, 1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->id, 106);
    EXPECT_EQ(row->result, 2);
}

TEST_F(OutcomeTest, TheBoostAndTheLateSeasonsScaleThePassScore) {
    m_Table.LoadText(Graded(106, 2, 2, 5));
    m_Status.Words().boostA = 10;
    m_Status.SetParam(107, 0, 5);
    // 30 x 1.5 x 0.8 = 36: the draw 26 ties, 27 fails.
    CScriptedDraws select(EVENT_DRAW_SELECT, {26, 27, 0, 0, 0, 0, 0, 0});
    m_Table.SelectEvent(m_Status, 23, 1);
    EXPECT_EQ(m_Status.Words().outcomePass, 0);
    EXPECT_EQ(select.Left(), 0u);
}
