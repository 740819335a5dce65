// Stretch throughput beside pixman, in one process on the same machine.
//
// Every comparison stretches the same 800 x 600 picture (smooth gradients with noise, so
// that nothing can be folded away) to 400 x 300 (x0.5) and to 1200 x 900 (x1.5), the
// whole picture onto a destination of exactly that size, at full opacity:
// - Nearest32 / Bilinear32: our Opaque kernels at 32 bits per pixel against pixman's
//   NEAREST / BILINEAR scaling with the SRC operator, x8r8g8b8 onto x8r8g8b8;
// - Nearest16 / Bilinear16: the same at 16 bits, r5g6b5 onto r5g6b5 on both sides;
// - BilinearAlpha32: our Alpha kernel (a picture with its own alpha plane, drawn over an
//   opaque 32-bit destination) against pixman's BILINEAR scaling of an a8r8g8b8 picture
//   with the OVER operator onto x8r8g8b8.  Both filter four channels and the alpha and
//   lay the result over the destination; ours keeps colours and alpha apart, pixman's
//   colours are premultiplied.
// pixman scales by the plain ratio of the extents with pixel centres and pad repeat; our
// filters map corners onto corners.  Both read the same number of taps per destination
// pixel (one for nearest, four for bilinear), so the work is the same.  Our row kernels keep
// their exact arithmetic: the bilinear filter weighs with 16-bit fractions where pixman
// uses 7 bits, which costs a wider multiply per channel.
//
// Rates are destination pixels per second (printed with SI prefixes: 630M/s is 630
// megapixels per second); the summary after the table gives them in megapixels per
// second and the ratio of each of ours to pixman's (above 1: ours is faster).
//
//   taskset -c 3 bench_soft_stretch
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/soft/RateReporter.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/support/TestSurface.h"

#ifdef PG_HAVE_PIXMAN
#include <pixman.h>

#include "bench/soft/PixmanComposite.h"
#endif

namespace {

constexpr int kSourceWidth = 800;
constexpr int kSourceHeight = 600;

// Surfaces over vectors, without guards or notes.
constexpr STestSurfaceOptions kSurfaceOptions{.guardBytes = 0, .record = false};

// The comparisons: what is drawn, at which depth.
enum ECase { NEAREST32, BILINEAR32, NEAREST16, BILINEAR16, BILINEAR_ALPHA32 };

bool IsBilinear(ECase c) { return c == BILINEAR32 || c == BILINEAR16 || c == BILINEAR_ALPHA32; }
int Depth(ECase c) { return c == NEAREST16 || c == BILINEAR16 ? 16 : 32; }

// A picture with smooth areas and noise: B, G, R (X byte 0) and an alpha of soft edges
// and solid areas.  pitch in bytes.
struct SPicture {
    std::vector<uint8_t> bgrx;
    std::vector<uint8_t> alpha;
};
SPicture MakePicture() {
    SPicture p;
    p.bgrx.resize(size_t(kSourceWidth) * kSourceHeight * 4);
    p.alpha.resize(size_t(kSourceWidth) * kSourceHeight);
    std::mt19937 rng(7);
    for (int y = 0; y < kSourceHeight; ++y) {
        for (int x = 0; x < kSourceWidth; ++x) {
            uint8_t* q = p.bgrx.data() + (size_t(y) * kSourceWidth + size_t(x)) * 4;
            q[0] = static_cast<uint8_t>(x + (rng() & 15));
            q[1] = static_cast<uint8_t>(y + (rng() & 15));
            q[2] = static_cast<uint8_t>((x ^ y) + (rng() & 15));
            q[3] = 0;
            const int band = (x + y) % 256;
            p.alpha[size_t(y) * kSourceWidth + size_t(x)] =
                static_cast<uint8_t>(band < 96 ? 255 : (band < 160 ? 0 : (band - 160) * 255 / 95));
        }
    }
    return p;
}

uint16_t To565(const uint8_t* bgrx) {
    return static_cast<uint16_t>((bgrx[2] >> 3) << 11 | (bgrx[1] >> 2) << 5 | bgrx[0] >> 3);
}

// The picture in the case's source format, rows of `pitch` bytes.  premultiplied: the
// colours scaled by the alpha (pixman's a8r8g8b8).
void WritePicture(const SPicture& p, ECase c, uint8_t* out, int pitch, bool premultiplied) {
    for (int y = 0; y < kSourceHeight; ++y) {
        for (int x = 0; x < kSourceWidth; ++x) {
            const uint8_t* q = p.bgrx.data() + (size_t(y) * kSourceWidth + size_t(x)) * 4;
            if (Depth(c) == 16) {
                const uint16_t v = To565(q);
                std::memcpy(out + size_t(y) * size_t(pitch) + size_t(x) * 2, &v, 2);
                continue;
            }
            uint8_t* o = out + size_t(y) * size_t(pitch) + size_t(x) * 4;
            std::memcpy(o, q, 4);
            if (premultiplied) {
                const unsigned a = p.alpha[size_t(y) * kSourceWidth + size_t(x)];
                for (int k = 0; k < 3; ++k) o[k] = static_cast<uint8_t>(o[k] * a / 255);
                o[3] = static_cast<uint8_t>(a);
            }
        }
    }
}

int DestWidth(int scalePercent) { return kSourceWidth * scalePercent / 100; }
int DestHeight(int scalePercent) { return kSourceHeight * scalePercent / 100; }

void SetRate(benchmark::State& state, int w, int h) {
    state.counters["pixels"] = benchmark::Counter(double(state.iterations()) * w * h, benchmark::Counter::kIsRate);
}

void RunOurs(benchmark::State& state, ECase c) {
    BuildBlendTables();
    const int w = DestWidth(int(state.range(0))), h = DestHeight(int(state.range(0)));
    const int depth = Depth(c);
    CTestSurface src(kSourceWidth, kSourceHeight, depth, kSurfaceOptions), dst(w, h, depth, kSurfaceOptions);
    const SPicture picture = MakePicture();
    WritePicture(picture, c, src.GetBits(), src.GetPitch(), false);
    if (c == BILINEAR_ALPHA32) {
        src.MakeAlphaPlane(kSourceWidth);
        src.AlphaBytes().assign(picture.alpha.begin(), picture.alpha.end());
        src.SetAlphaEnabled(true);
    }
    const SRect dr{0, 0, w, h}, sr{0, 0, kSourceWidth, kSourceHeight}, clip{0, 0, w, h};
    for (auto _ : state) {
        if (IsBilinear(c)) {
            SoftStretchBilinear(&dst, &src, &dr, &sr, &clip, 255, 0);
        } else {
            SoftStretchNearest(&dst, &src, &dr, &sr, &clip, 255, 0);
        }
        benchmark::DoNotOptimize(dst.Bytes().data());
        benchmark::ClobberMemory();
    }
    SetRate(state, w, h);
}

void BM_Nearest32(benchmark::State& s) { RunOurs(s, NEAREST32); }
void BM_Bilinear32(benchmark::State& s) { RunOurs(s, BILINEAR32); }
void BM_Nearest16(benchmark::State& s) { RunOurs(s, NEAREST16); }
void BM_Bilinear16(benchmark::State& s) { RunOurs(s, BILINEAR16); }
void BM_BilinearAlpha32(benchmark::State& s) { RunOurs(s, BILINEAR_ALPHA32); }
BENCHMARK(BM_Nearest32)->Arg(50)->Arg(150);
BENCHMARK(BM_Bilinear32)->Arg(50)->Arg(150);
BENCHMARK(BM_Nearest16)->Arg(50)->Arg(150);
BENCHMARK(BM_Bilinear16)->Arg(50)->Arg(150);
BENCHMARK(BM_BilinearAlpha32)->Arg(50)->Arg(150);

#ifdef PG_HAVE_PIXMAN
void RunPixman(benchmark::State& state, ECase c) {
    const int w = DestWidth(int(state.range(0))), h = DestHeight(int(state.range(0)));
    const int bytes = Depth(c) / 8;
    const int srcPitch = (kSourceWidth * bytes + 3) & ~3, dstPitch = (w * bytes + 3) & ~3;
    std::vector<uint32_t> s(size_t(srcPitch) * kSourceHeight / 4), d(size_t(dstPitch) * size_t(h) / 4);
    WritePicture(MakePicture(), c, reinterpret_cast<uint8_t*>(s.data()), srcPitch, c == BILINEAR_ALPHA32);
    const pixman_format_code_t srcFormat =
        Depth(c) == 16 ? PIXMAN_r5g6b5 : (c == BILINEAR_ALPHA32 ? PIXMAN_a8r8g8b8 : PIXMAN_x8r8g8b8);
    const pixman_format_code_t dstFormat = Depth(c) == 16 ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8;
    pixman_image_t* si = pixman_image_create_bits(srcFormat, kSourceWidth, kSourceHeight, s.data(), srcPitch);
    pixman_image_t* di = pixman_image_create_bits(dstFormat, w, h, d.data(), dstPitch);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(double(kSourceWidth) / w),
                                pixman_double_to_fixed(double(kSourceHeight) / h));
    pixman_image_set_transform(si, &t);
    pixman_image_set_filter(si, IsBilinear(c) ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_set_repeat(si, PIXMAN_REPEAT_PAD);
    const pixman_op_t op = c == BILINEAR_ALPHA32 ? PIXMAN_OP_OVER : PIXMAN_OP_SRC;
    TimePixmanComposite(state, op, si, di, d.data(), w, h);
    SetRate(state, w, h);
}

void BM_PixmanNearest32(benchmark::State& s) { RunPixman(s, NEAREST32); }
void BM_PixmanBilinear32(benchmark::State& s) { RunPixman(s, BILINEAR32); }
void BM_PixmanNearest16(benchmark::State& s) { RunPixman(s, NEAREST16); }
void BM_PixmanBilinear16(benchmark::State& s) { RunPixman(s, BILINEAR16); }
void BM_PixmanBilinearAlpha32(benchmark::State& s) { RunPixman(s, BILINEAR_ALPHA32); }
BENCHMARK(BM_PixmanNearest32)->Arg(50)->Arg(150);
BENCHMARK(BM_PixmanBilinear32)->Arg(50)->Arg(150);
BENCHMARK(BM_PixmanNearest16)->Arg(50)->Arg(150);
BENCHMARK(BM_PixmanBilinear16)->Arg(50)->Arg(150);
BENCHMARK(BM_PixmanBilinearAlpha32)->Arg(50)->Arg(150);
#endif

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nDestination megapixels per second, ours / pixman:\n");
    for (const char* name : {"Nearest32", "Bilinear32", "Nearest16", "Bilinear16", "BilinearAlpha32"}) {
        for (const char* scale : {"50", "150"}) {
            const double ours = reporter.Best(std::string("BM_") + name + "/" + scale);
            const double theirs = reporter.Best(std::string("BM_Pixman") + name + "/" + scale);
            if (ours <= 0.0) continue;
            std::printf("  %-16s x%-4s %8.1f Mpix/s", name, scale[0] == '5' ? "0.5" : "1.5", ours);
            if (theirs > 0.0) {
                std::printf("   pixman %8.1f Mpix/s   ratio %.2f", theirs, ours / theirs);
            }
            std::printf("\n");
        }
    }
    benchmark::Shutdown();
    return 0;
}
