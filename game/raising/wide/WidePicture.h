#pragma once
// The landscape of the wide background: the left 800 × 432 of "obj\b000_003.bmp"
// (2400 × 432) in one square texture, its pure green made transparent, drawn from
// y 56 down.  The picture's other two thirds are never shown, so only the first slice
// is loaded.
#include <cstdint>

#include "engine/d3d/D3DTexture.h"

class CWidePicture {
public:
    static constexpr const char* kFile = "obj\\b000_003.bmp";
    static constexpr int32_t kSliceWidth = 800;
    static constexpr int32_t kSliceHeight = 432;
    static constexpr uint32_t kColourKey = 0xFF00FF00u;
    static constexpr float kTop = 55.5f;

    CWidePicture() = default;
    virtual ~CWidePicture() = default;
    CWidePicture(const CWidePicture&) = delete;
    CWidePicture& operator=(const CWidePicture&) = delete;

    // False (and no texture) when the file, the device or the picture fails.
    bool Load();
    void Release() { m_Slice.Release(); }
    // Slice 0 exists.
    bool Exists() const { return m_Slice.Exists(); }
    // Draws slice 0; other slices have nothing to draw.
    void Draw(int slice);

    // 512 when the device takes textures larger than 256 on a side (its limit read as
    // at most 1024), else 256.
    static uint32_t TextureSide(uint32_t maxWidth, uint32_t maxHeight);
    const CD3DTexture& GetTexture() const { return m_Slice; }
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHeight() const { return m_Height; }

private:
    CD3DTexture m_Slice;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
};
