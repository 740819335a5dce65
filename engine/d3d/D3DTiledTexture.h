#pragma once
// A picture larger than the device's texture limit, held as a grid of textures.
// Neighbouring tiles share a one-texel border, so a filtered draw reads across tile
// edges as it would inside one texture; drawn 1:1 with point filtering the tiles give
// exactly the picture.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/d3d/D3DTexture.h"
#include "platform/gfx/GfxTypes.h"

class CD3DDevice;
struct SD3DXImageInfo;

struct SD3DRectF {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

class CD3DTiledTexture {
public:
    CD3DTiledTexture() = default;
    CD3DTiledTexture(const CD3DTiledTexture&) = delete;
    CD3DTiledTexture& operator=(const CD3DTiledTexture&) = delete;

    // Empty tiles covering width × height within the device's texture limit.
    bool Create(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format = GFX_FMT_A8R8G8B8,
                uint32_t pool = GFX_POOL_MANAGED);
    // Fills the tiles from A8R8G8B8 pixels of the picture's size (top row first,
    // `pitch` pixels a row).
    bool LoadArgb(const uint32_t* argb, uint32_t pitch);
    // Decodes an image file in memory, creates the tiles at its size and fills them.
    bool LoadFromFileInMemory(CD3DDevice* device, const void* data, size_t size, uint32_t colorKey = 0,
                              SD3DXImageInfo* info = nullptr);
    void Release();
    bool Exists() const { return !m_Tiles.empty(); }

    uint32_t GetWidth() const { return m_Width; }
    uint32_t GetHeight() const { return m_Height; }
    size_t GetTileCount() const { return m_Tiles.size(); }
    uint32_t GetColumns() const { return m_Columns; }
    uint32_t GetRows() const { return m_Rows; }

    // The whole picture with its top-left pixel at (x, y).
    bool Draw(float x, float y, uint32_t color = 0xFFFFFFFFu) const;
    // The picture's `source` rectangle stretched over `dest` (pixel edges), then moved
    // by the row-vector 4 × 4 matrix when one is given.
    bool DrawStretch(const SD3DRectF& dest, const SGfxRect& source, uint32_t color = 0xFFFFFFFFu,
                     const float* matrix = nullptr) const;

private:
    struct STile {
        std::unique_ptr<CD3DTexture> texture;
        SGfxRect core;        // the picture pixels this tile draws
        int32_t originX = 0;  // picture position of texel (0, 0)
        int32_t originY = 0;
        int32_t usedWidth = 0;  // texels filled from the picture (core and borders)
        int32_t usedHeight = 0;
    };

    CD3DDevice* m_Device = nullptr;
    uint32_t m_Width = 0;
    uint32_t m_Height = 0;
    uint32_t m_Columns = 0;
    uint32_t m_Rows = 0;
    std::vector<STile> m_Tiles;
};
