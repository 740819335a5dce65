#include "engine/soft/blit/StretchBilinearRows.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stretch_detail {

namespace {

inline int _Lerp(int a, int b, int w) { return a + (((b - a) * w) >> 16); }

inline void _Pixel(uint8_t* dst, const uint8_t* p0, const uint8_t* p1, int wx, int wy) {
    for (int c = 0; c < 3; ++c) {
        const int top = _Lerp(p0[c], p0[c + 4], wx);
        const int bottom = _Lerp(p1[c], p1[c + 4], wx);
        dst[c] = static_cast<uint8_t>(_Lerp(top, bottom, wy));
    }
    dst[3] = 0;
}

#if defined(__SSE2__)
// (d * w) >> 16 per 16-bit lane, d signed (|d| <= 255), w an unsigned 16-bit weight and
// wSign its lanes' top bit spread (all ones where w >= 32768).  The signed high product
// reads w as w - 65536 there; adding d back makes the floor of the true product, since
// d * 65536 is a whole multiple of the divisor.
inline __m128i _ScaleDiff(__m128i d, __m128i w, __m128i wSign) {
    return _mm_add_epi16(_mm_mulhi_epi16(d, w), _mm_and_si128(d, wSign));
}

inline __m128i _Load64(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
#endif

}  // namespace

void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i wyv = _mm_set1_epi16(static_cast<int16_t>(static_cast<uint16_t>(wy)));
    const __m128i wySign = _mm_srai_epi16(wyv, 15);
    const __m128i colourMask = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 2 <= count; i += 2) {
        const intptr_t c0 = intptr_t{column[i]} * 4;
        const intptr_t c1 = intptr_t{column[i + 1]} * 4;
        // [p00 p01] of both pixels, and [p10 p11].
        const __m128i top8 = _mm_unpacklo_epi64(_Load64(row0 + c0), _Load64(row0 + c1));
        const __m128i bot8 = _mm_unpacklo_epi64(_Load64(row1 + c0), _Load64(row1 + c1));
        const __m128i topA = _mm_unpacklo_epi8(top8, zero);  // p00, p01 of pixel i
        const __m128i topB = _mm_unpackhi_epi8(top8, zero);  // of pixel i + 1
        const __m128i botA = _mm_unpacklo_epi8(bot8, zero);
        const __m128i botB = _mm_unpackhi_epi8(bot8, zero);
        const __m128i c00 = _mm_unpacklo_epi64(topA, topB);
        const __m128i c01 = _mm_unpackhi_epi64(topA, topB);
        const __m128i c10 = _mm_unpacklo_epi64(botA, botB);
        const __m128i c11 = _mm_unpackhi_epi64(botA, botB);
        const __m128i wx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weight4 + i));
        const __m128i wxSign = _mm_srai_epi16(wx, 15);
        const __m128i top = _mm_add_epi16(c00, _ScaleDiff(_mm_sub_epi16(c01, c00), wx, wxSign));
        const __m128i bottom = _mm_add_epi16(c10, _ScaleDiff(_mm_sub_epi16(c11, c10), wx, wxSign));
        const __m128i result = _mm_add_epi16(top, _ScaleDiff(_mm_sub_epi16(bottom, top), wyv, wySign));
        const __m128i packed = _mm_and_si128(_mm_packus_epi16(result, result), colourMask);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + intptr_t{i} * 4), packed);
    }
#endif
    for (; i < count; ++i) {
        const intptr_t c = intptr_t{column[i]} * 4;
        _Pixel(dst + intptr_t{i} * 4, row0 + c, row1 + c, static_cast<int>(weight4[i] & 0xFFFF), wy);
    }
}

}  // namespace stretch_detail
