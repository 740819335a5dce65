// The sound, screen and flow handlers against the stage: slots and groups in the bank,
// the colour fade on the game's scene manager, the rule picture, noise, screen effects,
// the branch jump and the month end.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/SceneManager.h"
#include "engine/draw/TransitionDirect.h"
#include "engine/draw/TransitionMask.h"
#include "engine/image/MaskImage.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "tests/game/stage/command/CommandTestUtil.h"
#include "tools/script/AdvScriptBuilder.h"

using namespace commandtest;

namespace {

constexpr const char* kVoice = "voice\\me_0001.ogg";  // speaker 1
constexpr int32_t kSpeaker = 1;

class SoundCommands : public CommandFixture {
protected:
    bool Playing(int32_t g, int32_t s) { return Bank().IsPlaying(g, s); }
};

class CTurns : public IStageTurnMachine {
public:
    explicit CTurns(int* begun) : m_Begun(begun) {}
    void Begin(CMainGameScene&) override { ++*m_Begun; }
    bool Step(CMainGameScene&) override { return false; }

private:
    int* m_Begun;
};

class ScreenCommands : public CommandFixture {
protected:
    // 60 (to "jumped"), then the line "passed", run for a frame; then code 70.
    void JumpAndMonthEnd(bool branch, const std::string& line, int months) {
        Begin(branch);
        Stage().SetTurnMachine(std::make_unique<CTurns>(&begun));
        CAdvScriptBuilder script;
        script.Add(60);
        const uint32_t jump = script.GetLastId();
        script.Add(5, {100}, {"n", "passed", ""});
        const uint32_t target = script.AddDetached(5, {100}, {"n", "jumped", ""}).Id;
        script.GetControl().SetBranchById(0, jump, target);
        ASSERT_TRUE(script.Save("j.scr"));
        ASSERT_TRUE(Stage().StartScript("j.scr"));
        ASSERT_TRUE(d.Frame());
        EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, line);
        EXPECT_EQ(Run(Rec(70)), 1);
        EXPECT_EQ(begun, months);
    }
    int begun = 0;
};

}  // namespace

TEST_F(SoundCommands, MusicLoopsAtItsVolumeAndIsReportedAsHeard) {
    Begin();
    EXPECT_EQ(Run(Rec(30, {2, 80, 10, 0}, {"bgm\\bgm_001.ogg"})), 2);
    EXPECT_TRUE(Playing(0, 2));
    EXPECT_TRUE(Bank().IsLooping(0, 2));
    EXPECT_EQ(Bank().GetVolume(0, 2), 80);
    EXPECT_EQ(Slot(0, 2).playing, 1);
    EXPECT_EQ(Settings().GetMusicUnlock(0), 1);
    EXPECT_EQ(Run(Rec(33, {2, 40, 0})), 2);
    EXPECT_EQ(Slot(0, 2).volume, 40);
    EXPECT_EQ(Run(Rec(31, {2, 0})), 2);
    EXPECT_FALSE(Playing(0, 2));
    Run(Rec(30, {3, 80, 0, 0}, {"bgm\\a.ogg"}));
    EXPECT_EQ(Run(Rec(32, {0, 0})), 2);
    EXPECT_FALSE(Playing(0, 3));
}

TEST_F(SoundCommands, EffectsPlayOnceByTheirFlagAndTheirGroupStopTakesTheVoices) {
    Begin();
    Settings().SetVoiceSwitch(kSpeaker, 1);
    struct Case {
        uint32_t code;
        int32_t slot, once;
        bool loops;
    };
    for (const Case& c : {Case{35, 1, 0, true}, Case{35, 2, 7, false}, Case{47, 3, 1, false}, Case{46, 4, 1, true}}) {
        const bool list = c.code >= 46;
        EXPECT_EQ(Run(Rec(c.code, {c.slot, 100, 0, 0, c.once}, {c.code == 46 ? "a" : list ? "se_001" : "se\\se_001.ogg"})), 2);
        const int32_t group = c.code == 46 ? 0 : 1;
        EXPECT_TRUE(Playing(group, c.slot)) << c.code << " " << c.slot;
        EXPECT_EQ(Bank().IsLooping(group, c.slot), c.loops) << c.code << " " << c.slot;
    }
    EXPECT_EQ(Bank().GetName(0, 4), "bgm\\a.ogg") << "list names are music files";
    Run(Rec(41, {0, 100, 0, 0, 0}, {kVoice}));
    EXPECT_EQ(Run(Rec(37, {0, 0})), 2);
    for (int32_t s : {1, 2, 3}) EXPECT_FALSE(Playing(1, s)) << s;
    EXPECT_FALSE(Playing(2, 1)) << "the voices stop with the effects";
    EXPECT_TRUE(Playing(0, 4));
    EXPECT_EQ(Run(Rec(40, {0, 0})), 2);
    EXPECT_FALSE(Playing(0, 4));
}

TEST_F(SoundCommands, VoiceSlotsAreOneAboveTheScriptsAndHonourTheSpeakersSwitch) {
    Begin();
    Settings().SetVoiceSwitch(kSpeaker, 0);
    EXPECT_EQ(Run(Rec(41, {0, 100, 0, 0, 1}, {kVoice})), 2);
    EXPECT_FALSE(Playing(2, 1)) << "the speaker's voice is switched off";
    EXPECT_EQ(Run(Rec(48, {0, 100, 0, 0, 1}, {"me_0001"})), 2);
    EXPECT_TRUE(Playing(2, 1)) << "a voice list has no switch test";
    Settings().SetVoiceSwitch(kSpeaker, 1);
    EXPECT_EQ(Run(Rec(41, {4, 90, 0, 0, 0}, {kVoice})), 2);
    EXPECT_TRUE(Playing(2, 5));
    EXPECT_FALSE(Playing(2, 4));
    EXPECT_EQ(Run(Rec(44, {4, 30, 0})), 2);
    EXPECT_EQ(Slot(2, 5).volume, 30);
    EXPECT_EQ(Run(Rec(42, {0, 0})), 2);
    EXPECT_FALSE(Playing(2, 1));
    EXPECT_TRUE(Playing(2, 5));
    // A fade of 0 still fades the voices out (over 1 ms); the full stop with 0 unloads.
    EXPECT_EQ(Run(Rec(43, {0, 0})), 2);
    EXPECT_FALSE(Playing(2, 5));
    EXPECT_NE(Bank().GetSound(2, 5), nullptr) << "still loaded";
    Run(Rec(41, {4, 90, 0, 0, 0}, {kVoice}));
    Run(Rec(40, {0, 0}));
    EXPECT_EQ(Bank().GetSound(2, 5), nullptr);
}

TEST_F(SoundCommands, SlotsBeyondTheBankPlayNothing) {
    Begin();
    Settings().SetVoiceSwitch(kSpeaker, 1);
    CLogCapture log;
    for (const CAdvCommand& r : {Rec(30, {30, 100, 0, 0}, {"bgm\\a.ogg"}), Rec(35, {-1, 100, 0, 0, 0}, {"se\\se_001.ogg"}),
                                 Rec(41, {29, 100, 0, 0, 0}, {kVoice}), Rec(48, {29, 100, 0, 0, 0}, {"me_0001"})}) {
        EXPECT_EQ(Run(r), 2) << r.Code;
    }
    ASSERT_TRUE(d.Frame());
    for (const std::string& s : d.Sounds().Take()) EXPECT_EQ(s.rfind("bank", 0), std::string::npos) << s;
    EXPECT_TRUE(log.Contains("CStageSnapshot::GetSoundSlot()"));
}

TEST_F(ScreenCommands, ColourFadeCoversTheGameAndWaitsLonger) {
    Begin();
    EXPECT_EQ(Run(Rec(50, {1000, 0x1FF, 0, 0x80})), 1);
    EXPECT_EQ(CTransitionDirect::GetFadeColor(), 0xFFFF0080u);
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 67);
    const uint8_t* flags = Stage().GetRecord().m_WaitFlags;
    EXPECT_EQ(flags[0] | flags[1] | flags[2] | flags[3], 0);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(d.Game().GetSceneManager().IsInTransition());
    CLogCapture log;
    EXPECT_EQ(Run(Rec(50, {-1000})), 1);
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 7) << "a negative time fades over 0 ms";
    EXPECT_TRUE(log.Contains("CGameCommand::Frames()"));
}

TEST_F(ScreenCommands, RulePictureChangeNoiseAndScreenEffects) {
    Begin();
    probe.Write(d.Folder(), kit::MakeSheet("sys\\rule.bmp", 80, 60));
    ASSERT_TRUE(d.Game().GetScreen().UsesDirect3D());
    EXPECT_EQ(Run(Rec(9, {1, 500, 300}, {"sys\\rule.bmp"})), 1);
    int32_t w = 0, h = 0;
    GetTransitionMask().GetSize(&w, &h);
    EXPECT_EQ((std::array{w, h}), (std::array{800, 600}));
    EXPECT_EQ(GetTransitionMask().GetThreshold(), 255);
    EXPECT_TRUE(Stage().IsScreenChanging());
    EXPECT_EQ(Run(Rec(51)), 2);
    EXPECT_EQ(Layer(10000)->kind, 3);
    EXPECT_EQ(Run(Rec(52)), 2);
    EXPECT_EQ(Layer(10000), nullptr);
    EXPECT_EQ(Run(Rec(53, {2})), 2);
    EXPECT_EQ(Stage().GetRecord().m_EffectOn, 1);
    EXPECT_EQ(Stage().GetRecord().m_EffectKind, 2);
    EXPECT_EQ(Run(Rec(54)), 2);
    EXPECT_EQ(Stage().GetRecord().m_EffectOn, 0);
}

// Off: the jump passes on in the same step and the month end begins; on: the jump is
// taken and the month end does nothing.
TEST_F(ScreenCommands, JumpAndMonthEndWithTheBranchSwitchOff) { JumpAndMonthEnd(false, "passed", 1); }

TEST_F(ScreenCommands, JumpAndMonthEndWithTheBranchSwitchOn) { JumpAndMonthEnd(true, "jumped", 0); }
