#include "engine/d3d/D3DDevice.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/d3d/D3DManager.h"
#include "engine/d3d/D3DResource.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/D3DTexture.h"
#include "engine/d3d/D3DVertexBuffer.h"
#include "platform/gfx/GfxSystem.h"
#include "platform/window/PlatformWindow.h"

namespace {

const char* DeviceTypeName(uint32_t type) {
    switch (type) {
    case GFX_DEVTYPE_HAL: return "D3DDEVTYPE_HAL";
    case GFX_DEVTYPE_SW: return "D3DDEVTYPE_SW";
    case GFX_DEVTYPE_REF: return "D3DDEVTYPE_REF";
    default: return "D3DDEVTYPE_UNKNOWN";
    }
}

}  // namespace

CD3DDevice::CD3DDevice() { _ForgetStates(); }

CD3DDevice::~CD3DDevice() { Destroy(); }

bool CD3DDevice::_Check(GfxResult result, const char* method, const char* call) {
    if (!GfxFailed(result)) {
        return true;
    }
    DebugPrintf("CD3DDevice::%s() %s()に失敗[APIReturnValue:%s]", method, call, GfxResultName(result));
    return false;
}

void CD3DDevice::_ForgetStates() {
    m_RenderStates.fill(kUnknown);
    for (auto& s : m_StageStates) s.fill(kUnknown);
}

bool CD3DDevice::Create(WindowHandle window, bool windowed, uint32_t width, uint32_t height) {
    if (m_Device) {
        DebugPrintf("CD3DDevice::Create() デバイスは作成済みです");
        return false;
    }
    if (!CD3DManager::Get().Register(window, this)) {
        return false;
    }
    m_Window = window;
    m_Registered = true;
    m_Params = SGfxPresentParams{width, height, GFX_FMT_X8R8G8B8, windowed};
    static const uint32_t kTypes[] = {GFX_DEVTYPE_HAL, GFX_DEVTYPE_SW, GFX_DEVTYPE_REF};
    for (uint32_t type : kTypes) {
        std::unique_ptr<CGfxDevice> device;
        GfxResult r = CGfxSystem::CreateDevice(type, m_Params, &device);
        if (!GfxFailed(r) && device) {
            m_Device = std::move(device);
            m_DeviceType = type;
            break;
        }
        DebugPrintf("CD3DDevice::Create() CreateDevice(%s)に失敗[APIReturnValue:%s]", DeviceTypeName(type), GfxResultName(r));
    }
    if (!m_Device) {
        CD3DManager::Get().Unregister(this);
        m_Registered = false;
        m_Window = nullptr;
        return false;
    }
    if (window) {
        m_Device->SetPresentTarget([window](const void* pixels, int w, int h, int pitch) {
            window->PresentFrame(pixels, w, h, pitch);
        });
    }
    m_Caps.Load(m_Device.get());
    m_InScene = false;
    m_LostReported = false;
    _ForgetStates();
    SetDefaultStates();
    return true;
}

void CD3DDevice::Destroy() {
    std::vector<ID3DResource*> resources = m_Resources;
    for (ID3DResource* r : resources) {
        r->OnDeviceDestroyed();
    }
    m_Resources.clear();
    m_Device.reset();
    if (m_Registered) {
        CD3DManager::Get().Unregister(this);
        m_Registered = false;
    }
    m_Window = nullptr;
    m_InScene = false;
}

void CD3DDevice::SetDefaultStates() {
    if (!m_Device) {
        return;
    }
    SetRenderState(GFX_RS_CULLMODE, GFX_CULL_NONE);
    SetRenderState(GFX_RS_LIGHTING, 0);
    SetRenderState(GFX_RS_ZENABLE, 0);
    SetRenderState(GFX_RS_ZWRITEENABLE, 0);
    SetRenderState(GFX_RS_ALPHATESTENABLE, 0);
    SetAlphaBlend(true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA);
    SetTextureStageState(0, GFX_TSS_COLOROP, GFX_TOP_MODULATE);
    SetTextureStageState(0, GFX_TSS_COLORARG1, GFX_TA_TEXTURE);
    SetTextureStageState(0, GFX_TSS_COLORARG2, GFX_TA_DIFFUSE);
    SetTextureStageState(0, GFX_TSS_ALPHAOP, GFX_TOP_MODULATE);
    SetTextureStageState(0, GFX_TSS_ALPHAARG1, GFX_TA_TEXTURE);
    SetTextureStageState(0, GFX_TSS_ALPHAARG2, GFX_TA_DIFFUSE);
    SetTextureStageState(1, GFX_TSS_COLOROP, GFX_TOP_DISABLE);
    SetTextureStageState(1, GFX_TSS_ALPHAOP, GFX_TOP_DISABLE);
    SetTextureFilter(0, GFX_TEXF_POINT, GFX_TEXF_POINT);
    SetTextureAddressMode(0, GFX_TADDRESS_CLAMP, GFX_TADDRESS_CLAMP);
    SetTextureFilter(1, GFX_TEXF_POINT, GFX_TEXF_POINT);
    SetTextureAddressMode(1, GFX_TADDRESS_CLAMP, GFX_TADDRESS_CLAMP);
    SetVertexShader(GFX_FVF_TLVERTEX);
}

// --- the frame ---

bool CD3DDevice::Clear(uint32_t color) { return Clear(0, nullptr, GFX_CLEAR_TARGET, color, 1.0f, 0); }

bool CD3DDevice::Clear(uint32_t count, const SGfxRect* rects, uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    if (!m_Device) return false;
    return _Check(m_Device->Clear(count, rects, flags, color, z, stencil), "Clear", "Clear");
}

bool CD3DDevice::BeginScene() {
    if (!m_Device) return false;
    if (!_Check(m_Device->BeginScene(), "BeginScene", "BeginScene")) {
        return false;
    }
    m_InScene = true;
    return true;
}

bool CD3DDevice::EndScene() {
    if (!m_Device) return false;
    m_InScene = false;
    return _Check(m_Device->EndScene(), "EndScene", "EndScene");
}

bool CD3DDevice::Present() {
    if (!m_Device) return false;
    GfxResult r = m_Device->Present();
    if (r == GFX_E_DEVICELOST) {
        // Said once per loss: the frame loop presents every frame until the reset.
        if (!m_LostReported) {
            m_LostReported = true;
            _Check(r, "Present", "Present");
        }
        return false;
    }
    return _Check(r, "Present", "Present");
}

GfxResult CD3DDevice::TestCooperativeLevel() {
    if (!m_Device) return GFX_E_DEVICELOST;
    return m_Device->TestCooperativeLevel();
}

bool CD3DDevice::IsLost() { return TestCooperativeLevel() != GFX_OK; }

bool CD3DDevice::ResetDevice(bool windowed) {
    if (!m_Device) {
        DebugPrintf("CD3DDevice::ResetDevice() デバイスがありません");
        return false;
    }
    std::vector<ID3DResource*> resources = m_Resources;
    for (ID3DResource* r : resources) {
        r->OnDeviceLost();
    }
    SGfxPresentParams params = m_Params;
    params.windowed = windowed;
    if (!_Check(m_Device->Reset(params), "ResetDevice", "Reset")) {
        return false;
    }
    m_Params = params;
    m_InScene = false;
    m_LostReported = false;
    _ForgetStates();
    SetDefaultStates();
    resources = m_Resources;
    for (ID3DResource* r : resources) {
        r->OnDeviceReset();
    }
    return true;
}

// --- states ---

bool CD3DDevice::SetRenderState(uint32_t state, uint32_t value) {
    if (!m_Device) return false;
    if (state < GFX_RS_COUNT && m_RenderStates[state] == value) {
        return true;
    }
    if (!_Check(m_Device->SetRenderState(state, value), "SetRenderState", "SetRenderState")) {
        if (state < GFX_RS_COUNT) m_RenderStates[state] = kUnknown;
        return false;
    }
    m_RenderStates[state] = value;
    return true;
}

uint32_t CD3DDevice::GetRenderState(uint32_t state) const {
    uint32_t v = 0;
    if (m_Device) m_Device->GetRenderState(state, &v);
    return v;
}

bool CD3DDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    if (!m_Device) return false;
    bool cached = stage < GFX_MAX_STAGES && type < GFX_TSS_COUNT;
    if (cached && m_StageStates[stage][type] == value) {
        return true;
    }
    if (!_Check(m_Device->SetTextureStageState(stage, type, value), "SetTextureStageState", "SetTextureStageState")) {
        if (cached) m_StageStates[stage][type] = kUnknown;
        return false;
    }
    if (cached) m_StageStates[stage][type] = value;
    return true;
}

uint32_t CD3DDevice::GetTextureStageState(uint32_t stage, uint32_t type) const {
    uint32_t v = 0;
    if (m_Device) m_Device->GetTextureStageState(stage, type, &v);
    return v;
}

bool CD3DDevice::_SetStagePair(const char* method, uint32_t stage, const uint32_t (&types)[2],
                               const uint32_t (&values)[2], const char* const (&names)[2]) {
    for (int i = 0; i < 2; ++i) {
        if (m_StageStates[stage][types[i]] == values[i]) {
            continue;
        }
        GfxResult r = m_Device->SetTextureStageState(stage, types[i], values[i]);
        if (GfxFailed(r)) {
            m_StageStates[stage][types[i]] = kUnknown;
            DebugPrintf("CD3DDevice::%s() SetTextureStageState(%s)に失敗[APIReturnValue:%s]", method, names[i],
                        GfxResultName(r));
            return false;
        }
        m_StageStates[stage][types[i]] = values[i];
    }
    return true;
}

bool CD3DDevice::SetTextureFilter(uint32_t stage, uint32_t minFilter, uint32_t magFilter) {
    if (!m_Device || m_Device->IsLost() || stage >= GFX_MAX_STAGES) {
        return false;
    }
    return _SetStagePair("SetTextureFilter", stage, {GFX_TSS_MINFILTER, GFX_TSS_MAGFILTER}, {minFilter, magFilter},
                         {"D3DTSS_MINFILTER", "D3DTSS_MAGFILTER"});
}

bool CD3DDevice::SetTextureAddressMode(uint32_t stage, uint32_t u, uint32_t v) {
    if (!m_Device || stage >= GFX_MAX_STAGES) {
        return false;
    }
    return _SetStagePair("SetTextureAddressMode", stage, {GFX_TSS_ADDRESSU, GFX_TSS_ADDRESSV}, {u, v},
                         {"D3DTSS_ADDRESSU", "D3DTSS_ADDRESSV"});
}

bool CD3DDevice::SetAlphaBlend(bool enable, uint32_t srcBlend, uint32_t destBlend) {
    if (!SetRenderState(GFX_RS_ALPHABLENDENABLE, enable ? 1u : 0u)) {
        return false;
    }
    if (!enable) {
        return true;
    }
    return SetRenderState(GFX_RS_SRCBLEND, srcBlend) && SetRenderState(GFX_RS_DESTBLEND, destBlend);
}

bool CD3DDevice::SetTexture(uint32_t stage, const CD3DTexture* texture) {
    if (!m_Device) return false;
    std::shared_ptr<CGfxTexture> t = texture ? texture->GetGfx() : nullptr;
    return _Check(m_Device->SetTexture(stage, std::move(t)), "SetTexture", "SetTexture");
}

bool CD3DDevice::SetViewport(const SGfxViewport& viewport) {
    if (!m_Device) return false;
    return _Check(m_Device->SetViewport(viewport), "SetViewport", "SetViewport");
}

// --- drawing ---

bool CD3DDevice::SetVertexShader(uint32_t fvf) {
    if (!m_Device) return false;
    return _Check(m_Device->SetVertexShader(fvf), "SetVertexShader", "SetVertexShader");
}

bool CD3DDevice::SetStreamSource(const CD3DVertexBuffer* buffer, uint32_t stride) {
    if (!m_Device) return false;
    std::shared_ptr<CGfxVertexBuffer> b = buffer ? buffer->GetGfx() : nullptr;
    return _Check(m_Device->SetStreamSource(0, std::move(b), stride), "SetStreamSource", "SetStreamSource");
}

bool CD3DDevice::DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount) {
    if (!m_Device) return false;
    return _Check(m_Device->DrawPrimitive(type, startVertex, primitiveCount), "DrawPrimitive", "DrawPrimitive");
}

bool CD3DDevice::DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride) {
    if (!m_Device) return false;
    return _Check(m_Device->DrawPrimitiveUP(type, primitiveCount, vertices, stride), "DrawPrimitiveUP", "DrawPrimitiveUP");
}

bool CD3DDevice::SetPixelShader(uint32_t handle) {
    if (!m_Device) return false;
    return _Check(m_Device->SetPixelShader(handle), "SetPixelShader", "SetPixelShader");
}

bool CD3DDevice::SetPixelShaderConstant(uint32_t reg, const float* values, uint32_t count) {
    if (!m_Device) return false;
    return _Check(m_Device->SetPixelShaderConstant(reg, values, count), "SetPixelShaderConstant", "SetPixelShaderConstant");
}

// --- targets ---

bool CD3DDevice::SetRenderTarget(const CD3DSurface* target) {
    if (!m_Device) return false;
    std::shared_ptr<CGfxSurface> s = target ? target->GetGfx() : nullptr;
    return _Check(m_Device->SetRenderTarget(std::move(s)), "SetRenderTarget", "SetRenderTarget");
}

bool CD3DDevice::SetRenderTarget(const CD3DTexture* target) {
    if (!target) {
        return SetRenderTarget(static_cast<const CD3DSurface*>(nullptr));
    }
    CD3DSurface surface;
    if (!target->GetSurface(&surface)) {
        DebugPrintf("CD3DDevice::SetRenderTarget() テクスチャがありません");
        return false;
    }
    return SetRenderTarget(&surface);
}

bool CD3DDevice::GetRenderTarget(CD3DSurface* out) {
    if (!m_Device || !out) return false;
    std::shared_ptr<CGfxSurface> s;
    if (!_Check(m_Device->GetRenderTarget(&s), "GetRenderTarget", "GetRenderTarget")) return false;
    out->Attach(std::move(s));
    return true;
}

bool CD3DDevice::GetBackBuffer(CD3DSurface* out) {
    if (!m_Device || !out) return false;
    std::shared_ptr<CGfxSurface> s;
    if (!_Check(m_Device->GetBackBuffer(&s), "GetBackBuffer", "GetBackBuffer")) return false;
    out->Attach(std::move(s));
    return true;
}

bool CD3DDevice::CopyRects(const CD3DSurface& source, const SGfxRect* rects, uint32_t count, CD3DSurface& dest,
                           const SGfxPoint* points) {
    if (!m_Device || !source.Exists() || !dest.Exists()) {
        DebugPrintf("CD3DDevice::CopyRects() サーフェスがありません");
        return false;
    }
    return _Check(m_Device->CopyRects(*source.GetGfx(), rects, count, *dest.GetGfx(), points), "CopyRects", "CopyRects");
}

// --- resources ---

bool CD3DDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t usage, EGfxFormat format, uint32_t pool,
                               std::shared_ptr<CGfxTexture>* out) {
    if (!m_Device) return false;
    return _Check(m_Device->CreateTexture(width, height, 1, usage, format, pool, out), "CreateTexture", "CreateTexture");
}

bool CD3DDevice::CreateImageSurface(uint32_t width, uint32_t height, EGfxFormat format, std::shared_ptr<CGfxSurface>* out) {
    if (!m_Device) return false;
    return _Check(m_Device->CreateImageSurface(width, height, format, out), "CreateImageSurface", "CreateImageSurface");
}

bool CD3DDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                                    std::shared_ptr<CGfxVertexBuffer>* out) {
    if (!m_Device) return false;
    return _Check(m_Device->CreateVertexBuffer(length, usage, fvf, pool, out), "CreateVertexBuffer", "CreateVertexBuffer");
}

bool CD3DDevice::CreatePixelShader(uint32_t program, uint32_t* handle) {
    if (!m_Device) return false;
    return _Check(m_Device->CreatePixelShader(program, handle), "CreatePixelShader", "CreatePixelShader");
}

void CD3DDevice::RegisterResource(ID3DResource* resource) {
    if (resource && std::find(m_Resources.begin(), m_Resources.end(), resource) == m_Resources.end()) {
        m_Resources.push_back(resource);
    }
}

void CD3DDevice::UnregisterResource(ID3DResource* resource) {
    m_Resources.erase(std::remove(m_Resources.begin(), m_Resources.end(), resource), m_Resources.end());
}
