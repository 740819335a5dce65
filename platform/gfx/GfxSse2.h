#pragma once
// SSE2 pieces shared by the software device's vector kernels (internal to
// platform/gfx).  Texels are often kept split in two registers of 16-bit lanes, the
// blue-red half (v & 0x00FF00FF) and the alpha-green half (v >> 8 & 0x00FF00FF), as
// the plain code keeps two channels in each 32-bit word: a product of a channel and a
// weight up to 256 fits a lane, so the lanes round exactly as the plain code does.
#include <emmintrin.h>

#include <cstdint>

namespace gfxsse2 {

// round(x / 255) on eight 16-bit lanes holding 0..65025: with y = x + 128,
// (y + (y >> 8)) >> 8 is (y · 257) >> 16 for every such y, one high product.
inline __m128i Div255(__m128i x) {
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// (a · wa + b · wb + 128) >> 8 on 16-bit lanes, wa + wb = 256.
inline __m128i Lerp16(__m128i a, __m128i b, __m128i wa, __m128i wb) {
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, wa), _mm_mullo_epi16(b, wb));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

inline __m128i BlueRed(__m128i v) { return _mm_and_si128(v, _mm_set1_epi32(0x00FF00FF)); }
inline __m128i AlphaGreen(__m128i v) { return _mm_srli_epi16(v, 8); }
inline __m128i Join(__m128i rb, __m128i ag) { return _mm_or_si128(rb, _mm_slli_epi16(ag, 8)); }

inline __m128i Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

}  // namespace gfxsse2
