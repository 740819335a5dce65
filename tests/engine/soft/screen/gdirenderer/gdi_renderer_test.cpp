// The GDI renderer behind the renderer proxy: clear, present, and the frame buffer as
// the software output.
#include <gtest/gtest.h>

#include "engine/base/AppManager.h"
#include "engine/base/Window.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "platform/gdi/GdiDisplay.h"
#include "platform/gdi/GdiWindow.h"
#include "platform/window/PlatformWindow.h"

namespace {

TEST(GdiScreenRenderer, TheProxyFallsBackToItAndItPresentsTheFrame) {
    GdiResetDisplay();
    std::unique_ptr<CPlatformWindow> window = CPlatformWindow::Create("renderer", 40, 30, false);
    ASSERT_NE(window, nullptr);
    CAppManager::SetHWnd(window.get());
    InstallSoftwareScreenPath();
    CScreenRendererProxy::SetForceGdi(true);
    {
        CScreenRendererProxy proxy;
        ASSERT_TRUE(proxy.Initialize(window.get(), true));
        ASSERT_EQ(proxy.GetKind(), CScreenRenderer::KIND_GDI);
        CGdiScreen* screen = CGdiScreen::FromOutput(proxy.GetSoftwareOutput());
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(CAppManager::GetScreenOutput(), screen);
        EXPECT_TRUE(proxy.Clear(0xFF102030));
        EXPECT_TRUE(proxy.BeginScene());
        screen->GetFrameBuffer()->Fill(0x00FFFFFF, SRect{1, 1, 3, 3});
        EXPECT_TRUE(proxy.EndScene());
        EXPECT_TRUE(proxy.Present());
        const SGdiPixels picture = GdiGetWindowPicture(window.get());
        ASSERT_TRUE(picture.IsValid());
        EXPECT_EQ(GdiReadPixel(picture.Row(0), picture.format), 0x00102030u);
        EXPECT_EQ(GdiReadPixel(picture.Row(2) + 2 * 4, picture.format), 0x00FFFFFFu);
        EXPECT_FALSE(proxy.DrawPrimitive(nullptr, 5, 2, nullptr));
        EXPECT_FALSE(proxy.IsDeviceLost());
    }
    EXPECT_EQ(CAppManager::GetScreenOutput(), nullptr);
    CScreenRendererProxy::SetForceGdi(false);
    CScreenRendererProxy::SetGdiRendererFactory(nullptr);
    CWindow::SetDisplayChangerFactory(nullptr);
    CAppManager::SetHWnd(nullptr);
    GdiForgetWindow(window.get());
}

TEST(GdiScreenRenderer, NoWindowNoRenderer) {
    CGdiScreenRenderer renderer;
    EXPECT_FALSE(renderer.Initialize(nullptr, true));
    EXPECT_FALSE(renderer.Present());
    EXPECT_EQ(renderer.GetSoftwareOutput(), nullptr);
}

}  // namespace
