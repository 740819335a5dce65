#pragma once
// The three-surface effect blitter: one frame of a transition between two pictures.
// Each call reads a block of the first source (the picture going away) and the same
// block of the second (the picture coming) and writes the destination block, at a
// progress from 0 (first source) to 1024 (second); the caller holds the progress.
// A second family, the transitions, draws two independently placed sources.
//
// DrawEffect3 modes (p is the progress, below 0 counted as 0, 1023 and above as 1024):
//   -1      the whole destination cleared to white (sources ignored)
//    1      cross-fade                           2      mask blend through
//                                                       GetSharedEffectMask()
//    3      32-row bands, each showing its top p >> 5 rows of the second source
//    4 / 10 vertical blinds of the second source over the first, opaque / at p >> 2
//    5-8    cascade blinds (down, up, right, left) over the first source
//    9      horizontal blinds at opacity p >> 2  11-14  as 5-8 at opacity p >> 2
//   15, 16  ordered and spiral 4 x 4 dissolves   17     random 2 x 2 dissolve
//   18-20   the single-surface dissolves 7, 8, 9 of the second source over the first
//   21, 22  mosaics                              23-30  zooms
//   31-36   row-pair, row and column jitters
// Every mode but 0 notifies the destination once through OnDrawEffect3 with the
// rectangle GetEffect3Rect answers, after any OnBlt of its inner passes; every pixel a
// mode writes lies inside that rectangle.  Every pass is clipped by the caller's clip and
// the surfaces it touches, as it would be alone.  Modes 1, 2 and 15 to 17 keep to the
// block cut by the clip and both sources; the others may draw past it (one source's
// pass where the other source ends, a last band overhanging the block, a picture
// zoomed past it, a pass clipped to the whole destination, a jitter's scatter), even
// where the block clips away, and report that too.
//
// DrawTransition modes: 1 both layers blended over the destination (the first at
// 256 - (p >> 2), the second at p >> 2); 33 / 35 row / column jitter of the first
// layer up to p = 511, then of the second; 34 / 36 both layers jittered at once.  A
// null source is left out.  OnDrawTransition follows with GetTransitionRect.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// White in every colour form; what mode -1 clears to.
inline constexpr uint32_t EffectClearColour = 0x00FFFFFF;

class CEffectBlitter {
public:
    virtual ~CEffectBlitter() = default;

    // Nothing for mode 0, modes outside -1..36 or a null destination; otherwise draws
    // (modes other than the zooms draw nothing with a missing source or surfaces of
    // different depths; the zooms' passes each refuse such a source on their own) and
    // notifies.
    virtual void DrawEffect3(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                             const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                             int progress);
    // Mode -1: the whole destination.  Modes 1..36: the block placed at dstPt, cut by
    // the clip rectangle, both sources and the destination (SoftFxPlaceRects3), joined,
    // for the modes that draw past it, with everything their passes can reach inside the
    // destination.  Zeros otherwise, and when nothing is reached.
    virtual SRect GetEffect3Rect(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                 const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size,
                                 const SRect* clip, int progress);
    // Modes 1 and 33 to 36; others draw nothing and do not notify.
    virtual void DrawTransition(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                const SPoint* dst1Pt, const SPoint* dst2Pt, const SPoint* src1Pt,
                                const SPoint* src2Pt, const SSize* size1, const SSize* size2, const SRect* clip,
                                int progress);
    // Mode 1: the bounding box of the present layers' unclipped rectangles.  Modes 33 to
    // 36: the bounding box of what each present layer's jitter can reach, clipped.
    // Zeros for other modes and when no layer contributes.
    virtual SRect GetTransitionRect(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                    const SPoint* dst1Pt, const SPoint* dst2Pt, const SPoint* src1Pt,
                                    const SPoint* src2Pt, const SSize* size1, const SSize* size2, const SRect* clip,
                                    int progress);
};

// --- the implementation of CSoftSurface's entry points (SoftSurface.h), with `dst` as
// the destination; each builds a CEffectBlitter ---
// DrawEffect3 draws nothing (and raises nothing) unless dst, src1 and src2 exist, the
// clip has right >= 0, bottom >= 0, right > left, bottom > top, and the block is at
// least 1 x 1.  The rectangle queries give zeros without both sources.
void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY,
                            int src1X, int src1Y, int src2X, int src2Y, int width, int height, SRect clip,
                            int progress);
SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX,
                                int dstY, int src1X, int src1Y, int src2X, int src2Y, int width, int height,
                                SRect clip, int progress);
// Points (0, 0), block and clip = the whole destination.
void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);
SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);
// Points (0, 0), block = the whole destination, the given clip.
void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                            int progress);
SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                                int progress);

// DrawTransition draws nothing unless dst exists and the clip passes the checks above;
// the sources may be null.
void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt,
                               SPoint dst2Pt, SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2, SRect clip,
                               int progress);
SRect SoftSurfaceGetTransitionRect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2,
                                   SPoint dst1Pt, SPoint dst2Pt, SPoint src1Pt, SPoint src2Pt, SSize size1,
                                   SSize size2, SRect clip, int progress);
// All points (0, 0), each layer at its source's whole size (0 x 0 for a null source),
// clip = the whole destination (or the given clip).
void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);
void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                               int progress);
SRect SoftSurfaceGetTransitionRect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2,
                                   int progress);
