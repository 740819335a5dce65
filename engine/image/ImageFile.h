#pragma once
// A decoded image file (BMP or PNG, chosen by the file's extension).  Pixel rows run
// bottom row first with a pitch rounded up to 4 bytes; the alpha plane, when the
// image has one, is one byte per pixel, top row first.  Bit counts: 15 (X1R5G5B5),
// 16 (R5G6B5), 24 (B, G, R bytes) and 32 (B, G, R, X/A bytes).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class IImageDecoder;

class CImageFile {
public:
    CImageFile();
    ~CImageFile();
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    // True when the file was found and decoded; false (with a log line) otherwise,
    // leaving no decoder.
    bool Open(const std::string& path);
    // Decodes an image held in memory; `nameForType` gives the extension.
    bool OpenMemory(const uint8_t* data, size_t size, const std::string& nameForType);
    void Close();
    bool IsOpen() const { return m_Decoder != nullptr; }

    // The accessors answer 0 or null without a decoder.
    const uint8_t* GetPixelBits() const;
    const uint8_t* GetAlphaPlane() const;
    int GetBitCount() const;
    void GetImageSize(int32_t* width, int32_t* height) const;
    int32_t GetRowPitch() const;
    int32_t GetAlphaRowPitch() const;

private:
    std::unique_ptr<IImageDecoder> m_Decoder;
};
