#include "engine/soft/blit/SoftStretch.h"

#include <algorithm>

#include "engine/base/Geometry.h"
#include "engine/base/Log.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/StretchKernels.h"

namespace {

int _ClampOpacity(int opacity) { return std::clamp(opacity, 0, 255); }

// Extents in 64 bits: a rectangle may span more than the 32-bit range.
int64_t _Width(const SRect& r) { return int64_t{r.right} - r.left; }
int64_t _Height(const SRect& r) { return int64_t{r.bottom} - r.top; }

// What StretchBlt and StretchDraw accept: right and bottom not negative, a positive
// width and height.
bool _IsAcceptedRect(const SRect& r) { return r.right >= 0 && r.bottom >= 0 && r.right > r.left && r.bottom > r.top; }

// Both surfaces locked, with everything a kernel is given.
struct SLockedPair {
    uint8_t* dst;
    const uint8_t* src;
    uint8_t* dstAlpha;
    const uint8_t* srcAlpha;
    int dstPitch, srcPitch, dstAlphaPitch, srcAlphaPitch;
    SSize dstSize, srcSize;
    int depthIndex;  // 0..3 for 15, 16, 24, 32 bits
    int opacity;     // 0..255
};

enum : unsigned { NEED_SOURCE_ALPHA = 1, NEED_DEST_ALPHA = 2 };

// The frame of every per-kind dispatcher: check the request, lock the destination, then
// the source, gather the memory and call `draw`; the locks are released in reverse.
template <class Draw>
void _RunLocked(const char* name, CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                const SRect* sourceRect, const SRect* clip, int opacity, unsigned needs, Draw&& draw) {
    if (dest == nullptr || source == nullptr || destRect == nullptr || sourceRect == nullptr || clip == nullptr) {
        return;
    }
    if (!dest->IsCreated() || !source->IsCreated()) {
        return;
    }
    const int depth = source->GetBitDepth();
    const int depthIndex = DepthToIndex(depth);
    if (depthIndex < 0) {
        return;
    }
    if (dest->GetBitDepth() != depth) {
        DebugPrintf("%s() 転送元と転送先のビット深度が違う[dst:%d][src:%d]", name, dest->GetBitDepth(), depth);
        return;
    }
    SLockedPair p{};
    p.dstSize = dest->GetSize();
    p.srcSize = source->GetSize();
    CSurfaceLock destLock(dest);
    if (!destLock.locked) {
        return;
    }
    CSurfaceLock sourceLock(source);
    if (!sourceLock.locked) {
        return;
    }
    p.dst = dest->GetBits();
    p.src = source->GetBits();
    p.dstPitch = dest->GetPitch();
    p.srcPitch = source->GetPitch();
    if ((needs & NEED_SOURCE_ALPHA) != 0) {
        p.srcAlpha = source->GetAlphaBits();
        p.srcAlphaPitch = source->GetAlphaPitch();
    }
    if ((needs & NEED_DEST_ALPHA) != 0) {
        p.dstAlpha = dest->GetAlphaBits();
        p.dstAlphaPitch = dest->GetAlphaPitch();
    }
    if (p.dst == nullptr || p.src == nullptr || ((needs & NEED_SOURCE_ALPHA) != 0 && p.srcAlpha == nullptr) ||
        ((needs & NEED_DEST_ALPHA) != 0 && p.dstAlpha == nullptr)) {
        DebugPrintf("%s() 画素またはアルファ面を得られない", name);
        return;
    }
    p.depthIndex = depthIndex;
    p.opacity = _ClampOpacity(opacity);
    // The tables are built at start-up; a stretch before that still blends correctly.
    BuildBlendTables();
    draw(p);
}

// The colour key of a source in the form its kernels compare.
uint32_t _KernelKey(const CSoftSurface& source, int depthIndex) {
    const uint32_t key = source.GetColorKey();
    switch (depthIndex) {
    case 0: return PackColor555(key);
    case 1: return PackColor565(key);
    case 2: return key & 0x00FFFFFFu;
    default: return key;
    }
}

// Kernel tables: [depth index][0 full opacity, 1 Blend].
struct SOpaqueTable {
    SoftStretchOpaqueKernel k[4][2];
};
struct SColorKeyTable {
    SoftStretchColorKeyKernel k[4][2];
};
struct SAlphaTable {
    SoftStretchAlphaKernel k[4][2];
};
struct SAlphaToAlphaTable {
    SoftStretchAlphaToAlphaKernel k[4][2];
};

constexpr SOpaqueTable kNearestOpaque{{
    {SoftStretchNearestOpaque15_16, SoftStretchNearestOpaque15Blend},
    {SoftStretchNearestOpaque15_16, SoftStretchNearestOpaque16Blend},
    {SoftStretchNearestOpaque24, SoftStretchNearestOpaque24Blend},
    {SoftStretchNearestOpaque32, SoftStretchNearestOpaque32Blend},
}};
constexpr SColorKeyTable kNearestColorKey{{
    {SoftStretchNearestColorKey15_16, SoftStretchNearestColorKey15Blend},
    {SoftStretchNearestColorKey15_16, SoftStretchNearestColorKey16Blend},
    {SoftStretchNearestColorKey24, SoftStretchNearestColorKey24Blend},
    {SoftStretchNearestColorKey32, SoftStretchNearestColorKey32Blend},
}};
constexpr SAlphaTable kNearestAlpha{{
    {SoftStretchNearestAlpha15, SoftStretchNearestAlpha15Blend},
    {SoftStretchNearestAlpha16, SoftStretchNearestAlpha16Blend},
    {SoftStretchNearestAlpha24, SoftStretchNearestAlpha24Blend},
    {SoftStretchNearestAlpha32, SoftStretchNearestAlpha32Blend},
}};
constexpr SAlphaToAlphaTable kNearestAlphaToAlpha{{
    {SoftStretchNearestAlphaToAlpha15, SoftStretchNearestAlphaToAlpha15Blend},
    {SoftStretchNearestAlphaToAlpha16, SoftStretchNearestAlphaToAlpha16Blend},
    {SoftStretchNearestAlphaToAlpha24, SoftStretchNearestAlphaToAlpha24Blend},
    {SoftStretchNearestAlphaToAlpha32, SoftStretchNearestAlphaToAlpha32Blend},
}};
constexpr SOpaqueTable kBilinearOpaque{{
    {SoftStretchBilinearOpaque15, SoftStretchBilinearOpaque15Blend},
    {SoftStretchBilinearOpaque16, SoftStretchBilinearOpaque16Blend},
    {SoftStretchBilinearOpaque24, SoftStretchBilinearOpaque24Blend},
    {SoftStretchBilinearOpaque32, SoftStretchBilinearOpaque32Blend},
}};
constexpr SColorKeyTable kBilinearColorKey{{
    {SoftStretchBilinearColorKey15, SoftStretchBilinearColorKey15Blend},
    {SoftStretchBilinearColorKey16, SoftStretchBilinearColorKey16Blend},
    {SoftStretchBilinearColorKey24, SoftStretchBilinearColorKey24Blend},
    {SoftStretchBilinearColorKey32, SoftStretchBilinearColorKey32Blend},
}};
constexpr SAlphaTable kBilinearAlpha{{
    {SoftStretchBilinearAlpha15, SoftStretchBilinearAlpha15Blend},
    {SoftStretchBilinearAlpha16, SoftStretchBilinearAlpha16Blend},
    {SoftStretchBilinearAlpha24, SoftStretchBilinearAlpha24Blend},
    {SoftStretchBilinearAlpha32, SoftStretchBilinearAlpha32Blend},
}};
constexpr SAlphaToAlphaTable kBilinearAlphaToAlpha{{
    {SoftStretchBilinearAlphaToAlpha15, SoftStretchBilinearAlphaToAlpha15Blend},
    {SoftStretchBilinearAlphaToAlpha16, SoftStretchBilinearAlphaToAlpha16Blend},
    {SoftStretchBilinearAlphaToAlpha24, SoftStretchBilinearAlphaToAlpha24Blend},
    {SoftStretchBilinearAlphaToAlpha32, SoftStretchBilinearAlphaToAlpha32Blend},
}};

int _Variant(const SLockedPair& p) { return p.opacity == 255 ? 0 : 1; }

void _Opaque(const char* name, const SOpaqueTable& table, CSoftSurface* dest, CSoftSurface* source,
             const SRect* destRect, const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _RunLocked(name, dest, source, destRect, sourceRect, clip, opacity, 0, [&](const SLockedPair& p) {
        table.k[p.depthIndex][_Variant(p)](p.dst, p.src, *destRect, *sourceRect, *clip, p.dstPitch, p.srcPitch,
                                           p.dstSize, p.srcSize, p.opacity, flags);
    });
}

void _ColorKey(const char* name, const SColorKeyTable& table, CSoftSurface* dest, CSoftSurface* source,
               const SRect* destRect, const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _RunLocked(name, dest, source, destRect, sourceRect, clip, opacity, 0, [&](const SLockedPair& p) {
        table.k[p.depthIndex][_Variant(p)](p.dst, p.src, _KernelKey(*source, p.depthIndex), *destRect, *sourceRect,
                                           *clip, p.dstPitch, p.srcPitch, p.dstSize, p.srcSize, p.opacity, flags);
    });
}

void _Alpha(const char* name, const SAlphaTable& table, CSoftSurface* dest, CSoftSurface* source,
            const SRect* destRect, const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _RunLocked(name, dest, source, destRect, sourceRect, clip, opacity, NEED_SOURCE_ALPHA, [&](const SLockedPair& p) {
        table.k[p.depthIndex][_Variant(p)](p.dst, p.src, p.srcAlpha, *destRect, *sourceRect, *clip, p.dstPitch,
                                           p.srcPitch, p.srcAlphaPitch, p.dstSize, p.srcSize, p.opacity, flags);
    });
}

void _AlphaToAlpha(const char* name, const SAlphaToAlphaTable& table, CSoftSurface* dest, CSoftSurface* source,
                   const SRect* destRect, const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _RunLocked(name, dest, source, destRect, sourceRect, clip, opacity, NEED_SOURCE_ALPHA | NEED_DEST_ALPHA,
               [&](const SLockedPair& p) {
                   table.k[p.depthIndex][_Variant(p)](p.dst, p.src, p.dstAlpha, p.srcAlpha, *destRect, *sourceRect,
                                                      *clip, p.dstPitch, p.srcPitch, p.dstAlphaPitch,
                                                      p.srcAlphaPitch, p.dstSize, p.srcSize, p.opacity, flags);
               });
}

using PerKindDispatcher = void (*)(CSoftSurface*, CSoftSurface*, const SRect*, const SRect*, const SRect*, int,
                                   uint32_t);
struct SFilter {
    PerKindDispatcher opaque, colorKey, alpha, alphaToAlpha;
};

// The first stage, the same for both filters.
void _FirstStage(const SFilter& filter, CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                 const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    if (dest == nullptr || source == nullptr || destRect == nullptr || sourceRect == nullptr || clip == nullptr) {
        return;
    }
    const int o = _ClampOpacity(opacity);
    // A single row or column cannot be stretched (only an equal-size request, which
    // StretchBlt sends to Blt, draws one).
    if (_Width(*sourceRect) < 2 || _Height(*sourceRect) < 2 || _Width(*destRect) < 2 || _Height(*destRect) < 2) {
        return;
    }
    switch (GetSurfaceKind(source->GetFormatFlags())) {
    case SURFACE_KIND_OPAQUE:
        filter.opaque(dest, source, destRect, sourceRect, clip, o, flags);
        break;
    case SURFACE_KIND_COLORKEY:
        filter.colorKey(dest, source, destRect, sourceRect, clip, o, flags);
        break;
    case SURFACE_KIND_ALPHA: {
        const int destKind = GetSurfaceKind(dest->GetFormatFlags());
        if (destKind < SURFACE_KIND_ALPHA) {
            filter.alpha(dest, source, destRect, sourceRect, clip, o, flags);
        } else if (destKind == SURFACE_KIND_ALPHA) {
            filter.alphaToAlpha(dest, source, destRect, sourceRect, clip, o, flags);
        }
        break;
    }
    default:
        break;
    }
}

constexpr SFilter kNearest{SoftStretchNearestOpaque, SoftStretchNearestColorKey, SoftStretchNearestAlpha,
                           SoftStretchNearestAlphaToAlpha};
constexpr SFilter kBilinear{SoftStretchBilinearOpaque, SoftStretchBilinearColorKey, SoftStretchBilinearAlpha,
                            SoftStretchBilinearAlphaToAlpha};

}  // namespace

void SoftStretchNearestOpaque(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                              const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _Opaque("SoftStretchNearestOpaque", kNearestOpaque, dest, source, destRect, sourceRect, clip, opacity, flags);
}
void SoftStretchNearestColorKey(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _ColorKey("SoftStretchNearestColorKey", kNearestColorKey, dest, source, destRect, sourceRect, clip, opacity,
              flags);
}
void SoftStretchNearestAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                             const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _Alpha("SoftStretchNearestAlpha", kNearestAlpha, dest, source, destRect, sourceRect, clip, opacity, flags);
}
void SoftStretchNearestAlphaToAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                    const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _AlphaToAlpha("SoftStretchNearestAlphaToAlpha", kNearestAlphaToAlpha, dest, source, destRect, sourceRect, clip,
                  opacity, flags);
}
void SoftStretchBilinearOpaque(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                               const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _Opaque("SoftStretchBilinearOpaque", kBilinearOpaque, dest, source, destRect, sourceRect, clip, opacity, flags);
}
void SoftStretchBilinearColorKey(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                 const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _ColorKey("SoftStretchBilinearColorKey", kBilinearColorKey, dest, source, destRect, sourceRect, clip, opacity,
              flags);
}
void SoftStretchBilinearAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                              const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _Alpha("SoftStretchBilinearAlpha", kBilinearAlpha, dest, source, destRect, sourceRect, clip, opacity, flags);
}
void SoftStretchBilinearAlphaToAlpha(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect,
                                     const SRect* sourceRect, const SRect* clip, int opacity, uint32_t flags) {
    _AlphaToAlpha("SoftStretchBilinearAlphaToAlpha", kBilinearAlphaToAlpha, dest, source, destRect, sourceRect, clip,
                  opacity, flags);
}

void SoftStretchNearest(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                        const SRect* clip, int opacity, uint32_t flags) {
    _FirstStage(kNearest, dest, source, destRect, sourceRect, clip, opacity, flags);
}

void SoftStretchBilinear(CSoftSurface* dest, CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                         const SRect* clip, int opacity, uint32_t flags) {
    _FirstStage(kBilinear, dest, source, destRect, sourceRect, clip, opacity, flags);
}

SRect IntersectStretchRect(const SRect& destRect, const SRect& clip) {
    SRect drawn{};
    IntersectRect(&drawn, destRect, clip);
    return drawn;
}

void CSoftSurface::StretchBlt(CSoftSurface* source, SRect destRect, SRect sourceRect, SRect clip, int opacity) {
    if (source == nullptr || !_IsAcceptedRect(destRect) || !_IsAcceptedRect(sourceRect) || !_IsAcceptedRect(clip)) {
        return;
    }
    if (_Width(destRect) == _Width(sourceRect) && _Height(destRect) == _Height(sourceRect)) {
        const SPoint point{destRect.left, destRect.top};
        Blt(source, &point, &sourceRect, &clip, opacity, 0);
        return;
    }
    if (source->smooth) {
        StretchBltBilinear(source, &destRect, &sourceRect, &clip, opacity, 0);
    } else {
        StretchBltNearest(source, &destRect, &sourceRect, &clip, opacity, 0);
    }
}

void CSoftSurface::StretchDraw(CSoftSurface* source, SRect destRect, SRect sourceRect, int opacity) {
    if (source == nullptr || !_IsAcceptedRect(destRect) || !_IsAcceptedRect(sourceRect)) {
        return;
    }
    const SSize size = GetSize();
    StretchBlt(source, destRect, sourceRect, SRect{0, 0, size.cx, size.cy}, opacity);
}

void CSoftSurface::StretchBlt(CSoftSurface* source, int left, int top, int right, int bottom, int opacity) {
    if (source == nullptr) {
        return;
    }
    const SSize sourceSize = source->GetSize();
    StretchDraw(source, SRect{left, top, right, bottom}, SRect{0, 0, sourceSize.cx, sourceSize.cy}, opacity);
}

void CSoftSurface::StretchBltNearest(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                                     const SRect* clip, int opacity, uint32_t flags) {
    if (destRect == nullptr || sourceRect == nullptr || clip == nullptr) {
        DebugPrintf("CSoftSurface::StretchBltNearest() 矩形が指定されていない");
        return;
    }
    SoftStretchNearest(this, source, destRect, sourceRect, clip, opacity, flags);
    OnStretchBlt(source, destRect, sourceRect, clip, opacity, flags, IntersectStretchRect(*destRect, *clip));
}

void CSoftSurface::StretchBltBilinear(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                                      const SRect* clip, int opacity, uint32_t flags) {
    if (destRect == nullptr || sourceRect == nullptr || clip == nullptr) {
        DebugPrintf("CSoftSurface::StretchBltBilinear() 矩形が指定されていない");
        return;
    }
    SoftStretchBilinear(this, source, destRect, sourceRect, clip, opacity, flags);
    OnStretchBlt(source, destRect, sourceRect, clip, opacity, flags, IntersectStretchRect(*destRect, *clip));
}
