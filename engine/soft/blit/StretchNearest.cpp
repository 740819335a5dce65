// Nearest-neighbour stretch kernels: every visible destination pixel takes one source
// pixel, written as the source kind asks.
//
// Columns and rows are mapped by the exact ratio (sourceExtent - 1) / (destExtent - 1),
// not by a step truncated to 16 fraction bits: the truncated step falls short of the
// last source column (3 columns stretched to 4 sampled 0, 0, 1, 1, and an upscaled
// picture lost its right column and bottom row).
#include <vector>

#include "engine/soft/blit/StretchKernels.h"
#include "engine/soft/blit/StretchPixels.h"
#include "engine/soft/blit/StretchPlan.h"

using namespace stretch_detail;

SStretchRatio NearestStretchRatio(int64_t sourceExtent, int64_t destExtent) {
    return SStretchRatio{static_cast<uint64_t>(sourceExtent - 1), static_cast<uint64_t>(destExtent - 1)};
}

namespace {

// The visible columns of one row, each the source pixel its column samples.
template <int kBytes>
void _CopyRow(uint8_t* d, const uint8_t* s, const int32_t* sc, int32_t count) {
    int32_t i = 0;
    if constexpr (kBytes == 4) {
        for (; i + 4 <= count; i += 4, d += 16) {
            uint32_t p[4];
            for (int k = 0; k < 4; ++k) std::memcpy(&p[k], s + intptr_t{sc[i + k]} * 4, 4);
            std::memcpy(d, p, 16);
        }
    } else if constexpr (kBytes == 2) {
        for (; i + 4 <= count; i += 4, d += 8) {
            uint16_t p[4];
            for (int k = 0; k < 4; ++k) std::memcpy(&p[k], s + intptr_t{sc[i + k]} * 2, 2);
            std::memcpy(d, p, 8);
        }
    }
    for (; i < count; ++i, d += kBytes) {
        std::memcpy(d, s + intptr_t{sc[i]} * kBytes, kBytes);
    }
}

template <int kDepth, EKind kKind, bool kBlend>
void _Nearest(const SBuffers& b, const SRect& dstRect, const SRect& srcRect, const SRect& clip, SSize dstSize,
              SSize srcSize, int opacity) {
    using P = SPixel<kDepth>;
    if (!HasPlanes<kKind>(b)) {
        return;
    }
    const auto plan = PlanStretch(dstRect, srcRect, clip, dstSize, srcSize, [](int64_t source, int64_t dest) {
        const SStretchRatio r = NearestStretchRatio(source, dest);
        return SNearestOffset{r.numerator, r.denominator};
    });
    if (!plan.visible) {
        return;
    }
    const SAxis& ax = plan.ax;
    const SAxis& ay = plan.ay;
    const SNearestOffset& mapX = plan.mapX;
    const SNearestOffset& mapY = plan.mapY;
    const SRun& cols = plan.cols;
    const SRun& rows = plan.rows;

    // Source column of every visible destination column, inside the source surface.
    std::vector<int32_t> sourceColumn(static_cast<size_t>(cols.Count()));
    for (int32_t i = 0; i < cols.Count(); ++i) {
        sourceColumn[size_t(i)] = static_cast<int32_t>(ax.s0 + mapX(int64_t{cols.first} + i - ax.d0));
    }
    const unsigned o = static_cast<unsigned>(opacity);
    const int32_t count = cols.Count();
    // A copy row that samples the same source row as the one above it is that row again,
    // unless the destination may have written over the source (one surface).
    const bool separate = BuffersApart(b, dstSize, srcSize, P::kBytes);
    int64_t previousSourceRow = -1;
    for (int32_t y = rows.first; y <= rows.last; ++y) {
        const int64_t sy = ay.s0 + mapY(int64_t{y} - ay.d0);
        uint8_t* d = b.dst + y * b.dstPitch + intptr_t{cols.first} * P::kBytes;
        const uint8_t* s = b.src + sy * b.srcPitch;
        uint8_t* da = kKind == EKind::AlphaToAlpha ? b.dstAlpha + y * b.dstAlphaPitch + cols.first : nullptr;
        const uint8_t* sa = (kKind == EKind::Alpha || kKind == EKind::AlphaToAlpha) ? b.srcAlpha + sy * b.srcAlphaPitch
                                                                                   : nullptr;
        const int32_t* sc = sourceColumn.data();
        if constexpr (kKind == EKind::Opaque && !kBlend) {
            if (y > rows.first && sy == previousSourceRow && separate) {
                std::memcpy(d, d - b.dstPitch, size_t(count) * P::kBytes);
            } else {
                _CopyRow<P::kBytes>(d, s, sc, count);
            }
            previousSourceRow = sy;
        } else {
            for (int32_t i = 0; i < count; ++i, d += P::kBytes) {
                const uint8_t* sp = s + intptr_t{sc[i]} * P::kBytes;
                if constexpr (kKind == EKind::ColorKey) {
                    if (P::IsKey(P::Load(sp), b.key)) {
                        continue;
                    }
                }
                const unsigned a = sa != nullptr ? sa[sc[i]] : 255u;
                WritePixel<kDepth, kKind, kBlend>(d, sp, a, da != nullptr ? da + i : nullptr, o);
            }
        }
    }
}

}  // namespace

#define PG_NEAREST_OPAQUE(name, depth, blend) PG_STRETCH_DEFINE_OPAQUE(_Nearest, name, depth, blend)
#define PG_NEAREST_COLORKEY(name, depth, blend) PG_STRETCH_DEFINE_COLORKEY(_Nearest, name, depth, blend)
#define PG_NEAREST_ALPHA(name, depth, blend) PG_STRETCH_DEFINE_ALPHA(_Nearest, name, depth, blend)
#define PG_NEAREST_ALPHATOALPHA(name, depth, blend) PG_STRETCH_DEFINE_ALPHATOALPHA(_Nearest, name, depth, blend)

// A copy does not care whether the 16 bits are X1R5G5B5 or R5G6B5.
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque15_16, 16, false)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque24, 24, false)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque32, 32, false)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque15Blend, 15, true)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque16Blend, 16, true)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque24Blend, 24, true)
PG_NEAREST_OPAQUE(SoftStretchNearestOpaque32Blend, 32, true)

PG_NEAREST_COLORKEY(SoftStretchNearestColorKey15_16, 16, false)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey24, 24, false)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey32, 32, false)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey15Blend, 15, true)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey16Blend, 16, true)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey24Blend, 24, true)
PG_NEAREST_COLORKEY(SoftStretchNearestColorKey32Blend, 32, true)

PG_NEAREST_ALPHA(SoftStretchNearestAlpha15, 15, false)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha16, 16, false)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha24, 24, false)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha32, 32, false)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha15Blend, 15, true)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha16Blend, 16, true)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha24Blend, 24, true)
PG_NEAREST_ALPHA(SoftStretchNearestAlpha32Blend, 32, true)

PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha15, 15, false)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha16, 16, false)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha24, 24, false)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha32, 32, false)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha15Blend, 15, true)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha16Blend, 16, true)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha24Blend, 24, true)
PG_NEAREST_ALPHATOALPHA(SoftStretchNearestAlphaToAlpha32Blend, 32, true)
