#pragma once
// Pixels as the stretch kernels see them: per depth, the size, the 8-bit channels of a
// stored pixel and the packing of filtered channels; per source kind, how a sampled (or
// filtered) pixel is written.  Internal to the blit module.
//
// Pixel memory is reached with memcpy: surfaces may have any pitch, so 16- and 32-bit
// pixels need not be aligned.
#include <cstdint>
#include <cstring>

#include "engine/soft/blit/BlendTables.h"

namespace stretch_detail {

enum class EKind { Opaque, ColorKey, Alpha, AlphaToAlpha };

template <int kDepth>
struct SPixel;

// The 16-bit formats share everything but the channel layout and their blend tables.
struct SPixel16Base {
    static constexpr int kBytes = 2;
    static uint32_t Load(const uint8_t* p) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    static void Store(uint8_t* p, uint32_t v) {
        const auto w = static_cast<uint16_t>(v);
        std::memcpy(p, &w, 2);
    }
    static bool IsKey(uint32_t pixel, uint32_t key) { return pixel == (key & 0xFFFFu); }
};

template <>
struct SPixel<15> : SPixel16Base {
    static void Channels(uint32_t p, int* b, int* g, int* r) {
        *b = static_cast<int>((p & 0x1Fu) << 3);
        *g = static_cast<int>((p >> 2) & 0xF8u);
        *r = static_cast<int>((p >> 7) & 0xF8u);
    }
    static uint32_t Pack(int b, int g, int r) {
        return (uint32_t(r & 0xF8) << 7) | (uint32_t(g & 0xF8) << 2) | (uint32_t(b) >> 3);
    }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        BlendPixel15(&dv, &sv, a);
        Store(d, dv);
    }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        CombinePixelAlpha15(&dv, &sv, da, a);
        Store(d, dv);
    }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a, uint8_t o) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        CombinePixelAlpha15Blend(&dv, &sv, da, a, o);
        Store(d, dv);
    }
};

template <>
struct SPixel<16> : SPixel16Base {
    static void Channels(uint32_t p, int* b, int* g, int* r) {
        *b = static_cast<int>((p & 0x1Fu) << 3);
        *g = static_cast<int>((p >> 3) & 0xFCu);
        *r = static_cast<int>((p >> 8) & 0xF8u);
    }
    static uint32_t Pack(int b, int g, int r) {
        return (uint32_t(r & 0xF8) << 8) | (uint32_t(g & 0xFC) << 3) | (uint32_t(b) >> 3);
    }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        BlendPixel16(&dv, &sv, a);
        Store(d, dv);
    }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        CombinePixelAlpha16(&dv, &sv, da, a);
        Store(d, dv);
    }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a, uint8_t o) {
        uint16_t dv = static_cast<uint16_t>(Load(d)), sv = static_cast<uint16_t>(Load(s));
        CombinePixelAlpha16Blend(&dv, &sv, da, a, o);
        Store(d, dv);
    }
};

template <>
struct SPixel<24> {
    static constexpr int kBytes = 3;
    static uint32_t Load(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16; }
    static void Store(uint8_t* p, uint32_t v) {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
    }
    static bool IsKey(uint32_t pixel, uint32_t key) { return pixel == (key & 0x00FFFFFFu); }
    static void Channels(uint32_t p, int* b, int* g, int* r) {
        *b = static_cast<int>(p & 0xFFu);
        *g = static_cast<int>((p >> 8) & 0xFFu);
        *r = static_cast<int>((p >> 16) & 0xFFu);
    }
    static uint32_t Pack(int b, int g, int r) { return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16; }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel24(d, s, a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a) { CombinePixelAlpha24(d, s, da, a); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a, uint8_t o) {
        CombinePixelAlpha24Blend(d, s, da, a, o);
    }
};

template <>
struct SPixel<32> {
    static constexpr int kBytes = 4;
    static uint32_t Load(const uint8_t* p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
    // The X byte takes part: a key-coloured pixel with another X byte is drawn.
    static bool IsKey(uint32_t pixel, uint32_t key) { return pixel == key; }
    static void Channels(uint32_t p, int* b, int* g, int* r) {
        *b = static_cast<int>(p & 0xFFu);
        *g = static_cast<int>((p >> 8) & 0xFFu);
        *r = static_cast<int>((p >> 16) & 0xFFu);
    }
    // A filtered pixel's X byte is 0.
    static uint32_t Pack(int b, int g, int r) { return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16; }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel32(d, s, a); }
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a) { CombinePixelAlpha32(d, s, da, a); }
    static void CombineBlend(uint8_t* d, const uint8_t* s, uint8_t* da, uint8_t a, uint8_t o) {
        CombinePixelAlpha32Blend(d, s, da, a, o);
    }
};

// Writes the source pixel s (kBytes bytes, with alpha a for the alpha kinds) to the
// destination pixel d (with its alpha byte da for AlphaToAlpha) as the kind asks.  The
// colour-key test is the caller's.  Without kBlend the opacity is not read.
template <int kDepth, EKind kKind, bool kBlend>
inline void WritePixel(uint8_t* d, const uint8_t* s, unsigned a, uint8_t* da, unsigned opacity) {
    using P = SPixel<kDepth>;
    if constexpr (kKind == EKind::Opaque || kKind == EKind::ColorKey) {
        if constexpr (kBlend) {
            P::Blend(d, s, static_cast<uint8_t>(opacity));
        } else {
            std::memcpy(d, s, P::kBytes);
        }
    } else if constexpr (kKind == EKind::Alpha) {
        if constexpr (kBlend) {
            const int e = int(a) + int(opacity) - 255;
            if (e > 0) {
                P::Blend(d, s, static_cast<uint8_t>(e));
            }
        } else {
            P::Blend(d, s, static_cast<uint8_t>(a));
        }
    } else {
        if constexpr (kBlend) {
            P::CombineBlend(d, s, da, static_cast<uint8_t>(a), static_cast<uint8_t>(opacity));
        } else {
            P::Combine(d, s, da, static_cast<uint8_t>(a));
        }
    }
}

// The raw memory of one stretch, as a kernel receives it (planes null when unused).
struct SBuffers {
    uint8_t* dst;
    const uint8_t* src;
    uint8_t* dstAlpha;
    const uint8_t* srcAlpha;
    intptr_t dstPitch, srcPitch, dstAlphaPitch, srcAlphaPitch;
    uint32_t key;
};

template <EKind kKind>
inline bool HasPlanes(const SBuffers& b) {
    if (b.dst == nullptr || b.src == nullptr) {
        return false;
    }
    if constexpr (kKind == EKind::Alpha) {
        return b.srcAlpha != nullptr;
    } else if constexpr (kKind == EKind::AlphaToAlpha) {
        return b.srcAlpha != nullptr && b.dstAlpha != nullptr;
    } else {
        return true;
    }
}

}  // namespace stretch_detail
