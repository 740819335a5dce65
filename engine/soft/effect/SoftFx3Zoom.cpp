// Zoom transitions of the three-surface blitter (modes 23 to 30): one source stretched
// to a size eased from the progress, centred on the block.
#include "engine/base/Counter.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"

namespace {

// Sizes up to this keep twice the size and every sum of the zoom inside 32 bits.
constexpr int32_t kMaxZoomSide = 1 << 28;

// The eased length of one side at progress p.  Called twice per frame: the counters
// live on the stack.
int32_t _ZoomedSide(int mode, int32_t side, int p) {
    CCounterAccel accel;
    CCounterSin sine;
    CCounter* counter = &accel;
    switch (mode) {
    case 23:
    case 27: accel.Set(0, side, -1024); break;
    case 24:
    case 28:
        counter = &sine;
        sine.Set(side, 0, -1024);
        break;
    case 25:
    case 29: accel.Set(side, 2 * side, 1024); break;
    case 26:
    case 30: accel.Set(2 * side, side, -1024); break;
    default: return 0;
    }
    counter->SetStep(p);
    return counter->GetValue();
}

SRect _Block(const SPoint& p, const SSize& s) { return SRect{p.x, p.y, p.x + s.cx, p.y + s.cy}; }

}  // namespace

SRect SoftFx3ZoomRect(int mode, const SPoint& dstPt, const SSize& size, int progress) {
    if (mode < 23 || mode > 30 || size.cx < 0 || size.cy < 0 || size.cx > kMaxZoomSide || size.cy > kMaxZoomSide ||
        dstPt.x < -kMaxZoomSide || dstPt.x > kMaxZoomSide || dstPt.y < -kMaxZoomSide || dstPt.y > kMaxZoomSide) {
        return SRect{};
    }
    const int p = SoftFx3ClampProgress(progress);
    const int32_t zw = _ZoomedSide(mode, size.cx, p);
    const int32_t zh = _ZoomedSide(mode, size.cy, p);
    const int32_t left = dstPt.x + (size.cx - zw) / 2;
    const int32_t top = dstPt.y + (size.cy - zh) / 2;
    return SRect{left, top, left + zw, top + zh};
}

void SoftFx3Zoom(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                 const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip, int progress) {
    if (dst == nullptr || dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr || size == nullptr ||
        clip == nullptr || mode < 23 || mode > 30) {
        return;
    }
    if (size->cx > kMaxZoomSide || size->cy > kMaxZoomSide || src1Pt->x > kMaxZoomSide ||
        src1Pt->y > kMaxZoomSide || src2Pt->x > kMaxZoomSide || src2Pt->y > kMaxZoomSide) {
        return;
    }
    const int p = SoftFx3ClampProgress(progress);
    const SRect zoom = SoftFx3ZoomRect(mode, *dstPt, *size, p);
    const SRect block1 = _Block(*src1Pt, *size);
    const SRect block2 = _Block(*src2Pt, *size);
    auto place = [&](CSoftSurface* src, const SRect& block, int opacity) {
        SoftSurfaceBltClipped(dst, src, dstPt->x, dstPt->y, block, *clip, opacity);
    };
    // StretchBlt itself refuses a null source and empty rectangles.
    auto stretch = [&](CSoftSurface* src, const SRect& block, int opacity) {
        dst->StretchBlt(src, zoom, block, *clip, opacity);
    };
    switch (mode) {
    case 23:
        place(src1, block1, 256);
        stretch(src2, block2, 256);
        break;
    case 24:
        place(src2, block2, 256);
        stretch(src1, block1, 256);
        break;
    case 25:
        if (p == 1024) {
            place(src2, block2, 256);
        } else {
            stretch(src1, block1, 256);
        }
        break;
    case 26:
        if (p == 0) {
            place(src1, block1, 256);
        } else {
            stretch(src2, block2, 256);
        }
        break;
    case 27:
        place(src1, block1, 256);
        stretch(src2, block2, (p >> 3) + (p >> 2));
        break;
    case 28:
        place(src2, block2, 256);
        stretch(src1, block1, 384 - (p >> 3) - (p >> 2));
        break;
    case 29:
        stretch(src1, block1, 256);
        dst->BltRect(src2, dstPt->x, dstPt->y, block2, p >> 2);
        break;
    case 30:
        place(src1, block1, 256);
        dst->StretchDraw(src2, zoom, block2, p >> 2);
        break;
    default: break;
    }
}
