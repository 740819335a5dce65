// The tables a month needs, and the files the game and its menus load whatever the
// tables say, each taken out of a data folder in turn: the first read of a missing file
// writes one log line naming it, a second read none, and the reader goes on without it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "engine/base/Log.h"
#include "engine/file/PakCache.h"
#include "game/core/GameMain.h"
#include "game/core/SuperScene.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/CGViewTable.h"
#include "game/menus/unlock/PlayViewTable.h"
#include "game/raising/hint/HintTable.h"
#include "game/raising/hint/HintWindow.h"
#include "game/raising/wide/WideBackground.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/support/TestSupport.h"
#include "engine/file/PakWriter.h"
#include "tools/kit/StepClock.h"

namespace {

namespace fs = std::filesystem;

class COwner : public IHintOwner {
public:
    void SetTalkText(const std::string&, int32_t) override {}
    void BeginTalk() override {}
};

TEST(MissingTables, EachIsLoggedOnceWithItsFileWhenFirstReadAndTheGameGoesOn) {
    testsupport::CQuietLog quiet;
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    for (const char* table : {"stage_house.txt", "stage_voice.txt", "cgview1.txt", "playview1.txt", "super_sc.txt",
                              "hint1.txt"}) {
        ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + "cfg/" + table));
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "cfg/" + table, {'/', '/', '\n'}));
    }
    for (const char* file : {"sys/001.ogg", "sys/004.ogg", "sys/002.ogg", "sys/006.ogg", "obj/b000_000.bmp"}) {
        ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + file));
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + file, {'R', 'I', 'F', 'F'}));
    }
    const auto begin = [] {
        kit::CStepClock clock;
        CGameMain::SOptions o;
        o.clock = &clock;
        o.manualSound = true;
        o.reportPath = "";
        CGameMain(std::move(o)).Begin(CGameMain::START_BOOT);
    };
    CPakWriter voices;
    ASSERT_TRUE(voices.AddEntry("cu_0000.ogg", {'R', 'I', 'F', 'F'}));
    ASSERT_TRUE(voices.Save(dir.Path() + "hint_voice.pak"));
    struct SCase {
        const char* file;  // native, in the data folder
        const char* line;  // the log line
        std::function<void()> read;
    };
    const SCase cases[] = {
        {"cfg/stage_house.txt", "CMainGameScene::_LoadTables() ファイルを読み込めません[cfg\\stage_house.txt]",
         [] { CMainGameScene stage(nullptr, nullptr, false); }},
        {"cfg/stage_voice.txt", "CMainGameScene::_LoadTables() ファイルを読み込めません[cfg\\stage_voice.txt]",
         [] { CMainGameScene stage(nullptr, nullptr, false); }},
        {"cfg/cgview1.txt", "LoadCGViewTable() ファイルを読み込めません[cfg\\cgview1.txt]",
         [] {
             CGViewTable::Reload();
             const CSystemData data{CSystemData::kNoLoad};
             std::vector<SCGViewEntry> entries;
             EXPECT_FALSE(LoadCGViewerPage(0, data, &entries));
             EXPECT_TRUE(entries.empty());
         }},
        {"cfg/playview1.txt", "LoadPlayViewTable() ファイルを読み込めません[cfg\\playview1.txt]",
         [] { CPlayViewTable::Reload(); }},
        {"cfg/super_sc.txt", "CSuperSceneTable::Load() ファイルを読み込めません[cfg\\super_sc.txt]",
         [] {
             ReloadSuperSceneTable();
             EXPECT_EQ(GetSuperSceneEntry("sc\\ev01a.bmp"), SSuperSceneEntry());
         }},
        {"cfg/hint1.txt", "CHintWindow::LoadHintFile() ファイルを読み込めません[cfg\\hint1.txt]",
         [] {
             COwner owner;
             CHintWindow window;
             window.SetOwner(&owner);
             window.LoadHintFile(HintTableFile(0));
         }},
        {"hint_voice.pak", "AreHintVoicesInstalled() ファイルを読み込めません[hint_voice\\cu_0000.ogg]",
         [] { EXPECT_FALSE(AreHintVoicesInstalled()); }},
        {"sys/001.ogg", "CGameMain::Begin() ファイルを読み込めません[sys\\001.ogg]", begin},
        {"sys/006.ogg", "CGameMain::Begin() ファイルを読み込めません[sys\\006.ogg]", begin},
        {"obj/b000_000.bmp", "CWideBackground::Load() ファイルを読み込めません[obj\\b000_000.bmp]",
         [] { CWideBackground().Load(); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string file = dir.Path() + c.file;
        ASSERT_TRUE(fs::exists(file));
        fs::rename(file, file + ".away");
        CPakCache::GetInstance().Clear();
        CLogCapture log;
        c.read();
        c.read();
        size_t lines = 0;
        for (const std::string& line : log.GetLines()) lines += line.find(c.line) != std::string::npos;
        EXPECT_EQ(lines, 1u) << "once, with its file";
        fs::rename(file + ".away", file);
        CPakCache::GetInstance().Clear();
    }
}

}  // namespace
