#include "engine/soft/PixelRows.h"

#include <algorithm>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
#include "engine/image/ImageFile.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/SoftSurface.h"

namespace {

// Unaligned little-endian loads and stores (rows of odd pitches are legal).
inline uint16_t _Load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void _Store16(uint8_t* p, uint32_t v) {
    const uint16_t w = static_cast<uint16_t>(v);
    std::memcpy(p, &w, 2);
}
inline void _Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// One pixel of each conversion; the row functions unroll them by 8.
struct SPix15From16 {
    static constexpr int kDst = 2, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        const uint32_t p = _Load16(s);
        _Store16(d, ((p >> 1) & 0x7FE0) | (p & 0x1F));
    }
};
struct SPix15From24 {
    static constexpr int kDst = 2, kSrc = 3;
    static void Do(uint8_t* d, const uint8_t* s) {
        _Store16(d, ((s[2] >> 3) << 10) | ((s[1] >> 3) << 5) | (s[0] >> 3));
    }
};
struct SPix15From32 {
    static constexpr int kDst = 2, kSrc = 4;
    static void Do(uint8_t* d, const uint8_t* s) { SPix15From24::Do(d, s); }
};
struct SPix16From15 {
    static constexpr int kDst = 2, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        const uint32_t p = _Load16(s);
        _Store16(d, ((p & 0x7FE0) << 1) | (p & 0x1F));
    }
};
struct SPix16From24 {
    static constexpr int kDst = 2, kSrc = 3;
    static void Do(uint8_t* d, const uint8_t* s) {
        _Store16(d, ((s[2] >> 3) << 11) | ((s[1] >> 2) << 5) | (s[0] >> 3));
    }
};
struct SPix16From32 {
    static constexpr int kDst = 2, kSrc = 4;
    static void Do(uint8_t* d, const uint8_t* s) { SPix16From24::Do(d, s); }
};
struct SPix24From15 {
    static constexpr int kDst = 3, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        const uint32_t p = _Load16(s);
        d[0] = static_cast<uint8_t>((p & 0x1F) << 3);
        d[1] = static_cast<uint8_t>((p >> 2) & 0xF8);
        d[2] = static_cast<uint8_t>((p >> 7) & 0xF8);
    }
};
struct SPix24From16 {
    static constexpr int kDst = 3, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        const uint32_t p = _Load16(s);
        d[0] = static_cast<uint8_t>((p & 0x1F) << 3);
        d[1] = static_cast<uint8_t>((p >> 3) & 0xFC);
        d[2] = static_cast<uint8_t>((p >> 8) & 0xF8);
    }
};
struct SPix24From32 {
    static constexpr int kDst = 3, kSrc = 4;
    static void Do(uint8_t* d, const uint8_t* s) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
};
struct SPix32From15 {
    static constexpr int kDst = 4, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        SPix24From15::Do(d, s);
        d[3] = 0;
    }
};
struct SPix32From16 {
    static constexpr int kDst = 4, kSrc = 2;
    static void Do(uint8_t* d, const uint8_t* s) {
        SPix24From16::Do(d, s);
        d[3] = 0;
    }
};
struct SPix32From24 {
    static constexpr int kDst = 4, kSrc = 3;
    static void Do(uint8_t* d, const uint8_t* s) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 0;
    }
};

template <typename P>
void _ConvertRow(uint8_t* dest, const uint8_t* source, int width) {
    int n = width >> 3;
    while (n-- > 0) {
        P::Do(dest + 0 * P::kDst, source + 0 * P::kSrc);
        P::Do(dest + 1 * P::kDst, source + 1 * P::kSrc);
        P::Do(dest + 2 * P::kDst, source + 2 * P::kSrc);
        P::Do(dest + 3 * P::kDst, source + 3 * P::kSrc);
        P::Do(dest + 4 * P::kDst, source + 4 * P::kSrc);
        P::Do(dest + 5 * P::kDst, source + 5 * P::kSrc);
        P::Do(dest + 6 * P::kDst, source + 6 * P::kSrc);
        P::Do(dest + 7 * P::kDst, source + 7 * P::kSrc);
        dest += 8 * P::kDst;
        source += 8 * P::kSrc;
    }
    for (int i = width & 7; i > 0; --i) {
        P::Do(dest, source);
        dest += P::kDst;
        source += P::kSrc;
    }
}

}  // namespace

void ConvertRowsSame16(uint8_t* dest, const uint8_t* source, int width) {
    if (width > 0) std::memcpy(dest, source, static_cast<size_t>(width) * 2);
}
void ConvertRows15From16(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix15From16>(dest, source, width); }
void ConvertRows15From24(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix15From24>(dest, source, width); }
void ConvertRows15From32(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix15From32>(dest, source, width); }
void ConvertRows16From15(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix16From15>(dest, source, width); }
void ConvertRows16From24(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix16From24>(dest, source, width); }
void ConvertRows16From32(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix16From32>(dest, source, width); }
void ConvertRows24From15(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix24From15>(dest, source, width); }
void ConvertRows24From16(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix24From16>(dest, source, width); }
void ConvertRows24From24(uint8_t* dest, const uint8_t* source, int width) {
    if (width > 0) std::memcpy(dest, source, static_cast<size_t>(width) * 3);
}
void ConvertRows24From32(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix24From32>(dest, source, width); }
void ConvertRows32From15(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix32From15>(dest, source, width); }
void ConvertRows32From16(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix32From16>(dest, source, width); }
void ConvertRows32From24(uint8_t* dest, const uint8_t* source, int width) { _ConvertRow<SPix32From24>(dest, source, width); }
void ConvertRows32From32(uint8_t* dest, const uint8_t* source, int width) {
    if (width > 0) std::memcpy(dest, source, static_cast<size_t>(width) * 4);
}

ConvertRowsFunc GetConvertRowsFunc(int destDepth, int sourceDepth) {
    switch (destDepth) {
    case 15:
        switch (sourceDepth) {
        case 15: return ConvertRowsSame16;
        case 16: return ConvertRows15From16;
        case 24: return ConvertRows15From24;
        case 32: return ConvertRows15From32;
        default: return nullptr;
        }
    case 16:
        switch (sourceDepth) {
        case 15: return ConvertRows16From15;
        case 16: return ConvertRowsSame16;
        case 24: return ConvertRows16From24;
        case 32: return ConvertRows16From32;
        default: return nullptr;
        }
    case 24:
        switch (sourceDepth) {
        case 15: return ConvertRows24From15;
        case 16: return ConvertRows24From16;
        case 24: return ConvertRows24From24;
        case 32: return ConvertRows24From32;
        default: return nullptr;
        }
    case 32:
        switch (sourceDepth) {
        case 15: return ConvertRows32From15;
        case 16: return ConvertRows32From16;
        case 24: return ConvertRows32From24;
        case 32: return ConvertRows32From32;
        default: return nullptr;
        }
    default:
        return nullptr;
    }
}

void ConvertPixelRows(uint8_t* dest, const uint8_t* source, int destDepth, int sourceDepth, int destPitch,
                      int sourcePitch, int width, int height) {
    const ConvertRowsFunc convert = GetConvertRowsFunc(destDepth, sourceDepth);
    if (!convert || !dest || !source || width <= 0 || height <= 0) return;
    const uint8_t* src = source + static_cast<intptr_t>(height - 1) * sourcePitch;
    for (int y = 0; y < height; ++y) {
        convert(dest, src, width);
        dest += destPitch;
        src -= sourcePitch;
    }
}

// ---------------------------------------------------------------------------------

void FillRows16(uint8_t* bits, int pitch, uint16_t pixel, const SRect& rect) {
    if (!bits || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int count = rect.right - rect.left;
    const uint32_t pair = static_cast<uint32_t>(pixel) | (static_cast<uint32_t>(pixel) << 16);
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* p = bits + static_cast<intptr_t>(y) * pitch + static_cast<intptr_t>(rect.left) * 2;
        for (int n = count >> 3; n > 0; --n) {
            _Store32(p, pair);
            _Store32(p + 4, pair);
            _Store32(p + 8, pair);
            _Store32(p + 12, pair);
            p += 16;
        }
        int rest = count & 7;
        for (; rest >= 2; rest -= 2) {
            _Store32(p, pair);
            p += 4;
        }
        if (rest) _Store16(p, pixel);
    }
}

void FillRows24(uint8_t* bits, int pitch, const uint8_t* bgr, const SRect& rect) {
    if (!bits || !bgr || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int count = rect.right - rect.left;
    // One step of 8 pixels is 24 bytes: prepared once, stored by memcpy.
    uint8_t block[24];
    for (int i = 0; i < 8; ++i) std::memcpy(block + 3 * i, bgr, 3);
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* p = bits + static_cast<intptr_t>(y) * pitch + static_cast<intptr_t>(rect.left) * 3;
        for (int n = count >> 3; n > 0; --n) {
            std::memcpy(p, block, 24);
            p += 24;
        }
        for (int rest = count & 7; rest > 0; --rest) {
            std::memcpy(p, bgr, 3);
            p += 3;
        }
    }
}

void FillRows32(uint8_t* bits, int pitch, uint32_t pixel, const SRect& rect) {
    if (!bits || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int count = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* p = bits + static_cast<intptr_t>(y) * pitch + static_cast<intptr_t>(rect.left) * 4;
        for (int n = count >> 3; n > 0; --n) {
            for (int i = 0; i < 8; ++i) _Store32(p + 4 * i, pixel);
            p += 32;
        }
        for (int rest = count & 7; rest > 0; --rest) {
            _Store32(p, pixel);
            p += 4;
        }
    }
}

void FillSurfaceRows(uint8_t* bits, int pitch, int depth, SSize size, uint32_t colorRef, SRect area) {
    if (!bits) return;
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, size.cx);
    area.bottom = std::min(area.bottom, size.cy);
    if (area == SRect{0, 0, size.cx, size.cy} && colorRef == 0) {
        std::memset(bits, 0, static_cast<size_t>(pitch) * static_cast<size_t>(size.cy));
        return;
    }
    const uint8_t bgr[3] = {static_cast<uint8_t>(colorRef >> 16), static_cast<uint8_t>(colorRef >> 8),
                            static_cast<uint8_t>(colorRef)};
    uint16_t word = 0;
    switch (depth) {
    case 15: FillRows16(bits, pitch, PackRGB555(&word, bgr), area); break;
    case 16: FillRows16(bits, pitch, PackRGB565(&word, bgr), area); break;
    case 24: FillRows24(bits, pitch, bgr, area); break;
    case 32: FillRows32(bits, pitch, ColorRefToColor(colorRef) & 0x00FFFFFF, area); break;
    default: break;
    }
}

void FillAlphaRows(uint8_t* alpha, int pitch, SSize size, uint8_t value, SRect area) {
    if (!alpha) return;
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, size.cx);
    area.bottom = std::min(area.bottom, size.cy);
    if (area.IsEmpty()) return;
    for (int y = area.top; y < area.bottom; ++y) {
        std::memset(alpha + static_cast<intptr_t>(y) * pitch + area.left, value,
                    static_cast<size_t>(area.right - area.left));
    }
}

void CopyAlphaRows(uint8_t* dest, int destPitch, SSize destSize, const CSoftSurface& sourceSurface, SRect destArea,
                   SRect sourceArea) {
    const uint8_t* source = sourceSurface.GetAlphaBits();
    if (!dest || !source) return;
    // 64-bit arithmetic: the rectangles may be anything.
    int64_t dl = destArea.left, dt = destArea.top, dr = destArea.right, db = destArea.bottom;
    int64_t sl = sourceArea.left, st = sourceArea.top, sr = sourceArea.right, sb = sourceArea.bottom;
    if (dl < 0) {
        sl -= dl;
        dl = 0;
    }
    if (dt < 0) {
        st -= dt;
        dt = 0;
    }
    if (sl < 0) {
        dl -= sl;
        sl = 0;
    }
    if (st < 0) {
        dt -= st;
        st = 0;
    }
    int32_t sourceWidth = 0, sourceHeight = 0;
    sourceSurface.GetSize(&sourceWidth, &sourceHeight);
    // The extent is the smaller of the two rectangles, then cut by both planes, so that
    // rectangles of unequal size never reach outside either plane.
    const int64_t w = std::min({sr - sl, dr - dl, int64_t{destSize.cx} - dl, int64_t{sourceWidth} - sl});
    const int64_t h = std::min({sb - st, db - dt, int64_t{destSize.cy} - dt, int64_t{sourceHeight} - st});
    if (w <= 0 || h <= 0) return;
    const int sourcePitch = sourceSurface.GetAlphaPitch();
    for (int64_t y = 0; y < h; ++y) {
        // memmove: the source may be the destination plane itself.
        std::memmove(dest + (dt + y) * destPitch + dl, source + (st + y) * sourcePitch + sl, static_cast<size_t>(w));
    }
}

// ---------------------------------------------------------------------------------

namespace {

void _Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void _Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

int32_t BitmapRowBytes(int32_t width) { return width <= 0 ? 0 : RoundPitch(int64_t{3} * width); }

std::vector<uint8_t> BuildBitmapFile(const uint8_t* bits, int pitch, int width, int height, int depth) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    const size_t rowBytes = static_cast<size_t>(BitmapRowBytes(width));
    const size_t imageSize = rowBytes * static_cast<size_t>(height);
    // Zero-filled: the row padding (and the pixels of an unknown depth) always read 0.
    std::vector<uint8_t> out(54 + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    _Put32(out, 2, static_cast<uint32_t>(54 + imageSize));
    _Put32(out, 10, 54);
    _Put32(out, 14, 40);
    _Put32(out, 18, static_cast<uint32_t>(width));
    _Put32(out, 22, static_cast<uint32_t>(height));
    _Put16(out, 26, 1);
    _Put16(out, 28, 24);
    _Put32(out, 34, static_cast<uint32_t>(imageSize));
    if (!bits) return out;

    ConvertRowsFunc convert = nullptr;
    switch (depth) {
    case 15: convert = ConvertRows24From15; break;
    case 16: convert = ConvertRows24From16; break;
    case 24: convert = ConvertRows24From24; break;
    case 32: convert = ConvertRows24From32; break;
    default: return out;
    }
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const uint8_t* src = bits + static_cast<intptr_t>(height - 1 - fileRow) * pitch;
        convert(out.data() + 54 + rowBytes * static_cast<size_t>(fileRow), src, width);
    }
    return out;
}

bool WriteSurfaceBitmap(CSoftSurface* surface, const char* path, const char* who) {
    if (!surface || !path) return false;
    int32_t width = 0, height = 0;
    surface->GetSize(&width, &height);
    std::vector<uint8_t> bytes;
    {
        // Unreadable pixels would be written as a black picture that looks saved: the
        // save fails instead, before any file is made.
        CSurfaceLock lock(surface);
        if (!lock.locked || !surface->GetBits()) {
            DebugPrintf("%s Lockに失敗しました", who);
            return false;
        }
        bytes = BuildBitmapFile(surface->GetBits(), surface->GetPitch(), width, height, surface->GetBitDepth());
    }
    // A kill part-way must leave the old file whole, as with the save files.
    if (!WriteFileAtomic(path, bytes)) {
        DebugPrintf("%s 書き込みに失敗しました。<%s>", who, path);
        return false;
    }
    return true;
}

void ConvertImageRows(const CImageFile& image, uint8_t* dest, int destDepth, int destPitch, const char* who,
                      const char* path) {
    int32_t width = 0, height = 0;
    image.GetImageSize(&width, &height);
    const int sourceDepth = image.GetBitCount();
    const int sourceBytes = sourceDepth == 15 ? 2 : sourceDepth / 8;
    const uint8_t* pixels = image.GetPixelBits();
    // Rows that the image's pitch cannot hold are never read.
    if (pixels && image.GetRowPitch() >= int64_t{sourceBytes} * width) {
        ConvertPixelRows(dest, pixels, destDepth, sourceDepth, destPitch, image.GetRowPitch(), width, height);
    } else if (pixels) {
        DebugPrintf("%s 画像の行の大きさが不正です[%s][pitch:%d]", who, path, image.GetRowPitch());
    }
}
