#pragma once
// The blit dispatcher: every unscaled copy of one software surface onto another.
// SoftBlt clips the request against a clip rectangle and both surfaces, clamps the
// opacity to 0..255 and hands the clipped rectangles to the one kernel chosen by the
// source's kind, the destination's kind, the source's depth, the opacity and the
// processor level (CCpuInfo::GetFeatures() & 3).  CSoftSurface::Blt, BltRect and BltAt
// wrap it and send the destination its OnBlt notification.
#include <cstdint>

#include "engine/soft/blit/BlitKernels.h"
#include "platform/sys/Geometry.h"

class CSoftSurface;

// Blits sourceRect of `source` to destPoint of `dest`, clipped to `clip` (destination
// coordinates) and to both surfaces.  Nothing happens when either surface is null, when
// nothing is left after clipping, or when the two surfaces differ in depth (logged).
// The caller's point and rectangle are not modified.
void SoftBlt(CSoftSurface* dest, CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect,
             const SRect* clip, int opacity, uint32_t flags);

// Clips a request in place: on return the point and rectangle describe a block that
// lies inside both surfaces and the clip, or both are zeros when nothing is left (also
// for a clip rectangle whose right or bottom edge is negative, which covers nothing).
void ClipBltRects(CSoftSurface* dest, CSoftSurface* source, SPoint* point, SRect* sourceRect, const SRect* clip);

// The destination rectangle a blit of these arguments covers, for notifications.  It is
// clipped to the clip rectangle, the source and the destination's origin, but not to
// the destination's size; {0, 0, 0, 0} when nothing is covered.
void ClipBltRectsEx(SRect* drawn, CSoftSurface* dest, CSoftSurface* source, const SPoint* point,
                    const SRect* sourceRect, const SRect* clip);
SRect BltClippedRect(CSoftSurface* dest, CSoftSurface* source, const SPoint* point, const SRect* sourceRect,
                     const SRect* clip);

// The kernel SoftBlt takes for a request: source kind and destination kind (format
// flags & 3), the source's depth, the clamped opacity and the processor level (0 plain,
// 1 MMX, 2 or 3 SSE).  Null when nothing is to be drawn (source not created, depth not
// one of 15, 16, 24, 32 where the kernel depends on it).
SoftBltKernel ChooseBltKernel(int sourceKind, int destKind, int sourceDepth, int opacity, int level);
