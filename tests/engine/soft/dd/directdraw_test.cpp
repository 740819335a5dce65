// The DirectDraw objects, the surface wrapper and the DirectDraw-backed surface, with
// every failure path reached through the stand-in's faults.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/soft/DDSurface.h"
#include "engine/soft/DirectDraw.h"
#include "engine/soft/DirectDrawSurface.h"
#include "engine/soft/SoftSurfaceProxy.h"
#include "engine/soft/SurfaceRegistry.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/GdiDisplay.h"

namespace {

WindowHandle Fake(uintptr_t n) { return reinterpret_cast<WindowHandle>(n * 0x1000); }

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        DDrawResetFaults();
        GdiResetDisplay();
    }
    void TearDown() override {
        CDirectDrawManager::GetInstance()->Release(Fake(1));
        CDirectDrawManager::GetInstance()->Release(Fake(2));
        DDrawResetFaults();
        GdiResetDisplay();
    }
    CDirectDraw* Object(uintptr_t n = 1) {
        CDirectDrawManager::GetInstance()->Initialize(Fake(n));
        return CDirectDrawManager::GetInstance()->Find(Fake(n));
    }
};

TEST_F(DirectDrawTest, ManagerKeepsOneObjectPerWindow) {
    CLogCapture log;
    CDirectDrawManager* m = CDirectDrawManager::GetInstance();
    ASSERT_TRUE(m->Initialize(Fake(1)));
    CDirectDraw* first = m->Find(Fake(1));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->GetClipper(), nullptr);
    EXPECT_FALSE(m->Initialize(Fake(1)));
    EXPECT_TRUE(log.Contains("CDirectDrawManager::Initialize() hWndにDirectDrawが複数作成されようとしました"));
    EXPECT_EQ(m->Find(Fake(1)), first);
    m->Release(Fake(3));  // nothing
    EXPECT_EQ(m->Find(Fake(1)), first);
    m->Release(Fake(1));
    EXPECT_EQ(m->Find(Fake(1)), nullptr);
    EXPECT_FALSE(m->IsAlive(first));
}

TEST_F(DirectDrawTest, HardwareFailureFallsBackToEmulationWithOneMessage) {
    DDrawFaults().failHardware = true;
    CLogCapture log;
    CDirectDraw* dd = Object();
    ASSERT_NE(dd, nullptr);
    EXPECT_TRUE(dd->GetInterface()->IsEmulationOnly());
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_TRUE(log.Contains("CDirectDraw::_Initialize() HALでのInitializeに失敗しました"));
}

TEST_F(DirectDrawTest, CreationFailuresLeaveNoObject) {
    {
        DDrawFaults().failCreate = true;
        CLogCapture log;
        EXPECT_FALSE(CDirectDrawManager::GetInstance()->Initialize(Fake(1)));
        EXPECT_TRUE(log.Contains("CDirectDraw::_Initialize() CoCreateInstanceに失敗しました"));
        EXPECT_TRUE(log.Contains("CDirectDraw::CDirectDraw() DirectDraw作成に失敗しました"));
    }
    DDrawResetFaults();
    DDrawFaults().failHardware = true;
    DDrawFaults().failEmulation = true;
    CLogCapture log;
    EXPECT_FALSE(CDirectDrawManager::GetInstance()->Initialize(Fake(1)));
    EXPECT_TRUE(log.Contains("HELでのInitializeに失敗しました"));
    EXPECT_EQ(CDirectDrawManager::GetInstance()->Find(Fake(1)), nullptr);
}

TEST_F(DirectDrawTest, ClipperFailuresAreLoggedAndTheObjectStays) {
    DDrawFaults().failClipperSetHWnd = true;
    CLogCapture log;
    CDirectDraw* dd = Object();
    ASSERT_NE(dd, nullptr);
    EXPECT_EQ(dd->GetClipper(), nullptr);
    EXPECT_TRUE(log.Contains("CDirectDrawClipper::CDirectDrawClipper() SetHWnd()に失敗しました"));
    DDrawFaults().failClipperSetHWnd = false;
    DDrawFaults().failCreateClipper = true;
    CDirectDraw* other = Object(2);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(log.Contains("CDirectDrawClipper::CDirectDrawClipper() DirectDrawClipper作成失敗"));
}

TEST_F(DirectDrawTest, DisplayModeAnswersOnlyDDOk) {
    CDirectDraw* dd = Object();
    ASSERT_TRUE(dd->SetCooperativeLevel(0x411));
    EXPECT_TRUE(dd->IsFullScreen());
    DDrawFaults().setDisplayModeResult = DD_FALSE;
    EXPECT_FALSE(dd->SetDisplayMode(800, 600, 16, 0));
    DDrawFaults().setDisplayModeResult = DD_OK;
    EXPECT_TRUE(dd->SetDisplayMode(800, 600, 16, 0));
    DDrawFaults().restoreDisplayModeResult = DD_FALSE;
    EXPECT_FALSE(dd->RestoreDisplayMode());
    DDrawFaults().restoreDisplayModeResult = DD_OK;
    EXPECT_FALSE(dd->TestDisplayMode(800, 600, 16, 0));
    // Finalising a full-screen object puts the desktop mode back.
    CDirectDrawManager::GetInstance()->Release(Fake(1));
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
    EXPECT_FALSE(GdiIsDisplayChanged());
}

// A surface wrapper that notes, when its object releases it, whether the display mode
// is still changed and which cooperative level the object holds.
class CWitnessSurface : public CDirectDrawSurface {
public:
    using CDirectDrawSurface::CDirectDrawSurface;
    void Release() override {
        CDirectDraw* owner = GetOwner();
        if (owner && owner->GetInterface()) {
            ++releases;
            displayChanged = GdiIsDisplayChanged();
            level = owner->GetInterface()->GetCooperativeLevel();
        }
        CDirectDrawSurface::Release();
    }
    int releases = 0;
    bool displayChanged = true;
    uint32_t level = 0;
};

// A full-screen object that goes puts the desktop mode back and leaves full screen
// itself, before its surfaces and its interface go (the stand-in's interface would put
// the mode back as it goes too, so the check is made while the surfaces are released).
TEST_F(DirectDrawTest, FinalisingAFullScreenObjectRestoresTheDisplayFirst) {
    CDirectDraw* dd = Object();
    ASSERT_NE(dd, nullptr);
    CWitnessSurface witness(dd);
    ASSERT_TRUE(witness.Create(4, 4, 32, true));
    witness.releases = 0;  // Create releases what was there first
    ASSERT_TRUE(dd->SetCooperativeLevel(0x411));
    ASSERT_TRUE(dd->SetDisplayMode(800, 600, 16, 0));
    ASSERT_TRUE(GdiIsDisplayChanged());
    CDirectDrawManager::GetInstance()->Release(Fake(1));
    EXPECT_EQ(witness.releases, 1);
    EXPECT_FALSE(witness.displayChanged);
    EXPECT_EQ(witness.level, 0x408u);
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
}

TEST_F(DirectDrawTest, ManagerDestructionReportsLeftObjectsOnce) {
    const int before = DDrawObjectCount();
    CLogCapture log;
    {
        CDirectDrawManager local;
        ASSERT_TRUE(local.Initialize(Fake(5)));
        ASSERT_TRUE(local.Initialize(Fake(6)));
        EXPECT_EQ(DDrawObjectCount(), before + 2);
    }
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_TRUE(log.Contains("DirectDrawが解放されずにいるものがあります"));
    EXPECT_EQ(DDrawObjectCount(), before);
}

// --- wrapper ---

TEST_F(DirectDrawTest, WrapperMapsTheRealFormat) {
    CDirectDraw* dd = Object();
    DDrawFaults().only565 = true;
    CDirectDrawSurface s(dd);
    ASSERT_TRUE(s.Create(8, 8, 15, false));
    EXPECT_EQ(s.GetBitDepth(), 16);
    EXPECT_FALSE(s.IsSystemMemory());
    DDrawFaults().only565 = false;
    GdiSetDesktopBitsPerPixel(16);
    DDrawFaults().display555 = true;
    ASSERT_TRUE(s.Create(8, 8, 0, false));
    EXPECT_EQ(s.GetBitDepth(), 15);
}

TEST_F(DirectDrawTest, WrapperUnknownFormats) {
    CDirectDraw* dd = Object();
    CDirectDrawSurface s(dd);
    CLogCapture log;
    DDrawFaults().forcedFormat.flags = DDPF_RGB;
    DDrawFaults().forcedFormat.rgbBitCount = 16;
    DDrawFaults().forcedFormat.redMask = 0xF000;
    DDrawFaults().forcedFormat.greenMask = 0x0F00;
    DDrawFaults().forcedFormat.blueMask = 0x00F0;
    ASSERT_TRUE(s.Create(4, 4, 16, true));
    EXPECT_EQ(s.GetBitDepth(), 16);
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::Create() 16bpp不明フォーマット[RGB:f000,f00,f0]"));
    DDrawFaults().forcedFormat.rgbBitCount = 8;
    EXPECT_FALSE(s.Create(4, 4, 16, true));
    EXPECT_FALSE(s.IsCreated());
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::Create() 8bpp不明フォーマット[RGB:0xF000,0xF00,0xF0]"));
    DDrawFaults().forcedFormat = SDDPixelFormat{};
    DDrawFaults().failGetSurfaceDesc = true;
    ASSERT_TRUE(s.Create(4, 4, 0, true));
    EXPECT_EQ(s.GetBitDepth(), 32);
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::Create() GetSurfaceDescに失敗しました"));
    EXPECT_FALSE(s.Create(4, 4, 8, true));
}

TEST_F(DirectDrawTest, WrapperLockAndDcStates) {
    CDirectDraw* dd = Object();
    CDirectDrawSurface s(dd);
    ASSERT_TRUE(s.Create(4, 4, 32, true));
    CLogCapture log;
    ASSERT_TRUE(s.Lock());
    uint8_t* bits = s.GetBits();
    ASSERT_NE(bits, nullptr);
    EXPECT_FALSE(s.Lock());
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::Lock() Lock中に再度lockしようとしました"));
    EXPECT_EQ(s.GetBits(), bits);
    EXPECT_EQ(s.GetDC(), nullptr);
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::GetDC() Lock中にデバイスコンテキストを取得できません"));
    EXPECT_TRUE(s.Unlock());
    EXPECT_EQ(s.GetBits(), nullptr);
    DCHandle dc = s.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(s.GetDC(), dc);
    EXPECT_FALSE(s.Lock());
    EXPECT_TRUE(log.Contains("CDirectDrawSurface::Lock() デバイスコンテキスト取得中にLockはできません"));
    EXPECT_TRUE(s.ReleaseDC());
    EXPECT_TRUE(s.Lock());
    s.Unlock();
    DDrawFaults().failLock = true;
    EXPECT_FALSE(s.Lock());
    EXPECT_EQ(s.GetBits(), nullptr);
}

TEST_F(DirectDrawTest, WrapperKeyMaskAndVideoFallback) {
    CDirectDraw* dd = Object();
    CDirectDrawSurface s(dd);
    ASSERT_TRUE(s.Create(4, 4, 16, false));
    ASSERT_TRUE(s.SetColorKey(0x00FF00));
    SDDColorKey key;
    ASSERT_EQ(s.GetSurface()->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.low, 0xFF00u);
    EXPECT_EQ(s.GetColorKey(), 0x00FF00u);
    DDrawFaults().noVideoMemory = true;
    ASSERT_TRUE(s.Create(4, 4, 16, false));
    EXPECT_TRUE(s.IsSystemMemory());
    DDrawLoseSurfaces();
    EXPECT_FALSE(s.IsLost());
    DDrawFaults().noVideoMemory = false;
    ASSERT_TRUE(s.Create(4, 4, 16, false));
    DDrawLoseSurfaces();
    EXPECT_TRUE(s.IsLost());
    EXPECT_TRUE(s.Restore());
    EXPECT_FALSE(s.IsLost());
    DDrawFaults().failCreateSurface = true;
    EXPECT_FALSE(s.Create(4, 4, 16, false));
}

TEST_F(DirectDrawTest, FinalisingTheObjectReleasesItsWrappers) {
    CDirectDraw* dd = Object();
    CDirectDrawSurface s(dd);
    ASSERT_TRUE(s.Create(4, 4, 32, true));
    CDirectDrawManager::GetInstance()->Release(Fake(1));
    EXPECT_FALSE(s.IsCreated());
    // The object is gone: the wrapper cannot reach it again.
    EXPECT_FALSE(s.Create(4, 4, 32, true));
}

// --- the DirectDraw-backed software surface ---

TEST_F(DirectDrawTest, DDSurfaceFlagsKeyAndFill) {
    CDirectDraw* dd = Object();
    CDDSurface s(dd, Fake(1));
    ASSERT_TRUE(s.Create(5, 3, 16, false));
    EXPECT_EQ(s.GetFormatFlags(), 0x24);
    s.SetColorKeyEnabled(true);
    EXPECT_EQ(s.GetFormatFlags(), 0x25);
    EXPECT_EQ(s.GetColorKey(), 0x00FF00u);
    s.Fill(0x0000FF, SRect{1, 1, 3, 2});  // red COLORREF
    EXPECT_EQ(s.GetPixel(1, 1), 0x00F80000u);
    EXPECT_EQ(s.GetPixel(0, 1), 0u);
    s.Fill(0x0000FF, SRect{10, 0, 20, 3});  // wholly outside
    EXPECT_EQ(s.GetPixel(4, 0), 0u);
    // A fill while a context is out fails its lock and says so.
    ASSERT_NE(s.GetDC(), nullptr);
    CLogCapture log;
    s.Fill(0xFFFFFF, SRect{0, 0, 5, 3});
    EXPECT_TRUE(log.Contains("CDDSurface::Fill() Lockに失敗しました"));
    s.ReleaseDC();
    EXPECT_EQ(s.GetPixel(0, 0), 0u);
    s.Release();
    EXPECT_EQ(s.GetFormatFlags(), -1);
}

TEST_F(DirectDrawTest, DDSurfaceFillOfZero) {
    // 5 pixels of 16 bits: 10 bytes of pixels in DirectDraw's 16-byte rows.
    CDirectDraw* dd = Object();
    CDDSurface s(dd, Fake(1));
    ASSERT_TRUE(s.Create(5, 3, 16, false));
    ASSERT_TRUE(s.Lock());
    const int pitch = s.GetPitch();
    ASSERT_GT(pitch, 10);
    std::memset(s.GetBits(), 0xAB, static_cast<size_t>(pitch) * 3);
    s.Unlock();
    // Over an empty rectangle nothing changes.
    s.Fill(0, SRect{2, 1, 2, 3});
    s.Fill(0, SRect{7, 0, 9, 3});
    ASSERT_TRUE(s.Lock());
    for (int i = 0; i < pitch * 3; ++i) ASSERT_EQ(s.GetBits()[i], 0xAB) << i;
    s.Unlock();
    // Over the whole surface the whole buffer is zeroed, padding included.
    s.Fill(0, SRect{-4, -4, 50, 50});
    ASSERT_TRUE(s.Lock());
    for (int i = 0; i < pitch * 3; ++i) ASSERT_EQ(s.GetBits()[i], 0) << i;
    s.Unlock();
}

TEST_F(DirectDrawTest, DDSurfaceKeepsItsOwnAlphaPlane) {
    CDirectDraw* dd = Object();
    CDDSurface s(dd, Fake(1));
    ASSERT_TRUE(s.Create(6, 2, 32, false));
    EXPECT_FALSE(s.HasAlphaPlane());
    s.SetAlphaEnabled(true);
    ASSERT_TRUE(s.HasAlphaPlane());
    EXPECT_EQ(s.GetAlphaPitch(), 8);
    EXPECT_EQ(s.GetFormatFlags(), 0x2E);
    s.FillAlpha(200, SRect{-3, 0, 2, 1});
    EXPECT_EQ(s.GetAlpha(1, 0), 200);
    EXPECT_EQ(s.GetAlpha(2, 0), 0);
    CDDSurface other(dd, Fake(1));
    ASSERT_TRUE(other.Create(6, 2, 32, false));
    other.CopyAlpha(&s, SRect{0, 0, 6, 2}, SRect{0, 0, 6, 2});
    EXPECT_EQ(other.GetAlpha(0, 0), 200);
    CDDSurface none(dd, Fake(1));
    ASSERT_TRUE(none.Create(6, 2, 32, false));
    s.CopyAlpha(&none, SRect{0, 0, 6, 2}, SRect{0, 0, 6, 2});  // no plane: nothing
    EXPECT_EQ(s.GetAlpha(1, 0), 200);
    // Restore (a display change) rebuilds at the display's depth, alpha 255, key kept.
    s.SetColorKey(0x1234);
    s.SetColorKeyEnabled(true);
    GdiSetDesktopBitsPerPixel(16);
    ASSERT_TRUE(s.Restore());
    EXPECT_EQ(s.GetBitDepth(), 16);
    EXPECT_EQ(s.GetAlpha(5, 1), 255);
    EXPECT_EQ(s.GetColorKey(), 0x1234u);
    EXPECT_TRUE(s.IsColorKeyEnabled());
    EXPECT_TRUE(s.IsAlphaEnabled());
}

TEST_F(DirectDrawTest, DDSurfaceOnADisplayIn555AtDepthZero) {
    GdiSetDesktopBitsPerPixel(16);
    DDrawFaults().display555 = true;
    CDDSurface s(Object(), Fake(1));
    ASSERT_TRUE(s.Create(3, 3, 0, false));
    EXPECT_EQ(s.GetBitDepth(), 15);
    EXPECT_EQ(s.GetFormatFlags(), 0x20);
}

TEST_F(DirectDrawTest, ProxyChoosesDirectDrawOnceTheWindowHasIt) {
    CSoftSurfaceProxy proxy(Fake(1));
    ASSERT_TRUE(proxy.Create(4, 4, 32, false));
    EXPECT_EQ(proxy.GetFormatFlags() & SURFACE_FLAG_DIRECTDRAW, 0);
    ASSERT_NE(Object(), nullptr);
    ASSERT_TRUE(proxy.Create(4, 4, 32, true));
    EXPECT_NE(dynamic_cast<CDDSurface*>(proxy.GetImpl()), nullptr);
    EXPECT_EQ(CSurfaceRegistry::GetInstance()->CountOf(proxy.GetImpl()), 1u);
    proxy.SetUseDirectDraw(false);
    ASSERT_TRUE(proxy.Create(4, 4, 32, false));
    EXPECT_EQ(dynamic_cast<CDDSurface*>(proxy.GetImpl()), nullptr);
}

TEST_F(DirectDrawTest, SurfacesOutlivingTheirObjectAreDroppedOnRestore) {
    CSoftSurfaceProxy proxy(Fake(1));
    ASSERT_NE(Object(), nullptr);
    ASSERT_TRUE(proxy.Create(4, 4, 32, false));
    CDirectDrawManager::GetInstance()->Release(Fake(1));
    CLogCapture log;
    CSurfaceRegistry::GetInstance()->RestoreAll(Fake(1));
    EXPECT_FALSE(proxy.IsCreated());
    EXPECT_TRUE(log.Contains("CDDSurface::Create() DirectDrawがありません"));
}

TEST_F(DirectDrawTest, DirectDrawBltUsesTheKeyWhenEnabled) {
    CDirectDraw* dd = Object();
    CDDSurface src(dd, Fake(1)), dst(dd, Fake(1));
    ASSERT_TRUE(src.Create(2, 1, 32, false));
    ASSERT_TRUE(dst.Create(2, 1, 32, false));
    src.SetPixel(0, 0, 0x00FF00);
    src.SetPixel(1, 0, 0x112233);
    dst.Clear(0x0000FF);
    dst.SetColorKeyEnabled(true);
    ASSERT_TRUE(dst.DirectDrawBltFast(&src, 0, 0, nullptr));
    EXPECT_EQ(dst.GetPixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(dst.GetPixel(1, 0), 0x00112233u);
    dst.SetColorKeyEnabled(false);
    ASSERT_TRUE(dst.DirectDrawBlt(&src, nullptr, nullptr));
    EXPECT_EQ(dst.GetPixel(0, 0), 0x0000FF00u);
}

}  // namespace
