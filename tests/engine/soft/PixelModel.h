#pragma once
// Scalar models of the pixel rules, written out plainly for the tests to compare with.
#include <cstdint>

namespace pixelmodel {

inline int Bpp(int depth) { return depth == 15 ? 2 : depth / 8; }

inline uint32_t Load(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return v;
}

inline void StoreBytes(uint8_t* p, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The per-pixel rules written out plainly, one pair at a time.
inline void ModelPixel(int dd, int sd, const uint8_t* s, uint8_t* d) {
    const uint32_t sv = Load(s, Bpp(sd));
    uint32_t b = 0, g = 0, r = 0;
    if (sd == 15) {
        b = (sv & 0x1F) << 3;
        g = (sv >> 2) & 0xF8;
        r = (sv >> 7) & 0xF8;
    } else if (sd == 16) {
        b = (sv & 0x1F) << 3;
        g = (sv >> 3) & 0xFC;
        r = (sv >> 8) & 0xF8;
    } else {
        b = s[0];
        g = s[1];
        r = s[2];
    }
    if (dd == sd && (dd == 15 || dd == 16 || dd == 32)) {
        StoreBytes(d, sv, Bpp(dd));
    } else if (dd == 15 && sd == 16) {
        StoreBytes(d, ((sv >> 1) & 0x7FE0) | (sv & 0x1F), 2);
    } else if (dd == 16 && sd == 15) {
        StoreBytes(d, ((sv & 0x7FE0) << 1) | (sv & 0x1F), 2);
    } else if (dd == 15) {
        StoreBytes(d, ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3), 2);
    } else if (dd == 16) {
        StoreBytes(d, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3), 2);
    } else if (dd == 24) {
        d[0] = static_cast<uint8_t>(b);
        d[1] = static_cast<uint8_t>(g);
        d[2] = static_cast<uint8_t>(r);
    } else {
        d[0] = static_cast<uint8_t>(b);
        d[1] = static_cast<uint8_t>(g);
        d[2] = static_cast<uint8_t>(r);
        d[3] = 0;
    }
}

}  // namespace pixelmodel
