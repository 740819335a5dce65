#pragma once
// The row kernels of the stretches: nearest-neighbour and bilinear, per source kind,
// depth and opacity.  The per-kind dispatchers (SoftStretch.h) lock both surfaces and
// call one of them; they are public so that other kernels can reuse them on raw memory.
//
// Every kernel takes, in this order: destination pixel memory (first byte of row 0),
// source pixel memory, the kind's extras (colour key; source alpha plane; destination
// alpha plane then source alpha plane), destination rectangle, source rectangle, clip
// rectangle (destination coordinates), destination pitch, source pitch, the kind's alpha
// pitches, destination surface size, source surface size, opacity and the flag word
// (read by none).  Both buffers are taken to hold pixels of the kernel's depth.
//
// A kernel writes only destination pixels inside the clip, the destination rectangle and
// the destination surface, each at most once, and reads only source pixels inside the
// source rectangle and the source surface.  Rectangles narrower or shorter than 2 pixels
// draw nothing.
//
// Mapping (no half-pixel offset; corners map to corners):
// - nearest: destination column dl + k samples sl + floor(k * (sw - 1) / (dw - 1)), sw
//   and dw the widths of the source and destination rectangles (rows alike), so the
//   last destination column samples the last source column;
// - bilinear: 16.16 positions k * stepX with stepX = trunc((sw - 1) / (dw - 1) * 65536.0)
//   in double precision, filtered between the tap at the integer part and its right
//   (lower) neighbour with the 16-bit fraction as weight.
//
// Colour keys as the kernels take them: the 15- or 16-bit packed key for 15 and 16 bpp,
// the low 24 bits of the colour value for 24 bpp, the whole 32-bit value for 32 bpp (the
// X byte takes part in the comparison).
#include <cstdint>

#include "platform/sys/Geometry.h"

using SoftStretchOpaqueKernel = void (*)(uint8_t* dst, const uint8_t* src, const SRect& dstRect, const SRect& srcRect,
                                         const SRect& clip, int dstPitch, int srcPitch, SSize dstSize, SSize srcSize,
                                         int opacity, uint32_t flags);
using SoftStretchColorKeyKernel = void (*)(uint8_t* dst, const uint8_t* src, uint32_t key, const SRect& dstRect,
                                           const SRect& srcRect, const SRect& clip, int dstPitch, int srcPitch,
                                           SSize dstSize, SSize srcSize, int opacity, uint32_t flags);
using SoftStretchAlphaKernel = void (*)(uint8_t* dst, const uint8_t* src, const uint8_t* srcAlpha,
                                        const SRect& dstRect, const SRect& srcRect, const SRect& clip, int dstPitch,
                                        int srcPitch, int srcAlphaPitch, SSize dstSize, SSize srcSize, int opacity,
                                        uint32_t flags);
using SoftStretchAlphaToAlphaKernel = void (*)(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha,
                                               const uint8_t* srcAlpha, const SRect& dstRect, const SRect& srcRect,
                                               const SRect& clip, int dstPitch, int srcPitch, int dstAlphaPitch,
                                               int srcAlphaPitch, SSize dstSize, SSize srcSize, int opacity,
                                               uint32_t flags);

#define PG_STRETCH_OPAQUE_ARGS                                                                                    \
    uint8_t *dst, const uint8_t *src, const SRect &dstRect, const SRect &srcRect, const SRect &clip, int dstPitch, \
        int srcPitch, SSize dstSize, SSize srcSize, int opacity, uint32_t flags
#define PG_STRETCH_COLORKEY_ARGS                                                                                \
    uint8_t *dst, const uint8_t *src, uint32_t key, const SRect &dstRect, const SRect &srcRect, const SRect &clip, \
        int dstPitch, int srcPitch, SSize dstSize, SSize srcSize, int opacity, uint32_t flags
#define PG_STRETCH_ALPHA_ARGS                                                                                   \
    uint8_t *dst, const uint8_t *src, const uint8_t *srcAlpha, const SRect &dstRect, const SRect &srcRect,        \
        const SRect &clip, int dstPitch, int srcPitch, int srcAlphaPitch, SSize dstSize, SSize srcSize, int opacity, \
        uint32_t flags
#define PG_STRETCH_ALPHATOALPHA_ARGS                                                                            \
    uint8_t *dst, const uint8_t *src, uint8_t *dstAlpha, const uint8_t *srcAlpha, const SRect &dstRect,           \
        const SRect &srcRect, const SRect &clip, int dstPitch, int srcPitch, int dstAlphaPitch, int srcAlphaPitch, \
        SSize dstSize, SSize srcSize, int opacity, uint32_t flags

// --- nearest neighbour ---
// Opaque: copy; Blend: BlendPixelN(d, s, opacity).
void SoftStretchNearestOpaque15_16(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque24(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque32(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque15Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque16Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque24Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchNearestOpaque32Blend(PG_STRETCH_OPAQUE_ARGS);
// ColorKey: pixels equal to the key are skipped; the others are copied or blended.
void SoftStretchNearestColorKey15_16(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey24(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey32(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey15Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey16Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey24Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchNearestColorKey32Blend(PG_STRETCH_COLORKEY_ARGS);
// Alpha: BlendPixelN(d, s, a); Blend: with max(a + opacity - 255, 0).
void SoftStretchNearestAlpha15(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha16(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha24(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha32(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha15Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha16Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha24Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchNearestAlpha32Blend(PG_STRETCH_ALPHA_ARGS);
// AlphaToAlpha: CombinePixelAlphaN; Blend: CombinePixelAlphaNBlend with the opacity.
void SoftStretchNearestAlphaToAlpha15(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha16(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha24(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha32(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha15Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha16Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha24Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchNearestAlphaToAlpha32Blend(PG_STRETCH_ALPHATOALPHA_ARGS);

// --- bilinear ---
// Each channel: top = c00 + ((c01 - c00) * wx >> 16), bottom likewise from c10 and c11,
// result = top + ((bottom - top) * wy >> 16), arithmetic shifts.  The last source column
// and row of the visible area are taken unfiltered (the stored pixel, bit 15 or the X
// byte included); filtered pixels have bit 15 / the X byte 0.  The source alpha is
// filtered like a colour channel.
void SoftStretchBilinearOpaque15(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque16(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque24(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque32(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque15Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque16Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque24Blend(PG_STRETCH_OPAQUE_ARGS);
void SoftStretchBilinearOpaque32Blend(PG_STRETCH_OPAQUE_ARGS);
// A destination pixel any of whose taps equals the key is left untouched.
void SoftStretchBilinearColorKey15(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey16(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey24(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey32(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey15Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey16Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey24Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearColorKey32Blend(PG_STRETCH_COLORKEY_ARGS);
void SoftStretchBilinearAlpha15(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha16(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha24(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha32(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha15Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha16Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha24Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlpha32Blend(PG_STRETCH_ALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha15(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha16(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha24(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha32(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha15Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha16Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha24Blend(PG_STRETCH_ALPHATOALPHA_ARGS);
void SoftStretchBilinearAlphaToAlpha32Blend(PG_STRETCH_ALPHATOALPHA_ARGS);

// The steps of both filters for one axis (source and destination rectangle extents of at
// least 2): the nearest filter's exact ratio and the bilinear filter's 16.16 step.
struct SStretchRatio {
    uint64_t numerator;    // source extent - 1
    uint64_t denominator;  // destination extent - 1
};
SStretchRatio NearestStretchRatio(int64_t sourceExtent, int64_t destExtent);
int64_t BilinearStretchStep(int64_t sourceExtent, int64_t destExtent);
