// The in-game scene's slide panel: which items open, the close timer, the slide, and
// the date drawn from the running game's status.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/core/GameState.h"
#include "game/core/RunningGame.h"
#include "game/raising/panel/SlidePanel.h"
#include "tests/support/screen/ScreenDriver.h"

using namespace screentest;

namespace {

constexpr const char* kBackground = "obj\\e000_000.bmp";
constexpr const char* kDigits = "obj\\e000_001.bmp";

// Draws the slide panel as its owner does.
class CPanelHost : public CSceneBase {
public:
    void Update() override { panel.Update(); }
    void Draw() override { panel.Draw(); }
    CSlidePanel panel;
};

class SlidePanelTest : public ::testing::Test {
protected:
    SlidePanelTest() : m_Running(m_State) {
        SetDebugOutputEnabled(false);
        d.Probe().Write(d.Folder(), kit::MakeSheet(kBackground, 240, 120));
        d.Probe().Write(d.Folder(), kit::MakeSheet(kDigits, 12 * 16, 24, 12, 1));
        for (int label = 2; label <= 4; ++label) {
            d.Probe().Write(d.Folder(), kit::MakeSheet("obj\\e000_00" + std::to_string(label) + ".bmp", 40, 12));
        }
        for (const char* picture : {"obj\\e000_006.bmp", "obj\\e000_014.bmp", "obj\\e000_025.bmp", "obj\\e000_027.bmp"}) {
            d.Probe().Write(d.Folder(), kit::MakeSheet(picture, 64, 32));
        }
        host = std::make_unique<CPanelHost>();
        Date(2, 5, 1);
    }
    ~SlidePanelTest() override { SetDebugOutputEnabled(true); }
    void Date(int year, int month, int week) {
        m_State.GetStatus().SetParam(109, 0, year);
        m_State.GetStatus().SetParam(109, 1, month);
        m_State.GetStatus().SetParam(109, 2, week);
    }
    CSlidePanel& Panel() { return host->panel; }

    CGameState m_State;
    CRunningGameOverride m_Running;
    CObjectDriver d;
    std::unique_ptr<CPanelHost> host;
};

}  // namespace

TEST_F(SlidePanelTest, OnlyItemsWithAPictureOpen) {
    for (int item = 0; item < CSlidePanel::kItemCount; ++item) {
        Panel().Open(item);
        const bool known = item == 1 || item == 9 || item == 20 || item == 22;
        EXPECT_EQ(Panel().GetState(item), known ? CSlidePanel::STATE_OPENING : CSlidePanel::STATE_CLOSED) << item;
    }
    CLogCapture log;
    Panel().Open(23);
    Panel().SetCloseTimer(-1, 5);
    EXPECT_EQ(log.Count(), 2u) << "an index out of range is refused with a log line";
    Panel().ClearValues();
    EXPECT_FALSE(Panel().IsAnyOpen());
    d.Frame(*host);
    EXPECT_TRUE(d.Probe().Absent(d.Pixels(), kBackground, 0, 0)) << "cleared at once, without sliding";
}

TEST_F(SlidePanelTest, ACloseTimerClosesOnItsLastUpdateAndTheSlideOutTakesTwentySteps) {
    Panel().Show(9);
    Panel().SetValue(9, 120);
    Panel().Open(8);
    Panel().SetCloseTimer(8, 2);
    for (int update = 1; update <= 139; ++update) {
        host->Update();
        const int expected = update < 20    ? CSlidePanel::STATE_OPENING
                             : update < 120 ? CSlidePanel::STATE_OPEN
                             : update < 139 ? CSlidePanel::STATE_CLOSING
                                            : CSlidePanel::STATE_CLOSED;
        ASSERT_EQ(Panel().GetState(9), expected) << "update " << update;
        EXPECT_EQ(Panel().IsAnyOpen(), expected == CSlidePanel::STATE_OPENING || expected == CSlidePanel::STATE_OPEN);
    }
    EXPECT_EQ(Panel().GetState(8), CSlidePanel::STATE_CLOSED);
}

TEST_F(SlidePanelTest, AnOpenItemShowsItsPartsAndTheDateWithTheYearTurningInApril) {
    Date(3, 2, 4);  // months 1 to 3 count to the year before
    Panel().Open(1);
    d.Frame(*host, 20);
    SFrame f = d.Pixels();
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, kBackground, 0, 0, 0, 0));
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\e000_002.bmp", 0, 0, 56, 36));
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\e000_003.bmp", 0, 0, 128, 52));
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\e000_004.bmp", 0, 0, 180, 48));
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\e000_006.bmp", 0, 0, 108, 78));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 1, 0, 17, 7));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 1, 0, 91, 7));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 3, 0, 149, 7));
    Date(3, 4, 1);
    d.Frame(*host);
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), kDigits, 2, 0, 17, 7));

    Date(1, 3, 1);  // the first year's first months have no year digit
    CLogCapture log;
    d.Frame(*host);
    f = d.Pixels();
    EXPECT_EQ(d.Probe().At(f, 17, 7).sheet, kBackground);
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 2, 0, 91, 7));
    EXPECT_EQ(log.Count(), 0u) << "no refused cell is asked for";
}

TEST_F(SlidePanelTest, ADateBelowOneStopsThisAndEveryLaterItem) {
    Panel().Open(1);
    Panel().Open(9);
    d.Frame(*host, 20);
    Date(2, 5, 0);
    d.Frame(*host);
    const SFrame f = d.Pixels();
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, kBackground, 0, 0, 0, 0)) << "drawn before the date";
    EXPECT_TRUE(d.Probe().Absent(f, "obj\\e000_006.bmp", 0, 0));
    EXPECT_TRUE(d.Probe().Absent(f, "obj\\e000_014.bmp", 0, 0));
}

TEST_F(SlidePanelTest, OpeningSlidesInFromAboveTheCorner) {
    Panel().Open(22);
    d.Frame(*host);
    // Step 1 of 20 easing out from -120: -(19² × 120 / 400) = -108.
    EXPECT_EQ(Panel().GetOffsetX(22), -108);
    const SFrame f = d.Pixels();
    EXPECT_NE(f.At(240 - 108 - 1, 120 - 108 - 1), 0u);
    EXPECT_EQ(f.At(240 - 108, 120 - 108 - 1), 0u);
    Panel().HideAll();
    EXPECT_EQ(Panel().GetState(22), CSlidePanel::STATE_CLOSING);
}
