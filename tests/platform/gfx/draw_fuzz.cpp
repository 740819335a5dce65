// The rasteriser on arbitrary vertices and states: whatever the coordinates (huge,
// not numbers, degenerate) and states, a draw stays inside its target and returns.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/gfx/GfxSystem.h"

namespace {
struct SReader {
    const uint8_t* p;
    size_t n;
    uint8_t Byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::unique_ptr<CGfxDevice> device = [] {
        std::unique_ptr<CGfxDevice> d;
        SGfxPresentParams p;
        p.backBufferWidth = 48;
        p.backBufferHeight = 40;
        CGfxSystem::CreateDevice(GFX_DEVTYPE_HAL, p, &d);
        return d;
    }();
    if (!device) return 0;
    SReader r{data, size};
    static const EGfxFormat kFormats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_X8R8G8B8, GFX_FMT_R5G6B5, GFX_FMT_X1R5G5B5,
                                          GFX_FMT_A1R5G5B5, GFX_FMT_A4R4G4B4, GFX_FMT_A8};
    uint32_t tw = 1 + r.Byte() % 16, th = 1 + r.Byte() % 16;
    std::shared_ptr<CGfxTexture> tex[2];
    for (auto& t : tex) {
        device->CreateTexture(tw, th, 1, 0, kFormats[r.Byte() % 7], GFX_POOL_MANAGED, &t);
        SGfxLockedRect lr;
        if (t && t->LockRect(0, &lr, nullptr) == GFX_OK) {
            for (uint32_t y = 0; y < th; ++y) std::memset(static_cast<uint8_t*>(lr.bits) + y * lr.pitch, r.Byte(), GfxFormatBytes(t->Pixels().GetFormat()) * tw);
            t->UnlockRect(0);
        }
    }
    device->SetTexture(0, r.Byte() & 1 ? tex[0] : nullptr);
    device->SetTexture(1, r.Byte() & 1 ? tex[1] : nullptr);
    device->SetRenderState(GFX_RS_ALPHABLENDENABLE, r.Byte() & 1);
    device->SetRenderState(GFX_RS_SRCBLEND, r.Byte() % 12);
    device->SetRenderState(GFX_RS_DESTBLEND, r.Byte() % 12);
    device->SetRenderState(GFX_RS_BLENDOP, r.Byte() % 6);
    device->SetRenderState(GFX_RS_CULLMODE, 1 + r.Byte() % 3);
    device->SetRenderState(GFX_RS_ALPHATESTENABLE, r.Byte() & 1);
    device->SetRenderState(GFX_RS_ALPHAFUNC, r.Byte() % 9);
    for (uint32_t s = 0; s < 2; ++s) {
        device->SetTextureStageState(s, GFX_TSS_COLOROP, 1 + r.Byte() % 16);
        device->SetTextureStageState(s, GFX_TSS_COLORARG1, r.Byte() & 0x3F);
        device->SetTextureStageState(s, GFX_TSS_ALPHAOP, 1 + r.Byte() % 16);
        device->SetTextureStageState(s, GFX_TSS_MINFILTER, r.Byte() % 6);
        device->SetTextureStageState(s, GFX_TSS_MAGFILTER, r.Byte() % 6);
        device->SetTextureStageState(s, GFX_TSS_ADDRESSU, r.Byte() % 6);
        device->SetTextureStageState(s, GFX_TSS_ADDRESSV, r.Byte() % 6);
        device->SetTextureStageState(s, GFX_TSS_TEXCOORDINDEX, r.Byte() % 4);
    }
    device->SetPixelShader(r.Byte() % 7);
    float c[4] = {r.Byte() / 255.0f, r.Byte() / 255.0f, r.Byte() / 255.0f, r.Byte() / 255.0f};
    device->SetPixelShaderConstant(r.Byte() % 2, c, 1);
    SGfxViewport vp{r.Byte() % 48u, r.Byte() % 40u, 0, 0, 0, 1};
    vp.width = r.Byte() % (49 - vp.x);
    vp.height = r.Byte() % (41 - vp.y);
    device->SetViewport(vp);
    static const uint32_t kFvf[] = {GFX_FVF_TLVERTEX, GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE, GFX_FVF_XYZRHW | GFX_FVF_TEX2,
                                    GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE | GFX_FVF_TEX2};
    static const uint32_t kStride[] = {28, 20, 32, 36};
    uint32_t layout = r.Byte() % 4;
    device->SetVertexShader(kFvf[layout]);
    uint32_t type = 4 + r.Byte() % 3;
    size_t vertices = r.n / kStride[layout];
    uint32_t count = type == GFX_PT_TRIANGLELIST ? static_cast<uint32_t>(vertices / 3)
                                                 : (vertices >= 3 ? static_cast<uint32_t>(vertices - 2) : 0);
    if (count > 64) count = 64;
    device->DrawPrimitiveUP(type, count, r.p, kStride[layout]);
    device->SetViewport(SGfxViewport{0, 0, 48, 40, 0, 1});
    return 0;
}
