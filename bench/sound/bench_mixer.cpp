// The software mixer under load: 32 looping voices into 44.1 kHz stereo, pulled in
// the output's 1,024-frame blocks.  "audio_s_per_cpu_s" is how many seconds of audio
// one second of one core mixes; its inverse is the share of a core the mix takes.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace {

void MixVoices(benchmark::State& state, bool mixedFormats) {
    CAudioDevice dev;
    dev.OpenManual();
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> d(-8000, 8000);
    std::vector<std::shared_ptr<CAudioBuffer>> voices;
    const int count = static_cast<int>(state.range(0));
    for (int v = 0; v < count; ++v) {
        SAudioFormat f;
        if (mixedFormats && v % 2 == 1) {
            f.rate = 22050;  // resampled with interpolation
            f.channels = 1;
        }
        std::vector<int16_t> pcm(static_cast<size_t>(f.rate) * f.channels);
        for (auto& s : pcm) s = static_cast<int16_t>(d(rng));
        auto b = dev.CreateBuffer(f, static_cast<uint32_t>(pcm.size() * 2));
        b->Write(0, pcm.data(), static_cast<uint32_t>(pcm.size() * 2));
        b->SetVolume(-(v * 100) % 3000);
        b->SetPan((v * 700) % 4000 - 2000);
        b->Play(true);
        voices.push_back(b);
    }
    std::vector<int16_t> out(1024 * 2);
    for (auto _ : state) {
        dev.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024);
    state.counters["audio_s_per_cpu_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1024 / 44100.0, benchmark::Counter::kIsRate);
}

void BM_Mix44kStereo(benchmark::State& state) { MixVoices(state, false); }
void BM_MixMixedFormats(benchmark::State& state) { MixVoices(state, true); }

}  // namespace

BENCHMARK(BM_Mix44kStereo)->Arg(1)->Arg(32);
BENCHMARK(BM_MixMixedFormats)->Arg(32);

BENCHMARK_MAIN();
