#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "game/core/ReadHistory.h"
#include "game/core/SaveData.h"
#include "game/core/SaveFolder.h"
#include "game/core/SystemData.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::CGameFolderScope;
using testsupport::CTempDir;

TEST(SaveFolder, RemovesOnlyTheTemporaryFilesOfUnfinishedSaves) {
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    struct Entry {
        const char* name;
        bool folder;
        bool removed;
    };
    const Entry entries[] = {
        {"save00.sav.tmp", false, true}, {"CFG.SAV.TMP", false, true},  {"save00.sav", false, false},
        {"read.sav", false, false},      {"notes.tmp", false, false},   {"save01.sav.tmp.bak", false, false},
        {".sav.tmp", false, false},      {"old.sav.tmp", true, false},  {"save01.bmp.tmp", false, true},
        {"save01.bmp", false, false},
    };
    for (const Entry& e : entries) {
        const std::string path = dir.Path() + "save/" + e.name;
        ASSERT_TRUE(e.folder ? std::filesystem::create_directories(path)
                             : (testsupport::MakeParentDirs(path) && testsupport::WriteFileBytes(path, {1, 2})));
    }
    CLogCapture log;
    SetDebugOutputEnabled(false);
    EXPECT_EQ(RemoveStaleSaveTemps(), 3);
    SetDebugOutputEnabled(true);
    for (const Entry& e : entries) {
        EXPECT_EQ(std::filesystem::exists(dir.Path() + "save/" + e.name), !e.removed) << e.name;
    }
    EXPECT_EQ(log.Count(), 3u);
    EXPECT_TRUE(log.Contains("RemoveStaleSaveTemps() "));

    log.Clear();
    EXPECT_EQ(RemoveStaleSaveTemps(), 0);
    std::filesystem::remove_all(dir.Path() + "save");
    EXPECT_EQ(RemoveStaleSaveTemps(), 0) << "no save folder yet";
    EXPECT_EQ(log.Count(), 0u);
}

// The three kinds of record file, each read and written through its own class.
struct SRecordKind {
    const char* path;  // native, below the game folder
    std::function<bool()> load;
    std::function<bool()> save;
};

std::vector<SRecordKind> RecordKinds() {
    return {
        {"save/save03.sav", [] { return CSaveData().Load("save\\save03.sav"); },
         [] { return CSaveData().SaveMarked("save\\save03.sav"); }},
        {"save/cfg.sav", [] { return CSystemData(CSystemData::kNoLoad).Load(); },
         [] { return CSystemData(CSystemData::kNoLoad).Save(); }},
        {"save/read.sav", [] { return CReadHistory().Load(); }, [] { return CReadHistory().Save(); }},
    };
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    testsupport::ReadFileBytes(path, &bytes);
    return bytes;
}

// Runs `body` for each kind of record file, each in a game folder of its own; `file` is
// the native path of the kind's file there.
void ForEachRecordKind(const std::function<void(const SRecordKind& kind, const std::string& file)>& body) {
    testsupport::CQuietLog quiet;
    for (const SRecordKind& kind : RecordKinds()) {
        SCOPED_TRACE(kind.path);
        CTempDir dir;
        CGameFolderScope scope(dir.Path());
        body(kind, dir.Path() + kind.path);
    }
}

TEST(SaveFolder, ARefusedFileIsKeptAsBadBeforeItsFirstOverwrite) {
    ForEachRecordKind([](const SRecordKind& kind, const std::string& file) {
        const std::string bad = file + ".bad";
        // Garbage, and a record file cut short (of another kind, but for read.sav).
        ASSERT_TRUE(CReadHistory().Save("save\\other.sav"));
        std::vector<uint8_t> cut = Bytes(GetGameFolder() + "save/other.sav");
        cut.resize(cut.size() - 3);
        const std::vector<std::vector<uint8_t>> damages = {{'n', 'o', 't', ' ', 'a', ' ', 's', 'a', 'v', 'e'}, cut};
        for (const std::vector<uint8_t>& damaged : damages) {
            ASSERT_TRUE(testsupport::WriteFileBytes(bad, {'o', 'l', 'd'}));
            ASSERT_TRUE(testsupport::WriteFileBytes(file, damaged));
            CLogCapture log;
            EXPECT_FALSE(kind.load());
            EXPECT_TRUE(kind.save());
            EXPECT_EQ(Bytes(bad), damaged) << "the older copy replaced";
            EXPECT_TRUE(log.Contains(".bad]"));
            EXPECT_TRUE(kind.load()) << "the new record was written";
            EXPECT_TRUE(kind.save());
            EXPECT_EQ(Bytes(bad), damaged) << "kept once, not copied again";
        }
    });
}

TEST(SaveFolder, NoBadCopyOfAMissingFileOrOfOneMendedBeforeTheWrite) {
    ForEachRecordKind([](const SRecordKind& kind, const std::string& file) {
        EXPECT_FALSE(kind.load()) << "a first run: nothing there";
        EXPECT_TRUE(kind.save());
        // Damaged, refused, then put right by hand and read again before the game writes.
        const std::vector<uint8_t> good = Bytes(file);
        ASSERT_TRUE(testsupport::WriteFileBytes(file, {1, 2, 3}));
        EXPECT_FALSE(kind.load());
        ASSERT_TRUE(testsupport::WriteFileBytes(file, good));
        EXPECT_TRUE(kind.load());
        EXPECT_TRUE(kind.save());
        EXPECT_FALSE(testsupport::FileExists(file + ".bad"));
    });
}

}  // namespace
