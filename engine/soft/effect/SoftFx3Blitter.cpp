#include "engine/soft/effect/SoftFx3Blitter.h"

#include <algorithm>
#include <tuple>

#include "engine/image/MaskImage.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxMaskBlend.h"
#include "engine/soft/effect/SoftFxRuleImages.h"

namespace {

constexpr int kJitterRows = 13;
constexpr int kJitterColumns = 14;

using SingleEffect = void (*)(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                              const SRect* clip, int opacity, int param);

// Everything one DrawEffect3 call needs.  Every pass is clipped by the caller's clip
// and the surfaces it touches, as that pass alone would be.
struct SEffect3Call {
    CSoftSurface* dst;
    CSoftSurface* src1;
    CSoftSurface* src2;
    const SPoint* dstPt;
    const SPoint* src1Pt;
    const SPoint* src2Pt;
    const SSize* size;
    SRect clip;
    int p;  // clamped

    SRect Block1() const { return SoftFx3BlockRect(*src1Pt, *size); }
    SRect Block2() const { return SoftFx3BlockRect(*src2Pt, *size); }

    // The first source's block as an opaque background.
    void Background() const {
        const SRect rect = Block1();
        dst->Blt(src1, dstPt, &rect, &clip, 256, 0);
    }
    // One pass of a single-surface effect over the block, then its notification.
    void Pass(SingleEffect effect, CSoftSurface* src, const SRect& rect, int opacity, int param) const {
        effect(dst, src, dstPt, &rect, &clip, opacity, param);
        dst->OnBlt(src, dstPt, &rect, &clip, opacity, static_cast<uint32_t>(p),
                   BltClippedRect(dst, src, dstPt, &rect, &clip));
    }
    // A jitter pass; the jitter wrappers notify by themselves.
    void Jitter(SingleEffect effect, CSoftSurface* src, const SRect& rect, int opacity, int amount) const {
        effect(dst, src, dstPt, &rect, &clip, opacity, amount);
    }
};

void _MaskBlend(const SEffect3Call& c) {
    const CMaskImage& mask = GetSharedEffectMask();
    if (mask.GetBits() == nullptr) {
        return;
    }
    int32_t maskW = 0, maskH = 0;
    mask.GetSize(&maskW, &maskH);
    SPoint d = *c.dstPt, a = *c.src1Pt, b = *c.src2Pt;
    SSize s{std::min(c.size->cx, maskW), std::min(c.size->cy, maskH)};
    if (!SoftFx3ClipBlock(c.dst, c.src1, c.src2, &d, &a, &b, &s, &c.clip)) {
        return;
    }
    if (GetSurfaceKind(c.dst->GetFormatFlags()) != SURFACE_KIND_OPAQUE) {
        return;
    }
    const SoftFxRuleRef ref{&mask};
    ref.SoftFxMaskBlend(c.dst, c.src1, c.src2, &d, &a, &b, c.dstPt, &s, c.p);
}

void _Mosaics(const SEffect3Call& c, bool both) {
    const int p = c.p;
    if (both) {
        c.Pass(SoftFxMosaic, c.src1, c.Block1(), 256, p >> 3);
        c.Pass(SoftFxMosaic, c.src2, c.Block2(), (p >> 2) + (p >> 1) - 256, (1024 - p) >> 3);
    } else if (p < 512) {
        c.Pass(SoftFxMosaic, c.src1, c.Block1(), 256, p >> 3);
    } else {
        c.Pass(SoftFxMosaic, c.src2, c.Block2(), 256, (1024 - p) >> 3);
    }
}

// One jitter pass of modes 31 to 36.
struct SJitterPass {
    CSoftSurface* src;
    SRect block;
    int opacity;
    int amount;
};

// The single-surface jitter (12 row pairs, 13 rows, 14 columns) of a mode 31 to 36.
int _JitterEffectMode(int mode) { return mode <= 32 ? 12 : mode <= 34 ? 13 : 14; }

// Odd modes draw one layer at a time, the first up to the middle; even modes draw both.
// The row-pair modes scatter half as far as the others.
int _JitterPasses(int mode, const SEffect3Call& c, SJitterPass passes[2]) {
    const int p = c.p;
    const int divisor = mode <= 32 ? 4 : 2;
    if (mode % 2 == 0) {
        passes[0] = {c.src1, c.Block1(), 256, p / (2 * divisor)};
        passes[1] = {c.src2, c.Block2(), p >> 2, (1024 - p) / (2 * divisor)};
        return 2;
    }
    passes[0] = p < 512 ? SJitterPass{c.src1, c.Block1(), 256, p / divisor}
                        : SJitterPass{c.src2, c.Block2(), 256, (1024 - p) / divisor};
    return 1;
}

void _Jitters(int mode, const SEffect3Call& c) {
    static const SingleEffect kEffects[3] = {SoftFxJitterRowPairs, SoftFxJitterRows, SoftFxJitterColumns};
    SJitterPass passes[2];
    const int count = _JitterPasses(mode, c, passes);
    for (int i = 0; i < count; ++i) {
        c.Jitter(kEffects[_JitterEffectMode(mode) - 12], passes[i].src, passes[i].block, passes[i].opacity,
                 passes[i].amount);
    }
}

bool _IsZoom(int mode) { return mode >= 23 && mode <= 30; }

bool _HasGeometry(const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size,
                  const SRect* clip) {
    return dstPt != nullptr && src1Pt != nullptr && src2Pt != nullptr && size != nullptr && clip != nullptr;
}

// The blinds of modes 4, 9 and 10: vertical but for mode 9.
bool _BlindsAreVertical(int mode) { return mode != 9; }

// Joins to `acc` every pixel the passes of a mode can write beyond the block cut by the
// clip and both sources: a background, or a pass of one source, is not cut where the
// other source ends; the bands run on past the block's end; the zooms 25 and 26 grow to
// twice the block; 29 and 30 clip one pass to the whole destination only; the jitters
// scatter.  The modes that mix the two sources pixel by pixel (1, 2, 15 to 17) keep to
// the block.
void _JoinPassesReach(int mode, const SEffect3Call& c, SRect* acc) {
    const SSize ds = c.dst->GetSize();
    const SRect whole{0, 0, ds.cx, ds.cy};
    auto join = [&](const SRect& part) { SoftFxJoinRect(acc, SoftFxIntersectRect(part, whole)); };
    auto blt = [&](CSoftSurface* src, SPoint at, SRect rect, const SRect& clip) {
        join(BltClippedRect(c.dst, src, &at, &rect, &clip));
    };
    // The zoomed picture of `src` (a stretch without a source draws nothing).
    auto stretch = [&](CSoftSurface* src, const SRect& clip) {
        if (src != nullptr) join(SoftFxIntersectRect(SoftFx3ZoomRect(mode, *c.dstPt, *c.size, c.p), clip));
    };
    const int p = c.p;
    switch (mode) {
    case 1:
    case 2:
    case 15:
    case 16:
    case 17: break;
    case 3:
        blt(c.src1, *c.dstPt, SoftFx3Mode3Extent(*c.src1Pt, *c.size), c.clip);
        blt(c.src2, *c.dstPt, SoftFx3Mode3Extent(*c.src2Pt, *c.size), c.clip);
        break;
    case 4:
    case 9:
    case 10:
        // The background, then bands whose last one may overhang the block's end.
        blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        blt(c.src2, *c.dstPt, SoftFxBlindsExtent(_BlindsAreVertical(mode), c.Block2(), p), c.clip);
        break;
    case 18:
    case 19:
    case 20:
        blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        blt(c.src2, *c.dstPt, c.Block2(), c.clip);
        break;
    case 21:
    case 22:
        // One source's mosaic on either side of the middle, or both.
        if (mode == 22 || p < 512) blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        if (mode == 22 || p >= 512) blt(c.src2, *c.dstPt, c.Block2(), c.clip);
        break;
    case 23:
    case 27:
        blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        stretch(c.src2, c.clip);
        break;
    case 24:
    case 28:
        blt(c.src2, *c.dstPt, c.Block2(), c.clip);
        stretch(c.src1, c.clip);
        break;
    case 25:
    case 26:
        // At its far end each shows one source in place instead of the zoom.
        if (mode == 25 && p == 1024) {
            blt(c.src2, *c.dstPt, c.Block2(), c.clip);
        } else if (mode == 26 && p == 0) {
            blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        } else {
            stretch(mode == 25 ? c.src1 : c.src2, c.clip);
        }
        break;
    case 29:
        stretch(c.src1, c.clip);
        blt(c.src2, *c.dstPt, c.Block2(), whole);
        break;
    case 30:
        blt(c.src1, *c.dstPt, c.Block1(), c.clip);
        stretch(c.src2, whole);
        break;
    default:
        if (mode >= 31) {
            SJitterPass passes[2];
            const int count = _JitterPasses(mode, c, passes);
            for (int i = 0; i < count; ++i) {
                join(SoftFxJitterRect(_JitterEffectMode(mode), c.dst, passes[i].src, c.dstPt, &passes[i].block,
                                      &c.clip, passes[i].amount));
            }
        } else {
            // The cascades: the background, then bands that may overhang the block's end.
            blt(c.src1, *c.dstPt, c.Block1(), c.clip);
            SPoint at{};
            SRect extent{};
            if (SoftFx3CascadeExtent(mode, *c.dstPt, *c.src2Pt, *c.size, &at, &extent)) {
                blt(c.src2, at, extent, c.clip);
            }
        }
        break;
    }
}

void _DrawMode(int mode, const SEffect3Call& c) {
    const int p = c.p;
    auto args = [&c]() { return std::tuple(c.dst, c.src1, c.src2, c.dstPt, c.src1Pt, c.src2Pt, c.size, &c.clip, c.p); };
    switch (mode) {
    case 1: std::apply(SoftFx3CrossFade, args()); break;
    case 2: _MaskBlend(c); break;
    case 3: std::apply(SoftFx3Mode3, args()); break;
    case 4:
        c.Background();
        c.Pass(SoftFxBlindsV, c.src2, c.Block2(), 256, p);
        break;
    case 5: std::apply(SoftFx3CascadeBlindsMode5, args()); break;
    case 6: std::apply(SoftFx3CascadeBlindsMode6, args()); break;
    case 7: std::apply(SoftFx3CascadeBlindsMode7, args()); break;
    case 8: std::apply(SoftFx3CascadeBlindsMode8, args()); break;
    case 9:
        c.Background();
        c.Pass(SoftFxBlindsH, c.src2, c.Block2(), p >> 2, p);
        break;
    case 10:
        c.Background();
        c.Pass(SoftFxBlindsV, c.src2, c.Block2(), p >> 2, p);
        break;
    case 11: std::apply(SoftFx3CascadeBlindsMode11, args()); break;
    case 12: std::apply(SoftFx3CascadeBlindsMode12, args()); break;
    case 13: std::apply(SoftFx3CascadeBlindsMode13, args()); break;
    case 14: std::apply(SoftFx3CascadeBlindsMode14, args()); break;
    case 15: std::apply(SoftFx3DissolvePattern4x4, args()); break;
    case 16: std::apply(SoftFx3DissolvePattern16, args()); break;
    case 17: std::apply(SoftFx3DissolveRandom, args()); break;
    case 18:
        c.Background();
        c.Pass(SoftFxDissolve7, c.src2, c.Block2(), p >> 2, p);
        break;
    case 19:
        c.Background();
        c.Pass(SoftFxPatternDissolve, c.src2, c.Block2(), p >> 2, p);
        break;
    case 20:
        c.Background();
        c.Pass(SoftFxBlockDissolve, c.src2, c.Block2(), p >> 2, p);
        break;
    case 21: _Mosaics(c, false); break;
    case 22: _Mosaics(c, true); break;
    default:
        if (mode >= 31) {
            _Jitters(mode, c);
        } else if (mode >= 23 && mode <= 30) {
            SoftFx3Zoom(mode, c.dst, c.src1, c.src2, c.dstPt, c.src1Pt, c.src2Pt, c.size, &c.clip, c.p);
        }
        break;
    }
}

bool _SameDepth(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2) {
    const int depth = dst->GetBitDepth();
    return depth == src1->GetBitDepth() && depth == src2->GetBitDepth();
}

// The jitter wrapper and the amounts of both layers of a transition mode 33 to 36.
struct STransitionJitter {
    SingleEffect effect;
    int rectMode;
    int opacity1, amount1;
    int opacity2, amount2;
    bool both;
};

bool _TransitionJitter(int mode, int p, STransitionJitter* out) {
    switch (mode) {
    case 33: *out = {SoftFxJitterRows, kJitterRows, 256, p / 2, 256, (1024 - p) / 2, false}; return true;
    case 34: *out = {SoftFxJitterRows, kJitterRows, 256 - (p >> 2), p / 4, p >> 2, (1024 - p) / 4, true}; return true;
    case 35: *out = {SoftFxJitterColumns, kJitterColumns, 256, p / 2, 256, (1024 - p) / 2, false}; return true;
    case 36:
        *out = {SoftFxJitterColumns, kJitterColumns, 256 - (p >> 2), p / 4, p >> 2, (1024 - p) / 4, true};
        return true;
    default: return false;
    }
}

bool _IsAcceptedRect(const SRect& r) { return r.right >= 0 && r.bottom >= 0 && r.right > r.left && r.bottom > r.top; }

}  // namespace

SRect CEffectBlitter::GetEffect3Rect(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                     const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt,
                                     const SSize* size, const SRect* clip, int progress) {
    if (mode == -1) {
        // The clear reaches every pixel of the destination, whatever the block.
        if (dst == nullptr) {
            return SRect{};
        }
        const SSize s = dst->GetSize();
        return (s.cx > 0 && s.cy > 0) ? SRect{0, 0, s.cx, s.cy} : SRect{};
    }
    if (mode < 1 || mode > 36) {
        return SRect{};
    }
    const SRect block = SoftFxPlaceRects3(dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip);
    // Only the zooms draw with a source missing: their other pass still does.
    if (dst == nullptr || !_HasGeometry(dstPt, src1Pt, src2Pt, size, clip) ||
        (!_IsZoom(mode) && (src1 == nullptr || src2 == nullptr))) {
        return block;
    }
    // The passes draw even where the block clips away: their reach alone is the answer then.
    SRect rect = block.IsEmpty() ? kSoftFx3UnionIdentity : block;
    const SEffect3Call call{dst, src1, src2, dstPt, src1Pt, src2Pt, size, *clip, SoftFx3ClampProgress(progress)};
    _JoinPassesReach(mode, call, &rect);
    return rect == kSoftFx3UnionIdentity ? SRect{} : rect;
}

void CEffectBlitter::DrawEffect3(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                 const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size,
                                 const SRect* clip, int progress) {
    if (mode < -1 || mode > 36 || mode == 0 || dst == nullptr) {
        return;
    }
    const SRect drawn = GetEffect3Rect(mode, dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip, progress);
    if (mode == -1) {
        dst->Clear(EffectClearColour);
    } else if (_HasGeometry(dstPt, src1Pt, src2Pt, size, clip) &&
               (_IsZoom(mode) || (src1 != nullptr && src2 != nullptr && _SameDepth(dst, src1, src2)))) {
        // The zooms check no surfaces or depths of their own: each blit and stretch they
        // make refuses a missing source or one of another depth by itself, so the other
        // source's pass still draws.
        const SEffect3Call call{dst, src1, src2, dstPt, src1Pt, src2Pt, size, *clip, SoftFx3ClampProgress(progress)};
        _DrawMode(mode, call);
    }
    dst->OnDrawEffect3(src1, src2, dstPt, src1Pt, src2Pt, size, clip, progress, drawn);
}

SRect CEffectBlitter::GetTransitionRect(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                        const SPoint* dst1Pt, const SPoint* dst2Pt, const SPoint* src1Pt,
                                        const SPoint* src2Pt, const SSize* size1, const SSize* size2,
                                        const SRect* clip, int progress) {
    if (mode == 1) {
        return SoftFxUnionPlacedRects(src1, src2, dst1Pt, dst2Pt, size1, size2);
    }
    STransitionJitter j{};
    if (!_TransitionJitter(mode, SoftFx3ClampProgress(progress), &j)) {
        return SRect{};
    }
    if (dst == nullptr || clip == nullptr) {
        return SRect{};
    }
    // The jitters scatter pixels beyond the plain blit's rectangle; the union is made of
    // what each layer's jitter can reach, a layer whose blit clips away counting as
    // {0, 0, 0, 0}.
    SRect u = kSoftFx3UnionIdentity;
    if (src1 != nullptr && dst1Pt != nullptr && src1Pt != nullptr && size1 != nullptr) {
        const SRect rect = SoftFx3BlockRect(*src1Pt, *size1);
        SoftFxJoinRect(&u, SoftFxJitterRect(j.rectMode, dst, src1, dst1Pt, &rect, clip, j.amount1));
        SoftFxJoinLayerRect(&u, BltClippedRect(dst, src1, dst1Pt, &rect, clip));
    }
    if (src2 != nullptr && dst2Pt != nullptr && src2Pt != nullptr && size2 != nullptr) {
        const SRect rect = SoftFx3BlockRect(*src2Pt, *size2);
        SoftFxJoinRect(&u, SoftFxJitterRect(j.rectMode, dst, src2, dst2Pt, &rect, clip, j.amount2));
        SoftFxJoinLayerRect(&u, BltClippedRect(dst, src2, dst2Pt, &rect, clip));
    }
    return u == kSoftFx3UnionIdentity ? SRect{} : u;
}

void CEffectBlitter::DrawTransition(int mode, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2,
                                    const SPoint* dst1Pt, const SPoint* dst2Pt, const SPoint* src1Pt,
                                    const SPoint* src2Pt, const SSize* size1, const SSize* size2, const SRect* clip,
                                    int progress) {
    if (dst == nullptr || clip == nullptr) {
        return;
    }
    const int p = SoftFx3ClampProgress(progress);
    const bool has1 = src1 != nullptr && dst1Pt != nullptr && src1Pt != nullptr && size1 != nullptr;
    const bool has2 = src2 != nullptr && dst2Pt != nullptr && src2Pt != nullptr && size2 != nullptr;
    STransitionJitter j{};
    if (mode == 1) {
        if (has1) {
            SoftSurfaceBltClipped(dst, src1, dst1Pt->x, dst1Pt->y, SoftFx3BlockRect(*src1Pt, *size1), *clip,
                                  256 - (p >> 2));
        }
        if (has2) {
            SoftSurfaceBltClipped(dst, src2, dst2Pt->x, dst2Pt->y, SoftFx3BlockRect(*src2Pt, *size2), *clip,
                                  p >> 2);
        }
    } else if (_TransitionJitter(mode, p, &j)) {
        const bool first = j.both || p < 512;
        const bool second = j.both || p >= 512;
        if (first && has1) {
            const SRect rect = SoftFx3BlockRect(*src1Pt, *size1);
            j.effect(dst, src1, dst1Pt, &rect, clip, j.opacity1, j.amount1);
        }
        if (second && has2) {
            const SRect rect = SoftFx3BlockRect(*src2Pt, *size2);
            j.effect(dst, src2, dst2Pt, &rect, clip, j.opacity2, j.amount2);
        }
    } else {
        return;
    }
    dst->OnDrawTransition(src1, src2, dst1Pt, dst2Pt, src1Pt, src2Pt, size1, size2, clip, progress,
                          GetTransitionRect(mode, dst, src1, src2, dst1Pt, dst2Pt, src1Pt, src2Pt, size1, size2,
                                            clip, progress));
}

// --- entry points ---

void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY,
                            int src1X, int src1Y, int src2X, int src2Y, int width, int height, SRect clip,
                            int progress) {
    if (dst == nullptr || src1 == nullptr || src2 == nullptr || !_IsAcceptedRect(clip) || width < 1 || height < 1) {
        return;
    }
    const SPoint d{dstX, dstY}, a{src1X, src1Y}, b{src2X, src2Y};
    const SSize s{width, height};
    CEffectBlitter blitter;
    blitter.DrawEffect3(mode, dst, src1, src2, &d, &a, &b, &s, &clip, progress);
}

SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX,
                                int dstY, int src1X, int src1Y, int src2X, int src2Y, int width, int height,
                                SRect clip, int progress) {
    if (src1 == nullptr || src2 == nullptr) {
        return SRect{};
    }
    const SPoint d{dstX, dstY}, a{src1X, src1Y}, b{src2X, src2Y};
    const SSize s{width, height};
    CEffectBlitter blitter;
    return blitter.GetEffect3Rect(mode, dst, src1, src2, &d, &a, &b, &s, &clip, progress);
}

namespace {
SRect _WholeSurface(CSoftSurface* s) {
    if (s == nullptr) {
        return SRect{};
    }
    const SSize size = s->GetSize();
    return SRect{0, 0, size.cx, size.cy};
}
SSize _SizeOf(CSoftSurface* s) { return s == nullptr ? SSize{} : s->GetSize(); }
}  // namespace

void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    const SRect whole = _WholeSurface(dst);
    SoftSurfaceDrawEffect3(dst, mode, src1, src2, 0, 0, 0, 0, 0, 0, whole.right, whole.bottom, whole, progress);
}

SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    const SRect whole = _WholeSurface(dst);
    return SoftSurfaceGetEffect3Rect(dst, mode, src1, src2, 0, 0, 0, 0, 0, 0, whole.right, whole.bottom, whole,
                                     progress);
}

void SoftSurfaceDrawEffect3(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                            int progress) {
    const SRect whole = _WholeSurface(dst);
    SoftSurfaceDrawEffect3(dst, mode, src1, src2, 0, 0, 0, 0, 0, 0, whole.right, whole.bottom, clip, progress);
}

SRect SoftSurfaceGetEffect3Rect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                                int progress) {
    if (!_IsAcceptedRect(clip)) {
        return SRect{};
    }
    const SRect whole = _WholeSurface(dst);
    return SoftSurfaceGetEffect3Rect(dst, mode, src1, src2, 0, 0, 0, 0, 0, 0, whole.right, whole.bottom, clip,
                                     progress);
}

void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt,
                               SPoint dst2Pt, SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2, SRect clip,
                               int progress) {
    if (dst == nullptr || !_IsAcceptedRect(clip)) {
        return;
    }
    CEffectBlitter blitter;
    blitter.DrawTransition(mode, dst, src1, src2, &dst1Pt, &dst2Pt, &src1Pt, &src2Pt, &size1, &size2, &clip,
                           progress);
}

SRect SoftSurfaceGetTransitionRect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2,
                                   SPoint dst1Pt, SPoint dst2Pt, SPoint src1Pt, SPoint src2Pt, SSize size1,
                                   SSize size2, SRect clip, int progress) {
    CEffectBlitter blitter;
    return blitter.GetTransitionRect(mode, dst, src1, src2, &dst1Pt, &dst2Pt, &src1Pt, &src2Pt, &size1, &size2,
                                     &clip, progress);
}

void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    SoftSurfaceDrawTransition(dst, mode, src1, src2, _WholeSurface(dst), progress);
}

void SoftSurfaceDrawTransition(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip,
                               int progress) {
    SoftSurfaceDrawTransition(dst, mode, src1, src2, SPoint{}, SPoint{}, SPoint{}, SPoint{}, _SizeOf(src1),
                              _SizeOf(src2), clip, progress);
}

SRect SoftSurfaceGetTransitionRect(CSoftSurface* dst, int mode, CSoftSurface* src1, CSoftSurface* src2,
                                   int progress) {
    return SoftSurfaceGetTransitionRect(dst, mode, src1, src2, SPoint{}, SPoint{}, SPoint{}, SPoint{}, _SizeOf(src1),
                                        _SizeOf(src2), _WholeSurface(dst), progress);
}
