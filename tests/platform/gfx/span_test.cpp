// The span kernels: exact rounding, SSE2 against scalar, fast kernels against the
// generic one.
#include <gtest/gtest.h>

#include <random>

#include "platform/gfx/GfxSample.h"
#include "platform/gfx/GfxSpan.h"
#include "tests/platform/gfx/GfxTestUtil.h"

using gfxtest::Div255Ref;

TEST(GfxSpan, Div255RoundsExactlyOverTheWholeProductRange) {
    for (uint32_t x = 0; x <= 255u * 255u; ++x) {
        ASSERT_EQ(GfxDiv255(x), Div255Ref(x)) << x;
    }
}

namespace {
uint32_t Checksum(const std::vector<uint32_t>& v) {
    uint32_t h = 2166136261u;
    for (uint32_t p : v) h = (h ^ p) * 16777619u;
    return h;
}

// Random pixels with many fully transparent and fully opaque ones, as pictures have.
std::vector<uint32_t> PictureLike(size_t n, std::mt19937& rng) {
    std::vector<uint32_t> v(n);
    for (auto& p : v) {
        uint32_t r = rng();
        uint32_t kind = r % 4;
        uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : (rng() & 255);
        p = (a << 24) | (rng() & 0xFFFFFF);
    }
    return v;
}
}  // namespace

TEST(GfxSpan, Sse2BlendAndModulateMatchScalarBitForBit) {
    if (!GfxIsSimdEnabled()) GTEST_SKIP() << "no SSE2";
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        int n = static_cast<int>(rng() % 67);
        auto src = PictureLike(static_cast<size_t>(n), rng);
        auto dst = gfxtest::RandomPixels(static_cast<size_t>(n), seed * 7);
        uint32_t diffuse = rng();
        uint32_t orMask = (seed % 3 == 0) ? 0xFF000000u : 0u;
        for (int mod = 0; mod < 2; ++mod) {
            auto a = dst, b = dst;
            GfxSpanBlendScalar(a.data(), src.data(), orMask, diffuse, mod != 0, n);
            GfxSpanBlendSse2(b.data(), src.data(), orMask, diffuse, mod != 0, n);
            ASSERT_EQ(Checksum(a), Checksum(b)) << "blend seed " << seed << " modulate " << mod;
        }
        auto a = dst, b = dst;
        GfxSpanModulateScalar(a.data(), src.data(), orMask, diffuse, n);
        GfxSpanModulateSse2(b.data(), src.data(), orMask, diffuse, n);
        ASSERT_EQ(Checksum(a), Checksum(b)) << "modulate seed " << seed;
    }
}

TEST(GfxSpan, FastKernelsDrawWhatTheGenericKernelDraws) {
    SGfxShadeState s;
    s.stage[0] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE};
    s.textured[0] = true;
    const uint32_t diffuses[] = {0xFFFFFFFFu, 0xCCFFFFFFu, 0x80FF8040u};
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        auto src = PictureLike(64, rng);
        auto dst = gfxtest::RandomPixels(64, seed + 1000);
        for (bool blend : {false, true}) {
            s.blend = blend;
            s.srcBlend = blend ? GFX_BLEND_SRCALPHA : GFX_BLEND_ONE;
            s.dstBlend = blend ? GFX_BLEND_INVSRCALPHA : GFX_BLEND_ZERO;
            for (uint32_t d : diffuses) {
                EGfxSpanKernel k = GfxChooseSpanKernel(s, true, d);
                ASSERT_NE(k, EGfxSpanKernel::Generic);
                SGfxSpan span;
                span.tex0 = src.data();
                span.constDiffuse = d;
                span.count = 64;
                auto fast = dst, generic = dst;
                span.dest = fast.data();
                GfxShadeSpan(s, k, span);
                span.dest = generic.data();
                GfxShadeSpan(s, EGfxSpanKernel::Generic, span);
                ASSERT_EQ(fast, generic) << "seed " << seed << " blend " << blend << " diffuse " << std::hex << d;
            }
        }
    }
}

TEST(GfxSpan, BlendFactorsOnKnownColours) {
    SGfxShadeState s;
    s.blend = true;
    s.targetHasAlpha = true;
    // Source alpha over: 50 % red over opaque blue.
    s.srcBlend = GFX_BLEND_SRCALPHA;
    s.dstBlend = GFX_BLEND_INVSRCALPHA;
    EXPECT_EQ(GfxBlendPixel(s, 0x80FF0000u, 0xFF0000FFu), 0xBF80007Fu);
    // Additive saturates.
    s.srcBlend = GFX_BLEND_ONE;
    s.dstBlend = GFX_BLEND_ONE;
    EXPECT_EQ(GfxBlendPixel(s, 0x80F01010u, 0x80202020u), 0xFFFF3030u);
    // Multiply: source × destination colour.
    s.srcBlend = GFX_BLEND_DESTCOLOR;
    s.dstBlend = GFX_BLEND_ZERO;
    EXPECT_EQ(GfxBlendPixel(s, 0xFF808080u, 0xFFFF4000u), 0xFF802000u);
    // A target without alpha reads as opaque.
    s.targetHasAlpha = false;
    s.srcBlend = GFX_BLEND_INVDESTALPHA;
    s.dstBlend = GFX_BLEND_ONE;
    EXPECT_EQ(GfxBlendPixel(s, 0xFFFFFFFFu, 0x00102030u) & 0xFFFFFF, 0x102030u);
}

TEST(GfxSpan, StageOperationsModulateTextureByDiffuse) {
    SGfxShadeState s;
    s.textured[0] = true;
    s.stage[0] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE};
    EXPECT_EQ(GfxCombine(s, 0xFF808080u, 0, 0x80FF0000u), 0x80800000u);
    s.stage[0].colorOp = GFX_TOP_SELECTARG2;
    EXPECT_EQ(GfxCombine(s, 0xFF808080u, 0, 0x80FF0000u) & 0xFFFFFF, 0xFF0000u);
    s.stage[0].colorOp = GFX_TOP_ADD;
    EXPECT_EQ(GfxCombine(s, 0xFF808080u, 0, 0xFFFF0101u) & 0xFFFFFF, 0xFF8181u);
    // Stage 1 modulates the result by the texture factor.
    s.stage[0].colorOp = GFX_TOP_SELECTARG1;
    s.stage[1] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_CURRENT, GFX_TA_TFACTOR, GFX_TOP_SELECTARG1, GFX_TA_CURRENT, GFX_TA_CURRENT};
    s.tfactor = 0xFF808080u;
    EXPECT_EQ(GfxCombine(s, 0xFFFF0000u, 0, 0xFFFFFFFFu), 0xFF800000u);
}

TEST(GfxSpan, FixedProgramsForTransitions) {
    SGfxShadeState s;
    s.textured[0] = s.textured[1] = true;
    s.shader = GFX_PS_CROSSFADE;
    s.constants[0][0] = 0;
    EXPECT_EQ(GfxCombine(s, 0xFFFF0000u, 0xFF0000FFu, 0xFFFFFFFFu), 0xFFFF0000u);
    s.constants[0][0] = 255;
    EXPECT_EQ(GfxCombine(s, 0xFFFF0000u, 0xFF0000FFu, 0xFFFFFFFFu), 0xFF0000FFu);
    s.shader = GFX_PS_RULE;
    s.constants[1][0] = 0;  // hard edge
    for (uint32_t m : {0u, 100u, 255u}) {
        s.constants[0][0] = 0;
        EXPECT_EQ(GfxCombine(s, 0xFF123456u, 0xFF000000u | m, 0xFFFFFFFFu) >> 24, 0u) << m;
        s.constants[0][0] = 255;
        EXPECT_EQ(GfxCombine(s, 0xFF123456u, 0xFF000000u | m, 0xFFFFFFFFu) >> 24, 255u) << m;
    }
    // Halfway with a soft edge: low rule values show, high ones do not.
    s.constants[0][0] = 128;
    s.constants[1][0] = 32;
    EXPECT_EQ(GfxCombine(s, 0xFF123456u, 0xFF000010u, 0xFFFFFFFFu) >> 24, 255u);
    EXPECT_EQ(GfxCombine(s, 0xFF123456u, 0xFF0000F0u, 0xFFFFFFFFu) >> 24, 0u);
    s.shader = GFX_PS_MODULATE2;
    EXPECT_EQ(GfxCombine(s, 0xFFFF8000u, 0x80FFFFFFu, 0xFFFFFFFFu), 0x80FF8000u);
    s.shader = GFX_PS_GREY;
    s.constants[0][0] = 255;
    s.constants[1][1] = s.constants[1][2] = s.constants[1][3] = 255;
    uint32_t g = GfxCombine(s, 0xFFFF0000u, 0, 0xFFFFFFFFu);
    EXPECT_EQ((g >> 16) & 255, g & 255);
    EXPECT_EQ((g >> 16) & 255, 77u * 255u / 256u + ((77u * 255u % 256u) + 128u) / 256u);
}

// One colour over the target: the constant kernels against the texel kernel given a
// span of that colour, at every alpha (0 and 255 leave or fill).
TEST(GfxSpan, ConstantColourBlendsAsASpanOfThatColour) {
    for (uint32_t a = 0; a <= 255; ++a) {
        const uint32_t colour = a << 24 | (0x9E3779B9u * (a + 1) >> 8);
        const int n = 1 + static_cast<int>(a % 37);
        const auto dst = gfxtest::RandomPixels(static_cast<size_t>(n), a + 500);
        const std::vector<uint32_t> src(static_cast<size_t>(n), colour);
        auto want = dst, plain = dst, simd = dst;
        GfxSpanBlendScalar(want.data(), src.data(), 0, 0xFFFFFFFFu, false, n);
        GfxSpanBlendConstScalar(plain.data(), colour, n);
        ASSERT_EQ(plain, want) << "alpha " << a;
        if (!GfxIsSimdEnabled()) continue;
        GfxSpanBlendConstSse2(simd.data(), colour, n);
        ASSERT_EQ(simd, want) << "alpha " << a;
    }
}

// Spans the screens blend: runs of one texel longer and shorter than the pieces the
// vector path looks at, clear and solid areas, a white diffuse of some alpha (a fade)
// and any diffuse; the vector path against the plain one and the generic kernel.
TEST(GfxSpan, BlendedSpansWithRunsAndFadesMatchThePlainKernels) {
    SGfxShadeState s;
    s.stage[0] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE};
    s.textured[0] = true;
    s.blend = true;
    s.srcBlend = GFX_BLEND_SRCALPHA;
    s.dstBlend = GFX_BLEND_INVSRCALPHA;
    const uint32_t diffuses[] = {0xFFFFFFFFu, 0x80FFFFFFu, 0x01FFFFFFu, 0x00FFFFFFu, 0xC0FF8040u};
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        const int n = 1 + static_cast<int>(rng() % 300);
        std::vector<uint32_t> src;
        while (static_cast<int>(src.size()) < n) {
            const uint32_t kind = rng() % 4, a = kind == 0 ? 0 : kind == 1 ? 255 : (rng() & 255);
            const size_t run = rng() % 3 == 0 ? 1 + rng() % 4 : 1 + rng() % 150;
            src.insert(src.end(), run, a << 24 | (rng() & 0xFFFFFF));
        }
        src.resize(static_cast<size_t>(n));
        const auto dst = gfxtest::RandomPixels(static_cast<size_t>(n), seed + 77);
        SGfxSpan span;
        span.tex0 = src.data();
        span.tex0Or = seed % 5 == 0 ? 0xFF000000u : 0u;
        span.count = n;
        for (uint32_t d : diffuses) {
            span.constDiffuse = d;
            const EGfxSpanKernel k = GfxChooseSpanKernel(s, true, d);
            auto generic = dst, plain = dst, simd = dst;
            span.dest = generic.data();
            GfxShadeSpan(s, EGfxSpanKernel::Generic, span);
            GfxSetSimdEnabled(false);
            span.dest = plain.data();
            GfxShadeSpan(s, k, span);
            GfxSetSimdEnabled(true);
            span.dest = simd.data();
            GfxShadeSpan(s, k, span);
            ASSERT_EQ(plain, generic) << "seed " << seed << " diffuse " << std::hex << d;
            ASSERT_EQ(simd, generic) << "seed " << seed << " diffuse " << std::hex << d;
        }
    }
}

// A span whose linear filter still has its vertical pass to do: every kernel draws
// what it draws from the finished texels, the vector path fusing the pass with the
// shading.
TEST(GfxSpan, SpansWithTheVerticalFilterPassToComeDrawTheFinishedTexels) {
    SGfxShadeState s;
    s.stage[0] = SGfxStageOps{GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE, GFX_TOP_MODULATE, GFX_TA_TEXTURE, GFX_TA_DIFFUSE};
    s.textured[0] = true;
    struct SBlend {
        bool on;
        uint32_t src, dst;
    };
    const SBlend blends[] = {{false, GFX_BLEND_ONE, GFX_BLEND_ZERO},
                             {true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA},
                             {true, GFX_BLEND_ONE, GFX_BLEND_INVSRCALPHA}};  // the generic kernel
    const uint32_t diffuses[] = {0xFFFFFFFFu, 0x80FFFFFFu, 0xC0FF8040u, 0x00FFFFFFu};
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        const int n = 1 + static_cast<int>(rng() % 70);
        const auto top = PictureLike(static_cast<size_t>(n), rng), bottom = PictureLike(static_cast<size_t>(n), rng);
        const auto dst = gfxtest::RandomPixels(static_cast<size_t>(n), seed + 3);
        const uint32_t weight = seed % 4 == 0 ? 255 : rng() % 256;
        std::vector<uint32_t> finished(static_cast<size_t>(n));
        GfxFilterColumnsScalar(top.data(), bottom.data(), weight, n, finished.data());
        for (const SBlend& b : blends) {
            s.blend = b.on;
            s.srcBlend = b.src;
            s.dstBlend = b.dst;
            for (uint32_t d : diffuses) {
                const EGfxSpanKernel k = GfxChooseSpanKernel(s, true, d);
                SGfxSpan span;
                span.constDiffuse = d;
                span.count = n;
                auto want = dst;
                span.tex0 = finished.data();
                span.dest = want.data();
                GfxShadeSpan(s, EGfxSpanKernel::Generic, span);
                span.tex0 = top.data();
                span.tex0Below = bottom.data();
                span.tex0Weight = weight;
                for (bool simd : {false, true}) {
                    auto got = dst;
                    span.dest = got.data();
                    GfxSetSimdEnabled(simd);
                    GfxShadeSpan(s, k, span);
                    GfxSetSimdEnabled(true);
                    ASSERT_EQ(got, want) << "seed " << seed << " kernel " << static_cast<int>(k) << " simd " << simd
                                         << std::hex << " diffuse " << d;
                }
            }
        }
    }
}
