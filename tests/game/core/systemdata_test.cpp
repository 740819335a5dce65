#include <gtest/gtest.h>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "game/core/RecordFile.h"
#include "tests/game/core/Fill.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::CGameFolderScope;
using testsupport::CTempDir;

struct QuietLog {
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

void ExpectDefaults(const CSystemData& d) {
    EXPECT_EQ(d.m_ScreenMode, 0);
    for (int i = 0; i < CSystemData::kOptionCount; ++i) EXPECT_EQ(d.GetOption(i), 1) << i;
    EXPECT_TRUE(d.IsEffectsOn());
    EXPECT_TRUE(d.IsWaitSwitchOn());
    EXPECT_TRUE(d.IsConfirmOn());
    EXPECT_TRUE(d.IsEventPanelOn());
    EXPECT_TRUE(d.IsQuitConfirmOn());
    EXPECT_EQ(d.m_AutoMode, 0);
    EXPECT_EQ(d.m_MessageSpeed, 50);
    EXPECT_EQ(d.m_AutoSpeed, 50);
    EXPECT_EQ(d.m_WindowOpacity, 100);
    EXPECT_EQ(d.m_SkipMode, 0);
    EXPECT_EQ(d.m_MusicVolume, 80);
    EXPECT_EQ(d.m_EffectVolume, 100);
    EXPECT_EQ(d.m_VoiceVolume, 80);
    for (int i = 0; i < CSystemData::kVoiceSwitchCount; ++i) EXPECT_EQ(d.GetVoiceSwitch(i), 1) << i;
    EXPECT_EQ(d.m_CancelAction, 0);
    EXPECT_EQ(d.GetRightClickSetting(), 0);
    EXPECT_EQ(d.m_LastSavedSlot, 0);
    EXPECT_EQ(d.m_OverwriteConfirm, 1);
    EXPECT_EQ(d.m_LogoSeen, 0);
    for (int k : {0, 1, 10000, 10003, 99999}) {
        EXPECT_EQ(d.GetCgUnlock(k), 0);
        EXPECT_EQ(d.GetCgSeen(k), 0u);
        EXPECT_EQ(d.GetPlayViewUnlock(k), 0);
        EXPECT_EQ(d.GetPersistent(k), 0);
    }
    for (int m = 0; m < CSystemData::kMusicUnlockCount; ++m) EXPECT_EQ(d.GetMusicUnlock(m), 0);
}

TEST(SystemData, FreshRecordHoldsTheDefaults) {
    CSystemData d(CSystemData::kNoLoad);
    ExpectDefaults(d);
}

TEST(SystemData, ConstructionReadsTheFileOrFallsBack) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    {
        CSystemData missing;  // no save\cfg.sav
        ExpectDefaults(missing);
        EXPECT_FALSE(testsupport::FileExists(ToNativePath("save\\cfg.sav")));  // nothing written
    }
    CSystemData d(CSystemData::kNoLoad);
    coretest::FillSystemData(d);
    ASSERT_TRUE(d.Save());
    CSystemData loaded;
    EXPECT_TRUE(loaded == d);

    ASSERT_TRUE(testsupport::WriteFileBytes(ToNativePath("save\\cfg.sav"), {1, 2, 3, 4, 5, 6, 7, 8}));
    CSystemData corrupt;
    ExpectDefaults(corrupt);
}

TEST(SystemData, RoundTripOfEveryField) {
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSystemData d(CSystemData::kNoLoad);
    coretest::FillSystemData(d);
    ASSERT_TRUE(d.Save("save\\cfg.sav"));
    CSystemData back(CSystemData::kNoLoad);
    ASSERT_TRUE(back.Load("save\\cfg.sav"));
    EXPECT_TRUE(back == d);
    EXPECT_EQ(back.GetCgSeen(997), 0x80000001u + 997u);
    EXPECT_EQ(back.GetPersistent(99999), 7);
    EXPECT_EQ(back.GetCgUnlock(99999), 1);
    EXPECT_FALSE(back.IsEffectsOn());
    EXPECT_EQ(back.GetRightClickSetting(), 4);
}

TEST(SystemData, TablePatternsRoundTrip) {
    // Dense, alternating, gaps around the run-splitting length, the last entry.
    CSystemData d(CSystemData::kNoLoad);
    int k = 0;
    for (; k < 1000; ++k) d.SetCgUnlock(k, 1);
    for (; k < 3000; k += 2) d.SetCgUnlock(k, static_cast<uint8_t>(k));
    for (int gap = 1; gap < 24 && k < CSystemData::kTableSize; ++gap) {
        d.SetCgUnlock(k, 0xFF);
        d.SetCgSeen(k, 0xFFFFFFFFu);
        d.SetPersistent(k, INT32_MIN);
        k += gap + 1;
    }
    d.SetCgUnlock(CSystemData::kTableSize - 1, 2);
    d.SetCgSeen(CSystemData::kTableSize - 1, 3);
    d.SetPlayViewUnlock(0, 1);
    for (int j = 50000; j < CSystemData::kTableSize; ++j) d.SetPersistent(j, j);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(SaveRecordMemory(d, MakeRecordTag('N', 'S', 'Y', 'S'), 1, &bytes));
    CSystemData back(CSystemData::kNoLoad);
    ASSERT_TRUE(LoadRecordMemory(back, bytes.data(), bytes.size(), MakeRecordTag('N', 'S', 'Y', 'S'), 1, "test"));
    EXPECT_TRUE(back == d);

    // A fresh record stores its tables in a few bytes.
    CDataFile file;
    CSystemData fresh(CSystemData::kNoLoad);
    StoreRecord(fresh, MakeRecordTag('N', 'S', 'Y', 'S'), &file);
    EXPECT_LT(file.GetBuffer().size(), 200u);
}

// The stored runs of known tables, byte for byte: a gap of zeros of 8 bytes or fewer
// stays inside a literal run (a new run would cost its 8 bytes of counts); a longer gap
// begins a new run; the zeros after the last value make a last run without values.
TEST(SystemData, RunTablesStoreShortGapsInsideALiteralRun) {
    auto u32 = [](std::vector<uint8_t>& out, uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto empty = [&](std::vector<uint8_t>& out) {
        u32(out, 100000);
        u32(out, 100000);
        u32(out, 0);
    };
    CSystemData d(CSystemData::kNoLoad);
    // Unlock bytes: 2 and 3, a gap of 8 (4 to 11), 12, a gap of 9 (13 to 21), 22.
    d.SetCgUnlock(2, 1);
    d.SetCgUnlock(3, 2);
    d.SetCgUnlock(12, 3);
    d.SetCgUnlock(22, 4);
    // Persistent integers: 0, a gap of 2 (8 bytes), 3, a gap of 3 (12 bytes), 7.
    d.SetPersistent(0, 5);
    d.SetPersistent(3, -6);
    d.SetPersistent(7, 7);
    std::vector<uint8_t> want;
    u32(want, 100000);
    u32(want, 2);
    u32(want, 11);
    for (uint8_t b : {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 3}) want.push_back(b);
    u32(want, 9);
    u32(want, 1);
    want.push_back(4);
    u32(want, 100000 - 23);
    u32(want, 0);
    empty(want);  // seen words
    empty(want);  // play-view unlock bytes
    u32(want, 100000);
    u32(want, 0);
    u32(want, 4);
    for (uint32_t v : {5u, 0u, 0u, static_cast<uint32_t>(-6)}) u32(want, v);
    u32(want, 3);
    u32(want, 1);
    u32(want, 7);
    u32(want, 100000 - 8);
    u32(want, 0);
    want.insert(want.end(), CSystemData::kMusicUnlockCount, 0);

    // The tables and the music bytes end the record; a fresh one ends with four empty
    // tables there.
    CDataFile freshFile;
    CSystemData fresh(CSystemData::kNoLoad);
    StoreRecord(fresh, MakeRecordTag('N', 'S', 'Y', 'S'), &freshFile);
    std::vector<uint8_t> freshTail;
    for (int t = 0; t < 4; ++t) empty(freshTail);
    freshTail.insert(freshTail.end(), CSystemData::kMusicUnlockCount, 0);
    const std::vector<uint8_t>& f = freshFile.GetBuffer();
    ASSERT_GT(f.size(), freshTail.size());
    const size_t tables = f.size() - freshTail.size();
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + static_cast<std::ptrdiff_t>(tables), f.end()), freshTail);

    CDataFile file;
    StoreRecord(d, MakeRecordTag('N', 'S', 'Y', 'S'), &file);
    const std::vector<uint8_t>& b = file.GetBuffer();
    ASSERT_EQ(b.size(), tables + want.size());
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(tables), b.end()), want);
}

TEST(SystemData, BrokenRunsAreRefused) {
    QuietLog quiet;
    CSystemData fresh(CSystemData::kNoLoad);
    fresh.SetCgUnlock(10, 1);
    CDataFile file;
    StoreRecord(fresh, MakeRecordTag('N', 'S', 'Y', 'S'), &file);
    const std::vector<uint8_t> good = file.GetBuffer();
    // Every single-byte change in the table part either loads or is refused, never
    // reading outside the buffer (the sanitizer build checks that); changes of the
    // run counts are refused.
    int refused = 0;
    for (size_t at = 60; at < good.size(); ++at) {
        for (uint8_t x : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> bad = good;
            bad[at] ^= x;
            CDataFile f;
            f.SetBuffer(bad);
            CSystemData s(CSystemData::kNoLoad);
            if (!LoadRecord(s, MakeRecordTag('N', 'S', 'Y', 'S'), &f, "test")) ++refused;
        }
    }
    EXPECT_GT(refused, 10);
}

TEST(SystemData, TruncatedFilesFallBackToDefaults) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSystemData d(CSystemData::kNoLoad);
    coretest::FillSystemData(d);
    ASSERT_TRUE(d.Save());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(ToNativePath("save\\cfg.sav"), &bytes));
    size_t step = std::max<size_t>(1, bytes.size() / 17);
    for (size_t len = 0; len < bytes.size(); len += step) {
        ASSERT_TRUE(testsupport::WriteFileBytes(
            ToNativePath("save\\cfg.sav"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len))));
        CSystemData s(CSystemData::kNoLoad);
        coretest::FillSystemData(s);
        EXPECT_FALSE(s.Load()) << len;
        EXPECT_TRUE(s == CSystemData(CSystemData::kNoLoad)) << len;
    }
}

TEST(SystemData, LoadedSettingsAreHeldToTheirRanges) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSystemData d(CSystemData::kNoLoad);
    d.m_ScreenMode = 24;
    d.m_MessageSpeed = 1000;
    d.m_MusicVolume = -5;
    d.m_CancelAction = 9;
    d.m_LastSavedSlot = 99;
    d.m_Options[1] = 7;
    ASSERT_TRUE(d.Save());
    CSystemData back;
    EXPECT_EQ(back.m_ScreenMode, 0);
    EXPECT_EQ(back.m_MessageSpeed, 100);
    EXPECT_EQ(back.m_MusicVolume, 0);
    EXPECT_EQ(back.m_CancelAction, 4);
    EXPECT_EQ(back.m_LastSavedSlot, 35);
    EXPECT_EQ(back.GetOption(1), 1);
}

TEST(SystemData, DefaultSettingsKeepUnlocksAndFlags) {
    CSystemData d(CSystemData::kNoLoad);
    coretest::FillSystemData(d);
    d.SetDefaultSettings();
    EXPECT_EQ(d.m_MessageSpeed, 50);
    EXPECT_EQ(d.m_MusicVolume, 80);
    EXPECT_EQ(d.GetVoiceSwitch(15), 1);
    EXPECT_TRUE(d.IsEffectsOn());
    EXPECT_EQ(d.m_CancelAction, 0);
    EXPECT_EQ(d.m_LastSavedSlot, 0);
    // Kept: unlocks, persistent ints, quit and overwrite confirmation, logo flag.
    EXPECT_EQ(d.GetCgUnlock(0), 1);
    EXPECT_EQ(d.GetPersistent(997), -998);
    EXPECT_EQ(d.GetMusicUnlock(29), 1);
    EXPECT_FALSE(d.IsQuitConfirmOn());
    EXPECT_EQ(d.m_OverwriteConfirm, 0);
    EXPECT_EQ(d.m_LogoSeen, 1);
    d.SetDefaults();
    ExpectDefaults(d);
}

TEST(SystemData, CopyIsWholeAndIndependent) {
    CSystemData d(CSystemData::kNoLoad);
    coretest::FillSystemData(d);
    CSystemData backup(CSystemData::kNoLoad);
    backup = d;
    EXPECT_TRUE(backup == d);
    d.SetCgUnlock(5, 1);
    d.m_MusicVolume = 1;
    EXPECT_EQ(backup.GetCgUnlock(5), 0);
    d = backup;
    EXPECT_EQ(d.m_MusicVolume, 14);
    EXPECT_EQ(d.GetCgUnlock(5), 0);
}

TEST(SystemData, TableIndexesAreRangeChecked) {
    QuietLog quiet;
    CSystemData d(CSystemData::kNoLoad);
    CLogCapture log;
    d.SetCgUnlock(100000, 1);
    d.SetCgUnlock(-1, 1);
    d.SetCgSeen(100000, 1);
    d.SetPlayViewUnlock(100000, 1);
    d.SetPersistent(-5, 1);
    d.SetMusicUnlock(30, 1);
    d.SetVoiceSwitch(16, 0);
    d.SetOption(5, 0);
    d.MarkCgSeen(0, 32);
    EXPECT_TRUE(d == CSystemData(CSystemData::kNoLoad));
    EXPECT_EQ(d.GetCgUnlock(100000), 0);
    EXPECT_EQ(d.GetVoiceSwitch(-1), 0);
    EXPECT_EQ(d.GetOption(5), 0);
    EXPECT_TRUE(log.Contains("CSystemData::SetCgUnlock()"));
    d.MarkCgSeen(7, 31);
    d.MarkCgSeen(7, 0);
    EXPECT_EQ(d.GetCgSeen(7), 0x80000001u);
}

}  // namespace
