// The staff roll: its page sequence and clock, the credit lines, the end, the music,
// cancel and a restored roll.
#include <algorithm>
#include <cmath>

#include "engine/base/Random.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SystemData.h"
#include "game/raising/season/SeasonalEventScene.h"
#include "game/raising/season/StaffRollScene.h"
#include "tests/game/raising/season/SeasonTestUtil.h"

namespace {

using namespace seasontest;
using S = CStaffRollScene;

class StaffRollTest : public SeasonFixture {
protected:
    void SetUp() override { BuildSeason(); }
};

TEST_F(StaffRollTest, PagesChangeAtFrame701AndEvery551AfterTheTenthLoadsNothing) {
    for (uint32_t seed : {1u, 2u, 7u}) {
        SCOPED_TRACE(seed);
        CRandom::SetDefaultSeedForTests(seed);
        S roll(*kept);
        roll.Load();
        std::vector<int> changes;
        std::vector<std::string> files;
        int32_t number = 0;
        for (int frame = 1; frame <= 701 + 551 * 10; ++frame) {
            roll.Update();
            if (roll.GetPageNumber() == number) continue;
            number = roll.GetPageNumber();
            changes.push_back(frame);
            files.push_back(roll.GetShownPageFile());
        }
        ASSERT_EQ(changes.size(), 11u);
        for (size_t i = 0; i < changes.size(); ++i) EXPECT_EQ(changes[i], 701 + 551 * static_cast<int>(i)) << i;
        for (int n = 1; n <= 9; ++n) EXPECT_EQ(files[n - 1], S::PagePath(roll.GetPage(n))) << n;
        EXPECT_TRUE(std::any_of(std::begin(S::kSequences), std::end(S::kSequences), [&](const auto& sequence) {
            for (int n = 1; n <= 8; ++n) {
                if (roll.GetPage(n) != sequence[n - 1]) return false;
            }
            return true;
        }));
        // Page 9 is always 24, and the tenth change shows nothing new: it stays.
        EXPECT_EQ(files[8], S::PagePath(S::kLastPage));
        EXPECT_EQ(files[9], S::PagePath(S::kLastPage));
    }
}

TEST_F(StaffRollTest, LinesFollowEachOtherAndTheRollEndsAfterTheLast) {
    S roll(*kept);
    roll.Load();
    EXPECT_FALSE(roll.GetIntro().IsLoaded());  // nothing on layer 100
    std::array<int, S::kLineCount> started{}, whole{}, gone{};
    int ended = 0;
    const int32_t h = 48;  // the demo data's lines
    for (int frame = 1; frame <= 20000 && ended == 0; ++frame) {
        roll.Update();
        for (int k = 0; k < S::kLineCount; ++k) {
            if (roll.IsLineActive(k) && started[k] == 0) started[k] = frame;
            if (roll.IsLineActive(k) && whole[k] == 0 && roll.GetLineY(k) + h < 600.0f) whole[k] = frame;
            if (started[k] != 0 && gone[k] == 0 && !roll.IsLineActive(k)) gone[k] = frame;
        }
        if (roll.GetState() == 155) ended = frame;
    }
    ASSERT_NE(ended, 0);
    EXPECT_EQ(roll.GetIntroState(), S::kIntroDone);
    for (int k = 0; k < S::kLineCount; ++k) {
        SCOPED_TRACE(k);
        ASSERT_NE(started[k], 0);
        // Moving 1.37 pixels a frame from 600: wholly on after (h + 1) / 1.37 frames, off
        // after (604 + h) / 1.37.
        EXPECT_NEAR(whole[k] - started[k], (h + 1) / 1.37, 1.0);
        if (k < 17) {
            EXPECT_NEAR(gone[k] - started[k], (604 + h) / 1.37, 1.0);
        }
    }
    // Seen on the frame after it is whole, then the 150-frame timer.
    for (int k = 1; k <= 16; ++k) EXPECT_EQ(started[k] - whole[k - 1], 152) << k;
    // The last line waits until line 16 has left the top; the end 330 frames after it is on.
    // (seen the frame after it left, started the frame after that).
    EXPECT_EQ(started[17], gone[16] + 2);
    // The 330-frame timer, set the frame after line 17 is whole, and the frame that leaves.
    EXPECT_EQ(ended - whole[17], 332);
    EXPECT_EQ(kept->State().m_ModeId, 1);
}

TEST_F(StaffRollTest, TheIntroShrinksTheLastPictureIntoTheFrame) {
    kept->Stage().ShowLayerImage(CMainGameScene::kBackgroundLayer, CG000Scene::kNightBackground);
    kept->SetMode(14, 0, 0);
    ASSERT_TRUE(D().Frame());
    auto* roll = Current<S>();
    ASSERT_NE(roll, nullptr);
    EXPECT_TRUE(roll->GetIntro().IsLoaded());
    EXPECT_EQ(roll->GetIntroScaleEnd(), 409);  // 320 / 800 of full size
    ASSERT_TRUE(RunUntil([&] { return roll->GetFrameState() == 2; }, 400));
    // The frame over the shrunken picture; through its window the picture's top-left.
    const screentest::SFrame f = D().Pixels();
    EXPECT_TRUE(probe.ShowsCellAt(f, S::kFrame, 0, 0, S::kFrameAt.x, S::kFrameAt.y) ||
                probe.At(f, S::kFrameAt.x + 1, S::kFrameAt.y + 1).sheet == S::kFrame);
    EXPECT_EQ(probe.At(f, S::kFrameAt.x + 30, S::kFrameAt.y + 30).sheet, CG000Scene::kNightBackground);
}

TEST_F(StaffRollTest, TheMusicStartsOnItsSlotAndIsUnlocked) {
    D().Game().GetSystemData().SetMusicUnlock(17, 0);
    D().Sounds().Take();
    kept->SetMode(14, 0, 0);
    ASSERT_TRUE(D().Frame());
    const auto sounds = D().Sounds().Take();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), std::string("bank 0 11 ") + S::kMusic), sounds.end());
    EXPECT_TRUE(D().Game().GetSoundBank().IsLooping(S::kMusicGroup, S::kMusicSlot));
    EXPECT_NE(D().Game().GetSystemData().GetMusicUnlock(17), 0);
}

TEST_F(StaffRollTest, CancelFadesTheMusicAndLeavesOnce) {
    kept->SetMode(14, 0, 0);
    ASSERT_TRUE(D().Frame(20));
    CSoundBank& bank = D().Game().GetSoundBank();
    ASSERT_TRUE(bank.IsPlaying(S::kMusicGroup, S::kMusicSlot));
    for (int i = 0; i < 3; ++i) {
        D().Press(CMouse::kRight);
        ASSERT_TRUE(D().Frame());
    }
    // Fading out over 500 ms, not cut.
    EXPECT_TRUE(bank.IsPlaying(S::kMusicGroup, S::kMusicSlot));
    ASSERT_TRUE(D().Frame(40));
    EXPECT_FALSE(bank.IsPlaying(S::kMusicGroup, S::kMusicSlot));
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 400));
    EXPECT_EQ(BlankRequests(), 1u);
}

TEST_F(StaffRollTest, ARestoredRollEndsAtOnce) {
    S roll(*kept);
    roll.Load();
    roll.LoadState(kept->State());
    EXPECT_EQ(roll.GetState(), S::kRestoredState);
    roll.Update();
    EXPECT_EQ(roll.GetState(), 155);
    EXPECT_EQ(kept->State().m_ModeId, 1);
}

}  // namespace
