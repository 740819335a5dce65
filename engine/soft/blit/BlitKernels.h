#pragma once
// The blit kernels that SoftBlt (SoftBlt.h) chooses from.  Every kernel takes the
// destination, the source, the destination rectangle (already clipped to both
// surfaces, at least 1 x 1), the source pixel that lands on its top-left corner, the
// opacity clamped to 0..255 and the blit flags (read by none of them).  Each locks the
// destination, then the source, and unlocks in reverse; a failed lock draws nothing.
//
// Kernels check what they cannot afford to trust: a rectangle outside either surface,
// a surface of another depth than the kernel's or a missing alpha plane draw nothing.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

using SoftBltKernel = void (*)(CSoftSurface& dst, CSoftSurface& src, const SRect& dstRect, const SPoint& srcPoint,
                               int opacity, uint32_t flags);

// Opaque source at full opacity: a copy of the colour (GDI copy, one block or rows).
void SoftBltCopy(CSoftSurface& dst, CSoftSurface& src, const SRect& dstRect, const SPoint& srcPoint, int opacity,
                 uint32_t flags);

// Opaque source at an opacity below 255.
void SoftBltOpaque15_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque16_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque24_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque32_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque15_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque16_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque24_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque32_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque15_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque16_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque24_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltOpaque32_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);

// Colour-keyed source onto a destination without alpha plane, every processor level.
void SoftBltColorKey15(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltColorKey16(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltColorKey24(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltColorKey32(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);

// Source with an alpha plane onto a destination without one.
void SoftBltAlpha15_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha16_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha24_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha32_Plain(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha15_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha16_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha24_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha32_MMX(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha15_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha16_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha24_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlpha32_SSE(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);

// Onto a destination that keeps an alpha plane of its own (colour and alpha change).
void SoftBltOpaqueToAlpha(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltColorKeyToAlpha(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlphaToAlpha15(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlphaToAlpha16(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlphaToAlpha24(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);
void SoftBltAlphaToAlpha32(CSoftSurface&, CSoftSurface&, const SRect&, const SPoint&, int, uint32_t);

// The per-pixel tails of the vector kernels at 15 and 16 bpp: each field becomes
// d + (s - d) * a / 256 rounded toward zero.  Bit 15 is written 0 at 15 bpp.  The
// pixels need not be 2-byte aligned.
void SoftBltRowTail15(uint16_t* dst, const uint16_t* src, uint8_t alpha);
void SoftBltRowTail16(uint16_t* dst, const uint16_t* src, uint8_t alpha);
