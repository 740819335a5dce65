#pragma once
// The stretch dispatchers: a source rectangle scaled into a destination rectangle of
// another size, clipped to a clip rectangle (destination coordinates), with an opacity.
//
// CSoftSurface::StretchBlt is the entry (SoftSurface.h).  Each filter then runs in three
// stages: the first stage (SoftStretchNearest, SoftStretchBilinear) clamps the opacity,
// refuses rectangles under 2 pixels wide or high and picks the source kind; the per-kind
// dispatcher locks both surfaces (destination first) and picks the row kernel by opacity
// and the source's depth; the row kernel (StretchKernels.h) draws.
//
// An Opaque or ColorKey source onto a destination with an alpha plane uses the ordinary
// kernels and leaves that plane unchanged; an Alpha source onto a destination whose kind
// is Alpha is AlphaToAlpha.  A destination of another depth than the source's is refused
// (logged): the kernels write the source's pixel size.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// First stages.  Nothing happens when a surface or a rectangle is null.
void SoftStretchNearest(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                        const SRect* clip, int opacity, uint32_t flags);
void SoftStretchBilinear(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                         const SRect* clip, int opacity, uint32_t flags);

// Per-kind dispatchers (opacity already clamped to 0..255 by the first stage; clamped
// again here for direct callers).  A failed lock draws nothing and is not reported.
void SoftStretchNearestOpaque(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                              const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchNearestColorKey(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchNearestAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                             const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchNearestAlphaToAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                    const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchBilinearOpaque(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                               const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchBilinearColorKey(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                 const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchBilinearAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                              const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);
void SoftStretchBilinearAlphaToAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                     const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags);

// The rectangle a stretch notifies: the intersection of the destination rectangle and
// the clip, {0, 0, 0, 0} when they do not overlap (IntersectRect, engine/base/Geometry.h).
SRect IntersectStretchRect(const SRect& destRect, const SRect& clip);
