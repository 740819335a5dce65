// The rule wipe: a source drawn over the destination through an 8-bit rule image, one
// weight per rule value.
#include "engine/soft/effect/SoftFxRuleWipe.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/image/MaskImage.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"
#include "engine/soft/effect/SoftFxWipeRows.h"

using softfx::SPx;

void SoftFxBuildRuleWeights(uint8_t weights[256], unsigned threshold, int opacity, int progress) {
    const int t = static_cast<int>(threshold & 0xFFu);
    const int o = SoftFxClampOpacity(opacity);
    const int p = progress < 0 ? 0 : (progress > 1024 ? 1024 : progress);
    const int level = ((t + 256) * p) / 1024;
    for (int r = 0; r < 256; ++r) {
        const int q = (level * 256 - r * 256) / (t + 1);
        const int w = q + o - 255;
        weights[r] = static_cast<uint8_t>(w < 0 ? 0 : (w > 255 ? 255 : w));
    }
}

namespace {

enum EKind { KIND_OPAQUE, KIND_COLORKEY, KIND_ALPHA };

struct SWipeArgs {
    uint8_t* dstBits;
    const uint8_t* srcBits;
    const uint8_t* srcAlpha;
    uint32_t key;
    intptr_t dstPitch;
    intptr_t srcPitch;
    intptr_t srcAlphaPitch;
    SPoint dstPoint;
    SRect srcRect;
    SPoint ruleOrigin;
    int opacity;
    int progress;
};

template <int kDepth, int kKind>
void _WipePixel(uint8_t* d, const uint8_t* s, uint8_t weight, const uint8_t* alpha, uint32_t key) {
    using P = SPx<kDepth>;
    if constexpr (kKind == KIND_OPAQUE) {
        P::Blend(d, s, weight);
    } else if constexpr (kKind == KIND_COLORKEY) {
        if (P::Read(s) != key) P::Blend(d, s, weight);
    } else {
        const int a = int(weight) + int(*alpha) - 255;
        if (a > 0) P::Blend(d, s, static_cast<uint8_t>(a));
    }
}

// The weight each pixel of a run is drawn with: the rule's weight, 0 for a keyed source
// pixel, the weight reduced by the source alpha (max(w + a - 255, 0)) for the alpha kind.
template <int kDepth, int kKind>
void _RunWeights(uint8_t* out, const uint8_t weights[256], const uint8_t* m, const uint8_t* s, const uint8_t* al,
                 uint32_t key, int n) {
    using P = SPx<kDepth>;
    int x = 0;
    if constexpr (kKind == KIND_OPAQUE) {
        // Four rule bytes read and four weights written at once: byte loads and stores
        // through char pointers would each wait on the one before.
        for (; x + 4 <= n; x += 4) {
            uint32_t r;
            std::memcpy(&r, m + x, 4);
            const uint32_t four = uint32_t{weights[r & 0xFF]} | uint32_t{weights[(r >> 8) & 0xFF]} << 8 |
                                  uint32_t{weights[(r >> 16) & 0xFF]} << 16 | uint32_t{weights[r >> 24]} << 24;
            std::memcpy(out + x, &four, 4);
        }
    }
    for (; x < n; ++x) {
        const uint8_t w = weights[m[x]];
        if constexpr (kKind == KIND_OPAQUE) {
            out[x] = w;
        } else if constexpr (kKind == KIND_COLORKEY) {
            out[x] = P::Read(s + x * P::kBytes) == key ? uint8_t{0} : w;
        } else {
            const int a = int(w) + int(al[x]) - 255;
            out[x] = static_cast<uint8_t>(a > 0 ? a : 0);
        }
    }
}

// A surface wiped onto itself can have a source row that shares memory with its
// destination row; such rows keep the pixel-by-pixel order.
inline bool _RowsOverlap(const uint8_t* d, const uint8_t* s, intptr_t bytes) {
    const auto dp = reinterpret_cast<uintptr_t>(d), sp = reinterpret_cast<uintptr_t>(s);
    const auto n = static_cast<uintptr_t>(bytes);
    return dp < sp + n && sp < dp + n;
}

template <int kDepth, int kKind>
void _Wipe(const CMaskImage& rule, const SWipeArgs& a) {
    using P = SPx<kDepth>;
    constexpr int B = P::kBytes;
    const int w = a.srcRect.right - a.srcRect.left;
    const int h = a.srcRect.bottom - a.srcRect.top;
    if (w < 1 || h < 1) return;
    uint8_t weights[256];
    SoftFxBuildRuleWeights(weights, rule.GetThreshold(), a.opacity, a.progress);
    const intptr_t rulePitch = rule.GetPitch();
    uint8_t* d = softfx::At(a.dstBits, a.dstPitch, a.dstPoint.x, a.dstPoint.y, B);
    const uint8_t* s = softfx::At(a.srcBits, a.srcPitch, a.srcRect.left, a.srcRect.top, B);
    const uint8_t* m = softfx::At(rule.GetBits(), rulePitch, a.dstPoint.x - a.ruleOrigin.x,
                                  a.dstPoint.y - a.ruleOrigin.y, 1);
    const uint8_t* al = kKind == KIND_ALPHA ? softfx::At(a.srcAlpha, a.srcAlphaPitch, a.srcRect.left, a.srcRect.top, 1)
                                            : nullptr;
    for (int j = 0; j < h; ++j) {
        if (kDepth == 24 || _RowsOverlap(d, s, intptr_t{w} * B)) {
            for (int i = 0; i < w; ++i) {
                _WipePixel<kDepth, kKind>(d + i * B, s + i * B, weights[m[i]], al ? al + i : nullptr, a.key);
            }
        } else if constexpr (kDepth != 24) {
            // The row in pieces: the weights of a piece first, then its pixels in one pass.
            constexpr int kPiece = 512;
            uint8_t run[kPiece];
            for (int i = 0; i < w; i += kPiece) {
                const int n = w - i < kPiece ? w - i : kPiece;
                _RunWeights<kDepth, kKind>(run, weights, m + i, s + i * B, al ? al + i : nullptr, a.key, n);
                softfx_wipe::WipeRow<kDepth>(d + i * B, s + i * B, run, n);
            }
        }
        d += a.dstPitch;
        s += a.srcPitch;
        m += rulePitch;
        if (al) al += a.srcAlphaPitch;
    }
}

// What the dispatchers check before any kernel runs: the kernels trust the rectangle.
bool _CheckWipe(const char* name, const CMaskImage* rule, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint,
                const SRect* srcRect, const SPoint* ruleOrigin) {
    if (rule == nullptr || rule->GetBits() == nullptr) {
        DebugPrintf("%s() ルール画像がない", name);
        return false;
    }
    if (dst->GetBitDepth() != src->GetBitDepth()) {
        DebugPrintf("%s() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", name, dst->GetBitDepth(),
                    src->GetBitDepth());
        return false;
    }
    const int64_t w = int64_t{srcRect->right} - srcRect->left;
    const int64_t h = int64_t{srcRect->bottom} - srcRect->top;
    if (w < 1 || h < 1) return false;  // nothing to draw
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    int32_t rw = 0, rh = 0;
    rule->GetSize(&rw, &rh);
    const int64_t rx = int64_t{dstPoint->x} - ruleOrigin->x;
    const int64_t ry = int64_t{dstPoint->y} - ruleOrigin->y;
    const bool inside = dstPoint->x >= 0 && dstPoint->y >= 0 && dstPoint->x + w <= ds.cx && dstPoint->y + h <= ds.cy &&
                        srcRect->left >= 0 && srcRect->top >= 0 && srcRect->right <= ss.cx &&
                        srcRect->bottom <= ss.cy && rx >= 0 && ry >= 0 && rx + w <= rw && ry + h <= rh;
    if (!inside) {
        DebugPrintf("%s() 矩形が面またはルール画像の外にはみ出している[%d,%d,%d,%d]", name, srcRect->left,
                    srcRect->top, srcRect->right, srcRect->bottom);
        return false;
    }
    return true;
}

using WipeFn = void (*)(const CMaskImage&, const SWipeArgs&);

template <int kKind>
WipeFn _PickWipe(int depth) {
    switch (depth) {
    case 15: return _Wipe<15, kKind>;
    case 16: return _Wipe<16, kKind>;
    case 24: return _Wipe<24, kKind>;
    case 32: return _Wipe<32, kKind>;
    default: return nullptr;
    }
}

template <int kKind>
void _Dispatch(const char* name, const CMaskImage* rule, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint,
               const SRect* srcRect, const SPoint* ruleOrigin, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPoint == nullptr || srcRect == nullptr || ruleOrigin == nullptr) return;
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    const WipeFn fn = _PickWipe<kKind>(src->GetBitDepth());
    if (fn == nullptr) return;
    if (!_CheckWipe(name, rule, dst, src, dstPoint, srcRect, ruleOrigin)) return;
    SWipeArgs a{dst->GetBits(), src->GetBits(), nullptr, 0, dst->GetPitch(), src->GetPitch(), 0,
                *dstPoint, *srcRect, *ruleOrigin, SoftFxClampOpacity(opacity),
                progress < 0 ? 0 : (progress > 1024 ? 1024 : progress)};
    if (a.dstBits == nullptr || a.srcBits == nullptr) return;
    if constexpr (kKind == KIND_COLORKEY) a.key = softfx::PackKey(src->GetBitDepth(), src->GetColorKey());
    if constexpr (kKind == KIND_ALPHA) {
        a.srcAlpha = src->GetAlphaBits();
        a.srcAlphaPitch = src->GetAlphaPitch();
        if (a.srcAlpha == nullptr) {
            DebugPrintf("%s() 転送元にアルファ面がない", name);
            return;
        }
    }
    BuildBlendTables();
    fn(*rule, a);
}

SWipeArgs _KernelArgs(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, uint32_t key, int dstPitch,
                      int srcPitch, int srcAlphaPitch, const SPoint* dstPoint, const SRect* srcRect,
                      const SPoint* ruleOrigin, int opacity, int progress) {
    return SWipeArgs{dstBits, srcBits, srcAlpha, key, dstPitch, srcPitch, srcAlphaPitch,
                     *dstPoint, *srcRect, *ruleOrigin, opacity, progress};
}

}  // namespace

void SoftFxRuleRef::SoftFxRuleWipeOpaque(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint,
                                         const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                         int progress) const {
    _Dispatch<KIND_OPAQUE>("SoftFxRuleRef::SoftFxRuleWipeOpaque", rule, dst, src, dstPoint, srcRect, ruleOrigin,
                           opacity, progress);
}
void SoftFxRuleRef::SoftFxRuleWipeColorKey(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint,
                                           const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                           int progress) const {
    _Dispatch<KIND_COLORKEY>("SoftFxRuleRef::SoftFxRuleWipeColorKey", rule, dst, src, dstPoint, srcRect, ruleOrigin,
                             opacity, progress);
}
void SoftFxRuleRef::SoftFxRuleWipeAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint,
                                        const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                        int progress) const {
    _Dispatch<KIND_ALPHA>("SoftFxRuleRef::SoftFxRuleWipeAlpha", rule, dst, src, dstPoint, srcRect, ruleOrigin, opacity,
                          progress);
}

#define PG_WIPE_KERNELS(D)                                                                                         \
    void SoftFxRuleRef::SoftFxRuleWipeOpaque##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch,            \
                                                int srcPitch, const SPoint* dstPoint, const SRect* srcRect,        \
                                                const SPoint* ruleOrigin, int opacity, int progress) const {       \
        if (rule == nullptr || rule->GetBits() == nullptr) return;                                                 \
        _Wipe<D, KIND_OPAQUE>(*rule, _KernelArgs(dstBits, srcBits, nullptr, 0, dstPitch, srcPitch, 0, dstPoint,    \
                                                 srcRect, ruleOrigin, opacity, progress));                         \
    }                                                                                                              \
    void SoftFxRuleRef::SoftFxRuleWipeColorKey##D(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key,          \
                                                  int dstPitch, int srcPitch, const SPoint* dstPoint,              \
                                                  const SRect* srcRect, const SPoint* ruleOrigin, int opacity,     \
                                                  int progress) const {                                            \
        if (rule == nullptr || rule->GetBits() == nullptr) return;                                                 \
        _Wipe<D, KIND_COLORKEY>(*rule, _KernelArgs(dstBits, srcBits, nullptr, key, dstPitch, srcPitch, 0,         \
                                                   dstPoint, srcRect, ruleOrigin, opacity, progress));             \
    }                                                                                                              \
    void SoftFxRuleRef::SoftFxRuleWipeAlpha##D(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha,  \
                                               int dstPitch, int srcPitch, int srcAlphaPitch,                      \
                                               const SPoint* dstPoint, const SRect* srcRect,                       \
                                               const SPoint* ruleOrigin, int opacity, int progress) const {        \
        if (rule == nullptr || rule->GetBits() == nullptr) return;                                                 \
        _Wipe<D, KIND_ALPHA>(*rule, _KernelArgs(dstBits, srcBits, srcAlpha, 0, dstPitch, srcPitch, srcAlphaPitch,  \
                                                dstPoint, srcRect, ruleOrigin, opacity, progress));                \
    }

PG_WIPE_KERNELS(15)
PG_WIPE_KERNELS(16)
PG_WIPE_KERNELS(24)
PG_WIPE_KERNELS(32)
#undef PG_WIPE_KERNELS

void SoftFxRuleWipe(const CMaskImage* rule, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt,
                    const SRect* srcRect, const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    if (rule == nullptr || rule->GetBits() == nullptr) return;
    int32_t rw = 0, rh = 0;
    rule->GetSize(&rw, &rh);
    // The rule image covers the picture from the destination point on: no wider, no higher.
    SRect r = *srcRect;
    if (int64_t{r.right} - r.left > rw) r.right = softfx::Clamp32(int64_t{r.left} + rw);
    if (int64_t{r.bottom} - r.top > rh) r.bottom = softfx::Clamp32(int64_t{r.top} + rh);
    SPoint p = *dstPt;
    ClipBltRects(dst, src, &p, &r, clip);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    const int o = SoftFxClampOpacity(opacity);
    const int pr = SoftFxClampProgress(progress);
    const SoftFxRuleRef ref{rule};
    switch (GetSurfaceKind(src->GetFormatFlags())) {
    case SURFACE_KIND_OPAQUE: ref.SoftFxRuleWipeOpaque(dst, src, &p, &r, dstPt, o, pr); break;
    case SURFACE_KIND_COLORKEY: ref.SoftFxRuleWipeColorKey(dst, src, &p, &r, dstPt, o, pr); break;
    case SURFACE_KIND_ALPHA: ref.SoftFxRuleWipeAlpha(dst, src, &p, &r, dstPt, o, pr); break;
    default: break;
    }
}
