// Both filters, every kind, depth and opacity variant, on seeded random pictures against
// the scalar model: random sizes and odd pitches, rectangles reaching past both
// surfaces, clips of every kind.  A failure names its seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/stretch/StretchModel.h"
#include "tests/engine/soft/stretch/StretchTestSurface.h"

namespace stretch_test {
namespace {

const char* KindName(EKind k) {
    switch (k) {
    case EKind::Opaque: return "Opaque";
    case EKind::ColorKey: return "ColorKey";
    case EKind::Alpha: return "Alpha";
    default: return "AlphaToAlpha";
    }
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes, uint64_t h) {
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

struct SCase {
    uint32_t seed = 0;
    EFilter filter = EFilter::Nearest;
    EKind kind = EKind::Opaque;
    int depth = 32;
    int opacity = 255;
    SRect dest, source, clip;
    std::unique_ptr<CStretchTestSurface> dst, src;

    std::string Describe() const {
        std::ostringstream o;
        o << "seed " << seed << " " << (filter == EFilter::Nearest ? "Nearest" : "Bilinear") << KindName(kind)
          << depth << " opacity " << opacity << " dst " << dst->GetSize().cx << "x" << dst->GetSize().cy << " pitch "
          << dst->GetPitch() << " src " << src->GetSize().cx << "x" << src->GetSize().cy << " pitch "
          << src->GetPitch() << " destRect {" << dest.left << "," << dest.top << "," << dest.right << ","
          << dest.bottom << "} sourceRect {" << source.left << "," << source.top << "," << source.right << ","
          << source.bottom << "} clip {" << clip.left << "," << clip.top << "," << clip.right << "," << clip.bottom
          << "}";
        return o.str();
    }
};

// Pixel bytes biased to 0x00 and 0xFF, with a small palette that repeats (so that keys
// and equal-pixel shortcuts are hit).
void FillRandom(std::vector<uint8_t>& v, size_t n, std::mt19937& rng, int bytesPerPixel) {
    const uint8_t palette[4][4] = {{0, 0, 0, 0}, {255, 255, 255, 255}, {0x12, 0x34, 0x56, 0x78}, {0xF8, 0, 0xF8, 0}};
    for (size_t i = 0; i < n;) {
        const unsigned r = rng() % 8;
        if (r < 3 && i + size_t(bytesPerPixel) <= n) {
            const uint8_t* p = palette[rng() % 4];
            for (int b = 0; b < bytesPerPixel; ++b) v[i++] = p[b];
            continue;
        }
        const unsigned x = rng() % 8;
        v[i++] = x == 0 ? 0 : (x == 1 ? 255 : static_cast<uint8_t>(rng()));
    }
}

void FillAlphaRandom(std::vector<uint8_t>& v, size_t n, std::mt19937& rng) {
    for (size_t i = 0; i < n; ++i) {
        const unsigned x = rng() % 6;
        v[i] = x == 0 ? 0 : (x == 1 ? 255 : (x == 2 ? 128 : static_cast<uint8_t>(rng())));
    }
}

int Uniform(std::mt19937& rng, int lo, int hi) { return lo + static_cast<int>(rng() % uint32_t(hi - lo + 1)); }

SRect RandomRect(std::mt19937& rng, int w, int h, int maxExtentFactor) {
    const int width = rng() % 16 == 0 ? 1 : Uniform(rng, 2, std::max(2, w * maxExtentFactor));
    const int height = rng() % 16 == 0 ? 1 : Uniform(rng, 2, std::max(2, h * maxExtentFactor));
    const int left = Uniform(rng, -w / 4 - 2, w * 3 / 4);
    const int top = Uniform(rng, -h / 4 - 2, h * 3 / 4);
    return SRect{left, top, left + width, top + height};
}

SCase MakeCase(uint32_t seed, EFilter filter, EKind kind, int depth, bool blend) {
    std::mt19937 rng(seed);
    SCase c;
    c.seed = seed;
    c.filter = filter;
    c.kind = kind;
    c.depth = depth;
    const int kOpacities[] = {0, 1, 127, 128, 200, 254};
    c.opacity = blend ? (rng() % 4 == 0 ? Uniform(rng, 0, 254) : kOpacities[rng() % 6]) : 255;
    const bool big = rng() % 16 == 0;
    const int dw = Uniform(rng, 1, big ? 200 : 40), dh = Uniform(rng, 1, big ? 120 : 40);
    const int sw = Uniform(rng, 1, big ? 200 : 40), sh = Uniform(rng, 1, big ? 120 : 40);
    const int bpp = BytesPerPixel(depth);
    c.dst = std::make_unique<CStretchTestSurface>(dw, dh, depth, dw * bpp + Uniform(rng, 0, 9));
    c.src = std::make_unique<CStretchTestSurface>(sw, sh, depth, sw * bpp + Uniform(rng, 0, 9));
    FillRandom(c.dst->Bytes(), c.dst->PixelAreaSize(), rng, bpp);
    FillRandom(c.src->Bytes(), c.src->PixelAreaSize(), rng, bpp);
    if (kind == EKind::Alpha || kind == EKind::AlphaToAlpha) {
        c.src->MakeAlphaPlane(sw + Uniform(rng, 0, 5));
        c.src->SetAlphaEnabled(true);
        FillAlphaRandom(c.src->AlphaBytes(), c.src->AlphaAreaSize(), rng);
    }
    if (kind == EKind::AlphaToAlpha) {
        c.dst->MakeAlphaPlane(dw + Uniform(rng, 0, 5));
        c.dst->SetAlphaEnabled(true);
        FillAlphaRandom(c.dst->AlphaBytes(), c.dst->AlphaAreaSize(), rng);
    }
    if (kind == EKind::ColorKey) {
        c.src->SetColorKeyEnabled(true);
        // Usually the colour of some source pixel, so that keyed pixels occur.
        const uint32_t raw = c.src->Raw(Uniform(rng, 0, sw - 1), Uniform(rng, 0, sh - 1));
        uint32_t key = raw;
        if (depth == 15) key = Expand555To888(uint16_t(raw));
        if (depth == 16) key = Expand565To888(uint16_t(raw));
        if (rng() % 5 == 0) key = rng();
        c.src->SetColorKey(key);
    }
    // Mostly upscales and downscales of modest factors, now and then anything.
    c.dest = RandomRect(rng, dw, dh, 2);
    c.source = RandomRect(rng, sw, sh, 2);
    switch (rng() % 4) {
    case 0: c.clip = SRect{0, 0, dw, dh}; break;
    case 1: c.clip = RandomRect(rng, dw, dh, 1); break;
    case 2: c.clip = SRect{-5, -5, dw + 5, dh + 5}; break;
    default: {
        // Any sub-rectangle, empty ones included.
        int x0 = Uniform(rng, 0, dw), x1 = Uniform(rng, 0, dw), y0 = Uniform(rng, 0, dh), y1 = Uniform(rng, 0, dh);
        c.clip = SRect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
        break;
    }
    }
    return c;
}

uint32_t ModelKey(const SCase& c) {
    const uint32_t key = c.src->GetColorKey();
    uint8_t bgr[3] = {uint8_t(key), uint8_t(key >> 8), uint8_t(key >> 16)};
    if (c.depth == 15) return uint32_t(((bgr[2] & 0xF8) << 7) | ((bgr[1] & 0xF8) << 2) | (bgr[0] >> 3));
    if (c.depth == 16) return uint32_t(((bgr[2] & 0xF8) << 8) | ((bgr[1] & 0xFC) << 3) | (bgr[0] >> 3));
    if (c.depth == 24) return key & 0xFFFFFF;
    return key;
}

struct SComboResult {
    int failures = 0;
    int changed = 0;
    uint64_t kernelSum = 1469598103934665603ull;
    uint64_t modelSum = 1469598103934665603ull;
};

SComboResult RunCombo(EFilter filter, EKind kind, int depth, bool blend, uint32_t firstSeed, int count) {
    SComboResult result;
    for (int n = 0; n < count; ++n) {
        const uint32_t seed = firstSeed + uint32_t(n);
        SCase c = MakeCase(seed, filter, kind, depth, blend);
        std::vector<uint8_t> expected = c.dst->Bytes();
        std::vector<uint8_t> expectedAlpha = c.dst->AlphaBytes();
        const std::vector<uint8_t> before = expected;
        const std::vector<uint8_t> srcBefore = c.src->Bytes();
        const std::vector<uint8_t> srcAlphaBefore = c.src->AlphaBytes();

        SModelRequest r{filter, kind, depth, c.opacity, ModelKey(c), c.dest, c.source, c.clip};
        SModelImage mi{expected.data(), c.dst->GetPitch(), expectedAlpha.empty() ? nullptr : expectedAlpha.data(),
                       c.dst->GetAlphaPitch(), c.dst->GetSize()};
        std::vector<uint8_t> srcCopy = srcBefore, srcAlphaCopy = srcAlphaBefore;
        SModelImage ms{srcCopy.data(), c.src->GetPitch(), srcAlphaCopy.empty() ? nullptr : srcAlphaCopy.data(),
                       c.src->GetAlphaPitch(), c.src->GetSize()};
        ModelStretch(r, mi, ms);

        if (filter == EFilter::Nearest) {
            SoftStretchNearest(c.dst.get(), c.src.get(), &c.dest, &c.source, &c.clip, c.opacity, 0);
        } else {
            SoftStretchBilinear(c.dst.get(), c.src.get(), &c.dest, &c.source, &c.clip, c.opacity, 0);
        }
        result.kernelSum = Fnv1a(c.dst->AlphaBytes(), Fnv1a(c.dst->Bytes(), result.kernelSum));
        result.modelSum = Fnv1a(expectedAlpha, Fnv1a(expected, result.modelSum));
        if (c.dst->Bytes() != before) ++result.changed;
        const bool ok = c.dst->Bytes() == expected && c.dst->AlphaBytes() == expectedAlpha &&
                        c.src->Bytes() == srcBefore && c.src->AlphaBytes() == srcAlphaBefore &&
                        c.dst->GuardsIntact() && c.src->GuardsIntact();
        if (!ok) {
            ++result.failures;
            if (result.failures <= 3) {
                size_t at = 0;
                while (at < expected.size() && c.dst->Bytes()[at] == expected[at]) ++at;
                ADD_FAILURE() << c.Describe() << " (first differing pixel byte " << at << ")";
            }
        }
    }
    return result;
}

class StretchRandom : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

void RunAll(EFilter filter, int seedBase) {
    const EKind kinds[] = {EKind::Opaque, EKind::ColorKey, EKind::Alpha, EKind::AlphaToAlpha};
    const int depths[] = {15, 16, 24, 32};
    constexpr int kSeeds = 160;
    for (EKind kind : kinds) {
        for (int depth : depths) {
            for (bool blend : {false, true}) {
                const uint32_t first = uint32_t(seedBase + (int(kind) * 8 + depth * 2 + int(blend)) * 1000);
                const SComboResult r = RunCombo(filter, kind, depth, blend, first, kSeeds);
                SCOPED_TRACE(std::string(KindName(kind)) + std::to_string(depth) + (blend ? "Blend" : ""));
                EXPECT_EQ(r.failures, 0);
                EXPECT_EQ(r.kernelSum, r.modelSum);
                // The generator must give real work: a good share of the cases draw.
                EXPECT_GT(r.changed, kSeeds / 5);
            }
        }
    }
}

TEST_F(StretchRandom, NearestMatchesModelEverywhere) { RunAll(EFilter::Nearest, 1000000); }

TEST_F(StretchRandom, BilinearMatchesModelEverywhere) { RunAll(EFilter::Bilinear, 2000000); }

}  // namespace
}  // namespace stretch_test
