#pragma once
// Pixel access and surface locking shared by the single-surface effect kernels.
// Internal to the effect module.
#include <cstdint>
#include <cstring>

#include "engine/base/Geometry.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"

namespace softfx {

inline uint16_t* P16(uint8_t* p) { return reinterpret_cast<uint16_t*>(p); }
inline const uint16_t* P16(const uint8_t* p) { return reinterpret_cast<const uint16_t*>(p); }

// One pixel format: its size, how a pixel is read as a number, copied, blended and
// combined onto a destination with its own alpha, and how a colour key becomes a pixel.
template <int kDepth>
struct SPx;

template <>
struct SPx<15> {
    static constexpr int kBytes = 2;
    static uint32_t Read(const uint8_t* p) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    static void Copy(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 2); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel15(P16(d), P16(s), a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa) { CombinePixelAlpha15(P16(d), P16(s), da, sa); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa, uint8_t o) {
        CombinePixelAlpha15Blend(P16(d), P16(s), da, sa, o);
    }
    static uint32_t Key(uint32_t colour) { return PackColor555(colour); }
};

template <>
struct SPx<16> {
    static constexpr int kBytes = 2;
    static uint32_t Read(const uint8_t* p) { return SPx<15>::Read(p); }
    static void Copy(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 2); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel16(P16(d), P16(s), a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa) { CombinePixelAlpha16(P16(d), P16(s), da, sa); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa, uint8_t o) {
        CombinePixelAlpha16Blend(P16(d), P16(s), da, sa, o);
    }
    static uint32_t Key(uint32_t colour) { return PackColor565(colour); }
};

template <>
struct SPx<24> {
    static constexpr int kBytes = 3;
    static uint32_t Read(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16; }
    static void Copy(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 3); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel24(d, s, a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa) { CombinePixelAlpha24(d, s, da, sa); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa, uint8_t o) {
        CombinePixelAlpha24Blend(d, s, da, sa, o);
    }
    static uint32_t Key(uint32_t colour) { return colour & 0x00FFFFFFu; }
};

template <>
struct SPx<32> {
    static constexpr int kBytes = 4;
    static uint32_t Read(const uint8_t* p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static void Copy(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 4); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel32(d, s, a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa) { CombinePixelAlpha32(d, s, da, sa); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t sa, uint8_t o) {
        CombinePixelAlpha32Blend(d, s, da, sa, o);
    }
    static uint32_t Key(uint32_t colour) { return colour; }
};

// A colour key as a pixel of the given depth (a depth other than 15/16/24 as 32).
inline uint32_t PackKey(int depth, uint32_t colour) {
    switch (depth) {
    case 15: return SPx<15>::Key(colour);
    case 16: return SPx<16>::Key(colour);
    case 24: return SPx<24>::Key(colour);
    default: return SPx<32>::Key(colour);
    }
}

// The destination locked first, then the source (only when the first lock held);
// released in reverse.
class CLockPair {
public:
    // A lock of no surface takes nothing and releases nothing.
    CLockPair(CSoftSurface* dst, CSoftSurface* src) : m_Dst(dst), m_Src(m_Dst.locked ? src : nullptr) {}
    bool Locked() const { return m_Dst.locked && m_Src.locked; }

private:
    CSurfaceLock m_Dst;
    CSurfaceLock m_Src;
};

// Address of pixel (x, y) of a buffer.
inline uint8_t* At(uint8_t* bits, intptr_t pitch, int64_t x, int64_t y, int bytes) {
    return bits + y * pitch + x * bytes;
}
inline const uint8_t* At(const uint8_t* bits, intptr_t pitch, int64_t x, int64_t y, int bytes) {
    return bits + y * pitch + x * bytes;
}

// The intersection of two rectangles; zeros when empty.
inline SRect Intersect(const SRect& a, const SRect& b) {
    SRect r;
    IntersectRect(&r, a, b);
    return r;
}

// The bounding box of two rectangles, an empty one not counting.
inline SRect Union(const SRect& a, const SRect& b) {
    SRect r;
    UnionRect(&r, a, b);
    return r;
}

inline int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : v));
}

// A block at point p of source rectangle r, cut to the clip rectangle, the source and
// the destination; destination and source edges move together.  False (and zeros) when
// nothing is left.
inline bool ClipBlock(SSize ds, SSize ss, SPoint* p, SRect* r, const SRect& clip) {
    int64_t x = p->x, y = p->y, l = r->left, t = r->top, rr = r->right, b = r->bottom;
    const int64_t cl = clip.left > 0 ? clip.left : 0, ct = clip.top > 0 ? clip.top : 0;
    const int64_t cr = clip.right < ds.cx ? clip.right : ds.cx, cb = clip.bottom < ds.cy ? clip.bottom : ds.cy;
    if (x < cl) { l += cl - x; x = cl; }
    if (y < ct) { t += ct - y; y = ct; }
    if (l < 0) { x -= l; l = 0; }
    if (t < 0) { y -= t; t = 0; }
    if (rr > ss.cx) rr = ss.cx;
    if (b > ss.cy) b = ss.cy;
    if (x + (rr - l) > cr) rr = l + (cr - x);
    if (y + (b - t) > cb) b = t + (cb - y);
    if (rr - l < 1 || b - t < 1 || x < cl || y < ct) {
        *p = SPoint{};
        *r = SRect{};
        return false;
    }
    *p = SPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    *r = SRect{static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(rr), static_cast<int32_t>(b)};
    return true;
}

}  // namespace softfx
