// Blits onto a destination that keeps an alpha plane of its own: the source is laid
// over the destination, whose alpha byte is its coverage, and both colour and alpha
// change.  One pixel at a time in plain code at every processor level.
#include <cstring>

#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "engine/soft/blit/KernelFrame.h"

using blit_frame::SRowPointers;

namespace {

inline uint16_t* Px16(uint8_t* p) { return reinterpret_cast<uint16_t*>(p); }
inline const uint16_t* Px16(const uint8_t* p) { return reinterpret_cast<const uint16_t*>(p); }

template <int kDepth>
struct SCombine;
template <>
struct SCombine<15> {
    static constexpr int kBytes = 2;
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a) {
        CombinePixelAlpha15(Px16(d), Px16(s), dA, a);
    }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a, uint8_t o) {
        CombinePixelAlpha15Blend(Px16(d), Px16(s), dA, a, o);
    }
    static uint32_t Key(uint32_t k) { return PackColor555(k); }
    static uint32_t Compared(const uint8_t* s) { return blend_detail::Load16(Px16(s)); }
};
template <>
struct SCombine<16> {
    static constexpr int kBytes = 2;
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a) {
        CombinePixelAlpha16(Px16(d), Px16(s), dA, a);
    }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a, uint8_t o) {
        CombinePixelAlpha16Blend(Px16(d), Px16(s), dA, a, o);
    }
    static uint32_t Key(uint32_t k) { return PackColor565(k); }
    static uint32_t Compared(const uint8_t* s) { return blend_detail::Load16(Px16(s)); }
};
template <>
struct SCombine<24> {
    static constexpr int kBytes = 3;
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a) { CombinePixelAlpha24(d, s, dA, a); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a, uint8_t o) {
        CombinePixelAlpha24Blend(d, s, dA, a, o);
    }
    static uint32_t Key(uint32_t k) { return k & 0x00FFFFFFu; }
    static uint32_t Compared(const uint8_t* s) { return uint32_t{s[0]} | uint32_t{s[1]} << 8 | uint32_t{s[2]} << 16; }
};
template <>
struct SCombine<32> {
    static constexpr int kBytes = 4;
    static void Combine(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a) { CombinePixelAlpha32(d, s, dA, a); }
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t* dA, uint8_t a, uint8_t o) {
        CombinePixelAlpha32Blend(d, s, dA, a, o);
    }
    // The whole word, X byte included: a key colour with a non-zero X byte is no key.
    static uint32_t Key(uint32_t k) { return k; }
    static uint32_t Compared(const uint8_t* s) {
        uint32_t v;
        std::memcpy(&v, s, 4);
        return v;
    }
};

// Opaque and colour-keyed sources: every drawn pixel counts as having alpha o.
template <int kDepth, bool kKeyed>
void OpaqueToAlphaRows(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p,
                       int opacity, uint32_t key) {
    using C = SCombine<kDepth>;
    const auto o = static_cast<uint8_t>(opacity);
    blit_frame::Run(name, dst, src, r, p, kDepth, C::kBytes, blit_frame::NEED_DEST_ALPHA,
                    [o, key](const SRowPointers& row, int width) {
                        uint8_t* d = row.dst;
                        const uint8_t* s = row.src;
                        uint8_t* dA = row.dstAlpha;
                        for (int i = 0; i < width; ++i, d += C::kBytes, s += C::kBytes) {
                            if (kKeyed && C::Compared(s) == key) {
                                continue;
                            }
                            if (o == 255) {
                                std::memcpy(d, s, C::kBytes);
                                dA[i] = 255;
                            } else {
                                C::Combine(d, s, dA + i, o);
                            }
                        }
                    });
}

template <bool kKeyed>
void OpaqueToAlpha(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p,
                   int opacity) {
    const uint32_t k = kKeyed ? src.GetColorKey() : 0;
    switch (src.GetBitDepth()) {
    case 15: OpaqueToAlphaRows<15, kKeyed>(name, dst, src, r, p, opacity, SCombine<15>::Key(k)); break;
    case 16: OpaqueToAlphaRows<16, kKeyed>(name, dst, src, r, p, opacity, SCombine<16>::Key(k)); break;
    case 24: OpaqueToAlphaRows<24, kKeyed>(name, dst, src, r, p, opacity, SCombine<24>::Key(k)); break;
    case 32: OpaqueToAlphaRows<32, kKeyed>(name, dst, src, r, p, opacity, SCombine<32>::Key(k)); break;
    default: break;
    }
}

template <int kDepth>
void AlphaToAlpha(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p,
                  int opacity) {
    using C = SCombine<kDepth>;
    const auto o = static_cast<uint8_t>(opacity);
    blit_frame::Run(name, dst, src, r, p, kDepth, C::kBytes,
                    blit_frame::NEED_SOURCE_ALPHA | blit_frame::NEED_DEST_ALPHA,
                    [o](const SRowPointers& row, int width) {
                        uint8_t* d = row.dst;
                        const uint8_t* s = row.src;
                        const uint8_t* a = row.srcAlpha;
                        uint8_t* dA = row.dstAlpha;
                        if (o == 255) {
                            for (int i = 0; i < width; ++i, d += C::kBytes, s += C::kBytes) {
                                C::Combine(d, s, dA + i, a[i]);
                            }
                        } else {
                            for (int i = 0; i < width; ++i, d += C::kBytes, s += C::kBytes) {
                                C::Blend(d, s, dA + i, a[i], o);
                            }
                        }
                    });
}

}  // namespace

void SoftBltOpaqueToAlpha(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaqueToAlpha<false>("SoftBltOpaqueToAlpha", d, s, r, p, o);
}
void SoftBltColorKeyToAlpha(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaqueToAlpha<true>("SoftBltColorKeyToAlpha", d, s, r, p, o);
}
void SoftBltAlphaToAlpha15(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaToAlpha<15>("SoftBltAlphaToAlpha15", d, s, r, p, o);
}
void SoftBltAlphaToAlpha16(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaToAlpha<16>("SoftBltAlphaToAlpha16", d, s, r, p, o);
}
void SoftBltAlphaToAlpha24(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaToAlpha<24>("SoftBltAlphaToAlpha24", d, s, r, p, o);
}
void SoftBltAlphaToAlpha32(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaToAlpha<32>("SoftBltAlphaToAlpha32", d, s, r, p, o);
}
