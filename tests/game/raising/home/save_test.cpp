// Saves taken on the home side come back to the same place: at every step of every
// action (and in the relay before it) the restored game ends the action as the
// uninterrupted one did, and a save with any panel open returns to the menu.
#include "tests/game/raising/home/HomeTestUtil.h"

#include "game/core/GameMain.h"
#include "game/core/SaveData.h"

namespace {

using namespace hometest;

class HomeSaveTest : public HomeFixture {
protected:
    void SetUp() override {
        BuildHome();
        EnterHome();
    }
    void Baseline(int32_t mode) {
        CStatus& s = kept->Status();
        s.Reset();
        s.SetParam(100, 0, 50);
        s.SetParam(100, 9, 80);
        s.SetParam(104, 0, 40);
        s.SetParam(107, 0, mode == 5 ? 4 : 0);
        CGameState& st = kept->State();
        st.m_HouseworkKind = 1;
        st.m_OutingDestination = 10;
        st.m_RoomPlay = 1;
        st.m_RestChoice = 0;
    }
    // What an action leaves behind.
    static std::vector<float> Outcome(CStatus& s) {
        std::vector<float> v;
        for (auto [c, i] : {std::pair{100, 0}, {100, 1}, {100, 2}, {100, 9}, {100, 10}, {104, 0}, {107, 0},
                            {126, 20}, {126, 22}, {101, 3}, {101, 22}, {101, 28}}) {
            v.push_back(static_cast<float>(s.GetParam(c, i)));
        }
        for (float a : s.Words().ability) v.push_back(a);
        v.push_back(static_cast<float>(s.Words().outingCounter[10]));
        return v;
    }
    // (home mode, action step) now.
    std::pair<int32_t, int32_t> Where() {
        auto* action = dynamic_cast<CHomeActionMode*>(Host()->GetCurrentSideMode());
        return {Host()->GetHomeMode(), action ? action->GetStep() : -1};
    }
};

TEST_F(HomeSaveTest, EveryStepOfEveryActionComesBack) {
    for (int32_t mode = 1; mode <= 5; ++mode) {
        Baseline(mode);
        Host()->StartHomeMode(CHomeModeFactory::kFirstRelay + mode, 0, 0);
        std::vector<std::pair<std::pair<int32_t, int32_t>, CSaveData>> saves;
        std::pair<int32_t, int32_t> last{-1, -1};
        ASSERT_TRUE(RunUntil([&] {
            const auto at = Where();
            if (at != last && at.first != 0) {
                D().Game().WriteCurrentSave();
                saves.emplace_back(at, D().Game().GetSaveData());
                last = at;
            }
            return at.first == 0 && Menu() != nullptr;
        })) << mode;
        const std::vector<float> want = Outcome(kept->Status());
        ASSERT_GE(saves.size(), mode == 5 ? 5u : 8u) << mode;
        for (const auto& [at, save] : saves) {
            kept->RestoreFromSave(save);
            ASSERT_NE(Host(), nullptr);
            // Saved as the relay handed over: the action comes back at its first step.
            const bool handedOver = at.first <= 5 && at.second == -1;
 const std::pair<int32_t, int32_t> expected = handedOver ? std::pair<int32_t, int32_t>{at.first, 0} : at;
            EXPECT_EQ(Where(), expected) << "mode " << at.first << " step " << at.second;
            ASSERT_TRUE(BackOnMenu()) << "mode " << at.first << " step " << at.second;
            EXPECT_EQ(Outcome(kept->Status()), want) << "mode " << at.first << " step " << at.second;
        }
    }
}

TEST_F(HomeSaveTest, ASaveWithAPanelOpenComesBackToTheMenu) {
    ASSERT_TRUE(RunUntil([this] { return Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 40));
    for (int32_t n = 0; n <= 12; ++n) {
        Menu()->OpenPanelState(n);
        ASSERT_TRUE(D().Frame(3));
        D().Game().WriteCurrentSave();
        kept->RestoreFromSave(D().Game().GetSaveData());
        ASSERT_NE(Menu(), nullptr) << n;
        EXPECT_EQ(Host()->GetHomeMode(), 0);
        EXPECT_EQ(kept->GetSlidePanel().GetState(CHomeScene::kSlidePicture), CSlidePanel::STATE_OPENING) << n;
        EXPECT_EQ(kept->Stage().GetTalk().GetKind(CMainGameScene::kBackgroundLayer), 4) << "the household";
        ASSERT_TRUE(D().Frame(25));
        EXPECT_EQ(Menu()->GetSlideState(), CHomeScene::SLIDE_PLACED) << n;
        EXPECT_EQ(Menu()->GetPanelState(), 0);
    }
}

}  // namespace
