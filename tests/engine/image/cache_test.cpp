// The image cache: shared decoded pictures, counted references, names matched the
// way the file layer matches them, and concurrent use.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/base/Log.h"
#include "engine/image/ImageFileCache.h"
#include "tests/engine/image/ImageWriters.h"
#include "tests/support/TestSupport.h"

namespace {

class ImageCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        imagetest::SBmpSpec spec;
        spec.width = 3;
        spec.height = 2;
        ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + "obj/Face.bmp", imagetest::WriteBmp(spec, {1, 2, 3, 4, 5, 6})));
        ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + "obj/other.bmp", imagetest::WriteBmp(spec, {6, 5, 4, 3, 2, 1})));
    }

    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};
    CImageFileCacheControl m_Cache;
};

}  // namespace

TEST_F(ImageCacheTest, SharesOnePictureAndFreesItWithTheLastReference) {
    const CImageFile* a = m_Cache.Acquire("obj\\Face.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetBitCount(), 24);
    const CImageFile* b = m_Cache.Acquire("OBJ/face.BMP");
    EXPECT_EQ(a, b);
    const CImageFile* c = m_Cache.Acquire("obj\\\\face.bmp");
    EXPECT_EQ(a, c);
    EXPECT_EQ(m_Cache.GetRefCount("obj\\face.bmp"), 3);
    EXPECT_EQ(m_Cache.GetCount(), 1u);

    const CImageFile* other = m_Cache.Acquire("obj\\other.bmp");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, a);
    EXPECT_EQ(m_Cache.GetCount(), 2u);

    EXPECT_TRUE(m_Cache.Release("obj\\face.bmp"));
    EXPECT_TRUE(m_Cache.Release("Obj\\Face.bmp"));
    EXPECT_EQ(m_Cache.GetRefCount("obj\\face.bmp"), 1);
    EXPECT_EQ(a->GetPixelBits()[0], 4);  // bottom row first, still alive
    EXPECT_TRUE(m_Cache.Release("obj/face.bmp"));
    EXPECT_EQ(m_Cache.GetRefCount("obj\\face.bmp"), 0);
    EXPECT_EQ(m_Cache.GetCount(), 1u);

    // Freed: the next request decodes again.
    const CImageFile* again = m_Cache.Acquire("obj\\face.bmp");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(m_Cache.GetRefCount("obj\\face.bmp"), 1);
    m_Cache.Clear();
    EXPECT_EQ(m_Cache.GetCount(), 0u);
}

TEST_F(ImageCacheTest, FailuresTakeNoReference) {
    CLogCapture log;
    EXPECT_EQ(m_Cache.Acquire("obj\\missing.bmp"), nullptr);
    EXPECT_TRUE(log.Contains("CImageFile::Open()"));
    EXPECT_EQ(m_Cache.GetCount(), 0u);
    EXPECT_FALSE(m_Cache.Release("obj\\missing.bmp"));
    EXPECT_TRUE(log.Contains("CImageFileCacheControl::Release() キャッシュにない画像です[obj\\missing.bmp]"));
    // One release too many.
    ASSERT_NE(m_Cache.Acquire("obj\\face.bmp"), nullptr);
    EXPECT_TRUE(m_Cache.Release("obj\\face.bmp"));
    EXPECT_FALSE(m_Cache.Release("obj\\face.bmp"));
}

TEST(ImageCacheKey, CaseFoldsOnlySingleByteLetters) {
    EXPECT_EQ(CImageFileCacheControl::MakeKey("BG/A.Bmp"), "bg\\a.bmp");
    EXPECT_EQ(CImageFileCacheControl::MakeKey("bg\\\\a.bmp"), "bg\\a.bmp");
    // "ソ" (0x83 0x5C) keeps its trail byte; "Ａ" (0x82 0x60) is not folded, and
    // 0x82 0x41 ("ア" in no code page; a lead byte then 'A') keeps its 'A'.
    std::string sjis = "bg\\\x83\x5C" "A.bmp";
    EXPECT_EQ(CImageFileCacheControl::MakeKey(sjis), "bg\\\x83\x5C" "a.bmp");
    EXPECT_EQ(CImageFileCacheControl::MakeKey("\x82\x41.bmp"), "\x82\x41.bmp");
    EXPECT_NE(CImageFileCacheControl::MakeKey("\x82\x41.bmp"), CImageFileCacheControl::MakeKey("\x82\x61.bmp"));
}

TEST_F(ImageCacheTest, ThreadsShareOneEntry) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 200;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const char* name = t % 2 ? "obj\\FACE.bmp" : "obj\\face.bmp";
            for (int i = 0; i < kRounds; ++i) {
                const CImageFile* image = m_Cache.Acquire(name);
                if (!image || image->GetPixelBits()[0] != 4) ++failures;
                if (!m_Cache.Release(name)) ++failures;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(m_Cache.GetCount(), 0u);
}

TEST(ImageCacheSingleton, IsOneObject) {
    EXPECT_EQ(&CImageFileCacheControl::GetInstance(), &CImageFileCacheControl::GetInstance());
}
