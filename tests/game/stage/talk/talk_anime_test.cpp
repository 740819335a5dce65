// Animated pictures: cutting the strip, frame timing by the wait, the cross-fade on the
// Direct3D screen, forwarding to every frame, thumbnails and cutting again on restore.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/stage/talk/TalkCgAnime.h"
#include "tests/game/stage/talk/TalkTestUtil.h"

namespace {

// Each column of the strip has a colour of its own.
std::vector<uint32_t> ColumnStrip(int w, int h) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = 0xFF000000u | static_cast<uint32_t>(x * 37 + 1);
    return px;
}

class TalkAnimeTest : public talktest::CTalkTest {
protected:
    void SetUp() override {
        CTalkTest::SetUp();
        WritePicture("obj\\strip.bmp", ColumnStrip(900, 4), 900, 4);
        WritePicture("obj\\two.bmp", talktest::Bands({0xFFFF0000u, 0xFF0000FFu}, 10, 10), 20, 10);
    }
};

}  // namespace

TEST_F(TalkAnimeTest, TheStripIsCutIntoEqualFramesWithBadCountsHeld) {
    struct SCase {
        int32_t count;
        int32_t frames;
        int32_t width;
    };
    const SCase cases[] = {{4, 4, 225}, {0, 1, 900}, {7, 7, 128}, {-3, 1, 900}, {2000, 900, 1}};
    const auto strip = ColumnStrip(900, 4);
    for (const SCase& c : cases) {
        CTalkCgAnime a;
        ASSERT_TRUE(a.LoadAnime("obj\\strip.bmp", c.count, false)) << c.count;
        EXPECT_EQ(a.GetFrameCount(), c.frames) << c.count;
        ASSERT_EQ(a.GetSize(), (SSize{c.width, 4})) << c.count;
        for (int32_t i = 0; i < c.frames; i += std::max(1, c.frames / 7)) {
            const uint32_t* px = a.GetFrame(static_cast<size_t>(i))->GetPlane().GetPixels();
            ASSERT_NE(px, nullptr);
            EXPECT_EQ(px[c.width - 1] & 0xFFFFFFu, strip[static_cast<size_t>(i * c.width + c.width - 1)] & 0xFFFFFFu)
                << c.count << " frame " << i;
        }
    }
    CTalkCgAnime a;
    ASSERT_TRUE(a.LoadAnime("obj\\strip.bmp", 4, false));
    EXPECT_FALSE(a.LoadAnime("obj\\missing.bmp", 4, false));
    EXPECT_FALSE(a.IsLoaded());  // the old frames are gone
    EXPECT_EQ(a.GetSize(), (SSize{0, 0}));
    EXPECT_EQ(a.GetAlpha(), 0);
}

TEST_F(TalkAnimeTest, TheWaitTimesTheFrames) {
    struct SCase {
        int32_t wait;
        std::vector<int32_t> frames;  // the current frame after each update
    };
    const SCase cases[] = {
        {-4, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 0}},
        {0, {1, 2, 3, 0, 1}},
        {1, {1, 2, 3, 0, 1}},
        {3, {3, 2, 1, 0, 3}},
        {INT32_MAX, {3, 2, 1, 0}},
    };
    for (const SCase& c : cases) {
        CTalkCgAnime a;
        ASSERT_TRUE(a.LoadAnime("obj\\strip.bmp", 4, true));
        a.SetFrameWait(c.wait);
        std::vector<int32_t> seen;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            a.Update();
            seen.push_back(a.GetCurrentFrame());
        }
        EXPECT_EQ(seen, c.frames) << c.wait;
    }
    CTalkCgAnime a;
    a.SetFrameWait(0);
    EXPECT_EQ(a.GetFrameWait(), 1);
}

TEST_F(TalkAnimeTest, BlendedFramesCrossFadeOnTheDirect3DScreen) {
    CTalkCgAnime a;
    ASSERT_TRUE(a.LoadAnime("obj\\two.bmp", 2, true));
    a.SetFrameWait(-4);
    a.Show();
    a.SetAlpha(200);
    a.Update();  // frame 1, fade 0
    a.Update();  // fade 1 of 4
    ASSERT_EQ(a.GetCurrentFrame(), 1);
    const int v = a.GetFadeValue();
    EXPECT_EQ(v, 63);
    a.Draw();
    // The red frame at (255 − v) × 200 / 255, then the blue one at v × 200 / 255 over it.
    const int prev = (255 - v) * 200 / 255, cur = v * 200 / 255;
    const uint32_t p = Probe(0, 0);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), prev * (255 - cur) / 255, 2);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), cur, 2);
    EXPECT_EQ(a.GetFrame(0)->GetAlpha(), 200);
    EXPECT_EQ(a.GetFrame(1)->GetAlpha(), 200);
    // At the wrap the frame before frame 0 is the last one: the blue frame fades out.
    for (int i = 0; i < 4; ++i) a.Update();
    ASSERT_EQ(a.GetCurrentFrame(), 0);
    ASSERT_EQ(a.GetFadeValue(), v);
    Clear();
    a.Draw();
    EXPECT_NEAR(static_cast<int>(Probe(0, 0) & 0xFF), prev * (255 - cur) / 255, 2);
    EXPECT_NEAR(static_cast<int>((Probe(0, 0) >> 16) & 0xFF), cur, 2);

    // Effects off: frame 0 alone.  Without blending: the current frame alone.
    CSystemData off{CSystemData::kNoLoad};
    off.SetOption(CSystemData::OPTION_EFFECTS, 0);
    {
        CTalkSystemDataOverride scope(off);
        Clear();
        a.Draw();
        EXPECT_EQ(Probe(0, 0), (200u * 255 / 255) << 16);
    }
    CTalkCgAnime plain;
    ASSERT_TRUE(plain.LoadAnime("obj\\two.bmp", 2, false));
    plain.Show();
    plain.Update();
    Clear();
    plain.Draw();
    EXPECT_EQ(Probe(0, 0), 0x0000FFu);
}

TEST_F(TalkAnimeTest, OperationsReachEveryFrameAndRestoreCutsAgain) {
    CTalkCgAnime a;
    ASSERT_TRUE(a.LoadAnime("obj\\strip.bmp", 3, false));
    a.SetPosition(5, 6);
    a.SetAlpha(300);
    a.SetMotion("pos_x,50,0,1");
    a.PlayMotion(false);
    a.StartIn();
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(a.GetFrame(i)->GetPosition(), (SPoint{5, 6}));
        EXPECT_EQ(a.GetFrame(i)->GetAlpha(), 255);
        EXPECT_TRUE(a.GetFrame(i)->IsMotionPlaying());
        EXPECT_EQ(a.GetFrame(i)->GetState(), CTalkPicture::STATE_APPEARING);
    }
    a.StopMotion();
    EXPECT_EQ(a.GetPosition(), (SPoint{50, 6}));
    EXPECT_FALSE(a.IsMotionPlaying());

    const std::vector<uint32_t> before(a.GetFrame(2)->GetPlane().GetPixels(), a.GetFrame(2)->GetPlane().GetPixels() + 300 * 4);
    a.GetFrame(2)->GetPlane().Fill(0xFF00FF00u);
    Device()->GetDevice()->SimulateDeviceLost();
    ASSERT_TRUE(m_Screen->Screen().GetRenderer()->RestoreDevice());
    a.OnDeviceRestored();
    const uint32_t* after = a.GetFrame(2)->GetPlane().GetPixels();
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after));
}

TEST_F(TalkAnimeTest, TheThumbnailIsTheFirstCellOfTheSmallStrip) {
    CTalkCgAnime a;
    ASSERT_TRUE(a.LoadAnime("obj\\two.bmp", 2, false));
    a.SetPosition(100, 100);
    {
        CLogCapture log;
        EXPECT_TRUE(a.DrawSmall());  // hidden frames and no small strip: nothing drawn
        EXPECT_TRUE(log.Contains("CTalkCgAnime::DrawSmall() サムネール用画像がない"));
        EXPECT_EQ(Probe(100, 100), 0u);
    }
    WritePicture("obj\\small\\obj\\two.bmp", talktest::Bands({0xFF00FF00u, 0xFFFFFF00u}, 2, 2), 4, 2);
    EXPECT_TRUE(a.DrawSmall());  // whatever the frames' states: 2 × 2 cell over 10 × 10
    EXPECT_EQ(Probe(100, 100), 0x00FF00u);
    EXPECT_EQ(Probe(109, 109), 0x00FF00u);
    EXPECT_EQ(Probe(110, 109), 0u);
}
