// The program's entry: hands the command line to the game's start-up.
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/AppBase.h"
#include "engine/base/AppManager.h"
#include "engine/base/CommandLine.h"
#include "engine/base/DebugWindow.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/MainLoopBase.h"
#include "engine/base/Thread.h"

namespace {

// Until the game object exists: the window with an empty frame loop (black frames).
class CEmptyApp : public CAppBase {
public:
    explicit CEmptyApp(int64_t frames) : m_Frames(frames) {}
    ~CEmptyApp() override { Stop(); }

protected:
    std::string GetWindowTitle() const override { return "Niwa"; }
    int MainProc() override {
        CMainLoopBase loop;
        CAppManager::SetMainLoop(&loop);
        int64_t ran = loop.Run(m_Frames);
        DebugPrintf("CEmptyApp::MainProc() %lldフレームで終了", static_cast<long long>(ran));
        return 0;
    }

private:
    int64_t m_Frames;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    SetCommandLineArgs(args);
    // --data <folder> points the game at a data folder other than its own;
    // --frames <n> ends after n frames (smoke runs without a display).
    int64_t frames = -1;
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--data") {
            SetGameFolder(args[i + 1]);
        } else if (args[i] == "--frames") {
            frames = std::strtoll(args[i + 1].c_str(), nullptr, 10);
        }
    }
    EnableLogFile(GetGameFolder() + "log.txt");
    DebugPrintf("起動しました");
    int result = 0;
    {
        CDebugWindow debugWindow;
        debugWindow.Start(HasCommandLineOption(CDebugWindow::kShowOption));
        CEmptyApp app(frames);
        if (!app.Run()) {
            DebugPrintf("main() ウィンドウを作成できません");
            app.RequestEnd();
            debugWindow.RequestEnd();
            result = 1;
        }
        // The main thread only waits: the game ends its window thread, which ends the others.
        CThreadList::Get().WaitAll();
    }
    DebugPrintf("終了しました");
    DisableLogFile();
    return result;
}
