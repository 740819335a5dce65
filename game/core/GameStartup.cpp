#include "game/core/GameStartup.h"

#include <cstdlib>

#include "engine/base/CommandLine.h"
#include "engine/base/DebugWindow.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/base/SingleInstance.h"
#include "engine/base/Thread.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "game/core/GameApp.h"
#include "game/core/ScriptChooser.h"
#include "platform/sys/Process.h"

SGameCommandLine ParseGameCommandLine(const std::vector<std::string>& args) {
    SGameCommandLine out;
    out.viewer = args.size() > 1 && args[1] == "viewer";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--data" || a == "--frames") && i + 1 < args.size()) {
            if (a == "--data") {
                out.dataFolder = args[i + 1];
            } else {
                out.frames = std::strtoll(args[i + 1].c_str(), nullptr, 10);
            }
            ++i;
        } else if (a.rfind("--", 0) == 0) {
            continue;
        } else if (out.viewer && i >= 2) {
            out.viewerScripts.push_back(a);
        }
    }
    return out;
}

int RunGame(const std::vector<std::string>& args) {
    SetCommandLineArgs(args);
    const SGameCommandLine cmd = ParseGameCommandLine(args);
    if (!cmd.dataFolder.empty()) {
        SetGameFolder(cmd.dataFolder);
    }
    GetScriptToolLink().Open(args);

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
    }

    int result = 0;
    {
        CDebugWindow debugWindow;
        debugWindow.Start(HasCommandLineOption(CDebugWindow::kShowOption));
        CGameApp app(start);
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
