#pragma once
// The utility loaders: an image file (BMP or PNG) held in memory, or a rectangle of
// it, into a surface or texture, resampled with the given filter to the destination
// rectangle, the colour key turned into transparent black.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/GfxTypes.h"

class CD3DSurface;

enum : uint32_t {
    D3DX_FILTER_NONE = 1,      // copied, cut to the smaller size
    D3DX_FILTER_POINT = 2,     // nearest texel
    D3DX_FILTER_LINEAR = 3,    // bilinear
    D3DX_FILTER_TRIANGLE = 4,  // tent-weighted average over the covered pixels
    D3DX_FILTER_BOX = 5,       // treated as the triangle filter
    D3DX_FILTER_MASK = 0xFFFF,
    D3DX_DEFAULT = 0xFFFFFFFFu,  // the triangle filter
};

enum : uint32_t { D3DXIFF_BMP = 0, D3DXIFF_PNG = 3 };

struct SD3DXImageInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 1;
    uint32_t mipLevels = 1;
    EGfxFormat format = GFX_FMT_UNKNOWN;  // the file's own pixel layout
    uint32_t imageFileFormat = D3DXIFF_BMP;
};

// Decodes a BMP or PNG file held in memory (the kind read from its first bytes) into
// A8R8G8B8 pixels, top row first.  False with a log line when it cannot.
bool D3DXDecodeImage(const void* data, size_t size, std::vector<uint32_t>* argb, SD3DXImageInfo* info);

// Loads A8R8G8B8 pixels (top row first, `pitch` pixels a row), or their rectangle
// `sourceRect`, into `destRect` of the surface (null: all of it).  Pixels equal to a
// non-zero `colorKey` become 0 before filtering.
bool D3DXLoadSurfaceFromArgb(CD3DSurface* dest, const SGfxRect* destRect, const uint32_t* argb, uint32_t width,
                             uint32_t height, uint32_t pitch, const SGfxRect* sourceRect, uint32_t filter, uint32_t colorKey);

// As D3DXLoadSurfaceFromArgb from an image file in memory; `info` (may be null)
// receives the source image's size and layout.
bool D3DXLoadSurfaceFromFileInMemory(CD3DSurface* dest, const SGfxRect* destRect, const void* data, size_t size,
                                     const SGfxRect* sourceRect, uint32_t filter, uint32_t colorKey, SD3DXImageInfo* info);

// The resampler itself: `src` (sw × sh, top first) into `dst` (dw × dh).
void D3DXResampleArgb(const uint32_t* src, uint32_t sw, uint32_t sh, uint32_t srcPitch, uint32_t* dst, uint32_t dw,
                      uint32_t dh, uint32_t filter);
