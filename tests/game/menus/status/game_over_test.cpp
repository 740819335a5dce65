// The game-over screen: black, the fade in, the two choices and the ending that starts
// the chain again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/sound/SoundBank.h"
#include "game/core/SaveData.h"
#include "game/menus/status/GameOverScene.h"
#include "tests/game/menus/status/StatusTestUtil.h"

namespace {

using V = CV000Scene;

class GameOverTest : public ::testing::Test, public statustest::CStatusGame {
protected:
    V* Screen() { return Current<V>(); }
    void ClickButton(int i) {
        d.Click(V::kButtonPlaces[static_cast<size_t>(i)].x + 20, V::kButtonPlaces[static_cast<size_t>(i)].y + 10);
        d.Frame();
    }
    // Scene 18 entered from a running game, its picture faded in.
    void Enter() {
        d.Start(19);
        d.Move(10, 10);
        d.Frame();
        ASSERT_TRUE(RequestGotoScene(18, 0, 0));
        d.Frame(V::kBlackFrames + V::kFadeSteps + 1);
        ASSERT_EQ(Screen()->GetState(), V::STATE_CHOOSE);
        d.Sounds().Take();
    }
    // The channel sounds of the last frame.
    std::vector<std::string> Channels() {
        std::vector<std::string> out;
        for (const std::string& s : d.Sounds().LastFrame()) {
            if (s.rfind("ch", 0) == 0) out.push_back(s);
        }
        return out;
    }
    bool Black(const screentest::SFrame& f) { return f.At(400, 300) == 0 && f.At(10, 10) == 0 && f.At(300, 340) == 0; }
};

TEST_F(GameOverTest, BlackForAHundredFramesThenAFadeInBeforeAnyClick) {
    d.Start(18);
    d.Frame(V::kBlackFrames);
    EXPECT_EQ(Screen()->GetState(), V::STATE_BLACK);
    EXPECT_TRUE(Black(d.Pixels()));
    ClickButton(0);  // the 101st frame begins the fade
    EXPECT_EQ(Screen()->GetState(), V::STATE_FADE_IN);
    for (int i = 0; i < V::kFadeSteps / 2; ++i) ClickButton(1);
    const uint32_t full = kit::CellColour(V::kPicture, 1, 1) & 0xFFFFFFu;
    const uint32_t half = d.Pixels().At(300, 250);
    EXPECT_NE(half, 0u);
    EXPECT_NE(half, full);
    d.Frame(V::kFadeSteps / 2 - 1);
    EXPECT_EQ(Screen()->GetState(), V::STATE_FADE_IN);
    d.Move(10, 10);
    d.Frame();
    EXPECT_EQ(Screen()->GetState(), V::STATE_CHOOSE);
    EXPECT_EQ(Scene(), 18);
    EXPECT_TRUE(d.Sounds().Take().empty()) << "the clicks before were ignored";
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, V::kPicture, 1, 1, 200, 200));
    EXPECT_TRUE(Probe().CornersAt(f, V::kButtonSheet, 0, 0, 272, 328));
    EXPECT_TRUE(Probe().CornersAt(f, V::kButtonSheet, 1, 0, 272, 368));
}

TEST_F(GameOverTest, LoadingCallsTheLoadScreenAndResumesWhereItWas) {
    Enter();
    V* before = Screen();
    ClickButton(0);
    EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch0"});
    d.Frame();
    EXPECT_EQ(Scene(), V::kLoadScene);
    EXPECT_EQ(Manager().GetTransitionIndex(), 1);
    for (int i = 0; i < 80 && Scene() != 18; ++i) d.Frame();
    ASSERT_EQ(Scene(), 18);
    EXPECT_EQ(Screen(), before) << "kept alive";
    EXPECT_EQ(Screen()->GetState(), V::STATE_CHOOSE);
}

TEST_F(GameOverTest, EndingFadesOutResetsTheGameAndStartsAgainAtLogoThree) {
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        Manager().Reset();
        m_Record.clear();
        Enter();
        CSoundBank& bank = d.Game().GetSoundBank();
        for (int g = 0; g < 3; ++g) {
            ASSERT_TRUE(bank.Load(g, 29, CGameMain::kChannelSounds[0]));
            ASSERT_TRUE(bank.Play(g, 29, 0, 0, 0));
        }
        d.Game().GetSaveData().m_Header = "kept";
        d.Game().GetSaveData().m_Used = 1;
        if (cancel) {
            d.Press(CMouse::kRight);
            d.Frame();
            EXPECT_EQ(Channels(), std::vector<std::string>{"ch2"});
        } else {
            ClickButton(1);
            EXPECT_EQ(Channels(), std::vector<std::string>{"ch0"});
        }
        EXPECT_EQ(Screen()->GetState(), V::STATE_LEAVE);
        d.Frame();
        EXPECT_EQ(Screen()->GetState(), V::STATE_FADE_OUT);
        d.Frame(V::kFadeSteps);
        ASSERT_EQ(Screen()->GetState(), V::STATE_END);
        EXPECT_TRUE(Black(d.Pixels()));
        ASSERT_TRUE(std::find(m_Record.begin(), m_Record.end(), "ResetAll") == m_Record.end());
        d.Frame();
        const auto reset = std::find(m_Record.begin(), m_Record.end(), "ResetAll");
        ASSERT_NE(reset, m_Record.end());
        EXPECT_NE(std::find(reset, m_Record.end(), "WriteSave"), m_Record.end()) << "saved after the reset";
        EXPECT_TRUE(d.Game().GetSaveData().m_Header.empty());
        EXPECT_EQ(d.Game().GetSaveData().m_Used, 0);
        for (int g = 0; g < 3; ++g) EXPECT_TRUE(bank.IsPlaying(g, 29)) << "fading, group " << g;
        d.Frame();
        EXPECT_EQ(Scene(), V::kRestartScene);
        EXPECT_EQ(Manager().GetTransitionIndex(), 1);
        EXPECT_EQ(Manager().GetReturnStackDepth(), 0u);
        d.Frame(60);
        for (int g = 0; g < 3; ++g) EXPECT_FALSE(bank.IsPlaying(g, 29)) << "faded out over 900 ms, group " << g;
    }
}

}  // namespace
