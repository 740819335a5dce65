// CFile's lookup: archive of the top folder first, then the folder; names matched
// case-insensitively for ASCII letters only; listings merged from both.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/file/FileList.h"
#include "engine/file/PakCache.h"
#include "tests/engine/file/FileTestUtil.h"

using filetest::Bytes;

namespace {

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!CFile::ReadAll(path, &bytes)) return "<missing>";
    return std::string(bytes.begin(), bytes.end());
}

class FileLookup : public ::testing::Test {
protected:
    FileLookup() : m_Scope(m_Dir.Path()) { SetDebugOutputEnabled(false); }
    ~FileLookup() override { SetDebugOutputEnabled(true); }
    std::string Native(const std::string& rel) const { return m_Dir.Path() + rel; }

    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
};

}  // namespace

TEST_F(FileLookup, ArchiveComesBeforeTheFolderAndTheFolderFillsItsGaps) {
    ASSERT_TRUE(filetest::WriteText(Native("bg/a.bmp"), "folder a"));
    ASSERT_TRUE(filetest::WriteText(Native("bg/only_folder.bmp"), "folder b"));
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "bg.pak", {{"a.bmp", Bytes("archive a")}}));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "archive a");
    EXPECT_EQ(ReadText("bg\\only_folder.bmp"), "folder b");
    CFile f;
    ASSERT_TRUE(f.Open("bg\\a.bmp"));
    EXPECT_TRUE(f.IsFromArchive());
    ASSERT_TRUE(f.Open("bg\\only_folder.bmp"));
    EXPECT_FALSE(f.IsFromArchive());
}

TEST_F(FileLookup, NamesMatchInAnyLetterCaseInArchivesAndFolders) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "BG.PAK", {{"Pic\\A.BMP", Bytes("1")}}));
    ASSERT_TRUE(filetest::WriteText(Native("Se/Hit.OGG"), "2"));
    EXPECT_EQ(ReadText("bg\\pic\\a.bmp"), "1");
    EXPECT_EQ(ReadText("Bg/PIC/a.Bmp"), "1");
    EXPECT_EQ(ReadText("se\\hit.ogg"), "2");
    EXPECT_EQ(ReadText("SE\\HIT.ogg"), "2");
}

TEST_F(FileLookup, EntriesMayCarryTheirTopFolderInTheirNames) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "scr.pak",
                                   {{"scr\\category_000\\sc_000_003.txt", Bytes("long")},
                                    {"category_001\\x.txt", Bytes("short")}}));
    EXPECT_EQ(ReadText("scr\\category_000\\sc_000_003.txt"), "long");
    EXPECT_EQ(ReadText("scr\\category_001\\x.txt"), "short");
}

TEST_F(FileLookup, ShiftJisNamesKeepTheirTrailBytes) {
    // "ソ" (0x83 0x5C) as a folder, "表" (0x95 0x5C) in a file name: the trail byte
    // 0x5C is part of the character, never a separator.
    std::string so = "\x83\x5C", hyo = "\x95\x5C";
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), so + ".pak", {{hyo + ".txt", Bytes("in archive")}}));
    ASSERT_TRUE(filetest::WriteText(Native(so + "/" + hyo + "2.txt"), "in folder"));
    EXPECT_EQ(ReadText(so + "\\" + hyo + ".txt"), "in archive");
    EXPECT_EQ(ReadText(so + "\\" + hyo + "2.txt"), "in folder");
    // "ス" (0x83 0x58) is not the same as 0x83 0x78, whatever the letter case rules.
    ASSERT_TRUE(filetest::WriteText(Native("\x83\x58.txt"), "su"));
    EXPECT_TRUE(CFile::Exists("\x83\x58.txt"));
    EXPECT_FALSE(CFile::Exists("\x83\x78.txt"));
}

TEST_F(FileLookup, OnlyTheTopFolderHasAnArchive) {
    // An archive named after a nested folder is not consulted; files of the game
    // folder itself come from the disk.
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "category_000.pak", {{"a.txt", Bytes("nested")}}));
    EXPECT_FALSE(CFile::Exists("scr\\category_000\\a.txt"));
    ASSERT_TRUE(filetest::WriteText(Native("readme.txt"), "root"));
    EXPECT_EQ(ReadText("readme.txt"), "root");
}

TEST_F(FileLookup, MissingFilesFailWithALogLine) {
    CLogCapture log;
    CFile f;
    EXPECT_FALSE(f.Open("bg\\none.bmp"));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(log.Contains("CFile::Open() "));
    EXPECT_TRUE(log.Contains("bg\\none.bmp"));
    log.Clear();
    EXPECT_FALSE(CFile::Exists("bg\\none.bmp"));
    EXPECT_EQ(log.Count(), 0u);
    // A folder is not a file.
    ASSERT_TRUE(filetest::WriteText(Native("bg/x/y.txt"), "y"));
    EXPECT_FALSE(f.Open("bg\\x"));
}

TEST_F(FileLookup, DamagedArchiveIsReportedOnceAndTheFolderServes) {
    CLogCapture log;
    ASSERT_TRUE(testsupport::WriteFileBytes(Native("bg.pak"), Bytes("PIRUPACK4A and then rubbish, 48 bytes at least...")));
    ASSERT_TRUE(filetest::WriteText(Native("bg/a.bmp"), "folder"));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "folder");
    EXPECT_EQ(ReadText("bg\\a.bmp"), "folder");
    size_t reports = 0;
    for (const std::string& l : log.GetLines()) reports += l.find("CPakArchive::") == 0;
    EXPECT_EQ(reports, 1u);
}

TEST_F(FileLookup, DamagedEntryFallsBackToTheFolder) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "bg.pak", {{"a.bmp", Bytes("archive bytes here")}}));
    std::vector<uint8_t> pak;
    ASSERT_TRUE(testsupport::ReadFileBytes(Native("bg.pak"), &pak));
    pak[50] ^= 1;  // inside the entry's data; the index stays sound
    ASSERT_TRUE(testsupport::WriteFileBytes(Native("bg.pak"), pak));
    CPakCache::GetInstance().Clear();
    CLogCapture log;
    EXPECT_EQ(ReadText("bg\\a.bmp"), "<missing>");
    EXPECT_TRUE(log.Contains("CPakArchive::Extract()"));
    ASSERT_TRUE(filetest::WriteText(Native("bg/a.bmp"), "folder"));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "folder");
}

TEST_F(FileLookup, ReplacedArchiveIsReadAgain) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "bg.pak", {{"a.bmp", Bytes("one")}}));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "one");
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "bg.pak", {{"a.bmp", Bytes("two")}, {"b.bmp", Bytes("new")}}));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "two");
    EXPECT_EQ(ReadText("bg\\b.bmp"), "new");
    ASSERT_TRUE(testsupport::FileExists(Native("bg.pak")));
    std::filesystem::remove(Native("bg.pak"));
    EXPECT_EQ(ReadText("bg\\a.bmp"), "<missing>");
}

TEST_F(FileLookup, ArchiveEntriesReadSeekAndTellLikeFiles) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "cfg.pak", {{"t.txt", Bytes("0123456789")}}));
    CFile f;
    ASSERT_TRUE(f.Open("cfg\\t.txt"));
    EXPECT_EQ(f.GetSize(), 10);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 4, 1), 1u);
    EXPECT_EQ(std::string(buf, 4), "0123");
    EXPECT_EQ(f.Tell(), 4);
    EXPECT_EQ(f.Read(buf, 4, 2), 1u);  // only whole elements
    EXPECT_TRUE(f.Seek(-3, IFileObject::SEEK_FROM_END));
    EXPECT_EQ(f.Read(buf, 1, 8), 3u);
    EXPECT_FALSE(f.Seek(11));
    EXPECT_FALSE(f.Seek(-1));
    f.Rewind();
    EXPECT_EQ(f.Tell(), 0);
    EXPECT_EQ(f.Write("x", 1, 1), 0u);  // archive entries are read-only
    f.Close();
    EXPECT_FALSE(f.IsOpen());
}

TEST_F(FileLookup, CreateWritesIntoTheFolderAsSpeltOnDisk) {
    ASSERT_TRUE(filetest::WriteText(Native("Save/keep.txt"), "k"));
    CFile f;
    ASSERT_TRUE(f.Create("save\\new.bmp", 1));
    EXPECT_EQ(f.Write("abc", 3, 1), 1u);
    f.Close();
    EXPECT_TRUE(testsupport::FileExists(Native("Save/new.bmp")));
    CLogCapture log;
    EXPECT_FALSE(f.Create("no_such_folder\\x.bmp", 1));
    EXPECT_TRUE(log.Contains("error：ファイルの作成に失敗しました。<no_such_folder\\x.bmp> [CFile::Create()]"));
}

TEST_F(FileLookup, ManyThreadsOpenFromOneArchive) {
    filetest::EntryList entries;
    for (int i = 0; i < 20; ++i) {
        std::string name = "f";
        name += std::to_string(i);
        entries.push_back({name, filetest::RandomBytes(i, 500, true)});
    }
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "obj.pak", entries));
    std::atomic<int> bad{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t]() {
            for (int k = 0; k < 100; ++k) {
                int i = (k + t) % 20;
                std::vector<uint8_t> out;
                std::string path = "obj\\f";
                path += std::to_string(i);
                if (!CFile::ReadAll(path, &out) || out != entries[i].second) ++bad;
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(bad.load(), 0);
}

// ---------------------------------------------------------------------------
// Listing

TEST_F(FileLookup, ListingMergesArchiveAndFolderSortedOnce) {
    ASSERT_TRUE(filetest::WritePak(m_Dir.Path(), "scr.pak",
                                   {{"B.txt", Bytes("1")},
                                    {"scr\\c.txt", Bytes("1")},
                                    {"cat\\d.txt", Bytes("1")},
                                    {"e.dat", Bytes("1")}}));
    ASSERT_TRUE(filetest::WriteText(Native("scr/a.TXT"), "1"));
    ASSERT_TRUE(filetest::WriteText(Native("scr/b.txt"), "1"));  // also in the archive
    ASSERT_TRUE(filetest::WriteText(Native("scr/cat/f.txt"), "1"));
    std::vector<std::string> all = ListGameFiles("scr");
    EXPECT_EQ(all, (std::vector<std::string>{"a.TXT", "B.txt", "c.txt", "e.dat"}));
    EXPECT_EQ(ListGameFiles("scr", "txt"), (std::vector<std::string>{"a.TXT", "B.txt", "c.txt"}));
    EXPECT_EQ(ListGameFiles("SCR", "*.TXT"), ListGameFiles("scr", ".txt"));
    EXPECT_EQ(ListGameFiles("scr", "txt", true),
              (std::vector<std::string>{"a.TXT", "B.txt", "c.txt", "cat\\d.txt", "cat\\f.txt"}));
    EXPECT_EQ(ListGameFiles("scr\\cat"), (std::vector<std::string>{"d.txt", "f.txt"}));
    EXPECT_TRUE(ListGameFiles("nothing").empty());
}
