#include "game/core/GameApp.h"

#include "engine/base/Log.h"

CGameApp::CGameApp(SStart start, CGameMain::SOptions options)
    : m_Start(std::move(start)), m_Options(std::move(options)) {}

CGameApp::~CGameApp() { Stop(); }

int CGameApp::MainProc() {
    CGameMain game(m_Options);
    game.Begin(m_Start.kind, m_Start.scripts, m_Start.scene);
    m_FramesRun = game.Run(m_Start.frames);
    DebugPrintf("CGameApp::MainProc() %lldフレームで終了", static_cast<long long>(m_FramesRun));
    const bool written = game.Shutdown();
    m_FailedSaves = game.GetFailedExitSaves();
    return written ? 0 : kSavesFailed;
}
