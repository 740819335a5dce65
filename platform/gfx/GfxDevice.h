#pragma once
// The software graphics device: a back buffer, render states and texture stages,
// and a rasteriser for pre-transformed triangles that keeps the rules of the
// hardware devices the engine was written for: pixel centres on integer
// coordinates, the top-left fill rule, texel centres at (i + 0.5) / size, culling
// by winding (counter-clockwise culled by default).
//
// One device per window; every call comes from the thread that draws.  Calls that
// the device refuses return a negative GfxResult.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/gfx/GfxResource.h"
#include "platform/gfx/GfxTypes.h"

// The device calls a test can make fail (InjectFailure).
enum class EGfxCall {
    Present,
    Clear,
    BeginScene,
    EndScene,
    SetRenderState,
    SetTextureStageState,
    SetTexture,
    SetVertexShader,
    SetStreamSource,
    DrawPrimitive,
    DrawPrimitiveUP,
    CreateTexture,
    CreateImageSurface,
    CreateVertexBuffer,
    CreatePixelShader,
    SetPixelShader,
    SetPixelShaderConstant,
    SetRenderTarget,
    GetBackBuffer,
    CopyRects,
    SetViewport,
    Reset,
    TestCooperativeLevel,
};

// Receives the finished frame: B, G, R, X bytes, rows top first.
using GfxPresentTarget = std::function<void(const void* pixels, int width, int height, int pitchBytes)>;

class CGfxDevice {
public:
    CGfxDevice(uint32_t deviceType, const SGfxPresentParams& params, const SGfxCaps& caps);
    ~CGfxDevice();
    CGfxDevice(const CGfxDevice&) = delete;
    CGfxDevice& operator=(const CGfxDevice&) = delete;

    // Frame.
    GfxResult TestCooperativeLevel();
    GfxResult Reset(const SGfxPresentParams& params);
    GfxResult Present();
    GfxResult BeginScene();
    GfxResult EndScene();
    GfxResult Clear(uint32_t count, const SGfxRect* rects, uint32_t flags, uint32_t color, float z = 1.0f, uint32_t stencil = 0);

    // States.
    GfxResult SetRenderState(uint32_t state, uint32_t value);
    GfxResult GetRenderState(uint32_t state, uint32_t* value) const;
    GfxResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);
    GfxResult GetTextureStageState(uint32_t stage, uint32_t type, uint32_t* value) const;
    GfxResult SetTexture(uint32_t stage, std::shared_ptr<CGfxTexture> texture);
    GfxResult SetViewport(const SGfxViewport& viewport);
    GfxResult GetViewport(SGfxViewport* viewport) const;

    // Drawing.
    GfxResult SetVertexShader(uint32_t fvf);
    GfxResult SetStreamSource(uint32_t stream, std::shared_ptr<CGfxVertexBuffer> buffer, uint32_t stride);
    GfxResult DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount);
    GfxResult DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride);

    // Fixed pixel programs (GFX_PS_*): the handle is the program's number.
    GfxResult CreatePixelShader(uint32_t program, uint32_t* handle);
    GfxResult DeletePixelShader(uint32_t handle);
    GfxResult SetPixelShader(uint32_t handle);
    GfxResult SetPixelShaderConstant(uint32_t reg, const float* values, uint32_t count);

    // Resources.
    GfxResult CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, EGfxFormat format, uint32_t pool,
                            std::shared_ptr<CGfxTexture>* out);
    GfxResult CreateImageSurface(uint32_t width, uint32_t height, EGfxFormat format, std::shared_ptr<CGfxSurface>* out);
    GfxResult CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                                 std::shared_ptr<CGfxVertexBuffer>* out);

    // Targets.  A render target is the back buffer or the surface of a render-target
    // texture; setting one resets the viewport to the whole target.
    GfxResult SetRenderTarget(std::shared_ptr<CGfxSurface> target);
    GfxResult GetRenderTarget(std::shared_ptr<CGfxSurface>* out) const;
    GfxResult GetBackBuffer(std::shared_ptr<CGfxSurface>* out) const;
    // Copies rectangles between surfaces of one format (null rects: the whole source
    // to (0, 0)).
    GfxResult CopyRects(const CGfxSurface& source, const SGfxRect* rects, uint32_t count, CGfxSurface& dest,
                        const SGfxPoint* points);

    GfxResult GetDeviceCaps(SGfxCaps* caps) const;
    uint32_t GetDeviceType() const { return m_DeviceType; }
    const SGfxPresentParams& GetPresentParams() const { return m_Params; }
    uint32_t GetAvailableTextureMem() const;

    void SetPresentTarget(GfxPresentTarget target) { m_PresentTarget = std::move(target); }

    // Test hooks.  A lost device answers Present with DEVICELOST and
    // TestCooperativeLevel with DEVICENOTRESET until Reset; draws do nothing.
    void SimulateDeviceLost() { m_Lost = true; }
    bool IsLost() const { return m_Lost; }
    // The next `count` calls of the kind fail with `result`.
    void InjectFailure(EGfxCall call, GfxResult result, int count = 1);
    void ClearInjectedFailures() { m_Failures.clear(); }
    void SetMaxTextureSize(uint32_t width, uint32_t height);
    void SetTexturePow2(bool pow2) { m_Caps.texturePow2 = pow2; }
    // Draw statistics: how many quads took the axis-aligned fast path.
    uint64_t GetFastQuadCount() const { return m_FastQuads; }
    uint64_t GetTriangleCount() const { return m_Triangles; }
    // Default-pool resources still alive (Reset refuses to run while any are).
    size_t CountLiveDefaultResources() const;

private:
    struct SVertexIn;
    bool _Fail(EGfxCall call, GfxResult* result);
    void _ResetStates();
    void _Track(const std::shared_ptr<void>& resource, uint32_t pool);
    GfxResult _Draw(uint32_t type, uint32_t primitiveCount, const uint8_t* data, uint32_t stride, uint32_t fvf, size_t available);

    uint32_t m_DeviceType;
    SGfxPresentParams m_Params;
    SGfxCaps m_Caps;
    bool m_Lost = false;
    bool m_InScene = false;
    std::shared_ptr<CGfxSurface> m_BackBuffer;
    std::shared_ptr<CGfxSurface> m_RenderTarget;
    SGfxViewport m_Viewport;
    std::array<uint32_t, GFX_RS_COUNT> m_RenderStates{};
    std::array<std::array<uint32_t, GFX_TSS_COUNT>, GFX_MAX_STAGES> m_StageStates{};
    std::array<std::shared_ptr<CGfxTexture>, GFX_MAX_STAGES> m_Textures;
    uint32_t m_Fvf = GFX_FVF_TLVERTEX;
    std::shared_ptr<CGfxVertexBuffer> m_Stream;
    uint32_t m_StreamStride = 0;
    uint32_t m_PixelShader = 0;
    std::array<std::array<float, 4>, GFX_PS_CONSTANTS> m_PsConstants{};
    std::vector<std::weak_ptr<void>> m_DefaultResources;
    std::map<EGfxCall, std::pair<GfxResult, int>> m_Failures;
    GfxPresentTarget m_PresentTarget;
    uint64_t m_FastQuads = 0;
    uint64_t m_Triangles = 0;
};
