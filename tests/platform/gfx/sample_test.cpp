// The texel samplers: every kernel against a per-pixel model of the filter, and the
// SSE2 kernels against the plain ones on seeded random rows summed into one checksum.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gfx/GfxSample.h"
#include "platform/gfx/GfxSpan.h"
#include "tests/platform/gfx/GfxTestUtil.h"

namespace {

constexpr uint32_t kModes[] = {GFX_TADDRESS_WRAP, GFX_TADDRESS_MIRROR, GFX_TADDRESS_CLAMP, GFX_TADDRESS_BORDER};

// A texture with rows padded past its width (the pitch of a real surface), the pad
// filled with a colour no sample may return.
struct STexture {
    std::vector<uint32_t> store;
    SGfxTexels texels;
};

STexture MakeTexture(std::mt19937& rng, int64_t w, int64_t h) {
    STexture t;
    const int64_t pitch = w + static_cast<int64_t>(rng() % 3);
    t.store.assign(static_cast<size_t>(pitch * h + 2), 0xDEADBEEFu);
    for (int64_t j = 0; j < h; ++j) {
        for (int64_t i = 0; i < w; ++i) {
            // Many opaque and clear texels, as pictures have.
            const uint32_t kind = rng() % 4, a = kind == 0 ? 0 : kind == 1 ? 255 : (rng() & 255);
            t.store[static_cast<size_t>(j * pitch + i)] = a << 24 | (rng() & 0xFFFFFF);
        }
    }
    t.texels.rows = t.store.data();
    t.texels.pitch = pitch;
    t.texels.width = w;
    t.texels.height = h;
    t.texels.orMask = rng() % 3 == 0 ? 0xFF000000u : 0u;
    t.texels.addressU = kModes[rng() % 4];
    t.texels.addressV = kModes[rng() % 4];
    t.texels.border = rng();
    return t;
}

// The filter as the device defines it, one pixel and one channel at a time.
uint32_t ModelTexel(const SGfxTexels& t, int64_t i, int64_t j) {
    i = gfxtest::ModelAddress(i, t.width, t.addressU);
    j = gfxtest::ModelAddress(j, t.height, t.addressV);
    return i < 0 || j < 0 ? t.border : (t.rows[j * t.pitch + i] | t.orMask);
}

uint32_t ModelSample(const SGfxTexels& t, bool linear, int64_t s, int64_t tt) {
    const int64_t i = s >> 16, j = tt >> 16;
    if (!linear) return ModelTexel(t, i, j);
    const uint32_t fx = static_cast<uint32_t>(s & 0xFFFF) >> 8, fy = static_cast<uint32_t>(tt & 0xFFFF) >> 8;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto c = [&](int di, int dj) { return (ModelTexel(t, i + di, j + dj) >> shift) & 255u; };
        const uint32_t top = (c(0, 0) * (256 - fx) + c(1, 0) * fx + 128) >> 8;
        const uint32_t bottom = (c(0, 1) * (256 - fx) + c(1, 1) * fx + 128) >> 8;
        out |= ((top * (256 - fy) + bottom * fy + 128) >> 8) << shift;
    }
    return out;
}

// Steps that matter: none, tiny (runs on one texel), the wide background's 0.64 and
// its 1:1, reductions, mirrored, and anything.
int64_t PickStep(std::mt19937& rng) {
    static const int64_t kSteps[] = {0, 1, 82, 1311, 4096, 4097, 41943, 65536, 65537, 100000, 262144};
    const int64_t s = rng() % 4 == 0 ? static_cast<int64_t>(rng() % (5 * 65536)) : kSteps[rng() % 11];
    return rng() % 3 == 0 ? -s : s;
}

struct SCase {
    STexture tex;
    bool linear = false;
    int64_t S = 0, dS = 0, T = 0, dT = 0;
    int n = 0;
};

SCase RandomCase(uint32_t seed, bool rotated) {
    std::mt19937 rng(seed);
    SCase c;
    const int64_t w = 1 + rng() % 40, h = 1 + rng() % 30;
    c.tex = MakeTexture(rng, w, h);
    c.linear = rng() % 2 == 0;
    // Starting anywhere from three textures before to three after, at any fraction.
    c.S = static_cast<int64_t>(rng() % static_cast<uint32_t>(7 * w * 65536)) - 3 * w * 65536;
    c.T = static_cast<int64_t>(rng() % static_cast<uint32_t>(7 * h * 65536)) - 3 * h * 65536;
    c.dS = PickStep(rng);
    c.dT = rotated ? PickStep(rng) : 0;
    c.n = static_cast<int>(rng() % 90);
    return c;
}

void Sample(const SCase& c, bool simd, std::vector<uint32_t>* out) {
    out->assign(static_cast<size_t>(c.n) + 1, 0x5A5A5A5Au);  // one past the end stays
    GfxSetSimdEnabled(simd);
    GfxSampleAffine(c.tex.texels, c.linear, c.S, c.dS, c.T, c.dT, c.n, out->data());
    GfxSetSimdEnabled(true);
}

// Rows one after another at T + k · rowStep through one row cache, as a draw samples
// them; each row's texels appended to `out`.
void SampleRows(const SCase& c, bool simd, int64_t rowStep, int rows, std::vector<uint32_t>* out) {
    out->clear();
    CGfxRowCache cache;
    std::vector<uint32_t> scratch(static_cast<size_t>(c.n) + 1);
    GfxSetSimdEnabled(simd);
    for (int k = 0; k < rows; ++k) {
        const uint32_t* got =
            GfxSampleAffine(c.tex.texels, c.linear, c.S, c.dS, c.T + k * rowStep, 0, c.n, scratch.data(), &cache);
        out->insert(out->end(), got, got + c.n);
    }
    GfxSetSimdEnabled(true);
}

uint32_t Checksum(uint32_t h, const std::vector<uint32_t>& v) {
    for (uint32_t p : v) h = (h ^ p) * 16777619u;
    return h;
}

}  // namespace

TEST(GfxSample, EveryKernelMatchesThePerPixelModel) {
    for (bool rotated : {false, true}) {
        for (uint32_t seed = 1; seed <= 1500; ++seed) {
            const SCase c = RandomCase(seed, rotated);
            for (bool simd : {false, true}) {
                if (simd && !GfxIsSimdEnabled()) continue;
                std::vector<uint32_t> got;
                Sample(c, simd, &got);
                for (int i = 0; i < c.n; ++i) {
                    const uint32_t want = ModelSample(c.tex.texels, c.linear, c.S + i * c.dS, c.T + i * c.dT);
                    ASSERT_EQ(got[static_cast<size_t>(i)], want)
                        << "seed " << seed << (rotated ? " rotated" : "") << (simd ? " sse2" : " plain") << " pixel " << i
                        << (c.linear ? " linear" : " point") << " modes " << c.tex.texels.addressU << "/"
                        << c.tex.texels.addressV << " S " << c.S << " dS " << c.dS << " T " << c.T << " dT " << c.dT;
                }
                ASSERT_EQ(got.back(), 0x5A5A5A5Au) << "seed " << seed << " wrote past the row";
            }
        }
    }
}

// The row cache: rows of an unrotated draw stepping down the texture by an
// enlargement's, 1:1's or a reduction's step (rows sharing texture rows, rows moving
// on by one or two), each row as the model filters it.
TEST(GfxSample, CachedRowsMatchThePerPixelModel) {
    static const int64_t kRowSteps[] = {0, 41943, 65536, 77672, 131072, 200000, -65536, -30000};
    for (uint32_t seed = 1; seed <= 800; ++seed) {
        SCase c = RandomCase(seed + 9000, false);
        c.linear = true;
        const int64_t rowStep = kRowSteps[seed % 8];
        for (bool simd : {false, true}) {
            if (simd && !GfxIsSimdEnabled()) continue;
            std::vector<uint32_t> got;
            SampleRows(c, simd, rowStep, 9, &got);
            for (int k = 0; k < 9; ++k) {
                for (int i = 0; i < c.n; ++i) {
                    const uint32_t want = ModelSample(c.tex.texels, true, c.S + i * c.dS, c.T + k * rowStep);
                    ASSERT_EQ(got[static_cast<size_t>(k * c.n + i)], want)
                        << "seed " << seed << (simd ? " sse2" : " plain") << " row " << k << " pixel " << i << " modes "
                        << c.tex.texels.addressU << "/" << c.tex.texels.addressV << " S " << c.S << " dS " << c.dS
                        << " T " << c.T << " row step " << rowStep;
                }
            }
        }
    }
}

// The ways GfxSampleAffine takes with SSE2, each given an equal share of the seeds
// below (a plain random case reaches some of them rarely: a 1:1 linear row, say, in
// about one seed in a hundred).
enum class ESamplePath {
    RotatedLinear,     // the affine filter, four pixels a step
    PointRuns,         // unrotated point sampling of small steps: runs of one texel
    PointGather,       // unrotated point sampling of larger steps: four texels gathered
    LinearOneToOne,    // unrotated filter at one texel a pixel: two overlapping loads
    LinearPlanned,     // unrotated filter at other steps: columns planned per row
    LinearCachedRows,  // rows after rows through one row cache, any step
    kCount
};

int64_t PickStepFor(ESamplePath path, std::mt19937& rng) {
    static const int64_t kSmall[] = {0, 1, 82, 1311, 4096};
    static const int64_t kLarge[] = {4097, 41943, 65537, 100000, 262144};
    static const int64_t kOther[] = {1, 1311, 4096, 41943, 65537, 100000, 262144};
    const bool random = rng() % 4 == 0;
    const int64_t sign = rng() % 3 == 0 ? -1 : 1;
    switch (path) {
    case ESamplePath::PointRuns: return sign * (random ? static_cast<int64_t>(rng() % 4097) : kSmall[rng() % 5]);
    case ESamplePath::PointGather:
        return sign * (random ? 4097 + static_cast<int64_t>(rng() % (4 * 65536)) : kLarge[rng() % 5]);
    case ESamplePath::LinearOneToOne: return 65536;
    case ESamplePath::LinearPlanned: {
        const int64_t step = random ? static_cast<int64_t>(rng() % (5 * 65536)) : kOther[rng() % 7];
        return step == 65536 ? -step : sign * step;
    }
    default: return PickStep(rng);
    }
}

// Long rows on larger textures, the shape of the screens' draws, compared as one
// checksum over every seed (a difference anywhere changes it), then seed by seed to
// name the first that differs.
TEST(GfxSample, Sse2MatchesPlainOverSeededRowsBitForBit) {
    if (!GfxIsSimdEnabled()) GTEST_SKIP() << "no SSE2";
    constexpr int kPaths = static_cast<int>(ESamplePath::kCount);
    uint32_t plainSum = 2166136261u, simdSum = 2166136261u;
    std::vector<uint32_t> plain, simd;
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        const auto path = static_cast<ESamplePath>(seed % kPaths);
        const bool rotated = path == ESamplePath::RotatedLinear;
        SCase c = RandomCase(seed + 50000, rotated);
        std::mt19937 rng(seed);
        const int64_t w = 64 + rng() % 600, h = 2 + rng() % 40;
        c.tex = MakeTexture(rng, w, h);
        c.S = static_cast<int64_t>(rng() % static_cast<uint32_t>(3 * w * 65536)) - w * 65536;
        c.n = 1 + static_cast<int>(rng() % 800);
        c.linear = !(path == ESamplePath::PointRuns || path == ESamplePath::PointGather);
        if (!rotated) {
            c.dT = 0;
            c.dS = PickStepFor(path, rng);
        }
        if (path == ESamplePath::LinearCachedRows) {
            if (rng() % 2 == 0) c.dS = 65536;
            SampleRows(c, false, 41943 + static_cast<int64_t>(seed), 4, &plain);
            SampleRows(c, true, 41943 + static_cast<int64_t>(seed), 4, &simd);
        } else {
            Sample(c, false, &plain);
            Sample(c, true, &simd);
        }
        plainSum = Checksum(plainSum, plain);
        simdSum = Checksum(simdSum, simd);
        ASSERT_EQ(plain, simd) << "seed " << seed << " path " << static_cast<int>(path);
    }
    EXPECT_EQ(plainSum, simdSum);
}

// The row kernels themselves at the cases the screens draw most: a row whose second
// texture row weighs 0 (the band drawn 1:1), rows in the border, and a row of one
// texel stretched across a screen.
TEST(GfxSample, RowKernelsAgreeAtTheirShortcuts) {
    std::mt19937 rng(11);
    STexture t = MakeTexture(rng, 37, 5);
    t.texels.addressU = GFX_TADDRESS_WRAP;
    struct SRow {
        const char* what;
        int64_t T;
        uint32_t addressV;
        bool linear;
        int64_t S, dS;
    };
    const SRow rows[] = {
        {"second row weighs 0", 2 << 16, GFX_TADDRESS_CLAMP, true, 12345, 65536},
        {"first row in the border", -(1 << 16) + 77 * 256, GFX_TADDRESS_BORDER, true, 5000, 41943},
        {"both rows in the border", 9 << 16, GFX_TADDRESS_BORDER, true, 5000, 41943},
        {"point row in the border", -(3 << 16), GFX_TADDRESS_BORDER, false, 0, 1311},
        {"one texel across the row", 1 << 16, GFX_TADDRESS_CLAMP, false, 41, 82},
        {"runs of equal texels, wrapping", 3 << 16, GFX_TADDRESS_WRAP, false, -(40 << 16), 1311},
        {"runs stepping backwards", 3 << 16, GFX_TADDRESS_MIRROR, false, 90 << 16, -1000},
    };
    for (const SRow& r : rows) {
        t.texels.addressV = r.addressV;
        const SGfxTexelRow row = GfxTexelRowAt(t.texels, r.T, r.linear);
        std::vector<uint32_t> plain(800), simd(800);
        if (r.linear) {
            GfxSampleRowLinearScalar(row, r.S, r.dS, 800, plain.data());
            CGfxRowCache cache;
            const uint32_t* texels = cache.SampleLinear(t.texels, r.S, r.dS, r.T, 800, simd.data());
            std::copy(texels, texels + 800, simd.begin());
        } else {
            GfxSampleRowPointScalar(row, r.S, r.dS, 800, plain.data());
            GfxSampleRowPointSse2(row, r.S, r.dS, 800, simd.data());
        }
        for (int i = 0; i < 800; ++i) {
            ASSERT_EQ(plain[static_cast<size_t>(i)], ModelSample(t.texels, r.linear, r.S + i * r.dS, r.T))
                << r.what << " pixel " << i;
        }
        EXPECT_EQ(plain, simd) << r.what;
    }
}
