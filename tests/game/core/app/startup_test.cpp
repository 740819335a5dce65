#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/CommandLine.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/base/SingleInstance.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "game/core/GameStartup.h"
#include "platform/ipc/InstanceLock.h"
#include "tests/support/TestSupport.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : m_GameFolder(m_Game.Path()) {
        CInstanceLock::SetFolderOverride(m_Locks.Path());
        SetDebugOutputEnabled(false);
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
    EXPECT_EQ(RunGame(Args({"--frames", "3"})), 0);
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
