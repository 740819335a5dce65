// Where the two filters sample: steps, sampling sequences, clip offsets, the last
// column and row, and rectangles far beyond 32-bit fixed-point reach.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "engine/soft/blit/StretchKernels.h"
#include "tests/engine/soft/stretch/StretchModel.h"
#include "tests/engine/soft/stretch/StretchTestSurface.h"

namespace stretch_test {
namespace {

// A 32-bit source whose pixel (x, y) holds x in its low 16 bits and y in the next 8, X
// byte 0: a sampled pixel names where it came from.
std::unique_ptr<CStretchTestSurface> IndexSource(int w, int h) {
    auto s = std::make_unique<CStretchTestSurface>(w, h, 32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s->SetRaw(x, y, uint32_t(x) | uint32_t(y) << 16);
    }
    return s;
}

// The source columns row 0 of the destination sampled, for destination columns x0..x1-1.
std::vector<int> SampledColumns(const CStretchTestSurface& d, int x0, int x1, int y = 0) {
    std::vector<int> v;
    for (int x = x0; x < x1; ++x) v.push_back(int(d.Raw(x, y) & 0xFFFF));
    return v;
}

std::vector<int> SampledRows(const CStretchTestSurface& d, int y0, int y1, int x = 0) {
    std::vector<int> v;
    for (int y = y0; y < y1; ++y) v.push_back(int((d.Raw(x, y) >> 16) & 0xFF));
    return v;
}

void Nearest(CStretchTestSurface& d, CStretchTestSurface& s, SRect dr, SRect sr, SRect clip, int o = 255) {
    SoftStretchNearest(&d, &s, &dr, &sr, &clip, o, 0);
}
void Bilinear(CStretchTestSurface& d, CStretchTestSurface& s, SRect dr, SRect sr, SRect clip, int o = 255) {
    SoftStretchBilinear(&d, &s, &dr, &sr, &clip, o, 0);
}

class StretchMapping : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

TEST_F(StretchMapping, BilinearStepsAreTheTruncatedDoubleQuotient) {
    EXPECT_EQ(BilinearStretchStep(3, 5), 32768);
    EXPECT_EQ(BilinearStretchStep(3, 4), 43690);
    EXPECT_EQ(BilinearStretchStep(100, 50), 132409);
    EXPECT_EQ(BilinearStretchStep(200, 100), 131733);
    EXPECT_EQ(BilinearStretchStep(100, 200), 32603);
    EXPECT_EQ(BilinearStretchStep(2, 2), 65536);
    // Steps past the 32-bit range are kept whole.
    EXPECT_EQ(BilinearStretchStep(40001, 2), int64_t{40000} * 65536);
    EXPECT_EQ(BilinearStretchStep(int64_t{UINT32_MAX}, 2), int64_t{UINT32_MAX - 1} * 65536);
}

TEST_F(StretchMapping, NearestThreeToFourReachesTheLastColumnAndRow) {
    auto s = IndexSource(3, 3);
    CStretchTestSurface d(4, 4, 32);
    Nearest(d, *s, {0, 0, 4, 4}, {0, 0, 3, 3}, {0, 0, 4, 4});
    // A 16-bit fractional step (43690) would sample 0, 0, 1, 1 and lose column 2.
    EXPECT_EQ(SampledColumns(d, 0, 4), (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(SampledRows(d, 0, 4), (std::vector<int>{0, 0, 1, 2}));
}

TEST_F(StretchMapping, NearestHalvingSamplesEveryOtherColumnAndTheLast) {
    auto s = IndexSource(200, 2);
    CStretchTestSurface d(100, 2, 32);
    Nearest(d, *s, {0, 0, 100, 2}, {0, 0, 200, 2}, {0, 0, 100, 2});
    std::vector<int> expected;
    for (int k = 0; k < 99; ++k) expected.push_back(2 * k);
    expected.push_back(199);
    EXPECT_EQ(SampledColumns(d, 0, 100), expected);
}

TEST_F(StretchMapping, NearestDoublingStartsWithThreeCopiesAndEndsOnTheLastColumn) {
    auto s = IndexSource(100, 2);
    CStretchTestSurface d(200, 2, 32);
    Nearest(d, *s, {0, 0, 200, 2}, {0, 0, 100, 2}, {0, 0, 200, 2});
    const std::vector<int> got = SampledColumns(d, 0, 200);
    EXPECT_EQ(got[0], 0);
    EXPECT_EQ(got[1], 0);
    EXPECT_EQ(got[2], 0);
    EXPECT_EQ(got[3], 1);
    EXPECT_EQ(got[199], 99);
    for (int x = 0; x < 200; ++x) {
        EXPECT_EQ(got[size_t(x)], x * 99 / 199) << "column " << x;
    }
}

TEST_F(StretchMapping, NearestSourceRectangleOffset) {
    auto s = IndexSource(50, 10);
    CStretchTestSurface d(7, 4, 32);
    Nearest(d, *s, {0, 0, 7, 4}, {10, 3, 14, 6}, {0, 0, 7, 4});
    EXPECT_EQ(SampledColumns(d, 0, 7), (std::vector<int>{10, 10, 11, 11, 12, 12, 13}));
    EXPECT_EQ(SampledRows(d, 0, 4), (std::vector<int>{3, 3, 4, 5}));
}

// A destination rectangle starting left of the clip starts drawing with the source
// column the clip's first column has in the whole stretch, not with the first one.
TEST_F(StretchMapping, ClipOffsetKeepsThePositionInTheWholeStretch) {
    auto s = IndexSource(100, 3);
    for (int filter = 0; filter < 2; ++filter) {
        CStretchTestSurface whole(200, 3, 32), clipped(200, 3, 32);
        const auto draw = filter == 0 ? Nearest : Bilinear;
        draw(whole, *s, {0, 0, 200, 3}, {0, 0, 100, 3}, {0, 0, 200, 3}, 255);
        draw(clipped, *s, {-5, 0, 195, 3}, {0, 0, 100, 3}, {0, 0, 200, 3}, 255);
        for (int x = 0; x < 195; ++x) {
            ASSERT_EQ(clipped.Raw(x, 1), whole.Raw(x + 5, 1)) << "filter " << filter << " column " << x;
        }
        for (int x = 195; x < 200; ++x) EXPECT_EQ(clipped.Raw(x, 1), 0u);
    }
    // Nearest: x = 0 is column 5 of the stretch, floor(5 * 99 / 199) = 2.
    CStretchTestSurface d(200, 3, 32);
    Nearest(d, *s, {-5, 0, 195, 3}, {0, 0, 100, 3}, {0, 0, 200, 3});
    EXPECT_EQ(d.Raw(0, 0) & 0xFFFF, 2u);
}

TEST_F(StretchMapping, OnlyTheClipAndTheSurfaceAreWritten) {
    auto s = IndexSource(10, 10);
    CStretchTestSurface d(20, 20, 32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) d.SetRaw(x, y, 0xDEADBEEF);
    }
    Nearest(d, *s, {-10, -10, 30, 30}, {0, 0, 10, 10}, {3, 4, 15, 12});
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 3 && x < 15 && y >= 4 && y < 12;
            EXPECT_EQ(d.Raw(x, y) != 0xDEADBEEF, inside) << x << "," << y;
        }
    }
    EXPECT_TRUE(d.GuardsIntact());
}

TEST_F(StretchMapping, SourceRectanglePastTheSurfaceDrawsOnlyWhereItHasPixels) {
    auto s = IndexSource(10, 10);
    for (int filter = 0; filter < 2; ++filter) {
        CStretchTestSurface d(20, 20, 32);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) d.SetRaw(x, y, 0xDEADBEEF);
        }
        // Source columns -10..19 onto 0..19: only the middle third exists.
        (filter == 0 ? Nearest : Bilinear)(d, *s, {0, 0, 20, 20}, {-10, -10, 20, 20}, {0, 0, 20, 20}, 255);
        int drawn = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                if (d.Raw(x, y) == 0xDEADBEEF) continue;
                ++drawn;
                EXPECT_GE(x, 6);
                EXPECT_LE(x, 13);
            }
        }
        EXPECT_GT(drawn, 0);
        EXPECT_TRUE(d.GuardsIntact());
    }
}

TEST_F(StretchMapping, SingleRowsOrColumnsAreNotStretched) {
    auto s = IndexSource(10, 10);
    CStretchTestSurface d(20, 20, 32);
    const std::vector<uint8_t> before = d.Bytes();
    Nearest(d, *s, {0, 0, 10, 10}, {0, 0, 1, 10}, {0, 0, 20, 20});
    Nearest(d, *s, {0, 0, 10, 10}, {0, 0, 10, 1}, {0, 0, 20, 20});
    Nearest(d, *s, {0, 0, 1, 10}, {0, 0, 10, 10}, {0, 0, 20, 20});
    Bilinear(d, *s, {0, 0, 10, 1}, {0, 0, 10, 10}, {0, 0, 20, 20});
    Bilinear(d, *s, {5, 5, 4, 9}, {0, 0, 10, 10}, {0, 0, 20, 20});  // negative width
    EXPECT_EQ(d.Bytes(), before);
}

// A 40001-pixel-wide source onto 2 columns: the 16.16 step (2,621,440,000) does not fit
// in 32 bits.  The last column still samples the last source column.
TEST_F(StretchMapping, StepsBeyondThirtyTwoBitsStillMapCornersToCorners) {
    auto s = IndexSource(40001, 2);
    for (int filter = 0; filter < 2; ++filter) {
        CStretchTestSurface d(2, 2, 32);
        (filter == 0 ? Nearest : Bilinear)(d, *s, {0, 0, 2, 2}, {0, 0, 40001, 2}, {0, 0, 2, 2}, 255);
        EXPECT_EQ(d.Raw(0, 0) & 0xFFFF, 0u) << filter;
        EXPECT_EQ(d.Raw(1, 0) & 0xFFFF, 40000u % 65536) << filter;
        EXPECT_EQ(d.Raw(1, 1), (40000u % 65536) | 1u << 16) << filter;
    }
}

// Rectangles spanning nearly the whole 32-bit range: drawn where the surfaces are, the
// same as the model, and nothing outside.
TEST_F(StretchMapping, HugeRectanglesMatchTheModel) {
    const SRect cases[][3] = {
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 16, 12}, {0, 0, 40, 30}},
        {{-2000000000, -3, 2000000000, 33}, {0, 0, 16, 12}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
        {{0, 0, 40, 30}, {-2000000000, -2000000000, 2000000000, 2000000000}, {0, 0, 40, 30}},
        {{0, 0, 40, 30}, {INT32_MIN, 0, INT32_MAX, 12}, {0, 0, 40, 30}},
        {{-7, -7, 1000000, 1000000}, {3, 2, INT32_MAX, INT32_MAX}, {0, 0, 40, 30}},
    };
    auto s = IndexSource(16, 12);
    for (const auto& c : cases) {
        for (int filter = 0; filter < 2; ++filter) {
            CStretchTestSurface d(40, 30, 32);
            std::vector<uint8_t> expected = d.Bytes();
            SModelRequest r{filter == 0 ? EFilter::Nearest : EFilter::Bilinear, EKind::Opaque, 32, 255, 0, c[0], c[1],
                            c[2]};
            std::vector<uint8_t> srcCopy = s->Bytes();
            ModelStretch(r, SModelImage{expected.data(), d.GetPitch(), nullptr, 0, d.GetSize()},
                         SModelImage{srcCopy.data(), s->GetPitch(), nullptr, 0, s->GetSize()});
            (filter == 0 ? Nearest : Bilinear)(d, *s, c[0], c[1], c[2], 255);
            EXPECT_EQ(d.Bytes(), expected) << "filter " << filter << " dest {" << c[0].left << "," << c[0].top << ","
                                           << c[0].right << "," << c[0].bottom << "}";
            EXPECT_TRUE(d.GuardsIntact());
        }
    }
}

}  // namespace
}  // namespace stretch_test
