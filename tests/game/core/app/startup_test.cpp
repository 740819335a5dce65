#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/CommandLine.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/base/SingleInstance.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/file/PakWriter.h"
#include "game/core/GameStartup.h"
#include "platform/ipc/InstanceLock.h"
#include "tests/support/TestSupport.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : m_GameFolder(m_Game.Path()) {
        CInstanceLock::SetFolderOverride(m_Locks.Path());
        SetDebugOutputEnabled(false);
        // What the start looks for to know the folder holds the game's data.
        testsupport::WriteFileBytes(m_Game.Path() + "sys/001.ogg", {'R', 'I', 'F', 'F'});
    }
    ~StartupTest() override {
        SetDebugOutputEnabled(true);
        CInstanceLock::SetFolderOverride("");
        CScreenRendererProxy::SetGdiRendererFactory(nullptr);
    }
    std::vector<std::string> Args(std::vector<std::string> more) {
        std::vector<std::string> a{"niwa", "--data", m_Game.Path()};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
    std::string LogText() {
        std::vector<uint8_t> bytes;
        testsupport::ReadFileBytes(m_Game.Path() + "log.txt", &bytes);
        return std::string(bytes.begin(), bytes.end());
    }

    testsupport::CTempDir m_Locks;
    testsupport::CTempDir m_Game;
    testsupport::CGameFolderScope m_GameFolder;
};

}  // namespace

TEST_F(StartupTest, AHeadlessRunStartsTheGameAndEndsWithItsSaveFilesWritten) {
    EXPECT_EQ(RunGame(Args({"--frames", "3"})), 0);
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "save/save00.sav"));
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "save/read.sav"));
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "save/cfg.sav"));
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "info.txt"));
    const std::string log = LogText();
    EXPECT_EQ(log.rfind("起動しました", 0), 0u) << log;
    EXPECT_NE(log.find("CGameApp::MainProc() 3フレームで終了"), std::string::npos) << log;
    EXPECT_NE(log.find("終了しました"), std::string::npos);
}

TEST_F(StartupTest, ASecondCopyEndsAtOnceWithoutALog) {
    CSingleInstance first;
    ASSERT_TRUE(first.Acquire("/somewhere/else/niwa"));
    EXPECT_EQ(RunGame(Args({"--frames", "3"})), kExitAlreadyRunning);
    EXPECT_FALSE(testsupport::FileExists(m_Game.Path() + "log.txt"));
    EXPECT_FALSE(testsupport::FileExists(m_Game.Path() + "save/cfg.sav"));
}

TEST_F(StartupTest, TheViewerPlaysTheScriptsNamedOnTheCommandLine) {
    EXPECT_EQ(RunGame(Args({"--frames", "2"})), 0);
    EXPECT_EQ(RunGame({"niwa", "viewer", "scr\\a.txt", "--data", m_Game.Path(), "--frames", "2"}), 0);
    const std::string log = LogText();
    EXPECT_NE(log.find("scr\\a.txt"), std::string::npos) << log;
    EXPECT_NE(log.find("CSceneFactory::CreateScene() "), std::string::npos);
    EXPECT_NE(log.find("[19]"), std::string::npos) << "the viewer starts on the kept in-game scene";
}

TEST_F(StartupTest, CancellingTheViewerDialogEndsTheProgram) {
    // Without a display the chooser cannot be shown, which counts as a cancel.
    EXPECT_EQ(RunGame({"niwa", "viewer", "--data", m_Game.Path(), "--frames", "2"}), 0);
    EXPECT_FALSE(testsupport::FileExists(m_Game.Path() + "save/cfg.sav")) << "no game was started";
    EXPECT_NE(LogText().find("RunGame() "), std::string::npos);
}

TEST_F(StartupTest, ThisBuildsOptionsAreNoScriptToolArguments) {
    // Without the tool's block the link stays closed and the game boots as usual; what
    // the game reads of its command line afterwards holds no option of this build.
    EXPECT_EQ(RunGame({"niwa", "SCRIPT_TOOL_EXECUTE", "--data", m_Game.Path(), "--frames", "1"}), 0);
    EXPECT_FALSE(GetScriptToolLink().IsConnected());
    EXPECT_FALSE(IsScriptToolLaunch());
    EXPECT_EQ(ParseScriptToolArgs(), 0);
    EXPECT_EQ(RunGame({"niwa", "SCRIPT_TOOL_EXECUTE", "scr\\a.txt", "--data", m_Game.Path(), "--frames", "1"}), 0);
    EXPECT_EQ(ParseScriptToolArgs(), 1);
    EXPECT_EQ(GetScriptToolArg(0), "scr\\a.txt");
    EXPECT_EQ(GetScriptToolArg(1), "");
    SetCommandLineArgs({});
}

TEST_F(StartupTest, ABadCommandLineEndsBeforeAnythingIsWritten) {
    struct SCase {
        std::vector<std::string> args;
        int code;
    };
    const SCase cases[] = {
        {{"--help"}, kExitOk},
        {{"-h", "--bogus"}, kExitOk},
        {{"--bogus"}, kExitUsage},
        {{"-x"}, kExitUsage},
        {{"--frames"}, kExitUsage},
        {{"--frames", "abc"}, kExitUsage},
        {{"--frames", "-1"}, kExitUsage},
        {{"--frames", "3x"}, kExitUsage},
        {{"--seed", "4294967296"}, kExitUsage},
        {{"--scene", "5"}, kExitUsage},
        {{"--data", "--frames", "3"}, kExitUsage},
        {{"viewer", "scr\\a.txt", "--frames", "2", "--unknown"}, kExitUsage},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.args.front());
        std::vector<std::string> args{"niwa"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(RunGame(args), c.code);
        EXPECT_FALSE(testsupport::FileExists(m_Game.Path() + "log.txt"));
        EXPECT_FALSE(std::filesystem::exists(m_Game.Path() + "save"));
    }
}

TEST_F(StartupTest, TheFirstFaultOfTheCommandLineIsTheOneTold) {
    const SGameCommandLine bad = ParseGameCommandLine({"niwa", "--frames", "x", "--bogus"});
    EXPECT_EQ(bad.error, "--frames needs a whole number of frames, not \"x\"");
    EXPECT_EQ(ParseGameCommandLine({"niwa", "--data"}).error, "--data needs a folder");
    const SGameCommandLine good = ParseGameCommandLine(
        {"niwa", "--data", "d", "--frames", "0", "--seed", "4294967295", "--movie", "--debug-window", "viewer", "a"});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.frames, 0);
    EXPECT_EQ(good.seed, 4294967295u);
    EXPECT_TRUE(good.movie && good.debugWindow && good.viewer);
    EXPECT_EQ(good.gameArgs, (std::vector<std::string>{"niwa", "viewer", "a"}));
}

TEST_F(StartupTest, AFolderWithoutTheGamesDataEndsTheStartAndStaysAsItWas) {
    testsupport::CTempDir empty;
    const std::string missing = empty.Path() + "missing";
    EXPECT_EQ(RunGame({"niwa", "--data", missing, "--frames", "3"}), kExitNoGameData);
    EXPECT_FALSE(std::filesystem::exists(missing)) << "no save folder, report or log made there";
    EXPECT_EQ(RunGame({"niwa", "--data", empty.Path(), "--frames", "3"}), kExitNoGameData);
    EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
    // The sound looked for counts in its archive as well as in its folder.
    std::filesystem::rename(m_Game.Path() + "sys", empty.Path() + "sys");
    EXPECT_EQ(RunGame(Args({"--frames", "1"})), kExitNoGameData);
    CPakWriter pak;
    ASSERT_TRUE(pak.AddFolder(empty.Path() + "sys"));
    ASSERT_TRUE(pak.Save(m_Game.Path() + "sys.pak"));
    EXPECT_EQ(RunGame(Args({"--frames", "1"})), kExitOk);
}

TEST_F(StartupTest, ARelativeDataFolderIsTakenFromTheCurrentFolder) {
    const std::filesystem::path here = std::filesystem::current_path();
    const std::filesystem::path game = std::filesystem::path(m_Game.Path()).parent_path();
    std::filesystem::current_path(game.parent_path());
    const int code = RunGame({"niwa", "--data", game.filename().string(), "--frames", "2"});
    const std::string folder = GetGameFolder();
    std::filesystem::current_path(here);
    EXPECT_EQ(code, kExitOk);
    EXPECT_EQ(folder, m_Game.Path()) << "made absolute at start";
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "log.txt"));
    EXPECT_TRUE(testsupport::FileExists(m_Game.Path() + "save/save00.sav"));
}

TEST_F(StartupTest, AFailedExitSaveEndsTheRunWithItsOwnCode) {
    ASSERT_TRUE(testsupport::WriteFileBytes(m_Game.Path() + "save", {1}));
    EXPECT_EQ(RunGame(Args({"--frames", "2"})), kExitSavesFailed);
    const std::string log = LogText();
    EXPECT_NE(log.find("CSaveData::Save() "), std::string::npos) << log;
    EXPECT_NE(log.find("CSystemData::Save() "), std::string::npos) << "tried after the one that failed";
    EXPECT_NE(log.find("RunGame() 終了時の保存に失敗しました"), std::string::npos) << log;
}

TEST_F(StartupTest, AMissingOrEmptyEventTableIsLoggedAndTheGameRuns) {
    for (const char* table : {"", "garbage without a single comma\r\n\x01\x02\x03"}) {
        SCOPED_TRACE(table);
        if (*table) {
            const std::vector<uint8_t> bytes(table, table + std::strlen(table));
            ASSERT_TRUE(testsupport::WriteFileBytes(m_Game.Path() + "cfg/event.csv", bytes));
        }
        EXPECT_EQ(RunGame(Args({"--frames", "2"})), kExitOk);
        const std::string log = LogText();
        const std::string line = *table ? "CEventTable::Load() イベントが1つもありません[cfg\\event.csv]"
                                        : "CEventTable::Load() ファイルを読み込めません[cfg\\event.csv]";
        EXPECT_NE(log.find(line), std::string::npos) << log;
        EXPECT_EQ(log.find("CEventTable::Load()"), log.rfind("CEventTable::Load()")) << "once";
    }
}
