#pragma once
// The renderer that draws nothing: the last choice of the proxy, when neither the
// device nor the GDI output can run.  Every operation succeeds and changes nothing.
#include "engine/d3d/ScreenRenderer.h"

class CNullScreenRenderer : public CScreenRenderer {
public:
    EKind GetKind() const override { return KIND_NONE; }
    bool Initialize(WindowHandle, bool) override { return true; }
    bool Clear(uint32_t) override { return true; }
    bool SetTextureFilter(uint32_t, uint32_t) override { return true; }
    bool SetTextureAddressMode(uint32_t, uint32_t) override { return true; }
    bool SetAlphaBlend(bool, uint32_t, uint32_t) override { return true; }
    bool BeginScene() override { return true; }
    bool EndScene() override { return true; }
    bool Present() override { return true; }
    bool DrawPrimitive(const CD3DTexture*, uint32_t, uint32_t, const SGfxVertex*) override { return true; }
    bool SetRenderTarget(const CD3DTexture*) override { return true; }
    bool IsDeviceLost() override { return false; }
    bool RestoreDevice() override { return true; }
    bool SetWindowed(bool) override { return true; }
};
