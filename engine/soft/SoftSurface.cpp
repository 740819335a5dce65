#include "engine/soft/SoftSurface.h"

#include <cstring>

#include "engine/soft/PixelPack.h"

void CSoftSurface::SetPixel(int x, int y, uint32_t colour) {
    if (!IsCreated()) return;
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    if (x < 0 || x >= w || y < 0 || y >= h) return;
    CSurfaceLock lock(this);
    uint8_t* bits = GetBits();
    if (!bits) return;
    uint8_t* row = bits + static_cast<intptr_t>(y) * GetPitch();
    const uint8_t bgr[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour >> 16)};
    uint16_t word = 0;
    switch (GetBitDepth()) {
    case 15:
        PackRGB555(&word, bgr);
        std::memcpy(row + 2 * x, &word, 2);
        break;
    case 16:
        PackRGB565(&word, bgr);
        std::memcpy(row + 2 * x, &word, 2);
        break;
    case 24:
        std::memcpy(row + 3 * x, bgr, 3);
        break;
    case 32:
        std::memcpy(row + 4 * x, &colour, 4);
        break;
    default:
        break;
    }
}

uint32_t CSoftSurface::GetPixel(int x, int y) {
    if (!IsCreated()) return 0;
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    if (x < 0 || x >= w || y < 0 || y >= h) return 0;
    CSurfaceLock lock(this);
    const uint8_t* bits = GetBits();
    if (!bits) return 0;
    const uint8_t* row = bits + static_cast<intptr_t>(y) * GetPitch();
    uint16_t word = 0;
    uint32_t value = 0;
    switch (GetBitDepth()) {
    case 15:
        std::memcpy(&word, row + 2 * x, 2);
        return Expand555To888(word);
    case 16:
        std::memcpy(&word, row + 2 * x, 2);
        return Expand565To888(word);
    case 24: {
        const uint8_t* p = row + 3 * x;
        return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
    }
    case 32:
        std::memcpy(&value, row + 4 * x, 4);
        return value;
    default:
        return 0;
    }
}

void CSoftSurface::SetAlpha(int x, int y, uint8_t alpha) {
    if (!IsCreated()) return;
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    if (x < 0 || x >= w || y < 0 || y >= h) return;
    uint8_t* alphaBits = GetAlphaBits();
    if (!alphaBits) return;
    alphaBits[static_cast<intptr_t>(y) * GetAlphaPitch() + x] = alpha;
}

uint8_t CSoftSurface::GetAlpha(int x, int y) const {
    if (!IsCreated()) return 0;
    int32_t w = 0, h = 0;
    GetSize(&w, &h);
    if (x < 0 || x >= w || y < 0 || y >= h) return 0;
    const uint8_t* alphaBits = GetAlphaBits();
    if (!alphaBits) return 0;
    return alphaBits[static_cast<intptr_t>(y) * GetAlphaPitch() + x];
}

void CSoftSurface::OnStretchBlt(CSoftSurface*, const SRect*, const SRect*, const SRect*, int, uint32_t, SRect) {}

void CSoftSurface::OnBlt(CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, uint32_t, SRect) {}

void CSoftSurface::OnDrawEffect3(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                                 const SSize*, const SRect*, int, SRect) {}

void CSoftSurface::OnDrawTransition(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                                    const SPoint*, const SSize*, const SSize*, const SRect*, int, SRect) {}
