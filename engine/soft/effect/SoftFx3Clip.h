#pragma once
// Geometry of the three-surface effects: the clipping of a block that is read from two
// sources and written to a destination, and the rectangles the effect blitter reports
// for its calls.  Rectangles are {left, top, right, bottom} with right and bottom
// exclusive; the empty rectangle is {0, 0, 0, 0}.
#include <climits>
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// The identity of a union: joining anything to it gives that thing.
inline constexpr SRect kSoftFx3UnionIdentity{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};

// --- the geometry every mode shares ---
// Points and sizes may hold any 32-bit values.  A block's far edges (point + size), and
// every band or zoom measured from them, are worked out in 64 bits and only then
// narrowed to the 32-bit rectangles the blits take; nothing past the 32-bit range lies
// on a surface.

// A rectangle whose edges may pass the 32-bit range.
struct SRect64 {
    int64_t left, top, right, bottom;
};

// The block {p, p + s}.
inline SRect64 SoftFx3WideBlock(const SPoint& p, const SSize& s) {
    return SRect64{p.x, p.y, int64_t{p.x} + s.cx, int64_t{p.y} + s.cy};
}
// The block as a 32-bit rectangle, its far edges held to the range: a block that would
// end past it ends at its edge instead of wrapping round to a rectangle that lies
// elsewhere, and a negative size stays empty (right <= left or bottom <= top).
SRect SoftFx3BlockRect(const SPoint& p, const SSize& s);
// A blit of `rect` placed at (x, y), narrowed to 32 bits.  On the near side, a point or
// a near edge below the range moves the point and the rectangle's near edge on together
// until both are inside it, so the pixels that land keep their places; on the far side
// only the rectangle's (the source's) right and bottom are held to the range.  The
// destination's far edge, the point plus the width or height, is not held and may still
// pass the range: a blit's own clipping to its surface cuts it.  False when the point
// lies past the range or the rectangle is left empty.
bool SoftFx3NarrowBlt(int64_t x, int64_t y, SRect64 rect, SPoint* point, SRect* narrowed);

// Clips a block of `size` at dstPt in `dst`, src1Pt in `src1` and src2Pt in `src2`
// against `clip` (destination coordinates) and all three surfaces, moving the three
// points together so that corresponding pixels stay aligned.  On success the points
// and the size describe a non-empty block inside every surface and the clip and the
// answer is true; otherwise (a null surface included) all three points and the size
// become zero and the answer is false.
bool SoftFx3ClipBlock(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, SPoint* dstPt, SPoint* src1Pt,
                      SPoint* src2Pt, SSize* size, const SRect* clip);

// The destination rectangle a three-surface effect touches: the block placed at dstPt,
// cut by the clip rectangle, both sources and the destination's own extent;
// {0, 0, 0, 0} when nothing remains or a surface is missing.
SRect SoftFxPlaceRects3(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                        const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip);
// The same query under the name the band, zoom and jitter modes use.
SRect SoftFxPlaceRects3Alt(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                           const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip);

// The bounding box of the unclipped destination rectangles of the sources that are
// present ({dstNPt, dstNPt + sizeN}); {0, 0, 0, 0} when neither is.
SRect SoftFxUnionPlacedRects(CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt, const SPoint* dst2Pt,
                             const SSize* size1, const SSize* size2);
// The bounding box of the rectangles ClipBltRectsEx gives for each present source's
// block at its destination point, a present source whose block clips away counting as
// {0, 0, 0, 0}; {0, 0, 0, 0} when neither source is present or dst is null.
SRect SoftFxUnionBltRects(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt,
                          const SPoint* dst2Pt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size1,
                          const SSize* size2, const SRect* clip);
SRect SoftFxUnionBltRectsAlt(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt,
                             const SPoint* dst2Pt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size1,
                             const SSize* size2, const SRect* clip);

// Joins `part` to `acc` (smaller left and top, larger right and bottom).  An empty part
// leaves the union as it was.
void SoftFxJoinRect(SRect* acc, const SRect& part);
// Joins the clipped blit of a layer that is present: one that clipped away counts as
// {0, 0, 0, 0}, so the union then reaches to the origin.
void SoftFxJoinLayerRect(SRect* acc, const SRect& part);
// The intersection of two rectangles; {0, 0, 0, 0} when they do not overlap.
SRect SoftFxIntersectRect(const SRect& a, const SRect& b);

// The blit of the zoom and transition modes: nothing unless src is not null and both
// the source rectangle {l, t, r, b} and the clip have r >= 0, b >= 0, r > l and b > t;
// then dst->Blt with flags 0 (which notifies the destination).
void SoftSurfaceBltClipped(CSoftSurface* dst, CSoftSurface* src, int x, int y, const SRect& sourceRect,
                       const SRect& clip, int opacity);
