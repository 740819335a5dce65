#pragma once
// The game application: the window thread builds the game object, starts its first
// scene and runs the frame loop until the window closes (or, for smoke runs, for a
// given number of frames).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/AppBase.h"
#include "game/core/GameMain.h"

class CGameApp : public CAppBase {
public:
    // The exit code (GetExitCode) of a run whose saves at exit were not all written.
    static constexpr int kSavesFailed = 1;

    struct SStart {
        CGameMain::EStart kind = CGameMain::START_BOOT;
        std::vector<std::string> scripts;  // the viewer's chosen scripts
        int32_t scene = 0;                 // the scene of START_SCENE
        int64_t frames = -1;               // negative: until the window closes
        bool visible = true;
    };

    CGameApp(SStart start, CGameMain::SOptions options = {});
    ~CGameApp() override;

    // Frames the last run ran.
    int64_t GetFramesRun() const { return m_FramesRun; }
    // The saves at exit that were not written (game paths), in writing order.
    const std::vector<std::string>& GetFailedSaves() const { return m_FailedSaves; }

    static constexpr const char* kTitle = "Niwa";

protected:
    std::string GetWindowTitle() const override { return kTitle; }
    bool IsWindowVisible() const override { return m_Start.visible; }
    int MainProc() override;

private:
    SStart m_Start;
    CGameMain::SOptions m_Options;
    int64_t m_FramesRun = 0;
    std::vector<std::string> m_FailedSaves;
};
