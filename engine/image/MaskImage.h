#pragma once
// An 8-bit single-channel image (one byte per pixel, rows top first) with a threshold
// byte: the rule picture of rule transitions and wipes.  A new image holds no
// buffer and the threshold 255.
#include <cstdint>
#include <string>
#include <vector>

class CImageFile;

class CMaskImage {
public:
    CMaskImage() = default;

    // A zeroed buffer of width × height (pitch rounded up to 4 bytes).
    bool Create(int32_t width, int32_t height);
    // Loads a picture through CImageFile keeping one channel, at the given size
    // (0, 0: the picture's own size).  False with a log line when it cannot.
    bool LoadFromFile(const std::string& path, int32_t width = 0, int32_t height = 0);
    // The same from an image already decoded.  The kept channel is the blue byte
    // (5-bit blue widened to 8 bits for 15- and 16-bit pictures); a picture of
    // another size is resampled to the requested one by nearest pixel centres.
    bool LoadFromImage(const CImageFile& image, int32_t width = 0, int32_t height = 0);
    void Release();

    uint8_t* GetBits() { return m_Bits.empty() ? nullptr : m_Bits.data(); }
    const uint8_t* GetBits() const { return m_Bits.empty() ? nullptr : m_Bits.data(); }
    void GetSize(int32_t* width, int32_t* height) const {
        if (width) *width = m_Width;
        if (height) *height = m_Height;
    }
    int32_t GetPitch() const { return m_Pitch; }
    uint8_t GetThreshold() const { return m_Threshold; }
    // Held to 0..255.
    void SetThreshold(int32_t level) { m_Threshold = static_cast<uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level); }

private:
    std::vector<uint8_t> m_Bits;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    int32_t m_Pitch = 0;
    uint8_t m_Threshold = 255;
};
