#pragma once
// The SSE2 pieces shared by the vector blend rows of the blits and the vector cross-fade:
// unaligned 64- and 128-bit loads and stores, and the lane interpolation
// base + floor((target - base) * w / 256) on packed 15/16-bit pixels and on bytes.
// Internal to the pixel kernels.
#include <emmintrin.h>

#include "engine/soft/blit/VectorRows.h"

namespace vector_lerp {

inline __m128i Load64(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }
inline void Store64(void* p, __m128i v) { _mm_storel_epi64(static_cast<__m128i*>(p), v); }
inline __m128i Load128(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store128(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// One field of eight 16-bit pixels: d + floor((s - d) * w / 256), w per lane (0..256).
// The lane product wraps and the shift is logical; the wrap only adds multiples of 256
// to the field, which the final mask removes.
template <int kShift>
inline __m128i LerpField(__m128i d, __m128i s, __m128i w, __m128i mask) {
    const __m128i df = _mm_srli_epi16(_mm_and_si128(d, mask), kShift);
    const __m128i sf = _mm_srli_epi16(_mm_and_si128(s, mask), kShift);
    const __m128i t = _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(sf, df), w), 8);
    return _mm_and_si128(_mm_slli_epi16(_mm_add_epi16(t, df), kShift), mask);
}

template <vector_rows::EPixel16 kFormat>
inline __m128i Lerp16(__m128i d, __m128i s, __m128i w) {
    const __m128i blue = _mm_set1_epi16(0x001F);
    if constexpr (kFormat == vector_rows::EPixel16::R5G6B5) {
        const __m128i red = _mm_set1_epi16(static_cast<short>(0xF800));
        const __m128i green = _mm_set1_epi16(0x07E0);
        return _mm_or_si128(_mm_or_si128(LerpField<11>(d, s, w, red), LerpField<5>(d, s, w, green)),
                            LerpField<0>(d, s, w, blue));
    } else {
        // Bit 15 lies in no field: every stored pixel has it clear.
        const __m128i red = _mm_set1_epi16(0x7C00);
        const __m128i green = _mm_set1_epi16(0x03E0);
        return _mm_or_si128(_mm_or_si128(LerpField<10>(d, s, w, red), LerpField<5>(d, s, w, green)),
                            LerpField<0>(d, s, w, blue));
    }
}

// base + floor((target - base) * w / 256) for every byte; wEven weighs bytes 0, 2, 4 ...
// and wOdd bytes 1, 3, 5 ..., one 16-bit lane per pair of bytes.
inline __m128i LerpBytes(__m128i base, __m128i target, __m128i wEven, __m128i wOdd) {
    const __m128i low = _mm_set1_epi16(0x00FF);
    const __m128i bl = _mm_and_si128(base, low);
    const __m128i tl = _mm_and_si128(target, low);
    const __m128i bh = _mm_srli_epi16(base, 8);
    const __m128i th = _mm_srli_epi16(target, 8);
    const __m128i rl = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(tl, bl), wEven), 8), bl);
    const __m128i rh = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(th, bh), wOdd), 8), bh);
    return _mm_or_si128(_mm_and_si128(rl, low), _mm_slli_epi16(rh, 8));
}

}  // namespace vector_lerp
