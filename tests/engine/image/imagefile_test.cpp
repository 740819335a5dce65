// CImageFile through the file layer: names, extensions, and what a failed open leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "tests/engine/image/ImageWriters.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<uint8_t> TinyBmp(uint32_t colour) {
    imagetest::SBmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    return imagetest::WriteBmp(spec, {colour, colour});
}

std::vector<uint8_t> TinyPng() {
    imagetest::SPngSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.colorType = 6;
    return imagetest::WritePng(spec, std::vector<uint16_t>(16, 0x80));
}

}  // namespace

TEST(ImageFile, OpensThroughTheFileLayerWhateverTheCase) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "bg/Test.BMP", TinyBmp(0x336699)));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "sys/a.png", TinyPng()));

    CImageFile image;
    ASSERT_TRUE(image.Open("BG\\test.bmp"));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetPixelBits()[0], 0x99);
    ASSERT_TRUE(image.Open("sys\\A.PNG"));
    EXPECT_EQ(image.GetBitCount(), 32);
    EXPECT_NE(image.GetAlphaPlane(), nullptr);
}

TEST(ImageFile, MissingFileLogsAndDropsThePreviousPicture) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "bg/a.bmp", TinyBmp(1)));
    CImageFile image;
    ASSERT_TRUE(image.Open("bg\\a.bmp"));
    CLogCapture log;
    EXPECT_FALSE(image.Open("bg\\missing.bmp"));
    EXPECT_TRUE(log.Contains("CImageFile::Open() ファイルを開けません[bg\\missing.bmp]"));
    EXPECT_FALSE(image.IsOpen());
    EXPECT_EQ(image.GetPixelBits(), nullptr);
}

TEST(ImageFile, DecoderIsChosenByExtension) {
    auto bmp = TinyBmp(5);
    CImageFile image;
    EXPECT_TRUE(image.OpenMemory(bmp.data(), bmp.size(), "x.BmP"));
    EXPECT_TRUE(image.OpenMemory(bmp.data(), bmp.size(), "dir.png\\x.bmp"));
    for (const char* name : {"x.jpg", "x", "x.bmp.txt", "dir.bmp\\x", "x.bm"}) {
        CLogCapture log;
        EXPECT_FALSE(image.OpenMemory(bmp.data(), bmp.size(), name)) << name;
        EXPECT_TRUE(log.Contains("CImageFile::OpenMemory() 未対応の画像形式です")) << name;
        EXPECT_FALSE(image.IsOpen());
    }
    // Content is not sniffed: PNG bytes under a .bmp name are refused.
    auto png = TinyPng();
    EXPECT_FALSE(image.OpenMemory(png.data(), png.size(), "x.bmp"));
    EXPECT_TRUE(image.OpenMemory(png.data(), png.size(), "x.png"));
    image.Close();
    EXPECT_FALSE(image.IsOpen());
    int32_t w = 7, h = 7;
    image.GetImageSize(&w, &h);
    EXPECT_EQ(w + h, 0);
    image.GetImageSize(nullptr, nullptr);
}

TEST(ImageFile, NullDataIsRefused) {
    CImageFile image;
    SetDebugOutputEnabled(false);
    EXPECT_FALSE(image.OpenMemory(nullptr, 0, "a.bmp"));
    EXPECT_FALSE(image.OpenMemory(nullptr, 0, "a.png"));
    SetDebugOutputEnabled(true);
}
