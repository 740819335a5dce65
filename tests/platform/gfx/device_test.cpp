// The device's life: creation refused on request, lost device and reset, render
// targets, copies, presents and injected failures.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/platform/gfx/GfxTestUtil.h"

using namespace gfxtest;

TEST(GfxDevice, CreationIsRefusedByTheHookAndTheEnvironment) {
    std::unique_ptr<CGfxDevice> d;
    SGfxPresentParams p;
    ASSERT_EQ(CGfxSystem::CreateDevice(GFX_DEVTYPE_HAL, p, &d), GFX_OK);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->GetPresentParams().backBufferWidth, 800u);
    CGfxSystem::SetRefuseDevicesForTesting(true);
    EXPECT_EQ(CGfxSystem::CreateDevice(GFX_DEVTYPE_SW, p, &d), GFX_E_NOTAVAILABLE);
    EXPECT_FALSE(d);
    CGfxSystem::SetRefuseDevicesForTesting(false);
    setenv("NIWA_FORCE_GDI", "1", 1);
    EXPECT_EQ(CGfxSystem::CreateDevice(GFX_DEVTYPE_REF, p, &d), GFX_E_NOTAVAILABLE);
    setenv("NIWA_FORCE_GDI", "0", 1);
    EXPECT_EQ(CGfxSystem::CreateDevice(GFX_DEVTYPE_REF, p, &d), GFX_OK);
    unsetenv("NIWA_FORCE_GDI");
    EXPECT_EQ(CGfxSystem::CreateDevice(7, p, &d), GFX_E_INVALIDCALL);
}

TEST(GfxDevice, LostDeviceResetsOnlyOnceDefaultResourcesAreReleased) {
    auto d = MakeDevice(16, 16);
    auto managed = MakeTexture(*d, 2, 1, {0xFF112233u, 0x80445566u});
    std::shared_ptr<CGfxTexture> target;
    ASSERT_EQ(d->CreateTexture(8, 8, 1, GFX_USAGE_RENDERTARGET, GFX_FMT_A8R8G8B8, GFX_POOL_DEFAULT, &target), GFX_OK);
    d->SetTexture(0, target);
    EXPECT_EQ(d->TestCooperativeLevel(), GFX_OK);
    d->SimulateDeviceLost();
    EXPECT_EQ(d->TestCooperativeLevel(), GFX_E_DEVICENOTRESET);
    EXPECT_EQ(d->Present(), GFX_E_DEVICELOST);
    SGfxVertex v[4];
    Quad(v, 0, 0, 16, 16, 0, 0, 1, 1);
    EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);  // silently nothing
    SGfxPresentParams p;
    p.backBufferWidth = p.backBufferHeight = 16;
    EXPECT_EQ(d->Reset(p), GFX_E_INVALIDCALL);  // the render target is still held
    EXPECT_EQ(d->CountLiveDefaultResources(), 1u);
    target.reset();
    EXPECT_EQ(d->Reset(p), GFX_OK);
    EXPECT_EQ(d->TestCooperativeLevel(), GFX_OK);
    EXPECT_EQ(d->Present(), GFX_OK);
    // States are back to their defaults; managed texels survived.
    uint32_t cull = 0;
    d->GetRenderState(GFX_RS_CULLMODE, &cull);
    EXPECT_EQ(cull, GFX_CULL_CCW);
    EXPECT_EQ(managed->Pixels().ArgbRow(0)[0], 0xFF112233u);
    EXPECT_EQ(managed->Pixels().ArgbRow(0)[1], 0x80445566u);
}

TEST(GfxDevice, RenderTargetTextureIsDrawnThenSampled) {
    auto d = MakeDevice(16, 16);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    std::shared_ptr<CGfxTexture> rt;
    ASSERT_EQ(d->CreateTexture(4, 4, 1, GFX_USAGE_RENDERTARGET, GFX_FMT_A8R8G8B8, GFX_POOL_DEFAULT, &rt), GFX_OK);
    std::shared_ptr<CGfxSurface> rts;
    rt->GetSurfaceLevel(0, &rts);
    ASSERT_EQ(d->SetRenderTarget(rts), GFX_OK);
    SGfxViewport vp;
    d->GetViewport(&vp);
    EXPECT_EQ(vp.width, 4u);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0x80FF0000u);
    ASSERT_EQ(d->SetRenderTarget(nullptr), GFX_OK);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
    d->SetTexture(0, rt);
    SGfxVertex v[4];
    Quad(v, 1.5f, 1.5f, 5.5f, 5.5f, 0, 0, 1, 1);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    EXPECT_EQ(Pixel(*d, 3, 3), 0x80FF0000u);
    EXPECT_EQ(Pixel(*d, 1, 1), 0xFF000000u);
    // A texture that is not a render target cannot be one.
    auto plain = MakeTexture(*d, 2, 2, {0, 0, 0, 0});
    std::shared_ptr<CGfxSurface> ps;
    plain->GetSurfaceLevel(0, &ps);
    EXPECT_EQ(d->SetRenderTarget(ps), GFX_E_INVALIDCALL);
    // Render targets are 32-bit and in the default pool.
    std::shared_ptr<CGfxTexture> bad;
    EXPECT_EQ(d->CreateTexture(4, 4, 1, GFX_USAGE_RENDERTARGET, GFX_FMT_R5G6B5, GFX_POOL_DEFAULT, &bad), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->CreateTexture(4, 4, 1, GFX_USAGE_RENDERTARGET, GFX_FMT_A8R8G8B8, GFX_POOL_MANAGED, &bad), GFX_E_INVALIDCALL);
}

TEST(GfxDevice, BackBufferIsReadBackAndPresented) {
    auto d = MakeDevice(8, 4);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF204060u);
    SGfxRect one{2, 1, 3, 2};
    d->Clear(1, &one, GFX_CLEAR_TARGET, 0xFFFFFFFFu);
    std::shared_ptr<CGfxSurface> bb, copy;
    d->GetBackBuffer(&bb);
    ASSERT_EQ(d->CreateImageSurface(4, 2, GFX_FMT_A8R8G8B8, &copy), GFX_OK);
    SGfxRect src{1, 1, 5, 3};
    SGfxPoint at{0, 0};
    ASSERT_EQ(d->CopyRects(*bb, &src, 1, *copy, &at), GFX_OK);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(copy->Pixels().Row(0))[1], 0xFFFFFFFFu);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(copy->Pixels().Row(1))[3], 0xFF204060u);
    SGfxRect outside{6, 0, 10, 2};
    EXPECT_EQ(d->CopyRects(*bb, &outside, 1, *copy, &at), GFX_E_INVALIDCALL);
    int calls = 0, w = 0, h = 0, pitch = 0;
    d->SetPresentTarget([&](const void*, int pw, int ph, int pp) {
        ++calls;
        w = pw;
        h = ph;
        pitch = pp;
    });
    EXPECT_EQ(d->Present(), GFX_OK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 4);
    EXPECT_EQ(pitch, 32);
}

TEST(GfxDevice, InjectedFailuresAreAnsweredThenClear) {
    auto d = MakeDevice(8, 8);
    d->InjectFailure(EGfxCall::Present, GFX_E_DRIVERINTERNALERROR, 2);
    EXPECT_EQ(d->Present(), GFX_E_DRIVERINTERNALERROR);
    EXPECT_EQ(d->Present(), GFX_E_DRIVERINTERNALERROR);
    EXPECT_EQ(d->Present(), GFX_OK);
    EXPECT_STREQ(GfxResultName(GFX_E_DEVICELOST), "D3DERR_DEVICELOST");
    EXPECT_STREQ(GfxResultName(12345), "UNKNOWN_ERROR");
}

TEST(GfxDevice, TextureLimitsAndLocks) {
    auto d = MakeDevice(8, 8);
    std::shared_ptr<CGfxTexture> t;
    EXPECT_EQ(d->CreateTexture(1025, 4, 1, 0, GFX_FMT_A8R8G8B8, GFX_POOL_MANAGED, &t), GFX_E_INVALIDCALL);
    d->SetMaxTextureSize(64, 64);
    EXPECT_EQ(d->CreateTexture(65, 4, 1, 0, GFX_FMT_A8R8G8B8, GFX_POOL_MANAGED, &t), GFX_E_INVALIDCALL);
    d->SetTexturePow2(true);
    EXPECT_EQ(d->CreateTexture(12, 4, 1, 0, GFX_FMT_A8R8G8B8, GFX_POOL_MANAGED, &t), GFX_E_INVALIDCALL);
    ASSERT_EQ(d->CreateTexture(16, 4, 1, 0, GFX_FMT_R5G6B5, GFX_POOL_MANAGED, &t), GFX_OK);
    SGfxLockedRect lr;
    SGfxRect bad{0, 0, 17, 4};
    EXPECT_EQ(t->LockRect(0, &lr, &bad), GFX_E_INVALIDCALL);
    SGfxRect part{4, 1, 6, 3};
    ASSERT_EQ(t->LockRect(0, &lr, &part), GFX_OK);
    EXPECT_EQ(t->LockRect(0, &lr, nullptr), GFX_E_INVALIDCALL);  // locked twice
    static_cast<uint16_t*>(lr.bits)[0] = 0xF800;
    ASSERT_EQ(t->UnlockRect(0), GFX_OK);
    EXPECT_EQ(t->UnlockRect(0), GFX_E_INVALIDCALL);
    EXPECT_EQ(t->Pixels().ArgbRow(1)[4], 0xFFFF0000u);
}

TEST(GfxDevice, OutOfRangeViewportsRectsAndPointsAreRefusedOrClipped) {
    auto d = MakeDevice(8, 8);
    // x + width wraps around 32 bits: still past the target.
    EXPECT_EQ(d->SetViewport(SGfxViewport{1, 0, 0xFFFFFFFFu, 8, 0, 1}), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->SetViewport(SGfxViewport{0, 2, 8, 0xFFFFFFFEu, 0, 1}), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->SetViewport(SGfxViewport{8, 8, 0, 0, 0, 1}), GFX_OK);
    EXPECT_EQ(d->SetViewport(SGfxViewport{0, 0, 8, 8, 0, 1}), GFX_OK);
    // Clear rectangles outside the target (or inside out) fill nothing.
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
    SGfxRect rects[3] = {{100, 0, 200, 8}, {-50, -50, -10, -10}, {6, 2, 2, 6}};
    EXPECT_EQ(d->Clear(3, rects, GFX_CLEAR_TARGET, 0xFFFFFFFFu), GFX_OK);
    for (uint32_t p : BackBuffer(*d)) ASSERT_EQ(p, 0xFF000000u);
    // A destination point whose sum with the width leaves 32 bits.
    std::shared_ptr<CGfxSurface> bb, copy;
    d->GetBackBuffer(&bb);
    ASSERT_EQ(d->CreateImageSurface(4, 4, GFX_FMT_A8R8G8B8, &copy), GFX_OK);
    SGfxRect src{0, 0, 4, 4};
    SGfxPoint far{0x7FFFFFFE, 0};
    EXPECT_EQ(d->CopyRects(*bb, &src, 1, *copy, &far), GFX_E_INVALIDCALL);
    SGfxPoint farY{0, 0x7FFFFFFF};
    EXPECT_EQ(d->CopyRects(*bb, &src, 1, *copy, &farY), GFX_E_INVALIDCALL);
    // Count 0 copies the whole source, to the point when one is given.
    SGfxRect white{0, 0, 4, 4};
    SGfxPoint origin{0, 0}, corner{4, 4}, below{0, 5};
    d->Clear(1, &white, GFX_CLEAR_TARGET, 0xFFFFFFFFu);
    ASSERT_EQ(d->CopyRects(*bb, &white, 1, *copy, &origin), GFX_OK);
    EXPECT_EQ(d->CopyRects(*copy, nullptr, 0, *bb, &below), GFX_E_INVALIDCALL);
    ASSERT_EQ(d->CopyRects(*copy, nullptr, 0, *bb, &corner), GFX_OK);
    EXPECT_EQ(Pixel(*d, 7, 7), 0xFFFFFFFFu);
    // A render state past the table, or no place for the answer.
    uint32_t state = 7;
    EXPECT_EQ(d->GetRenderState(GFX_RS_COUNT, &state), GFX_E_INVALIDCALL);
    EXPECT_EQ(state, 7u);
    EXPECT_EQ(d->GetRenderState(GFX_RS_CULLMODE, nullptr), GFX_E_INVALIDCALL);
}

TEST(GfxDevice, VertexLayoutsWithPointSizeAndOtherCoordinateSizesAreRead) {
    auto d = MakeDevice(4, 4);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    std::vector<uint32_t> texels = {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u};
    auto tex = MakeTexture(*d, 2, 2, texels);
    d->SetTexture(0, tex);
    // Position, point size, diffuse, one one-float set then a two-float set.
    struct SV {
        float x, y, z, rhw, size;
        uint32_t color;
        float u1;
        float u2, v2;
    };
    const uint32_t fvf = GFX_FVF_XYZRHW | 0x020 | GFX_FVF_DIFFUSE | GFX_FVF_TEX2 | (3u << 16);
    ASSERT_EQ(d->SetVertexShader(fvf), GFX_OK);
    SV v[4] = {{-0.5f, -0.5f, 0, 1, 9, 0xFFFFFFFFu, 0.75f, 0, 0}, {3.5f, -0.5f, 0, 1, 9, 0xFFFFFFFFu, 0.75f, 2, 0},
               {-0.5f, 3.5f, 0, 1, 9, 0xFFFFFFFFu, 0.75f, 0, 2}, {3.5f, 3.5f, 0, 1, 9, 0xFFFFFFFFu, 0.75f, 2, 2}};
    // Set 0 has only u (0.75 → column 1) and v = 0.
    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SV)), GFX_OK);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 4; ++x) ASSERT_EQ(Pixel(*d, x, y), 0xFF000002u) << x << "," << y;
    // Set 1 through the coordinate index: the texture repeated once per two pixels.
    d->SetTextureStageState(0, GFX_TSS_TEXCOORDINDEX, 1);
    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SV)), GFX_OK);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 4; ++x) ASSERT_EQ(Pixel(*d, x, y), texels[(y % 2) * 2 + x % 2]) << x << "," << y;
    // A normal has no place in a pre-transformed vertex.
    EXPECT_EQ(d->SetVertexShader(GFX_FVF_XYZRHW | 0x010 | GFX_FVF_TEX1), GFX_E_INVALIDCALL);
}
