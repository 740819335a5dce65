#pragma once
// A scalar reference of both stretch filters, written pixel by pixel from their
// formulas: for each destination pixel inside the destination rectangle, the clip and the
// destination surface, where it samples, whether that lies inside the source rectangle
// and surface, and what is written.  Slow and plain on purpose; the kernels work by runs
// and tables and must agree with it byte for byte.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/soft/blit/BlendTables.h"
#include "platform/sys/Geometry.h"

namespace stretch_test {

enum class EFilter { Nearest, Bilinear };
enum class EKind { Opaque, ColorKey, Alpha, AlphaToAlpha };

struct SModelImage {
    uint8_t* bits;
    int pitch;
    uint8_t* alpha;  // null when the kind does not use it
    int alphaPitch;
    SSize size;
};

struct SModelRequest {
    EFilter filter;
    EKind kind;
    int depth;
    int opacity;   // clamped 0..255
    uint32_t key;  // in the kernels' form: packed 16-bit, low 24 bits, or the whole word
    SRect dest, source, clip;
};

namespace model_detail {

inline int Bytes(int depth) { return depth == 24 ? 3 : (depth == 32 ? 4 : 2); }

inline uint32_t Load(const uint8_t* p, int depth) {
    uint32_t v = 0;
    for (int i = 0; i < Bytes(depth); ++i) v |= uint32_t{p[i]} << (8 * i);
    return v;
}
inline void Store(uint8_t* p, int depth, uint32_t v) {
    for (int i = 0; i < Bytes(depth); ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Channel c (0 blue, 1 green, 2 red) of a stored pixel, as an 8-bit value.
inline int Channel(uint32_t p, int depth, int c) {
    if (depth == 15) {
        const uint32_t v[3] = {(p & 0x1F) << 3, (p >> 2) & 0xF8, (p >> 7) & 0xF8};
        return int(v[c]);
    }
    if (depth == 16) {
        const uint32_t v[3] = {(p & 0x1F) << 3, (p >> 3) & 0xFC, (p >> 8) & 0xF8};
        return int(v[c]);
    }
    return int((p >> (8 * c)) & 0xFF);
}

inline uint32_t Pack(int depth, int b, int g, int r) {
    if (depth == 15) return uint32_t(((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3));
    if (depth == 16) return uint32_t(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
    return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16;  // X byte 0 at 32 bits
}

inline int Lerp(int a, int b, int w) { return a + (((b - a) * w) >> 16); }

inline bool IsKey(uint32_t p, int depth, uint32_t key) {
    if (depth == 24) return (p & 0xFFFFFF) == (key & 0xFFFFFF);
    return p == key;
}

inline void BlendModel(uint8_t* d, const uint8_t* s, int depth, int a) {
    if (depth == 15 || depth == 16) {
        uint16_t dv = uint16_t(Load(d, depth)), sv = uint16_t(Load(s, depth));
        if (depth == 15) BlendPixel15(&dv, &sv, uint8_t(a));
        else BlendPixel16(&dv, &sv, uint8_t(a));
        Store(d, depth, dv);
    } else if (depth == 24) {
        BlendPixel24(d, s, uint8_t(a));
    } else {
        BlendPixel32(d, s, uint8_t(a));
    }
}

inline void CombineModel(uint8_t* d, const uint8_t* s, uint8_t* da, int depth, int a, int o, bool blend) {
    if (depth == 15 || depth == 16) {
        uint16_t dv = uint16_t(Load(d, depth)), sv = uint16_t(Load(s, depth));
        if (depth == 15) {
            if (blend) CombinePixelAlpha15Blend(&dv, &sv, da, uint8_t(a), uint8_t(o));
            else CombinePixelAlpha15(&dv, &sv, da, uint8_t(a));
        } else {
            if (blend) CombinePixelAlpha16Blend(&dv, &sv, da, uint8_t(a), uint8_t(o));
            else CombinePixelAlpha16(&dv, &sv, da, uint8_t(a));
        }
        Store(d, depth, dv);
    } else if (depth == 24) {
        if (blend) CombinePixelAlpha24Blend(d, s, da, uint8_t(a), uint8_t(o));
        else CombinePixelAlpha24(d, s, da, uint8_t(a));
    } else {
        if (blend) CombinePixelAlpha32Blend(d, s, da, uint8_t(a), uint8_t(o));
        else CombinePixelAlpha32(d, s, da, uint8_t(a));
    }
}

// The write table: s is the sampled or filtered pixel, a its alpha.
inline void Write(const SModelRequest& r, uint8_t* d, const uint8_t* s, int a, uint8_t* da) {
    const bool blend = r.opacity != 255;
    switch (r.kind) {
    case EKind::Opaque:
    case EKind::ColorKey:
        if (blend) BlendModel(d, s, r.depth, r.opacity);
        else std::memcpy(d, s, size_t(Bytes(r.depth)));
        break;
    case EKind::Alpha:
        if (blend) BlendModel(d, s, r.depth, std::max(a - (255 - r.opacity), 0));
        else BlendModel(d, s, r.depth, a);
        break;
    case EKind::AlphaToAlpha:
        CombineModel(d, s, da, r.depth, a, r.opacity, blend);
        break;
    }
}

}  // namespace model_detail

// The nearest filter's source index for destination index k of an axis.
inline int64_t ModelNearestIndex(int64_t k, int64_t sourceExtent, int64_t destExtent) {
    return static_cast<int64_t>(static_cast<unsigned __int128>(k) * static_cast<unsigned __int128>(sourceExtent - 1) /
                                static_cast<unsigned __int128>(destExtent - 1));
}

// The bilinear filter's 16.16 step: the division first, in double precision, truncated.
inline int64_t ModelBilinearStep(int64_t sourceExtent, int64_t destExtent) {
    return static_cast<int64_t>(double(sourceExtent - 1) / double(destExtent - 1) * 65536.0);
}

inline void ModelStretch(const SModelRequest& r, const SModelImage& dst, const SModelImage& src) {
    using namespace model_detail;
    const SRect& d = r.dest;
    const SRect& s = r.source;
    const int64_t dw = int64_t{d.right} - d.left, dh = int64_t{d.bottom} - d.top;
    const int64_t sw = int64_t{s.right} - s.left, sh = int64_t{s.bottom} - s.top;
    if (dw < 2 || dh < 2 || sw < 2 || sh < 2) return;
    const int bytes = Bytes(r.depth);
    const int64_t stepX = ModelBilinearStep(sw, dw), stepY = ModelBilinearStep(sh, dh);
    const int64_t limX = std::min<int64_t>(s.right, src.size.cx) - s.left;
    const int64_t limY = std::min<int64_t>(s.bottom, src.size.cy) - s.top;
    auto inSource = [&](int64_t sx, int64_t sy) {
        return sx >= s.left && sx < s.right && sx >= 0 && sx < src.size.cx && sy >= s.top && sy < s.bottom &&
               sy >= 0 && sy < src.size.cy;
    };
    auto srcPixel = [&](int64_t sx, int64_t sy) { return src.bits + sy * src.pitch + sx * bytes; };
    auto srcAlpha = [&](int64_t sx, int64_t sy) { return int(src.alpha[sy * src.alphaPitch + sx]); };
    const bool alphaKind = r.kind == EKind::Alpha || r.kind == EKind::AlphaToAlpha;

    const int64_t y0 = std::max<int64_t>({d.top, r.clip.top, 0}), y1 = std::min<int64_t>({d.bottom, r.clip.bottom, dst.size.cy});
    const int64_t x0 = std::max<int64_t>({d.left, r.clip.left, 0}), x1 = std::min<int64_t>({d.right, r.clip.right, dst.size.cx});
    for (int64_t y = y0; y < y1; ++y) {
        for (int64_t x = x0; x < x1; ++x) {
            uint8_t* dp = dst.bits + y * dst.pitch + x * bytes;
            uint8_t* da = r.kind == EKind::AlphaToAlpha ? dst.alpha + y * dst.alphaPitch + x : nullptr;
            if (r.filter == EFilter::Nearest) {
                const int64_t sx = s.left + ModelNearestIndex(x - d.left, sw, dw);
                const int64_t sy = s.top + ModelNearestIndex(y - d.top, sh, dh);
                if (!inSource(sx, sy)) continue;
                const uint8_t* sp = srcPixel(sx, sy);
                if (r.kind == EKind::ColorKey && IsKey(Load(sp, r.depth), r.depth, r.key)) continue;
                Write(r, dp, sp, alphaKind ? srcAlpha(sx, sy) : 255, da);
                continue;
            }
            const int64_t fx = (x - d.left) * stepX, fy = (y - d.top) * stepY;
            const int64_t ix = fx >> 16, iy = fy >> 16;
            const int wx = int(fx & 0xFFFF), wy = int(fy & 0xFFFF);
            const int64_t sx = s.left + ix, sy = s.top + iy;
            if (!inSource(sx, sy)) continue;
            if (iy + 1 >= limY || ix + 1 >= limX) {
                const uint8_t* sp = srcPixel(sx, sy);
                if (r.kind == EKind::ColorKey && IsKey(Load(sp, r.depth), r.depth, r.key)) continue;
                Write(r, dp, sp, alphaKind ? srcAlpha(sx, sy) : 255, da);
                continue;
            }
            const uint32_t p[4] = {Load(srcPixel(sx, sy), r.depth), Load(srcPixel(sx + 1, sy), r.depth),
                                   Load(srcPixel(sx, sy + 1), r.depth), Load(srcPixel(sx + 1, sy + 1), r.depth)};
            if (r.kind == EKind::ColorKey && (IsKey(p[0], r.depth, r.key) || IsKey(p[1], r.depth, r.key) ||
                                              IsKey(p[2], r.depth, r.key) || IsKey(p[3], r.depth, r.key))) {
                continue;
            }
            int c[3];
            for (int ch = 0; ch < 3; ++ch) {
                const int top = Lerp(Channel(p[0], r.depth, ch), Channel(p[1], r.depth, ch), wx);
                const int bottom = Lerp(Channel(p[2], r.depth, ch), Channel(p[3], r.depth, ch), wx);
                c[ch] = Lerp(top, bottom, wy);
            }
            uint8_t pixel[4];
            Store(pixel, r.depth, Pack(r.depth, c[0], c[1], c[2]));
            int a = 255;
            if (alphaKind) {
                const int top = Lerp(srcAlpha(sx, sy), srcAlpha(sx + 1, sy), wx);
                const int bottom = Lerp(srcAlpha(sx, sy + 1), srcAlpha(sx + 1, sy + 1), wx);
                a = Lerp(top, bottom, wy);
            }
            Write(r, dp, pixel, a, da);
        }
    }
}

}  // namespace stretch_test
