#include <gtest/gtest.h>

#include "SoundTestData.h"
#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/sound/DirectSound.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/FadeSoundList.h"
#include "engine/sound/SoundBank.h"
#include "engine/sound/SoundVolume.h"
#include "tests/support/TestSupport.h"

using namespace soundtest;

namespace {

class BankTest : public ::testing::Test {
protected:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};
    CDirectSound m_Ds;
    std::vector<int16_t> m_Pcm;

    void SetUp() override {
        ASSERT_TRUE(m_Ds.Create(this, CDirectSound::OUTPUT_MANUAL));
        m_Pcm = MakePcm16(31, 4410, 2);  // 100 ms
        WriteGameFile(m_Dir.Path(), "se/a.wav", MakeWave(ToBytes(m_Pcm), 2, 16, 44100));
        WriteGameFile(m_Dir.Path(), "se/b.wav", MakeWave(ToBytes(MakePcm16(32, 2205, 2)), 2, 16, 44100));
    }
    std::vector<int16_t> Pull(uint32_t frames) {
        std::vector<int16_t> out(frames * 2);
        m_Ds.Mix(out.data(), frames);
        return out;
    }
    static bool Silent(const std::vector<int16_t>& v) {
        for (int16_t s : v) if (s != 0) return false;
        return true;
    }
};

}  // namespace

TEST_F(BankTest, VolumesCombineSlotAndGroup) {
    CSoundBank bank(&m_Ds);
    ASSERT_TRUE(bank.Load(1, 3, "se\\a.wav"));
    EXPECT_EQ(bank.GetName(1, 3), "se\\a.wav");
    bank.SetVolume(1, 3, 100);
    ASSERT_TRUE(bank.Play(1, 3, 1, 0, 0));
    EXPECT_EQ(bank.GetSound(1, 3)->GetVolume(), 0);
    auto out = Pull(100);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], m_Pcm[i]);
    bank.SetGroupVolume(1, 50);
    EXPECT_EQ(bank.GetSound(1, 3)->GetVolume(), RatioToHundredthsDb(0.5));
    EXPECT_EQ(RatioToHundredthsDb(0.5), -602);
    bank.SetVolume(1, 3, 50);
    EXPECT_EQ(bank.GetSound(1, 3)->GetVolume(), RatioToHundredthsDb(0.25));
    EXPECT_EQ(bank.GetVolume(1, 3), 50);
    bank.SetVolume(1, 3, 0);
    EXPECT_EQ(bank.GetSound(1, 3)->GetVolume(), -10000);
    EXPECT_TRUE(Silent(Pull(100)));
    bank.SetPan(1, 3, 10000);
    EXPECT_EQ(bank.GetSound(1, 3)->GetPan(), 10000);
    EXPECT_EQ(bank.GetPan(1, 3), 10000);
}

TEST_F(BankTest, FadesReachTheirTargetOnTheRightFrame) {
    CSoundBank bank(&m_Ds);
    bank.Load(0, 0, "se\\a.wav");
    bank.SetVolume(0, 0, 80);
    bank.Play(0, 0, 0, 1000, 0);  // fade in over 60 frames
    EXPECT_EQ(bank.GetSound(0, 0)->GetVolume(), -10000);
    EXPECT_TRUE(bank.IsLooping(0, 0));
    for (int f = 1; f < 60; ++f) {
        bank.Update();
        ASSERT_NE(bank.GetSound(0, 0)->GetVolume(), RatioToHundredthsDb(0.8)) << f;
    }
    bank.Update();
    EXPECT_EQ(bank.GetSound(0, 0)->GetVolume(), RatioToHundredthsDb(0.8));
    // Fade down over 500 ms = 30 frames; the stored value is the target at once.
    bank.FadeVolume(0, 0, 20, 500);
    EXPECT_EQ(bank.GetVolume(0, 0), 20);
    for (int f = 1; f < 30; ++f) bank.Update();
    EXPECT_NE(bank.GetSound(0, 0)->GetVolume(), RatioToHundredthsDb(0.2));
    bank.Update();
    EXPECT_EQ(bank.GetSound(0, 0)->GetVolume(), RatioToHundredthsDb(0.2));
    bank.FadePan(0, 0, -3000, 100);  // 6 frames
    for (int f = 0; f < 5; ++f) bank.Update();
    EXPECT_NE(bank.GetSound(0, 0)->GetPan(), -3000);
    bank.Update();
    EXPECT_EQ(bank.GetSound(0, 0)->GetPan(), -3000);
    // A fade shorter than one frame takes effect at once.
    bank.FadeVolume(0, 0, 100, 10);
    EXPECT_EQ(bank.GetSound(0, 0)->GetVolume(), 0);
}

TEST_F(BankTest, StopGroupAtOnceAndWithAFade) {
    CSoundBank bank(&m_Ds);
    for (int s : {0, 5, 29}) {
        ASSERT_TRUE(bank.Load(2, s, "se\\a.wav"));
        bank.Play(2, s, 0, 0, 0);
    }
    bank.StopGroup(2, 0);
    for (int s : {0, 5, 29}) {
        EXPECT_FALSE(bank.IsPlaying(2, s));
        EXPECT_EQ(bank.GetSound(2, s), nullptr);  // unloaded
    }
    for (int s : {1, 2}) {
        bank.Load(1, s, "se\\a.wav");
        bank.Play(1, s, 0, 0, 0);
    }
    bank.StopGroup(1, 500);  // 30 frames
    for (int f = 1; f < 30; ++f) {
        bank.Update();
        ASSERT_TRUE(bank.IsPlaying(1, 1)) << f;
    }
    EXPECT_LT(bank.GetSound(1, 1)->GetVolume(), -2000);
    bank.Update();
    EXPECT_FALSE(bank.IsPlaying(1, 1));
    EXPECT_FALSE(bank.IsPlaying(1, 2));
    // A faded stop leaves the sound loaded: only a stop without a fade unloads.
    ASSERT_NE(bank.GetSound(1, 2), nullptr);
    EXPECT_TRUE(bank.GetSound(1, 2)->IsLoaded());
    EXPECT_EQ(bank.GetName(1, 2), "se\\a.wav");
    Pull(2000);  // the 25 ms stop ramps run out
    EXPECT_EQ(m_Ds.GetDevice().GetPlayingCount(), 0u);
    // At the full volume again when played anew.
    ASSERT_TRUE(bank.Play(1, 2, 1, 0, 0));
    EXPECT_TRUE(bank.IsPlaying(1, 2));
    EXPECT_EQ(bank.GetSound(1, 2)->GetVolume(), 0);
}

TEST_F(BankTest, OneMillisecondFadeIsNotAnUnloadingStop) {
    // The voice-group stop of scripts adds 1 ms to its fade so that a fade of 0 still
    // keeps the voices loaded; a stop with 0 ms stops and unloads them.
    CSoundBank bank(&m_Ds);
    for (int s : {1, 2}) {
        ASSERT_TRUE(bank.Load(2, s, "se\\a.wav"));
        bank.Play(2, s, 0, 0, 0);
    }
    bank.Stop(2, 1, 1);
    EXPECT_FALSE(bank.IsPlaying(2, 1));
    EXPECT_NE(bank.GetSound(2, 1), nullptr);
    EXPECT_FALSE(bank.IsLooping(2, 1));
    bank.Stop(2, 2, 0);
    EXPECT_FALSE(bank.IsPlaying(2, 2));
    EXPECT_EQ(bank.GetSound(2, 2), nullptr);
    // A stopped, loaded slot asked to fade out again stays loaded.
    bank.StopGroup(2, 1);
    EXPECT_NE(bank.GetSound(2, 1), nullptr);
    EXPECT_TRUE(bank.Play(2, 1, 1, 0, 0));
    EXPECT_TRUE(bank.IsPlaying(2, 1));
}

TEST_F(BankTest, LoopingOnceAndPositions) {
    CSoundBank bank(&m_Ds);
    bank.Load(1, 28, "se\\a.wav");  // slot 28: the settings menu's test sounds
    bank.Play(1, 28, 0, 0, 0);
    Pull(4410 * 2 + 2205);
    EXPECT_TRUE(bank.IsPlaying(1, 28));
    EXPECT_EQ(bank.GetSlotValue(1, 28), 50);
    bank.Play(1, 28, 1, 0, 25);
    EXPECT_FALSE(bank.IsLooping(1, 28));
    auto out = Pull(10);
    EXPECT_EQ(out[0], m_Pcm[2 * 1102]);
    Pull(4410);
    EXPECT_FALSE(bank.IsPlaying(1, 28));
    bank.Stop(1, 28, 0);
    EXPECT_EQ(bank.GetSound(1, 28), nullptr);
    EXPECT_EQ(bank.GetName(1, 28), "se\\a.wav");
    bank.Unload(1, 28);
    EXPECT_EQ(bank.GetName(1, 28), "");
}

TEST_F(BankTest, BadInputIsSilentAndSafe) {
    CSoundBank bank(&m_Ds);
    CLogCapture log;
    EXPECT_FALSE(bank.Load(0, 1, "bgm\\missing.ogg"));
    EXPECT_TRUE(log.Contains("CSoundBank::Load()"));
    EXPECT_EQ(bank.GetName(0, 1), "bgm\\missing.ogg");
    EXPECT_FALSE(bank.Play(0, 1, 0, 0, 0));
    EXPECT_FALSE(bank.Play(0, 2, 1, 0, 0));  // never loaded
    EXPECT_FALSE(bank.IsPlaying(0, 1));
    EXPECT_EQ(bank.GetSlotValue(0, 1), 0);
    bank.Update();
    EXPECT_TRUE(Silent(Pull(500)));
    log.Clear();
    EXPECT_FALSE(bank.Load(3, 0, "se\\a.wav"));
    EXPECT_FALSE(bank.Play(0, 30, 0, 0, 0));
    bank.SetVolume(-1, 0, 5);
    bank.StopGroup(7, 0);
    EXPECT_EQ(bank.GetName(0, -1), "");
    EXPECT_EQ(log.Count(), 5u);
    EXPECT_TRUE(log.Contains("CSoundBank::Play()"));
}

TEST_F(BankTest, PlayFromListChainsTheFiles) {
    CSoundBank bank(&m_Ds);
    bank.ClearGroupList(1);
    bank.SetGroupList(1, {"se\\b.wav", "se\\a.wav"});
    ASSERT_TRUE(bank.PlayFromList(1, 4));
    EXPECT_EQ(bank.GetName(1, 4), "se\\b.wav");
    bank.Play(1, 4, 0, 0, 0);  // loop the list
    Pull(2205 + 10);
    bank.Update();
    EXPECT_EQ(bank.GetName(1, 4), "se\\a.wav");
    auto out = Pull(10);
    EXPECT_EQ(out[0], m_Pcm[0]);
    Pull(4410);
    bank.Update();
    EXPECT_EQ(bank.GetName(1, 4), "se\\b.wav");
    EXPECT_TRUE(bank.IsPlaying(1, 4));
    bank.ClearGroupList(2);
    CLogCapture log;
    EXPECT_FALSE(bank.PlayFromList(2, 0));
    EXPECT_TRUE(log.Contains("CSoundBank::PlayFromList()"));
}

TEST_F(BankTest, FadeSoundChannel) {
    CFadeSound ch(&m_Ds);
    {
        CLogCapture log;
        EXPECT_FALSE(ch.Load("sys\\missing.ogg"));
        EXPECT_FALSE(ch.Play(false));
        EXPECT_FALSE(ch.IsPlaying());
        EXPECT_EQ(log.Count(), 0u);  // nothing reported
    }
    ASSERT_TRUE(ch.Load("se\\a.wav"));
    ch.SetVolume(500);
    EXPECT_EQ(ch.GetSound().GetVolume(), RatioToHundredthsDb(0.5));
    // Twice, fading in over 100 ms (6 frames).
    ASSERT_TRUE(ch.PlayFadeIn(2, 100, 0));
    EXPECT_EQ(ch.GetSound().GetVolume(), -10000);
    for (int f = 0; f < 6; ++f) ch.Update();
    EXPECT_EQ(ch.GetSound().GetVolume(), RatioToHundredthsDb(0.5));
    Pull(4410);
    ch.Update();
    EXPECT_TRUE(ch.IsPlaying());  // the second time
    Pull(4410);
    ch.Update();
    EXPECT_FALSE(ch.IsPlaying());
    // Paused counts as playing.
    ch.Play(true);
    ch.Pause();
    EXPECT_TRUE(ch.IsPlaying());
    EXPECT_TRUE(ch.IsPaused());
    ch.Resume();
    // A set volume cancels a fade; a fade-out stops on its last frame.
    ch.FadeVolume(1000, 1000);
    ch.SetVolume(300);
    ch.Update();
    EXPECT_EQ(ch.GetSound().GetVolume(), RatioToHundredthsDb(0.3));
    ch.FadeOut(100);
    for (int f = 0; f < 5; ++f) ch.Update();
    EXPECT_TRUE(ch.IsPlaying());
    ch.Update();
    EXPECT_FALSE(ch.IsPlaying());
    EXPECT_EQ(ch.GetVolume(), 300);
    ch.SetPan(-500);
    ch.FadePan(500, 50);
    for (int f = 0; f < 3; ++f) ch.Update();
    EXPECT_EQ(ch.GetSound().GetPan(), 500);
}

TEST_F(BankTest, FadeSoundListPlaysItsOrder) {
    CRandom::SetDefaultSeedForTests(1234);
    CFadeSoundList voice(&m_Ds);
    testsupport::RestoreTestSeed();
    voice.LoadList({"se\\a.wav", "se\\b.wav", "se\\missing.wav"}, true);
    auto order = voice.GetOrder();
    ASSERT_EQ(order.size(), 3u);
    std::vector<size_t> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<size_t>{0, 1, 2}));
    voice.SetVolume(1000);
    voice.SetPan(0);
    voice.Play(1, 0);
    EXPECT_EQ(voice.GetCurrent(), 0u);
    EXPECT_EQ(voice.GetChannel().GetFileName(), voice.GetNames()[order[0]]);
    Pull(4410 + 10);
    voice.Update();
    EXPECT_FALSE(voice.IsPlaying());  // once: the first entry only
    // In list order, continuing.
    voice.LoadList({"se\\b.wav", "se\\a.wav"}, false);
    voice.Play(0, 0);
    Pull(2205 + 10);
    voice.Update();
    EXPECT_EQ(voice.GetCurrent(), 1u);
    EXPECT_TRUE(voice.IsPlaying());
    voice.Stop();
    EXPECT_FALSE(voice.IsPlaying());
    voice.Unload();
    EXPECT_FALSE(voice.Play(1, 0));
}

TEST_F(BankTest, ListOfMissingFilesGivesUp) {
    CSoundBank bank(&m_Ds);
    bank.SetGroupList(0, {"se\\a.wav", "bgm\\gone1.ogg", "bgm\\gone2.ogg"});
    ASSERT_TRUE(bank.PlayFromList(0, 0));
    bank.Play(0, 0, 0, 0, 0);
    Pull(4410 + 10);
    CLogCapture log;
    for (int f = 0; f < 10; ++f) bank.Update();
    // Both missing files are reported once each, then the first plays again.
    EXPECT_EQ(log.Count(), 2u);
    EXPECT_EQ(bank.GetName(0, 0), "se\\a.wav");
    EXPECT_TRUE(bank.IsPlaying(0, 0));
    bank.SetGroupList(1, {"bgm\\gone1.ogg", "bgm\\gone2.ogg"});
    EXPECT_FALSE(bank.PlayFromList(1, 0));
    bank.Play(1, 0, 0, 0, 0);
    log.Clear();
    for (int f = 0; f < 20; ++f) bank.Update();
    EXPECT_LE(log.Count(), 2u);
}

TEST_F(BankTest, ListStartsAtItsFirstPlayableFile) {
    CSoundBank bank(&m_Ds);
    bank.SetGroupList(2, {"voice\\gone.ogg", "se\\b.wav"});
    CLogCapture log;
    ASSERT_TRUE(bank.PlayFromList(2, 7));
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_EQ(bank.GetName(2, 7), "se\\b.wav");
    EXPECT_TRUE(bank.IsPlaying(2, 7));
}
