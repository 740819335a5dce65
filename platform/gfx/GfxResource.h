#pragma once
// Pixel storage, surfaces, textures and vertex buffers of the software device.
// Storage keeps the format's own bytes (what Lock hands out); formats other than the
// 32-bit ones also keep an A8R8G8B8 copy, refreshed at Unlock, that drawing samples.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/GfxTypes.h"

// Bytes per pixel of a format, 0 for a format the device does not hold.
uint32_t GfxFormatBytes(EGfxFormat format);
bool GfxFormatHasAlpha(EGfxFormat format);
// One pixel of the format (read from `src`) as A8R8G8B8; formats without alpha give
// 255, A8 gives black with its alpha, a 5- or 4-bit channel is widened by repeating
// its top bits.
uint32_t GfxPixelToArgb(EGfxFormat format, const uint8_t* src);
// Stores an A8R8G8B8 colour as one pixel of the format (channels truncated).
void GfxArgbToPixel(EGfxFormat format, uint32_t argb, uint8_t* dest);

class CGfxPixels {
public:
    CGfxPixels(EGfxFormat format, uint32_t width, uint32_t height, uint32_t usage, uint32_t pool);

    EGfxFormat GetFormat() const { return m_Format; }
    uint32_t GetWidth() const { return m_Width; }
    uint32_t GetHeight() const { return m_Height; }
    int32_t GetPitch() const { return m_Pitch; }
    uint32_t GetUsage() const { return m_Usage; }
    uint32_t GetPool() const { return m_Pool; }
    SGfxSurfaceDesc GetDesc() const { return SGfxSurfaceDesc{m_Format, m_Usage, m_Pool, m_Width, m_Height}; }

    uint8_t* GetBytes() { return m_Bytes.data(); }
    const uint8_t* GetBytes() const { return m_Bytes.data(); }
    uint8_t* Row(uint32_t y) { return m_Bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(m_Pitch); }
    const uint8_t* Row(uint32_t y) const { return m_Bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(m_Pitch); }

    // The A8R8G8B8 texels drawing samples: the storage itself for the 32-bit formats,
    // the converted copy otherwise.  Texel (x, y) is ArgbRow(y)[x] | GetAlphaOr().
    const uint32_t* ArgbRow(uint32_t y) const;
    // Texels from one ArgbRow to the next.
    int64_t ArgbPitch() const { return IsArgb32() ? m_Pitch / 4 : static_cast<int64_t>(m_Width); }
    uint32_t GetAlphaOr() const { return m_Format == GFX_FMT_X8R8G8B8 ? 0xFF000000u : 0u; }
    bool IsArgb32() const { return m_Format == GFX_FMT_A8R8G8B8 || m_Format == GFX_FMT_X8R8G8B8; }

    GfxResult Lock(SGfxLockedRect* out, const SGfxRect* rect);
    GfxResult Unlock();
    bool IsLocked() const { return m_Locked; }
    // Brings the sampled copy up to date for a rectangle written behind Lock's back
    // (CopyRects, the loaders).
    void Refresh(const SGfxRect& rect);

private:
    EGfxFormat m_Format;
    uint32_t m_Width;
    uint32_t m_Height;
    int32_t m_Pitch;
    uint32_t m_Usage;
    uint32_t m_Pool;
    std::vector<uint8_t> m_Bytes;
    std::vector<uint32_t> m_Argb;
    bool m_Locked = false;
    SGfxRect m_LockRect;
};

class CGfxSurface {
public:
    explicit CGfxSurface(std::shared_ptr<CGfxPixels> pixels) : m_Pixels(std::move(pixels)) {}
    SGfxSurfaceDesc GetDesc() const { return m_Pixels->GetDesc(); }
    GfxResult LockRect(SGfxLockedRect* out, const SGfxRect* rect, uint32_t flags = 0);
    GfxResult UnlockRect();
    CGfxPixels& Pixels() { return *m_Pixels; }
    const CGfxPixels& Pixels() const { return *m_Pixels; }
    const std::shared_ptr<CGfxPixels>& SharedPixels() const { return m_Pixels; }

private:
    std::shared_ptr<CGfxPixels> m_Pixels;
};

class CGfxTexture {
public:
    explicit CGfxTexture(std::shared_ptr<CGfxPixels> pixels) : m_Pixels(std::move(pixels)) {}
    uint32_t GetLevelCount() const { return 1; }
    GfxResult GetLevelDesc(uint32_t level, SGfxSurfaceDesc* out) const;
    // The level's surface shares the texture's pixels.
    GfxResult GetSurfaceLevel(uint32_t level, std::shared_ptr<CGfxSurface>* out);
    GfxResult LockRect(uint32_t level, SGfxLockedRect* out, const SGfxRect* rect, uint32_t flags = 0);
    GfxResult UnlockRect(uint32_t level);
    CGfxPixels& Pixels() { return *m_Pixels; }
    const CGfxPixels& Pixels() const { return *m_Pixels; }
    const std::shared_ptr<CGfxPixels>& SharedPixels() const { return m_Pixels; }

private:
    std::shared_ptr<CGfxPixels> m_Pixels;
};

class CGfxVertexBuffer {
public:
    CGfxVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool)
        : m_Bytes(length), m_Usage(usage), m_Fvf(fvf), m_Pool(pool) {}
    uint32_t GetLength() const { return static_cast<uint32_t>(m_Bytes.size()); }
    uint32_t GetFvf() const { return m_Fvf; }
    uint32_t GetUsage() const { return m_Usage; }
    uint32_t GetPool() const { return m_Pool; }
    // size 0 locks from offset to the end.
    GfxResult Lock(uint32_t offset, uint32_t size, uint8_t** out, uint32_t flags = 0);
    GfxResult Unlock();
    const uint8_t* GetBytes() const { return m_Bytes.data(); }

private:
    std::vector<uint8_t> m_Bytes;
    uint32_t m_Usage;
    uint32_t m_Fvf;
    uint32_t m_Pool;
    bool m_Locked = false;
};
