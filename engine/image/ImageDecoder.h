#pragma once
// The decoders behind CImageFile.  Each turns a whole picture file held in memory
// into the layout CImageFile hands out: pixel rows bottom row first with a pitch
// rounded up to 4 bytes, and an optional alpha plane, one byte per pixel, top row
// first, its pitch the width rounded up to 4.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IImageDecoder {
public:
    // Neither width nor height may exceed this.
    static constexpr int32_t kMaxSide = 16384;

    virtual ~IImageDecoder() = default;

    // Decodes the whole file; `name` only labels the log lines.  False (with a log
    // line) when the data is not a picture this decoder can read; the decoder then
    // holds nothing.
    virtual bool Decode(const uint8_t* data, size_t size, const std::string& name) = 0;

    virtual const uint8_t* GetPixelBits() const = 0;
    virtual const uint8_t* GetAlphaPlane() const = 0;
    virtual int GetBitCount() const = 0;
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    virtual int32_t GetRowPitch() const = 0;
    virtual int32_t GetAlphaRowPitch() const = 0;
};

// The decoded picture's storage, shared by every decoder.
class CImageDecoderBase : public IImageDecoder {
public:
    const uint8_t* GetPixelBits() const override { return m_Pixels.empty() ? nullptr : m_Pixels.data(); }
    const uint8_t* GetAlphaPlane() const override { return m_Alpha.empty() ? nullptr : m_Alpha.data(); }
    int GetBitCount() const override { return m_BitCount; }
    int32_t GetWidth() const override { return m_Width; }
    int32_t GetHeight() const override { return m_Height; }
    int32_t GetRowPitch() const override { return m_Pitch; }
    int32_t GetAlphaRowPitch() const override { return m_AlphaPitch; }

    // Bytes of one row of `width` pixels of `bitCount` bits, rounded up to 4.
    static int32_t RowPitchFor(int32_t width, int bitCount);

protected:
    // Sizes the buffers for a picture (pixels zeroed, alpha plane only when asked).
    // Callers have checked the size against kMaxSide.
    void _Allocate(int32_t width, int32_t height, int bitCount, bool withAlpha);
    // Drops everything (after a failure part-way through).
    void _Reset();
    // Start of pixel row `y` counted from the top of the picture.
    uint8_t* _RowFromTop(int32_t y) { return m_Pixels.data() + static_cast<size_t>(m_Height - 1 - y) * m_Pitch; }
    uint8_t* _AlphaRow(int32_t y) { return m_Alpha.data() + static_cast<size_t>(y) * m_AlphaPitch; }

    std::vector<uint8_t> m_Pixels;
    std::vector<uint8_t> m_Alpha;
    int m_BitCount = 0;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    int32_t m_Pitch = 0;
    int32_t m_AlphaPitch = 0;
};

// The decoder for a file name's extension (".bmp", ".png", any case), or null.
std::unique_ptr<IImageDecoder> CreateImageDecoder(const std::string& name);
