// Whole-screen golden frames of the demo data: the game object on the software graphics
// device from the boot scene, through the logos, the title and a new game's month, then
// the menus and developer scenes by id.  Every TEST runs in a process of its own (the
// generators built on first use keep their state for the process), with a seeded
// random source, the fake frame clock, sound mixed by hand and a fixed save clock.
//
// At each named checkpoint the whole 800 × 600 back buffer is compared with
// tests/golden/frames/<name>.png under the tolerance of docs/testing.md, and the music
// and voices playing with what the script names.  NIWA_GOLDEN_UPDATE=1 (see
// scripts/update_golden.sh) writes the pictures instead of comparing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/raising/ingame/RaisingScene.h"
#include "tests/support/screen/GoldenFrame.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tests/tools/demo/DemoPlayer.h"
#include "tools/demo/DemoWriter.h"

namespace {

namespace fs = std::filesystem;

std::string GoldenFolder() { return NIWA_GOLDEN_DIR; }

bool Updating() {
    const char* update = std::getenv("NIWA_GOLDEN_UPDATE");
    return update != nullptr && std::string(update) == "1";
}

// The music and voices playing, "group:name" blank-separated in slot order.
std::string PlayingSounds(CGameMain& game) {
    std::string out;
    for (int group : {0, 2}) {
        for (int slot = 0; slot < 31; ++slot) {
            if (!game.GetSoundBank().IsPlaying(group, slot)) continue;
            if (!out.empty()) out += ' ';
            out += std::to_string(group);
            out += ':';
            out += game.GetSoundBank().GetName(group, slot);
        }
    }
    return out;
}

class GoldenRun {
public:
    GoldenRun() {
        CRandom::SetDefaultSeedForTests(1);
        CSaveData::SetClock([] { return SSaveTime{2026, 4, 1, 12, 0, 0}; });
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup setup;
        setup.channelSounds = false;
        setup.prepare = [](const std::string& folder) { ASSERT_TRUE(demo::WriteDemoData(folder)); };
        setup.inGameSceneMaker = MakeInGameSceneMaker();
        m_Driver = std::make_unique<screentest::CGameDriver>(setup);
        m_Failures = (fs::temp_directory_path() / "niwa_golden").string() + "/";
    }
    ~GoldenRun() {
        CSaveData::SetClock({});
        CRandom::SetDefaultSeedForTests(0);
        SetDebugOutputEnabled(true);
    }

    screentest::CGameDriver& D() { return *m_Driver; }
    CSceneManager& Scenes() { return D().Game().GetSceneManager(); }
    const CLogCapture& Log() const { return m_Log; }

    // Frames until `done` holds, at most `limit`; `each` runs before every frame.
    void Until(const std::string& what, const std::function<bool()>& done, int limit,
               const std::function<void(int)>& each = {}) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (each) each(i);
            ASSERT_TRUE(D().Frame()) << what;
        }
        ASSERT_TRUE(done()) << "never reached: " << what;
    }
    void AtScene(int32_t id, int limit = 2000) {
        Until("scene " + std::to_string(id),
              [this, id] { return Scenes().GetCurrentSceneId() == id && !Scenes().IsInTransition(); }, limit);
    }
    // A cut to the scene, then frames until its transition has ended and `settle` more.
    void Open(int32_t id, int settle = 20) {
        D().Start(id);
        AtScene(id, 400);
        D().Frame(settle);
    }
    void Player(int frame) {
        if (const SPoint* at = demoplayer::ClickAt(frame)) D().Click(at->x, at->y);
    }
    bool Played(const std::string& script) const {
        for (const std::string& line : m_Log.GetLines()) {
            if (line.find("スクリプト再生:scr\\demo\\" + script) != std::string::npos) return true;
        }
        return false;
    }
    // Plays the month on until the script has started.
    void PlayUntil(const std::string& script, int settle) {
        Until(script, [this, &script] { return Played(script); }, 6000, [this](int i) { Player(i); });
        D().Move(400, 300);
        D().Frame(settle);
    }

    // On to the title, a key at the opening (which waits for one).
    void ToTitle() {
        Until("title", [this] { return Scenes().GetCurrentSceneId() == 7 && !Scenes().IsInTransition(); }, 3000,
              [this](int i) {
                  if (i % 10 == 0 && Scenes().GetCurrentSceneId() == 6 && !Scenes().IsInTransition()) D().Key(32);
              });
    }
    // Plays the month on until the in-game mode runs, then `settle` frames without input.
    void PlayUntilMode(int32_t mode, int settle) {
        Until("mode " + std::to_string(mode), [this, mode] {
            auto* kept = dynamic_cast<CRaisingScene*>(D().Game().GetRaisingScene());
            return kept != nullptr && kept->State().m_ModeId == mode;
        }, 6000, [this](int i) { Player(i); });
        D().Move(400, 300);
        D().Frame(settle);
    }

    // The named checkpoint: the whole frame against its golden picture, and the sounds.
    void Check(const std::string& name, const std::string& sounds = "*") {
        const screentest::SFrame actual = D().Pixels();
        const std::string path = GoldenFolder() + name + ".png";
        if (sounds != "*") {
            EXPECT_EQ(PlayingSounds(D().Game()), sounds) << name;
        }
        if (Updating()) {
            EXPECT_TRUE(screentest::WriteFramePng(path, actual)) << path;
            std::printf("golden: wrote %s (sounds: %s)\n", path.c_str(), PlayingSounds(D().Game()).c_str());
            return;
        }
        screentest::SFrame expected;
        ASSERT_TRUE(screentest::ReadFramePng(path, &expected)) << "no golden frame " << path;
        const screentest::SFrameDiff diff = screentest::CompareFrames(actual, expected);
        if (!diff.Matches()) {
            fs::create_directories(m_Failures);
            ADD_FAILURE() << screentest::WriteFrameDiff(m_Failures, name, actual, expected, diff);
        }
    }

private:
    CLogCapture m_Log;
    std::unique_ptr<screentest::CGameDriver> m_Driver;
    std::string m_Failures;
};

// Boot, the logos, the opening and the title; a new game's month with its events, a
// selection and the month end; the logo after the month and the title again.
TEST(GoldenFrames, FromBootThroughTheMonthBackToTheTitle) {
    GoldenRun g;
    g.D().Start(2);
    g.D().Frame(2);
    g.Check("01_boot");
    g.AtScene(3);
    g.D().Frame(30);
    g.Check("02_logo1");
    g.AtScene(4);
    g.D().Frame(30);
    g.Check("03_logo2");
    g.AtScene(5, 3000);
    g.D().Frame(30);
    g.Check("04_logo3");
    g.AtScene(6, 3000);
    g.D().Frame(60);
    g.Check("05_opening");
    g.ToTitle();
    g.D().Frame(30);
    g.Check("06_title");

    g.D().Game().GetSystemData().m_MessageSpeed = 100;
    g.D().Start(21);
    g.PlayUntil("ev_101", 60);
    g.Check("10_prologue", "0:bgm\\bgm_001.ogg 2:voice\\lu_1001.ogg");
    g.PlayUntilMode(4, 40);
    g.Check("07_date_card");
    g.PlayUntil("ev_103", 60);
    g.Check("11_month_start", "0:bgm\\bgm_003.ogg 2:voice\\me_1003.ogg");
    g.PlayUntilMode(15, 60);
    g.Check("09_food_allowance");
    g.PlayUntil("ev_104", 40);
    // The line, then the question's two answers.
    g.Until("selection", [&g] { return g.Played("ev_104") && g.D().Game().GetRaisingScene() != nullptr &&
                                       dynamic_cast<CRaisingScene*>(g.D().Game().GetRaisingScene())->IsSelectionShown(); },
            600, [&g](int i) {
                if (i % 6 == 0) g.D().Click(700, 100);
            });
    g.D().Move(700, 100);
    g.D().Frame(40);
    g.Check("12_selection", "0:bgm\\bgm_004.ogg");
    g.PlayUntilMode(16, 60);
    g.Check("12b_mansion_side");
    g.PlayUntil("ev_112", 50);
    g.Check("13_balloons", "0:bgm\\bgm_007.ogg 2:voice\\lu_1012.ogg");
    g.PlayUntilMode(17, 60);
    g.Check("13b_home_side");
    g.PlayUntil("ev_115", 40);
    g.Check("14_month_end_event", "0:bgm\\bgm_009.ogg 2:voice\\lu_1015.ogg");
    // The month report shows over the dimmed picture once the end-of-month command runs.
    g.D().Click(400, 300);
    g.D().Frame(200);
    g.Check("15_month_report");
    g.Until("logo after the month", [&g] { return g.Scenes().GetCurrentSceneId() == CRaisingScene::kEndScene; }, 6000,
            [&g](int i) { g.Player(i); });
    g.AtScene(CRaisingScene::kEndScene);
    g.D().Frame(30);
    g.Check("16_logo_after_month");
    g.ToTitle();
    g.D().Frame(30);
    g.Check("17_title_again");
    // What the month unlocked: the picture viewer's first entries and the play view's
    // (events 101 to 104 and the first answer 105 are play-view indexes 0 to 4).
    const CSystemData& unlocks = g.D().Game().GetSystemData();
    for (int index = 0; index <= 4; ++index) EXPECT_NE(unlocks.GetPlayViewUnlock(index), 0) << index;
    EXPECT_EQ(unlocks.GetPlayViewUnlock(5), 0);
    for (int key : {1001, 1003, 1004}) EXPECT_NE(unlocks.GetCgUnlock(key), 0) << key;
    EXPECT_NE(unlocks.GetMusicUnlock(0), 0);
    g.Open(12, 30);
    g.Check("18_viewer_after_month");
    g.Open(14, 30);
    g.Check("19_play_view_after_month");
}

// The menus and developer scenes, each opened by a cut.
TEST(GoldenFrames, MenusAndScenesById) {
    GoldenRun g;
    const struct {
        int32_t scene;
        const char* name;
        int settle;
    } screens[] = {{8, "20_save", 30},       {9, "21_load", 30},         {12, "22_picture_viewer", 30},
                   {14, "24_play_view", 30}, {17, "25_guide", 30},       {18, "26_game_over", 200},
                   {24, "27_status_1", 30},  {25, "28_status_2", 30},    {27, "29_sample_27", 30},
                   {28, "30_sample_28", 30}, {29, "31_sample_29", 30}};
    for (const auto& s : screens) {
        g.Open(s.scene, s.settle);
        g.Check(s.name);
    }
    // The settings menu and each of its six pages, by its page buttons.
    g.Open(16, 30);
    for (int page = 0; page < 6; ++page) {
        const SPoint at = CSystemMenuScene::kCommandPlaces[static_cast<size_t>(page)];
        g.D().Click(at.x + 20, at.y + 10);
        g.D().Frame(40);
        char name[32];
        std::snprintf(name, sizeof name, "4%d_settings_page_%d", page, page);
        g.Check(name);
    }
}

}  // namespace
