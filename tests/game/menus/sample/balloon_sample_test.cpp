// The balloon sample: four balloons at their places with their styles and lines,
// paging by fours, the closed pause before each reopening, and a device reset.
#include <gtest/gtest.h>

#include "engine/base/StringUtil.h"
#include "engine/d3d/D3DDevice.h"
#include "game/menus/sample/BalloonSampleScene.h"
#include "game/stage/message/BalloonWindow.h"
#include "platform/gfx/GfxDevice.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

namespace {

const char* const kSheet = "obj\\f000_000.bmp";
const SPoint kPlaces[] = {{20, 80}, {20, 380}, {420, 80}, {420, 380}};

class BalloonSampleTest : public ::testing::Test {
protected:

    CBalloonSampleScene& Scene() { return g.Scene<CBalloonSampleScene>(); }
    CBalloonWindow& Balloon(int32_t i) { return Scene().GetBalloon(i); }
    // Runs frames until `done` holds (at most `limit`); false when it never did.
    template <class F>
    bool FrameUntil(F done, int limit = 400) {
        for (int i = 0; i < limit && !done(); ++i) g.d.Frame();
        return done();
    }
    void ExpectPage(int32_t page, const int32_t (&styles)[4]) {
        ASSERT_EQ(Scene().GetEffectPage(), page);
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t n = i + 4 * page;
            EXPECT_EQ(Balloon(i).GetFrameIndex(), styles[i]);
            EXPECT_EQ(Balloon(i).GetTextObject().GetText(), FormatString("表示エフェクト%2d番なんだかんねっ!!", n));
            EXPECT_EQ(Balloon(i).GetTextObject().GetDisplayEffect(), 1);
            EXPECT_EQ(Balloon(i).GetTextObject().GetEffectFrames(), 10);
            EXPECT_TRUE(Balloon(i).IsOpening()) << "balloon " << i << " opens from closed";
            EXPECT_EQ(Scene().GetWaitFrames(i), 0);
        }
    }
    // Every opening effect has ended: the shapes stand still while the lines come in.
    bool AllRevealing() {
        for (int32_t i = 0; i < 4; ++i) {
            if (Balloon(i).GetState() != CBalloonWindow::STATE_REVEALING) return false;
        }
        return true;
    }
    void ExpectShapesInPlace() {
        const screentest::SFrame f = g.d.Pixels();
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_TRUE(g.d.Probe().ShowsCellAt(f, kSheet, Balloon(i).GetFrameIndex(), 0, kPlaces[i].x, kPlaces[i].y))
                << "balloon " << i;
        }
    }

    sampletest::CSampleGame g{29, {kit::MakeSheet(kSheet, 9 * 360, 160, 9, 1)}};
};

}  // namespace

TEST_F(BalloonSampleTest, FourBalloonsOpenAtTheirPlacesWithEffectsAndStylesOfTheirPage) {
    ExpectPage(0, {0, 1, 2, 3});
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(Balloon(i).GetPosition(), kPlaces[i]);
    ASSERT_TRUE(FrameUntil([&] { return AllRevealing(); }));
    ExpectShapesInPlace();
    EXPECT_EQ(g.d.Pixels().At(799, 0), 0x646464u) << "the grey background";
}

TEST_F(BalloonSampleTest, PagingRestartsAllFourAndStylesWrapAtNine) {
    g.d.Frame(45);
    g.Key(VKey::kRight);
    g.d.Frame(20);
    g.Key(VKey::kRight);
    ExpectPage(2, {8, 0, 1, 2});
    g.Key(VKey::kLeft);
    ExpectPage(1, {4, 5, 6, 7});
    g.Key(VKey::kLeft);
    g.Key(VKey::kLeft);
    ExpectPage(0, {0, 1, 2, 3});
}

TEST_F(BalloonSampleTest, AClosedBalloonWaits31FramesThenOpensAgain) {
    CBalloonWindow& b = Balloon(2);
    ASSERT_TRUE(FrameUntil([&] { return b.IsClosing(); })) << "a shown balloon closes by itself";
    ASSERT_TRUE(FrameUntil([&] { return !b.IsShown(); }));
    EXPECT_EQ(Scene().GetWaitFrames(2), 1);
    g.d.Frame(29);
    EXPECT_FALSE(b.IsShown());
    EXPECT_EQ(Scene().GetWaitFrames(2), 30);
    g.d.Frame();
    EXPECT_TRUE(b.IsOpening());
    EXPECT_EQ(Scene().GetWaitFrames(2), 0);
}

TEST_F(BalloonSampleTest, ShapesComeBackAfterADeviceReset) {
    ASSERT_TRUE(FrameUntil([&] { return AllRevealing(); }));
    g.d.Device()->GetDevice()->SimulateDeviceLost();
    g.d.Frame();
    EXPECT_EQ(g.d.Game().GetDeviceRestoreCount(), 1u);
    for (int32_t i = 0; i < 4; ++i) EXPECT_TRUE(Balloon(i).IsFrameLoaded());
    ExpectShapesInPlace();
}
