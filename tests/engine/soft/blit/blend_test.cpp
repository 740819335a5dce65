// Blend tables and per-pixel primitives.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/soft/blit/BlendTables.h"
#include "tests/engine/soft/blit/RefModel.h"

namespace {

class BlendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

TEST_F(BlendTest, TableGoldenEntries) {
    EXPECT_TRUE(AreBlendTablesBuilt());
    EXPECT_EQ(BlendTable565[16 << 16 | 0xFFFF], 0x8410);
    EXPECT_EQ(BlendTable555[16 << 16 | 0x7FFF], 0x4210);
    EXPECT_EQ(BlendTable555[30 << 16 | 0x801F], 0x001E);
    EXPECT_EQ(BlendTable555[30 << 16 | 0x801F], BlendTable555[30 << 16 | 0x001F]);
    EXPECT_EQ(BlendTable555[31 << 16 | 0x801F], 0x001F);
    EXPECT_EQ(BlendTable565[31 << 16 | 0xBEEF], 0xBEEF);
    EXPECT_EQ(BlendTable565[0 << 16 | 0xFFFF], 0);
    EXPECT_EQ(BlendTable555[0 << 16 | 0xFFFF], 0);
    EXPECT_EQ(ProductTable[255 << 8 | 77], 77);
    EXPECT_EQ(ProductTable[254 << 8 | 1], 0);
    EXPECT_EQ(ProductTable[128 << 8 | 255], 128);
}

TEST_F(BlendTest, TablesMatchTheirFormulasEverywhere) {
    size_t bad555 = 0, bad565 = 0, badProduct = 0;
    for (unsigned level = 0; level < 32; ++level) {
        for (unsigned p = 0; p < 65536; ++p) {
            bad555 += BlendTable555[level << 16 | p] != ref::Scale555(level, uint16_t(p));
            bad565 += BlendTable565[level << 16 | p] != ref::Scale565(level, uint16_t(p));
        }
    }
    for (unsigned i = 0; i < 65536; ++i) badProduct += ProductTable[i] != ref::Product(i >> 8, i & 255);
    EXPECT_EQ(bad555, 0u);
    EXPECT_EQ(bad565, 0u);
    EXPECT_EQ(badProduct, 0u);
}

TEST_F(BlendTest, ComplementaryLevelsNeverCarryBetweenChannels) {
    // For every weight the two scaled pixels add without a carry: each channel of the
    // sum stays within its field.
    std::mt19937 rng(5);
    for (unsigned a = 0; a < 256; ++a) {
        for (int n = 0; n < 200; ++n) {
            const uint16_t d = uint16_t(rng()), s = uint16_t(rng());
            const unsigned ls = a >> 3, ld = (255 - a) >> 3;
            ASSERT_EQ(ls + ld, 31u);
            const unsigned sum = BlendTable565[ld << 16 | d] + BlendTable565[ls << 16 | s];
            ASSERT_LT(sum, 65536u);
            ASSERT_LE(((BlendTable565[ld << 16 | d] >> 5) & 63) + ((BlendTable565[ls << 16 | s] >> 5) & 63), 63u);
            ASSERT_LE((BlendTable555[ld << 16 | d] & 31) + (BlendTable555[ls << 16 | s] & 31), 31u);
        }
    }
}

TEST_F(BlendTest, BlendPixel16Golden) {
    uint16_t d = 0x0000, s = 0xFFFF;
    BlendPixel16(&d, &s, 128);
    EXPECT_EQ(d, 0x8410);
    d = 0;
    BlendPixel16(&d, &s, 255);
    EXPECT_EQ(d, 0xFFFF);
    d = 0;
    BlendPixel16(&d, &s, 0);
    EXPECT_EQ(d, 0x0000);
}

TEST_F(BlendTest, BlendPixel15KeepsEqualPixelsAndDropsBit15WhenBlending) {
    uint16_t d = 0x801F, s = 0x801F;
    BlendPixel15(&d, &s, 100);
    EXPECT_EQ(d, 0x801F) << "equal pixels are not written";
    d = 0x8000;
    s = 0x7FFF;
    BlendPixel15(&d, &s, 128);
    EXPECT_EQ(d & 0x8000, 0);
    d = 0;
    s = 0xFFFF;
    BlendPixel15(&d, &s, 255);
    EXPECT_EQ(d, 0xFFFF) << "alpha 255 copies the word with bit 15";
}

TEST_F(BlendTest, BlendPixel24Golden) {
    uint8_t d[3] = {0, 0, 0}, s[3] = {255, 255, 255};
    BlendPixel24(d, s, 128);
    EXPECT_EQ(d[0], 128);
    uint8_t d2[3] = {100, 100, 100}, s2[3] = {100, 100, 100};
    BlendPixel24(d2, s2, 128);
    EXPECT_EQ(d2[1], 100);
    // Differing in another channel: each channel recomputed, 100 and 100 give 50 + 49.
    uint8_t d3[3] = {100, 100, 0}, s3[3] = {100, 100, 200};
    BlendPixel24(d3, s3, 128);
    EXPECT_EQ(d3[0], 99);
    EXPECT_EQ(d3[1], 99);
    EXPECT_EQ(d3[2], ProductTable[128 << 8 | 200] + ProductTable[127 << 8 | 0]);
}

TEST_F(BlendTest, BlendPixel32XByte) {
    uint8_t d[4] = {1, 2, 3, 0x11}, s[4] = {1, 2, 3, 0x22};
    BlendPixel32(d, s, 128);  // differ only in X: recomputed, X kept
    EXPECT_EQ(d[3], 0x11);
    EXPECT_EQ(d[0], ProductTable[128 << 8 | 1] + ProductTable[127 << 8 | 1]);
    uint8_t e[4] = {9, 9, 9, 9};
    BlendPixel32(e, s, 255);
    EXPECT_EQ(std::memcmp(e, s, 4), 0) << "alpha 255 copies the X byte too";
}

TEST_F(BlendTest, CombinePixelAlphaGolden) {
    uint8_t d[3] = {0, 0, 0}, s[3] = {200, 100, 50};
    uint8_t A = 255;
    CombinePixelAlpha24(d, s, &A, 128);
    EXPECT_EQ(A, 255);
    EXPECT_EQ(d[0], ProductTable[128 << 8 | 200] + ProductTable[127 << 8 | 0]);  // weights 128 and 127
    uint8_t d2[3] = {10, 20, 30};
    A = 128;
    CombinePixelAlpha24(d2, s, &A, 128);
    EXPECT_EQ(A, 191);
    EXPECT_EQ(d2[0], ProductTable[170 << 8 | 200] + ProductTable[84 << 8 | 10]);
    EXPECT_EQ(d2[2], ProductTable[170 << 8 | 50] + ProductTable[84 << 8 | 30]);

    uint8_t d3[4] = {1, 2, 3, 4}, s3[4] = {5, 6, 7, 8};
    A = 0;
    CombinePixelAlpha32(d3, s3, &A, 77);
    EXPECT_EQ(std::memcmp(d3, s3, 4), 0);
    EXPECT_EQ(A, 77);

    uint16_t d4 = 0x1234, s4 = 0x4321;
    A = 200;
    CombinePixelAlpha15Blend(&d4, &s4, &A, 200, 55);
    EXPECT_EQ(d4, 0x1234);
    EXPECT_EQ(A, 200);
    A = 0;
    CombinePixelAlpha15Blend(&d4, &s4, &A, 200, 56);
    EXPECT_EQ(d4, 0x4321);
    EXPECT_EQ(A, 1);
}

TEST_F(BlendTest, PrimitivesMatchModelOnRandomPixels) {
    std::mt19937 rng(1234);
    for (int n = 0; n < 200000; ++n) {
        const unsigned a = rng() & 255;
        const unsigned A0 = (n & 3) == 0 ? 0 : rng() & 255;
        uint8_t d[4], s[4], e[4];
        for (int i = 0; i < 4; ++i) {
            d[i] = uint8_t(rng());
            s[i] = (n & 7) == 0 ? d[i] : uint8_t(rng());
        }
        const int depth = (n % 4 == 0) ? 15 : (n % 4 == 1) ? 16 : (n % 4 == 2) ? 24 : 32;
        std::memcpy(e, d, 4);
        ref::BlendPixel(depth, e, s, a);
        uint8_t g[4];
        std::memcpy(g, d, 4);
        switch (depth) {
        case 15: BlendPixel15(reinterpret_cast<uint16_t*>(g), reinterpret_cast<uint16_t*>(s), uint8_t(a)); break;
        case 16: BlendPixel16(reinterpret_cast<uint16_t*>(g), reinterpret_cast<uint16_t*>(s), uint8_t(a)); break;
        case 24: BlendPixel24(g, s, uint8_t(a)); break;
        default: BlendPixel32(g, s, uint8_t(a)); break;
        }
        ASSERT_EQ(std::memcmp(g, e, 4), 0) << "blend depth " << depth << " case " << n;

        uint8_t Ae = uint8_t(A0), Ag = uint8_t(A0);
        std::memcpy(e, d, 4);
        std::memcpy(g, d, 4);
        ref::CombinePixel(depth, e, s, &Ae, a);
        switch (depth) {
        case 15:
            CombinePixelAlpha15(reinterpret_cast<uint16_t*>(g), reinterpret_cast<uint16_t*>(s), &Ag, uint8_t(a));
            break;
        case 16:
            CombinePixelAlpha16(reinterpret_cast<uint16_t*>(g), reinterpret_cast<uint16_t*>(s), &Ag, uint8_t(a));
            break;
        case 24: CombinePixelAlpha24(g, s, &Ag, uint8_t(a)); break;
        default: CombinePixelAlpha32(g, s, &Ag, uint8_t(a)); break;
        }
        ASSERT_EQ(std::memcmp(g, e, 4), 0) << "combine depth " << depth << " case " << n;
        ASSERT_EQ(Ag, Ae) << "combine alpha depth " << depth << " case " << n;
    }
}

// A pixel of a surface with an odd pitch lies off a 2-byte boundary; the primitives
// take such pointers and give what they give on aligned ones.
TEST_F(BlendTest, SixteenBitPrimitivesTakeUnalignedPixels) {
    std::mt19937 rng(77);
    alignas(4) uint8_t buf[16];
    for (int n = 0; n < 2000; ++n) {
        const uint16_t d0 = uint16_t(rng()), s0 = (n & 7) == 0 ? d0 : uint16_t(rng());
        const auto a = uint8_t(rng());
        const auto A0 = uint8_t((n & 3) == 0 ? 0 : rng());
        const auto o = uint8_t(rng());
        for (int depth : {15, 16}) {
            uint16_t* d = reinterpret_cast<uint16_t*>(buf + 1);
            const uint16_t* s = reinterpret_cast<const uint16_t*>(buf + 5);
            auto reset = [&] {
                std::memcpy(buf + 1, &d0, 2);
                std::memcpy(buf + 5, &s0, 2);
            };
            auto result = [&] {
                uint16_t v;
                std::memcpy(&v, buf + 1, 2);
                return v;
            };
            reset();
            depth == 15 ? BlendPixel15(d, s, a) : BlendPixel16(d, s, a);
            ASSERT_EQ(result(), ref::Blend16(depth == 15, d0, s0, a)) << "blend " << depth << " case " << n;

            uint16_t de = d0;
            uint8_t Ae = A0, Ag = A0;
            {
                uint8_t e[4] = {}, sb[4] = {};
                std::memcpy(e, &de, 2);
                std::memcpy(sb, &s0, 2);
                ref::CombinePixel(depth, e, sb, &Ae, ref::Reduced(a, o));
                std::memcpy(&de, e, 2);
            }
            reset();
            depth == 15 ? CombinePixelAlpha15Blend(d, s, &Ag, a, o) : CombinePixelAlpha16Blend(d, s, &Ag, a, o);
            ASSERT_EQ(result(), de) << "combine " << depth << " case " << n;
            ASSERT_EQ(Ag, Ae) << "combine alpha " << depth << " case " << n;
        }
    }
}

}  // namespace
