#pragma once
// The effect routines of the single-surface effects, each (dst, src, dstPt, srcRect,
// clip, opacity, param), as CSurfaceEffectBlitter::DrawEffect calls them.  The
// three-surface effects call them too.  A null surface draws nothing; surfaces of
// unequal depth draw nothing.
//
// Routines that notify by themselves: SoftFxPlain and the jitter wrappers (OnBlt with
// their whole reach), the blinds (one Blt per band) and SoftFxMosaic with N < 1 (one
// Blt).  The others leave the notification to the caller, with the rectangle of the
// matching *Rect function.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// Progress below 0 becomes 0; 1023 and above become 1024.
inline int SoftFxClampProgress(int progress) { return progress < 0 ? 0 : (progress >= 1023 ? 1024 : progress); }
inline int SoftFxClampOpacity(int opacity) { return opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity); }

// Mode 1: SoftBlt, then OnBlt with the ClipBltRectsEx rectangle.
void SoftFxPlain(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                 int opacity, int flags);
// The rectangle of a plain blit (ClipBltRectsEx): what modes 1, 4, 7 to 9 and 11 report.
SRect SoftFxBltRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip);

// Modes 5 and 6: bands of 32 rows (columns), each showing its first progress >> 5 rows
// (columns).  The last band is as thick as the others: it may show up to 31 source rows
// (columns) past the source rectangle, as far as the source surface has them.  One Blt
// per band.
void SoftFxBlindsH(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int progress);
void SoftFxBlindsV(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int progress);
// The source rectangle grown to the far edge of the blinds' last band at that progress:
// blitted at dstPt, it covers every band (what modes 5 and 6 report).
SRect SoftFxBlindsExtent(bool vertical, const SRect& srcRect, int progress);

// Modes 7, 8 and 9 (opaque sources only).
void SoftFxDissolve7(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                     const SRect* clip, int opacity, int progress);
void SoftFxPatternDissolve(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                           const SRect* clip, int opacity, int progress);
// Each 2x2 block shows when its draw from CRandom (0..1023) is below the progress: none
// at 0, all at 1024.
void SoftFxBlockDissolve(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                         const SRect* clip, int opacity, int progress);

// Mode 10: N x N offset blits at opacity / (N * N); N < 2 is one plain blit.  Does not
// notify; SoftFxBoxBlurRect is the union of every offset blit.
void SoftFxBoxBlur(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                   const SRect* clip, int opacity, int n);
SRect SoftFxBoxBlurRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                        const SRect* clip, int n);

// Mode 11: N x N blocks anchored so that dstPt is a block's centre, each showing its
// top-left source pixel (opaque sources).  N < 1 is a plain Blt (which notifies).
void SoftFxMosaic(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                  int opacity, int n);
// With the clipped point and rectangle and the unclipped dstPt as anchor.
void SoftFxMosaicDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* point, const SRect* rect,
                          const SPoint* anchor, int opacity, int n);

// Modes 12, 13, 14: draw, then OnBlt with SoftFxJitterRect.  Amount 0 (or below) is a
// plain Blt.  Each call builds its own CRandom.
void SoftFxJitterRowPairs(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                          const SRect* clip, int opacity, int amount);
void SoftFxJitterRows(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                      const SRect* clip, int opacity, int amount);
void SoftFxJitterColumns(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                         const SRect* clip, int opacity, int amount);
// The dispatchers: draw without notifying.
void SoftFxJitterRowPairsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                  const SRect* clip, int opacity, int amount);
void SoftFxJitterRowsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                              const SRect* clip, int opacity, int amount);
void SoftFxJitterColumnsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                 const SRect* clip, int opacity, int amount);
// The widest area a jitter of that mode (12, 13 or 14) can write: the plain-blit
// rectangle widened by the scatter along rows (12, 13) or columns (14), clipped to the
// clip rectangle and the destination.
SRect SoftFxJitterRect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                       const SRect* clip, int amount);

// Modes 2, 3 and 4 (SoftFxRotate.h, SoftFxRuleWipe.h hold their kernels).
void SoftFxRotateA(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int angle);
void SoftFxRotateB(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int angle);
// The rotated bounding box (pivot offset 0, 0), not clipped.
SRect SoftFxRotateRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                       const SRect* clip, int opacity, int angle);
// Through the rule image given (the blitter passes GetEffectRuleImage()).
class CMaskImage;
void SoftFxRuleWipe(const CMaskImage* rule, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                    const SRect* srcRect, const SRect* clip, int opacity, int progress);

// --- per-depth kernels behind the dispatchers above ---
// They trust their caller: the rectangles lie inside both buffers (the pattern kernels
// of modes 7 and 8 clip dstPt and srcRect to the clip and both sizes themselves), both
// buffers have the kernel's depth, opacity is 0..255 (clamped again where cheap).
#define PG_SOFTFX_DISSOLVE_KERNELS(D)                                                                              \
    void SoftFxDissolve7_##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch, SSize dstSize,  \
                             SSize srcSize, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,          \
                             int opacity, int progress);                                                          \
    void SoftFxPatternDissolve##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,            \
                                  SSize dstSize, SSize srcSize, const SPoint* dstPt, const SRect* srcRect,         \
                                  const SRect* clip, int opacity, int progress);                                  \
    void SoftFxBlockDissolve##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,              \
                                const SPoint* point, const SRect* rect, const SRect* clip, int opacity,            \
                                int progress);
PG_SOFTFX_DISSOLVE_KERNELS(15)
PG_SOFTFX_DISSOLVE_KERNELS(16)
PG_SOFTFX_DISSOLVE_KERNELS(24)
PG_SOFTFX_DISSOLVE_KERNELS(32)
#undef PG_SOFTFX_DISSOLVE_KERNELS

// Mosaic kernels: the clipped point and rectangle, the anchor (the caller's destination
// point), block size n >= 1.  The plain ones copy (opacity 255), the Blend ones blend.
#define PG_SOFTFX_MOSAIC_KERNEL(NAME)                                                                              \
    void NAME(uint8_t* dstBits, const uint8_t* srcBits, const SPoint* point, const SRect* rect, const SPoint* anchor, \
              int dstPitch, int srcPitch, int opacity, int n);
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic15_16)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic24)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic32)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic15Blend)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic16Blend)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic24Blend)
PG_SOFTFX_MOSAIC_KERNEL(SoftFxMosaic32Blend)
#undef PG_SOFTFX_MOSAIC_KERNEL

// Jitter kernels: the clipped point and rectangle, the caller's clip, both surface
// sizes, opacity, amount >= 1.  Writes stay inside the clip and the destination; reads
// inside the source.
#define PG_SOFTFX_JITTER_KERNELS(FAMILY, D)                                                                        \
    void FAMILY##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch, const SPoint* point,      \
                   const SRect* rect, const SRect* clip, SSize dstSize, SSize srcSize, int opacity, int amount);
#define PG_SOFTFX_JITTER_KEY_KERNELS(FAMILY, D)                                                                    \
    void FAMILY##D(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,            \
                   const SPoint* point, const SRect* rect, const SRect* clip, SSize dstSize, SSize srcSize,       \
                   int opacity, int amount);
#define PG_SOFTFX_JITTER_ALPHA_KERNELS(FAMILY, D)                                                                  \
    void FAMILY##D(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch, int srcPitch,  \
                   int srcAlphaPitch, const SPoint* point, const SRect* rect, const SRect* clip, SSize dstSize,    \
                   SSize srcSize, int opacity, int amount);
#define PG_SOFTFX_JITTER_DEPTHS(D)                                                                                 \
    PG_SOFTFX_JITTER_KERNELS(SoftFxJitterRowPairs, D)                                                             \
    PG_SOFTFX_JITTER_KERNELS(SoftFxJitterRowsOpaque, D)                                                           \
    PG_SOFTFX_JITTER_KEY_KERNELS(SoftFxJitterRowsColorKey, D)                                                     \
    PG_SOFTFX_JITTER_ALPHA_KERNELS(SoftFxJitterRowsAlpha, D)                                                      \
    PG_SOFTFX_JITTER_KERNELS(SoftFxJitterColumnsOpaque, D)                                                        \
    PG_SOFTFX_JITTER_KEY_KERNELS(SoftFxJitterColumnsColorKey, D)                                                  \
    PG_SOFTFX_JITTER_ALPHA_KERNELS(SoftFxJitterColumnsAlpha, D)
PG_SOFTFX_JITTER_DEPTHS(15)
PG_SOFTFX_JITTER_DEPTHS(16)
PG_SOFTFX_JITTER_DEPTHS(24)
PG_SOFTFX_JITTER_DEPTHS(32)
#undef PG_SOFTFX_JITTER_DEPTHS
#undef PG_SOFTFX_JITTER_ALPHA_KERNELS
#undef PG_SOFTFX_JITTER_KEY_KERNELS
#undef PG_SOFTFX_JITTER_KERNELS
