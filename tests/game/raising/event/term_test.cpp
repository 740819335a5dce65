#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/EventTable.h"

namespace {

struct SParseCase {
    const char* text;
    EventTerm term;
    bool logged;
};

class EventTermTest : public ::testing::Test {
protected:
    EventTermTest() { SetDebugOutputEnabled(false); }
    ~EventTermTest() override { SetDebugOutputEnabled(true); }

    // Parses and applies settings given as texts.
    void Apply(const std::vector<std::string>& texts) {
        std::vector<EventTerm> settings;
        for (const std::string& t : texts) {
            settings.push_back(CEventTable::_SetEventSetFlag(t));
        }
        ApplyEventSettings(m_Status, settings);
    }
    // Each text parses into its term, with the grammar's log line exactly when expected.
    static void ExpectParses(EventTerm (*parse)(const std::string&), const char* logLine,
                             const std::vector<SParseCase>& cases) {
        for (const SParseCase& c : cases) {
            CLogCapture log;
            EXPECT_EQ(parse(c.text), c.term) << c.text;
            EXPECT_EQ(log.Contains(logLine), c.logged) << c.text;
        }
    }
    bool Holds(const char* text) { return EvaluateCondition(m_Status, CEventTable::_SetEventCondition(text)); }

    CStatus m_Status;
};

}  // namespace

TEST_F(EventTermTest, ConditionTextsParseIntoTerms) {
    ExpectParses(CEventTable::_SetEventCondition, "CEventTable::_SetEventCondition() 例外処理", {
        {"FaLsE", {1, 1, 0, 0, 0, 0, 1}, false},
        {"false ", {1, 1, 0, 0, 0, 0, -1}, true},
        {"[1-2]=3", {0, 1, 1, 2, 3, 0, 0}, false},
        {"[1-2]==3", {0, 1, 1, 2, 3, 0, 0}, false},
        {"[1-2]=>3", {0, 1, 1, 2, 3, 0, -1}, true},
        {"5=[1-2]", {1, 0, 5, 0, 1, 2, 0}, false},
        {"[1-2]=[1-3]", {0, 0, 1, 2, 1, 3, 0}, false},
        {"[100_0]<[100_1]", {0, 0, 100, 0, 100, 1, 2}, false},
        {"[2-5]>=30", {0, 1, 2, 5, 30, 0, 5}, false},
        {"[1-2]!=-3", {0, 1, 1, 2, 0, 3, 1}, false},  // a constant has no sign
        {"[]", {0, 1, 0, 0, 0, 0, -1}, true},
        {"[1ゾ2]<=3", {0, 1, 12, 0, 3, 0, 3}, false},  // a trail byte 0x5D is no bracket
    });
}

TEST_F(EventTermTest, SettingTextsParseIntoTerms) {
    ExpectParses(CEventTable::_SetEventSetFlag, "CEventTable::_SetEventSetFlag() 例外処理", {
        {"[2-5]-3", {0, 1, 2, 5, 3, 0, 2}, false},
        {"[1-2]-=3", {0, 1, 1, 2, 3, 0, -1}, true},
        {"[1-2]/=3", {0, 1, 1, 2, 3, 0, -1}, true},
        {"[1-2]=[1-3]", {0, 0, 1, 2, 1, 3, 0}, false},
        {"5=[1-2]", {1, 0, 5, 0, 1, 2, 0}, false},
        {"[100_3]+=2", {0, 1, 100, 3, 2, 0, 1}, false},
        {"[1-2]%=7", {0, 1, 1, 2, 7, 0, 5}, false},
        {"[1-2]*=7", {0, 1, 1, 2, 7, 0, 3}, false},
        {"[1-2]/7", {0, 1, 1, 2, 7, 0, 4}, false},
        {"[1-2]<3", {0, 1, 1, 2, 3, 0, -1}, true},  // '<' is no setting operator
        {"FALSE", {1, 1, 0, 0, 0, 0, -1}, true},
        {"[1ダ2]=3", {0, 1, 12, 0, 3, 0, 0}, false},  // a trail byte 0x5F is no underscore
    });
}

TEST_F(EventTermTest, ConditionsCompareStatusValuesAndConstants) {
    m_Status.SetParam(1, 2, 3);
    m_Status.SetParam(1, 3, 4);
    const std::pair<const char*, bool> cases[] = {
        {"[1-2]=3", true},   {"[1-2]!=3", false}, {"[1-2]<3", false},      {"[1-2]<=3", true},
        {"[1-2]>3", false},  {"[1-2]>=3", true},  {"[1-2]<[1-3]", true},   {"false", false},
        {"FaLsE", false},    {"false ", true},    {"[1-2]=>9", true},      {"[]=0", true},
    };
    for (const auto& [text, holds] : cases) {
        EXPECT_EQ(Holds(text), holds) << text;
    }
    EXPECT_TRUE(EvaluateCondition(m_Status, EventTerm{5, 1, 7, 0, 0, 0, 0})) << "an unknown kind reads 0";
}

TEST_F(EventTermTest, SettingsApplyInOrderAndLaterOnesSeeEarlierOnes) {
    m_Status.SetParam(1, 4, -7);
    m_Status.SetParam(1, 5, -7);
    Apply({"[1-2]=5", "[1-3]=[1-2]", "[1-2]*=3", "[1-2]-3", "[1-4]%=3", "[1-5]/2", "5=[1-2]", "[1-3]-=1"});
    EXPECT_EQ(m_Status.GetParam(1, 2), 12);
    EXPECT_EQ(m_Status.GetParam(1, 3), 5);
    EXPECT_EQ(m_Status.GetParam(1, 4), -1) << "the remainder keeps the sign of the old value";
    EXPECT_EQ(m_Status.GetParam(1, 5), -3) << "the quotient is truncated toward zero";
}

TEST_F(EventTermTest, SettingsWriteThroughTheStatusRules) {
    m_Status.Words().ability[ABILITY_READING] = 10.5f;
    m_Status.SetParam(1, 2, 500);
    Apply({"[100_3]+=2", "[100_0]=[1-2]", "[104_6]=3"});
    EXPECT_FLOAT_EQ(m_Status.Words().ability[ABILITY_READING], 12.5f) << "a delta keeps the fraction";
    EXPECT_EQ(m_Status.GetParam(100, 0), 100) << "clamped";
    EXPECT_EQ(m_Status.GetParam(104, 6), 0) << "read-only";
}

TEST_F(EventTermTest, ArithmeticWrapsAndImpossibleDivisionsAreSkipped) {
    m_Status.SetParam(1, 0, INT32_MAX);
    m_Status.SetParam(1, 1, INT32_MIN);
    m_Status.SetParam(1, 2, 65536);
    m_Status.SetParam(1, 3, INT32_MIN);
    m_Status.SetParam(1, 4, INT32_MIN);
    m_Status.SetParam(1, 5, -1);
    m_Status.SetParam(1, 6, 9);
    CLogCapture log;
    Apply({"[1-0]+=1", "[1-1]-1", "[1-2]*=65536", "[1-3]/[1-5]", "[1-4]%=[1-5]", "[1-6]/0", "[1-6]%=[1-99]"});
    EXPECT_EQ(m_Status.GetParam(1, 0), INT32_MIN);
    EXPECT_EQ(m_Status.GetParam(1, 1), INT32_MAX);
    EXPECT_EQ(m_Status.GetParam(1, 2), 0);
    EXPECT_EQ(m_Status.GetParam(1, 3), INT32_MIN) << "no 32-bit quotient";
    EXPECT_EQ(m_Status.GetParam(1, 4), 0) << "the remainder exists";
    EXPECT_EQ(m_Status.GetParam(1, 6), 9);
    EXPECT_EQ(log.Count(), 3u);
    EXPECT_TRUE(log.Contains("ApplyEventSettings() "));
}

TEST_F(EventTermTest, DivisionsAndRemaindersAtTheEdgesOfTheRange) {
    struct SCase {
        const char* setting;
        int32_t left, right;
        int32_t expected;  // the value after the setting
        bool skipped;      // logged and left alone
    };
    const SCase cases[] = {
        {"[1-0]%=[1-1]", INT32_MIN, -1, 0, false},
        {"[1-0]/[1-1]", INT32_MIN, -1, INT32_MIN, true},
        {"[1-0]%=[1-1]", INT32_MIN, 1, 0, false},
        {"[1-0]%=[1-1]", INT32_MIN, INT32_MAX, -1, false},
        {"[1-0]%=[1-1]", INT32_MAX, INT32_MIN, INT32_MAX, false},
        {"[1-0]/[1-1]", INT32_MIN, 1, INT32_MIN, false},
        {"[1-0]/[1-1]", INT32_MAX, -1, -INT32_MAX, false},
        {"[1-0]%=[1-1]", -7, -1, 0, false},
        {"[1-0]%=[1-1]", 5, 0, 5, true},
        {"[1-0]/[1-1]", INT32_MIN, 0, INT32_MIN, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.setting) + " " + std::to_string(c.left) + " " + std::to_string(c.right));
        m_Status.SetParam(1, 0, c.left);
        m_Status.SetParam(1, 1, c.right);
        CLogCapture log;
        Apply({c.setting});
        EXPECT_EQ(m_Status.GetParam(1, 0), c.expected);
        EXPECT_EQ(log.Contains("ApplyEventSettings() "), c.skipped);
    }
}
