// Jitter: source pixels scattered at random distances, as pairs along rows (mode 12),
// runs along rows (13) or runs along columns (14).
#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"

using softfx::SPx;

namespace {

enum EJitter { JITTER_ROW_PAIRS, JITTER_ROWS, JITTER_COLUMNS };
enum EKind { KIND_OPAQUE, KIND_COLORKEY, KIND_ALPHA };

struct SJitterArgs {
    uint8_t* dstBits;
    const uint8_t* srcBits;
    const uint8_t* srcAlpha;
    uint32_t key;
    intptr_t dstPitch;
    intptr_t srcPitch;
    intptr_t srcAlphaPitch;
    SPoint point;  // clipped
    SRect rect;    // clipped
    SRect clip;
    SSize dstSize;
    SSize srcSize;
    int opacity;
    int amount;
};

// Whether source pixel s (with alpha byte sa) is written at all.
template <int kDepth, int kKind, bool kFull>
inline bool _Shows(const SJitterArgs& a, const uint8_t* s, const uint8_t* sa) {
    if constexpr (kKind == KIND_COLORKEY) {
        const uint32_t v = SPx<kDepth>::Read(s);
        if constexpr (kDepth == 15) {
            // The copy compares the colour bits only, the blend the whole word.
            return kFull ? (v & 0x7FFFu) != (a.key & 0x7FFFu) : v != a.key;
        } else if constexpr (kDepth == 32) {
            return kFull ? (v & 0x00FFFFFFu) != (a.key & 0x00FFFFFFu) : v != a.key;
        } else {
            return v != a.key;
        }
    } else if constexpr (kKind == KIND_ALPHA) {
        return *sa == 255;
    } else {
        return true;
    }
}

template <int kDepth, bool kFull>
inline void _Put(uint8_t* d, const uint8_t* s, uint8_t o) {
    if constexpr (kFull) SPx<kDepth>::Copy(d, s);
    else SPx<kDepth>::Blend(d, s, o);
}

template <int kDepth, int kKind, int kMode, bool kFull>
void _JitterLoop(const SJitterArgs& a) {
    using P = SPx<kDepth>;
    constexpr int B = P::kBytes;
    constexpr bool kColumns = kMode == JITTER_COLUMNS;
    CRandom random;
    const auto o = static_cast<uint8_t>(a.opacity);
    const int64_t amount = a.amount;
    const int64_t half = amount / 2;
    const uint32_t n = static_cast<uint32_t>(a.amount);
    // Along the scatter axis: the clipped block's extent, where it starts on the
    // destination and in the source, and the writable destination span.
    const int64_t extent = kColumns ? a.rect.bottom - a.rect.top : a.rect.right - a.rect.left;
    const int64_t dstStart = kColumns ? a.point.y : a.point.x;
    const int64_t srcStart = kColumns ? a.rect.top : a.rect.left;
    const int64_t srcLimit = kColumns ? a.srcSize.cy : a.srcSize.cx;
    const int64_t lo = std::max<int64_t>(0, kColumns ? a.clip.top : a.clip.left);
    const int64_t hi = std::min<int64_t>(kColumns ? a.dstSize.cy : a.dstSize.cx, kColumns ? a.clip.bottom : a.clip.right);
    const int lines = kColumns ? a.rect.right - a.rect.left : a.rect.bottom - a.rect.top;
    for (int line = 0; line < lines; ++line) {
        // The fixed coordinate of this row (column) on both surfaces.
        const int64_t dstFixed = (kColumns ? a.point.x : a.point.y) + line;
        const int64_t srcFixed = (kColumns ? a.rect.left : a.rect.top) + line;
        auto dstAt = [&](int64_t v) {
            return kColumns ? softfx::At(a.dstBits, a.dstPitch, dstFixed, v, B)
                            : softfx::At(a.dstBits, a.dstPitch, v, dstFixed, B);
        };
        int64_t x = int64_t{random.Random(n)} - half;
        while (x < extent + amount) {
            int64_t d = random.Random(n);
            if (d < 2) d = 2;
            const int64_t step = d / 2;
            const int64_t sx = srcStart + x + step;
            const int64_t dx = dstStart + x;
            if (sx >= 0 && sx < srcLimit) {
                const uint8_t* s = kColumns ? softfx::At(a.srcBits, a.srcPitch, srcFixed, sx, B)
                                            : softfx::At(a.srcBits, a.srcPitch, sx, srcFixed, B);
                const uint8_t* sa = nullptr;
                if constexpr (kKind == KIND_ALPHA) {
                    sa = kColumns ? softfx::At(a.srcAlpha, a.srcAlphaPitch, srcFixed, sx, 1)
                                  : softfx::At(a.srcAlpha, a.srcAlphaPitch, sx, srcFixed, 1);
                }
                if (_Shows<kDepth, kKind, kFull>(a, s, sa)) {
                    if constexpr (kMode == JITTER_ROW_PAIRS) {
                        if (dx >= lo && dx < hi) _Put<kDepth, kFull>(dstAt(dx), s, o);
                        if (dx + d >= lo && dx + d < hi) _Put<kDepth, kFull>(dstAt(dx + d), s, o);
                    } else {
                        const int64_t from = std::max(dx, lo);
                        const int64_t to = std::min(dx + d, hi);
                        for (int64_t v = from; v < to; ++v) _Put<kDepth, kFull>(dstAt(v), s, o);
                    }
                }
            }
            x += step;
        }
    }
}

template <int kDepth, int kKind, int kMode>
void _Jitter(const SJitterArgs& a) {
    if (a.opacity >= 255) _JitterLoop<kDepth, kKind, kMode, true>(a);
    else _JitterLoop<kDepth, kKind, kMode, false>(a);
}

SJitterArgs _Args(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, uint32_t key, int dstPitch,
                  int srcPitch, int srcAlphaPitch, const SPoint* point, const SRect* rect, const SRect* clip,
                  SSize dstSize, SSize srcSize, int opacity, int amount) {
    return SJitterArgs{dstBits, srcBits, srcAlpha, key, dstPitch, srcPitch, srcAlphaPitch, *point, *rect, *clip,
                       dstSize, srcSize, SoftFxClampOpacity(opacity), amount};
}

bool _Usable(const void* dstBits, const void* srcBits, const SPoint* point, const SRect* rect, const SRect* clip,
             int amount) {
    return dstBits != nullptr && srcBits != nullptr && point != nullptr && rect != nullptr && clip != nullptr &&
           amount >= 1;
}

}  // namespace

#define PG_JITTER_PLAIN(NAME, D, KIND, MODE)                                                                        \
    void NAME(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch, const SPoint* point,            \
              const SRect* rect, const SRect* clip, SSize dstSize, SSize srcSize, int opacity, int amount) {       \
        if (!_Usable(dstBits, srcBits, point, rect, clip, amount)) return;                                         \
        _Jitter<D, KIND, MODE>(_Args(dstBits, srcBits, nullptr, 0, dstPitch, srcPitch, 0, point, rect, clip,        \
                                     dstSize, srcSize, opacity, amount));                                          \
    }
#define PG_JITTER_KEY(NAME, D, MODE)                                                                                \
    void NAME(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,                   \
              const SPoint* point, const SRect* rect, const SRect* clip, SSize dstSize, SSize srcSize, int opacity, \
              int amount) {                                                                                        \
        if (!_Usable(dstBits, srcBits, point, rect, clip, amount)) return;                                         \
        _Jitter<D, KIND_COLORKEY, MODE>(_Args(dstBits, srcBits, nullptr, key, dstPitch, srcPitch, 0, point, rect,   \
                                              clip, dstSize, srcSize, opacity, amount));                           \
    }
#define PG_JITTER_ALPHA(NAME, D, MODE)                                                                              \
    void NAME(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch, int srcPitch,        \
              int srcAlphaPitch, const SPoint* point, const SRect* rect, const SRect* clip, SSize dstSize,          \
              SSize srcSize, int opacity, int amount) {                                                            \
        if (!_Usable(dstBits, srcBits, point, rect, clip, amount) || srcAlpha == nullptr) return;                  \
        _Jitter<D, KIND_ALPHA, MODE>(_Args(dstBits, srcBits, srcAlpha, 0, dstPitch, srcPitch, srcAlphaPitch, point, \
                                           rect, clip, dstSize, srcSize, opacity, amount));                        \
    }
#define PG_JITTER_DEPTH(D)                                                                                          \
    PG_JITTER_PLAIN(SoftFxJitterRowPairs##D, D, KIND_OPAQUE, JITTER_ROW_PAIRS)                                      \
    PG_JITTER_PLAIN(SoftFxJitterRowsOpaque##D, D, KIND_OPAQUE, JITTER_ROWS)                                         \
    PG_JITTER_KEY(SoftFxJitterRowsColorKey##D, D, JITTER_ROWS)                                                      \
    PG_JITTER_ALPHA(SoftFxJitterRowsAlpha##D, D, JITTER_ROWS)                                                       \
    PG_JITTER_PLAIN(SoftFxJitterColumnsOpaque##D, D, KIND_OPAQUE, JITTER_COLUMNS)                                   \
    PG_JITTER_KEY(SoftFxJitterColumnsColorKey##D, D, JITTER_COLUMNS)                                                \
    PG_JITTER_ALPHA(SoftFxJitterColumnsAlpha##D, D, JITTER_COLUMNS)
PG_JITTER_DEPTH(15)
PG_JITTER_DEPTH(16)
PG_JITTER_DEPTH(24)
PG_JITTER_DEPTH(32)
#undef PG_JITTER_DEPTH
#undef PG_JITTER_ALPHA
#undef PG_JITTER_KEY
#undef PG_JITTER_PLAIN

namespace {

using PlainKernel = void (*)(uint8_t*, const uint8_t*, int, int, const SPoint*, const SRect*, const SRect*, SSize,
                             SSize, int, int);
using KeyKernel = void (*)(uint8_t*, const uint8_t*, uint32_t, int, int, const SPoint*, const SRect*, const SRect*,
                           SSize, SSize, int, int);
using AlphaKernel = void (*)(uint8_t*, const uint8_t*, const uint8_t*, int, int, int, const SPoint*, const SRect*,
                             const SRect*, SSize, SSize, int, int);

struct SJitterFamily {
    PlainKernel opaque[4];
    KeyKernel colorKey[4];    // null for the row pairs
    AlphaKernel alpha[4];
};

constexpr SJitterFamily kRowPairs{
    {SoftFxJitterRowPairs15, SoftFxJitterRowPairs16, SoftFxJitterRowPairs24, SoftFxJitterRowPairs32}, {}, {}};
constexpr SJitterFamily kRows{
    {SoftFxJitterRowsOpaque15, SoftFxJitterRowsOpaque16, SoftFxJitterRowsOpaque24, SoftFxJitterRowsOpaque32},
    {SoftFxJitterRowsColorKey15, SoftFxJitterRowsColorKey16, SoftFxJitterRowsColorKey24, SoftFxJitterRowsColorKey32},
    {SoftFxJitterRowsAlpha15, SoftFxJitterRowsAlpha16, SoftFxJitterRowsAlpha24, SoftFxJitterRowsAlpha32}};
constexpr SJitterFamily kColumns{
    {SoftFxJitterColumnsOpaque15, SoftFxJitterColumnsOpaque16, SoftFxJitterColumnsOpaque24,
     SoftFxJitterColumnsOpaque32},
    {SoftFxJitterColumnsColorKey15, SoftFxJitterColumnsColorKey16, SoftFxJitterColumnsColorKey24,
     SoftFxJitterColumnsColorKey32},
    {SoftFxJitterColumnsAlpha15, SoftFxJitterColumnsAlpha16, SoftFxJitterColumnsAlpha24, SoftFxJitterColumnsAlpha32}};

template <int kMode>
void _Dispatch(const char* name, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
               const SRect* clip, int opacity, int amount) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    if (amount < 0) amount = 0;
    const int o = SoftFxClampOpacity(opacity);
    if (amount == 0) {
        dst->Blt(src, dstPt, srcRect, clip, o, 0);
        return;
    }
    SPoint p = *dstPt;
    SRect r = *srcRect;
    ClipBltRects(dst, src, &p, &r, clip);
    const int depth = src->GetBitDepth();
    if (dst->GetBitDepth() != depth) {
        DebugPrintf("%s() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", name, dst->GetBitDepth(), depth);
        return;
    }
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    uint8_t* dstBits = dst->GetBits();
    const uint8_t* srcBits = src->GetBits();
    if (dstBits == nullptr || srcBits == nullptr) return;
    const int index = DepthToIndex(depth);
    if (index < 0) return;
    BuildBlendTables();
    const SJitterFamily& family = kMode == JITTER_ROW_PAIRS ? kRowPairs : (kMode == JITTER_ROWS ? kRows : kColumns);
    const int dstPitch = dst->GetPitch();
    const int srcPitch = src->GetPitch();
    switch (GetSurfaceKind(src->GetFormatFlags())) {
    case SURFACE_KIND_OPAQUE:
        family.opaque[index](dstBits, srcBits, dstPitch, srcPitch, &p, &r, clip, ds, ss, o, amount);
        break;
    case SURFACE_KIND_COLORKEY:
        if (family.colorKey[index] == nullptr) break;
        family.colorKey[index](dstBits, srcBits, softfx::PackKey(depth, src->GetColorKey()), dstPitch, srcPitch, &p, &r, clip,
                               ds, ss, o, amount);
        break;
    case SURFACE_KIND_ALPHA: {
        if (family.alpha[index] == nullptr) break;
        const uint8_t* srcAlpha = src->GetAlphaBits();
        if (srcAlpha == nullptr) {
            DebugPrintf("%s() 転送元にアルファ面がない", name);
            break;
        }
        family.alpha[index](dstBits, srcBits, srcAlpha, dstPitch, srcPitch, src->GetAlphaPitch(), &p, &r, clip, ds, ss,
                            o, amount);
        break;
    }
    default: break;
    }
}

}  // namespace

void SoftFxJitterRowPairsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                  const SRect* clip, int opacity, int amount) {
    _Dispatch<JITTER_ROW_PAIRS>("SoftFxJitterRowPairsDispatch", dst, src, dstPt, srcRect, clip, opacity, amount);
}
void SoftFxJitterRowsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                              const SRect* clip, int opacity, int amount) {
    _Dispatch<JITTER_ROWS>("SoftFxJitterRowsDispatch", dst, src, dstPt, srcRect, clip, opacity, amount);
}
void SoftFxJitterColumnsDispatch(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                                 const SRect* clip, int opacity, int amount) {
    _Dispatch<JITTER_COLUMNS>("SoftFxJitterColumnsDispatch", dst, src, dstPt, srcRect, clip, opacity, amount);
}

SRect SoftFxJitterRect(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                       const SRect* clip, int amount) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return SRect{};
    if (amount <= 0) return SoftFxBltRect(dst, src, dstPt, srcRect, clip);
    SPoint p = *dstPt;
    SRect r = *srcRect;
    ClipBltRects(dst, src, &p, &r, clip);
    const int64_t w = int64_t{r.right} - r.left;
    const int64_t h = int64_t{r.bottom} - r.top;
    if (w < 1 || h < 1) return SRect{};
    // A scatter starts at most amount / 2 before the block; a step starts before
    // extent + amount and reaches at most max(2, amount - 1) further.
    const int64_t before = amount / 2;
    const int64_t after = int64_t{amount} + std::max<int64_t>(2, int64_t{amount} - 1);
    SRect reach{};
    if (mode == 14) {
        reach = SRect{p.x, softfx::Clamp32(p.y - before), softfx::Clamp32(p.x + w), softfx::Clamp32(p.y + h + after)};
    } else {
        reach = SRect{softfx::Clamp32(p.x - before), p.y, softfx::Clamp32(p.x + w + after), softfx::Clamp32(p.y + h)};
    }
    const SSize ds = dst->GetSize();
    return softfx::Intersect(softfx::Intersect(reach, *clip), SRect{0, 0, ds.cx, ds.cy});
}

namespace {
void _Notify(int mode, CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
             const SRect* clip, int opacity, int amount) {
    if (dst == nullptr) return;
    const SRect rect = SoftFxJitterRect(mode, dst, src, dstPt, srcRect, clip, amount);
    dst->OnBlt(src, dstPt, srcRect, clip, opacity, static_cast<uint32_t>(amount), rect);
}
}  // namespace

void SoftFxJitterRowPairs(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                          const SRect* clip, int opacity, int amount) {
    SoftFxJitterRowPairsDispatch(dst, src, dstPt, srcRect, clip, opacity, amount);
    _Notify(12, dst, src, dstPt, srcRect, clip, opacity, amount);
}
void SoftFxJitterRows(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                      const SRect* clip, int opacity, int amount) {
    SoftFxJitterRowsDispatch(dst, src, dstPt, srcRect, clip, opacity, amount);
    _Notify(13, dst, src, dstPt, srcRect, clip, opacity, amount);
}
void SoftFxJitterColumns(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                         const SRect* clip, int opacity, int amount) {
    SoftFxJitterColumnsDispatch(dst, src, dstPt, srcRect, clip, opacity, amount);
    _Notify(14, dst, src, dstPt, srcRect, clip, opacity, amount);
}
