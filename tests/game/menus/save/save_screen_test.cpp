// The save and load screens frame by frame on the demo data: tab locks, pages, saving
// (with and without the overwrite question, clear-data records, failed writes), the
// comment editor, loading, and a game carried through a slot across a restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/file/AtomicWrite.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SceneRequest.h"
#include "platform/window/WindowMessage.h"
#include "tests/game/menus/save/SaveTestUtil.h"
#include "tests/support/TestSupport.h"

namespace {

using savetest::CSaveGame;

class SaveScreenTest : public ::testing::Test, public CSaveGame {
public:
    ~SaveScreenTest() override {
        CSaveData::SetClock(nullptr);
        SetAtomicWriteFault(EAtomicWriteFault::NONE);
    }
    // The running game in the kept scene, then the screen called over it.
    void EnterFromGame(int32_t scene, int32_t money = 1234) {
        Enter(19);
        kept->Status().SetParam(104, 0, money);
        RequestCallSceneKeep(scene, 1, 15);
        d.Frame();
        Settle();
        d.Frame();
        ASSERT_NE(Screen(), nullptr);
    }
    std::vector<uint8_t> Bytes(const std::string& gamePath) {
        std::vector<uint8_t> b;
        testsupport::ReadFileBytes(kit::NativeFilePath(d.Folder(), gamePath), &b);
        return b;
    }
    bool Exists(const std::string& gamePath) {
        return std::filesystem::exists(kit::NativeFilePath(d.Folder(), gamePath));
    }
    CSaveData OnDisk(int s) {
        CSaveData r;
        r.Load(CSaveData::SlotPath(s + 1));
        return r;
    }
    bool Heard(const char* sound) {
        const std::vector<std::string>& all = d.Sounds().All();
        return std::find(all.begin(), all.end(), sound) != all.end();
    }
    void Type(int s, const std::string& text) {
        for (unsigned char c : text) Screen()->GetCommentWindow(s).OnMessage(nullptr, WindowMsg::kChar, c, 0);
    }
    void Ime(int s, uint32_t message, uintptr_t w = 0) {
        Screen()->GetCommentWindow(s).OnMessage(nullptr, message, w, 0);
    }
    SPoint WindowAt(int s) {
        CTextObject& t = Screen()->GetCommentWindow(s).GetTextObject();
        return SPoint{t.GetX(), t.GetY()};
    }
};

TEST_F(SaveScreenTest, TabLocksFollowTheGameTheReplayFlagAndTheClearDataModes) {
    struct SCase {
        int32_t scene;
        int32_t inProgress;
        uint8_t replay;
        std::array<bool, 6> locked;
    };
    const SCase cases[] = {
        {8, 1, 0, {false, false, false, false, false, false}},
        {9, 0, 0, {true, false, false, false, false, false}},
        {9, 1, 1, {true, true, true, true, true, false}},
        {10, 1, 0, {false, true, true, true, true, true}},
        {11, 1, 0, {true, false, true, true, true, true}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.scene);
        Manager().Reset();
        d.Game().m_GameInProgress = c.inProgress;
        d.Game().m_ReplayFlag = c.replay;
        Enter(c.scene);
        ASSERT_NE(Screen(), nullptr);
        const int own = c.scene == 8 || c.scene == 10 ? 0 : 1;
        for (int i = 0; i < 6; ++i) {
            CImageButton& tab = Screen()->GetTabBar().GetButton(i);
            EXPECT_EQ(tab.IsLocked(), c.locked[static_cast<size_t>(i)]) << i;
            EXPECT_EQ(tab.IsChecked(), i == own) << i;
            EXPECT_FALSE(tab.IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
        }
    }
}

TEST_F(SaveScreenTest, TheLastSavedSlotsPageShowsAtOnceAndPagesSlide) {
    WriteSlot(35, 10);
    WriteSlot(8, 10);  // drawn opaque in the load screen
    Settings().m_LastSavedSlot = 35;
    Enter(9);
    for (int p = 0; p < 9; ++p) EXPECT_EQ(Screen()->GetPageState(p), p == 8 ? 2 : 0) << p;
    EXPECT_TRUE(Screen()->GetPageButton(8).IsChecked());
    EXPECT_TRUE(Screen()->GetFrame(35).IsDisplayOptionOn(CButton::OPTION_HOVER_LOOK) == false);
    screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(
        Probe().CornersAt(f, CSlotCard::kDateDigits, 3, 0, CSlotCard::kNumberTens[3].x, CSlotCard::kNumberTens[3].y));
    EXPECT_TRUE(Probe().ShowsCellAt(f, CSlotCard::kLastSavedMark, 0, 0, CSlotCard::kLastSaved[3].x,
                                    CSlotCard::kLastSaved[3].y));
    EXPECT_EQ(WindowAt(35).x, 425);
    EXPECT_EQ(WindowAt(0).x, 800) << "a hidden page's windows stand off the screen";

    Click(PagePoint(2));
    EXPECT_EQ(Screen()->GetPageState(2), 1);
    EXPECT_EQ(Screen()->GetPageState(8), 3);
    // Far enough for the page sliding out to cover none of the probed card.
    d.Frame(12);
    const int32_t in = Screen()->GetPageOffset(2);
    EXPECT_GT(in, 0);
    EXPECT_LT(in, 800);
    EXPECT_EQ(WindowAt(8).x, 20 + in) << "comment windows follow their page's slide";
    EXPECT_EQ(WindowAt(32).x, 20 + Screen()->GetPageOffset(8));
    f = d.Pixels();
    EXPECT_TRUE(Probe().CornersAt(f, CSlotCard::kDateDigits, 9, 0, CSlotCard::kNumberOnes[0].x + in,
                                  CSlotCard::kNumberOnes[0].y));

    // Page 8 is sliding out: chosen again, it slides in from the right edge.
    Click(PagePoint(8));
    EXPECT_EQ(Screen()->GetPageState(8), 1);
    EXPECT_EQ(Screen()->GetPageOffset(8), 800);
    EXPECT_EQ(Screen()->GetPageState(2), 3);
    d.Frame(25);
    for (int p = 0; p < 9; ++p) EXPECT_EQ(Screen()->GetPageState(p), p == 8 ? 2 : 0) << p;
    EXPECT_EQ(WindowAt(8).x, 800);
    d.Sounds().Take();
    Click(PagePoint(8));
    EXPECT_EQ(Screen()->GetPageState(8), 2) << "the shown page chosen again does nothing";
    EXPECT_FALSE(Heard("ch0"));
}

TEST_F(SaveScreenTest, SavingIntoAnEmptySlotWritesRecordAndThumbnailThenEditsTheComment) {
    CSaveData::SetClock([] { return SSaveTime{2006, 2, 3, 4, 5, 6}; });
    EnterFromGame(8, 4321);
    Click(FramePoint(1));
    EXPECT_TRUE(Heard("ch0"));
    EXPECT_EQ(kept->writes, 1);
    CSaveData disk = OnDisk(1);
    EXPECT_EQ(disk.m_Used, 1);
    EXPECT_EQ(disk.GetGameState().GetStatus().GetParam(104, 0), 4321);
    EXPECT_TRUE(disk.m_Time == (SSaveTime{2006, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Bytes("save\\save02.bmp").size(), 90054u) << "200 x 150 at 24 bits";
    EXPECT_EQ(Settings().m_LastSavedSlot, 1);
    ASSERT_TRUE(Screen()->IsEditing());
    EXPECT_EQ(Screen()->GetEditSlot(), 1);
    EXPECT_TRUE(Screen()->GetFrame(1).IsChecked());

    CSaveData::SetClock([] { return SSaveTime{2010, 1, 1, 1, 1, 1}; });
    Type(1, "hello");
    d.Key(13);
    d.Frame();
    EXPECT_FALSE(Screen()->IsEditing());
    disk = OnDisk(1);
    EXPECT_EQ(disk.m_Header, "hello");
    EXPECT_TRUE(disk.m_Time == (SSaveTime{2006, 2, 3, 4, 5, 6})) << "the comment keeps the save time";
    EXPECT_FALSE(Screen()->GetFrame(1).IsChecked());
    EXPECT_EQ(Scene(), 8) << "the Enter that ended the edit does not leave";
    // The edit after a save shows nothing: the player's first BACK leaves.
    Click(FramePoint(2));
    ASSERT_TRUE(Screen()->IsEditing());
    Click(PagePoint(CSaveLoadScene::kBackButton));
    EXPECT_TRUE(Screen()->IsLeaving());
}

TEST_F(SaveScreenTest, AUsedSlotAsksFirstWhenTheOverwriteQuestionIsOn) {
    struct SCase {
        const char* what;
        uint8_t question;
        SPoint answer;  // (-1, -1): the cancel button of the mouse
        bool saved;
        bool edits;
    };
    const SCase cases[] = {
        {"question off", 0, {0, 0}, true, true},
        {"yes", 1, {280, 295}, true, false},
        {"no", 1, {280, 335}, false, false},
        {"cancel", 1, {-1, -1}, false, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        Manager().Reset();
        WriteSlot(2, 55, "kept comment");
        const std::vector<uint8_t> before = Bytes("save\\save03.sav");
        Settings().m_OverwriteConfirm = c.question;
        EnterFromGame(8, 777);
        Click(FramePoint(2));
        if (c.question) {
            EXPECT_TRUE(Screen()->GetConfirmPanel().IsOpen());
            EXPECT_EQ(Bytes("save\\save03.sav"), before);
            d.Move(400, 550);
            d.Frame(12);
            d.Sounds().Take();
            if (c.answer.x < 0) {
                Click(SPoint{400, 550}, CMouse::kRight);
            } else {
                Click(c.answer);
            }
            EXPECT_FALSE(Screen()->GetConfirmPanel().IsOpen());
            EXPECT_TRUE(Heard(c.saved ? "ch0" : "ch2"));
        }
        const CSaveData disk = OnDisk(2);
        EXPECT_EQ(disk.GetGameState().GetStatus().GetParam(104, 0), c.saved ? 777 : 55);
        EXPECT_EQ(disk.m_Header, "kept comment") << "an ordinary save keeps the comment";
        EXPECT_EQ(Screen()->IsEditing(), c.edits);
        EXPECT_EQ(Scene(), 8);
    }
}

TEST_F(SaveScreenTest, AClearDataSaveCarriesOnlyMoneyAndRank) {
    EnterFromGame(10, 9999999);
    kept->Status().SetParam(104, 4, 2600);
    kept->Status().SetParam(109, 0, 7);
    Click(FramePoint(0));
    const CSaveData disk = OnDisk(0);
    const CStatus fresh;
    const CStatus& saved = disk.GetGameState().GetStatus();
    EXPECT_EQ(saved.GetParam(104, 0), 9999999);
    EXPECT_EQ(saved.GetParam(104, 4), 2600);
    EXPECT_EQ(saved.GetParam(109, 0), fresh.GetParam(109, 0));
    EXPECT_EQ(disk.m_CarryMark, 1);
    EXPECT_EQ(disk.m_ClearData, 1);
    EXPECT_EQ(kept->thumbnails, 0);
    EXPECT_EQ(Bytes("save\\save01.bmp").size(), 90054u) << "the clear-data picture at its own size";
    d.Key(27);
    d.Frame(3);
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, CSlotCard::kCarryMark, 0, 0, CSlotCard::kCarry[0].x, CSlotCard::kCarry[0].y));
    EXPECT_TRUE(Probe().ShowsCellAt(f, CSlotCard::kRanks, 5, 0, CSlotCard::kRank[0].x, CSlotCard::kRank[0].y));
    EXPECT_TRUE(Probe().ShowsCellAt(f, CSaveLoadScene::kClearDataPicture, 1, 1, 120, 197));
}

TEST_F(SaveScreenTest, TheCommentEditEndsOnEscEitherMouseButtonAndAnEnterAfterTheInputMethod) {
    struct SCase {
        const char* what;
        std::function<void(SaveScreenTest&)> input;
        bool ends;
        bool leaves = false;
    };
    auto click = [](SPoint at, CMouse::EButton b = CMouse::kLeft) {
        return [at, b](SaveScreenTest& t) { t.d.Click(at.x, at.y, b); };
    };
    const SCase cases[] = {
        {"Esc", [](SaveScreenTest& t) { t.d.Key(27); }, true},
        // The left click that ends the edit reaches the tab bar and BACK, not the slots.
        {"left button on BACK", click(PagePoint(CSaveLoadScene::kBackButton)), true, true},
        {"left button on the load tab", click(SPoint{8 + 48 + 5, 48 + 5}), true, true},
        {"left button on an empty slot", click(FramePoint(1)), true},
        {"right button on BACK", click(PagePoint(CSaveLoadScene::kBackButton), CMouse::kRight), true},
        {"left button", [](SaveScreenTest& t) { t.d.Click(790, 590); }, true},
        {"right button", [](SaveScreenTest& t) { t.d.Click(790, 590, CMouse::kRight); }, true},
        {"Space", [](SaveScreenTest& t) { t.d.Key(32); }, false},
        {"Enter while composing",
         [](SaveScreenTest& t) {
             t.Ime(0, WindowMsg::kImeStartComposition);
             t.d.Key(13);
         },
         false},
        {"Enter in the frame after the composition",
         [](SaveScreenTest& t) {
             t.Ime(0, WindowMsg::kImeStartComposition);
             t.d.Frame();
             t.Ime(0, WindowMsg::kImeEndComposition);
             t.d.Key(13);
         },
         false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        Manager().Reset();
        WriteSlot(0, 1);
        EnterFromGame(8);
        Click(CommentPoint(0));
        ASSERT_TRUE(Screen()->IsEditing());
        c.input(*this);
        d.Frame();
        EXPECT_EQ(Screen()->IsEditing(), !c.ends);
        EXPECT_EQ(Screen()->IsLeaving(), c.leaves);
        EXPECT_FALSE(Exists("save\\save02.sav")) << "no save into the slot under the click";
    }
    // After the composition frame above, the next Enter ends it.
    d.Key(13);
    d.Frame();
    EXPECT_FALSE(Screen()->IsEditing());

    // 28 bytes at most, a double-byte character never split.
    Click(CommentPoint(0));
    Type(0, std::string(27, 'x'));
    Ime(0, WindowMsg::kImeChar, 0x82A0);
    Type(0, "yz");
    d.Key(27);
    d.Frame();
    EXPECT_EQ(OnDisk(0).m_Header, std::string(27, 'x') + "y");
}

TEST_F(SaveScreenTest, LoadingStopsTheStagesSoundsTakesTheSlotAndNeverReturns) {
    WriteSlot(3, 777, "loaded", 0);
    EnterFromGame(9, 5);
    CMainGameScene* stage = kept->GetStage();
    for (int g = 0; g < 3; ++g) {
        stage->LoadSlot(g, 0, savetest::kSounds[g]);
        stage->PlaySlot(g, 0, 0, 0);
    }
    d.Frame();
    for (int g = 0; g < 3; ++g) ASSERT_TRUE(d.Game().GetSoundBank().IsPlaying(g, 0)) << g;
    ASSERT_EQ(Manager().GetReturnStackDepth(), 1u);

    Click(FramePoint(0));
    EXPECT_EQ(Scene(), 9) << "an empty slot takes no click in the load screen";
    Click(FramePoint(3));
    EXPECT_TRUE(Heard("ch0"));
    EXPECT_EQ(d.Game().GetSaveData().m_Header, "loaded");
    EXPECT_EQ(Manager().GetReturnStackDepth(), 0u);
    EXPECT_TRUE(Screen()->IsLeaving());
    d.Frame(15);
    for (int g = 0; g < 3; ++g) EXPECT_TRUE(d.Game().GetSoundBank().IsPlaying(g, 0)) << "fading " << g;
    d.Frame(20);
    for (int g = 0; g < 3; ++g) EXPECT_FALSE(d.Game().GetSoundBank().IsPlaying(g, 0)) << "stopped " << g;
    Settle();
    d.Frame(2);
    Settle();
    EXPECT_EQ(Scene(), 19);
    EXPECT_EQ(kept->restores, 1);
    EXPECT_EQ(kept->Status().GetParam(104, 0), 777);
}

TEST_F(SaveScreenTest, EmptySlotsAreHalfSeenInLoadModesAndClearDataLoadsOnlyClearDataRecords) {
    WriteSlot(0, 1, "", 0);
    WriteSlot(1, 2, "", 1);
    struct SCase {
        int32_t scene;
        bool emptyOpaque;
        bool slot0Live;
    };
    // Slot 0 is an ordinary record: only the clear-data load refuses it, frame and
    // comment alike; the clear-data save lets its comment be written.
    for (const SCase& c : {SCase{8, true, true}, SCase{9, false, true}, SCase{10, true, true}, SCase{11, false, false}}) {
        SCOPED_TRACE(c.scene);
        Manager().Reset();
        Enter(c.scene);
        const screentest::SFrame f = d.Pixels();
        const SPoint empty = CSlotCard::kThumb[2];
        EXPECT_EQ(static_cast<bool>(Probe().At(f, empty.x + 10, empty.y + 10)), c.emptyOpaque);
        // The ordinary record is drawn at half alpha where it takes no clicks: its slot
        // number's ones digit at (149, 98) shows in its own colour only when whole.
        EXPECT_EQ(static_cast<bool>(Probe().CornersAt(f, CSlotCard::kDateDigits, 1, 0, 149, 98)), c.slot0Live);
        d.Move(FramePoint(0).x, FramePoint(0).y);
        d.Frame();
        EXPECT_EQ(Screen()->GetFrame(0).IsHover(), c.slot0Live);
        d.Move(FramePoint(1).x, FramePoint(1).y);
        d.Frame();
        EXPECT_TRUE(Screen()->GetFrame(1).IsHover());
        // The click rectangle is the frame's picture shrunk by 10 on every side.
        const SRect r = Screen()->GetFrame(1).GetRect();
        d.Move(r.left + 9, r.top + 9);
        d.Frame();
        EXPECT_FALSE(Screen()->GetFrame(1).IsHover());
        d.Move(r.left + 10, r.bottom - 11);
        d.Frame();
        EXPECT_TRUE(Screen()->GetFrame(1).IsHover());
        Click(CommentPoint(0));
        EXPECT_EQ(Screen()->IsEditing(), c.slot0Live) << "comment of the ordinary record";
        if (Screen()->IsEditing()) Click(CommentPoint(0), CMouse::kRight);
        Click(CommentPoint(1));
        EXPECT_TRUE(Screen()->IsEditing()) << "comment of the clear-data record";
        EXPECT_EQ(Screen()->GetEditSlot(), 1);
    }
}

// A developer start runs no game of the player's: a slot saved there still takes the
// game on the screen, while the current record, which the exit writes back to the
// automatic save, stays as it was read at start.
TEST_F(SaveScreenTest, ASlotSavedInADeveloperStartTakesTheGameOnTheScreen) {
    Settings().m_OverwriteConfirm = 0;
    for (CGameMain::EStart start : {CGameMain::START_TOOL, CGameMain::START_VIEWER}) {
        SCOPED_TRACE(start);
        Manager().Reset();
        CSaveData& record = d.Game().GetSaveData();
        record.Reset();
        record.m_Header = "read at start";
        record.GetGameState().GetStatus().SetParam(104, 0, 11);
        d.Game().Begin(start, {"scr\\a.txt"});
        d.Frame(2);
        Settle();
        ASSERT_EQ(Scene(), 19);
        ASSERT_FALSE(d.Game().IsPlayersGameRunning());
        kept->Status().SetParam(104, 0, 4321);
        RequestCallSceneKeep(8, 1, 15);
        d.Frame();
        Settle();
        d.Frame();
        ASSERT_NE(Screen(), nullptr);
        Click(FramePoint(1));
        EXPECT_EQ(OnDisk(1).GetGameState().GetStatus().GetParam(104, 0), 4321);
        EXPECT_EQ(Screen()->GetSlot(1).GetGameState().GetStatus().GetParam(104, 0), 4321);
        EXPECT_EQ(record.m_Header, "read at start");
        EXPECT_EQ(record.GetGameState().GetStatus().GetParam(104, 0), 11);
        EXPECT_TRUE(Screen()->IsEditing()) << "the comment follows as after any save";
    }
}

// The cancel input waits for the incoming transition, as the tabs and buttons do.
TEST_F(SaveScreenTest, CancelIsNotTakenDuringTheIncomingTransition) {
    for (int32_t scene = 8; scene <= 11; ++scene) {
        SCOPED_TRACE(scene);
        Manager().Reset();
        Enter(19);
        RequestCallSceneKeep(scene, 1, 15);
        d.Frame();
        ASSERT_NE(Screen(), nullptr);
        ASSERT_TRUE(Manager().IsInTransition());
        d.Sounds().Take();
        d.Key(27);
        d.Frame();
        EXPECT_FALSE(Screen()->IsLeaving());
        EXPECT_FALSE(Heard("ch2"));
        Settle();
        ASSERT_EQ(Scene(), scene) << "still there once the transition is over";
        d.Key(27);
        d.Frame();
        EXPECT_TRUE(Screen()->IsLeaving());
        EXPECT_TRUE(Heard("ch2"));
    }
}

TEST_F(SaveScreenTest, AFailedWriteKeepsThePreviousSaveAndAStaleThumbnailGoes) {
    WriteSlot(0, 55, "old");
    const std::vector<uint8_t> oldPicture(90054, 7);
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "save\\save01.bmp"), oldPicture));
    Settings().m_OverwriteConfirm = 0;
    EnterFromGame(8, 999);
    const std::vector<uint8_t> before = Bytes("save\\save01.sav");
    d.Sounds().Take();
    CLogCapture log;
    SetAtomicWriteFault(EAtomicWriteFault::FAIL_TEMP_WRITE);
    Click(FramePoint(0));
    SetAtomicWriteFault(EAtomicWriteFault::NONE);
    EXPECT_EQ(Bytes("save\\save01.sav"), before);
    EXPECT_EQ(Screen()->GetSlot(0).GetGameState().GetStatus().GetParam(104, 0), 55) << "the card shows the disk";
    EXPECT_FALSE(Screen()->IsEditing());
    EXPECT_TRUE(Heard("ch2"));
    EXPECT_TRUE(log.Contains("CSaveLoadScene::SaveToSlot()"));
    EXPECT_EQ(Settings().m_LastSavedSlot, 0);
    EXPECT_EQ(Bytes("save\\save01.bmp"), oldPicture) << "the old save keeps its picture";
    EXPECT_FALSE(Exists("save\\save01.bmp.tmp"));

    // Another game's picture must not stand beside the new save.
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "save\\save02.bmp"), std::vector<uint8_t>(90054, 1)));
    kept->failThumbnail = true;
    Click(FramePoint(1));
    EXPECT_EQ(OnDisk(1).m_Used, 1);
    EXPECT_FALSE(Exists("save\\save02.bmp"));
}

// A kill while the slot's picture is written (stopped before its rename) finds the new
// record on disk and no picture beside it: never the old game's.
TEST_F(SaveScreenTest, AKillWhileThePictureIsWrittenLeavesNoOtherGamesPicture) {
    WriteSlot(1, 55, "old");
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "save\\save02.bmp"), std::vector<uint8_t>(90054, 7)));
    Settings().m_OverwriteConfirm = 0;
    EnterFromGame(8, 999);
    int asked = 0;
    kept->beforeThumbnail = [&] {
        ++asked;
        EXPECT_EQ(OnDisk(1).GetGameState().GetStatus().GetParam(104, 0), 999) << "the new record is in place";
        EXPECT_FALSE(Exists("save\\save02.bmp")) << "the old game's picture is not beside it";
        SetAtomicWriteFault(EAtomicWriteFault::STOP_BEFORE_RENAME);
    };
    Click(FramePoint(1));
    SetAtomicWriteFault(EAtomicWriteFault::NONE);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(Exists("save\\save02.bmp"));
}

TEST_F(SaveScreenTest, AFolderInPlaceOfASlotFileIsLoggedAndTheSlotShowsEmpty) {
    ASSERT_TRUE(std::filesystem::create_directories(kit::NativeFilePath(d.Folder(), "save\\save02.sav")));
    WriteSlot(2, 5);
    ASSERT_TRUE(std::filesystem::create_directories(kit::NativeFilePath(d.Folder(), "save\\save03.bmp")));
    CLogCapture log;
    Enter(9);
    d.Frame(10);
    EXPECT_EQ(Screen()->GetSlot(1).m_Used, 0);
    EXPECT_EQ(Screen()->GetSlot(2).m_Used, 1);
    EXPECT_TRUE(log.Contains("CSaveData::Load() 読み込みに失敗しました[save\\save02.sav]"));
    EXPECT_TRUE(log.Contains("CImagePlane::Load() ファイルを開けません[save\\save03.bmp]"));
}

TEST_F(SaveScreenTest, AThumbnailIsReadOncePerShowingOfItsPage) {
    WriteSlot(0, 1);
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "save\\save01.bmp"), {'B', 'M', 0, 0}));
    Enter(9);
    d.Frame(10);
    EXPECT_EQ(Screen()->GetThumbnailReads(0), 1);
    Click(PagePoint(1));
    d.Frame(25);
    Click(PagePoint(0));
    d.Frame(25);
    EXPECT_EQ(Screen()->GetThumbnailReads(0), 2);
}

// A game saved in a slot, the program ended, started again and the slot loaded from
// the title: the in-game frame is the one saved, and the thumbnail its box-filtered copy.
TEST(SaveRoundTrip, AGameSavedInASlotContinuesAfterARestart) {
    CSaveData::SetClock([] { return SSaveTime{2007, 8, 9, 10, 11, 12}; });
    std::vector<uint8_t> sav, bmp;
    screentest::SFrame before;
    {
        CSaveGame a;
        a.d.Start(19);
        a.d.Frame(2);
        a.kept->Status().SetParam(104, 0, 12345);
        a.d.Frame();
        before = a.d.Pixels();
        ASSERT_EQ(a.Probe().At(before, 345 + 4, 120 + 4).sheet, savetest::kGirl) << "placed by the money";
        RequestCallSceneKeep(8, 1, 15);
        a.d.Frame();
        a.Settle();
        a.d.Frame();
        a.Click(CSaveGame::FramePoint(0));
        a.d.Key(27);
        a.d.Frame(2);
        // The card shows the new thumbnail, unscaled.
        const screentest::SFrame screen = a.d.Pixels();
        const std::vector<uint32_t> thumb = savetest::BoxFilter(before.pixels);
        for (SPoint p : {SPoint{10, 10}, SPoint{100, 75}, SPoint{190, 140}}) {
            EXPECT_EQ(screen.At(20 + p.x, 122 + p.y),
                      thumb[static_cast<size_t>(p.y) * 200 + static_cast<size_t>(p.x)] & 0xFFFFFF);
        }
        testsupport::ReadFileBytes(kit::NativeFilePath(a.d.Folder(), "save\\save01.sav"), &sav);
        testsupport::ReadFileBytes(kit::NativeFilePath(a.d.Folder(), "save\\save01.bmp"), &bmp);
        CImagePlane written;
        ASSERT_TRUE(written.LoadFile("save\\save01.bmp"));
        const std::vector<uint32_t> pixels(written.GetPixels(), written.GetPixels() + 200 * 150);
        EXPECT_TRUE(pixels == thumb);
    }
    CSaveData::SetClock(nullptr);
    CSaveGame b([&](const std::string& folder) {
        ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, "save\\save01.sav"), sav));
        ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, "save\\save01.bmp"), bmp));
    });
    b.d.Start(7);
    b.d.Frame(40);
    b.Click(SPoint{8 + 20, 480 + 10});  // the title's load button
    b.d.Frame();
    b.Settle();
    b.d.Frame();
    ASSERT_EQ(b.Scene(), 9);
    b.Click(CSaveGame::FramePoint(0));
    for (int i = 0; i < 8; ++i) {
        b.d.Frame();
        b.Settle();
    }
    ASSERT_EQ(b.Scene(), 19);
    b.d.Frame();
    const screentest::SFrame after = b.d.Pixels();
    EXPECT_TRUE(after.pixels == before.pixels);
}

}  // namespace
