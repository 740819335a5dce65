// The balloon sample: four balloons at their places with their styles and lines,
// paging by fours, the closed pause before each reopening, and a device reset.
#include <gtest/gtest.h>

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
    void ExpectPage(int32_t page, const int32_t (&styles)[4]) {
        ASSERT_EQ(Scene().GetEffectPage(), page);
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(Balloon(i).GetFrameIndex(), styles[i]);
            EXPECT_EQ(Balloon(i).GetTextObject().GetText(), sampletest::EffectLine(i + 4 * page));
            EXPECT_TRUE(Balloon(i).IsOpening()) << "balloon " << i << " opens from closed";
        }
    }
    // Once every opening effect has ended, the shapes stand at their places.
    void ExpectShapesInPlace() {
        for (int i = 0; i < 100 && Balloon(3).GetState() != CBalloonWindow::STATE_REVEALING; ++i) g.d.Frame();
        const screentest::SFrame f = g.d.Pixels();
        for (int32_t i = 0; i < 4; ++i)
            EXPECT_TRUE(g.d.Probe().ShowsCellAt(f, kSheet, Balloon(i).GetFrameIndex(), 0, kPlaces[i].x, kPlaces[i].y));
    }

    sampletest::CSampleGame g{29, {kit::MakeSheet(kSheet, 9 * 360, 160, 9, 1)}};
};

}  // namespace

TEST_F(BalloonSampleTest, FourBalloonsAtTheirPlacesPagedByFoursWithStylesWrappingAtNine) {
    ExpectPage(0, {0, 1, 2, 3});
    ExpectShapesInPlace();
    EXPECT_EQ(g.d.Pixels().At(799, 0), 0x646464u) << "the grey background";
    g.d.Frame(20);
    g.Key(VKey::kRight, 2);
    ExpectPage(2, {8, 0, 1, 2});
    g.Key(VKey::kLeft, 3);
    ExpectPage(0, {0, 1, 2, 3});
}

TEST_F(BalloonSampleTest, AClosedBalloonWaits31FramesThenOpensAgain) {
    CBalloonWindow& b = Balloon(2);
    for (int i = 0; i < 400 && b.IsShown(); ++i) g.d.Frame();
    ASSERT_FALSE(b.IsShown()) << "a shown balloon closes by itself";
    g.d.Frame(29);
    EXPECT_EQ(Scene().GetWaitFrames(2), 30);
    EXPECT_FALSE(b.IsShown());
    g.d.Frame();
    EXPECT_TRUE(b.IsOpening());
    EXPECT_EQ(Scene().GetWaitFrames(2), 0);
}

TEST_F(BalloonSampleTest, ShapesComeBackAfterADeviceReset) {
    g.d.Device()->GetDevice()->SimulateDeviceLost();
    g.d.Frame();
    ASSERT_EQ(g.d.Game().GetDeviceRestoreCount(), 1u);
    ExpectShapesInPlace();
}
