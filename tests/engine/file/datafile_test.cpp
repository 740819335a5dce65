// CDataFile: typed values, the stored container and atomic saves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/base/Log.h"
#include "engine/file/AtomicWrite.h"
#include "engine/file/DataFile.h"
#include "engine/file/PakFormat.h"
#include "tests/engine/file/FileTestUtil.h"

namespace {

class QuietLog {
public:
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

struct Record {
    uint8_t u8 = 0;
    int8_t i8 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    uint64_t u64 = 0;
    int64_t i64 = 0;
    bool flag = false;
    float f = 0;
    double d = 0;
    std::string text, empty, withNul;
    uint8_t block[5] = {};

    void Serialize(CDataFile& df) {
        df.Io(u8);
        df.Io(i8);
        df.Io(u16);
        df.Io(i16);
        df.Io(u32);
        df.Io(i32);
        df.Io(u64);
        df.Io(i64);
        df.Io(flag);
        df.Io(f);
        df.Io(d);
        df.Io(text);
        df.Io(empty);
        df.Io(withNul);
        df.IoBytes(block, sizeof(block));
    }
};

Record Filled() {
    Record r;
    r.u8 = 0xFE;
    r.i8 = -128;
    r.u16 = 0xBEEF;
    r.i16 = -2;
    r.u32 = 0xDEADBEEF;
    r.i32 = std::numeric_limits<int32_t>::min();
    r.u64 = 0x0123456789ABCDEFull;
    r.i64 = -1234567890123ll;
    r.flag = true;
    r.f = -1.5f;
    r.d = 3.141592653589793;
    r.text = "\x83\x5C\x83\x8D\x83\x93 save";  // Shift-JIS bytes kept as they are
    r.withNul = std::string("a\0b\0", 4);
    for (int i = 0; i < 5; ++i) r.block[i] = static_cast<uint8_t>(i * 50);
    return r;
}

void ExpectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.u8, b.u8);
    EXPECT_EQ(a.i8, b.i8);
    EXPECT_EQ(a.u16, b.u16);
    EXPECT_EQ(a.i16, b.i16);
    EXPECT_EQ(a.u32, b.u32);
    EXPECT_EQ(a.i32, b.i32);
    EXPECT_EQ(a.u64, b.u64);
    EXPECT_EQ(a.i64, b.i64);
    EXPECT_EQ(a.flag, b.flag);
    EXPECT_EQ(a.f, b.f);
    EXPECT_EQ(a.d, b.d);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.empty, b.empty);
    EXPECT_EQ(a.withNul, b.withNul);
    EXPECT_EQ(0, std::memcmp(a.block, b.block, sizeof(a.block)));
}

std::vector<uint8_t> SavedRecord(uint32_t version = 3) {
    CDataFile df;
    df.BeginStore();
    Record r = Filled();
    r.Serialize(df);
    std::vector<uint8_t> out;
    EXPECT_TRUE(df.SaveToMemory(&out, version));
    return out;
}

}  // namespace

TEST(DataFile, EveryTypeRoundTripsThroughTheStoredForm) {
    std::vector<uint8_t> bytes = SavedRecord(7);
    CDataFile in;
    uint32_t version = 0;
    ASSERT_TRUE(in.LoadFromMemory(bytes.data(), bytes.size(), &version));
    EXPECT_EQ(version, 7u);
    EXPECT_TRUE(in.IsLoading());
    Record back;
    back.Serialize(in);
    EXPECT_FALSE(in.HasFailed());
    EXPECT_EQ(in.GetRemaining(), 0u);
    ExpectSame(Filled(), back);
}

TEST(DataFile, ValuesAreLittleEndianWithLengthPrefixedStrings) {
    CDataFile df;
    df.BeginStore();
    df.PutU16(0x0102);
    df.PutI32(-2);
    df.PutString("ab");
    df.PutDouble(std::nan(""));
    std::vector<uint8_t> want = {0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'a', 'b'};
    ASSERT_EQ(df.GetBuffer().size(), want.size() + 8);
    EXPECT_TRUE(std::equal(want.begin(), want.end(), df.GetBuffer().begin()));
    df.BeginLoad();
    uint16_t a = 0;
    int32_t b = 0;
    std::string s;
    double d = 0;
    EXPECT_TRUE(df.GetU16(&a) && df.GetI32(&b) && df.GetString(&s) && df.GetDouble(&d));
    EXPECT_EQ(a, 0x0102);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(s, "ab");
    EXPECT_TRUE(std::isnan(d));
}

TEST(DataFile, ReadsPastTheEndFailStickilyAndGiveZero) {
    CDataFile df;
    df.BeginStore();
    df.PutU16(7);
    df.PutU8(9);
    df.BeginLoad();
    uint32_t big = 123;
    EXPECT_FALSE(df.GetU32(&big));
    EXPECT_EQ(big, 0u);
    EXPECT_TRUE(df.HasFailed());
    // Sticky: even a value that would fit is refused now.
    uint8_t small = 5;
    EXPECT_FALSE(df.GetU8(&small));
    EXPECT_EQ(small, 0);
    df.BeginLoad();
    EXPECT_FALSE(df.HasFailed());
    uint16_t v;
    EXPECT_TRUE(df.GetU16(&v));
    EXPECT_EQ(v, 7);
}

TEST(DataFile, StringLengthLargerThanWhatIsLeftIsRefused) {
    CDataFile df;
    df.BeginStore();
    df.PutU32(0xFFFFFFF0u);  // a length no buffer holds
    df.PutBytes("abc", 3);
    df.BeginLoad();
    std::string s = "old";
    EXPECT_FALSE(df.GetString(&s));
    EXPECT_TRUE(s.empty());
    EXPECT_TRUE(df.HasFailed());
    // Io in loading mode stays in bounds too.
    std::string t;
    df.Io(t);
    EXPECT_TRUE(t.empty());
    uint8_t block[4] = {1, 2, 3, 4};
    df.IoBytes(block, 4);
    EXPECT_EQ(block[0], 0);
}

TEST(DataFile, EmptyRecordSavesAndLoads) {
    CDataFile df;
    df.BeginStore();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(df.SaveToMemory(&bytes));
    ASSERT_TRUE(df.LoadFromMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(df.GetRemaining(), 0u);
}

TEST(DataFile, EveryTruncationAndEveryBitFlipIsRefusedBeforeParsing) {
    QuietLog quiet;
    std::vector<uint8_t> bytes = SavedRecord();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CDataFile df;
        EXPECT_FALSE(df.LoadFromMemory(bytes.data(), cut)) << "cut at " << cut;
        EXPECT_EQ(df.GetRemaining(), 0u);
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            auto bad = bytes;
            bad[i] ^= static_cast<uint8_t>(1u << bit);
            CDataFile df;
            EXPECT_FALSE(df.LoadFromMemory(bad.data(), bad.size())) << "byte " << i << " bit " << bit;
        }
    }
    auto longer = bytes;
    longer.push_back(0);
    CDataFile df;
    EXPECT_FALSE(df.LoadFromMemory(longer.data(), longer.size()));
}

TEST(DataFile, ForeignEmptyAndFutureFilesAreRefusedWithALogLine) {
    QuietLog quiet;
    CLogCapture log;
    CDataFile df;
    EXPECT_FALSE(df.LoadFromMemory(nullptr, 0));
    EXPECT_TRUE(log.Contains("CDataFile::LoadFromMemory() "));
    std::string foreign = "BM this is a bitmap, not a save file at all.......";
    EXPECT_FALSE(df.LoadFromMemory(reinterpret_cast<const uint8_t*>(foreign.data()), foreign.size()));

    // A container version from a newer program, with a correct header CRC.
    auto future = SavedRecord();
    pak::SetU16(future.data() + 8, 2);
    pak::SetU32(future.data() + 32, pak::Crc32(future.data(), 32));
    log.Clear();
    EXPECT_FALSE(df.LoadFromMemory(future.data(), future.size()));
    EXPECT_EQ(log.Count(), 1u);

    // A record version above what the caller knows.
    auto v9 = SavedRecord(9);
    uint32_t version = 0;
    EXPECT_FALSE(df.LoadFromMemory(v9.data(), v9.size(), &version, 8));
    EXPECT_TRUE(df.LoadFromMemory(v9.data(), v9.size(), &version, 9));
    EXPECT_EQ(version, 9u);

    // A stated length larger than the file.
    auto tooLong = SavedRecord();
    pak::SetU32(tooLong.data() + 20, pak::GetU32(tooLong.data() + 20) + 100);
    pak::SetU32(tooLong.data() + 32, pak::Crc32(tooLong.data(), 32));
    EXPECT_FALSE(df.LoadFromMemory(tooLong.data(), tooLong.size()));

    // An inflated length one byte beyond what deflate can give is refused before
    // inflating.
    auto beyond = SavedRecord();
    pak::SetU32(beyond.data() + 16, pak::GetU32(beyond.data() + 20) * 1032 + 1);
    pak::SetU32(beyond.data() + 32, pak::Crc32(beyond.data(), 32));
    log.Clear();
    EXPECT_FALSE(df.LoadFromMemory(beyond.data(), beyond.size()));
    EXPECT_TRUE(log.Contains("CDataFile::LoadFromMemory() 大きさが不正です"));

    // An inflated length the stream does not give, CRCs all correct.
    auto wrongRaw = SavedRecord();
    pak::SetU32(wrongRaw.data() + 16, pak::GetU32(wrongRaw.data() + 16) + 1);
    pak::SetU32(wrongRaw.data() + 32, pak::Crc32(wrongRaw.data(), 32));
    log.Clear();
    EXPECT_FALSE(df.LoadFromMemory(wrongRaw.data(), wrongRaw.size()));
    EXPECT_TRUE(log.Contains("CDataFile::LoadFromMemory() "));
    // Nothing stale is left to read after a refusal.
    uint8_t b = 1;
    EXPECT_FALSE(df.GetU8(&b));
    EXPECT_EQ(b, 0);
}

// ---------------------------------------------------------------------------
// Saving to files

class DataFileSave : public ::testing::Test {
protected:
    DataFileSave() : m_Scope(m_Dir.Path()) { SetDebugOutputEnabled(false); }
    ~DataFileSave() override {
        SetAtomicWriteFault(EAtomicWriteFault::NONE);
        SetDebugOutputEnabled(true);
    }
    static CDataFile Make(uint32_t value) {
        CDataFile df;
        df.BeginStore();
        df.PutU32(value);
        return df;
    }
    uint32_t LoadValue(const std::string& path) {
        CDataFile df;
        uint32_t v = 0;
        if (!df.Load(path) || !df.GetU32(&v)) return 0xFFFFFFFF;
        return v;
    }

    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
};

TEST_F(DataFileSave, SaveCreatesTheFolderAndLoadReadsItBack) {
    ASSERT_TRUE(Make(42).Save("save\\save01.sav", 2));
    EXPECT_TRUE(testsupport::FileExists(m_Dir.Path() + "save/save01.sav"));
    EXPECT_FALSE(testsupport::FileExists(m_Dir.Path() + "save/save01.sav.tmp"));
    EXPECT_EQ(LoadValue("save\\save01.sav"), 42u);
    EXPECT_EQ(LoadValue("SAVE\\Save01.SAV"), 42u);
    ASSERT_TRUE(Make(43).Save("save\\save01.sav"));
    EXPECT_EQ(LoadValue("save\\save01.sav"), 43u);
}

TEST_F(DataFileSave, MissingAndZeroByteSavesAreRefused) {
    CLogCapture log;
    EXPECT_EQ(LoadValue("save\\none.sav"), 0xFFFFFFFFu);
    EXPECT_TRUE(log.Contains("CDataFile::Load() "));
    ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + "save/cfg.sav", {}));
    log.Clear();
    EXPECT_EQ(LoadValue("save\\cfg.sav"), 0xFFFFFFFFu);
    EXPECT_TRUE(log.Contains("CDataFile::Load() "));
    EXPECT_TRUE(log.Contains("save\\cfg.sav"));
}

TEST_F(DataFileSave, InterruptedOrFailedSavesLeaveThePreviousFileIntact) {
    ASSERT_TRUE(Make(1).Save("save\\save00.sav"));
    std::vector<uint8_t> before;
    ASSERT_TRUE(testsupport::ReadFileBytes(m_Dir.Path() + "save/save00.sav", &before));

    for (EAtomicWriteFault fault : {EAtomicWriteFault::FAIL_TEMP_WRITE, EAtomicWriteFault::FAIL_RENAME,
                                    EAtomicWriteFault::STOP_BEFORE_RENAME}) {
        SetAtomicWriteFault(fault);
        CLogCapture log;
        EXPECT_FALSE(Make(2).Save("save\\save00.sav"));
        SetAtomicWriteFault(EAtomicWriteFault::NONE);
        if (fault != EAtomicWriteFault::STOP_BEFORE_RENAME) {
            EXPECT_TRUE(log.Contains("WriteFileAtomic() "));
        }
        std::vector<uint8_t> after;
        ASSERT_TRUE(testsupport::ReadFileBytes(m_Dir.Path() + "save/save00.sav", &after));
        EXPECT_EQ(after, before);
        EXPECT_EQ(LoadValue("save\\save00.sav"), 1u);
    }
    // The crash left its temporary file; the next save simply overwrites it.
    EXPECT_TRUE(testsupport::FileExists(m_Dir.Path() + "save/save00.sav.tmp"));
    ASSERT_TRUE(Make(3).Save("save\\save00.sav"));
    EXPECT_EQ(LoadValue("save\\save00.sav"), 3u);
    EXPECT_FALSE(testsupport::FileExists(m_Dir.Path() + "save/save00.sav.tmp"));
}

TEST_F(DataFileSave, WriteFileAtomicFailsWhenTheTargetCannotBeReplaced) {
    // A folder where the file should go: the rename fails, the folder stays.
    ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + "save/slot/keep", {1}));
    CLogCapture log;
    EXPECT_FALSE(WriteFileAtomic("save\\slot", {1, 2, 3}));
    EXPECT_TRUE(log.Contains("WriteFileAtomic() "));
    EXPECT_TRUE(testsupport::FileExists(m_Dir.Path() + "save/slot/keep"));
    EXPECT_FALSE(testsupport::FileExists(m_Dir.Path() + "save/slot.tmp"));
    // A parent that is a file cannot be created as a folder.
    ASSERT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + "plain", {1}));
    EXPECT_FALSE(WriteFileAtomic("plain\\x.sav", {1}));
}
