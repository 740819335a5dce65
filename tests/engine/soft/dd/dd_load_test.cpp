// Loading pictures into DirectDraw-backed surfaces and restoring them after a display
// change; the cursor's picture from the game data.
#include <gtest/gtest.h>

#include <vector>

#include "engine/base/Log.h"
#include "engine/soft/CursorControl.h"
#include "engine/soft/DDSurface.h"
#include "engine/soft/DirectDraw.h"
#include "engine/soft/PixelRows.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/GdiDisplay.h"
#include "tests/support/TestSupport.h"

namespace {

WindowHandle Fake() { return reinterpret_cast<WindowHandle>(uintptr_t{0x9000}); }

// A 24-bit BMP of a 3 × 2 picture: row 0 red, green, blue; row 1 green key, white, black.
std::vector<uint8_t> Picture() {
    const uint8_t bgr[2][3][3] = {{{0, 0, 255}, {0, 255, 0}, {255, 0, 0}}, {{0, 255, 0}, {255, 255, 255}, {0, 0, 0}}};
    std::vector<uint8_t> pixels(2 * 12, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            for (int c = 0; c < 3; ++c) pixels[static_cast<size_t>(y) * 12 + x * 3 + c] = bgr[y][x][c];
        }
    }
    return BuildBitmapFile(pixels.data(), 12, 3, 2, 24);
}

class DDLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        DDrawResetFaults();
        GdiResetDisplay();
        ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + "sys/cursor.bmp"));
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "pic.bmp", Picture()));
        ASSERT_TRUE(CDirectDrawManager::GetInstance()->Initialize(Fake()));
        dd = CDirectDrawManager::GetInstance()->Find(Fake());
    }
    void TearDown() override {
        CDirectDrawManager::GetInstance()->Release(Fake());
        DDrawResetFaults();
        GdiResetDisplay();
    }
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope{dir.Path()};
    CDirectDraw* dd = nullptr;
};

TEST_F(DDLoadTest, LoadsAtTheAskedDepthAndRestoresAtTheDisplays) {
    CDDSurface s(dd, Fake());
    ASSERT_TRUE(s.LoadFromFile("pic.bmp", 16, false));
    EXPECT_EQ(s.GetBitDepth(), 16);
    EXPECT_EQ(s.GetPixel(0, 0), 0x00F80000u);
    EXPECT_EQ(s.GetPixel(1, 1), 0x00F8FCF8u);
    EXPECT_EQ(s.GetColorKey(), 0x00FF00u);
    s.SetColorKeyEnabled(true);
    EXPECT_EQ(s.GetFormatFlags(), 0x25);
    GdiSetDesktopBitsPerPixel(32);
    ASSERT_TRUE(s.Restore());
    EXPECT_EQ(s.GetBitDepth(), 32);
    EXPECT_EQ(s.GetPixel(2, 0), 0x000000FFu);
    EXPECT_EQ(s.GetColorKey(), 0x00FF00u);
    EXPECT_TRUE(s.IsColorKeyEnabled());
    EXPECT_EQ(s.GetFileName(), "pic.bmp");
}

TEST_F(DDLoadTest, RestoreKeepsTheKeyWordAndBothFlags) {
    // A loaded surface whose alpha was switched on by hand: after a display change from
    // 16 to 32 bits it is reloaded at 32 bits with its key word, key flag and alpha flag.
    GdiSetDesktopBitsPerPixel(16);
    CDDSurface s(dd, Fake());
    ASSERT_TRUE(s.LoadFromFile("pic.bmp", 0, false));
    EXPECT_EQ(s.GetBitDepth(), 16);
    EXPECT_FALSE(s.HasAlphaPlane());
    s.SetColorKey(0x07E0);  // green as a 16-bit pixel
    s.SetColorKeyEnabled(true);
    s.SetAlphaEnabled(true);
    s.ClearAlpha(90);
    EXPECT_EQ(s.GetFormatFlags(), 0x26);
    GdiSetDesktopBitsPerPixel(32);
    ASSERT_TRUE(s.Restore());
    EXPECT_EQ(s.GetBitDepth(), 32);
    EXPECT_EQ(s.GetColorKey(), 0x07E0u);
    EXPECT_TRUE(s.IsColorKeyEnabled());
    EXPECT_TRUE(s.IsAlphaEnabled());
    EXPECT_EQ(s.GetFormatFlags(), 0x2E);
    EXPECT_EQ(s.GetPixel(0, 0), 0x00FF0000u);
    SDDColorKey key;
    ASSERT_EQ(s.GetDirectDrawSurface()->GetSurface()->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.low, 0x07E0u);
}

TEST_F(DDLoadTest, LoadFailuresLeaveTheSurfaceReleased) {
    CDDSurface s(dd, Fake());
    EXPECT_FALSE(s.LoadFromFile("missing.bmp", 32, false));
    EXPECT_FALSE(s.LoadFromFile(nullptr, 32, false));
    DDrawFaults().failLock = true;
    CLogCapture log;
    EXPECT_FALSE(s.LoadFromFile("pic.bmp", 32, false));
    EXPECT_TRUE(log.Contains("CDDSurface::Load() Lockに失敗しました"));
    EXPECT_FALSE(s.IsCreated());
    EXPECT_EQ(s.GetFormatFlags(), -1);
    DDrawFaults().failLock = false;
    DDrawFaults().failCreateSurface = true;
    EXPECT_FALSE(s.LoadFromFile("pic.bmp", 32, false));
}

// A surface that cannot be locked is not saved: the save fails with the lock's line
// and no file is made or changed (it used to write a black picture and succeed).
TEST_F(DDLoadTest, SaveBitmapOfASurfaceThatCannotBeLockedFailsAndWritesNothing) {
    CDDSurface s(dd, Fake());
    ASSERT_TRUE(s.LoadFromFile("pic.bmp", 32, false));
    const std::vector<uint8_t> old{'o', 'l', 'd'};
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "kept.bmp", old));
    DDrawFaults().failLock = true;
    CLogCapture log;
    EXPECT_FALSE(s.SaveBitmap("kept.bmp"));
    EXPECT_FALSE(s.SaveBitmap("new.bmp"));
    EXPECT_TRUE(log.Contains("CDDSurface::SaveBitmap() Lockに失敗しました"));
    EXPECT_EQ(log.Count(), 2u);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "kept.bmp", &bytes));
    EXPECT_EQ(bytes, old);
    EXPECT_FALSE(testsupport::FileExists(dir.Path() + "new.bmp"));
    // Once it can be locked, the picture is saved as loaded.
    DDrawFaults().failLock = false;
    ASSERT_TRUE(s.SaveBitmap("new.bmp"));
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "new.bmp", &bytes));
    EXPECT_EQ(bytes, Picture());
}

TEST_F(DDLoadTest, TheCursorTakesItsPictureFromTheGameData) {
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "sys/cursor.bmp", Picture()));
    CCursorControl cursor;
    EXPECT_TRUE(cursor.IsFromFile());
    int32_t w = 0, h = 0;
    cursor.GetSize(&w, &h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    CSoftSurfaceProxy frame(nullptr);
    frame.SetUseDirectDraw(false);
    frame.SetAutoRegister(false);
    ASSERT_TRUE(frame.Create(8, 8, 32, false));
    frame.Clear(0x00808080);
    cursor.DrawTo(&frame, 4, 4);
    EXPECT_EQ(frame.GetPixel(4, 4), 0x00FF0000u);
    EXPECT_EQ(frame.GetPixel(4, 5), 0x00808080u);  // green is transparent
    cursor.RestoreUnder(&frame);
    EXPECT_EQ(frame.GetPixel(4, 4), 0x00808080u);
}

}  // namespace
