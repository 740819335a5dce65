// The demo data generator: the same bytes on every run, the save folder left alone,
// and a game started from the boot scene on its data reaches the title menu without a
// missing file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/FadeSound.h"
#include "engine/adv/AdvCommandControl.h"
#include "engine/file/File.h"
#include "engine/d3d/D3DXLoad.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/home/HomeScene.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/month/MonthEnd.h"
#include "game/raising/wide/WideBackground.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/demo/DemoPlayer.h"
#include "tests/tools/demo/DemoRun.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, std::vector<uint8_t>>> Tree(const std::string& folder) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        std::vector<uint8_t> bytes;
        testsupport::ReadFileBytes(e.path().string(), &bytes);
        out.emplace_back(fs::relative(e.path(), folder).string(), std::move(bytes));
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(DemoData, TwoRunsWriteTheSameBytesAndLeaveTheSaveFolderAlone) {
    testsupport::CTempDir a;
    testsupport::CTempDir b;
    const std::vector<uint8_t> saved = {1, 2, 3};
    ASSERT_TRUE(kit::WriteBytes(a.Path() + "save/cfg.sav", saved));
    ASSERT_TRUE(demo::WriteDemoData(a.Path()));
    ASSERT_TRUE(demo::WriteDemoData(b.Path()));
    auto ta = Tree(a.Path());
    const auto tb = Tree(b.Path());
    std::vector<uint8_t> kept;
    testsupport::ReadFileBytes(a.Path() + "save/cfg.sav", &kept);
    EXPECT_EQ(kept, saved);
    ta.erase(std::remove_if(ta.begin(), ta.end(), [](const auto& f) { return f.first.rfind("save", 0) == 0; }),
             ta.end());
    ASSERT_EQ(ta.size(), tb.size());
    for (size_t i = 0; i < ta.size(); ++i) {
        EXPECT_EQ(ta[i].first, tb[i].first);
        EXPECT_TRUE(ta[i].second == tb[i].second) << ta[i].first;
    }
    EXPECT_GT(ta.size(), 20u);
}

// Every file of the manifest is written once and reads back through the file layer with
// its size, the packed folders from their archives alone.
TEST(DemoData, TheManifestListsEveryFileOnceAndTheArchivesHoldTheirFolders) {
    testsupport::CTempDir dir;
    ASSERT_TRUE(demo::WriteDemoData(dir.Path()));
    std::vector<uint8_t> manifest;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "manifest.txt", &manifest));
    std::vector<std::pair<std::string, int64_t>> files;
    std::string line;
    for (uint8_t c : manifest) {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (line[0] != '#') {
            const size_t blank = line.find(' ');
            // Names compare as the file layer compares them: without regard to case.
            std::string path = line.substr(0, blank);
            std::transform(path.begin(), path.end(), path.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
            files.emplace_back(path, std::stoll(line.substr(blank + 1)));
        }
        line.clear();
    }
    for (const char* top : demo::kPackedFolders) {
        EXPECT_FALSE(fs::exists(dir.Path() + top)) << top;
        EXPECT_TRUE(fs::exists(dir.Path() + top + ".pak")) << top;
    }
    testsupport::CGameFolderScope scope(dir.Path());
    for (const auto& [path, bytes] : files) {
        CFile file;
        ASSERT_TRUE(file.Open(path)) << path;
        EXPECT_EQ(file.GetSize(), bytes) << path;
    }
    std::sort(files.begin(), files.end());
    const auto twice =
        std::adjacent_find(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first == b.first; });
    EXPECT_EQ(twice, files.end()) << "written twice: " << twice->first;
}

// The mansion menu's ten buttons are the pictures after the home menu's frame,
// obj\h001_006.bmp to obj\h001_015.bmp, and the demo writes them under those names.
TEST(DemoData, TheMansionMenuButtonsAreTheTenPicturesAfterTheFrame) {
    EXPECT_EQ(CMansionMenuScene::ButtonPicture(0), "obj\\h001_006.bmp");
    EXPECT_EQ(CMansionMenuScene::ButtonPicture(3), "obj\\h001_009.bmp");
    EXPECT_EQ(CMansionMenuScene::ButtonPicture(4), "obj\\h001_010.bmp");
    EXPECT_EQ(CMansionMenuScene::ButtonPicture(9), "obj\\h001_015.bmp");
    testsupport::CTempDir dir;
    demo::CDemoWriter out(dir.Path());
    demo::WriteMansionMenuData(out);
    for (int i = 0; i < CMansionMenuScene::kButtonCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "obj/h001_%03d.bmp", 6 + i);
        EXPECT_TRUE(fs::exists(dir.Path() + name)) << name;
    }
}

using demorun::DemoSetup;
using demorun::ExpectNoMissingFile;
using demorun::PlayedScripts;

TEST(DemoData, TheChainFromBootReachesTheTitleWithoutAMissingFile) {
    SetDebugOutputEnabled(false);
    CLogCapture log;
    screentest::CGameDriver d(DemoSetup());
    d.Start(2);
    CSceneManager& m = d.Game().GetSceneManager();
    for (int frame = 0; frame < 2000 && m.GetCurrentSceneId() != 7; ++frame) {
        if (m.GetCurrentSceneId() == 6 && !m.IsInTransition() && frame % 10 == 0) d.Key(32);
        d.Frame();
    }
    EXPECT_EQ(m.GetCurrentSceneId(), 7);
    d.Frame(40);
    ExpectNoMissingFile(log);
    EXPECT_TRUE(d.Game().GetWideBackground().IsLoaded());
    for (int ch : {0, 1, 2, 3, 5, 6}) EXPECT_TRUE(d.Game().GetChannel(ch)->IsLoaded()) << ch;
    SetDebugOutputEnabled(true);
}

TEST(DemoData, TheSaveAndLoadScreensOpenWithoutAMissingFile) {
    SetDebugOutputEnabled(false);
    CLogCapture log;
    screentest::CGameDriver d(DemoSetup());
    CSceneManager& m = d.Game().GetSceneManager();
    for (int32_t scene : {8, 9, 10}) {
        d.Start(scene);
        d.Frame(20);
        EXPECT_EQ(m.GetCurrentSceneId(), scene);
    }
    ExpectNoMissingFile(log);
    SetDebugOutputEnabled(true);
}

// The tables parse without a log line, every event row's script loads, and every
// picture has the size and grid its manifest line gives.
TEST(DemoData, TablesScriptsAndSheetsAgreeWithTheManifest) {
    SetDebugOutputEnabled(false);
    testsupport::CTempDir dir;
    demo::CDemoWriter out(dir.Path());
    demo::WriteSharedData(out);
    demo::WriteStageData(out);
    demo::WriteEventData(out);
    ASSERT_TRUE(out.Ok());
    testsupport::CGameFolderScope scope(dir.Path());
    CLogCapture log;
    CEventTable table;
    ASSERT_TRUE(table.Load(CEventTable::kDefaultPath));
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
    ASSERT_GE(table.GetRows().size(), 15u);
    bool more = false, jump = false, select = false;
    for (const auto& row : table.GetRows()) {
        CAdvCommandControl script;
        EXPECT_TRUE(script.LoadCompiled(row->script)) << row->script;
        more = more || row->next == EVENT_NEXT_MORE;
        jump = jump || (row->next == EVENT_NEXT_JUMP && table.FindRow(row->jumpTarget) != nullptr);
        select = select || (row->next == EVENT_NEXT_SELECT && row->choices.size() == 2);
    }
    EXPECT_TRUE(more && jump && select);
    // Read as the picture planes read them: a sheet with see-through parts is PNG bytes
    // under its ".bmp" name.
    for (const kit::SSheetSpec& sheet : out.Sheets()) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(CFile::ReadAll(sheet.name, &bytes)) << sheet.name;
        std::vector<uint32_t> pixels;
        SD3DXImageInfo info;
        ASSERT_TRUE(D3DXDecodeImage(bytes.data(), bytes.size(), &pixels, &info)) << sheet.name;
        const int32_t width = static_cast<int32_t>(info.width), height = static_cast<int32_t>(info.height);
        EXPECT_EQ(width, sheet.width) << sheet.name;
        EXPECT_EQ(height, sheet.height) << sheet.name;
        EXPECT_EQ(sheet.width % sheet.columns + sheet.height % sheet.rows, 0) << sheet.name;
    }
    SetDebugOutputEnabled(true);
}

// A new game on the demo data, from relay scene 21 to the logo that follows the month:
// the events come in the month's order, the question's first answer is clicked, and no
// file is missing on the way.
TEST(DemoData, AMonthPlaysItsEventsInOrder) {
    SetDebugOutputEnabled(false);
    CLogCapture log;
    screentest::CGameDriver::SSetup setup = DemoSetup();
    setup.inGameSceneMaker = MakeInGameSceneMaker();
    screentest::CGameDriver d(setup);
    d.Game().GetSystemData().m_MessageSpeed = 100;
    d.Start(21);
    CSceneManager& m = d.Game().GetSceneManager();
    int frame = 0;
    for (; frame < 20000 && m.GetCurrentSceneId() != CRaisingScene::kEndScene; ++frame) {
        if (const SPoint* at = demoplayer::ClickAt(frame)) d.Click(at->x, at->y);
        ASSERT_TRUE(d.Frame());
    }
    EXPECT_EQ(m.GetCurrentSceneId(), CRaisingScene::kEndScene);
    const std::vector<std::string> want = {"101", "102", "125", "103", "111", "104", "105", "107", "109", "112",
                                           "108", "110", "112", "108", "110", "112", "113", "114", "115",
                                           "116", "117"};
    EXPECT_EQ(PlayedScripts(log), want);
    ExpectNoMissingFile(log);
    SetDebugOutputEnabled(true);
}

// The stage's month end, noting the occasion kind of every report it shows.
class CCountingMonthEnd : public IStageTurnMachine {
public:
    CCountingMonthEnd(std::vector<int32_t>* reports, std::function<int32_t()> kind)
        : m_Reports(reports), m_Kind(std::move(kind)) {}
    void Begin(CMainGameScene& stage) override {
        m_Inner.Begin(stage);
        if (m_Inner.GetMachine().IsActive()) m_Reports->push_back(m_Kind());
    }
    bool Step(CMainGameScene& stage) override { return m_Inner.Step(stage); }
    void Reset() override { m_Inner.Reset(); }
    void BuildReport(CMainGameScene& stage, CSaveRecordStrings& record) override { m_Inner.BuildReport(stage, record); }

private:
    CMonthEnd m_Inner;
    std::vector<int32_t>* m_Reports;
    std::function<int32_t()> m_Kind;
};

// A new game's month with one housework on the home side: she starts content (the
// food allowance asks the plain amount, without フェリナ's word on her discontent), and
// the month's report comes once, at the month's end, though the closing occasion
// (53, 0) also follows the housework; the housework's own script pages its results.
TEST(DemoData, AMonthWithAHomeActionStartsContentAndReportsOnce) {
    SetDebugOutputEnabled(false);
    CLogCapture log;
    std::vector<int32_t> reports;
    CRaisingScene* kept = nullptr;
    screentest::CGameDriver::SSetup setup = DemoSetup();
    setup.inGameSceneMaker = [&](CGameMain& game, bool fresh) {
        std::unique_ptr<IInGameScene> scene = MakeInGameSceneMaker()(game, fresh);
        auto* raising = dynamic_cast<CRaisingScene*>(scene.get());
        if (!fresh && raising) {
            kept = raising;
            raising->SetStageSetup([&reports, raising](CMainGameScene& stage) {
                stage.SetTurnMachine(
                    std::make_unique<CCountingMonthEnd>(&reports, [raising] { return raising->State().m_EventKind; }));
            });
        }
        return scene;
    };
    screentest::CGameDriver d(setup);
    ASSERT_NE(kept, nullptr);
    d.Game().GetSystemData().m_MessageSpeed = 100;
    d.Start(21);
    CSceneManager& m = d.Game().GetSceneManager();
    int contentAtFood = -1;
    bool housework = false;
    int click = 0;
    for (int frame = 0; frame < 20000 && m.GetCurrentSceneId() != CRaisingScene::kEndScene; ++frame) {
        const int32_t mode = kept->State().m_ModeId;
        if (mode == 15 && contentAtFood < 0) contentAtFood = kept->Status().IsContent();
        auto* host = mode == 17 ? dynamic_cast<CHomeHostMode*>(kept->GetCurrentMode()) : nullptr;
        auto* menu = host ? dynamic_cast<CHomeMenuMode*>(host->GetCurrentSideMode()) : nullptr;
        if (!housework && menu && menu->GetScene().GetSlideState() == CHomeScene::SLIDE_PLACED) {
            kept->State().m_HouseworkKind = 0;
            host->StartHomeMode(7, 1, 20);
            housework = true;
        }
        // The player's clicks go on from where they were, past the frames the
        // housework took.
        if (frame % demoplayer::kClickFrames == 0) {
            const SPoint at = demoplayer::kClicks[static_cast<size_t>(click++) % demoplayer::kClicks.size()];
            d.Click(at.x, at.y);
        }
        ASSERT_TRUE(d.Frame());
    }
    EXPECT_EQ(m.GetCurrentSceneId(), CRaisingScene::kEndScene);
    EXPECT_TRUE(housework);
    EXPECT_EQ(contentAtFood, 1);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 53), 1) << "the month's report";
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 26), 1) << "the housework's results";
    EXPECT_EQ(reports.size(), 2u);
    const std::vector<std::string> played = PlayedScripts(log);
    EXPECT_EQ(std::count(played.begin(), played.end(), "119"), 1);
    EXPECT_EQ(std::count(played.begin(), played.end(), "115"), 1);
    ExpectNoMissingFile(log);
    SetDebugOutputEnabled(true);
}

}  // namespace
