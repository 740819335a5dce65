// The bilinear filter's own cases: weights, the unfiltered last column and row, packing
// at 15 bits, the X byte, and keyed taps.
#include <gtest/gtest.h>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/stretch/StretchTestSurface.h"

namespace stretch_test {
namespace {

class StretchBilinear : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

void Bilinear(CStretchTestSurface& d, CStretchTestSurface& s, SRect dr, SRect sr, int o = 255) {
    const SRect clip{0, 0, d.GetSize().cx, d.GetSize().cy};
    SoftStretchBilinear(&d, &s, &dr, &sr, &clip, o, 0);
}

// Blue channel per column of row 0: 0, 90, 250 with X bytes 0x77.
void FillRow3(CStretchTestSurface& s) {
    for (int y = 0; y < s.GetSize().cy; ++y) {
        s.SetRaw(0, y, 0x77000000);
        s.SetRaw(1, y, 0x7700005A);
        s.SetRaw(2, y, 0x770000FA);
    }
}

TEST_F(StretchBilinear, ThreeOntoFiveEndsOnTheStoredLastColumn) {
    CStretchTestSurface s(3, 2, 32);
    FillRow3(s);
    CStretchTestSurface d(5, 2, 32);
    Bilinear(d, s, {0, 0, 5, 2}, {0, 0, 3, 2});
    // fx = 0, 32768, 65536, 98304, 131072.
    EXPECT_EQ(d.Raw(0, 0), 0x00000000u);  // filtered: X byte 0
    EXPECT_EQ(d.Raw(1, 0), 0x0000002Du);  // 0 + 90 * 32768 >> 16 = 45
    EXPECT_EQ(d.Raw(2, 0), 0x0000005Au);
    EXPECT_EQ(d.Raw(3, 0), 0x000000AAu);  // 90 + 160 / 2
    EXPECT_EQ(d.Raw(4, 0), 0x770000FAu);  // the stored pixel of column 2, X byte kept
}

TEST_F(StretchBilinear, ThreeOntoFourFiltersEveryColumn) {
    CStretchTestSurface s(3, 2, 32);
    FillRow3(s);
    CStretchTestSurface d(4, 2, 32);
    Bilinear(d, s, {0, 0, 4, 2}, {0, 0, 3, 2});
    // (ix, wx) = (0, 0), (0, 43690), (1, 21844), (1, 65534).
    EXPECT_EQ(d.Raw(0, 0), 0u);
    EXPECT_EQ(d.Raw(1, 0), uint32_t(0 + (90 * 43690 >> 16)));     // 59
    EXPECT_EQ(d.Raw(2, 0), uint32_t(90 + (160 * 21844 >> 16)));   // 143
    EXPECT_EQ(d.Raw(3, 0), uint32_t(90 + (160 * 65534 >> 16)));   // 249: filtered, X byte 0
    // Row 1 is the last source row: unfiltered, each column at its own ix.
    EXPECT_EQ(d.Raw(0, 1), 0x77000000u);
    EXPECT_EQ(d.Raw(1, 1), 0x77000000u);
    EXPECT_EQ(d.Raw(2, 1), 0x7700005Au);
    EXPECT_EQ(d.Raw(3, 1), 0x7700005Au);
}

TEST_F(StretchBilinear, HundredOntoFiftyFiltersTheLastColumnNearlyOntoTheLast) {
    CStretchTestSurface s(100, 2, 32);
    s.SetRaw(99, 0, 255);
    CStretchTestSurface d(50, 2, 32);
    Bilinear(d, s, {0, 0, 50, 2}, {0, 0, 100, 2});
    // fx = 49 * 132409 = 6488041: ix 98, weight 65513.
    EXPECT_EQ(d.Raw(49, 0), uint32_t(255 * 65513 >> 16));  // 254
}

TEST_F(StretchBilinear, RowsReachingTheSurfaceBottomAreUnfiltered) {
    // A source rectangle 8 rows high on a 4-row surface: limY = 4 - 0.
    CStretchTestSurface s(3, 4, 32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) s.SetRaw(x, y, 0x33000000u | uint32_t(y * 60) << 8 | uint32_t(x * 100));
    }
    CStretchTestSurface d(5, 15, 32);
    Bilinear(d, s, {0, 0, 5, 15}, {0, 0, 3, 8});
    // stepY = 7 / 14 = 32768: rows 6 and 7 lie on source row 3, the last one; row 8
    // would be source row 4, outside the surface, and is not drawn.
    for (int y : {6, 7}) {
        EXPECT_EQ(d.Raw(0, y), 0x3300B400u) << y;
        EXPECT_EQ(d.Raw(1, y), 0x3300B400u) << y;  // ix 0, unfiltered despite wx
        EXPECT_EQ(d.Raw(2, y), 0x3300B464u) << y;
        EXPECT_EQ(d.Raw(4, y), 0x3300B4C8u) << y;
    }
    EXPECT_EQ(d.Raw(0, 5), uint32_t((120 + (60 * 32768 >> 16)) << 8));  // filtered between rows 2 and 3
    for (int y = 8; y < 15; ++y) EXPECT_EQ(d.Raw(2, y), 0u) << y;
}

TEST_F(StretchBilinear, FifteenBitPackingKeepsTheTopBitsAndClearsBit15) {
    CStretchTestSurface s(3, 2, 15);
    for (int y = 0; y < 2; ++y) {
        s.SetRaw(0, y, 0x8000 | 31 << 10);  // red 31, bit 15 set
        s.SetRaw(1, y, 0x8000);
        s.SetRaw(2, y, 0x8000 | 0x1F);
    }
    CStretchTestSurface d(5, 2, 15);
    Bilinear(d, s, {0, 0, 5, 2}, {0, 0, 3, 2});
    EXPECT_EQ(d.Raw(0, 0), uint32_t(31 << 10));  // filtered with weight 0: bit 15 gone
    // top = 248 + ((0 - 248) * 32768 >> 16) = 124: red field 15.
    EXPECT_EQ(d.Raw(1, 0), uint32_t(15 << 10));
    EXPECT_EQ(d.Raw(4, 0), 0x801Fu);  // unfiltered: bit 15 kept
    EXPECT_EQ(d.Raw(4, 1), 0x801Fu);
}

TEST_F(StretchBilinear, SixteenBitGreenKeepsSixBits) {
    CStretchTestSurface s(2, 2, 16);
    s.SetRaw(0, 0, 0);
    s.SetRaw(1, 0, 63 << 5);  // green 252
    s.SetRaw(0, 1, 0);
    s.SetRaw(1, 1, 63 << 5);
    CStretchTestSurface d(3, 2, 16);
    Bilinear(d, s, {0, 0, 3, 2}, {0, 0, 2, 2});
    EXPECT_EQ(d.Raw(1, 0), uint32_t((126 >> 2) << 5));  // 252 / 2 = 126, top six bits
}

TEST_F(StretchBilinear, OneKeyedTapLeavesThePixelUntouched) {
    CStretchTestSurface s(3, 3, 24);
    s.SetColorKeyEnabled(true);
    s.SetColorKey(0x00FF00FF);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) s.SetRaw(x, y, 0x404040);
    }
    s.SetRaw(1, 1, 0xFF00FF);  // keyed
    CStretchTestSurface d(5, 5, 24);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) d.SetRaw(x, y, 0x010203);
    }
    Bilinear(d, s, {0, 0, 5, 5}, {0, 0, 3, 3});
    // ix (and iy) run 0, 0, 1, 1, 2: every filtered pixel with ix and iy in 0..1 has source
    // (1, 1) among its taps, even at weight 0, and stays untouched; the last column and
    // row are single pixels of column (row) 2 and are drawn.
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool touchesKey = x <= 3 && y <= 3;
            EXPECT_EQ(d.Raw(x, y), touchesKey ? 0x010203u : 0x404040u) << x << "," << y;
        }
    }
}

TEST_F(StretchBilinear, FilteredAlphaBelowTheOpacityCutLeavesTheDestination) {
    CStretchTestSurface s(2, 2, 32);
    s.MakeAlphaPlane();
    s.SetAlphaEnabled(true);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) s.SetRaw(x, y, 0x00FFFFFF);
    }
    s.SetRawAlpha(0, 0, 0);
    s.SetRawAlpha(1, 0, 200);
    s.SetRawAlpha(0, 1, 0);
    s.SetRawAlpha(1, 1, 200);
    CStretchTestSurface d(3, 3, 32);
    Bilinear(d, s, {0, 0, 3, 3}, {0, 0, 2, 2}, 128);
    EXPECT_EQ(d.Raw(1, 0), 0u);  // filtered alpha 100: 100 - 127 < 0
    EXPECT_EQ(d.Raw(2, 0), uint32_t(0x010101 * ((255 * 73) / 255)));  // 200 - 127 = 73
}

}  // namespace
}  // namespace stretch_test
