// The device wrapper: creation and the manager, failure log lines, the state cache,
// capabilities, lost device and restore.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DManager.h"
#include "engine/d3d/D3DTexture.h"
#include "engine/d3d/D3DVertexBuffer.h"
#include "tests/engine/d3d/D3DTestUtil.h"

TEST(D3DDevice, CreatesOnePerWindowAndTheManagerRefusesASecond) {
    CD3DDevice a;
    ASSERT_TRUE(a.Create(nullptr));
    EXPECT_EQ(a.GetDeviceType(), GFX_DEVTYPE_HAL);
    EXPECT_EQ(CD3DManager::Get().Find(nullptr), &a);
    CLogCapture log;
    CD3DDevice b;
    EXPECT_FALSE(b.Create(nullptr));
    EXPECT_FALSE(b.IsCreated());
    EXPECT_TRUE(log.Contains("CD3DManager::Register() このウィンドウのデバイスは作成済みです"));
    // Another window is another key.
    auto fakeWindow = reinterpret_cast<WindowHandle>(static_cast<uintptr_t>(0x10));
    CD3DDevice c;
    EXPECT_TRUE(c.Create(fakeWindow));
    EXPECT_EQ(CD3DManager::Get().GetCount(), 2u);
    c.Destroy();
    a.Destroy();
    EXPECT_EQ(CD3DManager::Get().GetCount(), 0u);
    EXPECT_TRUE(b.Create(nullptr));
}

TEST(D3DDevice, ReportsDevicesStillAliveAtTheEnd) {
    CD3DDevice a;
    ASSERT_TRUE(a.Create(nullptr));
    CLogCapture log;
    EXPECT_EQ(CD3DManager::Get().ReportLiveDevices(), 1u);
    EXPECT_TRUE(log.Contains("CD3DManager::~CD3DManager() 解放されていないデバイスがあります"));
}

TEST(D3DDevice, RefusedCreationLogsEveryAttempt) {
    d3dtest::SGfxHooks hooks;
    CGfxSystem::SetRefuseDevicesForTesting(true);
    CLogCapture log;
    CD3DDevice a;
    EXPECT_FALSE(a.Create(nullptr));
    EXPECT_TRUE(log.Contains("CD3DDevice::Create() CreateDevice(D3DDEVTYPE_HAL)に失敗[APIReturnValue:D3DERR_NOTAVAILABLE]"));
    EXPECT_TRUE(log.Contains("CD3DDevice::Create() CreateDevice(D3DDEVTYPE_SW)に失敗[APIReturnValue:D3DERR_NOTAVAILABLE]"));
    EXPECT_TRUE(log.Contains("CD3DDevice::Create() CreateDevice(D3DDEVTYPE_REF)に失敗[APIReturnValue:D3DERR_NOTAVAILABLE]"));
    EXPECT_EQ(CD3DManager::Get().Find(nullptr), nullptr);
}

TEST(D3DDevice, FailedCallsAreLoggedWithTheErrorName) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CGfxDevice* g = d.GetDevice();
    CLogCapture log;
    g->InjectFailure(EGfxCall::Present, GFX_E_INVALIDCALL);
    EXPECT_FALSE(d.Present());
    EXPECT_TRUE(log.Contains("CD3DDevice::Present() Present()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
    g->InjectFailure(EGfxCall::BeginScene, GFX_E_DRIVERINTERNALERROR);
    EXPECT_FALSE(d.BeginScene());
    EXPECT_TRUE(log.Contains("CD3DDevice::BeginScene() BeginScene()に失敗[APIReturnValue:D3DERR_DRIVERINTERNALERROR]"));
    g->InjectFailure(EGfxCall::Clear, GFX_E_INVALIDCALL);
    EXPECT_FALSE(d.Clear(0xFF000000u));
    EXPECT_TRUE(log.Contains("CD3DDevice::Clear() Clear()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
    g->InjectFailure(EGfxCall::CreateTexture, GFX_E_OUTOFVIDEOMEMORY);
    CD3DTexture t;
    EXPECT_FALSE(t.Create(&d, 16, 16));
    EXPECT_FALSE(t.Exists());
    EXPECT_TRUE(log.Contains("CD3DDevice::CreateTexture() CreateTexture()に失敗[APIReturnValue:D3DERR_OUTOFVIDEOMEMORY]"));
    g->InjectFailure(EGfxCall::DrawPrimitiveUP, GFX_E_INVALIDCALL);
    ASSERT_TRUE(t.Create(&d, 4, 4));
    EXPECT_FALSE(t.DrawAt(0, 0));
    EXPECT_TRUE(log.Contains("CD3DDevice::DrawPrimitiveUP() DrawPrimitiveUP()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
}

TEST(D3DDevice, SetTextureFilterSkipsHeldValuesAndLogsTheFailingState) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CGfxDevice* g = d.GetDevice();
    CLogCapture log;
    // Point is held already: nothing reaches the device, so the failure stays pending.
    g->InjectFailure(EGfxCall::SetTextureStageState, GFX_E_INVALIDCALL);
    EXPECT_TRUE(d.SetTextureFilter(0, GFX_TEXF_POINT, GFX_TEXF_POINT));
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_FALSE(d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_POINT));
    EXPECT_TRUE(log.Contains("CD3DDevice::SetTextureFilter() SetTextureStageState(D3DTSS_MINFILTER)に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
    log.Clear();
    // Minification now goes through; magnification fails.
    EXPECT_TRUE(d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_POINT));
    g->InjectFailure(EGfxCall::SetTextureStageState, GFX_E_INVALIDCALL);
    EXPECT_FALSE(d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_ANISOTROPIC));
    EXPECT_TRUE(log.Contains("CD3DDevice::SetTextureFilter() SetTextureStageState(D3DTSS_MAGFILTER)に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_MINFILTER), GFX_TEXF_LINEAR);
    EXPECT_TRUE(d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_ANISOTROPIC));
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_MAGFILTER), GFX_TEXF_ANISOTROPIC);
    // Lost: false, nothing set.
    g->SimulateDeviceLost();
    EXPECT_FALSE(d.SetTextureFilter(0, GFX_TEXF_POINT, GFX_TEXF_POINT));
    CD3DDevice none;
    EXPECT_FALSE(none.SetTextureFilter(0, GFX_TEXF_POINT, GFX_TEXF_POINT));
}

TEST(D3DDevice, AddressModesAndEngineDefaults) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    EXPECT_EQ(d.GetRenderState(GFX_RS_CULLMODE), GFX_CULL_NONE);
    EXPECT_EQ(d.GetRenderState(GFX_RS_ALPHABLENDENABLE), 1u);
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_ADDRESSU), GFX_TADDRESS_CLAMP);
    EXPECT_TRUE(d.SetTextureAddressMode(0, GFX_TADDRESS_WRAP, GFX_TADDRESS_CLAMP));
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_ADDRESSU), GFX_TADDRESS_WRAP);
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_ADDRESSV), GFX_TADDRESS_CLAMP);
    CLogCapture log;
    d.GetDevice()->InjectFailure(EGfxCall::SetTextureStageState, GFX_E_INVALIDCALL);
    EXPECT_FALSE(d.SetTextureAddressMode(0, GFX_TADDRESS_CLAMP, GFX_TADDRESS_CLAMP));
    EXPECT_TRUE(log.Contains("CD3DDevice::SetTextureAddressMode() SetTextureStageState(D3DTSS_ADDRESSU)に失敗"));
}

TEST(D3DDevice, CapsNeverReportMoreThan1024) {
    d3dtest::SGfxHooks hooks;
    CGfxSystem::SetDefaultMaxTextureSizeForTesting(4096);
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    EXPECT_EQ(d.GetCaps().GetMaxTextureWidth(), 1024u);
    EXPECT_EQ(d.GetCaps().GetMaxTextureHeight(), 1024u);
    EXPECT_EQ(d.GetCaps().GetRaw().maxTextureWidth, 4096u);
    d.Destroy();
    CGfxSystem::SetDefaultMaxTextureSizeForTesting(256);
    ASSERT_TRUE(d.Create(nullptr));
    EXPECT_EQ(d.GetCaps().GetMaxTextureWidth(), 256u);
    EXPECT_EQ(d.GetCaps().FitTextureSize(300, true), 0u);
    CD3DDeviceCaps empty;
    EXPECT_EQ(empty.GetMaxTextureWidth(), 0u);
}

TEST(D3DDevice, LostDeviceResetRestoresEveryResource) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DTexture managed, target;
    ASSERT_TRUE(managed.Create(&d, 2, 2));
    SGfxLockedRect lr;
    ASSERT_TRUE(managed.Lock(&lr));
    static_cast<uint32_t*>(lr.bits)[0] = 0xFF336699u;
    managed.Unlock();
    ASSERT_TRUE(target.CreateRenderTarget(&d, 8, 8));
    int restored = 0;
    target.SetRestoreCallback([&](CD3DTexture& t) {
        ++restored;
        return t.Exists();
    });
    CD3DVertexBuffer dynamicVb;
    ASSERT_TRUE(dynamicVb.Create(&d, 4, GFX_FVF_TLVERTEX, sizeof(SGfxVertex), GFX_POOL_DEFAULT));
    d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR);

    d.GetDevice()->SimulateDeviceLost();
    EXPECT_TRUE(d.IsLost());
    CLogCapture log;
    EXPECT_FALSE(d.Present());
    EXPECT_FALSE(d.Present());
    EXPECT_EQ(log.Count(), 1u);  // said once per loss
    EXPECT_TRUE(log.Contains("CD3DDevice::Present() Present()に失敗[APIReturnValue:D3DERR_DEVICELOST]"));

    ASSERT_TRUE(d.ResetDevice());
    EXPECT_FALSE(d.IsLost());
    EXPECT_TRUE(d.Present());
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(target.Exists());
    EXPECT_FALSE(target.IsContentLost());  // its callback refilled it
    EXPECT_TRUE(dynamicVb.Exists());
    EXPECT_TRUE(dynamicVb.IsContentLost());
    ASSERT_TRUE(managed.Lock(&lr));
    EXPECT_EQ(static_cast<uint32_t*>(lr.bits)[0], 0xFF336699u);
    managed.Unlock();
    // The engine's states are back, the cache knows it.
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_MINFILTER), GFX_TEXF_POINT);
    EXPECT_EQ(d.GetRenderState(GFX_RS_CULLMODE), GFX_CULL_NONE);
    EXPECT_TRUE(d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR));
    EXPECT_EQ(d.GetTextureStageState(0, GFX_TSS_MINFILTER), GFX_TEXF_LINEAR);
}

TEST(D3DDevice, ResetFailsWhileADefaultSurfaceIsHeldAndSucceedsLater) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DTexture target;
    ASSERT_TRUE(target.CreateRenderTarget(&d, 4, 4));
    CD3DSurface held;
    ASSERT_TRUE(target.GetSurface(&held));
    d.GetDevice()->SimulateDeviceLost();
    CLogCapture log;
    EXPECT_FALSE(d.ResetDevice());
    EXPECT_TRUE(log.Contains("CD3DDevice::ResetDevice() Reset()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
    EXPECT_FALSE(target.Exists());
    held.Release();
    EXPECT_TRUE(d.ResetDevice());
    EXPECT_TRUE(target.Exists());
    EXPECT_TRUE(target.IsContentLost());
}

TEST(D3DDevice, ResourcesOutlivingTheDeviceAreSafe) {
    CD3DTexture t;
    CD3DVertexBuffer vb;
    {
        CD3DDevice d;
        ASSERT_TRUE(d.Create(nullptr));
        ASSERT_TRUE(t.Create(&d, 4, 4));
        ASSERT_TRUE(vb.Create(&d, 4));
        EXPECT_EQ(d.GetResourceCount(), 2u);
    }
    EXPECT_FALSE(t.Exists());
    EXPECT_FALSE(vb.Exists());
    EXPECT_FALSE(t.DrawAt(0, 0));
    t.Release();
}
