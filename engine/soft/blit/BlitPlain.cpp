// Plain blit kernels onto a destination without an alpha plane: the copy, and the
// opaque, colour-key and alpha families at every depth.
#include <cstring>

#include "engine/base/CpuInfo.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "engine/soft/blit/KernelFrame.h"

using blit_frame::SRowPointers;

namespace {

inline uint16_t* Px16(uint8_t* p) { return reinterpret_cast<uint16_t*>(p); }
inline const uint16_t* Px16(const uint8_t* p) { return reinterpret_cast<const uint16_t*>(p); }

inline uint16_t Read16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline uint32_t Read24(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16; }
inline uint32_t Read32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// The blend primitive and the pixel size of each depth.
template <int kDepth>
struct SDepth;
template <>
struct SDepth<15> {
    static constexpr int kBytes = 2;
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel15(Px16(d), Px16(s), a); }
};
template <>
struct SDepth<16> {
    static constexpr int kBytes = 2;
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel16(Px16(d), Px16(s), a); }
};
template <>
struct SDepth<24> {
    static constexpr int kBytes = 3;
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel24(d, s, a); }
};
template <>
struct SDepth<32> {
    static constexpr int kBytes = 4;
    static void Blend(uint8_t* d, const uint8_t* s, uint8_t a) { BlendPixel32(d, s, a); }
};

template <int kDepth>
void OpaquePlain(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int opacity) {
    using D = SDepth<kDepth>;
    const auto o = static_cast<uint8_t>(opacity);
    blit_frame::Run(name, dst, src, r, p, kDepth, D::kBytes, 0, [o](const SRowPointers& row, int width) {
        uint8_t* d = row.dst;
        const uint8_t* s = row.src;
        for (int i = 0; i < width; ++i, d += D::kBytes, s += D::kBytes) {
            D::Blend(d, s, o);
        }
    });
}

// The key value and the source bits compared with it (see ColorKeyPlain).
template <int kDepth>
uint32_t KeyValue(uint32_t key) {
    if constexpr (kDepth == 15) {
        return PackColor555(key);
    } else if constexpr (kDepth == 16) {
        return PackColor565(key);
    } else {
        return key & 0x00FFFFFF;
    }
}

template <int kDepth>
uint32_t ComparedSource(const uint8_t* s, bool fullOpacity) {
    if constexpr (kDepth == 15) {
        // Bit 15 is not colour: at full opacity a key pixel with it set is still a key.
        return fullOpacity ? (Read16(s) & 0x7FFFu) : Read16(s);
    } else if constexpr (kDepth == 16) {
        return Read16(s);
    } else if constexpr (kDepth == 24) {
        return Read24(s);
    } else {
        return Read32(s) & 0x00FFFFFFu;
    }
}

template <int kDepth>
void ColorKeyPlain(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p,
                   int opacity) {
    using D = SDepth<kDepth>;
    const uint32_t key = KeyValue<kDepth>(src.GetColorKey());
    const auto o = static_cast<uint8_t>(opacity);
    blit_frame::Run(name, dst, src, r, p, kDepth, D::kBytes, 0, [key, o](const SRowPointers& row, int width) {
        uint8_t* d = row.dst;
        const uint8_t* s = row.src;
        if (o == 255) {
            for (int i = 0; i < width; ++i, d += D::kBytes, s += D::kBytes) {
                if (ComparedSource<kDepth>(s, true) != key) {
                    std::memcpy(d, s, D::kBytes);
                }
            }
        } else {
            for (int i = 0; i < width; ++i, d += D::kBytes, s += D::kBytes) {
                if (ComparedSource<kDepth>(s, false) != key) {
                    D::Blend(d, s, o);
                }
            }
        }
    });
}

template <int kDepth>
void AlphaPlain(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int opacity) {
    using D = SDepth<kDepth>;
    const int k = 255 - opacity;
    blit_frame::Run(name, dst, src, r, p, kDepth, D::kBytes, blit_frame::NEED_SOURCE_ALPHA,
                    [k](const SRowPointers& row, int width) {
                        uint8_t* d = row.dst;
                        const uint8_t* s = row.src;
                        const uint8_t* a = row.srcAlpha;
                        if (k == 0) {
                            for (int i = 0; i < width; ++i, d += D::kBytes, s += D::kBytes) {
                                D::Blend(d, s, a[i]);
                            }
                        } else {
                            // The opacity is taken off the alpha, not multiplied into it.
                            for (int i = 0; i < width; ++i, d += D::kBytes, s += D::kBytes) {
                                const int e = a[i] - k;
                                if (e > 0) {
                                    D::Blend(d, s, static_cast<uint8_t>(e));
                                }
                            }
                        }
                    });
}

}  // namespace

void SoftBltCopy(CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int /*opacity*/,
                 uint32_t /*flags*/) {
    // A copy between depths would read rows of the wrong length: refused.
    if (!blit_frame::CheckRequest("SoftBltCopy", dst, src, r, p, src.GetBitDepth())) {
        return;
    }
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const bool sse = (CCpuInfo::GetFeatures() & CCpuInfo::FEATURE_SSE) != 0;
    if (!sse && ((dst.GetFormatFlags() & src.GetFormatFlags()) & ~int32_t{0x0F}) != 0) {
        DCHandle dstDC = dst.GetDC();
        DCHandle srcDC = src.GetDC();
        GdiBitBlt(dstDC, r.left, r.top, width, height, srcDC, p.x, p.y, EGdiRop::SrcCopy);
        src.ReleaseDC();
        dst.ReleaseDC();
        return;
    }
    const int dstBytes = (dst.GetBitDepth() == 15 ? 16 : dst.GetBitDepth()) >> 3;
    const int srcBytes = (src.GetBitDepth() == 15 ? 16 : src.GetBitDepth()) >> 3;
    CSurfaceLock dstLock(&dst);
    if (!dstLock.locked) {
        return;
    }
    CSurfaceLock srcLock(&src);
    if (!srcLock.locked) {
        return;
    }
    uint8_t* d = dst.GetBits();
    const uint8_t* s = src.GetBits();
    if (d == nullptr || s == nullptr) {
        DebugPrintf("SoftBltCopy() 画素を得られない");
        return;
    }
    const intptr_t dstPitch = dst.GetPitch();
    const intptr_t srcPitch = src.GetPitch();
    d += r.top * dstPitch + intptr_t{r.left} * dstBytes;
    s += p.y * srcPitch + intptr_t{p.x} * srcBytes;
    const size_t rowBytes = static_cast<size_t>(width) * dstBytes;
    // One block moves the row padding too; it stays inside the source only when the
    // block starts at the source's column 0.
    if (dstPitch == srcPitch && width == dst.GetSize().cx && p.x == 0) {
        FastMemCopy(d, s, static_cast<size_t>(height) * static_cast<size_t>(dstPitch));
        return;
    }
    for (int y = 0; y < height; ++y) {
        FastMemCopy(d, s, rowBytes);
        d += dstPitch;
        s += srcPitch;
    }
}

void SoftBltOpaque15_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaquePlain<15>("SoftBltOpaque15_Plain", d, s, r, p, o);
}
void SoftBltOpaque16_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaquePlain<16>("SoftBltOpaque16_Plain", d, s, r, p, o);
}
void SoftBltOpaque24_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaquePlain<24>("SoftBltOpaque24_Plain", d, s, r, p, o);
}
void SoftBltOpaque32_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    OpaquePlain<32>("SoftBltOpaque32_Plain", d, s, r, p, o);
}

void SoftBltColorKey15(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    ColorKeyPlain<15>("SoftBltColorKey15", d, s, r, p, o);
}
void SoftBltColorKey16(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    ColorKeyPlain<16>("SoftBltColorKey16", d, s, r, p, o);
}
void SoftBltColorKey24(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    ColorKeyPlain<24>("SoftBltColorKey24", d, s, r, p, o);
}
void SoftBltColorKey32(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    ColorKeyPlain<32>("SoftBltColorKey32", d, s, r, p, o);
}

void SoftBltAlpha15_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaPlain<15>("SoftBltAlpha15_Plain", d, s, r, p, o);
}
void SoftBltAlpha16_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaPlain<16>("SoftBltAlpha16_Plain", d, s, r, p, o);
}
void SoftBltAlpha24_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaPlain<24>("SoftBltAlpha24_Plain", d, s, r, p, o);
}
void SoftBltAlpha32_Plain(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    AlphaPlain<32>("SoftBltAlpha32_Plain", d, s, r, p, o);
}
