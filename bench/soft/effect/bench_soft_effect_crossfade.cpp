// Throughput of the three-surface cross-fade on a full 800 x 600 picture at every
// depth and code level, in megapixels per second.
//
//   bench_soft_effect_crossfade --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Kernels.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPixels = kWidth * kHeight;

struct SPictures {
    int pitch;
    std::vector<uint8_t> dst, a, b;

    explicit SPictures(int depth) : pitch(RoundPitch(int64_t{kWidth} * BytesPerPixel(depth))) {
        const size_t bytes = static_cast<size_t>(pitch) * kHeight;
        dst.resize(bytes);
        a.resize(bytes);
        b.resize(bytes);
        std::mt19937 rng(1);
        for (size_t i = 0; i < bytes; ++i) {
            a[i] = static_cast<uint8_t>(rng());
            b[i] = static_cast<uint8_t>(rng());
        }
    }
};

// Arguments: depth, level (0 plain, 1 MMX, 2 SSE); the progress changes every frame as
// in a real fade.
void BM_CrossFade(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    BuildBlendTables();
    SPictures p(depth);
    const SoftFx3CrossFadeKernel kernel = ChooseSoftFx3CrossFadeKernel(depth, level);
    const SPoint origin{};
    const SSize size{kWidth, kHeight};
    int progress = 1;
    for (auto _ : state) {
        kernel(p.dst.data(), p.a.data(), p.b.data(), p.pitch, p.pitch, p.pitch, &origin, &origin, &origin, &size,
               progress);
        progress = (progress + 37) % 1020;
        benchmark::DoNotOptimize(p.dst.data());
        benchmark::ClobberMemory();
    }
    state.counters["MPixels/s"] =
        benchmark::Counter(static_cast<double>(kPixels) * static_cast<double>(state.iterations()) / 1e6,
                           benchmark::Counter::kIsRate);
    state.SetLabel(level == 0 ? "plain" : level == 1 ? "MMX" : "SSE");
}

}  // namespace

BENCHMARK(BM_CrossFade)
    ->ArgNames({"depth", "level"})
    ->ArgsProduct({{32}, {0, 1, 2}})
    ->ArgsProduct({{15, 16, 24}, {0, 2}})
    ->Unit(benchmark::kMillisecond);
