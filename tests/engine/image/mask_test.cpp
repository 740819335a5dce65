// Mask images: creation, threshold clamping, and loading one channel of a picture
// at a requested size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "engine/image/MaskImage.h"
#include "tests/engine/image/ImageWriters.h"
#include "tests/support/TestSupport.h"

using imagetest::CTestRandom;

namespace {

uint8_t MaskAt(const CMaskImage& mask, int32_t x, int32_t y) { return mask.GetBits()[y * mask.GetPitch() + x]; }

void ExpectEmpty(const CMaskImage& mask) {
    EXPECT_EQ(mask.GetBits(), nullptr);
    int32_t w = -1, h = -1;
    mask.GetSize(&w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(mask.GetPitch(), 0);
}

class MaskFileTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + name, bytes));
    }

    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};
};

}  // namespace

TEST(MaskImage, NewImageIsEmptyWithThreshold255) {
    CMaskImage mask;
    ExpectEmpty(mask);
    EXPECT_EQ(mask.GetThreshold(), 255);
}

TEST(MaskImage, ThresholdIsHeldTo0Through255) {
    CMaskImage mask;
    for (auto [in, out] : {std::pair{-1, 0}, {-100000, 0}, {0, 0}, {128, 128}, {255, 255}, {256, 255}, {INT32_MAX, 255}}) {
        mask.SetThreshold(in);
        EXPECT_EQ(mask.GetThreshold(), out) << in;
    }
}

TEST(MaskImage, CreateGivesAZeroedBufferWithPitchRoundedTo4) {
    CMaskImage mask;
    for (int32_t w : {1, 3, 4, 5, 800}) {
        ASSERT_TRUE(mask.Create(w, 3));
        EXPECT_EQ(mask.GetPitch(), (w + 3) & ~3);
        int32_t gw = 0, gh = 0;
        mask.GetSize(&gw, &gh);
        EXPECT_EQ(gw, w);
        EXPECT_EQ(gh, 3);
        for (int32_t i = 0; i < mask.GetPitch() * 3; ++i) ASSERT_EQ(mask.GetBits()[i], 0);
    }
    mask.SetThreshold(7);
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-1, 5}, {16385, 1}, {1, 16385}}) {
        CLogCapture log;
        EXPECT_FALSE(mask.Create(w, h));
        EXPECT_TRUE(log.Contains("CMaskImage::Create() サイズが不正です"));
        ExpectEmpty(mask);
    }
    EXPECT_EQ(mask.GetThreshold(), 7);  // the level outlives the picture
    ASSERT_TRUE(mask.Create(2, 2));
    mask.Release();
    ExpectEmpty(mask);
}

// A 24-bit picture at its own size keeps its blue bytes, top row first.
TEST_F(MaskFileTest, KeepsTheBlueByteAtThePicturesOwnSize) {
    CTestRandom rnd(5);
    imagetest::SBmpSpec spec;
    spec.width = 5;
    spec.height = 3;
    std::vector<uint32_t> values(15);
    for (auto& v : values) v = rnd.Next() & 0xFFFFFF;
    Write("effect/rule.bmp", imagetest::WriteBmp(spec, values));
    CMaskImage mask;
    mask.SetThreshold(128);
    ASSERT_TRUE(mask.LoadFromFile("effect\\rule.bmp"));
    int32_t w = 0, h = 0;
    mask.GetSize(&w, &h);
    ASSERT_EQ(w, 5);
    ASSERT_EQ(h, 3);
    EXPECT_EQ(mask.GetPitch(), 8);
    EXPECT_EQ(mask.GetThreshold(), 128);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(MaskAt(mask, x, y), values[y * 5 + x] & 0xFF) << x << "," << y;
        }
    }
}

TEST_F(MaskFileTest, SixteenBitBlueIsWidenedToTheFullRange) {
    imagetest::SBmpSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.bitCount = 16;
    spec.compression = 3;
    spec.masks[0] = 0xF800;
    spec.masks[1] = 0x07E0;
    spec.masks[2] = 0x001F;
    Write("a.bmp", imagetest::WriteBmp(spec, {0xFFE0, 0x001F, 0x0010, 0x0001}));
    CMaskImage mask;
    ASSERT_TRUE(mask.LoadFromFile("a.bmp"));
    EXPECT_EQ(MaskAt(mask, 0, 0), 0x00);
    EXPECT_EQ(MaskAt(mask, 1, 0), 0xFF);
    EXPECT_EQ(MaskAt(mask, 2, 0), 0x84);
    EXPECT_EQ(MaskAt(mask, 3, 0), 0x08);
}

TEST_F(MaskFileTest, PngAlphaIsIgnoredAndGreyKept) {
    imagetest::SPngSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.colorType = 4;  // grey + alpha
    Write("rule.png", imagetest::WritePng(spec, {10, 0, 20, 255, 30, 128, 40, 1}));
    CMaskImage mask;
    ASSERT_TRUE(mask.LoadFromFile("rule.png"));
    EXPECT_EQ(MaskAt(mask, 0, 0), 10);
    EXPECT_EQ(MaskAt(mask, 1, 0), 20);
    EXPECT_EQ(MaskAt(mask, 0, 1), 30);
    EXPECT_EQ(MaskAt(mask, 1, 1), 40);
}

// Another size is reached by taking the source pixel whose centre is nearest.
TEST_F(MaskFileTest, PictureOfAnotherSizeIsResampled) {
    imagetest::SBmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitCount = 32;
    Write("r.bmp", imagetest::WriteBmp(spec, {0, 1, 2, 3, 10, 11, 12, 13}));
    CMaskImage mask;
    // Larger: each source pixel doubled.
    ASSERT_TRUE(mask.LoadFromFile("r.bmp", 8, 4));
    const uint8_t big[4][8] = {{0, 0, 1, 1, 2, 2, 3, 3}, {0, 0, 1, 1, 2, 2, 3, 3},
                               {10, 10, 11, 11, 12, 12, 13, 13}, {10, 10, 11, 11, 12, 12, 13, 13}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(MaskAt(mask, x, y), big[y][x]) << x << "," << y;
    // Smaller: the centres of columns 1 and 3.
    ASSERT_TRUE(mask.LoadFromFile("r.bmp", 2, 1));
    EXPECT_EQ(MaskAt(mask, 0, 0), 11);
    EXPECT_EQ(MaskAt(mask, 1, 0), 13);
    // One side given, the other the picture's own.
    ASSERT_TRUE(mask.LoadFromFile("r.bmp", 0, 1));
    int32_t w = 0, h = 0;
    mask.GetSize(&w, &h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 1);
    // The game's rule size from a small picture.
    ASSERT_TRUE(mask.LoadFromFile("r.bmp", 800, 600));
    EXPECT_EQ(mask.GetPitch(), 800);
    EXPECT_EQ(MaskAt(mask, 799, 599), 13);
    EXPECT_EQ(MaskAt(mask, 0, 0), 0);
}

TEST_F(MaskFileTest, FailuresLeaveTheMaskEmpty) {
    imagetest::SBmpSpec spec;
    Write("ok.bmp", imagetest::WriteBmp(spec, {0x123456}));
    CMaskImage mask;
    ASSERT_TRUE(mask.LoadFromFile("ok.bmp"));
    {
        CLogCapture log;
        EXPECT_FALSE(mask.LoadFromFile("missing.bmp", 800, 600));
        EXPECT_TRUE(log.Contains("CMaskImage::LoadFromFile() 画像を読み込めません[missing.bmp]"));
        ExpectEmpty(mask);
    }
    ASSERT_TRUE(mask.LoadFromFile("ok.bmp"));
    {
        CLogCapture log;
        EXPECT_FALSE(mask.LoadFromFile("ok.bmp", -1, 600));
        EXPECT_TRUE(log.Contains("CMaskImage::Create() サイズが不正です"));
        ExpectEmpty(mask);
        EXPECT_FALSE(mask.LoadFromFile("ok.bmp", 16385, 1));
        ExpectEmpty(mask);
    }
    CImageFile closed;
    EXPECT_FALSE(mask.LoadFromImage(closed, 4, 4));
    ExpectEmpty(mask);
}
