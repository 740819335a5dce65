#pragma once
// A vertex buffer of pre-transformed vertices.  Default-pool buffers (dynamic use)
// are lost with the device and made again empty after a reset.
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/d3d/D3DResource.h"
#include "platform/gfx/GfxTypes.h"

class CD3DDevice;
class CGfxVertexBuffer;

class CD3DVertexBuffer : public ID3DResource {
public:
    CD3DVertexBuffer() = default;
    ~CD3DVertexBuffer() override;
    CD3DVertexBuffer(const CD3DVertexBuffer&) = delete;
    CD3DVertexBuffer& operator=(const CD3DVertexBuffer&) = delete;

    bool Create(CD3DDevice* device, uint32_t vertexCount, uint32_t fvf = GFX_FVF_TLVERTEX,
                uint32_t stride = sizeof(SGfxVertex), uint32_t pool = GFX_POOL_MANAGED);
    bool Exists() const { return m_Buffer != nullptr; }
    void Release();

    bool Lock(void** out, uint32_t firstVertex = 0, uint32_t vertexCount = 0);
    bool Unlock();
    // Copies vertices in (lock, copy, unlock).
    bool Write(const void* vertices, uint32_t vertexCount, uint32_t firstVertex = 0);
    // Draws from this buffer: its layout, its stream, then the primitives.
    bool Draw(uint32_t primitiveType, uint32_t startVertex, uint32_t primitiveCount, const class CD3DTexture* texture) const;

    uint32_t GetVertexCount() const { return m_Count; }
    uint32_t GetStride() const { return m_Stride; }
    uint32_t GetFvf() const { return m_Fvf; }
    bool IsContentLost() const { return m_ContentLost; }
    void ClearContentLost() { m_ContentLost = false; }
    void SetRestoreCallback(std::function<bool(CD3DVertexBuffer&)> callback) { m_Restore = std::move(callback); }
    const std::shared_ptr<CGfxVertexBuffer>& GetGfx() const { return m_Buffer; }

    void OnDeviceLost() override;
    void OnDeviceReset() override;
    void OnDeviceDestroyed() override;

private:
    bool _Make();

    CD3DDevice* m_Device = nullptr;
    std::shared_ptr<CGfxVertexBuffer> m_Buffer;
    uint32_t m_Count = 0;
    uint32_t m_Fvf = 0;
    uint32_t m_Stride = 0;
    uint32_t m_Pool = GFX_POOL_MANAGED;
    bool m_ContentLost = false;
    bool m_WaitingForReset = false;
    std::function<bool(CD3DVertexBuffer&)> m_Restore;
};
