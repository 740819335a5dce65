#include "engine/d3d/D3DTexture.h"

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DXLoad.h"
#include "platform/gfx/GfxResource.h"

CD3DTexture::~CD3DTexture() { Release(); }

bool CD3DTexture::Create(uint32_t width, uint32_t height, EGfxFormat format, uint32_t pool) {
    return Create(CAppManager::GetD3DDevice(), width, height, format, pool, 0);
}

bool CD3DTexture::Create(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format, uint32_t pool, uint32_t usage) {
    Release();
    if (!device || !device->IsCreated()) {
        DebugPrintf("CD3DTexture::Create() デバイスがありません");
        return false;
    }
    m_Device = device;
    m_Width = width;
    m_Height = height;
    m_Format = format;
    m_Pool = pool;
    m_Usage = usage;
    if (!_Make()) {
        m_Device = nullptr;
        m_Width = m_Height = 0;
        m_Format = GFX_FMT_UNKNOWN;
        return false;
    }
    m_Device->RegisterResource(this);
    m_ContentLost = false;
    return true;
}

bool CD3DTexture::CreateRenderTarget(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format) {
    return Create(device, width, height, format, GFX_POOL_DEFAULT, GFX_USAGE_RENDERTARGET);
}

bool CD3DTexture::_Make() {
    return m_Device->CreateTexture(m_Width, m_Height, m_Usage, m_Format, m_Pool, &m_Texture);
}

void CD3DTexture::Release() {
    if (m_Device) {
        m_Device->UnregisterResource(this);
    }
    m_Texture.reset();
    m_Device = nullptr;
    m_Width = m_Height = 0;
    m_Format = GFX_FMT_UNKNOWN;
    m_ContentLost = false;
    m_WaitingForReset = false;
}

bool CD3DTexture::GetSurface(CD3DSurface* out) const {
    if (!out || !m_Texture) {
        return false;
    }
    std::shared_ptr<CGfxSurface> s;
    GfxResult r = m_Texture->GetSurfaceLevel(0, &s);
    if (GfxFailed(r)) {
        DebugPrintf("CD3DTexture::GetSurface() GetSurfaceLevel()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    out->Attach(std::move(s));
    return true;
}

bool CD3DTexture::Lock(SGfxLockedRect* out, const SGfxRect* rect) {
    if (!m_Texture) {
        return false;
    }
    GfxResult r = m_Texture->LockRect(0, out, rect);
    if (GfxFailed(r)) {
        DebugPrintf("CD3DTexture::Lock() LockRect()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    return true;
}

bool CD3DTexture::Unlock() {
    if (!m_Texture) {
        return false;
    }
    GfxResult r = m_Texture->UnlockRect(0);
    if (GfxFailed(r)) {
        DebugPrintf("CD3DTexture::Unlock() UnlockRect()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    return true;
}

bool CD3DTexture::LoadFromFileInMemory(const void* data, size_t size, const SGfxRect* sourceRect, uint32_t filter,
                                       uint32_t colorKey, SD3DXImageInfo* info) {
    CD3DSurface surface;
    if (!GetSurface(&surface)) {
        DebugPrintf("CD3DTexture::LoadFromFileInMemory() テクスチャがありません");
        return false;
    }
    if (!D3DXLoadSurfaceFromFileInMemory(&surface, nullptr, data, size, sourceRect, filter, colorKey, info)) {
        return false;
    }
    m_ContentLost = false;
    return true;
}

bool CD3DTexture::Draw(uint32_t primitiveType, uint32_t primitiveCount, const SGfxVertex* vertices) const {
    if (!m_Texture || !m_Device || !vertices) {
        return false;
    }
    if (!m_Device->SetTexture(0, this)) {
        return false;
    }
    m_Device->SetVertexShader(GFX_FVF_TLVERTEX);
    bool ok = m_Device->DrawPrimitiveUP(primitiveType, primitiveCount, vertices, sizeof(SGfxVertex));
    // The device holds no reference past the draw: a released texture is gone at once.
    m_Device->SetTexture(0, nullptr);
    return ok;
}

bool CD3DTexture::DrawAt(int32_t x, int32_t y, uint32_t color) const {
    float l = static_cast<float>(x) - 0.5f, t = static_cast<float>(y) - 0.5f;
    float r = l + static_cast<float>(m_Width), b = t + static_cast<float>(m_Height);
    const SGfxVertex v[4] = {
        {l, t, 0.0f, 1.0f, color, 0.0f, 0.0f},
        {r, t, 0.0f, 1.0f, color, 1.0f, 0.0f},
        {l, b, 0.0f, 1.0f, color, 0.0f, 1.0f},
        {r, b, 0.0f, 1.0f, color, 1.0f, 1.0f},
    };
    return Draw(GFX_PT_TRIANGLESTRIP, 2, v);
}

void CD3DTexture::OnDeviceLost() {
    if (m_Pool == GFX_POOL_DEFAULT && m_Texture) {
        m_Texture.reset();
        m_WaitingForReset = true;
    }
}

void CD3DTexture::OnDeviceReset() {
    if (!m_WaitingForReset || !m_Device) {
        return;
    }
    m_WaitingForReset = false;
    if (!_Make()) {
        DebugPrintf("CD3DTexture::OnDeviceReset() テクスチャの再作成に失敗[%u x %u]", m_Width, m_Height);
        return;
    }
    m_ContentLost = true;
    if (m_Restore && m_Restore(*this)) {
        m_ContentLost = false;
    }
}

void CD3DTexture::OnDeviceDestroyed() {
    m_Texture.reset();
    m_Device = nullptr;
    m_WaitingForReset = false;
}
