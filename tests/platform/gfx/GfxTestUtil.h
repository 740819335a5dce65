#pragma once
// Small helpers shared by the software-device tests.
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "platform/gfx/GfxSystem.h"

namespace gfxtest {

inline std::unique_ptr<CGfxDevice> MakeDevice(uint32_t w, uint32_t h) {
    std::unique_ptr<CGfxDevice> d;
    SGfxPresentParams p;
    p.backBufferWidth = w;
    p.backBufferHeight = h;
    CGfxSystem::CreateDevice(GFX_DEVTYPE_HAL, p, &d);
    if (d) {
        // The engine's usual state: no culling, texture times diffuse.
        d->SetRenderState(GFX_RS_CULLMODE, GFX_CULL_NONE);
        d->SetTextureStageState(0, GFX_TSS_COLORARG2, GFX_TA_DIFFUSE);
        d->SetTextureStageState(0, GFX_TSS_ALPHAOP, GFX_TOP_MODULATE);
        d->SetTextureStageState(0, GFX_TSS_ALPHAARG2, GFX_TA_DIFFUSE);
    }
    return d;
}

inline std::shared_ptr<CGfxTexture> MakeTexture(CGfxDevice& d, uint32_t w, uint32_t h, const std::vector<uint32_t>& argb,
                                                EGfxFormat fmt = GFX_FMT_A8R8G8B8) {
    std::shared_ptr<CGfxTexture> t;
    d.CreateTexture(w, h, 1, 0, fmt, GFX_POOL_MANAGED, &t);
    if (!t) return t;
    SGfxLockedRect lr;
    t->LockRect(0, &lr, nullptr);
    uint32_t bpp = GfxFormatBytes(fmt);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            GfxArgbToPixel(fmt, argb[y * w + x], static_cast<uint8_t*>(lr.bits) + y * lr.pitch + x * bpp);
        }
    }
    t->UnlockRect(0);
    return t;
}

inline std::vector<uint32_t> RandomPixels(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint32_t> v(n);
    for (auto& p : v) p = rng();
    return v;
}

inline uint32_t Pixel(CGfxDevice& d, uint32_t x, uint32_t y) {
    std::shared_ptr<CGfxSurface> bb;
    d.GetBackBuffer(&bb);
    return reinterpret_cast<const uint32_t*>(bb->Pixels().Row(y))[x];
}

inline std::vector<uint32_t> BackBuffer(CGfxDevice& d) {
    std::shared_ptr<CGfxSurface> bb;
    d.GetBackBuffer(&bb);
    const CGfxPixels& p = bb->Pixels();
    std::vector<uint32_t> out(static_cast<size_t>(p.GetWidth()) * p.GetHeight());
    for (uint32_t y = 0; y < p.GetHeight(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(p.Row(y));
        std::copy(row, row + p.GetWidth(), out.begin() + static_cast<size_t>(y) * p.GetWidth());
    }
    return out;
}

// A quad as a strip: pixel edges l, t, r, b; texture coordinates u0..u1, v0..v1.
inline void Quad(SGfxVertex v[4], float l, float t, float r, float b, float u0, float v0, float u1, float v1,
                 uint32_t color = 0xFFFFFFFFu) {
    v[0] = {l, t, 0, 1, color, u0, v0};
    v[1] = {r, t, 0, 1, color, u1, v0};
    v[2] = {l, b, 0, 1, color, u0, v1};
    v[3] = {r, b, 0, 1, color, u1, v1};
}

inline uint32_t Div255Ref(uint32_t x) { return (x * 2 + 255) / 510; }

// A texel index after the addressing mode, as the device defines it; -1 for the border.
inline int64_t ModelAddress(int64_t i, int64_t size, uint32_t mode) {
    if (i >= 0 && i < size) return i;
    if (mode == GFX_TADDRESS_WRAP) return ((i % size) + size) % size;
    if (mode == GFX_TADDRESS_MIRROR) {
        const int64_t m = ((i % (2 * size)) + 2 * size) % (2 * size);
        return m < size ? m : 2 * size - 1 - m;
    }
    if (mode == GFX_TADDRESS_BORDER) return -1;
    return i < 0 ? 0 : size - 1;
}

}  // namespace gfxtest
