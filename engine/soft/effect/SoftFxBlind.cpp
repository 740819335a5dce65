// Effects made of plain blits or block replication: blinds, the box blur, the mosaic.
#include <algorithm>

#include "engine/base/Log.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"

using softfx::SPx;

namespace {

constexpr int kBand = 32;

// One Blt per band of 32 rows (vertical: columns); each band shows its first s rows.
// The last band is not cut at the source rectangle's edge: it shows the rows below it
// as far as the source surface has them, and the reported rectangle grows to match.
void _Blinds(bool vertical, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
             const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    const int s = SoftFxClampProgress(progress) >> 5;
    const SSize ss = src->GetSize();
    const int64_t extent = vertical ? int64_t{srcRect->right} - srcRect->left : int64_t{srcRect->bottom} - srcRect->top;
    const int64_t start = vertical ? srcRect->left : srcRect->top;
    const int64_t limit = vertical ? ss.cx : ss.cy;
    // Bands whose 32 lines all lie before the source's near edge draw nothing either: the
    // walk starts after them, since a rectangle may begin 2^31 lines before that edge.
    const int64_t before = -start - kBand;
    for (int64_t k = before >= 0 ? before / kBand + 1 : 0; kBand * k < extent; ++k) {
        const int64_t first = start + kBand * k;
        // Bands that begin past the source's far edge can draw nothing; neither can any later one.
        if (first >= limit && first >= 0) break;
        SRect band = *srcRect;
        SPoint at = *dstPt;
        if (vertical) {
            band.left = softfx::Clamp32(first);
            band.right = softfx::Clamp32(first + s);
            at.x = softfx::Clamp32(int64_t{dstPt->x} + kBand * k);
        } else {
            band.top = softfx::Clamp32(first);
            band.bottom = softfx::Clamp32(first + s);
            at.y = softfx::Clamp32(int64_t{dstPt->y} + kBand * k);
        }
        dst->Blt(src, &at, &band, clip, opacity, 0);
    }
}

}  // namespace

void SoftFxBlindsH(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int progress) {
    _Blinds(false, dst, src, dstPt, srcRect, clip, opacity, progress);
}

void SoftFxBlindsV(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int progress) {
    _Blinds(true, dst, src, dstPt, srcRect, clip, opacity, progress);
}

SRect SoftFxBlindsExtent(bool vertical, const SRect& srcRect, int progress) {
    const int64_t s = SoftFxClampProgress(progress) >> 5;
    const int64_t start = vertical ? srcRect.left : srcRect.top;
    const int64_t end = vertical ? srcRect.right : srcRect.bottom;
    SRect extent = srcRect;
    if (end <= start) return extent;
    // The last band begins at the last multiple of 32 inside the rectangle.
    const int64_t last = start + (end - 1 - start) / kBand * kBand + s;
    if (last > end) (vertical ? extent.right : extent.bottom) = softfx::Clamp32(last);
    return extent;
}

// ---------------------------------------------------------------------------------------
// Box blur

void SoftFxBoxBlur(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                   const SRect* clip, int opacity, int n) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    if (n < 2) {
        SoftBlt(dst, src, dstPt, srcRect, clip, opacity, 0);
        return;
    }
    const int64_t a = int64_t{opacity} / (int64_t{n} * n);
    // Blits at opacity 0 change nothing: a blur too wide for its opacity is skipped whole.
    if (a <= 0) return;
    const int lo = -(n / 2);
    const int hi = n - n / 2;
    for (int dy = lo; dy < hi; ++dy) {
        for (int dx = lo; dx < hi; ++dx) {
            const SPoint at{softfx::Clamp32(int64_t{dstPt->x} + dx), softfx::Clamp32(int64_t{dstPt->y} + dy)};
            SoftBlt(dst, src, &at, srcRect, clip, static_cast<int>(a), 0);
        }
    }
}

SRect SoftFxBoxBlurRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                        const SRect* clip, int n) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return SRect{};
    // A size below 1 would shrink the customary rectangle below the plain blit drawn.
    if (n < 1) return SoftFxBltRect(dst, src, dstPt, srcRect, clip);
    // The customary rectangle: the blit moved back by N/2 and grown by N (N = 1 too,
    // though that size draws the plain blit alone).
    const int half = n / 2;
    const SPoint back{softfx::Clamp32(int64_t{dstPt->x} - half), softfx::Clamp32(int64_t{dstPt->y} - half)};
    const SRect grown{srcRect->left, srcRect->top, softfx::Clamp32(int64_t{srcRect->right} + n),
                      softfx::Clamp32(int64_t{srcRect->bottom} + n)};
    SRect rect = SoftFxBltRect(dst, src, &back, &grown, clip);
    // Where the source ends inside the grown rectangle, that one falls short of the
    // offset blits on the right and bottom: add the union of the blits themselves, the
    // source-clipped block spread from offset lo to offset hi - 1 on both axes.
    const SSize ss = src->GetSize();
    const int64_t sl = std::max<int64_t>(srcRect->left, 0);
    const int64_t st = std::max<int64_t>(srcRect->top, 0);
    const int64_t sr = std::min<int64_t>(srcRect->right, ss.cx);
    const int64_t sb = std::min<int64_t>(srcRect->bottom, ss.cy);
    if (sr > sl && sb > st) {
        const int64_t lo = -half;
        const int64_t hi = n - half;
        const int64_t x0 = int64_t{dstPt->x} + (sl - srcRect->left);
        const int64_t y0 = int64_t{dstPt->y} + (st - srcRect->top);
        const int64_t left = std::max<int64_t>({x0 + lo, clip->left, 0});
        const int64_t top = std::max<int64_t>({y0 + lo, clip->top, 0});
        const int64_t right = std::min<int64_t>(x0 + (sr - sl) + hi - 1, clip->right);
        const int64_t bottom = std::min<int64_t>(y0 + (sb - st) + hi - 1, clip->bottom);
        if (right > left && bottom > top) {
            rect = softfx::Union(rect, SRect{softfx::Clamp32(left), softfx::Clamp32(top), softfx::Clamp32(right),
                                             softfx::Clamp32(bottom)});
        }
    }
    return rect;
}

// ---------------------------------------------------------------------------------------
// Mosaic

namespace {

struct SMosaicArgs {
    uint8_t* dstBits;
    const uint8_t* srcBits;
    intptr_t dstPitch;
    intptr_t srcPitch;
    SPoint point;
    SRect rect;
    SPoint anchor;
    int opacity;
    int n;
};

template <int kDepth, bool kFull>
void _MosaicRow(const SMosaicArgs& a, const uint8_t* s, int64_t cx, int firstRow, int rows, int w) {
    using P = SPx<kDepth>;
    constexpr int B = P::kBytes;
    const auto o = static_cast<uint8_t>(a.opacity);
    int64_t c = cx;
    const uint8_t* held = s;
    for (int i = 0; i < w; ++i) {
        if (c == 0) held = s + i * B;
        for (int r = 0; r < rows; ++r) {
            uint8_t* d = softfx::At(a.dstBits, a.dstPitch, int64_t{a.point.x} + i, int64_t{a.point.y} + firstRow + r, B);
            if constexpr (kFull) P::Copy(d, held);
            else P::Blend(d, held, o);
        }
        if (++c == a.n) c = 0;
    }
}

template <int kDepth, bool kFull>
void _Mosaic(const SMosaicArgs& a) {
    if constexpr (!kFull) {
        if (a.opacity == 0) return;
    }
    const int w = a.rect.right - a.rect.left;
    const int h = a.rect.bottom - a.rect.top;
    const int64_t half = a.n >> 1;
    const int64_t cx = (half - a.anchor.x + a.point.x) % a.n;
    const int64_t cy = (half - a.anchor.y + a.point.y) % a.n;
    constexpr int B = SPx<kDepth>::kBytes;
    auto sourceRow = [&](int row) { return softfx::At(a.srcBits, a.srcPitch, a.rect.left, int64_t{a.rect.top} + row, B); };
    int64_t row = 0;
    int64_t bandRows = a.n - cy;
    while (row < int64_t{h} - a.n) {
        _MosaicRow<kDepth, kFull>(a, sourceRow(static_cast<int>(row)), cx, static_cast<int>(row),
                                  static_cast<int>(bandRows), w);
        row += bandRows;
        bandRows = a.n;
    }
    if (row < h) {
        _MosaicRow<kDepth, kFull>(a, sourceRow(static_cast<int>(row)), cx, static_cast<int>(row),
                                  static_cast<int>(h - row), w);
    }
}

}  // namespace

#define PG_MOSAIC_KERNEL(NAME, D, FULL)                                                                             \
    void NAME(uint8_t* dstBits, const uint8_t* srcBits, const SPoint* point, const SRect* rect, const SPoint* anchor, \
              int dstPitch, int srcPitch, int opacity, int n) {                                                    \
        if (dstBits == nullptr || srcBits == nullptr || point == nullptr || rect == nullptr || anchor == nullptr ||  \
            n < 1 || rect->right - rect->left < 1 || rect->bottom - rect->top < 1) {                                \
            return;                                                                                                \
        }                                                                                                          \
        const SMosaicArgs a{dstBits, srcBits, dstPitch, srcPitch, *point, *rect, *anchor, SoftFxClampOpacity(opacity), \
                            n};                                                                                    \
        _Mosaic<D, FULL>(a);                                                                                       \
    }
PG_MOSAIC_KERNEL(SoftFxMosaic15_16, 16, true)
PG_MOSAIC_KERNEL(SoftFxMosaic24, 24, true)
PG_MOSAIC_KERNEL(SoftFxMosaic32, 32, true)
PG_MOSAIC_KERNEL(SoftFxMosaic15Blend, 15, false)
PG_MOSAIC_KERNEL(SoftFxMosaic16Blend, 16, false)
PG_MOSAIC_KERNEL(SoftFxMosaic24Blend, 24, false)
PG_MOSAIC_KERNEL(SoftFxMosaic32Blend, 32, false)
#undef PG_MOSAIC_KERNEL

void SoftFxMosaicDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* point, const SRect* rect,
                          const SPoint* anchor, int opacity, int n) {
    if (dst == nullptr || src == nullptr || point == nullptr || rect == nullptr || anchor == nullptr || n < 1) return;
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    const int depth = src->GetBitDepth();
    if (dst->GetBitDepth() != depth) {
        DebugPrintf("SoftFxMosaicDispatch() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", dst->GetBitDepth(),
                    depth);
        return;
    }
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    const int64_t w = int64_t{rect->right} - rect->left;
    const int64_t h = int64_t{rect->bottom} - rect->top;
    if (w < 1 || h < 1) return;
    if (point->x < 0 || point->y < 0 || point->x + w > ds.cx || point->y + h > ds.cy || rect->left < 0 ||
        rect->top < 0 || rect->right > ss.cx || rect->bottom > ss.cy || point->x < anchor->x ||
        point->y < anchor->y) {
        DebugPrintf("SoftFxMosaicDispatch() 矩形が面の外にはみ出している[%d,%d,%d,%d]", rect->left, rect->top,
                    rect->right, rect->bottom);
        return;
    }
    uint8_t* dstBits = dst->GetBits();
    const uint8_t* srcBits = src->GetBits();
    if (dstBits == nullptr || srcBits == nullptr) return;
    BuildBlendTables();
    using Kernel = void (*)(uint8_t*, const uint8_t*, const SPoint*, const SRect*, const SPoint*, int, int, int, int);
    static const Kernel kFull[4] = {SoftFxMosaic15_16, SoftFxMosaic15_16, SoftFxMosaic24, SoftFxMosaic32};
    static const Kernel kBlend[4] = {SoftFxMosaic15Blend, SoftFxMosaic16Blend, SoftFxMosaic24Blend, SoftFxMosaic32Blend};
    const int index = DepthToIndex(depth);
    if (index < 0) return;
    const int o = SoftFxClampOpacity(opacity);
    (o == 255 ? kFull : kBlend)[index](dstBits, srcBits, point, rect, anchor, dst->GetPitch(), src->GetPitch(), o, n);
}

void SoftFxMosaic(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                  int opacity, int n) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    const int o = SoftFxClampOpacity(opacity);
    if (n < 1) {
        dst->Blt(src, dstPt, srcRect, clip, o, 0);
        return;
    }
    SPoint p = *dstPt;
    SRect r = *srcRect;
    ClipBltRects(dst, src, &p, &r, clip);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    if (GetSurfaceKind(src->GetFormatFlags()) != SURFACE_KIND_OPAQUE) return;
    SoftFxMosaicDispatch(dst, src, &p, &r, dstPt, o, n);
}
