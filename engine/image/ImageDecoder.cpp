#include "engine/image/ImageDecoder.h"

#include "engine/base/StringUtil.h"
#include "engine/image/BmpDecoder.h"
#include "engine/image/PngDecoder.h"

int32_t CImageDecoderBase::RowPitchFor(int32_t width, int bitCount) {
    int bytes = (bitCount + 7) / 8;
    return static_cast<int32_t>((static_cast<int64_t>(width) * bytes + 3) & ~int64_t{3});
}

void CImageDecoderBase::_Allocate(int32_t width, int32_t height, int bitCount, bool withAlpha) {
    _Reset();
    m_Width = width;
    m_Height = height;
    m_BitCount = bitCount;
    m_Pitch = RowPitchFor(width, bitCount);
    m_Pixels.assign(static_cast<size_t>(m_Pitch) * height, 0);
    if (withAlpha) {
        m_AlphaPitch = RowPitchFor(width, 8);
        m_Alpha.assign(static_cast<size_t>(m_AlphaPitch) * height, 0);
    }
}

void CImageDecoderBase::_Reset() {
    std::vector<uint8_t>().swap(m_Pixels);
    std::vector<uint8_t>().swap(m_Alpha);
    m_BitCount = 0;
    m_Width = m_Height = 0;
    m_Pitch = m_AlphaPitch = 0;
}

std::unique_ptr<IImageDecoder> CreateImageDecoder(const std::string& name) {
    // The extension is what follows the last '.' of the file-name part; a '.' inside
    // a folder name does not count.
    size_t slash = FindLastBackslash(PathToBackslash(name));
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < start) {
        return nullptr;
    }
    std::string ext = StrCaseConvert(name.substr(dot + 1));
    if (ext == "bmp") {
        return std::make_unique<CBmpDecoder>();
    }
    if (ext == "png") {
        return std::make_unique<CPngDecoder>();
    }
    return nullptr;
}
