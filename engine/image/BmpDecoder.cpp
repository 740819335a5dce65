#include "engine/image/BmpDecoder.h"

#include <algorithm>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/file/PakFormat.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

using pak::GetU16;
using pak::GetU32;

struct SPaletteEntry {
    uint8_t b, g, r;
};

}  // namespace

bool CBmpDecoder::Decode(const uint8_t* data, size_t size, const std::string& name) {
    _Reset();
    const char* n = name.c_str();
    if (!data || size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M') {
        DebugPrintf("CBmpDecoder::Decode() BMPファイルではありません[%s]", n);
        return false;
    }
    const uint32_t offBits = GetU32(data + 10);
    const uint32_t headerSize = GetU32(data + 14);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) {
        DebugPrintf("CBmpDecoder::Decode() 未対応のヘッダです[%s][header:%u]", n, headerSize);
        return false;
    }
    if (headerSize > size - kFileHeaderSize) {
        DebugPrintf("CBmpDecoder::Decode() ヘッダが途切れています[%s]", n);
        return false;
    }

    const uint8_t* h = data + kFileHeaderSize;
    int64_t width = 0, height = 0;
    int bpp = 0;
    uint32_t compression = kBiRgb, colorsUsed = 0;
    size_t entrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        width = GetU16(h + 4);
        height = GetU16(h + 6);
        bpp = GetU16(h + 10);
        entrySize = 3;
    } else {
        width = static_cast<int32_t>(GetU32(h + 4));
        height = static_cast<int32_t>(GetU32(h + 8));
        bpp = GetU16(h + 14);
        compression = GetU32(h + 16);
        colorsUsed = GetU32(h + 32);
    }
    size_t pos = kFileHeaderSize + headerSize;

    if (compression == kBiRle8 || compression == kBiRle4) {
        DebugPrintf("CBmpDecoder::Decode() RLE圧縮のBMPには対応していません[%s]", n);
        return false;
    }
    if (compression != kBiRgb && compression != kBiBitfields) {
        DebugPrintf("CBmpDecoder::Decode() 未対応の圧縮形式です[%s][compression:%u]", n, compression);
        return false;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        DebugPrintf("CBmpDecoder::Decode() 未対応の色数です[%s][bit:%d]", n, bpp);
        return false;
    }
    if (compression == kBiBitfields && bpp != 16 && bpp != 32) {
        // Masks belong to 16- and 32-bit pictures only; at other depths the
        // compression is as unknown as any other.
        DebugPrintf("CBmpDecoder::Decode() 未対応の圧縮形式です[%s][compression:%u][bit:%d]", n, compression, bpp);
        return false;
    }

    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        DebugPrintf("CBmpDecoder::Decode() 画像サイズが不正です[%s][%lldx%lld]", n, static_cast<long long>(width),
                    static_cast<long long>(height));
        return false;
    }

    // Colour masks: inside a V2 or later header, else right after the 40-byte one.
    uint32_t maskR = 0, maskG = 0, maskB = 0;
    if (compression == kBiBitfields) {
        const uint8_t* m = nullptr;
        if (headerSize >= kInfoHeaderSize + 12) {
            m = h + kInfoHeaderSize;
        } else {
            if (size - pos < 12) {
                DebugPrintf("CBmpDecoder::Decode() ビットマスクが途切れています[%s]", n);
                return false;
            }
            m = data + pos;
            pos += 12;
        }
        maskR = GetU32(m);
        maskG = GetU32(m + 4);
        maskB = GetU32(m + 8);
    }

    int outBits = bpp;
    if (bpp <= 8) {
        outBits = 24;
    } else if (bpp == 16) {
        outBits = 15;
        if (compression == kBiBitfields) {
            if (maskR == 0xF800 && maskG == 0x07E0 && maskB == 0x001F) {
                outBits = 16;
            } else if (!(maskR == 0x7C00 && maskG == 0x03E0 && maskB == 0x001F)) {
                DebugPrintf("CBmpDecoder::Decode() 未対応のビットマスクです[%s][%08X,%08X,%08X]", n, maskR, maskG, maskB);
                return false;
            }
        }
    } else if (bpp == 32 && compression == kBiBitfields) {
        if (!(maskR == 0x00FF0000 && maskG == 0x0000FF00 && maskB == 0x000000FF)) {
            DebugPrintf("CBmpDecoder::Decode() 未対応のビットマスクです[%s][%08X,%08X,%08X]", n, maskR, maskG, maskB);
            return false;
        }
    }

    if (offBits < pos || offBits > size) {
        DebugPrintf("CBmpDecoder::Decode() 画素データの位置が不正です[%s][offset:%u]", n, offBits);
        return false;
    }

    // The palette lies between the headers and the pixels.  A table that would run
    // into the pixels is cut there; the pixels must then stay within what is left.
    SPaletteEntry palette[256] = {};
    uint32_t paletteCount = 0;
    if (bpp <= 8) {
        uint32_t maxColors = 1u << bpp;
        paletteCount = colorsUsed == 0 ? maxColors : std::min(colorsUsed, maxColors);
        // A table cut to nothing leaves every index past it: the pixel loop reports
        // that like any other index past the palette.
        paletteCount = static_cast<uint32_t>(std::min<size_t>(paletteCount, (offBits - pos) / entrySize));
        for (uint32_t i = 0; i < paletteCount; ++i) {
            const uint8_t* e = data + pos + i * entrySize;
            palette[i] = SPaletteEntry{e[0], e[1], e[2]};
        }
    }

    // Every row but the last must be whole; the last may lack its padding.
    const int64_t rowBits = width * bpp;
    const int64_t srcStride = ((rowBits + 31) / 32) * 4;
    const int64_t need = srcStride * (height - 1) + (rowBits + 7) / 8;
    if (need > static_cast<int64_t>(size - offBits)) {
        DebugPrintf("CBmpDecoder::Decode() 画素データが途切れています[%s][need:%lld][have:%lld]", n,
                    static_cast<long long>(need), static_cast<long long>(size - offBits));
        return false;
    }

    const int32_t w = static_cast<int32_t>(width);
    const int32_t hgt = static_cast<int32_t>(height);
    _Allocate(w, hgt, outBits, false);
    for (int32_t r = 0; r < hgt; ++r) {
        const uint8_t* src = data + offBits + static_cast<size_t>(r) * srcStride;
        uint8_t* dst = _RowFromTop(topDown ? r : hgt - 1 - r);
        if (bpp > 8) {
            std::memcpy(dst, src, static_cast<size_t>(w) * (bpp / 8));
            continue;
        }
        const int perByte = 8 / bpp;
        const unsigned mask = (1u << bpp) - 1;
        for (int32_t x = 0; x < w; ++x) {
            int shift = 8 - bpp * (x % perByte + 1);
            unsigned index = (src[x / perByte] >> shift) & mask;
            if (index >= paletteCount) {
                DebugPrintf("CBmpDecoder::Decode() パレットの範囲外の色番号があります[%s][index:%u][colors:%u]", n,
                            index, paletteCount);
                _Reset();
                return false;
            }
            dst[x * 3 + 0] = palette[index].b;
            dst[x * 3 + 1] = palette[index].g;
            dst[x * 3 + 2] = palette[index].r;
        }
    }
    return true;
}
