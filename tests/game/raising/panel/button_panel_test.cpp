// The confirmation panel: its tweens step by step, the pointer only while open, the
// one-frame click of a momentary button, and every type's pictures in place.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/raising/panel/ButtonPanel.h"
#include "tests/support/screen/ScreenDriver.h"

using namespace screentest;

namespace {

struct SType {
    int type;
    const char* background;
    int x, y;
    const char* sheet;
    int bx, by;
};

const SType kTypes[] = {
    {1, "obj\\b000_009.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {2, "obj\\b000_010.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {3, "obj\\f000_007.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {4, "obj\\p000_003.bmp", 272, 336, "obj\\b000_011.bmp", 320, 424},
    {5, "obj\\p000_004.bmp", 272, 336, "obj\\b000_011.bmp", 320, 424},
    {6, "obj\\c000_014.bmp", 224, 192, "obj\\c000_015.bmp", 272, 288},
    {7, "obj\\s000_005.bmp", 80, 184, "obj\\s000_006.bmp", 128, 296},
    {8, "obj\\t001_000.bmp", 224, 104, "obj\\b000_011.bmp", 272, 200},
};

class ButtonPanelTest : public ::testing::Test {
protected:
    ButtonPanelTest() {
        SetDebugOutputEnabled(false);
        for (const SType& t : kTypes) {
            d.Probe().Write(d.Folder(), kit::MakeSheet(t.background, 352, 200, 1, 1));
            if (!d.Probe().Find(t.sheet)) d.Probe().Write(d.Folder(), kit::MakeSheet(t.sheet, 256, 160, 2, 5));
        }
    }
    ~ButtonPanelTest() override { SetDebugOutputEnabled(true); }
    void Frames(int n, int x = -1, int y = -1, bool decide = false) {
        d.Frame(panel, n, [&] { panel.SetCursor(x, y, decide); });
    }

    CObjectDriver d;
    CButtonPanel panel;
};

}  // namespace

TEST_F(ButtonPanelTest, OpeningAndClosingFollowTheirStepTablesAndClosingReleasesThePictures) {
    const int openOffset[] = {-100, -81, -64, -49, -36, -25, -16, -9, -4, -1, 0};
    const int openAlpha[] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255};
    const int closeOffset[] = {0, 1, 4, 9, 16, 25, 36, 49, 64, 81, 100};
    const int closeAlpha[] = {255, 230, 204, 179, 153, 128, 102, 77, 51, 26, 0};
    ASSERT_TRUE(panel.SetupPanelButtons(2));
    panel.Open();
    for (int step = 0; step <= 10; ++step) {
        EXPECT_EQ(panel.GetOffset(), openOffset[step]) << "opening step " << step;
        EXPECT_EQ(panel.GetAlpha(), openAlpha[step]) << "opening step " << step;
        EXPECT_EQ(panel.IsMoving(), step < 10);
        if (step < 10) panel.Update();
    }
    EXPECT_TRUE(panel.IsOpen());
    panel.Open();
    EXPECT_EQ(panel.GetOffset(), 0) << "Open on an open panel restarts nothing";
    panel.Close();
    for (int step = 0; step <= 10; ++step) {
        EXPECT_EQ(panel.GetOffset(), closeOffset[step]) << "closing step " << step;
        EXPECT_EQ(panel.GetAlpha(), closeAlpha[step]) << "closing step " << step;
        if (step < 10) panel.Update();
    }
    EXPECT_FALSE(panel.IsOpen());
    EXPECT_FALSE(panel.IsMoving());
    EXPECT_FALSE(panel.GetButton(0).HasImage());
    d.Draw([&] { panel.Draw(); });
    EXPECT_TRUE(d.Probe().Absent(d.Pixels(), "obj\\b000_010.bmp", 0, 0));
    panel.Close();
    EXPECT_EQ(panel.GetState(), CButtonPanel::STATE_CLOSED) << "Close on a closed panel does nothing";
}

TEST_F(ButtonPanelTest, OpenDuringClosingRestartsFromTheTop) {
    panel.SetupPanelButtons(1);
    panel.Open();
    Frames(10);
    panel.Close();
    Frames(4);
    panel.Open();
    EXPECT_EQ(panel.GetOffset(), -100);
    EXPECT_EQ(panel.GetAlpha(), 0);
    Frames(1);
    const SFrame f = d.Pixels();
    EXPECT_NE(f.At(224 + 5, 192 - 81), 0u) << "the first drawn frame shows step 1, 81 pixels up";
    EXPECT_EQ(f.At(224 + 5, 192 - 82), 0u);
}

TEST_F(ButtonPanelTest, TheButtonsTakeNoPointerWhileMovingAndAClickChecksForOneFrame) {
    panel.SetupPanelButtons(2);
    panel.Open();
    for (int i = 0; i < 10; ++i) {
        Frames(1, 280, 296, true);
        EXPECT_FALSE(panel.HoverBegan(0) || panel.BecameChecked(0)) << "frame " << i << " while opening";
    }
    ASSERT_TRUE(panel.IsOpen() && !panel.IsMoving());
    Frames(1, 280, 336, false);
    EXPECT_TRUE(panel.HoverBegan(1));
    EXPECT_FALSE(panel.HoverBegan(0));
    Frames(1, 280, 296, true);
    EXPECT_TRUE(panel.BecameChecked(0));
    EXPECT_FALSE(panel.BecameChecked(1));
    Frames(1, 10, 10, false);
    EXPECT_FALSE(panel.BecameChecked(0)) << "only in the frame of the click";
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), "obj\\b000_011.bmp", 0, 2, 272, 288)) << "checked look";
    Frames(4, 10, 10, false);
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), "obj\\b000_011.bmp", 0, 0, 272, 288)) << "released by itself";
}

TEST_F(ButtonPanelTest, EveryTypeShowsItsBackgroundAndButtonsInPlace) {
    for (const SType& t : kTypes) {
        SCOPED_TRACE(t.type);
        panel.SetupPanelButtons(t.type);
        EXPECT_EQ(panel.GetType(), t.type);
        panel.Open();
        Frames(10);
        const SFrame f = d.Pixels();
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, t.background, 0, 0, t.x, t.y));
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, t.sheet, 0, 0, t.bx, t.by));
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, t.sheet, 1, 0, t.bx, t.by + 40));
        panel.Close();
        Frames(10);
    }
}

TEST_F(ButtonPanelTest, TypesOutsideOneToEightLoadNothingButStillRunTheTweens) {
    for (int type : {0, 9}) {
        CButtonPanel fresh;
        EXPECT_TRUE(fresh.SetupPanelButtons(type));
        EXPECT_EQ(fresh.GetType(), type);
        fresh.Open();
        d.Frame(fresh, 10);
        EXPECT_TRUE(fresh.IsOpen() && !fresh.IsMoving());
        const SFrame f = d.Pixels();
        EXPECT_EQ(std::count(f.pixels.begin(), f.pixels.end(), 0u), static_cast<long>(f.pixels.size()));
    }
}

TEST_F(ButtonPanelTest, SetOpenShowsAtOnceAndARestoredDeviceKeepsThePanelDrawn) {
    panel.SetupPanelButtons(6);
    panel.SetOpen();
    Frames(1, 280, 296, true);
    EXPECT_TRUE(panel.BecameChecked(0)) << "open at once: the buttons take the pointer";
    Frames(5);
    const SFrame before = d.Pixels();
    ASSERT_TRUE(d.LoseAndResetDevice());
    panel.OnDeviceRestored();
    Frames(1);
    EXPECT_EQ(d.Pixels().pixels, before.pixels);
    EXPECT_TRUE(d.Probe().ShowsCellAt(before, "obj\\c000_015.bmp", 1, 0, 272, 328));
}
