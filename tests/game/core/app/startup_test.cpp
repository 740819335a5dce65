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

TEST_F(StartupTest, OptionsAndValuesAreReadWholeAndTheFirstFaultIsTheOneTold) {
    const struct {
        std::vector<std::string> args;  // after the program
        std::string error;
    } refused[] = {
        {{"--frames", "x", "--bogus"}, "--frames needs a whole number of frames, not \"x\""},
        {{"--frames", "-1"}, "--frames needs a whole number of frames, not \"-1\""},
        {{"--frames", "3x"}, "--frames needs a whole number of frames, not \"3x\""},
        {{"--frames", "--movie"}, "--frames needs a whole number of frames"},
        {{"--seed", "4294967296"}, "--seed needs a number from 0 to 4294967295, not \"4294967296\""},
        {{"--data"}, "--data needs a folder"},
        {{"--data", "--frames", "3"}, "--data needs a folder"},
        {{"-x"}, "unknown option -x"},
        {{"viewer", "scr\\a.txt", "--unknown"}, "unknown option --unknown"},
    };
    for (const auto& c : refused) {
        std::vector<std::string> args{"niwa"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(ParseGameCommandLine(args).error, c.error) << c.args.front();
    }
    EXPECT_TRUE(ParseGameCommandLine({"niwa", "-h", "--bogus"}).help) << "help is given whatever else is wrong";
    const SGameCommandLine good = ParseGameCommandLine(
        {"niwa", "--data", "d", "--frames", "0", "--seed", "4294967295", "--movie", "--debug-window", "viewer", "a"});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.frames, 0);
    EXPECT_EQ(good.seed, 4294967295u);
    EXPECT_TRUE(good.movie && good.debugWindow && good.viewer);
    EXPECT_EQ(good.gameArgs, (std::vector<std::string>{"niwa", "viewer", "a"}));
}

TEST_F(StartupTest, TheGamesDataCountsInItsArchiveAsInItsFolder) {
    testsupport::CTempDir elsewhere;
    std::filesystem::rename(m_Game.Path() + "sys", elsewhere.Path() + "sys");
    EXPECT_EQ(RunGame(Args({"--frames", "1"})), kExitNoGameData);
    EXPECT_FALSE(std::filesystem::exists(m_Game.Path() + "save")) << "nothing made there";
    CPakWriter pak;
    ASSERT_TRUE(pak.AddFolder(elsewhere.Path() + "sys"));
    ASSERT_TRUE(pak.Save(m_Game.Path() + "sys.pak"));
    EXPECT_EQ(RunGame(Args({"--frames", "1"})), kExitOk);
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

TEST_F(StartupTest, AFolderWithAnyOfTheGamesDataStartsAndLogsWhatItLacks) {
    struct SCase {
        const char* name;
        const char* file;  // the one file of the folder, if any
        int code;
        std::vector<std::string> lacks;  // logged as missing
        std::vector<std::string> has;    // not logged
    } cases[] = {
        {"every sound but the decide sound", "sys/004.ogg", kExitOk,
         {"[scr\\, scr.pak]", "[mov.pak]", "[hint_voice\\, hint_voice.pak]"}, {"[sys\\, sys.pak]"}},
        {"the scripts' archive", "scr.pak", kExitOk, {"[sys\\, sys.pak]"}, {"[scr\\, scr.pak]"}},
        {"the movie", "mov.pak", kExitOk, {"[cfg\\, cfg.pak]"}, {"[mov.pak]"}},
        {"a stray file", "notes.txt", kExitNoGameData, {}, {}},
        {"nothing", nullptr, kExitNoGameData, {}, {}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::CTempDir data;
        if (c.file) {
            ASSERT_TRUE(testsupport::MakeParentDirs(data.Path() + c.file) &&
                        testsupport::WriteFileBytes(data.Path() + c.file, {'R', 'I', 'F', 'F'}));
        }
        EXPECT_EQ(RunGame({"niwa", "--data", data.Path(), "--frames", "1"}), c.code);
        std::vector<uint8_t> bytes;
        testsupport::ReadFileBytes(data.Path() + "log.txt", &bytes);
        const std::string log(bytes.begin(), bytes.end());
        EXPECT_EQ(log.empty(), c.code != kExitOk) << "nothing written in a folder that is refused";
        for (const std::string& what : c.lacks) {
            EXPECT_NE(log.find("RunGame() データがありません" + what), std::string::npos) << what;
        }
        for (const std::string& what : c.has) EXPECT_EQ(log.find(what), std::string::npos) << what;
    }
}
