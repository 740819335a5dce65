// The cross-fade of two pictures into a third (three-surface mode 1): plain kernels
// through the blend tables, and vector kernels that interpolate every channel with a
// full 8-bit weight.  The "MMX" arithmetic (four 16-bit lanes per 64-bit step) is run
// two steps at a time in SSE2 registers; every lane is independent, so the results are
// those of the 64-bit steps.
#include <emmintrin.h>
#include <xmmintrin.h>

#include <algorithm>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/VectorLerp.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "engine/soft/effect/SoftFx3Lerp.h"
#include "engine/soft/effect/SoftFx3Lock.h"

namespace {

// Level of the plain kernels: progress >> 2 held to 0..255.
inline int _PlainLevel(int progress) { return std::clamp(progress >> 2, 0, 255); }
// Level of the vector kernels: the same, with 255 taken as 256 so that the end of the
// fade is exactly the second picture.
inline int _VectorLevel(int progress) {
    const int t = _PlainLevel(progress);
    return t >= 255 ? 256 : t;
}

// The row pointers of a kernel call.
struct SRows {
    uint8_t* dst;
    const uint8_t* a;
    const uint8_t* b;
};

inline SRows _FirstRows(uint8_t* dst, const uint8_t* a, const uint8_t* b, int dstPitch, int aPitch, int bPitch,
                        const SPoint& dp, const SPoint& ap, const SPoint& bp, int bytesPerPixel) {
    return SRows{dst + intptr_t{dp.y} * dstPitch + intptr_t{dp.x} * bytesPerPixel,
                 a + intptr_t{ap.y} * aPitch + intptr_t{ap.x} * bytesPerPixel,
                 b + intptr_t{bp.y} * bPitch + intptr_t{bp.x} * bytesPerPixel};
}

// Walks the rows of a kernel call: rowFn(dst, a, b, width) per row.
template <int kBytesPerPixel, class RowFn>
void _ForEachRow(uint8_t* dst, const uint8_t* a, const uint8_t* b, int dstPitch, int aPitch, int bPitch,
                 const SPoint* dstPt, const SPoint* aPt, const SPoint* bPt, const SSize* size, RowFn&& rowFn) {
    if (dst == nullptr || a == nullptr || b == nullptr || dstPt == nullptr || aPt == nullptr || bPt == nullptr ||
        size == nullptr || size->cx < 1 || size->cy < 1) {
        return;
    }
    SRows r = _FirstRows(dst, a, b, dstPitch, aPitch, bPitch, *dstPt, *aPt, *bPt, kBytesPerPixel);
    for (int y = 0; y < size->cy; ++y) {
        rowFn(r.dst, r.a, r.b, size->cx);
        r.dst += dstPitch;
        r.a += aPitch;
        r.b += bPitch;
    }
}

// --- plain ---

template <int kDepth>
void _PlainRow(uint8_t* dst, const uint8_t* a, const uint8_t* b, int width, uint8_t t) {
    for (int i = 0; i < width; ++i) {
        if constexpr (kDepth == 15 || kDepth == 16) {
            uint16_t pa, pb, out;
            std::memcpy(&pa, a + 2 * i, 2);
            std::memcpy(&pb, b + 2 * i, 2);
            if constexpr (kDepth == 15) {
                LerpPixel15(&out, &pa, &pb, t);
            } else {
                LerpPixel16(&out, &pa, &pb, t);
            }
            std::memcpy(dst + 2 * i, &out, 2);
        } else if constexpr (kDepth == 24) {
            LerpPixel24(dst + 3 * i, a + 3 * i, b + 3 * i, t);
        } else {
            LerpPixel32(dst + 4 * i, a + 4 * i, b + 4 * i, t);
        }
    }
}

template <int kDepth>
void _Plain(uint8_t* dst, const uint8_t* a, const uint8_t* b, int dstPitch, int aPitch, int bPitch,
            const SPoint* dstPt, const SPoint* aPt, const SPoint* bPt, const SSize* size, int progress) {
    const auto t = static_cast<uint8_t>(_PlainLevel(progress));
    constexpr int kBpp = kDepth == 32 ? 4 : kDepth == 24 ? 3 : 2;
    _ForEachRow<kBpp>(dst, a, b, dstPitch, aPitch, bPitch, dstPt, aPt, bPt, size,
                      [t](uint8_t* d, const uint8_t* pa, const uint8_t* pb, int w) { _PlainRow<kDepth>(d, pa, pb, w, t); });
}

// --- vector ---

// Both sources' rows are fetched 96 bytes ahead of the next read.  The ordinary hint,
// not the non-temporal one: a fade reads the same two pictures frame after frame, and
// a non-temporal fetch evicts them from the outer caches (an 800 x 600 fade at 32 bits
// ran at less than half the speed with it).
template <bool kSse>
inline void _Prefetch(const uint8_t* a, const uint8_t* b) {
    if constexpr (kSse) {
        _mm_prefetch(reinterpret_cast<const char*>(a) + 96, _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(b) + 96, _MM_HINT_T0);
    }
}

// Eight 16-bit pixels or sixteen bytes: b + ((a - b) * w >> 8) with w = 256 - t, in
// wrapping 16-bit lanes with a logical shift; masked back into place it equals
// a + floor((b - a) * t / 256).
template <int kDepth>
inline __m128i _Mix16(__m128i a, __m128i b, __m128i w) {
    constexpr auto kFormat = kDepth == 16 ? vector_rows::EPixel16::R5G6B5 : vector_rows::EPixel16::X1R5G5B5;
    return vector_lerp::Lerp16<kFormat>(b, a, w);
}

inline __m128i _MixBytes(__m128i a, __m128i b, __m128i w) { return vector_lerp::LerpBytes(b, a, w, w); }

// Runs `steps` 8-byte steps of a row, two at a time where it can.
template <bool kSse, class MixFn>
inline void _VectorSteps(uint8_t*& dst, const uint8_t*& a, const uint8_t*& b, int steps, MixFn&& mix) {
    for (; steps >= 2; steps -= 2) {
        vector_lerp::Store128(dst, mix(vector_lerp::Load128(a), vector_lerp::Load128(b)));
        dst += 16;
        a += 16;
        b += 16;
        _Prefetch<kSse>(a, b);
    }
    if (steps != 0) {
        vector_lerp::Store64(dst, mix(vector_lerp::Load64(a), vector_lerp::Load64(b)));
        dst += 8;
        a += 8;
        b += 8;
        _Prefetch<kSse>(a, b);
    }
}

template <int kDepth, bool kSse>
void _VectorRow(uint8_t* dst, const uint8_t* a, const uint8_t* b, int width, int t) {
    const __m128i w = _mm_set1_epi16(static_cast<short>(256 - t));
    const auto tableLevel = static_cast<uint8_t>(std::min(t, 255));
    if constexpr (kDepth == 15 || kDepth == 16) {
        _VectorSteps<kSse>(dst, a, b, width >> 2, [w](__m128i va, __m128i vb) { return _Mix16<kDepth>(va, vb, w); });
        _PlainRow<kDepth>(dst, a, b, width & 3, tableLevel);
    } else if constexpr (kDepth == 24) {
        const int bytes = 3 * width;
        _VectorSteps<kSse>(dst, a, b, bytes >> 3, [w](__m128i va, __m128i vb) { return _MixBytes(va, vb, w); });
        for (int i = 0; i < (bytes & 7); ++i) {
            dst[i] = static_cast<uint8_t>(a[i] + (((b[i] - a[i]) * t) >> 8));
        }
    } else {
        _VectorSteps<kSse>(dst, a, b, width >> 1, [w](__m128i va, __m128i vb) { return _MixBytes(va, vb, w); });
        _PlainRow<32>(dst, a, b, width & 1, tableLevel);
    }
}

template <int kDepth, bool kSse>
void _Vector(uint8_t* dst, const uint8_t* a, const uint8_t* b, int dstPitch, int aPitch, int bPitch,
             const SPoint* dstPt, const SPoint* aPt, const SPoint* bPt, const SSize* size, int progress) {
    const int t = _VectorLevel(progress);
    constexpr int kBpp = kDepth == 32 ? 4 : kDepth == 24 ? 3 : 2;
    _ForEachRow<kBpp>(dst, a, b, dstPitch, aPitch, bPitch, dstPt, aPt, bPt, size,
                      [t](uint8_t* d, const uint8_t* pa, const uint8_t* pb, int width) {
                          _VectorRow<kDepth, kSse>(d, pa, pb, width, t);
                      });
}

}  // namespace

#define PG_CROSSFADE_ARGS                                                                                      \
    uint8_t *dst, const uint8_t *src1, const uint8_t *src2, int dstPitch, int src1Pitch, int src2Pitch,         \
        const SPoint *dstPt, const SPoint *src1Pt, const SPoint *src2Pt, const SSize *size, int progress
#define PG_CROSSFADE_PASS dst, src1, src2, dstPitch, src1Pitch, src2Pitch, dstPt, src1Pt, src2Pt, size, progress

void SoftFx3CrossFade15_Plain(PG_CROSSFADE_ARGS) { _Plain<15>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade16_Plain(PG_CROSSFADE_ARGS) { _Plain<16>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade24_Plain(PG_CROSSFADE_ARGS) { _Plain<24>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade32_Plain(PG_CROSSFADE_ARGS) { _Plain<32>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade15_MMX(PG_CROSSFADE_ARGS) { _Vector<15, false>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade16_MMX(PG_CROSSFADE_ARGS) { _Vector<16, false>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade24_MMX(PG_CROSSFADE_ARGS) { _Vector<24, false>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade32_MMX(PG_CROSSFADE_ARGS) { _Vector<32, false>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade15_SSE(PG_CROSSFADE_ARGS) { _Vector<15, true>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade16_SSE(PG_CROSSFADE_ARGS) { _Vector<16, true>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade24_SSE(PG_CROSSFADE_ARGS) { _Vector<24, true>(PG_CROSSFADE_PASS); }
void SoftFx3CrossFade32_SSE(PG_CROSSFADE_ARGS) { _Vector<32, true>(PG_CROSSFADE_PASS); }

#undef PG_CROSSFADE_ARGS
#undef PG_CROSSFADE_PASS

SoftFx3CrossFadeKernel ChooseSoftFx3CrossFadeKernel(int depth, int level) {
    static const SoftFx3CrossFadeKernel kKernels[4][3] = {
        {SoftFx3CrossFade15_Plain, SoftFx3CrossFade15_MMX, SoftFx3CrossFade15_SSE},
        {SoftFx3CrossFade16_Plain, SoftFx3CrossFade16_MMX, SoftFx3CrossFade16_SSE},
        {SoftFx3CrossFade24_Plain, SoftFx3CrossFade24_MMX, SoftFx3CrossFade24_SSE},
        {SoftFx3CrossFade32_Plain, SoftFx3CrossFade32_MMX, SoftFx3CrossFade32_SSE},
    };
    const int index = DepthToIndex(depth);
    if (index < 0) {
        return nullptr;
    }
    const int column = (level & 3) == 0 ? 0 : (level & 3) == 1 ? 1 : 2;
    return kKernels[index][column];
}

void SoftFx3CrossFade(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                      const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                      int progress) {
    if (dst == nullptr || src1 == nullptr || src2 == nullptr || dstPt == nullptr || src1Pt == nullptr ||
        src2Pt == nullptr || size == nullptr || clip == nullptr) {
        return;
    }
    const int depth = dst->GetBitDepth();
    if (depth != src1->GetBitDepth() || depth != src2->GetBitDepth()) {
        DebugPrintf("SoftFx3CrossFade() ビット深度が違う面は混ぜない[dst:%d][src1:%d][src2:%d]", depth,
                    src1->GetBitDepth(), src2->GetBitDepth());
        return;
    }
    SPoint d = *dstPt, a = *src1Pt, b = *src2Pt;
    SSize s = *size;
    if (!SoftFx3ClipBlock(dst, src1, src2, &d, &a, &b, &s, clip)) {
        return;
    }
    softfx3::WithLocked(dst, src1, src2, [&](const softfx3::SLockedThree& m, int /*bpp*/) {
        const SoftFx3CrossFadeKernel kernel =
            ChooseSoftFx3CrossFadeKernel(src1->GetBitDepth(), static_cast<int>(CCpuInfo::GetFeatures() & 3));
        if (kernel == nullptr) {
            return;
        }
        BuildBlendTables();
        kernel(m.dst, m.a, m.b, m.dstPitch, m.aPitch, m.bPitch, &d, &a, &b, &s, progress);
    });
}
