#include "engine/d3d/D3DVertexBuffer.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"
#include "platform/gfx/GfxResource.h"

CD3DVertexBuffer::~CD3DVertexBuffer() { Release(); }

bool CD3DVertexBuffer::Create(CD3DDevice* device, uint32_t vertexCount, uint32_t fvf, uint32_t stride, uint32_t pool) {
    Release();
    if (!device || !device->IsCreated() || vertexCount == 0 || stride == 0 || vertexCount > (64u << 20) / stride) {
        DebugPrintf("CD3DVertexBuffer::Create() 引数が不正です[vertices:%u][stride:%u]", vertexCount, stride);
        return false;
    }
    m_Device = device;
    m_Count = vertexCount;
    m_Fvf = fvf;
    m_Stride = stride;
    m_Pool = pool;
    if (!_Make()) {
        m_Device = nullptr;
        m_Count = 0;
        return false;
    }
    m_Device->RegisterResource(this);
    return true;
}

bool CD3DVertexBuffer::_Make() {
    uint32_t usage = m_Pool == GFX_POOL_DEFAULT ? (GFX_USAGE_DYNAMIC | GFX_USAGE_WRITEONLY) : 0;
    return m_Device->CreateVertexBuffer(m_Count * m_Stride, usage, m_Fvf, m_Pool, &m_Buffer);
}

void CD3DVertexBuffer::Release() {
    if (m_Device) {
        m_Device->UnregisterResource(this);
    }
    m_Buffer.reset();
    m_Device = nullptr;
    m_Count = 0;
    m_ContentLost = false;
    m_WaitingForReset = false;
}

bool CD3DVertexBuffer::Lock(void** out, uint32_t firstVertex, uint32_t vertexCount) {
    if (!m_Buffer || !out) {
        return false;
    }
    if (firstVertex > m_Count || vertexCount > m_Count - firstVertex) {
        DebugPrintf("CD3DVertexBuffer::Lock() 範囲が不正です[%u + %u / %u]", firstVertex, vertexCount, m_Count);
        return false;
    }
    uint8_t* p = nullptr;
    GfxResult r = m_Buffer->Lock(firstVertex * m_Stride, vertexCount * m_Stride, &p);
    if (GfxFailed(r)) {
        DebugPrintf("CD3DVertexBuffer::Lock() Lock()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    *out = p;
    return true;
}

bool CD3DVertexBuffer::Unlock() {
    if (!m_Buffer) {
        return false;
    }
    GfxResult r = m_Buffer->Unlock();
    if (GfxFailed(r)) {
        DebugPrintf("CD3DVertexBuffer::Unlock() Unlock()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    return true;
}

bool CD3DVertexBuffer::Write(const void* vertices, uint32_t vertexCount, uint32_t firstVertex) {
    if (!vertices || vertexCount == 0) {
        return false;
    }
    void* p = nullptr;
    if (!Lock(&p, firstVertex, vertexCount)) {
        return false;
    }
    std::memcpy(p, vertices, static_cast<size_t>(vertexCount) * m_Stride);
    Unlock();
    m_ContentLost = false;
    return true;
}

bool CD3DVertexBuffer::Draw(uint32_t primitiveType, uint32_t startVertex, uint32_t primitiveCount, const CD3DTexture* texture) const {
    if (!m_Buffer || !m_Device) {
        return false;
    }
    m_Device->SetTexture(0, texture);
    bool ok = m_Device->SetVertexShader(m_Fvf) && m_Device->SetStreamSource(this, m_Stride) &&
              m_Device->DrawPrimitive(primitiveType, startVertex, primitiveCount);
    m_Device->SetStreamSource(nullptr, 0);
    m_Device->SetTexture(0, nullptr);
    m_Device->SetVertexShader(GFX_FVF_TLVERTEX);
    return ok;
}

void CD3DVertexBuffer::OnDeviceLost() {
    if (m_Pool == GFX_POOL_DEFAULT && m_Buffer) {
        m_Buffer.reset();
        m_WaitingForReset = true;
    }
}

void CD3DVertexBuffer::OnDeviceReset() {
    if (!m_WaitingForReset || !m_Device) {
        return;
    }
    m_WaitingForReset = false;
    if (!_Make()) {
        DebugPrintf("CD3DVertexBuffer::OnDeviceReset() 頂点バッファの再作成に失敗[%u]", m_Count);
        return;
    }
    m_ContentLost = true;
    if (m_Restore && m_Restore(*this)) {
        m_ContentLost = false;
    }
}

void CD3DVertexBuffer::OnDeviceDestroyed() {
    m_Buffer.reset();
    m_Device = nullptr;
    m_WaitingForReset = false;
}
