#pragma once
// BlendPixel32 on four pixels at once with SSE2, each pixel with its own weight: the
// same result as the primitive, byte for byte.  Internal to the pixel kernels (the
// bilinear alpha stretch and the rule wipe).
//
// Weight 0 and equal pixels (all four bytes) leave the destination; 255 copies the
// source, X byte included; anything else gives floor(s * w / 255) + floor(d * (255 - w)
// / 255) per colour byte, the product table's values, and keeps the destination's X byte.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace vector_blend {

// floor(x / 255) for every 16-bit lane x <= 65535.
inline __m128i Div255(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(int16_t(0x8081))), 7); }

// w: each pixel's weight in all four of its bytes.
inline __m128i Blend32(__m128i d, __m128i s, __m128i w) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i inverse = _mm_set1_epi16(255);
    // The X byte is weighed 255 where the pixel is copied and 0 elsewhere, so that one
    // formula gives the copy at 255, the destination at 0 and the mix in between.
    w = _mm_min_epu8(w, _mm_or_si128(_mm_cmpeq_epi8(w, _mm_set1_epi32(-1)), _mm_set1_epi32(0x00FFFFFF)));
    const __m128i wLo = _mm_unpacklo_epi8(w, zero);
    const __m128i wHi = _mm_unpackhi_epi8(w, zero);
    const __m128i lo = _mm_add_epi16(Div255(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), wLo)),
                                     Div255(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(inverse, wLo))));
    const __m128i hi = _mm_add_epi16(Div255(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), wHi)),
                                     Div255(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(inverse, wHi))));
    // Equal pixels are left as they are (a mix of equal pixels can lose a unit).
    const __m128i equal = _mm_cmpeq_epi32(d, s);
    return _mm_or_si128(_mm_and_si128(equal, d), _mm_andnot_si128(equal, _mm_packus_epi16(lo, hi)));
}

// Four weight bytes (one per pixel, in memory order) spread over their pixels' bytes.
inline __m128i SpreadWeights(int four) {
    __m128i w = _mm_cvtsi32_si128(four);
    w = _mm_unpacklo_epi8(w, w);
    return _mm_unpacklo_epi16(w, w);
}

}  // namespace vector_blend
#endif
