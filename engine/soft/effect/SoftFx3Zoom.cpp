// Zoom transitions of the three-surface blitter (modes 23 to 30): one source stretched
// to a size eased from the progress, centred on the block.
#include <algorithm>

#include "engine/base/Counter.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"

namespace {

// The eased length of one side at progress p.  The modes that grow to twice the block
// count from the block's own side, the counter running over (0, side): twice a side
// passes the 32-bit range from 2^30 on, and the counters give the same values either
// way (their quotients by 1024² are exact).  Called twice per frame: the counters live
// on the stack.
int64_t _ZoomedSide(int mode, int32_t side, int p) {
    CCounterAccel accel;
    CCounterSin sine;
    CCounter* counter = &accel;
    int64_t base = 0;
    switch (mode) {
    case 23:
    case 27: accel.Set(0, side, -1024); break;
    case 24:
    case 28:
        counter = &sine;
        sine.Set(side, 0, -1024);
        break;
    case 25:
    case 29:
        // (side, 2 side, 1024)
        base = side;
        accel.Set(0, side, 1024);
        break;
    case 26:
    case 30:
        // (2 side, side, -1024)
        base = side;
        accel.Set(side, 0, -1024);
        break;
    default: return 0;
    }
    counter->SetStep(p);
    return base + counter->GetValue();
}

// The zoomed rectangle in 64 bits; empty for other modes and negative sizes.
SRect64 _ZoomRect(int mode, const SPoint& dstPt, const SSize& size, int progress) {
    if (mode < 23 || mode > 30 || size.cx < 0 || size.cy < 0) {
        return SRect64{};
    }
    const int p = SoftFx3ClampProgress(progress);
    const int64_t zw = _ZoomedSide(mode, size.cx, p);
    const int64_t zh = _ZoomedSide(mode, size.cy, p);
    const int64_t left = dstPt.x + (size.cx - zw) / 2;
    const int64_t top = dstPt.y + (size.cy - zh) / 2;
    return SRect64{left, top, left + zw, top + zh};
}

int32_t _Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The rectangle held to the 32-bit range.
SRect _Held(const SRect64& r) { return SRect{_Clamp32(r.left), _Clamp32(r.top), _Clamp32(r.right), _Clamp32(r.bottom)}; }

}  // namespace

SRect SoftFx3ZoomRect(int mode, const SPoint& dstPt, const SSize& size, int progress) {
    return _Held(_ZoomRect(mode, dstPt, size, progress));
}

void SoftFx3Zoom(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                 const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip, int progress) {
    if (dst == nullptr || dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr || size == nullptr ||
        clip == nullptr || mode < 23 || mode > 30) {
        return;
    }
    const int p = SoftFx3ClampProgress(progress);
    const SRect64 zoom = _ZoomRect(mode, *dstPt, *size, p);
    const SRect block1 = SoftFx3BlockRect(*src1Pt, *size);
    const SRect block2 = SoftFx3BlockRect(*src2Pt, *size);
    auto place = [&](CSoftSurface* src, const SRect& block, int opacity) {
        SoftSurfaceBltClipped(dst, src, dstPt->x, dstPt->y, block, *clip, opacity);
    };
    // A zoomed rectangle of the block's own size is a plain blit at its corner, the
    // sizes compared before either rectangle is held to the 32-bit range; any other is a
    // stretch, which refuses a null source and empty rectangles by itself.
    const SSize whole = dst->GetSize();
    auto zoomed = [&](CSoftSurface* src, const SPoint& srcPt, int opacity, const SRect& passClip) {
        SPoint at{};
        SRect part{};
        if (zoom.right - zoom.left != size->cx || zoom.bottom - zoom.top != size->cy) {
            dst->StretchBlt(src, _Held(zoom), SoftFx3BlockRect(srcPt, *size), passClip, opacity);
        } else if (SoftFx3NarrowBlt(zoom.left, zoom.top, SoftFx3WideBlock(srcPt, *size), &at, &part)) {
            SoftSurfaceBltClipped(dst, src, at.x, at.y, part, passClip, opacity);
        }
    };
    auto stretch = [&](CSoftSurface* src, const SPoint& srcPt, int opacity) { zoomed(src, srcPt, opacity, *clip); };
    switch (mode) {
    case 23:
        place(src1, block1, 256);
        stretch(src2, *src2Pt, 256);
        break;
    case 24:
        place(src2, block2, 256);
        stretch(src1, *src1Pt, 256);
        break;
    case 25:
        if (p == 1024) {
            place(src2, block2, 256);
        } else {
            stretch(src1, *src1Pt, 256);
        }
        break;
    case 26:
        if (p == 0) {
            place(src1, block1, 256);
        } else {
            stretch(src2, *src2Pt, 256);
        }
        break;
    case 27:
        place(src1, block1, 256);
        stretch(src2, *src2Pt, (p >> 3) + (p >> 2));
        break;
    case 28:
        place(src2, block2, 256);
        stretch(src1, *src1Pt, 384 - (p >> 3) - (p >> 2));
        break;
    case 29:
        stretch(src1, *src1Pt, 256);
        dst->BltRect(src2, dstPt->x, dstPt->y, block2, p >> 2);
        break;
    case 30:
        place(src1, block1, 256);
        zoomed(src2, *src2Pt, p >> 2, SRect{0, 0, whole.cx, whole.cy});
        break;
    default: break;
    }
}
