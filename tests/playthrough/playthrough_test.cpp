// The program itself on the demo data in a real window: a private Xvfb server, the game
// started as "niwa --data <demo> --seed 1", and xdotool as the player.  It goes through
// the boot chain to the title, sets the message speed, starts a new game and saves it
// with a comment, passes lines with Ctrl held, clicks through the month, loads the save,
// visits the viewers and the music room and quits through the title's panel.  Every wait compares the X screen with a region of a golden frame under the
// tolerance of docs/testing.md, with a time-out; nothing sleeps a fixed time to let the
// game get somewhere.
//
// Without Xvfb or xdotool the test is skipped, unless CI=true, where that fails it. On
// a failure the screen capture and the game's log stay in the printed folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/GoldenFrame.h"
#include "tests/support/xvfb/XScreen.h"
#include "tests/support/xvfb/Xvfb.h"
#include "tests/tools/demo/DemoPlayer.h"
#include "tools/demo/DemoWriter.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool InCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

class Playthrough : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::FindXvfb(&m_XvfbBinary) || !testsupport::FindProgram("xdotool", &m_Xdotool)) {
            if (InCi()) FAIL() << "Xvfb and xdotool are needed (scripts/setup.sh installs them)";
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        }
        m_Folder = (fs::temp_directory_path() / ("niwa_playthrough_" + std::to_string(::getpid()))).string() + "/";
        fs::remove_all(m_Folder);
        ASSERT_TRUE(demo::WriteDemoData(m_Folder));
        ASSERT_TRUE(m_Server.Start(m_XvfbBinary, 800, 600));
        // The single-instance lock lives in XDG_RUNTIME_DIR: a lock folder of its own keeps
        // a copy of the game the developer has open (or another checkout's test) from
        // refusing this one.
        m_Env = {"DISPLAY=" + m_Server.Name(), "SDL_VIDEODRIVER=x11", "SDL_RENDER_DRIVER=software",
                 "SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + m_Folder};
        m_Reader = std::make_unique<CXScreenReader>(m_Server.Name());
        ASSERT_TRUE(m_Reader->IsOpen());
    }
    void TearDown() override {
        if (HasFailure() && !m_Folder.empty()) {
            std::vector<uint32_t> pixels;
            int w = 0, h = 0;
            if (m_Reader && m_Reader->Capture(&pixels, &w, &h)) {
                screentest::WriteFramePng(m_Folder + "capture.png", screentest::SFrame{w, h, pixels});
            }
            std::printf("playthrough: the capture, the log and the saves are in %s\n", m_Folder.c_str());
        } else if (!m_Folder.empty()) {
            fs::remove_all(m_Folder);
        }
    }

    std::string Xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), m_Xdotool);
        int code = 0;
        return testsupport::RunAndRead(args, m_Env, &code);
    }
    // The game reads the button's state once a frame: the button stays down for a few
    // frames' time, so that a frame sees it.
    void Press() {
        Xdotool({"mousedown", "1"});
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        Xdotool({"mouseup", "1"});
    }
    void Click(int x, int y) {
        Xdotool({"mousemove", std::to_string(x), std::to_string(y)});
        Press();
    }

    // Polls until `done` holds or `seconds` have passed; `each` runs between polls.
    bool WaitFor(const std::function<bool()>& done, double seconds, const std::function<void()>& each = {}) {
        const auto end = Clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        while (Clock::now() < end) {
            if (done()) return true;
            int code = 0;
            if (m_Game.HasExited(&code)) return done();
            if (each) each();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return done();
    }
    // The screen shows the region of the golden frame.
    bool Shows(const std::string& golden, screentest::SRegion region) {
        screentest::SFrame expected;
        if (!screentest::ReadFramePng(std::string(NIWA_GOLDEN_DIR) + golden + ".png", &expected)) return false;
        screentest::SFrame actual;
        if (!m_Reader->Capture(&actual.pixels, &actual.width, &actual.height)) return false;
        return screentest::CompareFrames(actual, expected, region).Matches();
    }
    // Clicks at (x, y) until the screen shows the region of the golden frame.
    bool ClickUntilShows(const std::string& golden, screentest::SRegion region, int x, int y, double seconds = 20) {
        return WaitFor([&] { return Shows(golden, region); }, seconds, [&] { Click(x, y); });
    }
    // The game's log holds `what` after the first `after`.
    bool LogHasAfter(const std::string& after, const std::string& what) {
        std::vector<uint8_t> bytes;
        if (!testsupport::ReadFileBytes(m_Folder + "log.txt", &bytes)) return false;
        const std::string text(bytes.begin(), bytes.end());
        const size_t at = text.find(after);
        return at != std::string::npos && text.find(what, at) != std::string::npos;
    }
    // The game's window, focused (without a window manager the game updates only while
    // its window is active).
    bool FocusGame() {
        // SDL may map more than one window for the process, and not at once: search again
        // each time and take the one that keeps the focus.
        return WaitFor([&] {
            const std::string ids = Xdotool({"search", "--onlyvisible", "--pid", std::to_string(m_Game.Pid())});
            for (size_t at = 0, end = 0; (end = ids.find('\n', at)) != std::string::npos; at = end + 1) {
                const std::string id = ids.substr(at, end - at);
                Xdotool({"windowfocus", id});
                const std::string focus = Xdotool({"getwindowfocus"});
                if (focus.substr(0, focus.find('\n')) == id) return true;
            }
            return false;
        }, 40);
    }

    std::string m_XvfbBinary, m_Xdotool, m_Folder;
    testsupport::CXvfb m_Server;
    std::vector<std::string> m_Env;
    std::unique_ptr<CXScreenReader> m_Reader;
    testsupport::CChildProcess m_Game;
};

// The title's picture in its place, once its intro has slid in.
constexpr screentest::SRegion kTitleRegion{336, 32, 432, 320};
// The title picture at the top left of the menu screens, the top of the prologue's and
// the full view's picture, the settings menu's header and the message page's background.
constexpr screentest::SRegion kMenuTitleRegion{0, 0, 280, 48};
constexpr screentest::SRegion kPictureTopRegion{0, 0, 800, 200};
constexpr screentest::SRegion kFullViewRegion{600, 0, 200, 200};
constexpr screentest::SRegion kSettingsHeaderRegion{0, 0, 280, 40};
constexpr screentest::SRegion kMessagePageRegion{8, 100, 200, 40};
// The top of the save screen's first slot frame (the background moves in its window).
constexpr screentest::SRegion kFirstSlotRegion{11, 88, 384, 28};
// The hint window's side picture (left of the speakers, which move), and the event
// panel at the top right.
constexpr screentest::SRegion kHintSideRegion{0, 200, 120, 200};
constexpr screentest::SRegion kEventPanelRegion{264, 0, 536, 72};
constexpr int kMessageSpeed = 100;
constexpr const char* kComment = "demo";

// The program from the boot chain: settings, a new game saved into slot 1 with a
// comment and its lines passed with Ctrl held, the month by the demo player's clicks,
// the saved game loaded and left for the title again, the viewers and the music room,
// and quitting through the title's panel.
TEST_F(Playthrough, BootSettingsAMonthSaveLoadViewersAndQuit) {
    ASSERT_TRUE(m_Game.Start({NIWA_BINARY, "--data", m_Folder, "--seed", "1"}, m_Env, m_Folder + "stdout.txt"));
    ASSERT_TRUE(FocusGame()) << "the game's window never took the focus";
    // The chain: the opening waits for a key.
    ASSERT_TRUE(WaitFor([&] { return Shows("06_title", kTitleRegion); }, 90, [&] { Xdotool({"key", "space"}); }))
        << "the title never showed";

    // The settings: the message page's speed slider to its top, then OK, back to the title.
    ASSERT_TRUE(ClickUntilShows("40_settings_page_0", kSettingsHeaderRegion, 96, 580))
        << "the settings menu never opened";
    ASSERT_TRUE(ClickUntilShows("41_settings_page_1", kMessagePageRegion, 532, 26))
        << "the message page never showed";
    Click(269 + 238, 172 + 8);
    ASSERT_TRUE(ClickUntilShows("06_title", kTitleRegion, 748, 54))
        << "OK did not lead back to the title";

    // New game; at the prologue's first line, the message window's save button (it rises
    // once the pointer has rested in the bottom band), slot 1, a comment, back.
    ASSERT_TRUE(WaitFor([&] { return !Shows("06_title", kTitleRegion); }, 20, [&] { Click(88, 420); }))
        << "new game did not leave the title";
    ASSERT_TRUE(WaitFor([&] { return Shows("10_prologue", kPictureTopRegion); }, 60)) << "the prologue never showed";
    ASSERT_TRUE(WaitFor([&] { return Shows("20_save", kMenuTitleRegion); }, 20, [&] {
        Xdotool({"mousemove", "40", "580"});
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Press();
    })) << "the save screen never opened";
    // Slot 1 once the slots have slid in (it is empty, as in the golden frame); the click
    // saves and opens its comment, typed before the edit ends on Enter.
    ASSERT_TRUE(WaitFor([&] { return Shows("20_save", kFirstSlotRegion); }, 10)) << "the slots never came in";
    Click(200, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Xdotool({"type", "--delay", "100", kComment});
    Xdotool({"key", "Return"});
    ASSERT_TRUE(ClickUntilShows("10_prologue", kPictureTopRegion, 744, 52))
        << "back did not return to the prologue";
    // The hint window (HINTS, once the buttons have risen, at a point where the open
    // window has no button), its first row's button: the event panel shows the hint's
    // picture; the window's EVENT button closes it.  Each is clicked again only after two
    // seconds, so that no click lands on what opened.
    auto every2s = [&](const std::function<void()>& act) {
        return [&, act, last = Clock::now() - std::chrono::seconds(2)]() mutable {
            if (Clock::now() - last < std::chrono::seconds(2)) return;
            act();
            last = Clock::now();
        };
    };
    auto bandPress = [&](int x, int y) {
        Xdotool({"mousemove", std::to_string(x), std::to_string(y)});
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Press();
    };
    ASSERT_TRUE(WaitFor([&] { return Shows("13c_hint_window", kHintSideRegion); }, 20, every2s([&] { bandPress(690, 542); })))
        << "the hint window never opened";
    ASSERT_TRUE(WaitFor([&] { return Shows("13d_event_panel", kEventPanelRegion); }, 20, every2s([&] { Click(656, 80); })))
        << "the hint's row did not show its picture in the event panel";
    ASSERT_TRUE(WaitFor([&] { return Shows("10_prologue", kEventPanelRegion); }, 20, every2s([&] { bandPress(742, 548); })))
        << "EVENT did not close the event panel";
    // Ctrl held passes the prologue's lines without a click.
    Xdotool({"keydown", "ctrl"});
    const bool skipped = WaitFor([&] { return !Shows("10_prologue", kPictureTopRegion); }, 30);
    Xdotool({"keyup", "ctrl"});
    ASSERT_TRUE(skipped) << "holding Ctrl did not pass the prologue";

    // The month by the demo player's clicks (lines, a question's first choice, the food
    // allowance, the ends of the mansion and home menus). Ctrl is not held: the side
    // menus' question panels take no click while it is down.
    size_t next = 0;
    auto lastClick = Clock::now();
    const bool back = WaitFor([&] { return Shows("17_title_again", kTitleRegion); }, 270, [&] {
        // As far apart as the headless player's 24 frames, so a panel is in place first.
        if (Clock::now() - lastClick < std::chrono::milliseconds(450)) return;
        const SPoint at = demoplayer::kClicks[next++ % demoplayer::kClicks.size()];
        Xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y)});
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Press();
        lastClick = Clock::now();
    });
    ASSERT_TRUE(back) << "the month never came back to the title";

    // Load slot 1: the game goes on at the prologue; the message window's second set of
    // buttons leads back to the title through its question.
    ASSERT_TRUE(ClickUntilShows("21_load", kMenuTitleRegion, 96, 500))
        << "the load screen never opened";
    // One click on slot 1 once the slots have slid in (a click more would read the
    // restored lines on); the game comes back with the prologue's picture.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Click(200, 200);
    ASSERT_TRUE(WaitFor([&] { return Shows("10_prologue", kPictureTopRegion); }, 30)) << "the saved game did not come back";
    // The restored prologue is at its last line: clicked on (the first click may only
    // finish its reveal), its second half starts.
    ASSERT_TRUE(WaitFor([&] { return LogHasAfter("scr\\demo\\ev_117.txt", "scr\\demo\\ev_102.txt"); }, 20,
                        [&] { Click(700, 300); }))
        << "the loaded game did not go on from the prologue";
    ASSERT_TRUE(WaitFor([&] { return Shows("17_title_again", kTitleRegion); }, 60, [&] {
        Xdotool({"mousemove", "520", "580"});
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Press();  // the second set of buttons
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Click(272, 580);  // back to the title
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Click(400, 304);  // yes
        Xdotool({"key", "space"});  // the opening waits for a key
    })) << "the loaded game did not go back to the title";

    // The viewers and the music room by the tabs of the load screen: the picture viewer's
    // first entry in the full view, the play view, the music room's first track; back.
    ASSERT_TRUE(ClickUntilShows("21_load", kMenuTitleRegion, 96, 500))
        << "the load screen never opened again";
    ASSERT_TRUE(ClickUntilShows("22_picture_viewer", kMenuTitleRegion, 128, 64))
        << "the picture viewer never opened";
    ASSERT_TRUE(WaitFor([&] { return Shows("18b_full_view", kFullViewRegion); }, 20, [&] {
        Xdotool({"mousemove", "50", "100"});
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Press();
    })) << "the full view never opened";
    ASSERT_TRUE(WaitFor([&] { return Shows("22_picture_viewer", kMenuTitleRegion); }, 20,
                        [&] { Xdotool({"key", "Escape"}); }))
        << "the full view did not return";
    ASSERT_TRUE(ClickUntilShows("24_play_view", kMenuTitleRegion, 176, 64))
        << "the play view never opened";
    ASSERT_TRUE(ClickUntilShows("23_music_room", kMenuTitleRegion, 224, 64))
        << "the music room never opened";
    Click(32 + 96, 160 + 8);
    ASSERT_TRUE(ClickUntilShows("17_title_again", kTitleRegion, 744, 104))
        << "back did not return to the title";

    // Quit through the title's question, confirming when it asks (the buttons take no
    // click while the title slides in, so both are tried again until the game ends).
    int code = -1;
    ASSERT_TRUE(WaitFor([&] { return m_Game.HasExited(&code); }, 30, [&] {
        Click(696, 580);
        Click(372, 298);
    }))
        << "the game did not end";
    EXPECT_EQ(code, 0);

    for (const char* file : {"save/cfg.sav", "save/read.sav", "save/save00.sav", "save/save01.sav", "save/save01.bmp"}) {
        EXPECT_TRUE(fs::exists(m_Folder + file)) << file;
    }
    {
        testsupport::CGameFolderScope scope(m_Folder);
        CSystemData settings;
        EXPECT_EQ(settings.m_MessageSpeed, kMessageSpeed) << "the settings kept the message speed";
        CSaveData slot;
        ASSERT_TRUE(slot.Load(CSaveData::SlotPath(1)));
        EXPECT_EQ(slot.m_Header, kComment);
    }
    std::vector<uint8_t> log;
    ASSERT_TRUE(testsupport::ReadFileBytes(m_Folder + "log.txt", &log));
    const std::string text(log.begin(), log.end());

    size_t at = 0;
    // No file of the data failed to load (save files of a first start are missing by right).
    for (size_t end = 0; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = text.substr(at, end - at);
        bool failure = false;
        for (const char* said : {"見つかりません", "開けません", "読み込めません", "データがありません"}) {
            failure = failure || line.find(said) != std::string::npos;
        }
        EXPECT_FALSE(failure && line.find("save\\") == std::string::npos) << line;
    }
}

}  // namespace
