// The transition sample: the arrow keys around the 54 transitions, the progress cycle,
// the pictures each way through the software device, and the sample line.
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
    // Corners and centre, away from the texts at the bottom.
    void ExpectWhole(const char* cell, const char* when) {
        const screentest::SFrame f = g.d.Pixels();
        for (auto [x, y] : {std::pair{0, 0}, std::pair{400, 300}, std::pair{799, 540}})
            EXPECT_EQ(g.d.Probe().At(f, x, y).Describe(), cell) << when << " at " << x << "," << y;
    }

    sampletest::CSampleGame g{27,
                              {kit::MakeSheet("bg\\bg00e1.bmp", 800, 600), kit::MakeSheet("bg\\bg05m.bmp", 800, 600),
                               kit::MakeSheet("effect\\effect53.bmp", 400, 300)}};
};

}  // namespace

TEST_F(EffectSampleTest, ArrowKeysWrapAroundTheTransitionsAndNameTheChosenOne) {
    int32_t w = 0, h = 0;
    GetTransitionMask().GetSize(&w, &h);
    EXPECT_EQ(w * 10000 + h, 800 * 10000 + 600) << "the rule picture at screen size";
    EXPECT_EQ(GetTransitionMask().GetThreshold(), 128);
    EXPECT_EQ(Scene().GetNameText().GetText(), "00:Trans_None");
    g.d.Frame(90);
    ExpectWhole(kA, "before any key");

    const struct {
        uint32_t key;
        int32_t index;
        const char* name;
    } steps[] = {{VKey::kLeft, 53, "53:Trans_Zoom3"}, {VKey::kRight, 0, "00:Trans_None"}, {VKey::kRight, 1, "01:Trans_Fade"}};
    for (const auto& s : steps) {
        g.d.Frame(7);
        g.Key(s.key);
        EXPECT_EQ(Scene().GetHolder().GetIndex(), s.index);
        EXPECT_EQ(Scene().GetNameText().GetText(), s.name);
        EXPECT_EQ(Scene().GetProgress(), 0) << "a new transition starts its cycle";
    }
}

TEST_F(EffectSampleTest, EachCycleRunsFromAToBAndBackToA) {
    // The cut shows the incoming picture once it has begun: which one comes in tells the way.
    g.Key(VKey::kLeft);
    g.Key(VKey::kRight);
    ExpectWhole(kA, "progress 0");
    g.d.Frame();
    ExpectWhole(kB, "progress 12");
    g.d.Frame(85);
    EXPECT_EQ(Scene().GetProgress(), 1032);
    ExpectWhole(kA, "on the way back");
    g.d.Frame(170 - 86);
    EXPECT_EQ(Scene().GetProgress(), 2040);
    g.d.Frame();
    EXPECT_EQ(Scene().GetProgress(), 4) << "2052 wraps by 2048";
}

TEST_F(EffectSampleTest, TheFadeShowsExactlyAAtZeroAndExactlyBAt1024) {
    g.Key(VKey::kRight);
    ExpectWhole(kA, "progress 0");
    g.d.Frame(40);
    EXPECT_EQ(g.CellAt(400, 300), "no cell") << "half way: a mix of both";
    g.d.Frame(256 - 40);  // 0 → 2040, wrapped to 4, then 85 steps more
    ASSERT_EQ(Scene().GetProgress(), 1024);
    ExpectWhole(kB, "progress 1024");
}

TEST_F(EffectSampleTest, TheSampleLineRunsOverAndOverAndUpAndDownChangeItsEffect) {
    CTextObject& line = Scene().GetSampleText();
    bool restarted = false;
    for (int i = 0; i < 300; ++i) {
        const size_t before = line.GetRevealedCount();
        g.d.Frame();
        ASSERT_FALSE(line.IsHolding()) << "never rests on the finished line";
        restarted = restarted || line.GetRevealedCount() < before;
    }
    EXPECT_TRUE(restarted);
    while (line.GetRevealedCount() < 3) g.d.Frame();
    g.Key(VKey::kUp);
    EXPECT_EQ(Scene().GetTextEffect(), 0) << "never below 0";
    EXPECT_LE(line.GetRevealedCount(), 2u) << "but the line starts again";
    g.Key(VKey::kDown, 2);
    EXPECT_EQ(line.GetDisplayEffect(), 2);
}
