#include "engine/soft/screen/ChangeDisplayWin32API.h"

#include <mutex>

#include "engine/base/Log.h"
#include "engine/base/SystemInfo.h"
#include "platform/gdi/GdiDisplay.h"
#include "platform/sys/Time.h"

namespace {
std::mutex g_SleepMutex;
std::function<void(uint32_t)> g_Sleep;

SGdiDevMode _Mode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    SGdiDevMode mode;
    mode.fields = GDI_DM_BITSPERPEL | GDI_DM_PELSWIDTH | GDI_DM_PELSHEIGHT;
    mode.pelsWidth = static_cast<uint32_t>(width);
    mode.pelsHeight = static_cast<uint32_t>(height);
    mode.bitsPerPel = static_cast<uint32_t>(bitsPerPixel);
    return mode;
}
}  // namespace

void SetDisplayChangeSleep(std::function<void(uint32_t)> sleep) {
    std::lock_guard<std::mutex> lock(g_SleepMutex);
    g_Sleep = std::move(sleep);
}

void DisplayChangeSleep(uint32_t ms) {
    std::function<void(uint32_t)> sleep;
    {
        std::lock_guard<std::mutex> lock(g_SleepMutex);
        sleep = g_Sleep;
    }
    if (sleep) {
        sleep(ms);
    } else {
        PlatformSleepMs(ms);
    }
}

CChangeDisplayWin32API::~CChangeDisplayWin32API() { _Finalize(); }

void CChangeDisplayWin32API::_Finalize() {
    if (!m_Changed) return;
    if (GdiChangeDisplaySettings(nullptr, 0) != GDI_DISP_CHANGE_SUCCESSFUL) {
        DebugPrintf("CChangeDisplayWin32API::_Finalize() 後処理に失敗した");
        return;
    }
    m_Changed = false;
}

bool CChangeDisplayWin32API::ChangeDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (bitsPerPixel == 0) return Reset();
    DisplayChangeSleep(100);
    m_Changed = true;
    if (GetOSVersion()) {
        SGdiDevMode mode = _Mode(width, height, bitsPerPixel);
        mode.fields |= GDI_DM_DISPLAYFREQUENCY;
        mode.displayFrequency = static_cast<uint32_t>(GdiGetDisplayRefreshRate());
        if (GdiChangeDisplaySettings(&mode, GDI_CDS_FULLSCREEN) == GDI_DISP_CHANGE_SUCCESSFUL) {
            DisplayChangeSleep(200);
            return true;
        }
    }
    const SGdiDevMode mode = _Mode(width, height, bitsPerPixel);
    if (GdiChangeDisplaySettings(&mode, GDI_CDS_FULLSCREEN) != GDI_DISP_CHANGE_SUCCESSFUL) return false;
    DisplayChangeSleep(200);
    return true;
}

bool CChangeDisplayWin32API::TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (bitsPerPixel == 0) return true;
    if (bitsPerPixel == 15) bitsPerPixel = 16;
    DisplayChangeSleep(100);
    const SGdiDevMode mode = _Mode(width, height, bitsPerPixel);
    if (GdiChangeDisplaySettings(&mode, GDI_CDS_TEST) != GDI_DISP_CHANGE_SUCCESSFUL) return false;
    DisplayChangeSleep(200);
    return true;
}

bool CChangeDisplayWin32API::Reset() {
    if (!m_Changed) return true;
    if (GdiChangeDisplaySettings(nullptr, 0) != GDI_DISP_CHANGE_SUCCESSFUL) return false;
    m_Changed = false;
    return true;
}
