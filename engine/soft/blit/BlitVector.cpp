// MMX-level and SSE-level kernels of the opaque and alpha families.  The rows are
// blended in vectors with a full 8-bit weight (VectorRows.cpp); the right end of a row
// that fills no vector step goes through a per-pixel tail.
#include "engine/soft/blit/BlitKernels.h"
#include "engine/soft/blit/KernelFrame.h"
#include "engine/soft/blit/VectorRows.h"

using blit_frame::SRowPointers;
using vector_rows::EPixel16;

namespace {

inline uint16_t* Px16(uint8_t* p) { return reinterpret_cast<uint16_t*>(p); }
inline const uint16_t* Px16(const uint8_t* p) { return reinterpret_cast<const uint16_t*>(p); }

template <EPixel16 kFormat, bool kSse>
void Opaque16(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    const int depth = kFormat == EPixel16::R5G6B5 ? 16 : 15;
    blit_frame::Run(name, dst, src, r, p, depth, 2, 0, [o](const SRowPointers& row, int width) {
        vector_rows::OpaqueRow16<kFormat, kSse>(Px16(row.dst), Px16(row.src), width, o);
    });
}

template <bool kSse>
void Opaque24(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    blit_frame::Run(name, dst, src, r, p, 24, 3, 0, [o](const SRowPointers& row, int width) {
        vector_rows::OpaqueRow24<kSse>(row.dst, row.src, width, o);
    });
}

template <bool kSse>
void Opaque32(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    blit_frame::Run(name, dst, src, r, p, 32, 4, 0, [o](const SRowPointers& row, int width) {
        vector_rows::OpaqueRow32<kSse>(row.dst, row.src, width, o);
    });
}

template <EPixel16 kFormat, bool kSse>
void Alpha16(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    const int depth = kFormat == EPixel16::R5G6B5 ? 16 : 15;
    blit_frame::Run(name, dst, src, r, p, depth, 2, blit_frame::NEED_SOURCE_ALPHA,
                    [o](const SRowPointers& row, int width) {
                        vector_rows::AlphaRow16<kFormat, kSse>(Px16(row.dst), Px16(row.src), row.srcAlpha, width, o);
                    });
}

template <bool kSse>
void Alpha24(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    blit_frame::Run(name, dst, src, r, p, 24, 3, blit_frame::NEED_SOURCE_ALPHA,
                    [o](const SRowPointers& row, int width) {
                        vector_rows::AlphaRow24<kSse>(row.dst, row.src, row.srcAlpha, width, o);
                    });
}

template <bool kSse>
void Alpha32(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int o) {
    blit_frame::Run(name, dst, src, r, p, 32, 4, blit_frame::NEED_SOURCE_ALPHA,
                    [o](const SRowPointers& row, int width) {
                        vector_rows::AlphaRow32<kSse>(row.dst, row.src, row.srcAlpha, width, o);
                    });
}

}  // namespace

void SoftBltOpaque15_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque16<EPixel16::X1R5G5B5, false>("SoftBltOpaque15_MMX", d, s, r, p, o);
}
void SoftBltOpaque16_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque16<EPixel16::R5G6B5, false>("SoftBltOpaque16_MMX", d, s, r, p, o);
}
void SoftBltOpaque24_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque24<false>("SoftBltOpaque24_MMX", d, s, r, p, o);
}
void SoftBltOpaque32_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque32<false>("SoftBltOpaque32_MMX", d, s, r, p, o);
}
void SoftBltOpaque15_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque16<EPixel16::X1R5G5B5, true>("SoftBltOpaque15_SSE", d, s, r, p, o);
}
void SoftBltOpaque16_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque16<EPixel16::R5G6B5, true>("SoftBltOpaque16_SSE", d, s, r, p, o);
}
void SoftBltOpaque24_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque24<true>("SoftBltOpaque24_SSE", d, s, r, p, o);
}
void SoftBltOpaque32_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Opaque32<true>("SoftBltOpaque32_SSE", d, s, r, p, o);
}

void SoftBltAlpha15_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha16<EPixel16::X1R5G5B5, false>("SoftBltAlpha15_MMX", d, s, r, p, o);
}
void SoftBltAlpha16_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha16<EPixel16::R5G6B5, false>("SoftBltAlpha16_MMX", d, s, r, p, o);
}
void SoftBltAlpha24_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha24<false>("SoftBltAlpha24_MMX", d, s, r, p, o);
}
void SoftBltAlpha32_MMX(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha32<false>("SoftBltAlpha32_MMX", d, s, r, p, o);
}
void SoftBltAlpha15_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha16<EPixel16::X1R5G5B5, true>("SoftBltAlpha15_SSE", d, s, r, p, o);
}
void SoftBltAlpha16_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha16<EPixel16::R5G6B5, true>("SoftBltAlpha16_SSE", d, s, r, p, o);
}
void SoftBltAlpha24_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha24<true>("SoftBltAlpha24_SSE", d, s, r, p, o);
}
void SoftBltAlpha32_SSE(CSoftSurface& d, CSoftSurface& s, const SRect& r, const SPoint& p, int o, uint32_t) {
    Alpha32<true>("SoftBltAlpha32_SSE", d, s, r, p, o);
}
