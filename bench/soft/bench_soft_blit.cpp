// Throughput of the blit kernels on an 800 x 600 picture, in pixels per second,
// beside pixman's compositing of the same picture and memcpy of the same bytes.
//
//   bench_soft_blit --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/base/CpuInfo.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/BlitKernels.h"
#include "tests/engine/soft/support/TestSurface.h"

#ifdef PG_HAVE_PIXMAN
#include <pixman.h>

#include "bench/soft/PixmanComposite.h"
#endif

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPixels = kWidth * kHeight;

// An 800 x 600 surface over a vector, without guards or notes.
class CBenchSurface : public CTestSurface {
public:
    CBenchSurface(int depth, bool alpha)
        : CTestSurface(kWidth, kHeight, depth, STestSurfaceOptions{.guardBytes = 0, .record = false}) {
        if (alpha) {
            MakeAlphaPlane(kWidth);
            SetAlphaEnabled(true);
        }
    }
};

// The picture: random colours; alpha uniformly random (no shortcut applies), or a
// sprite-like plane (three quarters fully opaque or fully transparent).
enum class EAlphaPicture { Random, Sprite };

uint8_t SpriteAlpha(int x, int y) {
    const int cx = x % 200 - 100, cy = y % 200 - 100;
    const int d2 = cx * cx + cy * cy;
    if (d2 < 70 * 70) return 255;
    if (d2 > 90 * 90) return 0;
    return static_cast<uint8_t>(255 - (d2 - 70 * 70) * 255 / (90 * 90 - 70 * 70));
}

void FillPicture(CBenchSurface& s, EAlphaPicture picture, uint32_t seed) {
    std::mt19937 rng(seed);
    for (auto& b : s.Bytes()) b = static_cast<uint8_t>(rng());
    auto& a = s.AlphaBytes();
    for (int y = 0; y < kHeight && !a.empty(); ++y) {
        for (int x = 0; x < kWidth; ++x) {
            a[size_t(y) * kWidth + x] =
                picture == EAlphaPicture::Random ? static_cast<uint8_t>(rng()) : SpriteAlpha(x, y);
        }
    }
}

// Pixels per second (printed with SI prefixes: 1.8G/s is 1,800 megapixels per second).
void SetRate(benchmark::State& state) {
    state.counters["pixels"] = benchmark::Counter(double(state.iterations()) * kPixels, benchmark::Counter::kIsRate);
}

// Key pixels where the sprite picture is transparent (about a third of the picture).
void PlantKeys(CBenchSurface& s, int depth) {
    const int bpp = BytesPerPixel(depth);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (SpriteAlpha(x, y) != 0) continue;
            uint8_t* p = s.GetBits() + size_t(y) * s.GetPitch() + size_t(x) * bpp;
            if (depth == 16) {
                const uint16_t key = 0x07E0;
                std::memcpy(p, &key, 2);
            } else {
                p[0] = 0x00;
                p[1] = 0xFF;
                p[2] = 0x00;
            }
        }
    }
}

void RunKernel(benchmark::State& state, SoftBltKernel kernel, int depth, bool alpha, int opacity,
               EAlphaPicture picture = EAlphaPicture::Random) {
    BuildBlendTables();
    CBenchSurface dst(depth, false), src(depth, alpha);
    FillPicture(dst, picture, 1);
    FillPicture(src, picture, 2);
    if (kernel == SoftBltColorKey16 || kernel == SoftBltColorKey32) {
        PlantKeys(src, depth);
    }
    const SRect r{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        kernel(dst, src, r, SPoint{0, 0}, opacity, 0);
        benchmark::DoNotOptimize(dst.Bytes().data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

// ---- opacity blit ----
void BM_Opaque16_Plain(benchmark::State& s) { RunKernel(s, SoftBltOpaque16_Plain, 16, false, 128); }
void BM_Opaque16_MMX(benchmark::State& s) { RunKernel(s, SoftBltOpaque16_MMX, 16, false, 128); }
void BM_Opaque16_SSE(benchmark::State& s) { RunKernel(s, SoftBltOpaque16_SSE, 16, false, 128); }
void BM_Opaque32_Plain(benchmark::State& s) { RunKernel(s, SoftBltOpaque32_Plain, 32, false, 128); }
void BM_Opaque32_MMX(benchmark::State& s) { RunKernel(s, SoftBltOpaque32_MMX, 32, false, 128); }
void BM_Opaque32_SSE(benchmark::State& s) { RunKernel(s, SoftBltOpaque32_SSE, 32, false, 128); }
// ---- per-pixel alpha blit ----
void BM_Alpha16_Plain(benchmark::State& s) { RunKernel(s, SoftBltAlpha16_Plain, 16, true, 255); }
void BM_Alpha16_MMX(benchmark::State& s) { RunKernel(s, SoftBltAlpha16_MMX, 16, true, 255); }
void BM_Alpha16_SSE(benchmark::State& s) { RunKernel(s, SoftBltAlpha16_SSE, 16, true, 255); }
void BM_Alpha32_Plain(benchmark::State& s) { RunKernel(s, SoftBltAlpha32_Plain, 32, true, 255); }
void BM_Alpha32_MMX(benchmark::State& s) { RunKernel(s, SoftBltAlpha32_MMX, 32, true, 255); }
void BM_Alpha32_SSE(benchmark::State& s) { RunKernel(s, SoftBltAlpha32_SSE, 32, true, 255); }
void BM_Alpha32_MMX_Sprite(benchmark::State& s) {
    RunKernel(s, SoftBltAlpha32_MMX, 32, true, 255, EAlphaPicture::Sprite);
}
void BM_Alpha32_SSE_Sprite(benchmark::State& s) {
    RunKernel(s, SoftBltAlpha32_SSE, 32, true, 255, EAlphaPicture::Sprite);
}
// ---- colour-key blit ----
void BM_ColorKey16(benchmark::State& s) { RunKernel(s, SoftBltColorKey16, 16, false, 255); }
void BM_ColorKey32(benchmark::State& s) { RunKernel(s, SoftBltColorKey32, 32, false, 255); }
// ---- copy ----
void BM_Copy16(benchmark::State& s) { RunKernel(s, SoftBltCopy, 16, false, 255); }
void BM_Copy32(benchmark::State& s) { RunKernel(s, SoftBltCopy, 32, false, 255); }

void BM_Memcpy(benchmark::State& state, int bytesPerPixel) {
    std::vector<uint8_t> a(size_t(kPixels) * bytesPerPixel, 1), b(size_t(kPixels) * bytesPerPixel, 2);
    for (auto _ : state) {
        std::memcpy(a.data(), b.data(), a.size());
        benchmark::DoNotOptimize(a.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}
void BM_Memcpy16(benchmark::State& s) { BM_Memcpy(s, 2); }
void BM_Memcpy32(benchmark::State& s) { BM_Memcpy(s, 4); }

BENCHMARK(BM_Opaque16_Plain);
BENCHMARK(BM_Opaque16_MMX);
BENCHMARK(BM_Opaque16_SSE);
BENCHMARK(BM_Opaque32_Plain);
BENCHMARK(BM_Opaque32_MMX);
BENCHMARK(BM_Opaque32_SSE);
BENCHMARK(BM_Alpha16_Plain);
BENCHMARK(BM_Alpha16_MMX);
BENCHMARK(BM_Alpha16_SSE);
BENCHMARK(BM_Alpha32_Plain);
BENCHMARK(BM_Alpha32_MMX);
BENCHMARK(BM_Alpha32_SSE);
BENCHMARK(BM_Alpha32_MMX_Sprite);
BENCHMARK(BM_Alpha32_SSE_Sprite);
BENCHMARK(BM_ColorKey16);
BENCHMARK(BM_ColorKey32);
BENCHMARK(BM_Copy16);
BENCHMARK(BM_Copy32);
BENCHMARK(BM_Memcpy16);
BENCHMARK(BM_Memcpy32);

#ifdef PG_HAVE_PIXMAN
// pixman on the same picture: the source premultiplied a8r8g8b8 (colour scaled by the
// same alpha plane), the destination x8r8g8b8.
void RunPixman(benchmark::State& state, pixman_op_t op, pixman_format_code_t srcFormat, pixman_format_code_t dstFormat,
               int bytesPerPixel, EAlphaPicture picture = EAlphaPicture::Random) {
    CBenchSurface src(32, true), dst(32, false);
    FillPicture(src, picture, 2);
    FillPicture(dst, picture, 1);
    std::vector<uint32_t> s(kPixels), d(size_t(kPixels) * 4 / 4);
    for (int i = 0; i < kPixels; ++i) {
        const uint8_t* p = src.Bytes().data() + 4 * i;
        const unsigned a = src.AlphaBytes()[i];
        s[i] = a << 24 | (p[2] * a / 255) << 16 | (p[1] * a / 255) << 8 | (p[0] * a / 255);
        std::memcpy(&d[i], dst.Bytes().data() + 4 * i, 4);
    }
    const int stride = kWidth * bytesPerPixel;
    pixman_image_t* si = pixman_image_create_bits(srcFormat, kWidth, kHeight, s.data(), kWidth * 4);
    pixman_image_t* di = pixman_image_create_bits(dstFormat, kWidth, kHeight, d.data(), stride);
    TimePixmanComposite(state, op, si, di, d.data(), kWidth, kHeight);
    SetRate(state);
}
void BM_PixmanOver32(benchmark::State& s) { RunPixman(s, PIXMAN_OP_OVER, PIXMAN_a8r8g8b8, PIXMAN_x8r8g8b8, 4); }
void BM_PixmanOver32_Sprite(benchmark::State& s) {
    RunPixman(s, PIXMAN_OP_OVER, PIXMAN_a8r8g8b8, PIXMAN_x8r8g8b8, 4, EAlphaPicture::Sprite);
}
void BM_PixmanOver16(benchmark::State& s) { RunPixman(s, PIXMAN_OP_OVER, PIXMAN_a8r8g8b8, PIXMAN_r5g6b5, 2); }
void BM_PixmanSrc32(benchmark::State& s) { RunPixman(s, PIXMAN_OP_SRC, PIXMAN_x8r8g8b8, PIXMAN_x8r8g8b8, 4); }
void BM_PixmanSrc16(benchmark::State& s) { RunPixman(s, PIXMAN_OP_SRC, PIXMAN_r5g6b5, PIXMAN_r5g6b5, 2); }
BENCHMARK(BM_PixmanOver32);
BENCHMARK(BM_PixmanOver32_Sprite);
BENCHMARK(BM_PixmanOver16);
BENCHMARK(BM_PixmanSrc32);
BENCHMARK(BM_PixmanSrc16);
#endif

}  // namespace

BENCHMARK_MAIN();
