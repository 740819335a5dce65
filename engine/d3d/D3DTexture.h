#pragma once
// A texture of one level.  Managed textures (the default) keep their texels through
// a lost device; default-pool ones (render targets, textures made with the
// default pool) are made again empty after a reset, marked content-lost, and their
// restore callback, when one is set, fills them again.
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/d3d/D3DResource.h"
#include "engine/d3d/D3DSurface.h"
#include "platform/gfx/GfxTypes.h"

class CD3DDevice;
class CGfxTexture;
struct SD3DXImageInfo;

class CD3DTexture : public ID3DResource {
public:
    CD3DTexture() = default;
    ~CD3DTexture() override;
    CD3DTexture(const CD3DTexture&) = delete;
    CD3DTexture& operator=(const CD3DTexture&) = delete;

    // On the calling thread's device (CAppManager::GetD3DDevice); false without one.
    bool Create(uint32_t width, uint32_t height, EGfxFormat format = GFX_FMT_A8R8G8B8, uint32_t pool = GFX_POOL_MANAGED);
    bool Create(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format = GFX_FMT_A8R8G8B8,
                uint32_t pool = GFX_POOL_MANAGED, uint32_t usage = 0);
    // A texture that drawing can target (default pool, 32-bit formats).
    bool CreateRenderTarget(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format = GFX_FMT_A8R8G8B8);
    bool Exists() const { return m_Texture != nullptr; }
    void Release();

    uint32_t GetWidth() const { return m_Width; }
    uint32_t GetHeight() const { return m_Height; }
    EGfxFormat GetFormat() const { return m_Format; }
    uint32_t GetPool() const { return m_Pool; }
    bool IsRenderTarget() const { return (m_Usage & GFX_USAGE_RENDERTARGET) != 0; }
    CD3DDevice* GetDevice() const { return m_Device; }

    // The top-level surface (for loading, reading and targets).
    bool GetSurface(CD3DSurface* out) const;
    bool Lock(SGfxLockedRect* out, const SGfxRect* rect = nullptr);
    bool Unlock();

    // Loads an image file held in memory into the whole texture (see
    // D3DXLoadSurfaceFromFileInMemory).
    bool LoadFromFileInMemory(const void* data, size_t size, const SGfxRect* sourceRect, uint32_t filter, uint32_t colorKey,
                              SD3DXImageInfo* info);

    // Draws `primitiveCount` primitives of 28-byte pre-transformed vertices from
    // memory with this texture on stage 0 (type 5: a triangle strip).
    bool Draw(uint32_t primitiveType, uint32_t primitiveCount, const SGfxVertex* vertices) const;
    // A quad covering pixels [x, x + w) × [y, y + h) with texels [0, w) × [0, h) at 1:1.
    bool DrawAt(int32_t x, int32_t y, uint32_t color = 0xFFFFFFFFu) const;

    // After a device reset emptied a default-pool texture, until cleared.
    bool IsContentLost() const { return m_ContentLost; }
    void ClearContentLost() { m_ContentLost = false; }
    // Called after the texture was made again by a reset; true when it refilled it.
    void SetRestoreCallback(std::function<bool(CD3DTexture&)> callback) { m_Restore = std::move(callback); }

    const std::shared_ptr<CGfxTexture>& GetGfx() const { return m_Texture; }

    void OnDeviceLost() override;
    void OnDeviceReset() override;
    void OnDeviceDestroyed() override;

private:
    bool _Make();

    CD3DDevice* m_Device = nullptr;
    std::shared_ptr<CGfxTexture> m_Texture;
    uint32_t m_Width = 0;
    uint32_t m_Height = 0;
    EGfxFormat m_Format = GFX_FMT_UNKNOWN;
    uint32_t m_Pool = GFX_POOL_MANAGED;
    uint32_t m_Usage = 0;
    bool m_ContentLost = false;
    bool m_WaitingForReset = false;
    std::function<bool(CD3DTexture&)> m_Restore;
};
