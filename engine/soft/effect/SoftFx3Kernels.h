#pragma once
// The pixel work of the three-surface effects (CEffectBlitter, SoftFx3Blitter.h): the
// cross-fade, the dissolves, the band and cascade wipes and the zooms.  Each mode has a
// dispatcher with the arguments of CEffectBlitter::DrawEffect3 after the mode; the
// kernels below them work on raw pixel memory of locked surfaces.
//
// Progress runs from 0 (first source) to 1024 (second source); unless said otherwise a
// value below 0 counts as 0 and 1023 or more as 1024.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// The progress as the modes use it: below 0 gives 0, 1023 and above give 1024.
inline int SoftFx3ClampProgress(int progress) { return progress < 0 ? 0 : progress >= 1023 ? 1024 : progress; }

// --- cross-fade (mode 1) ---
// Every pixel of the destination block becomes a mix of the two sources' pixels at
// level t = progress >> 2 (held to 0..255; the vector kernels treat 255 as 256).
// Nothing is drawn unless all three surfaces exist with one depth and the first source
// is opaque; the code is chosen by CCpuInfo::GetFeatures() & 3 (0 plain, 1 MMX, 2 and 3
// SSE).
void SoftFx3CrossFade(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                      const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                      int progress);

// Kernels: pixel memory of the three surfaces (pixel (0, 0)), their pitches, the
// clipped points and size, the raw progress.
using SoftFx3CrossFadeKernel = void (*)(uint8_t* dst, const uint8_t* src1, const uint8_t* src2, int dstPitch,
                                        int src1Pitch, int src2Pitch, const SPoint* dstPt, const SPoint* src1Pt,
                                        const SPoint* src2Pt, const SSize* size, int progress);
#define PG_SOFTFX3_CROSSFADE_KERNEL(name)                                                                        \
    void name(uint8_t* dst, const uint8_t* src1, const uint8_t* src2, int dstPitch, int src1Pitch, int src2Pitch, \
              const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, int progress)
// Plain: LerpPixel15/16/24/32 on every pixel.
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade15_Plain);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade16_Plain);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade24_Plain);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade32_Plain);
// Vector: per channel a + floor((b - a) * t / 256) with t in 0..256; 15/16 bits in
// steps of 4 pixels (bit 15 written 0), the last width mod 4 pixels through the
// tables; 24 bits every byte; 32 bits in steps of 2 pixels with the X byte mixed, an
// odd last pixel through the tables.  The SSE members compute the same and prefetch.
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade15_MMX);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade16_MMX);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade24_MMX);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade32_MMX);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade15_SSE);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade16_SSE);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade24_SSE);
PG_SOFTFX3_CROSSFADE_KERNEL(SoftFx3CrossFade32_SSE);
#undef PG_SOFTFX3_CROSSFADE_KERNEL

// The kernel for a depth (15, 16, 24, 32) and a processor level (0..3); null for any
// other depth.
SoftFx3CrossFadeKernel ChooseSoftFx3CrossFadeKernel(int depth, int level);

// --- dissolves (modes 15, 16, 17) ---
// Each destination pixel is copied from exactly one source.  Modes 15 and 16 follow a
// 4 x 4 threshold pattern anchored at the unclipped destination point; mode 17 draws
// one random number 0..1023 per 2 x 2 block (a new generator per call) and shows the
// second source where it is below the progress.
void SoftFx3DissolvePattern4x4(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress);
void SoftFx3DissolvePattern16(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                              const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                              int progress);
void SoftFx3DissolveRandom(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                           const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                           int progress);
// The threshold of pattern cell c (0..15, column + 4 x row) of mode 15 or 16: the first
// source shows while the progress is below it.
int SoftFx3DissolveThreshold(int mode, int cell);

// --- bands (mode 3) and cascade blinds (modes 5 to 8 and 11 to 14) ---
// Mode 3: in every 32-row band of the block the top (progress >> 5) rows show the
// second source and the rest the first.  Every band is 32 rows, the last one too: it
// runs on past the bottom of the block, bounded only by the clip and the surfaces.
void SoftFx3Mode3(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                  const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip, int progress);
// The rows of one source that mode 3 may read for a block of `size` at srcPt: the
// block with its height rounded up to whole bands.
SRect SoftFx3Mode3Extent(const SPoint& srcPt, const SSize& size);

// The whole mode: first source as background, then the cascade of the second source,
// then OnBlt on the destination for the second source's block.
void SoftFx3CascadeBlindsMode5(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress);
void SoftFx3CascadeBlindsMode6(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress);
void SoftFx3CascadeBlindsMode7(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress);
void SoftFx3CascadeBlindsMode8(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress);
void SoftFx3CascadeBlindsMode11(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                                const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                                int progress);
void SoftFx3CascadeBlindsMode12(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                                const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                                int progress);
void SoftFx3CascadeBlindsMode13(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                                const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                                int progress);
void SoftFx3CascadeBlindsMode14(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                                const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                                int progress);

// Cascade kernels: `rect` of `src` revealed at dstPt in bands of L / 16 lines (one line
// when L is below 16), L being the rectangle's height (rows) or width (columns); each
// band opens 4 lines behind the one before it.  Every band is a CSoftSurface::Blt with
// the given opacity and clip.  Bands are all equally thick, so when L is not a multiple
// of the band the last one overhangs the rectangle's far end (where the cascade ends)
// by up to a band less one line; only the clip and the surfaces bound it.
void SoftFx3CascadeBlindsRows(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                              const SRect* clip, int opacity, int progress);
void SoftFx3CascadeBlindsRowsUp(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                const SRect* clip, int opacity, int progress);
void SoftFx3CascadeBlindsColumns(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                 const SRect* clip, int opacity, int progress);
void SoftFx3CascadeBlindsColumnsLeft(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* rect,
                                     const SRect* clip, int opacity, int progress);
// For the cascade of a mode 5 to 8 or 11 to 14 over the block of `size` at srcPt,
// drawn at dstPt: the source rectangle, grown by the last band's overhang, and the
// point it lands at, whose blit covers every band; narrowed to the 32-bit range like
// the bands themselves.  Other modes get the block at dstPt.  False when nothing of it
// can land.
bool SoftFx3CascadeExtent(int mode, const SPoint& dstPt, const SPoint& srcPt, const SSize& size, SPoint* at,
                          SRect* extent);

// --- zooms (modes 23 to 30) ---
// One source stretched to a size eased from the progress, centred on the block, over
// or instead of the other.  Every pass is clipped to `clip`, except the second passes
// of modes 29 and 30, which are clipped to the whole destination only.
void SoftFx3Zoom(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                 const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip, int progress);
// The zoomed rectangle of a mode 23..30 at a progress (already clamped), for a block
// of `size` at dstPt; {0, 0, 0, 0} for other modes.
SRect SoftFx3ZoomRect(int mode, const SPoint& dstPt, const SSize& size, int progress);
