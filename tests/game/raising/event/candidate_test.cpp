#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/ChooseCandidate.h"
#include "tests/game/raising/event/EventTestUtil.h"

using eventtest::CScriptedDraws;

namespace {

struct SCandidateCase {
    const char* name;
    std::array<bool, 4> flags;
    int32_t keys[3][4];  // (106, i), (106, 4 + i), (106, 12 + i)
    int expected;
};

}  // namespace

TEST(ChooseCandidateTest, KeepsTheGreatestKeyPassByPass) {
    const SCandidateCase cases[] = {
        {"none", {false, false, false, false}, {{9, 9, 9, 9}, {}, {}}, -1},
        {"one", {false, false, true, false}, {{9, 9, 0, 9}, {}, {}}, 2},
        {"first key", {true, false, true, false}, {{1, 0, 5, 0}, {}, {}}, 2},
        {"second key", {true, true, true, false}, {{5, 5, 1, 0}, {50, 10, 90, 0}, {}}, 0},
        {"third key", {true, false, true, true}, {{5, 0, 5, 5}, {7, 0, 7, 7}, {1, 0, 3, 2}}, 2},
    };
    for (const SCandidateCase& c : cases) {
        CStatus status;
        static constexpr int kBase[] = {0, 4, 12};
        for (int k = 0; k < 3; ++k) {
            for (int i = 0; i < 4; ++i) {
                status.SetParam(106, kBase[k] + i, c.keys[k][i]);
            }
        }
        CScriptedDraws draws(EVENT_DRAW_CANDIDATE);
        EXPECT_EQ(ChooseCandidate(status, c.flags), c.expected) << c.name;
        EXPECT_TRUE(draws.Asked().empty()) << c.name;
    }
}

TEST(ChooseCandidateTest, ATieInAllThreeKeysIsDrawnAmongTheTiedOnes) {
    CStatus status;
    status.SetParam(106, 1, 3);  // friend 0 loses the first pass
    status.SetParam(106, 3, 3);
    for (uint32_t draw : {0u, 1u}) {
        CScriptedDraws draws(EVENT_DRAW_CANDIDATE, {draw});
        EXPECT_EQ(ChooseCandidate(status, {true, true, false, true}), draw == 0 ? 1 : 3);
        EXPECT_EQ(draws.Asked(), (std::vector<uint32_t>{2}));
    }
}
