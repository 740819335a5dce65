// A rule wipe over a whole 800 x 600 picture, in pixels per second (items_per_second),
// through the effect blitter (mode 4) and through the bare kernel.
//
//   bench_soft_effect --benchmark_filter=RuleWipe
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/image/MaskImage.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxRuleImages.h"
#include "engine/soft/effect/SoftFxRuleWipe.h"
#include "tests/engine/soft/support/TestSurface.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// An 800 x 600 surface of random bytes over a vector, without guards or notes.
class CWipeBenchSurface : public CTestSurface {
public:
    CWipeBenchSurface(int depth, uint32_t seed)
        : CTestSurface(kWidth, kHeight, depth, STestSurfaceOptions{.guardBytes = 0, .record = false}) {
        std::mt19937 rng(seed);
        for (auto& b : Bytes()) b = static_cast<uint8_t>(rng());
    }
};

void _FillRule(CMaskImage& rule) {
    rule.Create(kWidth, kHeight);
    std::mt19937 rng(7);
    for (int i = 0; i < rule.GetPitch() * kHeight; ++i) rule.GetBits()[i] = static_cast<uint8_t>(rng());
    rule.SetThreshold(64);
}

// state.range(0): depth; state.range(1): progress.
void BM_RuleWipeEffect(benchmark::State& state) {
    BuildBlendTables();
    _FillRule(GetEffectRuleImage());
    const int depth = static_cast<int>(state.range(0));
    const int progress = static_cast<int>(state.range(1));
    CWipeBenchSurface dst(depth, 1), src(depth, 2);
    const SPoint p{0, 0};
    const SRect r{0, 0, kWidth, kHeight};
    CSurfaceEffectBlitter blitter;
    for (auto _ : state) {
        blitter.DrawEffect(4, &dst, &src, &p, &r, &r, 255, progress);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
    ReleaseEffectRuleImages();
}
BENCHMARK(BM_RuleWipeEffect)
    ->ArgNames({"depth", "progress"})
    ->Args({32, 512})
    ->Args({32, 1024})
    ->Args({16, 512})
    ->Args({24, 512})
    ->Unit(benchmark::kMillisecond);

void BM_RuleWipeKernel32(benchmark::State& state) {
    BuildBlendTables();
    CMaskImage rule;
    _FillRule(rule);
    CWipeBenchSurface dst(32, 1), src(32, 2);
    const SPoint p{0, 0};
    const SRect r{0, 0, kWidth, kHeight};
    const SoftFxRuleRef ref{&rule};
    for (auto _ : state) {
        ref.SoftFxRuleWipeOpaque32(dst.GetBits(), src.GetBits(), dst.GetPitch(), src.GetPitch(), &p, &r, &p, 255, 512);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_RuleWipeKernel32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
