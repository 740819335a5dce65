#pragma once
// Rotated blits: every destination pixel of a bounding rectangle is mapped back into
// the source rectangle with a 16.16 rotation about a pivot and takes the source pixel
// it lands on (nearest sample).  Progress 0..1023 is one full turn; the angle step is
// progress >> 1 of the 512 steps of CSinTable.
//
// SoftFxRotatePivot holds the pivot's offset from the centre of the source rectangle
// (the same offset applies on the destination); the effect blitter uses {0, 0}.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

struct SoftFxRotatePivot {
    int32_t x = 0;
    int32_t y = 0;

    // The destination rectangle that holds the source rectangle turned by the progress
    // about the pivot, widened by 2 pixels on the left and top and 3 on the right and
    // bottom.  dst, src, clip and opacity are not read.
    void SoftFxRotateSetup(SRect* box, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                           const SRect* srcRect, const SRect* clip, int opacity, int progress) const;

    // Dispatchers (mode-2 set A and mode-3 set B behave the same): lock the destination
    // then the source, visit the bounding rectangle inside `clip` (and inside the
    // destination), read only inside the source rectangle (and inside the source), pick
    // the kernel by depth; surfaces of unequal depth draw nothing.
    void SoftFxRotateAOpaque(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                             const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateAColorKey(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                               const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateAAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                            const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateAAlphaToAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                   const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateBOpaque(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                             const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateBColorKey(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                               const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateBAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                            const SRect* clip, int opacity, int progress) const;
    void SoftFxRotateBAlphaToAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                   const SRect* clip, int opacity, int progress) const;

    // Kernels by kind and depth.  The caller keeps `clip` inside the destination and the
    // source rectangle inside the source; every written pixel is tested against clip and
    // box, every read one against the source rectangle.  Opacity 0..255.
#define PG_SOFTFX_ROTATE_KERNELS(D)                                                                                  \
    void SoftFxRotateOpaque##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,                  \
                               const SPoint* dstPt, const SRect* srcRect, const SRect* clip, const SRect* box,        \
                               int opacity, int progress) const;                                                     \
    void SoftFxRotateColorKey##D(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch, \
                                 const SPoint* dstPt, const SRect* srcRect, const SRect* clip, const SRect* box,      \
                                 int opacity, int progress) const;                                                   \
    void SoftFxRotateAlpha##D(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch,       \
                              int srcPitch, int srcAlphaPitch, const SPoint* dstPt, const SRect* srcRect,            \
                              const SRect* clip, const SRect* box, int opacity, int progress) const;                 \
    void SoftFxRotateAlphaToAlpha##D(uint8_t* dstBits, const uint8_t* srcBits, uint8_t* dstAlpha,                    \
                                     const uint8_t* srcAlpha, int dstPitch, int srcPitch, int dstAlphaPitch,         \
                                     int srcAlphaPitch, const SPoint* dstPt, const SRect* srcRect, const SRect* clip, \
                                     const SRect* box, int opacity, int progress) const;
    PG_SOFTFX_ROTATE_KERNELS(15)
    PG_SOFTFX_ROTATE_KERNELS(16)
    PG_SOFTFX_ROTATE_KERNELS(24)
    PG_SOFTFX_ROTATE_KERNELS(32)
#undef PG_SOFTFX_ROTATE_KERNELS
};
