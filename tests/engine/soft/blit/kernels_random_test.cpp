// Every kernel at every depth against a scalar model of its own formula, on seeded
// random cases.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/soft/PixelPack.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "tests/engine/soft/blit/RandomCase.h"
#include "tests/engine/soft/blit/RefModel.h"

using namespace blit_test;

namespace {

constexpr int kSeeds = 360;  // a multiple of 6: every opacity as often

class KernelRandomTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

int Bpp(int depth) { return depth == 15 ? 2 : depth / 8; }

RowModel OpaquePlainModel(int depth) {
    return [depth](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
        const int b = Bpp(depth);
        for (int i = 0; i < w; ++i) ref::BlendPixel(depth, d + i * b, s + i * b, unsigned(o));
    };
}

RowModel AlphaPlainModel(int depth) {
    return [depth](uint8_t* d, const uint8_t* s, const uint8_t* a, uint8_t*, int w, int o) {
        const int b = Bpp(depth);
        for (int i = 0; i < w; ++i) {
            const unsigned e = o == 255 ? a[i] : ref::Reduced(a[i], unsigned(o));
            ref::BlendPixel(depth, d + i * b, s + i * b, e);
        }
    };
}

// The key uses the source surface's key of the case; the model reads it through a
// pointer filled before the kernel runs.
uint32_t g_Key = 0;

RowModel ColorKeyModel(int depth) {
    return [depth](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
        const int b = Bpp(depth);
        for (int i = 0; i < w; ++i) {
            const uint8_t* sp = s + i * b;
            bool key = false;
            if (depth == 15) {
                const uint16_t v = ref::Get16(sp, 0);
                key = (o == 255 ? (v & 0x7FFF) : v) == PackColor555(g_Key);
            } else if (depth == 16) {
                key = ref::Get16(sp, 0) == PackColor565(g_Key);
            } else {
                key = (sp[0] | sp[1] << 8 | sp[2] << 16) == int(g_Key & 0xFFFFFF);
            }
            if (key) continue;
            if (o == 255) {
                std::memcpy(d + i * b, sp, b);
            } else {
                ref::BlendPixel(depth, d + i * b, sp, unsigned(o));
            }
        }
    };
}

RowModel CopyModel(int depth) {
    return [depth](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int) {
        std::memcpy(d, s, static_cast<size_t>(w) * Bpp(depth));
    };
}

// A model that needs the case's key: the key is planted per seed, so colour-key cases
// run one seed at a time with the key read from a fresh case of the same seed.
int RunColorKeyCases(const char* name, SoftBltKernel kernel, int depth, unsigned planes, const RowModel& model) {
    int failures = 0;
    for (uint32_t seed = 0; seed < kSeeds; ++seed) {
        g_Key = MakeCase(seed, depth, planes).src->GetColorKey();
        failures += RunKernelCases(name, kernel, depth, planes, model, seed, 1);
    }
    return failures;
}

TEST_F(KernelRandomTest, PlainOpaque) {
    EXPECT_EQ(RunKernelCases("SoftBltOpaque15_Plain", SoftBltOpaque15_Plain, 15, 0, OpaquePlainModel(15), 0, kSeeds),
              0);
    EXPECT_EQ(RunKernelCases("SoftBltOpaque16_Plain", SoftBltOpaque16_Plain, 16, 0, OpaquePlainModel(16), 0, kSeeds),
              0);
    EXPECT_EQ(RunKernelCases("SoftBltOpaque24_Plain", SoftBltOpaque24_Plain, 24, 0, OpaquePlainModel(24), 0, kSeeds),
              0);
    EXPECT_EQ(RunKernelCases("SoftBltOpaque32_Plain", SoftBltOpaque32_Plain, 32, 0, OpaquePlainModel(32), 0, kSeeds),
              0);
}

TEST_F(KernelRandomTest, PlainAlpha) {
    const unsigned a = CASE_SOURCE_ALPHA;
    EXPECT_EQ(RunKernelCases("SoftBltAlpha15_Plain", SoftBltAlpha15_Plain, 15, a, AlphaPlainModel(15), 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha16_Plain", SoftBltAlpha16_Plain, 16, a, AlphaPlainModel(16), 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha24_Plain", SoftBltAlpha24_Plain, 24, a, AlphaPlainModel(24), 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha32_Plain", SoftBltAlpha32_Plain, 32, a, AlphaPlainModel(32), 0, kSeeds), 0);
}

TEST_F(KernelRandomTest, ColorKey) {
    const unsigned k = CASE_COLOR_KEY;
    EXPECT_EQ(RunColorKeyCases("SoftBltColorKey15", SoftBltColorKey15, 15, k, ColorKeyModel(15)), 0);
    EXPECT_EQ(RunColorKeyCases("SoftBltColorKey16", SoftBltColorKey16, 16, k, ColorKeyModel(16)), 0);
    EXPECT_EQ(RunColorKeyCases("SoftBltColorKey24", SoftBltColorKey24, 24, k, ColorKeyModel(24)), 0);
    EXPECT_EQ(RunColorKeyCases("SoftBltColorKey32", SoftBltColorKey32, 32, k, ColorKeyModel(32)), 0);
}

TEST_F(KernelRandomTest, Copy) {
    for (int depth : {15, 16, 24, 32}) {
        EXPECT_EQ(RunKernelCases("SoftBltCopy", SoftBltCopy, depth, 0, CopyModel(depth), 0, kSeeds), 0);
    }
}

TEST_F(KernelRandomTest, VectorOpaque) {
    for (int level : {1, 2}) {
        auto m15 = [level](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
            ref::OpaqueRow16(true, level, d, s, w, o);
        };
        auto m16 = [level](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
            ref::OpaqueRow16(false, level, d, s, w, o);
        };
        auto m24 = [](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
            ref::OpaqueRow24(d, s, w, o);
        };
        auto m32 = [](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
            ref::OpaqueRow32(d, s, w, o);
        };
        const bool mmx = level == 1;
        EXPECT_EQ(RunKernelCases(mmx ? "SoftBltOpaque15_MMX" : "SoftBltOpaque15_SSE",
                                 mmx ? SoftBltOpaque15_MMX : SoftBltOpaque15_SSE, 15, 0, m15, 0, kSeeds),
                  0);
        EXPECT_EQ(RunKernelCases(mmx ? "SoftBltOpaque16_MMX" : "SoftBltOpaque16_SSE",
                                 mmx ? SoftBltOpaque16_MMX : SoftBltOpaque16_SSE, 16, 0, m16, 0, kSeeds),
                  0);
        EXPECT_EQ(RunKernelCases(mmx ? "SoftBltOpaque24_MMX" : "SoftBltOpaque24_SSE",
                                 mmx ? SoftBltOpaque24_MMX : SoftBltOpaque24_SSE, 24, 0, m24, 0, kSeeds),
                  0);
        EXPECT_EQ(RunKernelCases(mmx ? "SoftBltOpaque32_MMX" : "SoftBltOpaque32_SSE",
                                 mmx ? SoftBltOpaque32_MMX : SoftBltOpaque32_SSE, 32, 0, m32, 0, kSeeds),
                  0);
    }
}

TEST_F(KernelRandomTest, VectorAlpha) {
    const unsigned a = CASE_SOURCE_ALPHA;
    auto m15 = [](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t*, int w, int o) {
        ref::AlphaRow16(true, d, s, sa, w, o);
    };
    auto m16 = [](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t*, int w, int o) {
        ref::AlphaRow16(false, d, s, sa, w, o);
    };
    auto m24 = [](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t*, int w, int o) {
        ref::AlphaRow24(d, s, sa, w, o);
    };
    auto m32 = [](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t*, int w, int o) {
        ref::AlphaRow32(d, s, sa, w, o);
    };
    EXPECT_EQ(RunKernelCases("SoftBltAlpha15_MMX", SoftBltAlpha15_MMX, 15, a, m15, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha16_MMX", SoftBltAlpha16_MMX, 16, a, m16, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha24_MMX", SoftBltAlpha24_MMX, 24, a, m24, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha32_MMX", SoftBltAlpha32_MMX, 32, a, m32, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha15_SSE", SoftBltAlpha15_SSE, 15, a, m15, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha16_SSE", SoftBltAlpha16_SSE, 16, a, m16, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha24_SSE", SoftBltAlpha24_SSE, 24, a, m24, 0, kSeeds), 0);
    EXPECT_EQ(RunKernelCases("SoftBltAlpha32_SSE", SoftBltAlpha32_SSE, 32, a, m32, 0, kSeeds), 0);
}

RowModel ToAlphaModel(int depth, bool keyed) {
    return [depth, keyed](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t* da, int w, int o) {
        const int b = Bpp(depth);
        for (int i = 0; i < w; ++i) {
            const uint8_t* sp = s + i * b;
            if (keyed) {
                bool key;
                if (depth == 15)
                    key = ref::Get16(sp, 0) == PackColor555(g_Key);
                else if (depth == 16)
                    key = ref::Get16(sp, 0) == PackColor565(g_Key);
                else if (depth == 24)
                    key = (sp[0] | sp[1] << 8 | sp[2] << 16) == int(g_Key & 0xFFFFFF);
                else
                    key = (uint32_t(sp[0]) | uint32_t(sp[1]) << 8 | uint32_t(sp[2]) << 16 | uint32_t(sp[3]) << 24) ==
                          g_Key;
                if (key) continue;
            }
            if (o == 255) {
                std::memcpy(d + i * b, sp, b);
                da[i] = 255;
            } else {
                ref::CombinePixel(depth, d + i * b, sp, da + i, unsigned(o));
            }
        }
    };
}

RowModel AlphaToAlphaModel(int depth) {
    return [depth](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t* da, int w, int o) {
        const int b = Bpp(depth);
        for (int i = 0; i < w; ++i) {
            if (o == 0) continue;
            const unsigned a = o == 255 ? sa[i] : ref::Reduced(sa[i], unsigned(o));
            ref::CombinePixel(depth, d + i * b, s + i * b, da + i, a);
        }
    };
}

TEST_F(KernelRandomTest, OntoAlphaDestination) {
    for (int depth : {15, 16, 24, 32}) {
        EXPECT_EQ(RunKernelCases("SoftBltOpaqueToAlpha", SoftBltOpaqueToAlpha, depth, CASE_DEST_ALPHA,
                                 ToAlphaModel(depth, false), 0, kSeeds),
                  0);
        EXPECT_EQ(RunColorKeyCases("SoftBltColorKeyToAlpha", SoftBltColorKeyToAlpha, depth,
                                   CASE_DEST_ALPHA | CASE_COLOR_KEY, ToAlphaModel(depth, true)),
                  0);
    }
    const unsigned both = CASE_SOURCE_ALPHA | CASE_DEST_ALPHA;
    EXPECT_EQ(
        RunKernelCases("SoftBltAlphaToAlpha15", SoftBltAlphaToAlpha15, 15, both, AlphaToAlphaModel(15), 0, kSeeds), 0);
    EXPECT_EQ(
        RunKernelCases("SoftBltAlphaToAlpha16", SoftBltAlphaToAlpha16, 16, both, AlphaToAlphaModel(16), 0, kSeeds), 0);
    EXPECT_EQ(
        RunKernelCases("SoftBltAlphaToAlpha24", SoftBltAlphaToAlpha24, 24, both, AlphaToAlphaModel(24), 0, kSeeds), 0);
    EXPECT_EQ(
        RunKernelCases("SoftBltAlphaToAlpha32", SoftBltAlphaToAlpha32, 32, both, AlphaToAlphaModel(32), 0, kSeeds), 0);
}

// Surfaces with odd pitches put 16-bit pixels off 2-byte boundaries: every kernel must
// reach them bytewise (a sanitizer build reports any access that is not) and still give
// the same pixels.
TEST_F(KernelRandomTest, SixteenBitKernelsOnOddPitches) {
    constexpr int kOddSeeds = 120;
    const unsigned odd = CASE_ODD_PITCH;
    for (int depth : {15, 16}) {
        const bool is555 = depth == 15;
        struct SRun {
            const char* name;
            SoftBltKernel kernel;
            unsigned planes;
            RowModel model;
        };
        auto opaqueVec = [is555](int level) {
            return RowModel([is555, level](uint8_t* d, const uint8_t* s, const uint8_t*, uint8_t*, int w, int o) {
                ref::OpaqueRow16(is555, level, d, s, w, o);
            });
        };
        const RowModel alphaVec = [is555](uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t*, int w, int o) {
            ref::AlphaRow16(is555, d, s, sa, w, o);
        };
        const SRun runs[] = {
            {"Opaque_Plain", is555 ? SoftBltOpaque15_Plain : SoftBltOpaque16_Plain, 0, OpaquePlainModel(depth)},
            {"Opaque_MMX", is555 ? SoftBltOpaque15_MMX : SoftBltOpaque16_MMX, 0, opaqueVec(1)},
            {"Opaque_SSE", is555 ? SoftBltOpaque15_SSE : SoftBltOpaque16_SSE, 0, opaqueVec(2)},
            {"Alpha_Plain", is555 ? SoftBltAlpha15_Plain : SoftBltAlpha16_Plain, CASE_SOURCE_ALPHA,
             AlphaPlainModel(depth)},
            {"Alpha_MMX", is555 ? SoftBltAlpha15_MMX : SoftBltAlpha16_MMX, CASE_SOURCE_ALPHA, alphaVec},
            {"Alpha_SSE", is555 ? SoftBltAlpha15_SSE : SoftBltAlpha16_SSE, CASE_SOURCE_ALPHA, alphaVec},
            {"Copy", SoftBltCopy, 0, CopyModel(depth)},
            {"OpaqueToAlpha", SoftBltOpaqueToAlpha, CASE_DEST_ALPHA, ToAlphaModel(depth, false)},
            {"AlphaToAlpha", is555 ? SoftBltAlphaToAlpha15 : SoftBltAlphaToAlpha16,
             CASE_SOURCE_ALPHA | CASE_DEST_ALPHA, AlphaToAlphaModel(depth)},
        };
        for (const SRun& r : runs) {
            EXPECT_EQ(RunKernelCases(r.name, r.kernel, depth, r.planes | odd, r.model, 0, kOddSeeds), 0)
                << r.name << " at depth " << depth;
        }
        // The keyed kernels need each seed's key for their models.
        int failures = 0;
        for (uint32_t seed = 0; seed < kOddSeeds; ++seed) {
            g_Key = MakeCase(seed, depth, CASE_COLOR_KEY | odd).src->GetColorKey();
            failures += RunKernelCases("ColorKey", is555 ? SoftBltColorKey15 : SoftBltColorKey16, depth,
                                       CASE_COLOR_KEY | odd, ColorKeyModel(depth), seed, 1);
            g_Key = MakeCase(seed, depth, CASE_DEST_ALPHA | CASE_COLOR_KEY | odd).src->GetColorKey();
            failures += RunKernelCases("ColorKeyToAlpha", SoftBltColorKeyToAlpha, depth,
                                       CASE_DEST_ALPHA | CASE_COLOR_KEY | odd, ToAlphaModel(depth, true), seed, 1);
        }
        EXPECT_EQ(failures, 0) << "keyed kernels at depth " << depth;
    }
}

}  // namespace
