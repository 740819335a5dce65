// Dissolves: an opaque source appears through an ordered 4x4 pattern (8 levels), a 4x4
// spiral (16 levels) or random 2x2 blocks.
#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/soft/blit/SoftBlt.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxPixel.h"

using softfx::SPx;

namespace {

// Levels of the 4x4 cells (k = col + 4 * row) and the lead of each pattern.
constexpr int kOrderedLevels[16] = {256, 640, 128, 768, 896, 512, 1024, 384, 128, 768, 256, 640, 1024, 384, 896, 512};
constexpr int kOrderedLead = 64;
constexpr int kSpiralLevels[16] = {64, 128, 192, 256, 768, 832, 896, 320, 704, 1024, 960, 384, 640, 576, 512, 448};
constexpr int kSpiralLead = 32;

// Two bits per cell; a pixel tests the upper one.
uint32_t _CellMask(const int (&levels)[16], int lead, int progress) {
    uint32_t mask = 0;
    for (int k = 0; k < 16; ++k) {
        if (progress >= levels[k] - lead) mask |= 3u << (2 * k);
    }
    return mask;
}

struct SDissolveArgs {
    uint8_t* dstBits;
    const uint8_t* srcBits;
    intptr_t dstPitch;
    intptr_t srcPitch;
    SPoint point;  // clipped
    SRect rect;    // clipped
    SPoint anchor; // the caller's destination point
    int opacity;
    int progress;
};

template <int kDepth>
void _Pattern(const SDissolveArgs& a, uint32_t mask) {
    using P = SPx<kDepth>;
    constexpr int B = P::kBytes;
    const int w = a.rect.right - a.rect.left;
    const int h = a.rect.bottom - a.rect.top;
    const auto o = static_cast<uint8_t>(a.opacity);
    for (int j = 0; j < h; ++j) {
        const int y = a.point.y + j;
        const unsigned row = static_cast<unsigned>(int64_t{y} - a.anchor.y) & 3u;
        uint8_t* d = softfx::At(a.dstBits, a.dstPitch, a.point.x, y, B);
        const uint8_t* s = softfx::At(a.srcBits, a.srcPitch, a.rect.left, a.rect.top + j, B);
        const unsigned col0 = static_cast<unsigned>(int64_t{a.point.x} - a.anchor.x);
        for (int i = 0; i < w; ++i, d += B, s += B) {
            const unsigned cell = ((col0 + i) & 3u) + 4u * row;
            if (((mask >> (2 * cell + 1)) & 1u) == 0) continue;
            if (o == 255) P::Copy(d, s);
            else P::Blend(d, s, o);
        }
    }
}

template <int kDepth>
void _Blocks(const SDissolveArgs& a) {
    using P = SPx<kDepth>;
    constexpr int B = P::kBytes;
    CRandom random;
    const int w = a.rect.right - a.rect.left;
    const int h = a.rect.bottom - a.rect.top;
    const auto o = static_cast<uint8_t>(a.opacity);
    auto block = [&](int bx, int by, int bw, int bh) {
        // One draw per block, whatever the opacity.  A block shows when its draw is below
        // the progress, so that progress 0 shows none and 1024 all.
        const int r = static_cast<int>(random.Random(1024));
        if (r >= a.progress) return;
        for (int y = by; y < by + bh; ++y) {
            uint8_t* d = softfx::At(a.dstBits, a.dstPitch, a.point.x + bx, a.point.y + y, B);
            const uint8_t* s = softfx::At(a.srcBits, a.srcPitch, a.rect.left + bx, a.rect.top + y, B);
            for (int x = 0; x < bw; ++x, d += B, s += B) {
                if (o == 255) P::Copy(d, s);
                else P::Blend(d, s, o);
            }
        }
    };
    int by = 0;
    for (; by + 1 < h; by += 2) {
        int bx = 0;
        for (; bx + 1 < w; bx += 2) block(bx, by, 2, 2);
        if (bx < w) block(bx, by, 1, 2);
    }
    if (by < h) {
        int bx = 0;
        for (; bx + 1 < w; bx += 2) block(bx, by, 2, 1);
        if (bx < w) block(bx, by, 1, 1);
    }
}

template <int kDepth>
void _PatternKernel(const int (&levels)[16], int lead, uint8_t* dstBits, const uint8_t* srcBits, int dstPitch,
                    int srcPitch, SSize dstSize, SSize srcSize, const SPoint* dstPt, const SRect* srcRect,
                    const SRect* clip, int opacity, int progress) {
    if (dstBits == nullptr || srcBits == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    SPoint p = *dstPt;
    SRect r = *srcRect;
    if (!softfx::ClipBlock(dstSize, srcSize, &p, &r, *clip)) return;
    const int pr = SoftFxClampProgress(progress);
    const SDissolveArgs a{dstBits, srcBits, dstPitch, srcPitch, p, r, *dstPt, SoftFxClampOpacity(opacity), pr};
    _Pattern<kDepth>(a, _CellMask(levels, lead, pr));
}

template <int kDepth>
void _BlockKernel(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch, const SPoint* point,
                  const SRect* rect, int opacity, int progress) {
    if (dstBits == nullptr || srcBits == nullptr || point == nullptr || rect == nullptr) return;
    const SDissolveArgs a{dstBits, srcBits, dstPitch, srcPitch, *point, *rect, *point, SoftFxClampOpacity(opacity),
                          SoftFxClampProgress(progress)};
    _Blocks<kDepth>(a);
}

}  // namespace

#define PG_DISSOLVE_KERNELS(D)                                                                                      \
    void SoftFxDissolve7_##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch, SSize dstSize,   \
                             SSize srcSize, const SPoint* dstPt, const SRect* srcRect, const SRect* clip,           \
                             int opacity, int progress) {                                                          \
        _PatternKernel<D>(kOrderedLevels, kOrderedLead, dstBits, srcBits, dstPitch, srcPitch, dstSize, srcSize,     \
                          dstPt, srcRect, clip, opacity, progress);                                                \
    }                                                                                                              \
    void SoftFxPatternDissolve##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,             \
                                  SSize dstSize, SSize srcSize, const SPoint* dstPt, const SRect* srcRect,          \
                                  const SRect* clip, int opacity, int progress) {                                  \
        _PatternKernel<D>(kSpiralLevels, kSpiralLead, dstBits, srcBits, dstPitch, srcPitch, dstSize, srcSize,       \
                          dstPt, srcRect, clip, opacity, progress);                                                \
    }                                                                                                              \
    void SoftFxBlockDissolve##D(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,               \
                                const SPoint* point, const SRect* rect, const SRect*, int opacity, int progress) {  \
        _BlockKernel<D>(dstBits, srcBits, dstPitch, srcPitch, point, rect, opacity, progress);                      \
    }
PG_DISSOLVE_KERNELS(15)
PG_DISSOLVE_KERNELS(16)
PG_DISSOLVE_KERNELS(24)
PG_DISSOLVE_KERNELS(32)
#undef PG_DISSOLVE_KERNELS

namespace {

using PatternKernel = void (*)(uint8_t*, const uint8_t*, int, int, SSize, SSize, const SPoint*, const SRect*,
                               const SRect*, int, int);
using BlockKernel = void (*)(uint8_t*, const uint8_t*, int, int, const SPoint*, const SRect*, const SRect*, int, int);

constexpr PatternKernel kOrderedKernels[4] = {SoftFxDissolve7_15, SoftFxDissolve7_16, SoftFxDissolve7_24,
                                              SoftFxDissolve7_32};
constexpr PatternKernel kSpiralKernels[4] = {SoftFxPatternDissolve15, SoftFxPatternDissolve16,
                                             SoftFxPatternDissolve24, SoftFxPatternDissolve32};
constexpr BlockKernel kBlockKernels[4] = {SoftFxBlockDissolve15, SoftFxBlockDissolve16, SoftFxBlockDissolve24,
                                          SoftFxBlockDissolve32};

// Locked, opaque source, equal depths: the depth index, else -1.
int _CheckPair(const char* name, CSoftSurface* dst, CSoftSurface* src) {
    if (GetSurfaceKind(src->GetFormatFlags()) != SURFACE_KIND_OPAQUE) return -1;
    const int depth = src->GetBitDepth();
    if (dst->GetBitDepth() != depth) {
        DebugPrintf("%s() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", name, dst->GetBitDepth(), depth);
        return -1;
    }
    if (dst->GetBits() == nullptr || src->GetBits() == nullptr) return -1;
    return DepthToIndex(depth);
}

void _PatternDissolve(const char* name, const PatternKernel (&kernels)[4], CSoftSurface* dst, CSoftSurface* src,
                      const SPoint* dstPt, const SRect* srcRect, const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    const SSize ds = dst->GetSize();
    const SSize ss = src->GetSize();
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    const int index = _CheckPair(name, dst, src);
    if (index < 0) return;
    BuildBlendTables();
    kernels[index](dst->GetBits(), src->GetBits(), dst->GetPitch(), src->GetPitch(), ds, ss, dstPt, srcRect, clip,
                   opacity, progress);
}

}  // namespace

void SoftFxDissolve7(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                     const SRect* clip, int opacity, int progress) {
    _PatternDissolve("SoftFxDissolve7", kOrderedKernels, dst, src, dstPt, srcRect, clip, opacity, progress);
}

void SoftFxPatternDissolve(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                           const SRect* clip, int opacity, int progress) {
    _PatternDissolve("SoftFxPatternDissolve", kSpiralKernels, dst, src, dstPt, srcRect, clip, opacity, progress);
}

void SoftFxBlockDissolve(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPt, const SRect* srcRect,
                         const SRect* clip, int opacity, int progress) {
    if (dst == nullptr || src == nullptr || dstPt == nullptr || srcRect == nullptr || clip == nullptr) return;
    SPoint p = *dstPt;
    SRect r = *srcRect;
    ClipBltRects(dst, src, &p, &r, clip);
    softfx::CLockPair locks(dst, src);
    if (!locks.Locked()) return;
    const int index = _CheckPair("SoftFxBlockDissolve", dst, src);
    if (index < 0 || r.right - r.left < 1 || r.bottom - r.top < 1) return;
    BuildBlendTables();
    kBlockKernels[index](dst->GetBits(), src->GetBits(), dst->GetPitch(), src->GetPitch(), &p, &r, clip, opacity,
                         progress);
}
