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

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A surface over a vector: all the effects ask of it.
class CWipeBenchSurface : public CSoftSurface {
public:
    CWipeBenchSurface(int depth, uint32_t seed)
        : m_Depth(depth), m_Pitch(RoundPitch(int64_t{kWidth} * BytesPerPixel(depth))), m_Bits(size_t(m_Pitch) * kHeight) {
        std::mt19937 rng(seed);
        for (auto& b : m_Bits) b = static_cast<uint8_t>(rng());
    }
    bool Create(int, int, int, bool) override { return false; }
    bool LoadFromFile(const char*, int, bool) override { return false; }
    bool SaveBitmap(const char*) override { return false; }
    void Release() override {}
    void SetColorKeyEnabled(bool) override {}
    void SetAlphaEnabled(bool) override {}
    bool IsColorKeyEnabled() const override { return false; }
    bool IsAlphaEnabled() const override { return false; }
    void SetColorKey(uint32_t) override {}
    uint32_t GetColorKey() const override { return 0; }
    bool IsCreated() const override { return true; }
    bool HasAlphaPlane() const override { return false; }
    int32_t GetFormatFlags() const override { return DepthToIndex(m_Depth) << 2; }
    SSize GetSize() const override { return SSize{kWidth, kHeight}; }
    void GetSize(int32_t* w, int32_t* h) const override {
        *w = kWidth;
        *h = kHeight;
    }
    int GetBitDepth() const override { return m_Depth; }
    BitmapHandle GetBitmap() const override { return nullptr; }
    DCHandle GetDC() override { return nullptr; }
    void ReleaseDC() override {}
    bool Lock() override { return true; }
    void Unlock() override {}
    uint8_t* GetBits() const override { return const_cast<uint8_t*>(m_Bits.data()); }
    int GetPitch() const override { return m_Pitch; }
    uint8_t* GetAlphaBits() const override { return nullptr; }
    int GetAlphaPitch() const override { return 0; }
    void Clear(uint32_t) override {}
    void Fill(uint32_t, SRect) override {}
    void ClearAlpha(uint8_t) override {}
    void FillAlpha(uint8_t, SRect) override {}
    void CopyAlpha(CSoftSurface*, SRect, SRect) override {}
    bool Restore() override { return true; }
    void SetAutoRegister(bool) override {}
    bool IsAutoRegister() const override { return false; }
    void SetWindow(SurfaceWindow) override {}
    SurfaceWindow GetWindow() const override { return nullptr; }

private:
    int m_Depth;
    int m_Pitch;
    std::vector<uint8_t> m_Bits;
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
