// The surface effect blitter: effect modes to effect routines, and the rectangle each
// mode touches.
#include "engine/soft/effect/SoftFxBlitter.h"

#include <algorithm>
#include <cmath>

#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/blit/SoftStretch.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"
#include "engine/soft/effect/SoftFxRuleImages.h"

SRect SoftFxBltRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip) {
    SRect drawn{};
    ClipBltRectsEx(&drawn, dst, src, dstPt, srcRect, clip);
    return drawn;
}

void SoftFxPlain(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                 int opacity, int flags) {
    if (dst == nullptr) return;
    SoftBlt(dst, src, dstPt, srcRect, clip, opacity, static_cast<uint32_t>(flags));
    dst->OnBlt(src, dstPt, srcRect, clip, opacity, static_cast<uint32_t>(flags),
               SoftFxBltRect(dst, src, dstPt, srcRect, clip));
}

void ClipStretchRects(CSoftSurface* dst, CSoftSurface* src, SRect* dstRect, SRect* srcRect, const SRect* clip) {
    if (dstRect == nullptr || srcRect == nullptr) return;
    auto zeroBoth = [&] {
        *dstRect = SRect{};
        *srcRect = SRect{};
    };
    if (dst == nullptr || src == nullptr || clip == nullptr) {
        zeroBoth();
        return;
    }
    SRect& d = *dstRect;
    SRect& s = *srcRect;
    const int64_t dw = int64_t{d.right} - d.left;
    const int64_t dh = int64_t{d.bottom} - d.top;
    const int64_t sw = int64_t{s.right} - s.left;
    const int64_t sh = int64_t{s.bottom} - s.top;
    if (dw < 2 || dh < 2 || sw < 2 || sh < 2) {
        zeroBoth();
        return;
    }
    if (clip->right < 0 || clip->bottom < 0) {
        d = SRect{};
        return;
    }
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    const double kx = double(sw - 1) / double(dw - 1);
    const double ky = double(sh - 1) / double(dh - 1);
    // A moved edge moves its partner by the amount scaled, truncated toward zero.
    auto follow = [](int32_t partner, int64_t moved, double k) {
        return softfx::Clamp32(static_cast<int64_t>(std::trunc(double(moved) * k + double(partner))));
    };
    // Destination edges into the clip, then into the destination: two cuts, each moving
    // the source edge from where the one before left it (each truncates on its own).
    auto cut = [&](int64_t l, int64_t t, int64_t r, int64_t b) {
        const int64_t nl = std::max<int64_t>(d.left, l);
        const int64_t nt = std::max<int64_t>(d.top, t);
        const int64_t nr = std::min<int64_t>(d.right, r);
        const int64_t nb = std::min<int64_t>(d.bottom, b);
        if (nl != d.left) s.left = follow(s.left, nl - d.left, kx);
        if (nt != d.top) s.top = follow(s.top, nt - d.top, ky);
        if (nr != d.right) s.right = follow(s.right, nr - d.right, kx);
        if (nb != d.bottom) s.bottom = follow(s.bottom, nb - d.bottom, ky);
        d = SRect{softfx::Clamp32(nl), softfx::Clamp32(nt), softfx::Clamp32(nr), softfx::Clamp32(nb)};
    };
    cut(clip->left, clip->top, clip->right, clip->bottom);
    cut(0, 0, ds.cx, ds.cy);
    // Source edges into the source, the destination following by the inverted factors.
    const double ix = 1.0 / kx;
    const double iy = 1.0 / ky;
    const int64_t ml = std::max<int64_t>(s.left, 0);
    const int64_t mt = std::max<int64_t>(s.top, 0);
    const int64_t mr = std::min<int64_t>(s.right, ss.cx);
    const int64_t mb = std::min<int64_t>(s.bottom, ss.cy);
    if (ml != s.left) d.left = follow(d.left, ml - s.left, ix);
    if (mt != s.top) d.top = follow(d.top, mt - s.top, iy);
    if (mr != s.right) d.right = follow(d.right, mr - s.right, ix);
    if (mb != s.bottom) d.bottom = follow(d.bottom, mb - s.bottom, iy);
    s = SRect{softfx::Clamp32(ml), softfx::Clamp32(mt), softfx::Clamp32(mr), softfx::Clamp32(mb)};
    const bool bad = d.left > d.right || d.top > d.bottom || s.left > s.right || s.top > s.bottom || d.left < 0 ||
                     d.top < 0 || d.right > ds.cx || d.bottom > ds.cy || s.left < 0 || s.top < 0 || s.right > ss.cx ||
                     s.bottom > ss.cy || d.right <= d.left || d.bottom <= d.top || s.right <= s.left ||
                     s.bottom <= s.top;
    if (bad) zeroBoth();
}

void CSurfaceEffectBlitter::StretchBltFiltered(int filter, CSoftSurface* dst, CSoftSurface* src, const SRect* dstRect,
                                               const SRect* srcRect, const SRect* clip, int opacity, uint32_t flags) {
    if (dst == nullptr) return;
    if (filter == 0) dst->StretchBltNearest(src, dstRect, srcRect, clip, opacity, flags);
    else if (filter == 1) dst->StretchBltBilinear(src, dstRect, srcRect, clip, opacity, flags);
}

SRect CSurfaceEffectBlitter::GetStretchBltRect(int filter, CSoftSurface*, CSoftSurface*, const SRect* dstRect,
                                               const SRect*, const SRect* clip, int, uint32_t) {
    if ((filter != 0 && filter != 1) || dstRect == nullptr || clip == nullptr) return SRect{};
    return softfx::Intersect(*dstRect, *clip);
}

void CSurfaceEffectBlitter::DrawEffect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                                       const SRect* srcRect, const SRect* clip, int opacity, int param) {
    if (static_cast<unsigned>(mode) >= kSurfaceEffectModeCount || dst == nullptr) return;
    if (dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    switch (mode) {
    case 0: dst->Blt(src, dstPt, srcRect, clip, opacity, static_cast<uint32_t>(param)); return;
    case 1: SoftFxPlain(dst, src, dstPt, srcRect, clip, opacity, param); return;
    case 12: SoftFxJitterRowPairs(dst, src, dstPt, srcRect, clip, opacity, param); return;
    case 13: SoftFxJitterRows(dst, src, dstPt, srcRect, clip, opacity, param); return;
    case 14: SoftFxJitterColumns(dst, src, dstPt, srcRect, clip, opacity, param); return;
    case 2: SoftFxRotateA(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 3: SoftFxRotateB(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 4: SoftFxRuleWipe(&GetEffectRuleImage(), dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 5: SoftFxBlindsH(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 6: SoftFxBlindsV(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 7: SoftFxDissolve7(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 8: SoftFxPatternDissolve(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 9: SoftFxBlockDissolve(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 10: SoftFxBoxBlur(dst, src, dstPt, srcRect, clip, opacity, param); break;
    case 11: SoftFxMosaic(dst, src, dstPt, srcRect, clip, opacity, param); break;
    default: return;
    }
    const SRect rect = GetEffectRect(mode, dst, src, dstPt, srcRect, clip, opacity, param);
    dst->OnBlt(src, dstPt, srcRect, clip, opacity, static_cast<uint32_t>(param), rect);
}

SRect CSurfaceEffectBlitter::GetEffectRect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                                           const SRect* srcRect, const SRect* clip, int opacity, int param) {
    if (static_cast<unsigned>(mode) >= kSurfaceEffectModeCount) return SRect{};
    if (dstPt == nullptr || srcRect == nullptr || clip == nullptr) return SRect{};
    switch (mode) {
    case 2:
    case 3: return SoftFxRotateRect(dst, src, dstPt, srcRect, clip, opacity, param);
    case 5:
    case 6: {
        // The last band may run on past the source rectangle.
        const SRect extent = SoftFxBlindsExtent(mode == 6, *srcRect, param);
        return SoftFxBltRect(dst, src, dstPt, &extent, clip);
    }
    case 10: return SoftFxBoxBlurRect(dst, src, dstPt, srcRect, clip, param);
    case 12:
    case 13:
    case 14: return SoftFxJitterRect(mode, dst, src, dstPt, srcRect, clip, param);
    default: return SoftFxBltRect(dst, src, dstPt, srcRect, clip);
    }
}

// ---------------------------------------------------------------------------------------
// Entry points with a surface as the destination

namespace {

bool _ValidRect(const SRect& r) { return r.right >= 0 && r.bottom >= 0 && r.right > r.left && r.bottom > r.top; }

bool _SameSize(const SRect& a, const SRect& b) {
    return int64_t{a.right} - a.left == int64_t{b.right} - b.left &&
           int64_t{a.bottom} - a.top == int64_t{b.bottom} - b.top;
}

}  // namespace

void SoftSurfaceDrawEffect(CSoftSurface* dst, int mode, CSoftSurface* src, int x, int y, SRect srcRect, SRect clip,
                           int opacity, int param) {
    if (dst == nullptr || src == nullptr || !_ValidRect(srcRect) || !_ValidRect(clip)) return;
    const SPoint p{x, y};
    CSurfaceEffectBlitter().DrawEffect(mode, dst, src, &p, &srcRect, &clip, opacity, param);
}

SRect SoftSurfaceGetEffectRect(CSoftSurface* dst, int mode, CSoftSurface* src, int x, int y, SRect srcRect, SRect clip,
                               int opacity, int param) {
    if (dst == nullptr || src == nullptr || !_ValidRect(srcRect) || !_ValidRect(clip)) return SRect{};
    const SPoint p{x, y};
    return CSurfaceEffectBlitter().GetEffectRect(mode, dst, src, &p, &srcRect, &clip, opacity, param);
}

void SoftSurfaceDrawEffectStretched(CSoftSurface* dst, int mode, CSoftSurface* src, SRect dstRect, SRect srcRect,
                                    SRect clip, int opacity, int param) {
    if (dst == nullptr || src == nullptr || !_ValidRect(dstRect) || !_ValidRect(srcRect) || !_ValidRect(clip)) return;
    CSurfaceEffectBlitter blitter;
    if (_SameSize(dstRect, srcRect)) {
        const SPoint p{dstRect.left, dstRect.top};
        blitter.DrawEffect(mode, dst, src, &p, &srcRect, &clip, opacity, param);
        return;
    }
    // An effect cannot be stretched: the mode picks the filter and param is the flags.
    blitter.StretchBltFiltered(mode, dst, src, &dstRect, &srcRect, &clip, opacity, static_cast<uint32_t>(param));
}

SRect SoftSurfaceGetEffectStretchedRect(CSoftSurface* dst, int mode, CSoftSurface* src, SRect dstRect, SRect srcRect,
                                        SRect clip, int opacity, int param) {
    // Only the source is checked: the answer may be wider than what a refused draw
    // touches, never narrower than what a draw does.
    if (dst == nullptr || src == nullptr) return SRect{};
    CSurfaceEffectBlitter blitter;
    if (_SameSize(dstRect, srcRect)) {
        const SPoint p{dstRect.left, dstRect.top};
        return blitter.GetEffectRect(mode, dst, src, &p, &srcRect, &clip, opacity, param);
    }
    return blitter.GetStretchBltRect(mode, dst, src, &dstRect, &srcRect, &clip, opacity, static_cast<uint32_t>(param));
}
