#include "engine/image/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "engine/base/Log.h"

namespace {

// What libpng's callbacks see.  Plain data only: libpng leaves the callbacks by
// longjmp, which must not skip any destructor.
struct SPngSource {
    const uint8_t* data;
    size_t size;
    size_t pos;
    const char* name;
};

void PngReadCallback(png_structp png, png_bytep out, size_t length) {
    SPngSource* src = static_cast<SPngSource*>(png_get_io_ptr(png));
    if (length > src->size - src->pos) {
        png_error(png, "unexpected end of file");
    }
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void PngErrorCallback(png_structp png, png_const_charp message) {
    const SPngSource* src = static_cast<const SPngSource*>(png_get_error_ptr(png));
    DebugPrintf("CPngDecoder::Decode() PNGのデコードに失敗しました[%s][%s]", src->name, message);
    png_longjmp(png, 1);
}

// Warnings are left unlogged: libpng only warns about things it can read past.
void PngWarningCallback(png_structp, png_const_charp) {}

// png_read_png under the error jump; false when libpng gave up (already logged).
// Holds no object with a destructor, so the jump back here skips nothing.
bool ReadWholePng(png_structp png, png_infop info, int transforms) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_user_limits(png, IImageDecoder::kMaxSide, IImageDecoder::kMaxSide);
    png_read_png(png, info, transforms, nullptr);
    return true;
}

uint32_t ReadU32BE(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

class CPngReadGuard {
public:
    CPngReadGuard(png_structp png, png_infop info) : m_Png(png), m_Info(info) {}
    ~CPngReadGuard() { png_destroy_read_struct(&m_Png, m_Info ? &m_Info : nullptr, nullptr); }
    CPngReadGuard(const CPngReadGuard&) = delete;
    CPngReadGuard& operator=(const CPngReadGuard&) = delete;

private:
    png_structp m_Png;
    png_infop m_Info;
};

// Deflate packs at most 1032 bytes into one; a header that claims more pixel data
// than the file could hold is refused before anything is allocated.
constexpr uint64_t kMaxInflateRatio = 1032;

}  // namespace

bool CPngDecoder::Decode(const uint8_t* data, size_t size, const std::string& name) {
    _Reset();
    const char* n = name.c_str();
    constexpr size_t kSignatureSize = 8;
    constexpr size_t kIhdrEnd = kSignatureSize + 8 + 13;
    if (!data || size < kIhdrEnd || png_sig_cmp(data, 0, kSignatureSize) != 0) {
        DebugPrintf("CPngDecoder::Decode() PNGファイルではありません[%s]", n);
        return false;
    }
    // libpng insists on IHDR coming first, so its fields can be read here.
    if (ReadU32BE(data + 8) != 13 || std::memcmp(data + 12, "IHDR", 4) != 0) {
        DebugPrintf("CPngDecoder::Decode() IHDRがありません[%s]", n);
        return false;
    }
    const bool paletted = data[25] == PNG_COLOR_TYPE_PALETTE;
    {
        uint32_t width = ReadU32BE(data + 16), height = ReadU32BE(data + 20);
        uint32_t depth = data[24] > 16 ? 16 : data[24];
        uint32_t colorType = data[25];
        if (width == 0 || height == 0 || width > static_cast<uint32_t>(kMaxSide) ||
            height > static_cast<uint32_t>(kMaxSide)) {
            DebugPrintf("CPngDecoder::Decode() 画像サイズが不正です[%s][%ux%u]", n, width, height);
            return false;
        }
        uint32_t channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
        // Interlaced pictures add at most one filter byte per row of each of 7 passes.
        uint64_t raw = static_cast<uint64_t>(height) * (8 + (static_cast<uint64_t>(width) * channels * depth + 7) / 8);
        if (raw > static_cast<uint64_t>(size) * kMaxInflateRatio + 65536) {
            DebugPrintf("CPngDecoder::Decode() 画像データが途切れています[%s][%ux%u]", n, width, height);
            return false;
        }
    }

    SPngSource source{data, size, 0, n};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, PngErrorCallback, PngWarningCallback);
    if (!png) {
        DebugPrintf("CPngDecoder::Decode() png_create_read_structに失敗しました[%s]", n);
        return false;
    }
    png_infop info = png_create_info_struct(png);
    CPngReadGuard guard(png, info);
    if (!info) {
        DebugPrintf("CPngDecoder::Decode() png_create_info_structに失敗しました[%s]", n);
        return false;
    }
    png_set_read_fn(png, &source, PngReadCallback);
    // Palette pictures are expanded here rather than by libpng, which would draw an
    // index past the palette black instead of reporting it.
    const int transforms = paletted ? PNG_TRANSFORM_PACKING
                                    : PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_GRAY_TO_RGB |
                                          PNG_TRANSFORM_BGR;
    if (!ReadWholePng(png, info, transforms)) {
        return false;
    }
    if (paletted) {
        return _ExpandPalette(png, info, n);
    }

    const uint32_t width = png_get_image_width(png, info);
    const uint32_t height = png_get_image_height(png, info);
    const int channels = png_get_channels(png, info);
    const int depth = png_get_bit_depth(png, info);
    png_bytepp rows = png_get_rows(png, info);
    if (!rows || depth != 8 || (channels != 3 && channels != 4) || width == 0 || height == 0 ||
        width > static_cast<uint32_t>(kMaxSide) || height > static_cast<uint32_t>(kMaxSide)) {
        DebugPrintf("CPngDecoder::Decode() 未対応の画素形式です[%s][channels:%d][bit:%d]", n, channels, depth);
        return false;
    }

    const bool alpha = channels == 4;
    const int32_t w = static_cast<int32_t>(width);
    const int32_t h = static_cast<int32_t>(height);
    _Allocate(w, h, alpha ? 32 : 24, alpha);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* src = rows[y];
        uint8_t* dst = _RowFromTop(y);
        std::memcpy(dst, src, static_cast<size_t>(w) * channels);
        if (alpha) {
            uint8_t* a = _AlphaRow(y);
            for (int32_t x = 0; x < w; ++x) {
                a[x] = src[x * 4 + 3];
            }
        }
    }
    return true;
}

bool CPngDecoder::_ExpandPalette(png_structp png, png_infop info, const char* name) {
    const uint32_t width = png_get_image_width(png, info);
    const uint32_t height = png_get_image_height(png, info);
    png_bytepp rows = png_get_rows(png, info);
    png_colorp palette = nullptr;
    int paletteCount = 0;
    if (!rows || png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE || png_get_bit_depth(png, info) != 8 ||
        png_get_PLTE(png, info, &palette, &paletteCount) == 0 || !palette || width == 0 || height == 0 ||
        width > static_cast<uint32_t>(kMaxSide) || height > static_cast<uint32_t>(kMaxSide)) {
        DebugPrintf("CPngDecoder::Decode() 未対応の画素形式です[%s]", name);
        return false;
    }
    png_bytep transparency = nullptr;
    int transparencyCount = 0;
    if (png_get_tRNS(png, info, &transparency, &transparencyCount, nullptr) == 0 || !transparency) {
        transparencyCount = 0;
    }

    const bool alpha = transparencyCount > 0;
    const int32_t w = static_cast<int32_t>(width);
    const int32_t h = static_cast<int32_t>(height);
    const int bytes = alpha ? 4 : 3;
    _Allocate(w, h, alpha ? 32 : 24, alpha);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* src = rows[y];
        uint8_t* dst = _RowFromTop(y);
        uint8_t* a = alpha ? _AlphaRow(y) : nullptr;
        for (int32_t x = 0; x < w; ++x) {
            const int index = src[x];
            if (index >= paletteCount) {
                DebugPrintf("CPngDecoder::Decode() パレットの範囲外の色番号があります[%s][index:%d][colors:%d]", name,
                            index, paletteCount);
                _Reset();
                return false;
            }
            dst[x * bytes + 0] = palette[index].blue;
            dst[x * bytes + 1] = palette[index].green;
            dst[x * bytes + 2] = palette[index].red;
            if (alpha) {
                const uint8_t value = index < transparencyCount ? transparency[index] : 255;
                dst[x * 4 + 3] = value;
                a[x] = value;
            }
        }
    }
    return true;
}
