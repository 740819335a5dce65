// An opaque 32-bit surface stretched onto itself, the source and destination rectangles
// overlapping: the kernels must give what drawing pixel by pixel in order gives (the
// model run on one buffer), however they read ahead or reuse rows on separate surfaces.
#include <gtest/gtest.h>

#include <random>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/stretch/StretchModel.h"
#include "tests/engine/soft/stretch/StretchTestSurface.h"

namespace stretch_test {
namespace {

struct SSelfCase {
    EFilter filter;
    SRect dest, source;
};

TEST(StretchSelf, OverlappingRectanglesMatchTheInOrderModel) {
    BuildBlendTables();
    const SSelfCase cases[] = {
        {EFilter::Nearest, {3, 2, 60, 45}, {0, 0, 38, 30}},   // enlarged down and right
        {EFilter::Nearest, {0, 0, 20, 15}, {2, 1, 62, 46}},   // reduced up and left
        {EFilter::Bilinear, {3, 2, 60, 45}, {0, 0, 38, 30}},
        {EFilter::Bilinear, {0, 0, 20, 15}, {2, 1, 62, 46}},
        {EFilter::Bilinear, {1, 0, 64, 40}, {0, 1, 50, 36}},  // rows advancing by less than two
    };
    uint32_t seed = 11;
    for (const SSelfCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(seed - 11));
        CStretchTestSurface s(64, 48, 32);
        std::mt19937 rng(seed++);
        for (size_t i = 0; i < s.PixelAreaSize(); ++i) s.Bytes()[i] = static_cast<uint8_t>(rng());
        std::vector<uint8_t> expected = s.Bytes();
        const SRect clip{0, 0, 64, 48};
        const SModelRequest r{c.filter, EKind::Opaque, 32, 255, 0, c.dest, c.source, clip};
        const SModelImage image{expected.data(), s.GetPitch(), nullptr, 0, s.GetSize()};
        ModelStretch(r, image, image);
        if (c.filter == EFilter::Nearest) {
            SoftStretchNearest(&s, &s, &c.dest, &c.source, &clip, 255, 0);
        } else {
            SoftStretchBilinear(&s, &s, &c.dest, &c.source, &clip, 255, 0);
        }
        EXPECT_EQ(s.Bytes(), expected);
        EXPECT_TRUE(s.GuardsIntact());
    }
}

}  // namespace
}  // namespace stretch_test
