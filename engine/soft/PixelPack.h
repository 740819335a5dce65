#pragma once
// Colours into 15- and 16-bit pixels.  Both are called on the 16-bit pixel that
// receives the result, with a pointer to three colour bytes in memory order blue,
// green, red (the low three bytes of a little-endian 0x00RRGGBB colour value); they
// store the pixel and return it.  Reduction keeps the top bits of each channel.
#include <cstdint>

// X1R5G5B5, bit 15 clear.
inline uint16_t PackRGB555(uint16_t* pixel, const uint8_t* bgr) {
    const uint16_t value = static_cast<uint16_t>(((bgr[2] & 0xF8) << 7) | ((bgr[1] & 0xF8) << 2) | (bgr[0] >> 3));
    *pixel = value;
    return value;
}

// R5G6B5.
inline uint16_t PackRGB565(uint16_t* pixel, const uint8_t* bgr) {
    const uint16_t value = static_cast<uint16_t>(((bgr[2] & 0xF8) << 8) | ((bgr[1] & 0xFC) << 3) | (bgr[0] >> 3));
    *pixel = value;
    return value;
}

// The same for a colour value 0x00RRGGBB held in a register.
inline uint16_t PackColor555(uint32_t colour) {
    uint8_t bgr[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour >> 16)};
    uint16_t pixel = 0;
    return PackRGB555(&pixel, bgr);
}

inline uint16_t PackColor565(uint32_t colour) {
    uint8_t bgr[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour >> 16)};
    uint16_t pixel = 0;
    return PackRGB565(&pixel, bgr);
}
