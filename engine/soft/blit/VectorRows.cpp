#include "engine/soft/blit/VectorRows.h"

#include <emmintrin.h>
#include <xmmintrin.h>

#include <cstring>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "engine/soft/blit/VectorLerp.h"

namespace {

using vector_lerp::Lerp16;
using vector_lerp::LerpBytes;
using vector_lerp::Load128;
using vector_lerp::Load64;
using vector_lerp::Store128;
using vector_lerp::Store64;

inline uint64_t Read64(const void* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The SSE members fetch 96 bytes ahead of every row they walk.  The ordinary hint, not
// the non-temporal one: pictures are blitted again frame after frame, and a
// non-temporal fetch evicts them from the outer caches (measured about a third slower
// on a sprite-like 800 x 600 alpha blit).
template <bool kSse>
inline void Prefetch(const void* p) {
    if constexpr (kSse) {
        _mm_prefetch(static_cast<const char*>(p) + 96, _MM_HINT_T0);
    }
}

// LerpBytes at weight 255 for every byte, from the identity
// d + floor((s - d) * 255 / 256) = s - (s > d).
inline __m128i Lerp255(__m128i d, __m128i s) {
    const __m128i greater = _mm_min_epu8(_mm_subs_epu8(s, d), _mm_set1_epi8(1));
    return _mm_sub_epi8(s, greater);
}

template <vector_rows::EPixel16 kFormat>
inline void RowTail(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    if constexpr (kFormat == vector_rows::EPixel16::R5G6B5) {
        SoftBltRowTail16(dst, src, alpha);
    } else {
        SoftBltRowTail15(dst, src, alpha);
    }
}

template <vector_rows::EPixel16 kFormat>
inline void TablePixel(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    if constexpr (kFormat == vector_rows::EPixel16::R5G6B5) {
        BlendPixel16(dst, src, alpha);
    } else {
        BlendPixel15(dst, src, alpha);
    }
}

inline int TailField(int d, int s, int a) { return d + (s - d) * a / 256; }

}  // namespace

void SoftBltRowTail15(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    const int d = blend_detail::Load16(dst);
    const int s = blend_detail::Load16(src);
    const int r = TailField((d >> 10) & 0x1F, (s >> 10) & 0x1F, alpha);
    const int g = TailField((d >> 5) & 0x1F, (s >> 5) & 0x1F, alpha);
    const int b = TailField(d & 0x1F, s & 0x1F, alpha);
    blend_detail::Store16(dst, static_cast<uint16_t>(r << 10 | g << 5 | b));
}

void SoftBltRowTail16(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    const int d = blend_detail::Load16(dst);
    const int s = blend_detail::Load16(src);
    const int r = TailField((d >> 11) & 0x1F, (s >> 11) & 0x1F, alpha);
    const int g = TailField((d >> 5) & 0x3F, (s >> 5) & 0x3F, alpha);
    const int b = TailField(d & 0x1F, s & 0x1F, alpha);
    blend_detail::Store16(dst, static_cast<uint16_t>(r << 11 | g << 5 | b));
}

namespace vector_rows {

template <EPixel16 kFormat, bool kSse>
void OpaqueRow16(uint16_t* dst, const uint16_t* src, int width, int opacity) {
    const __m128i w = _mm_set1_epi16(static_cast<short>(opacity >= 255 ? 256 : opacity));
    int steps = width >> 2;
    for (; steps >= 2; steps -= 2) {
        Store128(dst, Lerp16<kFormat>(Load128(dst), Load128(src), w));
        dst += 8;
        src += 8;
        Prefetch<kSse>(src);
        Prefetch<kSse>(dst);
    }
    if (steps != 0) {
        Store64(dst, Lerp16<kFormat>(Load64(dst), Load64(src), w));
        dst += 4;
        src += 4;
    }
    const auto a = static_cast<uint8_t>(opacity);
    for (int i = 0; i < (width & 3); ++i) {
        if constexpr (kSse) {
            RowTail<kFormat>(dst + i, src + i, a);
        } else {
            TablePixel<kFormat>(dst + i, src + i, a);
        }
    }
}

// The destination is weighed by 255 - o and added to the source.
inline __m128i OpaqueByteWeight(int opacity) {
    const int w = 255 - opacity;
    return _mm_set1_epi16(static_cast<short>(w >= 255 ? 256 : w));
}

template <bool kSse>
void OpaqueRow24(uint8_t* dst, const uint8_t* src, int width, int opacity) {
    const __m128i w = OpaqueByteWeight(opacity);
    const int bytes = 3 * width;
    int steps = bytes >> 3;
    for (; steps >= 2; steps -= 2) {
        Store128(dst, LerpBytes(Load128(src), Load128(dst), w, w));
        dst += 16;
        src += 16;
        Prefetch<kSse>(src);
        Prefetch<kSse>(dst);
    }
    if (steps != 0) {
        Store64(dst, LerpBytes(Load64(src), Load64(dst), w, w));
        dst += 8;
        src += 8;
    }
    for (int i = 0; i < (bytes & 7); ++i) {
        const int d = dst[i];
        dst[i] = static_cast<uint8_t>(d + (((src[i] - d) * opacity) >> 8));
    }
}

template <bool kSse>
void OpaqueRow32(uint8_t* dst, const uint8_t* src, int width, int opacity) {
    const __m128i w = OpaqueByteWeight(opacity);
    int steps = width >> 1;
    for (; steps >= 2; steps -= 2) {
        Store128(dst, LerpBytes(Load128(src), Load128(dst), w, w));
        dst += 16;
        src += 16;
        Prefetch<kSse>(src);
        Prefetch<kSse>(dst);
    }
    if (steps != 0) {
        Store64(dst, LerpBytes(Load64(src), Load64(dst), w, w));
        dst += 8;
        src += 8;
    }
    if (width & 1) {
        BlendPixel32(dst, src, static_cast<uint8_t>(opacity));
    }
}

template <EPixel16 kFormat, bool kSse>
void AlphaRow16(uint16_t* dst, const uint16_t* src, const uint8_t* alpha, int width, int opacity) {
    const int k = 255 - opacity;
    const __m128i kv = _mm_set1_epi16(static_cast<short>(k));
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i colourBits = _mm_set1_epi16(static_cast<short>(kFormat == EPixel16::R5G6B5 ? 0xFFFF : 0x7FFF));
    for (int groups = width >> 3; groups > 0; --groups) {
        const uint64_t a8 = Read64(alpha);
        if (a8 == ~uint64_t(0) && k == 0) {
            // Every weight is 256: the source, with bit 15 cleared at 15 bpp.
            Store128(dst, _mm_and_si128(Load128(src), colourBits));
        } else if (a8 != 0) {
            const __m128i av = Load64(alpha);
            const __m128i e = _mm_subs_epu16(_mm_unpacklo_epi8(av, zero), kv);
            const __m128i w = _mm_add_epi16(e, _mm_andnot_si128(_mm_cmpeq_epi16(e, zero), one));
            const __m128i d = Load128(dst);
            const __m128i r = Lerp16<kFormat>(d, Load128(src), w);
            // A half of four pixels whose alphas are all 0 is not stored.
            __m128i skip = _mm_cmpeq_epi32(av, zero);
            skip = _mm_unpacklo_epi32(skip, skip);
            Store128(dst, _mm_or_si128(_mm_and_si128(skip, d), _mm_andnot_si128(skip, r)));
        }
        dst += 8;
        src += 8;
        alpha += 8;
        Prefetch<kSse>(src);
        Prefetch<kSse>(dst);
        Prefetch<kSse>(alpha);
    }
    for (int i = 0; i < (width & 7); ++i) {
        const int e = alpha[i] - k;
        if (e <= 0) {
            continue;
        }
        if (e == 255) {
            blend_detail::Store16(dst + i, blend_detail::Load16(src + i));
        } else {
            RowTail<kFormat>(dst + i, src + i, static_cast<uint8_t>(e));
        }
    }
}

template <bool kSse>
void AlphaRow24(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, int width, int opacity) {
    const int k = 255 - opacity;
    const __m128i kv = _mm_set1_epi8(static_cast<char>(k));
    const __m128i low = _mm_set1_epi16(0x00FF);
    for (int groups = width >> 3; groups > 0; --groups) {
        if (Read64(alpha) != 0) {
            alignas(16) uint8_t e[16];
            Store128(e, _mm_subs_epu8(Load64(alpha), kv));
            // Each pixel's weight over its three bytes: e0 e0 e0 e1 e1 e1 e2 e2 | e2 e3 ...
            alignas(16) uint8_t spread[32] = {};
            for (int j = 0; j < 24; ++j) {
                spread[j] = e[j / 3];
            }
            const __m128i w0 = Load128(spread);
            const __m128i w1 = Load64(spread + 16);
            Store128(dst, LerpBytes(Load128(dst), Load128(src), _mm_and_si128(w0, low), _mm_srli_epi16(w0, 8)));
            Store64(dst + 16,
                    LerpBytes(Load64(dst + 16), Load64(src + 16), _mm_and_si128(w1, low), _mm_srli_epi16(w1, 8)));
        }
        dst += 24;
        src += 24;
        alpha += 8;
        Prefetch<kSse>(src);
        Prefetch<kSse>(dst);
        Prefetch<kSse>(alpha);
    }
    const int rest = 3 * (width & 7);
    for (int i = 0; i < rest; ++i) {
        const int e = alpha[i / 3] - k;
        if (e <= 0) {
            continue;
        }
        if (e == 255) {
            dst[i] = src[i];
        } else {
            dst[i] = static_cast<uint8_t>(blend_detail::Product(unsigned(e), src[i]) +
                                          blend_detail::Product(unsigned(255 - e), dst[i]));
        }
    }
}

template <bool kSse>
void AlphaRow32(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, int width, int opacity) {
    const int k = 255 - opacity;
    const __m128i kv = _mm_set1_epi8(static_cast<char>(k));
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi8(-1);
    for (int groups = width >> 3; groups > 0; --groups) {
        // Pixels of weight 0 keep every byte, so a group whose weights are all 0 is
        // skipped whole (this covers the groups and pairs of alpha 0).
        const __m128i e = _mm_subs_epu8(Load64(alpha), kv);
        if ((_mm_movemask_epi8(_mm_cmpeq_epi8(e, zero)) & 0xFF) != 0xFF) {
            if ((_mm_movemask_epi8(_mm_cmpeq_epi8(e, ones)) & 0xFF) == 0xFF) {
                // Weight 255 everywhere: d + floor((s - d) * 255 / 256) is s, less one
                // where s > d.
                Store128(dst, Lerp255(Load128(dst), Load128(src)));
                Store128(dst + 16, Lerp255(Load128(dst + 16), Load128(src + 16)));
            } else {
                const __m128i e16 = _mm_unpacklo_epi8(e, zero);
                const __m128i w0 = _mm_unpacklo_epi16(e16, e16);
                const __m128i w1 = _mm_unpackhi_epi16(e16, e16);
                Store128(dst, LerpBytes(Load128(dst), Load128(src), w0, w0));
                Store128(dst + 16, LerpBytes(Load128(dst + 16), Load128(src + 16), w1, w1));
            }
            Prefetch<kSse>(src + 32);
            Prefetch<kSse>(dst + 32);
        }
        dst += 32;
        src += 32;
        alpha += 8;
        Prefetch<kSse>(alpha);
    }
    for (int i = 0; i < (width & 7); ++i) {
        const int e = alpha[i] - k;
        if (e <= 0) {
            continue;
        }
        if (e == 255) {
            std::memcpy(dst + 4 * i, src + 4 * i, 4);
        } else {
            BlendPixel32(dst + 4 * i, src + 4 * i, static_cast<uint8_t>(e));
        }
    }
}

template void OpaqueRow16<EPixel16::X1R5G5B5, false>(uint16_t*, const uint16_t*, int, int);
template void OpaqueRow16<EPixel16::X1R5G5B5, true>(uint16_t*, const uint16_t*, int, int);
template void OpaqueRow16<EPixel16::R5G6B5, false>(uint16_t*, const uint16_t*, int, int);
template void OpaqueRow16<EPixel16::R5G6B5, true>(uint16_t*, const uint16_t*, int, int);
template void OpaqueRow24<false>(uint8_t*, const uint8_t*, int, int);
template void OpaqueRow24<true>(uint8_t*, const uint8_t*, int, int);
template void OpaqueRow32<false>(uint8_t*, const uint8_t*, int, int);
template void OpaqueRow32<true>(uint8_t*, const uint8_t*, int, int);
template void AlphaRow16<EPixel16::X1R5G5B5, false>(uint16_t*, const uint16_t*, const uint8_t*, int, int);
template void AlphaRow16<EPixel16::X1R5G5B5, true>(uint16_t*, const uint16_t*, const uint8_t*, int, int);
template void AlphaRow16<EPixel16::R5G6B5, false>(uint16_t*, const uint16_t*, const uint8_t*, int, int);
template void AlphaRow16<EPixel16::R5G6B5, true>(uint16_t*, const uint16_t*, const uint8_t*, int, int);
template void AlphaRow24<false>(uint8_t*, const uint8_t*, const uint8_t*, int, int);
template void AlphaRow24<true>(uint8_t*, const uint8_t*, const uint8_t*, int, int);
template void AlphaRow32<false>(uint8_t*, const uint8_t*, const uint8_t*, int, int);
template void AlphaRow32<true>(uint8_t*, const uint8_t*, const uint8_t*, int, int);

}  // namespace vector_rows
