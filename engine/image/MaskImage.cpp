#include "engine/image/MaskImage.h"

#include <new>

#include "engine/base/Log.h"
#include "engine/image/ImageDecoder.h"
#include "engine/image/ImageFile.h"

namespace {

bool SizeInRange(int32_t width, int32_t height) {
    return width > 0 && height > 0 && width <= IImageDecoder::kMaxSide && height <= IImageDecoder::kMaxSide;
}

// The source coordinate whose pixel centre is nearest the centre of destination
// coordinate `d` when `srcSize` pixels are spread over `dstSize`.
int32_t NearestSource(int32_t d, int32_t srcSize, int32_t dstSize) {
    return static_cast<int32_t>((2 * static_cast<int64_t>(d) + 1) * srcSize / (2 * static_cast<int64_t>(dstSize)));
}

}  // namespace

bool CMaskImage::Create(int32_t width, int32_t height) {
    Release();
    if (!SizeInRange(width, height)) {
        DebugPrintf("CMaskImage::Create() サイズが不正です[%dx%d]", width, height);
        return false;
    }
    const int32_t pitch = (width + 3) & ~3;
    try {
        m_Bits.assign(static_cast<size_t>(pitch) * height, 0);
    } catch (const std::bad_alloc&) {
        DebugPrintf("CMaskImage::Create() メモリ割り当てに失敗！[%dx%d]", width, height);
        Release();
        return false;
    }
    m_Width = width;
    m_Height = height;
    m_Pitch = pitch;
    return true;
}

bool CMaskImage::LoadFromFile(const std::string& path, int32_t width, int32_t height) {
    Release();
    CImageFile image;
    if (!image.Open(path)) {
        DebugPrintf("CMaskImage::LoadFromFile() 画像を読み込めません[%s]", path.c_str());
        return false;
    }
    return LoadFromImage(image, width, height);
}

bool CMaskImage::LoadFromImage(const CImageFile& image, int32_t width, int32_t height) {
    Release();
    const uint8_t* bits = image.GetPixelBits();
    int32_t srcWidth = 0, srcHeight = 0;
    image.GetImageSize(&srcWidth, &srcHeight);
    const int bitCount = image.GetBitCount();
    const int32_t srcPitch = image.GetRowPitch();
    if (!bits || !SizeInRange(srcWidth, srcHeight) ||
        (bitCount != 15 && bitCount != 16 && bitCount != 24 && bitCount != 32)) {
        DebugPrintf("CMaskImage::LoadFromImage() 画像がありません");
        return false;
    }
    if (width == 0) width = srcWidth;
    if (height == 0) height = srcHeight;
    if (!Create(width, height)) {
        return false;
    }

    const int bytesPerPixel = bitCount == 15 ? 2 : bitCount / 8;
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x) {
        columns[x] = NearestSource(x, srcWidth, width) * bytesPerPixel;
    }
    for (int32_t y = 0; y < height; ++y) {
        // Image rows run bottom row first; mask rows top row first.
        const int32_t sy = NearestSource(y, srcHeight, height);
        const uint8_t* src = bits + static_cast<size_t>(srcHeight - 1 - sy) * srcPitch;
        uint8_t* dst = m_Bits.data() + static_cast<size_t>(y) * m_Pitch;
        if (bytesPerPixel == 2) {
            for (int32_t x = 0; x < width; ++x) {
                unsigned blue = src[columns[x]] & 0x1F;
                dst[x] = static_cast<uint8_t>((blue << 3) | (blue >> 2));
            }
        } else {
            for (int32_t x = 0; x < width; ++x) {
                dst[x] = src[columns[x]];
            }
        }
    }
    return true;
}

void CMaskImage::Release() {
    std::vector<uint8_t>().swap(m_Bits);
    m_Width = 0;
    m_Height = 0;
    m_Pitch = 0;
}
