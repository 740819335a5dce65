// A rule wipe over a whole 800 x 600 picture, in pixels per second (items_per_second).
// - RuleWipeEffect: the whole effect through the blitter (mode 4: clipping, locks, the
//   weight table, the kernel) at 32, 16 and 24 bits, progress 512 (with the threshold 64,
//   three eighths of the rule's levels hidden, three eighths shown, a quarter mixed; the
//   rule is noise, so neighbouring pixels rarely share a weight) and 1024 (everything
//   shown: a copy);
// - RuleWipeKernel32 / RuleWipeKernel16: the bare opaque kernel at progress 512, without
//   the blitter's checks.
// Source and destination are random bytes, so no pixel pair is equal by accident and
// every mixed pixel is computed.  The cross-fade (bench_soft_effect_crossfade.cpp) reads
// and writes as much memory per pixel and is the rate to compare with.
//
//   taskset -c 3 bench_soft_effect --benchmark_filter=RuleWipe
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

void _RunKernel(benchmark::State& state, int depth) {
    BuildBlendTables();
    CMaskImage rule;
    _FillRule(rule);
    CWipeBenchSurface dst(depth, 1), src(depth, 2);
    const SPoint p{0, 0};
    const SRect r{0, 0, kWidth, kHeight};
    const SoftFxRuleRef ref{&rule};
    for (auto _ : state) {
        if (depth == 32) {
            ref.SoftFxRuleWipeOpaque32(dst.GetBits(), src.GetBits(), dst.GetPitch(), src.GetPitch(), &p, &r, &p, 255,
                                       512);
        } else {
            ref.SoftFxRuleWipeOpaque16(dst.GetBits(), src.GetBits(), dst.GetPitch(), src.GetPitch(), &p, &r, &p, 255,
                                       512);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}
void BM_RuleWipeKernel32(benchmark::State& state) { _RunKernel(state, 32); }
void BM_RuleWipeKernel16(benchmark::State& state) { _RunKernel(state, 16); }
BENCHMARK(BM_RuleWipeKernel32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RuleWipeKernel16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
