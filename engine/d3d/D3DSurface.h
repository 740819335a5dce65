#pragma once
// A surface: the back buffer, a texture's top level or an image surface in memory.
// A surface taken from a default-pool texture must not be kept across a device
// reset (the reset waits for its memory to be released).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/GfxResource.h"

class CD3DDevice;

class CD3DSurface {
public:
    CD3DSurface() = default;
    explicit CD3DSurface(std::shared_ptr<CGfxSurface> surface) : m_Surface(std::move(surface)) {}

    // A surface in memory that CopyRects can fill and SaveBitmap can write.
    bool CreateImageSurface(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format = GFX_FMT_A8R8G8B8);
    bool Exists() const { return m_Surface != nullptr; }
    void Release() { m_Surface.reset(); }
    void Attach(std::shared_ptr<CGfxSurface> surface) { m_Surface = std::move(surface); }

    SGfxSurfaceDesc GetDesc() const;
    uint32_t GetWidth() const { return GetDesc().width; }
    uint32_t GetHeight() const { return GetDesc().height; }
    bool Lock(SGfxLockedRect* out, const SGfxRect* rect = nullptr);
    bool Unlock();

    // Writes the surface as an uncompressed 24-bit Windows bitmap at a game path:
    // "BM" header of 14 bytes, 40-byte information header, pixels from offset 54,
    // bottom row first, rows of blue, green, red padded to 4 bytes.  16-bit channels are
    // widened by shifting them to the top of their byte.  Written atomically (a
    // temporary file beside it, flushed, renamed over; a missing folder is made), so a
    // failed or interrupted write leaves the old file whole.  False when the surface is
    // missing, cannot be read or the file cannot be written.
    bool SaveBitmap(const std::string& path) const;
    // The same bitmap as bytes.
    bool EncodeBitmap(std::vector<uint8_t>* out) const;

    const std::shared_ptr<CGfxSurface>& GetGfx() const { return m_Surface; }

private:
    std::shared_ptr<CGfxSurface> m_Surface;
};
