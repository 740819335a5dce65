#include <gtest/gtest.h>

#include "SoundTestData.h"
#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "engine/sound/DirectSound.h"
#include "engine/sound/DirectSoundManager.h"
#include "engine/sound/Sound.h"
#include "tests/support/TestSupport.h"

using namespace soundtest;

namespace {

class SoundTest : public ::testing::Test {
protected:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};
    CDirectSound m_Ds;
    void SetUp() override { ASSERT_TRUE(m_Ds.Create(this, CDirectSound::OUTPUT_MANUAL)); }

    std::vector<int16_t> Pull(uint32_t frames) {
        std::vector<int16_t> out(frames * 2);
        m_Ds.Mix(out.data(), frames);
        return out;
    }
    // Pulls in chunks and lets a streaming sound's thread refill after each.
    std::vector<int16_t> PullStreamed(CSound& s, uint32_t frames) {
        std::vector<int16_t> out;
        while (frames > 0) {
            uint32_t n = std::min<uint32_t>(frames, 2048);
            auto part = Pull(n);
            out.insert(out.end(), part.begin(), part.end());
            frames -= n;
            if (s.IsStreaming()) s.WaitForStreamPoll(5000);
        }
        return out;
    }
};

}  // namespace

TEST_F(SoundTest, MissingFileFailsQuietlyAndCorruptFileIsReported) {
    CSound s(&m_Ds);
    CLogCapture log;
    EXPECT_FALSE(s.Load("se\\none.wav"));
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_FALSE(s.Play(false));
    WriteGameFile(m_Dir.Path(), "se/bad.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
    EXPECT_FALSE(s.Load("se\\bad.wav"));
    EXPECT_TRUE(log.Contains("CWaveDecoder::Open()"));
    EXPECT_FALSE(s.IsLoaded());
    for (int16_t v : Pull(100)) ASSERT_EQ(v, 0);
}

TEST_F(SoundTest, ShortFilePlaysWholeAndExact) {
    auto pcm = MakePcm16(21, 4410, 2);
    WriteGameFile(m_Dir.Path(), "se/a.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    CSound s(&m_Ds);
    ASSERT_TRUE(s.Load("se\\A.WAV"));  // names match case-insensitively
    EXPECT_FALSE(s.IsStreaming());
    EXPECT_EQ(s.GetLengthMs(), 100u);
    ASSERT_TRUE(s.Play(false));
    EXPECT_TRUE(s.IsPlaying());
    auto out = Pull(2205);
    EXPECT_EQ(s.GetPosition(), 50u);
    auto rest = Pull(2205 + 100);
    out.insert(out.end(), rest.begin(), rest.end());
    for (size_t i = 0; i < pcm.size(); ++i) ASSERT_EQ(out[i], pcm[i]) << i;
    for (size_t i = pcm.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0);
    EXPECT_FALSE(s.IsPlaying());
    // From a start position.
    ASSERT_TRUE(s.Play(false, 50));
    auto half = Pull(10);
    EXPECT_EQ(half[0], pcm[2 * 2205]);
}

TEST_F(SoundTest, StopFadesOutOver25Ms) {
    auto pcm = MakePcm16(22, 44100, 2);
    WriteGameFile(m_Dir.Path(), "se/b.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    CSound s(&m_Ds);
    ASSERT_TRUE(s.Load("se\\b.wav"));
    s.Play(true);
    Pull(1000);
    s.Stop();
    EXPECT_FALSE(s.IsPlaying());
    auto out = Pull(1200);
    const uint32_t n = 1102;
    EXPECT_EQ(out[0], pcm[2 * 1000]);
    EXPECT_NE(out[2 * 1000], 0);
    EXPECT_LT(std::abs(out[2 * (n - 1)]), 200);
    for (uint32_t k = n; k < 1200; ++k) ASSERT_EQ(out[2 * k], 0);
}

TEST_F(SoundTest, VolumePanAndFrequencyCarryOverALoad) {
    auto pcm = MakePcm16(23, 441, 2);
    WriteGameFile(m_Dir.Path(), "se/c.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    CSound s(&m_Ds);
    s.SetVolume(-20000);
    s.SetPan(-10000);
    EXPECT_EQ(s.GetVolume(), -10000);
    ASSERT_TRUE(s.Load("se\\c.wav"));
    s.Play(false);
    for (int16_t v : Pull(441)) ASSERT_EQ(v, 0);
    s.SetVolume(0);
    s.Play(false);
    auto out = Pull(441);
    for (size_t i = 0; i < 441; ++i) {
        ASSERT_EQ(out[2 * i], pcm[2 * i]);
        ASSERT_EQ(out[2 * i + 1], 0);
    }
    s.SetFrequency(22050);
    EXPECT_EQ(s.GetFrequency(), 22050u);
}

TEST_F(SoundTest, PauseKeepsThePlace) {
    auto pcm = MakePcm16(24, 4410, 2);
    WriteGameFile(m_Dir.Path(), "se/d.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    CSound s(&m_Ds);
    ASSERT_TRUE(s.Load("se\\d.wav"));
    s.Play(false);
    Pull(1000);
    s.Pause();
    EXPECT_TRUE(s.IsPaused());
    EXPECT_FALSE(s.IsPlaying());
    for (int16_t v : Pull(500)) ASSERT_EQ(v, 0);
    s.Resume();
    auto out = Pull(10);
    EXPECT_EQ(out[0], pcm[2 * 1000]);
}

TEST_F(SoundTest, StreamedAndWholeFilesPlayTheSameSamples) {
    const uint32_t frames = 44100 * 3 + 22050;  // 3.5 s: streamed
    auto pcm = MakePcm16(25, frames, 2);
    WriteGameFile(m_Dir.Path(), "bgm/long.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    size_t threads = CThreadList::Get().GetCount();
    std::vector<int16_t> streamed, whole;
    {
        CSound s(&m_Ds);
        ASSERT_TRUE(s.Load("bgm\\long.wav"));
        EXPECT_TRUE(s.IsStreaming());
        ASSERT_TRUE(s.Play(false));
        EXPECT_EQ(CThreadList::Get().GetCount(), threads + 1);
        streamed = PullStreamed(s, frames + 4410);
        // The thread notices the end within a poll or two and ends.
        for (int i = 0; i < 100 && s.IsPlaying(); ++i) s.WaitForStreamPoll(100);
        EXPECT_FALSE(s.IsPlaying());
    }
    EXPECT_TRUE(CThreadList::Get().WaitAll(5000));
    EXPECT_EQ(CThreadList::Get().GetCount(), threads);
    {
        CSound s(&m_Ds);
        ASSERT_TRUE(s.LoadWith("bgm\\long.wav", CSound::LOAD_WHOLE));
        EXPECT_FALSE(s.IsStreaming());
        s.Play(false);
        whole = Pull(frames + 4410);
    }
    ASSERT_EQ(streamed.size(), whole.size());
    for (size_t i = 0; i < pcm.size(); ++i) ASSERT_EQ(streamed[i], pcm[i]) << "sample " << i;
    EXPECT_EQ(streamed, whole);
}

TEST_F(SoundTest, StreamedOggMatchesWholeOgg) {
    auto pcm = MakePcm16(26, 44100 * 3 + 4410, 2);
    WriteGameFile(m_Dir.Path(), "bgm/long.ogg", EncodeOgg(pcm, 2, 44100));
    CSound a(&m_Ds), b(&m_Ds);
    ASSERT_TRUE(a.Load("bgm\\long.ogg"));
    ASSERT_TRUE(b.LoadWith("bgm\\long.ogg", CSound::LOAD_WHOLE));
    EXPECT_TRUE(a.IsStreaming());
    EXPECT_EQ(a.GetLengthMs(), 3100u);
    a.Play(false, 1000);
    auto sa = PullStreamed(a, 44100 * 2 + 8000);
    a.Stop();
    Pull(2000);
    b.Play(false, 1000);
    auto sb = Pull(44100 * 2 + 8000);
    EXPECT_EQ(sa, sb);
}

TEST_F(SoundTest, StreamLoopsAndItsThreadEndsOnStop) {
    auto pcm = MakePcm16(27, 22050, 2);
    WriteGameFile(m_Dir.Path(), "se/loop.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    size_t threads = CThreadList::Get().GetCount();
    CSound s(&m_Ds);
    ASSERT_TRUE(s.LoadWith("se\\loop.wav", CSound::LOAD_STREAM));
    ASSERT_TRUE(s.Play(true));
    EXPECT_TRUE(s.IsLooping());
    auto out = PullStreamed(s, 22050 * 3);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], pcm[i % pcm.size()]) << i;
    EXPECT_TRUE(s.IsPlaying());
    EXPECT_EQ(s.GetPosition(), 0u);
    s.Pause();
    EXPECT_TRUE(s.IsPaused());
    s.Resume();
    EXPECT_EQ(CThreadList::Get().GetCount(), threads + 1);
    s.Stop();
    EXPECT_EQ(CThreadList::Get().GetCount(), threads);
    s.Play(false);
    EXPECT_EQ(CThreadList::Get().GetCount(), threads + 1);
    s.Unload();
    EXPECT_EQ(CThreadList::Get().GetCount(), threads);
}

TEST(DirectSoundManager, OneObjectPerWindow) {
    int w1 = 0, w2 = 0;
    CDirectSound a, b, c;
    ASSERT_TRUE(a.Create(&w1, CDirectSound::OUTPUT_MANUAL));
    CLogCapture log;
    EXPECT_FALSE(b.Create(&w1, CDirectSound::OUTPUT_MANUAL));
    EXPECT_TRUE(log.Contains("CDirectSoundManager::Register()"));
    EXPECT_TRUE(c.Create(&w2, CDirectSound::OUTPUT_MANUAL));
    EXPECT_EQ(CDirectSoundManager::Get().Find(&w1), &a);
    EXPECT_EQ(CDirectSoundManager::Get().Find(&w2), &c);
    EXPECT_EQ(CDirectSoundManager::Get().GetCount(), 2u);
    log.Clear();
    EXPECT_EQ(CDirectSoundManager::Get().ReportAlive(), 2u);
    EXPECT_EQ(log.Count(), 2u);
    EXPECT_TRUE(log.Contains("CDirectSoundManager::~CDirectSoundManager()"));
    a.Release();
    EXPECT_EQ(CDirectSoundManager::Get().Find(&w1), nullptr);
    EXPECT_TRUE(b.Create(&w1, CDirectSound::OUTPUT_MANUAL));
}

TEST(DirectSound, SystemOutputWithoutADeviceRunsSilentWithOneLine) {
    int w = 0;
    CLogCapture log;
    CDirectSound ds;
    ASSERT_TRUE(ds.Create(&w));  // SDL_AUDIODRIVER=dummy in the tests
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_TRUE(log.Contains("CDirectSound::Create()"));
}

TEST(DirectSound, RegistersAsTheThreadsDeviceAndSoundsFindIt) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    WriteGameFile(dir.Path(), "se/a.wav", MakeWave(ToBytes(MakePcm16(1, 100, 2)), 2, 16, 44100));
    int w = 0;
    {
        CDirectSound ds;
        ASSERT_TRUE(ds.Create(&w, CDirectSound::OUTPUT_MANUAL));
        EXPECT_EQ(CDirectSound::GetCurrent(), &ds);
        CSound s;  // no device named: the thread's own
        ASSERT_TRUE(s.Load("se\\a.wav"));
        s.Play(false);
        std::vector<int16_t> out(200);
        ds.Mix(out.data(), 100);
        EXPECT_NE(out[0], 0);
    }
    EXPECT_EQ(CDirectSound::GetCurrent(), nullptr);
    CSound s;
    CLogCapture log;
    EXPECT_FALSE(s.Load("se\\a.wav"));
    EXPECT_TRUE(log.Contains("CSound::Load()"));
}

TEST_F(SoundTest, StreamedOggLoopSeamMatchesWholeOggAndPositionWraps) {
    // A loop that starts part-way: the seam goes back to the file's first frame, and
    // the streamed and whole forms agree on every sample and on the position.
    auto pcm = MakePcm16(28, 30000, 2);
    WriteGameFile(m_Dir.Path(), "bgm/loop.ogg", EncodeOgg(pcm, 2, 44100));
    CSound a(&m_Ds), b(&m_Ds);
    ASSERT_TRUE(a.LoadWith("bgm\\loop.ogg", CSound::LOAD_STREAM));
    ASSERT_TRUE(b.LoadWith("bgm\\loop.ogg", CSound::LOAD_WHOLE));
    ASSERT_TRUE(a.Play(true, 500));
    auto sa = PullStreamed(a, 30000 * 2 + 1234);
    const uint32_t posA = a.GetPosition();
    a.Stop();
    Pull(2000);
    ASSERT_TRUE(b.Play(true, 500));
    auto sb = Pull(30000 * 2 + 1234);
    const uint32_t posB = b.GetPosition();
    ASSERT_EQ(sa.size(), sb.size());
    for (size_t i = 0; i < sa.size(); ++i) ASSERT_EQ(sa[i], sb[i]) << "sample " << i;
    // 22050 + 61234 frames from the start, modulo 30000 frames: 23284 frames = 527 ms.
    EXPECT_EQ(posA, 527u);
    EXPECT_EQ(posB, 527u);
}

TEST_F(SoundTest, FileClaimingAHugeLengthStreamsOrIsRefusedButNeverOverruns) {
    // The last page claims 2^62 frames: as a whole buffer that is refused with a log
    // line; loaded by length it streams what the file really holds and ends.
    auto pcm = MakePcm16(32, 44100, 2);
    WriteGameFile(m_Dir.Path(), "bgm/huge.ogg", WithLastGranule(EncodeOgg(pcm, 2, 44100), 1ull << 62));
    CLogCapture log;
    CSound whole(&m_Ds);
    EXPECT_FALSE(whole.LoadWith("bgm\\huge.ogg", CSound::LOAD_WHOLE));
    EXPECT_TRUE(log.Contains("CStaticSound::Init()"));
    CSound s(&m_Ds);
    ASSERT_TRUE(s.Load("bgm\\huge.ogg"));
    EXPECT_TRUE(s.IsStreaming());
    ASSERT_TRUE(s.Play(false));
    PullStreamed(s, 44100 + 8192);
    for (int i = 0; i < 100 && s.IsPlaying(); ++i) s.WaitForStreamPoll(100);
    EXPECT_FALSE(s.IsPlaying());
}

TEST(SoundThreads, GameThreadCallsWhileOutputAndStreamThreadsRun) {
    // The output mixes on its own thread and the stream refills on another while the
    // game thread drives the sound (run under ThreadSanitizer to check the locks).
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    WriteGameFile(dir.Path(), "bgm/s.wav", MakeWave(ToBytes(MakePcm16(33, 8000, 2)), 2, 16, 44100));
    int w = 0;
    CDirectSound ds;
    ASSERT_TRUE(ds.Create(&w));
    size_t threads = CThreadList::Get().GetCount();
    {
        CSound s(&ds);
        ASSERT_TRUE(s.LoadWith("bgm\\s.wav", CSound::LOAD_STREAM));
        for (int i = 0; i < 100; ++i) {
            switch (i % 7) {
                case 0: s.Play(i % 2 == 0, static_cast<uint32_t>(i)); break;
                case 1: s.Pause(); break;
                case 2: s.Resume(); break;
                case 3: s.SetVolume(-(i * 10)); break;
                case 4: s.SetPan(i * 10 - 1000); break;
                case 5: s.Stop(); break;
                default: s.SetFrequency(22050 + static_cast<uint32_t>(i)); break;
            }
            (void)s.GetPosition();
            (void)s.IsPlaying();
            s.WaitForStreamPoll(50);
        }
        s.Stop();
        EXPECT_FALSE(s.IsPlaying());
    }
    EXPECT_EQ(CThreadList::Get().GetCount(), threads);
}

TEST_F(SoundTest, StreamedStopFadesOutOver25MsLikeAWholeOne) {
    const uint32_t frames = 44100 * 3 + 100;
    auto pcm = MakePcm16(34, frames, 2);
    WriteGameFile(m_Dir.Path(), "bgm/f.wav", MakeWave(ToBytes(pcm), 2, 16, 44100));
    std::vector<int16_t> streamed, whole;
    for (auto mode : {CSound::LOAD_STREAM, CSound::LOAD_WHOLE}) {
        CSound s(&m_Ds);
        ASSERT_TRUE(s.LoadWith("bgm\\f.wav", mode));
        ASSERT_TRUE(s.Play(true, 1000));
        PullStreamed(s, 3000);
        s.Stop();
        EXPECT_FALSE(s.IsPlaying());
        (mode == CSound::LOAD_STREAM ? streamed : whole) = Pull(1200);
    }
    EXPECT_EQ(streamed, whole);
    const uint32_t n = 1102;  // 25 ms at 44.1 kHz
    EXPECT_EQ(streamed[0], pcm[2 * (44100 + 3000)]);
    for (uint32_t k = n; k < 1200; ++k) ASSERT_EQ(streamed[2 * k], 0) << k;
    EXPECT_NE(streamed[2 * (n - 2)], 0);
}
