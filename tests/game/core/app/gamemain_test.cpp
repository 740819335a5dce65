#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/base/AppManager.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Keyboard.h"
#include "engine/base/Log.h"
#include "engine/base/Mouse.h"
#include "engine/draw/SceneManager.h"
#include "engine/file/AtomicWrite.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/FadeSoundList.h"
#include "engine/sound/SoundBank.h"
#include "game/core/ReadHistory.h"
#include "game/core/SceneFactory.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/wide/WideBackground.h"
#include "tests/game/core/app/GameTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace gametest;
using testsupport::CGameFolderScope;
using testsupport::CTempDir;

namespace {

class GameMainTest : public ::testing::Test {
protected:
    GameMainTest() : m_Folder(m_Temp.Path()), m_Renderer(&m_Draws, &m_Lost), m_Factory(&m_Scenes) {
        SetDebugOutputEnabled(false);
    }
    ~GameMainTest() override { SetDebugOutputEnabled(true); }

    CGameMain::SOptions Options(bool ownFactory = false) {
        CGameMain::SOptions o;
        o.clock = &m_Clock;
        o.manualSound = true;
        o.reportPath = "";
        o.sceneFactory = ownFactory ? nullptr : &m_Factory;
        o.onStep = [this](const char* step) { m_Steps.push_back(step); };
        return o;
    }
    void WithInGameScene(CGameMain::SOptions& o) {
        o.inGameSceneMaker = [this](CGameMain&, bool fresh) -> std::unique_ptr<IInGameScene> {
            return std::make_unique<CFakeInGame>(fresh, &m_Scenes);
        };
    }
    // What the scenes did, merged with what the renderer was asked, since the last call.
    CRecord Take() {
        CRecord all;
        std::swap(all, m_Scenes);
        return all;
    }
    CRecord TakeDraws() {
        CRecord all;
        std::swap(all, m_Draws);
        return all;
    }
    static bool Has(const CRecord& r, const std::string& s) { return std::find(r.begin(), r.end(), s) != r.end(); }

    CTempDir m_Temp;
    CGameFolderScope m_Folder;
    CFakeClock m_Clock;
    CRecord m_Draws;
    CRecord m_Scenes;
    CRecord m_Steps;
    bool m_Lost = false;
    CFakeRendererScope m_Renderer;
    CRecFactory m_Factory;
};

}  // namespace

TEST_F(GameMainTest, BuildsItsServicesInOrderAndLoadsTheRecords) {
    {
        CSystemData sd(CSystemData::kNoLoad);
        sd.m_MusicVolume = 33;
        ASSERT_TRUE(sd.Save());
        CSaveData save;
        save.m_Header = "autosave";
        ASSERT_TRUE(save.Save(CSaveData::SlotPath(0)));
        CReadHistory read;
        read.AddKey("scr\\a.txt");
        ASSERT_TRUE(read.Save());
    }
    CGameMain::SOptions o = Options();
    WithInGameScene(o);
    CGameMain game(o);
    EXPECT_EQ(m_Steps, (CRecord{"CMainLoopBase", "CDirectSound", "CFadeSound", "CFadeSoundList", "CReadHistory",
                                "CSystemData", "CSoundBank", "save", "CScreen", "CSceneFactory", "CSceneManager",
                                "CSaveData", "CRaisingScene", "SetFps", "read.sav", "CAppManager", "CEventTable",
                                "save00.sav"}));
    EXPECT_EQ(game.GetSystemData().m_MusicVolume, 33);
    EXPECT_EQ(game.GetSaveData().m_Header, "autosave");
    EXPECT_TRUE(game.GetReadFlags().Find("scr\\a.txt"));
    EXPECT_EQ(game.GetFrameTimer().GetFps(), 60);
    EXPECT_EQ(GetGameMain(), &game);
    EXPECT_EQ(CAppManager::GetScreen(), &game.GetScreen());
    EXPECT_TRUE(std::filesystem::is_directory(m_Temp.Path() + "save"));
    ASSERT_NE(game.GetRaisingScene(), nullptr);
    EXPECT_EQ(Take(), (CRecord{"make kept"}));
}

TEST_F(GameMainTest, TheEventTableIsReadFromCfgOrGivenByTheTest) {
    {
        CGameMain game(Options());
        EXPECT_TRUE(game.GetEventTable().GetRows().empty()) << "no file: a game without events";
    }
    const std::string csv = "a,1,5,0,0,,a\n";
    ASSERT_TRUE(testsupport::MakeParentDirs(m_Temp.Path() + "cfg/event.csv"));
    ASSERT_TRUE(testsupport::WriteFileBytes(m_Temp.Path() + "cfg/event.csv",
                                            std::vector<uint8_t>(csv.begin(), csv.end())));
    {
        CGameMain game(Options());
        EXPECT_EQ(game.GetEventTable().GetEventName(1), "scr\\a.txt");
    }
    CEventTable own;
    CGameMain::SOptions o = Options();
    o.eventTable = &own;
    CGameMain game(o);
    EXPECT_EQ(&game.GetEventTable(), &own);
}

TEST_F(GameMainTest, AStartAfterASaveCutShortRemovesItsTemporaryFileAndKeepsTheSave) {
    CSaveData save;
    save.m_Header = "before";
    ASSERT_TRUE(save.Save(CSaveData::SlotPath(1)));
    save.m_Header = "cut short";
    SetAtomicWriteFault(EAtomicWriteFault::STOP_BEFORE_RENAME);
    EXPECT_FALSE(save.Save(CSaveData::SlotPath(1)));
    SetAtomicWriteFault(EAtomicWriteFault::NONE);
    ASSERT_TRUE(testsupport::FileExists(m_Temp.Path() + "save/save01.sav.tmp"));

    CGameMain game(Options());
    EXPECT_FALSE(testsupport::FileExists(m_Temp.Path() + "save/save01.sav.tmp"));
    ASSERT_TRUE(save.Load(CSaveData::SlotPath(1)));
    EXPECT_EQ(save.m_Header, "before");
}

TEST_F(GameMainTest, EndingWritesTheRunningGameThenSave00ReadAndCfgInThatOrder) {
    {
        CGameMain::SOptions o = Options();
        WithInGameScene(o);
        CGameMain game(o);
        game.m_GameInProgress = 1;  // a game was started in this run
        game.GetSystemData().m_VoiceVolume = 12;
        game.GetReadFlags().AddKey("scr\\b.txt");
        m_Steps.clear();
    }
    EXPECT_EQ(m_Steps, (CRecord{"WriteCurrentSave", "save00.sav", "read.sav", "cfg.sav"}));
    EXPECT_EQ(GetGameMain(), nullptr);
    CSaveData save;
    ASSERT_TRUE(save.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(save.m_Header, "running game");
    CReadHistory read;
    ASSERT_TRUE(read.Load());
    EXPECT_TRUE(read.Find("scr\\b.txt"));
    CSystemData sd(CSystemData::kNoLoad);
    ASSERT_TRUE(sd.Load());
    EXPECT_EQ(sd.m_VoiceVolume, 12);
    CRecord r = Take();
    EXPECT_TRUE(Has(r, "WriteSave"));
    EXPECT_EQ(r.back(), "destroy kept");
}

TEST_F(GameMainTest, TheReplayFlagKeepsTheRunningGameOutOfTheSave) {
    {
        CGameMain::SOptions o = Options();
        WithInGameScene(o);
        CGameMain game(o);
        game.m_GameInProgress = 1;
        game.GetSaveData().m_Header = "before replay";
        game.m_ReplayFlag = 1;
    }
    EXPECT_FALSE(Has(Take(), "WriteSave"));
    CSaveData save;
    ASSERT_TRUE(save.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(save.m_Header, "before replay");
}

TEST_F(GameMainTest, EachFrameUpdatesThenDrawsBetweenBeginAndPresentWithThisFramesInput) {
    CGameMain game(Options());
    game.Begin(CGameMain::START_BOOT);
    EXPECT_EQ(TakeDraws(), (CRecord{"BeginScene", "Clear", "EndScene", "Present"})) << "the screen is cleared first";
    EXPECT_EQ(game.GetSceneManager().GetPendingCommandCount(), 2u) << "go to the boot scene, then a cut";

    game.GetKeyboard().KeyDown(VKey::kSpace);
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(game.GetSceneManager().GetCurrentSceneId(), CGameMain::kBootScene);
    EXPECT_EQ(Take(), (CRecord{"load 2", "update 2 decide", "draw 2"}));
    EXPECT_EQ(TakeDraws(), (CRecord{"BeginScene", "Clear", "EndScene", "Present"}));

    game.GetKeyboard().KeyUp(VKey::kSpace);
    game.GetMouse().ButtonDown(CMouse::kRight);
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"update 2 cancel", "draw 2"}));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"update 2", "draw 2"}));
}

TEST_F(GameMainTest, ALateFrameSkipsTheNextDrawAndKeepsUpdating) {
    CGameMain game(Options());
    game.Begin(CGameMain::START_BOOT);
    game.GetFrameTimer().Restart();
    ASSERT_TRUE(game.RunFrame());
    Take();
    int late = 1;
    m_Factory.onUpdate = [&](int) {
        if (late-- > 0) m_Clock.Advance(20);  // longer than a frame, shorter than two
    };
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"update 2", "draw 2"}));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"update 2"})) << "the draw after a late frame is skipped";
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"update 2", "draw 2"}));
}

TEST_F(GameMainTest, ALostDeviceIsResetAndEveryLiveSceneRestoredBeforeTheUpdate) {
    CGameMain game(Options());
    game.Begin(CGameMain::START_BOOT);
    ASSERT_TRUE(game.RunFrame());
    ASSERT_TRUE(RequestCallSceneKeep(5, 0, 0));
    ASSERT_TRUE(game.RunFrame());
    Take();
    TakeDraws();
    m_Lost = true;
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"restore 5", "restore 2", "update 5", "draw 5"}));
    CRecord draws = TakeDraws();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.front(), "RestoreDevice");
    EXPECT_EQ(game.GetDeviceRestoreCount(), 1u);
    ASSERT_TRUE(game.RunFrame());
    EXPECT_FALSE(Has(TakeDraws(), "RestoreDevice"));
}

TEST_F(GameMainTest, EveryRequestQueuesASceneCommandThenATransitionForTheNextUpdate) {
    CGameMain game(Options());
    CSceneManager& m = game.GetSceneManager();
    game.Begin(CGameMain::START_BOOT);
    ASSERT_TRUE(game.RunFrame());
    Take();

    ASSERT_TRUE(RequestGotoScene(7, 1, 10));
    EXPECT_EQ(m.GetPendingCommandCount(), 2u);
    EXPECT_EQ(m.GetCurrentSceneId(), 2) << "nothing happens before the next update";
    EXPECT_FALSE(IsTopSceneInTransition());
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 7);
    EXPECT_TRUE(IsTopSceneInTransition());
    EXPECT_EQ(m.GetTransitionIndex(), 1);
    EXPECT_TRUE(Has(Take(), "destroy 2"));
    for (int i = 0; i < 12; ++i) game.RunFrame();
    EXPECT_FALSE(IsTopSceneInTransition());

    ASSERT_TRUE(RequestCallScene(8, 0, 0));
    EXPECT_EQ(m.GetPendingCommandCount(), 2u);
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 8);
    EXPECT_TRUE(Has(Take(), "destroy 7")) << "a plain call destroys the caller";
    ASSERT_TRUE(RequestReturnScene(0, 0));
    EXPECT_EQ(m.GetPendingCommandCount(), 2u);
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 7);
    EXPECT_TRUE(Has(Take(), "load 7")) << "and makes it again on return";

    ASSERT_TRUE(RequestCallSceneKeep(9, 0, 0));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 9);
    EXPECT_FALSE(Has(Take(), "destroy 7")) << "a keeping call leaves the caller alive";
    ASSERT_TRUE(RequestReturnScene(0, 0));
    ASSERT_TRUE(game.RunFrame());
    CRecord r = Take();
    EXPECT_EQ(m.GetCurrentSceneId(), 7);
    EXPECT_FALSE(Has(r, "load 7")) << "the kept caller is resumed, not made again";
    EXPECT_TRUE(Has(r, "update 7"));
}

TEST(SceneRequest, WithoutAGameObjectRequestsAreRefusedAndLogged) {
    SetDebugOutputEnabled(false);
    CLogCapture log;
    EXPECT_FALSE(RequestGotoScene(2, 0, 0));
    EXPECT_FALSE(RequestCallScene(2, 0, 0));
    EXPECT_FALSE(RequestCallSceneKeep(2, 0, 0));
    EXPECT_FALSE(RequestReturnScene(0, 0));
    EXPECT_FALSE(IsTopSceneInTransition());
    EXPECT_FALSE(IsDecidePressed());
    EXPECT_FALSE(IsCancelPressed());
    EXPECT_TRUE(log.Contains("RequestGotoScene()"));
    EXPECT_TRUE(log.Contains("RequestReturnScene()"));
    SetDebugOutputEnabled(true);
}

TEST(SceneRequest, DecideAndCancelByEveryKeyAndButton) {
    struct SCase {
        int key;     // virtual key, or -1
        int button;  // mouse button, or -1
        bool decide;
        bool cancel;
    };
    const SCase cases[] = {
        {VKey::kSpace, -1, true, false},      {VKey::kReturn, -1, false, true}, {VKey::kEscape, -1, false, true},
        {-1, CMouse::kLeft, true, false},     {-1, CMouse::kRight, false, true}, {-1, CMouse::kMiddle, false, false},
        {'A', -1, false, false},              {VKey::kControl, -1, false, false},
    };
    for (const SCase& c : cases) {
        CKeyboard keyboard;
        CMouse mouse;
        if (c.key >= 0) keyboard.KeyDown(static_cast<uint32_t>(c.key));
        if (c.button >= 0) mouse.ButtonDown(static_cast<CMouse::EButton>(c.button));
        keyboard.Update();
        mouse.Update();
        EXPECT_EQ(IsDecidePressed(keyboard, mouse), c.decide) << c.key << " " << c.button;
        EXPECT_EQ(IsCancelPressed(keyboard, mouse), c.cancel) << c.key << " " << c.button;
        // Held, not pressed, in the next frame.
        keyboard.Update();
        mouse.Update();
        EXPECT_FALSE(IsDecidePressed(keyboard, mouse));
        EXPECT_FALSE(IsCancelPressed(keyboard, mouse));
    }
}

TEST_F(GameMainTest, SoundVolumesFollowTheSystemData) {
    CGameMain game(Options());
    CSystemData& sd = game.GetSystemData();
    sd.m_EffectVolume = 77;
    sd.m_MusicVolume = 33;
    sd.m_VoiceVolume = 61;
    game.ApplySoundVolumes();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(game.GetChannel(i)->GetVolume(), 380) << i;
    EXPECT_EQ(game.GetChannel(4)->GetVolume(), 330);
    EXPECT_EQ(game.GetChannel(5)->GetVolume(), 230);
    EXPECT_EQ(game.GetChannel(6)->GetVolume(), 150);
    EXPECT_EQ(game.GetVoiceList().GetVolume(), 610);
    EXPECT_EQ(game.GetSoundBank().GetGroupVolume(CSoundBank::GROUP_MUSIC), 33);
    EXPECT_EQ(game.GetSoundBank().GetGroupVolume(CSoundBank::GROUP_EFFECT), 77);
    EXPECT_EQ(game.GetSoundBank().GetGroupVolume(CSoundBank::GROUP_VOICE), 61);
    sd.m_EffectVolume = 100;
    game.ApplySoundVolumes();
    EXPECT_EQ(game.GetChannel(0)->GetVolume(), 500);
    EXPECT_EQ(game.GetChannel(5)->GetVolume(), 300);
    EXPECT_EQ(game.GetChannel(6)->GetVolume(), 200);
    EXPECT_EQ(game.GetChannel(7), nullptr);
    // Missing channel sounds play nothing and harm nothing.
    game.Begin(CGameMain::START_BOOT);
    game.PlayChannel0();
    game.PlayChannel3();
    CLogCapture log;
    game.PlayChannel(9);
    EXPECT_TRUE(log.Contains("CGameMain::PlayChannel()"));
}

TEST_F(GameMainTest, TheFactoryGivesNoneForIdsItCannotBuild) {
    CGameMain game(Options(true));
    CSceneFactory factory(game);
    CLogCapture log;
    EXPECT_EQ(factory.CreateScene(0), nullptr);
    EXPECT_EQ(log.Count(), 0u) << "id 0 is the quiet none";
    EXPECT_EQ(factory.CreateScene(30), nullptr);
    EXPECT_EQ(factory.CreateScene(-1), nullptr);
    EXPECT_EQ(factory.CreateScene(19), nullptr) << "no in-game scene in this game object";
    EXPECT_EQ(factory.CreateScene(20), nullptr);
    EXPECT_TRUE(log.Contains("CSceneFactory::CreateScene()"));
    EXPECT_NE(factory.CreateScene(21), nullptr);
    EXPECT_NE(factory.CreateScene(22), nullptr);
    EXPECT_NE(factory.CreateScene(23), nullptr);
}

TEST_F(GameMainTest, RelaysLeadToTheKeptOrAFreshInGameSceneWithAFade) {
    CGameMain::SOptions o = Options(true);
    WithInGameScene(o);
    CGameMain game(o);
    CSceneManager& m = game.GetSceneManager();
    IInGameScene* kept = game.GetRaisingScene();
    game.GetSaveData().m_Header = "slot 3";
    Take();

    ASSERT_TRUE(RequestGotoScene(21, 0, 0));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 21);
    EXPECT_EQ(m.GetPendingCommandCount(), 2u) << "the relay asked for scene 19 at its first update";
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 19);
    EXPECT_EQ(m.GetCurrentScene(), static_cast<CSceneBase*>(kept));
    EXPECT_TRUE(m.IsInTransition());
    EXPECT_EQ(m.GetTransitionIndex(), 1);
    EXPECT_EQ(game.m_GameInProgress, 1);
    EXPECT_EQ(Take(), (CRecord{"update kept"}));

    // Leaving scene 19 hands the kept scene back without deleting it.
    ASSERT_TRUE(RequestGotoScene(22, 0, 0));
    ASSERT_TRUE(game.RunFrame());
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 20);
    EXPECT_EQ(Take(), (CRecord{"make fresh", "update fresh"}));
    EXPECT_EQ(game.GetRaisingScene(), kept);

    ASSERT_TRUE(RequestGotoScene(23, 0, 0));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(Take(), (CRecord{"destroy fresh", "RestoreFromSave slot 3"}));
    ASSERT_TRUE(game.RunFrame());
    EXPECT_EQ(m.GetCurrentSceneId(), 19);
    EXPECT_EQ(game.m_GameInProgress, 2);
}

TEST_F(GameMainTest, BeginChoosesTheFirstScene) {
    {
        CGameMain::SOptions o = Options(true);
        WithInGameScene(o);
        CGameMain game(o);
        game.Begin(CGameMain::START_VIEWER, {"scr\\a.txt", "scr\\b.txt"});
        EXPECT_TRUE(game.m_Viewer);
        EXPECT_EQ(game.m_ViewerScripts, (std::vector<std::string>{"scr\\a.txt", "scr\\b.txt"}));
        ASSERT_TRUE(game.RunFrame());
        EXPECT_EQ(game.GetSceneManager().GetCurrentSceneId(), 19);
        EXPECT_FALSE(game.GetSceneManager().IsInTransition());
    }
    {
        CGameMain game(Options());
        game.Begin(CGameMain::START_TOOL);
        ASSERT_TRUE(game.RunFrame());
        EXPECT_EQ(game.GetSceneManager().GetCurrentSceneId(), 19);
        EXPECT_FALSE(game.m_Viewer);
    }
}

TEST_F(GameMainTest, TheCurrentSaveAndTheThumbnailComeFromTheKeptInGameScene) {
    {
        CGameMain::SOptions o = Options();
        WithInGameScene(o);
        CGameMain game(o);
        Take();
        game.m_GameInProgress = 1;
        game.WriteCurrentSave();
        EXPECT_EQ(game.GetSaveData().m_Header, "running game");
        game.GetSaveData().m_Header = "kept";
        game.m_ReplayFlag = 1;
        game.WriteCurrentSave();
        EXPECT_EQ(game.GetSaveData().m_Header, "kept") << "a replay is never saved";
        EXPECT_TRUE(game.RenderGameToTexture("save\\save01.bmp"));
        EXPECT_EQ(Take(), (CRecord{"WriteSave", "RenderToTexture save\\save01.bmp"}));
    }
    CGameMain game(Options());
    CLogCapture log;
    game.WriteCurrentSave();
    EXPECT_FALSE(game.RenderGameToTexture("save\\save01.bmp"));
    EXPECT_TRUE(log.Contains("CGameMain::RenderGameToTexture()"));
}

TEST_F(GameMainTest, WithoutDirect3DTheWideBackgroundDoesNotLoadButItsUsersAreCounted) {
    CGameMain game(Options());
    EXPECT_FALSE(game.BeginWideBackground(true, true));
    EXPECT_FALSE(game.BeginWideBackground(false, false)) << "every user tries again";
    EXPECT_EQ(game.GetWideBackgroundUsers(), 2);
    EXPECT_FALSE(game.GetWideBackground().IsPart1Shown());
    game.StepWideBackground();
    game.DrawWideBackground();
    game.EndWideBackground();
    game.EndWideBackground();
    CLogCapture log;
    game.EndWideBackground();
    EXPECT_EQ(game.GetWideBackgroundUsers(), 0) << "the count never goes below 0";
    EXPECT_TRUE(log.Contains("CGameMain::EndWideBackground()"));
}

// The running game goes into the current record whenever no replay runs (a slot saved
// in the viewer takes the viewer's game); the automatic save at exit takes it only from
// a game of the player's, and otherwise writes back the record read at start.
TEST_F(GameMainTest, OnlyAGameOfThePlayersReachesTheAutomaticSave) {
    constexpr int kNoBegin = -1;
    struct SCase {
        const char* name;
        int start;           // what Begin starts, or kNoBegin
        int32_t games;       // games started, continued or loaded besides the first scene
        uint8_t replay;
        bool players;
    };
    const SCase cases[] = {
        {"no game since the start", kNoBegin, 0, 0, false},
        {"a game started", kNoBegin, 1, 0, true},
        {"a replay over a game", kNoBegin, 1, 1, false},
        {"a game after the boot start", CGameMain::START_BOOT, 1, 0, true},
        {"the viewer start", CGameMain::START_VIEWER, 0, 0, false},
        {"the script tool's start", CGameMain::START_TOOL, 0, 0, false},
        {"the movie start", CGameMain::START_SCENE, 0, 0, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CGameMain::SOptions o = Options(true);
        WithInGameScene(o);
        CGameMain game(o);
        if (c.start != kNoBegin) {
            game.Begin(static_cast<CGameMain::EStart>(c.start), {"scr\\a.txt"}, CGameMain::kKeptInGameScene);
            ASSERT_TRUE(game.RunFrame());
        }
        game.m_GameInProgress += c.games;
        game.m_ReplayFlag = c.replay;
        EXPECT_EQ(game.IsPlayersGameRunning(), c.players);
        CSaveData& record = game.GetSaveData();
        record.m_Header = "read at start";
        EXPECT_EQ(game.WriteCurrentSave(), c.replay == 0);
        EXPECT_EQ(record.m_Header, c.replay == 0 ? "running game" : "read at start");
        record.m_Header = "read at start";
        record.m_Used = 0;
        game.Shutdown();
        EXPECT_EQ(record.m_Header, c.players ? "running game" : "read at start");
        EXPECT_EQ(record.m_Used, c.players ? 1 : 0);
    }
}

// A developer start keeps the automatic save read at start for the exit from its first
// frame: a slot loaded there, with no replay after it, never reaches save00.sav.
TEST_F(GameMainTest, ADeveloperStartWritesBackTheAutomaticSaveReadAtStartAfterALoad) {
    for (CGameMain::EStart start : {CGameMain::START_VIEWER, CGameMain::START_TOOL, CGameMain::START_SCENE}) {
        SCOPED_TRACE(start);
        CSaveData save;
        save.m_Header = "read at start";
        ASSERT_TRUE(save.Save(CSaveData::SlotPath(0)));
        {
            CGameMain::SOptions o = Options(true);
            WithInGameScene(o);
            CGameMain game(o);
            game.Begin(start, {"scr\\a.txt"}, CGameMain::kKeptInGameScene);
            ASSERT_TRUE(game.RunFrame());
            save.m_Header = "loaded slot";
            game.GetSaveData().Assign(save);
        }
        ASSERT_TRUE(save.Load(CSaveData::SlotPath(0)));
        EXPECT_EQ(save.m_Header, "read at start");
    }
}

TEST_F(GameMainTest, EveryExitSaveIsTriedAndAFailureIsReported) {
    struct SCase {
        const char* blocker;  // made a folder in the way, or a file where save\ belongs
        bool isFolder;
        std::vector<const char*> written;
    };
    const SCase cases[] = {
        {"", false, {"save00.sav", "read.sav", "cfg.sav"}},
        {"save", false, {}},
        {"save/save00.sav", true, {"read.sav", "cfg.sav"}},
        {"save/cfg.sav", true, {"save00.sav", "read.sav"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.blocker);
        CTempDir dir;
        CGameFolderScope scope(dir.Path());
        const std::string blocker = dir.Path() + c.blocker;
        if (*c.blocker) {
            ASSERT_TRUE(c.isFolder ? std::filesystem::create_directories(blocker)
                                   : testsupport::WriteFileBytes(blocker, {1}));
        }
        CGameMain game(Options());
        m_Steps.clear();
        const bool ok = c.written.size() == 3;
        EXPECT_EQ(game.Shutdown(), ok);
        EXPECT_EQ(m_Steps, (CRecord{"WriteCurrentSave", "save00.sav", "read.sav", "cfg.sav"}));
        m_Steps.clear();
        EXPECT_EQ(game.Shutdown(), ok) << "answered again";
        EXPECT_TRUE(m_Steps.empty()) << "and not done twice";
        for (const char* name : c.written) {
            EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path() + "save/" + name)) << name;
        }
    }
}

TEST_F(GameMainTest, AGameRunningAtExitIsKeptMarkedAsHoldingOne) {
    for (int32_t games : {0, 1}) {
        SCOPED_TRACE(games);
        std::filesystem::remove(m_Temp.Path() + "save/save00.sav");
        {
            CGameMain::SOptions o = Options();
            WithInGameScene(o);
            CGameMain game(o);
            ASSERT_EQ(game.GetSaveData().m_Used, 0) << "a first run";
            game.m_GameInProgress = games;
        }
        CSaveData loaded;
        ASSERT_TRUE(loaded.Load(CSaveData::SlotPath(0)));
        EXPECT_EQ(loaded.m_Used, games) << "the title offers to continue only a game";
        EXPECT_EQ(loaded.m_Header, games ? "running game" : "");
    }
}
