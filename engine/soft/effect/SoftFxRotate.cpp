// Rotated blits by inverse mapping: each destination pixel of the bounding rectangle
// is turned back into the source and takes the pixel it lands on.
#include "engine/soft/effect/SoftFxRotate.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/SinTable.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"

using softfx::SPx;

void SoftFxRotatePivot::SoftFxRotateSetup(SRect* box, CSoftSurface*, CSoftSurface*, const SPoint* dstPt,
                                          const SRect* srcRect, const SRect*, int, int progress) const {
    if (box == nullptr) return;
    *box = SRect{};
    if (dstPt == nullptr || srcRect == nullptr) return;
    const int64_t w = int64_t{srcRect->right} - srcRect->left;
    const int64_t h = int64_t{srcRect->bottom} - srcRect->top;
    const int64_t px = x + (w >> 1);
    const int64_t py = y + (h >> 1);
    // The kernels turn destination offsets back by k = progress >> 1 steps; the source's
    // corners therefore land turned by -k steps.
    const int32_t a = static_cast<int32_t>((-(progress >> 1)) & 511);
    const int64_t s = CSinTable::Sin(a);
    const int64_t c = CSinTable::Sin(a + 128);
    const int64_t cx = dstPt->x + px;
    const int64_t cy = dstPt->y + py;
    int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    for (const int64_t dx : {-px, w - px}) {
        for (const int64_t dy : {-py, h - py}) {
            const int64_t X = ((dx * c - dy * s) >> 16) + cx;
            const int64_t Y = ((dx * s + dy * c) >> 16) + cy;
            minX = std::min(minX, X);
            minY = std::min(minY, Y);
            maxX = std::max(maxX, X);
            maxY = std::max(maxY, Y);
        }
    }
    *box = SRect{softfx::Clamp32(minX - 2), softfx::Clamp32(minY - 2), softfx::Clamp32(maxX + 3),
                 softfx::Clamp32(maxY + 3)};
}

namespace {

enum EKind { KIND_OPAQUE, KIND_COLORKEY, KIND_ALPHA, KIND_ALPHA_TO_ALPHA };

struct SRotateArgs {
    uint8_t* dstBits;
    const uint8_t* srcBits;
    uint8_t* dstAlpha;
    const uint8_t* srcAlpha;
    uint32_t key;
    intptr_t dstPitch;
    intptr_t srcPitch;
    intptr_t dstAlphaPitch;
    intptr_t srcAlphaPitch;
    SPoint dstPt;
    SRect srcRect;   // gives the pivot
    SRect readable;  // source pixels that may be read
    SRect visit;     // destination pixels that may be written
    int opacity;
    int progress;
    int32_t ox = 0;  // pivot offset from the centre
    int32_t oy = 0;
};

template <int kDepth, int kKind, bool kFull>
inline void _RotatePixel(const SRotateArgs& a, uint8_t* d, const uint8_t* s, uint8_t* da, const uint8_t* sa) {
    using P = SPx<kDepth>;
    const auto o = static_cast<uint8_t>(a.opacity);
    if constexpr (kKind == KIND_OPAQUE) {
        if constexpr (kFull) P::Copy(d, s);
        else P::Blend(d, s, o);
    } else if constexpr (kKind == KIND_COLORKEY) {
        if (P::Read(s) == a.key) return;
        if constexpr (kFull) P::Copy(d, s);
        else P::Blend(d, s, o);
    } else if constexpr (kKind == KIND_ALPHA) {
        if constexpr (kFull) {
            P::Blend(d, s, *sa);
        } else {
            const int e = int(*sa) + int(o) - 255;
            if (e > 0) P::Blend(d, s, static_cast<uint8_t>(e));
        }
    } else {
        if constexpr (kFull) P::Combine(d, s, da, *sa);
        else P::CombineBlend(d, s, da, *sa, o);
    }
}

template <int kDepth, int kKind, bool kFull>
void _RotateLoop(const SRotateArgs& a) {
    constexpr int B = SPx<kDepth>::kBytes;
    const int64_t hw = (int64_t{a.srcRect.right} - a.srcRect.left) >> 1;
    const int64_t hh = (int64_t{a.srcRect.bottom} - a.srcRect.top) >> 1;
    const int64_t DX = int64_t{a.dstPt.x} + a.ox + hw;
    const int64_t DY = int64_t{a.dstPt.y} + a.oy + hh;
    const int64_t SX = int64_t{a.srcRect.left} + a.ox + hw;
    const int64_t SY = int64_t{a.srcRect.top} + a.oy + hh;
    const int32_t k = a.progress >> 1;
    const int64_t s = CSinTable::Sin(k);
    const int64_t c = CSinTable::Sin(k + 128);
    for (int32_t y = a.visit.top; y < a.visit.bottom; ++y) {
        const int64_t dy = y - DY;
        const int64_t dx0 = a.visit.left - DX;
        int64_t U = dx0 * c - dy * s;
        int64_t V = dx0 * s + dy * c;
        uint8_t* d = softfx::At(a.dstBits, a.dstPitch, a.visit.left, y, B);
        uint8_t* da = kKind == KIND_ALPHA_TO_ALPHA ? softfx::At(a.dstAlpha, a.dstAlphaPitch, a.visit.left, y, 1)
                                                   : nullptr;
        for (int32_t x = a.visit.left; x < a.visit.right; ++x, U += c, V += s, d += B) {
            const int64_t sx = (U >> 16) + SX;
            const int64_t sy = (V >> 16) + SY;
            if (sx < a.readable.left || sx >= a.readable.right || sy < a.readable.top || sy >= a.readable.bottom) {
                if (da) ++da;
                continue;
            }
            const uint8_t* sp = softfx::At(a.srcBits, a.srcPitch, sx, sy, B);
            const uint8_t* sap = (kKind == KIND_ALPHA || kKind == KIND_ALPHA_TO_ALPHA)
                                     ? softfx::At(a.srcAlpha, a.srcAlphaPitch, sx, sy, 1)
                                     : nullptr;
            _RotatePixel<kDepth, kKind, kFull>(a, d, sp, da, sap);
            if (da) ++da;
        }
    }
}

template <int kDepth, int kKind>
void _Rotate(const SRotateArgs& a) {
    if (a.visit.IsEmpty() || a.readable.IsEmpty()) return;
    if (a.opacity >= 255) _RotateLoop<kDepth, kKind, true>(a);
    else _RotateLoop<kDepth, kKind, false>(a);
}

using RotateFn = void (*)(const SRotateArgs&);

template <int kKind>
RotateFn _PickRotate(int depth) {
    switch (depth) {
    case 15: return _Rotate<15, kKind>;
    case 16: return _Rotate<16, kKind>;
    case 24: return _Rotate<24, kKind>;
    case 32: return _Rotate<32, kKind>;
    default: return nullptr;
    }
}

template <int kKind>
void _Dispatch(const char* name, const SoftFxRotatePivot& pivot, CSoftSurface* dst, CSoftSurface* src,
               const SPoint* dstPt, const SRect* srcRect, const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    SRect box{};
    pivot.SoftFxRotateSetup(&box, dst, src, dstPt, srcRect, clip, opacity, progress);
    const int depth = src->GetBitDepth();
    const RotateFn fn = _PickRotate<kKind>(depth);
    if (fn == nullptr) return;
    if (dst->GetBitDepth() != depth) {
        DebugPrintf("%s() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", name, dst->GetBitDepth(), depth);
        return;
    }
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    SRotateArgs a{};
    a.dstBits = dst->GetBits();
    a.srcBits = src->GetBits();
    a.dstPitch = dst->GetPitch();
    a.srcPitch = src->GetPitch();
    if (a.dstBits == nullptr || a.srcBits == nullptr) return;
    if constexpr (kKind == KIND_COLORKEY) a.key = softfx::PackKey(depth, src->GetColorKey());
    if constexpr (kKind == KIND_ALPHA || kKind == KIND_ALPHA_TO_ALPHA) {
        a.srcAlpha = src->GetAlphaBits();
        a.srcAlphaPitch = src->GetAlphaPitch();
        if (a.srcAlpha == nullptr) {
            DebugPrintf("%s() 転送元にアルファ面がない", name);
            return;
        }
    }
    if constexpr (kKind == KIND_ALPHA_TO_ALPHA) {
        a.dstAlpha = dst->GetAlphaBits();
        a.dstAlphaPitch = dst->GetAlphaPitch();
        if (a.dstAlpha == nullptr) {
            DebugPrintf("%s() 転送先にアルファ面がない", name);
            return;
        }
    }
    a.dstPt = *dstPt;
    a.srcRect = *srcRect;
    // Writes stay inside the clip, the box and the destination; reads inside the source
    // rectangle and the source.
    a.readable = softfx::Intersect(*srcRect, SRect{0, 0, ss.cx, ss.cy});
    a.visit = softfx::Intersect(softfx::Intersect(*clip, box), SRect{0, 0, ds.cx, ds.cy});
    a.opacity = SoftFxClampOpacity(opacity);
    a.progress = progress;
    a.ox = pivot.x;
    a.oy = pivot.y;
    BuildBlendTables();
    fn(a);
}

// The kernels' own entry: the caller's promises stand in for the dispatcher's checks.
SRotateArgs _KernelArgs(uint8_t* dstBits, const uint8_t* srcBits, uint8_t* dstAlpha, const uint8_t* srcAlpha,
                        uint32_t key, int dstPitch, int srcPitch, int dstAlphaPitch, int srcAlphaPitch,
                        const SPoint* dstPt, const SRect* srcRect, const SRect* clip, const SRect* box, int opacity,
                        int progress) {
    SRotateArgs a{dstBits, srcBits, dstAlpha, srcAlpha, key, dstPitch, srcPitch, dstAlphaPitch, srcAlphaPitch,
                  *dstPt,  *srcRect, *srcRect, softfx::Intersect(*clip, *box), SoftFxClampOpacity(opacity),
                  progress, 0, 0};
    BuildBlendTables();
    return a;
}

}  // namespace

#define PG_ROTATE_DISPATCHERS(S)                                                                                      \
    void SoftFxRotatePivot::SoftFxRotate##S##Opaque(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,       \
                                                    const SRect* srcRect, const SRect* clip, int opacity,           \
                                                    int progress) const {                                           \
        _Dispatch<KIND_OPAQUE>("SoftFxRotatePivot::SoftFxRotate" #S "Opaque", *this, dst, src, dstPt, srcRect, clip, \
                               opacity, progress);                                                                  \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotate##S##ColorKey(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,     \
                                                      const SRect* srcRect, const SRect* clip, int opacity,         \
                                                      int progress) const {                                         \
        _Dispatch<KIND_COLORKEY>("SoftFxRotatePivot::SoftFxRotate" #S "ColorKey", *this, dst, src, dstPt, srcRect,   \
                                 clip, opacity, progress);                                                          \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotate##S##Alpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,        \
                                                   const SRect* srcRect, const SRect* clip, int opacity,            \
                                                   int progress) const {                                            \
        _Dispatch<KIND_ALPHA>("SoftFxRotatePivot::SoftFxRotate" #S "Alpha", *this, dst, src, dstPt, srcRect, clip,   \
                              opacity, progress);                                                                   \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotate##S##AlphaToAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, \
                                                          const SRect* srcRect, const SRect* clip, int opacity,     \
                                                          int progress) const {                                     \
        _Dispatch<KIND_ALPHA_TO_ALPHA>("SoftFxRotatePivot::SoftFxRotate" #S "AlphaToAlpha", *this, dst, src, dstPt,  \
                                       srcRect, clip, opacity, progress);                                           \
    }
PG_ROTATE_DISPATCHERS(A)
PG_ROTATE_DISPATCHERS(B)
#undef PG_ROTATE_DISPATCHERS

#define PG_ROTATE_KERNELS(D)                                                                                          \
    void SoftFxRotatePivot::SoftFxRotateOpaque##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch,            \
                                                  int srcPitch, const SPoint* dstPt, const SRect* srcRect,          \
                                                  const SRect* clip, const SRect* box, int opacity, int progress)   \
        const {                                                                                                     \
        SRotateArgs a = _KernelArgs(dstBits, srcBits, nullptr, nullptr, 0, dstPitch, srcPitch, 0, 0, dstPt, srcRect, \
                                    clip, box, opacity, progress);                                                  \
        a.ox = x;                                                                                                   \
        a.oy = y;                                                                                                   \
        _Rotate<D, KIND_OPAQUE>(a);                                                                                 \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotateColorKey##D(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key,          \
                                                    int dstPitch, int srcPitch, const SPoint* dstPt,                \
                                                    const SRect* srcRect, const SRect* clip, const SRect* box,      \
                                                    int opacity, int progress) const {                              \
        SRotateArgs a = _KernelArgs(dstBits, srcBits, nullptr, nullptr, key, dstPitch, srcPitch, 0, 0, dstPt,        \
                                    srcRect, clip, box, opacity, progress);                                         \
        a.ox = x;                                                                                                   \
        a.oy = y;                                                                                                   \
        _Rotate<D, KIND_COLORKEY>(a);                                                                               \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotateAlpha##D(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha,  \
                                                 int dstPitch, int srcPitch, int srcAlphaPitch, const SPoint* dstPt, \
                                                 const SRect* srcRect, const SRect* clip, const SRect* box,         \
                                                 int opacity, int progress) const {                                 \
        SRotateArgs a = _KernelArgs(dstBits, srcBits, nullptr, srcAlpha, 0, dstPitch, srcPitch, 0, srcAlphaPitch,    \
                                    dstPt, srcRect, clip, box, opacity, progress);                                  \
        a.ox = x;                                                                                                   \
        a.oy = y;                                                                                                   \
        _Rotate<D, KIND_ALPHA>(a);                                                                                  \
    }                                                                                                               \
    void SoftFxRotatePivot::SoftFxRotateAlphaToAlpha##D(                                                            \
        uint8_t* dstBits, const uint8_t* srcBits, uint8_t* dstAlpha, const uint8_t* srcAlpha, int dstPitch,         \
        int srcPitch, int dstAlphaPitch, int srcAlphaPitch, const SPoint* dstPt, const SRect* srcRect,              \
        const SRect* clip, const SRect* box, int opacity, int progress) const {                                     \
        SRotateArgs a = _KernelArgs(dstBits, srcBits, dstAlpha, srcAlpha, 0, dstPitch, srcPitch, dstAlphaPitch,      \
                                    srcAlphaPitch, dstPt, srcRect, clip, box, opacity, progress);                   \
        a.ox = x;                                                                                                   \
        a.oy = y;                                                                                                   \
        _Rotate<D, KIND_ALPHA_TO_ALPHA>(a);                                                                         \
    }

PG_ROTATE_KERNELS(15)
PG_ROTATE_KERNELS(16)
PG_ROTATE_KERNELS(24)
PG_ROTATE_KERNELS(32)
#undef PG_ROTATE_KERNELS

namespace {

using RotateDispatch = void (SoftFxRotatePivot::*)(CSoftSurface*, CSoftSurface*, const SPoint*, const SRect*,
                                                   const SRect*, int, int) const;

struct SRotateSet {
    RotateDispatch opaque, colorKey, alpha, alphaToAlpha;
};

void _RotateEffect(const SRotateSet& set, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                   const SRect* srcRect, const SRect* clip, int opacity, int angle) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    const SoftFxRotatePivot pivot{};
    const int a = angle < 0 ? 0 : (angle > 1023 ? 1023 : angle);
    SRect box{};
    pivot.SoftFxRotateSetup(&box, dst, src, dstPt, srcRect, clip, opacity, a);
    // The box is cut to the clip and the destination alone.  (Clipping it as a stretch
    // paired with the source rectangle would refuse sources under 2 pixels high or wide
    // and shrink the box where the source rectangle leaves the source: the kernels map
    // every pixel on its own and test each read against the source.)
    const SSize ds = dst->GetSize();
    box = softfx::Intersect(softfx::Intersect(box, *clip), SRect{0, 0, ds.cx, ds.cy});
    if (box.IsEmpty()) return;
    const int o = SoftFxClampOpacity(opacity);
    const int dstKind = GetSurfaceKind(dst->GetFormatFlags());
    const int srcKind = GetSurfaceKind(src->GetFormatFlags());
    if (dstKind == SURFACE_KIND_NONE) return;
    RotateDispatch fn = nullptr;
    switch (srcKind) {
    case SURFACE_KIND_OPAQUE: fn = set.opaque; break;
    case SURFACE_KIND_COLORKEY: fn = set.colorKey; break;
    case SURFACE_KIND_ALPHA: fn = dstKind == SURFACE_KIND_ALPHA ? set.alphaToAlpha : set.alpha; break;
    default: return;
    }
    (pivot.*fn)(dst, src, dstPt, srcRect, &box, o, a);
}

}  // namespace

void SoftFxRotateA(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int angle) {
    static const SRotateSet kSet{&SoftFxRotatePivot::SoftFxRotateAOpaque, &SoftFxRotatePivot::SoftFxRotateAColorKey,
                                 &SoftFxRotatePivot::SoftFxRotateAAlpha, &SoftFxRotatePivot::SoftFxRotateAAlphaToAlpha};
    _RotateEffect(kSet, dst, src, dstPt, srcRect, clip, opacity, angle);
}

void SoftFxRotateB(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,
                   int opacity, int angle) {
    static const SRotateSet kSet{&SoftFxRotatePivot::SoftFxRotateBOpaque, &SoftFxRotatePivot::SoftFxRotateBColorKey,
                                 &SoftFxRotatePivot::SoftFxRotateBAlpha, &SoftFxRotatePivot::SoftFxRotateBAlphaToAlpha};
    _RotateEffect(kSet, dst, src, dstPt, srcRect, clip, opacity, angle);
}

SRect SoftFxRotateRect(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                       const SRect* clip, int opacity, int angle) {
    // The same angle the drawing uses, so that the box holds what is drawn.
    const int a = angle < 0 ? 0 : (angle > 1023 ? 1023 : angle);
    SRect box{};
    SoftFxRotatePivot{}.SoftFxRotateSetup(&box, dst, src, dstPt, srcRect, clip, opacity, a);
    return box;
}
