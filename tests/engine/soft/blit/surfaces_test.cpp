// Blits between the engine's own surfaces: DIB and DIB-section memory, the GDI copy,
// and the dirty-rectangle frame buffer that learns what a blit changed.
#include <gtest/gtest.h>

#include "engine/base/CpuInfo.h"
#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DIBSurface.h"
#include "engine/soft/DirtyRectSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftBlt.h"

namespace {

class SurfaceBlitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

void Paint(CSoftSurface& s) {
    const SSize size = s.GetSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) s.SetPixel(x, y, uint32_t(x * 8) << 16 | uint32_t(y * 8) << 8 | 0x40);
    }
}

TEST_F(SurfaceBlitTest, CopyBetweenDibSectionsThroughGdiAndMemory) {
    for (uint32_t features : {0u, uint32_t(CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE)}) {
        CDIBSectionSurface src(nullptr), dst(nullptr);
        src.SetAutoRegister(false);
        dst.SetAutoRegister(false);
        ASSERT_TRUE(src.Create(16, 12, 32, true));
        ASSERT_TRUE(dst.Create(20, 20, 32, true));
        Paint(src);
        {
            CCpuFeatureOverride force(features);
            dst.BltAt(&src, 3, 4, 255);
        }
        EXPECT_FALSE(dst.IsLocked());
        EXPECT_FALSE(dst.IsDCOut()) << "the context is given back";
        EXPECT_EQ(dst.GetPixel(3, 4), src.GetPixel(0, 0)) << features;
        EXPECT_EQ(dst.GetPixel(18, 15), src.GetPixel(15, 11)) << features;
        EXPECT_EQ(dst.GetPixel(19, 15), 0u) << features;
        EXPECT_EQ(dst.GetPixel(2, 4), 0u) << features;
    }
}

TEST_F(SurfaceBlitTest, ColorKeyAndAlphaOnDibSurfaces) {
    for (int depth : {15, 16, 24, 32}) {
        CDIBSurface src(nullptr), dst(nullptr);
        src.SetAutoRegister(false);
        dst.SetAutoRegister(false);
        ASSERT_TRUE(src.Create(8, 1, depth, false));
        ASSERT_TRUE(dst.Create(8, 1, depth, false));
        dst.Clear(0x000000FF);           // COLORREF red
        src.Clear(0x00FF0000);           // COLORREF blue
        src.SetPixel(2, 0, 0x0000FF00);  // the default key, green
        src.SetColorKeyEnabled(true);
        dst.BltAt(&src, 0, 0, 255);
        EXPECT_EQ(dst.GetPixel(2, 0) & 0x00FF0000u, depth >= 24 ? 0x00FF0000u : 0x00F80000u) << "key pixel skipped";
        EXPECT_EQ(dst.GetPixel(1, 0), depth >= 24 ? 0x000000FFu : 0x000000F8u) << depth;

        src.SetColorKeyEnabled(false);
        src.SetAlphaEnabled(true);
        for (int x = 0; x < 8; ++x) src.SetAlpha(x, 0, x < 4 ? 0 : 255);
        dst.Clear(0x000000FF);
        {
            CCpuFeatureOverride plain(0);
            dst.BltAt(&src, 0, 0, 255);
        }
        EXPECT_EQ(dst.GetPixel(0, 0), depth >= 24 ? 0x00FF0000u : 0x00F80000u) << "alpha 0 keeps the destination";
        EXPECT_EQ(dst.GetPixel(7, 0), src.GetPixel(7, 0)) << "alpha 255 copies";
    }
}

TEST_F(SurfaceBlitTest, DirtyRectFrameBufferRecordsTheNotifiedArea) {
    CDirtyRectSurface frame(nullptr);
    frame.SetAutoRegister(false);
    frame.SetUseDirectDraw(false);
    ASSERT_TRUE(frame.Create(640, 480, 32, true));
    frame.GetUpdateList().Clear();
    CDIBSurface sprite(nullptr);
    sprite.SetAutoRegister(false);
    ASSERT_TRUE(sprite.Create(100, 50, 32, false));
    frame.BltAt(&sprite, 600, 470, 255);
    ASSERT_EQ(frame.GetUpdateList().GetCount(), 1);
    EXPECT_EQ(frame.GetUpdateList().GetRect(0), (SRect{600, 470, 640, 480}));
    frame.GetUpdateList().Clear();
    frame.BltAt(&sprite, -10, 40, 255);
    ASSERT_EQ(frame.GetUpdateList().GetCount(), 1);
    EXPECT_EQ(frame.GetUpdateList().GetRect(0), (SRect{0, 40, 90, 90}));
}

}  // namespace
