#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <functional>
#include <limits>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
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

TEST(SaveDataFile, RoundTripOfEveryField) {
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSaveData saved;
    coretest::FillSaveData(saved);
    ASSERT_TRUE(saved.Save("save\\save05.sav"));

    CSaveData loaded;
    ASSERT_TRUE(loaded.Load("save\\save05.sav"));
    EXPECT_TRUE(loaded == saved);
    // A few spot checks, so that equality is not vacuous.
    EXPECT_EQ(loaded.m_Header, saved.m_Header);
    EXPECT_NE(loaded.GetGameState().GetStatus().Words().boostB, 0);
    EXPECT_EQ(loaded.GetStageSnapshot().m_Layers.size(), 3u);
    EXPECT_EQ(loaded.GetGameState().GetStatus().GetParam(15, 99999),
              saved.GetGameState().GetStatus().GetParam(15, 99999));
    EXPECT_NE(loaded.GetGameState().GetStatus().GetParam(143, 0), 0);
}

TEST(SaveDataFile, MemoryRoundTripKeepsEveryField) {
    // Every field is filled with a distinct non-zero value: one left out of the
    // serialization would come back as 0 and break the equality.
    CSaveData base;
    coretest::FillSaveData(base);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(SaveRecordMemory(base, MakeRecordTag('N', 'S', 'A', 'V'), 1, &bytes));
    CSaveData loaded;
    ASSERT_TRUE(LoadRecordMemory(loaded, bytes.data(), bytes.size(), MakeRecordTag('N', 'S', 'A', 'V'), 1, "test"));
    EXPECT_TRUE(loaded == base);
    EXPECT_FALSE(loaded == CSaveData());
}

TEST(SaveDataFile, SaveWithTimeStampsAndMarks) {
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSaveData s;
    EXPECT_EQ(s.m_Used, 0);
    ASSERT_TRUE(s.SaveWithTime("save\\save01.sav"));
    EXPECT_EQ(s.m_Used, 1);
    EXPECT_GE(s.m_Time.year, 2000);
    EXPECT_GE(s.m_Time.month, 1);
    EXPECT_LE(s.m_Time.month, 12);

    // An injected clock stamps its time until it is taken away again.
    CSaveData::SetClock([] { return SSaveTime{2006, 2, 3, 4, 5, 6}; });
    ASSERT_TRUE(s.SaveWithTime("save\\save01.sav"));
    CSaveData::SetClock(nullptr);
    EXPECT_TRUE(s.m_Time == (SSaveTime{2006, 2, 3, 4, 5, 6}));
    CSaveData stamped;
    ASSERT_TRUE(stamped.Load("save\\save01.sav"));
    EXPECT_TRUE(stamped.m_Time == s.m_Time);
    EXPECT_TRUE(CSaveData::Now().year >= 2000);

    CSaveData marked;
    marked.m_Time = SSaveTime{2001, 2, 3, 4, 5, 6};
    ASSERT_TRUE(marked.SaveMarked("save\\save02.sav"));
    CSaveData back;
    ASSERT_TRUE(back.Load("save\\save02.sav"));
    EXPECT_EQ(back.m_Used, 1);
    EXPECT_TRUE(back.m_Time == (SSaveTime{2001, 2, 3, 4, 5, 6}));
}

TEST(SaveDataFile, AssignAndResetAreDeep) {
    CSaveData a;
    coretest::FillSaveData(a);
    CSaveData b;
    b.Assign(a);
    EXPECT_TRUE(a == b);
    b.GetGameState().GetStatus().AddMoney(1);
    b.GetStageSnapshot().m_Layers.clear();
    EXPECT_FALSE(a == b);
    a.Reset();
    EXPECT_TRUE(a == CSaveData());
    EXPECT_TRUE(a.m_Header.empty());
    EXPECT_EQ(a.m_Used, 0);
}

TEST(SaveDataFile, SlotPaths) {
    QuietLog quiet;
    EXPECT_EQ(CSaveData::SlotPath(0), "save\\save00.sav");
    EXPECT_EQ(CSaveData::SlotPath(1), "save\\save01.sav");
    EXPECT_EQ(CSaveData::SlotPath(36), "save\\save36.sav");
    EXPECT_EQ(CSaveData::SlotPath(37), "");
    EXPECT_EQ(CSaveData::SlotPath(-1), "");
}

TEST(SaveDataFile, MissingFileResetsTheRecord) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSaveData s;
    coretest::FillSaveData(s);
    CLogCapture log;
    EXPECT_FALSE(s.Load("save\\save09.sav"));
    EXPECT_TRUE(s == CSaveData());
    EXPECT_TRUE(log.Contains("CSaveData::Load()"));
}

TEST(SaveDataFile, TruncatedAndCorruptFilesAreRefused) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CSaveData saved;
    coretest::FillSaveData(saved);
    ASSERT_TRUE(saved.Save("save\\save03.sav"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(ToNativePath("save\\save03.sav"), &bytes));
    ASSERT_GT(bytes.size(), 64u);

    const std::string native = ToNativePath("save\\save04.sav");
    size_t step = std::max<size_t>(1, bytes.size() / 37);
    for (size_t len = 0; len < bytes.size(); len += step) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len));
        ASSERT_TRUE(testsupport::WriteFileBytes(native, cut));
        CSaveData s;
        coretest::FillSaveData(s, 7);
        EXPECT_FALSE(s.Load("save\\save04.sav")) << "length " << len;
        EXPECT_TRUE(s == CSaveData()) << "length " << len;
    }
    for (size_t at = 0; at < bytes.size(); at += step) {
        std::vector<uint8_t> bad = bytes;
        bad[at] ^= 0x5A;
        ASSERT_TRUE(testsupport::WriteFileBytes(native, bad));
        CSaveData s;
        coretest::FillSaveData(s, 7);
        EXPECT_FALSE(s.Load("save\\save04.sav")) << "flip at " << at;
        EXPECT_TRUE(s == CSaveData()) << "flip at " << at;
    }
}

// The payload itself cut or padded: the container is sound, the record's own
// reader must notice.
TEST(SaveDataFile, CutPayloadsAreRefusedAtEveryOffset) {
    QuietLog quiet;
    CSaveData saved;
    coretest::FillSaveData(saved);
    const uint32_t tag = MakeRecordTag('N', 'S', 'A', 'V');
    CDataFile file;
    StoreRecord(saved, tag, &file);
    const std::vector<uint8_t> payload = file.GetBuffer();
    size_t step = std::max<size_t>(1, payload.size() / 211);
    for (size_t len = 0; len < payload.size(); len += step) {
        CDataFile cut;
        cut.SetBuffer(std::vector<uint8_t>(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(len)));
        CSaveData s;
        EXPECT_FALSE(LoadRecord(s, tag, &cut, "test")) << "length " << len;
    }
    CDataFile padded;
    std::vector<uint8_t> longer = payload;
    longer.push_back(0);
    padded.SetBuffer(longer);
    CSaveData s;
    EXPECT_FALSE(LoadRecord(s, tag, &padded, "test"));
    CDataFile whole;
    whole.SetBuffer(payload);
    EXPECT_TRUE(LoadRecord(s, tag, &whole, "test"));
    EXPECT_TRUE(s == saved);
}

TEST(SaveDataFile, HugeCountsDoNotAllocate) {
    QuietLog quiet;
    // A record whose first list count claims four billion entries.
    CReadHistory h;
    const uint32_t tag = MakeRecordTag('N', 'R', 'E', 'D');
    CDataFile file;
    file.BeginStore();
    file.PutU32(tag);
    file.PutU32(0xFFFFFFFFu);
    file.PutU32(1);
    CReadHistory loaded;
    EXPECT_FALSE(LoadRecord(loaded, tag, &file, "test"));
}

TEST(SaveDataFile, MarkFailedConsumesTheRestAndFails) {
    CDataFile file;
    file.SetBuffer(std::vector<uint8_t>(100000, 7));
    file.BeginLoad();
    uint32_t v = 0;
    file.Io(v);
    ASSERT_FALSE(file.HasFailed());
    serial::MarkFailed(file);
    EXPECT_TRUE(file.HasFailed());
    EXPECT_EQ(file.GetRemaining(), 0u);
    // Storing is never marked.
    CDataFile out;
    out.BeginStore();
    out.Io(v);
    serial::MarkFailed(out);
    EXPECT_FALSE(out.HasFailed());
    EXPECT_EQ(out.GetBuffer().size(), 4u);
}

TEST(SaveDataFile, ForeignRecordsAndNewerVersionsAreRefused) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    CReadHistory h;
    h.Add("scr\\a.txt", 3);
    ASSERT_TRUE(h.Save("save\\save06.sav"));  // a read history where a save is expected
    CSaveData s;
    coretest::FillSaveData(s);
    EXPECT_FALSE(s.Load("save\\save06.sav"));
    EXPECT_TRUE(s == CSaveData());

    CSaveData future;
    coretest::FillSaveData(future);
    ASSERT_TRUE(SaveRecordFile(future, "save\\save07.sav", MakeRecordTag('N', 'S', 'A', 'V'),
                               CSaveData::kFormatVersion + 1, "test"));
    EXPECT_FALSE(s.Load("save\\save07.sav"));
    EXPECT_TRUE(s == CSaveData());
}

TEST(StageSnapshotRecord, ResetAssignAndRangeChecks) {
    QuietLog quiet;
    CStageSnapshot a;
    coretest::FillSnapshot(a);
    CStageSnapshot b;
    b.Assign(a);
    EXPECT_TRUE(a == b);
    ASSERT_NE(b.GetSoundSlot(2, 29), nullptr);
    EXPECT_EQ(b.GetSoundSlot(2, 29), &b.m_SoundSlots[89]);
    EXPECT_EQ(b.GetSoundSlot(3, 0), nullptr);
    EXPECT_EQ(b.GetSoundSlot(0, 30), nullptr);
    EXPECT_EQ(b.GetBalloon(32), nullptr);
    EXPECT_NE(b.GetBalloon(31), nullptr);
    b.Reset();
    EXPECT_TRUE(b == CStageSnapshot());
    EXPECT_TRUE(b.m_ScriptName.empty());
    EXPECT_EQ(b.m_SoundSlots[0].playing, 0);
}

// A hand-edited save may place a layer anywhere a float reaches; the stage draws at ints
// (and a script's scale in thousandths of one), so such a save is refused as malformed:
// the record reset, a log line, the file kept as ".bad" before the first write over it.
TEST(StageSnapshotRecord, LayersPlacedBeyondWhatTheStageDrawsAreRefusedAtLoad) {
    QuietLog quiet;
    CTempDir dir;
    CGameFolderScope scope(dir.Path());
    using SField = float SLayerRecord::*;
    const std::pair<const char*, SField> fields[] = {
        {"x", &SLayerRecord::x},
        {"y", &SLayerRecord::y},
        {"scale x", &SLayerRecord::scaleX},
        {"scale y", &SLayerRecord::scaleY},
        {"scale centre x", &SLayerRecord::scaleCenterX},
        {"scale centre y", &SLayerRecord::scaleCenterY},
        {"rotation", &SLayerRecord::rotation},
        {"rotation centre x", &SLayerRecord::rotationCenterX},
        {"rotation centre y", &SLayerRecord::rotationCenterY},
    };
    const float values[] = {1e30f, std::numeric_limits<float>::quiet_NaN(), 3e9f, -3e9f};
    auto saveWith = [](const std::function<void(SLayerRecord&)>& edit) {
        CSaveData s;
        coretest::FillSaveData(s);
        edit(s.GetStageSnapshot().m_Layers[1]);
        EXPECT_TRUE(s.Save("save\\save08.sav"));
    };
    auto refused = [](const std::string& what) {
        CLogCapture log;
        CSaveData loaded;
        EXPECT_FALSE(loaded.Load("save\\save08.sav")) << what;
        EXPECT_TRUE(loaded == CSaveData()) << what;
        EXPECT_TRUE(log.Contains("SLayerRecord::Serialize() ")) << what;
        EXPECT_FALSE(log.Contains("記録が途中で終わっています")) << what << ": the one line says what was refused";
        // The next write keeps the refused file beside itself.
        std::filesystem::remove(ToNativePath("save\\save08.sav.bad"));
        EXPECT_TRUE(loaded.Save("save\\save08.sav")) << what;
        EXPECT_TRUE(testsupport::FileExists(ToNativePath("save\\save08.sav.bad"))) << what;
    };
    for (const auto& named : fields) {
        const SField field = named.second;
        for (float value : values) {
            const std::string what = std::string(named.first) + " " + std::to_string(value);
            saveWith([&](SLayerRecord& l) { l.*field = value; });
            refused(what);
        }
    }
    // The end scales a motion saved (words 3 and 4 of its ten values, as float bits).
    for (size_t word : {3u, 4u}) {
        saveWith([&](SLayerRecord& l) {
            l.motionValues.assign(10, 0);
            l.motionValues[word] = std::bit_cast<int32_t>(std::numeric_limits<float>::infinity());
        });
        refused("motion word " + std::to_string(word));
    }
    // What the stage itself writes at its limits loads: an int's float reaches 2^31, a
    // script's scale 2147483.647.
    saveWith([](SLayerRecord& l) {
        l.x = static_cast<float>(INT32_MAX);
        l.y = static_cast<float>(INT32_MIN);
        l.rotation = static_cast<float>(INT32_MAX);
        l.scaleX = static_cast<float>(INT32_MAX) * 0.001f;
        l.scaleY = static_cast<float>(INT32_MIN) * 0.001f;
        l.motionValues = {1, 2, 3, std::bit_cast<int32_t>(l.scaleX), std::bit_cast<int32_t>(1.0f), 6, 7, 8, 9, 10};
    });
    CSaveData loaded;
    EXPECT_TRUE(loaded.Load("save\\save08.sav"));
    EXPECT_EQ(LayerPlacementInt(loaded.GetStageSnapshot().m_Layers[1].x), INT32_MAX);
    EXPECT_EQ(LayerPlacementInt(loaded.GetStageSnapshot().m_Layers[1].y), INT32_MIN);
    EXPECT_EQ(LayerPlacementInt(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(LayerPlacementInt(-12.75f), -12);
}

TEST(GameStateRecord, ResetAssignAndModeWords) {
    QuietLog quiet;
    CGameState g;
    coretest::FillGameState(g);
    CGameState h;
    h.Assign(g);
    EXPECT_TRUE(g == h);
    EXPECT_TRUE(h.GetStatus() == g.GetStatus());
    h.SetModeWord(19, 3, -7);
    EXPECT_EQ(h.GetModeWord(19, 3), -7);
    CGameState before = h;
    h.SetModeWord(20, 0, 1);
    h.SetModeWord(0, 4, 1);
    h.SetMansionModeWord(19, 0, 1);
    h.SetHomeModeWord(13, 0, 1);
    EXPECT_TRUE(h == before);
    EXPECT_EQ(h.GetModeWord(-1, 0), 0);
    EXPECT_EQ(h.GetHomeModeWord(12, 2), 0);
    h.SetMansionModeWord(18, 1, 5);
    EXPECT_EQ(h.GetMansionModeWord(18, 1), 5);
    h.GetStatus().MarkEventSeen(445);
    EXPECT_TRUE(h.HasStartedEvent(445));
    EXPECT_FALSE(h.HasStartedEvent(446));
    h.AddReadLetter("letter_01");
    h.AddReadLetter("letter_01");
    EXPECT_EQ(h.GetStatus().GetReadLetters().size(), g.GetStatus().GetReadLetters().size() + 1);
    h.Reset();
    EXPECT_TRUE(h == CGameState());
    EXPECT_EQ(h.m_ModeId, 0);
    EXPECT_TRUE(h.m_ChoicePictures.empty());
}

}  // namespace

namespace {

// The stored form of a fresh status record ends with: flag count, plain count, the
// plain words, and three empty list counts.
struct SStatusTail {
    std::vector<uint8_t> bytes;
    size_t flagCountAt = 0;
    size_t plainCountAt = 0;
};

SStatusTail FreshStatusBytes() {
    CStatus s;
    CDataFile file;
    file.BeginStore();
    s.Serialize(file);
    SStatusTail t;
    t.bytes = file.GetBuffer();
    size_t plain = static_cast<size_t>(CStatus::GetPlainWordCount());
    t.plainCountAt = t.bytes.size() - 12 - 4 * plain - 4;
    t.flagCountAt = t.plainCountAt - 4;
    return t;
}

void PutU32At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + static_cast<size_t>(k)] = static_cast<uint8_t>(v >> (8 * k));
}

bool LoadStatus(const std::vector<uint8_t>& bytes, CStatus* out) {
    CDataFile file;
    file.SetBuffer(bytes);
    file.BeginLoad();
    out->Serialize(file);
    return !file.HasFailed() && file.GetRemaining() == 0;
}

TEST(StatusRecord, FlagIndexesOutsideTheTableAreDropped) {
    QuietLog quiet;
    SStatusTail t = FreshStatusBytes();
    ASSERT_EQ(t.bytes[t.plainCountAt], static_cast<uint8_t>(CStatus::GetPlainWordCount() & 0xFF));
    // Two pairs: (-5, 7) out of range, (42, 9) kept.
    std::vector<uint8_t> b(t.bytes.begin(), t.bytes.begin() + static_cast<std::ptrdiff_t>(t.flagCountAt));
    std::vector<uint8_t> pairs(4 + 16);
    PutU32At(pairs, 0, 2);
    PutU32At(pairs, 4, static_cast<uint32_t>(-5));
    PutU32At(pairs, 8, 7);
    PutU32At(pairs, 12, 42);
    PutU32At(pairs, 16, 9);
    b.insert(b.end(), pairs.begin(), pairs.end());
    b.insert(b.end(), t.bytes.begin() + static_cast<std::ptrdiff_t>(t.plainCountAt), t.bytes.end());
    CStatus s;
    CLogCapture log;
    ASSERT_TRUE(LoadStatus(b, &s));
    EXPECT_EQ(s.GetParam(15, 42), 9);
    EXPECT_TRUE(log.Contains("CStatus::Serialize()"));
}

TEST(StatusRecord, PlainWordCountsAreChecked) {
    QuietLog quiet;
    SStatusTail t = FreshStatusBytes();
    const uint32_t plain = static_cast<uint32_t>(CStatus::GetPlainWordCount());
    // One word more than this program knows: refused.
    std::vector<uint8_t> longer = t.bytes;
    PutU32At(longer, t.plainCountAt, plain + 1);
    longer.insert(longer.begin() + static_cast<std::ptrdiff_t>(t.plainCountAt + 4), {1, 0, 0, 0});
    CStatus s;
    EXPECT_FALSE(LoadStatus(longer, &s));
    // Fewer words (an older layout): loaded, the rest 0.
    std::vector<uint8_t> shorter = t.bytes;
    PutU32At(shorter, t.plainCountAt, 1);
    PutU32At(shorter, t.plainCountAt + 4, 77);  // the first plain word, (101, 0)
    shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(t.plainCountAt + 8),
                  shorter.begin() + static_cast<std::ptrdiff_t>(t.plainCountAt + 4 + 4 * plain));
    CStatus s2;
    ASSERT_TRUE(LoadStatus(shorter, &s2));
    EXPECT_EQ(s2.GetParam(101, 0), 77);
    EXPECT_EQ(s2.GetParam(143, 0), 0);
}

}  // namespace
