#pragma once
// The surface effect blitter: one source surface drawn onto one destination with an
// effect chosen by number, and the destination rectangle every call touches.
//
// Effect modes (DrawEffect, GetEffectRect); param by mode:
//   0  plain blit through the destination's Blt          blit flags
//   1  plain blit through SoftBlt, then OnBlt            blit flags
//   2  rotated blit about the source rectangle's centre  angle 0..1023 (a full turn)
//   3  the same as 2 (second kernel set)                 angle
//   4  rule wipe through GetEffectRuleImage()            progress 0..1024
//   5  horizontal blinds, bands of 32 rows               progress
//   6  vertical blinds, bands of 32 columns              progress
//   7  ordered 4x4 dissolve, 8 levels                    progress
//   8  spiral 4x4 dissolve, 16 levels                    progress
//   9  random 2x2 block dissolve                         progress
//   10 box blur of N x N offset blits                    N
//   11 mosaic of N x N blocks                            N
//   12 random pixel pairs along each row                 amount
//   13 random runs along each row                        amount
//   14 random runs along each column                     amount
// Progress below 0 counts as 0, and 1023 or more as 1024.  Opacity is held to 0..255.
//
// Every mode tells the destination through OnBlt which rectangle it drew (some modes
// also notify once per inner blit); the rectangle always holds every pixel written.
// The blitter holds no state; build one on the stack for a call.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;

class IEffectBlitter {
public:
    virtual ~IEffectBlitter() = default;
    // filter 0 nearest, 1 bilinear; any other filter draws nothing.  The destination's
    // stretch notifies by itself.  A null dst draws nothing.
    virtual void StretchBltFiltered(int filter, CSoftSurface* dst, CSoftSurface* src, const SRect* dstRect,
                                    const SRect* srcRect, const SRect* clip, int opacity, uint32_t flags) = 0;
    // Draws one effect (modes above) and notifies.  A mode outside 0..14, or a null dst,
    // draws nothing and notifies nothing.
    virtual void DrawEffect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                            const SRect* clip, int opacity, int param) = 0;
    // The intersection of dstRect and clip for filters 0 and 1, else zeros.
    virtual SRect GetStretchBltRect(int filter, CSoftSurface* dst, CSoftSurface* src, const SRect* dstRect,
                                    const SRect* srcRect, const SRect* clip, int opacity, uint32_t flags) = 0;
    // The rectangle DrawEffect with the same arguments reports; zeros for other modes.
    // Random modes report the widest area any draw can reach.
    virtual SRect GetEffectRect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                                const SRect* srcRect, const SRect* clip, int opacity, int param) = 0;
};

class CSurfaceEffectBlitter : public IEffectBlitter {
public:
    void StretchBltFiltered(int filter, CSoftSurface* dst, CSoftSurface* src, const SRect* dstRect,
                            const SRect* srcRect, const SRect* clip, int opacity, uint32_t flags) override;
    void DrawEffect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                    const SRect* clip, int opacity, int param) override;
    SRect GetStretchBltRect(int filter, CSoftSurface* dst, CSoftSurface* src, const SRect* dstRect,
                            const SRect* srcRect, const SRect* clip, int opacity, uint32_t flags) override;
    SRect GetEffectRect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                        const SRect* clip, int opacity, int param) override;
};

inline constexpr int kSurfaceEffectModeCount = 15;

// Clips a stretch's destination rectangle, paired with its source rectangle, against a
// clip rectangle and both surfaces, moving the paired edges in proportion.  Both become
// zeros when either is under 2 pixels wide or high, when the result is inverted or
// outside a surface; dstRect alone when the clip's right or bottom is negative.
void ClipStretchRects(CSoftSurface* dst, CSoftSurface* src, SRect* dstRect, SRect* srcRect, const SRect* clip);

// --- the implementation of CSoftSurface's single-surface entry points (SoftSurface.h),
// with `dst` as the destination ---
// Nothing is drawn (and the rectangle functions give zeros) when dst or src is null or
// a rectangle has right < 0, bottom < 0 or no width or height.
void SoftSurfaceDrawEffect(CSoftSurface* dst, int mode, CSoftSurface* src, int x, int y, SRect srcRect, SRect clip,
                           int opacity, int param);
SRect SoftSurfaceGetEffectRect(CSoftSurface* dst, int mode, CSoftSurface* src, int x, int y, SRect srcRect, SRect clip,
                               int opacity, int param);
// Equal sizes draw the effect at the destination rectangle's corner.  Other sizes
// cannot carry an effect: the mode is the stretch filter (0 nearest, 1 bilinear, any
// other draws nothing) and param its flags.  The rectangle query checks only the
// source, not the rectangles.
void SoftSurfaceDrawEffectStretched(CSoftSurface* dst, int mode, CSoftSurface* src, SRect dstRect, SRect srcRect,
                                    SRect clip, int opacity, int param);
SRect SoftSurfaceGetEffectStretchedRect(CSoftSurface* dst, int mode, CSoftSurface* src, SRect dstRect, SRect srcRect,
                                        SRect clip, int opacity, int param);
