// Stretch throughput at 32 bits per pixel: an 800 x 600 picture scaled down (x0.5, to
// 400 x 300) and up (x1.5, to 1200 x 900) by the nearest and bilinear filters, beside
// pixman's nearest and bilinear scaling (SRC) of the same picture to the same sizes.
// Rates are destination pixels per second (printed with SI prefixes: 630M/s is 630
// megapixels per second); the summary after the table gives them in megapixels per
// second and the ratio of each filter to pixman's.
//
//   bench_soft_stretch
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/support/TestSurface.h"

#ifdef PG_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

constexpr int kSourceWidth = 800;
constexpr int kSourceHeight = 600;

// Surfaces over vectors, without guards or notes.
constexpr STestSurfaceOptions kSurfaceOptions{.guardBytes = 0, .record = false};

// A picture with smooth areas and noise, X byte 0 (as x8r8g8b8).
void FillPicture(std::vector<uint8_t>& bytes, int width, int height) {
    std::mt19937 rng(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = bytes.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
            p[0] = static_cast<uint8_t>(x + (rng() & 15));
            p[1] = static_cast<uint8_t>(y + (rng() & 15));
            p[2] = static_cast<uint8_t>((x ^ y) + (rng() & 15));
            p[3] = 0;
        }
    }
}

int DestWidth(int scalePercent) { return kSourceWidth * scalePercent / 100; }
int DestHeight(int scalePercent) { return kSourceHeight * scalePercent / 100; }

void SetRate(benchmark::State& state, int w, int h) {
    state.counters["pixels"] = benchmark::Counter(double(state.iterations()) * w * h, benchmark::Counter::kIsRate);
}

void RunStretch(benchmark::State& state, bool bilinear) {
    BuildBlendTables();
    const int w = DestWidth(int(state.range(0))), h = DestHeight(int(state.range(0)));
    CTestSurface src(kSourceWidth, kSourceHeight, 32, kSurfaceOptions), dst(w, h, 32, kSurfaceOptions);
    FillPicture(src.Bytes(), kSourceWidth, kSourceHeight);
    const SRect dr{0, 0, w, h}, sr{0, 0, kSourceWidth, kSourceHeight}, clip{0, 0, w, h};
    for (auto _ : state) {
        if (bilinear) {
            SoftStretchBilinear(&dst, &src, &dr, &sr, &clip, 255, 0);
        } else {
            SoftStretchNearest(&dst, &src, &dr, &sr, &clip, 255, 0);
        }
        benchmark::DoNotOptimize(dst.Bytes().data());
        benchmark::ClobberMemory();
    }
    SetRate(state, w, h);
}

void BM_Nearest32(benchmark::State& s) { RunStretch(s, false); }
void BM_Bilinear32(benchmark::State& s) { RunStretch(s, true); }
BENCHMARK(BM_Nearest32)->Arg(50)->Arg(150);
BENCHMARK(BM_Bilinear32)->Arg(50)->Arg(150);

#ifdef PG_HAVE_PIXMAN
void RunPixman(benchmark::State& state, pixman_filter_t filter) {
    const int w = DestWidth(int(state.range(0))), h = DestHeight(int(state.range(0)));
    std::vector<uint8_t> s(size_t(kSourceWidth) * kSourceHeight * 4), d(size_t(w) * size_t(h) * 4);
    FillPicture(s, kSourceWidth, kSourceHeight);
    pixman_image_t* si = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSourceWidth, kSourceHeight,
                                                  reinterpret_cast<uint32_t*>(s.data()), kSourceWidth * 4);
    pixman_image_t* di =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, reinterpret_cast<uint32_t*>(d.data()), w * 4);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(double(kSourceWidth) / w),
                                pixman_double_to_fixed(double(kSourceHeight) / h));
    pixman_image_set_transform(si, &t);
    pixman_image_set_filter(si, filter, nullptr, 0);
    pixman_image_set_repeat(si, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, si, nullptr, di, 0, 0, 0, 0, 0, 0, w, h);
        benchmark::DoNotOptimize(d.data());
        benchmark::ClobberMemory();
    }
    pixman_image_unref(si);
    pixman_image_unref(di);
    SetRate(state, w, h);
}

void BM_PixmanNearest32(benchmark::State& s) { RunPixman(s, PIXMAN_FILTER_NEAREST); }
void BM_PixmanBilinear32(benchmark::State& s) { RunPixman(s, PIXMAN_FILTER_BILINEAR); }
BENCHMARK(BM_PixmanNearest32)->Arg(50)->Arg(150);
BENCHMARK(BM_PixmanBilinear32)->Arg(50)->Arg(150);
#endif

// The console table, and each run's rate kept for the summary.
class CRateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const auto it = r.counters.find("pixels");
            if (it != r.counters.end() && r.run_type == Run::RT_Iteration) {
                // With repetitions, the best of them.
                double& rate = m_Rates[r.benchmark_name()];
                rate = std::max(rate, it->second.value / 1e6);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Megapixels per second; 0 for a run that did not happen.
    double Rate(const std::string& name) const {
        const auto it = m_Rates.find(name);
        return it == m_Rates.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_Rates;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nDestination megapixels per second, ours / pixman:\n");
    for (const char* filter : {"Nearest32", "Bilinear32"}) {
        for (const char* scale : {"50", "150"}) {
            const double ours = reporter.Rate(std::string("BM_") + filter + "/" + scale);
            const double theirs = reporter.Rate(std::string("BM_Pixman") + filter + "/" + scale);
            if (ours <= 0.0) continue;
            std::printf("  %-10s x%-4s %8.1f Mpix/s", filter, scale[0] == '5' ? "0.5" : "1.5", ours);
            if (theirs > 0.0) {
                std::printf("   pixman %8.1f Mpix/s   ratio %.2f", theirs, ours / theirs);
            }
            std::printf("\n");
        }
    }
    benchmark::Shutdown();
    return 0;
}
