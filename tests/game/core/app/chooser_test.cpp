#include <gtest/gtest.h>

#include "engine/base/GameFolder.h"
#include "game/core/GameStartup.h"
#include "game/core/ScriptChooser.h"
#include "platform/font/FontFace.h"
#include "tests/support/TestSupport.h"

TEST(ScriptChooser, ListsTheScriptsUnderScrAsGamePaths) {
    testsupport::CTempDir temp;
    testsupport::CGameFolderScope folder(temp.Path());
    ASSERT_TRUE(testsupport::MakeParentDirs(temp.Path() + "scr/sub/x.txt"));
    ASSERT_TRUE(testsupport::WriteFileBytes(temp.Path() + "scr/b.txt", {1}));
    ASSERT_TRUE(testsupport::WriteFileBytes(temp.Path() + "scr/a.txt", {1}));
    ASSERT_TRUE(testsupport::WriteFileBytes(temp.Path() + "scr/sub/c.txt", {1}));
    ASSERT_TRUE(testsupport::WriteFileBytes(temp.Path() + "scr/readme.md", {1}));
    EXPECT_EQ(CScriptChooser::ListScripts(), (std::vector<std::string>{"scr\\a.txt", "scr\\b.txt", "scr\\sub\\c.txt"}));
}

TEST(ScriptChooser, CursorMarksAndChoice) {
    CScriptChooserModel m({"a", "b", "c", "d", "e"});
    EXPECT_EQ(m.GetChoice(), (std::vector<std::string>{"a"})) << "the cursor's script when none is marked";
    m.Move(-3, 2);
    EXPECT_EQ(m.GetCursor(), 0u);
    m.Move(3, 2);
    EXPECT_EQ(m.GetCursor(), 3u);
    EXPECT_EQ(m.GetTop(), 2u) << "the cursor stays in view";
    m.ToggleMark();
    m.Move(10, 2);
    EXPECT_EQ(m.GetCursor(), 4u);
    m.MoveTo(1, 2);
    EXPECT_EQ(m.GetTop(), 1u);
    m.ToggleMark();
    EXPECT_EQ(m.GetChoice(), (std::vector<std::string>{"b", "d"})) << "marked scripts in list order";
    m.ToggleMark();
    EXPECT_EQ(m.GetChoice(), (std::vector<std::string>{"d"}));
    CScriptChooserModel empty({});
    empty.Move(1, 3);
    empty.ToggleMark();
    EXPECT_TRUE(empty.GetChoice().empty());
}

TEST(ScriptChooser, RendersTheListWithoutAWindow) {
    CScriptChooser chooser({"scr\\a.txt", "scr\\日本語.txt"});
    std::vector<uint8_t> pixels;
    chooser.Render(&pixels);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(CScriptChooser::kWidth) * CScriptChooser::kHeight * 4);
    if (CFontFace::Get().IsAvailable()) {
        // Some glyph pixels are lighter than the background and the cursor bar.
        size_t light = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) light += pixels[i + 1] > 150;
        EXPECT_GT(light, 50u);
    }
}

TEST(GameCommandLine, ViewerScriptsAndOptions) {
    SGameCommandLine c = ParseGameCommandLine({"niwa", "viewer", "scr\\a.txt", "--frames", "30", "scr\\b.txt"});
    EXPECT_TRUE(c.viewer);
    EXPECT_EQ(c.frames, 30);
    EXPECT_EQ(c.viewerScripts, (std::vector<std::string>{"scr\\a.txt", "scr\\b.txt"}));
    c = ParseGameCommandLine({"niwa", "--data", "/tmp/x", "--debug-window"});
    EXPECT_FALSE(c.viewer);
    EXPECT_EQ(c.dataFolder, "/tmp/x");
    EXPECT_EQ(c.frames, -1);
    EXPECT_EQ(c.seed, 0u);
    c = ParseGameCommandLine({"niwa", "--seed", "7", "--data", "/tmp/x"});
    EXPECT_EQ(c.seed, 7u);
    EXPECT_EQ(c.dataFolder, "/tmp/x");
    EXPECT_TRUE(c.viewerScripts.empty());
    c = ParseGameCommandLine({"niwa", "SCRIPT_TOOL_EXECUTE", "scr\\a.txt"});
    EXPECT_FALSE(c.viewer);
    EXPECT_TRUE(c.viewerScripts.empty());
}

TEST(GameCommandLine, TheGameKeepsItsOwnArgumentsWithoutThisBuildsOptions) {
    SGameCommandLine c =
        ParseGameCommandLine({"niwa", "SCRIPT_TOOL_EXECUTE", "--data", "/tmp/x", "scr\\a.txt", "--debug-window"});
    EXPECT_EQ(c.gameArgs, (std::vector<std::string>{"niwa", "SCRIPT_TOOL_EXECUTE", "scr\\a.txt"}));
    EXPECT_TRUE(c.debugWindow);
    EXPECT_EQ(c.dataFolder, "/tmp/x");
    // An option before the game's arguments leaves argument 1 where the game looks for it.
    c = ParseGameCommandLine({"niwa", "--frames", "5", "viewer", "scr\\b.txt"});
    EXPECT_TRUE(c.viewer);
    EXPECT_EQ(c.viewerScripts, (std::vector<std::string>{"scr\\b.txt"}));
    EXPECT_EQ(c.gameArgs, (std::vector<std::string>{"niwa", "viewer", "scr\\b.txt"}));
    EXPECT_FALSE(c.debugWindow);
    EXPECT_TRUE(ParseGameCommandLine({}).gameArgs.empty());
}
