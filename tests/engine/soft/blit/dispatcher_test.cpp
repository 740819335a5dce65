// The blit dispatcher: clipping, notifications, opacity clamp, kernel choice, levels,
// and the requests it refuses.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftBlt.h"
#include "tests/engine/soft/blit/RandomCase.h"
#include "tests/engine/soft/support/TestSurface.h"

using namespace blit_test;

namespace {

class DispatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

// A 32-bit surface whose every pixel names its own position.
std::unique_ptr<CTestSurface> Numbered(int w, int h, uint32_t tag = 0x01000000) {
    auto s = std::make_unique<CTestSurface>(w, h, 32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t v = tag | uint32_t(y) << 12 | uint32_t(x);
            std::memcpy(s->GetBits() + y * s->GetPitch() + 4 * x, &v, 4);
        }
    }
    return s;
}

uint32_t Pixel32(CTestSurface& s, int x, int y) {
    uint32_t v;
    std::memcpy(&v, s.GetBits() + y * s.GetPitch() + 4 * x, 4);
    return v;
}

// The rectangle of the destination that differs from its zeroed start.
SRect ChangedArea(CTestSurface& s) {
    SRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    const SSize size = s.GetSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (Pixel32(s, x, y) != 0) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
        }
    }
    return r.left == INT32_MAX ? SRect{} : r;
}

TEST_F(DispatcherTest, BltAtLeftOfTheDestination) {
    auto src = Numbered(100, 50);
    CTestSurface dst(640, 480, 32);
    SPoint p{-10, 40};
    SRect s{0, 0, 100, 50};
    const SRect clip{0, 0, 640, 480};
    ClipBltRects(&dst, src.get(), &p, &s, &clip);
    EXPECT_EQ(p, (SPoint{0, 40}));
    EXPECT_EQ(s, (SRect{10, 0, 100, 50}));

    dst.BltAt(src.get(), -10, 40, 255);
    EXPECT_EQ(ChangedArea(dst), (SRect{0, 40, 90, 90}));
    EXPECT_EQ(Pixel32(dst, 0, 40), Pixel32(*src, 10, 0));
    EXPECT_EQ(Pixel32(dst, 89, 89), Pixel32(*src, 99, 49));
    ASSERT_EQ(dst.notes.size(), 1u);
    EXPECT_EQ(dst.notes[0].drawn, (SRect{0, 40, 90, 90}));
    EXPECT_EQ(dst.notes[0].source, src.get());
    EXPECT_TRUE(dst.GuardsIntact());
}

TEST_F(DispatcherTest, BltPastTheBottomRightWithAWideClip) {
    auto src = Numbered(100, 50);
    CTestSurface dst(640, 480, 32);
    const SPoint p{600, 470};
    const SRect s{0, 0, 100, 50};
    const SRect clip{0, 0, 1000, 1000};
    dst.Blt(src.get(), &p, &s, &clip, 255, 0);
    EXPECT_EQ(ChangedArea(dst), (SRect{600, 470, 640, 480}));
    EXPECT_EQ(Pixel32(dst, 639, 479), Pixel32(*src, 39, 9));
    ASSERT_EQ(dst.notes.size(), 1u);
    EXPECT_EQ(dst.notes[0].drawn, (SRect{600, 470, 700, 520})) << "not clipped to the destination's size";
    EXPECT_TRUE(dst.GuardsIntact());

    CTestSurface dst2(640, 480, 32);
    dst2.BltAt(src.get(), 600, 470, 255);
    ASSERT_EQ(dst2.notes.size(), 1u);
    EXPECT_EQ(dst2.notes[0].drawn, (SRect{600, 470, 640, 480}));
}

TEST_F(DispatcherTest, SourceRectanglePastTheSourceIsShortened) {
    auto src = Numbered(100, 50);
    CTestSurface dst(300, 300, 32);
    const SPoint p{5, 5};
    const SRect s{80, 40, 130, 90};
    const SRect clip{0, 0, 300, 300};
    dst.Blt(src.get(), &p, &s, &clip, 255, 0);
    EXPECT_EQ(ChangedArea(dst), (SRect{5, 5, 25, 15}));
    EXPECT_EQ(dst.notes.at(0).drawn, (SRect{5, 5, 25, 15}));
    // A source rectangle starting left of and above the source moves the point.
    CTestSurface dst2(300, 300, 32);
    const SRect s2{-7, -3, 20, 20};
    dst2.Blt(src.get(), &p, &s2, &clip, 255, 0);
    EXPECT_EQ(ChangedArea(dst2), (SRect{12, 8, 32, 28}));
    EXPECT_EQ(Pixel32(dst2, 12, 8), Pixel32(*src, 0, 0));
}

TEST_F(DispatcherTest, ClipNotOverlappingDrawsNothingAndNotifiesEmpty) {
    auto src = Numbered(100, 50);
    CTestSurface dst(640, 480, 32);
    const SPoint p{10, 10};
    const SRect s{0, 0, 100, 50};
    const SRect clip{300, 300, 400, 400};
    dst.Blt(src.get(), &p, &s, &clip, 255, 0);
    EXPECT_EQ(ChangedArea(dst), SRect{});
    ASSERT_EQ(dst.notes.size(), 1u);
    EXPECT_EQ(dst.notes[0].drawn, SRect{});
    EXPECT_EQ(dst.LockCount(), 0);
}

TEST_F(DispatcherTest, NegativeClipEdgeDrawsNothing) {
    auto src = Numbered(100, 50);
    CTestSurface dst(640, 480, 32);
    for (const SRect clip : {SRect{-50, 0, -1, 480}, SRect{0, -50, 640, -1}, SRect{-2000, -2000, -5, -5}}) {
        SPoint p{-60, -60};
        SRect s{0, 0, 100, 50};
        ClipBltRects(&dst, src.get(), &p, &s, &clip);
        EXPECT_EQ(p, SPoint{});
        EXPECT_EQ(s, SRect{});
        const SPoint q{-60, 10};
        const SRect sr{0, 0, 100, 50};
        SoftBlt(&dst, src.get(), &q, &sr, &clip, 255, 0);
    }
    EXPECT_EQ(ChangedArea(dst), SRect{});
    EXPECT_TRUE(dst.GuardsIntact());
}

TEST_F(DispatcherTest, ExtremeCoordinatesDoNotOverflow) {
    auto src = Numbered(16, 16);
    CTestSurface dst(32, 32, 32);
    const SRect clip{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    const SPoint points[] = {{INT32_MAX - 3, 0}, {INT32_MIN, INT32_MIN}, {0, INT32_MAX}};
    const SRect rects[] = {{0, 0, 16, 16}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {-5, -5, INT32_MAX, 8}};
    for (const SPoint& p : points) {
        for (const SRect& s : rects) {
            dst.Blt(src.get(), &p, &s, &clip, 255, 0);
        }
    }
    EXPECT_TRUE(dst.GuardsIntact());
    const SPoint p{INT32_MIN + 5, 3};
    const SRect s{INT32_MIN, 0, INT32_MAX, 4};
    dst.Blt(src.get(), &p, &s, &clip, 255, 0);
    EXPECT_TRUE(dst.GuardsIntact());
}

TEST_F(DispatcherTest, OpacityIsClamped) {
    auto src = Numbered(8, 8);
    CTestSurface dst(8, 8, 32);
    dst.BltAt(src.get(), 0, 0, 300);
    EXPECT_EQ(Pixel32(dst, 7, 7), Pixel32(*src, 7, 7)) << "300 draws as 255";
    CTestSurface dst2(8, 8, 32);
    CCpuFeatureOverride level(0);
    dst2.BltAt(src.get(), 0, 0, -5);
    EXPECT_EQ(ChangedArea(dst2), SRect{}) << "-5 draws as 0";
    EXPECT_EQ(dst2.LockCount(), 1) << "the kernel still runs";
}

TEST_F(DispatcherTest, OpaqueOntoAlphaDestinationNeverCopies) {
    auto src = Numbered(8, 8);
    CTestSurface dst(8, 8, 32);
    dst.SetAlphaEnabled(true);  // kind Alpha, plane all 0
    dst.BltAt(src.get(), 0, 0, 255);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(dst.AlphaBytes()[(i / 8) * dst.GetAlphaPitch() + i % 8], 255);
    EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, SURFACE_KIND_ALPHA, 32, 255, 3), &SoftBltOpaqueToAlpha);
}

TEST_F(DispatcherTest, BltRectRejectsEmptyAndNegativeRectangles) {
    auto src = Numbered(8, 8);
    CTestSurface dst(8, 8, 32);
    dst.BltRect(src.get(), 0, 0, SRect{3, 0, 3, 8}, 255);
    dst.BltRect(src.get(), 0, 0, SRect{-9, 0, -1, 8}, 255);
    dst.BltRect(src.get(), 0, 0, SRect{0, -9, 8, -1}, 255);
    dst.BltRect(src.get(), 0, 0, SRect{0, 5, 8, 2}, 255);
    dst.BltRect(nullptr, 0, 0, SRect{0, 0, 8, 8}, 255);
    dst.BltAt(nullptr, 0, 0, 255);
    EXPECT_TRUE(dst.notes.empty());
    EXPECT_EQ(ChangedArea(dst), SRect{});
    dst.BltRect(src.get(), 2, 3, SRect{1, 1, 4, 3}, 255);
    EXPECT_EQ(ChangedArea(dst), (SRect{2, 3, 5, 5}));
    ASSERT_EQ(dst.notes.size(), 1u);
    EXPECT_EQ(dst.notes[0].drawn, (SRect{2, 3, 5, 5}));
}

TEST_F(DispatcherTest, NullSurfacesDoNothing) {
    auto src = Numbered(8, 8);
    const SPoint p{0, 0};
    const SRect s{0, 0, 8, 8};
    SoftBlt(nullptr, src.get(), &p, &s, &s, 255, 0);
    SoftBlt(src.get(), nullptr, &p, &s, &s, 255, 0);
    SRect drawn{1, 1, 1, 1};
    ClipBltRectsEx(&drawn, nullptr, src.get(), &p, &s, &s);
    EXPECT_EQ(drawn, SRect{});
    EXPECT_EQ(BltClippedRect(src.get(), nullptr, &p, &s, &s), SRect{});
}

TEST_F(DispatcherTest, KernelChoiceTable) {
    struct SRow {
        int kind;
        SoftBltKernel plain[4], mmx[4], sse[4];
    };
    const SoftBltKernel opaquePlain[4] = {SoftBltOpaque15_Plain, SoftBltOpaque16_Plain, SoftBltOpaque24_Plain,
                                          SoftBltOpaque32_Plain};
    const SoftBltKernel opaqueMmx[4] = {SoftBltOpaque15_MMX, SoftBltOpaque16_MMX, SoftBltOpaque24_MMX,
                                        SoftBltOpaque32_MMX};
    const SoftBltKernel opaqueSse[4] = {SoftBltOpaque15_SSE, SoftBltOpaque16_SSE, SoftBltOpaque24_SSE,
                                        SoftBltOpaque32_SSE};
    const SoftBltKernel alphaPlain[4] = {SoftBltAlpha15_Plain, SoftBltAlpha16_Plain, SoftBltAlpha24_Plain,
                                         SoftBltAlpha32_Plain};
    const SoftBltKernel alphaMmx[4] = {SoftBltAlpha15_MMX, SoftBltAlpha16_MMX, SoftBltAlpha24_MMX, SoftBltAlpha32_MMX};
    const SoftBltKernel alphaSse[4] = {SoftBltAlpha15_SSE, SoftBltAlpha16_SSE, SoftBltAlpha24_SSE, SoftBltAlpha32_SSE};
    const SoftBltKernel key[4] = {SoftBltColorKey15, SoftBltColorKey16, SoftBltColorKey24, SoftBltColorKey32};
    const SoftBltKernel a2a[4] = {SoftBltAlphaToAlpha15, SoftBltAlphaToAlpha16, SoftBltAlphaToAlpha24,
                                  SoftBltAlphaToAlpha32};
    const int depths[4] = {15, 16, 24, 32};
    for (int i = 0; i < 4; ++i) {
        const int d = depths[i];
        for (int notAlpha : {SURFACE_KIND_OPAQUE, SURFACE_KIND_COLORKEY, SURFACE_KIND_NONE}) {
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, notAlpha, d, 255, 2), &SoftBltCopy);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, notAlpha, d, 254, 0), opaquePlain[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, notAlpha, d, 0, 1), opaqueMmx[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, notAlpha, d, 100, 2), opaqueSse[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, notAlpha, d, 100, 3), opaqueSse[i]);
            for (int level = 0; level < 4; ++level) {
                EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_COLORKEY, notAlpha, d, 255, level), key[i]);
                EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_COLORKEY, notAlpha, d, 7, level), key[i]);
            }
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, notAlpha, d, 255, 0), alphaPlain[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, notAlpha, d, 255, 1), alphaMmx[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, notAlpha, d, 9, 2), alphaSse[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, notAlpha, d, 9, 3), alphaSse[i]);
        }
        for (int level = 0; level < 4; ++level) {
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, SURFACE_KIND_ALPHA, d, 255, level), &SoftBltOpaqueToAlpha);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, SURFACE_KIND_ALPHA, d, 3, level), &SoftBltOpaqueToAlpha);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_COLORKEY, SURFACE_KIND_ALPHA, d, 3, level), &SoftBltColorKeyToAlpha);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, SURFACE_KIND_ALPHA, d, 3, level), a2a[i]);
            EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_NONE, SURFACE_KIND_OPAQUE, d, 3, level), nullptr);
        }
    }
    EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_OPAQUE, SURFACE_KIND_OPAQUE, 8, 100, 2), nullptr);
    EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_ALPHA, SURFACE_KIND_ALPHA, 8, 100, 2), nullptr);
    EXPECT_EQ(ChooseBltKernel(SURFACE_KIND_COLORKEY, SURFACE_KIND_OPAQUE, 8, 100, 2), nullptr);
}

// SoftBlt at each forced processor level gives exactly what the level's kernel gives.
TEST_F(DispatcherTest, EachLevelRunsItsKernel) {
    struct SFamily {
        unsigned planes;
        SoftBltKernel byLevel[4][3];  // depth index, then plain / MMX / SSE
    };
    const SFamily families[] = {
        {0,
         {{SoftBltOpaque15_Plain, SoftBltOpaque15_MMX, SoftBltOpaque15_SSE},
          {SoftBltOpaque16_Plain, SoftBltOpaque16_MMX, SoftBltOpaque16_SSE},
          {SoftBltOpaque24_Plain, SoftBltOpaque24_MMX, SoftBltOpaque24_SSE},
          {SoftBltOpaque32_Plain, SoftBltOpaque32_MMX, SoftBltOpaque32_SSE}}},
        {CASE_SOURCE_ALPHA,
         {{SoftBltAlpha15_Plain, SoftBltAlpha15_MMX, SoftBltAlpha15_SSE},
          {SoftBltAlpha16_Plain, SoftBltAlpha16_MMX, SoftBltAlpha16_SSE},
          {SoftBltAlpha24_Plain, SoftBltAlpha24_MMX, SoftBltAlpha24_SSE},
          {SoftBltAlpha32_Plain, SoftBltAlpha32_MMX, SoftBltAlpha32_SSE}}},
    };
    const uint32_t levelWords[4] = {0, CCpuInfo::FEATURE_MMX, CCpuInfo::FEATURE_SSE,
                                    CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE | CCpuInfo::FEATURE_SSE2};
    const int depths[4] = {15, 16, 24, 32};
    for (const SFamily& f : families) {
        for (int di = 0; di < 4; ++di) {
            for (int level = 0; level < 4; ++level) {
                for (uint32_t seed = 0; seed < 24; ++seed) {
                    SKernelCase a = MakeCase(seed, depths[di], f.planes);
                    SKernelCase b = MakeCase(seed, depths[di], f.planes);
                    if (f.planes == 0 && a.opacity == 255) continue;  // that is the copy
                    const SRect r{a.dstX, a.dstY, a.dstX + a.width, a.dstY + a.height};
                    const SPoint p{a.dstX, a.dstY};
                    const SRect s{a.srcX, a.srcY, a.srcX + a.width, a.srcY + a.height};
                    {
                        CCpuFeatureOverride force(levelWords[level]);
                        ASSERT_EQ(static_cast<int>(CCpuInfo::GetFeatures() & 3), level);
                        const SRect clip{0, 0, 10000, 10000};
                        SoftBlt(a.dst.get(), a.src.get(), &p, &s, &clip, a.opacity, 0);
                    }
                    f.byLevel[di][level == 0   ? 0
                                  : level == 1 ? 1
                                               : 2](*b.dst, *b.src, r, SPoint{b.srcX, b.srcY}, b.opacity, 0);
                    ASSERT_EQ(a.dst->Bytes(), b.dst->Bytes())
                        << "level " << level << " depth " << depths[di] << " " << a.Describe();
                }
            }
        }
    }
}

TEST_F(DispatcherTest, DepthMismatchIsRefused) {
    CLogCapture log;
    CTestSurface src(40, 4, 32);
    std::fill(src.Bytes().begin(), src.Bytes().begin() + static_cast<ptrdiff_t>(src.PixelAreaSize()), 0x7F);
    for (int depth : {15, 16, 24}) {
        CTestSurface dst(40, 4, depth);
        const std::vector<uint8_t> before = dst.Bytes();
        dst.BltAt(&src, 0, 0, 255);
        dst.BltAt(&src, 0, 0, 100);
        EXPECT_EQ(dst.Bytes(), before) << depth;
        EXPECT_EQ(dst.LockCount(), 0);
        // A kernel called directly refuses too.
        SoftBltCopy(dst, src, SRect{0, 0, 40, 4}, SPoint{0, 0}, 255, 0);
        SoftBltOpaque32_SSE(dst, src, SRect{0, 0, 40, 4}, SPoint{0, 0}, 100, 0);
        EXPECT_EQ(dst.Bytes(), before) << depth;
        EXPECT_TRUE(dst.GuardsIntact());
    }
    EXPECT_TRUE(log.Contains("SoftBlt()"));
    EXPECT_TRUE(log.Contains("SoftBltCopy()"));
    EXPECT_TRUE(log.Contains("SoftBltOpaque32_SSE()"));
}

TEST_F(DispatcherTest, KernelsRefuseRectanglesOutsideTheSurfaces) {
    CLogCapture log;
    CTestSurface dst(16, 4, 16), src(16, 4, 16);
    src.SetAlphaEnabled(true);
    const std::vector<uint8_t> before = dst.Bytes();
    const SRect bad[] = {{0, 0, 17, 4}, {-1, 0, 8, 4}, {0, 0, 16, 5}, {4, 0, 4, 4}, {5, 0, 3, 4}};
    for (const SRect& r : bad) {
        SoftBltAlpha16_SSE(dst, src, r, SPoint{0, 0}, 255, 0);
        SoftBltCopy(dst, src, r, SPoint{0, 0}, 255, 0);
    }
    SoftBltAlpha16_MMX(dst, src, SRect{0, 0, 8, 4}, SPoint{9, 0}, 255, 0);
    SoftBltAlpha16_Plain(dst, src, SRect{0, 0, 8, 4}, SPoint{0, -1}, 255, 0);
    EXPECT_EQ(dst.Bytes(), before);
    EXPECT_EQ(dst.LockCount(), 0);
    EXPECT_TRUE(log.Contains("SoftBltAlpha16_SSE()"));
}

TEST_F(DispatcherTest, AlphaKernelWithoutSourcePlaneDrawsNothing) {
    CLogCapture log;
    CTestSurface dst(16, 4, 32), src(16, 4, 32);
    std::fill(src.Bytes().begin(), src.Bytes().begin() + 64, 0xFF);
    SoftBltAlpha32_SSE(dst, src, SRect{0, 0, 16, 4}, SPoint{0, 0}, 255, 0);
    SoftBltAlphaToAlpha32(dst, src, SRect{0, 0, 16, 4}, SPoint{0, 0}, 255, 0);
    EXPECT_TRUE(std::all_of(dst.Bytes().begin(), dst.Bytes().begin() + 256, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(dst.UnlockCount(), dst.LockCount());
}

}  // namespace
