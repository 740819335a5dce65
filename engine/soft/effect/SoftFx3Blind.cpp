// Band wipes of the three-surface blitter: the 32-row bands of mode 3 and the cascade
// blinds of modes 5 to 8 and 11 to 14.  Both draw through CSoftSurface::Blt, which
// clips and notifies each band by itself; neither cuts its last band at the end of
// the block.
#include <algorithm>

#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFx3Kernels.h"

namespace {

enum class ECascade { Down, Up, Right, Left };

bool _SameDepth(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2) {
    if (dst == nullptr || src1 == nullptr || src2 == nullptr) {
        return false;
    }
    const int depth = dst->GetBitDepth();
    return depth == src1->GetBitDepth() && depth == src2->GetBitDepth();
}

SRect _Block(const SPoint& p, const SSize& s) {
    return SRect{p.x, p.y, static_cast<int32_t>(int64_t{p.x} + s.cx), static_cast<int32_t>(int64_t{p.y} + s.cy)};
}

bool _Fits32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// Bands are L >> 4 lines: a block under 16 lines has none and shows only its background.
int64_t _CascadeBand(int64_t length) { return length >> 4; }

// How far the last band reaches past the far end of a run of `length` lines.
int64_t _CascadeOverhang(int64_t length) {
    const int64_t band = _CascadeBand(length);
    if (band < 1) return 0;
    return (length + band - 1) / band * band - length;
}

ECascade _Direction(int mode) {
    switch (mode) {
    case 6:
    case 12: return ECascade::Up;
    case 7:
    case 13: return ECascade::Right;
    case 8:
    case 14: return ECascade::Left;
    default: return ECascade::Down;
    }
}

void _Cascade(ECascade direction, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
              const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || rect == nullptr || clip == nullptr) {
        return;
    }
    const int64_t p = SoftFx3ClampProgress(progress);
    const bool rows = direction == ECascade::Down || direction == ECascade::Up;
    const int64_t length = rows ? int64_t{rect->bottom} - rect->top : int64_t{rect->right} - rect->left;
    if (length < 1 || !_Fits32(length)) {
        return;
    }
    const int64_t band = _CascadeBand(length);
    if (band < 1) {
        return;
    }
    // Every line a band can touch, before and after the block, in both coordinates.
    const int64_t lo = -band, hi = length + band;
    for (int64_t v : {int64_t{dstPt->x}, int64_t{dstPt->y}, int64_t{rect->left}, int64_t{rect->top}}) {
        if (!_Fits32(v + lo) || !_Fits32(v + hi)) {
            return;
        }
    }
    const int64_t reach = ((4 * length) / band + band) * p / 1024;
    for (int64_t k = 0; k * band < length; ++k) {
        const int64_t start = k * band;
        int64_t r = reach - 4 * k;
        if (r < 1) {
            break;
        }
        r = std::min(r, band);
        SRect part = *rect;
        SPoint at = *dstPt;
        switch (direction) {
        case ECascade::Down:
            part.top = static_cast<int32_t>(rect->top + start);
            part.bottom = static_cast<int32_t>(rect->top + start + r);
            at.y = static_cast<int32_t>(dstPt->y + start);
            break;
        case ECascade::Up:
            part.top = static_cast<int32_t>(rect->top + length - start - r);
            part.bottom = static_cast<int32_t>(rect->top + length - start);
            at.y = static_cast<int32_t>(dstPt->y + length - start - r);
            break;
        case ECascade::Right:
            part.left = static_cast<int32_t>(rect->left + start);
            part.right = static_cast<int32_t>(rect->left + start + r);
            at.x = static_cast<int32_t>(dstPt->x + start);
            break;
        case ECascade::Left:
            part.left = static_cast<int32_t>(rect->left + length - start - r);
            part.right = static_cast<int32_t>(rect->left + length - start);
            at.x = static_cast<int32_t>(dstPt->x + length - start - r);
            break;
        }
        dst->Blt(src, &at, &part, clip, opacity, 0);
    }
}

// Background, cascade, then the notification of the second source's whole block.
void _CascadeMode(ECascade direction, bool blended, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                  const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size,
                  const SRect* clip, int progress) {
    if (!_SameDepth(dst, src1, src2) || dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr ||
        size == nullptr || clip == nullptr) {
        return;
    }
    const int p = SoftFx3ClampProgress(progress);
    const SRect rect1 = _Block(*src1Pt, *size);
    const SRect rect2 = _Block(*src2Pt, *size);
    const int opacity = blended ? p >> 2 : 256;
    dst->Blt(src1, dstPt, &rect1, clip, 256, 0);
    _Cascade(direction, dst, src2, dstPt, &rect2, clip, opacity, p);
    SRect drawn{};
    ClipBltRectsEx(&drawn, dst, src2, dstPt, &rect2, clip);
    dst->OnBlt(src2, dstPt, &rect2, clip, opacity, static_cast<uint32_t>(p), drawn);
}

}  // namespace

void SoftFx3CascadeBlindsRows(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                              const SRect* clip, int opacity, int progress) {
    _Cascade(ECascade::Down, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsRowsUp(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                const SRect* clip, int opacity, int progress) {
    _Cascade(ECascade::Up, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsColumns(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                 const SRect* clip, int opacity, int progress) {
    _Cascade(ECascade::Right, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsColumnsLeft(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                     const SRect* clip, int opacity, int progress) {
    _Cascade(ECascade::Left, dst, src, dstPt, rect, clip, opacity, progress);
}

void SoftFx3CascadeExtent(int mode, const SPoint& dstPt, const SRect& rect, SPoint* at, SRect* extent) {
    *at = dstPt;
    *extent = rect;
    if (!((mode >= 5 && mode <= 8) || (mode >= 11 && mode <= 14))) {
        return;
    }
    const ECascade direction = _Direction(mode);
    const bool rows = direction == ECascade::Down || direction == ECascade::Up;
    const int64_t length = rows ? int64_t{rect.bottom} - rect.top : int64_t{rect.right} - rect.left;
    if (length < 1) {
        return;
    }
    const int64_t over = _CascadeOverhang(length);
    auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    switch (direction) {
    case ECascade::Down: extent->bottom = clamp(rect.bottom + over); break;
    case ECascade::Right: extent->right = clamp(rect.right + over); break;
    case ECascade::Up:
        extent->top = clamp(rect.top - over);
        at->y = clamp(dstPt.y - over);
        break;
    case ECascade::Left:
        extent->left = clamp(rect.left - over);
        at->x = clamp(dstPt.x - over);
        break;
    }
}

SRect SoftFx3Mode3Extent(const SPoint& srcPt, const SSize& size) {
    const int64_t rows = (int64_t{size.cy} + 31) / 32 * 32;
    return SRect{srcPt.x, srcPt.y, static_cast<int32_t>(std::min<int64_t>(int64_t{srcPt.x} + size.cx, INT32_MAX)),
                 static_cast<int32_t>(std::min<int64_t>(int64_t{srcPt.y} + rows, INT32_MAX))};
}

#define PG_CASCADE_MODE(number, direction, blended)                                                              \
    void SoftFx3CascadeBlindsMode##number(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,             \
                                          const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt,      \
                                          const SSize* size, const SRect* clip, int progress) {                  \
        _CascadeMode(direction, blended, dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip, progress);         \
    }
PG_CASCADE_MODE(5, ECascade::Down, false)
PG_CASCADE_MODE(6, ECascade::Up, false)
PG_CASCADE_MODE(7, ECascade::Right, false)
PG_CASCADE_MODE(8, ECascade::Left, false)
PG_CASCADE_MODE(11, ECascade::Down, true)
PG_CASCADE_MODE(12, ECascade::Up, true)
PG_CASCADE_MODE(13, ECascade::Right, true)
PG_CASCADE_MODE(14, ECascade::Left, true)
#undef PG_CASCADE_MODE

void SoftFx3Mode3(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                  const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip, int progress) {
    if (!_SameDepth(dst, src1, src2) || dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr ||
        size == nullptr || clip == nullptr) {
        return;
    }
    const int64_t shown = SoftFx3ClampProgress(progress) >> 5;
    const int64_t w = size->cx;
    // Bands starting below the clip rectangle are never drawn: the loop need not visit them.
    const int64_t h = std::min<int64_t>(size->cy, int64_t{clip->bottom} - dstPt->y);
    // The last band may reach 32 rows past h.
    if (w < 1 || h < 1 || !_Fits32(int64_t{src1Pt->x} + w) || !_Fits32(int64_t{src2Pt->x} + w) ||
        !_Fits32(int64_t{src1Pt->y} + h + 32) || !_Fits32(int64_t{src2Pt->y} + h + 32) ||
        !_Fits32(int64_t{dstPt->y} + h + 32)) {
        return;
    }
    for (int64_t top = 0; top < h; top += 32) {
        if (shown > 0) {
            const SPoint at{dstPt->x, static_cast<int32_t>(dstPt->y + top)};
            const SRect part{src2Pt->x, static_cast<int32_t>(src2Pt->y + top), static_cast<int32_t>(src2Pt->x + w),
                             static_cast<int32_t>(src2Pt->y + top + shown)};
            dst->Blt(src2, &at, &part, clip, 256, 0);
        }
        if (shown < 32) {
            const SPoint at{dstPt->x, static_cast<int32_t>(dstPt->y + top + shown)};
            const SRect part{src1Pt->x, static_cast<int32_t>(src1Pt->y + top + shown),
                             static_cast<int32_t>(src1Pt->x + w), static_cast<int32_t>(src1Pt->y + top + 32)};
            dst->Blt(src1, &at, &part, clip, 256, 0);
        }
    }
}
