#include "game/core/GameStartup.h"

#include <cstdlib>

#include "engine/base/CommandLine.h"
#include "engine/base/DebugWindow.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/base/SingleInstance.h"
#include "engine/base/Thread.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "game/core/GameApp.h"
#include "game/core/ScriptChooser.h"
#include "platform/sys/Process.h"

bool IsDeveloperStartScene(int32_t id) { return id >= 26 && id <= 29; }

namespace {

// The id of a --scene value: the whole text a decimal number of a developer scene; 0 otherwise.
int32_t ParseStartScene(const std::string& text) {
    if (text.empty() || text.size() > 9) return 0;
    char* end = nullptr;
    const long id = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || !IsDeveloperStartScene(static_cast<int32_t>(id))) return 0;
    return static_cast<int32_t>(id);
}

}  // namespace

SGameCommandLine ParseGameCommandLine(const std::vector<std::string>& args) {
    SGameCommandLine out;
    if (!args.empty()) {
        out.gameArgs.push_back(args[0]);
    }
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--data" || a == "--frames" || a == "--seed") && i + 1 < args.size()) {
            if (a == "--data") {
                out.dataFolder = args[i + 1];
            } else if (a == "--seed") {
                out.seed = static_cast<uint32_t>(std::strtoul(args[i + 1].c_str(), nullptr, 10));
            } else {
                out.frames = std::strtoll(args[i + 1].c_str(), nullptr, 10);
            }
            ++i;
        } else if (a == "--scene") {
            // A missing value is refused without taking the next option as one.
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) out.sceneArg = args[++i];
            out.scene = ParseStartScene(out.sceneArg);
            out.sceneRefused = out.scene == 0;
        } else if (a.rfind("--", 0) == 0) {
            out.debugWindow = out.debugWindow || a == CDebugWindow::kShowOption;
            out.movie = out.movie || a == "--movie";
        } else {
            out.gameArgs.push_back(a);
        }
    }
    out.viewer = out.gameArgs.size() > 1 && out.gameArgs[1] == "viewer";
    if (out.viewer) {
        out.viewerScripts.assign(out.gameArgs.begin() + 2, out.gameArgs.end());
    }
    return out;
}

int RunGame(const std::vector<std::string>& args, const SGameParts& parts) {
    const SGameCommandLine cmd = ParseGameCommandLine(args);
    // What the game reads of its command line later (the script-tool arguments) is the
    // game's own part: this build's options are no script names.
    SetCommandLineArgs(cmd.gameArgs);
    if (!cmd.dataFolder.empty()) {
        SetGameFolder(cmd.dataFolder);
    }
    // A repeatable run (the scripted playthrough): set before any generator is built.
    if (cmd.seed != 0) CRandom::SetDefaultSeedForTests(cmd.seed);
    GetScriptToolLink().Open(cmd.gameArgs);

    CSingleInstance instance;
    if (!instance.Acquire(PlatformGetProgramPath())) {
        return 0;
    }
    if (!CheckDesktopColorDepth()) {
        return 0;
    }
    EnableLogFile(GetGameFolder() + "log.txt");
    DebugPrintf("起動しました");
    BuildBlendTables();
    InstallSoftwareScreenPath();

    CGameApp::SStart start;
    start.frames = cmd.frames;
    if (cmd.viewer) {
        start.kind = CGameMain::START_VIEWER;
        start.scripts = cmd.viewerScripts;
        if (start.scripts.empty()) {
            CScriptChooser chooser(CScriptChooser::ListScripts());
            if (!chooser.Choose(&start.scripts)) {
                DebugPrintf("RunGame() スクリプトが選択されなかったので終了します");
                DisableLogFile();
                return 0;
            }
        }
        for (const std::string& s : start.scripts) {
            DebugPrintf("RunGame() ビューア再生:%s", s.c_str());
        }
    } else if (GetScriptToolLink().IsConnected()) {
        start.kind = CGameMain::START_TOOL;
    } else if (cmd.scene != 0) {
        start.kind = CGameMain::START_SCENE;
        start.scene = cmd.scene;
        DebugPrintf("RunGame() シーン%dから開始します", cmd.scene);
    }
    if (cmd.sceneRefused) {
        DebugPrintf("RunGame() --scene [%s] は開けません（開けるのは26から29）", cmd.sceneArg.c_str());
    }
    CGameMain::SOptions options;
    options.inGameSceneMaker = parts.inGameSceneMaker;
    if (cmd.movie) {
        if (parts.movieSceneMaker) {
            options.inGameSceneMaker = parts.movieSceneMaker;
            start.kind = CGameMain::START_SCENE;
            start.scene = CGameMain::kKeptInGameScene;
        } else {
            DebugPrintf("RunGame() --movie はこの実行ファイルでは使えません");
        }
    }

    int result = 0;
    {
        CDebugWindow debugWindow;
        debugWindow.Start(cmd.debugWindow);
        CGameApp app(start, options);
        if (!app.Run()) {
            DebugPrintf("RunGame() ウィンドウを作成できません");
            app.RequestEnd();
            debugWindow.RequestEnd();
            result = 1;
        }
        // The main thread only waits: the game ends its window thread, which ends the others.
        CThreadList::Get().WaitAll();
    }
    DebugPrintf("終了しました");
    DisableLogFile();
    instance.Release();
    return result;
}
