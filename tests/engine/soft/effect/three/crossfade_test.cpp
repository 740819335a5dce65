// The cross-fade kernels against scalar models of their formulas, on seeded random
// blocks with odd pitches, and the dispatcher at every processor level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "engine/base/CpuInfo.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "tests/engine/soft/effect/three/FxSurface.h"

using namespace fx3_test;

namespace {

constexpr int kProgresses[] = {-7, 0, 1, 3, 4, 5, 255, 511, 512, 513, 700, 992, 996, 1000, 1019, 1020, 1023, 1024, 5000};

// --- scalar models, written from the formulas ---

// The table mix of one 15/16-bit pixel at level t (0..255).
uint16_t ModelTable16(bool is565, uint16_t a, uint16_t b, int t) {
    if (t == 0 || a == b) return a;
    if (t == 255) return b;
    const uint16_t* table = is565 ? BlendTable565 : BlendTable555;
    return static_cast<uint16_t>(table[((255 - t) >> 3) * 65536 + a] + table[(t >> 3) * 65536 + b]);
}

void ModelTableBytes(uint8_t* out, const uint8_t* a, const uint8_t* b, int t, int bytes) {
    if (t == 0 || std::memcmp(a, b, bytes) == 0) {
        std::memcpy(out, a, bytes);
        return;
    }
    if (t == 255) {
        std::memcpy(out, b, bytes);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<uint8_t>(ProductTable[(255 - t) * 256 + a[c]] + ProductTable[t * 256 + b[c]]);
    }
}

// a + floor((b - a) * t / 256).
int FloorMix(int a, int b, int t) {
    const int n = (b - a) * t;
    return a + (n >= 0 ? n / 256 : -((-n + 255) / 256));
}

uint16_t ModelVector16(bool is565, uint16_t a, uint16_t b, int t) {
    const int rs = is565 ? 11 : 10;
    const int gBits = is565 ? 6 : 5;
    const int r = FloorMix((a >> rs) & 31, (b >> rs) & 31, t);
    const int g = FloorMix((a >> 5) & ((1 << gBits) - 1), (b >> 5) & ((1 << gBits) - 1), t);
    const int bl = FloorMix(a & 31, b & 31, t);
    return static_cast<uint16_t>(r << rs | g << 5 | bl);
}

enum class ECode { Plain, Vector };

// The whole block as the kernel of `code` must leave it: rows of `w` pixels.
void ModelRow(ECode code, int depth, uint8_t* d, const uint8_t* a, const uint8_t* b, int w, int progress) {
    const int plainT = std::clamp(progress >> 2, 0, 255);
    const int vecT = plainT >= 255 ? 256 : plainT;
    const int bpp = BytesPerPixel(depth);
    for (int i = 0; i < w; ++i) {
        uint8_t* o = d + i * bpp;
        const uint8_t* pa = a + i * bpp;
        const uint8_t* pb = b + i * bpp;
        if (depth == 15 || depth == 16) {
            uint16_t va, vb, r;
            std::memcpy(&va, pa, 2);
            std::memcpy(&vb, pb, 2);
            const bool vectorPixel = code == ECode::Vector && i < (w & ~3);
            r = vectorPixel ? ModelVector16(depth == 16, va, vb, vecT)
                            : ModelTable16(depth == 16, va, vb, code == ECode::Vector ? std::min(vecT, 255) : plainT);
            std::memcpy(o, &r, 2);
        } else if (depth == 24) {
            if (code == ECode::Vector) {
                for (int c = 0; c < 3; ++c) o[c] = static_cast<uint8_t>(FloorMix(pa[c], pb[c], vecT));
            } else {
                ModelTableBytes(o, pa, pb, plainT, 3);
            }
        } else {
            if (code == ECode::Vector && i < (w & ~1)) {
                for (int c = 0; c < 4; ++c) o[c] = static_cast<uint8_t>(FloorMix(pa[c], pb[c], vecT));
            } else {
                ModelTableBytes(o, pa, pb, code == ECode::Vector ? std::min(vecT, 255) : plainT, 4);
            }
        }
    }
}

struct SKernelUnderTest {
    const char* name;
    SoftFx3CrossFadeKernel kernel;
    int depth;
    ECode code;
};

const SKernelUnderTest kKernels[] = {
    {"SoftFx3CrossFade15_Plain", SoftFx3CrossFade15_Plain, 15, ECode::Plain},
    {"SoftFx3CrossFade16_Plain", SoftFx3CrossFade16_Plain, 16, ECode::Plain},
    {"SoftFx3CrossFade24_Plain", SoftFx3CrossFade24_Plain, 24, ECode::Plain},
    {"SoftFx3CrossFade32_Plain", SoftFx3CrossFade32_Plain, 32, ECode::Plain},
    {"SoftFx3CrossFade15_MMX", SoftFx3CrossFade15_MMX, 15, ECode::Vector},
    {"SoftFx3CrossFade16_MMX", SoftFx3CrossFade16_MMX, 16, ECode::Vector},
    {"SoftFx3CrossFade24_MMX", SoftFx3CrossFade24_MMX, 24, ECode::Vector},
    {"SoftFx3CrossFade32_MMX", SoftFx3CrossFade32_MMX, 32, ECode::Vector},
    {"SoftFx3CrossFade15_SSE", SoftFx3CrossFade15_SSE, 15, ECode::Vector},
    {"SoftFx3CrossFade16_SSE", SoftFx3CrossFade16_SSE, 16, ECode::Vector},
    {"SoftFx3CrossFade24_SSE", SoftFx3CrossFade24_SSE, 24, ECode::Vector},
    {"SoftFx3CrossFade32_SSE", SoftFx3CrossFade32_SSE, 32, ECode::Vector},
};

// One seeded case: three buffers with odd pitches, a block somewhere inside each, the
// progress.  Returns "" or what went wrong, and adds the result to *checksum.
std::string RunCase(const SKernelUnderTest& k, uint32_t seed, uint64_t* checksum) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int w = pick(0, 9) == 0 ? pick(60, 140) : pick(1, 37);
    const int h = pick(1, 6);
    const int bpp = BytesPerPixel(k.depth);
    const SPoint dp{pick(0, 5), pick(0, 3)}, ap{pick(0, 5), pick(0, 3)}, bp{pick(0, 5), pick(0, 3)};
    // 15-bit pictures keep their bit 15: the plain code copies it and the vector steps clear it.
    auto dst = MakeRandomSurface(rng, dp.x + w + pick(0, 3), dp.y + h + pick(0, 2), k.depth, pick(0, 7), true, true);
    auto a = MakeRandomSurface(rng, ap.x + w + pick(0, 3), ap.y + h + pick(0, 2), k.depth, pick(0, 7), true, true);
    auto b = MakeRandomSurface(rng, bp.x + w + pick(0, 3), bp.y + h + pick(0, 2), k.depth, pick(0, 7), true, true);
    // Now and then the second picture shares pixels with the first: the equal-pixel path.
    if (pick(0, 3) == 0) {
        for (size_t i = 0; i < std::min(a->PixelAreaSize(), b->PixelAreaSize()); i += 5) b->Bytes()[i] = a->Bytes()[i];
    }
    const int progress = pick(0, 2) == 0 ? kProgresses[pick(0, std::size(kProgresses) - 1)] : pick(0, 1024);

    std::vector<uint8_t> expected = dst->Bytes();
    for (int y = 0; y < h; ++y) {
        ModelRow(k.code, k.depth, expected.data() + (dp.y + y) * dst->GetPitch() + dp.x * bpp,
                 a->Bytes().data() + (ap.y + y) * a->GetPitch() + ap.x * bpp,
                 b->Bytes().data() + (bp.y + y) * b->GetPitch() + bp.x * bpp, w, progress);
    }
    const std::vector<uint8_t> aBefore = a->Bytes(), bBefore = b->Bytes();
    const SSize size{w, h};
    k.kernel(dst->GetBits(), a->GetBits(), b->GetBits(), dst->GetPitch(), a->GetPitch(), b->GetPitch(), &dp, &ap, &bp,
             &size, progress);
    *checksum = Fnv1a(dst->Bytes(), *checksum);
    if (a->Bytes() != aBefore || b->Bytes() != bBefore) return "a source changed";
    if (dst->Bytes() != expected) {
        for (size_t i = 0; i < expected.size(); ++i) {
            if (dst->Bytes()[i] != expected[i]) {
                return "byte " + std::to_string(i) + " is " + std::to_string(dst->Bytes()[i]) + ", model " +
                       std::to_string(expected[i]) + " (w " + std::to_string(w) + ", progress " +
                       std::to_string(progress) + ")";
            }
        }
    }
    return "";
}

class CrossFadeKernels : public ::testing::TestWithParam<SKernelUnderTest> {
protected:
    void SetUp() override { BuildBlendTables(); }
};

TEST_P(CrossFadeKernels, MatchTheModelOnSeededBlocks) {
    const SKernelUnderTest& k = GetParam();
    uint64_t checksum = 0;
    int failures = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        const std::string problem = RunCase(k, seed * 7919u + static_cast<uint32_t>(k.depth), &checksum);
        if (!problem.empty() && ++failures <= 5) {
            ADD_FAILURE() << k.name << " seed " << seed << ": " << problem;
        }
    }
    EXPECT_EQ(failures, 0) << k.name << " checksum " << checksum;
}

INSTANTIATE_TEST_SUITE_P(All, CrossFadeKernels, ::testing::ValuesIn(kKernels),
                         [](const ::testing::TestParamInfo<SKernelUnderTest>& info) { return std::string(info.param.name); });

// --- exact cases at the ends and halfway, through the dispatcher at each processor level ---

struct SLevel {
    uint32_t features;
    int level;
};
constexpr SLevel kLevels[] = {{0, 0}, {CCpuInfo::FEATURE_MMX, 1}, {CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE, 2},
                              {CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE | CCpuInfo::FEATURE_SSE2, 3}};

// A cross-fade of two whole 13 x 5 pictures into a third at one level.
std::unique_ptr<CFxSurface> FadeWhole(int depth, int progress, uint32_t features, CFxSurface& a, CFxSurface& b,
                                      uint8_t dstFill = 0x5A) {
    auto dst = MakeFilledSurface(a.GetSize().cx, a.GetSize().cy, depth, dstFill);
    CCpuFeatureOverride force(features);
    const SPoint origin{};
    const SSize size = a.GetSize();
    const SRect clip{0, 0, size.cx, size.cy};
    SoftFx3CrossFade(dst.get(), &a, &b, &origin, &origin, &origin, &size, &clip, progress);
    return dst;
}

TEST(CrossFade, DispatcherPicksTheKernelOfEachLevel) {
    EXPECT_EQ(ChooseSoftFx3CrossFadeKernel(16, 0), &SoftFx3CrossFade16_Plain);
    EXPECT_EQ(ChooseSoftFx3CrossFadeKernel(16, 1), &SoftFx3CrossFade16_MMX);
    EXPECT_EQ(ChooseSoftFx3CrossFadeKernel(16, 2), &SoftFx3CrossFade16_SSE);
    EXPECT_EQ(ChooseSoftFx3CrossFadeKernel(32, 3), &SoftFx3CrossFade32_SSE);
    EXPECT_EQ(ChooseSoftFx3CrossFadeKernel(8, 0), nullptr);
}

TEST(CrossFade, EndsAreTheSourcesAtEveryLevel) {
    BuildBlendTables();
    std::mt19937 rng(11);
    for (int depth : {15, 16, 24, 32}) {
        auto a = MakeRandomSurface(rng, 13, 5, depth);
        auto b = MakeRandomSurface(rng, 13, 5, depth);
        for (const SLevel& level : kLevels) {
            SCOPED_TRACE("depth " + std::to_string(depth) + " level " + std::to_string(level.level));
            for (int p : {-100, 0, 3}) {
                auto out = FadeWhole(depth, p, level.features, *a, *b);
                EXPECT_EQ(CompareBlock(*out, SRect{0, 0, 13, 5}, *a, SPoint{}), "") << "progress " << p;
            }
            for (int p : {1020, 1021, 1023, 1024, 4096}) {
                auto out = FadeWhole(depth, p, level.features, *a, *b);
                EXPECT_EQ(CompareBlock(*out, SRect{0, 0, 13, 5}, *b, SPoint{}), "") << "progress " << p;
            }
        }
    }
}

TEST(CrossFade, HalfwayVectorIsTheFloorMeanAndPlainUsesTheTables) {
    BuildBlendTables();
    // 16 bpp, four pixels (one vector step): red 31 over 0 at t = 128 gives 15 in the
    // vector code; the tables give T[15][0] + T[16][31] = 0 + 16.
    auto a = MakeFilledSurface(4, 1, 16, 0);
    auto b = MakeFilledSurface(4, 1, 16, 0);
    for (int x = 0; x < 4; ++x) b->SetPixel(x, 0, 0xF80000);  // red 31
    auto vec = FadeWhole(16, 512, kLevels[2].features, *a, *b);
    auto plain = FadeWhole(16, 512, 0, *a, *b);
    uint16_t v, p;
    std::memcpy(&v, vec->GetBits(), 2);
    std::memcpy(&p, plain->GetBits(), 2);
    EXPECT_EQ(v >> 11, 15);
    EXPECT_EQ(p >> 11, BlendTable565[16 * 65536 + 0xF800] >> 11);
}

TEST(CrossFade, PlainGivesTheSecondSourceFrom248) {
    BuildBlendTables();
    std::mt19937 rng(5);
    for (int depth : {15, 16}) {
        auto a = MakeRandomSurface(rng, 13, 5, depth);
        auto b = MakeRandomSurface(rng, 13, 5, depth);
        for (int t = 248; t <= 254; ++t) {
            auto out = FadeWhole(depth, t * 4, 0, *a, *b);
            EXPECT_EQ(CompareBlock(*out, SRect{0, 0, 13, 5}, *b, SPoint{}), "") << "depth " << depth << " t " << t;
        }
    }
}

TEST(CrossFade, VectorMixesTheXByteAndPlainKeepsIt) {
    BuildBlendTables();
    auto a = MakeFilledSurface(2, 1, 32, 0x10);
    auto b = MakeFilledSurface(2, 1, 32, 0x90);
    auto plain = FadeWhole(32, 512, 0, *a, *b, 0x33);
    auto vec = FadeWhole(32, 512, kLevels[1].features, *a, *b, 0x33);
    EXPECT_EQ(plain->PixelBytes(0, 0)[3], 0x33);
    EXPECT_EQ(vec->PixelBytes(0, 0)[3], 0x50);  // 0x10 + (0x80 * 128 >> 8)
    EXPECT_EQ(vec->PixelBytes(0, 0)[0], 0x50);
}

TEST(CrossFade, NarrowRowsUseOnlyTheTables) {
    BuildBlendTables();
    std::mt19937 rng(9);
    for (int depth : {15, 16, 32}) {
        const int width = depth == 32 ? 1 : 3;
        auto a = MakeRandomSurface(rng, width, 4, depth);
        auto b = MakeRandomSurface(rng, width, 4, depth);
        for (int p : {100, 512, 900}) {
            auto plain = FadeWhole(depth, p, 0, *a, *b);
            auto vec = FadeWhole(depth, p, kLevels[3].features, *a, *b);
            EXPECT_EQ(plain->Snapshot(), vec->Snapshot()) << "depth " << depth << " progress " << p;
        }
    }
}

TEST(CrossFade, RefusesMixedDepthsAndKeyedFirstSources) {
    std::mt19937 rng(3);
    auto a = MakeRandomSurface(rng, 8, 8, 16);
    auto b = MakeRandomSurface(rng, 8, 8, 16);
    auto b32 = MakeRandomSurface(rng, 8, 8, 32);
    auto dst = MakeFilledSurface(8, 8, 16, 0x77);
    const auto before = dst->Snapshot();
    const SPoint o{};
    const SSize s{8, 8};
    const SRect clip{0, 0, 8, 8};
    SoftFx3CrossFade(dst.get(), a.get(), b32.get(), &o, &o, &o, &s, &clip, 512);
    EXPECT_EQ(dst->Snapshot(), before);
    a->SetColorKeyEnabled(true);
    SoftFx3CrossFade(dst.get(), a.get(), b.get(), &o, &o, &o, &s, &clip, 512);
    EXPECT_EQ(dst->Snapshot(), before);
    EXPECT_EQ(dst->LockCount(), dst->UnlockCount());
}

TEST(CrossFade, ClipsTheBlockAndKeepsSourcesAligned) {
    BuildBlendTables();
    std::mt19937 rng(21);
    auto a = MakeRandomSurface(rng, 20, 10, 32);
    auto b = MakeRandomSurface(rng, 20, 10, 32);
    auto dst = MakeFilledSurface(20, 10, 32, 0x44);
    const auto before = dst->Snapshot();
    // The block starts left of the destination and runs past the first source's bottom.
    const SPoint dp{-3, 2}, ap{5, 4}, bp{1, 0};
    const SSize s{12, 9};
    const SRect clip{0, 0, 20, 10};
    CCpuFeatureOverride force(0);
    SoftFx3CrossFade(dst.get(), a.get(), b.get(), &dp, &ap, &bp, &s, &clip, 1024);
    // Kept: destination x 0..9, y 2..8 (first source rows 4..9 end at its bottom, 6 rows).
    const SRect kept{0, 2, 9, 8};
    EXPECT_EQ(CompareBlock(*dst, kept, *b, SPoint{4, 0}), "");
    EXPECT_EQ(CompareOutside(*dst, before, kept), "");
}

}  // namespace

namespace {

TEST(CrossFade, FailedLocksDrawNothingAndReleaseWhatWasTaken) {
    std::mt19937 rng(31);
    auto a = MakeRandomSurface(rng, 8, 8, 32);
    auto b = MakeRandomSurface(rng, 8, 8, 32);
    auto dst = MakeFilledSurface(8, 8, 32, 0x77);
    const auto before = dst->Snapshot();
    const SPoint o{};
    const SSize s{8, 8};
    const SRect clip{0, 0, 8, 8};
    for (CFxSurface* failing : {dst.get(), a.get(), b.get()}) {
        failing->SetLockFails(true);
        SoftFx3CrossFade(dst.get(), a.get(), b.get(), &o, &o, &o, &s, &clip, 512);
        failing->SetLockFails(false);
    }
    EXPECT_EQ(dst->Snapshot(), before);
    EXPECT_EQ(dst->LockCount(), dst->UnlockCount());
    EXPECT_EQ(a->LockCount(), a->UnlockCount());
    EXPECT_EQ(b->LockCount(), b->UnlockCount());
}

}  // namespace
