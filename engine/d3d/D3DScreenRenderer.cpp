#include "engine/d3d/D3DScreenRenderer.h"

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"

CD3DScreenRenderer::CD3DScreenRenderer() = default;

CD3DScreenRenderer::~CD3DScreenRenderer() {
    if (m_Registered && CAppManager::GetD3DDevice() == m_Device.get()) {
        CAppManager::SetD3DDevice(nullptr);
    }
    m_Device.reset();
}

bool CD3DScreenRenderer::Initialize(WindowHandle window, bool windowed) {
    if (m_Device) {
        return true;
    }
    auto device = std::make_unique<CD3DDevice>();
    if (!device->Create(window, windowed)) {
        DebugPrintf("CD3DScreenRenderer::Initialize() Direct3Dデバイスを作成できません");
        return false;
    }
    m_Device = std::move(device);
    CAppManager::SetD3DDevice(m_Device.get());
    m_Registered = true;
    return true;
}

bool CD3DScreenRenderer::Clear(uint32_t argb) { return m_Device && m_Device->Clear(argb); }

bool CD3DScreenRenderer::SetTextureFilter(uint32_t minFilter, uint32_t magFilter) {
    return m_Device && m_Device->SetTextureFilter(0, minFilter, magFilter);
}

bool CD3DScreenRenderer::SetTextureAddressMode(uint32_t u, uint32_t v) {
    return m_Device && m_Device->SetTextureAddressMode(0, u, v);
}

bool CD3DScreenRenderer::SetAlphaBlend(bool enable, uint32_t srcBlend, uint32_t destBlend) {
    return m_Device && m_Device->SetAlphaBlend(enable, srcBlend, destBlend);
}

bool CD3DScreenRenderer::BeginScene() { return m_Device && m_Device->BeginScene(); }

bool CD3DScreenRenderer::EndScene() { return m_Device && m_Device->EndScene(); }

bool CD3DScreenRenderer::Present() { return m_Device && m_Device->Present(); }

bool CD3DScreenRenderer::DrawPrimitive(const CD3DTexture* texture, uint32_t primitiveType, uint32_t primitiveCount,
                                       const SGfxVertex* vertices) {
    if (!m_Device) {
        return false;
    }
    if (texture) {
        return texture->Draw(primitiveType, primitiveCount, vertices);
    }
    m_Device->SetTexture(0, nullptr);
    m_Device->SetVertexShader(GFX_FVF_TLVERTEX);
    return m_Device->DrawPrimitiveUP(primitiveType, primitiveCount, vertices, sizeof(SGfxVertex));
}

bool CD3DScreenRenderer::SetRenderTarget(const CD3DTexture* target) { return m_Device && m_Device->SetRenderTarget(target); }

bool CD3DScreenRenderer::IsDeviceLost() { return !m_Device || m_Device->IsLost(); }

bool CD3DScreenRenderer::RestoreDevice() {
    if (!m_Device) {
        return false;
    }
    GfxResult r = m_Device->TestCooperativeLevel();
    if (r == GFX_OK) {
        return true;
    }
    if (r != GFX_E_DEVICENOTRESET) {
        return false;  // still lost: try again on a later frame
    }
    return m_Device->ResetDevice();
}

bool CD3DScreenRenderer::SetWindowed(bool windowed) { return m_Device && m_Device->ResetDevice(windowed); }
