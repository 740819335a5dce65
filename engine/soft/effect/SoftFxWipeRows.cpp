#include "engine/soft/effect/SoftFxWipeRows.h"

#include <cstring>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/VectorBlend32.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace softfx_wipe {

namespace {

inline uint16_t* _P16(uint8_t* p) { return reinterpret_cast<uint16_t*>(p); }
inline const uint16_t* _P16(const uint8_t* p) { return reinterpret_cast<const uint16_t*>(p); }

#if defined(__SSE2__)
inline __m128i _Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void _Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// mask ? a : b.
inline __m128i _Select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// floor(x / 31) for lanes x <= 63 * 31: the 16-bit tables' per-channel scaling.
inline __m128i _Div31(__m128i x) { return _mm_mulhi_epu16(x, _mm_set1_epi16(2115)); }

// One 5- or 6-bit field of eight pixels, src at level ls over dst at level ld, in place.
template <int kShift, int kMask>
inline __m128i _Field(__m128i d, __m128i s, __m128i ld, __m128i ls) {
    const __m128i mask = _mm_set1_epi16(kMask);
    const __m128i dc = _mm_and_si128(_mm_srli_epi16(d, kShift), mask);
    const __m128i sc = _mm_and_si128(_mm_srli_epi16(s, kShift), mask);
    const __m128i sum = _mm_add_epi16(_Div31(_mm_mullo_epi16(dc, ld)), _Div31(_mm_mullo_epi16(sc, ls)));
    return _mm_slli_epi16(sum, kShift);
}

// Eight 16-bit pixels; the scaled fields never carry into each other (levels sum to <= 31).
template <bool k565>
inline __m128i _Wipe8(__m128i d, __m128i s, __m128i w) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i ls = _mm_srli_epi16(w, 3);
    const __m128i ld = _mm_srli_epi16(_mm_xor_si128(w, full), 3);
    __m128i mixed;
    if constexpr (k565) {
        mixed = _mm_or_si128(_mm_or_si128(_Field<11, 0x1F>(d, s, ld, ls), _Field<5, 0x3F>(d, s, ld, ls)),
                             _Field<0, 0x1F>(d, s, ld, ls));
    } else {
        // Bit 15 is in no field: a mixed pixel has it clear, as the table gives it.
        mixed = _mm_or_si128(_mm_or_si128(_Field<10, 0x1F>(d, s, ld, ls), _Field<5, 0x1F>(d, s, ld, ls)),
                             _Field<0, 0x1F>(d, s, ld, ls));
    }
    const __m128i keep = _mm_or_si128(_mm_cmpeq_epi16(w, zero), _mm_cmpeq_epi16(d, s));
    return _Select(keep, d, _Select(_mm_cmpeq_epi16(w, full), s, mixed));
}

template <bool k565>
int _WipeRow16Vector(uint8_t* dst, const uint8_t* src, const uint8_t* weight, int width) {
    const __m128i zero = _mm_setzero_si128();
    int i = 0;
    for (; i + 8 <= width; i += 8) {
        uint64_t eight;
        std::memcpy(&eight, weight + i, 8);
        uint8_t* d = dst + 2 * i;
        if (eight == 0) continue;
        if (eight == ~uint64_t{0}) {
            _Store(d, _Load(src + 2 * i));
            continue;
        }
        const __m128i w = _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(eight)), zero);
        _Store(d, _Wipe8<k565>(_Load(d), _Load(src + 2 * i), w));
    }
    return i;
}

int _WipeRow32Vector(uint8_t* dst, const uint8_t* src, const uint8_t* weight, int width) {
    int i = 0;
    for (; i + 4 <= width; i += 4) {
        uint8_t* dp = dst + 4 * i;
        uint32_t four;
        std::memcpy(&four, weight + i, 4);
        // Runs of hidden or fully shown pixels (most of a rule picture) skip the arithmetic.
        if (four == 0) continue;
        const __m128i s = _Load(src + 4 * i);
        const __m128i w = vector_blend::SpreadWeights(static_cast<int>(four));
        _Store(dp, four == 0xFFFFFFFFu ? s : vector_blend::Blend32(_Load(dp), s, w));
    }
    return i;
}
#endif

}  // namespace

template <int kDepth>
void WipeRow(uint8_t* dst, const uint8_t* src, const uint8_t* weight, int width) {
    int i = 0;
#if defined(__SSE2__)
    if constexpr (kDepth == 32) {
        i = _WipeRow32Vector(dst, src, weight, width);
    } else {
        i = _WipeRow16Vector<kDepth == 16>(dst, src, weight, width);
    }
#endif
    for (; i < width; ++i) {
        if constexpr (kDepth == 15) {
            BlendPixel15(_P16(dst + 2 * i), _P16(src + 2 * i), weight[i]);
        } else if constexpr (kDepth == 16) {
            BlendPixel16(_P16(dst + 2 * i), _P16(src + 2 * i), weight[i]);
        } else {
            BlendPixel32(dst + 4 * i, src + 4 * i, weight[i]);
        }
    }
}

template void WipeRow<15>(uint8_t*, const uint8_t*, const uint8_t*, int);
template void WipeRow<16>(uint8_t*, const uint8_t*, const uint8_t*, int);
template void WipeRow<32>(uint8_t*, const uint8_t*, const uint8_t*, int);

}  // namespace softfx_wipe
