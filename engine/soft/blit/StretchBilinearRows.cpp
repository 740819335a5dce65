#include "engine/soft/blit/StretchBilinearRows.h"

#include <cstring>

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
// channels each as 16-bit lanes, [column a | column b].
inline __m128i _Horizontal2(const uint8_t* row, intptr_t ca, intptr_t cb, __m128i w) {
    const __m128i zero = _mm_setzero_si128();
    // [left a, left b, right a, right b]
    const __m128i taps = _mm_unpacklo_epi32(_Load64(row + ca), _Load64(row + cb));
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

// Two results of 16-bit lanes (two pixels each) packed to four pixels, X bytes 0.
inline void _Store4(uint8_t* dst, __m128i a, __m128i b) {
    _Store128(dst, _mm_and_si128(_mm_packus_epi16(a, b), _mm_set1_epi32(0x00FFFFFF)));
}
#endif

}  // namespace

#if defined(__SSE2__)
namespace {

template <bool kHigh>
int32_t _Row32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column, const uint64_t* weight4,
               int32_t count, int wy) {
    const __m128i wyv = _Broadcast(wy);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const intptr_t c0 = intptr_t{column[i]} * 4, c1 = intptr_t{column[i + 1]} * 4;
        const intptr_t c2 = intptr_t{column[i + 2]} * 4, c3 = intptr_t{column[i + 3]} * 4;
        const __m128i w01 = _Load128(weight4 + i);
        const __m128i w23 = _Load128(weight4 + i + 2);
        const __m128i a = _Vertical<kHigh>(_Horizontal2(row0, c0, c1, w01), _Horizontal2(row1, c0, c1, w01), wyv);
        const __m128i b = _Vertical<kHigh>(_Horizontal2(row0, c2, c3, w23), _Horizontal2(row1, c2, c3, w23), wyv);
        _Store4(dst + intptr_t{i} * 4, a, b);
    }
    return i;
}

template <bool kHigh>
int32_t _Vertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy) {
    const __m128i wyv = _Broadcast(wy);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const intptr_t k = intptr_t{i} * 4;
        const __m128i a = _Vertical<kHigh>(_Load128(top + k), _Load128(bottom + k), wyv);
        const __m128i b = _Vertical<kHigh>(_Load128(top + k + 8), _Load128(bottom + k + 8), wyv);
        _Store4(dst + k, a, b);
    }
    return i;
}

}  // namespace
#endif

void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy) {
    int32_t i = 0;
#if defined(__SSE2__)
    i = wy >= 32768 ? _Row32<true>(dst, row0, row1, column, weight4, count, wy)
                    : _Row32<false>(dst, row0, row1, column, weight4, count, wy);
#endif
    for (; i < count; ++i) {
        const uint8_t* p0 = row0 + intptr_t{column[i]} * 4;
        const uint8_t* p1 = row1 + intptr_t{column[i]} * 4;
        const int wx = _Weight(weight4[i]);
        uint8_t* d = dst + intptr_t{i} * 4;
        for (int c = 0; c < 3; ++c) {
            d[c] = static_cast<uint8_t>(_Lerp(_Lerp(p0[c], p0[c + 4], wx), _Lerp(p1[c], p1[c + 4], wx), wy));
        }
        d[3] = 0;
    }
}

void BilinearHorizontal32(uint16_t* out, const uint8_t* row, const int32_t* column, const uint64_t* weight4,
                          int32_t count) {
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + 2 <= count; i += 2) {
        const __m128i h = _Horizontal2(row, intptr_t{column[i]} * 4, intptr_t{column[i + 1]} * 4,
                                       _Load128(weight4 + i));
        _Store128(out + intptr_t{i} * 4, h);
    }
#endif
    for (; i < count; ++i) {
        const uint8_t* p = row + intptr_t{column[i]} * 4;
        const int wx = _Weight(weight4[i]);
        for (int c = 0; c < 4; ++c) {
            out[intptr_t{i} * 4 + c] = static_cast<uint16_t>(_Lerp(p[c], p[c + 4], wx));
        }
    }
}

void BilinearVertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy) {
    int32_t i = 0;
#if defined(__SSE2__)
    i = wy >= 32768 ? _Vertical32<true>(dst, top, bottom, count, wy) : _Vertical32<false>(dst, top, bottom, count, wy);
#endif
    for (; i < count; ++i) {
        const intptr_t k = intptr_t{i} * 4;
        for (int c = 0; c < 3; ++c) {
            dst[k + c] = static_cast<uint8_t>(_Lerp(top[k + c], bottom[k + c], wy));
        }
        dst[k + 3] = 0;
    }
}

}  // namespace stretch_detail
