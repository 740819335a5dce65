#pragma once
// The rasteriser of the software device (internal to platform/gfx).
#include <cstdint>

#include "platform/gfx/GfxResource.h"
#include "platform/gfx/GfxSpan.h"

struct SGfxSampler {
    const CGfxPixels* pixels = nullptr;
    uint32_t alphaOr = 0;
    uint32_t minFilter = GFX_TEXF_POINT;
    uint32_t magFilter = GFX_TEXF_POINT;
    uint32_t addressU = GFX_TADDRESS_WRAP;
    uint32_t addressV = GFX_TADDRESS_WRAP;
    uint32_t border = 0;
};

struct SGfxDrawContext {
    CGfxPixels* target = nullptr;
    SGfxRect clip;  // viewport within the target
    SGfxShadeState shade;
    SGfxSampler sampler[GFX_MAX_STAGES];
    uint32_t cull = GFX_CULL_CCW;
    uint64_t* fastQuads = nullptr;
};

struct SGfxRasterVertex {
    float x, y, z, rhw;
    uint32_t color;
    float uv[GFX_MAX_STAGES][2];
};

// Draws one triangle.
void GfxDrawTriangle(const SGfxDrawContext& ctx, const SGfxRasterVertex& a, const SGfxRasterVertex& b, const SGfxRasterVertex& c);
// Draws two triangles as one rectangle when they form an axis-aligned rectangle with
// one colour and affine texture coordinates; false (nothing drawn) otherwise.
bool GfxDrawQuad(const SGfxDrawContext& ctx, const SGfxRasterVertex* const t0[3], const SGfxRasterVertex* const t1[3]);
