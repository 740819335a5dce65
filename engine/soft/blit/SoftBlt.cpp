#include "engine/soft/blit/SoftBlt.h"

#include <algorithm>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"

namespace {

// The clipping works in 64 bits: callers' points and rectangles may lie anywhere in
// the 32-bit range without the sums overflowing.
struct SClip64 {
    int64_t x, y;
    int64_t left, top, right, bottom;  // source rectangle
    int64_t dR, dB;                    // destination right and bottom
};

SClip64 _StartClip(const SPoint& p, const SRect& s) {
    SClip64 c{p.x, p.y, s.left, s.top, s.right, s.bottom, 0, 0};
    c.dR = c.x + (c.right - c.left);
    c.dB = c.y + (c.bottom - c.top);
    return c;
}

void _ClipToRect(SClip64& c, const SRect& clip) {
    if (c.x < clip.left) {
        c.left += clip.left - c.x;
        c.x = clip.left;
    }
    if (c.y < clip.top) {
        c.top += clip.top - c.y;
        c.y = clip.top;
    }
    if (c.dR > clip.right) {
        c.right += clip.right - c.dR;
        c.dR = clip.right;
    }
    if (c.dB > clip.bottom) {
        c.bottom += clip.bottom - c.dB;
        c.dB = clip.bottom;
    }
}

void _ClipToSource(SClip64& c, const SSize& ss) {
    if (c.left < 0) {
        c.x -= c.left;
        c.left = 0;
    }
    if (c.top < 0) {
        c.y -= c.top;
        c.top = 0;
    }
    if (c.right > ss.cx) {
        c.dR += ss.cx - c.right;
        c.right = ss.cx;
    }
    if (c.bottom > ss.cy) {
        c.dB += ss.cy - c.bottom;
        c.bottom = ss.cy;
    }
}

void _ClipToDestOrigin(SClip64& c) {
    if (c.x < 0) {
        c.left -= c.x;
        c.x = 0;
    }
    if (c.y < 0) {
        c.top -= c.y;
        c.y = 0;
    }
}

int32_t _Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int _ClampOpacity(int opacity) { return std::clamp(opacity, 0, 255); }

}  // namespace

void ClipBltRects(CSoftSurface* dest, CSoftSurface* source, SPoint* point, SRect* sourceRect, const SRect* clip) {
    if (dest == nullptr || source == nullptr || point == nullptr || sourceRect == nullptr || clip == nullptr) {
        return;
    }
    const SSize ds = dest->GetSize();
    const SSize ss = source->GetSize();
    SClip64 c = _StartClip(*point, *sourceRect);
    // A clip whose right or bottom edge is negative covers no pixel of any surface.
    bool empty = clip->right < 0 || clip->bottom < 0;
    if (!empty) {
        _ClipToRect(c, *clip);
        _ClipToSource(c, ss);
        _ClipToDestOrigin(c);
        if (c.dR > ds.cx) {
            c.right += ds.cx - c.dR;
        }
        if (c.dB > ds.cy) {
            c.bottom += ds.cy - c.dB;
        }
        const int64_t w = c.right - c.left;
        const int64_t h = c.bottom - c.top;
        empty = !(c.left >= 0 && c.top >= 0 && c.right >= 0 && c.bottom >= 0 && c.left <= ss.cx && c.right <= ss.cx &&
                  c.top <= ss.cy && c.bottom <= ss.cy && w >= 1 && h >= 1 && c.x >= 0 && c.y >= 0 && c.x + w <= ds.cx &&
                  c.y + h <= ds.cy);
    }
    if (empty) {
        *point = SPoint{};
        *sourceRect = SRect{};
        return;
    }
    *point = SPoint{static_cast<int32_t>(c.x), static_cast<int32_t>(c.y)};
    *sourceRect = SRect{static_cast<int32_t>(c.left), static_cast<int32_t>(c.top), static_cast<int32_t>(c.right),
                        static_cast<int32_t>(c.bottom)};
}

void ClipBltRectsEx(SRect* drawn, CSoftSurface* dest, CSoftSurface* source, const SPoint* point,
                    const SRect* sourceRect, const SRect* clip) {
    if (drawn == nullptr) {
        return;
    }
    *drawn = SRect{};
    if (dest == nullptr || source == nullptr || point == nullptr || sourceRect == nullptr || clip == nullptr) {
        return;
    }
    SClip64 c = _StartClip(*point, *sourceRect);
    _ClipToRect(c, *clip);
    _ClipToSource(c, source->GetSize());
    _ClipToDestOrigin(c);
    if (c.right - c.left > 0 && c.bottom - c.top > 0 && c.dR - c.x > 0 && c.dB - c.y > 0) {
        *drawn = SRect{_Clamp32(c.x), _Clamp32(c.y), _Clamp32(c.dR), _Clamp32(c.dB)};
    }
}

SRect BltClippedRect(CSoftSurface* dest, CSoftSurface* source, const SPoint* point, const SRect* sourceRect,
                     const SRect* clip) {
    SRect drawn{};
    ClipBltRectsEx(&drawn, dest, source, point, sourceRect, clip);
    return drawn;
}

SoftBltKernel ChooseBltKernel(int sourceKind, int destKind, int sourceDepth, int opacity, int level) {
    const bool destAlpha = destKind == SURFACE_KIND_ALPHA;
    const int d = DepthToIndex(sourceDepth);
    const int variant = level <= 0 ? 0 : (level == 1 ? 1 : 2);
    static const SoftBltKernel kOpaque[4][3] = {
        {SoftBltOpaque15_Plain, SoftBltOpaque15_MMX, SoftBltOpaque15_SSE},
        {SoftBltOpaque16_Plain, SoftBltOpaque16_MMX, SoftBltOpaque16_SSE},
        {SoftBltOpaque24_Plain, SoftBltOpaque24_MMX, SoftBltOpaque24_SSE},
        {SoftBltOpaque32_Plain, SoftBltOpaque32_MMX, SoftBltOpaque32_SSE},
    };
    static const SoftBltKernel kAlpha[4][3] = {
        {SoftBltAlpha15_Plain, SoftBltAlpha15_MMX, SoftBltAlpha15_SSE},
        {SoftBltAlpha16_Plain, SoftBltAlpha16_MMX, SoftBltAlpha16_SSE},
        {SoftBltAlpha24_Plain, SoftBltAlpha24_MMX, SoftBltAlpha24_SSE},
        {SoftBltAlpha32_Plain, SoftBltAlpha32_MMX, SoftBltAlpha32_SSE},
    };
    static const SoftBltKernel kColorKey[4] = {SoftBltColorKey15, SoftBltColorKey16, SoftBltColorKey24,
                                               SoftBltColorKey32};
    static const SoftBltKernel kAlphaToAlpha[4] = {SoftBltAlphaToAlpha15, SoftBltAlphaToAlpha16, SoftBltAlphaToAlpha24,
                                                   SoftBltAlphaToAlpha32};
    switch (sourceKind) {
    case SURFACE_KIND_OPAQUE:
        if (destAlpha) return SoftBltOpaqueToAlpha;
        if (opacity >= 255) return SoftBltCopy;
        return d < 0 ? nullptr : kOpaque[d][variant];
    case SURFACE_KIND_COLORKEY:
        if (destAlpha) return SoftBltColorKeyToAlpha;
        return d < 0 ? nullptr : kColorKey[d];
    case SURFACE_KIND_ALPHA:
        if (d < 0) return nullptr;
        return destAlpha ? kAlphaToAlpha[d] : kAlpha[d][variant];
    default: return nullptr;
    }
}

void SoftBlt(CSoftSurface* dest, CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect,
             const SRect* clip, int opacity, uint32_t flags) {
    if (dest == nullptr || source == nullptr || destPoint == nullptr || sourceRect == nullptr || clip == nullptr) {
        return;
    }
    SPoint p = *destPoint;
    SRect s = *sourceRect;
    ClipBltRects(dest, source, &p, &s, clip);
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    if (w < 1 || h < 1) {
        return;
    }
    const int sourceDepth = source->GetBitDepth();
    if (dest->GetBitDepth() != sourceDepth) {
        // Every kernel reads and writes both surfaces at one pixel size.
        DebugPrintf("SoftBlt() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", dest->GetBitDepth(), sourceDepth);
        return;
    }
    const int o = _ClampOpacity(opacity);
    const int sourceKind = GetSurfaceKind(source->GetFormatFlags());
    const int destKind = GetSurfaceKind(dest->GetFormatFlags());
    const int level = static_cast<int>(CCpuInfo::GetFeatures() & 3);
    const SoftBltKernel kernel = ChooseBltKernel(sourceKind, destKind, sourceDepth, o, level);
    if (kernel == nullptr) {
        return;
    }
    // The tables are built at start-up; a blit before that still blends correctly.
    BuildBlendTables();
    const SRect destRect{p.x, p.y, p.x + w, p.y + h};
    kernel(*dest, *source, destRect, SPoint{s.left, s.top}, o, flags);
}

void CSoftSurface::Blt(CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect, const SRect* clip,
                       int opacity, uint32_t flags) {
    SoftBlt(this, source, destPoint, sourceRect, clip, opacity, flags);
    SRect drawn{};
    ClipBltRectsEx(&drawn, this, source, destPoint, sourceRect, clip);
    OnBlt(source, destPoint, sourceRect, clip, opacity, flags, drawn);
}

void CSoftSurface::BltRect(CSoftSurface* source, int x, int y, SRect sourceRect, int opacity) {
    if (source == nullptr || sourceRect.right <= sourceRect.left || sourceRect.bottom <= sourceRect.top ||
        sourceRect.right < 0 || sourceRect.bottom < 0) {
        return;
    }
    const SSize size = GetSize();
    const SPoint point{x, y};
    const SRect clip{0, 0, size.cx, size.cy};
    Blt(source, &point, &sourceRect, &clip, opacity, 0);
}

void CSoftSurface::BltAt(CSoftSurface* source, int x, int y, int opacity) {
    if (source == nullptr) {
        return;
    }
    const SSize sourceSize = source->GetSize();
    const SSize size = GetSize();
    const SPoint point{x, y};
    const SRect sourceRect{0, 0, sourceSize.cx, sourceSize.cy};
    const SRect clip{0, 0, size.cx, size.cy};
    Blt(source, &point, &sourceRect, &clip, opacity, 0);
}
