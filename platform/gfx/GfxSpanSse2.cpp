// SSE2 forms of the blend and modulate spans; bit-exact with the scalar kernels
// (the same round(x / 255) on 16-bit lanes).
#include "platform/gfx/GfxSample.h"
#include "platform/gfx/GfxSpan.h"
#include "platform/gfx/GfxSse2.h"

using namespace gfxsse2;

namespace {

// Each 16-bit channel of two pixels times the same channel of `m`.
inline __m128i Mod16(__m128i v, __m128i m) { return Div255(_mm_mullo_epi16(v, m)); }

// Broadcasts each pixel's alpha word over its four words.
inline __m128i Alpha16(__m128i v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }

inline __m128i Modulate4(__m128i s, __m128i mod16, __m128i zero) {
    __m128i lo = Mod16(_mm_unpacklo_epi8(s, zero), mod16);
    __m128i hi = Mod16(_mm_unpackhi_epi8(s, zero), mod16);
    return _mm_packus_epi16(lo, hi);
}

// Modulation by a white diffuse colour of some alpha: every colour channel × 255 is
// itself, so only the alpha is multiplied.  `alpha` holds the diffuse alpha in each
// 32-bit lane.
inline __m128i ModulateAlpha4(__m128i s, __m128i alpha) {
    const __m128i a = Div255(_mm_mullo_epi16(_mm_srli_epi32(s, 24), alpha));
    return _mm_or_si128(_mm_and_si128(s, _mm_set1_epi32(0x00FFFFFF)), _mm_slli_epi32(a, 24));
}

inline __m128i Blend2(__m128i s16, __m128i d16) {
    __m128i a = Alpha16(s16);
    __m128i ia = _mm_sub_epi16(_mm_set1_epi16(255), a);
    return Div255(_mm_add_epi16(_mm_mullo_epi16(s16, a), _mm_mullo_epi16(d16, ia)));
}

}  // namespace

void GfxSpanBlendSse2(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, bool modulate, int n) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i orv = _mm_set1_epi32(static_cast<int>(srcOr));
    const __m128i mod16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(diffuse)), zero);
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const bool alphaOnly = modulate && (diffuse & 0x00FFFFFFu) == 0x00FFFFFFu;
    const uint32_t da = diffuse >> 24;
    const __m128i diffuseAlpha = _mm_set1_epi32(static_cast<int>(da));
    // Opaque texels under such a diffuse colour all get its alpha: one weight for the
    // group (a picture faded in).
    const bool fade = alphaOnly && da != 0 && da != 255;
    const __m128i fadeAlpha = _mm_slli_epi32(diffuseAlpha, 24);
    const __m128i fadeWeight = _mm_set1_epi16(static_cast<int16_t>(da));
    const __m128i fadeRest = _mm_set1_epi16(static_cast<int16_t>(255 - da));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), orv);
        if (fade && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaMask), alphaMask)) == 0xFFFF) {
            s = _mm_or_si128(_mm_andnot_si128(alphaMask, s), fadeAlpha);
            __m128i* dp = reinterpret_cast<__m128i*>(dst + i);
            const __m128i d = _mm_loadu_si128(dp);
            const __m128i lo = Div255(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), fadeWeight),
                                                    _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), fadeRest)));
            const __m128i hi = Div255(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), fadeWeight),
                                                    _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), fadeRest)));
            _mm_storeu_si128(dp, _mm_packus_epi16(lo, hi));
            continue;
        }
        if (alphaOnly) {
            s = ModulateAlpha4(s, diffuseAlpha);
        } else if (modulate) {
            s = Modulate4(s, mod16, zero);
        }
        __m128i a = _mm_and_si128(s, alphaMask);
        int transparent = _mm_movemask_epi8(_mm_cmpeq_epi32(a, zero));
        if (transparent == 0xFFFF) {
            continue;
        }
        int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(a, alphaMask));
        __m128i* dp = reinterpret_cast<__m128i*>(dst + i);
        if (opaque == 0xFFFF) {
            _mm_storeu_si128(dp, s);
            continue;
        }
        __m128i d = _mm_loadu_si128(dp);
        __m128i lo = Blend2(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        __m128i hi = Blend2(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        _mm_storeu_si128(dp, _mm_packus_epi16(lo, hi));
    }
    if (i < n) {
        GfxSpanBlendScalar(dst + i, src + i, srcOr, diffuse, modulate, n - i);
    }
}

void GfxSpanModulateSse2(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, int n) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i orv = _mm_set1_epi32(static_cast<int>(srcOr));
    const __m128i mod16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(diffuse)), zero);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), orv);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Modulate4(s, mod16, zero));
    }
    if (i < n) {
        GfxSpanModulateScalar(dst + i, src + i, srcOr, diffuse, n - i);
    }
}

void GfxSpanBlendConstSse2(uint32_t* dst, uint32_t colour, int n) {
    const uint32_t a = colour >> 24;
    if (a == 0 || a == 255 || n <= 0) {
        GfxSpanBlendConstScalar(dst, colour, n);
        return;
    }
    // The source's share of every channel is the same for all pixels.
    const __m128i zero = _mm_setzero_si128();
    const __m128i share = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero),
                                          _mm_set1_epi16(static_cast<int16_t>(a)));
    const __m128i ia = _mm_set1_epi16(static_cast<int16_t>(255 - a));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i* dp = reinterpret_cast<__m128i*>(dst + i);
        const __m128i d = _mm_loadu_si128(dp);
        const __m128i lo = Div255(_mm_add_epi16(share, _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), ia)));
        const __m128i hi = Div255(_mm_add_epi16(share, _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), ia)));
        _mm_storeu_si128(dp, _mm_packus_epi16(lo, hi));
    }
    GfxSpanBlendConstScalar(dst + i, colour, n - i);
}

bool GfxSpanUniformSse2(const uint32_t* src, int n) {
    if (n <= 0) {
        return true;
    }
    const __m128i first = _mm_set1_epi32(static_cast<int>(src[0]));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(v, first)) != 0xFFFF) {
            return false;
        }
    }
    for (; i < n; ++i) {
        if (src[i] != src[0]) return false;
    }
    return true;
}

void GfxShadeFilteredSse2(uint32_t* dst, const uint32_t* top, const uint32_t* bottom, uint32_t weight,
                          EGfxSpanKernel kernel, uint32_t mod, int n) {
    const bool modulate = kernel == EGfxSpanKernel::Modulate || kernel == EGfxSpanKernel::BlendModulate;
    const bool blend = kernel == EGfxSpanKernel::Blend || kernel == EGfxSpanKernel::BlendModulate;
    const __m128i w1 = _mm_set1_epi16(static_cast<int16_t>(weight));
    const __m128i w0 = _mm_set1_epi16(static_cast<int16_t>(256 - weight));
    // The multiplier in the halves' layout.
    const __m128i modRB = BlueRed(_mm_set1_epi32(static_cast<int>(mod)));
    const __m128i modAG = AlphaGreen(_mm_set1_epi32(static_cast<int>(mod)));
    const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi32(255), full = _mm_set1_epi16(255);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i t = Load(top + i), b = Load(bottom + i);
        __m128i rb = Lerp16(BlueRed(t), BlueRed(b), w0, w1);
        __m128i ag = Lerp16(AlphaGreen(t), AlphaGreen(b), w0, w1);
        if (modulate) {
            rb = Div255(_mm_mullo_epi16(rb, modRB));
            ag = Div255(_mm_mullo_epi16(ag, modAG));
        }
        if (!blend) {
            Store(dst + i, Join(rb, ag));
            continue;
        }
        const __m128i alpha = _mm_srli_epi32(ag, 16);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF) {
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, opaque)) == 0xFFFF) {
            Store(dst + i, Join(rb, ag));
            continue;
        }
        // s · a + d · (255 − a) per channel, the alpha in both halves of each lane; a
        // clear pixel gives d and an opaque one s, as the plain kernel's shortcuts.
        const __m128i a = _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16));
        const __m128i ia = _mm_sub_epi16(full, a);
        const __m128i d = Load(dst + i);
        rb = Div255(_mm_add_epi16(_mm_mullo_epi16(rb, a), _mm_mullo_epi16(BlueRed(d), ia)));
        ag = Div255(_mm_add_epi16(_mm_mullo_epi16(ag, a), _mm_mullo_epi16(AlphaGreen(d), ia)));
        Store(dst + i, Join(rb, ag));
    }
    if (i == n) {
        return;
    }
    uint32_t texels[4];
    for (int k = 0; i + k < n; ++k) texels[k] = GfxLerpTexels(top[i + k], bottom[i + k], weight);
    if (blend) {
        GfxSpanBlendScalar(dst + i, texels, 0, mod, modulate, n - i);
    } else if (modulate) {
        GfxSpanModulateScalar(dst + i, texels, 0, mod, n - i);
    } else {
        for (int k = 0; i + k < n; ++k) dst[i + k] = texels[k];
    }
}
