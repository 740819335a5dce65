// Randomised differential checks on whole draws: the axis-aligned quad path against
// the general triangle path, and the SSE2 kernels against the scalar ones.  A
// failure names its seed.
#include <gtest/gtest.h>

#include <random>

#include "platform/gfx/GfxSpan.h"
#include "tests/platform/gfx/GfxTestUtil.h"

using namespace gfxtest;

namespace {

constexpr uint32_t kTargetW = 96, kTargetH = 72;

struct SDraw {
    EGfxFormat format = GFX_FMT_A8R8G8B8;
    uint32_t tw = 1, th = 1;
    std::vector<uint32_t> texels;
    SGfxVertex v[4];
    bool blend = false;
    uint32_t src = GFX_BLEND_ONE, dst = GFX_BLEND_ZERO, op = GFX_BLENDOP_ADD;
    uint32_t minFilter = GFX_TEXF_POINT, magFilter = GFX_TEXF_POINT;
    uint32_t addressU = GFX_TADDRESS_WRAP, addressV = GFX_TADDRESS_WRAP;
    uint32_t colorOp = GFX_TOP_MODULATE, alphaOp = GFX_TOP_MODULATE;
    bool alphaTest = false;
    uint32_t alphaRef = 0;
    bool textured = true;
    std::vector<uint32_t> background;
};

float Pick(std::mt19937& rng, std::initializer_list<float> values) {
    return *(values.begin() + rng() % values.size());
}

// An edge position: on a pixel edge, on a centre, at a 1/256 step or anywhere.
float Edge(std::mt19937& rng, int lo, int hi) {
    float base = static_cast<float>(lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo)));
    switch (rng() % 4) {
    case 0: return base - 0.5f;
    case 1: return base;
    case 2: return base + static_cast<float>(rng() % 256) / 256.0f;
    default: return base + std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
    }
}

SDraw RandomDraw(uint32_t seed) {
    std::mt19937 rng(seed);
    SDraw d;
    static const EGfxFormat kFormats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, GFX_FMT_X8R8G8B8, GFX_FMT_R5G6B5,
                                          GFX_FMT_A1R5G5B5, GFX_FMT_A4R4G4B4, GFX_FMT_A8};
    d.format = kFormats[rng() % 7];
    d.tw = 1 + rng() % 40;
    d.th = 1 + rng() % 30;
    d.texels.resize(d.tw * d.th);
    for (auto& p : d.texels) {
        uint32_t kind = rng() % 4;
        uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : (rng() & 255);
        p = (a << 24) | (rng() & 0xFFFFFF);
    }
    // Size: the texture's own, a simple multiple or anything.
    float scale = Pick(rng, {1.0f, 1.0f, 1.0f, 2.0f, 0.5f, 1.5f, 3.0f, 0.75f});
    if (rng() % 5 == 0) scale = std::uniform_real_distribution<float>(0.2f, 4.0f)(rng);
    float l = Edge(rng, -30, static_cast<int>(kTargetW));
    float t = Edge(rng, -30, static_cast<int>(kTargetH));
    float w = std::max(1.0f, std::round(d.tw * scale * 256.0f) / 256.0f);
    float h = std::max(1.0f, std::round(d.th * scale * 256.0f) / 256.0f);
    if (rng() % 6 == 0) w = std::max(0.25f, Edge(rng, 1, 90));
    if (rng() % 6 == 0) h = std::max(0.25f, Edge(rng, 1, 70));
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    switch (rng() % 5) {
    case 0: break;
    case 1: u0 = -1; v0 = -0.5f; u1 = 2; v1 = 1.5f; break;  // addressing
    case 2: std::swap(u0, u1); break;                       // mirrored picture
    case 3: {                                               // a texel-aligned part
        u0 = static_cast<float>(rng() % d.tw) / d.tw;
        v0 = static_cast<float>(rng() % d.th) / d.th;
        u1 = u0 + 1.0f;
        v1 = v0 + 1.0f;
        break;
    }
    default:
        u0 = std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
        v0 = std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
        u1 = std::uniform_real_distribution<float>(-1.0f, 2.0f)(rng);
        v1 = std::uniform_real_distribution<float>(-1.0f, 2.0f)(rng);
        break;
    }
    static const uint32_t kColors[] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xCCFFFFFFu, 0x80FFFFFFu, 0xFF808080u, 0x00FFFFFFu};
    uint32_t color = rng() % 4 == 0 ? static_cast<uint32_t>(rng()) : kColors[rng() % 6];
    Quad(d.v, l, t, l + w, t + h, u0, v0, u1, v1, color);
    struct SBlend {
        bool on;
        uint32_t src, dst, op;
    };
    static const SBlend kBlends[] = {
        {false, GFX_BLEND_ONE, GFX_BLEND_ZERO, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_ONE, GFX_BLEND_ZERO, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_SRCALPHA, GFX_BLEND_ONE, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_DESTCOLOR, GFX_BLEND_ZERO, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_ONE, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD},
        {true, GFX_BLEND_INVDESTALPHA, GFX_BLEND_DESTALPHA, GFX_BLENDOP_REVSUBTRACT},
        {true, GFX_BLEND_SRCALPHASAT, GFX_BLEND_ONE, GFX_BLENDOP_MAX},
    };
    const SBlend& b = kBlends[rng() % 9];
    d.blend = b.on;
    d.src = b.src;
    d.dst = b.dst;
    d.op = b.op;
    static const uint32_t kFilters[] = {GFX_TEXF_POINT, GFX_TEXF_POINT, GFX_TEXF_LINEAR, GFX_TEXF_ANISOTROPIC};
    d.minFilter = kFilters[rng() % 4];
    d.magFilter = kFilters[rng() % 4];
    static const uint32_t kAddress[] = {GFX_TADDRESS_WRAP, GFX_TADDRESS_CLAMP, GFX_TADDRESS_MIRROR};
    d.addressU = kAddress[rng() % 3];
    d.addressV = kAddress[rng() % 3];
    if (rng() % 6 == 0) d.colorOp = GFX_TOP_SELECTARG1;
    if (rng() % 6 == 0) d.alphaOp = GFX_TOP_SELECTARG1;
    if (rng() % 8 == 0) {
        d.alphaTest = true;
        d.alphaRef = rng() & 255;
    }
    d.textured = rng() % 10 != 0;
    d.background = RandomPixels(kTargetW * kTargetH, seed ^ 0x9E3779B9u);
    return d;
}

// Draws `draw` into a fresh render-target texture, as one strip (split == false) or
// as its two triangles in separate calls; returns the target's texels.
std::vector<uint32_t> Render(const SDraw& draw, bool split, uint64_t* fastQuads) {
    auto d = MakeDevice(16, 16);
    std::shared_ptr<CGfxTexture> rt;
    EXPECT_EQ(d->CreateTexture(kTargetW, kTargetH, 1, GFX_USAGE_RENDERTARGET, GFX_FMT_A8R8G8B8, GFX_POOL_DEFAULT, &rt), GFX_OK);
    SGfxLockedRect lr;
    rt->LockRect(0, &lr, nullptr);
    for (uint32_t y = 0; y < kTargetH; ++y) {
        std::copy(draw.background.begin() + y * kTargetW, draw.background.begin() + (y + 1) * kTargetW,
                  reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(lr.bits) + y * lr.pitch));
    }
    rt->UnlockRect(0);
    std::shared_ptr<CGfxSurface> rts;
    rt->GetSurfaceLevel(0, &rts);
    d->SetRenderTarget(rts);
    auto tex = MakeTexture(*d, draw.tw, draw.th, draw.texels, draw.format);
    d->SetTexture(0, draw.textured ? tex : nullptr);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, draw.blend ? 1 : 0);
    d->SetRenderState(GFX_RS_SRCBLEND, draw.src);
    d->SetRenderState(GFX_RS_DESTBLEND, draw.dst);
    d->SetRenderState(GFX_RS_BLENDOP, draw.op);
    d->SetRenderState(GFX_RS_ALPHATESTENABLE, draw.alphaTest ? 1 : 0);
    d->SetRenderState(GFX_RS_ALPHAREF, draw.alphaRef);
    d->SetRenderState(GFX_RS_ALPHAFUNC, GFX_CMP_GREATER);
    d->SetTextureStageState(0, GFX_TSS_MINFILTER, draw.minFilter);
    d->SetTextureStageState(0, GFX_TSS_MAGFILTER, draw.magFilter);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSU, draw.addressU);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSV, draw.addressV);
    d->SetTextureStageState(0, GFX_TSS_COLOROP, draw.colorOp);
    d->SetTextureStageState(0, GFX_TSS_ALPHAOP, draw.alphaOp);
    if (!split) {
        EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, draw.v, sizeof(SGfxVertex)), GFX_OK);
    } else {
        // The strip's two triangles in its own vertex order, one call each.
        const SGfxVertex a[3] = {draw.v[0], draw.v[1], draw.v[2]}, b[3] = {draw.v[2], draw.v[1], draw.v[3]};
        EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, a, sizeof(SGfxVertex)), GFX_OK);
        EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, b, sizeof(SGfxVertex)), GFX_OK);
    }
    if (fastQuads) *fastQuads = d->GetFastQuadCount();
    std::vector<uint32_t> out(kTargetW * kTargetH);
    for (uint32_t y = 0; y < kTargetH; ++y) {
        const uint32_t* row = rt->Pixels().ArgbRow(y);
        std::copy(row, row + kTargetW, out.begin() + y * kTargetW);
    }
    return out;
}

size_t FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return i;
    }
    return a.size();
}

}  // namespace

TEST(GfxDifferential, AxisAlignedQuadPathDrawsWhatTheTrianglePathDraws) {
    int fastDraws = 0;
    for (uint32_t seed = 1; seed <= 1500; ++seed) {
        SDraw draw = RandomDraw(seed);
        uint64_t fast = 0, none = 0;
        auto quad = Render(draw, false, &fast);
        auto tris = Render(draw, true, &none);
        EXPECT_EQ(none, 0u) << "seed " << seed;
        fastDraws += fast == 1 ? 1 : 0;
        size_t at = FirstDifference(quad, tris);
        ASSERT_EQ(at, quad.size()) << "seed " << seed << " at " << at % kTargetW << "," << at / kTargetW << std::hex
                                   << " quad " << quad[at] << " triangles " << tris[at];
    }
    EXPECT_GT(fastDraws, 1400);
}

TEST(GfxDifferential, Sse2DrawsWhatTheScalarKernelsDraw) {
    if (!GfxIsSimdEnabled()) GTEST_SKIP() << "no SSE2";
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        SDraw draw = RandomDraw(seed + 100000);
        auto simd = Render(draw, false, nullptr);
        GfxSetSimdEnabled(false);
        auto scalar = Render(draw, false, nullptr);
        GfxSetSimdEnabled(true);
        size_t at = FirstDifference(simd, scalar);
        ASSERT_EQ(at, simd.size()) << "seed " << seed << " at " << at % kTargetW << "," << at / kTargetW;
    }
}

TEST(GfxDifferential, FastKernelsDrawWhatTheGenericKernelDrawsForRandomStates) {
    static const uint32_t kOps[] = {GFX_TOP_MODULATE, GFX_TOP_MODULATE, GFX_TOP_SELECTARG1, GFX_TOP_SELECTARG2, GFX_TOP_ADD,
                                    GFX_TOP_DISABLE};
    static const uint32_t kArgs[] = {GFX_TA_TEXTURE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TA_CURRENT, GFX_TA_TFACTOR,
                                     GFX_TA_TEXTURE | GFX_TA_COMPLEMENT, GFX_TA_DIFFUSE | GFX_TA_ALPHAREPLICATE};
    static const uint32_t kBlends[][3] = {
        {GFX_BLEND_ONE, GFX_BLEND_ZERO, GFX_BLENDOP_ADD},          {GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD},
        {GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD}, {GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_SUBTRACT},
        {GFX_BLEND_ONE, GFX_BLEND_ONE, GFX_BLENDOP_ADD},           {GFX_BLEND_DESTALPHA, GFX_BLEND_INVSRCALPHA, GFX_BLENDOP_ADD},
    };
    int fastCount = 0;
    for (uint32_t seed = 1; seed <= 4000; ++seed) {
        std::mt19937 rng(seed);
        SGfxShadeState s;
        auto pick = [&](const auto& table) { return table[rng() % (sizeof(table) / sizeof(table[0]))]; };
        for (uint32_t k = 0; k < GFX_MAX_STAGES; ++k) {
            s.stage[k] = SGfxStageOps{pick(kOps), pick(kArgs), pick(kArgs), pick(kOps), pick(kArgs), pick(kArgs)};
            s.textured[k] = rng() % 4 != 0;
        }
        if (rng() % 3 != 0) s.stage[1].colorOp = GFX_TOP_DISABLE;
        if (rng() % 3 == 0) {
            // The engine's usual stage 0.
            s.stage[0] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE};
        }
        s.shader = rng() % 5 == 0 ? GFX_PS_FIRST + rng() % (GFX_PS_LAST - GFX_PS_FIRST + 1) : 0;
        s.tfactor = rng();
        s.blend = rng() % 4 != 0;
        const uint32_t* b = kBlends[rng() % 6];
        s.srcBlend = b[0];
        s.dstBlend = b[1];
        s.blendOp = b[2];
        s.targetHasAlpha = rng() % 2 == 0;
        s.alphaTest = rng() % 6 == 0;
        s.alphaFunc = rng() % 2 ? GFX_CMP_ALWAYS : GFX_CMP_GREATER;
        s.alphaRef = rng() & 255;
        static const uint32_t kDiffuse[] = {0xFFFFFFFFu, 0xCCFFFFFFu, 0x00FFFFFFu, 0xFF000000u, 0x80FF8040u};
        uint32_t diffuse = rng() % 3 == 0 ? static_cast<uint32_t>(rng()) : pick(kDiffuse);
        EGfxSpanKernel kernel = GfxChooseSpanKernel(s, true, diffuse);
        if (kernel == EGfxSpanKernel::Generic) continue;
        ++fastCount;
        int n = 1 + static_cast<int>(rng() % 40);
        auto tex0 = RandomPixels(static_cast<size_t>(n), seed * 3);
        auto tex1 = RandomPixels(static_cast<size_t>(n), seed * 5);
        auto dest = RandomPixels(static_cast<size_t>(n), seed * 7);
        SGfxSpan span;
        span.tex0 = s.textured[0] ? tex0.data() : nullptr;
        span.tex0Or = rng() % 3 == 0 ? 0xFF000000u : 0u;
        span.tex1 = s.textured[1] ? tex1.data() : nullptr;
        span.constDiffuse = diffuse;
        span.count = n;
        for (bool simd : {true, false}) {
            GfxSetSimdEnabled(simd);
            auto fast = dest, generic = dest;
            span.dest = fast.data();
            GfxShadeSpan(s, kernel, span);
            span.dest = generic.data();
            GfxShadeSpan(s, EGfxSpanKernel::Generic, span);
            GfxSetSimdEnabled(true);
            size_t at = FirstDifference(fast, generic);
            ASSERT_EQ(at, fast.size()) << "seed " << seed << " simd " << simd << " kernel " << static_cast<int>(kernel)
                                       << std::hex << " fast " << fast[at] << " generic " << generic[at];
        }
    }
    EXPECT_GT(fastCount, 400);
}
