#include <gtest/gtest.h>

#include "engine/image/MaskImage.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxRuleImages.h"
#include "engine/soft/effect/SoftFxRuleWipe.h"
#include "tests/engine/soft/effect/single/EffectTestUtil.h"

using namespace fxtest;

namespace {

std::vector<int> Weights(unsigned t, int opacity, int progress) {
    uint8_t w[256];
    SoftFxBuildRuleWeights(w, t, opacity, progress);
    return std::vector<int>(w, w + 256);
}

// The weight formula written out on its own.
int ModelWeight(int t, int o, int p, int r) {
    const int level = ((t + 256) * p) / 1024;
    const int q = (level * 256 - r * 256) / (t + 1);
    return std::clamp(q + o - 255, 0, 255);
}

void FillRule(CMaskImage& rule, int w, int h, uint32_t seed, int threshold) {
    ASSERT_TRUE(rule.Create(w, h));
    std::mt19937 rng(seed);
    for (int i = 0; i < rule.GetPitch() * h; ++i) rule.GetBits()[i] = static_cast<uint8_t>(rng());
    rule.SetThreshold(threshold);
}

// The wipe of one pixel, written against the blend primitives.
void ModelPixel(int depth, int kind, uint8_t* d, const uint8_t* s, int weight, int alpha, uint32_t key) {
    int a = weight;
    if (kind == 1) {
        uint32_t v = 0;
        std::memcpy(&v, s, BytesPerPixel(depth));
        if (depth == 24) v &= 0xFFFFFF;
        if (v == key) return;
    } else if (kind == 2) {
        a = weight + alpha - 255;
        if (a <= 0) return;
    }
    switch (depth) {
    case 15: BlendPixel15(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(s), uint8_t(a)); break;
    case 16: BlendPixel16(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(s), uint8_t(a)); break;
    case 24: BlendPixel24(d, s, uint8_t(a)); break;
    default: BlendPixel32(d, s, uint8_t(a)); break;
    }
}

// The packed key of a surface's colour key, as the kernels take it.
uint32_t KernelKey(int depth, uint32_t colour) {
    const uint8_t bgr[3] = {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
    uint16_t px = 0;
    if (depth == 15) return PackRGB555(&px, bgr);
    if (depth == 16) return PackRGB565(&px, bgr);
    return depth == 24 ? (colour & 0xFFFFFF) : colour;
}

// The wipe pixel by pixel in order on raw memory; src may lie in the same buffer as dst.
void ModelWipe(int depth, int kind, uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch,
               const uint8_t* alpha, int alphaPitch, uint32_t key, const CMaskImage& rule, SPoint dp, SRect sr,
               SPoint origin, int opacity, int progress) {
    uint8_t w[256];
    SoftFxBuildRuleWeights(w, rule.GetThreshold(), opacity, progress);
    const int bpp = BytesPerPixel(depth);
    for (int j = 0; j < sr.bottom - sr.top; ++j) {
        for (int i = 0; i < sr.right - sr.left; ++i) {
            const int m = rule.GetBits()[(dp.y - origin.y + j) * rule.GetPitch() + dp.x - origin.x + i];
            const int a = kind == 2 ? alpha[(sr.top + j) * alphaPitch + sr.left + i] : 255;
            ModelPixel(depth, kind, dst + (dp.y + j) * dstPitch + (dp.x + i) * bpp,
                       src + (sr.top + j) * srcPitch + (sr.left + i) * bpp, w[m], a, key);
        }
    }
}

void Wipe(const SoftFxRuleRef& ref, int kind, CTestSurface* dst, CTestSurface* src, SPoint dp, SRect sr,
          SPoint origin, int opacity, int progress) {
    if (kind == 0) ref.SoftFxRuleWipeOpaque(dst, src, &dp, &sr, &origin, opacity, progress);
    if (kind == 1) ref.SoftFxRuleWipeColorKey(dst, src, &dp, &sr, &origin, opacity, progress);
    if (kind == 2) ref.SoftFxRuleWipeAlpha(dst, src, &dp, &sr, &origin, opacity, progress);
}

}  // namespace

TEST(SoftFxRuleWeights, ExactCases) {
    auto w = Weights(15, 255, 512);
    EXPECT_EQ(w[119], 255);
    EXPECT_EQ(w[120], 240);
    EXPECT_EQ(w[127], 128);
    EXPECT_EQ(w[134], 16);
    EXPECT_EQ(w[135], 0);
    EXPECT_EQ(w[255], 0);

    w = Weights(2, 255, 100);
    EXPECT_EQ(w[22], 255);
    EXPECT_EQ(w[23], 170);
    EXPECT_EQ(w[24], 85);
    EXPECT_EQ(w[25], 0);
    w = Weights(2, 200, 100);
    EXPECT_EQ(w[21], 255);
    EXPECT_EQ(w[22], 201);
    EXPECT_EQ(w[23], 115);
    EXPECT_EQ(w[24], 30);
    EXPECT_EQ(w[25], 0);

    w = Weights(255, 100, 1024);
    EXPECT_EQ(w[101], 255);
    EXPECT_EQ(w[255], 101);
    EXPECT_EQ(w[200], 156);
}

TEST(SoftFxRuleWeights, HardEdgeAndLimits) {
    for (int p : {0, 4, 100, 512, 1020, 1024}) {
        const auto w = Weights(0, 255, p);
        for (int r = 0; r < 256; ++r) EXPECT_EQ(w[r], r < p / 4 ? 255 : 0) << "p " << p << " r " << r;
    }
    for (int o : {0, 100, 255}) {
        for (int r = 0; r < 256; ++r) EXPECT_EQ(Weights(77, o, 0)[r], 0);
    }
    for (int r = 0; r < 256; ++r) EXPECT_EQ(Weights(255, 255, 1024)[r], 255);
    // Out-of-range arguments are held, not wrapped.
    EXPECT_EQ(Weights(40, 300, 5000), Weights(40, 255, 1024));
    EXPECT_EQ(Weights(40, -3, -10), Weights(40, 0, 0));
    for (int t : {0, 1, 15, 128, 255})
        for (int o : {0, 1, 128, 255})
            for (int p : {0, 1, 333, 1023, 1024})
                for (int r = 0; r < 256; r += 17) ASSERT_EQ(Weights(t, o, p)[r], ModelWeight(t, o, p, r));
}

// Every depth and kind on seeded random pictures against the per-pixel model, with a
// width that is not a multiple of 8 and odd pitches.
TEST(SoftFxRuleWipeKernels, MatchModelOnRandomPictures) {
    BuildBlendTables();
    uint64_t sum = 0;
    for (int depth : kDepths) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int progress : {0, 300, 512, 1024}) {
                for (int opacity : {0, 100, 255}) {
                    const uint32_t seed = uint32_t(depth * 1000 + kind * 100 + progress + opacity);
                    SCOPED_TRACE("seed " + std::to_string(seed));
                    auto dst = MakeRandom(29, 13, depth, seed, 29 * BytesPerPixel(depth) + 12);
                    auto src = MakeRandom(23, 11, depth, seed + 1);
                    if (kind == 1) {
                        src->SetColorKeyEnabled(true);
                        // Make some source pixels the key.
                        const uint32_t key = 0x00F8FC08;
                        src->SetColorKey(key);
                        for (int x = 0; x < 23; x += 3) src->SetPixel(x, x % 11, key);
                    } else if (kind == 2) {
                        src->MakeAlphaPlane(27);
                        src->SetAlphaEnabled(true);
                        FillAlphaRandom(*src, seed + 2);
                    }
                    CMaskImage rule;
                    FillRule(rule, 40, 30, seed + 3, 31);
                    const SPoint dp{3, 1};
                    const SRect sr{2, 1, 21, 11};
                    const SPoint origin{1, 0};
                    auto expected = Snapshot(*dst);
                    uint8_t w[256];
                    SoftFxBuildRuleWeights(w, rule.GetThreshold(), opacity, progress);
                    uint32_t key = 0;
                    if (kind == 1) {
                        uint32_t c = src->GetColorKey();
                        const uint8_t bgr[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
                        uint16_t px = 0;
                        key = depth == 15 ? PackRGB555(&px, bgr) : depth == 16 ? PackRGB565(&px, bgr)
                                                               : depth == 24 ? (c & 0xFFFFFF) : c;
                    }
                    const int bpp = BytesPerPixel(depth);
                    for (int j = 0; j < sr.bottom - sr.top; ++j) {
                        for (int i = 0; i < sr.right - sr.left; ++i) {
                            const int m = rule.GetBits()[(dp.y - origin.y + j) * rule.GetPitch() + dp.x - origin.x + i];
                            uint8_t* d = expected.data() + (dp.y + j) * dst->GetPitch() + (dp.x + i) * bpp;
                            const uint8_t* s = src->Bytes().data() + (sr.top + j) * src->GetPitch() + (sr.left + i) * bpp;
                            const int alpha = kind == 2 ? src->AlphaBytes()[(sr.top + j) * 27 + sr.left + i] : 255;
                            ModelPixel(depth, kind, d, s, w[m], alpha, key);
                        }
                    }
                    const SoftFxRuleRef ref{&rule};
                    if (kind == 0) ref.SoftFxRuleWipeOpaque(dst.get(), src.get(), &dp, &sr, &origin, opacity, progress);
                    if (kind == 1) ref.SoftFxRuleWipeColorKey(dst.get(), src.get(), &dp, &sr, &origin, opacity, progress);
                    if (kind == 2) ref.SoftFxRuleWipeAlpha(dst.get(), src.get(), &dp, &sr, &origin, opacity, progress);
                    ASSERT_EQ(dst->Bytes(), expected);
                    ASSERT_TRUE(dst->GuardsIntact());
                    if (progress == 0) {
                        ASSERT_EQ(dst->Bytes(), Snapshot(*MakeRandom(29, 13, depth, seed, 29 * bpp + 12)));
                    }
                    sum += Checksum(dst->Bytes());
                }
            }
        }
    }
    EXPECT_NE(sum, 0u);
}

// Rows wide enough for whole vector groups, sources that equal the destination at about
// half the pixels (a mix of equal pixels must not be written), and a smooth rule whose
// groups are wholly hidden, wholly shown or mixed; every depth and kind.
TEST(SoftFxRuleWipeKernels, WideRowsWithEqualPixelsMatchModel) {
    BuildBlendTables();
    constexpr int kW = 75, kH = 6;
    uint64_t sum = 0;
    for (int depth : kDepths) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int progress : {256, 512, 900}) {
                for (int opacity : {255, 180}) {
                    const uint32_t seed = uint32_t(depth * 1000 + kind * 100 + progress + opacity);
                    SCOPED_TRACE("seed " + std::to_string(seed));
                    auto dst = MakeRandom(kW, kH, depth, seed);
                    auto src = MakeRandom(kW, kH, depth, seed + 1);
                    std::mt19937 rng(seed);
                    const int bpp = BytesPerPixel(depth);
                    // Source pixel x meets destination pixel x + 1.
                    for (int y = 0; y < kH; ++y)
                        for (int x = 0; x + 1 < kW; ++x)
                            if (rng() % 2) std::memcpy(src->Bytes().data() + y * src->GetPitch() + x * bpp,
                                                       dst->Bytes().data() + y * dst->GetPitch() + (x + 1) * bpp, bpp);
                    uint32_t key = 0;
                    if (kind == 1) {
                        src->SetColorKeyEnabled(true);
                        src->SetColorKey(0x00F8FC08);
                        for (int x = 0; x < kW; x += 5) src->SetPixel(x, x % kH, 0x00F8FC08);
                        key = KernelKey(depth, src->GetColorKey());
                    } else if (kind == 2) {
                        src->MakeAlphaPlane(kW);
                        src->SetAlphaEnabled(true);
                        FillAlphaRandom(*src, seed + 2);
                    }
                    CMaskImage rule;
                    ASSERT_TRUE(rule.Create(kW, kH));
                    for (int y = 0; y < kH; ++y)
                        for (int x = 0; x < kW; ++x)
                            rule.GetBits()[y * rule.GetPitch() + x] = static_cast<uint8_t>(x * 3 + y * 7 + rng() % 4);
                    rule.SetThreshold(24);
                    const SPoint dp{1, 0}, origin{0, 0};
                    const SRect sr{0, 0, kW - 1, kH};
                    auto expected = Snapshot(*dst);
                    ModelWipe(depth, kind, expected.data(), dst->GetPitch(), src->Bytes().data(), src->GetPitch(),
                              kind == 2 ? src->AlphaBytes().data() : nullptr, kW, key, rule, dp, sr, origin, opacity,
                              progress);
                    Wipe(SoftFxRuleRef{&rule}, kind, dst.get(), src.get(), dp, sr, origin, opacity, progress);
                    ASSERT_EQ(dst->Bytes(), expected);
                    sum += Checksum(dst->Bytes());
                }
            }
        }
    }
    EXPECT_NE(sum, 0u);
}

// A surface wiped onto itself one pixel to the right: each pixel reads the one the wipe
// has just written, as in order.
TEST(SoftFxRuleWipeKernels, SurfaceOntoItselfMatchesTheInOrderModel) {
    BuildBlendTables();
    for (int depth : kDepths) {
        for (int kind = 0; kind < 2; ++kind) {
            SCOPED_TRACE(std::to_string(depth) + " kind " + std::to_string(kind));
            auto s = MakeRandom(40, 4, depth, uint32_t(depth + kind));
            uint32_t key = 0;
            if (kind == 1) {
                s->SetColorKeyEnabled(true);
                s->SetColorKey(0);
                for (int x = 0; x < 40; x += 3) s->SetPixel(x, 1, 0);
                key = KernelKey(depth, 0);
            }
            CMaskImage rule;
            FillRule(rule, 40, 4, 5, 40);
            const SPoint dp{1, 0}, origin{0, 0};
            const SRect sr{0, 0, 39, 4};
            auto expected = Snapshot(*s);
            ModelWipe(depth, kind, expected.data(), s->GetPitch(), expected.data(), s->GetPitch(), nullptr, 0, key,
                      rule, dp, sr, origin, 255, 600);
            Wipe(SoftFxRuleRef{&rule}, kind, s.get(), s.get(), dp, sr, origin, 255, 600);
            ASSERT_EQ(s->Bytes(), expected);
        }
    }
}

TEST(SoftFxRuleWipeKernels, FullProgressCopiesOpaqueSource) {
    for (int depth : kDepths) {
        auto dst = MakeRandom(16, 8, depth, 5);
        auto src = MakeRandom(16, 8, depth, 6);
        CMaskImage rule;
        FillRule(rule, 16, 8, 7, 200);
        const SPoint p{0, 0};
        const SRect r{0, 0, 16, 8};
        SoftFxRuleRef{&rule}.SoftFxRuleWipeOpaque(dst.get(), src.get(), &p, &r, &p, 255, 1024);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) ASSERT_TRUE(SamePixel(dst->Bytes(), src->Bytes(), *dst, x, y)) << depth;
    }
}

TEST(SoftFxRuleWipeKernels, ThirtyTwoBitKeyComparesTheFourthByte) {
    auto dst = std::make_unique<CTestSurface>(2, 1, 32);
    auto src = std::make_unique<CTestSurface>(2, 1, 32);
    src->SetColorKeyEnabled(true);
    src->SetColorKey(0x00112233);
    const uint32_t keyed = 0x00112233, marked = 0x01112233;
    std::memcpy(src->Bytes().data(), &keyed, 4);
    std::memcpy(src->Bytes().data() + 4, &marked, 4);
    CMaskImage rule;
    FillRule(rule, 2, 1, 1, 0);
    std::memset(rule.GetBits(), 0, 4);
    const SPoint p{0, 0};
    const SRect r{0, 0, 2, 1};
    SoftFxRuleRef{&rule}.SoftFxRuleWipeColorKey(dst.get(), src.get(), &p, &r, &p, 255, 1024);
    uint32_t out[2];
    std::memcpy(out, dst->Bytes().data(), 8);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], marked);
}

TEST(SoftFxRuleWipeKernels, DispatcherRefusesWhatTheKernelsCannotTrust) {
    auto dst = MakeRandom(8, 8, 16, 1);
    auto src = MakeRandom(8, 8, 16, 2);
    auto other = MakeRandom(8, 8, 32, 3);
    CMaskImage rule;
    FillRule(rule, 4, 4, 4, 10);
    const auto before = Snapshot(*dst);
    const SPoint p{0, 0};
    const SRect big{0, 0, 8, 8};  // wider than the rule image
    const SRect small{0, 0, 4, 4};
    const SPoint far{6, 6};       // outside the destination
    const SoftFxRuleRef ref{&rule};
    ref.SoftFxRuleWipeOpaque(dst.get(), src.get(), &p, &big, &p, 255, 1024);
    ref.SoftFxRuleWipeOpaque(dst.get(), src.get(), &far, &small, &far, 255, 1024);
    ref.SoftFxRuleWipeOpaque(dst.get(), other.get(), &p, &small, &p, 255, 1024);
    ref.SoftFxRuleWipeAlpha(dst.get(), src.get(), &p, &small, &p, 255, 1024);  // no alpha plane
    SoftFxRuleRef{nullptr}.SoftFxRuleWipeOpaque(dst.get(), src.get(), &p, &small, &p, 255, 1024);
    EXPECT_EQ(dst->Bytes(), before);
    // Every lock taken was released.
    EXPECT_EQ(dst->LockCount(), dst->UnlockCount());
    EXPECT_EQ(src->LockCount(), src->UnlockCount());
    // An empty rectangle draws nothing, though both surfaces are locked and released.
    const int locksBefore = src->LockCount();
    const SRect empty{2, 2, 2, 4};
    ref.SoftFxRuleWipeOpaque(dst.get(), src.get(), &p, &empty, &p, 255, 1024);
    EXPECT_EQ(src->LockCount(), locksBefore + 1);
    EXPECT_EQ(src->UnlockCount(), src->LockCount());
    EXPECT_EQ(dst->Bytes(), before);
    // A failing lock draws nothing.
    src->SetLockFails(true);
    ref.SoftFxRuleWipeOpaque(dst.get(), src.get(), &p, &small, &p, 255, 1024);
    EXPECT_EQ(dst->Bytes(), before);
    EXPECT_EQ(dst->LockCount(), dst->UnlockCount());
}

// Mode 4 through the blitter and the library's rule image.
TEST(SoftFxRuleWipeEffect, NarrowRuleDrawsOnlyItsWidthAndReportsTheBlit) {
    CMaskImage& rule = GetEffectRuleImage();
    FillRule(rule, 5, 20, 9, 0);
    std::memset(rule.GetBits(), 0, static_cast<size_t>(rule.GetPitch()) * 20);
    for (int depth : kDepths) {
        auto dst = MakeRandom(20, 12, depth, 10);
        auto src = MakeRandom(12, 12, depth, 11);
        const auto before = Snapshot(*dst);
        const SPoint p{4, 2};
        const SRect sr{0, 0, 10, 6};
        const SRect clip{0, 0, 20, 12};
        CSurfaceEffectBlitter().DrawEffect(4, dst.get(), src.get(), &p, &sr, &clip, 255, 1024);
        for (int y = 2; y < 8; ++y) {
            for (int x = 4; x < 9; ++x) ASSERT_TRUE(PixelsEqual(*dst, x, y, *src, x - 4, y - 2)) << depth;
        }
        ASSERT_EQ(dst->notes.size(), 1u);
        EXPECT_EQ(dst->notes[0].drawn, (SRect{4, 2, 14, 8}));
        EXPECT_EQ(ChangesOutside(before, *dst, SRect{4, 2, 9, 8}), "");
    }
    ReleaseEffectRuleImages();
    // Without a rule image the wipe draws nothing but still reports.
    auto dst = MakeRandom(8, 8, 32, 1);
    auto src = MakeRandom(8, 8, 32, 2);
    const auto before = Snapshot(*dst);
    const SPoint p{0, 0};
    const SRect sr{0, 0, 8, 8};
    CSurfaceEffectBlitter().DrawEffect(4, dst.get(), src.get(), &p, &sr, &sr, 255, 1024);
    EXPECT_EQ(dst->Bytes(), before);
    EXPECT_EQ(dst->notes.size(), 1u);
}
