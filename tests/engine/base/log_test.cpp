#include <gtest/gtest.h>

#include <filesystem>

#include <string>

#include "engine/base/CpuInfo.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "tests/support/TestSupport.h"

TEST(DebugPrintf, DropsOneTrailingLineFeedAndCutsAt2048) {
    CLogCapture log;
    DebugPrintf("a %d\n", 1);
    DebugPrintf("b\n\n");
    std::string big(3000, 'x');
    DebugPrintf("%s", big.c_str());
    auto lines = log.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a 1");
    EXPECT_EQ(lines[1], "b\n");
    EXPECT_EQ(lines[2].size(), 2047u);
}

TEST(DebugPrintf, WritesShiftJisLinesToTheLogFile) {
    testsupport::CTempDir dir;
    ASSERT_TRUE(EnableLogFile(dir.Path() + "log.txt"));
    DebugPrintf("スクリプト再生:%s", "scr\\a.txt");
    DisableLogFile();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "log.txt", &bytes));
    std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text, std::string("スクリプト再生:scr\\a.txt\r\n"));
    // "ス" in Shift-JIS.
    EXPECT_EQ(static_cast<uint8_t>(text[0]), 0x83);
    EXPECT_EQ(static_cast<uint8_t>(text[1]), 0x58);
}

TEST(GameFolder, NativePathsKeepTrailBytes) {
    testsupport::CGameFolderScope scope("/tmp/game");
    EXPECT_EQ(GetGameFolder(), "/tmp/game/");
    EXPECT_EQ(ToNativePath("bg\\a.bmp"), "/tmp/game/bg/a.bmp");
    EXPECT_EQ(ToNativePath("\x83\x5C\\a"), "/tmp/game/\x83\x5C/a");
}

TEST(GameFolder, ARelativeFolderIsTakenFromTheCurrentFolderAtOnce) {
    testsupport::CTempDir dir;
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const struct {
        const char* given;
        std::string expected;
    } cases[] = {
        {"build/demo", dir.Path() + "build/demo/"},
        {"./build/../demo/", dir.Path() + "demo/"},
        {"", dir.Path()},
        {"/opt/game", "/opt/game/"},
    };
    for (const auto& c : cases) {
        testsupport::CGameFolderScope scope(c.given);
        std::filesystem::current_path(here);
        EXPECT_EQ(GetGameFolder(), c.expected) << c.given;
        EXPECT_EQ(ToNativePath("cfg\\event.csv"), c.expected + "cfg/event.csv") << "whatever the current folder is now";
        std::filesystem::current_path(dir.Path());
    }
    std::filesystem::current_path(here);
}

TEST(CpuInfo, OverrideForcesLowerLevels) {
    uint32_t real = CCpuInfo::GetRealFeatures();
    {
        CCpuFeatureOverride plain(0);
        EXPECT_EQ(CCpuInfo::GetFeatures() & 3, 0u);
    }
    {
        CCpuFeatureOverride mmx(CCpuInfo::FEATURE_MMX);
        EXPECT_EQ(CCpuInfo::GetFeatures(), real & CCpuInfo::FEATURE_MMX);
    }
    EXPECT_EQ(CCpuInfo::GetFeatures(), real);
#if defined(__x86_64__)
    EXPECT_EQ(real & 7u, 7u);  // every x86-64 processor has MMX, SSE and SSE2
#endif
}

TEST(CpuInfo, FastMemCopyCopiesExactlyAtEveryLevel) {
    for (uint32_t level : {0u, 3u}) {
        CCpuFeatureOverride o(level);
        for (size_t n : {0u, 1u, 3u, 4u, 5u, 63u, 64u, 1000u}) {
            std::vector<uint8_t> src(n), dst(n + 8, 0xEE);
            for (size_t i = 0; i < n; ++i) src[i] = static_cast<uint8_t>(i * 7 + 1);
            EXPECT_EQ(FastMemCopy(dst.data(), src.data(), n), dst.data());
            EXPECT_TRUE(std::equal(src.begin(), src.end(), dst.begin()));
            for (size_t i = n; i < n + 8; ++i) EXPECT_EQ(dst[i], 0xEE) << "overrun at " << n;
        }
        // An empty copy touches nothing, whatever its pointers.
        uint8_t one = 0x5A;
        EXPECT_EQ(FastMemCopy(&one, nullptr, 0), &one);
        EXPECT_EQ(one, 0x5A);
    }
}
