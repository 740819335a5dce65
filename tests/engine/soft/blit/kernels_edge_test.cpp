// Golden cases of the kernels: copy paths, locks, colour keys, opacity arithmetic,
// vector steps against their tails, and the plain kernels against the vector ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "engine/soft/blit/SoftBlt.h"
#include "tests/engine/soft/blit/RandomCase.h"
#include "tests/engine/soft/blit/RefModel.h"
#include "tests/engine/soft/support/TestSurface.h"

using namespace blit_test;

namespace {

class KernelEdgeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
    void SetUp() override { CTestSurface::LockLog().clear(); }
};

uint16_t& P16(CTestSurface& s, int x, int y) {
    return *reinterpret_cast<uint16_t*>(s.GetBits() + y * s.GetPitch() + 2 * x);
}
uint8_t* P8(CTestSurface& s, int x, int y) {
    return s.GetBits() + y * s.GetPitch() + BytesPerPixel(s.GetBitDepth()) * x;
}
uint8_t& A8(CTestSurface& s, int x, int y) { return s.AlphaBytes()[y * s.GetAlphaPitch() + x]; }

void Fill(CTestSurface& s, uint8_t value) {
    std::fill(s.Bytes().begin(), s.Bytes().begin() + static_cast<ptrdiff_t>(s.PixelAreaSize()), value);
}

// ---- SoftBltCopy ----

TEST_F(KernelEdgeTest, CopyFullWidthEqualPitchMovesPadding) {
    CTestSurface src(10, 6, 16, 24), dst(10, 6, 16, 24);  // 4 padding bytes per row
    for (size_t i = 0; i < src.PixelAreaSize(); ++i) src.Bytes()[i] = uint8_t(i * 7 + 1);
    SoftBltCopy(dst, src, SRect{0, 1, 10, 5}, SPoint{0, 2}, 255, 0);
    EXPECT_EQ(0, std::memcmp(dst.GetBits() + 24, src.GetBits() + 48, 4 * 24)) << "one block, padding included";
    EXPECT_EQ(dst.Bytes()[23], 0);
    EXPECT_EQ(dst.Bytes()[5 * 24], 0);
    EXPECT_TRUE(dst.GuardsIntact());
}

TEST_F(KernelEdgeTest, CopyUnequalPitchesLeavesPadding) {
    CTestSurface src(10, 4, 32, 44), dst(10, 4, 32, 48);
    Fill(src, 0x33);
    SoftBltCopy(dst, src, SRect{0, 0, 10, 4}, SPoint{0, 0}, 255, 0);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(dst.Bytes()[y * 48 + 39], 0x33);
        EXPECT_EQ(dst.Bytes()[y * 48 + 40], 0) << "padding untouched";
    }
}

// Equal pitches and a full-width destination rectangle, but the source block starts at
// column 3 of a wider source: one block from there would run past the source's end.
TEST_F(KernelEdgeTest, CopyFromAColumnAboveZeroStaysInsideTheSource) {
    CTestSurface src(12, 4, 16, 24), dst(8, 4, 16, 24);
    for (size_t i = 0; i < src.PixelAreaSize(); ++i) src.Bytes()[i] = uint8_t(0x10 + i);
    SoftBltCopy(dst, src, SRect{0, 0, 8, 4}, SPoint{3, 0}, 255, 0);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(0, std::memcmp(dst.GetBits() + y * 24, src.GetBits() + y * 24 + 6, 16)) << y;
        for (int b = 16; b < 24; ++b) EXPECT_EQ(dst.Bytes()[y * 24 + b], 0) << "row " << y << " padding " << b;
    }
    EXPECT_TRUE(dst.GuardsIntact());
}

TEST_F(KernelEdgeTest, CopyThroughGdiOnlyWithoutSseAndACommonBit) {
    CTestSurface a(8, 8, 32), b(8, 8, 32);
    a.SetExtraFlags(SURFACE_FLAG_HAS_DC);
    b.SetExtraFlags(SURFACE_FLAG_HAS_DC);
    {
        CCpuFeatureOverride noSse(CCpuInfo::FEATURE_MMX);
        SoftBltCopy(a, b, SRect{0, 0, 8, 8}, SPoint{0, 0}, 255, 0);
    }
    EXPECT_EQ(a.GetDCCount(), 1);
    EXPECT_EQ(b.GetDCCount(), 1);
    EXPECT_EQ(a.ReleaseDCCount(), 1);
    EXPECT_EQ(b.ReleaseDCCount(), 1);
    EXPECT_EQ(a.LockCount() + b.LockCount(), 0) << "the GDI path never locks";
    {
        CCpuFeatureOverride sse(CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE);
        SoftBltCopy(a, b, SRect{0, 0, 8, 8}, SPoint{0, 0}, 255, 0);
    }
    EXPECT_EQ(a.GetDCCount(), 1);
    EXPECT_EQ(a.LockCount(), 1);
    b.SetExtraFlags(SURFACE_FLAG_DIRECTDRAW);
    {
        CCpuFeatureOverride noSse(0);
        SoftBltCopy(a, b, SRect{0, 0, 8, 8}, SPoint{0, 0}, 255, 0);
    }
    EXPECT_EQ(a.GetDCCount(), 1) << "no common bit: memory path";
    EXPECT_EQ(a.LockCount(), 2);
}

// ---- locks ----

TEST_F(KernelEdgeTest, LockOrderAndFailures) {
    const SoftBltKernel kernels[] = {SoftBltCopy,         SoftBltOpaque32_Plain, SoftBltOpaque32_MMX,
                                     SoftBltOpaque32_SSE, SoftBltColorKey32,     SoftBltAlpha32_Plain,
                                     SoftBltAlpha32_SSE,  SoftBltOpaqueToAlpha,  SoftBltAlphaToAlpha32};
    for (SoftBltKernel k : kernels) {
        CTestSurface dst(8, 2, 32), src(8, 2, 32);
        dst.SetAlphaEnabled(true);
        src.SetAlphaEnabled(true);
        Fill(src, 0xFF);
        std::fill(src.AlphaBytes().begin(), src.AlphaBytes().begin() + 16, 255);
        CTestSurface::LockLog().clear();
        k(dst, src, SRect{0, 0, 8, 2}, SPoint{0, 0}, 100, 0);
        const std::vector<std::pair<int, int>> expect = {{dst.Id(), 1}, {src.Id(), 1}, {src.Id(), -1}, {dst.Id(), -1}};
        EXPECT_EQ(CTestSurface::LockLog(), expect);

        const std::vector<uint8_t> before = dst.Bytes();
        src.SetLockFails(true);
        CTestSurface::LockLog().clear();
        k(dst, src, SRect{0, 0, 8, 2}, SPoint{0, 0}, 100, 0);
        const std::vector<std::pair<int, int>> expect2 = {{dst.Id(), 1}, {dst.Id(), -1}};
        EXPECT_EQ(CTestSurface::LockLog(), expect2);
        EXPECT_EQ(dst.Bytes(), before);

        src.SetLockFails(false);
        dst.SetLockFails(true);
        CTestSurface::LockLog().clear();
        k(dst, src, SRect{0, 0, 8, 2}, SPoint{0, 0}, 100, 0);
        EXPECT_TRUE(CTestSurface::LockLog().empty()) << "the source is not touched";
        EXPECT_EQ(dst.Bytes(), before);
    }
}

// ---- plain kernels ----

TEST_F(KernelEdgeTest, OpacityZeroChangesNothingInPlainKernels) {
    for (int depth : {15, 16, 24, 32}) {
        for (unsigned planes : {0u, unsigned(CASE_SOURCE_ALPHA), unsigned(CASE_COLOR_KEY)}) {
            SKernelCase c = MakeCase(7, depth, planes);
            const std::vector<uint8_t> before = c.dst->Bytes();
            const SRect clip{0, 0, 1000, 1000};
            const SPoint p{c.dstX, c.dstY};
            const SRect s{c.srcX, c.srcY, c.srcX + c.width, c.srcY + c.height};
            CCpuFeatureOverride plain(0);
            SoftBlt(c.dst.get(), c.src.get(), &p, &s, &clip, 0, 0);
            EXPECT_EQ(c.dst->Bytes(), before) << depth << " " << planes;
        }
    }
}

TEST_F(KernelEdgeTest, ColorKey15Bit15) {
    CTestSurface src(2, 1, 15), dst(2, 1, 15);
    src.SetColorKey(0x00FF00);
    P16(src, 0, 0) = 0x83E0;  // key except for bit 15
    P16(src, 1, 0) = 0x03E0;  // exact key
    P16(dst, 0, 0) = 0x1234;
    P16(dst, 1, 0) = 0x1234;
    SoftBltColorKey15(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P16(dst, 0, 0), 0x1234) << "skipped at 255";
    EXPECT_EQ(P16(dst, 1, 0), 0x1234);
    SoftBltColorKey15(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 200, 0);
    uint16_t expect = 0x1234;
    const uint16_t s = 0x83E0;
    BlendPixel15(&expect, &s, 200);
    EXPECT_EQ(P16(dst, 0, 0), expect) << "blended below 255";
    EXPECT_EQ(P16(dst, 1, 0), 0x1234);
}

TEST_F(KernelEdgeTest, ColorKey32IgnoresXByteAndCopiesIt) {
    CTestSurface src(2, 1, 32), dst(2, 1, 32);
    src.SetColorKey(0x00112233);
    const uint8_t key[4] = {0x33, 0x22, 0x11, 0x9A};
    const uint8_t other[4] = {0x33, 0x22, 0x12, 0x9A};
    std::memcpy(P8(src, 0, 0), key, 4);
    std::memcpy(P8(src, 1, 0), other, 4);
    SoftBltColorKey32(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P8(dst, 0, 0)[2], 0);
    EXPECT_EQ(0, std::memcmp(P8(dst, 1, 0), other, 4));
}

TEST_F(KernelEdgeTest, AlphaPlainOpacityIsSubtracted) {
    CTestSurface src(4, 1, 32), dst(4, 1, 32);
    src.SetAlphaEnabled(true);
    Fill(src, 200);
    const uint8_t alphas[4] = {155, 156, 255, 0};
    std::memcpy(src.AlphaBytes().data(), alphas, 4);
    SoftBltAlpha32_Plain(dst, src, SRect{0, 0, 4, 1}, SPoint{0, 0}, 100, 0);
    EXPECT_EQ(P8(dst, 0, 0)[0], 0);
    EXPECT_EQ(P8(dst, 1, 0)[0], ProductTable[1 << 8 | 200]);
    EXPECT_EQ(P8(dst, 2, 0)[0], ProductTable[100 << 8 | 200]);
    EXPECT_EQ(P8(dst, 3, 0)[0], 0);
    SoftBltAlpha32_Plain(dst, src, SRect{0, 0, 4, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P8(dst, 2, 0)[0], 200) << "alpha 255 at opacity 255 copies";
    EXPECT_EQ(P8(dst, 2, 0)[3], 200);
}

// ---- vector kernels ----

TEST_F(KernelEdgeTest, Opaque16VectorStepAgainstTail) {
    CTestSurface src(5, 1, 16), dst(5, 1, 16);
    for (int x = 0; x < 5; ++x) P16(src, x, 0) = 0xF800;  // red 31
    SoftBltOpaque16_MMX(dst, src, SRect{0, 0, 5, 1}, SPoint{0, 0}, 128, 0);
    EXPECT_EQ(P16(dst, 0, 0) >> 11, 15) << "vector: floor(31 * 128 / 256)";
    uint16_t tail = 0;
    const uint16_t red = 0xF800;
    BlendPixel16(&tail, &red, 128);
    EXPECT_EQ(P16(dst, 4, 0), tail) << "the MMX remainder uses the table";
    CTestSurface dst2(5, 1, 16);
    SoftBltOpaque16_SSE(dst2, src, SRect{0, 0, 5, 1}, SPoint{0, 0}, 128, 0);
    EXPECT_EQ(P16(dst2, 4, 0) >> 11, 15) << "the SSE remainder rounds toward zero";
}

TEST_F(KernelEdgeTest, Opaque24AtOpacityZeroKeepsTheDestination) {
    SKernelCase c = MakeCase(11, 24, 0);
    const std::vector<uint8_t> before = c.dst->Bytes();
    SoftBltOpaque24_MMX(*c.dst, *c.src, SRect{c.dstX, c.dstY, c.dstX + c.width, c.dstY + c.height},
                        SPoint{c.srcX, c.srcY}, 0, 0);
    SoftBltOpaque24_SSE(*c.dst, *c.src, SRect{c.dstX, c.dstY, c.dstX + c.width, c.dstY + c.height},
                        SPoint{c.srcX, c.srcY}, 0, 0);
    EXPECT_EQ(c.dst->Bytes(), before);
}

TEST_F(KernelEdgeTest, AlphaVectorFullWeight) {
    // 16 bpp: alpha 255 at opacity 255 in a vector half becomes the source exactly.
    CTestSurface s16(8, 1, 16), d16(8, 1, 16);
    s16.SetAlphaEnabled(true);
    for (int x = 0; x < 8; ++x) {
        P16(s16, x, 0) = uint16_t(0x1234 * (x + 1));
        P16(d16, x, 0) = 0xFFFF;
        A8(s16, x, 0) = x < 4 ? 255 : 0;
    }
    SoftBltAlpha16_SSE(d16, s16, SRect{0, 0, 8, 1}, SPoint{0, 0}, 255, 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(P16(d16, x, 0), P16(s16, x, 0));
    for (int x = 4; x < 8; ++x) EXPECT_EQ(P16(d16, x, 0), 0xFFFF);
    // 24 bpp: 255 over 0 in a vector group gives 254; in the remainder it copies.
    CTestSurface s24(9, 1, 24), d24(9, 1, 24);
    s24.SetAlphaEnabled(true);
    Fill(s24, 255);
    std::fill(s24.AlphaBytes().begin(), s24.AlphaBytes().begin() + 9, 255);
    SoftBltAlpha24_MMX(d24, s24, SRect{0, 0, 9, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P8(d24, 0, 0)[0], 254);
    EXPECT_EQ(P8(d24, 8, 0)[2], 255);
    // 32 bpp remainder at alpha 255 copies the whole word, X byte included.
    CTestSurface s32(9, 1, 32), d32(9, 1, 32);
    s32.SetAlphaEnabled(true);
    Fill(s32, 0xC3);
    std::fill(s32.AlphaBytes().begin(), s32.AlphaBytes().begin() + 9, 255);
    SoftBltAlpha32_SSE(d32, s32, SRect{0, 0, 9, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P8(d32, 8, 0)[3], 0xC3);
    EXPECT_EQ(P8(d32, 0, 0)[3], 0xC2) << "vector steps blend X too: floor(0xC3 * 255 / 256)";
}

TEST_F(KernelEdgeTest, Alpha15Bit15InGroupsAndHalves) {
    CTestSurface src(16, 1, 15), dst(16, 1, 15);
    src.SetAlphaEnabled(true);
    for (int x = 0; x < 16; ++x) {
        P16(dst, x, 0) = 0x8000 | uint16_t(x);
        P16(src, x, 0) = 0x7FFF;
    }
    A8(src, 9, 0) = 200;  // one alpha above k = 55 in the first half of the second group
    SoftBltAlpha15_SSE(dst, src, SRect{0, 0, 16, 1}, SPoint{0, 0}, 200, 0);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(P16(dst, x, 0), 0x8000 | x) << "group of zero alphas untouched";
    for (int x = 8; x < 12; ++x) EXPECT_EQ(P16(dst, x, 0) & 0x8000, 0) << "stored half clears bit 15";
    for (int x = 12; x < 16; ++x) EXPECT_EQ(P16(dst, x, 0), 0x8000 | x) << "zero half untouched";
    EXPECT_EQ(P16(dst, 8, 0), 8) << "weight 0: colour kept, bit 15 cleared";
}

// Where the vector kernels follow other arithmetic than the plain ones, they stay
// close: at most 2 steps per channel, 3 for the 6-bit green (X byte at 32 bpp and bit
// 15 at 15 bpp aside).
TEST_F(KernelEdgeTest, VectorKernelsStayCloseToPlain) {
    struct SGroup {
        int depth;
        unsigned planes;
        SoftBltKernel plain, mmx, sse;
    };
    const SGroup groups[] = {
        {15, 0, SoftBltOpaque15_Plain, SoftBltOpaque15_MMX, SoftBltOpaque15_SSE},
        {16, 0, SoftBltOpaque16_Plain, SoftBltOpaque16_MMX, SoftBltOpaque16_SSE},
        {24, 0, SoftBltOpaque24_Plain, SoftBltOpaque24_MMX, SoftBltOpaque24_SSE},
        {32, 0, SoftBltOpaque32_Plain, SoftBltOpaque32_MMX, SoftBltOpaque32_SSE},
        {15, CASE_SOURCE_ALPHA, SoftBltAlpha15_Plain, SoftBltAlpha15_MMX, SoftBltAlpha15_SSE},
        {16, CASE_SOURCE_ALPHA, SoftBltAlpha16_Plain, SoftBltAlpha16_MMX, SoftBltAlpha16_SSE},
        {24, CASE_SOURCE_ALPHA, SoftBltAlpha24_Plain, SoftBltAlpha24_MMX, SoftBltAlpha24_SSE},
        {32, CASE_SOURCE_ALPHA, SoftBltAlpha32_Plain, SoftBltAlpha32_MMX, SoftBltAlpha32_SSE},
    };
    int worst = 0;
    for (const SGroup& g : groups) {
        for (uint32_t seed = 0; seed < 120; ++seed) {
            for (SoftBltKernel vec : {g.mmx, g.sse}) {
                SKernelCase a = MakeCase(seed, g.depth, g.planes);
                SKernelCase b = MakeCase(seed, g.depth, g.planes);
                const SRect r{a.dstX, a.dstY, a.dstX + a.width, a.dstY + a.height};
                const SPoint p{a.srcX, a.srcY};
                g.plain(*a.dst, *a.src, r, p, a.opacity, 0);
                vec(*b.dst, *b.src, r, p, b.opacity, 0);
                for (int y = r.top; y < r.bottom; ++y) {
                    for (int x = r.left; x < r.right; ++x) {
                        int diff = 0;
                        if (g.depth == 15 || g.depth == 16) {
                            const uint16_t u = P16(*a.dst, x, y), v = P16(*b.dst, x, y);
                            const int shifts[3] = {g.depth == 15 ? 10 : 11, 5, 0};
                            const int masks[3] = {31, g.depth == 15 ? 31 : 63, 31};
                            for (int f = 0; f < 3; ++f) {
                                // The 6-bit green has twice the steps of the others: one more of slack.
                                const int slack = masks[f] == 63 ? 1 : 0;
                                diff = std::max(
                                    diff,
                                    std::abs(((u >> shifts[f]) & masks[f]) - ((v >> shifts[f]) & masks[f])) - slack);
                            }
                        } else {
                            for (int c = 0; c < 3; ++c)
                                diff = std::max(diff, std::abs(P8(*a.dst, x, y)[c] - P8(*b.dst, x, y)[c]));
                        }
                        worst = std::max(worst, diff);
                        ASSERT_LE(diff, 2) << "depth " << g.depth << " (" << x << "," << y << ") " << a.Describe();
                    }
                }
            }
        }
    }
    EXPECT_GT(worst, 0) << "the vector kernels do differ in low bits";
}

// ---- onto an alpha destination ----

TEST_F(KernelEdgeTest, OpaqueOntoAlphaGolden) {
    CTestSurface src(2, 1, 24), dst(2, 1, 24);
    dst.SetAlphaEnabled(true);
    std::memset(P8(src, 0, 0), 200, 6);
    std::memset(P8(dst, 0, 0), 10, 6);
    A8(dst, 0, 0) = 0;
    A8(dst, 1, 0) = 255;
    SoftBltOpaqueToAlpha(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 128, 0);
    EXPECT_EQ(P8(dst, 0, 0)[0], 200);
    EXPECT_EQ(A8(dst, 0, 0), 128);
    EXPECT_EQ(A8(dst, 1, 0), 255);
    EXPECT_EQ(P8(dst, 1, 0)[0], ProductTable[128 << 8 | 200] + ProductTable[127 << 8 | 10]);
    SoftBltOpaqueToAlpha(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 0, 0);
    EXPECT_EQ(A8(dst, 0, 0), 128) << "opacity 0 changes nothing";
}

TEST_F(KernelEdgeTest, ColorKeyOntoAlphaComparesWholeWords) {
    CTestSurface src(2, 1, 32), dst(2, 1, 32);
    dst.SetAlphaEnabled(true);
    src.SetColorKey(0x00112233);
    const uint8_t keyX0[4] = {0x33, 0x22, 0x11, 0x00};
    const uint8_t keyX1[4] = {0x33, 0x22, 0x11, 0x01};
    std::memcpy(P8(src, 0, 0), keyX0, 4);
    std::memcpy(P8(src, 1, 0), keyX1, 4);
    SoftBltColorKeyToAlpha(dst, src, SRect{0, 0, 2, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(A8(dst, 0, 0), 0) << "a key pixel is skipped with its alpha";
    EXPECT_EQ(A8(dst, 1, 0), 255) << "a non-zero X byte is no key here";
    EXPECT_EQ(0, std::memcmp(P8(dst, 1, 0), keyX1, 4));

    CTestSurface s15(1, 1, 15), d15(1, 1, 15);
    d15.SetAlphaEnabled(true);
    s15.SetColorKey(0x00FF00);
    P16(s15, 0, 0) = 0x83E0;
    SoftBltColorKeyToAlpha(d15, s15, SRect{0, 0, 1, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(P16(d15, 0, 0), 0x83E0) << "bit 15 makes it no key here";
}

TEST_F(KernelEdgeTest, AlphaOntoAlphaGolden) {
    CTestSurface src(3, 1, 32), dst(3, 1, 32);
    src.SetAlphaEnabled(true);
    dst.SetAlphaEnabled(true);
    std::memset(P8(src, 0, 0), 0xEE, 12);
    std::memset(P8(dst, 0, 0), 0x11, 12);
    A8(src, 0, 0) = 0;
    A8(src, 1, 0) = 90;
    A8(src, 2, 0) = 255;
    A8(dst, 0, 0) = 40;
    A8(dst, 1, 0) = 0;
    A8(dst, 2, 0) = 77;
    SoftBltAlphaToAlpha32(dst, src, SRect{0, 0, 3, 1}, SPoint{0, 0}, 255, 0);
    EXPECT_EQ(A8(dst, 0, 0), 40);
    EXPECT_EQ(P8(dst, 0, 0)[0], 0x11);
    EXPECT_EQ(A8(dst, 1, 0), 90);
    EXPECT_EQ(P8(dst, 1, 0)[3], 0xEE);
    EXPECT_EQ(A8(dst, 2, 0), 255);
    EXPECT_EQ(P8(dst, 2, 0)[0], 0xEE);
    EXPECT_EQ(P8(dst, 2, 0)[3], 0x11) << "the X byte keeps its value when combining";
}

}  // namespace
