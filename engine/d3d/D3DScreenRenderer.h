#pragma once
// The renderer over the graphics device: owns the window's CD3DDevice and makes it
// the thread's device in CAppManager while it lives.
#include <memory>

#include "engine/d3d/ScreenRenderer.h"

class CD3DScreenRenderer : public CScreenRenderer {
public:
    CD3DScreenRenderer();
    ~CD3DScreenRenderer() override;

    EKind GetKind() const override { return KIND_D3D; }
    bool Initialize(WindowHandle window, bool windowed) override;
    bool Clear(uint32_t argb) override;
    bool SetTextureFilter(uint32_t minFilter, uint32_t magFilter) override;
    bool SetTextureAddressMode(uint32_t u, uint32_t v) override;
    bool SetAlphaBlend(bool enable, uint32_t srcBlend, uint32_t destBlend) override;
    bool BeginScene() override;
    bool EndScene() override;
    bool Present() override;
    bool DrawPrimitive(const CD3DTexture* texture, uint32_t primitiveType, uint32_t primitiveCount,
                       const SGfxVertex* vertices) override;
    bool SetRenderTarget(const CD3DTexture* target) override;
    bool IsDeviceLost() override;
    bool RestoreDevice() override;
    bool SetWindowed(bool windowed) override;
    CD3DDevice* GetD3DDevice() override { return m_Device.get(); }

private:
    std::unique_ptr<CD3DDevice> m_Device;
    bool m_Registered = false;
};
