#pragma once
// The game's screen: 800 × 600 pixels drawn through its renderer proxy.  It registers
// itself as the thread's screen in CAppManager while it lives.
#include <cstdint>
#include <string>

#include "engine/d3d/ScreenRendererProxy.h"

class CScreen {
public:
    static constexpr int32_t kWidth = 800;
    static constexpr int32_t kHeight = 600;

    CScreen();
    ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // Chooses and opens the renderer for the window (null: the thread's window from
    // CAppManager, which may be none) and writes the system report to `reportPath`
    // (a game path; empty writes none).  False only when no renderer at all could
    // run, which cannot happen: the last choice draws nothing.
    bool Create(WindowHandle window = nullptr, bool windowed = true, const std::string& reportPath = "info.txt");

    // The proxy, which forwards to the chosen renderer.
    CScreenRenderer* GetRenderer() { return &m_Renderer; }
    // True when image planes draw through the graphics device.
    bool UsesDirect3D() const { return m_Renderer.GetKind() == CScreenRenderer::KIND_D3D; }
    int32_t GetWidth() const { return kWidth; }
    int32_t GetHeight() const { return kHeight; }

private:
    CScreenRendererProxy m_Renderer;
    bool m_Created = false;
};
