// Band wipes of the three-surface blitter: the 32-row bands of mode 3 and the cascade
// blinds of modes 5 to 8 and 11 to 14.  Both draw through CSoftSurface::Blt, which
// clips and notifies each band by itself; neither cuts its last band at the end of
// the block.
#include <algorithm>

#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFx3Clip.h"
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

bool _IsRows(ECascade direction) { return direction == ECascade::Down || direction == ECascade::Up; }

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

// Blits `rect` of src at (x, y), both in 64 bits, narrowed to the 32-bit range.
void _Blt(CSoftSurface* dst, CSoftSurface* src, int64_t x, int64_t y, const SRect64& rect, const SRect* clip,
          int opacity) {
    SPoint point{};
    SRect narrowed{};
    if (SoftFx3NarrowBlt(x, y, rect, &point, &narrowed)) {
        dst->Blt(src, &point, &narrowed, clip, opacity, 0);
    }
}

// The cascade of `rect` at `dstPt`.  The rectangle is in 64 bits: a block's far edges
// may pass the 32-bit range, and its length L and every band are measured on it whole.
void _Cascade(ECascade direction, CSoftSurface* dst, CSoftSurface* src, const SPoint& dstPt, const SRect64& rect,
              const SRect* clip, int opacity, int progress) {
    const int64_t p = SoftFx3ClampProgress(progress);
    const bool rows = _IsRows(direction);
    const int64_t length = rows ? rect.bottom - rect.top : rect.right - rect.left;
    const int64_t band = _CascadeBand(length);
    if (band < 1) {
        return;
    }
    const int64_t reach = ((4 * length) / band + band) * p / 1024;
    for (int64_t k = 0; k * band < length; ++k) {
        int64_t r = reach - 4 * k;
        if (r < 1) {
            break;
        }
        r = std::min(r, band);
        // The band's first line, counted from the rectangle's near edge: bands grow from
        // the edge where the cascade starts.
        const bool fromNear = direction == ECascade::Down || direction == ECascade::Right;
        const int64_t from = fromNear ? k * band : length - k * band - r;
        SRect64 part = rect;
        int64_t x = dstPt.x, y = dstPt.y;
        if (rows) {
            part.top = rect.top + from;
            part.bottom = part.top + r;
            y += from;
        } else {
            part.left = rect.left + from;
            part.right = part.left + r;
            x += from;
        }
        _Blt(dst, src, x, y, part, clip, opacity);
    }
}

void _CascadeKernel(ECascade direction, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                    const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || rect == nullptr || clip == nullptr) {
        return;
    }
    _Cascade(direction, dst, src, *dstPt, SRect64{rect->left, rect->top, rect->right, rect->bottom}, clip, opacity,
             progress);
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
    const SRect rect1 = SoftFx3BlockRect(*src1Pt, *size);
    const SRect rect2 = SoftFx3BlockRect(*src2Pt, *size);
    const int opacity = blended ? p >> 2 : 256;
    dst->Blt(src1, dstPt, &rect1, clip, 256, 0);
    _Cascade(direction, dst, src2, *dstPt, SoftFx3WideBlock(*src2Pt, *size), clip, opacity, p);
    SRect drawn{};
    ClipBltRectsEx(&drawn, dst, src2, dstPt, &rect2, clip);
    dst->OnBlt(src2, dstPt, &rect2, clip, opacity, static_cast<uint32_t>(p), drawn);
}

}  // namespace

void SoftFx3CascadeBlindsRows(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                              const SRect* clip, int opacity, int progress) {
    _CascadeKernel(ECascade::Down, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsRowsUp(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                const SRect* clip, int opacity, int progress) {
    _CascadeKernel(ECascade::Up, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsColumns(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                 const SRect* clip, int opacity, int progress) {
    _CascadeKernel(ECascade::Right, dst, src, dstPt, rect, clip, opacity, progress);
}
void SoftFx3CascadeBlindsColumnsLeft(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                     const SRect* clip, int opacity, int progress) {
    _CascadeKernel(ECascade::Left, dst, src, dstPt, rect, clip, opacity, progress);
}

bool SoftFx3CascadeExtent(int mode, const SPoint& dstPt, const SPoint& srcPt, const SSize& size, SPoint* at,
                          SRect* extent) {
    SRect64 wide = SoftFx3WideBlock(srcPt, size);
    int64_t x = dstPt.x, y = dstPt.y;
    if ((mode >= 5 && mode <= 8) || (mode >= 11 && mode <= 14)) {
        const ECascade direction = _Direction(mode);
        const int64_t over = _CascadeOverhang(_IsRows(direction) ? wide.bottom - wide.top : wide.right - wide.left);
        switch (direction) {
        case ECascade::Down: wide.bottom += over; break;
        case ECascade::Right: wide.right += over; break;
        case ECascade::Up:
            wide.top -= over;
            y -= over;
            break;
        case ECascade::Left:
            wide.left -= over;
            x -= over;
            break;
        }
    }
    return SoftFx3NarrowBlt(x, y, wide, at, extent);
}

SRect SoftFx3Mode3Extent(const SPoint& srcPt, const SSize& size) {
    const int64_t rows = (int64_t{size.cy} + 31) / 32 * 32;
    SPoint at{};
    SRect extent{};
    return SoftFx3NarrowBlt(srcPt.x, srcPt.y, SRect64{srcPt.x, srcPt.y, int64_t{srcPt.x} + size.cx, srcPt.y + rows},
                            &at, &extent)
               ? extent
               : SRect{};
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
    // Only the bands that meet the clip rectangle and the destination are visited: the
    // others draw nothing, and a block may be 2^31 rows high.
    const int64_t firstRow = std::max<int64_t>(clip->top, 0) - dstPt->y;
    const int64_t first = firstRow > 0 ? firstRow / 32 * 32 : 0;
    const int64_t h = std::min<int64_t>(
        {size->cy, int64_t{clip->bottom} - dstPt->y, int64_t{dst->GetSize().cy} - dstPt->y});
    // Rows `from` to `to` of the band at `top`, from the source's block at srcPt.
    auto part = [&](CSoftSurface* src, const SPoint& srcPt, int64_t top, int64_t from, int64_t to) {
        if (from < to) {
            _Blt(dst, src, dstPt->x, dstPt->y + top + from,
                 SRect64{srcPt.x, srcPt.y + top + from, int64_t{srcPt.x} + size->cx, srcPt.y + top + to}, clip, 256);
        }
    };
    for (int64_t top = first; top < h; top += 32) {
        part(src2, *src2Pt, top, 0, shown);
        part(src1, *src1Pt, top, shown, 32);
    }
}
