#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "engine/d3d/D3DScreenRenderer.h"
#include "engine/file/PakWriter.h"
#include "engine/sound/DirectSound.h"
#include "tests/engine/d3d/D3DTestUtil.h"
#include "tests/support/TestSupport.h"
#include "tests/support/movie/MovieTestUtil.h"

using namespace movietest;
using testsupport::CGameFolderScope;
using testsupport::CTempDir;

namespace {

class MoviePlayerTest : public ::testing::Test {
protected:
    MoviePlayerTest() : m_Folder(m_Temp.Path()) {}

    CMoviePlayer::SOptions Silent() {
        CMoviePlayer::SOptions o;
        o.clock = &m_Clock;
        o.withSound = false;
        return o;
    }
    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(m_Temp.Path() + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    CTempDir m_Temp;
    CGameFolderScope m_Folder;
    CStepClock m_Clock;
};

// The left half's colour at a probe in its middle.
constexpr uint32_t kProbeX = 200, kProbeY = 300;

TEST_F(MoviePlayerTest, RunPauseAndStopMoveTheTimeOnlyWhileRunning) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    const size_t threadsBefore = CThreadList::Get().GetCount();
    {
        CMoviePlayer player(Silent());
        ASSERT_TRUE(player.Open("mov.pak"));
        EXPECT_NEAR(static_cast<int>(player.GetDurationMs()), 1000, 100);
        EXPECT_FALSE(player.HasSound());
        EXPECT_FALSE(player.IsRunning());
        EXPECT_FALSE(player.CheckState());

        ASSERT_TRUE(player.Run());
        EXPECT_TRUE(player.IsRunning());
        m_Clock.Advance(300);
        EXPECT_EQ(player.GetPositionMs(), 300u);

        ASSERT_TRUE(player.Pause());
        EXPECT_TRUE(player.CheckState());
        EXPECT_FALSE(player.IsRunning());
        m_Clock.Advance(500);
        EXPECT_EQ(player.GetPositionMs(), 300u) << "paused time stands still";

        ASSERT_TRUE(player.Run());
        EXPECT_FALSE(player.CheckState());
        m_Clock.Advance(100);
        EXPECT_EQ(player.GetPositionMs(), 400u);

        ASSERT_TRUE(player.StopGraph());
        EXPECT_FALSE(player.IsRunning());
        EXPECT_FALSE(player.IsDecoding());
        EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore);

        // A run after a stop starts over from the first picture.
        ASSERT_TRUE(player.Run());
        TakeDuePictures(player);
        EXPECT_EQ(player.GetFrameTimeMs(), 0u);
        EXPECT_TRUE(Near(Pixel(player, kProbeX, kProbeY), PatternColor(0)));
    }
    EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore) << "destruction while running ends the decoder";
}

TEST_F(MoviePlayerTest, ThePictureShownIsTheOneDueAtTheTimeAndItEndsAfterItsLength) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    CMoviePlayer player(Silent());
    ASSERT_TRUE(player.Open("mov.pak"));
    ASSERT_TRUE(player.Run());
    const uint32_t frameMs = 40;
    for (uint32_t t : {0u, 130u, 450u, 610u, 900u}) {
        m_Clock.Advance(t - player.GetPositionMs());
        TakeDuePictures(player);
        SCOPED_TRACE(t);
        EXPECT_EQ(player.GetFrameTimeMs() / frameMs, t / frameMs);
        const uint32_t shown = Pixel(player, kProbeX, kProbeY);
        EXPECT_EQ(shown >> 24, 0xFFu) << "opaque";
        EXPECT_TRUE(Near(shown, PatternColor(static_cast<int>(t / frameMs)))) << std::hex << shown;
    }
    EXPECT_TRUE(player.IsRunning());
    m_Clock.Advance(100);
    TakeDuePictures(player);
    EXPECT_FALSE(player.IsRunning()) << "every picture shown and the length reached";
}

TEST_F(MoviePlayerTest, AWidePictureIsLetterboxedBetweenBlackBands) {
    WriteMovie(m_Temp.Path(), SClip{.width = 160, .height = 90, .frames = 5, .audio = false});
    CMoviePlayer player(Silent());
    ASSERT_TRUE(player.Open("mov.pak"));
    player.UpdateFrame();
    ASSERT_EQ(player.GetFrame().size(), size_t{CMoviePlayer::kWidth} * CMoviePlayer::kHeight);
    // 800 × 450 in the middle: bands of 75 rows above and below.
    for (uint32_t y : {0u, 70u, 530u, 599u}) EXPECT_EQ(Pixel(player, kProbeX, y), 0xFF000000u) << y;
    for (uint32_t y : {80u, 300u, 520u}) EXPECT_TRUE(Near(Pixel(player, kProbeX, y), PatternColor(0))) << y;
}

TEST_F(MoviePlayerTest, ThePictureIsDrawnOverTheWholeScreenThroughTheDevice) {
    WriteMovie(m_Temp.Path(), SClip{.frames = 10, .audio = false});
    CD3DScreenRenderer renderer;
    ASSERT_TRUE(renderer.Initialize(nullptr, true));
    CMoviePlayer player(Silent());
    ASSERT_TRUE(player.Open("mov.pak"));
    ASSERT_TRUE(player.Run());
    for (uint32_t t : {0u, 240u}) {
        m_Clock.Advance(t - player.GetPositionMs());
        TakeDuePictures(player);
        ASSERT_TRUE(renderer.BeginScene());
        renderer.Clear(0xFF000000u);
        EXPECT_TRUE(player.DrawFrame(renderer));
        renderer.EndScene();
        const std::vector<uint32_t> screen = d3dtest::ReadBackBuffer(*renderer.GetD3DDevice());
        SCOPED_TRACE(t);
        // Texel for pixel, corners included.
        for (auto [x, y] : {std::pair{0u, 0u}, {kProbeX, kProbeY}, {799u, 599u}, {640u, 20u}}) {
            EXPECT_EQ(screen[static_cast<size_t>(y) * CMoviePlayer::kWidth + x], Pixel(player, x, y) & 0xFFFFFFu)
                << x << "," << y;
        }
        EXPECT_TRUE(Near(screen[kProbeY * CMoviePlayer::kWidth + kProbeX], PatternColor(static_cast<int>(t / 40))));
    }
}

TEST_F(MoviePlayerTest, TheSingleFileFormPlaysTheSame) {
    std::vector<uint8_t> clip, single;
    std::string error;
    ASSERT_TRUE(EncodeClip(SClip{.frames = 10, .audio = false}, &clip, &error)) << error;
    ASSERT_TRUE(CPakWriter::BuildSingle("mov.mpg", clip, &single));
    WriteBytes("mov.pak", single);
    CMoviePlayer player(Silent());
    ASSERT_TRUE(player.Open("mov.pak"));
    ASSERT_TRUE(player.Run());
    m_Clock.Advance(250);
    TakeDuePictures(player);
    EXPECT_TRUE(Near(Pixel(player, kProbeX, kProbeY), PatternColor(6)));
}

TEST_F(MoviePlayerTest, BadFilesAreRefusedWithALogLine) {
    std::vector<uint8_t> clip, soundOnly;
    std::string error;
    ASSERT_TRUE(EncodeClip(SClip{.frames = 10}, &clip, &error)) << error;
    ASSERT_TRUE(EncodeClip(SClip{.frames = 10, .video = false}, &soundOnly, &error)) << error;
    std::vector<uint8_t> corrupt(clip.size());
    for (size_t i = 0; i < corrupt.size(); ++i) corrupt[i] = static_cast<uint8_t>(i * 131 + 7);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool write;
    } cases[] = {
        {"missing", {}, false},
        {"empty", {}, true},
        {"truncated", std::vector<uint8_t>(clip.begin(), clip.begin() + 60), true},
        {"corrupt", corrupt, true},
        {"no video", soundOnly, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove((m_Temp.Path() + "mov.pak").c_str());
        if (c.write) WriteBytes("mov.pak", c.bytes);
        CLogCapture log;
        CMoviePlayer player(Silent());
        EXPECT_FALSE(player.Open("mov.pak"));
        EXPECT_TRUE(log.Contains("CMoviePlayer::Open()"));
        EXPECT_FALSE(player.Run());
        EXPECT_FALSE(player.IsRunning());
    }
}

class MovieSoundTest : public MoviePlayerTest {
protected:
    void SetUp() override { ASSERT_TRUE(m_Ds.Create(this, CDirectSound::OUTPUT_MANUAL)); }
    // The loudest sample of `frames` frames of the mix.
    int Peak(uint32_t frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        m_Ds.Mix(out.data(), frames);
        int peak = 0;
        for (int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
        return peak;
    }
    CDirectSound m_Ds;
};

TEST_F(MovieSoundTest, TheSoundReachesTheMixerAtTheVolumeSetAndLeadsTheTime) {
    WriteMovie(m_Temp.Path(), SClip{.frames = 25, .amplitude = 0.5});
    // The model of the curve: −10,000 + 10,000 × log10(1 + 9 × v / 1,000) hundredths of a dB.
    const auto gain = [](int v) { return std::pow(10.0, (-10000 + 10000 * std::log10(1 + 9.0 * v / 1000)) / 2000.0); };
    for (int volume : {1000, 700, 300, 0}) {
        SCOPED_TRACE(volume);
        CMoviePlayer player(CMoviePlayer::SOptions{.clock = &m_Clock, .sound = &m_Ds});
        ASSERT_TRUE(player.Open("mov.pak"));
        ASSERT_TRUE(player.HasSound());
        player.SetVolume(volume);
        ASSERT_TRUE(player.Run());
        Peak(4410);  // past the encoder's start-up
        const int peak = Peak(4410);
        const double expected = 0.5 * 32767 * (volume == 0 ? 0.0 : gain(volume));
        EXPECT_NEAR(peak, expected, 0.08 * 0.5 * 32767 * std::max(gain(volume), 0.02));
        // The clock stood still: the time is the sound's.
        EXPECT_NEAR(static_cast<int>(player.GetPositionMs()), 200, 2);
    }
}

}  // namespace
