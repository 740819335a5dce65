// The text sample: ten lines in two columns, paging by tens, lines kept running, and
// effect numbers past the known ones drawn all the same.
#include <gtest/gtest.h>

#include "game/menus/sample/TextSampleScene.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

namespace {

class TextSampleTest : public ::testing::Test {
protected:
    CTextObject& Line(int32_t i) { return g.Scene<CTextSampleScene>().GetLine(i); }
    void ExpectPage(int32_t page) {
        ASSERT_EQ(g.Scene<CTextSampleScene>().GetEffectPage(), page);
        for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) {
            EXPECT_EQ(Line(i).GetDisplayEffect(), i + 10 * page);
            EXPECT_EQ(Line(i).GetText(), sampletest::EffectLine(i + 10 * page));
            EXPECT_LE(Line(i).GetRevealedCount(), 2u) << "started afresh";
        }
    }
    // Pixels of a line's first character cell that differ from the grey background.
    int Inked(int32_t i) {
        const screentest::SFrame f = g.d.Pixels();
        int inked = 0;
        for (int32_t y = Line(i).GetY(); y < Line(i).GetY() + 22; ++y)
            for (int32_t x = Line(i).GetX(); x < Line(i).GetX() + 22; ++x) inked += f.At(x, y) != 0x646464u;
        return inked;
    }

    sampletest::CSampleGame g{28, {}};
};

}  // namespace

TEST_F(TextSampleTest, TenLinesInTwoColumnsPagedByTens) {
    for (int32_t i = 0; i < CTextSampleScene::kLines; ++i) {
        EXPECT_EQ(Line(i).GetX(), i < 5 ? 5 : 405);
        EXPECT_EQ(Line(i).GetY(), 80 + 100 * (i % 5));
    }
    EXPECT_EQ(Line(3).GetText(), "表示エフェクト 3番なんだかんねっ!!");
    EXPECT_EQ(g.d.Pixels().At(799, 0), 0x646464u) << "the grey background";
    g.d.Frame(60);
    g.Key(VKey::kLeft);
    ExpectPage(0);
    g.Key(VKey::kRight, 3);
    ExpectPage(3);
    EXPECT_EQ(Line(7).GetText(), "表示エフェクト37番なんだかんねっ!!");
}

TEST_F(TextSampleTest, AFinishedLineIsHeldAndAnIdleOneStartsAgain) {
    g.d.Frame(200);
    EXPECT_TRUE(Line(4).IsHolding());
    Line(4).Stop();
    g.d.Frame();
    EXPECT_TRUE(Line(4).IsRevealing());
}

TEST_F(TextSampleTest, EveryEffectNumberDrawsItsLine) {
    // 0 the plain effect, 37 the last numbered one, 38 and 1000 unknown numbers.
    for (auto [page, line] : {std::pair{0, 0}, std::pair{3, 7}, std::pair{3, 8}, std::pair{100, 0}}) {
        g.Key(VKey::kRight, page - g.Scene<CTextSampleScene>().GetEffectPage());
        g.d.Frame(120);
        EXPECT_TRUE(Line(line).IsHolding());
        EXPECT_GT(Inked(line), 0) << "effect " << page * 10 + line;
    }
}
