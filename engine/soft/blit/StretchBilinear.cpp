// Bilinear stretch kernels: every visible destination pixel is filtered from the four
// source pixels around its 16.16 position, horizontally first, then vertically, and
// written as the source kind asks.  The last column and row of the usable source area
// have no right (lower) neighbour and are taken unfiltered.
#include <vector>

#include "engine/soft/blit/StretchBilinearRows.h"
#include "engine/soft/blit/StretchKernels.h"
#include "engine/soft/blit/StretchPixels.h"
#include "engine/soft/blit/StretchPlan.h"

using namespace stretch_detail;

int64_t BilinearStretchStep(int64_t sourceExtent, int64_t destExtent) {
    // The division first, in double precision, then truncation toward zero.  The result
    // needs up to 48 bits, so it is kept in 64.
    const double step = static_cast<double>(sourceExtent - 1) / static_cast<double>(destExtent - 1) * 65536.0;
    return static_cast<int64_t>(step);
}

namespace {

inline int _Lerp(int a, int b, int w) { return a + (((b - a) * w) >> 16); }

// The filtered value of one channel (or of the alpha) from its four taps.
inline int _Filter(int c00, int c01, int c10, int c11, int wx, int wy) {
    const int top = _Lerp(c00, c01, wx);
    const int bottom = _Lerp(c10, c11, wx);
    return _Lerp(top, bottom, wy);
}

template <int kDepth>
inline uint32_t _FilterPixel(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, int wx, int wy) {
    using P = SPixel<kDepth>;
    int b[4], g[4], r[4];
    P::Channels(p00, &b[0], &g[0], &r[0]);
    P::Channels(p01, &b[1], &g[1], &r[1]);
    P::Channels(p10, &b[2], &g[2], &r[2]);
    P::Channels(p11, &b[3], &g[3], &r[3]);
    return P::Pack(_Filter(b[0], b[1], b[2], b[3], wx, wy), _Filter(g[0], g[1], g[2], g[3], wx, wy),
                   _Filter(r[0], r[1], r[2], r[3], wx, wy));
}

// What the vector rows of one call keep between destination rows: two horizontally
// filtered source rows and the rows they were made from (-1 when empty); for a source
// with alpha, the merged rows, the span of columns they cover and the columns counted
// from its start.
struct SKeptRows {
    std::vector<uint16_t> top, bottom;
    int64_t topRow = -1, bottomRow = -1;
    std::vector<uint8_t> merged0, merged1;
    std::vector<int32_t> spanColumn;
    int32_t spanFirst = 0, spanCount = 0;
};

// One destination row of the 32-bit vector path from source rows sy and sy + 1 (pixels
// p0, alpha a0 or null), written to out (4 bytes a pixel, the fourth the filtered alpha
// when there is alpha).  When rows advance by less than two source rows (enlargements,
// mild reductions) successive destination rows share source rows, and the horizontal pass
// of each source row is kept for the next; otherwise (reuse false) the row runs in one
// pass.
void _VectorRow(uint8_t* out, const uint8_t* p0, const uint8_t* a0, intptr_t srcPitch, intptr_t alphaPitch,
                int64_t sy, const SColumnTaps& taps, int32_t filtered, int wy, bool reuse, SKeptRows& kept) {
    const bool alpha = a0 != nullptr;
    if (alpha && kept.spanColumn.empty()) {
        kept.spanFirst = taps.column[0];
        kept.spanCount = taps.column[size_t(filtered) - 1] + 2 - kept.spanFirst;
        kept.spanColumn.resize(size_t(filtered));
        for (int32_t i = 0; i < filtered; ++i) kept.spanColumn[size_t(i)] = taps.column[size_t(i)] - kept.spanFirst;
        kept.merged0.resize(size_t(kept.spanCount) * 4);
        kept.merged1.resize(size_t(kept.spanCount) * 4);
    }
    const int32_t* col = alpha ? kept.spanColumn.data() : taps.column.data();
    const uint64_t* w4 = taps.weight4.data();
    // Source row sy + k as the rows read it.
    auto row = [&](int k, std::vector<uint8_t>& merged) -> const uint8_t* {
        const uint8_t* p = p0 + k * srcPitch;
        if (!alpha) return p;
        MergeAlphaRow32(merged.data(), p + intptr_t{kept.spanFirst} * 4, a0 + k * alphaPitch + kept.spanFirst,
                        kept.spanCount);
        return merged.data();
    };
    if (!reuse) {
        BilinearRow32(out, row(0, kept.merged0), row(1, kept.merged1), col, w4, filtered, wy, alpha);
        return;
    }
    if (kept.top.empty()) {
        kept.top.resize(size_t(filtered) * 4);
        kept.bottom.resize(size_t(filtered) * 4);
    }
    if (sy == kept.bottomRow) {
        kept.top.swap(kept.bottom);
        kept.topRow = kept.bottomRow;
        kept.bottomRow = -1;
    } else if (sy != kept.topRow) {
        BilinearHorizontal32(kept.top.data(), row(0, kept.merged0), col, w4, filtered);
        kept.topRow = sy;
    }
    if (kept.bottomRow != sy + 1) {
        BilinearHorizontal32(kept.bottom.data(), row(1, kept.merged0), col, w4, filtered);
        kept.bottomRow = sy + 1;
    }
    BilinearVertical32(out, kept.top.data(), kept.bottom.data(), filtered, wy, alpha);
}

template <int kDepth, EKind kKind, bool kBlend>
void _Bilinear(const SBuffers& b, const SRect& dstRect, const SRect& srcRect, const SRect& clip, SSize dstSize,
               SSize srcSize, int opacity) {
    using P = SPixel<kDepth>;
    constexpr bool kAlpha = kKind == EKind::Alpha || kKind == EKind::AlphaToAlpha;
    // The vector rows: opaque copies and pictures with alpha over an opaque destination,
    // at 32 bits; the kinds' scalar loop finishes each row.
    constexpr bool kVectorRow = kDepth == 32 && ((kKind == EKind::Opaque && !kBlend) || kKind == EKind::Alpha);
    if (!HasPlanes<kKind>(b)) {
        return;
    }
    const auto plan = PlanStretch(dstRect, srcRect, clip, dstSize, srcSize, [](int64_t source, int64_t dest) {
        return SBilinearPosition{BilinearStretchStep(source, dest)};
    });
    if (!plan.visible) {
        return;
    }
    const SAxis& ax = plan.ax;
    const SAxis& ay = plan.ay;
    const SBilinearPosition& px = plan.mapX;
    const SBilinearPosition& py = plan.mapY;
    const SRun& cols = plan.cols;
    const SRun& rows = plan.rows;
    // Source columns and rows counted from the rectangle's edge that lie inside both the
    // rectangle and the surface: no tap is read at or past them.
    const int64_t limX = std::min(ax.s1, ax.sSize) - ax.s0;
    const int64_t limY = std::min(ay.s1, ay.sSize) - ay.s0;

    const int32_t count = cols.Count();
    SColumnTaps taps;
    taps.column.resize(size_t(count));
    taps.weight.resize(size_t(count));
    taps.filtered = 0;
    if constexpr (kVectorRow) {
        taps.weight4.reserve(size_t(count));
    }
    for (int32_t i = 0; i < count; ++i) {
        const int64_t fx = px.Position(int64_t{cols.first} + i - ax.d0);
        const int64_t ix = fx >> 16;
        taps.column[size_t(i)] = static_cast<int32_t>(ax.s0 + ix);
        taps.weight[size_t(i)] = static_cast<int32_t>(fx & 0xFFFF);
        if constexpr (kVectorRow) {
            taps.weight4.push_back(static_cast<uint64_t>(fx & 0xFFFF) * 0x0001000100010001ull);
        }
        // ix does not decrease, so the filtered columns come first.
        if (ix + 1 < limX) {
            taps.filtered = i + 1;
        }
    }

    const unsigned o = static_cast<unsigned>(opacity);
    const int32_t* col = taps.column.data();
    const int32_t* wxs = taps.weight.data();
    SKeptRows kept;
    const bool reuseRows = py.step < 2 * 65536;
    // The vector rows read source rows ahead of what they write: not on a surface
    // stretched onto itself.
    const bool vector = kVectorRow && BuffersApart(b, dstSize, srcSize, P::kBytes);
    // Filtered pixels with their alpha, before they are laid over the destination.
    std::vector<uint8_t> filteredRow(kKind == EKind::Alpha && vector ? size_t(count) * 4 : 0);
    for (int32_t y = rows.first; y <= rows.last; ++y) {
        const int64_t fy = py.Position(int64_t{y} - ay.d0);
        const int64_t iy = fy >> 16;
        const int wy = static_cast<int>(fy & 0xFFFF);
        const int64_t sy = ay.s0 + iy;
        uint8_t* d = b.dst + y * b.dstPitch + intptr_t{cols.first} * P::kBytes;
        const uint8_t* s0 = b.src + sy * b.srcPitch;
        const uint8_t* a0 = kAlpha ? b.srcAlpha + sy * b.srcAlphaPitch : nullptr;
        uint8_t* da = kKind == EKind::AlphaToAlpha ? b.dstAlpha + y * b.dstAlphaPitch + cols.first : nullptr;
        // The last usable row has no lower neighbour: the whole row is unfiltered.
        const int32_t filtered = iy + 1 < limY ? taps.filtered : 0;

        int32_t i = 0;
        if constexpr (kVectorRow) {
            if (vector && filtered > 0) {
                if constexpr (kKind == EKind::Alpha) {
                    _VectorRow(filteredRow.data(), s0, a0, b.srcPitch, b.srcAlphaPitch, sy, taps, filtered, wy,
                               reuseRows, kept);
                    BlendFilteredRow32(d, filteredRow.data(), filtered, kBlend ? opacity : 255);
                } else {
                    _VectorRow(d, s0, nullptr, b.srcPitch, 0, sy, taps, filtered, wy, reuseRows, kept);
                }
                i = filtered;
            }
        }
        if (filtered > 0) {
            const uint8_t* s1 = s0 + b.srcPitch;
            const uint8_t* a1 = kAlpha ? a0 + b.srcAlphaPitch : nullptr;
            for (; i < filtered; ++i) {
                const intptr_t c = col[i];
                const int wx = wxs[i];
                const uint32_t p00 = P::Load(s0 + c * P::kBytes);
                const uint32_t p01 = P::Load(s0 + (c + 1) * P::kBytes);
                const uint32_t p10 = P::Load(s1 + c * P::kBytes);
                const uint32_t p11 = P::Load(s1 + (c + 1) * P::kBytes);
                if constexpr (kKind == EKind::ColorKey) {
                    if (P::IsKey(p00, b.key) || P::IsKey(p01, b.key) || P::IsKey(p10, b.key) ||
                        P::IsKey(p11, b.key)) {
                        continue;
                    }
                }
                uint8_t pixel[4];
                P::Store(pixel, _FilterPixel<kDepth>(p00, p01, p10, p11, wx, wy));
                unsigned a = 255;
                if constexpr (kAlpha) {
                    a = static_cast<unsigned>(_Filter(a0[c], a0[c + 1], a1[c], a1[c + 1], wx, wy));
                }
                WritePixel<kDepth, kKind, kBlend>(d + i * P::kBytes, pixel, a, da != nullptr ? da + i : nullptr, o);
            }
        }
        // The last usable column (and the whole last row): the stored pixel itself.
        for (; i < count; ++i) {
            const intptr_t c = col[i];
            const uint8_t* sp = s0 + c * P::kBytes;
            if constexpr (kKind == EKind::ColorKey) {
                if (P::IsKey(P::Load(sp), b.key)) {
                    continue;
                }
            }
            const unsigned a = kAlpha ? a0[c] : 255u;
            WritePixel<kDepth, kKind, kBlend>(d + i * P::kBytes, sp, a, da != nullptr ? da + i : nullptr, o);
        }
    }
}

}  // namespace

#define PG_BILINEAR_OPAQUE(name, depth, blend) PG_STRETCH_DEFINE_OPAQUE(_Bilinear, name, depth, blend)
#define PG_BILINEAR_COLORKEY(name, depth, blend) PG_STRETCH_DEFINE_COLORKEY(_Bilinear, name, depth, blend)
#define PG_BILINEAR_ALPHA(name, depth, blend) PG_STRETCH_DEFINE_ALPHA(_Bilinear, name, depth, blend)
#define PG_BILINEAR_ALPHATOALPHA(name, depth, blend) PG_STRETCH_DEFINE_ALPHATOALPHA(_Bilinear, name, depth, blend)

PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque15, 15, false)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque16, 16, false)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque24, 24, false)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque32, 32, false)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque15Blend, 15, true)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque16Blend, 16, true)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque24Blend, 24, true)
PG_BILINEAR_OPAQUE(SoftStretchBilinearOpaque32Blend, 32, true)

PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey15, 15, false)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey16, 16, false)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey24, 24, false)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey32, 32, false)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey15Blend, 15, true)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey16Blend, 16, true)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey24Blend, 24, true)
PG_BILINEAR_COLORKEY(SoftStretchBilinearColorKey32Blend, 32, true)

PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha15, 15, false)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha16, 16, false)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha24, 24, false)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha32, 32, false)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha15Blend, 15, true)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha16Blend, 16, true)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha24Blend, 24, true)
PG_BILINEAR_ALPHA(SoftStretchBilinearAlpha32Blend, 32, true)

PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha15, 15, false)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha16, 16, false)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha24, 24, false)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha32, 32, false)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha15Blend, 15, true)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha16Blend, 16, true)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha24Blend, 24, true)
PG_BILINEAR_ALPHATOALPHA(SoftStretchBilinearAlphaToAlpha32Blend, 32, true)
