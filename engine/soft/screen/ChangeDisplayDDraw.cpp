#include "engine/soft/screen/ChangeDisplayDDraw.h"

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/soft/DirectDraw.h"

CChangeDisplayDDraw::CChangeDisplayDDraw() : m_Window(CAppManager::GetHWnd()) {
    if (!m_Window) {
        DebugPrintf("CChangeDisplayDDraw::CChangeDisplayDDraw() CAppManager::GetHWnd()に失敗.以後Win32APIを使用します");
        return;
    }
    m_DirectDraw = CDirectDrawManager::GetInstance()->Find(m_Window);
    if (!m_DirectDraw) {
        DebugPrintf(
            "CChangeDisplayDDraw::CChangeDisplayDDraw() DirectDrawインターフェースを取得できません.以後Win32APIを使用します");
    }
}

CChangeDisplayDDraw::~CChangeDisplayDDraw() {
    if (m_Changed && m_DirectDraw) Reset();
}

bool CChangeDisplayDDraw::ChangeDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (!m_DirectDraw) return m_Fallback.ChangeDisplay(width, height, bitsPerPixel);
    // The object may have gone with its window since: never the stored pointer.
    CDirectDraw* dd = CDirectDrawManager::GetInstance()->Find(m_Window);
    if (!dd) return false;
    if (bitsPerPixel == 0) return Reset();
    DisplayChangeSleep(100);
    m_Changed = true;
    if (!dd->SetCooperativeLevel(kFullScreenLevel)) {
        DebugPrintf("CChangeDisplayDDraw::ChangeDisplay() SetCooperativeLevelに失敗");
        return false;
    }
    if (!dd->SetDisplayMode(width, height, bitsPerPixel, 0)) {
        DebugPrintf("CChangeDisplayDDraw::ChangeDisplay() SetDisplayModeに失敗");
        return false;
    }
    DisplayChangeSleep(200);
    return true;
}

bool CChangeDisplayDDraw::Reset() {
    if (!m_DirectDraw) return m_Fallback.Reset();
    if (!m_Changed) return true;
    CDirectDraw* dd = CDirectDrawManager::GetInstance()->Find(m_Window);
    if (!dd) return false;
    DisplayChangeSleep(100);
    m_Changed = false;
    if (!dd->RestoreDisplayMode()) {
        DebugPrintf("CChangeDisplayDDraw::Reset() RestoreDisplayModeに失敗");
        return false;
    }
    if (!dd->SetCooperativeLevel(kNormalLevel)) {
        DebugPrintf("CChangeDisplayDDraw::Reset() SetCooperativeLevelに失敗");
        return false;
    }
    DisplayChangeSleep(200);
    return true;
}

bool CChangeDisplayDDraw::TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return m_Fallback.TestDisplayMode(width, height, bitsPerPixel);
}

bool CChangeDisplayDDraw::IsChanged() const { return m_DirectDraw ? m_Changed : m_Fallback.IsChanged(); }
