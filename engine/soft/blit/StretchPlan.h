#pragma once
// What both stretch filters work out once per call before touching a pixel: for each
// axis, the run of destination columns (rows) that is visible (inside the clip, the
// destination rectangle and the destination surface, and sampling a source position
// inside the source rectangle and the source surface) and where each of them samples;
// and the glue both share: a kernel's arguments gathered into SBuffers.  Internal to the
// blit module.
//
// Everything is computed in 64 bits: rectangles may hold any 32-bit values, and their
// extents and fixed-point positions do not fit in 32 bits.
#include <algorithm>
#include <cstdint>

#include "engine/soft/blit/StretchKernels.h"
#include "engine/soft/blit/StretchPixels.h"
#include "platform/sys/Geometry.h"

namespace stretch_detail {

// Destination indices first..last (inclusive) of one axis; empty when last < first.
struct SRun {
    int32_t first = 0;
    int32_t last = -1;
    bool Empty() const { return last < first; }
    int32_t Count() const { return Empty() ? 0 : last - first + 1; }
};

// One axis of a request: the destination rectangle [d0, d1), the clip [c0, c1), the
// destination surface [0, dSize), the source rectangle [s0, s1) and the source surface
// [0, sSize).
struct SAxis {
    int64_t d0, d1, c0, c1, dSize;
    int64_t s0, s1, sSize;
};

inline SAxis HorizontalAxis(const SRect& d, const SRect& s, const SRect& c, SSize ds, SSize ss) {
    return SAxis{d.left, d.right, c.left, c.right, ds.cx, s.left, s.right, ss.cx};
}
inline SAxis VerticalAxis(const SRect& d, const SRect& s, const SRect& c, SSize ds, SSize ss) {
    return SAxis{d.top, d.bottom, c.top, c.bottom, ds.cy, s.top, s.bottom, ss.cy};
}

// True when both rectangles span at least 2 pixels on this axis (the steps divide by
// the destination extent - 1).
inline bool IsStretchable(const SAxis& a) { return a.d1 - a.d0 >= 2 && a.s1 - a.s0 >= 2; }

// The visible run of an axis.  offset(k) is the source index, counted from s0, that
// destination index d0 + k samples; it must not decrease as k grows, which makes the
// visible indices one contiguous run, found by two binary searches.
template <class Offset>
SRun FindVisibleRun(const SAxis& a, const Offset& offset) {
    const int64_t lo = std::max({a.d0, a.c0, int64_t{0}});
    const int64_t hi = std::min({a.d1, a.c1, a.dSize});  // exclusive
    const int64_t sLo = std::max(a.s0, int64_t{0});
    const int64_t sHi = std::min(a.s1, a.sSize);  // exclusive
    if (lo >= hi || sLo >= sHi) {
        return SRun{};
    }
    auto source = [&](int64_t x) { return a.s0 + offset(x - a.d0); };
    // First index whose source is not left of the source area.
    int64_t l = lo, r = hi;
    while (l < r) {
        const int64_t m = l + (r - l) / 2;
        if (source(m) >= sLo) {
            r = m;
        } else {
            l = m + 1;
        }
    }
    const int64_t first = l;
    // First index whose source is right of the source area.
    l = first;
    r = hi;
    while (l < r) {
        const int64_t m = l + (r - l) / 2;
        if (source(m) >= sHi) {
            r = m;
        } else {
            l = m + 1;
        }
    }
    const int64_t last = l - 1;
    if (first > last) {
        return SRun{};
    }
    return SRun{static_cast<int32_t>(first), static_cast<int32_t>(last)};
}

// Nearest neighbour: index k samples floor(k * (sourceExtent - 1) / (destExtent - 1)).
// The product stays below 2^64 for any 32-bit rectangles.
struct SNearestOffset {
    uint64_t numerator;
    uint64_t denominator;
    int64_t operator()(int64_t k) const {
        return static_cast<int64_t>(static_cast<uint64_t>(k) * numerator / denominator);
    }
};

// Bilinear: index k lies at the 16.16 position k * step; the integer part is the tap.
// k * step stays below 2^49 (k < destExtent and step <= (sourceExtent - 1) * 65536 /
// (destExtent - 1)).
struct SBilinearPosition {
    int64_t step;
    int64_t Position(int64_t k) const { return k * step; }
    int64_t operator()(int64_t k) const { return Position(k) >> 16; }
};

// The plan of one call: both axes, the mapping of each, and the visible columns and
// rows.  Nothing is drawn unless `visible`: an axis spans fewer than 2 pixels, or no
// destination pixel is visible.
template <class Map>
struct SStretchPlan {
    SAxis ax{};
    SAxis ay{};
    Map mapX{};
    Map mapY{};
    SRun cols;
    SRun rows;
    bool visible = false;
};

// makeMap(sourceExtent, destExtent) gives the mapping of one axis (SNearestOffset,
// SBilinearPosition).
template <class MakeMap>
auto PlanStretch(const SRect& dstRect, const SRect& srcRect, const SRect& clip, SSize dstSize, SSize srcSize,
                 const MakeMap& makeMap) {
    SStretchPlan<decltype(makeMap(int64_t{}, int64_t{}))> plan;
    plan.ax = HorizontalAxis(dstRect, srcRect, clip, dstSize, srcSize);
    plan.ay = VerticalAxis(dstRect, srcRect, clip, dstSize, srcSize);
    if (!IsStretchable(plan.ax) || !IsStretchable(plan.ay)) {
        return plan;
    }
    plan.mapX = makeMap(plan.ax.s1 - plan.ax.s0, plan.ax.d1 - plan.ax.d0);
    plan.mapY = makeMap(plan.ay.s1 - plan.ay.s0, plan.ay.d1 - plan.ay.d0);
    plan.cols = FindVisibleRun(plan.ax, plan.mapX);
    if (plan.cols.Empty()) {
        return plan;
    }
    plan.rows = FindVisibleRun(plan.ay, plan.mapY);
    plan.visible = !plan.rows.Empty();
    return plan;
}

// The buffers of each source kind, from a kernel's arguments.
inline SBuffers OpaqueBuffers(uint8_t* dst, const uint8_t* src, int dstPitch, int srcPitch) {
    return SBuffers{dst, src, nullptr, nullptr, dstPitch, srcPitch, 0, 0, 0};
}
inline SBuffers ColorKeyBuffers(uint8_t* dst, const uint8_t* src, uint32_t key, int dstPitch, int srcPitch) {
    SBuffers b = OpaqueBuffers(dst, src, dstPitch, srcPitch);
    b.key = key;
    return b;
}
inline SBuffers AlphaBuffers(uint8_t* dst, const uint8_t* src, const uint8_t* srcAlpha, int dstPitch, int srcPitch,
                             int srcAlphaPitch) {
    SBuffers b = OpaqueBuffers(dst, src, dstPitch, srcPitch);
    b.srcAlpha = srcAlpha;
    b.srcAlphaPitch = srcAlphaPitch;
    return b;
}
inline SBuffers AlphaToAlphaBuffers(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, const uint8_t* srcAlpha,
                                    int dstPitch, int srcPitch, int dstAlphaPitch, int srcAlphaPitch) {
    SBuffers b = AlphaBuffers(dst, src, srcAlpha, dstPitch, srcPitch, srcAlphaPitch);
    b.dstAlpha = dstAlpha;
    b.dstAlphaPitch = dstAlphaPitch;
    return b;
}

// True when the destination and source pixel buffers cannot share a byte (both pitches
// positive, the ranges apart).  Kernels that read ahead of what they write, or reuse
// what they wrote, need it; a surface stretched onto itself goes pixel by pixel.
inline bool BuffersApart(const SBuffers& b, SSize dstSize, SSize srcSize, int bytes) {
    if (b.dstPitch <= 0 || b.srcPitch <= 0 || dstSize.cx <= 0 || dstSize.cy <= 0 || srcSize.cx <= 0 ||
        srcSize.cy <= 0) {
        return false;
    }
    const auto d = reinterpret_cast<uintptr_t>(b.dst), s = reinterpret_cast<uintptr_t>(b.src);
    const uintptr_t dEnd = d + uintptr_t(b.dstPitch) * uintptr_t(dstSize.cy - 1) + uintptr_t(dstSize.cx) * bytes;
    const uintptr_t sEnd = s + uintptr_t(b.srcPitch) * uintptr_t(srcSize.cy - 1) + uintptr_t(srcSize.cx) * bytes;
    return dEnd <= s || sEnd <= d;
}

}  // namespace stretch_detail

// Defines the exported kernel `name` of one source kind: its arguments gathered into
// SBuffers and handed to filter<depth, kind, blend>(buffers, dstRect, srcRect, clip,
// dstSize, srcSize, opacity), a function template of the including file.
#define PG_STRETCH_DEFINE_OPAQUE(filter, name, depth, blend)                                                  \
    void name(PG_STRETCH_OPAQUE_ARGS) {                                                                       \
        using namespace stretch_detail;                                                                       \
        (void)flags;                                                                                          \
        const SBuffers b = OpaqueBuffers(dst, src, dstPitch, srcPitch);                                       \
        filter<depth, EKind::Opaque, blend>(b, dstRect, srcRect, clip, dstSize, srcSize, opacity);            \
    }
#define PG_STRETCH_DEFINE_COLORKEY(filter, name, depth, blend)                                                \
    void name(PG_STRETCH_COLORKEY_ARGS) {                                                                     \
        using namespace stretch_detail;                                                                       \
        (void)flags;                                                                                          \
        const SBuffers b = ColorKeyBuffers(dst, src, key, dstPitch, srcPitch);                                \
        filter<depth, EKind::ColorKey, blend>(b, dstRect, srcRect, clip, dstSize, srcSize, opacity);          \
    }
#define PG_STRETCH_DEFINE_ALPHA(filter, name, depth, blend)                                                   \
    void name(PG_STRETCH_ALPHA_ARGS) {                                                                        \
        using namespace stretch_detail;                                                                       \
        (void)flags;                                                                                          \
        const SBuffers b = AlphaBuffers(dst, src, srcAlpha, dstPitch, srcPitch, srcAlphaPitch);               \
        filter<depth, EKind::Alpha, blend>(b, dstRect, srcRect, clip, dstSize, srcSize, opacity);             \
    }
#define PG_STRETCH_DEFINE_ALPHATOALPHA(filter, name, depth, blend)                                            \
    void name(PG_STRETCH_ALPHATOALPHA_ARGS) {                                                                 \
        using namespace stretch_detail;                                                                       \
        (void)flags;                                                                                          \
        const SBuffers b = AlphaToAlphaBuffers(dst, src, dstAlpha, srcAlpha, dstPitch, srcPitch,              \
                                               dstAlphaPitch, srcAlphaPitch);                                 \
        filter<depth, EKind::AlphaToAlpha, blend>(b, dstRect, srcRect, clip, dstSize, srcSize, opacity);      \
    }
