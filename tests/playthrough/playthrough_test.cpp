// The program itself on the demo data in a real window: a private Xvfb server, the game
// started as "niwa --data <demo> --seed 1", and xdotool as the player.  It goes through
// the boot chain to the title, starts a new game, clicks through the month, comes back to the title and quits through the title's
// panel.  Every wait compares the X screen with a region of a golden frame under the
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
        m_Env = {"DISPLAY=" + m_Server.Name(), "SDL_VIDEODRIVER=x11", "SDL_RENDER_DRIVER=software",
                 "SDL_AUDIODRIVER=dummy"};
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

TEST_F(Playthrough, BootTitleAMonthAndQuit) {
    ASSERT_TRUE(m_Game.Start({NIWA_BINARY, "--data", m_Folder, "--seed", "1"}, m_Env, m_Folder + "stdout.txt"));
    ASSERT_TRUE(FocusGame()) << "the game's window never took the focus";
    // The chain: the opening waits for a key.
    ASSERT_TRUE(WaitFor([&] { return Shows("06_title", kTitleRegion); }, 90, [&] { Xdotool({"key", "space"}); }))
        << "the title never showed";

    // New game, then the month by the demo player's clicks (lines, a question's first
    // choice, the food allowance, the ends of the mansion and home menus). Ctrl is not
    // held: the side menus' question panels take no click while it is down.
    ASSERT_TRUE(WaitFor([&] { return !Shows("06_title", kTitleRegion); }, 20, [&] { Click(88, 420); }))
        << "new game did not leave the title";
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

    // Quit through the title's question, confirming when it asks (the buttons take no
    // click while the title slides in, so both are tried again until the game ends).
    int code = -1;
    ASSERT_TRUE(WaitFor([&] { return m_Game.HasExited(&code); }, 30, [&] {
        Click(696, 580);
        Click(372, 298);
    }))
        << "the game did not end";
    EXPECT_EQ(code, 0);

    for (const char* file : {"save/cfg.sav", "save/read.sav", "save/save00.sav"}) {
        EXPECT_TRUE(fs::exists(m_Folder + file)) << file;
    }
    std::vector<uint8_t> log;
    ASSERT_TRUE(testsupport::ReadFileBytes(m_Folder + "log.txt", &log));
    const std::string text(log.begin(), log.end());
    size_t at = 0;
    // No file of the data failed to load (save files of a first start are missing by right).
    for (size_t end = 0; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = text.substr(at, end - at);
        const bool failure = line.find("見つかりません") != std::string::npos || line.find("開けません") != std::string::npos;
        EXPECT_FALSE(failure && line.find("save\\") == std::string::npos) << line;
    }
}

}  // namespace
