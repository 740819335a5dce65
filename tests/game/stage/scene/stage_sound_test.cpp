// The stage's sound slots on the game's bank: redirected voice files, group stops,
// list play, the ambient loops, slots outside the bank and what survives a reset.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameState.h"
#include "engine/file/TextReader.h"
#include "game/core/RunningGame.h"
#include "game/stage/scene/StageTables.h"
#include "tests/game/stage/scene/StageTestUtil.h"

using namespace stagetest;

namespace {

class StageSoundTest : public StageFixture {
protected:
    const SSoundSlotRecord& Slot(int g, int s) { return *Stage().GetRecord().GetSoundSlot(g, s); }
    bool Heard(const std::string& what) {
        const std::vector<std::string> all = d.Sounds().Take();
        return std::find(all.begin(), all.end(), what) != all.end();
    }
};

}  // namespace

TEST_F(StageSoundTest, ARedirectedFileLoadedAsAnEffectPlaysAndStopsInTheVoiceGroup) {
    Begin();
    EXPECT_EQ(Stage().GetSound().RedirectedSpeaker(kRedirected), 0) << "the first name takes switch 0";
    EXPECT_EQ(Stage().GetSound().RedirectedSpeaker("SE\\voice\\lux_0001.ogg"), -1) << "names compare exactly";
    Stage().LoadSlot(1, 4, kRedirected);
    Stage().SetSlotVolume(1, 4, 70);
    Stage().PlaySlot(1, 4, 0, 0);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Heard(std::string("bank 2 4 ") + kRedirected));
    EXPECT_TRUE(Bank().GetName(1, 4).empty());
    EXPECT_EQ(Slot(2, 4).volume, 70);
    EXPECT_TRUE(Slot(2, 4).playing);
    EXPECT_EQ(Slot(1, 4).source, "");
    Stage().StopSlot(1, 4, 0);
    EXPECT_FALSE(Bank().IsPlaying(2, 4));
    EXPECT_FALSE(Slot(2, 4).playing);

    Settings().m_VoiceSwitches[0] = 0;
    Stage().LoadSlot(1, 5, kRedirected);
    EXPECT_EQ(Slot(2, 5).source, "") << "a silenced speaker's file is not loaded";
    EXPECT_TRUE(Bank().GetName(2, 5).empty());
}

TEST_F(StageSoundTest, StoppingTheEffectGroupStopsTheVoicesToo) {
    Begin();
    Stage().LoadSlot(1, 1, "se\\se_001.ogg");
    Stage().PlaySlot(1, 1, 0, 0);
    Stage().LoadSlot(2, 3, "voice\\me_0001.ogg");
    Stage().PlaySlot(2, 3, 0, 0);
    Stage().LoadSlot(0, 0, "bgm\\a.ogg");
    Stage().PlaySlot(0, 0, 0, 0);
    Stage().StopSoundGroup(1, 0);
    EXPECT_FALSE(Bank().IsPlaying(1, 1));
    EXPECT_FALSE(Bank().IsPlaying(2, 3));
    EXPECT_FALSE(Slot(2, 3).playing);
    EXPECT_TRUE(Bank().IsPlaying(0, 0));
}

TEST_F(StageSoundTest, AListPlaysFromTheGroupsFolder) {
    Begin();
    Stage().PlaySound(0, 2, "a b");
    EXPECT_EQ(Bank().GetGroupList(0), (std::vector<std::string>{"bgm\\a.ogg", "bgm\\b.ogg"}));
    EXPECT_EQ(Slot(0, 2).listFlag, 1);
    EXPECT_EQ(Slot(0, 2).source, "a b");
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Heard("bank 0 2 bgm\\a.ogg"));
}

TEST_F(StageSoundTest, AListNameKeepsTheFolderAndTheExtensionItHas) {
    Begin();
    struct SCase {
        int32_t group;
        const char* list;
        std::vector<std::string> files;
    };
    const SCase cases[] = {
        {2, "voice\\r.wav\n", {"voice\\r.wav"}},
        {2, "voice\\lu_0001.ogg\nlu_0002", {"voice\\lu_0001.ogg", "voice\\lu_0002.ogg"}},
        {2, "Voice\\lu_0003", {"Voice\\lu_0003.ogg"}},
        {1, "x.wav voice\\y", {"se\\x.wav", "se\\voice\\y.ogg"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.list);
        Stage().PlaySound(c.group, 0, c.list);
        EXPECT_EQ(Bank().GetGroupList(c.group), c.files);
    }
}

TEST_F(StageSoundTest, SlotsOutsideTheBankAreRefusedAtEveryEntry) {
    Begin();
    CLogCapture log;
    Stage().LoadSlot(2, 30, "voice\\me_0001.ogg");
    Stage().SetSlotVolume(1, 30, 50);
    Stage().PlaySlot(1, 30, 0, 0);
    Stage().StopSlot(1, 30, 0);
    Stage().FadeSlotPan(1, -1, 0, 10);
    Stage().PlaySound(3, 0, "a");
    Stage().StopSoundGroup(5, 0);
    EXPECT_GE(log.Count(), 7u);
    for (int g = 0; g < 3; ++g) EXPECT_FALSE(Bank().IsPlaying(g, 29));
}

TEST_F(StageSoundTest, AmbientLoopsFollowHouseClassesAndStatusFlags) {
    Begin();
    CGameState state;
    CRunningGameOverride running(state);
    state.GetStatus().SetParam(14, 37, 1);
    Stage().ShowPicture(100, "bg\\house.bmp");
    Stage().StartScreenChange(0, 30);
    EXPECT_EQ(Slot(1, 13).source, "se\\se_220.ogg");
    EXPECT_EQ(Slot(1, 13).volume, 15) << "the first house class is loud";
    EXPECT_TRUE(Slot(1, 13).playing);
    EXPECT_FALSE(Slot(1, 14).playing) << "its flag is clear";
    Stage().ShowPicture(100, "bg\\room.bmp");
    Stage().StartScreenChange(0, 30);
    EXPECT_EQ(Slot(1, 13).volume, 10) << "the second class fades it down";
    state.GetStatus().SetParam(14, 37, 0);
    Stage().StartScreenChange(0, 30);
    EXPECT_TRUE(Slot(1, 13).playing) << "a cleared flag leaves the loop until a change without a match";
    Stage().ShowTimeBackground(100, 1);
    state.GetStatus().SetParam(14, 57, 1);
    Stage().StartScreenChange(0, 30);
    EXPECT_EQ(Slot(1, 15).volume, 30) << "the time-of-day background is loud";
    Stage().ClearToBlack();
    Stage().StartScreenChange(0, 30);
    EXPECT_FALSE(Slot(1, 13).playing);
    EXPECT_FALSE(Slot(1, 15).playing);
}

TEST_F(StageSoundTest, AmbientLoopsFadeOverTheAskedChangeAlsoWhenThePictureCuts) {
    Begin();
    CGameState state;
    CRunningGameOverride running(state);
    state.GetStatus().SetParam(14, 37, 1);
    struct SCase {
        const char* what;
        bool effects;
        bool skip;
    };
    std::vector<int32_t> heard;
    for (const SCase c : {SCase{"the change runs", true, false}, {"effects off", false, false}, {"skipping", true, true}}) {
        SCOPED_TRACE(c.what);
        Settings().m_Options[CSystemData::OPTION_EFFECTS] = c.effects;
        Stage().SetSkip(c.skip);
        // A new loop fades in over the change; a playing one fades to its new volume.
        Stage().ShowPicture(100, "bg\\house.bmp");
        Stage().StartScreenChange(1, 60);
        ASSERT_TRUE(d.Frame());
        EXPECT_EQ(Stage().IsScreenChanging(), c.effects && !c.skip) << "skipping or effects off: a cut";
        ASSERT_NE(Bank().GetSound(1, 13), nullptr);
        heard.push_back(Bank().GetSound(1, 13)->GetVolume());
        Stage().ShowPicture(100, "bg\\room.bmp");
        Stage().StartScreenChange(1, 60);
        ASSERT_TRUE(d.Frame());
        heard.push_back(Bank().GetSound(1, 13)->GetVolume());
        Stage().SetSkip(false);
        Stage().ClearToBlack();
        Stage().StartScreenChangeAlt(0, 0);
        ASSERT_TRUE(d.Frame());
    }
    // 60 frames are 1000 ms: one frame into the fade, whatever the picture did.
    for (size_t i = 2; i < heard.size(); ++i) EXPECT_EQ(heard[i], heard[i % 2]) << i;
}

TEST_F(StageSoundTest, ResetKeepsMusicSlot0AndSavesRestartOnlyLoopingSlots) {
    Begin();
    Stage().LoadSlot(0, 0, "bgm\\a.ogg");
    Stage().SetSlotVolume(0, 0, 100);
    Stage().PlaySlot(0, 0, 0, 0);
    Stage().LoadSlot(0, 1, "bgm\\b.ogg");
    Stage().PlaySlot(0, 1, 0, 0);
    Stage().LoadSlot(1, 2, "se\\se_001.ogg");
    Stage().PlaySlot(1, 2, 0, 0);
    Stage().ResetStage();
    EXPECT_TRUE(Bank().IsPlaying(0, 0));
    EXPECT_TRUE(Slot(0, 0).playing);
    EXPECT_FALSE(Bank().IsPlaying(0, 1));
    EXPECT_FALSE(Bank().IsPlaying(1, 2));
    EXPECT_EQ(Slot(1, 2).source, "");

    Stage().LoadSlot(1, 3, "se\\se_001.ogg");
    Stage().PlaySlot(1, 3, 1, 0);
    EXPECT_FALSE(Slot(1, 3).playing) << "played once";
    ASSERT_TRUE(d.Frame(30));
    const CStageSnapshot saved = Stage().SaveSnapshot();
    EXPECT_GT(saved.GetSoundSlot(0, 0)->position, 0);
    Bank().UnloadAll();
    CMainGameScene fresh(&d.Game(), nullptr, false);
    fresh.RestoreSnapshot(saved);
    EXPECT_TRUE(Bank().IsPlaying(0, 0));
    EXPECT_FALSE(Bank().IsPlaying(1, 3)) << "a sound played once is not restarted";
    // From where it was, fading in over 500 ms (30 frames).
    ASSERT_NE(Bank().GetSound(0, 0), nullptr);
    EXPECT_GE(static_cast<int32_t>(Bank().GetSound(0, 0)->GetPosition()), saved.GetSoundSlot(0, 0)->position);
    std::vector<int32_t> heard;
    for (int frames : {15, 13, 4, 28}) {
        ASSERT_TRUE(d.Frame(frames));
        heard.push_back(Bank().GetSound(0, 0)->GetVolume());
    }
    EXPECT_LT(heard[0], heard[1]);
    EXPECT_LT(heard[1], heard[3]) << "28 frames in";
    EXPECT_EQ(heard[2], heard[3]) << "32 frames in";
}

TEST(StageTables, HouseListsKeepGoodLinesAndLogTheRest) {
    CTextReader reader;
    reader.SetText("1, bg\\a.bmp\n2,bg\\b.bmp\n3, bg\\c.bmp\n1\n// note\n");
    CLogCapture log;
    const SHouseLists lists = ReadHouseLists(reader);
    EXPECT_EQ(lists.layout1, std::vector<std::string>{"bg\\a.bmp"});
    EXPECT_EQ(lists.layout2, std::vector<std::string>{"bg\\b.bmp"});
    EXPECT_EQ(log.Count(), 2u);
    CTextReader voices;
    voices.SetText("se\\voice\\lux_0001.ogg\n\nse\\voice\\wax_0002.ogg, ignored\n");
    EXPECT_EQ(ReadRedirectedVoices(voices),
              (std::vector<std::string>{"se\\voice\\lux_0001.ogg", "se\\voice\\wax_0002.ogg"}));
}
