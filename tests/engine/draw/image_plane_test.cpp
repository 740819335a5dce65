// Image planes and cell images drawn on the software graphics device and checked
// pixel by pixel in the back buffer; loading, editing, saving, and surviving a lost,
// reset or replaced device.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "engine/base/Log.h"
#include "engine/d3d/D3DManager.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/soft/SoftSurfaceProxy.h"
#include "tests/engine/draw/DrawTestUtil.h"
#include "tests/support/TestSupport.h"

namespace {

// A 24-bit bitmap file of the pixels (alpha dropped).
std::vector<uint8_t> MakeBmp(const std::vector<uint32_t>& px, int w, int h) {
    int rowBytes = (w * 3 + 3) & ~3;
    std::vector<uint8_t> b(54 + static_cast<size_t>(rowBytes) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = &b[54 + static_cast<size_t>(h - 1 - y) * rowBytes];
        for (int x = 0; x < w; ++x) {
            uint32_t p = px[static_cast<size_t>(y) * w + x];
            row[x * 3] = static_cast<uint8_t>(p);
            row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
        }
    }
    return b;
}

class ImagePlaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        scope = std::make_unique<testsupport::CGameFolderScope>(dir.Path());
        screen = std::make_unique<drawtest::CTestScreen>();
        device = screen->Device();
        ASSERT_NE(device, nullptr);
        device->Clear(0xFF000000u);
    }
    void WriteBmp(const std::string& name, const std::vector<uint32_t>& px, int w, int h) {
        ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + name));
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + name, MakeBmp(px, w, h)));
    }
    // Checks that the w × h block at (x, y) of the back buffer holds the pixels.
    ::testing::AssertionResult Holds(int x, int y, const std::vector<uint32_t>& px, int w, int h) {
        auto bb = drawtest::ReadTarget(*device);
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                uint32_t want = px[static_cast<size_t>(j) * w + i] & 0xFFFFFFu;
                uint32_t got = drawtest::Pixel(bb, x + i, y + j);
                if (want != got) {
                    return ::testing::AssertionFailure() << "pixel (" << i << ", " << j << ") is " << std::hex << got << " not " << want;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    testsupport::CTempDir dir;
    std::unique_ptr<testsupport::CGameFolderScope> scope;
    std::unique_ptr<drawtest::CTestScreen> screen;
    CD3DDevice* device = nullptr;
};

}  // namespace

TEST_F(ImagePlaneTest, LoadedPictureDrawsItsPixelsExactly) {
    auto px = drawtest::Noise(1, 37, 23);
    WriteBmp("bg/pic.bmp", px, 37, 23);
    CImagePlane plane;
    EXPECT_FALSE(plane.IsLoaded());
    ASSERT_TRUE(plane.Load("bg\\pic.bmp", 0, 0));
    EXPECT_TRUE(plane.IsLoaded());
    int32_t w = 0, h = 0;
    plane.GetSize(&w, &h);
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 23);
    ASSERT_TRUE(plane.Draw(101, 57));
    EXPECT_TRUE(Holds(101, 57, px, 37, 23));
    // Also at the screen's edge, clipped, and under a linear filter left by someone else.
    device->SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR);
    ASSERT_TRUE(plane.Draw(800 - 37, 600 - 23));
    EXPECT_TRUE(Holds(800 - 37, 600 - 23, px, 37, 23));
    EXPECT_TRUE(plane.Draw(790, -10));
}

TEST_F(ImagePlaneTest, ColourModulatesAndStretchAndMatrixPlaceThePicture) {
    CImagePlane plane;
    ASSERT_TRUE(plane.Create(4, 2, false));
    ASSERT_TRUE(plane.Fill(0xFF8040C0u));
    ASSERT_TRUE(plane.Draw(0, 0, 0xFFFFFFFFu));
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 3, 1), 0x8040C0u);
    // Half alpha over black, then half red channel.
    device->Clear(0xFF000000u);
    plane.Draw(0, 0, 0x80FFFFFFu);
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 0, 0), 0x402060u);
    plane.Draw(10, 0, 0xFF80FFFFu);
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 10, 0), 0x4040C0u);
    // Alpha 0 draws nothing and is no failure.
    device->Clear(0xFF000000u);
    EXPECT_TRUE(plane.Draw(0, 0, 0x00FFFFFFu));
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 0, 0), 0u);
    // Stretched: the 4 × 2 picture over 8 × 6 pixels.
    ASSERT_TRUE(plane.DrawStretch(SRect{20, 20, 28, 26}, SRect{0, 0, 4, 2}));
    auto bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 20, 20), 0x8040C0u);
    EXPECT_EQ(drawtest::Pixel(bb, 27, 25), 0x8040C0u);
    EXPECT_EQ(drawtest::Pixel(bb, 28, 25), 0u);
    EXPECT_EQ(drawtest::Pixel(bb, 27, 26), 0u);
    // A translation matrix moves it like the position does.
    auto noise = drawtest::Noise(9, 16, 16);
    CImagePlane n;
    ASSERT_TRUE(n.CreateFromArgb(noise.data(), 16, 16, 16));
    CMatrix4 m;
    MatrixTranslation(&m, 100, 50, 0);
    ASSERT_TRUE(n.DrawMatrix(5, 5, m));
    EXPECT_TRUE(Holds(105, 55, noise, 16, 16));
    ASSERT_TRUE(n.DrawStretchMatrix(SRect{0, 0, 16, 16}, SRect{0, 0, 16, 16}, m));
    EXPECT_TRUE(Holds(100, 50, noise, 16, 16));
    n.DrawRectMatrix(SRect{0, 0, 8, 8}, SRect{8, 8, 16, 16}, m, 0xFFFFFFFFu);
    std::vector<uint32_t> quarter;
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x) quarter.push_back(noise[static_cast<size_t>(y) * 16 + x]);
    EXPECT_TRUE(Holds(100, 50, quarter, 8, 8));
    // A source rectangle outside the picture is refused and logged.
    CLogCapture log;
    EXPECT_FALSE(n.DrawStretch(SRect{0, 0, 4, 4}, SRect{10, 10, 20, 20}));
    EXPECT_EQ(log.GetLines().size(), 1u);
}

TEST_F(ImagePlaneTest, MatricesTransformRowVectorsInTheOrderTheyCompose) {
    auto noise = drawtest::Noise(31, 6, 4);
    CImagePlane n;
    ASSERT_TRUE(n.CreateFromArgb(noise.data(), 6, 4, 6));
    auto px = [&](int i, int j) { return noise[static_cast<size_t>(j) * 6 + i] & 0xFFFFFFu; };
    // Scaling by 2 composed before a move: the scale applies first.
    CMatrix4 scale, move, m;
    MatrixScaling(&scale, 2, 2, 1);
    MatrixTranslation(&move, 100, 50, 0);
    MatrixMultiply(&m, &scale, &move);
    device->Clear(0xFF000000u);
    ASSERT_TRUE(n.DrawMatrix(m));
    auto bb = drawtest::ReadTarget(*device);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 6; ++i)
            for (int k = 0; k < 4; ++k)
                ASSERT_EQ(drawtest::Pixel(bb, 100 + 2 * i + k % 2, 50 + 2 * j + k / 2), px(i, j)) << i << "," << j;
    EXPECT_EQ(drawtest::Pixel(bb, 112, 50), 0u);
    EXPECT_EQ(drawtest::Pixel(bb, 99, 50), 0u);
    // The position is taken before the matrix: (10, 5) is scaled with the picture.
    device->Clear(0xFF000000u);
    ASSERT_TRUE(n.DrawMatrix(10, 5, m));
    bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 120, 60), px(0, 0));
    EXPECT_EQ(drawtest::Pixel(bb, 131, 67), px(5, 3));
    // A quarter turn takes the row (x, y) to (-y, x); then the move.
    CMatrix4 turn;
    MatrixRotationZ(&turn, 3.14159265f / 2);
    MatrixMultiply(&m, &turn, &move);
    device->Clear(0xFF000000u);
    ASSERT_TRUE(n.DrawMatrix(m, 0xFFFFFFFFu));
    bb = drawtest::ReadTarget(*device);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 6; ++i) ASSERT_EQ(drawtest::Pixel(bb, 99 - j, 50 + i), px(i, j)) << i << "," << j;
    EXPECT_EQ(drawtest::Pixel(bb, 100, 50), 0u);
    EXPECT_EQ(drawtest::Pixel(bb, 95, 50), 0u);
    // A cell drawn through the matrix lands where the plane's pixels of that cell do.
    CCellImage cells;
    ASSERT_TRUE(cells.Set(&n, 3, 2));
    device->Clear(0xFF000000u);
    ASSERT_TRUE(DrawCellColored(cells, 2, 1, 0, 0, m, 0xFFFFFFFFu));
    bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 99, 50), px(4, 2));
    EXPECT_EQ(drawtest::Pixel(bb, 98, 51), px(5, 3));
}

TEST_F(ImagePlaneTest, PositionsAtTheEdgeOfTheIntRangeDrawNothing) {
    CImagePlane plane;
    ASSERT_TRUE(plane.Create(40, 30, false));
    ASSERT_TRUE(plane.Fill(0xFFFFFFFFu));
    device->Clear(0xFF000000u);
    // The far edge would pass INT32_MAX: nothing drawn, no overflow.
    EXPECT_FALSE(plane.Draw(INT32_MAX - 5, 0));
    EXPECT_FALSE(plane.Draw(0, INT32_MAX));
    CMatrix4 m;
    MatrixTranslation(&m, 0, 0, 0);
    EXPECT_FALSE(plane.DrawMatrix(INT32_MAX - 39, 0, m));
    CCellImage cells;
    ASSERT_TRUE(cells.Set(&plane, 2, 2));
    EXPECT_FALSE(cells.DrawCell(0, 0, INT32_MAX - 10, 0));
    EXPECT_FALSE(cells.DrawCellColored(1, 1, 0, INT32_MAX - 1, m));
    // Far to the left or above is merely off the screen.
    EXPECT_TRUE(plane.Draw(INT32_MIN, INT32_MIN));
    EXPECT_TRUE(plane.Draw(INT32_MAX - 40, 0));
    auto bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(std::count(bb.begin(), bb.end(), 0u), static_cast<std::ptrdiff_t>(bb.size()));
    // The software path holds wild matrices inside the int range.
    CSoftSurfaceProxy target(nullptr);
    target.SetAutoRegister(false);
    ASSERT_TRUE(target.Create(16, 16, 32, false));
    CMatrix4 huge;
    MatrixScaling(&huge, 1e12f, 1e12f, 1);
    EXPECT_TRUE(plane.DrawSoftware(&target, SRect{0, 0, 40, 30}, SRect{0, 0, 40, 30}, &huge));
    EXPECT_TRUE(plane.DrawSoftware(&target, SRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, SRect{0, 0, 40, 30}, nullptr));
}

TEST_F(ImagePlaneTest, TranslucentPixelsBlendOverTheTarget) {
    std::vector<uint32_t> px = {0x80FF0000u, 0x00FFFFFFu, 0xFF00FF00u, 0x40000080u};
    CImagePlane plane;
    ASSERT_TRUE(plane.CreateFromArgb(px.data(), 2, 2, 2));
    device->Clear(0xFF0000FFu);
    plane.Draw(0, 0);
    auto bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 0, 0), 0x80007Fu);
    EXPECT_EQ(drawtest::Pixel(bb, 1, 0), 0x0000FFu);
    EXPECT_EQ(drawtest::Pixel(bb, 0, 1), 0x00FF00u);
    EXPECT_EQ(drawtest::Pixel(bb, 1, 1), 0x0000DFu);
}

TEST_F(ImagePlaneTest, CreateFillCopyAndEmptyPlanes) {
    CImagePlane a, b;
    CLogCapture log;
    EXPECT_FALSE(a.Create(0, 5));
    EXPECT_FALSE(a.Fill(0xFFFFFFFFu));
    int32_t w = 7, h = 7;
    a.GetSize(&w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_FALSE(a.Draw(0, 0));  // empty: nothing drawn
    ASSERT_TRUE(a.Create(8, 8));
    ASSERT_TRUE(a.Fill(0xFF112233u));
    auto noise = drawtest::Noise(3, 6, 6);
    ASSERT_TRUE(b.CreateFromArgb(noise.data(), 6, 6, 6));
    // Copy the middle 4 × 4 of b to (3, 3) of a: clipped to a's 8 × 8.
    ASSERT_TRUE(a.CopyRect(b, 3, 3, 1, 1, 4, 4));
    ASSERT_TRUE(a.Draw(0, 0));
    auto bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 2, 2), 0x112233u);
    EXPECT_EQ(drawtest::Pixel(bb, 3, 3), noise[7] & 0xFFFFFFu);
    EXPECT_EQ(drawtest::Pixel(bb, 6, 6), noise[4 * 6 + 4] & 0xFFFFFFu);
    EXPECT_EQ(drawtest::Pixel(bb, 7, 7), 0x112233u);
    // Wild rectangles are clipped, not written outside.
    EXPECT_TRUE(a.CopyRect(b, -100, 6, -3, 0, 200000, 2000000000));
    EXPECT_TRUE(a.CopyRect(b, 2000000000, 2000000000, 0, 0, 6, 6));
    EXPECT_TRUE(a.CopyRect(a, 1, 0, 0, 0, 8, 8));  // onto itself
    a.Release();
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_FALSE(a.CopyRect(b, 0, 0, 0, 0, 1, 1));
    // A missing file leaves the plane empty.
    ASSERT_TRUE(b.IsLoaded());
    EXPECT_FALSE(b.Load("bg\\missing.bmp"));
    EXPECT_FALSE(b.IsLoaded());
}

TEST_F(ImagePlaneTest, CellImagesCutEqualCells) {
    // A 3 × 2 sheet of 10 × 6 cells, each a flat colour, and 2 pixels left over.
    std::vector<uint32_t> px(32 * 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 32; ++x) px[static_cast<size_t>(y) * 32 + x] = 0xFF000000u | ((x / 10) << 16) | ((y / 6) << 8) | 0x40;
    CImagePlane sheet;
    ASSERT_TRUE(sheet.CreateFromArgb(px.data(), 32, 13, 32));
    CCellImage cells;
    EXPECT_FALSE(cells.Set(&sheet, 0, 2));
    EXPECT_FALSE(cells.Set(nullptr, 1, 1));
    EXPECT_FALSE(cells.Set(&sheet, 33, 1));
    ASSERT_TRUE(cells.Set(&sheet, 3, 2));
    int32_t cw = 0, ch = 0;
    cells.GetCellSize(&cw, &ch);
    EXPECT_EQ(cw, 10);
    EXPECT_EQ(ch, 6);
    SRect r;
    ASSERT_TRUE(cells.GetCellRect(2, 1, &r));
    EXPECT_EQ(r, (SRect{20, 6, 30, 12}));
    EXPECT_FALSE(cells.GetCellRect(3, 0, &r));
    EXPECT_FALSE(cells.GetCellRect(0, -1, &r));
    ASSERT_TRUE(DrawCell(cells, 2, 1, 50, 40));
    auto bb = drawtest::ReadTarget(*device);
    EXPECT_EQ(drawtest::Pixel(bb, 50, 40), 0x020140u);
    EXPECT_EQ(drawtest::Pixel(bb, 59, 45), 0x020140u);
    EXPECT_EQ(drawtest::Pixel(bb, 60, 45), 0u);
    EXPECT_EQ(drawtest::Pixel(bb, 59, 46), 0u);
    CMatrix4 m;
    MatrixTranslation(&m, 0, 100, 0);
    ASSERT_TRUE(DrawCellColored(cells, 1, 0, 0, 0, m, 0xFFFFFFFFu));
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 9, 105), 0x010040u);
    CLogCapture log;
    EXPECT_FALSE(cells.DrawCell(5, 5, 0, 0));
    EXPECT_EQ(log.GetLines().size(), 1u);
    // A cell copied into a plane of its own.
    CImagePlane one;
    ASSERT_TRUE(one.Create(10, 6));
    ASSERT_TRUE(DrawCellRect(&one, cells, 1, 1));
    ASSERT_TRUE(one.Draw(200, 200));
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*device), 209, 205), 0x010140u);
    cells.Clear();
    EXPECT_FALSE(cells.DrawCell(0, 0, 0, 0));
    EXPECT_EQ(cells.GetPlane(), nullptr);
}

TEST_F(ImagePlaneTest, PictureLargerThanTheTextureLimitDrawsExactly) {
    // The tiled texture reads the limit from the caps taken at creation: make a
    // device that was created with the small limit.
    screen.reset();
    CGfxSystem::SetDefaultMaxTextureSizeForTesting(64);
    screen = std::make_unique<drawtest::CTestScreen>();
    device = screen->Device();
    CGfxSystem::SetDefaultMaxTextureSizeForTesting(0);
    ASSERT_NE(device, nullptr);
    auto px = drawtest::Noise(5, 150, 97);
    CImagePlane plane;
    ASSERT_TRUE(plane.CreateFromArgb(px.data(), 150, 97, 150));
    device->Clear(0xFF000000u);
    ASSERT_TRUE(plane.Draw(3, 4));
    EXPECT_TRUE(Holds(3, 4, px, 150, 97));
}

TEST_F(ImagePlaneTest, SavedBitmapLoadsBackTheSamePicture) {
    auto px = drawtest::Noise(6, 21, 11);
    CImagePlane plane, back;
    ASSERT_TRUE(plane.CreateFromArgb(px.data(), 21, 11, 21));
    ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + "save/save01.bmp"));
    ASSERT_TRUE(plane.SaveBitmap("save\\save01.bmp"));
    ASSERT_TRUE(back.LoadFile("save\\save01.bmp", 0, 0));
    ASSERT_TRUE(back.Draw(0, 0));
    EXPECT_TRUE(Holds(0, 0, px, 21, 11));
    CImagePlane empty;
    CLogCapture log;
    EXPECT_FALSE(empty.SaveBitmap("save\\save02.bmp"));
}

TEST_F(ImagePlaneTest, PlanesAreDrawnAgainAfterALostDeviceIsReset) {
    auto px = drawtest::Noise(7, 40, 30);
    WriteBmp("obj/item.bmp", px, 40, 30);
    CImagePlane kept, reloaded, edited;
    ASSERT_TRUE(kept.Load("obj\\item.bmp"));
    ASSERT_TRUE(reloaded.LoadFile("obj\\item.bmp", 0, 1));
    EXPECT_TRUE(reloaded.IsReloadFlagged());
    EXPECT_EQ(reloaded.GetPixels(), nullptr);  // the textures hold it; the file gives it back
    ASSERT_TRUE(edited.Create(40, 30));
    ASSERT_TRUE(edited.CopyRect(kept, 0, 0, 0, 0, 40, 30));
    CScreenRenderer* r = screen->Screen().GetRenderer();
    device->GetDevice()->SimulateDeviceLost();
    EXPECT_TRUE(r->IsDeviceLost());
    ASSERT_TRUE(r->RestoreDevice());
    EXPECT_FALSE(kept.IsMustReload());
    device->Clear(0xFF000000u);
    ASSERT_TRUE(kept.Draw(0, 0));
    ASSERT_TRUE(reloaded.Draw(100, 0));
    ASSERT_TRUE(edited.Draw(200, 0));
    EXPECT_TRUE(Holds(0, 0, px, 40, 30));
    EXPECT_TRUE(Holds(100, 0, px, 40, 30));
    EXPECT_TRUE(Holds(200, 0, px, 40, 30));
}

TEST_F(ImagePlaneTest, PlanesAreRebuiltOnANewDevice) {
    auto px = drawtest::Noise(8, 40, 30);
    WriteBmp("obj/item.bmp", px, 40, 30);
    CImagePlane kept, reloaded;
    ASSERT_TRUE(kept.Load("obj\\item.bmp"));
    ASSERT_TRUE(reloaded.LoadFile("obj\\item.bmp", 0, 1));
    EXPECT_FALSE(kept.IsMustReload());
    // The screen (and its device) goes; a new one comes.
    screen.reset();
    screen = std::make_unique<drawtest::CTestScreen>();
    device = screen->Device();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(kept.IsMustReload());
    EXPECT_TRUE(reloaded.IsMustReload());
    ASSERT_TRUE(kept.Restore());
    EXPECT_FALSE(kept.IsMustReload());
    device->Clear(0xFF000000u);
    ASSERT_TRUE(kept.Draw(0, 0));
    ASSERT_TRUE(reloaded.Draw(50, 50));  // restores itself
    EXPECT_FALSE(reloaded.IsMustReload());
    EXPECT_TRUE(Holds(0, 0, px, 40, 30));
    EXPECT_TRUE(Holds(50, 50, px, 40, 30));
}

TEST(ImagePlaneNoScreen, DrawsNothingWithoutAnOutputAndKeepsItsPicture) {
    CImagePlane plane;
    ASSERT_TRUE(plane.Create(4, 4));
    ASSERT_TRUE(plane.Fill(0xFFFFFFFFu));
    EXPECT_FALSE(plane.Draw(0, 0));
    EXPECT_FALSE(plane.IsMustReload());
    EXPECT_NE(plane.GetPixels(), nullptr);
    {
        // Writing the picture to a file needs no graphics device (the GDI renderer has none).
        testsupport::CTempDir dir;
        testsupport::CGameFolderScope scope(dir.Path());
        ASSERT_TRUE(plane.Fill(0xFF102030u));
        ASSERT_TRUE(plane.SaveBitmap("thumb.bmp"));
        std::vector<uint8_t> file;
        ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "thumb.bmp", &file));
        ASSERT_EQ(file.size(), 54u + 12u * 4u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[28], 24);
        EXPECT_EQ(file[54], 0x30);
        EXPECT_EQ(file[55], 0x20);
        EXPECT_EQ(file[56], 0x10);
    }
    CGfxSystem::SetRefuseDevicesForTesting(true);
    {
        // A screen whose renderer draws nothing: no device, no frame buffer.
        CScreen screen;
        screen.Create(nullptr, true, "");
        EXPECT_FALSE(screen.UsesDirect3D());
        EXPECT_FALSE(plane.Draw(0, 0));
        EXPECT_TRUE(plane.Restore());
    }
    CGfxSystem::SetRefuseDevicesForTesting(false);
}

namespace {
uint32_t SoftPixel(CSoftSurface& s, int x, int y) {
    CSurfaceLock lock(&s);
    const uint8_t* p = s.GetBits() + static_cast<size_t>(y) * s.GetPitch() + static_cast<size_t>(x) * BytesPerPixel(s.GetBitDepth());
    if (s.GetBitDepth() == 32) return (p[2] << 16) | (p[1] << 8) | p[0];
    uint16_t v = static_cast<uint16_t>(p[0] | (p[1] << 8));
    return Expand565To888(v);
}
}  // namespace

TEST(ImagePlaneSoftware, DrawsOntoASoftwareSurfaceWithTheDispatchers) {
    CSoftSurfaceProxy target(nullptr);
    target.SetAutoRegister(false);
    ASSERT_TRUE(target.Create(64, 48, 32, false));
    target.Clear(0);
    auto px = drawtest::Noise(21, 8, 6);
    CImagePlane plane;
    ASSERT_TRUE(plane.CreateFromArgb(px.data(), 8, 6, 8));
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{10, 12, 18, 18}, SRect{0, 0, 8, 6}, nullptr));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(SoftPixel(target, 10 + x, 12 + y), px[y * 8 + x] & 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(SoftPixel(target, 9, 12), 0u);
    // A translation matrix moves it; a stretch doubles it.
    CMatrix4 m;
    MatrixTranslation(&m, 30, 0, 0);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, &m));
    EXPECT_EQ(SoftPixel(target, 30, 0), px[0] & 0xFFFFFFu);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{40, 30, 56, 42}, SRect{0, 0, 8, 6}, nullptr));
    EXPECT_EQ(SoftPixel(target, 40, 30), px[0] & 0xFFFFFFu);
    EXPECT_EQ(SoftPixel(target, 55, 41), px[5 * 8 + 7] & 0xFFFFFFu);
    // A turning matrix is refused.
    CMatrix4 r;
    MatrixRotationZ(&r, 0.5f);
    CLogCapture log;
    EXPECT_FALSE(plane.DrawSoftware(&target, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, &r));
    // An edit is seen at the next draw; translucent pixels blend.
    ASSERT_TRUE(plane.Fill(0x80FFFFFFu));
    target.Clear(0);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, nullptr));
    uint32_t half = SoftPixel(target, 0, 0);
    EXPECT_NEAR(static_cast<int>(half & 255), 128, 2);
    // The opacity of the colour applies.
    ASSERT_TRUE(plane.Fill(0xFFFFFFFFu));
    target.Clear(0);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, nullptr, 0x40FFFFFFu));
    EXPECT_NEAR(static_cast<int>(SoftPixel(target, 0, 0) & 255), 64, 2);
    // The colour bytes modulate red, green and blue as on the Direct3D renderer; white
    // afterwards draws the picture unchanged again.
    ASSERT_TRUE(plane.Fill(0xFF8040C0u));
    target.Clear(0);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, nullptr, 0xFF80FFFFu));
    EXPECT_EQ(SoftPixel(target, 0, 0), 0x4040C0u);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{8, 0, 16, 6}, SRect{0, 0, 8, 6}, nullptr, 0xFF000000u));
    EXPECT_EQ(SoftPixel(target, 8, 0), 0u);
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{16, 0, 24, 6}, SRect{0, 0, 8, 6}, nullptr, 0xFFFFFFFFu));
    EXPECT_EQ(SoftPixel(target, 16, 0), 0x8040C0u);
    // An edit after a tinted draw is seen by the next tinted draw.
    ASSERT_TRUE(plane.Fill(0xFFFFFFFFu));
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{24, 0, 32, 6}, SRect{0, 0, 8, 6}, nullptr, 0xFF000000u));
    ASSERT_TRUE(plane.DrawSoftware(&target, SRect{24, 0, 32, 6}, SRect{0, 0, 8, 6}, nullptr, 0xFF00FF00u));
    EXPECT_EQ(SoftPixel(target, 24, 0), 0x00FF00u);
    // A 16-bit target gets the picture at its depth.
    CSoftSurfaceProxy t16(nullptr);
    t16.SetAutoRegister(false);
    ASSERT_TRUE(t16.Create(16, 16, 16, false));
    ASSERT_TRUE(plane.Fill(0xFFF80000u));
    ASSERT_TRUE(plane.DrawSoftware(&t16, SRect{0, 0, 8, 6}, SRect{0, 0, 8, 6}, nullptr));
    EXPECT_EQ(SoftPixel(t16, 3, 3), 0xF80000u);
}
