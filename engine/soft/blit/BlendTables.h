#pragma once
// Blend tables and the per-pixel blend primitives every blending kernel is built on.
//
// 15- and 16-bpp pixels are never unpacked for blending: a whole pixel is scaled by one
// look-up indexed by (weight level << 16) | pixel, and the two scaled pixels are added.
// Levels of the source and the destination always sum to at most 31, and each channel is
// truncated on its own, so the sum never carries from one channel into the next.
// 24- and 32-bpp pixels are blended channel by channel through the 256 x 256 product table.
#include <cstdint>
#include <cstring>

inline constexpr int kBlendLevels = 32;

// (level << 16) | pixel; level 0 is black, level 31 the pixel itself (bit 15 dropped at 15 bpp).
extern uint16_t BlendTable565[kBlendLevels * 65536];
extern uint16_t BlendTable555[kBlendLevels * 65536];
// (row << 8) | column = row * column / 255.
extern uint8_t ProductTable[256 * 256];

// Fills the three tables.  Safe to call more than once and from any thread: the tables
// are built by the first call, later calls return at once.
void BuildBlendTables();
// True once the tables are complete.
bool AreBlendTablesBuilt();

namespace blend_detail {
inline uint8_t Product(unsigned row, unsigned column) { return ProductTable[(row << 8) | column]; }
inline uint16_t Scale555(unsigned level, uint16_t pixel) { return BlendTable555[(level << 16) | pixel]; }
inline uint16_t Scale565(unsigned level, uint16_t pixel) { return BlendTable565[(level << 16) | pixel]; }

// 16-bit pixels are read and written through memcpy: a surface's pitch may be odd, so a
// pixel need not lie on a 2-byte boundary.  The copies compile to plain 16-bit moves.
inline uint16_t Load16(const uint16_t* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store16(uint16_t* p, uint16_t v) { std::memcpy(p, &v, sizeof v); }

inline void BlendTable16(const uint16_t* table, uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    if (alpha == 0) {
        return;
    }
    const uint16_t d = Load16(dst);
    const uint16_t s = Load16(src);
    if (d == s) {
        return;
    }
    if (alpha == 255) {
        Store16(dst, s);
        return;
    }
    Store16(dst,
            static_cast<uint16_t>(table[((255u - alpha) >> 3) << 16 | d] + table[(unsigned(alpha) >> 3) << 16 | s]));
}

inline void BlendBytes3(uint8_t* dst, const uint8_t* src, unsigned alpha) {
    const unsigned inv = 255u - alpha;
    dst[0] = static_cast<uint8_t>(Product(alpha, src[0]) + Product(inv, dst[0]));
    dst[1] = static_cast<uint8_t>(Product(alpha, src[1]) + Product(inv, dst[1]));
    dst[2] = static_cast<uint8_t>(Product(alpha, src[2]) + Product(inv, dst[2]));
}

// The weights of a source with alpha a laid over a destination whose own alpha is A > 0:
// the part of the destination that shows through, the new alpha and both colour weights.
struct SCombineWeights {
    unsigned newAlpha;
    unsigned srcWeight;
    unsigned dstWeight;
};
inline SCombineWeights CombineWeights(unsigned dstAlpha, unsigned srcAlpha) {
    const unsigned t = Product(dstAlpha, 255u - srcAlpha);
    const unsigned n = t + srcAlpha;  // at least srcAlpha > 0
    return SCombineWeights{n, srcAlpha * 255u / n, t * 255u / n};
}

inline void Combine16(const uint16_t* table, uint16_t* dst, const uint16_t* src, uint8_t* dstAlpha, uint8_t srcAlpha) {
    if (srcAlpha == 0) {
        return;
    }
    if (*dstAlpha == 0) {
        Store16(dst, Load16(src));
        *dstAlpha = srcAlpha;
        return;
    }
    const SCombineWeights w = CombineWeights(*dstAlpha, srcAlpha);
    *dstAlpha = static_cast<uint8_t>(w.newAlpha);
    Store16(dst, static_cast<uint16_t>(table[(w.dstWeight >> 3) << 16 | Load16(dst)] +
                                       table[(w.srcWeight >> 3) << 16 | Load16(src)]));
}

inline void CombineBytes(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, uint8_t srcAlpha, unsigned copyBytes) {
    if (srcAlpha == 0) {
        return;
    }
    if (*dstAlpha == 0) {
        std::memcpy(dst, src, copyBytes);
        *dstAlpha = srcAlpha;
        return;
    }
    const SCombineWeights w = CombineWeights(*dstAlpha, srcAlpha);
    *dstAlpha = static_cast<uint8_t>(w.newAlpha);
    for (int c = 0; c < 3; ++c) {
        dst[c] = static_cast<uint8_t>(Product(w.srcWeight, src[c]) + Product(w.dstWeight, dst[c]));
    }
}

// max(a + o - 255, 0): the source alpha reduced by an opacity.
inline unsigned ReducedAlpha(unsigned alpha, unsigned opacity) {
    const int e = int(alpha) + int(opacity) - 255;
    return e > 0 ? unsigned(e) : 0u;
}
}  // namespace blend_detail

// src over dst with weight alpha.  Alpha 0 leaves dst, 255 copies src; pixels that are
// already equal are not written.  The 16-bit pixel pointers of these primitives need not
// be 2-byte aligned (rows of a surface with an odd pitch).
inline void BlendPixel15(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    blend_detail::BlendTable16(BlendTable555, dst, src, alpha);
}
inline void BlendPixel16(uint16_t* dst, const uint16_t* src, uint8_t alpha) {
    blend_detail::BlendTable16(BlendTable565, dst, src, alpha);
}
inline void BlendPixel24(uint8_t* dst, const uint8_t* src, uint8_t alpha) {
    if (alpha == 0) {
        return;
    }
    if (dst[0] == src[0] && dst[1] == src[1] && dst[2] == src[2]) {
        return;
    }
    if (alpha == 255) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        return;
    }
    blend_detail::BlendBytes3(dst, src, alpha);
}
// The X byte takes part in the equality test and in the copy at 255, never in a blend.
inline void BlendPixel32(uint8_t* dst, const uint8_t* src, uint8_t alpha) {
    if (alpha == 0) {
        return;
    }
    if (std::memcmp(dst, src, 4) == 0) {
        return;
    }
    if (alpha == 255) {
        std::memcpy(dst, src, 4);
        return;
    }
    blend_detail::BlendBytes3(dst, src, alpha);
}

// src with alpha srcAlpha over a dst that has its own alpha *dstAlpha; both are updated.
inline void CombinePixelAlpha15(uint16_t* dst, const uint16_t* src, uint8_t* dstAlpha, uint8_t srcAlpha) {
    blend_detail::Combine16(BlendTable555, dst, src, dstAlpha, srcAlpha);
}
inline void CombinePixelAlpha16(uint16_t* dst, const uint16_t* src, uint8_t* dstAlpha, uint8_t srcAlpha) {
    blend_detail::Combine16(BlendTable565, dst, src, dstAlpha, srcAlpha);
}
inline void CombinePixelAlpha24(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, uint8_t srcAlpha) {
    blend_detail::CombineBytes(dst, src, dstAlpha, srcAlpha, 3);
}
inline void CombinePixelAlpha32(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, uint8_t srcAlpha) {
    blend_detail::CombineBytes(dst, src, dstAlpha, srcAlpha, 4);
}

// As above with the source alpha first reduced by the opacity (max(a + o - 255, 0)).
inline void CombinePixelAlpha15Blend(uint16_t* dst, const uint16_t* src, uint8_t* dstAlpha, uint8_t srcAlpha,
                                     uint8_t opacity) {
    if (opacity == 0) {
        return;
    }
    CombinePixelAlpha15(dst, src, dstAlpha, static_cast<uint8_t>(blend_detail::ReducedAlpha(srcAlpha, opacity)));
}
inline void CombinePixelAlpha16Blend(uint16_t* dst, const uint16_t* src, uint8_t* dstAlpha, uint8_t srcAlpha,
                                     uint8_t opacity) {
    if (opacity == 0) {
        return;
    }
    CombinePixelAlpha16(dst, src, dstAlpha, static_cast<uint8_t>(blend_detail::ReducedAlpha(srcAlpha, opacity)));
}
inline void CombinePixelAlpha24Blend(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, uint8_t srcAlpha,
                                     uint8_t opacity) {
    if (opacity == 0) {
        return;
    }
    CombinePixelAlpha24(dst, src, dstAlpha, static_cast<uint8_t>(blend_detail::ReducedAlpha(srcAlpha, opacity)));
}
inline void CombinePixelAlpha32Blend(uint8_t* dst, const uint8_t* src, uint8_t* dstAlpha, uint8_t srcAlpha,
                                     uint8_t opacity) {
    if (opacity == 0) {
        return;
    }
    CombinePixelAlpha32(dst, src, dstAlpha, static_cast<uint8_t>(blend_detail::ReducedAlpha(srcAlpha, opacity)));
}
