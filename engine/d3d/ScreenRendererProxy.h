#pragma once
// The renderer the screen owns: forwards every operation to the implementation it
// chose when it was initialised: the Direct3D renderer, else the GDI renderer (made
// by the factory the software path installs), else the renderer that draws nothing.
#include <functional>
#include <memory>

#include "engine/d3d/ScreenRenderer.h"

class CScreenRendererProxy : public CScreenRenderer {
public:
    using Factory = std::function<std::unique_ptr<CScreenRenderer>()>;

    CScreenRendererProxy();
    ~CScreenRendererProxy() override;

    // The maker of the GDI renderer (empty: none; the proxy then falls to the renderer
    // that draws nothing).  Process-wide.
    static void SetGdiRendererFactory(Factory factory);
    // Skips the Direct3D renderer (a user's choice; NIWA_FORCE_GDI=1 does the same).
    static void SetForceGdi(bool force);
    static bool IsForceGdi();

    EKind GetKind() const override;
    bool Initialize(WindowHandle window, bool windowed) override;
    bool Clear(uint32_t argb) override { return m_Impl->Clear(argb); }
    bool SetTextureFilter(uint32_t minFilter, uint32_t magFilter) override { return m_Impl->SetTextureFilter(minFilter, magFilter); }
    bool SetTextureAddressMode(uint32_t u, uint32_t v) override { return m_Impl->SetTextureAddressMode(u, v); }
    bool SetAlphaBlend(bool enable, uint32_t srcBlend, uint32_t destBlend) override {
        return m_Impl->SetAlphaBlend(enable, srcBlend, destBlend);
    }
    bool BeginScene() override { return m_Impl->BeginScene(); }
    bool EndScene() override { return m_Impl->EndScene(); }
    bool Present() override { return m_Impl->Present(); }
    bool DrawPrimitive(const CD3DTexture* texture, uint32_t primitiveType, uint32_t primitiveCount,
                       const SGfxVertex* vertices) override {
        return m_Impl->DrawPrimitive(texture, primitiveType, primitiveCount, vertices);
    }
    bool SetRenderTarget(const CD3DTexture* target) override { return m_Impl->SetRenderTarget(target); }
    bool IsDeviceLost() override { return m_Impl->IsDeviceLost(); }
    bool RestoreDevice() override { return m_Impl->RestoreDevice(); }
    bool SetWindowed(bool windowed) override { return m_Impl->SetWindowed(windowed); }
    CD3DDevice* GetD3DDevice() override { return m_Impl->GetD3DDevice(); }
    void* GetSoftwareOutput() override { return m_Impl->GetSoftwareOutput(); }

    CScreenRenderer* GetImplementation() { return m_Impl.get(); }

private:
    std::unique_ptr<CScreenRenderer> m_Impl;
};
