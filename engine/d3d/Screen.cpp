#include "engine/d3d/Screen.h"

#include "engine/base/AppManager.h"
#include "engine/d3d/D3DSystemInfo.h"

CScreen::CScreen() { CAppManager::RegisterScreen(this); }

CScreen::~CScreen() { CAppManager::UnregisterScreen(this); }

bool CScreen::Create(WindowHandle window, bool windowed, const std::string& reportPath) {
    if (!window) {
        window = CAppManager::GetHWnd();
    }
    bool ok = m_Renderer.Initialize(window, windowed);
    m_Created = ok;
    if (!reportPath.empty()) {
        WriteSystemInfo(reportPath, &m_Renderer);
    }
    return ok;
}
