#include "engine/image/ImageFile.h"

#include <new>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/image/ImageDecoder.h"

CImageFile::CImageFile() = default;
CImageFile::~CImageFile() = default;

bool CImageFile::Open(const std::string& path) {
    Close();
    std::vector<uint8_t> bytes;
    if (!CFile::ReadAll(path, &bytes)) {
        DebugPrintf("CImageFile::Open() ファイルを開けません[%s]", path.c_str());
        return false;
    }
    return OpenMemory(bytes.data(), bytes.size(), path);
}

bool CImageFile::OpenMemory(const uint8_t* data, size_t size, const std::string& nameForType) {
    Close();
    std::unique_ptr<IImageDecoder> decoder = CreateImageDecoder(nameForType);
    if (!decoder) {
        DebugPrintf("CImageFile::OpenMemory() 未対応の画像形式です[%s]", nameForType.c_str());
        return false;
    }
    try {
        if (!decoder->Decode(data, size, nameForType)) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        DebugPrintf("CImageFile::OpenMemory() メモリ割り当てに失敗！[%s][src_size:%zubyte]", nameForType.c_str(), size);
        return false;
    }
    m_Decoder = std::move(decoder);
    return true;
}

void CImageFile::Close() { m_Decoder.reset(); }

const uint8_t* CImageFile::GetPixelBits() const { return m_Decoder ? m_Decoder->GetPixelBits() : nullptr; }

const uint8_t* CImageFile::GetAlphaPlane() const { return m_Decoder ? m_Decoder->GetAlphaPlane() : nullptr; }

int CImageFile::GetBitCount() const { return m_Decoder ? m_Decoder->GetBitCount() : 0; }

void CImageFile::GetImageSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_Decoder ? m_Decoder->GetWidth() : 0;
    if (height) *height = m_Decoder ? m_Decoder->GetHeight() : 0;
}

int32_t CImageFile::GetRowPitch() const { return m_Decoder ? m_Decoder->GetRowPitch() : 0; }

int32_t CImageFile::GetAlphaRowPitch() const { return m_Decoder ? m_Decoder->GetAlphaRowPitch() : 0; }
