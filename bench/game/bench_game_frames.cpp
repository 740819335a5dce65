// CPU time per frame of the whole game object, headless on the demo data, through a
// fixed frame script.  Each case is a fresh game object on the same data folder, its
// frames run by hand on a clock that moves only when the loop sleeps, so every frame
// updates and draws; a frame's time is the process's CPU time across one pass of the
// frame loop (update, draw, present).  The cases:
//   stage       the stage of the viewer start: background, three figures, the message
//               window and a balloon whose text is being revealed (frames after the
//               pictures are loaded and the balloon is open);
//   wipe        the stage's screen change with a rule picture (kind 1, 1000 ms) from
//               the frame after the clicks that move the script on from the balloon (two,
//               ten frames apart) until the screen change has ended;
//   title       the title menu over the wide background (after its first frames);
//   transition  the top-level transition from the title to the save screen;
//   save        the save screen showing four saves with their thumbnails (made first
//               on the stage by the save screen itself, as a player saves).
// Every case runs on the software graphics device, then again through the GDI renderer
// (the same saves: the GDI renderer makes no thumbnails).  Start-up (the game object
// built, the boot start, the first frame drawn) and the peak resident memory are
// measured in a child process of their own (`--startup`), so that the other cases'
// memory does not count.
//
//   bench_game_frames [--gdi-only | --soft-only] [--frames N] [--only stage|menus]
//                     [--shots FOLDER]
//   bench_game_frames --startup [--gdi] [--data FOLDER]
// --shots writes each case's last software frame as a BMP, to see what was timed.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/Mouse.h"
#include "engine/base/Random.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "platform/gfx/GfxResource.h"
#include "engine/draw/SceneManager.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/menus/save/SaveLoadScene.h"
#include "game/raising/ingame/InGameStart.h"
#include "platform/gdi/GdiWindow.h"
#include "platform/window/PlatformWindow.h"
#include "tools/demo/DemoWriter.h"
#include "tools/kit/Sheet.h"
#include "tools/kit/StepClock.h"
#include "tools/script/AdvScriptBuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kScript = "scr\\bench_stage.scr";
constexpr int32_t kTitleScene = 7;
constexpr int32_t kSaveScene = 8;
constexpr int kSaves = 4;

// Where each case's last frame is written as a BMP (--shots): to see what was timed.
std::string g_Shots;

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The stage's script: three figures over a room, the message window, a balloon whose
// text is revealed over time, then (after clicks) a screen change through a rule.
bool WriteData(const std::string& folder) {
    if (!demo::WriteDemoData(folder)) return false;
    demo::CDemoWriter out(folder);
    out.Sheet(kit::MakeSheet("bg\\bench_room.bmp", 800, 600, 8, 6));
    out.Sheet(kit::MakeSheet("bg\\bench_house.bmp", 800, 600, 8, 6));
    for (const char* fig : {"obj\\bench_a.bmp", "obj\\bench_b.bmp", "obj\\bench_c.bmp"}) {
        out.Sheet(kit::MakeSheet(fig, 240, 480, 2, 4));
    }
    out.Sheet(kit::MakeSheet("sys\\bench_rule.bmp", 800, 600, 16, 12));
    // The message window's pictures, which the demo data does not have yet: the window,
    // its marks, the nine balloon shapes and the button sheets, cut as the stage cuts them.
    for (const kit::SSheetSpec& sheet :
         {kit::MakeSheet("obj\\f000_000.bmp", 6480, 160, 9, 1), kit::MakeSheet("obj\\f000_001.bmp", 800, 184),
          kit::MakeSheet("obj\\f000_002.bmp", 192, 32, 6, 1), kit::MakeSheet("obj\\f000_003.bmp", 960, 200, 12, 5),
          kit::MakeSheet("obj\\f000_004.bmp", 124, 155, 2, 5), kit::MakeSheet("obj\\f000_005.bmp", 237, 120, 3, 5)}) {
        if (!std::ifstream(kit::NativeFilePath(folder, sheet.name)).good()) out.Sheet(sheet);
    }
    CAdvScriptBuilder s;
    s.Add(11, {}, {"bg\\bench_room.bmp"});
    s.Add(13, {0, 0, 0, 0}, {"obj\\bench_a.bmp"});
    s.Add(13, {1, 0, 0, 0}, {"obj\\bench_b.bmp"});
    s.Add(13, {2, 0, 0, 0}, {"obj\\bench_c.bmp"});
    s.Add(3);
    // Timed reveal, place 0 at (180, 148), balloon 1.
    s.Add(6, {100, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0},
          {"ニワ", "庭の手入れは朝のうちに済ませておきましょう。水やりは夕方にもう一度。", ""});
    s.Add(15, {0, 0, 0, 100, 1, 0, 0}, {"bg\\bench_house.bmp"});
    s.Add(9, {1, 1000, 128}, {"sys\\bench_rule.bmp"});
    s.Add(2, {60000});
    const std::string path = kit::NativeFilePath(folder, kScript);
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    return s.Save(path);
}

struct SFigures {
    std::string name;
    std::vector<double> ms;
};

void Report(const char* renderer, const SFigures& f) {
    if (f.ms.empty()) {
        std::printf("%-5s %-11s no frames\n", renderer, f.name.c_str());
        return;
    }
    std::vector<double> v = f.ms;
    std::sort(v.begin(), v.end());
    const double median = v[v.size() / 2];
    std::printf("%-5s %-11s frames %4zu  median %7.3f ms  worst %7.3f ms  first %7.3f ms\n", renderer,
                f.name.c_str(), v.size(), median, v.back(), f.ms.front());
}

// One game object on the data folder, its frames run by hand.
class CBenchGame {
public:
    explicit CBenchGame(bool keptGame) : m_Window(CPlatformWindow::Create("bench", 800, 600, false)) {
        // As in the program, the game draws into a window (the GDI renderer needs one).
        CAppManager::SetHWnd(m_Window.get());
        CGameMain::SOptions o;
        o.clock = &m_Clock;
        o.manualSound = true;
        o.reportPath = "";
        if (keptGame) o.inGameSceneMaker = MakeInGameSceneMaker();
        m_Game = std::make_unique<CGameMain>(std::move(o));
    }
    ~CBenchGame() {
        m_Game.reset();
        CAppManager::SetHWnd(nullptr);
        GdiForgetWindow(m_Window.get());
    }
    CBenchGame(const CBenchGame&) = delete;
    CBenchGame& operator=(const CBenchGame&) = delete;
    CGameMain& Game() { return *m_Game; }
    CSceneManager& Scenes() { return m_Game->GetSceneManager(); }

    // One frame; its CPU time in ms (negative when the loop ended).
    double Frame() {
        const double t0 = CpuMs();
        const bool run = m_Game->RunFrame();
        const double t = CpuMs() - t0;
        for (CMouse::EButton b : m_Release) m_Game->GetMouse().ButtonUp(b);
        m_Release.clear();
        return run ? t : -1.0;
    }
    bool Frames(int n) {
        for (int i = 0; i < n; ++i) {
            if (Frame() < 0) return false;
        }
        return true;
    }
    // Frames timed into `out` while `more` holds, at most `limit`.
    void Measure(SFigures& out, int limit, const std::function<bool()>& more = {}) {
        for (int i = 0; i < limit && (!more || more()); ++i) {
            const double t = Frame();
            if (t < 0) return;
            out.ms.push_back(t);
        }
    }
    // The last frame drawn through the software device, as a BMP in the shots folder.
    void Shot(const std::string& name) {
        CScreenRenderer* r = m_Game->GetRenderer();
        CD3DDevice* device = r ? r->GetD3DDevice() : nullptr;
        if (g_Shots.empty() || !device) return;
        CD3DSurface target;
        device->GetRenderTarget(&target);
        const CGfxPixels& p = target.GetGfx()->Pixels();
        std::vector<uint32_t> argb;
        for (uint32_t y = 0; y < p.GetHeight(); ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(p.Row(y));
            argb.insert(argb.end(), row, row + p.GetWidth());
        }
        kit::WriteBytes(g_Shots + "/" + name + ".bmp",
                        kit::EncodeBmp24(argb, static_cast<int32_t>(p.GetWidth()), static_cast<int32_t>(p.GetHeight())));
    }
    void Click(int32_t x, int32_t y) {
        m_Game->GetMouse().Move(x, y);
        m_Game->GetMouse().ButtonDown(CMouse::kLeft);
        m_Release.push_back(CMouse::kLeft);
    }
    void Cut(int32_t scene) {
        Scenes().GoTo(scene);
        Scenes().Transition(0, 0);
    }

private:
    std::unique_ptr<CPlatformWindow> m_Window;
    kit::CStepClock m_Clock;
    std::unique_ptr<CGameMain> m_Game;
    std::vector<CMouse::EButton> m_Release;
};

// The stage and its screen change; then, from the running game, the saves the save
// screen is shown with.
void RunStage(std::vector<SFigures>& out, int frames, bool makeSaves) {
    CBenchGame g(true);
    g.Game().Begin(CGameMain::START_VIEWER, {kScript});
    g.Frames(30);
    SFigures stage{"stage", {}};
    g.Measure(stage, frames);
    out.push_back(stage);
    g.Shot("stage");

    g.Click(400, 300);
    g.Frames(10);
    g.Click(400, 300);
    g.Frame();
    SFigures wipe{"wipe", {}};
    // The screen change runs 60 frames; a few more show the stage after it.
    g.Measure(wipe, 30);
    g.Shot("wipe");
    g.Measure(wipe, 36);
    out.push_back(wipe);

    if (!makeSaves) return;
    g.Cut(kSaveScene);
    g.Frames(60);
    auto* screen = dynamic_cast<CSaveLoadScene*>(g.Scenes().GetCurrentScene());
    if (!screen) {
        std::printf("the save screen did not open: no saves made\n");
        return;
    }
    for (int s = 0; s < kSaves; ++s) {
        if (!screen->SaveToSlot(s)) std::printf("slot %d not saved\n", s + 1);
        if (screen->IsEditing()) screen->EndCommentEdit();
        g.Frames(2);
    }
}

void RunMenus(std::vector<SFigures>& out, int frames) {
    CBenchGame g(true);
    g.Game().Begin(CGameMain::START_SCENE, {}, kTitleScene);
    g.Frames(120);
    SFigures title{"title", {}};
    g.Measure(title, frames);
    out.push_back(title);
    g.Shot("title");

    g.Scenes().GoTo(kSaveScene);
    g.Scenes().Transition(1, 60);
    SFigures change{"transition", {}};
    // The transition begins in the first frame.
    g.Measure(change, 30);
    g.Shot("transition");
    g.Measure(change, 200, [&] { return g.Scenes().IsInTransition(); });
    out.push_back(change);

    g.Frames(60);
    SFigures save{"save", {}};
    g.Measure(save, frames);
    out.push_back(save);
    g.Shot("save");
}

// "stage" or "menus" runs that game alone (to profile it); empty runs both.
std::string g_Only;

void RunAll(const char* renderer, int frames, bool makeSaves) {
    std::vector<SFigures> figures;
    if (g_Only != "menus") RunStage(figures, frames, makeSaves);
    if (g_Only != "stage") RunMenus(figures, frames);
    for (const SFigures& f : figures) Report(renderer, f);
    std::fflush(stdout);
}

long PeakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Builds the game, starts it as the program does and draws the first frame.
int RunStartup(bool gdi, double t0, std::chrono::steady_clock::time_point w0) {
    CBenchGame g(true);
    g.Game().Begin(CGameMain::START_BOOT);
    g.Frame();
    const double cpu = CpuMs() - t0;
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - w0).count();
    std::printf("%-5s start-up to the first frame: cpu %.1f ms, wall %.1f ms; peak memory %ld kB\n",
                gdi ? "gdi" : "soft", cpu, wall, PeakKb());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool startup = false;
    bool gdi = false;
    bool soft = true;
    bool gdiRuns = true;
    int frames = 300;
    std::string data;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--startup") startup = true;
        else if (a == "--gdi") gdi = true;
        else if (a == "--gdi-only") soft = false;
        else if (a == "--soft-only") gdiRuns = false;
        else if (a == "--frames" && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
        else if (a == "--data" && i + 1 < argc) data = argv[++i];
        else if (a == "--shots" && i + 1 < argc) g_Shots = argv[++i];
        else if (a == "--only" && i + 1 < argc) g_Only = argv[++i];
    }
    SetDebugOutputEnabled(false);
    CRandom::SetDefaultSeedForTests(47);

    // The data folder: a fresh one written here, removed at the end; the child process
    // of the start-up reads the parent's.
    const bool own = data.empty();
    if (own) {
        std::random_device rd;
        data = (fs::temp_directory_path() / ("niwa_bench_" + std::to_string(rd()))).string() + "/";
        fs::create_directories(data);
        if (!WriteData(data)) {
            std::fprintf(stderr, "the demo data could not be written to %s\n", data.c_str());
            return 1;
        }
    }
    SetGameFolder(data);
    // Start-up counts from here: the program's start-up builds the blend tables and the
    // renderer factories too.
    const double t0 = CpuMs();
    const auto w0 = std::chrono::steady_clock::now();
    BuildBlendTables();
    InstallSoftwareScreenPath();
    int rc = 0;
    if (startup) {
        CScreenRendererProxy::SetForceGdi(gdi);
        rc = RunStartup(gdi, t0, w0);
    } else {
        for (bool g : {false, true}) {
            if ((g && !gdiRuns) || (!g && !soft)) continue;
            const std::string child = std::string(argv[0]) + " --startup --data '" + data + "'" + (g ? " --gdi" : "");
            if (std::system(child.c_str()) != 0) rc = 1;
        }
        if (soft) {
            CScreenRendererProxy::SetForceGdi(false);
            RunAll("soft", frames, true);
        }
        if (gdiRuns) {
            CScreenRendererProxy::SetForceGdi(true);
            RunAll("gdi", frames, !soft);
        }
    }
    if (own) {
        std::error_code ec;
        fs::remove_all(data, ec);
    }
    return rc;
}
