#pragma once
// One pixel of a mix of two pictures: the first pixel a and the second pixel b at level
// t (0 shows a, 255 shows b), through the blend tables.  Shared by the plain cross-fade
// kernels, the row remainders of the vector ones and the mask blend.
#include <cstdint>
#include <cstring>

#include "engine/soft/blit/BlendTables.h"

namespace softfx3_detail {
inline uint16_t LerpTable16(const uint16_t* table, uint16_t a, uint16_t b, unsigned t) {
    if (t == 0 || a == b) {
        return a;
    }
    if (t >= 255) {
        return b;
    }
    // The two levels always add up to 31, so no channel carries into its neighbour.
    return static_cast<uint16_t>(table[((255u - t) >> 3) << 16 | a] + table[(t >> 3) << 16 | b]);
}

inline void LerpBytes3(uint8_t* out, const uint8_t* a, const uint8_t* b, unsigned t) {
    const unsigned u = 255u - t;
    out[0] = static_cast<uint8_t>(ProductTable[u << 8 | a[0]] + ProductTable[t << 8 | b[0]]);
    out[1] = static_cast<uint8_t>(ProductTable[u << 8 | a[1]] + ProductTable[t << 8 | b[1]]);
    out[2] = static_cast<uint8_t>(ProductTable[u << 8 | a[2]] + ProductTable[t << 8 | b[2]]);
}
}  // namespace softfx3_detail

inline void LerpPixel15(uint16_t* out, const uint16_t* a, const uint16_t* b, uint8_t t) {
    *out = softfx3_detail::LerpTable16(BlendTable555, *a, *b, t);
}
inline void LerpPixel16(uint16_t* out, const uint16_t* a, const uint16_t* b, uint8_t t) {
    *out = softfx3_detail::LerpTable16(BlendTable565, *a, *b, t);
}
inline void LerpPixel24(uint8_t* out, const uint8_t* a, const uint8_t* b, uint8_t t) {
    if (t == 0 || (a[0] == b[0] && a[1] == b[1] && a[2] == b[2])) {
        std::memmove(out, a, 3);
        return;
    }
    if (t == 255) {
        std::memmove(out, b, 3);
        return;
    }
    softfx3_detail::LerpBytes3(out, a, b, t);
}
// The X byte is copied with a whole pixel (level 0 or 255, or equal pixels) and
// otherwise keeps the value it had in `out`.
inline void LerpPixel32(uint8_t* out, const uint8_t* a, const uint8_t* b, uint8_t t) {
    if (t == 0 || std::memcmp(a, b, 4) == 0) {
        std::memmove(out, a, 4);
        return;
    }
    if (t == 255) {
        std::memmove(out, b, 4);
        return;
    }
    softfx3_detail::LerpBytes3(out, a, b, t);
}
