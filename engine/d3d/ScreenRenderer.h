#pragma once
// The screen renderer: what the game draws through each frame, whichever output
// stands behind it (the Direct3D device, the GDI frame buffer, or nothing).
#include <cstdint>

#include "platform/gfx/GfxTypes.h"
#include "platform/window/WindowMessage.h"

class CD3DDevice;
class CD3DTexture;

class CScreenRenderer {
public:
    enum EKind { KIND_NONE = 0, KIND_GDI = 1, KIND_D3D = 2 };

    virtual ~CScreenRenderer() = default;

    virtual EKind GetKind() const = 0;
    // Opens the output for the window (null: no window, nothing is shown).  False when
    // this kind of output cannot run; the proxy then tries the next kind.
    virtual bool Initialize(WindowHandle window, bool windowed) = 0;

    // Fills the whole back buffer with an ARGB colour.
    virtual bool Clear(uint32_t argb) = 0;
    // Filters of texture stage 0 for the following draws: 1 point, 2 linear,
    // 3 anisotropic (drawn as linear).
    virtual bool SetTextureFilter(uint32_t minFilter, uint32_t magFilter) = 0;
    // Addressing of texture stage 0: 1 wrap, 3 clamp.
    virtual bool SetTextureAddressMode(uint32_t u, uint32_t v) = 0;
    // Blending of the following draws: on with the factors (GFX_BLEND_*), or off.
    virtual bool SetAlphaBlend(bool enable, uint32_t srcBlend, uint32_t destBlend) = 0;
    virtual bool BeginScene() = 0;
    virtual bool EndScene() = 0;
    virtual bool Present() = 0;

    // Draws pre-transformed 28-byte vertices (x, y, z, rhw, ARGB, u, v) with the texture
    // on stage 0 (null: the vertex colours alone).  Strip (5), fan (6) or list (4).
    virtual bool DrawPrimitive(const CD3DTexture* texture, uint32_t primitiveType, uint32_t primitiveCount,
                               const SGfxVertex* vertices) = 0;
    // Draws into a render-target texture from now on; null returns to the back buffer.
    virtual bool SetRenderTarget(const CD3DTexture* target) = 0;

    // The lost-device cycle of the frame loop: IsDeviceLost, then RestoreDevice (a
    // reset) when the window is active.  Renderers without a device are never lost.
    virtual bool IsDeviceLost() = 0;
    virtual bool RestoreDevice() = 0;
    // Windowed or full screen (the device is reset for it).
    virtual bool SetWindowed(bool windowed) = 0;

    // The Direct3D device behind the renderer, null for the others.
    virtual CD3DDevice* GetD3DDevice() { return nullptr; }
    // The software output behind a GDI renderer (its frame-buffer screen), null for the others.
    virtual void* GetSoftwareOutput() { return nullptr; }
};
