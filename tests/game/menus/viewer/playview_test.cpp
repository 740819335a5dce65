// The play view: its page builder, the grid on the demo data, and choosing an entry
// with and without a game in progress through relay 22 to a stand-in replay and back.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/file/TextReader.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "tests/game/menus/viewer/ViewerTestUtil.h"

namespace {

using Grid = CThumbnailGridScene;

int Count(const std::vector<std::string>& list, const std::string& s) {
    return static_cast<int>(std::count(list.begin(), list.end(), s));
}

TEST(PlayViewPage, EveryRecordLineIsAnEntryAndIndexesOutsideTheTableReadLocked) {
    CSystemData data;
    data.SetPlayViewUnlock(0, 1);
    data.SetPlayViewUnlock(5, 1);
    CTextReader reader;
    reader.SetText("// comment\n,Thumb0,prev0,7,7\n\n-1, a, b, 8, 8\n100000, a, b, 9, 9\n5, c, d\n");
    std::vector<std::unique_ptr<CPlayViewEntry>> entries;
    CLogCapture log;
    ReadPlayViewPage(reader, data, &entries);
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
    struct SExpect {
        int32_t number;
        uint8_t unlocked;
        int32_t event;
        const char* thumbnail;
        const char* preview;
    };
    const SExpect expected[] = {
        {0, 1, 7, "obj\\small_app\\cg\\thumb0.bmp", "obj\\prev0.bmp"},
        {-1, 0, 8, "obj\\small_app\\cg\\a.bmp", "obj\\b.bmp"},
        {100000, 0, 9, "obj\\small_app\\cg\\a.bmp", "obj\\b.bmp"},
        {5, 1, 0, "obj\\small_app\\cg\\c.bmp", "obj\\d.bmp"},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i]->m_Number, expected[i].number);
        EXPECT_EQ(entries[i]->m_Unlocked, expected[i].unlocked);
        EXPECT_EQ(entries[i]->m_EventId, expected[i].event);
        EXPECT_EQ(entries[i]->m_ThumbnailPath, expected[i].thumbnail);
        EXPECT_EQ(entries[i]->m_PreviewPath, expected[i].preview);
    }
}

class PlayViewTest : public ::testing::Test, public viewertest::CViewerGame {
protected:
    CPlayViewScene* View() { return Current<CPlayViewScene>(); }
    void Unlock(std::initializer_list<int> indexes) {
        for (int i : indexes) d.Game().GetSystemData().SetPlayViewUnlock(i, 1);
    }
    void Hover(int slot, int frames = 1) {
        const SPoint at = Grid::FrameAt(slot);
        for (int f = 0; f < frames; ++f) {
            d.Move(at.x + 2, at.y + 2);
            d.Frame();
        }
    }
    void ClickButton(int i) {
        const SPoint at = Grid::ButtonAt(i);
        d.Click(at.x + 4, at.y + 4);
        d.Frame();
    }
    CSoundBank& Bank() { return d.Game().GetSoundBank(); }
    void PlayBankGroups() {
        for (int g = 0; g < 3; ++g) {
            ASSERT_TRUE(Bank().Load(g, 0, CGameMain::kChannelSounds[0]));
            ASSERT_TRUE(Bank().Play(g, 0, 0, 0, 0));
        }
    }
    int BankGroupsPlaying() {
        int n = 0;
        for (int g = 0; g < 3; ++g) n += Bank().IsPlaying(g, 0) ? 1 : 0;
        return n;
    }
    // Chooses slot 0 (demo entry 1, event 101) with the pointer resting on it first.
    void ChooseFirst() {
        Hover(0);
        d.Sounds().Take();
        d.Click(Grid::FrameAt(0).x + 2, Grid::FrameAt(0).y + 2);
        d.Frame();
    }
};

TEST_F(PlayViewTest, NumbersRunOnAcrossSubPagesAndStopAtTheSeventySecond) {
    std::vector<std::string> lines;
    for (int k = 0; k < 80; ++k) lines.push_back(std::to_string(k) + ", pv01, pv_ev01, 1, 1");
    WriteText("cfg\\playview2.txt", lines);
    Unlock({0, 47, 71});
    Enter(CPlayViewScene::kScene);
    ClickButton(1);
    struct SCase {
        int sub;
        int slot;
        int tens;
        int ones;
    };
    const SCase cases[] = {{0, 0, 0, 1}, {1, 23, 4, 8}, {2, 23, 7, 2}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.sub);
        ClickButton(Grid::kFirstSubPageButton + c.sub);
        Hover(c.slot, 6);
        ASSERT_EQ(View()->GetHovered(), c.slot);
        const screentest::SFrame f = d.Pixels();
        const SPoint at = Grid::NumberAt(c.slot);
        EXPECT_TRUE(Probe().CornersAt(f, Grid::kDigits, c.tens, 0, at.x, at.y));
        EXPECT_TRUE(Probe().CornersAt(f, Grid::kDigits, c.ones, 0, at.x + 13, at.y + 5));
        const SPoint frame = Grid::FrameAt(c.slot);
        EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\small_app\\cg\\pv01.bmp", 0, 0, frame.x + 8, frame.y + 30));
    }
    EXPECT_EQ(View()->GetEntries().size(), 80u);
}

TEST_F(PlayViewTest, HoverSoundsOncePerChangeAndLockedSlotsStayDim) {
    Unlock({0, 1});
    Enter(CPlayViewScene::kScene);
    d.Sounds().Take();
    Hover(0, 2);
    EXPECT_TRUE(Probe().ShowsCellAt(d.Pixels(), "obj\\pv_ev01.bmp", 0, 0, 144, 88));
    Hover(1);
    EXPECT_TRUE(Probe().ShowsCellAt(d.Pixels(), "obj\\pv_ev02.bmp", 0, 0, 264, 88));
    EXPECT_TRUE(Probe().Absent(d.Pixels(), "obj\\pv_ev01.bmp", 0, 0));
    // Onto a locked slot: the preview goes at once, the left slot fades back.
    Hover(2);
    EXPECT_EQ(View()->GetHovered(), -1);
    EXPECT_TRUE(Probe().Absent(d.Pixels(), "obj\\pv_ev02.bmp", 0, 0));
    EXPECT_EQ(View()->GetAlpha(1), Grid::kAlphaLow);
    Hover(2, 6);
    EXPECT_EQ(View()->GetAlpha(2), Grid::kAlphaLow);
    d.Click(Grid::FrameAt(2).x + 2, Grid::FrameAt(2).y + 2);
    d.Frame();
    d.Frame();
    EXPECT_EQ(Scene(), CPlayViewScene::kScene);
    EXPECT_EQ(d.Sounds().Take(), (std::vector<std::string>{"ch1", "ch1"}));
    EXPECT_EQ(d.Game().m_ReplayFlag, 0);
}

TEST_F(PlayViewTest, ChoosingDuringAGameSavesItStopsItsSoundsAndReplaysOutsideTheSaveRecord) {
    Unlock({0});
    d.Game().m_GameInProgress = 1;
    Enter(CPlayViewScene::kScene);
    CPlayViewScene* view = Current<CPlayViewScene>();
    CMainGameScene& stage = *kept->GetStage();
    stage.ShowLayerImage(5, "cg\\ev01.bmp");
    PlayBankGroups();
    ChooseFirst();
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch0"});
    EXPECT_EQ(m_Record, (gametest::CRecord{"make kept", "WriteSave"}));
    EXPECT_EQ(d.Game().GetSaveData().m_Header, "running game");
    EXPECT_EQ(d.Game().m_ReplayFlag, 1);
    EXPECT_EQ(d.Game().m_ReplayEventId, 101);
    EXPECT_EQ(stage.FindLayerRecord(5), nullptr);
    const SLayerRecord* black = stage.FindLayerRecord(CMainGameScene::kBackgroundLayer);
    ASSERT_NE(black, nullptr);
    EXPECT_EQ(black->args.front(), static_cast<int32_t>(CMainGameScene::kBlack));
    d.Game().GetSaveData().m_Header = "saved before the replay";
    d.Frame();
    EXPECT_EQ(Scene(), 22);
    EXPECT_EQ(Manager().GetReturnStackDepth(), 1u);
    EXPECT_EQ(RunOutTransition() + 1, 30 + 2) << "a fade over 30 frames";
    EXPECT_EQ(BankGroupsPlaying(), 0) << "faded out over 500 ms";
    for (int frame = 0; frame < 400 && Scene() != CPlayViewScene::kScene; ++frame) d.Frame();
    ASSERT_EQ(View(), view) << "the kept play view resumes";
    EXPECT_EQ(Count(m_Record, "replay 101 flag 1"), 1);
    EXPECT_EQ(Count(m_Record, "WriteSave"), 1) << "the replay never reaches the save record";
    EXPECT_EQ(d.Game().GetSaveData().m_Header, "saved before the replay");
    EXPECT_EQ(view->GetPage(), 0);
    EXPECT_TRUE(d.Game().Shutdown());
    CSaveData automatic;
    ASSERT_TRUE(automatic.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(automatic.m_Header, "running game") << "the player's game goes on into the automatic save";
}

// A developer start runs no game of the player's, yet the replay's return rebuilds the
// stage from the current record: the play view copies the game on the screen into it,
// while the exit writes the record read at start back to the automatic save, also after
// a load before the replays and after a second replay.
TEST_F(PlayViewTest, ChoosingInADeveloperStartSavesTheGameForTheReturnButNotForTheExit) {
    Unlock({0});
    d.Game().GetSaveData().m_Header = "read at start";
    d.Game().Begin(CGameMain::START_TOOL);
    d.Frame();
    ASSERT_NE(d.Game().m_GameInProgress, 0);
    ASSERT_FALSE(d.Game().IsPlayersGameRunning());
    CSaveData loaded;  // what a load takes into the record
    loaded.m_Header = "loaded slot";
    d.Game().GetSaveData().Assign(loaded);
    Enter(CPlayViewScene::kScene);
    for (int choice = 0; choice < 2; ++choice) {
        SCOPED_TRACE(choice);
        ChooseFirst();
        EXPECT_EQ(d.Game().m_ReplayFlag, 1);
        EXPECT_EQ(Count(m_Record, "WriteSave"), 1 + choice);
        EXPECT_EQ(d.Game().GetSaveData().m_Header, "running game");
        d.Frame();
        for (int frame = 0; frame < 400 && Scene() != CPlayViewScene::kScene; ++frame) d.Frame();
        ASSERT_EQ(Scene(), CPlayViewScene::kScene);
        RunOutTransition();
    }
    EXPECT_TRUE(d.Game().Shutdown());
    CSaveData automatic;
    ASSERT_TRUE(automatic.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(automatic.m_Header, "read at start");
}

TEST_F(PlayViewTest, ChoosingWithoutAGameWritesNothingAndStopsNoSoundButSetsTheFlag) {
    Unlock({0});
    d.Game().m_GameInProgress = 0;
    Enter(CPlayViewScene::kScene);
    CMainGameScene& stage = *kept->GetStage();
    stage.ShowLayerImage(5, "cg\\ev01.bmp");
    PlayBankGroups();
    ChooseFirst();
    EXPECT_EQ(d.Game().m_ReplayFlag, 1);
    EXPECT_EQ(d.Game().m_ReplayEventId, 101);
    EXPECT_EQ(Count(m_Record, "WriteSave"), 0);
    EXPECT_NE(stage.FindLayerRecord(5), nullptr);
    d.Frame(40);
    EXPECT_EQ(BankGroupsPlaying(), 3);
}

}  // namespace
