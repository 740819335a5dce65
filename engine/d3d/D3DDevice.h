#pragma once
// The engine's graphics device: one per window, registered in CD3DManager.  Every
// device call has one wrapper here that logs a failure as
// "CD3DDevice::<method>() <call>()に失敗[APIReturnValue:<error name>]" and answers
// false.  Render and texture-stage states are cached so that setting a state to the
// value it holds costs nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/d3d/D3DDeviceCaps.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/window/WindowMessage.h"

class ID3DResource;
class CD3DSurface;
class CD3DTexture;
class CD3DVertexBuffer;

class CD3DDevice {
public:
    static constexpr uint32_t kScreenWidth = 800;
    static constexpr uint32_t kScreenHeight = 600;

    CD3DDevice();
    ~CD3DDevice();
    CD3DDevice(const CD3DDevice&) = delete;
    CD3DDevice& operator=(const CD3DDevice&) = delete;

    // Registers with CD3DManager for `window` (refused when the window already has a
    // device) and creates the device: hardware, then software, then reference
    // rasterisation.  Presents go to the window when there is one.
    bool Create(WindowHandle window, bool windowed = true, uint32_t width = kScreenWidth, uint32_t height = kScreenHeight);
    // Releases the device (resources are told) and leaves the manager.
    void Destroy();
    bool IsCreated() const { return m_Device != nullptr; }
    WindowHandle GetWindow() const { return m_Window; }
    bool IsWindowed() const { return m_Params.windowed; }
    uint32_t GetDeviceType() const { return m_DeviceType; }
    // The software device itself (null before Create), for tests and the system report.
    CGfxDevice* GetDevice() { return m_Device.get(); }
    const CGfxDevice* GetDevice() const { return m_Device.get(); }
    const CD3DDeviceCaps& GetCaps() const { return m_Caps; }

    // --- the frame ---
    // Clears the whole render target (the viewport) to an ARGB colour.
    bool Clear(uint32_t color);
    bool Clear(uint32_t count, const SGfxRect* rects, uint32_t flags, uint32_t color, float z = 1.0f, uint32_t stencil = 0);
    bool BeginScene();
    bool EndScene();
    bool IsInScene() const { return m_InScene; }
    bool Present();
    // The device's cooperative level (GFX_OK, DEVICELOST, DEVICENOTRESET ...).
    GfxResult TestCooperativeLevel();
    // True while the device is lost (not created counts as lost).
    bool IsLost();
    // Resets a lost device (or changes windowed / full screen): every resource is told
    // it is lost, the device is reset, the engine's states are set again and every
    // resource is restored.  False (resources stay lost until the next try) on failure.
    bool ResetDevice(bool windowed);
    bool ResetDevice() { return ResetDevice(m_Params.windowed); }

    // --- states ---
    bool SetRenderState(uint32_t state, uint32_t value);
    uint32_t GetRenderState(uint32_t state) const;
    bool SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);
    uint32_t GetTextureStageState(uint32_t stage, uint32_t type) const;
    // Minification and magnification filters: 1 point, 2 linear, 3 anisotropic.  A
    // state that holds the value is skipped.  False without a device or while lost.
    bool SetTextureFilter(uint32_t stage, uint32_t minFilter, uint32_t magFilter);
    // 1 wrap, 3 clamp.
    bool SetTextureAddressMode(uint32_t stage, uint32_t u, uint32_t v);
    // Alpha blending on with the factors, or off.
    bool SetAlphaBlend(bool enable, uint32_t srcBlend = GFX_BLEND_SRCALPHA, uint32_t destBlend = GFX_BLEND_INVSRCALPHA);
    bool SetTexture(uint32_t stage, const CD3DTexture* texture);
    bool SetViewport(const SGfxViewport& viewport);

    // --- drawing ---
    bool SetVertexShader(uint32_t fvf);
    bool SetStreamSource(const CD3DVertexBuffer* buffer, uint32_t stride);
    bool DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount);
    bool DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride);
    // One of the fixed pixel programs (GFX_PS_*), 0 for the texture stages.
    bool SetPixelShader(uint32_t handle);
    bool SetPixelShaderConstant(uint32_t reg, const float* values, uint32_t count);

    // --- targets ---
    // Draws into the texture's surface from now on; null returns to the back buffer.
    bool SetRenderTarget(const CD3DSurface* target);
    bool SetRenderTarget(const CD3DTexture* target);
    bool GetRenderTarget(CD3DSurface* out);
    bool GetBackBuffer(CD3DSurface* out);
    bool CopyRects(const CD3DSurface& source, const SGfxRect* rects, uint32_t count, CD3DSurface& dest, const SGfxPoint* points);

    // --- resources (the resource classes call these) ---
    bool CreateTexture(uint32_t width, uint32_t height, uint32_t usage, EGfxFormat format, uint32_t pool,
                       std::shared_ptr<CGfxTexture>* out);
    bool CreateImageSurface(uint32_t width, uint32_t height, EGfxFormat format, std::shared_ptr<CGfxSurface>* out);
    bool CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool, std::shared_ptr<CGfxVertexBuffer>* out);
    bool CreatePixelShader(uint32_t program, uint32_t* handle);
    void RegisterResource(ID3DResource* resource);
    void UnregisterResource(ID3DResource* resource);
    size_t GetResourceCount() const { return m_Resources.size(); }

    // Puts the engine's own states: no culling, lighting or depth; alpha blending
    // (source alpha, inverse source alpha); stage 0 modulating texture by diffuse in
    // colour and alpha; point filtering; clamped addressing; the 28-byte vertex.
    void SetDefaultStates();

private:
    bool _Check(GfxResult result, const char* method, const char* call);
    // Sets two stage states (filter or address pair), skipping those already set; the
    // failing one is logged by name and forgotten.
    bool _SetStagePair(const char* method, uint32_t stage, const uint32_t (&types)[2], const uint32_t (&values)[2],
                       const char* const (&names)[2]);
    void _ForgetStates();

    WindowHandle m_Window = nullptr;
    bool m_Registered = false;
    std::unique_ptr<CGfxDevice> m_Device;
    uint32_t m_DeviceType = 0;
    SGfxPresentParams m_Params;
    CD3DDeviceCaps m_Caps;
    bool m_InScene = false;
    bool m_LostReported = false;
    std::vector<ID3DResource*> m_Resources;
    // Cached states; kUnknown forces the next set through.
    static constexpr uint32_t kUnknown = 0xFFFFFFFEu;
    std::array<uint32_t, GFX_RS_COUNT> m_RenderStates{};
    std::array<std::array<uint32_t, GFX_TSS_COUNT>, GFX_MAX_STAGES> m_StageStates{};
};
