#include <gtest/gtest.h>

#include <cstdio>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "game/core/BgmList.h"
#include "game/core/HouseLayout.h"
#include "game/core/ReadHistory.h"
#include "game/core/RunningGame.h"
#include "game/core/SuperScene.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::CGameFolderScope;
using testsupport::CTempDir;

struct QuietLog {
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

TEST(RunningGame, OverridesNestAndNoGameReadsZero) {
    EXPECT_EQ(GetRunningGameState(), nullptr);
    EXPECT_EQ(GetRunningParam(100, 2), 0);
    CGameState outer, inner;
    outer.GetStatus().SetParam(1, 8, 7);
    {
        CRunningGameOverride a(outer);
        EXPECT_EQ(GetRunningParam(1, 8), 7);
        {
            CRunningGameOverride b(inner);
            EXPECT_EQ(GetRunningStatus(), &inner.GetStatus());
        }
        EXPECT_EQ(GetRunningGameState(), &outer);
    }
    EXPECT_EQ(GetRunningGameState(), nullptr);
}

TEST(VoiceName, EveryPrefixAndAMiss) {
    const char* prefixes[] = {"lu", "me", "cu", "pa", "ma", "pk", "sa", "py",
                              "ta", "ro", "fa", "wa", "mu", "na", "ig"};
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(ClassifyVoiceName(std::string("voice\\") + prefixes[k] + "0_0001.ogg"), k) << prefixes[k];
    }
    EXPECT_EQ(ClassifyVoiceName("VOICE\\RO5_0002.OGG"), 9);
    EXPECT_EQ(ClassifyVoiceName("voice/pk1_0001.ogg"), 5);
    EXPECT_EQ(ClassifyVoiceName("se\\voice\\pa0_0001.ogg"), 3);
    EXPECT_EQ(ClassifyVoiceName("voice\\zz0_0001.ogg"), 15);
    EXPECT_EQ(ClassifyVoiceName("voice\\l"), 15);
    EXPECT_EQ(ClassifyVoiceName("voice\\"), 15);
    EXPECT_EQ(ClassifyVoiceName("lu0_0001.ogg"), 15);
    EXPECT_EQ(ClassifyVoiceName("hint_voice\\lu0_0001.ogg"), 15);
    EXPECT_EQ(ClassifyVoiceName(""), 15);
}

TEST(BgmList, TableAndHeardMusic) {
    const std::vector<std::string>& list = LoadBgmList();
    ASSERT_EQ(list.size(), 19u);
    EXPECT_EQ(list[0], "bgm\\bgm_001.ogg");
    EXPECT_EQ(list[17], "bgm\\bgm_018.ogg");
    EXPECT_EQ(&LoadBgmList(), &list);

    CSystemData d(CSystemData::kNoLoad);
    EXPECT_EQ(LoadBgmList("BGM/bgm_018.ogg", &d), 17);
    EXPECT_EQ(d.GetMusicUnlock(17), 1);
    EXPECT_EQ(d.GetMusicUnlock(16), 0);
    EXPECT_EQ(LoadBgmList("bgm\\other.ogg", &d), -1);
    EXPECT_EQ(LoadBgmList("", &d), -1);
    EXPECT_EQ(LoadBgmList(std::string(300, 'a'), &d), -1);
    EXPECT_EQ(LoadBgmList("bgm\\bgm_001.ogg", nullptr), 0);
}

TEST(HouseLayout, ClassesByTheTwoLists) {
    SetHouseLayoutLists({"bg\\bg01a.bmp", "bg\\BG01B.bmp"}, {"bg/bg02a.bmp"});
    EXPECT_EQ(GetHouseLayout("bg\\bg01a.bmp"), 1);
    EXPECT_EQ(GetHouseLayout("BG\\bg01b.BMP"), 1);
    EXPECT_EQ(GetHouseLayout("bg\\bg02a.bmp"), 2);
    EXPECT_EQ(GetHouseLayout("bg\\\\bg02a.bmp"), 2);
    EXPECT_EQ(GetHouseLayout("bg\\bg03a.bmp"), 0);
    SetHouseLayoutLists({}, {});
    EXPECT_EQ(GetHouseLayout("bg\\bg01a.bmp"), 0);
}

TEST(SuperScene, PositionsFromTheTable) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    ASSERT_TRUE(testsupport::MakeParentDirs(dir.Path() + "cfg/super_sc.txt"));
    const std::string text =
        "// name, x, y\r\n"
        "ev01a, 120, -40\r\n"
        "\r\n"
        "EV01B,5,6\r\n"
        "ev01a, 1, 1\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "cfg/super_sc.txt",
                                            std::vector<uint8_t>(text.begin(), text.end())));
    ReloadSuperSceneTable();
    EXPECT_TRUE(GetSuperSceneEntry("sc\\ev01a.bmp") == (SSuperSceneEntry{120, -40}));
    EXPECT_TRUE(GetSuperSceneEntry("ev01b") == (SSuperSceneEntry{5, 6}));
    EXPECT_TRUE(GetSuperSceneEntry("SC\\EV01B.BMP") == (SSuperSceneEntry{5, 6}));
    EXPECT_TRUE(GetSuperSceneEntry("sc\\ev02.bmp") == (SSuperSceneEntry{-9999, -9999}));
    EXPECT_TRUE(GetSuperSceneEntry("") == (SSuperSceneEntry{-9999, -9999}));

    // Without the file every picture is off the screen.
    std::remove((dir.Path() + "cfg/super_sc.txt").c_str());
    ReloadSuperSceneTable();
    EXPECT_TRUE(GetSuperSceneEntry("sc\\ev01a.bmp") == (SSuperSceneEntry{-9999, -9999}));
}

TEST(ReadHistory, AddContainsFind) {
    QuietLog quiet;
    CReadHistory h;
    EXPECT_FALSE(h.Contains("scr\\a.txt", 1));
    EXPECT_FALSE(h.GetList("scr\\a.txt"));
    h.Add("scr\\a.txt", 5);
    h.Add("scr\\a.txt", 2);
    h.Add("SCR/A.TXT", 5);
    EXPECT_TRUE(h.Contains("scr\\a.txt", 5));
    EXPECT_TRUE(h.Contains("scr\\A.txt", 2));
    EXPECT_FALSE(h.Contains("scr\\a.txt", 3));
    EXPECT_TRUE(h.GetList("scr\\a.txt"));
    ASSERT_NE(h.GetIds("scr\\a.txt"), nullptr);
    EXPECT_EQ(*h.GetIds("scr\\a.txt"), (std::vector<int32_t>{2, 5}));
    // A key alone is not a record list, and lists are apart.
    EXPECT_FALSE(h.Find("scr\\a.txt"));
    h.AddKey("scr\\b.txt");
    EXPECT_TRUE(h.Find("scr\\B.txt"));
    EXPECT_FALSE(h.GetList("scr\\b.txt"));
    EXPECT_FALSE(h.Find("scr\\b.txt", 0));
    EXPECT_FALSE(h.Contains("scr\\a.txt", 5, 2));
    // Bad list numbers read false and write nothing.
    h.Add("x", 1, 4);
    h.AddKey("x", -1);
    EXPECT_FALSE(h.Find("x", 4));
    h.Clear();
    EXPECT_FALSE(h.Contains("scr\\a.txt", 5));
}

TEST(ReadHistory, FileRoundTripAndFailures) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CReadHistory h;
    for (int k = 0; k < 50; ++k) {
        h.Add("scr\\s" + std::to_string(k) + ".txt", k * 3);
        h.Add("scr\\s" + std::to_string(k) + ".txt", -k);
        h.AddKey("scr\\s" + std::to_string(k) + ".txt", k % 4);
    }
    ASSERT_TRUE(h.Save());
    CReadHistory back;
    ASSERT_TRUE(back.Load());
    EXPECT_TRUE(back == h);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(ToNativePath("save\\read.sav"), &bytes));
    size_t step = std::max<size_t>(1, bytes.size() / 23);
    for (size_t len = 0; len < bytes.size(); len += step) {
        ASSERT_TRUE(testsupport::WriteFileBytes(
            ToNativePath("save\\read.sav"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len))));
        CReadHistory r = h;
        EXPECT_FALSE(r.Load()) << len;
        EXPECT_TRUE(r == CReadHistory()) << len;
    }
    CReadHistory none;
    none.Add("a", 1);
    EXPECT_FALSE(none.Load("save\\nothing.sav"));
    EXPECT_FALSE(none.Contains("a", 1));
}

}  // namespace
