// The picture viewer and its full view, frame by frame on the demo data with tables
// and unlock bytes chosen by each test.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/SuperScene.h"
#include "game/core/SystemData.h"
#include "game/menus/viewer/CGViewerScene.h"
#include "game/menus/viewer/CGViewingList.h"
#include "game/menus/viewer/ExtraSceneListScene.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "tests/game/menus/viewer/ViewerTestUtil.h"

namespace {

using Grid = CThumbnailGridScene;
constexpr const char* kCount = CCGViewerScene::kCountSheet;

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
std::string Picture(int k) { return "cg\\ev" + Two(k % 9 + 1) + ".bmp"; }

int Count(const std::vector<std::string>& sounds, const char* s) {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), s));
}

// Page 2: 30 entries of one group each (key 2000 + k), but entry 3, which holds
// twelve groups (keys 3000..3011).
class ViewerTest : public ::testing::Test, public viewertest::CViewerGame {
protected:
    void SetUp() override {
        std::vector<std::string> lines;
        for (int k = 0; k < 30; ++k) {
            lines.push_back("#p pv_cg" + Two(k % 8 + 1));
            if (k == 3) {
                for (int j = 0; j < 12; ++j) lines.push_back(std::to_string(3000 + j) + ", " + Picture(j));
            } else {
                lines.push_back(std::to_string(2000 + k) + ", " + Picture(k));
            }
            lines.push_back("##");
        }
        WriteText("cfg\\cgview2.txt", lines);
    }
    CCGViewerScene* Viewer() { return Current<CCGViewerScene>(); }
    void Unlock(std::initializer_list<int> keys) {
        for (int key : keys) d.Game().GetSystemData().SetCgUnlock(key, 1);
    }
    // The viewer on page 2, sub-page `sub`, by its buttons.
    void EnterPage2(int sub = 0) {
        Enter(CCGViewerScene::kScene);
        ClickButton(1);
        if (sub > 0) ClickButton(Grid::kFirstSubPageButton + sub);
        d.Move(790, 590);
        d.Frame();
    }
    void ClickButton(int i) {
        const SPoint at = Grid::ButtonAt(i);
        d.Click(at.x + 4, at.y + 4);
        d.Frame();
    }
    void Hover(int slot, int frames = 1) {
        const SPoint at = Grid::FrameAt(slot);
        for (int f = 0; f < frames; ++f) {
            d.Move(at.x + 2, at.y + 2);
            d.Frame();
        }
    }
};

TEST_F(ViewerTest, AnUnlockedSlotBrightensShowsItsThumbnailCountAndPreview) {
    Unlock({2001, 3002, 3005, 3009});
    EnterPage2();
    d.Sounds().Take();
    const int32_t rising[] = {152, 176, 200, 224, 248, 255};
    for (int32_t alpha : rising) {
        Hover(3);
        EXPECT_EQ(Viewer()->GetAlpha(3), alpha);
    }
    EXPECT_EQ(Count(d.Sounds().Take(), "ch1"), 1) << "the cursor sound once on arrival";
    const screentest::SFrame f = d.Pixels();
    const SPoint frame = Grid::FrameAt(3);  // (402, 88)
    EXPECT_TRUE(Probe().ShowsCellAt(f, Grid::kFrame, 0, 0, frame.x, frame.y));
    // The cover is the first unlocked group (key 3002).
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\small_app\\" + Picture(2), 0, 0, 410, 118));
    EXPECT_TRUE(Probe().ShowsCellAt(f, Grid::kDigits, 0, 0, 434, 93));
    EXPECT_TRUE(Probe().ShowsCellAt(f, Grid::kDigits, 4, 0, 447, 98));
    // "3/12": no tens glyph for 3, the glyphs at their uneven steps from (463, 91).
    EXPECT_TRUE(Probe().Absent(f, kCount, 0, 0));
    EXPECT_TRUE(Probe().ShowsCellAt(f, kCount, 3, 0, 473, 94));
    EXPECT_TRUE(Probe().ShowsCellAt(f, kCount, CCGViewerScene::kSlash, 0, 482, 93));
    EXPECT_TRUE(Probe().ShowsCellAt(f, kCount, 1, 0, 492, 93));
    // The preview beside the slot covers the right edge of the last glyph.
    const screentest::SBox two = Probe().Locate(f, kCount, 2, 0);
    EXPECT_EQ(std::make_pair(two.left, two.top), std::make_pair(501, 96));
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\pv_cg04.bmp", 0, 0, 144 + 120 * 3, 88));
    // Off the slot: the preview goes at once, the alpha falls back in six frames.
    const int32_t falling[] = {231, 207, 183, 159, 135, 128};
    for (int32_t alpha : falling) {
        d.Move(790, 590);
        d.Frame();
        EXPECT_EQ(Viewer()->GetAlpha(3), alpha);
        EXPECT_EQ(Viewer()->GetHovered(), -1);
    }
    EXPECT_TRUE(Probe().Absent(d.Pixels(), "obj\\pv_cg04.bmp", 0, 0));
    // The last column's preview stands left of its slot.
    Unlock({2011});
    ClickButton(0);
    ClickButton(1);
    Hover(11);
    EXPECT_TRUE(Probe().ShowsCellAt(d.Pixels(), "obj\\pv_cg04.bmp", 0, 0, 536, 208));
}

TEST_F(ViewerTest, ALockedEntryShowsFrameAndNumberOnlyAndTakesNoPointer) {
    Unlock({2001});
    EnterPage2();
    d.Sounds().Take();
    Hover(0, 6);
    d.Click(Grid::FrameAt(0).x + 2, Grid::FrameAt(0).y + 2);
    d.Frame();
    EXPECT_EQ(Viewer()->GetHovered(), -1);
    EXPECT_EQ(Viewer()->GetAlpha(0), Grid::kAlphaLow);
    EXPECT_TRUE(d.Sounds().Take().empty());
    d.Frame();
    EXPECT_EQ(Scene(), CCGViewerScene::kScene);
    EXPECT_EQ(Manager().GetReturnStackDepth(), 0u);
    const screentest::SFrame f = d.Pixels();
    EXPECT_NE(Probe().At(f, 43, 89).sheet, Grid::kFrame) << "drawn at alpha 128";
    EXPECT_FALSE(Probe().At(f, 51, 119)) << "no thumbnail";
}

TEST_F(ViewerTest, ThirtyEntriesGiveTwoSubPagesAndUnlocksShowWhenThePageIsReadAgain) {
    // Reached by the play view's tab; a page button clicked during the incoming fade
    // stays off.
    Enter(14);
    d.Click(8 + 48 * 2 + 4, 52);
    d.Frame(2);
    ASSERT_EQ(Scene(), CCGViewerScene::kScene);
    ClickButton(1);
    ASSERT_TRUE(Manager().IsInTransition());
    EXPECT_FALSE(Viewer()->GetPageButton(1).IsChecked());
    RunOutTransition();
    EXPECT_EQ(Viewer()->GetPage(), 0);
    ClickButton(1);
    EXPECT_EQ(Viewer()->GetPage(), 1);
    d.Move(790, 590);
    d.Frame();
    EXPECT_FALSE(Probe().Absent(d.Pixels(), Grid::kButtonSheet, 7, 0));
    EXPECT_TRUE(Probe().Absent(d.Pixels(), Grid::kButtonSheet, 8, 0));
    ClickButton(8);
    EXPECT_EQ(Viewer()->GetSubPage(), 0) << "sub-page 3 takes no click";
    ClickButton(7);
    EXPECT_EQ(Viewer()->GetSubPage(), 1);
    // Entry 30 stands in slot 5; slots 6 on are empty.  Its unlock shows only once
    // the page is read again.
    Unlock({2029});
    Hover(5);
    EXPECT_EQ(Viewer()->GetHovered(), -1);
    ClickButton(0);
    ClickButton(1);
    ClickButton(7);
    Hover(5, 6);
    EXPECT_EQ(Viewer()->GetHovered(), 5);
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, Grid::kDigits, 3, 0, 674, 93));
    EXPECT_TRUE(Probe().ShowsCellAt(f, Grid::kDigits, 0, 0, 687, 98));
    Hover(6);
    EXPECT_EQ(Viewer()->GetHovered(), -1);
}

TEST_F(ViewerTest, DecideFillsTheViewingListAndTheFullViewReturnsToTheSamePage) {
    Unlock({2029});
    EnterPage2(1);
    CCGViewerScene* viewer = Viewer();
    Hover(5);
    d.Sounds().Take();
    d.Click(Grid::FrameAt(5).x + 2, Grid::FrameAt(5).y + 2);
    d.Frame();
    EXPECT_EQ(Count(d.Sounds().Take(), "ch0"), 1);
    EXPECT_EQ(CCGViewingList::Get(), viewer->GetEntries()[29].data.records);
    d.Frame();
    EXPECT_EQ(Scene(), CExtraSceneListScene::kScene);
    EXPECT_EQ(Manager().GetReturnStackDepth(), 1u);
    EXPECT_EQ(Current<CExtraSceneListScene>()->GetCurrent(), 0);
    RunOutTransition();
    d.Key(27);
    d.Frame();
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch2"});
    d.Frame();
    EXPECT_EQ(RunOutTransition() + 1, 10 + 2) << "a fade over 10 frames";
    ASSERT_EQ(Viewer(), viewer) << "the kept viewer resumes";
    EXPECT_EQ(viewer->GetPage(), 1);
    EXPECT_EQ(viewer->GetSubPage(), 1);
}

class FullViewTest : public ::testing::Test, public viewertest::CViewerGame {
protected:
    static CCGViewRecord Group(int k, bool unlocked, std::vector<std::string> overlays = {}) {
        return CCGViewRecord{static_cast<uint8_t>(unlocked), 500 + k, Picture(k), std::move(overlays)};
    }
    CExtraSceneListScene* View() { return Current<CExtraSceneListScene>(); }
};

TEST_F(FullViewTest, DecideStepsThroughTheUnlockedGroupsWrappingRound) {
    struct SCase {
        std::vector<bool> unlocked;
        std::vector<int32_t> shown;  // on entering, then after each decide
    };
    const SCase cases[] = {
        {{false, true, false}, {1, 1, 1}},
        {{true, false, true, true}, {0, 2, 3, 0}},
        {{false, false}, {-1, -1}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.unlocked.size());
        std::vector<CCGViewRecord> list;
        for (size_t k = 0; k < c.unlocked.size(); ++k) list.push_back(Group(static_cast<int>(k), c.unlocked[k]));
        CCGViewingList::Fill(list);
        Manager().Reset();
        d.Start(CExtraSceneListScene::kScene);
        d.Frame();
        d.Sounds().Take();
        for (size_t step = 0; step < c.shown.size(); ++step) {
            if (step > 0) {
                // Taken at once, during the incoming transition too.
                d.Key(32);
                d.Frame();
            }
            EXPECT_EQ(View()->GetCurrent(), c.shown[step]) << step;
        }
        RunOutTransition();
        if (c.shown.back() >= 0) {
            EXPECT_TRUE(Probe().ShowsCellAt(d.Pixels(), Picture(c.shown.back()), 0, 0, 0, 0));
        }
        EXPECT_TRUE(d.Sounds().Take().empty()) << "decide plays nothing";
    }
}

TEST_F(FullViewTest, OverlaysStandWhereTheTableSaysAndAMissingOneIsTransparent) {
    WriteText("cfg\\super_sc.txt", {"ev01a 100 200", "ev01c 300 50", "gone 0 0"});
    ReloadSuperSceneTable();
    CCGViewingList::Fill({Group(0, true, {"sc\\gone.bmp", "sc\\ev01a.bmp", "sc\\ev01b.bmp", "sc\\ev01c.bmp"})});
    d.Start(CExtraSceneListScene::kScene);
    d.Frame();
    RunOutTransition();
    const std::vector<SPoint> expected = {{0, 0}, {100, 200}, {-9999, -9999}, {300, 50}};
    EXPECT_EQ(View()->GetOverlayPositions(), expected);
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, "sc\\ev01a.bmp", 0, 0, 100, 200));
    EXPECT_TRUE(Probe().ShowsCellAt(f, "sc\\ev01c.bmp", 1, 1, 400, 150));
    EXPECT_TRUE(Probe().Absent(f, "sc\\ev01b.bmp", 0, 0)) << "unlisted: off the screen";
    // The picture shows through the empty plane laid over the whole screen.
    EXPECT_TRUE(Probe().ShowsCellAt(f, Picture(0), 0, 0, 0, 0));
    EXPECT_TRUE(Probe().ShowsCellAt(f, Picture(0), 3, 2, 600, 400));
    ReloadSuperSceneTable();
}

}  // namespace

namespace {

class DemoPagesTest : public ::testing::Test, public viewertest::CViewerGame {};

// Every picture the demo pages name is written: thumbnails, previews, the full view's
// pictures and overlays, once everything is unlocked.
TEST_F(DemoPagesTest, EveryPictureTheDemoPagesNameLoads) {
    for (int key = 1001; key <= 1009; ++key) d.Game().GetSystemData().SetCgUnlock(key, 1);
    for (int i = 0; i < 8; ++i) d.Game().GetSystemData().SetPlayViewUnlock(i, 1);
    ReloadSuperSceneTable();
    CLogCapture log;
    for (int32_t scene : {CCGViewerScene::kScene, CPlayViewScene::kScene}) {
        Manager().Reset();
        Enter(scene);
        for (int slot = 0; slot < 8; ++slot) {
            d.Move(Grid::FrameAt(slot).x + 2, Grid::FrameAt(slot).y + 2);
            d.Frame();
        }
    }
    Manager().Reset();
    Enter(CCGViewerScene::kScene);
    std::vector<std::vector<CCGViewRecord>> groups;
    for (const CCGViewerEntry& entry : Current<CCGViewerScene>()->GetEntries()) groups.push_back(entry.data.records);
    ASSERT_EQ(groups.size(), 8u);
    for (const std::vector<CCGViewRecord>& records : groups) {
        CCGViewingList::Fill(records);
        Manager().Reset();
        d.Start(CExtraSceneListScene::kScene);
        d.Frame();
        for (size_t i = 0; i < records.size(); ++i) {
            d.Key(32);
            d.Frame();
        }
        for (const SPoint& at : Current<CExtraSceneListScene>()->GetOverlayPositions()) {
            EXPECT_NE(at.x, -9999) << "every demo overlay has its place";
        }
    }
    for (const std::string& line : log.GetLines()) {
        EXPECT_EQ(line.find("開けません"), std::string::npos) << line;
        EXPECT_EQ(line.find("失敗"), std::string::npos) << line;
        EXPECT_EQ(line.find("見つかりません"), std::string::npos) << line;
    }
    ReloadSuperSceneTable();
}

}  // namespace
