#pragma once
// Small picture writers of the tests' own: BMP files of every depth and layout the
// decoder reads, and PNG files through libpng's writer.
#include <cstdint>
#include <string>
#include <vector>

namespace imagetest {

struct SBmpSpec {
    int32_t width = 1;
    int32_t height = 1;
    int bitCount = 24;
    bool topDown = false;
    // 12 (OS/2 core header), 40, 108 or 124.
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    // BI_BITFIELDS masks (red, green, blue).
    uint32_t masks[3] = {0, 0, 0};
    // Palette entries 0x00RRGGBB; written as B, G, R(, 0).
    std::vector<uint32_t> palette;
    // biClrUsed as written (-1: the palette's size).
    int64_t colorsUsed = -1;
};

// `values` holds width × height pixels, top row first: palette indices at 1, 4 and 8
// bits, the 16-bit word at 16, 0x00RRGGBB at 24, the whole dword at 32.
std::vector<uint8_t> WriteBmp(const SBmpSpec& spec, const std::vector<uint32_t>& values);
// Offset of the pixel array in what WriteBmp wrote.
uint32_t BmpPixelOffset(const std::vector<uint8_t>& bmp);

struct SPngSpec {
    uint32_t width = 1;
    uint32_t height = 1;
    int colorType = 2;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    // PLTE entries 0x00RRGGBB.
    std::vector<uint32_t> palette;
    // tRNS: alpha per palette entry, or one grey value, or one RGB value (3 samples).
    std::vector<uint16_t> trns;
};

// `samples` holds width × channels samples per row, top row first, each at the
// picture's bit depth.
std::vector<uint8_t> WritePng(const SPngSpec& spec, const std::vector<uint16_t>& samples);
int PngChannels(int colorType);

// A PNG chunk (length, type, data, CRC).
std::vector<uint8_t> PngChunk(const char* type, const std::vector<uint8_t>& data);

// The B, G, R bytes of picture pixel (x, y) counted from the top of an image whose
// rows run bottom row first.
const uint8_t* PixelAt(const uint8_t* bits, int32_t pitch, int32_t height, int32_t x, int32_t y, int bytesPerPixel);

// A deterministic stream of bytes for test pictures.
class CTestRandom {
public:
    explicit CTestRandom(uint32_t seed) : m_State(seed * 2654435761u + 1) {}
    uint32_t Next() {
        m_State ^= m_State << 13;
        m_State ^= m_State >> 17;
        m_State ^= m_State << 5;
        return m_State;
    }

private:
    uint32_t m_State;
};

}  // namespace imagetest
