#pragma once
// Span shading of the software device: one row of pixels gets its texels combined
// with the diffuse colour (texture stages or a fixed pixel program) and blended into
// the render target.  Fast kernels cover the combinations the engine draws most; the
// generic kernel covers every state the device accepts.  Internal to platform/gfx.
#include <cstdint>

#include "platform/gfx/GfxTypes.h"

// round(x / 255) for 0 ≤ x ≤ 255 × 255.
inline uint32_t GfxDiv255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Every channel of a times the same channel of b, / 255 rounded.
inline uint32_t GfxModulate(uint32_t a, uint32_t b) {
    return (GfxDiv255((a >> 24) * (b >> 24)) << 24) | (GfxDiv255(((a >> 16) & 255) * ((b >> 16) & 255)) << 16) |
           (GfxDiv255(((a >> 8) & 255) * ((b >> 8) & 255)) << 8) | GfxDiv255((a & 255) * (b & 255));
}

struct SGfxStageOps {
    uint32_t colorOp = GFX_TOP_DISABLE;
    uint32_t colorArg1 = GFX_TA_TEXTURE;
    uint32_t colorArg2 = GFX_TA_CURRENT;
    uint32_t alphaOp = GFX_TOP_DISABLE;
    uint32_t alphaArg1 = GFX_TA_TEXTURE;
    uint32_t alphaArg2 = GFX_TA_CURRENT;
};

struct SGfxShadeState {
    SGfxStageOps stage[GFX_MAX_STAGES];
    bool textured[GFX_MAX_STAGES] = {false, false};  // a texture is bound to the stage
    uint32_t tfactor = 0xFFFFFFFFu;
    uint32_t shader = 0;                      // a GFX_PS_* program, 0 for the stages
    uint8_t constants[GFX_PS_CONSTANTS][4] = {};  // a, r, g, b bytes of c0..c7
    bool blend = false;
    uint32_t srcBlend = GFX_BLEND_ONE;
    uint32_t dstBlend = GFX_BLEND_ZERO;
    uint32_t blendOp = GFX_BLENDOP_ADD;
    bool alphaTest = false;
    uint32_t alphaRef = 0;
    uint32_t alphaFunc = GFX_CMP_ALWAYS;
    bool targetHasAlpha = true;
};

enum class EGfxSpanKernel {
    Generic,        // any state
    Copy,           // the texel as it is
    Modulate,       // texel × constant diffuse
    Blend,          // texel over the target by its alpha
    BlendModulate,  // texel × constant diffuse over the target by its alpha
};

// The kernel that draws `state` exactly as the generic one would, given whether the
// diffuse colour is constant over the draw (and its value).
EGfxSpanKernel GfxChooseSpanKernel(const SGfxShadeState& state, bool constantDiffuse, uint32_t diffuse);

struct SGfxSpan {
    uint32_t* dest = nullptr;
    const uint32_t* tex0 = nullptr;  // texels of stage 0, null when no texture is bound
    uint32_t tex0Or = 0;             // OR-ed into each stage-0 texel (formats without alpha)
    // Stage 0 still to be filtered vertically (linear filtering of an unrotated row):
    // its texel i is GfxLerpTexels(tex0[i], tex0Below[i], tex0Weight); tex0Or is 0.
    const uint32_t* tex0Below = nullptr;
    uint32_t tex0Weight = 0;
    bool tex0Uniform = false;  // every stage-0 texel is tex0[0] (which alone need exist)
    const uint32_t* tex1 = nullptr;
    uint32_t tex1Or = 0;
    const uint32_t* diffuse = nullptr;  // per pixel, or null for `constDiffuse`
    uint32_t constDiffuse = 0xFFFFFFFFu;
    int count = 0;
};

void GfxShadeSpan(const SGfxShadeState& state, EGfxSpanKernel kernel, const SGfxSpan& span);

// The source colour of one pixel through the stages or the program (no blending).
uint32_t GfxCombine(const SGfxShadeState& state, uint32_t tex0, uint32_t tex1, uint32_t diffuse);
// One pixel blended into the target as the state says (no alpha test).
uint32_t GfxBlendPixel(const SGfxShadeState& state, uint32_t src, uint32_t dst);

// The SSE2 kernels are used when the processor has SSE2 and they are enabled (tests
// turn them off to compare with the scalar kernels).
void GfxSetSimdEnabled(bool enabled);
bool GfxIsSimdEnabled();

// Kernels, exposed for the tests and benchmarks.
void GfxSpanBlendScalar(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, bool modulate, int n);
void GfxSpanBlendSse2(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, bool modulate, int n);
// One colour (already modulated) blended over the target by its alpha.
void GfxSpanBlendConstScalar(uint32_t* dst, uint32_t colour, int n);
void GfxSpanBlendConstSse2(uint32_t* dst, uint32_t colour, int n);
// The vertical pass of a linear filter fused with a fast kernel (not Generic): the
// texels GfxLerpTexels(top[i], bottom[i], weight), shaded as `kernel` with the
// multiplier `mod` into dst.
void GfxShadeFilteredSse2(uint32_t* dst, const uint32_t* top, const uint32_t* bottom, uint32_t weight,
                          EGfxSpanKernel kernel, uint32_t mod, int n);
// Whether the n texels are all one value.
bool GfxSpanUniformSse2(const uint32_t* src, int n);
void GfxSpanModulateScalar(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, int n);
void GfxSpanModulateSse2(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, int n);
