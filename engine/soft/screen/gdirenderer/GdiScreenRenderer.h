#pragma once
// The renderer of the GDI path: each frame the game clears the GDI window screen's
// frame buffer through it, draws into the frame buffer (image planes with their
// software back-end, reached through GetSoftwareOutput, a CGdiScreen*), and Present
// copies the dirty rectangles to the window.  Textured primitives are the Direct3D
// path's: this renderer refuses them.
#include <memory>

#include "engine/d3d/ScreenRenderer.h"
#include "engine/soft/screen/GdiWindowScreen.h"

class CGdiScreenRenderer : public CScreenRenderer {
public:
    CGdiScreenRenderer() = default;
    ~CGdiScreenRenderer() override;

    EKind GetKind() const override { return KIND_GDI; }
    // Needs the window (it must be the calling thread's) and a frame buffer.
    bool Initialize(WindowHandle window, bool windowed) override;
    bool Clear(uint32_t argb) override;
    bool SetTextureFilter(uint32_t, uint32_t) override { return true; }
    bool SetTextureAddressMode(uint32_t, uint32_t) override { return true; }
    bool SetAlphaBlend(bool, uint32_t, uint32_t) override { return true; }
    bool BeginScene() override { return m_Screen != nullptr; }
    bool EndScene() override { return m_Screen != nullptr; }
    // The screen's Update; false only when nothing could be shown (no window or context).
    bool Present() override;
    bool DrawPrimitive(const CD3DTexture* texture, uint32_t primitiveType, uint32_t primitiveCount,
                       const SGfxVertex* vertices) override;
    bool SetRenderTarget(const CD3DTexture* target) override { return target == nullptr; }
    bool IsDeviceLost() override { return false; }
    bool RestoreDevice() override { return true; }
    // The window's full-screen switch is the window's own; nothing to reset here.
    bool SetWindowed(bool) override { return true; }
    void* GetSoftwareOutput() override { return m_Screen ? m_Screen->GetScreen() : nullptr; }

    CGdiWindowScreen* GetWindowScreen() { return m_Screen.get(); }
    int32_t GetLastUpdateResult() const { return m_LastUpdate; }

private:
    std::unique_ptr<CGdiWindowScreen> m_Screen;
    int32_t m_LastUpdate = 1;
    bool m_PrimitiveReported = false;
};

// The software path's part of the start-up: the GDI renderer factory of the renderer
// proxy and the window's display changer factory.  Called once, before the window.
void InstallSoftwareScreenPath();
