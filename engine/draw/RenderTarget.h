#pragma once
// A render-target texture of the screen's size on the thread's graphics device, and
// the scope that draws into one and then puts back the target that was set before
// (so that captures nest: a nested scene manager may capture while its owner does).
#include <cstdint>

#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/D3DTexture.h"

class CD3DDevice;

// The thread's graphics device when image planes draw through it, else null.
CD3DDevice* GetDrawDevice();

class CRenderTarget {
public:
    // Makes sure the texture exists on `device` at width × height (made again when the
    // device or size changed).  False with a log line when it cannot.
    bool Prepare(CD3DDevice* device, uint32_t width = 800, uint32_t height = 600);
    bool Exists() const { return m_Texture.Exists(); }
    const CD3DTexture& GetTexture() const { return m_Texture; }
    CD3DTexture& GetTexture() { return m_Texture; }
    uint32_t GetWidth() const { return m_Texture.GetWidth(); }
    uint32_t GetHeight() const { return m_Texture.GetHeight(); }
    void Release() { m_Texture.Release(); }

private:
    CD3DTexture m_Texture;
};

class CRenderTargetScope {
public:
    CRenderTargetScope() = default;
    ~CRenderTargetScope() { End(); }
    CRenderTargetScope(const CRenderTargetScope&) = delete;
    CRenderTargetScope& operator=(const CRenderTargetScope&) = delete;

    // Draws into the texture from now on; `clear` fills it with the colour first.
    bool Begin(CD3DDevice* device, const CD3DTexture& target, bool clear = true, uint32_t colour = 0xFF000000u);
    // Puts back the previous target.  Nothing when not begun.
    void End();
    bool IsActive() const { return m_Device != nullptr; }

private:
    CD3DDevice* m_Device = nullptr;
    CD3DSurface m_Previous;
    bool m_OwnScene = false;  // began a scene for the capture (drawn outside the frame)
};
