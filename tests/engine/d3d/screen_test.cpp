// The screen, its renderer proxy and the fallback, and the system report.
#include <gtest/gtest.h>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DManager.h"
#include "engine/d3d/D3DSystemInfo.h"
#include "engine/d3d/NullScreenRenderer.h"
#include "engine/d3d/Screen.h"
#include "platform/window/PlatformWindow.h"
#include "tests/engine/d3d/D3DTestUtil.h"
#include "tests/support/TestSupport.h"

namespace {

// Stands in for the GDI renderer the software path will install: draws nothing and
// succeeds, as the null renderer, under the GDI kind.
class CFakeGdiRenderer : public CNullScreenRenderer {
public:
    EKind GetKind() const override { return KIND_GDI; }
};

struct SProxyReset {
    ~SProxyReset() {
        CScreenRendererProxy::SetGdiRendererFactory(nullptr);
        CScreenRendererProxy::SetForceGdi(false);
    }
};

}  // namespace

TEST(Screen, DrawsThroughTheDeviceAndRegistersItself) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    {
        CScreen screen;
        EXPECT_EQ(CAppManager::GetScreen(), &screen);
        ASSERT_TRUE(screen.Create(nullptr, true, "info.txt"));
        EXPECT_TRUE(screen.UsesDirect3D());
        CScreenRenderer* r = screen.GetRenderer();
        ASSERT_NE(r, nullptr);
        CD3DDevice* device = r->GetD3DDevice();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(CAppManager::GetD3DDevice(), device);
        // One frame: clear, begin, end, present.
        EXPECT_TRUE(r->Clear(0xFF102030u));
        EXPECT_TRUE(r->BeginScene());
        EXPECT_TRUE(r->SetTextureFilter(2, 2));
        EXPECT_EQ(device->GetTextureStageState(0, GFX_TSS_MAGFILTER), GFX_TEXF_LINEAR);
        const SGfxVertex v[4] = {{-0.5f, -0.5f, 0, 1, 0x80FFFFFFu, 0, 0},
                                 {1.5f, -0.5f, 0, 1, 0x80FFFFFFu, 0, 0},
                                 {-0.5f, 0.5f, 0, 1, 0x80FFFFFFu, 0, 0},
                                 {1.5f, 0.5f, 0, 1, 0x80FFFFFFu, 0, 0}};
        EXPECT_TRUE(r->DrawPrimitive(nullptr, GFX_PT_TRIANGLESTRIP, 2, v));
        EXPECT_TRUE(r->EndScene());
        EXPECT_TRUE(r->Present());
        auto bb = d3dtest::ReadBackBuffer(*device);
        EXPECT_EQ(bb[1], 0x889098u);  // half white over the clear colour
        EXPECT_EQ(bb[800], 0x102030u);
        // Lost device: reported, then restored by the frame loop's reset.
        device->GetDevice()->SimulateDeviceLost();
        EXPECT_TRUE(r->IsDeviceLost());
        EXPECT_FALSE(r->SetTextureFilter(1, 1));
        EXPECT_TRUE(r->RestoreDevice());
        EXPECT_FALSE(r->IsDeviceLost());
        EXPECT_TRUE(r->SetWindowed(false));
        EXPECT_FALSE(device->IsWindowed());
    }
    EXPECT_EQ(CAppManager::GetScreen(), nullptr);
    EXPECT_EQ(CAppManager::GetD3DDevice(), nullptr);
    EXPECT_EQ(CD3DManager::Get().GetCount(), 0u);
    std::vector<uint8_t> info;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "info.txt", &info));
    std::string text(info.begin(), info.end());
    EXPECT_NE(text.find("レンダラ: Direct3D\r\n"), std::string::npos);
    EXPECT_NE(text.find("使用するテクスチャサイズの上限: 1024 x 1024\r\n"), std::string::npos);
    EXPECT_NE(text.find("ビデオドライバ: "), std::string::npos);
    EXPECT_NE(text.find("CPU拡張命令:"), std::string::npos);
}

TEST(Screen, RefusedDeviceFallsToTheRendererThatDrawsNothing) {
    d3dtest::SGfxHooks hooks;
    SProxyReset reset;
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    CGfxSystem::SetRefuseDevicesForTesting(true);
    CLogCapture log;
    CScreen screen;
    ASSERT_TRUE(screen.Create(nullptr, true, "info.txt"));
    EXPECT_FALSE(screen.UsesDirect3D());
    CScreenRenderer* r = screen.GetRenderer();
    EXPECT_EQ(r->GetKind(), CScreenRenderer::KIND_NONE);
    EXPECT_EQ(r->GetD3DDevice(), nullptr);
    EXPECT_EQ(CAppManager::GetD3DDevice(), nullptr);
    EXPECT_TRUE(r->Clear(0xFF000000u));
    EXPECT_TRUE(r->SetTextureFilter(1, 1));
    EXPECT_TRUE(r->BeginScene());
    EXPECT_TRUE(r->EndScene());
    EXPECT_TRUE(r->Present());
    EXPECT_FALSE(r->IsDeviceLost());
    EXPECT_TRUE(log.Contains("CD3DDevice::Create() CreateDevice(D3DDEVTYPE_REF)に失敗[APIReturnValue:D3DERR_NOTAVAILABLE]"));
    EXPECT_TRUE(log.Contains("CScreenRendererProxy::Initialize()"));
    std::vector<uint8_t> info;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "info.txt", &info));
    std::string text(info.begin(), info.end());
    EXPECT_NE(text.find("デバイス: なし"), std::string::npos);
}

TEST(Screen, RefusedDeviceFallsToTheGdiRendererWhenOneIsInstalled) {
    d3dtest::SGfxHooks hooks;
    SProxyReset reset;
    CScreenRendererProxy::SetGdiRendererFactory([] { return std::make_unique<CFakeGdiRenderer>(); });
    CGfxSystem::SetRefuseDevicesForTesting(true);
    CScreen screen;
    ASSERT_TRUE(screen.Create(nullptr, true, ""));
    EXPECT_EQ(screen.GetRenderer()->GetKind(), CScreenRenderer::KIND_GDI);
    EXPECT_FALSE(screen.UsesDirect3D());
}

TEST(Screen, ForcedGdiSkipsTheDevice) {
    SProxyReset reset;
    CScreenRendererProxy::SetForceGdi(true);
    CScreen screen;
    ASSERT_TRUE(screen.Create(nullptr, true, ""));
    EXPECT_FALSE(screen.UsesDirect3D());
    EXPECT_EQ(CD3DManager::Get().GetCount(), 0u);
}

TEST(Screen, PresentsIntoAWindow) {
    auto window = CPlatformWindow::Create("d3d test", 800, 600, false);
    if (!window) GTEST_SKIP() << "no video driver";
    {
        CScreen screen;
        ASSERT_TRUE(screen.Create(window.get(), true, ""));
        ASSERT_TRUE(screen.UsesDirect3D());
        EXPECT_EQ(CD3DManager::Get().Find(window.get()), screen.GetRenderer()->GetD3DDevice());
        CScreenRenderer* r = screen.GetRenderer();
        EXPECT_TRUE(r->Clear(0xFF000000u));
        EXPECT_TRUE(r->BeginScene());
        EXPECT_TRUE(r->EndScene());
        EXPECT_TRUE(r->Present());
    }
    EXPECT_EQ(CD3DManager::Get().Find(window.get()), nullptr);
}
