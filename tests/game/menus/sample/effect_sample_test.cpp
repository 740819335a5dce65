// The transition sample: the arrow keys wrap around the 54 transitions, the progress
// cycle, the pictures each way through the software device, and the sample line.
#include <gtest/gtest.h>

#include "engine/draw/TransitionMask.h"
#include "engine/image/MaskImage.h"
#include "game/menus/sample/EffectSampleScene.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

namespace {

const char* const kA = "bg\\bg00e1.bmp (0, 0)";
const char* const kB = "bg\\bg05m.bmp (0, 0)";

class EffectSampleTest : public ::testing::Test {
protected:

    CEffectSampleScene& Scene() { return g.Scene<CEffectSampleScene>(); }
    // Probed away from the texts at the bottom.
    std::string Shown() { return g.CellAt(400, 300); }

    sampletest::CSampleGame g{27,
                              {kit::MakeSheet("bg\\bg00e1.bmp", 800, 600), kit::MakeSheet("bg\\bg05m.bmp", 800, 600),
                               kit::MakeSheet("effect\\effect53.bmp", 400, 300)}};
};

}  // namespace

TEST_F(EffectSampleTest, LoadsTheSharedRulePictureAtScreenSizeWithItsThreshold) {
    int32_t w = 0, h = 0;
    GetTransitionMask().GetSize(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(GetTransitionMask().GetThreshold(), 128);
}

TEST_F(EffectSampleTest, ArrowKeysWrapAroundTheTransitionsAndNameTheChosenOne) {
    struct SStep {
        uint32_t key;
        int32_t index;
        const char* name;
    };
    const SStep steps[] = {
        {VKey::kLeft, 53, "53:Trans_Zoom3"},
        {VKey::kRight, 0, "00:Trans_None"},
        {VKey::kRight, 1, "01:Trans_Fade"},
        {VKey::kLeft, 0, "00:Trans_None"},
    };
    EXPECT_EQ(Scene().GetNameText().GetText(), "00:Trans_None");
    EXPECT_FALSE(Scene().GetHolder().HasTransition());
    for (const SStep& s : steps) {
        g.d.Frame(7);
        g.Key(s.key);
        EXPECT_EQ(Scene().GetIndex(), s.index);
        EXPECT_EQ(Scene().GetHolder().GetIndex(), s.index);
        EXPECT_TRUE(Scene().GetHolder().HasTransition());
        EXPECT_EQ(Scene().GetNameText().GetText(), s.name);
        EXPECT_TRUE(Scene().GetNameText().IsActive()) << "the name starts again";
        EXPECT_EQ(Scene().GetProgress(), 0) << "a new transition starts its cycle";
    }
}

TEST_F(EffectSampleTest, TheProgressRunsTwelveAFrameAndWrapsPast2048) {
    EXPECT_EQ(Scene().GetProgress(), 12);
    g.Key(VKey::kRight);
    ASSERT_EQ(Scene().GetProgress(), 0);
    g.d.Frame(170);
    EXPECT_EQ(Scene().GetProgress(), 2040);
    g.d.Frame();
    EXPECT_EQ(Scene().GetProgress(), 4);
}

TEST_F(EffectSampleTest, PictureAStandsAloneUntilATransitionIsChosen) {
    EXPECT_EQ(Shown(), kA);
    g.d.Frame(90);  // past the middle of the cycle
    EXPECT_EQ(Shown(), kA);
    EXPECT_FALSE(Scene().HasChosen());
}

TEST_F(EffectSampleTest, EachCycleRunsFromAToBAndBackToA) {
    // The cut shows the incoming picture as soon as it has begun: which one comes in
    // tells the direction.
    g.Key(VKey::kLeft);
    g.Key(VKey::kRight);
    ASSERT_EQ(Scene().GetIndex(), 0);
    EXPECT_EQ(Shown(), kA) << "progress 0: the outgoing A";
    g.d.Frame();
    EXPECT_EQ(Shown(), kB) << "progress 12: B comes in";
    g.d.Frame(84);
    EXPECT_EQ(Scene().GetProgress(), 1020);
    EXPECT_EQ(Shown(), kB);
    g.d.Frame();
    EXPECT_EQ(Scene().GetProgress(), 1032);
    EXPECT_EQ(Shown(), kA) << "the way back: A comes in";
}

TEST_F(EffectSampleTest, TheFadeShowsExactlyAAtZeroAndExactlyBAt1024) {
    g.Key(VKey::kRight);
    ASSERT_EQ(Scene().GetIndex(), 1);
    const screentest::SFrame start = g.d.Pixels();
    for (auto [x, y] : {std::pair{0, 0}, std::pair{400, 300}, std::pair{798, 540}}) {
        EXPECT_EQ(g.d.Probe().At(start, x, y).Describe(), kA) << x << "," << y;
    }
    g.d.Frame(40);
    EXPECT_EQ(g.d.Probe().At(g.d.Pixels(), 400, 300).Describe(), "no cell") << "half way: a mix of both";
    // 0 → 2040, wrapped to 4, then 85 more steps: exactly 1024, B outgoing at its start.
    g.d.Frame(256 - 40);
    ASSERT_EQ(Scene().GetProgress(), 1024);
    const screentest::SFrame half = g.d.Pixels();
    for (auto [x, y] : {std::pair{0, 0}, std::pair{400, 300}, std::pair{798, 540}}) {
        EXPECT_EQ(g.d.Probe().At(half, x, y).Describe(), kB) << x << "," << y;
    }
}

TEST_F(EffectSampleTest, TheSampleLineRunsOverAndOverAndUpAndDownChangeItsEffect) {
    CTextObject& line = Scene().GetSampleText();
    // Restarted each time its reveal is over: never held finished.
    size_t most = 0;
    bool restarted = false;
    for (int i = 0; i < 300; ++i) {
        const size_t before = line.GetRevealedCount();
        g.d.Frame();
        EXPECT_FALSE(line.IsHolding());
        most = std::max(most, line.GetRevealedCount());
        restarted = restarted || line.GetRevealedCount() < before;
    }
    EXPECT_EQ(most, line.GetCharCount());
    EXPECT_TRUE(restarted);

    g.d.Frame(30);
    ASSERT_GT(line.GetRevealedCount(), 2u);
    g.Key(VKey::kUp);
    EXPECT_EQ(Scene().GetTextEffect(), 0) << "never below 0";
    EXPECT_LE(line.GetRevealedCount(), 2u) << "but the line starts again";
    g.Key(VKey::kDown);
    g.Key(VKey::kDown);
    EXPECT_EQ(Scene().GetTextEffect(), 2);
    EXPECT_EQ(line.GetDisplayEffect(), 2);
    EXPECT_EQ(line.GetEffectFrames(), 25);
}
