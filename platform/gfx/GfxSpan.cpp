#include "platform/gfx/GfxSpan.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/gfx/GfxSample.h"
#include "platform/sys/Cpu.h"

namespace {

std::atomic<bool> g_SimdEnabled{true};

bool HasSse2() {
    static const bool has = (PlatformReadCpuFeatures() & 4u) != 0;
    return has;
}

inline uint32_t Ch(uint32_t c, int shift) { return (c >> shift) & 255u; }
inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }
inline uint32_t Sat(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

uint32_t StageArg(uint32_t arg, uint32_t diffuse, uint32_t current, uint32_t texel, uint32_t tfactor) {
    uint32_t v;
    switch (arg & GFX_TA_SELECTMASK) {
    case GFX_TA_DIFFUSE: v = diffuse; break;
    case GFX_TA_CURRENT: v = current; break;
    case GFX_TA_TEXTURE: v = texel; break;
    case GFX_TA_TFACTOR: v = tfactor; break;
    default: v = current; break;
    }
    if (arg & GFX_TA_COMPLEMENT) {
        v = ~v;
    }
    if (arg & GFX_TA_ALPHAREPLICATE) {
        uint32_t a = v >> 24;
        v = Pack(a, a, a, a);
    }
    return v;
}

// One channel of a stage operation; `blendAlpha` is the alpha of the blend-style ops.
uint32_t StageOp(uint32_t op, uint32_t a, uint32_t b, uint32_t blendAlpha) {
    switch (op) {
    case GFX_TOP_SELECTARG1: return a;
    case GFX_TOP_SELECTARG2: return b;
    case GFX_TOP_MODULATE: return GfxDiv255(a * b);
    case GFX_TOP_MODULATE2X: return std::min<uint32_t>(255, GfxDiv255(a * b) * 2);
    case GFX_TOP_MODULATE4X: return std::min<uint32_t>(255, GfxDiv255(a * b) * 4);
    case GFX_TOP_ADD: return std::min<uint32_t>(255, a + b);
    case GFX_TOP_ADDSIGNED: return Sat(static_cast<int32_t>(a + b) - 128);
    case GFX_TOP_SUBTRACT: return Sat(static_cast<int32_t>(a) - static_cast<int32_t>(b));
    case GFX_TOP_BLENDDIFFUSEALPHA:
    case GFX_TOP_BLENDTEXTUREALPHA:
    case GFX_TOP_BLENDFACTORALPHA:
    case GFX_TOP_BLENDCURRENTALPHA:
        return GfxDiv255(a * blendAlpha + b * (255 - blendAlpha));
    default: return a;
    }
}

uint32_t BlendAlphaOf(uint32_t op, uint32_t diffuse, uint32_t current, uint32_t texel, uint32_t tfactor) {
    switch (op) {
    case GFX_TOP_BLENDDIFFUSEALPHA: return diffuse >> 24;
    case GFX_TOP_BLENDTEXTUREALPHA: return texel >> 24;
    case GFX_TOP_BLENDFACTORALPHA: return tfactor >> 24;
    case GFX_TOP_BLENDCURRENTALPHA: return current >> 24;
    default: return 0;
    }
}

uint32_t Stages(const SGfxShadeState& s, uint32_t tex0, uint32_t tex1, uint32_t diffuse) {
    uint32_t current = diffuse;
    for (uint32_t i = 0; i < GFX_MAX_STAGES; ++i) {
        const SGfxStageOps& st = s.stage[i];
        if (st.colorOp == GFX_TOP_DISABLE) {
            break;
        }
        uint32_t texel = s.textured[i] ? (i == 0 ? tex0 : tex1) : 0xFFFFFFFFu;
        uint32_t c1 = StageArg(st.colorArg1, diffuse, current, texel, s.tfactor);
        uint32_t c2 = StageArg(st.colorArg2, diffuse, current, texel, s.tfactor);
        uint32_t ba = BlendAlphaOf(st.colorOp, diffuse, current, texel, s.tfactor);
        uint32_t r = StageOp(st.colorOp, Ch(c1, 16), Ch(c2, 16), ba);
        uint32_t g = StageOp(st.colorOp, Ch(c1, 8), Ch(c2, 8), ba);
        uint32_t b = StageOp(st.colorOp, Ch(c1, 0), Ch(c2, 0), ba);
        uint32_t a = current >> 24;
        if (st.alphaOp != GFX_TOP_DISABLE) {
            uint32_t a1 = StageArg(st.alphaArg1, diffuse, current, texel, s.tfactor) >> 24;
            uint32_t a2 = StageArg(st.alphaArg2, diffuse, current, texel, s.tfactor) >> 24;
            a = StageOp(st.alphaOp, a1, a2, BlendAlphaOf(st.alphaOp, diffuse, current, texel, s.tfactor));
        }
        current = Pack(a, r, g, b);
    }
    return current;
}

uint32_t Lerp(uint32_t a, uint32_t b, uint32_t k) {
    return Pack(GfxDiv255(Ch(a, 24) * (255 - k) + Ch(b, 24) * k), GfxDiv255(Ch(a, 16) * (255 - k) + Ch(b, 16) * k),
                GfxDiv255(Ch(a, 8) * (255 - k) + Ch(b, 8) * k), GfxDiv255(Ch(a, 0) * (255 - k) + Ch(b, 0) * k));
}

uint32_t Program(const SGfxShadeState& s, uint32_t t0, uint32_t t1, uint32_t v0) {
    switch (s.shader) {
    case GFX_PS_CROSSFADE:
        return GfxModulate(Lerp(t0, t1, s.constants[0][0]), v0);
    case GFX_PS_RULE: {
        int32_t m = static_cast<int32_t>(t1 & 255u);
        int32_t p = s.constants[0][0];
        int32_t w = std::max<int32_t>(1, s.constants[1][0]);
        int32_t edge = (p * (255 + w) - 255 * m) / w;
        uint32_t e = Sat(edge);
        uint32_t c = GfxModulate(t0, v0);
        return (GfxDiv255((c >> 24) * e) << 24) | (c & 0x00FFFFFFu);
    }
    case GFX_PS_MODULATE2:
        return GfxModulate(GfxModulate(t0, t1), v0);
    case GFX_PS_GREY: {
        uint32_t grey = (Ch(t0, 16) * 77 + Ch(t0, 8) * 150 + Ch(t0, 0) * 29 + 128) >> 8;
        uint32_t tint = Pack(Ch(t0, 24), GfxDiv255(grey * s.constants[1][1]), GfxDiv255(grey * s.constants[1][2]),
                             GfxDiv255(grey * s.constants[1][3]));
        return GfxModulate(Lerp(t0, tint, s.constants[0][0]), v0);
    }
    case GFX_PS_TEXTURE:
    default:
        return GfxModulate(t0, v0);
    }
}

uint32_t Factor(uint32_t factor, uint32_t sc, uint32_t sa, uint32_t dc, uint32_t da, bool alphaChannel) {
    switch (factor) {
    case GFX_BLEND_ZERO: return 0;
    case GFX_BLEND_ONE: return 255;
    case GFX_BLEND_SRCCOLOR: return sc;
    case GFX_BLEND_INVSRCCOLOR: return 255 - sc;
    case GFX_BLEND_SRCALPHA: return sa;
    case GFX_BLEND_INVSRCALPHA: return 255 - sa;
    case GFX_BLEND_DESTALPHA: return da;
    case GFX_BLEND_INVDESTALPHA: return 255 - da;
    case GFX_BLEND_DESTCOLOR: return dc;
    case GFX_BLEND_INVDESTCOLOR: return 255 - dc;
    case GFX_BLEND_SRCALPHASAT: return alphaChannel ? 255 : std::min(sa, 255 - da);
    default: return 255;
    }
}

bool AlphaPasses(const SGfxShadeState& s, uint32_t a) {
    uint32_t ref = s.alphaRef & 255u;
    switch (s.alphaFunc) {
    case GFX_CMP_NEVER: return false;
    case GFX_CMP_LESS: return a < ref;
    case GFX_CMP_EQUAL: return a == ref;
    case GFX_CMP_LESSEQUAL: return a <= ref;
    case GFX_CMP_GREATER: return a > ref;
    case GFX_CMP_NOTEQUAL: return a != ref;
    case GFX_CMP_GREATEREQUAL: return a >= ref;
    default: return true;
    }
}

// How the state uses the diffuse colour when it reduces to texel × m (per channel):
// true with the multiplier's channels as a mask (colour part, alpha part).
bool ReducesToModulate(const SGfxShadeState& s, bool* colorUsesDiffuse, bool* alphaUsesDiffuse) {
    if (s.shader != 0) {
        if (s.shader != GFX_PS_TEXTURE) {
            return false;
        }
        *colorUsesDiffuse = *alphaUsesDiffuse = true;
        return true;
    }
    if (s.stage[1].colorOp != GFX_TOP_DISABLE) {
        return false;
    }
    const SGfxStageOps& st = s.stage[0];
    auto isDiffuse = [](uint32_t arg) { return arg == GFX_TA_DIFFUSE || arg == GFX_TA_CURRENT; };
    auto classify = [&](uint32_t op, uint32_t a1, uint32_t a2, bool* usesDiffuse) {
        if (op == GFX_TOP_MODULATE && ((a1 == GFX_TA_TEXTURE && isDiffuse(a2)) || (a2 == GFX_TA_TEXTURE && isDiffuse(a1)))) {
            *usesDiffuse = true;
            return true;
        }
        if ((op == GFX_TOP_SELECTARG1 && a1 == GFX_TA_TEXTURE) || (op == GFX_TOP_SELECTARG2 && a2 == GFX_TA_TEXTURE)) {
            *usesDiffuse = false;
            return true;
        }
        if ((op == GFX_TOP_SELECTARG1 && isDiffuse(a1)) || (op == GFX_TOP_SELECTARG2 && isDiffuse(a2))) {
            // Only the diffuse colour: the same as a white texel times it.
            *usesDiffuse = true;
            return true;
        }
        return false;
    };
    if (st.colorOp == GFX_TOP_DISABLE) {
        return false;
    }
    bool cu = false, au = false;
    if (!classify(st.colorOp, st.colorArg1, st.colorArg2, &cu)) {
        return false;
    }
    if (st.alphaOp == GFX_TOP_DISABLE) {
        au = true;  // alpha of the current colour, which is the diffuse one at stage 0
    } else if (!classify(st.alphaOp, st.alphaArg1, st.alphaArg2, &au)) {
        return false;
    }
    // A stage that selects only the diffuse colour ignores the texel: not a texel
    // multiplication unless the texel is white (no texture bound).
    auto selectsDiffuseOnly = [&](uint32_t op, uint32_t a1, uint32_t a2) {
        return (op == GFX_TOP_SELECTARG1 && isDiffuse(a1)) || (op == GFX_TOP_SELECTARG2 && isDiffuse(a2));
    };
    if (s.textured[0] && (selectsDiffuseOnly(st.colorOp, st.colorArg1, st.colorArg2) || st.alphaOp == GFX_TOP_DISABLE ||
                          selectsDiffuseOnly(st.alphaOp, st.alphaArg1, st.alphaArg2))) {
        return false;
    }
    *colorUsesDiffuse = cu;
    *alphaUsesDiffuse = au;
    return true;
}

}  // namespace

void GfxSetSimdEnabled(bool enabled) { g_SimdEnabled = enabled; }
bool GfxIsSimdEnabled() { return g_SimdEnabled.load() && HasSse2(); }

uint32_t GfxCombine(const SGfxShadeState& state, uint32_t tex0, uint32_t tex1, uint32_t diffuse) {
    if (state.shader != 0) {
        uint32_t t0 = state.textured[0] ? tex0 : 0xFFFFFFFFu;
        uint32_t t1 = state.textured[1] ? tex1 : 0xFFFFFFFFu;
        return Program(state, t0, t1, diffuse);
    }
    return Stages(state, tex0, tex1, diffuse);
}

uint32_t GfxBlendPixel(const SGfxShadeState& s, uint32_t src, uint32_t dst) {
    if (!s.blend) {
        return src;
    }
    uint32_t sa = src >> 24;
    // A target without alpha reads as opaque in the blend factors; its unused alpha
    // byte is still blended from what it holds, as the fast kernels do, so that every
    // kernel leaves the same bytes.
    uint32_t da = s.targetHasAlpha ? (dst >> 24) : 255u;
    uint32_t out = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
        bool alpha = shift == 24;
        uint32_t sc = Ch(src, shift);
        uint32_t dc = Ch(dst, shift);
        uint32_t v;
        switch (s.blendOp) {
        case GFX_BLENDOP_MIN: v = std::min(sc, dc); break;
        case GFX_BLENDOP_MAX: v = std::max(sc, dc); break;
        default: {
            int32_t ts = static_cast<int32_t>(sc * Factor(s.srcBlend, alpha ? sa : sc, sa, dc, da, alpha));
            int32_t td = static_cast<int32_t>(dc * Factor(s.dstBlend, alpha ? sa : sc, sa, dc, da, alpha));
            int32_t sum = s.blendOp == GFX_BLENDOP_SUBTRACT      ? ts - td
                          : s.blendOp == GFX_BLENDOP_REVSUBTRACT ? td - ts
                                                                 : ts + td;
            // (x + 127) / 255 is round(x / 255): 255 is odd, so no quotient ends in .5.
            v = sum <= 0 ? 0u : std::min<uint32_t>(255, (static_cast<uint32_t>(sum) + 127) / 255);
            break;
        }
        }
        out |= v << shift;
    }
    return out;
}

EGfxSpanKernel GfxChooseSpanKernel(const SGfxShadeState& s, bool constantDiffuse, uint32_t diffuse) {
    if (!constantDiffuse || (s.alphaTest && s.alphaFunc != GFX_CMP_ALWAYS)) {
        return EGfxSpanKernel::Generic;
    }
    bool cu = false, au = false;
    if (!ReducesToModulate(s, &cu, &au)) {
        return EGfxSpanKernel::Generic;
    }
    uint32_t mod = (cu ? (diffuse & 0x00FFFFFFu) : 0x00FFFFFFu) | (au ? (diffuse & 0xFF000000u) : 0xFF000000u);
    bool plainBlend = s.blend && s.blendOp == GFX_BLENDOP_ADD && s.srcBlend == GFX_BLEND_SRCALPHA &&
                      s.dstBlend == GFX_BLEND_INVSRCALPHA;
    bool noBlend = !s.blend || (s.blendOp == GFX_BLENDOP_ADD && s.srcBlend == GFX_BLEND_ONE && s.dstBlend == GFX_BLEND_ZERO);
    if (noBlend) {
        return mod == 0xFFFFFFFFu ? EGfxSpanKernel::Copy : EGfxSpanKernel::Modulate;
    }
    if (plainBlend) {
        return mod == 0xFFFFFFFFu ? EGfxSpanKernel::Blend : EGfxSpanKernel::BlendModulate;
    }
    return EGfxSpanKernel::Generic;
}

// The multiplier the fast kernels apply, matching GfxChooseSpanKernel.
static uint32_t FastMultiplier(const SGfxShadeState& s, uint32_t diffuse) {
    bool cu = false, au = false;
    ReducesToModulate(s, &cu, &au);
    return (cu ? (diffuse & 0x00FFFFFFu) : 0x00FFFFFFu) | (au ? (diffuse & 0xFF000000u) : 0xFF000000u);
}

void GfxSpanBlendScalar(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, bool modulate, int n) {
    for (int i = 0; i < n; ++i) {
        uint32_t s = src[i] | srcOr;
        if (modulate) {
            s = GfxModulate(s, diffuse);
        }
        uint32_t a = s >> 24;
        if (a == 0) {
            continue;
        }
        if (a == 255) {
            dst[i] = s;
            continue;
        }
        uint32_t d = dst[i], ia = 255 - a;
        dst[i] = Pack(GfxDiv255(Ch(s, 24) * a + Ch(d, 24) * ia), GfxDiv255(Ch(s, 16) * a + Ch(d, 16) * ia),
                      GfxDiv255(Ch(s, 8) * a + Ch(d, 8) * ia), GfxDiv255(Ch(s, 0) * a + Ch(d, 0) * ia));
    }
}

void GfxSpanBlendConstScalar(uint32_t* dst, uint32_t colour, int n) {
    const uint32_t a = colour >> 24, ia = 255 - a;
    if (a == 0 || n <= 0) {
        return;
    }
    if (a == 255) {
        std::fill(dst, dst + n, colour);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const uint32_t d = dst[i];
        dst[i] = Pack(GfxDiv255(Ch(colour, 24) * a + Ch(d, 24) * ia), GfxDiv255(Ch(colour, 16) * a + Ch(d, 16) * ia),
                      GfxDiv255(Ch(colour, 8) * a + Ch(d, 8) * ia), GfxDiv255(Ch(colour, 0) * a + Ch(d, 0) * ia));
    }
}

void GfxSpanModulateScalar(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t diffuse, int n) {
    for (int i = 0; i < n; ++i) {
        dst[i] = GfxModulate(src[i] | srcOr, diffuse);
    }
}

// A texel span blended in pieces: a piece of one colour throughout (the clear or solid
// areas of a picture, a plane of one colour stretched across the screen) blends that
// colour, worked out once, instead of each texel and its alpha.
static void _BlendPiecesSse2(uint32_t* dst, const uint32_t* src, uint32_t srcOr, uint32_t mod, bool modulate, int n) {
    constexpr int kPiece = 64;
    for (int i = 0; i < n; i += kPiece) {
        const int m = std::min(kPiece, n - i);
        if (GfxSpanUniformSse2(src + i, m)) {
            const uint32_t c = src[i] | srcOr;
            GfxSpanBlendConstSse2(dst + i, modulate ? GfxModulate(c, mod) : c, m);
        } else {
            GfxSpanBlendSse2(dst + i, src + i, srcOr, mod, modulate, m);
        }
    }
}

// A span whose stage-0 filter has its vertical pass to come: fused with a fast kernel,
// else finished piece by piece and shaded as any span.
static void _ShadeFiltered(const SGfxShadeState& s, EGfxSpanKernel kernel, const SGfxSpan& span) {
    if (kernel != EGfxSpanKernel::Generic && s.textured[0] && GfxIsSimdEnabled()) {
        GfxShadeFilteredSse2(span.dest, span.tex0, span.tex0Below, span.tex0Weight, kernel,
                             FastMultiplier(s, span.constDiffuse), span.count);
        return;
    }
    constexpr int kPiece = 256;
    uint32_t texels[kPiece];
    SGfxSpan piece = span;
    piece.tex0 = texels;
    piece.tex0Below = nullptr;
    for (int i = 0; i < span.count; i += kPiece) {
        piece.count = std::min(kPiece, span.count - i);
        if (GfxIsSimdEnabled()) {
            GfxFilterColumnsSse2(span.tex0 + i, span.tex0Below + i, span.tex0Weight, piece.count, texels);
        } else {
            GfxFilterColumnsScalar(span.tex0 + i, span.tex0Below + i, span.tex0Weight, piece.count, texels);
        }
        piece.dest = span.dest + i;
        piece.tex1 = span.tex1 ? span.tex1 + i : nullptr;
        piece.diffuse = span.diffuse ? span.diffuse + i : nullptr;
        GfxShadeSpan(s, kernel, piece);
    }
}

void GfxShadeSpan(const SGfxShadeState& s, EGfxSpanKernel kernel, const SGfxSpan& span) {
    static const uint32_t kWhite = 0xFFFFFFFFu;
    int n = span.count;
    if (n <= 0) {
        return;
    }
    if (span.tex0 && span.tex0Below) {
        _ShadeFiltered(s, kernel, span);
        return;
    }
    if (kernel != EGfxSpanKernel::Generic) {
        uint32_t mod = FastMultiplier(s, span.constDiffuse);
        // Without a texture the texel is white, and a span of one texel value has that
        // value: one colour for the whole span.
        const uint32_t* src = span.tex0;
        uint32_t srcOr = span.tex0Or;
        if (!s.textured[0] || !src || span.tex0Uniform) {
            uint32_t c = GfxModulate(s.textured[0] && src ? (src[0] | srcOr) : kWhite, mod);
            switch (kernel) {
            case EGfxSpanKernel::Copy:
            case EGfxSpanKernel::Modulate:
                std::fill(span.dest, span.dest + n, c);
                return;
            default: {
                uint32_t a = c >> 24;
                if (a == 0) {
                    return;
                }
                if (a == 255) {
                    std::fill(span.dest, span.dest + n, c);
                    return;
                }
                if (GfxIsSimdEnabled()) {
                    GfxSpanBlendConstSse2(span.dest, c, n);
                } else {
                    GfxSpanBlendConstScalar(span.dest, c, n);
                }
                return;
            }
            }
        }
        bool simd = GfxIsSimdEnabled();
        switch (kernel) {
        case EGfxSpanKernel::Copy:
            if (srcOr == 0) {
                std::memcpy(span.dest, src, static_cast<size_t>(n) * 4);
            } else {
                for (int i = 0; i < n; ++i) {
                    span.dest[i] = src[i] | srcOr;
                }
            }
            return;
        case EGfxSpanKernel::Modulate:
            if (simd) {
                GfxSpanModulateSse2(span.dest, src, srcOr, mod, n);
            } else {
                GfxSpanModulateScalar(span.dest, src, srcOr, mod, n);
            }
            return;
        case EGfxSpanKernel::Blend:
        case EGfxSpanKernel::BlendModulate: {
            bool modulate = kernel == EGfxSpanKernel::BlendModulate;
            if (simd) {
                _BlendPiecesSse2(span.dest, src, srcOr, mod, modulate, n);
            } else {
                GfxSpanBlendScalar(span.dest, src, srcOr, mod, modulate, n);
            }
            return;
        }
        default:
            break;
        }
    }
    bool testAlpha = s.alphaTest && s.alphaFunc != GFX_CMP_ALWAYS;
    for (int i = 0; i < n; ++i) {
        uint32_t t0 = span.tex0 ? (span.tex0[span.tex0Uniform ? 0 : i] | span.tex0Or) : kWhite;
        uint32_t t1 = span.tex1 ? (span.tex1[i] | span.tex1Or) : kWhite;
        uint32_t d = span.diffuse ? span.diffuse[i] : span.constDiffuse;
        uint32_t c = GfxCombine(s, t0, t1, d);
        if (testAlpha && !AlphaPasses(s, c >> 24)) {
            continue;
        }
        span.dest[i] = GfxBlendPixel(s, c, span.dest[i]);
    }
}
