// Our DirectDraw stand-in: what the engine's DirectDraw layer relies on.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ddraw/DDraw.h"
#include "platform/gdi/GdiDisplay.h"

namespace {

WindowHandle FakeWindow() { return reinterpret_cast<WindowHandle>(uintptr_t{0x1000}); }

class DDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        DDrawResetFaults();
        GdiResetDisplay();
        ASSERT_EQ(DDrawCoCreateInstance(CLSID_DirectDraw, nullptr, DD_CLSCTX_INPROC_SERVER, IID_IDirectDraw7, &dd),
                  DD_OK);
        ASSERT_EQ(dd->Initialize(DDCREATE_HARDWAREONLY_DEFAULT), DD_OK);
    }
    void TearDown() override {
        dd.reset();
        DDrawResetFaults();
        GdiResetDisplay();
    }
    std::unique_ptr<CPlatformDDSurface> Make(uint32_t w, uint32_t h, bool video, uint32_t bits = 32) {
        SDDSurfaceDesc desc;
        desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.caps = DDSCAPS_OFFSCREENPLAIN | (video ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
        desc.width = w;
        desc.height = h;
        desc.pixelFormat.flags = DDPF_RGB;
        desc.pixelFormat.rgbBitCount = bits;
        if (bits == 16) {
            desc.pixelFormat.redMask = 0xF800;
            desc.pixelFormat.greenMask = 0x07E0;
            desc.pixelFormat.blueMask = 0x001F;
        } else {
            desc.pixelFormat.redMask = 0xFF0000;
            desc.pixelFormat.greenMask = 0x00FF00;
            desc.pixelFormat.blueMask = 0x0000FF;
        }
        std::unique_ptr<CPlatformDDSurface> s;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        return s;
    }
    std::unique_ptr<CPlatformDDraw> dd;
};

TEST_F(DDrawTest, CreationChecksIdentitiesAndInitialiseOnce) {
    std::unique_ptr<CPlatformDDraw> other;
    EXPECT_EQ(DDrawCoCreateInstance(IID_IDirectDraw7, nullptr, DD_CLSCTX_INPROC_SERVER, IID_IDirectDraw7, &other),
              DDERR_CLASSNOTREGISTERED);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(dd->Initialize(DDCREATE_HARDWAREONLY_DEFAULT), DDERR_ALREADYINITIALIZED);
    DDrawFaults().failHardware = true;
    ASSERT_EQ(DDrawCoCreateInstance(CLSID_DirectDraw, nullptr, DD_CLSCTX_INPROC_SERVER, IID_IDirectDraw7, &other), DD_OK);
    EXPECT_NE(other->Initialize(DDCREATE_HARDWAREONLY_DEFAULT), DD_OK);
    EXPECT_EQ(other->Initialize(DDCREATE_EMULATIONONLY), DD_OK);
    EXPECT_TRUE(other->IsEmulationOnly());
}

TEST_F(DDrawTest, LockAndDeviceContextExcludeEachOther) {
    auto s = Make(5, 3, false);
    SDDSurfaceDesc desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_NE(desc.surface, nullptr);
    EXPECT_EQ(desc.pitch, 24);  // 5 × 4 rounded up to 8
    DCHandle dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    SDDSurfaceDesc again;
    EXPECT_EQ(s->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(dc->GetPixels().width, 5);
    EXPECT_EQ(s->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->ReleaseDC(dc), DD_OK);
}

TEST_F(DDrawTest, DisplayChangeLosesVideoSurfacesOnly) {
    auto video = Make(4, 4, true);
    auto system = Make(4, 4, false);
    EXPECT_EQ(video->IsLost(), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(dd->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_MULTITHREADED), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 16);
    EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(system->IsLost(), DD_OK);
    SDDSurfaceDesc desc;
    EXPECT_EQ(video->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(video->Restore(), DD_OK);
    EXPECT_EQ(video->IsLost(), DD_OK);
    EXPECT_EQ(dd->RestoreDisplayMode(), DD_OK);
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
}

TEST_F(DDrawTest, BltHonoursTheSourceKey) {
    auto src = Make(2, 1, false);
    auto dst = Make(2, 1, false);
    SDDSurfaceDesc desc;
    ASSERT_EQ(src->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    const uint32_t srcPixels[2] = {0x0000FF00, 0x00123456};
    std::memcpy(desc.surface, srcPixels, 8);
    src->Unlock(nullptr);
    const SDDColorKey key{0x0000FF00, 0x0000FF00};
    src->SetColorKey(DDCKEY_SRCBLT, &key);
    ASSERT_EQ(dst->Blt(nullptr, src.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    ASSERT_EQ(dst->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    uint32_t out[2];
    std::memcpy(out, desc.surface, 8);
    dst->Unlock(nullptr);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], 0x00123456u);
    auto other = Make(2, 1, false, 16);
    EXPECT_EQ(dst->Blt(nullptr, other.get(), nullptr, 0, nullptr), DDERR_INVALIDPIXELFORMAT);
    const SRect outside{1, 0, 3, 1};
    EXPECT_EQ(dst->Blt(&outside, src.get(), nullptr, 0, nullptr), DDERR_INVALIDRECT);
}

TEST_F(DDrawTest, BltFastRefusesSourceRectanglesSpanningTheIntRange) {
    // The extents of these rectangles do not fit in 32 bits (the sanitizer build checks
    // that nothing overflows on the way to the refusal).
    auto src = Make(4, 4, false);
    auto dst = Make(4, 4, false);
    const SRect wide{INT32_MIN, 0, INT32_MAX, 1};
    const SRect tall{0, INT32_MIN, 1, INT32_MAX};
    const SRect inverted{INT32_MAX, 0, INT32_MIN, 1};
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), &wide, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), &tall, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), &inverted, 0), DDERR_INVALIDRECT);
    const SRect one{0, 0, 1, 1};
    EXPECT_EQ(dst->BltFast(3, 3, src.get(), &one, 0), DD_OK);
    EXPECT_EQ(dst->BltFast(4, 3, src.get(), &one, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(3, 4, src.get(), &one, 0), DDERR_INVALIDRECT);
}

TEST_F(DDrawTest, FaultsReachEveryCall) {
    DDrawFaults().noVideoMemory = true;
    SDDSurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    desc.width = desc.height = 4;
    std::unique_ptr<CPlatformDDSurface> s;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_OUTOFVIDEOMEMORY);
    desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    ASSERT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    DDrawFaults().failLock = true;
    SDDSurfaceDesc lock;
    EXPECT_NE(s->Lock(nullptr, &lock, 0, nullptr), DD_OK);
    DDrawFaults().failCreateClipper = true;
    std::unique_ptr<CPlatformDDClipper> clipper;
    EXPECT_NE(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    EXPECT_EQ(clipper, nullptr);
}

}  // namespace
