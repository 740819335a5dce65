// The transition holder and every transition: the ends are the captured pictures
// exactly, the middle draws without error; names by index; the rule picture; the
// fade to a colour; nothing without Direct3D.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/draw/ScreenShake.h"
#include "engine/draw/TransitionDirect.h"
#include "engine/draw/TransitionHolder.h"
#include "engine/draw/TransitionMask.h"
#include "engine/draw/TransitionMosaic.h"
#include "engine/draw/TransitionRule.h"
#include "engine/image/MaskImage.h"
#include "tests/engine/draw/DrawTestUtil.h"

namespace {

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = screen.Device();
        ASSERT_NE(device, nullptr);
        auto a = drawtest::Noise(11, 800, 600), b = drawtest::Noise(12, 800, 600);
        ASSERT_TRUE(pictureA.CreateFromArgb(a.data(), 800, 600, 800));
        ASSERT_TRUE(pictureB.CreateFromArgb(b.data(), 800, 600, 800));
        for (auto& p : a) p &= 0xFFFFFFu;
        for (auto& p : b) p &= 0xFFFFFFu;
        expectA = std::move(a);
        expectB = std::move(b);
    }
    void TearDown() override { GetTransitionMask().Release(); }
    void Capture(CTransitionHolder& holder) {
        ASSERT_TRUE(holder.BeginOutgoing());
        pictureA.Draw(0, 0);
        ASSERT_TRUE(holder.EndOutgoing());
        ASSERT_TRUE(holder.BeginIncoming());
        pictureB.Draw(0, 0);
        ASSERT_TRUE(holder.EndIncoming());
    }

    drawtest::CTestScreen screen;
    CD3DDevice* device = nullptr;
    CImagePlane pictureA, pictureB;
    std::vector<uint32_t> expectA, expectB;
};

}  // namespace

TEST(TransitionNames, ByIndex) {
    EXPECT_STREQ(CTransitionHolder::GetName(0), "Trans_None");
    EXPECT_STREQ(CTransitionHolder::GetName(2), "Trans_BitmapFade");
    EXPECT_STREQ(CTransitionHolder::GetName(29), "Trans_RotateZoomFade4");
    EXPECT_STREQ(CTransitionHolder::GetName(52), "Trans_BlindFade6");
    EXPECT_STREQ(CTransitionHolder::GetName(53), "Trans_Zoom3");
    EXPECT_EQ(CTransitionHolder::GetName(54), nullptr);
    EXPECT_EQ(CTransitionHolder::GetName(-2), nullptr);
    CTransitionHolder holder;
    CLogCapture log;
    EXPECT_FALSE(holder.Create(54));
    EXPECT_FALSE(holder.HasTransition());
    EXPECT_TRUE(log.Contains("CTransitionHolder::Create() トランジション番号が不正です[54]"));
}

TEST(TransitionNames, TheWholeTableAndTheSampleCaption) {
    const char* const want[54] = {
        "Trans_None",        "Trans_Fade",          "Trans_BitmapFade",        "Trans_Bit1",
        "Trans_Bit2",        "Trans_Bit3",          "Trans_Mosaic1",           "Trans_MosaicFade1",
        "Trans_Mosaic2",     "Trans_MosaicFade2",   "Trans_Mosaic3",           "Trans_MosaicFade3",
        "Trans_Wave1",       "Trans_Wave2",         "Trans_Wave3",             "Trans_Wave4",
        "Trans_Wave5",       "Trans_Wave6",         "Trans_Zoom1",             "Trans_ZoomFade1",
        "Trans_Zoom2",       "Trans_ZoomFade2",     "Trans_RotateZoom1",       "Trans_RotateZoomFade1",
        "Trans_RotateZoom2", "Trans_RotateZoomFade2", "Trans_RotateZoom3",     "Trans_RotateZoomFade3",
        "Trans_RotateZoom4", "Trans_RotateZoomFade4", "Trans_TriangleBreak1",  "Trans_TriangleBreakFade1",
        "Trans_TriangleBreak2", "Trans_TriangleBreakFade2", "Trans_TriangleBreak3", "Trans_TriangleBreakFade3",
        "Trans_TriangleBreak4", "Trans_TriangleBreakFade4", "Trans_Blur1",     "Trans_Blur2",
        "Trans_Blur3",       "Trans_Blind1",        "Trans_BlindFade1",        "Trans_Blind2",
        "Trans_BlindFade2",  "Trans_Blind3",        "Trans_BlindFade3",        "Trans_Blind4",
        "Trans_BlindFade4",  "Trans_Blind5",        "Trans_BlindFade5",        "Trans_Blind6",
        "Trans_BlindFade6",  "Trans_Zoom3",
    };
    ASSERT_EQ(CTransitionHolder::kCount, 54);
    for (int32_t i = 0; i < 54; ++i) EXPECT_STREQ(CTransitionHolder::GetName(i), want[i]) << i;
    // The sample scene's caption of an index: "%02d:%s".
    EXPECT_EQ(FormatString("%02d:%s", 0, CTransitionHolder::GetName(0)), "00:Trans_None");
    EXPECT_EQ(FormatString("%02d:%s", 53, CTransitionHolder::GetName(53)), "53:Trans_Zoom3");
}

TEST_F(TransitionTest, EveryTransitionStartsAndEndsOnItsPicturesExactly) {
    CTransitionHolder holder;
    Capture(holder);
    CLogCapture log;
    for (int32_t index = 0; index < CTransitionHolder::kCount; ++index) {
        SCOPED_TRACE(CTransitionHolder::GetName(index));
        ASSERT_TRUE(holder.Create(index));
        device->Clear(0xFFFF00FFu);
        ASSERT_TRUE(holder.Draw(0));
        EXPECT_TRUE(drawtest::ReadTarget(*device) == expectA);
        device->Clear(0xFFFF00FFu);
        ASSERT_TRUE(holder.Draw(512));
        auto middle = drawtest::ReadTarget(*device);
        // The middle covers the screen (nothing of the clear colour is left) and is
        // neither picture alone, except for the cut.
        EXPECT_EQ(std::count(middle.begin(), middle.end(), 0xFF00FFu), 0);
        if (index != 0) {
            EXPECT_FALSE(middle == expectA);
        }
        device->Clear(0xFFFF00FFu);
        ASSERT_TRUE(holder.Draw(1024));
        EXPECT_TRUE(drawtest::ReadTarget(*device) == expectB);
        // Progress is held to 0..1024.
        device->Clear(0xFFFF00FFu);
        ASSERT_TRUE(holder.Draw(5000));
        EXPECT_TRUE(drawtest::ReadTarget(*device) == expectB);
    }
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines()[0];
    // The states are the engine's again afterwards.
    EXPECT_EQ(device->GetRenderState(GFX_RS_ALPHABLENDENABLE), 1u);
    EXPECT_EQ(device->GetTextureStageState(0, GFX_TSS_MINFILTER), GFX_TEXF_POINT);
}

TEST_F(TransitionTest, ZoomThroughBringsTheIncomingPictureInUpright) {
    // Every start passes through it after the logos: the middle check above only sees a
    // change, so a turned picture would pass there. Left half one colour, right half
    // another; above and below the centre alike, or the picture is turned.
    std::vector<uint32_t> split(800 * 600);
    for (size_t i = 0; i < split.size(); ++i) split[i] = i % 800 < 400 ? 0xFF2060A0u : 0xFFC08020u;
    ASSERT_TRUE(pictureB.CreateFromArgb(split.data(), 800, 600, 800));
    CTransitionHolder holder;
    Capture(holder);
    ASSERT_TRUE(holder.Create(53));
    for (int32_t progress : {600, 768, 960}) {
        SCOPED_TRACE(progress);
        ASSERT_TRUE(holder.Draw(progress));
        auto px = drawtest::ReadTarget(*device);
        for (int y : {100, 500}) {
            EXPECT_EQ(drawtest::Pixel(px, 300, y), 0x2060A0u) << y;
            EXPECT_EQ(drawtest::Pixel(px, 500, y), 0xC08020u) << y;
        }
    }
}

TEST_F(TransitionTest, CapturesPutBackTheTargetTheyFound) {
    CTransitionHolder holder;
    Capture(holder);
    EXPECT_TRUE(holder.HasOutgoing());
    EXPECT_TRUE(holder.HasIncoming());
    CD3DSurface target, back;
    device->GetRenderTarget(&target);
    device->GetBackBuffer(&back);
    EXPECT_EQ(target.GetGfx()->SharedPixels(), back.GetGfx()->SharedPixels());
    holder.ClearCaptures();
    EXPECT_FALSE(holder.HasOutgoing());
    EXPECT_FALSE(holder.Draw(512));  // nothing captured: nothing drawn
}

TEST_F(TransitionTest, RuleFadeFollowsTheSharedRulePictureAndItsSoftEdge) {
    // A rule picture whose left half is 0 and right half 255, hard edge.
    CMaskImage& mask = GetTransitionMask();
    ASSERT_TRUE(mask.Create(800, 600));
    for (int y = 0; y < 600; ++y)
        for (int x = 400; x < 800; ++x) mask.GetBits()[static_cast<size_t>(y) * mask.GetPitch() + x] = 255;
    mask.SetThreshold(0);
    CTransitionHolder holder;
    Capture(holder);
    ASSERT_TRUE(holder.Create(2));
    ASSERT_TRUE(holder.Draw(512));
    auto px = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(px, 10, 10), expectB[10 * 800 + 10]);     // rule 0: in
    EXPECT_EQ(drawtest::Pixel(px, 600, 10), expectA[10 * 800 + 600]);   // rule 255: not yet
    ASSERT_TRUE(holder.Draw(900));
    px = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(px, 600, 10), expectA[10 * 800 + 600]);   // a hard edge: not yet
    // With the threshold as a soft edge, the right half is on its way in at 900.
    mask.SetThreshold(255);
    ASSERT_TRUE(holder.Create(2));
    ASSERT_TRUE(holder.Draw(900));
    px = drawtest::ReadTarget(*device);
    EXPECT_NE(drawtest::Pixel(px, 600, 10), expectA[10 * 800 + 600]);
    EXPECT_NE(drawtest::Pixel(px, 600, 10), expectB[10 * 800 + 600]);
    // The blinds' fade variants have a soft edge of their own, whatever the shared
    // threshold: halfway, the middle of a slat of Trans_BlindFade1 (rule level 130) is
    // on its way in.
    mask.SetThreshold(0);
    ASSERT_TRUE(holder.Create(42));
    ASSERT_TRUE(holder.Draw(512));
    px = drawtest::ReadTarget(*device);
    EXPECT_NE(drawtest::Pixel(px, 10, 20), expectA[20 * 800 + 10]);
    EXPECT_NE(drawtest::Pixel(px, 10, 20), expectB[20 * 800 + 10]);
    // Without a rule picture the rule is a left-to-right gradient.
    mask.Release();
    mask.SetThreshold(0);
    ASSERT_TRUE(holder.Create(2));
    ASSERT_TRUE(holder.Draw(512));
    px = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(px, 5, 300), expectB[300 * 800 + 5]);
    EXPECT_EQ(drawtest::Pixel(px, 795, 300), expectA[300 * 800 + 795]);
}

TEST(TransitionRules, PatternsSpanTheirRange) {
    for (int blind = 1; blind <= 6; ++blind) {
        auto rule = CTransitionRule::MakeRule(CTransitionRule::PATTERN_BLIND, blind, 800, 600);
        EXPECT_EQ(*std::min_element(rule.begin(), rule.end()), 0) << blind;
        EXPECT_EQ(*std::max_element(rule.begin(), rule.end()), 255) << blind;
    }
    // Noise blocks are constant inside a block and the same every time.
    auto a = CTransitionRule::MakeRule(CTransitionRule::PATTERN_NOISE, 16, 800, 600);
    auto b = CTransitionRule::MakeRule(CTransitionRule::PATTERN_NOISE, 16, 800, 600);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a[0], a[15 * 800 + 15]);
    EXPECT_EQ(CTransitionMosaic::BlockAt(32, 0), 1);
    EXPECT_EQ(CTransitionMosaic::BlockAt(32, 512), 32);
    EXPECT_EQ(CTransitionMosaic::BlockAt(32, 1024), 1);
}

TEST_F(TransitionTest, DirectTransitionIsTheFadeColourThroughout) {
    CTransitionDirect::SetFadeColor(0x10, 0x20, 0x30);
    EXPECT_EQ(CTransitionDirect::GetFadeColor(), 0xFF102030u);
    CTransitionHolder holder;
    Capture(holder);
    ASSERT_TRUE(holder.Create(CTransitionHolder::kDirect));
    for (int32_t p : {0, 300, 1024}) {
        ASSERT_TRUE(holder.Draw(p));
        EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 123, 456), 0x102030u);
    }
    CTransitionDirect::SetFadeColor(0xFFFFFFFFu);  // the alpha byte is always opaque
    EXPECT_EQ(CTransitionDirect::GetFadeColor(), 0xFFFFFFFFu);
    CTransitionDirect::SetFadeColor(0u);
}

TEST_F(TransitionTest, ScreenShakeRedrawsTheTargetMoved) {
    CScreenShake shake;
    pictureA.Draw(0, 0);
    shake.Draw();  // not started: nothing changes
    EXPECT_TRUE(drawtest::ReadTarget(*device) == expectA);
    shake.Start(6, 0, 3);
    int32_t x = 0, y = 0;
    for (int i = 0; i < 10 && x == 0; ++i) {
        shake.Update();
        shake.GetOffset(&x, &y);
    }
    ASSERT_NE(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_LE(std::abs(x), 6);
    shake.Draw();
    auto px = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(px, 100 + x, 50), expectA[50 * 800 + 100]);
    EXPECT_EQ(drawtest::Pixel(px, x > 0 ? 0 : 799, 50), 0u);  // the edge it left is black
    for (int i = 0; i < 30; ++i) shake.Update();
    EXPECT_FALSE(shake.IsActive());
    shake.GetOffset(&x, &y);
    EXPECT_EQ(x, 0);
}

TEST(TransitionWithoutDirect3D, DrawsNothing) {
    CGfxSystem::SetRefuseDevicesForTesting(true);
    {
        CScreen screen;
        screen.Create(nullptr, true, "");
        ASSERT_FALSE(screen.UsesDirect3D());
        CTransitionHolder holder;
        ASSERT_TRUE(holder.Create(1));
        EXPECT_FALSE(holder.BeginOutgoing());
        EXPECT_FALSE(holder.EndOutgoing());
        EXPECT_FALSE(holder.Draw(512));
    }
    CGfxSystem::SetRefuseDevicesForTesting(false);
}

TEST_F(TransitionTest, ALostDeviceIsResetWhileCapturesExistAndTheyAreTakenAgain) {
    CTransitionHolder holder;
    Capture(holder);
    ASSERT_TRUE(holder.Create(1));
    ASSERT_TRUE(holder.Draw(512));
    CScreenRenderer* r = screen.Screen().GetRenderer();
    device->GetDevice()->SimulateDeviceLost();
    ASSERT_TRUE(r->RestoreDevice());  // the render targets let go of their memory
    // The captures lost their pictures: nothing is drawn from them until taken again.
    EXPECT_FALSE(holder.Draw(512));
    Capture(holder);
    device->Clear(0xFF000000u);
    ASSERT_TRUE(holder.Draw(0));
    EXPECT_TRUE(drawtest::ReadTarget(*device) == expectA);
    ASSERT_TRUE(holder.Draw(1024));
    EXPECT_TRUE(drawtest::ReadTarget(*device) == expectB);
}

TEST_F(TransitionTest, CapturesNestInsideEachOther) {
    CTransitionHolder outer, inner;
    ASSERT_TRUE(outer.BeginOutgoing());
    pictureA.Draw(0, 0);
    // A nested holder captures while the outer one does, and draws into the outer capture.
    ASSERT_TRUE(inner.BeginOutgoing());
    pictureB.Draw(0, 0);
    ASSERT_TRUE(inner.EndOutgoing());
    ASSERT_TRUE(inner.BeginIncoming());
    pictureB.Draw(0, 0);
    ASSERT_TRUE(inner.EndIncoming());
    ASSERT_TRUE(inner.Create(1));
    ASSERT_TRUE(inner.Draw(0));
    ASSERT_TRUE(outer.EndOutgoing());
    ASSERT_TRUE(outer.BeginIncoming());
    pictureA.Draw(0, 0);
    ASSERT_TRUE(outer.EndIncoming());
    ASSERT_TRUE(outer.Create(0));
    ASSERT_TRUE(outer.Draw(0));
    EXPECT_TRUE(drawtest::ReadTarget(*device) == expectB);  // what the inner one drew
}
