// The two status pages over a kept game: every number at its places, the cells chosen
// by the status, the item and value lists, and the way in and out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/d3d/D3DDevice.h"
#include "game/core/Status.h"
#include "game/menus/status/StatusPageScene1.h"
#include "game/menus/status/StatusPageScene2.h"
#include "tests/game/menus/status/StatusTestUtil.h"

namespace {

using P1 = CStatusPageScene1;
using P2 = CStatusPageScene2;

struct SDigit {
    int32_t digit, x, y;
};
struct SPlace {
    int32_t x, y;
};

class StatusPageTest : public ::testing::Test, public statustest::CStatusGame {
protected:
    void Away() { d.Move(790, 300); }
    // Draws a frame with the pointer away from every button.
    screentest::SFrame Shot() {
        Away();
        d.Frame();
        return d.Pixels();
    }
    void ExpectDigits(const screentest::SFrame& f, const char* sheet, const std::vector<SDigit>& digits) {
        for (const SDigit& g : digits) {
            EXPECT_TRUE(Probe().CornersAt(f, sheet, g.digit, 0, g.x, g.y)) << g.digit << " at " << g.x << "," << g.y;
        }
    }
    // The places show the background: no digit was drawn there.
    void ExpectEmpty(const screentest::SFrame& f, const char* background, const std::vector<SPlace>& places) {
        for (const SPlace& p : places) {
            EXPECT_EQ(Probe().At(f, p.x + 1, p.y + 1).sheet, background) << p.x << "," << p.y;
        }
    }
    void Click(SPoint at) {
        d.Click(at.x + 20, at.y + 10);
        d.Frame();
    }
};

TEST_F(StatusPageTest, PageOneShowsEveryNumberAtItsPlaces) {
    OpenOverGame(24);
    CStatus& s = Status();
    s.Words().abilityPoints = 307;
    s.SetParam(103, 4, 45);
    s.SetParam(104, 4, 1234);
    s.SetParam(104, 3, 16);
    s.SetParam(104, 2, 58);
    s.SetParam(104, 0, 1234567);
    s.SetParam(104, 1, 300);
    s.SetParam(106, 4, 745);
    s.SetParam(106, 12, 100);
    s.SetParam(2, 6, 1);
    s.SetParam(106, 5, 5);
    const screentest::SFrame f = Shot();

    ExpectDigits(f, P1::kLargeDigits,
                 {// level remainder 7, tier 150, to the next tier 25
                  {7, 371, 190}, {1, 324, 232}, {5, 348, 237}, {0, 371, 231}, {2, 349, 278}, {5, 371, 273},
                  // to the next rank 2600 - 1234 - 16, the work, the rank points
                  {1, 300, 316}, {3, 323, 312}, {5, 348, 317}, {0, 370, 312}, {5, 348, 357}, {8, 370, 352},
                  {1, 299, 395}, {2, 323, 391}, {3, 348, 396}, {4, 370, 392},
                  // seven money digits, the stamina
                  {1, 228, 431}, {2, 250, 435}, {3, 275, 432}, {4, 299, 435}, {5, 323, 431}, {6, 347, 435},
                  {7, 372, 431}, {3, 325, 473}, {0, 348, 477}, {0, 370, 473},
                  // the unit and money marks
                  {P1::kUnitMark, 394, 275}, {P1::kMoneyMark, 394, 438}});
    ExpectEmpty(f, P1::kBackground, {{324, 191}, {348, 196}, {324, 272}, {300, 356}, {325, 353}, {275, 392}});
    EXPECT_TRUE(Probe().CornersAt(f, P1::kLevels, 1, 0, 371, 151)) << "level 4";
    EXPECT_TRUE(Probe().CornersAt(f, P1::kRanks, 4, 0, 288, 112));
    EXPECT_TRUE(Probe().CornersAt(f, P1::kBand, 0, 0, 288, 152));
    // Friend 0: level 7, points 45, bonus 100, grade 6 (rank 4); friend 1: level 0, 5.
    EXPECT_TRUE(Probe().CornersAt(f, P1::kGrades, 6, 0, 650, 110));
    EXPECT_TRUE(Probe().CornersAt(f, P1::kGrades, 0, 0, 650, 206));
    ExpectDigits(f, P1::kSmallDigits,
                 {{7, 696, 134}, {4, 678, 157}, {5, 696, 157}, {1, 660, 182}, {0, 678, 182}, {0, 696, 182},
                  {0, 696, 230}, {5, 696, 253}, {0, 696, 278}});
    ExpectEmpty(f, P1::kBackground, {{678, 253}, {660, 253}, {678, 278}});
    EXPECT_TRUE(Probe().CornersAt(f, P1::kButtonSheet, 1, 0, 584, 10));
    EXPECT_TRUE(Probe().CornersAt(f, P1::kButtonSheet, 4, 0, 592, 539));
}

TEST_F(StatusPageTest, PageOneLevelMarkFollowsTheLevel) {
    OpenOverGame(24);
    for (int32_t points : {0, 99, 100, 250, 399, 400}) {
        Status().Words().abilityPoints = points;
        const int level = std::min(points / 100 + 1, 5);
        EXPECT_TRUE(Probe().CornersAt(Shot(), P1::kLevels, (5 - level) % 6, 0, 371, 151)) << points;
    }
}

TEST_F(StatusPageTest, PageTwoItemsInTwoColumnsAndTheSidePanel) {
    OpenOverGame(25);
    CStatus& s = Status();
    const int owned[] = {0, 16, 17, 26, 30, 32, 34};
    for (int item : owned) s.SetParam(102, item, 1);
    s.SetParam(100, 7, 17);  // item 0 adds 10 of it
    s.SetParam(100, 3, 999);
    s.SetParam(100, 8, 1234);  // more than the three places hold
    s.SetParam(100, 9, 5);
    s.SetParam(100, 10, 200);
    s.SetParam(100, 2, 10);  // discontented: the required food × 1.5
    s.SetParam(107, 0, 6);   // and doubled: 750
    s.SetParam(100, 12, 150);
    s.SetParam(100, 11, 42);
    s.SetParam(132, 25, 1);
    s.SetParam(132, 27, 1);
    s.SetParam(100, 0, 30);
    s.SetParam(100, 1, 0);
    const screentest::SFrame f = Shot();

    ASSERT_EQ(Current<P2>()->GetTab(), 0);
    EXPECT_EQ(Probe().At(f, 5, 300).sheet, P2::kItemBackground);
    struct SRow {
        int row, x, y;
    };
    // Row 26 stands one pixel high; rows 31 to 33 show items 32 to 34.
    const SRow shown[] = {{0, 64, 100}, {16, 64, 484}, {17, 272, 100}, {26, 272, 315}, {30, 272, 412}, {31, 272, 436}, {33, 272, 484}};
    for (const SRow& r : shown) EXPECT_TRUE(Probe().CornersAt(f, P2::kItems, r.row, 0, r.x, r.y)) << r.row;
    for (int row : {1, 15, 18, 29, 32}) EXPECT_TRUE(Probe().Absent(f, P2::kItems, row, 0)) << row;

    ExpectDigits(f, P2::kSmallDigits,
                 {{1, 652, 204}, {7, 672, 204}, {9, 632, 228}, {9, 652, 228}, {9, 672, 228},
                  // 1234 shows the largest number of three places
                  {9, 632, 324}, {9, 652, 324}, {9, 672, 324}, {9, 632, 396}, {10, 688, 324}, {10, 688, 396},
                  {5, 672, 348}, {10, 688, 348},
                  {2, 632, 420}, {0, 652, 420}, {0, 672, 420}, {7, 632, 444}, {5, 652, 444}, {0, 672, 444},
                  {1, 600, 492}, {5, 615, 492}, {0, 630, 492}, {2, 660, 492}, {0, 675, 492}, {0, 690, 492},
                  {4, 652, 518}, {2, 672, 518}});
    ExpectEmpty(f, P2::kItemBackground, {{632, 204}, {652, 348}, {612, 420}, {612, 444}, {632, 518}});
    EXPECT_TRUE(Probe().CornersAt(f, P2::kSlash, 0, 0, 645, 492));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kHelpers[0], 0, 0, 604, 469));
    EXPECT_TRUE(Probe().Absent(f, P2::kHelpers[1], 0, 0));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kHelpers[2], 0, 0, 693, 469));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kFaces, 15, 0, 632, 372)) << "no face for season 6: by the satiety";

    // The markers centred on 567 + v × 161 / 100: v = 70, 0, 10.
    const int32_t half = 8;
    EXPECT_TRUE(Probe().CornersAt(f, P2::kMarker, 0, 0, 567 + 112 - half, 110));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kMarker, 0, 0, 567 - half, 142));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kMarker, 0, 0, 567 + 16 - half, 174));
}

TEST_F(StatusPageTest, TabOneShowsTheValuesClampedAndLocksTheClosedRows) {
    OpenOverGame(25);
    CStatus& s = Status();
    s.SetParam(101, 2, 5000);
    s.Words().homePairCounter[0][0] = 12;
    s.Words().homePairCounter[0][1] = 34;
    s.SetParam(101, 25, 3);
    s.SetParam(101, 26, 4);
    s.SetParam(102, 5, 1);
    s.SetParam(102, 4, 1);
    s.SetParam(100, 8, 50);
    s.SetParam(107, 0, 4);
    Click(P2::kButtonPlaces[2]);
    const screentest::SFrame f = Shot();
    ASSERT_EQ(Current<P2>()->GetTab(), 1);
    EXPECT_EQ(Probe().At(f, 5, 300).sheet, P2::kValueBackground);
    EXPECT_TRUE(Probe().CornersAt(f, P2::kButtonSheet, 2, 0, 64, 520)) << "tab 0 unchecked";
    EXPECT_TRUE(Probe().CornersAt(f, P2::kButtonSheet, 3, 2, 264, 520)) << "tab 1 checked";
    EXPECT_TRUE(Probe().Absent(f, P2::kItems, 0, 0)) << "no item list on tab 1";
    ExpectDigits(f, P2::kSmallDigits,
                 {{9, 180, 100}, {9, 196, 100}, {9, 212, 100},  // row 0: 5000 held to 999
                  {1, 196, 148}, {2, 212, 148}, {3, 196, 172}, {4, 212, 172},
                  {7, 412, 220}});  // row 21: (101, 25) + (101, 26)
    ExpectEmpty(f, P2::kValueBackground, {{148, 100}, {164, 100}, {180, 148}});
    // Row 2 is open, row 3 wants (1, 8); rows 16 (item 2) and 21 ((1, 8)) are closed on the right.
    EXPECT_TRUE(Probe().Absent(f, P2::kLocks, 0, 2));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kLocks, 0, 3, 50, 172));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kLocks, 1, 0, 255, 100));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kLocks, 1, 5, 255, 220));
    for (int open : {0, 1, 7, 15}) EXPECT_TRUE(Probe().Absent(f, P2::kLocks, 0, open)) << open;
    EXPECT_TRUE(Probe().Absent(f, P2::kLocks, 1, 3)) << "row 19 is always open";
    EXPECT_TRUE(Probe().CornersAt(f, P2::kFaces, 7, 0, 632, 372)) << "the cold's face";

    Click(P2::kButtonPlaces[1]);
    EXPECT_EQ(Current<P2>()->GetTab(), 0);
    EXPECT_EQ(Probe().At(Shot(), 5, 300).sheet, P2::kItemBackground);
}

TEST_F(StatusPageTest, RowsOpenByTheirConditions) {
    CStatus s;
    s.SetParam(11, 0, 3);
    s.SetParam(12, 0, 1);
    EXPECT_TRUE(P2::RowOpen(s, 11));
    EXPECT_TRUE(P2::RowOpen(s, 13));
    EXPECT_FALSE(P2::RowOpen(s, 14));
    s.SetParam(13, 0, 1);
    EXPECT_TRUE(P2::RowOpen(s, 14));
    s.SetParam(13, 0, 2);
    EXPECT_FALSE(P2::RowOpen(s, 12)) << "exactly 1";
    s.SetParam(102, 4, 1);
    s.SetParam(1, 8, 1);
    s.SetParam(101, 0, 4);
    EXPECT_FALSE(P2::RowOpen(s, 24));
    s.SetParam(101, 0, 5);
    EXPECT_TRUE(P2::RowOpen(s, 24));
}

TEST_F(StatusPageTest, PageButtonsGoBetweenThePagesAndReturnToTheGame) {
    OpenOverGame(24);
    Click(P1::kButtonPlaces[0]);
    EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch0"});
    d.Frame();
    EXPECT_EQ(Scene(), 25);
    EXPECT_EQ(Manager().GetReturnStackDepth(), 1u) << "a go-to keeps the game below";
    RunOutTransition();
    Click(P2::kButtonPlaces[2]);
    ASSERT_EQ(Current<P2>()->GetTab(), 1);
    Click(P2::kButtonPlaces[0]);
    d.Frame();
    EXPECT_EQ(Scene(), 24);
    RunOutTransition();
    Click(P1::kButtonPlaces[0]);
    d.Frame();
    RunOutTransition();
    ASSERT_EQ(Scene(), 25);
    EXPECT_EQ(Current<P2>()->GetTab(), 0) << "every entry starts on tab 0";
    Click(P2::kButtonPlaces[3]);
    d.Frame();
    EXPECT_EQ(Scene(), 19);
    EXPECT_EQ(Manager().GetReturnStackDepth(), 0u);
    EXPECT_EQ(Manager().GetTransitionIndex(), 1);
}

TEST_F(StatusPageTest, CancelReturnsAtOnceOnEitherPage) {
    for (int32_t page : {24, 25}) {
        SCOPED_TRACE(page);
        OpenOverGame(page);
        d.Move(P1::kButtonPlaces[0].x + 20, P1::kButtonPlaces[0].y + 10);
        d.Press(CMouse::kRight);
        d.Frame();
        EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch2"});
        d.Frame();
        EXPECT_EQ(Scene(), 19);
        EXPECT_TRUE(Manager().IsInTransition());
        EXPECT_EQ(Manager().GetTransitionIndex(), 1);
        RunOutTransition();
        Manager().Reset();
    }
}

TEST_F(StatusPageTest, NoPointerDuringTheIncomingTransition) {
    d.Start(19);
    d.Frame();
    ASSERT_TRUE(RequestCallSceneKeep(24, 1, 15));
    d.Frame();
    ASSERT_TRUE(Manager().IsInTransition());
    d.Sounds().Take();
    for (int i = 0; i < 5; ++i) Click(P1::kButtonPlaces[0]);
    EXPECT_TRUE(d.Sounds().Take().empty());
    EXPECT_EQ(Scene(), 24);
    EXPECT_FALSE(Current<P1>()->GetButton(0).IsChecked());
}

TEST_F(StatusPageTest, PageTwoKeepsItsMarkersAndButtonsAfterADeviceReset) {
    OpenOverGame(25);
    Status().SetParam(100, 0, 100);
    d.Device()->GetDevice()->SimulateDeviceLost();
    const screentest::SFrame f = Shot();
    ASSERT_EQ(d.Game().GetDeviceRestoreCount(), 1u);
    EXPECT_TRUE(Probe().CornersAt(f, P2::kMarker, 0, 0, 567 - 8, 110));
    EXPECT_TRUE(Probe().CornersAt(f, P2::kButtonSheet, 2, 2, 64, 520));
}

}  // namespace
