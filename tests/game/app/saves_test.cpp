// A player's saves across whole runs of the game on the demo data: whatever a run does
// without playing (a look at the title, a refused load, a new game left before it
// began, a replay from the play view), quitting leaves the automatic save and the slots
// as they were, and the title's continue brings the game back.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Mouse.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/FadeSound.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/menus/save/SaveLoadScene.h"
#include "game/menus/title/TitleMenuScene.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/support/TestSupport.h"
#include "tools/demo/DemoWriter.h"
#include "tools/kit/StepClock.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kTitle = 7;
constexpr int32_t kLoadScreen = 9;
constexpr int32_t kKeptGame = CGameMain::kKeptInGameScene;
constexpr int32_t kMoney = 4321;
constexpr int32_t kMonth = 4;

// The demo data, written once for every run of this process.
const std::string& DemoFolder() {
    static testsupport::CTempDir dir;
    static const bool written = demo::WriteDemoData(dir.Path());
    EXPECT_TRUE(written);
    return dir.Path();
}

// One run of the program on a folder that outlives it: the game's own scenes, frames
// stepped by hand on a clock that moves only with them.  Quit() is the window closing:
// the game object ends and writes its saves.
class CRun {
public:
    explicit CRun(const std::string& folder) : m_Scope(folder) {
        CGameMain::SOptions o;
        o.clock = &m_Clock;
        o.manualSound = true;
        o.reportPath = "";
        o.inGameSceneMaker = MakeInGameSceneMaker();
        m_Game = std::make_unique<CGameMain>(std::move(o));
        m_Game->GetSystemData().m_MessageSpeed = 100;
    }
    ~CRun() { Quit(); }

    CGameMain& Game() { return *m_Game; }
    int32_t Scene() { return m_Game->GetSceneManager().GetCurrentSceneId(); }
    bool Settled() { return !m_Game->GetSceneManager().IsInTransition(); }
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(m_Game->RunFrame());
    }
    void Click(SPoint at) {
        m_Game->GetMouse().Move(at.x, at.y);
        Frame();
        m_Game->GetMouse().ButtonDown(CMouse::kLeft);
        Frame();
        m_Game->GetMouse().ButtonUp(CMouse::kLeft);
    }
    // Frames until `done` (at most `limit`), clicking `click` every twelfth frame when
    // given (lines of a script wait for one).
    bool RunUntil(const std::function<bool()>& done, int limit, const SPoint* click = nullptr) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (click && i % 12 == 11) {
                Click(*click);
            } else {
                Frame();
            }
        }
        return done();
    }
    // The title built, as the boot chain leaves it, its strip slid in.
    void EnterTitle() {
        for (int i = 0; i < CGameMain::kChannelSoundCount; ++i) {
            m_Game->GetChannel(i)->Load(CGameMain::kChannelSounds[i]);
        }
        m_Game->GetSceneManager().GoTo(kTitle);
        m_Game->GetSceneManager().Transition(0, 0);
        Frame(CTitleMenuScene::kIntroFrames + 2);
        ASSERT_EQ(Scene(), kTitle);
    }
    void TitleButton(int i) {
        const SPoint at = CTitleMenuScene::kPlaces[static_cast<size_t>(i)];
        Click(SPoint{at.x + 20, at.y + 10});
    }
    void Quit() { m_Game.reset(); }

private:
    testsupport::CGameFolderScope m_Scope;
    kit::CStepClock m_Clock;
    std::unique_ptr<CGameMain> m_Game;
};

enum ETitleButton { kNewGame = 0, kLoad = 2, kContinue = 3 };

// A folder of the demo data and the given save files.
class CFolder {
public:
    explicit CFolder(const std::map<std::string, std::vector<uint8_t>>& saves) {
        fs::copy(DemoFolder(), m_Dir.Path(), fs::copy_options::recursive);
        for (const auto& [name, bytes] : saves) {
            EXPECT_TRUE(testsupport::MakeParentDirs(File(name)) && testsupport::WriteFileBytes(File(name), bytes));
        }
    }
    const std::string& Path() const { return m_Dir.Path(); }
    std::string File(const std::string& name) const { return m_Dir.Path() + "save/" + name; }
    std::vector<uint8_t> Bytes(const std::string& name) const {
        std::vector<uint8_t> bytes;
        testsupport::ReadFileBytes(File(name), &bytes);
        return bytes;
    }

private:
    testsupport::CTempDir m_Dir;
};

// The player's saves: a game of month 4 in progress, kept by the exit in save00.sav,
// and in two slots, all written by the game's own code; a third slot file is damaged.
std::map<std::string, std::vector<uint8_t>> MakeSaves() {
    CFolder folder({});
    {
        CRun run(folder.Path());
        run.EnterTitle();
        run.TitleButton(kNewGame);
        EXPECT_TRUE(run.RunUntil([&] { return run.Scene() == kKeptGame && run.Settled(); }, 400));
        run.Frame(30);
        CStatus* status = GetRunningStatus();
        EXPECT_NE(status, nullptr);
        if (status) {
            status->SetParam(104, 0, kMoney);
            status->SetParam(109, 1, kMonth);
        }
        run.Game().WriteCurrentSave();
        CSaveData slot = run.Game().GetSaveData();
        slot.m_Header = "slot one";
        EXPECT_TRUE(slot.SaveWithTime(CSaveData::SlotPath(1)));
        slot.m_Header = "slot two";
        EXPECT_TRUE(slot.SaveWithTime(CSaveData::SlotPath(2)));
    }
    std::map<std::string, std::vector<uint8_t>> saves;
    for (const char* name : {"save00.sav", "save01.sav", "save02.sav"}) saves[name] = folder.Bytes(name);
    saves["save03.sav"] = {'d', 'a', 'm', 'a', 'g', 'e', 'd'};
    return saves;
}

TEST(PlayersSaves, SurviveEveryRunThatPlaysNoGameAndContinueAfterIt) {
    testsupport::CQuietLog quiet;
    const std::map<std::string, std::vector<uint8_t>> saves = MakeSaves();
    {
        CSaveData autosave;
        CFolder check(saves);
        testsupport::CGameFolderScope scope(check.Path());
        ASSERT_TRUE(autosave.Load(CSaveData::SlotPath(0)));
        ASSERT_EQ(autosave.m_Used, 1);
        ASSERT_EQ(autosave.GetGameState().GetStatus().GetParam(104, 0), kMoney) << "the exit kept the game";
    }
    struct SCase {
        const char* name;
        std::function<void(CRun&)> play;
    };
    const SPoint line{300, 300};
    const SCase cases[] = {
        {"a start and a quit at the title", [](CRun& run) { run.Frame(); }},
        {"a refused load",
         [](CRun& run) {
             run.TitleButton(kLoad);
             ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == kLoadScreen && run.Settled(); }, 100));
             run.Frame(2);
             for (int slot : {2, 3}) {  // the damaged slot and an empty one
                 const SPoint at = CSaveLoadScene::kFrames[static_cast<size_t>(slot)];
                 run.Click(SPoint{at.x + 200, at.y + 100});
                 run.Frame(5);
                 ASSERT_EQ(run.Scene(), kLoadScreen) << slot;
             }
         }},
        {"the title's new game left before it began",
         [](CRun& run) {
             run.TitleButton(kNewGame);
             run.Frame(10);
             ASSERT_NE(run.Scene(), kKeptGame);
         }},
        {"a replay from the play view",
         [&line](CRun& run) {
             run.Game().GetSystemData().SetPlayViewUnlock(0, 1);
             run.TitleButton(kLoad);
             ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == kLoadScreen && run.Settled(); }, 100));
             run.Click(SPoint{8 + 48 * 3 + 10, 48 + 10});  // the tab bar's play view
             ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == CPlayViewScene::kScene && run.Settled(); }, 100));
             const SPoint entry = CThumbnailGridScene::FrameAt(0);
             run.Click(SPoint{entry.x + 2, entry.y + 2});
             ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == 20; }, 100));
             ASSERT_TRUE(
                 run.RunUntil([&] { return run.Scene() == CPlayViewScene::kScene && run.Settled(); }, 3000, &line))
                 << "the replay came back";
             ASSERT_EQ(run.Game().m_ReplayFlag, 0);
         }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFolder folder(saves);
        {
            CRun run(folder.Path());
            ASSERT_EQ(run.Game().GetSaveData().m_Used, 1);
            run.EnterTitle();
            c.play(run);
        }
        for (const auto& [name, bytes] : saves) {
            EXPECT_EQ(folder.Bytes(name), bytes) << name;
        }
        CRun again(folder.Path());
        again.EnterTitle();
        again.TitleButton(kContinue);
        ASSERT_TRUE(again.RunUntil([&] { return again.Scene() == kKeptGame && again.Settled(); }, 200));
        again.Frame();
        EXPECT_EQ(GetRunningParam(104, 0), kMoney);
        EXPECT_EQ(GetRunningParam(109, 1), kMonth);
    }
}

// A slot saved on a line loads at the command after that line: the stage keeps the
// record the script goes on from, so the line is back in the log only and is not shown
// again.  On the demo data the month's first turn ends its script on the report's
// closing words, so the load goes on to the month's next scene.
TEST(PlayersSaves, ALoadGoesOnAfterTheLineTheSlotWasSavedOn) {
    testsupport::CQuietLog quiet;
    const std::string saved = "さあ、今月もがんばろう。";
    const std::string next = "「四月になったね」";
    auto shown = [] {
        CMainGameScene* stage = GetKeptStage();
        return stage ? stage->GetWindow().GetCurrentLine().m_Text : std::string();
    };
    const SPoint line{300, 300};
    CFolder folder({});
    {
        CRun run(folder.Path());
        run.EnterTitle();
        run.TitleButton(kNewGame);
        ASSERT_TRUE(run.RunUntil([&] { return shown() == saved; }, 3000, &line));
        run.Frame(20);
        run.Game().WriteCurrentSave();
        CSaveData slot = run.Game().GetSaveData();
        ASSERT_TRUE(slot.SaveWithTime(CSaveData::SlotPath(1)));
    }
    CRun run(folder.Path());
    run.EnterTitle();
    run.TitleButton(kLoad);
    ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == kLoadScreen && run.Settled(); }, 100));
    run.Frame(2);
    const SPoint at = CSaveLoadScene::kFrames[0];
    run.Click(SPoint{at.x + 200, at.y + 100});
    ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == kKeptGame && run.Settled(); }, 200));
    const CMessageWindow& window = GetKeptStage()->GetWindow();
    ASSERT_GE(window.GetLogCount(), 1u);
    EXPECT_EQ(window.GetLogLine(0)->m_Text, saved);
    std::vector<std::string> lines;
    run.RunUntil([&] {
        if (lines.empty() || lines.back() != shown()) lines.push_back(shown());
        return shown() == next;
    }, 1200);
    EXPECT_EQ(lines, (std::vector<std::string>{"", next}));
}

// A save made before (104, 5) existed: its status ends its plain words after (143, 15),
// 249 of them.  tests/data/save_249_words.sav was written by the code of commit c388cf7
// (the parent of the one that added (104, 5)), built in a scratch worktree, from a new
// game on that code's demo data, with money 4321, the month 4, (101, 0) 11, (140, 1) 33
// and (143, 15) 22 set, saved to slot 1 with the comment "249 words".
TEST(PlayersSaves, ASaveOfTheOlderStatusLayoutLoadsPlaysOnAndIsWrittenBackInTodays) {
    testsupport::CQuietLog quiet;
    std::vector<uint8_t> old;
    ASSERT_TRUE(testsupport::ReadFileBytes(std::string(PG_TEST_DATA) + "save_249_words.sav", &old));
    CFolder folder({{"save00.sav", old}});
    {
        CRun run(folder.Path());
        const CSaveData& loaded = run.Game().GetSaveData();
        ASSERT_EQ(loaded.m_Used, 1) << "the older layout loads";
        EXPECT_EQ(loaded.m_Header, "249 words");
        const CStatus& status = loaded.GetGameState().GetStatus();
        EXPECT_EQ(status.GetParam(104, 0), kMoney);
        EXPECT_EQ(status.GetParam(101, 0), 11) << "the first plain word";
        EXPECT_EQ(status.GetParam(140, 1), 33);
        EXPECT_EQ(status.GetParam(143, 15), 22) << "the last plain word of the older layout";
        EXPECT_EQ(status.GetParam(104, 5), 0) << "the word it lacks";
        run.EnterTitle();
        run.TitleButton(kContinue);
        ASSERT_TRUE(run.RunUntil([&] { return run.Scene() == kKeptGame && run.Settled(); }, 200));
        const SPoint line{300, 300};
        run.RunUntil([] { return false; }, 120, &line);
        EXPECT_EQ(GetRunningParam(104, 5), 0);
        EXPECT_EQ(GetRunningParam(143, 15), 22);
        EXPECT_EQ(GetRunningParam(109, 1), kMonth);
        CStatus* running = GetRunningStatus();
        ASSERT_NE(running, nullptr);
        running->SetParam(104, 5, 7);
    }
    // The exit wrote the game back in today's layout, which holds the word.
    CSaveData written;
    testsupport::CGameFolderScope scope(folder.Path());
    ASSERT_TRUE(written.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(written.GetGameState().GetStatus().GetParam(104, 5), 7);
    EXPECT_EQ(written.GetGameState().GetStatus().GetParam(143, 15), 22);
    EXPECT_NE(written.GetGameState().GetStatus().GetParam(104, 0), kMoney)
        << "the game played on: an event's settings paid";
}

}  // namespace
