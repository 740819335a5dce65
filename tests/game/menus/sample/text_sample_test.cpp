// The text sample: ten lines in two columns, paging by tens, lines kept running, and
// effect numbers past the known ones drawn all the same.
#include <gtest/gtest.h>

#include "engine/base/StringUtil.h"
#include "game/menus/sample/TextSampleScene.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

namespace {

class TextSampleTest : public ::testing::Test {
protected:

    CTextSampleScene& Scene() { return g.Scene<CTextSampleScene>(); }
    // Pixels of a line's first character cell that are not the grey background.
    int Inked(int32_t line) {
        const screentest::SFrame f = g.d.Pixels();
        const CTextObject& t = Scene().GetLine(line);
        int inked = 0;
        for (int32_t y = t.GetY(); y < t.GetY() + 22; ++y) {
            for (int32_t x = t.GetX(); x < t.GetX() + 22; ++x) inked += f.At(x, y) != 0x646464u;
        }
        return inked;
    }
    void ExpectPage(int32_t page) {
        ASSERT_EQ(Scene().GetEffectPage(), page);
        for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) {
            const int32_t n = i + 10 * page;
            EXPECT_EQ(Scene().GetLine(i).GetDisplayEffect(), n);
            EXPECT_EQ(Scene().GetLine(i).GetText(), FormatString("表示エフェクト%2d番なんだかんねっ!!", n));
        }
    }

    sampletest::CSampleGame g{28, {}};
};

}  // namespace

TEST_F(TextSampleTest, TenLinesStandInTwoColumnsOfFive) {
    const int32_t xs[] = {5, 5, 5, 5, 5, 405, 405, 405, 405, 405};
    const int32_t ys[] = {80, 180, 280, 380, 480, 80, 180, 280, 380, 480};
    for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) {
        EXPECT_EQ(Scene().GetLine(i).GetX(), xs[i]);
        EXPECT_EQ(Scene().GetLine(i).GetY(), ys[i]);
    }
    ExpectPage(0);
    EXPECT_EQ(Scene().GetLine(3).GetText(), "表示エフェクト 3番なんだかんねっ!!");
    EXPECT_EQ(g.d.Pixels().At(799, 0), 0x646464u) << "the grey background";
}

TEST_F(TextSampleTest, LeftAtPageZeroKeepsItAndRestartsEveryLine) {
    g.d.Frame(60);
    for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) ASSERT_GT(Scene().GetLine(i).GetRevealedCount(), 3u);
    g.Key(VKey::kLeft);
    ExpectPage(0);
    for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) {
        EXPECT_TRUE(Scene().GetLine(i).IsRevealing());
        EXPECT_LE(Scene().GetLine(i).GetRevealedCount(), 2u);
    }
}

TEST_F(TextSampleTest, RightPagesByTensWithoutLimitAndLeftGoesBack) {
    for (int i = 0; i < 3; ++i) g.Key(VKey::kRight);
    ExpectPage(3);
    EXPECT_EQ(Scene().GetLine(7).GetText(), "表示エフェクト37番なんだかんねっ!!");
    g.Key(VKey::kLeft);
    ExpectPage(2);
}

TEST_F(TextSampleTest, ALineThatWentIdleStartsAgain) {
    g.d.Frame(200);
    EXPECT_TRUE(Scene().GetLine(4).IsHolding()) << "a finished line is held, not restarted";
    Scene().GetLine(4).Stop();
    g.d.Frame();
    EXPECT_TRUE(Scene().GetLine(4).IsRevealing());
}

TEST_F(TextSampleTest, EveryEffectNumberDrawsItsLine) {
    // 0 is the plain effect, 37 the last numbered one, 38 and 1000 unknown numbers that
    // the motion factory answers with the plain effect.
    struct SCase {
        int32_t page;
        int32_t line;
    };
    const SCase cases[] = {{0, 0}, {3, 7}, {3, 8}, {100, 0}};
    for (const SCase& c : cases) {
        while (Scene().GetEffectPage() < c.page) g.Key(VKey::kRight);
        g.d.Frame(120);
        EXPECT_EQ(Scene().GetLine(c.line).GetDisplayEffect(), c.page * 10 + c.line);
        EXPECT_TRUE(Scene().GetLine(c.line).IsHolding());
        EXPECT_GT(Inked(c.line), 0) << "effect " << c.page * 10 + c.line;
    }
}
