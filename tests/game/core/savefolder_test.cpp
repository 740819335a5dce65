#include <gtest/gtest.h>

#include <filesystem>

#include "engine/base/Log.h"
#include "game/core/SaveFolder.h"
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
        {".sav.tmp", false, false},      {"old.sav.tmp", true, false},
    };
    for (const Entry& e : entries) {
        const std::string path = dir.Path() + "save/" + e.name;
        ASSERT_TRUE(e.folder ? std::filesystem::create_directories(path)
                             : (testsupport::MakeParentDirs(path) && testsupport::WriteFileBytes(path, {1, 2})));
    }
    CLogCapture log;
    SetDebugOutputEnabled(false);
    EXPECT_EQ(RemoveStaleSaveTemps(), 2);
    SetDebugOutputEnabled(true);
    for (const Entry& e : entries) {
        EXPECT_EQ(std::filesystem::exists(dir.Path() + "save/" + e.name), !e.removed) << e.name;
    }
    EXPECT_EQ(log.Count(), 2u);
    EXPECT_TRUE(log.Contains("RemoveStaleSaveTemps() "));

    log.Clear();
    EXPECT_EQ(RemoveStaleSaveTemps(), 0);
    std::filesystem::remove_all(dir.Path() + "save");
    EXPECT_EQ(RemoveStaleSaveTemps(), 0) << "no save folder yet";
    EXPECT_EQ(log.Count(), 0u);
}

}  // namespace
