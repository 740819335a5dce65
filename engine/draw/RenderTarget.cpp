#include "engine/draw/RenderTarget.h"

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/Screen.h"

CD3DDevice* GetDrawDevice() {
    CScreen* screen = CAppManager::GetScreen();
    if (screen && !screen->UsesDirect3D()) {
        return nullptr;
    }
    CD3DDevice* device = CAppManager::GetD3DDevice();
    if (!device || !device->IsCreated()) {
        return nullptr;
    }
    return device;
}

bool CRenderTarget::Prepare(CD3DDevice* device, uint32_t width, uint32_t height) {
    if (!device) {
        return false;
    }
    if (m_Texture.Exists() && m_Texture.GetDevice() == device && m_Texture.GetWidth() == width && m_Texture.GetHeight() == height) {
        return true;
    }
    if (!m_Texture.CreateRenderTarget(device, width, height)) {
        DebugPrintf("CRenderTarget::Prepare() レンダーターゲットの作成に失敗[%u x %u]", width, height);
        return false;
    }
    return true;
}

bool CRenderTargetScope::Begin(CD3DDevice* device, const CD3DTexture& target, bool clear, uint32_t colour) {
    End();
    if (!device || !target.Exists()) {
        return false;
    }
    if (!device->GetRenderTarget(&m_Previous)) {
        return false;
    }
    if (!device->SetRenderTarget(&target)) {
        m_Previous.Release();
        return false;
    }
    m_Device = device;
    // Captures taken during an update (the outgoing picture) run outside the frame's scene.
    m_OwnScene = !device->IsInScene() && device->BeginScene();
    if (clear) {
        device->Clear(colour);
    }
    return true;
}

void CRenderTargetScope::End() {
    if (!m_Device) {
        return;
    }
    if (m_OwnScene) {
        m_Device->EndScene();
        m_OwnScene = false;
    }
    m_Device->SetRenderTarget(&m_Previous);
    // A surface of a default-pool texture must not outlive a reset: let go at once.
    m_Previous.Release();
    m_Device = nullptr;
}
