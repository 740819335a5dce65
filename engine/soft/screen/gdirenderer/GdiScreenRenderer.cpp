#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"

#include "engine/base/AppBase.h"
#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/screen/DisplayChangerFactory.h"

CGdiScreenRenderer::~CGdiScreenRenderer() = default;

bool CGdiScreenRenderer::Initialize(WindowHandle window, bool) {
    m_Screen.reset();
    if (!window) {
        DebugPrintf("CGdiScreenRenderer::Initialize() ウィンドウがありません");
        return false;
    }
    CAppBase* app = CAppManager::GetApp(0);
    CWindow* appWindow = (app && app->GetHWnd() == window) ? app->GetWindow() : nullptr;
    m_Screen = std::make_unique<CGdiWindowScreen>(window, appWindow);
    if (!m_Screen->GetFrameBuffer()->IsCreated()) {
        DebugPrintf("CGdiScreenRenderer::Initialize() フレームバッファを作成できません");
        m_Screen.reset();
        return false;
    }
    return true;
}

bool CGdiScreenRenderer::Clear(uint32_t argb) {
    if (!m_Screen) return false;
    // ARGB to a COLORREF (red into the low byte); the alpha byte is dropped.
    m_Screen->GetFrameBuffer()->Clear(ColorToColorRef(argb));
    return true;
}

bool CGdiScreenRenderer::Present() {
    if (!m_Screen) return false;
    m_LastUpdate = m_Screen->Update();
    return m_LastUpdate != 0;
}

bool CGdiScreenRenderer::DrawPrimitive(const CD3DTexture*, uint32_t, uint32_t, const SGfxVertex*) {
    if (!m_PrimitiveReported) {
        m_PrimitiveReported = true;
        DebugPrintf("CGdiScreenRenderer::DrawPrimitive() GDI出力ではプリミティブを描画できません");
    }
    return false;
}

void InstallSoftwareScreenPath() {
    CScreenRendererProxy::SetGdiRendererFactory([] { return std::make_unique<CGdiScreenRenderer>(); });
    InstallDisplayChangerFactory();
}
