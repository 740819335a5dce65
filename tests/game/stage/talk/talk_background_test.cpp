// Colour fills, the time-of-day background with its details and the noise screen, on
// the software graphics device.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/base/Log.h"
#include "game/core/RunningGame.h"
#include "game/stage/talk/NoiseEffect.h"
#include "game/stage/talk/TalkBg.h"
#include "game/stage/talk/TimeOfDayBg.h"
#include "tests/game/stage/talk/TalkTestUtil.h"

namespace {

constexpr uint32_t kBase = 0xFF202020u;
constexpr uint32_t kExtra = 0xFFFF00FFu;
// Cells 0, 1 and 2 of every strip.
const std::vector<uint32_t> kCells = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};

struct SDetailPlace {
    int statusIndex;
    int strip;
    int x;
    int y;
};
const SDetailPlace kPlaces[] = {
    {40, CTimeOfDayBg::STRIP_C, 616, 352}, {37, CTimeOfDayBg::STRIP_D, 0, 72},   {41, CTimeOfDayBg::STRIP_ET, 344, 0},
    {50, CTimeOfDayBg::STRIP_B, 32, 416},  {57, CTimeOfDayBg::STRIP_A, 416, 424},
};

// Every channel within `tolerance` (details whose fade has just begun show a trace of
// their current frame).
::testing::AssertionResult Near(uint32_t got, uint32_t want, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((got >> shift) & 0xFF), b = static_cast<int>((want >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return ::testing::AssertionFailure() << std::hex << got << " not " << want;
    }
    return ::testing::AssertionSuccess();
}

class TalkBackgroundTest : public talktest::CTalkTest {
protected:
    void WriteMorning() {
        WritePicture("bg\\bg13m.bmp", talktest::Solid(kBase, 800, 600), 800, 600);
        WritePicture("bg\\bg130em.bmp", talktest::Solid(kExtra, 8, 8), 8, 8);
        for (const char* s : {"a", "b", "c", "d", "et"}) {
            const std::string name = std::string("bg\\bg130") + (s[1] ? "emt" : std::string(s) + "m") + ".bmp";
            WritePicture(name, talktest::Bands(kCells, 6, 6), 18, 6);
        }
    }
};

}  // namespace

TEST_F(TalkBackgroundTest, AColourFillCoversTheScreenAndSurvivesADeviceReset) {
    CTalkBg fill;
    EXPECT_TRUE(fill.SetColor(1, 1, 0xFF336699u));  // the size is not used
    EXPECT_TRUE(fill.IsLoaded());
    fill.SetAlpha(10);
    EXPECT_EQ(fill.GetAlpha(), 0);
    fill.Draw();
    EXPECT_EQ(Probe(0, 0), 0x336699u);
    EXPECT_EQ(Probe(799, 599), 0x336699u);

    Device()->GetDevice()->SimulateDeviceLost();
    ASSERT_TRUE(m_Screen->Screen().GetRenderer()->RestoreDevice());
    fill.OnDeviceRestored();
    Clear();
    EXPECT_TRUE(fill.DrawSmall());
    EXPECT_EQ(Probe(400, 300), 0x336699u);

    fill.Release();
    EXPECT_FALSE(fill.IsLoaded());
    Clear();
    fill.OnDeviceRestored();
    fill.Draw();
    EXPECT_EQ(Probe(400, 300), 0u);
}

TEST_F(TalkBackgroundTest, LoadTimeOutsideTheDayKeepsWhatWasLoaded) {
    CTalkTimeBg bg;
    EXPECT_FALSE(bg.LoadTime(3));
    WriteMorning();
    EXPECT_TRUE(bg.LoadTime(0));
    bg.Update();
    EXPECT_EQ(bg.GetScene().GetFrame(CTimeOfDayBg::STRIP_A), 1);
    EXPECT_TRUE(bg.LoadTime(3));  // the old pictures stay; only the frames start again
    EXPECT_EQ(bg.GetScene().GetFrame(CTimeOfDayBg::STRIP_A), 0);
    EXPECT_FALSE(bg.LoadTime(1));  // no evening pictures
    bg.Release();
    EXPECT_FALSE(bg.IsLoaded());
}

TEST_F(TalkBackgroundTest, EachStripChangesFrameAtItsOwnPace) {
    struct SCase {
        int strip;
        int period;
    };
    const SCase cases[] = {{CTimeOfDayBg::STRIP_C, 3}, {CTimeOfDayBg::STRIP_A, 200}, {CTimeOfDayBg::STRIP_B, 180},
                           {CTimeOfDayBg::STRIP_D, 250}, {CTimeOfDayBg::STRIP_ET, 250}};
    for (const SCase& c : cases) {
        CTimeOfDayBg bg;
        bg.Update();  // a new counter is at its end: every strip moves to frame 1 at once
        EXPECT_EQ(bg.GetFrame(c.strip), 1);
        for (int i = 1; i < c.period; ++i) bg.Update();
        EXPECT_EQ(bg.GetFrame(c.strip), 1) << c.strip;
        EXPECT_EQ(bg.GetFade(c.strip), 255 * (c.period - 1) / c.period) << c.strip;
        bg.Update();
        EXPECT_EQ(bg.GetFrame(c.strip), 2) << c.strip;
        for (int i = 0; i < 2 * c.period; ++i) bg.Update();
        EXPECT_EQ(bg.GetFrame(c.strip), 1) << c.strip;  // 2 wraps to 0
    }
}

TEST_F(TalkBackgroundTest, DetailsAppearWithTheirStatusFlags) {
    WriteMorning();
    CTalkTimeBg bg;
    ASSERT_TRUE(bg.LoadTime(0));
    for (int i = 0; i < 4; ++i) bg.Update();  // strip c on frame 2, the others on frame 1, fades at 0
    CGameState state;
    CRunningGameOverride game(state);
    CSystemData system{CSystemData::kNoLoad};

    // Without a game object only the base picture is drawn.
    for (const SDetailPlace& d : kPlaces) state.GetStatus().SetParam(14, d.statusIndex, 1);
    bg.Draw();
    for (const SDetailPlace& d : kPlaces) EXPECT_EQ(Probe(d.x + 1, d.y + 1), kBase & 0xFFFFFFu) << d.statusIndex;

    CTalkSystemDataOverride scope(system);
    for (const SDetailPlace& only : kPlaces) {
        for (const SDetailPlace& d : kPlaces) state.GetStatus().SetParam(14, d.statusIndex, d.statusIndex == only.statusIndex);
        for (bool effects : {true, false}) {
            system.SetOption(CSystemData::OPTION_EFFECTS, effects);
            Clear();
            bg.Draw();
            // Effects on: the previous frame at its full alpha under the current one at
            // 0 (strip c) or 3 / 180..250 of the way (the others).
            const int frame = effects ? bg.GetScene().GetFrame(only.strip) - 1 : 0;
            for (const SDetailPlace& d : kPlaces) {
                const uint32_t want = d.statusIndex == only.statusIndex ? kCells[static_cast<size_t>(frame)] : kBase;
                EXPECT_TRUE(Near(Probe(d.x + 1, d.y + 1), want, 6)) << only.statusIndex << " at " << d.statusIndex;
            }
            EXPECT_EQ(Probe(193, 281), ((only.statusIndex == 41 ? kExtra : kBase) & 0xFFFFFFu)) << only.statusIndex;
            EXPECT_EQ(Probe(400, 300), kBase & 0xFFFFFFu);
        }
    }
}

// Mid-way through a strip's cross-fade its previous frame (cell 0) fades out by the
// strip's rule under the current one (cell 1) at v: e-t at 255 − v, b at 2 × (255 − v)
// held to 255.
TEST_F(TalkBackgroundTest, ThePreviousFrameFadesOutByItsStripsRule) {
    WriteMorning();
    CTalkTimeBg bg;
    ASSERT_TRUE(bg.LoadTime(0));
    for (int i = 0; i < 121; ++i) bg.Update();  // frame 1 of both strips, 120 steps into its fade
    CGameState state;
    CRunningGameOverride game(state);
    CSystemData system{CSystemData::kNoLoad};
    CTalkSystemDataOverride scope(system);
    auto over = [](uint32_t src, int a, uint32_t dst) {
        uint32_t out = 0;
        for (int shift : {0, 8, 16}) {
            out |= ((((src >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * (255 - a)) / 255) << shift;
        }
        return out;
    };
    for (const SDetailPlace& d : {kPlaces[2], kPlaces[3]}) {
        for (const SDetailPlace& o : kPlaces) state.GetStatus().SetParam(14, o.statusIndex, o.statusIndex == d.statusIndex);
        Clear();
        bg.Draw();
        const int v = bg.GetScene().GetFade(d.strip);
        const int previous = d.strip == CTimeOfDayBg::STRIP_B ? std::min(2 * (255 - v), 255) : 255 - v;
        EXPECT_TRUE(Near(Probe(d.x + 1, d.y + 1), over(kCells[1], v, over(kCells[0], previous, kBase)), 2))
            << d.statusIndex << " at v " << v;
    }
}

TEST_F(TalkBackgroundTest, NoiseMovesEveryFourthFrameWithinHalfThePicture) {
    WritePicture("sys\\noise2_small.bmp", talktest::Solid(0xFF808080u, 250, 120), 250, 120);
    CNoiseEffect noise;
    ASSERT_TRUE(noise.LoadNoise());
    noise.GetRandom().Seed(99);
    CRandom reference(99);
    CLogCapture log;
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 3; ++i) {
            const SPoint before = noise.GetWindow();
            noise.Update();
            EXPECT_EQ(noise.GetWindow(), before);
        }
        noise.Update();
        const int32_t top = static_cast<int32_t>(reference.Random(60));
        const int32_t left = static_cast<int32_t>(reference.Random(125));
        EXPECT_EQ(noise.GetWindow(), (SPoint{left, top}));
        Clear();
        noise.Draw();  // the window is cut at the picture's edge and still covers the screen
        EXPECT_EQ(Probe(0, 0), 0x808080u);
        EXPECT_EQ(Probe(799, 599), 0x808080u);
    }
    EXPECT_FALSE(log.Contains("CImagePlane::Draw()"));

    CSystemData off{CSystemData::kNoLoad};
    off.SetOption(CSystemData::OPTION_EFFECTS, 0);
    CTalkSystemDataOverride scope(off);
    Clear();
    noise.Draw();
    EXPECT_EQ(Probe(400, 300), 0u);
}
