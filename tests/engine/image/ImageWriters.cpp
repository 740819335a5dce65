#include "tests/engine/image/ImageWriters.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace imagetest {

namespace {

void Put16(std::vector<uint8_t>* out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>* out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

struct SPngSink {
    std::vector<uint8_t>* out;
};

void PngWrite(png_structp png, png_bytep data, size_t length) {
    SPngSink* sink = static_cast<SPngSink*>(png_get_io_ptr(png));
    sink->out->insert(sink->out->end(), data, data + length);
}
void PngFlush(png_structp) {}

// No destructors here: libpng leaves by longjmp on an error.
bool WritePngRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> WriteBmp(const SBmpSpec& spec, const std::vector<uint32_t>& values) {
    const bool core = spec.headerSize == 12;
    const uint32_t entry = core ? 3 : 4;
    const bool separateMasks = spec.compression == 3 && spec.headerSize == 40;
    const uint32_t rowBytes = ((static_cast<uint32_t>(spec.width) * spec.bitCount + 31) / 32) * 4;
    const uint32_t offBits = 14 + spec.headerSize + (separateMasks ? 12 : 0) +
                             static_cast<uint32_t>(spec.palette.size()) * entry;
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(spec.height);

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(&out, offBits + imageSize);
    Put32(&out, 0);
    Put32(&out, offBits);
    Put32(&out, spec.headerSize);
    if (core) {
        Put16(&out, static_cast<uint32_t>(spec.width));
        Put16(&out, static_cast<uint32_t>(spec.height));
        Put16(&out, 1);
        Put16(&out, static_cast<uint32_t>(spec.bitCount));
    } else {
        Put32(&out, static_cast<uint32_t>(spec.width));
        Put32(&out, static_cast<uint32_t>(spec.topDown ? -spec.height : spec.height));
        Put16(&out, 1);
        Put16(&out, static_cast<uint32_t>(spec.bitCount));
        Put32(&out, spec.compression);
        Put32(&out, imageSize);
        Put32(&out, 2835);
        Put32(&out, 2835);
        Put32(&out, spec.colorsUsed < 0 ? static_cast<uint32_t>(spec.palette.size())
                                        : static_cast<uint32_t>(spec.colorsUsed));
        Put32(&out, 0);
        if (spec.headerSize > 40) {
            for (int i = 0; i < 3; ++i) Put32(&out, spec.masks[i]);
            out.resize(14 + spec.headerSize, 0);
        }
    }
    if (separateMasks) {
        for (int i = 0; i < 3; ++i) Put32(&out, spec.masks[i]);
    }
    for (uint32_t c : spec.palette) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        if (!core) out.push_back(0);
    }
    for (int32_t r = 0; r < spec.height; ++r) {
        const int32_t y = spec.topDown ? r : spec.height - 1 - r;
        std::vector<uint8_t> row(rowBytes, 0);
        for (int32_t x = 0; x < spec.width; ++x) {
            uint32_t v = values[static_cast<size_t>(y) * spec.width + x];
            switch (spec.bitCount) {
            case 1:
            case 4:
            case 8: {
                int perByte = 8 / spec.bitCount;
                int shift = 8 - spec.bitCount * (x % perByte + 1);
                row[x / perByte] |= static_cast<uint8_t>(v << shift);
                break;
            }
            case 16:
                row[x * 2] = static_cast<uint8_t>(v);
                row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
                break;
            case 24:
                for (int i = 0; i < 3; ++i) row[x * 3 + i] = static_cast<uint8_t>(v >> (8 * i));
                break;
            case 32:
                for (int i = 0; i < 4; ++i) row[x * 4 + i] = static_cast<uint8_t>(v >> (8 * i));
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

uint32_t BmpPixelOffset(const std::vector<uint8_t>& bmp) {
    return bmp[10] | (bmp[11] << 8) | (bmp[12] << 16) | (static_cast<uint32_t>(bmp[13]) << 24);
}

int PngChannels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

std::vector<uint8_t> WritePng(const SPngSpec& spec, const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> out;
    SPngSink sink{&out};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &sink, PngWrite, PngFlush);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colorType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> plte;
    for (uint32_t c : spec.palette) {
        plte.push_back(png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    }
    if (!plte.empty()) png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    std::vector<png_byte> trnsAlpha;
    png_color_16 trnsColor{};
    if (!spec.trns.empty()) {
        if (spec.colorType == PNG_COLOR_TYPE_PALETTE) {
            for (uint16_t a : spec.trns) trnsAlpha.push_back(static_cast<png_byte>(a));
            png_set_tRNS(png, info, trnsAlpha.data(), static_cast<int>(trnsAlpha.size()), nullptr);
        } else if (spec.colorType == PNG_COLOR_TYPE_GRAY) {
            trnsColor.gray = spec.trns[0];
            png_set_tRNS(png, info, nullptr, 0, &trnsColor);
        } else {
            trnsColor.red = spec.trns[0];
            trnsColor.green = spec.trns[1];
            trnsColor.blue = spec.trns[2];
            png_set_tRNS(png, info, nullptr, 0, &trnsColor);
        }
    }

    // Pack the samples at the bit depth, most significant first, 16 bits big-endian.
    const int channels = PngChannels(spec.colorType);
    const size_t rowBytes = (static_cast<size_t>(spec.width) * channels * spec.bitDepth + 7) / 8;
    std::vector<std::vector<png_byte>> rows(spec.height, std::vector<png_byte>(rowBytes, 0));
    std::vector<png_bytep> rowPointers;
    for (uint32_t y = 0; y < spec.height; ++y) {
        const uint16_t* s = samples.data() + static_cast<size_t>(y) * spec.width * channels;
        for (size_t i = 0; i < static_cast<size_t>(spec.width) * channels; ++i) {
            if (spec.bitDepth == 16) {
                rows[y][i * 2] = static_cast<png_byte>(s[i] >> 8);
                rows[y][i * 2 + 1] = static_cast<png_byte>(s[i]);
            } else if (spec.bitDepth == 8) {
                rows[y][i] = static_cast<png_byte>(s[i]);
            } else {
                size_t bit = i * spec.bitDepth;
                rows[y][bit / 8] |= static_cast<png_byte>(s[i] << (8 - spec.bitDepth - bit % 8));
            }
        }
        rowPointers.push_back(rows[y].data());
    }
    bool ok = WritePngRows(png, info, rowPointers.data());
    png_destroy_write_struct(&png, &info);
    if (!ok) std::abort();
    return out;
}

std::vector<uint8_t> PngChunk(const char* type, const std::vector<uint8_t>& data) {
    const uint32_t length = static_cast<uint32_t>(data.size());
    std::vector<uint8_t> out(12 + data.size());
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(length >> (24 - 8 * i));
        out[4 + i] = static_cast<uint8_t>(type[i]);
    }
    if (!data.empty()) std::memcpy(out.data() + 8, data.data(), data.size());
    const uint32_t crc = static_cast<uint32_t>(crc32(0, out.data() + 4, 4 + length));
    for (int i = 0; i < 4; ++i) out[8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return out;
}

const uint8_t* PixelAt(const uint8_t* bits, int32_t pitch, int32_t height, int32_t x, int32_t y, int bytesPerPixel) {
    return bits + static_cast<size_t>(height - 1 - y) * pitch + static_cast<size_t>(x) * bytesPerPixel;
}

}  // namespace imagetest
