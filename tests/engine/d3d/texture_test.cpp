// Textures, surfaces, the bitmap writer, the file loaders and tiled textures.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DPixelShader.h"
#include "engine/d3d/D3DTexture.h"
#include "engine/d3d/D3DTiledTexture.h"
#include "engine/d3d/D3DVertexBuffer.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/file/AtomicWrite.h"
#include "tests/engine/d3d/D3DTestUtil.h"
#include "tests/support/TestSupport.h"

namespace {

bool Fill(CD3DSurface& s, const std::vector<uint32_t>& argb) {
    SGfxLockedRect lr;
    if (!s.Lock(&lr)) return false;
    SGfxSurfaceDesc desc = s.GetDesc();
    uint32_t bpp = GfxFormatBytes(desc.format);
    for (uint32_t y = 0; y < desc.height; ++y)
        for (uint32_t x = 0; x < desc.width; ++x)
            GfxArgbToPixel(desc.format, argb[y * desc.width + x], static_cast<uint8_t*>(lr.bits) + y * lr.pitch + x * bpp);
    return s.Unlock();
}

// A BMP file of the pixels, made by our own writer (24 bits: alpha is dropped).
std::vector<uint8_t> MakeBmp(CD3DDevice& d, uint32_t w, uint32_t h, const std::vector<uint32_t>& argb) {
    CD3DSurface s;
    s.CreateImageSurface(&d, w, h, GFX_FMT_A8R8G8B8);
    Fill(s, argb);
    std::vector<uint8_t> bytes;
    s.EncodeBitmap(&bytes);
    return bytes;
}

// A 16-bit BMP of the words (top row first): 5-5-5 written plainly, 5-6-5 with its
// three masks after the header.
std::vector<uint8_t> MakeBmp16(uint32_t w, uint32_t h, const std::vector<uint16_t>& words, bool is565) {
    std::vector<uint8_t> out;
    const auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    const uint32_t rowBytes = (w * 2 + 3) & ~3u, offBits = 14 + 40 + (is565 ? 12 : 0);
    out.push_back('B');
    out.push_back('M');
    put(offBits + rowBytes * h, 4);
    put(0, 4);
    put(offBits, 4);
    for (uint32_t v : {40u, w, h}) put(v, 4);
    put(1, 2);
    put(16, 2);
    for (uint32_t v : {is565 ? 3u : 0u, rowBytes * h, 2835u, 2835u, 0u, 0u}) put(v, 4);
    if (is565) {
        for (uint32_t v : {0xF800u, 0x07E0u, 0x001Fu}) put(v, 4);
    }
    for (uint32_t y = h; y-- > 0;) {
        for (uint32_t x = 0; x < w; ++x) put(words[y * w + x], 2);
        out.resize(out.size() + (rowBytes - w * 2), 0);
    }
    return out;
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace

TEST(D3DSurface, SaveBitmapWritesTheExact24BitFile) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DSurface s;
    ASSERT_TRUE(s.CreateImageSurface(&d, 3, 2, GFX_FMT_A8R8G8B8));
    ASSERT_TRUE(Fill(s, {0xFF010203u, 0x80112233u, 0x00FFFFFFu, 0xFFA0B0C0u, 0xFF000000u, 0xFFFF0000u}));
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    ASSERT_TRUE(s.SaveBitmap("thumb.bmp"));
    std::vector<uint8_t> file;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "thumb.bmp", &file));
    // 3 pixels × 3 bytes = 9, padded to 12; two rows.
    const std::vector<uint8_t> want = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                          // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,  // information header
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                          // resolutions, colours
        0xC0, 0xB0, 0xA0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0,                          // bottom row first
        0x03, 0x02, 0x01, 0x33, 0x22, 0x11, 0xFF, 0xFF, 0xFF, 0, 0, 0,
    };
    EXPECT_EQ(file, want);
}

TEST(D3DSurface, SixteenBitChannelsAreShiftedToTheTopOfTheByte) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DSurface s;
    ASSERT_TRUE(s.CreateImageSurface(&d, 1, 1, GFX_FMT_R5G6B5));
    SGfxLockedRect lr;
    ASSERT_TRUE(s.Lock(&lr));
    *static_cast<uint16_t*>(lr.bits) = 0xFFFF;
    s.Unlock();
    std::vector<uint8_t> b;
    ASSERT_TRUE(s.EncodeBitmap(&b));
    EXPECT_EQ(b[54], 0xF8);
    EXPECT_EQ(b[55], 0xFC);
    EXPECT_EQ(b[56], 0xF8);
    EXPECT_EQ(Read32(b, 2), 58u);
    CD3DSurface none;
    CLogCapture log;
    EXPECT_FALSE(none.SaveBitmap("x.bmp"));
    EXPECT_TRUE(log.Contains("CD3DSurface::SaveBitmap()"));
}

// A 2 x 2 surface and a game folder of its own to write it into.
class D3DSurfaceFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(d.Create(nullptr));
        ASSERT_TRUE(s.CreateImageSurface(&d, 2, 2));
    }
    CD3DDevice d;
    CD3DSurface s;
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope{dir.Path()};
};

TEST_F(D3DSurfaceFile, SaveBitmapOfAnUncreatableFileIsFalse) {
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "plain", {1}));
    CLogCapture log;
    EXPECT_FALSE(s.SaveBitmap("plain\\x.bmp")) << "its folder is a file";
}

// A write that fails or stops part-way (a full disk, a kill before the rename, a
// refused rename) leaves the old picture whole.
TEST_F(D3DSurfaceFile, AnInterruptedSaveBitmapLeavesTheOldFileWhole) {
    testsupport::CQuietLog quiet;
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    for (EAtomicWriteFault fault : {EAtomicWriteFault::FAIL_TEMP_WRITE, EAtomicWriteFault::STOP_BEFORE_RENAME,
                                    EAtomicWriteFault::FAIL_RENAME}) {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "thumb.bmp", old));
        SetAtomicWriteFault(fault);
        EXPECT_FALSE(s.SaveBitmap("thumb.bmp"));
        SetAtomicWriteFault(EAtomicWriteFault::NONE);
        std::vector<uint8_t> now;
        ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "thumb.bmp", &now));
        EXPECT_EQ(now, old) << static_cast<int>(fault);
    }
}

TEST(D3DXLoad, LoadsAFileImageAndReportsItsSize) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    std::vector<uint32_t> px = {0xFF102030u, 0xFF405060u, 0xFF00FF00u, 0xFF708090u, 0xFFA0B0C0u, 0xFF00FF00u};
    auto bmp = MakeBmp(d, 3, 2, px);
    CD3DTexture t;
    ASSERT_TRUE(t.Create(&d, 3, 2));
    SD3DXImageInfo info;
    ASSERT_TRUE(t.LoadFromFileInMemory(bmp.data(), bmp.size(), nullptr, D3DX_FILTER_TRIANGLE, 0xFF00FF00u, &info));
    EXPECT_EQ(info.width, 3u);
    EXPECT_EQ(info.height, 2u);
    EXPECT_EQ(info.imageFileFormat, static_cast<uint32_t>(D3DXIFF_BMP));
    SGfxLockedRect lr;
    ASSERT_TRUE(t.Lock(&lr));
    const uint32_t* row0 = static_cast<const uint32_t*>(lr.bits);
    const uint32_t* row1 = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(lr.bits) + lr.pitch);
    EXPECT_EQ(row0[0], 0xFF102030u);
    EXPECT_EQ(row0[2], 0u);  // the colour key became transparent black
    EXPECT_EQ(row1[1], 0xFFA0B0C0u);
    t.Unlock();
}

// Pictures of every depth decode to A8R8G8B8, top row first: 5- and 6-bit channels
// widened by repeating their top bits, opaque without an alpha plane.
TEST(D3DXLoad, DecodedPicturesOfEveryDepthBecomeArgb) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    constexpr uint32_t w = 7, h = 3;
    std::mt19937 rng(9);
    std::vector<uint16_t> words(w * h);
    std::vector<uint32_t> colours(w * h);
    for (auto& v : words) v = static_cast<uint16_t>(rng());
    for (auto& c : colours) c = 0xFF000000u | (rng() & 0xFFFFFFu);
    const auto widen = [](uint32_t v, int bits) { return (v << (8 - bits)) | (v >> (2 * bits - 8)); };
    struct SCase {
        const char* what;
        std::vector<uint8_t> file;
        std::function<uint32_t(size_t)> want;
    };
    const SCase cases[] = {
        {"5-5-5", MakeBmp16(w, h, words, false),
         [&](size_t i) {
             const uint32_t p = words[i];
             return 0xFF000000u | widen(p >> 10 & 31, 5) << 16 | widen(p >> 5 & 31, 5) << 8 | widen(p & 31, 5);
         }},
        {"5-6-5", MakeBmp16(w, h, words, true),
         [&](size_t i) {
             const uint32_t p = words[i];
             return 0xFF000000u | widen(p >> 11 & 31, 5) << 16 | widen(p >> 5 & 63, 6) << 8 | widen(p & 31, 5);
         }},
        {"24 bits", MakeBmp(d, w, h, colours), [&](size_t i) { return colours[i]; }},
    };
    for (const SCase& c : cases) {
        std::vector<uint32_t> argb;
        SD3DXImageInfo info;
        ASSERT_TRUE(D3DXDecodeImage(c.file.data(), c.file.size(), &argb, &info)) << c.what;
        ASSERT_EQ(argb.size(), static_cast<size_t>(w * h)) << c.what;
        for (size_t i = 0; i < argb.size(); ++i) ASSERT_EQ(argb[i], c.want(i)) << c.what << " pixel " << i;
    }
}

TEST(D3DXLoad, SourceRectangleIsScaledIntoTheSurface) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    // 8 × 4: left half red, right half blue.
    std::vector<uint32_t> px(32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) px[y * 8 + x] = x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
    auto bmp = MakeBmp(d, 8, 4, px);
    CD3DTexture t;
    ASSERT_TRUE(t.Create(&d, 16, 16));
    SGfxRect right{4, 0, 8, 4};
    SD3DXImageInfo info;
    ASSERT_TRUE(t.LoadFromFileInMemory(bmp.data(), bmp.size(), &right, D3DX_FILTER_TRIANGLE, 0, &info));
    EXPECT_EQ(info.width, 8u);
    SGfxLockedRect lr;
    ASSERT_TRUE(t.Lock(&lr));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(lr.bits) + y * lr.pitch)[x], 0xFF0000FFu);
    t.Unlock();
    // A rectangle outside the picture and bytes that are no picture are refused.
    CLogCapture log;
    SGfxRect outside{4, 0, 9, 4};
    EXPECT_FALSE(t.LoadFromFileInMemory(bmp.data(), bmp.size(), &outside, D3DX_FILTER_TRIANGLE, 0, nullptr));
    const uint8_t junk[16] = {1, 2, 3};
    EXPECT_FALSE(t.LoadFromFileInMemory(junk, sizeof(junk), nullptr, D3DX_FILTER_TRIANGLE, 0, nullptr));
    EXPECT_FALSE(t.LoadFromFileInMemory(bmp.data(), 20, nullptr, D3DX_FILTER_TRIANGLE, 0, nullptr));
    EXPECT_GE(log.Count(), 3u);
}

TEST(D3DXLoad, TriangleFilterAveragesWhenShrinking) {
    std::vector<uint32_t> src = {0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu};
    uint32_t dst = 0;
    D3DXResampleArgb(src.data(), 4, 1, 4, &dst, 1, 1, D3DX_FILTER_TRIANGLE);
    EXPECT_NEAR(static_cast<double>(dst & 255), 127.5, 1.0);
    // Same size is an exact copy with any filter.
    std::vector<uint32_t> out(4);
    D3DXResampleArgb(src.data(), 2, 2, 2, out.data(), 2, 2, D3DX_FILTER_LINEAR);
    EXPECT_EQ(out, src);
}

// Loads that resample nothing into a surface that holds the colours as they are
// (A8R8G8B8): the picture's rectangle copied with its key made clear, cut to the
// surface's rectangle, and with no filter whatever it does not cover left as it was.
TEST(D3DXLoad, UnscaledLoadsCopyKeyedRowsAndLeaveTheRestAlone) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    constexpr uint32_t kKey = 0xFF00FF00u, kOld = 0x12345678u;
    std::vector<uint32_t> px(9 * 7);
    std::mt19937 rng(5);
    for (auto& p : px) p = rng() % 5 == 0 ? kKey : static_cast<uint32_t>(rng());
    struct SCase {
        const char* what;
        uint32_t filter;
        bool hasSource, hasDest;
        SGfxRect source, dest;
    };
    const SCase cases[] = {
        {"whole picture, no filter, larger surface", D3DX_FILTER_NONE, false, false, {}, {}},
        {"part of the picture, no filter", D3DX_FILTER_NONE, true, false, {2, 1, 8, 7}, {}},
        {"into a rectangle, no filter, picture cut", D3DX_FILTER_NONE, false, true, {}, {3, 2, 9, 6}},
        {"same size, triangle filter", D3DX_FILTER_TRIANGLE, true, true, {1, 1, 6, 5}, {4, 3, 9, 7}},
    };
    for (const SCase& c : cases) {
        CD3DTexture t;
        ASSERT_TRUE(t.Create(&d, 12, 10, GFX_FMT_A8R8G8B8));
        CD3DSurface s;
        ASSERT_TRUE(t.GetSurface(&s));
        ASSERT_TRUE(Fill(s, std::vector<uint32_t>(12 * 10, kOld)));
        ASSERT_TRUE(D3DXLoadSurfaceFromArgb(&s, c.hasDest ? &c.dest : nullptr, px.data(), 9, 7, 9,
                                            c.hasSource ? &c.source : nullptr, c.filter, kKey))
            << c.what;
        const SGfxRect src = c.hasSource ? c.source : SGfxRect{0, 0, 9, 7};
        const SGfxRect dst = c.hasDest ? c.dest : SGfxRect{0, 0, 12, 10};
        SGfxLockedRect lr;
        ASSERT_TRUE(s.Lock(&lr));
        for (int32_t y = 0; y < 10; ++y) {
            for (int32_t x = 0; x < 12; ++x) {
                const int32_t sx = src.left + x - dst.left, sy = src.top + y - dst.top;
                const bool covered = x >= dst.left && x < dst.right && y >= dst.top && y < dst.bottom && sx < src.right &&
                                     sy < src.bottom;
                uint32_t want = kOld;
                if (covered) {
                    const uint32_t p = px[static_cast<size_t>(sy * 9 + sx)];
                    want = p == kKey ? 0u : p;
                }
                ASSERT_EQ(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(lr.bits) + y * lr.pitch)[x], want)
                    << c.what << " at " << x << "," << y;
            }
        }
        s.Unlock();
    }
}

TEST(D3DTexture, DrawsAStripOf28ByteVertices) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DTexture t;
    ASSERT_TRUE(t.Create(&d, 2, 2, GFX_FMT_A8R8G8B8));
    EXPECT_TRUE(t.Exists());
    CD3DSurface s;
    ASSERT_TRUE(t.GetSurface(&s));
    ASSERT_TRUE(Fill(s, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0x80FFFFFFu}));
    ASSERT_TRUE(d.Clear(0xFF000000u));
    const SGfxVertex v[4] = {{9.5f, 19.5f, 0, 1, 0xFFFFFFFFu, 0, 0},
                             {11.5f, 19.5f, 0, 1, 0xFFFFFFFFu, 1, 0},
                             {9.5f, 21.5f, 0, 1, 0xFFFFFFFFu, 0, 1},
                             {11.5f, 21.5f, 0, 1, 0xFFFFFFFFu, 1, 1}};
    ASSERT_TRUE(d.BeginScene());
    ASSERT_TRUE(t.Draw(GFX_PT_TRIANGLESTRIP, 2, v));
    ASSERT_TRUE(d.EndScene());
    auto bb = d3dtest::ReadBackBuffer(d);
    EXPECT_EQ(bb[20 * 800 + 10], 0xFF0000u);
    EXPECT_EQ(bb[20 * 800 + 11], 0x00FF00u);
    EXPECT_EQ(bb[21 * 800 + 10], 0x0000FFu);
    EXPECT_EQ(bb[21 * 800 + 11], 0x808080u);  // half white over black
    t.Release();
    EXPECT_FALSE(t.Exists());
    EXPECT_FALSE(t.Draw(GFX_PT_TRIANGLESTRIP, 2, v));
}

TEST(D3DTexture, CreatesOnTheThreadsDeviceOnlyWhenThereIsOne) {
    CD3DTexture t;
    CLogCapture log;
    EXPECT_FALSE(t.Create(16, 16));  // no device registered for this thread
    EXPECT_TRUE(log.Contains("CD3DTexture::Create() デバイスがありません"));
}

TEST(D3DTexture, RenderToTextureThenThumbnailToBitmap) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DTexture full, small;
    ASSERT_TRUE(full.CreateRenderTarget(&d, 800, 600));
    ASSERT_TRUE(small.CreateRenderTarget(&d, 200, 150));
    ASSERT_TRUE(d.SetRenderTarget(&full));
    d.Clear(0xFF00FF00u);
    ASSERT_TRUE(d.SetRenderTarget(&small));
    d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR);
    const SGfxVertex v[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 0, 0},
                             {199.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 1, 0},
                             {-0.5f, 149.5f, 0, 1, 0xFFFFFFFFu, 0, 1},
                             {199.5f, 149.5f, 0, 1, 0xFFFFFFFFu, 1, 1}};
    ASSERT_TRUE(full.Draw(GFX_PT_TRIANGLESTRIP, 2, v));
    ASSERT_TRUE(d.SetRenderTarget(static_cast<const CD3DTexture*>(nullptr)));
    CD3DSurface from, image;
    ASSERT_TRUE(small.GetSurface(&from));
    ASSERT_TRUE(image.CreateImageSurface(&d, 200, 150));
    ASSERT_TRUE(d.CopyRects(from, nullptr, 0, image, nullptr));
    std::vector<uint8_t> b;
    ASSERT_TRUE(image.EncodeBitmap(&b));
    EXPECT_EQ(Read32(b, 18), 200u);
    EXPECT_EQ(Read32(b, 22), 150u);
    EXPECT_EQ(b.size(), 54u + 600u * 150u);
    EXPECT_EQ(b[54], 0);
    EXPECT_EQ(b[55], 0xFF);
    EXPECT_EQ(b[56], 0);
}

TEST(D3DVertexBuffer, DrawsFromTheBuffer) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DVertexBuffer vb;
    ASSERT_TRUE(vb.Create(&d, 4));
    const SGfxVertex v[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFF8000u, 0, 0},
                             {3.5f, -0.5f, 0, 1, 0xFFFF8000u, 1, 0},
                             {-0.5f, 3.5f, 0, 1, 0xFFFF8000u, 0, 1},
                             {3.5f, 3.5f, 0, 1, 0xFFFF8000u, 1, 1}};
    ASSERT_TRUE(vb.Write(v, 4));
    d.Clear(0xFF000000u);
    ASSERT_TRUE(vb.Draw(GFX_PT_TRIANGLESTRIP, 0, 2, nullptr));
    auto bb = d3dtest::ReadBackBuffer(d);
    EXPECT_EQ(bb[0], 0xFF8000u);
    EXPECT_EQ(bb[3 * 800 + 3], 0xFF8000u);
    EXPECT_EQ(bb[4], 0u);
    CLogCapture log;
    void* p = nullptr;
    EXPECT_FALSE(vb.Lock(&p, 3, 2));
    EXPECT_FALSE(vb.Draw(GFX_PT_TRIANGLESTRIP, 0, 3, nullptr));
    EXPECT_TRUE(log.Contains("CD3DDevice::DrawPrimitive() DrawPrimitive()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
}

TEST(D3DPixelShader, RuleProgramWipesByTheMask) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    CD3DTexture picture, rule;
    ASSERT_TRUE(picture.Create(&d, 2, 1));
    ASSERT_TRUE(rule.Create(&d, 2, 1));
    CD3DSurface ps, rs;
    picture.GetSurface(&ps);
    rule.GetSurface(&rs);
    Fill(ps, {0xFFFFFFFFu, 0xFFFFFFFFu});
    Fill(rs, {0xFF000010u, 0xFF0000F0u});
    CD3DPixelShader shader;
    ASSERT_TRUE(shader.Create(&d, GFX_PS_RULE));
    ASSERT_TRUE(shader.Set());
    ASSERT_TRUE(shader.SetConstant(0, 0, 0, 0, 0.5f));
    ASSERT_TRUE(shader.SetConstant(1, 0, 0, 0, 0.1f));
    d.SetTexture(1, &rule);
    d.Clear(0xFF000000u);
    const SGfxVertex v[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 0, 0},
                             {1.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 1, 0},
                             {-0.5f, 0.5f, 0, 1, 0xFFFFFFFFu, 0, 1},
                             {1.5f, 0.5f, 0, 1, 0xFFFFFFFFu, 1, 1}};
    ASSERT_TRUE(picture.Draw(GFX_PT_TRIANGLESTRIP, 2, v));
    shader.Unset();
    d.SetTexture(1, nullptr);
    auto bb = d3dtest::ReadBackBuffer(d);
    EXPECT_EQ(bb[0], 0xFFFFFFu);  // low rule value: already shown
    EXPECT_EQ(bb[1], 0u);         // high rule value: not yet
    CLogCapture log;
    CD3DPixelShader bad;
    EXPECT_FALSE(bad.Create(&d, 99));
    EXPECT_TRUE(log.Contains("CD3DDevice::CreatePixelShader() CreatePixelShader()に失敗[APIReturnValue:D3DERR_INVALIDCALL]"));
}

namespace {
std::vector<uint32_t> BigPicture() {
    std::vector<uint32_t> px(2000 * 1500);
    std::mt19937 rng(77);
    for (auto& p : px) p = 0xFF000000u | (rng() & 0xFFFFFF);
    return px;
}

// Draws the picture untiled (one 2000 × 1500 texture on a device that allows it) or
// tiled (textures of at most `limit`), 1:1 at an offset and shrunk to the screen.
std::vector<uint32_t> DrawPicture(bool tiled, uint32_t limit, int scene, const std::vector<uint32_t>& px) {
    d3dtest::SGfxHooks hooks;
    CGfxSystem::SetDefaultMaxTextureSizeForTesting(tiled ? limit : 2048);
    CD3DDevice d;
    if (!d.Create(nullptr)) return {};
    d.Clear(0xFF000000u);
    if (scene == 2) d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR);
    SD3DRectF dest = scene == 0 ? SD3DRectF{-300, -200, 1700, 1300} : SD3DRectF{0, 0, 800, 600};
    if (tiled) {
        CD3DTiledTexture t;
        if (!t.Create(&d, 2000, 1500) || !t.LoadArgb(px.data(), 2000)) return {};
        EXPECT_GT(t.GetTileCount(), 4u);
        t.DrawStretch(dest, SGfxRect{0, 0, 2000, 1500});
    } else {
        CD3DTexture t;
        if (!t.Create(&d, 2000, 1500)) return {};
        CD3DSurface s;
        t.GetSurface(&s);
        if (!D3DXLoadSurfaceFromArgb(&s, nullptr, px.data(), 2000, 1500, 2000, nullptr, D3DX_FILTER_NONE, 0)) return {};
        const float l = dest.left - 0.5f, tp = dest.top - 0.5f, r = dest.right - 0.5f, b = dest.bottom - 0.5f;
        const SGfxVertex v[4] = {{l, tp, 0, 1, 0xFFFFFFFFu, 0, 0},
                                 {r, tp, 0, 1, 0xFFFFFFFFu, 1, 0},
                                 {l, b, 0, 1, 0xFFFFFFFFu, 0, 1},
                                 {r, b, 0, 1, 0xFFFFFFFFu, 1, 1}};
        t.Draw(GFX_PT_TRIANGLESTRIP, 2, v);
    }
    return d3dtest::ReadBackBuffer(d);
}
}  // namespace

TEST(D3DTiledTexture, BigPictureDrawnThroughTilesEqualsTheUntiledDraw) {
    auto px = BigPicture();
    for (int scene = 0; scene < 2; ++scene) {
        auto whole = DrawPicture(false, 0, scene, px);
        auto tiles = DrawPicture(true, 512, scene, px);
        ASSERT_EQ(whole.size(), 800u * 600u);
        ASSERT_EQ(tiles.size(), whole.size());
        size_t diff = 0;
        for (size_t i = 0; i < whole.size(); ++i) diff += whole[i] != tiles[i];
        EXPECT_EQ(diff, 0u) << "scene " << scene;
    }
    // Filtered: the shared borders keep the tile edges seamless (within rounding).
    auto whole = DrawPicture(false, 0, 2, px);
    auto tiles = DrawPicture(true, 512, 2, px);
    ASSERT_EQ(tiles.size(), whole.size());
    int worst = 0;
    for (size_t i = 0; i < whole.size(); ++i)
        for (int sh = 0; sh < 24; sh += 8)
            worst = std::max(worst, std::abs(static_cast<int>((whole[i] >> sh) & 255) - static_cast<int>((tiles[i] >> sh) & 255)));
    EXPECT_LE(worst, 2);
}

TEST(D3DTiledTexture, SmallPicturesUseOneTileAndBadRectanglesAreRefused) {
    CD3DDevice d;
    ASSERT_TRUE(d.Create(nullptr));
    std::vector<uint32_t> px = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    auto bmp = MakeBmp(d, 2, 2, px);
    CD3DTiledTexture t;
    ASSERT_TRUE(t.LoadFromFileInMemory(&d, bmp.data(), bmp.size()));
    EXPECT_EQ(t.GetTileCount(), 1u);
    d.Clear(0xFF000000u);
    ASSERT_TRUE(t.Draw(5, 6));
    auto bb = d3dtest::ReadBackBuffer(d);
    EXPECT_EQ(bb[6 * 800 + 5], 0xFF0000u);
    EXPECT_EQ(bb[7 * 800 + 6], 0xFFFFFFu);
    CLogCapture log;
    EXPECT_FALSE(t.DrawStretch(SD3DRectF{0, 0, 4, 4}, SGfxRect{0, 0, 3, 2}));
    EXPECT_TRUE(log.Contains("CD3DTiledTexture::DrawStretch()"));
}
