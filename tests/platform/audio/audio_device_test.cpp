#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace {

std::vector<int16_t> RandomSamples(uint32_t seed, size_t count, int amplitude = 20000) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(-amplitude, amplitude);
    std::vector<int16_t> v(count);
    for (auto& s : v) s = static_cast<int16_t>(d(rng));
    return v;
}

std::shared_ptr<CAudioBuffer> MakeStereo(CAudioDevice& dev, const std::vector<int16_t>& pcm, uint32_t rate = 44100) {
    SAudioFormat f;
    f.rate = rate;
    auto b = dev.CreateBuffer(f, static_cast<uint32_t>(pcm.size() * 2));
    EXPECT_TRUE(b);
    EXPECT_TRUE(b->Write(0, pcm.data(), static_cast<uint32_t>(pcm.size() * 2)));
    return b;
}

std::vector<int16_t> Pull(CAudioDevice& dev, uint32_t frames) {
    std::vector<int16_t> out(frames * 2);
    dev.Mix(out.data(), frames);
    return out;
}

// An 8-bit buffer of the given samples, playing once.
std::shared_ptr<CAudioBuffer> PlayEightBit(CAudioDevice& dev, uint16_t channels, const std::vector<uint8_t>& pcm) {
    SAudioFormat f;
    f.channels = channels;
    f.bits = 8;
    auto b = dev.CreateBuffer(f, static_cast<uint32_t>(pcm.size()));
    if (b) {
        EXPECT_TRUE(b->Write(0, pcm.data(), static_cast<uint32_t>(pcm.size())));
        b->Play(false);
    }
    return b;
}

int16_t Model(float s, float gain) {
    float v = s * gain;
    v = v > 32767.0f ? 32767.0f : (v < -32768.0f ? -32768.0f : v);
    return static_cast<int16_t>(std::lrintf(v));
}

float Db(int32_t v) { return v <= -10000 ? 0.0f : static_cast<float>(std::pow(10.0, v / 2000.0)); }

}  // namespace

TEST(AudioMixer, UnityVolumeCentrePanIsBitExact) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        CAudioDevice dev;
        dev.OpenManual();
        auto pcm = RandomSamples(seed, 2 * 3000, 32768);
        auto b = MakeStereo(dev, pcm);
        b->Play(false);
        auto out = Pull(dev, 3000);
        ASSERT_EQ(out, pcm) << "seed " << seed;
    }
}

TEST(AudioMixer, VolumeScalesAndMinimumIsSilent) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(7, 2 * 1000);
    auto b = MakeStereo(dev, pcm);
    b->SetVolume(-10000);
    b->Play(true);
    for (int16_t s : Pull(dev, 1000)) ASSERT_EQ(s, 0);
    b->SetVolume(-600);
    b->SetPlayPosition(0);
    auto out = Pull(dev, 1000);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], Model(pcm[i], Db(-600))) << "sample " << i;
    b->SetVolume(500);  // held to 0
    EXPECT_EQ(b->GetVolume(), 0);
}

TEST(AudioMixer, PanMovesEnergyToOneSide) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(11, 2 * 2000);
    auto b = MakeStereo(dev, pcm);
    b->Play(true);
    b->SetPan(-10000);
    auto left = Pull(dev, 2000);
    for (size_t i = 0; i < 2000; ++i) {
        ASSERT_EQ(left[2 * i], pcm[2 * i]);
        ASSERT_EQ(left[2 * i + 1], 0);
    }
    b->SetPan(2000);
    b->SetPlayPosition(0);
    auto right = Pull(dev, 2000);
    double el = 0, er = 0;
    for (size_t i = 0; i < 2000; ++i) {
        ASSERT_EQ(right[2 * i], Model(pcm[2 * i], Db(-2000)));
        ASSERT_EQ(right[2 * i + 1], pcm[2 * i + 1]);
        el += double(right[2 * i]) * right[2 * i];
        er += double(right[2 * i + 1]) * right[2 * i + 1];
    }
    EXPECT_LT(el * 50, er);  // -20 dB on the left is a hundredth of the energy
}

TEST(AudioMixer, EightBitMonoFillsBothSides) {
    CAudioDevice dev;
    dev.OpenManual();
    std::vector<uint8_t> pcm = {0, 64, 128, 200, 255};
    auto b = PlayEightBit(dev, 1, pcm);
    ASSERT_TRUE(b);
    auto out = Pull(dev, 7);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(out[2 * i], (pcm[i] - 128) * 256);
        EXPECT_EQ(out[2 * i + 1], (pcm[i] - 128) * 256);
    }
    EXPECT_EQ(out[10], 0);
    EXPECT_FALSE(b->IsPlaying());
}

TEST(AudioMixer, EightBitStereoKeepsEachSide) {
    CAudioDevice dev;
    dev.OpenManual();
    // Left and right apart in every frame, at both ends of the range.
    const std::vector<uint8_t> pcm = {0, 255, 64, 200, 128, 1, 255, 0, 17, 128};
    ASSERT_TRUE(PlayEightBit(dev, 2, pcm));
    auto out = Pull(dev, 6);
    for (size_t i = 0; i < pcm.size(); ++i) {
        EXPECT_EQ(out[i], (pcm[i] - 128) * 256) << (i % 2 ? "right " : "left ") << i / 2;
    }
    EXPECT_EQ(out[10], 0);
    EXPECT_EQ(out[11], 0);
}

TEST(AudioMixer, LoopingWrapsAndOnceEnds) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(3, 2 * 100);
    auto loop = MakeStereo(dev, pcm);
    loop->Play(true);
    auto out = Pull(dev, 250);
    for (size_t i = 0; i < 250; ++i) ASSERT_EQ(out[2 * i], pcm[2 * (i % 100)]);
    EXPECT_TRUE(loop->IsPlaying());
    EXPECT_EQ(loop->GetPlayPosition(), 50u * 4);
    EXPECT_EQ(loop->GetPlayedFrames(), 250u);
    loop->Stop();

    auto once = MakeStereo(dev, pcm);
    once->SetPlayPosition(40 * 4);
    once->Play(false);
    out = Pull(dev, 100);
    for (size_t i = 0; i < 60; ++i) ASSERT_EQ(out[2 * i], pcm[2 * (40 + i)]);
    for (size_t i = 60; i < 100; ++i) ASSERT_EQ(out[2 * i], 0);
    EXPECT_FALSE(once->IsPlaying());
    EXPECT_EQ(dev.GetPlayingCount(), 0u);
}

TEST(AudioMixer, StopFadeRampsLinearlyOverItsLength) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(5, 2 * 4000);
    auto b = MakeStereo(dev, pcm);
    b->Play(true);
    Pull(dev, 100);
    b->StopWithFade(25);
    const uint32_t n = 44100 * 25 / 1000;  // 1102 frames
    EXPECT_TRUE(b->IsFadingOut());
    auto out = Pull(dev, n + 50);
    for (uint32_t k = 0; k < n; ++k) {
        float g = static_cast<float>(n - k) / static_cast<float>(n);
        ASSERT_EQ(out[2 * k], Model(static_cast<float>(pcm[2 * (100 + k)]) * g, 1.0f)) << "frame " << k;
    }
    for (uint32_t k = n; k < n + 50; ++k) ASSERT_EQ(out[2 * k], 0);
    EXPECT_FALSE(b->IsPlaying());
}

TEST(AudioMixer, ReleasedBufferFinishesItsFade) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(9, 2 * 4000);
    std::weak_ptr<CAudioBuffer> weak;
    {
        auto b = MakeStereo(dev, pcm);
        b->Play(true);
        b->StopWithFade(10);
        weak = b;
    }
    EXPECT_FALSE(weak.expired());
    auto out = Pull(dev, 10);
    EXPECT_EQ(out[0], pcm[0]);
    Pull(dev, 1000);
    EXPECT_TRUE(weak.expired());
}

TEST(AudioMixer, SumsSaturate) {
    CAudioDevice dev;
    dev.OpenManual();
    std::vector<int16_t> loud(2 * 10, 30000), quiet(2 * 10, -30000);
    auto a = MakeStereo(dev, loud);
    auto b = MakeStereo(dev, loud);
    a->Play(false);
    b->Play(false);
    for (int16_t s : Pull(dev, 10)) ASSERT_EQ(s, 32767);
    auto c = MakeStereo(dev, quiet);
    auto d = MakeStereo(dev, quiet);
    c->Play(false);
    d->Play(false);
    for (int16_t s : Pull(dev, 10)) ASSERT_EQ(s, -32768);
}

TEST(AudioMixer, HalfFrequencyInterpolates) {
    CAudioDevice dev;
    dev.OpenManual();
    auto pcm = RandomSamples(13, 2 * 200);
    auto b = MakeStereo(dev, pcm);
    b->SetFrequency(22050);
    EXPECT_EQ(b->GetFrequency(), 22050u);
    b->Play(false);
    auto out = Pull(dev, 200);
    for (size_t k = 0; k < 100; ++k) {
        ASSERT_EQ(out[4 * k], pcm[2 * k]);
        if (k + 1 < 100) {
            float a = pcm[2 * k], c = pcm[2 * (k + 1)];
            ASSERT_EQ(out[4 * k + 2], Model(a + (c - a) * 0.5f, 1.0f));
        }
    }
    EXPECT_EQ(b->GetPlayedFrames(), 100u);
}

TEST(AudioMixer, RingWritesWrapAndBadArgumentsFail) {
    CAudioDevice dev;
    dev.OpenManual();
    SAudioFormat f;
    auto b = dev.CreateBuffer(f, 40);  // 10 frames
    ASSERT_TRUE(b);
    std::vector<int16_t> data(2 * 4, 1234);
    EXPECT_TRUE(b->Write(32, data.data(), 16));  // frames 8, 9, 0, 1
    EXPECT_FALSE(b->Write(40, data.data(), 4));
    EXPECT_FALSE(b->Write(0, data.data(), 44));
    b->Play(false);
    auto out = Pull(dev, 10);
    EXPECT_EQ(out[0], 1234);
    EXPECT_EQ(out[2], 1234);
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[16], 1234);
    EXPECT_EQ(dev.CreateBuffer(f, 0), nullptr);
    SAudioFormat bad;
    bad.bits = 24;
    EXPECT_EQ(dev.CreateBuffer(bad, 100), nullptr);
}

TEST(AudioOutput, SilentOutputsStillKeepTime) {
    // SDL reads the driver's name when its audio starts, which the device does on open
    // and undoes on close: each row opens under its own name, whatever ran before.
    struct Row {
        const char* driver;
        const char* note;  // how the note begins
        size_t frames;
    };
    const Row rows[] = {
        {"dummy", "audio driver \"dummy\" is silent", 441},    // SDL's silent output
        {"no-such-driver", "SDL_InitSubSystem: ", 661},         // no output at all: the clock
    };
    const char* was = std::getenv("SDL_AUDIODRIVER");
    const bool had = was != nullptr;
    const std::string saved = had ? was : "";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.driver);
        setenv("SDL_AUDIODRIVER", row.driver, 1);
        CAudioDevice dev;
        std::string note;
        EXPECT_TRUE(dev.OpenOutput(&note));
        EXPECT_EQ(note.rfind(row.note, 0), 0u) << note;
        EXPECT_FALSE(dev.HasRealOutput());
        auto b = MakeStereo(dev, std::vector<int16_t>(2 * row.frames, 100));
        b->Play(false);
        // The output consumes the buffer in real time; wait generously for its end.
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (b->IsPlaying() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_FALSE(b->IsPlaying());
        EXPECT_EQ(b->GetPlayedFrames(), row.frames);
        dev.Close();
    }
    if (had) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else unsetenv("SDL_AUDIODRIVER");
}

// Reaches into a buffer to put its cursor where hours of play would have left it.
class CAudioBufferTestAccess {
public:
    static void SetPlayed(CAudioBuffer& b, uint64_t frames) {
        b.m_Played = frames;
        b.m_Frac = 0;
    }
};

TEST(AudioMixer, LoopingCursorKeepsCountingPast32BitsOfFrames) {
    // After 2^32 frames (27 hours at 44.1 kHz) a looping buffer still steps frame by
    // frame through its data and the played count keeps rising: a stream measures its
    // ring's free space by it.
    CAudioDevice dev;
    dev.OpenManual();
    const std::vector<int16_t> pcm = {100, -100, 200, -200, 300, -300};  // 3 frames
    auto b = MakeStereo(dev, pcm);
    b->Play(true);
    const uint64_t start = (1ull << 32) - 2;
    CAudioBufferTestAccess::SetPlayed(*b, start);
    auto out = Pull(dev, 4);
    for (uint32_t k = 0; k < 4; ++k) {
        const size_t f = static_cast<size_t>((start + k) % 3);
        ASSERT_EQ(out[2 * k], pcm[2 * f]) << "frame " << k;
        ASSERT_EQ(out[2 * k + 1], pcm[2 * f + 1]) << "frame " << k;
    }
    EXPECT_EQ(b->GetPlayedFrames(), start + 4);
    EXPECT_EQ(b->GetPlayPosition(), static_cast<uint32_t>((start + 4) % 3) * 4u);
}
