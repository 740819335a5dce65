// The boot and logo chain and the opening, driven frame by frame on the demo data.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/base/Keyboard.h"
#include "engine/base/Random.h"
#include "engine/base/SinTable.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/SoundBank.h"
#include "engine/sound/SoundVolume.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "game/menus/title/BootChain.h"
#include "game/menus/title/OpeningScene.h"
#include "tests/game/menus/title/TitleTestUtil.h"
#include "tests/support/TestSupport.h"

namespace {

using titletest::CDemoGame;

constexpr uint32_t kSpace = 32;

class ChainTest : public ::testing::Test, public CDemoGame {
protected:
    ~ChainTest() override { testsupport::RestoreTestSeed(); }
    // Frames until the scene changes (at most `limit`), counting those that ran after
    // the incoming transition.
    std::pair<int, int> RunScene(int limit = 1000) {
        const int32_t id = Scene();
        int frames = 0;
        int quiet = 0;
        while (Scene() == id && frames < limit) {
            const bool before = Manager().IsInTransition();
            d.Frame();
            ++frames;
            if (!before && Scene() == id) ++quiet;
        }
        return {frames, quiet};
    }
    COpeningScene* Opening() { return dynamic_cast<COpeningScene*>(Manager().GetCurrentScene()); }
};

TEST_F(ChainTest, RunsFromBootThroughTheLogosAndTheOpeningIntoTheTitle) {
    d.Start(2);
    std::vector<std::pair<int32_t, int32_t>> seen;  // (scene, transition) on arrival
    for (int frame = 0; frame < 2000 && Scene() != 7; ++frame) {
        if (Opening() && Opening()->GetState() == 4) d.Key(kSpace);
        const int32_t before = Scene();
        d.Frame();
        if (Scene() != before)
            seen.emplace_back(Scene(), Manager().IsInTransition() ? Manager().GetTransitionIndex() : 0);
    }
    const std::vector<std::pair<int32_t, int32_t>> expected = {{2, 0}, {3, 53}, {4, 53}, {5, 53}, {6, 1}, {7, 0}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(d.Game().GetSystemData().m_LogoSeen, 1);
}

TEST_F(ChainTest, LogosLastTheirCountedFramesAfterA60FrameTransition) {
    d.Start(2);
    d.Frame(2);
    ASSERT_EQ(Scene(), 3);
    // Counted frames: the 201st asks for logo 2.  In all, the transition's 60 frames,
    // the frame that starts it and the one that ends it come first.
    const auto logo1 = RunScene();
    EXPECT_EQ(logo1.second, 201);
    EXPECT_EQ(logo1.first, 62 + 201);
    ASSERT_EQ(Scene(), 4);
    const auto logo2 = RunScene();
    EXPECT_EQ(logo2.second, 401);
    EXPECT_EQ(logo2.first, 62 + 401);
}

TEST_F(ChainTest, DecideOrCancelEndLogo1OnlyAfterItsTransition) {
    for (uint32_t key : {kSpace, 27u}) {
        SCOPED_TRACE(key);
        Manager().Reset();
        d.Start(3);
        d.Frame();
        ASSERT_TRUE(Manager().IsInTransition() || Scene() == 3);
        d.Key(key);
        d.Frame();
        EXPECT_EQ(Scene(), 3) << "pressed during the transition";
        RunOutTransition();
        d.Key(key);
        d.Frame(2);
        EXPECT_EQ(Scene(), 4);
    }
}

TEST_F(ChainTest, Logo2CanBeSkippedOnlyOnceItHasBeenSeen) {
    d.Start(4);
    d.Frame();
    RunOutTransition();
    for (int i = 0; i < 50; ++i) {
        d.Key(kSpace);
        d.Frame();
    }
    EXPECT_EQ(Scene(), 4) << "the first showing ignores input";
    EXPECT_EQ(d.Game().GetSystemData().m_LogoSeen, 0);
    RunScene();
    EXPECT_EQ(Scene(), 5);
    EXPECT_EQ(d.Game().GetSystemData().m_LogoSeen, 1);

    Manager().Reset();
    d.Start(4);
    d.Frame();
    RunOutTransition();
    d.Key(kSpace);
    d.Frame(2);
    EXPECT_EQ(Scene(), 5) << "later starts skip it";
}

TEST_F(ChainTest, Logo1VoiceIsASeededDrawLoadedOnlyWithItsSpeakerSwitchOn) {
    for (uint32_t seed : {1u, 7u, 12345u}) {
        CRandom::SetDefaultSeedForTests(seed);
        const uint32_t r = CRandom().Random(CLogoScene1::kVoiceCount);
        const char* voice = CLogoScene1::kVoices[r];
        for (bool on : {true, false}) {
            SCOPED_TRACE(std::string(voice) + (on ? " on" : " off"));
            CSystemData& system = d.Game().GetSystemData();
            for (uint8_t& s : system.m_VoiceSwitches) s = on ? 0 : 1;
            system.SetVoiceSwitch(ClassifyVoiceName(voice), on ? 1 : 0);
            d.Game().GetSoundBank().Unload(2, 0);
            Manager().Reset();
            d.Sounds().Take();
            d.Start(3);
            d.Frame();
            const std::vector<std::string> started = d.Sounds().Take();
            const bool heard =
                std::find(started.begin(), started.end(), std::string("bank 2 0 ") + voice) != started.end();
            EXPECT_EQ(heard, on);
            EXPECT_EQ(d.Game().GetSoundBank().GetName(2, 0) == voice, on);
        }
    }
}

TEST_F(ChainTest, OpeningFadesInIgnoresInputThenSwingsAndTurnsAwayIntoTheTitle) {
    d.Game().GetSystemData().m_EffectVolume = 77;
    d.Game().m_GameInProgress = 3;
    d.Game().m_ReplayFlag = 1;
    d.Start(6);
    d.Frame();
    ASSERT_NE(Opening(), nullptr);
    EXPECT_EQ(d.Game().m_GameInProgress, 0);
    EXPECT_EQ(d.Game().m_ReplayFlag, 0);
    for (int ch : {5, 6}) {
        CFadeSound* c = d.Game().GetChannel(ch);
        EXPECT_TRUE(c->IsPlaying()) << ch;
        EXPECT_EQ(c->GetVolume(), ch == 5 ? (77 * 30 / 100) * 10 : (77 * 20 / 100) * 10);
    }
    // Fade-ins over 80 and 20 frames; input is ignored until both have ended.
    int frames = 1;
    while (Opening()->GetState() < 4 && frames < 200) {
        d.Key(kSpace);
        d.Frame();
        ++frames;
    }
    EXPECT_EQ(Opening()->GetState(), 4);
    EXPECT_GE(frames, 80 + 20);
    EXPECT_LE(frames, 80 + 20 + 4);
    EXPECT_EQ(Probe().At(d.Pixels(), 336 + 50, 32 + 50).Describe(), "obj\\w000_000.bmp (0, 0)");
    EXPECT_TRUE(Probe().Absent(d.Pixels(), COpeningScene::kSwing, 0, 0)) << "the swing begins at alpha 0";

    // The swing: alpha + 4 a frame, angle (Sin(phase) × 10) >> 16 with phase + 4.
    int32_t lowest = 0, highest = 0;
    for (int i = 0; i < 128; ++i) {
        const int32_t phase = Opening()->GetPhase();
        const int32_t alpha = Opening()->GetAlpha();
        d.Frame();
        EXPECT_EQ(Opening()->GetAlpha(), std::min(alpha + 4, 255));
        EXPECT_EQ(Opening()->GetAngle(), (CSinTable::Sin(phase) * 10) >> 16);
        EXPECT_EQ(Opening()->GetPhase(), (phase + 4) % 512);
        lowest = std::min(lowest, Opening()->GetAngle());
        highest = std::max(highest, Opening()->GetAngle());
    }
    EXPECT_EQ(lowest, -10);
    EXPECT_EQ(highest, 10);
    EXPECT_FALSE(Probe().Locate(d.Pixels(), COpeningScene::kSwing, 0, 0).empty) << "at alpha 255";

    d.Sounds().Take();
    d.Key(27);
    d.Frame();
    EXPECT_EQ(Opening()->GetState(), 5);
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch0"});
    int turn = 0;
    int32_t angle = Opening()->GetAngle();
    while (Opening() && Opening()->GetState() == 5 && turn < 40) {
        const int32_t alpha = Opening()->GetAlpha();
        d.Frame();
        ++turn;
        if (!Opening()) break;
        EXPECT_EQ(Opening()->GetAlpha(), std::max(alpha - 9, 0));
        EXPECT_GE(Opening()->GetAngle(), angle) << "turns one way toward a full turn";
        angle = Opening()->GetAngle();
    }
    EXPECT_GT(angle, 500);
    d.Frame();
    EXPECT_EQ(Scene(), 7);
    EXPECT_FALSE(Manager().IsInTransition()) << "the title follows with no transition";
    EXPECT_EQ(turn, 30);
    const std::vector<std::string> started = d.Sounds().Take();
    EXPECT_EQ(std::count(started.begin(), started.end(), "ch5"), 0) << "the title keeps the opening's sounds";
    EXPECT_TRUE(d.Game().GetChannel(5)->IsPlaying());
}

// The ambient sounds reach their volume 2,000 ms after the opening loads and 1,000 ms
// after the title does.
TEST_F(ChainTest, TheAmbientSoundsFadeInOverTwoSecondsAtTheOpeningAndOneAtTheTitle) {
    const std::pair<int32_t, int> cases[] = {{6, 120}, {7, 60}};
    for (const auto& [scene, fadeFrames] : cases) {
        SCOPED_TRACE(scene);
        Manager().Reset();
        for (int ch : {5, 6}) d.Game().GetChannel(ch)->Stop();
        d.Start(scene);
        d.Frame();
        CSound& sound = d.Game().GetChannel(5)->GetSound();
        ASSERT_EQ(sound.GetVolume(), -10000) << "from silence";
        int frames = 0;
        while (sound.GetVolume() != RatioToHundredthsDb(0.3) && frames < 300) {
            d.Frame();
            ++frames;
        }
        EXPECT_EQ(frames, fadeFrames);
    }
}

TEST(OpeningSwing, APositiveAngleTurnsClockwiseAboutTheCentre) {
    float x = 0, y = 0, z = 0;
    // A quarter turn carries the top-left corner of a 96 × 64 picture to the top-right
    // of the turned box; the centre stays where it was.
    const CMatrix4 quarter = COpeningScene::SwingMatrix(128, 96, 64);
    MatrixTransformPoint(quarter, 48, 32, 0, &x, &y, &z);
    EXPECT_NEAR(x, 264 + 48, 1e-3);
    EXPECT_NEAR(y, 480 + 32, 1e-3);
    MatrixTransformPoint(quarter, 0, 0, 0, &x, &y, &z);
    EXPECT_NEAR(x, 264 + 48 + 32, 1e-3);
    EXPECT_NEAR(y, 480 + 32 - 48, 1e-3);
    MatrixTransformPoint(COpeningScene::SwingMatrix(512, 96, 64), 0, 0, 0, &x, &y, &z);
    EXPECT_NEAR(x, 264, 1e-3) << "a full turn is the unturned picture";
    EXPECT_NEAR(y, 480, 1e-3);
}

}  // namespace
