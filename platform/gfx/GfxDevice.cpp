#include "platform/gfx/GfxDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/GfxRaster.h"

const char* GfxResultName(GfxResult result) {
    switch (result) {
    case GFX_OK: return "D3D_OK";
    case GFX_E_INVALIDCALL: return "D3DERR_INVALIDCALL";
    case GFX_E_NOTAVAILABLE: return "D3DERR_NOTAVAILABLE";
    case GFX_E_OUTOFVIDEOMEMORY: return "D3DERR_OUTOFVIDEOMEMORY";
    case GFX_E_DEVICELOST: return "D3DERR_DEVICELOST";
    case GFX_E_DEVICENOTRESET: return "D3DERR_DEVICENOTRESET";
    case GFX_E_OUTOFMEMORY: return "E_OUTOFMEMORY";
    case GFX_E_WASSTILLDRAWING: return "D3DERR_WASSTILLDRAWING";
    case GFX_E_DRIVERINTERNALERROR: return "D3DERR_DRIVERINTERNALERROR";
    default: return "UNKNOWN_ERROR";
    }
}

namespace {

bool IsPow2(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Byte layout of a vertex format: offsets of the diffuse colour and texture sets.
struct SLayout {
    bool valid = false;
    uint32_t size = 0;
    int diffuse = -1;
    int tex[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    uint32_t texFloats[8] = {};  // 1 to 4 floats per set
    uint32_t texCount = 0;
};

SLayout LayoutOf(uint32_t fvf) {
    SLayout l;
    if ((fvf & 0x00E) != GFX_FVF_XYZRHW) {
        return l;  // only pre-transformed vertices: the device has no transform stage
    }
    if (fvf & 0x010) {
        return l;  // a normal means nothing to a pre-transformed vertex
    }
    uint32_t off = 16;
    if (fvf & 0x020) {  // point size, carried but not used
        off += 4;
    }
    if (fvf & GFX_FVF_DIFFUSE) {
        l.diffuse = static_cast<int>(off);
        off += 4;
    }
    if (fvf & 0x080) {  // specular colour, carried but not used
        off += 4;
    }
    l.texCount = (fvf & GFX_FVF_TEXCOUNT_MASK) >> 8;
    if (l.texCount > 8) {
        return l;
    }
    for (uint32_t i = 0; i < l.texCount; ++i) {
        // The size bits of set i: 0 two floats, 1 three, 2 four, 3 one.
        static const uint32_t kFloats[4] = {2, 3, 4, 1};
        l.tex[i] = static_cast<int>(off);
        l.texFloats[i] = kFloats[(fvf >> (16 + 2 * i)) & 3u];
        off += 4 * l.texFloats[i];
    }
    l.size = off;
    l.valid = true;
    return l;
}

uint8_t ToByte(float f) {
    if (!(f > 0.0f)) return 0;
    if (f >= 1.0f) return 255;
    return static_cast<uint8_t>(std::lround(f * 255.0f));
}

}  // namespace

CGfxDevice::CGfxDevice(uint32_t deviceType, const SGfxPresentParams& params, const SGfxCaps& caps)
    : m_DeviceType(deviceType), m_Params(params), m_Caps(caps) {
    m_Caps.deviceType = deviceType;
    auto pixels = std::make_shared<CGfxPixels>(GFX_FMT_X8R8G8B8, params.backBufferWidth, params.backBufferHeight,
                                               GFX_USAGE_RENDERTARGET, GFX_POOL_DEFAULT);
    m_BackBuffer = std::make_shared<CGfxSurface>(pixels);
    _ResetStates();
}

CGfxDevice::~CGfxDevice() = default;

void CGfxDevice::_ResetStates() {
    m_RenderStates.fill(0);
    m_RenderStates[GFX_RS_ZENABLE] = 0;
    m_RenderStates[GFX_RS_FILLMODE] = 3;
    m_RenderStates[GFX_RS_SHADEMODE] = 2;
    m_RenderStates[GFX_RS_ZWRITEENABLE] = 1;
    m_RenderStates[GFX_RS_LASTPIXEL] = 1;
    m_RenderStates[GFX_RS_SRCBLEND] = GFX_BLEND_ONE;
    m_RenderStates[GFX_RS_DESTBLEND] = GFX_BLEND_ZERO;
    m_RenderStates[GFX_RS_CULLMODE] = GFX_CULL_CCW;
    m_RenderStates[GFX_RS_ZFUNC] = GFX_CMP_LESSEQUAL;
    m_RenderStates[GFX_RS_ALPHAFUNC] = GFX_CMP_ALWAYS;
    m_RenderStates[GFX_RS_TEXTUREFACTOR] = 0xFFFFFFFFu;
    m_RenderStates[GFX_RS_LIGHTING] = 1;
    m_RenderStates[GFX_RS_BLENDOP] = GFX_BLENDOP_ADD;
    for (uint32_t s = 0; s < GFX_MAX_STAGES; ++s) {
        auto& st = m_StageStates[s];
        st.fill(0);
        st[GFX_TSS_COLOROP] = s == 0 ? GFX_TOP_MODULATE : GFX_TOP_DISABLE;
        st[GFX_TSS_COLORARG1] = GFX_TA_TEXTURE;
        st[GFX_TSS_COLORARG2] = GFX_TA_CURRENT;
        st[GFX_TSS_ALPHAOP] = s == 0 ? GFX_TOP_SELECTARG1 : GFX_TOP_DISABLE;
        st[GFX_TSS_ALPHAARG1] = GFX_TA_TEXTURE;
        st[GFX_TSS_ALPHAARG2] = GFX_TA_CURRENT;
        st[GFX_TSS_TEXCOORDINDEX] = s;
        st[GFX_TSS_ADDRESSU] = GFX_TADDRESS_WRAP;
        st[GFX_TSS_ADDRESSV] = GFX_TADDRESS_WRAP;
        st[GFX_TSS_MAGFILTER] = GFX_TEXF_POINT;
        st[GFX_TSS_MINFILTER] = GFX_TEXF_POINT;
        st[GFX_TSS_MIPFILTER] = GFX_TEXF_NONE;
        m_Textures[s].reset();
    }
    m_Fvf = GFX_FVF_TLVERTEX;
    m_Stream.reset();
    m_StreamStride = 0;
    m_PixelShader = 0;
    for (auto& c : m_PsConstants) c.fill(0.0f);
    m_RenderTarget = m_BackBuffer;
    m_Viewport = SGfxViewport{0, 0, m_Params.backBufferWidth, m_Params.backBufferHeight, 0.0f, 1.0f};
    m_InScene = false;
}

bool CGfxDevice::_Fail(EGfxCall call, GfxResult* result) {
    auto it = m_Failures.find(call);
    if (it == m_Failures.end()) {
        return false;
    }
    *result = it->second.first;
    if (--it->second.second <= 0) {
        m_Failures.erase(it);
    }
    return true;
}

void CGfxDevice::InjectFailure(EGfxCall call, GfxResult result, int count) {
    if (count <= 0) {
        m_Failures.erase(call);
        return;
    }
    m_Failures[call] = {result, count};
}

void CGfxDevice::SetMaxTextureSize(uint32_t width, uint32_t height) {
    m_Caps.maxTextureWidth = std::max<uint32_t>(1, width);
    m_Caps.maxTextureHeight = std::max<uint32_t>(1, height);
}

void CGfxDevice::_Track(const std::shared_ptr<void>& resource, uint32_t pool) {
    if (pool != GFX_POOL_DEFAULT) {
        return;
    }
    m_DefaultResources.erase(std::remove_if(m_DefaultResources.begin(), m_DefaultResources.end(),
                                            [](const std::weak_ptr<void>& w) { return w.expired(); }),
                             m_DefaultResources.end());
    m_DefaultResources.push_back(resource);
}

size_t CGfxDevice::CountLiveDefaultResources() const {
    size_t n = 0;
    for (const auto& w : m_DefaultResources) {
        if (!w.expired()) ++n;
    }
    return n;
}

GfxResult CGfxDevice::TestCooperativeLevel() {
    GfxResult r;
    if (_Fail(EGfxCall::TestCooperativeLevel, &r)) return r;
    return m_Lost ? GFX_E_DEVICENOTRESET : GFX_OK;
}

GfxResult CGfxDevice::Reset(const SGfxPresentParams& params) {
    GfxResult r;
    if (_Fail(EGfxCall::Reset, &r)) return r;
    if (params.backBufferWidth == 0 || params.backBufferHeight == 0 || params.backBufferWidth > 8192 ||
        params.backBufferHeight > 8192) {
        return GFX_E_INVALIDCALL;
    }
    // The device's own references go first; what the program still holds in the
    // default pool must have been released, as with a hardware device.
    for (auto& t : m_Textures) t.reset();
    m_Stream.reset();
    m_RenderTarget = m_BackBuffer;
    if (CountLiveDefaultResources() != 0) {
        return GFX_E_INVALIDCALL;
    }
    m_Params = params;
    m_Params.backBufferFormat = GFX_FMT_X8R8G8B8;
    auto pixels = std::make_shared<CGfxPixels>(GFX_FMT_X8R8G8B8, params.backBufferWidth, params.backBufferHeight,
                                               GFX_USAGE_RENDERTARGET, GFX_POOL_DEFAULT);
    m_BackBuffer = std::make_shared<CGfxSurface>(pixels);
    _ResetStates();
    m_Lost = false;
    return GFX_OK;
}

GfxResult CGfxDevice::Present() {
    GfxResult r;
    if (_Fail(EGfxCall::Present, &r)) return r;
    if (m_Lost) {
        return GFX_E_DEVICELOST;
    }
    if (m_PresentTarget) {
        const CGfxPixels& p = m_BackBuffer->Pixels();
        m_PresentTarget(p.GetBytes(), static_cast<int>(p.GetWidth()), static_cast<int>(p.GetHeight()), p.GetPitch());
    }
    return GFX_OK;
}

GfxResult CGfxDevice::BeginScene() {
    GfxResult r;
    if (_Fail(EGfxCall::BeginScene, &r)) return r;
    if (m_InScene) {
        return GFX_E_INVALIDCALL;
    }
    m_InScene = true;
    return GFX_OK;
}

GfxResult CGfxDevice::EndScene() {
    GfxResult r;
    if (_Fail(EGfxCall::EndScene, &r)) return r;
    if (!m_InScene) {
        return GFX_E_INVALIDCALL;
    }
    m_InScene = false;
    return GFX_OK;
}

GfxResult CGfxDevice::Clear(uint32_t count, const SGfxRect* rects, uint32_t flags, uint32_t color, float, uint32_t) {
    GfxResult r;
    if (_Fail(EGfxCall::Clear, &r)) return r;
    if ((count != 0 && !rects) || (count == 0 && rects)) {
        return GFX_E_INVALIDCALL;
    }
    if (m_Lost || !(flags & GFX_CLEAR_TARGET)) {
        return GFX_OK;
    }
    CGfxPixels& t = m_RenderTarget->Pixels();
    SGfxRect vp{static_cast<int32_t>(m_Viewport.x), static_cast<int32_t>(m_Viewport.y),
                static_cast<int32_t>(m_Viewport.x + m_Viewport.width), static_cast<int32_t>(m_Viewport.y + m_Viewport.height)};
    auto fill = [&](SGfxRect rc) {
        rc.left = std::max(rc.left, vp.left);
        rc.top = std::max(rc.top, vp.top);
        rc.right = std::min(rc.right, vp.right);
        rc.bottom = std::min(rc.bottom, vp.bottom);
        if (rc.left >= rc.right) {
            return;
        }
        for (int32_t y = rc.top; y < rc.bottom; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(t.Row(static_cast<uint32_t>(y)));
            std::fill(row + rc.left, row + rc.right, color);
        }
    };
    if (count == 0) {
        fill(vp);
    } else {
        for (uint32_t i = 0; i < count; ++i) fill(rects[i]);
    }
    return GFX_OK;
}

GfxResult CGfxDevice::SetRenderState(uint32_t state, uint32_t value) {
    GfxResult r;
    if (_Fail(EGfxCall::SetRenderState, &r)) return r;
    if (state >= GFX_RS_COUNT) {
        return GFX_E_INVALIDCALL;
    }
    m_RenderStates[state] = value;
    return GFX_OK;
}

GfxResult CGfxDevice::GetRenderState(uint32_t state, uint32_t* value) const {
    if (state >= GFX_RS_COUNT || !value) {
        return GFX_E_INVALIDCALL;
    }
    *value = m_RenderStates[state];
    return GFX_OK;
}

GfxResult CGfxDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    GfxResult r;
    if (_Fail(EGfxCall::SetTextureStageState, &r)) return r;
    if (stage >= GFX_MAX_STAGES || type >= GFX_TSS_COUNT) {
        return GFX_E_INVALIDCALL;
    }
    m_StageStates[stage][type] = value;
    return GFX_OK;
}

GfxResult CGfxDevice::GetTextureStageState(uint32_t stage, uint32_t type, uint32_t* value) const {
    if (stage >= GFX_MAX_STAGES || type >= GFX_TSS_COUNT || !value) {
        return GFX_E_INVALIDCALL;
    }
    *value = m_StageStates[stage][type];
    return GFX_OK;
}

GfxResult CGfxDevice::SetTexture(uint32_t stage, std::shared_ptr<CGfxTexture> texture) {
    GfxResult r;
    if (_Fail(EGfxCall::SetTexture, &r)) return r;
    if (stage >= GFX_MAX_STAGES) {
        return GFX_E_INVALIDCALL;
    }
    m_Textures[stage] = std::move(texture);
    return GFX_OK;
}

GfxResult CGfxDevice::SetViewport(const SGfxViewport& viewport) {
    GfxResult r;
    if (_Fail(EGfxCall::SetViewport, &r)) return r;
    const CGfxPixels& t = m_RenderTarget->Pixels();
    if (static_cast<uint64_t>(viewport.x) + viewport.width > t.GetWidth() ||
        static_cast<uint64_t>(viewport.y) + viewport.height > t.GetHeight()) {
        return GFX_E_INVALIDCALL;
    }
    m_Viewport = viewport;
    return GFX_OK;
}

GfxResult CGfxDevice::GetViewport(SGfxViewport* viewport) const {
    if (!viewport) return GFX_E_INVALIDCALL;
    *viewport = m_Viewport;
    return GFX_OK;
}

GfxResult CGfxDevice::SetVertexShader(uint32_t fvf) {
    GfxResult r;
    if (_Fail(EGfxCall::SetVertexShader, &r)) return r;
    if (!LayoutOf(fvf).valid) {
        return GFX_E_INVALIDCALL;
    }
    m_Fvf = fvf;
    return GFX_OK;
}

GfxResult CGfxDevice::SetStreamSource(uint32_t stream, std::shared_ptr<CGfxVertexBuffer> buffer, uint32_t stride) {
    GfxResult r;
    if (_Fail(EGfxCall::SetStreamSource, &r)) return r;
    if (stream != 0) {
        return GFX_E_INVALIDCALL;
    }
    m_Stream = std::move(buffer);
    m_StreamStride = stride;
    return GFX_OK;
}

GfxResult CGfxDevice::DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount) {
    GfxResult r;
    if (_Fail(EGfxCall::DrawPrimitive, &r)) return r;
    if (!m_Stream || m_StreamStride == 0) {
        return GFX_E_INVALIDCALL;
    }
    size_t offset = static_cast<size_t>(startVertex) * m_StreamStride;
    if (offset > m_Stream->GetLength()) {
        return GFX_E_INVALIDCALL;
    }
    return _Draw(type, primitiveCount, m_Stream->GetBytes() + offset, m_StreamStride, m_Fvf, m_Stream->GetLength() - offset);
}

GfxResult CGfxDevice::DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride) {
    GfxResult r;
    if (_Fail(EGfxCall::DrawPrimitiveUP, &r)) return r;
    if (!vertices) {
        return GFX_E_INVALIDCALL;
    }
    // Drawing from memory unbinds the stream, as on the hardware devices.
    m_Stream.reset();
    return _Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), stride, m_Fvf, SIZE_MAX);
}

GfxResult CGfxDevice::_Draw(uint32_t type, uint32_t primitiveCount, const uint8_t* data, uint32_t stride, uint32_t fvf,
                            size_t available) {
    SLayout layout = LayoutOf(fvf);
    if (!layout.valid || stride < layout.size) {
        return GFX_E_INVALIDCALL;
    }
    size_t vertexCount;
    switch (type) {
    case GFX_PT_TRIANGLELIST: vertexCount = static_cast<size_t>(primitiveCount) * 3; break;
    case GFX_PT_TRIANGLESTRIP:
    case GFX_PT_TRIANGLEFAN: vertexCount = static_cast<size_t>(primitiveCount) + 2; break;
    default: return GFX_E_INVALIDCALL;  // points and lines: nothing in the engine draws them
    }
    if (primitiveCount == 0) {
        return GFX_OK;
    }
    if (primitiveCount > (1u << 24) || (available != SIZE_MAX && vertexCount * stride > available)) {
        return GFX_E_INVALIDCALL;
    }
    if (m_Lost) {
        return GFX_OK;
    }

    SGfxDrawContext ctx;
    ctx.target = &m_RenderTarget->Pixels();
    ctx.clip = SGfxRect{static_cast<int32_t>(m_Viewport.x), static_cast<int32_t>(m_Viewport.y),
                        static_cast<int32_t>(m_Viewport.x + m_Viewport.width),
                        static_cast<int32_t>(m_Viewport.y + m_Viewport.height)};
    ctx.cull = m_RenderStates[GFX_RS_CULLMODE];
    ctx.fastQuads = &m_FastQuads;
    SGfxShadeState& sh = ctx.shade;
    uint32_t coordSet[GFX_MAX_STAGES] = {0, 0};
    for (uint32_t s = 0; s < GFX_MAX_STAGES; ++s) {
        const auto& st = m_StageStates[s];
        sh.stage[s] = SGfxStageOps{st[GFX_TSS_COLOROP], st[GFX_TSS_COLORARG1], st[GFX_TSS_COLORARG2],
                                   st[GFX_TSS_ALPHAOP], st[GFX_TSS_ALPHAARG1], st[GFX_TSS_ALPHAARG2]};
        const CGfxTexture* tex = m_Textures[s].get();
        // A stage without texture coordinates samples nothing.
        bool used = tex && layout.texCount > 0 &&
                    (m_PixelShader != 0 || s == 0 || sh.stage[s].colorOp != GFX_TOP_DISABLE);
        if (used && &tex->Pixels() == ctx.target) {
            used = false;  // a target sampling itself reads nothing defined; drawn untextured
        }
        sh.textured[s] = used;
        if (used) {
            SGfxSampler& sm = ctx.sampler[s];
            sm.pixels = &tex->Pixels();
            sm.alphaOr = tex->Pixels().GetAlphaOr();
            sm.minFilter = st[GFX_TSS_MINFILTER];
            sm.magFilter = st[GFX_TSS_MAGFILTER];
            sm.addressU = st[GFX_TSS_ADDRESSU];
            sm.addressV = st[GFX_TSS_ADDRESSV];
            sm.border = st[GFX_TSS_BORDERCOLOR];
            uint32_t idx = st[GFX_TSS_TEXCOORDINDEX] & 0xFFFFu;
            coordSet[s] = idx < layout.texCount ? idx : 0;
        }
    }
    sh.tfactor = m_RenderStates[GFX_RS_TEXTUREFACTOR];
    sh.shader = m_PixelShader;
    for (uint32_t i = 0; i < GFX_PS_CONSTANTS; ++i) {
        sh.constants[i][0] = ToByte(m_PsConstants[i][3]);
        sh.constants[i][1] = ToByte(m_PsConstants[i][0]);
        sh.constants[i][2] = ToByte(m_PsConstants[i][1]);
        sh.constants[i][3] = ToByte(m_PsConstants[i][2]);
    }
    sh.blend = m_RenderStates[GFX_RS_ALPHABLENDENABLE] != 0;
    sh.srcBlend = m_RenderStates[GFX_RS_SRCBLEND];
    sh.dstBlend = m_RenderStates[GFX_RS_DESTBLEND];
    sh.blendOp = m_RenderStates[GFX_RS_BLENDOP] == 0 ? GFX_BLENDOP_ADD : m_RenderStates[GFX_RS_BLENDOP];
    sh.alphaTest = m_RenderStates[GFX_RS_ALPHATESTENABLE] != 0;
    sh.alphaRef = m_RenderStates[GFX_RS_ALPHAREF];
    sh.alphaFunc = m_RenderStates[GFX_RS_ALPHAFUNC];
    sh.targetHasAlpha = ctx.target->GetFormat() == GFX_FMT_A8R8G8B8;

    // Decode the vertices once, into storage kept from draw to draw.
    thread_local std::vector<SGfxRasterVertex> verts;
    verts.resize(vertexCount);
    for (size_t i = 0; i < vertexCount; ++i) {
        const uint8_t* src = data + i * stride;
        SGfxRasterVertex& v = verts[i];
        std::memset(&v, 0, sizeof(v));
        std::memcpy(&v.x, src, 16);
        v.color = 0xFFFFFFFFu;
        if (layout.diffuse >= 0) {
            std::memcpy(&v.color, src + layout.diffuse, 4);
        }
        for (uint32_t s = 0; s < GFX_MAX_STAGES; ++s) {
            if (sh.textured[s]) {
                // u and v; a one-float set has v = 0.
                std::memcpy(v.uv[s], src + layout.tex[coordSet[s]], 4 * std::min<uint32_t>(2, layout.texFloats[coordSet[s]]));
            }
        }
    }
    auto tri = [&](size_t i, const SGfxRasterVertex* out[3]) {
        switch (type) {
        case GFX_PT_TRIANGLELIST:
            out[0] = &verts[i * 3];
            out[1] = &verts[i * 3 + 1];
            out[2] = &verts[i * 3 + 2];
            break;
        case GFX_PT_TRIANGLESTRIP:
            if (i % 2 == 0) {
                out[0] = &verts[i];
                out[1] = &verts[i + 1];
            } else {
                out[0] = &verts[i + 1];
                out[1] = &verts[i];
            }
            out[2] = &verts[i + 2];
            break;
        default:
            out[0] = &verts[0];
            out[1] = &verts[i + 1];
            out[2] = &verts[i + 2];
            break;
        }
    };
    size_t i = 0;
    while (i < primitiveCount) {
        const SGfxRasterVertex* a[3];
        tri(i, a);
        if (i + 1 < primitiveCount) {
            const SGfxRasterVertex* b[3];
            tri(i + 1, b);
            if (GfxDrawQuad(ctx, a, b)) {
                m_Triangles += 2;
                i += 2;
                continue;
            }
        }
        GfxDrawTriangle(ctx, *a[0], *a[1], *a[2]);
        ++m_Triangles;
        ++i;
    }
    return GFX_OK;
}

GfxResult CGfxDevice::CreatePixelShader(uint32_t program, uint32_t* handle) {
    GfxResult r;
    if (_Fail(EGfxCall::CreatePixelShader, &r)) return r;
    if (!handle || program < GFX_PS_FIRST || program > GFX_PS_LAST) {
        return GFX_E_INVALIDCALL;
    }
    *handle = program;
    return GFX_OK;
}

GfxResult CGfxDevice::DeletePixelShader(uint32_t handle) {
    if (handle < GFX_PS_FIRST || handle > GFX_PS_LAST) {
        return GFX_E_INVALIDCALL;
    }
    if (m_PixelShader == handle) {
        m_PixelShader = 0;
    }
    return GFX_OK;
}

GfxResult CGfxDevice::SetPixelShader(uint32_t handle) {
    GfxResult r;
    if (_Fail(EGfxCall::SetPixelShader, &r)) return r;
    if (handle != 0 && (handle < GFX_PS_FIRST || handle > GFX_PS_LAST)) {
        return GFX_E_INVALIDCALL;
    }
    m_PixelShader = handle;
    return GFX_OK;
}

GfxResult CGfxDevice::SetPixelShaderConstant(uint32_t reg, const float* values, uint32_t count) {
    GfxResult r;
    if (_Fail(EGfxCall::SetPixelShaderConstant, &r)) return r;
    if (!values || reg >= GFX_PS_CONSTANTS || count > GFX_PS_CONSTANTS - reg) {
        return GFX_E_INVALIDCALL;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::memcpy(m_PsConstants[reg + i].data(), values + i * 4, sizeof(float) * 4);
    }
    return GFX_OK;
}

GfxResult CGfxDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, EGfxFormat format,
                                    uint32_t pool, std::shared_ptr<CGfxTexture>* out) {
    GfxResult r;
    if (_Fail(EGfxCall::CreateTexture, &r)) return r;
    if (!out) return GFX_E_INVALIDCALL;
    out->reset();
    if (width == 0 || height == 0 || width > m_Caps.maxTextureWidth || height > m_Caps.maxTextureHeight || levels > 1 ||
        GfxFormatBytes(format) == 0 || pool > GFX_POOL_SYSTEMMEM) {
        return GFX_E_INVALIDCALL;
    }
    if (m_Caps.texturePow2 && (!IsPow2(width) || !IsPow2(height))) {
        return GFX_E_INVALIDCALL;
    }
    if ((usage & GFX_USAGE_RENDERTARGET) &&
        (pool != GFX_POOL_DEFAULT || (format != GFX_FMT_A8R8G8B8 && format != GFX_FMT_X8R8G8B8))) {
        return GFX_E_INVALIDCALL;
    }
    auto pixels = std::make_shared<CGfxPixels>(format, width, height, usage, pool);
    *out = std::make_shared<CGfxTexture>(pixels);
    _Track(pixels, pool);
    return GFX_OK;
}

GfxResult CGfxDevice::CreateImageSurface(uint32_t width, uint32_t height, EGfxFormat format, std::shared_ptr<CGfxSurface>* out) {
    GfxResult r;
    if (_Fail(EGfxCall::CreateImageSurface, &r)) return r;
    if (!out) return GFX_E_INVALIDCALL;
    out->reset();
    if (width == 0 || height == 0 || width > 8192 || height > 8192 || GfxFormatBytes(format) == 0) {
        return GFX_E_INVALIDCALL;
    }
    *out = std::make_shared<CGfxSurface>(std::make_shared<CGfxPixels>(format, width, height, 0, GFX_POOL_SYSTEMMEM));
    return GFX_OK;
}

GfxResult CGfxDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                                         std::shared_ptr<CGfxVertexBuffer>* out) {
    GfxResult r;
    if (_Fail(EGfxCall::CreateVertexBuffer, &r)) return r;
    if (!out) return GFX_E_INVALIDCALL;
    out->reset();
    if (length == 0 || length > (64u << 20) || pool > GFX_POOL_SYSTEMMEM) {
        return GFX_E_INVALIDCALL;
    }
    *out = std::make_shared<CGfxVertexBuffer>(length, usage, fvf, pool);
    _Track(*out, pool);
    return GFX_OK;
}

GfxResult CGfxDevice::SetRenderTarget(std::shared_ptr<CGfxSurface> target) {
    GfxResult r;
    if (_Fail(EGfxCall::SetRenderTarget, &r)) return r;
    if (!target) {
        target = m_BackBuffer;
    }
    const CGfxPixels& p = target->Pixels();
    if (!(p.GetUsage() & GFX_USAGE_RENDERTARGET) || !p.IsArgb32()) {
        return GFX_E_INVALIDCALL;
    }
    m_RenderTarget = std::move(target);
    m_Viewport = SGfxViewport{0, 0, p.GetWidth(), p.GetHeight(), 0.0f, 1.0f};
    return GFX_OK;
}

GfxResult CGfxDevice::GetRenderTarget(std::shared_ptr<CGfxSurface>* out) const {
    if (!out) return GFX_E_INVALIDCALL;
    *out = m_RenderTarget;
    return GFX_OK;
}

GfxResult CGfxDevice::GetBackBuffer(std::shared_ptr<CGfxSurface>* out) const {
    if (!out) return GFX_E_INVALIDCALL;
    auto self = const_cast<CGfxDevice*>(this);
    GfxResult r;
    if (self->_Fail(EGfxCall::GetBackBuffer, &r)) return r;
    *out = m_BackBuffer;
    return GFX_OK;
}

GfxResult CGfxDevice::CopyRects(const CGfxSurface& source, const SGfxRect* rects, uint32_t count, CGfxSurface& dest,
                                const SGfxPoint* points) {
    GfxResult r;
    if (_Fail(EGfxCall::CopyRects, &r)) return r;
    const CGfxPixels& sp = source.Pixels();
    CGfxPixels& dp = dest.Pixels();
    // The back buffer (X8R8G8B8) may be read into an A8R8G8B8 surface.
    bool same = sp.GetFormat() == dp.GetFormat() || (sp.IsArgb32() && dp.IsArgb32());
    if (!same || (count != 0 && !rects) || &sp == &dp) {
        return GFX_E_INVALIDCALL;
    }
    SGfxRect whole{0, 0, static_cast<int32_t>(sp.GetWidth()), static_cast<int32_t>(sp.GetHeight())};
    uint32_t n = count == 0 ? 1 : count;
    uint32_t bpp = GfxFormatBytes(sp.GetFormat());
    // Everything is checked before anything is copied.
    for (uint32_t i = 0; i < n; ++i) {
        SGfxRect rc = count == 0 ? whole : rects[i];
        SGfxPoint pt = points ? points[i] : SGfxPoint{rc.left, rc.top};
        if (count == 0 && !points) pt = SGfxPoint{0, 0};
        if (rc.left < 0 || rc.top < 0 || rc.right > whole.right || rc.bottom > whole.bottom || rc.left >= rc.right ||
            rc.top >= rc.bottom || pt.x < 0 || pt.y < 0 ||
            static_cast<int64_t>(pt.x) + rc.Width() > static_cast<int64_t>(dp.GetWidth()) ||
            static_cast<int64_t>(pt.y) + rc.Height() > static_cast<int64_t>(dp.GetHeight())) {
            return GFX_E_INVALIDCALL;
        }
    }
    bool forceAlpha = sp.GetFormat() == GFX_FMT_X8R8G8B8 && dp.GetFormat() == GFX_FMT_A8R8G8B8;
    for (uint32_t i = 0; i < n; ++i) {
        SGfxRect rc = count == 0 ? whole : rects[i];
        SGfxPoint pt = points ? points[i] : SGfxPoint{rc.left, rc.top};
        if (count == 0 && !points) pt = SGfxPoint{0, 0};
        for (int32_t y = 0; y < rc.bottom - rc.top; ++y) {
            const uint8_t* s = sp.Row(static_cast<uint32_t>(rc.top + y)) + static_cast<size_t>(rc.left) * bpp;
            uint8_t* d = dp.Row(static_cast<uint32_t>(pt.y + y)) + static_cast<size_t>(pt.x) * bpp;
            std::memmove(d, s, static_cast<size_t>(rc.right - rc.left) * bpp);
            if (forceAlpha) {
                for (int32_t x = 0; x < rc.right - rc.left; ++x) d[x * 4 + 3] = 0xFF;
            }
        }
        dp.Refresh(SGfxRect{pt.x, pt.y, pt.x + (rc.right - rc.left), pt.y + (rc.bottom - rc.top)});
    }
    return GFX_OK;
}

GfxResult CGfxDevice::GetDeviceCaps(SGfxCaps* caps) const {
    if (!caps) return GFX_E_INVALIDCALL;
    *caps = m_Caps;
    return GFX_OK;
}

uint32_t CGfxDevice::GetAvailableTextureMem() const { return 256u << 20; }
