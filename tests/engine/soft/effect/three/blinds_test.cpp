// Mode 3's 32-row bands and the cascade blinds of modes 5 to 8 and 11 to 14.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/soft/effect/SoftFx3Kernels.h"
#include "tests/engine/soft/effect/three/FxSurface.h"

using namespace fx3_test;

namespace {

constexpr uint8_t kGuard = 0xEE;

SScene MakeScene(int depth, int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    return SScene{MakeFilledSurface(w + 10, h + 40, depth, kGuard, 2), MakeRandomSurface(rng, w + 3, h + 5, depth),
                  MakeRandomSurface(rng, w + 6, h + 2, depth)};
}

// 1 when pixel (x, y) of the destination shows the first source, 2 the second, 3 both
// (equal pixels), 0 neither.
int SourceAt(SScene& s, int x, int y, SPoint dp, SPoint ap, SPoint bp) {
    const auto d = s.dst->PixelBytes(x, y);
    const bool isA = d == s.a->PixelBytes(ap.x + x - dp.x, ap.y + y - dp.y);
    const bool isB = d == s.b->PixelBytes(bp.x + x - dp.x, bp.y + y - dp.y);
    return isA && !isB ? 1 : isB && !isA ? 2 : isA ? 3 : 0;
}

using ModeFn = void (*)(CSoftSurface*, CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                        const SSize*, const SRect*, int);

struct SCascadeMode {
    int mode;
    ModeFn fn;
    bool rows;
    bool reversed;
};
const SCascadeMode kCascades[] = {
    {5, SoftFx3CascadeBlindsMode5, true, false},  {6, SoftFx3CascadeBlindsMode6, true, true},
    {7, SoftFx3CascadeBlindsMode7, false, false}, {8, SoftFx3CascadeBlindsMode8, false, true},
};

// Whether line `i` (0 = the cascade's starting edge) of a length-L block is revealed.
// Bands are L >> 4 lines: a block under 16 lines has none.
bool Revealed(int64_t length, int64_t i, int p) {
    const int64_t band = length >> 4;
    if (band == 0) return false;
    const int64_t reach = ((4 * length) / band + band) * p / 1024;
    const int64_t k = i / band;
    const int64_t r = std::min(reach - 4 * k, band);
    return i % band < r;
}

bool IsGuard(SScene& s, int x, int y) {
    return s.dst->PixelBytes(x, y) == std::vector<uint8_t>(s.dst->BytesPer(), kGuard);
}

bool Inside(const CFxSurface& surface, int x, int y) {
    const SSize size = surface.GetSize();
    return x >= 0 && y >= 0 && x < size.cx && y < size.cy;
}

// Checks every pixel of the block and of the last band's overhang against the cascade
// worked out line by line: revealed lines show the second source where it has pixels,
// the rest of the block the first source, the rest of the overhang is left alone.
void CheckCascade(const SCascadeMode& m, int depth, int w, int h, int progress) {
    SScene s = MakeScene(depth, w, h, static_cast<uint32_t>(w * 131 + h * 7 + progress + m.mode));
    const SPoint dp{4, 6}, ap{2, 3}, bp{5, 1};
    const SSize size{w, h};
    const SSize ds = s.dst->GetSize();
    const SRect clip{0, 0, ds.cx, ds.cy};
    const auto before = s.dst->Snapshot();
    m.fn(s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &clip, progress);
    const int p = SoftFx3ClampProgress(progress);
    const int length = m.rows ? h : w;
    const int band = length >> 4;
    const int over = band == 0 ? 0 : (length + band - 1) / band * band - length;
    SRect box{dp.x, dp.y, dp.x + w, dp.y + h};
    if (m.rows) {
        (m.reversed ? box.top : box.bottom) += m.reversed ? -over : over;
    } else {
        (m.reversed ? box.left : box.right) += m.reversed ? -over : over;
    }
    const std::string where = "mode " + std::to_string(m.mode) + " depth " + std::to_string(depth) + " size " +
                              std::to_string(w) + "x" + std::to_string(h) + " p " + std::to_string(progress);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const int along = m.rows ? y - dp.y : x - dp.x;
            const int line = m.reversed ? length - 1 - along : along;
            const bool inBlock = line < length;
            const bool second = Revealed(length, line, p) && Inside(*s.b, bp.x + x - dp.x, bp.y + y - dp.y);
            const int got = SourceAt(s, x, y, dp, ap, bp);
            if (second) {
                ASSERT_TRUE(got == 2 || got == 3) << where << " at " << x << "," << y;
            } else if (inBlock) {
                ASSERT_TRUE(got == 1 || got == 3) << where << " at " << x << "," << y;
            } else {
                ASSERT_TRUE(IsGuard(s, x, y)) << where << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(CompareOutside(*s.dst, before, box), "") << where;
    // The last notification is the second source's whole block.
    ASSERT_FALSE(s.dst->notes.empty());
    EXPECT_EQ(s.dst->notes.back().source, s.b.get());
    EXPECT_EQ(s.dst->notes.back().drawn, (SRect{dp.x, dp.y, dp.x + w, dp.y + h}));
}

TEST(CascadeBlinds, BandsFollowTheCascade) {
    for (const SCascadeMode& m : kCascades) {
        for (int depth : {16, 32}) {
            for (int p : {0, 100, 400, 512, 800, 1000, 1023, 1024}) {
                CheckCascade(m, depth, 24, 100, p);  // rows: b = 6, 17 bands
                CheckCascade(m, depth, 100, 20, p);  // columns: b = 6, 17 bands
                CheckCascade(m, depth, 37, 37, p);   // b = 2, 19 bands, the last one line
            }
        }
    }
}

// Under 16 lines the bands are 0 lines thick: only the background is drawn, at the
// end too.
TEST(CascadeBlinds, BlocksUnder16LinesShowOnlyTheBackground) {
    for (const SCascadeMode& m : kCascades) {
        for (int n : {1, 2, 7, 15}) {
            for (int p : {0, 300, 700, 1024}) {
                CheckCascade(m, 24, n, n, p);
            }
            // Short along the cascade only: a 15-line block 40 lines across.
            const int w = m.rows ? 40 : 15, h = m.rows ? 15 : 40;
            SScene s = MakeScene(24, w, h, 5);
            const SPoint o{};
            const SSize size{w, h};
            const SRect clip{0, 0, 100, 100};
            m.fn(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 1024);
            EXPECT_EQ(CompareBlock(*s.dst, SRect{0, 0, w, h}, *s.a, SPoint{}), "") << "mode " << m.mode;
        }
    }
}

TEST(CascadeBlinds, AHundredLinesRevealTheLastBandPastTheBlock) {
    // L = 100: b = 6, R at 1024 = 66 + 6 = 72; band 16 reveals min(8, 6) = 6 lines,
    // the last 2 of them past the block.
    EXPECT_TRUE(Revealed(100, 99, 1024));
    EXPECT_TRUE(Revealed(100, 101, 1024));
    EXPECT_FALSE(Revealed(100, 0, 0));
}

TEST(CascadeBlinds, BlendedModesUseAQuarterOfTheProgress) {
    // Mode 11 at p = 512: the bands are blended at 128, so revealed pixels are neither source.
    SScene s = MakeScene(32, 16, 32, 77);
    const SPoint o{};
    const SSize size{16, 32};
    const SRect clip{0, 0, 26, 72};
    SoftFx3CascadeBlindsMode11(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 1024);
    EXPECT_EQ(CompareBlock(*s.dst, SRect{0, 0, 16, 32}, *s.b, SPoint{}), "");
    SScene t = MakeScene(32, 16, 32, 77);
    SoftFx3CascadeBlindsMode11(t.dst.get(), t.a.get(), t.b.get(), &o, &o, &o, &size, &clip, 512);
    EXPECT_EQ(t.dst->notes.back().drawn, (SRect{0, 0, 16, 32}));
    int mixed = 0;
    for (int x = 0; x < 16; ++x) mixed += SourceAt(t, x, 0, o, o, o) == 0;
    EXPECT_GT(mixed, 8);
}

TEST(CascadeBlinds, MixedDepthsDrawNothing) {
    SScene s = MakeScene(16, 10, 10, 1);
    auto other = MakeFilledSurface(20, 20, 32, 1);
    const auto before = s.dst->Snapshot();
    const SPoint o{};
    const SSize size{10, 10};
    const SRect clip{0, 0, 20, 50};
    for (const SCascadeMode& m : kCascades) m.fn(s.dst.get(), s.a.get(), other.get(), &o, &o, &o, &size, &clip, 1024);
    EXPECT_EQ(s.dst->Snapshot(), before);
}

TEST(Mode3, EveryBandIs32RowsTheLastOneTooBoundedByTheSurfaces) {
    for (int depth : {15, 16, 24, 32}) {
        for (int p : {0, 31, 32, 512, 1000, 1024}) {
            SScene s = MakeScene(depth, 20, 45, static_cast<uint32_t>(p + depth));
            const SPoint dp{3, 2}, ap{1, 4}, bp{2, 0};
            const SSize size{20, 45};
            const SSize ds = s.dst->GetSize();
            const SRect clip{0, 0, ds.cx, ds.cy};
            const auto before = s.dst->Snapshot();
            SoftFx3Mode3(s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &clip, p);
            const int shown = SoftFx3ClampProgress(p) >> 5;
            // Two bands: rows 45 to 63 overhang the block; the first source ends at row
            // 45, the second at row 46.
            for (int y = 0; y < 64; ++y) {
                const bool second = (y % 32) < shown;
                const bool has = second ? Inside(*s.b, 0, bp.y + y) : Inside(*s.a, 0, ap.y + y);
                for (int x = 0; x < 20; ++x) {
                    const int got = SourceAt(s, dp.x + x, dp.y + y, dp, ap, bp);
                    if (!has) {
                        ASSERT_TRUE(IsGuard(s, dp.x + x, dp.y + y)) << "p " << p << " at " << x << "," << y;
                    } else {
                        ASSERT_TRUE(got == (second ? 2 : 1) || got == 3) << "p " << p << " at " << x << "," << y;
                    }
                }
            }
            EXPECT_EQ(CompareOutside(*s.dst, before, SRect{3, 2, 23, 66}), "") << "p " << p;
        }
    }
}

}  // namespace
