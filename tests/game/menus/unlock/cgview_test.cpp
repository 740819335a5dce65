#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/CGViewTable.h"
#include "tests/game/menus/unlock/UnlockTestUtil.h"

namespace {

using unlocktest::CCfgFolder;
using unlocktest::CountLinesBeginning;

// Key 2: main + A + B; key 6: main + ten overlays (the table keeps eight); keys 4 and
// 5 share a picture; key 7's name is the double-byte "\x83\x41" (trail byte 'A').
const char* const kFile1 =
    "// key, main, overlays\r\n"
    "#p, pv01\r\n"
    "1, ev01\r\n"
    "2, ev02, ev02a, ev02b\r\n"
    "##\r\n"
    "3 ev03\r\n"
    "\r\n"
    "4, shared\r\n"
    "5, base5, shared\r\n";
const char* const kFile6 =
    "6, m, o1, o2, o3, o4, o5, o6, o7, o8, o9, o10\r\n"
    "7, \x83\x41\r\n";

struct SMarkCase {
    const char* name;
    std::vector<std::string> shown;
    std::vector<std::pair<int, int>> unlock;  // key, expected byte
};

TEST(CGViewTable, ReadsSixFilesAndUnlocksCompleteGroups) {
    CCfgFolder cfg;
    cfg.Write("cgview6.txt", kFile6);
    cfg.Write("cgview1.txt", kFile1);
    cfg.Write("cgview3.txt", "10, FOLDER/Pic.PNG\n");
    CGViewTable table;
    LoadCGViewTable(table);
    std::vector<int> keys;
    for (const auto& r : table.GetRecords()) keys.push_back(r.key);
    EXPECT_EQ(keys, (std::vector<int>{1, 2, 3, 4, 5, 10, 6, 7}));  // cgview1 first
    EXPECT_EQ(table.GetRecords()[5].pictures, (std::vector<std::string>{"folder\\pic.png"}));

    const std::vector<std::string> firstEight = {"o1.bmp", "o2.bmp", "o3.bmp", "o4.bmp",
                                                 "o5.bmp", "o6.bmp", "o7.bmp", "o8.bmp"};
    std::vector<std::string> firstSeven(firstEight.begin(), firstEight.end() - 1);
    firstSeven.push_back("o9.bmp");
    const SMarkCase cases[] = {
        {"single picture at once", {"ev01.bmp"}, {{1, 1}, {2, 0}}},
        {"main and A are not enough", {"ev02.bmp", "ev02a.bmp"}, {{2, 0}}},
        {"A and B unlock", {"ev02a.bmp", "ev02b.bmp"}, {{2, 1}}},
        {"capitals mark small letters", {"EV03.BMP"}, {{3, 1}}},
        {"one picture, two records", {"shared.bmp"}, {{4, 1}, {5, 1}}},
        {"eight overlays unlock", firstEight, {{6, 1}}},
        {"a ninth overlay is not kept", firstSeven, {{6, 0}}},
        {"double-byte trail is no letter", {"\x83\x61.bmp"}, {{7, 0}}},
        {"double-byte name", {"\x83\x41.BMP"}, {{7, 1}}},
        {"other pictures", {"ev02c.bmp", "pv01.bmp", "obj\\pv01.bmp", ""}, {{1, 0}, {2, 0}, {0, 0}}},
    };
    for (const SMarkCase& c : cases) {
        CSystemData data(CSystemData::kNoLoad);
        for (const std::string& p : c.shown) table.Mark(data, p);
        for (auto [key, byte] : c.unlock) EXPECT_EQ(data.GetCgUnlock(key), byte) << c.name << " key " << key;
    }

    // The main picture's bit is kept although it is not needed.
    CSystemData data(CSystemData::kNoLoad);
    table.Mark(data, "ev02.bmp");
    table.Mark(data, "ev02b.bmp");
    EXPECT_EQ(data.GetCgSeen(2), 0b101u);
    EXPECT_EQ(data.GetCgSeen(1), 0u);  // a single picture unlocks without a seen bit
}

TEST(CGViewTable, BadKeysAreRefusedOnceAtLoad) {
    CCfgFolder cfg;
    cfg.Write("cgview2.txt",
              "-1, a\n"
              "100000, b\n"
              "abc, c\n"
              ", d\n"
              "#p, e\n"
              "99999, f\n"
              "##\n");
    CLogCapture log;
    CGViewTable table;
    LoadCGViewTable(table);
    EXPECT_EQ(CountLinesBeginning(log.GetLines(), "CGViewTable::Read()"), 3u);
    ASSERT_EQ(table.GetRecords().size(), 1u);
    EXPECT_EQ(table.GetRecords()[0].key, 99999);

    log.Clear();
    CSystemData data(CSystemData::kNoLoad);
    for (const char* p : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) table.Mark(data, p);
    EXPECT_TRUE(data == CSystemData(CSystemData::kNoLoad));
    EXPECT_EQ(log.Count(), 0u);
}

TEST(CGViewTable, FindMarksTheSystemDataThatIsSaved) {
    CCfgFolder cfg;
    cfg.Write("cgview1.txt", kFile1);
    CGViewTable::Reload();
    CSystemData data(CSystemData::kNoLoad);
    CGViewTable::Find(data, "ev01.bmp");
    CGViewTable::Find(data, "EV02A.BMP");
    ASSERT_TRUE(testsupport::MakeParentDirs(cfg.Path() + "save/cfg.sav"));
    ASSERT_TRUE(data.Save());
    CSystemData back(CSystemData::kNoLoad);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.GetCgUnlock(1), 1);
    EXPECT_EQ(back.GetCgUnlock(2), 0);
    EXPECT_EQ(back.GetCgSeen(2), 0b010u);
    CGViewTable::Find(back, "ev02b.bmp");
    EXPECT_EQ(back.GetCgUnlock(2), 1);
}

// ---- the viewer's reading ----

// An entry as "preview unlocked/records any: key key* ..." (* = unlocked).
std::string Describe(const SCGViewEntry& e) {
    std::ostringstream s;
    s << e.previewPath << ' ' << e.unlockedCount << '/' << e.recordCount << (e.anyUnlocked ? " any:" : " none:");
    for (const CCGViewRecord& r : e.records) s << ' ' << r.key << (r.unlocked ? "*" : "");
    return s.str();
}

TEST(CGViewerReading, EntriesCountsAndPaths) {
    CSystemData data(CSystemData::kNoLoad);
    for (int key : {2, 3, 9}) data.SetCgUnlock(key, 1);
    CTextReader reader;
    reader.SetText(
        "3, before\n"
        "#p, pv01\n"
        "1, ev01, o1, o2\n"
        "2, ev02\n"
        "##\n"
        "9, between\n"
        "#p, sub/PV02\n"
        "3, ev03, a, b, c, d, e, f, g, h, i, j, k, l, m, n\n"
        "4, ev04, a,, b\n"
        "#p, pv03\n"
        "100000, bad\n"
        "5, ev05\n");
    CLogCapture log;
    std::vector<SCGViewEntry> entries;
    ReadCGViewerEntries(reader, data, "t", &entries);
    EXPECT_EQ(CountLinesBeginning(log.GetLines(), "ReadCGViewerEntries()"), 2u);  // "#p" without "##", bad key
    std::vector<std::string> described;
    for (const SCGViewEntry& e : entries) described.push_back(Describe(e));
    EXPECT_EQ(described, (std::vector<std::string>{"obj\\pv01.bmp 1/2 any: 1 2*", "obj\\sub\\pv02.bmp 1/2 any: 3* 4",
                                                   "obj\\pv03.bmp 0/1 none: 5"}));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].records[0].picture, "ev01.bmp");
    EXPECT_EQ(entries[0].records[0].overlays, (std::vector<std::string>{"o1.bmp", "o2.bmp"}));
    ASSERT_EQ(entries[1].records[0].overlays.size(), 13u);  // the fifteenth field ends them
    EXPECT_EQ(entries[1].records[0].overlays.back(), "m.bmp");
    EXPECT_EQ(entries[1].records[1].overlays, (std::vector<std::string>{"a.bmp"}));  // the empty field ends them
}

TEST(CGViewerReading, PagesByFile) {
    CCfgFolder cfg;
    cfg.Write("cgview2.txt", "#p, p\n7, x\n##\n");
    CSystemData data(CSystemData::kNoLoad);
    data.SetCgUnlock(7, 1);
    std::vector<SCGViewEntry> entries(4);
    ASSERT_TRUE(LoadCGViewerPage(1, data, &entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].anyUnlocked);
    EXPECT_FALSE(LoadCGViewerPage(0, data, &entries));  // no file
    EXPECT_TRUE(entries.empty());
    CLogCapture log;
    EXPECT_FALSE(LoadCGViewerPage(6, data, &entries));
    EXPECT_EQ(CountLinesBeginning(log.GetLines(), "LoadCGViewerPage()"), 1u);
}

}  // namespace
