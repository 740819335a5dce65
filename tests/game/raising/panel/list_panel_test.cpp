// The list panel and its 22 layouts: growth from the anchor corner step by step, the
// pointer given to the first hovered item, the number displays, every layout's places,
// and the items the status removes or locks.
#include <gtest/gtest.h>

#include <string>

#include "engine/base/Log.h"
#include "game/core/GameState.h"
#include "game/core/RunningGame.h"
#include "game/raising/panel/ListPanel.h"
#include "tests/support/screen/ScreenDriver.h"

using namespace screentest;

namespace {

constexpr const char* kMansion = "obj\\h002_000.bmp";
constexpr const char* kHome = "obj\\m001_000.bmp";
constexpr const char* kHome2 = "obj\\m001_001.bmp";
constexpr const char* kBack = "obj\\h002_001.bmp";
constexpr const char* kDigits = "obj\\c000_038.bmp";

struct SItemPlace {
    const char* sheet;
    int column, x, y;
};

struct SLayoutPlaces {
    const char* background;
    int x, y, anchor;
    std::vector<SItemPlace> items;
    int backX, backY;  // -1: none
};

const std::vector<SLayoutPlaces>& Places() {
    static const std::vector<SLayoutPlaces> p = {
        {"obj\\h001_016.bmp", 184, 152, 0, {{kMansion, 0, 256, 248}, {kMansion, 1, 256, 288}}, -1, 0},
        {"obj\\h001_017.bmp", 152, 128, 1, {{kMansion, 2, 224, 208}, {kMansion, 3, 224, 248}, {kMansion, 4, 224, 288}, {kMansion, 5, 224, 328}}, 408, 384},
        {"obj\\h001_018.bmp", 424, 128, 0, {{kMansion, 6, 496, 232}, {kMansion, 7, 496, 272}}, 682, 312},
        {"obj\\h001_019.bmp", 176, 128, 2, {{kMansion, 2, 224, 208}, {kMansion, 3, 224, 248}, {kMansion, 4, 224, 288}, {kMansion, 5, 224, 328}}, 408, 384},
        {"obj\\h001_020.bmp", 376, 176, 1, {{kMansion, 8, 448, 280}, {kMansion, 1, 448, 320}}, -1, 0},
        {"obj\\h001_021.bmp", 320, 152, 2, {{kMansion, 9, 368, 272}, {kMansion, 1, 368, 312}}, -1, 0},
        {"obj\\h001_022.bmp", 32, 176, 3, {{kMansion, 10, 80, 240}, {kMansion, 11, 80, 280}, {kMansion, 12, 80, 320}}, 248, 368},
        {"obj\\h001_023.bmp", 352, 152, 0, {{kMansion, 13, 424, 248}, {kMansion, 1, 424, 288}}, -1, 0},
        {"obj\\h001_024.bmp", 304, 176, 3, {{kMansion, 14, 352, 264}, {kMansion, 15, 352, 304}}, 512, 360},
        {"obj\\h001_025.bmp", 176, 176, 3, {{kMansion, 16, 224, 272}, {kMansion, 17, 224, 312}}, -1, 0},
        {"obj\\m000_012.bmp", 368, 160, 1, {{kHome, 0, 448, 224}, {kHome, 1, 448, 264}, {kHome2, 0, 448, 304}}, 608, 344},
        {"obj\\m000_013.bmp", 160, 160, 1, {{kHome, 2, 240, 224}, {kHome, 3, 240, 264}, {kHome, 4, 240, 304}}, 408, 352},
        {"obj\\m000_014.bmp", 336, 128, 1, {{kHome2, 1, 416, 144}, {kHome, 6, 416, 184}, {kHome, 7, 416, 224}, {kHome, 8, 416, 264}, {kHome, 9, 416, 304}, {kHome, 10, 416, 344}}, 592, 384},
        {"obj\\m000_014.bmp", 336, 128, 1, {{kHome, 11, 416, 184}, {kHome, 12, 416, 224}, {kHome, 13, 416, 264}, {kHome, 14, 416, 304}}, 592, 376},
        {"obj\\m000_014.bmp", 336, 128, 1, {{kHome, 15, 416, 184}, {kHome, 16, 416, 224}, {kHome, 17, 416, 264}, {kHome, 18, 416, 304}}, 592, 376},
        {"obj\\m000_015.bmp", 56, 152, 2, {{kHome, 19, 96, 240}, {kHome, 1, 96, 280}}, 264, 336},
        {"obj\\m000_016.bmp", 72, 88, 3, {{kHome, 5, 128, 144}, {kHome, 20, 128, 184}, {kHome, 21, 128, 224}, {kHome, 22, 128, 264}, {kHome, 1, 128, 304}, {kHome, 23, 128, 344}}, 304, 376},
        {"obj\\m000_017.bmp", 352, 152, 0, {{kHome, 24, 424, 248}}, 608, 336},
        {"obj\\m000_018.bmp", 304, 176, 2, {{kHome, 25, 352, 264}, {kHome, 26, 352, 304}}, 512, 360},
        {"obj\\m000_019.bmp", 304, 176, 3, {{kHome, 27, 352, 312}, {kHome, 28, 352, 272}}, -1, 0},
        {"obj\\m000_020.bmp", 40, 210, 3, {{"obj\\m001_002.bmp", 0, 90, 260}, {"obj\\m001_002.bmp", 1, 90, 300}}, 120, 340},
        {"obj\\m000_020.bmp", 40, 210, 3, {{"obj\\m001_003.bmp", 0, 90, 260}, {"obj\\m001_003.bmp", 1, 90, 300}}, 120, 340},
    };
    return p;
}

class ListPanelTest : public ::testing::Test {
protected:
    ListPanelTest() : m_Running(m_State) {
        SetDebugOutputEnabled(false);
        auto write = [&](const std::string& name, int w, int h, int c, int r) {
            if (!d.Probe().Find(name)) d.Probe().Write(d.Folder(), kit::MakeSheet(name, w, h, c, r));
        };
        for (const SLayoutPlaces& l : Places()) write(l.background, 320, 160, 1, 1);
        write(kMansion, 18 * 96, 5 * 32, 18, 5);
        write(kHome, 29 * 96, 5 * 32, 29, 5);
        for (const char* s : {kHome2, "obj\\m001_002.bmp", "obj\\m001_003.bmp"}) write(s, 2 * 96, 5 * 32, 2, 5);
        write(kBack, 64, 5 * 24, 1, 5);
        write(kDigits, 11 * 16, 24, 11, 1);
    }
    ~ListPanelTest() override { SetDebugOutputEnabled(true); }
    void Set(int c, int i, int v) { ASSERT_TRUE(m_State.GetStatus().SetParam(c, i, v)) << c << "," << i; }
    // Nothing removed or locked by any rule.
    void Generous() {
        for (auto [c, i, v] : std::vector<std::tuple<int, int, int>>{
                 {1, 8, 1},    {104, 0, 9999}, {100, 9, 100}, {101, 0, 10}, {11, 0, 1}, {12, 0, 1}, {13, 0, 1},
                 {14, 67, 1},  {14, 68, 1},    {109, 0, 2},   {109, 1, 5},  {109, 2, 2}}) {
            Set(c, i, v);
        }
        for (int item = 0; item < 35; ++item) Set(102, item, 1);
        Set(100, 7, 50);
    }
    void Frames(int n, int x = -1, int y = -1, bool decide = false) {
        d.Frame(panel, n, [&] { panel.SetCursor(x, y, decide); });
    }
    // 'A' available, 'L' locked, '-' removed, for the first n items.
    std::string Availability(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            CImageButton* item = panel.GetItem(i);
            s += !item->HasImage() ? '-' : item->IsLocked() ? 'L' : 'A';
        }
        return s;
    }

    CGameState m_State;
    CRunningGameOverride m_Running;
    CObjectDriver d;
    CListPanel panel;
};

}  // namespace

TEST_F(ListPanelTest, ScaleAndFadeFollowTheirCurvesAndATallPanelGrowsLongerInHeight) {
    struct SCase {
        int w, h, heightSteps;
    };
    for (const SCase c : {SCase{320, 160, 10}, SCase{160, 320, 40}}) {
        SCOPED_TRACE(c.w);
        d.Probe().Write(d.Folder(), kit::MakeSheet("obj\\h001_016.bmp", c.w, c.h, 1, 1));
        panel.SetupPanelImages(0);
        panel.Open();
        const int total = std::max(20, c.heightSteps);
        for (int step = 1; step <= total; ++step) {
            Frames(1);
            const int sx = step >= 20 ? 1024 : static_cast<int>(1024 - 2.56 * (20 - step) * (20 - step));
            const int hs = std::min(step, c.heightSteps);
            const double n = c.heightSteps;
            const int sy = static_cast<int>(1024 - (n - hs) * (n - hs) * 1024 / (n * n));
            EXPECT_EQ(panel.GetAlpha(), 255 * std::min(step, 20) / 20) << step;
            EXPECT_EQ(panel.GetScaleX(), sx) << step;
            EXPECT_EQ(panel.GetScaleY(), sy) << step;
            EXPECT_EQ(panel.GetState(), step < total ? CListPanel::STATE_OPENING : CListPanel::STATE_OPEN) << step;
        }
        panel.Close();
        Frames(1);
        EXPECT_EQ(panel.GetAlpha(), 255 + (-255 * 1) / 20);
        EXPECT_EQ(panel.GetScaleX(), static_cast<int>(1024 - 2.56));
        Frames(total - 1);
        EXPECT_EQ(panel.GetState(), CListPanel::STATE_CLOSED);
        EXPECT_TRUE(panel.GetItem(0)->HasImage()) << "closing keeps the pictures";
    }
}

TEST_F(ListPanelTest, ThePointerGoesToTheFirstHoveredItemAndLockedItemsDoNotBlockLaterOnes) {
    Generous();
    panel.SetupPanelImages(6);  // items at (80, 240), (80, 280), (80, 320); back at (248, 368)
    panel.Open();
    Frames(3, 90, 250, true);
    EXPECT_FALSE(panel.BecameChecked(0)) << "nothing is hit before the panel is open";
    Frames(17);
    ASSERT_EQ(panel.GetState(), CListPanel::STATE_OPEN);
    panel.GetItem(2)->SetPosition(80, 280);  // item 2 laid over item 1
    Frames(1, 90, 290, false);
    EXPECT_TRUE(panel.HoverBegan(1));
    EXPECT_FALSE(panel.HoverBegan(2)) << "the lower-numbered item takes the pointer";
    panel.SetupPanelImages(6);
    panel.SetOpen();
    panel.GetItem(1)->Lock();
    panel.GetItem(2)->SetPosition(80, 280);
    Frames(1, 90, 290, true);
    EXPECT_FALSE(panel.BecameChecked(1));
    EXPECT_TRUE(panel.BecameChecked(2)) << "a locked item lets the pointer through";
    Frames(1, 250, 370, false);
    EXPECT_TRUE(panel.HoverBegan(CListPanel::kBack));
    Frames(1, 250, 370, true);
    EXPECT_TRUE(panel.BecameChecked(-1));
    EXPECT_FALSE(panel.HoverBegan(10) || panel.BecameChecked(-2));
}

TEST_F(ListPanelTest, NumbersAreDrawnDigitByDigitAtTheirPlaces) {
    panel.SetupPanelImages(0);  // 8, one digit
    panel.SetOpen();
    Frames(1);
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), kDigits, 8, 0, 486, 201));
    panel.SetupPanelImages(5);  // 10 with two digits; the tier value (6 for a new game) with two digits
    panel.SetOpen();
    Frames(1);
    SFrame f = d.Pixels();
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 1, 0, 562, 198));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 0, 0, 585, 195));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 6, 0, 586, 227));
    EXPECT_NE(d.Probe().At(f, 562, 231).sheet, kDigits) << "a one-digit value leaves the tens place empty";
    Set(103, 4, 150);
    panel.SetupPanelImages(5);
    panel.SetOpen();
    Frames(1);
    f = d.Pixels();
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 1, 0, 562, 231));
    EXPECT_TRUE(d.Probe().CornersAt(f, kDigits, 6, 0, 586, 227));
    panel.SetupPanelImages(2);
    panel.SetOpen();
    Frames(1);
    EXPECT_TRUE(d.Probe().Absent(d.Pixels(), kDigits, 0, 0)) << "layout 2 shows no number";
}

TEST_F(ListPanelTest, EveryLayoutShowsItsPartsAtTheirPlacesAndGrowsFromItsAnchor) {
    Generous();
    for (int layout = 0; layout < CListPanel::kLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        const SLayoutPlaces& l = Places()[static_cast<size_t>(layout)];
        ASSERT_TRUE(panel.SetupPanelImages(layout));
        EXPECT_EQ(panel.GetAnchor(), l.anchor);
        panel.Open();
        Frames(5);
        SFrame f = d.Pixels();
        const int right = l.x + 319, bottom = l.y + 159;
        const int pivotX = (l.anchor & 2) ? right : l.x, pivotY = (l.anchor & 1) ? bottom : l.y;
        const int farX = (l.anchor & 2) ? l.x : right, farY = (l.anchor & 1) ? l.y : bottom;
        EXPECT_NE(f.At(pivotX, pivotY), 0u) << "the anchor corner stays in place";
        EXPECT_EQ(f.At(farX, farY), 0u) << "the far corner has not grown out yet";
        Frames(15);
        f = d.Pixels();
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, l.background, 0, 0, l.x, l.y));
        for (size_t i = 0; i < l.items.size(); ++i) {
            const SItemPlace& it = l.items[i];
            EXPECT_TRUE(d.Probe().CornersAt(f, it.sheet, it.column, 0, it.x, it.y)) << "item " << i;
        }
        EXPECT_FALSE(panel.GetItem(static_cast<int>(l.items.size()))->HasImage());
        if (l.backX >= 0) {
            EXPECT_TRUE(d.Probe().CornersAt(f, kBack, 0, 0, l.backX, l.backY));
        } else {
            EXPECT_TRUE(d.Probe().Absent(f, kBack, 0, 0));
        }
    }
}

TEST_F(ListPanelTest, TheStatusRemovesAndLocksItems) {
    struct SCase {
        int layout;
        std::vector<std::tuple<int, int, int>> params;
        std::string expected;
    };
    const SCase cases[] = {
        {2, {{104, 0, 24}}, "LA"},
        {2, {{104, 0, 25}}, "AA"},
        {6, {{104, 0, 119}}, "ALL"},
        {6, {{104, 0, 40}}, "ALL"},
        {6, {{104, 0, 39}}, "LLL"},
        {6, {{104, 0, 300}}, "AAA"},
        {1, {{106, 5, 899}}, "AAAA"},
        {1, {{106, 5, 900}}, "ALAA"},
        {1, {{109, 0, 1}, {109, 1, 4}, {109, 2, 1}}, "AAA-"},
        {11, {{100, 9, 21}}, "AAL"},
        {11, {{100, 9, 21}, {107, 0, 7}}, "ALL"},
        {11, {{100, 9, 21}, {11, 0, 0}, {12, 0, 0}, {13, 0, 0}}, "AA-"},
        {12, {{102, 4, 0}, {1, 8, 0}, {102, 5, 1}, {102, 6, 1}}, "A--A--"},
        {12, {{100, 9, 59}}, "AAAALL"},
        {20, {{102, 5, 0}}, "--"},
        {20, {{1, 8, 0}}, "A-"},
        {21, {{100, 9, 31}, {107, 0, 7}}, "AL"},
        {21, {{100, 9, 31}}, "AA"},
        {3, {{106, 12, 99}, {106, 13, 100}}, "ALAA"},
        {3, {{109, 0, 1}, {109, 1, 4}, {109, 2, 1}}, "AAA-"},
        {10, {{1, 8, 0}}, "A--"},
        {10, {{102, 0, 0}, {102, 1, 0}, {100, 7, 19}, {100, 9, 50}}, "AA-"},
        {10, {{102, 0, 0}, {102, 1, 0}, {100, 7, 20}, {100, 9, 49}}, "ALL"},
        {12, {{102, 7, 0}}, "AAA-A-"},
        {12, {{102, 4, 0}}, "AAAA-A"},
        {12, {{101, 0, 5}}, "AAAAA-"},
        {12, {{101, 0, 9}}, "AAAAA-"},
        {12, {{101, 0, 4}}, "AAAA--"},
        {14, {{11, 0, 0}}, "-AA-"},
        {14, {{12, 0, 0}}, "A-A-"},
        {14, {{13, 0, 0}}, "AA--"},
        {15, {{1, 8, 0}}, "A-"},
        {15, {{14, 67, 0}}, "A-"},
        {15, {{100, 9, 49}}, "AL"},
        {16, {{1, 8, 0}}, "AAAA--"},
        {16, {{100, 9, 49}, {102, 2, 0}}, "A-AALL"},
        {16, {{102, 12, 0}, {102, 21, 0}}, "AA-AA-"},
        {16, {{102, 18, 0}, {14, 68, 0}}, "AAA-A-"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.layout);
        m_State.GetStatus().Reset();
        Generous();
        for (auto [cat, i, v] : c.params) Set(cat, i, v);
        panel.SetupPanelImages(c.layout);
        EXPECT_EQ(Availability(static_cast<int>(c.expected.size())), c.expected);
    }
    m_State.GetStatus().Reset();
    Generous();
    Set(104, 0, 39);
    panel.SetupPanelImages(6);
    panel.SetOpen();
    Frames(1, 90, 250, true);
    EXPECT_FALSE(panel.BecameChecked(0));
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), kMansion, 10, 4, 80, 240)) << "drawn with its locked cell";
    Set(102, 5, 0);
    panel.SetupPanelImages(20);
    panel.SetOpen();
    Frames(1);
    const SFrame f = d.Pixels();
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\m000_020.bmp", 0, 0, 40, 210)) << "background and back button only";
    EXPECT_TRUE(d.Probe().CornersAt(f, kBack, 0, 0, 120, 340));
}

TEST_F(ListPanelTest, OutOfRangeLayoutsLeaveThePanelEmptyAndReopeningKeepsTheLayout) {
    panel.SetupPanelImages(17);
    panel.Open();
    Frames(20);
    panel.Close();
    Frames(20);
    ASSERT_EQ(panel.GetState(), CListPanel::STATE_CLOSED);
    panel.Open();
    Frames(20);
    EXPECT_TRUE(d.Probe().CornersAt(d.Pixels(), kHome, 24, 0, 424, 248)) << "opened again without a new set-up";
    for (int layout : {22, -1}) {
        EXPECT_TRUE(panel.SetupPanelImages(layout));
        EXPECT_EQ(panel.GetType(), layout);
        EXPECT_EQ(panel.GetState(), CListPanel::STATE_CLOSED);
        panel.Open();
        Frames(2);
        EXPECT_EQ(panel.GetState(), CListPanel::STATE_OPEN) << "counters at their end finish at once";
        const SFrame f = d.Pixels();
        EXPECT_EQ(std::count(f.pixels.begin(), f.pixels.end(), 0u), static_cast<long>(f.pixels.size()));
    }
}

TEST_F(ListPanelTest, ARestoredDeviceKeepsTheOpenPanelDrawn) {
    Generous();
    panel.SetupPanelImages(12);
    panel.SetOpen();
    Frames(1);
    const SFrame before = d.Pixels();
    ASSERT_TRUE(d.LoseAndResetDevice());
    panel.OnDeviceRestored();
    Frames(1);
    EXPECT_EQ(d.Pixels().pixels, before.pixels);
    EXPECT_TRUE(d.Probe().CornersAt(before, kHome2, 1, 0, 416, 144));
}
