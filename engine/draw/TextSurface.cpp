#include "engine/draw/TextSurface.h"

#include <algorithm>
#include <cstdint>

#include "engine/base/Log.h"
#include "engine/draw/Font.h"
#include "engine/draw/ImagePlane.h"
#include "platform/gdi/GdiFont.h"

CTextSurface::CTextSurface() : CSoftSurfaceProxy(nullptr) {
    // Text is made again from its string; the registry has nothing to restore.
    SetAutoRegister(false);
    SetUseDirectDraw(false);
}

CTextSurface::~CTextSurface() = default;

bool CTextSurface::Prepare(int32_t width, int32_t height) {
    if (width < 1 || height < 1 || width > 4096 || height > 4096) {
        DebugPrintf("CTextSurface::Prepare() サイズが不正です[%d x %d]", width, height);
        Release();
        return false;
    }
    if (!Create(width, height, 32, true)) {
        DebugPrintf("CTextSurface::Prepare() サーフェスの作成に失敗[%d x %d]", width, height);
        return false;
    }
    SetAlphaEnabled(true);
    Clear(0);
    ClearAlpha(0);
    return GetAlphaBits() != nullptr;
}

void CTextSurface::_Blend(const void* glyphPtr, int32_t x, int32_t y, uint32_t rgb) {
    const SGlyphImage& g = *static_cast<const SGlyphImage*>(glyphPtr);
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    uint8_t* bits = GetBits();
    uint8_t* alpha = GetAlphaBits();
    const int pitch = GetPitch();
    const int alphaPitch = GetAlphaPitch();
    if (!bits || !alpha) return;
    const uint32_t cr = (rgb >> 16) & 0xFF, cg = (rgb >> 8) & 0xFF, cb = rgb & 0xFF;
    for (int32_t gy = 0; gy < g.height; ++gy) {
        // 64-bit sums: a character placed far off the surface must not wrap into it.
        const int64_t py64 = int64_t{y} + g.top + gy;
        if (py64 < 0 || py64 >= h) continue;
        const int32_t py = static_cast<int32_t>(py64);
        for (int32_t gx = 0; gx < g.width; ++gx) {
            const int64_t px64 = int64_t{x} + g.left + gx;
            if (px64 < 0 || px64 >= w) continue;
            const int32_t px = static_cast<int32_t>(px64);
            const uint32_t a = g.coverage[static_cast<size_t>(gy) * static_cast<size_t>(g.width) + static_cast<size_t>(gx)];
            if (a == 0) continue;
            uint8_t* p = bits + static_cast<ptrdiff_t>(py) * pitch + static_cast<ptrdiff_t>(px) * 4;
            uint8_t* pa = alpha + static_cast<ptrdiff_t>(py) * alphaPitch + px;
            // The glyph over what lies there (both straight, not premultiplied).
            const uint32_t under = *pa;
            const uint32_t rest = under * (255 - a);  // under's weight × 255
            const uint32_t outA255 = a * 255 + rest;  // result alpha × 255
            if (outA255 == 0) continue;
            auto mix = [&](uint32_t top, uint32_t bottom) {
                return static_cast<uint8_t>((top * a * 255 + bottom * rest + outA255 / 2) / outA255);
            };
            p[0] = mix(cb, p[0]);
            p[1] = mix(cg, p[1]);
            p[2] = mix(cr, p[2]);
            *pa = static_cast<uint8_t>((outA255 + 127) / 255);
        }
    }
}

bool CTextSurface::DrawChar(CFont& font, uint32_t code, int32_t x, int32_t y, uint32_t rgb, int32_t style) {
    if (!IsCreated() || !CFont::IsAvailable()) return false;
    DCHandle dc = GetDC();
    if (!dc) return false;
    GdiObjectHandle old = dc->SelectObject(font.GetGdiFont());
    const SGlyphImage* glyph = nullptr;
    const bool ok = GdiGetGlyphOutline(dc, code, &glyph, nullptr);
    if (old) {
        dc->SelectObject(old);
    } else {
        dc->SelectNone(CGdiObject::EKind::Font);
    }
    ReleaseDC();
    if (!ok || !glyph) return false;
    if (!Lock()) return false;
    if ((style & TEXT_STYLE_SHADOW) && x < INT32_MAX && y < INT32_MAX) _Blend(glyph, x + 1, y + 1, 0x000000);
    _Blend(glyph, x, y, rgb);
    Unlock();
    return true;
}

bool CTextSurface::DrawLayout(CFont& font, const STextLayout& layout, int32_t x, int32_t y, uint32_t rgb, int32_t style) {
    if (!IsCreated() || !CFont::IsAvailable()) return false;
    // The shadows of a whole line go under all its letters, not only under their own.
    auto at = [](int32_t origin, int64_t offset) {
        return static_cast<int32_t>(std::clamp<int64_t>(origin + offset, INT32_MIN, INT32_MAX));
    };
    if (style & TEXT_STYLE_SHADOW) {
        for (const STextChar& c : layout.chars) DrawChar(font, c.code, at(x, int64_t{c.x} + 1), at(y, int64_t{c.y} + 1), 0x000000, 0);
    }
    for (const STextChar& c : layout.chars) DrawChar(font, c.code, at(x, c.x), at(y, c.y), rgb, 0);
    return true;
}

bool CTextSurface::GetArgb(std::vector<uint32_t>* out) {
    out->clear();
    if (!IsCreated() || !Lock()) return false;
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    const uint8_t* bits = GetBits();
    const uint8_t* alpha = GetAlphaBits();
    if (!bits || !alpha) {
        Unlock();
        return false;
    }
    out->resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = bits + static_cast<ptrdiff_t>(y) * GetPitch();
        const uint8_t* arow = alpha + static_cast<ptrdiff_t>(y) * GetAlphaPitch();
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* p = row + x * 4;
            (*out)[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                (static_cast<uint32_t>(arow[x]) << 24) | (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
        }
    }
    Unlock();
    return true;
}

bool TextSurfaceToPlane(CTextSurface& surface, CImagePlane* plane) {
    std::vector<uint32_t> argb;
    int32_t w = 0, h = 0;
    surface.GetSize(&w, &h);
    if (!plane || !surface.GetArgb(&argb)) return false;
    return plane->CreateFromArgb(argb.data(), w, h, w);
}
