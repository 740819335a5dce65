#pragma once
// Constants and plain types of the software graphics device.  The numeric values are
// the ones the engine's device code passes (formats, states, operations, blend
// factors), so that code written against a hardware 3D device of that generation
// runs unchanged.
#include <cstdint>

#include "platform/sys/Geometry.h"

using GfxResult = int32_t;

enum : GfxResult {
    GFX_OK = 0,
    GFX_E_INVALIDCALL = -1,
    GFX_E_NOTAVAILABLE = -2,
    GFX_E_OUTOFVIDEOMEMORY = -3,
    GFX_E_DEVICELOST = -4,
    GFX_E_DEVICENOTRESET = -5,
    GFX_E_OUTOFMEMORY = -6,
    GFX_E_WASSTILLDRAWING = -7,
    GFX_E_DRIVERINTERNALERROR = -8,
};

inline bool GfxFailed(GfxResult r) { return r < 0; }
// The name of a result for log lines ("D3DERR_INVALIDCALL" ...); unknown codes get
// "UNKNOWN_ERROR".
const char* GfxResultName(GfxResult result);

// Pixel formats.
enum EGfxFormat : uint32_t {
    GFX_FMT_UNKNOWN = 0,
    GFX_FMT_R8G8B8 = 20,
    GFX_FMT_A8R8G8B8 = 21,
    GFX_FMT_X8R8G8B8 = 22,
    GFX_FMT_R5G6B5 = 23,
    GFX_FMT_X1R5G5B5 = 24,
    GFX_FMT_A1R5G5B5 = 25,
    GFX_FMT_A4R4G4B4 = 26,
    GFX_FMT_A8 = 28,
};

// Device kinds tried at creation.
enum : uint32_t { GFX_DEVTYPE_HAL = 1, GFX_DEVTYPE_REF = 2, GFX_DEVTYPE_SW = 3 };

// Memory pools: default resources are lost with the device, managed ones survive a
// reset, system-memory ones are never drawn from.
enum : uint32_t { GFX_POOL_DEFAULT = 0, GFX_POOL_MANAGED = 1, GFX_POOL_SYSTEMMEM = 2 };
enum : uint32_t { GFX_USAGE_RENDERTARGET = 0x1, GFX_USAGE_DYNAMIC = 0x200, GFX_USAGE_WRITEONLY = 0x8 };

// Vertex layouts (flexible-format bits).
enum : uint32_t {
    GFX_FVF_XYZRHW = 0x004,
    GFX_FVF_DIFFUSE = 0x040,
    GFX_FVF_TEX1 = 0x100,
    GFX_FVF_TEX2 = 0x200,
    GFX_FVF_TEXCOUNT_MASK = 0xF00,
};
// The engine's vertex: x, y, z, rhw, diffuse ARGB, u, v (28 bytes).
constexpr uint32_t GFX_FVF_TLVERTEX = GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE | GFX_FVF_TEX1;

struct SGfxVertex {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};
static_assert(sizeof(SGfxVertex) == 28, "the pre-transformed vertex is 28 bytes");

// Primitive types.
enum : uint32_t {
    GFX_PT_POINTLIST = 1,
    GFX_PT_LINELIST = 2,
    GFX_PT_LINESTRIP = 3,
    GFX_PT_TRIANGLELIST = 4,
    GFX_PT_TRIANGLESTRIP = 5,
    GFX_PT_TRIANGLEFAN = 6,
};

// Render states.
enum : uint32_t {
    GFX_RS_ZENABLE = 7,
    GFX_RS_FILLMODE = 8,
    GFX_RS_SHADEMODE = 9,
    GFX_RS_ZWRITEENABLE = 14,
    GFX_RS_ALPHATESTENABLE = 15,
    GFX_RS_LASTPIXEL = 16,
    GFX_RS_SRCBLEND = 19,
    GFX_RS_DESTBLEND = 20,
    GFX_RS_CULLMODE = 22,
    GFX_RS_ZFUNC = 23,
    GFX_RS_ALPHAREF = 24,
    GFX_RS_ALPHAFUNC = 25,
    GFX_RS_DITHERENABLE = 26,
    GFX_RS_ALPHABLENDENABLE = 27,
    GFX_RS_FOGENABLE = 28,
    GFX_RS_SPECULARENABLE = 29,
    GFX_RS_TEXTUREFACTOR = 60,
    GFX_RS_LIGHTING = 137,
    GFX_RS_BLENDOP = 171,
    GFX_RS_COUNT = 256,
};

enum : uint32_t { GFX_CULL_NONE = 1, GFX_CULL_CW = 2, GFX_CULL_CCW = 3 };
enum : uint32_t { GFX_BLENDOP_ADD = 1, GFX_BLENDOP_SUBTRACT = 2, GFX_BLENDOP_REVSUBTRACT = 3, GFX_BLENDOP_MIN = 4, GFX_BLENDOP_MAX = 5 };
enum : uint32_t {
    GFX_CMP_NEVER = 1, GFX_CMP_LESS = 2, GFX_CMP_EQUAL = 3, GFX_CMP_LESSEQUAL = 4,
    GFX_CMP_GREATER = 5, GFX_CMP_NOTEQUAL = 6, GFX_CMP_GREATEREQUAL = 7, GFX_CMP_ALWAYS = 8,
};

// Blend factors.
enum : uint32_t {
    GFX_BLEND_ZERO = 1,
    GFX_BLEND_ONE = 2,
    GFX_BLEND_SRCCOLOR = 3,
    GFX_BLEND_INVSRCCOLOR = 4,
    GFX_BLEND_SRCALPHA = 5,
    GFX_BLEND_INVSRCALPHA = 6,
    GFX_BLEND_DESTALPHA = 7,
    GFX_BLEND_INVDESTALPHA = 8,
    GFX_BLEND_DESTCOLOR = 9,
    GFX_BLEND_INVDESTCOLOR = 10,
    GFX_BLEND_SRCALPHASAT = 11,
};

// Texture-stage states.
enum : uint32_t {
    GFX_TSS_COLOROP = 1,
    GFX_TSS_COLORARG1 = 2,
    GFX_TSS_COLORARG2 = 3,
    GFX_TSS_ALPHAOP = 4,
    GFX_TSS_ALPHAARG1 = 5,
    GFX_TSS_ALPHAARG2 = 6,
    GFX_TSS_TEXCOORDINDEX = 11,
    GFX_TSS_ADDRESSU = 13,
    GFX_TSS_ADDRESSV = 14,
    GFX_TSS_BORDERCOLOR = 15,
    GFX_TSS_MAGFILTER = 16,
    GFX_TSS_MINFILTER = 17,
    GFX_TSS_MIPFILTER = 18,
    GFX_TSS_COUNT = 32,
};
constexpr uint32_t GFX_MAX_STAGES = 2;

// Texture-stage operations and arguments.
enum : uint32_t {
    GFX_TOP_DISABLE = 1,
    GFX_TOP_SELECTARG1 = 2,
    GFX_TOP_SELECTARG2 = 3,
    GFX_TOP_MODULATE = 4,
    GFX_TOP_MODULATE2X = 5,
    GFX_TOP_MODULATE4X = 6,
    GFX_TOP_ADD = 7,
    GFX_TOP_ADDSIGNED = 8,
    GFX_TOP_SUBTRACT = 10,
    GFX_TOP_BLENDDIFFUSEALPHA = 12,
    GFX_TOP_BLENDTEXTUREALPHA = 13,
    GFX_TOP_BLENDFACTORALPHA = 14,
    GFX_TOP_BLENDCURRENTALPHA = 16,
};
enum : uint32_t {
    GFX_TA_DIFFUSE = 0,
    GFX_TA_CURRENT = 1,
    GFX_TA_TEXTURE = 2,
    GFX_TA_TFACTOR = 3,
    GFX_TA_SELECTMASK = 0x0F,
    GFX_TA_COMPLEMENT = 0x10,
    GFX_TA_ALPHAREPLICATE = 0x20,
};

// Texture filters and addressing.
enum : uint32_t { GFX_TEXF_NONE = 0, GFX_TEXF_POINT = 1, GFX_TEXF_LINEAR = 2, GFX_TEXF_ANISOTROPIC = 3 };
enum : uint32_t { GFX_TADDRESS_WRAP = 1, GFX_TADDRESS_MIRROR = 2, GFX_TADDRESS_CLAMP = 3, GFX_TADDRESS_BORDER = 4 };

// Clear flags.
enum : uint32_t { GFX_CLEAR_TARGET = 1, GFX_CLEAR_ZBUFFER = 2, GFX_CLEAR_STENCIL = 4 };

// The pixel programs a transition may set instead of the texture stages.  There is
// no shader language: these are the whole set.  Constants are float4 registers
// c0..c7 with components in 0..1; t0 and t1 are the textures of stages 0 and 1, v0
// the diffuse colour.
enum : uint32_t {
    // t0 × v0 (the fixed stage 0 default, as a program).
    GFX_PS_TEXTURE = 1,
    // lerp(t0, t1, c0.a) × v0: a cross-fade of two pictures.
    GFX_PS_CROSSFADE = 2,
    // Rule wipe: colour t0 × v0; alpha v0.a × edge, where the rule value is t1's
    // blue channel m, the progress p = c0.a and the soft edge width w = c1.a:
    // edge = clamp((p × (1 + w) − m) / w) (a hard edge when w is 0).
    GFX_PS_RULE = 3,
    // t0 × t1 × v0: a picture masked by a second one.
    GFX_PS_MODULATE2 = 4,
    // lerp(t0, grey(t0) × c1.rgb, c0.a) × v0: fades a picture to a tinted grey.
    GFX_PS_GREY = 5,
    GFX_PS_FIRST = GFX_PS_TEXTURE,
    GFX_PS_LAST = GFX_PS_GREY,
};
constexpr uint32_t GFX_PS_CONSTANTS = 8;

// The device's rectangles and points are the system's own.
using SGfxRect = SRect;
using SGfxPoint = SPoint;

struct SGfxViewport {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

struct SGfxLockedRect {
    int32_t pitch = 0;
    void* bits = nullptr;
};

struct SGfxSurfaceDesc {
    EGfxFormat format = GFX_FMT_UNKNOWN;
    uint32_t usage = 0;
    uint32_t pool = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

struct SGfxPresentParams {
    uint32_t backBufferWidth = 800;
    uint32_t backBufferHeight = 600;
    EGfxFormat backBufferFormat = GFX_FMT_X8R8G8B8;
    bool windowed = true;
};

// What the device can do, as far as the engine asks.
struct SGfxCaps {
    uint32_t deviceType = GFX_DEVTYPE_HAL;
    uint32_t maxTextureWidth = 1024;
    uint32_t maxTextureHeight = 1024;
    uint32_t maxTextureAspectRatio = 0;  // 0: any
    bool texturePow2 = false;            // sizes must be powers of two
    bool squareOnly = false;
    uint32_t maxSimultaneousTextures = GFX_MAX_STAGES;
    uint32_t maxTextureBlendStages = GFX_MAX_STAGES;
    uint32_t pixelShaderVersion = 0x0101;  // the fixed program set counts as 1.1
    bool anisotropic = true;               // accepted, drawn as linear
    bool alphaBlending = true;
};

struct SGfxAdapterInfo {
    char driver[64] = {};
    char description[128] = {};
    uint32_t vendorId = 0;
    uint32_t deviceId = 0;
};
