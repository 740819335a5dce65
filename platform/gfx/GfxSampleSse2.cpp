// SSE2 forms of the texel samplers, four pixels a step.  The filter keeps the plain
// kernel's layout: the blue-red and alpha-green halves of each texel sit in 16-bit
// lanes (as the scalar code keeps two channels per 32-bit word), every product fits
// 16 bits (255 × 256) and every sum stays below 65536, so the lanes give exactly the
// plain code's roundings.  Blocks that touch an edge of the texture go to the plain
// code pixel by pixel.
#include <algorithm>

#include "platform/gfx/GfxSample.h"
#include "platform/gfx/GfxSse2.h"

using namespace gfxsse2;

namespace {

// The low 32 bits of a 16.16 coordinate: enough for its fraction, and they step by
// the low bits of the step whatever the coordinate's size.
inline int32_t Low32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

inline __m128i Coords4(int64_t s, int64_t ds) {
    return _mm_setr_epi32(Low32(s), Low32(s + ds), Low32(s + 2 * ds), Low32(s + 3 * ds));
}

// The filter weight of each of four coordinates (bits 8..15) in both 16-bit halves of
// its lane.
inline __m128i Weights(__m128i coords) {
    const __m128i f = _mm_and_si128(_mm_srli_epi32(coords, 8), _mm_set1_epi32(255));
    return _mm_or_si128(f, _mm_slli_epi32(f, 16));
}

// Texels p[0] and p[1] of four places: left gets the first of each, right the second.
inline void Pairs(const uint32_t* p0, const uint32_t* p1, const uint32_t* p2, const uint32_t* p3, __m128i orMask,
                  __m128i* left, __m128i* right) {
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p1));
    const __m128i c = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p2));
    const __m128i d = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p3));
    const __m128i ab = _mm_unpacklo_epi32(a, b);
    const __m128i cd = _mm_unpacklo_epi32(c, d);
    *left = _mm_or_si128(_mm_unpacklo_epi64(ab, cd), orMask);
    *right = _mm_or_si128(_mm_unpackhi_epi64(ab, cd), orMask);
}

// The horizontal pass of four pixels: blue-red and alpha-green halves.
inline void Horizontal(__m128i left, __m128i right, __m128i wl, __m128i wr, __m128i* rb, __m128i* ag) {
    *rb = Lerp16(BlueRed(left), BlueRed(right), wl, wr);
    *ag = Lerp16(AlphaGreen(left), AlphaGreen(right), wl, wr);
}

// The vertical pass of two horizontally filtered rows.
inline __m128i Vertical(__m128i rb0, __m128i ag0, __m128i rb1, __m128i ag1, __m128i w0, __m128i w1) {
    return Join(Lerp16(rb0, rb1, w0, w1), Lerp16(ag0, ag1, w0, w1));
}


// Whether columns u and u + reach of the pixels at the ends of a block lie inside.
inline bool Inside(int64_t first, int64_t last, int64_t reach, int64_t size) {
    return std::min(first, last) >= 0 && std::max(first, last) + reach < size;
}

// Under wrapping, a column a whole number of texture widths away samples the same
// texels: a block whose first column has left the texture is brought back into it,
// so that the blocks after each wrap take the vector path again.  The weights (bits
// 8..15) do not change.
inline int64_t WrapInto(int64_t S, int64_t w) {
    const int64_t u = S >> 16;
    if (u >= 0 && u < w) return S;
    int64_t m = u % w;
    if (m < 0) m += w;
    return S + ((m - u) << 16);
}

void FillRun(uint32_t* out, int n, uint32_t texel) {
    const __m128i v = _mm_set1_epi32(static_cast<int32_t>(texel));
    int i = 0;
    for (; i + 4 <= n; i += 4) Store(out + i, v);
    for (; i < n; ++i) out[i] = texel;
}

// How many pixels from coordinate S on keep S's column (dS != 0).
inline int64_t RunLength(int64_t S, int64_t dS) {
    const int64_t u = S >> 16;
    if (dS > 0) {
        return (((u + 1) << 16) - S + dS - 1) / dS;
    }
    return (S - (u << 16)) / -dS + 1;
}

// Steps this small make runs of at least 16 pixels on one texel (enlargements, strips
// one texel wide): filling each run beats fetching pixel by pixel.
constexpr int64_t kRunStep = 4096;

}  // namespace

void GfxSampleRowPointSse2(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out) {
    if (!row.row0) {
        GfxSampleRowPointScalar(row, S, dS, n, out);
        return;
    }
    const int64_t w = row.width;
    if (dS >= -kRunStep && dS <= kRunStep) {
        for (int i = 0; i < n;) {
            const int64_t run = dS == 0 ? n - i : std::min<int64_t>(RunLength(S, dS), n - i);
            const int64_t u = GfxAddress(S >> 16, w, row.addressU);
            FillRun(out + i, static_cast<int>(run), u >= 0 ? (row.row0[u] | row.orMask) : row.border);
            i += static_cast<int>(run);
            S += run * dS;
        }
        return;
    }
    const __m128i orMask = _mm_set1_epi32(static_cast<int32_t>(row.orMask));
    const uint32_t* r = row.row0;
    const bool wrap = row.addressU == GFX_TADDRESS_WRAP;
    int i = 0;
    for (; i + 4 <= n; i += 4, S += 4 * dS) {
        if (wrap) S = WrapInto(S, w);
        const int64_t u0 = S >> 16, u1 = (S + dS) >> 16, u2 = (S + 2 * dS) >> 16, u3 = (S + 3 * dS) >> 16;
        if (!Inside(u0, u3, 0, w)) {
            GfxSampleRowPointScalar(row, S, dS, 4, out + i);
            continue;
        }
        const __m128i v = _mm_setr_epi32(static_cast<int32_t>(r[u0]), static_cast<int32_t>(r[u1]),
                                         static_cast<int32_t>(r[u2]), static_cast<int32_t>(r[u3]));
        Store(out + i, _mm_or_si128(v, orMask));
    }
    GfxSampleRowPointScalar(row, S, dS, n - i, out + i);
}

void GfxSampleAffineLinearSse2(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                               uint32_t* out) {
    const __m128i orMask = _mm_set1_epi32(static_cast<int32_t>(tex.orMask));
    const __m128i stepS = _mm_set1_epi32(Low32(4 * dS)), stepT = _mm_set1_epi32(Low32(4 * dT));
    const __m128i full = _mm_set1_epi16(256);
    __m128i coordsS = Coords4(S, dS), coordsT = Coords4(T, dT);
    const int64_t pitch = tex.pitch;
    int i = 0;
    for (; i + 4 <= n; i += 4, S += 4 * dS, T += 4 * dT, coordsS = _mm_add_epi32(coordsS, stepS),
                       coordsT = _mm_add_epi32(coordsT, stepT)) {
        const int64_t sLast = S + 3 * dS, tLast = T + 3 * dT;
        if (!Inside(S >> 16, sLast >> 16, 1, tex.width) || !Inside(T >> 16, tLast >> 16, 1, tex.height)) {
            GfxSampleAffineLinearScalar(tex, S, dS, T, dT, 4, out + i);
            continue;
        }
        const uint32_t* p[4];
        for (int k = 0; k < 4; ++k) {
            p[k] = tex.Row((T + k * dT) >> 16) + ((S + k * dS) >> 16);
        }
        const __m128i wx1 = Weights(coordsS);
        const __m128i wx0 = _mm_sub_epi16(full, wx1);
        const __m128i wy1 = Weights(coordsT);
        const __m128i wy0 = _mm_sub_epi16(full, wy1);
        __m128i left, right, rb0, ag0, rb1, ag1;
        Pairs(p[0], p[1], p[2], p[3], orMask, &left, &right);
        Horizontal(left, right, wx0, wx1, &rb0, &ag0);
        Pairs(p[0] + pitch, p[1] + pitch, p[2] + pitch, p[3] + pitch, orMask, &left, &right);
        Horizontal(left, right, wx0, wx1, &rb1, &ag1);
        Store(out + i, Vertical(rb0, ag0, rb1, ag1, wy0, wy1));
    }
    GfxSampleAffineLinearScalar(tex, S, dS, T, dT, n - i, out + i);
}

void GfxFilterRowSse2(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out) {
    if (!row.row0) {
        GfxFilterRowScalar(row, S, dS, n, out);
        return;
    }
    if (dS != 65536) {
        // Other steps gather: the columns a draw plans once, worked out for this row.
        SGfxColumns plan;
        GfxPlanColumns(row, S, dS, n, &plan);
        GfxFilterRowPlannedSse2(row, plan, out);
        return;
    }
    // One texel a pixel at a fraction (a picture drawn 1:1 off the pixel grid): one
    // weight for the row, and four pixels' texel pairs are two overlapping loads.
    const int64_t w = row.width;
    const __m128i orMask = _mm_set1_epi32(static_cast<int32_t>(row.orMask));
    const uint32_t* r = row.row0;
    const bool wrap = row.addressU == GFX_TADDRESS_WRAP;
    const __m128i wx1 = Weights(_mm_set1_epi32(Low32(S)));
    const __m128i wx0 = _mm_sub_epi16(_mm_set1_epi16(256), wx1);
    int i = 0;
    for (; i + 4 <= n; i += 4, S += 4 * 65536) {
        if (wrap) S = WrapInto(S, w);
        const int64_t u = S >> 16;
        if (!Inside(u, u + 3, 1, w)) {
            GfxFilterRowScalar(row, S, dS, 4, out + i);
            continue;
        }
        const __m128i left = _mm_or_si128(Load(r + u), orMask);
        const __m128i right = _mm_or_si128(Load(r + u + 1), orMask);
        __m128i rb, ag;
        Horizontal(left, right, wx0, wx1, &rb, &ag);
        Store(out + i, Join(rb, ag));
    }
    GfxFilterRowScalar(row, S, dS, n - i, out + i);
}

void GfxFilterColumnsSse2(const uint32_t* top, const uint32_t* bottom, uint32_t fy, int n, uint32_t* out) {
    const __m128i w1 = _mm_set1_epi16(static_cast<int16_t>(fy));
    const __m128i w0 = _mm_set1_epi16(static_cast<int16_t>(256 - fy));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i a = Load(top + i);
        const __m128i b = Load(bottom + i);
        __m128i rb, ag;
        Horizontal(a, b, w0, w1, &rb, &ag);
        Store(out + i, Join(rb, ag));
    }
    GfxFilterColumnsScalar(top + i, bottom + i, fy, n - i, out + i);
}

void GfxPlanColumns(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, SGfxColumns* plan) {
    const int64_t w = row.width;
    const bool wrap = row.addressU == GFX_TADDRESS_WRAP;
    const size_t blocks = static_cast<size_t>(n / 4);
    plan->column.assign(blocks * 4, 0);
    plan->weight.assign(blocks * 4, 0);
    plan->inside.assign(blocks, 0);
    for (size_t b = 0; b < blocks; ++b) {
        int64_t s = S + static_cast<int64_t>(b) * 4 * dS;
        if (wrap) s = WrapInto(s, w);
        if (!Inside(s >> 16, (s + 3 * dS) >> 16, 1, w)) continue;
        plan->inside[b] = 1;
        for (size_t k = 0; k < 4; ++k, s += dS) {
            const uint32_t f = static_cast<uint32_t>((s >> 8) & 255);
            plan->column[b * 4 + k] = static_cast<int32_t>(s >> 16);
            plan->weight[b * 4 + k] = f | f << 16;
        }
    }
    plan->valid = true;
    plan->S = S;
    plan->dS = dS;
    plan->n = n;
    plan->width = w;
    plan->addressU = row.addressU;
}

void GfxFilterRowPlannedSse2(const SGfxTexelRow& row, const SGfxColumns& plan, uint32_t* out) {
    const __m128i orMask = _mm_set1_epi32(static_cast<int32_t>(row.orMask));
    const __m128i full = _mm_set1_epi16(256);
    const uint32_t* r = row.row0;
    const int64_t S = plan.S, dS = plan.dS;
    const int n = plan.n;
    // Read through locals: stores to `out` could otherwise be taken to change them.
    const int32_t* columns = plan.column.data();
    const uint32_t* weights = plan.weight.data();
    const uint8_t* inside = plan.inside.data();
    int i = 0;
    for (size_t b = 0; i + 4 <= n; ++b, i += 4) {
        if (!inside[b]) {
            GfxFilterRowScalar(row, S + i * dS, dS, 4, out + i);
            continue;
        }
        const int32_t* c = columns + i;
        const __m128i wx1 = Load(weights + i);
        __m128i left, right, rb, ag;
        Pairs(r + c[0], r + c[1], r + c[2], r + c[3], orMask, &left, &right);
        Horizontal(left, right, _mm_sub_epi16(full, wx1), wx1, &rb, &ag);
        Store(out + i, Join(rb, ag));
    }
    GfxFilterRowScalar(row, S + i * dS, dS, n - i, out + i);
}
