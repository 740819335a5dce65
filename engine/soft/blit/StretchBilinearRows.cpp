#include "engine/soft/blit/StretchBilinearRows.h"

#include <cstring>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/VectorBlend32.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stretch_detail {

namespace {

inline int _Lerp(int a, int b, int w) { return a + (((b - a) * w) >> 16); }

inline int _Weight(uint64_t weight4) { return static_cast<int>(weight4 & 0xFFFF); }

#if defined(__SSE2__)
// (d * w) >> 16 per 16-bit lane, d signed (|d| <= 255), w an unsigned 16-bit weight.
// The signed high product reads a weight of 32768 or more as w - 65536; adding d back
// there makes the floor of the true product, since d * 65536 is a whole multiple of the
// divisor.
inline __m128i _ScaleDiff(__m128i d, __m128i w) {
    return _mm_add_epi16(_mm_mulhi_epi16(d, w), _mm_and_si128(d, _mm_srai_epi16(w, 15)));
}

inline __m128i _Load64(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
inline __m128i _Load128(const void* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void _Store128(void* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// The horizontal filter of two destination columns of one source row: their four
// values each as 16-bit lanes, [column a | column b].
inline __m128i _Horizontal2(const uint8_t* row, intptr_t ca, intptr_t cb, __m128i w) {
    const __m128i zero = _mm_setzero_si128();
    // [left a, left b, right a, right b]
    const __m128i taps = _mm_unpacklo_epi32(_Load64(row + ca * 4), _Load64(row + cb * 4));
    const __m128i left = _mm_unpacklo_epi8(taps, zero);
    const __m128i right = _mm_unpackhi_epi8(taps, zero);
    return _mm_add_epi16(left, _ScaleDiff(_mm_sub_epi16(right, left), w));
}

// The vertical filter with one weight for the whole row.  With wy of 32768 or more the
// signed high product is floor(d * wy / 65536) - d, so the sum starts from the bottom
// value instead: bottom + that = top + floor(d * wy / 65536).
template <bool kHigh>
inline __m128i _Vertical(__m128i top, __m128i bottom, __m128i wy) {
    return _mm_add_epi16(kHigh ? bottom : top, _mm_mulhi_epi16(_mm_sub_epi16(bottom, top), wy));
}

inline __m128i _Broadcast(int wy) { return _mm_set1_epi16(static_cast<int16_t>(static_cast<uint16_t>(wy))); }

// Two results of 16-bit lanes (two pixels each) packed to four pixels; the fourth bytes
// kept (alpha) or cleared.
template <bool kAlpha>
inline void _Store4(uint8_t* dst, __m128i a, __m128i b) {
    const __m128i packed = _mm_packus_epi16(a, b);
    _Store128(dst, kAlpha ? packed : _mm_and_si128(packed, _mm_set1_epi32(0x00FFFFFF)));
}

template <bool kAlpha, bool kHigh>
int32_t _Row32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column, const uint64_t* weight4,
               int32_t count, int wy) {
    const __m128i wyv = _Broadcast(wy);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const intptr_t c0 = column[i], c1 = column[i + 1], c2 = column[i + 2], c3 = column[i + 3];
        const __m128i w01 = _Load128(weight4 + i);
        const __m128i w23 = _Load128(weight4 + i + 2);
        const __m128i a = _Vertical<kHigh>(_Horizontal2(row0, c0, c1, w01),
                                           _Horizontal2(row1, c0, c1, w01), wyv);
        const __m128i b = _Vertical<kHigh>(_Horizontal2(row0, c2, c3, w23),
                                           _Horizontal2(row1, c2, c3, w23), wyv);
        _Store4<kAlpha>(dst + intptr_t{i} * 4, a, b);
    }
    return i;
}

int32_t _Horizontal32(uint16_t* out, const uint8_t* row, const int32_t* column, const uint64_t* weight4,
                      int32_t count) {
    int32_t i = 0;
    for (; i + 2 <= count; i += 2) {
        _Store128(out + intptr_t{i} * 4, _Horizontal2(row, column[i], column[i + 1], _Load128(weight4 + i)));
    }
    return i;
}

template <bool kAlpha, bool kHigh>
int32_t _Vertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy) {
    const __m128i wyv = _Broadcast(wy);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const intptr_t k = intptr_t{i} * 4;
        const __m128i a = _Vertical<kHigh>(_Load128(top + k), _Load128(bottom + k), wyv);
        const __m128i b = _Vertical<kHigh>(_Load128(top + k + 8), _Load128(bottom + k + 8), wyv);
        _Store4<kAlpha>(dst + k, a, b);
    }
    return i;
}
#endif

}  // namespace

void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy, bool alpha) {
    int32_t i = 0;
#if defined(__SSE2__)
    const bool high = wy >= 32768;
    if (alpha) {
        i = high ? _Row32<true, true>(dst, row0, row1, column, weight4, count, wy)
                 : _Row32<true, false>(dst, row0, row1, column, weight4, count, wy);
    } else {
        i = high ? _Row32<false, true>(dst, row0, row1, column, weight4, count, wy)
                 : _Row32<false, false>(dst, row0, row1, column, weight4, count, wy);
    }
#endif
    for (; i < count; ++i) {
        const uint8_t* p0 = row0 + intptr_t{column[i]} * 4;
        const uint8_t* p1 = row1 + intptr_t{column[i]} * 4;
        const int wx = _Weight(weight4[i]);
        uint8_t* d = dst + intptr_t{i} * 4;
        for (int k = 0; k < 4; ++k) {
            d[k] = static_cast<uint8_t>(_Lerp(_Lerp(p0[k], p0[k + 4], wx), _Lerp(p1[k], p1[k + 4], wx), wy));
        }
        if (!alpha) d[3] = 0;
    }
}

void BilinearHorizontal32(uint16_t* out, const uint8_t* row, const int32_t* column, const uint64_t* weight4,
                          int32_t count) {
    int32_t i = 0;
#if defined(__SSE2__)
    i = _Horizontal32(out, row, column, weight4, count);
#endif
    for (; i < count; ++i) {
        const uint8_t* p = row + intptr_t{column[i]} * 4;
        const int wx = _Weight(weight4[i]);
        for (int k = 0; k < 4; ++k) out[intptr_t{i} * 4 + k] = static_cast<uint16_t>(_Lerp(p[k], p[k + 4], wx));
    }
}

void MergeAlphaRow32(uint8_t* out, const uint8_t* pixels, const uint8_t* alpha, int32_t count) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4) {
        int32_t four;
        std::memcpy(&four, alpha + i, 4);
        // Each alpha byte to the top byte of its pixel.
        const __m128i a = _mm_unpacklo_epi16(zero, _mm_unpacklo_epi8(zero, _mm_cvtsi32_si128(four)));
        const __m128i p = _Load128(pixels + intptr_t{i} * 4);
        _Store128(out + intptr_t{i} * 4, _mm_or_si128(_mm_and_si128(p, colour), a));
    }
#endif
    for (; i < count; ++i) {
        std::memcpy(out + intptr_t{i} * 4, pixels + intptr_t{i} * 4, 3);
        out[intptr_t{i} * 4 + 3] = alpha[i];
    }
}

void BilinearVertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy, bool alpha) {
    int32_t i = 0;
#if defined(__SSE2__)
    const bool high = wy >= 32768;
    if (alpha) {
        i = high ? _Vertical32<true, true>(dst, top, bottom, count, wy)
                 : _Vertical32<true, false>(dst, top, bottom, count, wy);
    } else {
        i = high ? _Vertical32<false, true>(dst, top, bottom, count, wy)
                 : _Vertical32<false, false>(dst, top, bottom, count, wy);
    }
#endif
    for (; i < count; ++i) {
        const intptr_t k = intptr_t{i} * 4;
        for (int c = 0; c < 4; ++c) dst[k + c] = static_cast<uint8_t>(_Lerp(top[k + c], bottom[k + c], wy));
        if (!alpha) dst[k + 3] = 0;
    }
}

void BlendFilteredRow32(uint8_t* dst, const uint8_t* bgra, int32_t count, int opacity) {
    const unsigned cut = 255u - static_cast<unsigned>(opacity);
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i cutv = _mm_set1_epi32(static_cast<int>(cut));
    for (; i + 4 <= count; i += 4) {
        const intptr_t k = intptr_t{i} * 4;
        const __m128i f = _Load128(bgra + k);
        // max(a - (255 - opacity), 0) in the low byte of each pixel, then in all four.
        __m128i w = _mm_subs_epu8(_mm_srli_epi32(f, 24), cutv);
        w = _mm_or_si128(w, _mm_slli_epi32(w, 8));
        w = _mm_or_si128(w, _mm_slli_epi32(w, 16));
        _Store128(dst + k, vector_blend::Blend32(_Load128(dst + k), _mm_and_si128(f, colour), w));
    }
#endif
    for (; i < count; ++i) {
        uint8_t pixel[4];
        std::memcpy(pixel, bgra + intptr_t{i} * 4, 4);
        const unsigned a = pixel[3];
        pixel[3] = 0;
        const unsigned e = a > cut ? a - cut : 0u;
        BlendPixel32(dst + intptr_t{i} * 4, pixel, static_cast<uint8_t>(e));
    }
}

}  // namespace stretch_detail
