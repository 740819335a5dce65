// Still pictures drawn on the software graphics device: placement, opacity, scale and
// rotation against a scalar model, the appearing and disappearing states, the texture
// filters around each draw and the save thumbnails.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/base/Log.h"
#include "engine/base/SinTable.h"
#include "engine/d3d/NullScreenRenderer.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "game/stage/talk/TalkCgImage.h"
#include "game/stage/talk/TalkObjectManager.h"
#include "tests/game/stage/talk/TalkTestUtil.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

// 40 × 40 in four quadrants: red, green / blue, white.
std::vector<uint32_t> Quadrants() {
    std::vector<uint32_t> px(1600);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) px[static_cast<size_t>(y) * 40 + x] = y < 20 ? (x < 20 ? kRed : kGreen) : (x < 20 ? kBlue : kWhite);
    return px;
}

class TalkPictureTest : public talktest::CTalkTest {
protected:
    void SetUp() override {
        CTalkTest::SetUp();
        WritePicture("obj\\quad.bmp", Quadrants(), 40, 40);
    }
    // Every screen pixel whose centre, taken back through the picture's transform,
    // lies more than a pixel and a half inside a quadrant has that quadrant's colour,
    // and every pixel well outside the picture is black.
    int CountMismatches(const CTalkCgImage& p) {
        const auto screen = drawtest::ReadTarget(*Device());
        SPoint rc, sc;
        int32_t angle = 0;
        float sx = 1, sy = 1;
        p.GetRotation(&angle, &rc);
        p.GetScale(&sx, &sy, &sc);
        const SPoint pos = p.GetPosition();
        const double c = CSinTable::Sin(angle + 128) / 65536.0, s = CSinTable::Sin(angle) / 65536.0;
        const auto px = Quadrants();
        int bad = 0;
        for (int Y = 0; Y < 600; Y += 3) {
            for (int X = 0; X < 800; X += 3) {
                // Undo the position, the scale about its centre, the turn about its centre.
                double x = (X + 0.5 - pos.x - sc.x) / sx + sc.x - rc.x;
                double y = (Y + 0.5 - pos.y - sc.y) / sy + sc.y - rc.y;
                const double u = x * c + y * s + rc.x, v = -x * s + y * c + rc.y;
                const auto near = [](double a, double edge) { return std::abs(a - edge) < 1.5; };
                if (near(u, 0) || near(u, 20) || near(u, 40) || near(v, 0) || near(v, 20) || near(v, 40)) continue;
                const bool inside = u > 0 && u < 40 && v > 0 && v < 40;
                const uint32_t want = inside ? px[static_cast<size_t>(v) * 40 + static_cast<size_t>(u)] & 0xFFFFFFu : 0u;
                if (drawtest::Pixel(screen, X, Y) != want) ++bad;
            }
        }
        return bad;
    }
};

// Records the texture filters set on the screen's renderer.
class CFilterRecorder : public CNullScreenRenderer {
public:
    static inline std::vector<int>* s_Log = nullptr;
    EKind GetKind() const override { return KIND_GDI; }
    bool SetTextureFilter(uint32_t minFilter, uint32_t magFilter) override {
        s_Log->push_back(static_cast<int>(minFilter * 10 + magFilter));
        return true;
    }
};

}  // namespace

TEST_F(TalkPictureTest, APictureOnLayer200IsDrawnAtItsPlaceWithItsOpacity) {
    CSystemData system{CSystemData::kNoLoad};
    CTalkObjectManager manager(nullptr, nullptr);
    manager.SetSystemData(&system);
    ASSERT_TRUE(manager.CreateImage("obj\\quad.bmp", 200));
    manager.SetPosition(200, 100, 50);
    manager.Show(200);
    manager.Update();
    manager.Draw();
    EXPECT_EQ(Probe(100, 50), 0xFF0000u);
    EXPECT_EQ(Probe(139, 89), 0xFFFFFFu);
    EXPECT_EQ(Probe(99, 50), 0u);
    EXPECT_EQ(Probe(140, 89), 0u);
    EXPECT_EQ(Probe(100, 90), 0u);

    manager.SetAlpha(200, 128);
    Clear();
    manager.Draw();
    EXPECT_NEAR(static_cast<int>(Probe(139, 89) & 0xFF), 128, 1);
}

TEST_F(TalkPictureTest, RotatedAndScaledPicturesMatchTheScalarModel) {
    CTalkCgImage p;
    ASSERT_TRUE(p.SetImage("obj\\quad.bmp"));
    p.SetPosition(300, 200);
    p.Show();
    // The quarter turn about the middle, an eighth turn, and half size.
    for (const char* motion : {"rotate,128,center,center,0,30", "rotate,64,center,center,0,30",
                               "scale,0.5,center,0,0,1\nrotate,200,5,7,0,1"}) {
        p.SetRotation(0, 0, 0);
        p.SetScale(1, 1, 0, 0);
        p.SetMotion(motion);
        p.PlayMotion(false);
        for (int i = 0; i < 16; ++i) p.Update();
        p.StopMotion();
        Clear();
        p.Draw();
        EXPECT_EQ(CountMismatches(p), 0) << motion;
    }
    int32_t angle = 0;
    SPoint centre;
    p.SetRotation(0, 0, 0);
    p.SetMotion("rotate,128,center,center,0,30");
    p.PlayMotion(false);
    for (int i = 0; i < 16; ++i) p.Update();
    p.GetRotation(&angle, &centre);
    EXPECT_EQ(angle, 64);  // linear: half way at frame 15
    EXPECT_EQ(centre, (SPoint{20, 20}));
}

TEST_F(TalkPictureTest, ShowStartInStartOutAndHide) {
    CTalkCgImage p;
    ASSERT_TRUE(p.SetImage("obj\\quad.bmp"));
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_HIDDEN);
    p.Draw();
    EXPECT_EQ(Probe(0, 0), 0u);
    p.SetInEffect(1, 4);
    p.SetOutEffect(1, 4);
    p.Show();  // at once, without the fade-in
    p.Draw();
    EXPECT_EQ(Probe(0, 0), 0xFF0000u);

    p.StartIn();  // from the start of the fade-in
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_APPEARING);
    EXPECT_TRUE(p.GetInEffect()->IsPlaying());
    int updates = 0;
    while (p.GetState() == CTalkPicture::STATE_APPEARING && updates < 20) {
        p.Update();
        ++updates;
    }
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_SHOWN);
    EXPECT_GE(updates, 4);
    EXPECT_LE(updates, 6);

    p.StartOut();
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_DISAPPEARING);
    EXPECT_TRUE(p.GetOutEffect()->IsFinishing());
    for (int i = 0; i < 10; ++i) p.Update();
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_HIDDEN);
    p.StartOut();
    p.Hide();
    EXPECT_EQ(p.GetState(), CTalkPicture::STATE_HIDDEN);
    EXPECT_FALSE(p.GetOutEffect()->IsActive());

    // With the plain effects a picture brought in is shown after one update.
    CTalkCgImage q;
    ASSERT_TRUE(q.SetImage("obj\\quad.bmp"));
    q.StartIn();
    Clear();
    q.Draw();
    EXPECT_EQ(Probe(0, 0), 0xFF0000u);  // the plain effect draws the picture as it plays
    q.Update();
    EXPECT_EQ(q.GetState(), CTalkPicture::STATE_SHOWN);
}

TEST_F(TalkPictureTest, ThumbnailsComeFromTheSmallFolder) {
    CTalkCgImage p;
    ASSERT_TRUE(p.SetImage("obj\\quad.bmp"));
    p.SetPosition(10, 10);
    p.Show();
    {
        CLogCapture log;
        EXPECT_TRUE(p.DrawSmall());  // no small picture: the picture itself
        EXPECT_TRUE(log.Contains("CTalkCgImage::DrawSmall() サムネール用画像がない"));
        EXPECT_EQ(Probe(10, 10), 0xFF0000u);
    }
    WritePicture("obj\\small\\obj\\quad.bmp", talktest::Solid(kGreen, 8, 8), 8, 8);
    Clear();
    EXPECT_TRUE(p.DrawSmall());  // stretched over the picture's 40 × 40
    EXPECT_EQ(Probe(10, 10), 0x00FF00u);
    EXPECT_EQ(Probe(49, 49), 0x00FF00u);
    EXPECT_EQ(Probe(50, 50), 0u);
    Clear();
    EXPECT_TRUE(p.DrawSmallScreen());  // stretched over 800 × 600 from the position
    EXPECT_EQ(Probe(10, 10), 0x00FF00u);
    EXPECT_EQ(Probe(799, 599), 0x00FF00u);
    p.Hide();
    Clear();
    EXPECT_TRUE(p.DrawSmall());
    EXPECT_EQ(Probe(10, 10), 0u);
}

TEST(TalkPictureFilter, PlainDrawsUsePointAndTransformedOnesAnisotropicThenPoint) {
    std::vector<int> log;
    CFilterRecorder::s_Log = &log;
    CScreenRendererProxy::SetGdiRendererFactory([] { return std::make_unique<CFilterRecorder>(); });
    CScreenRendererProxy::SetForceGdi(true);
    {
        // A named picture with its thumbnail copy, which the save thumbnails draw.
        testsupport::CTempDir dir;
        testsupport::CGameFolderScope scope(dir.Path());
        for (const char* path : {"obj\\f.bmp", "obj\\small\\obj\\f.bmp"}) {
            talktest::WritePictureIn(dir.Path(), path, talktest::Solid(kWhite, 16, 16), 16, 16);
        }
        CScreen screen;
        ASSERT_TRUE(screen.Create(nullptr, true, ""));
        CTalkCgImage p;
        p.CreateBlank(16, 16);
        p.SetPosition(30, 40);
        CTalkCgImage named;
        ASSERT_TRUE(named.SetImage("obj\\f.bmp"));
        named.SetPosition(30, 40);
        struct SCase {
            int32_t angle;
            float scale;
            std::vector<int> draw;
            std::vector<int> small;
        };
        const SCase cases[] = {
            {0, 1.0f, {11}, {11}},
            {3, 1.0f, {33, 11}, {11, 11}},
            {0, 2.0f, {33, 11}, {11, 11}},
        };
        for (const SCase& c : cases) {
            p.SetRotation(c.angle, 8, 8);
            p.SetScale(c.scale, c.scale, 0, 0);
            p.Show();
            log.clear();
            p.Draw();
            EXPECT_EQ(log, c.draw) << c.angle << " " << c.scale;
            log.clear();
            p.DrawSmall();  // no small picture: falls back to Draw
            EXPECT_EQ(log, c.draw);
            p.Hide();
            log.clear();
            p.Draw();
            EXPECT_TRUE(log.empty());
            named.SetRotation(c.angle, 8, 8);
            named.SetScale(c.scale, c.scale, 0, 0);
            named.Show();
            log.clear();
            EXPECT_TRUE(named.DrawSmall());
            EXPECT_EQ(log, c.small) << "thumbnail " << c.angle << " " << c.scale;
            log.clear();
            EXPECT_TRUE(named.DrawSmallScreen());
            EXPECT_EQ(log, c.small) << "whole-screen thumbnail " << c.angle << " " << c.scale;
        }
    }
    CScreenRendererProxy::SetForceGdi(false);
    CScreenRendererProxy::SetGdiRendererFactory(nullptr);
}
