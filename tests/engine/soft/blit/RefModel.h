#pragma once
// Scalar models of the blend primitives and of every kernel's row arithmetic, written
// from the formulas alone (no table of the engine is read), for bit-exact comparison.
#include <cstdint>
#include <cstring>

namespace ref {

inline unsigned Product(unsigned r, unsigned c) { return r * c / 255; }

inline uint16_t Scale555(unsigned level, uint16_t p) {
    if (level == 0) return 0;
    if (level == 31) return p & 0x7FFF;
    const unsigned r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
    return static_cast<uint16_t>((r * level / 31) << 10 | (g * level / 31) << 5 | (b * level / 31));
}
inline uint16_t Scale565(unsigned level, uint16_t p) {
    if (level == 0) return 0;
    if (level == 31) return p;
    const unsigned r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    return static_cast<uint16_t>((r * level / 31) << 11 | (g * level / 31) << 5 | (b * level / 31));
}

inline uint16_t Blend16(bool is555, uint16_t d, uint16_t s, unsigned a) {
    if (a == 0 || d == s) return d;
    if (a == 255) return s;
    auto T = [is555](unsigned l, uint16_t p) { return is555 ? Scale555(l, p) : Scale565(l, p); };
    return static_cast<uint16_t>(T((255 - a) >> 3, d) + T(a >> 3, s));
}
inline void BlendBytes(uint8_t* d, const uint8_t* s, unsigned a, int bytes) {
    if (a == 0 || std::memcmp(d, s, bytes) == 0) return;
    if (a == 255) {
        std::memcpy(d, s, bytes);
        return;
    }
    for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(Product(a, s[c]) + Product(255 - a, d[c]));
}
// Blend of one pixel at any depth (bytes of the pixel in memory).
inline void BlendPixel(int depth, uint8_t* d, const uint8_t* s, unsigned a) {
    if (depth == 15 || depth == 16) {
        uint16_t dv, sv;
        std::memcpy(&dv, d, 2);
        std::memcpy(&sv, s, 2);
        dv = Blend16(depth == 15, dv, sv, a);
        std::memcpy(d, &dv, 2);
    } else {
        BlendBytes(d, s, a, depth / 8);
    }
}

// Source alpha a over destination alpha A; pixel bytes of the depth.
inline void CombinePixel(int depth, uint8_t* d, const uint8_t* s, uint8_t* A, unsigned a) {
    const int bytes = depth == 15 ? 2 : depth / 8;
    if (a == 0) return;
    if (*A == 0) {
        std::memcpy(d, s, bytes);
        *A = static_cast<uint8_t>(a);
        return;
    }
    const unsigned t = Product(*A, 255 - a);
    const unsigned n = t + a;
    const unsigned ws = a * 255 / n, wd = t * 255 / n;
    *A = static_cast<uint8_t>(n);
    if (depth == 15 || depth == 16) {
        uint16_t dv, sv;
        std::memcpy(&dv, d, 2);
        std::memcpy(&sv, s, 2);
        auto T = [depth](unsigned l, uint16_t p) { return depth == 15 ? Scale555(l, p) : Scale565(l, p); };
        dv = static_cast<uint16_t>(T(wd >> 3, dv) + T(ws >> 3, sv));
        std::memcpy(d, &dv, 2);
    } else {
        for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(Product(ws, s[c]) + Product(wd, d[c]));
    }
}
inline unsigned Reduced(unsigned a, unsigned o) {
    const int e = int(a) + int(o) - 255;
    return e > 0 ? unsigned(e) : 0;
}

// ---- vector arithmetic ----
inline int FloorDiv256(int v) { return v >= 0 ? v / 256 : -((-v + 255) / 256); }
// base + floor((target - base) * w / 256)
inline int Lerp(int base, int target, int w) { return base + FloorDiv256((target - base) * w); }

// Four-pixel-lane formula for one 16-bit pixel, weight w (0..256); bit 15 cleared at 15 bpp.
inline uint16_t LerpPixel16(bool is555, uint16_t d, uint16_t s, int w) {
    if (is555) {
        const int r = Lerp((d >> 10) & 31, (s >> 10) & 31, w);
        const int g = Lerp((d >> 5) & 31, (s >> 5) & 31, w);
        const int b = Lerp(d & 31, s & 31, w);
        return static_cast<uint16_t>(r << 10 | g << 5 | b);
    }
    const int r = Lerp(d >> 11, s >> 11, w);
    const int g = Lerp((d >> 5) & 63, (s >> 5) & 63, w);
    const int b = Lerp(d & 31, s & 31, w);
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}
// The per-pixel tails: rounding toward zero.
inline uint16_t RowTail16(bool is555, uint16_t d, uint16_t s, int a) {
    auto f = [a](int dv, int sv) { return dv + (sv - dv) * a / 256; };
    if (is555) {
        return static_cast<uint16_t>(f((d >> 10) & 31, (s >> 10) & 31) << 10 | f((d >> 5) & 31, (s >> 5) & 31) << 5 |
                                     f(d & 31, s & 31));
    }
    return static_cast<uint16_t>(f(d >> 11, s >> 11) << 11 | f((d >> 5) & 63, (s >> 5) & 63) << 5 | f(d & 31, s & 31));
}

inline uint16_t Get16(const uint8_t* p, int i) {
    uint16_t v;
    std::memcpy(&v, p + 2 * i, 2);
    return v;
}
inline void Put16(uint8_t* p, int i, uint16_t v) { std::memcpy(p + 2 * i, &v, 2); }

// Row models.  `level` 1 is the MMX member, 2 the SSE member.
inline void OpaqueRow16(bool is555, int level, uint8_t* d, const uint8_t* s, int width, int o) {
    const int vec = (width >> 2) * 4;
    const int w = o >= 255 ? 256 : o;
    for (int i = 0; i < vec; ++i) Put16(d, i, LerpPixel16(is555, Get16(d, i), Get16(s, i), w));
    for (int i = vec; i < width; ++i) {
        Put16(d, i,
              level == 1 ? Blend16(is555, Get16(d, i), Get16(s, i), o) : RowTail16(is555, Get16(d, i), Get16(s, i), o));
    }
}
inline int OpaqueByteWeight(int o) { return 255 - o >= 255 ? 256 : 255 - o; }
inline void OpaqueRow24(uint8_t* d, const uint8_t* s, int width, int o) {
    const int bytes = 3 * width, vec = (bytes >> 3) * 8, w = OpaqueByteWeight(o);
    for (int i = 0; i < vec; ++i) d[i] = static_cast<uint8_t>(Lerp(s[i], d[i], w));
    for (int i = vec; i < bytes; ++i) d[i] = static_cast<uint8_t>(d[i] + FloorDiv256((s[i] - d[i]) * o));
}
inline void OpaqueRow32(uint8_t* d, const uint8_t* s, int width, int o) {
    const int vecBytes = (width >> 1) * 8, w = OpaqueByteWeight(o);
    for (int i = 0; i < vecBytes; ++i) d[i] = static_cast<uint8_t>(Lerp(s[i], d[i], w));
    if (width & 1) BlendBytes(d + 4 * (width - 1), s + 4 * (width - 1), unsigned(o), 4);
}
inline void AlphaRow16(bool is555, uint8_t* d, const uint8_t* s, const uint8_t* a, int width, int o) {
    const int k = 255 - o;
    const int vec = (width >> 3) * 8;
    for (int half = 0; half < vec; half += 4) {
        if ((a[half] | a[half + 1] | a[half + 2] | a[half + 3]) == 0) continue;
        for (int i = half; i < half + 4; ++i) {
            const int e = a[i] > k ? a[i] - k : 0;
            const int w = e > 0 ? e + 1 : 0;
            Put16(d, i, LerpPixel16(is555, Get16(d, i), Get16(s, i), w));
        }
    }
    for (int i = vec; i < width; ++i) {
        const int e = a[i] - k;
        if (e <= 0) continue;
        Put16(d, i, e == 255 ? Get16(s, i) : RowTail16(is555, Get16(d, i), Get16(s, i), e));
    }
}
inline void AlphaRow24(uint8_t* d, const uint8_t* s, const uint8_t* a, int width, int o) {
    const int k = 255 - o;
    const int vec = (width >> 3) * 8;
    for (int g = 0; g < vec; g += 8) {
        bool any = false;
        for (int i = g; i < g + 8; ++i) any = any || a[i] != 0;
        if (!any) continue;
        for (int i = 3 * g; i < 3 * (g + 8); ++i) {
            const int e = a[i / 3] > k ? a[i / 3] - k : 0;
            d[i] = static_cast<uint8_t>(Lerp(d[i], s[i], e));
        }
    }
    for (int i = 3 * vec; i < 3 * width; ++i) {
        const int e = a[i / 3] - k;
        if (e <= 0) continue;
        d[i] = e == 255 ? s[i] : static_cast<uint8_t>(Product(e, s[i]) + Product(255 - e, d[i]));
    }
}
inline void AlphaRow32(uint8_t* d, const uint8_t* s, const uint8_t* a, int width, int o) {
    const int k = 255 - o;
    const int vec = (width >> 3) * 8;
    for (int pair = 0; pair < vec; pair += 2) {
        if ((a[pair] | a[pair + 1]) == 0) continue;
        for (int i = 4 * pair; i < 4 * (pair + 2); ++i) {
            const int e = a[i / 4] > k ? a[i / 4] - k : 0;
            d[i] = static_cast<uint8_t>(Lerp(d[i], s[i], e));
        }
    }
    for (int i = vec; i < width; ++i) {
        const int e = a[i] - k;
        if (e <= 0) continue;
        if (e == 255) {
            std::memcpy(d + 4 * i, s + 4 * i, 4);
        } else {
            BlendBytes(d + 4 * i, s + 4 * i, unsigned(e), 4);
        }
    }
}

}  // namespace ref
