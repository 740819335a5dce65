#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/adv/AdvCommandControl.h"
#include "engine/base/Log.h"
#include "tests/support/TestSupport.h"
#include "tools/script/AdvScriptBuilder.h"

namespace {

// A factory whose handlers answer a scripted result per code and record what ran.
class CScriptedFactory : public IAdvTranslatorFactory {
public:
    class CTranslator : public IAdvTranslator {
    public:
        explicit CTranslator(CScriptedFactory* f) : m_Factory(f) {}
        int32_t Translate(CAdvCommand& record) override {
            m_Factory->ran.push_back(record.Id);
            auto it = m_Factory->results.find(record.Code);
            int32_t r = it == m_Factory->results.end() ? 2 : it->second;
            if (r == 4 && m_Factory->control) {
                m_Factory->control->StartAt(static_cast<uint32_t>(record.Ints[0]));
            }
            return r;
        }

    private:
        CScriptedFactory* m_Factory;
    };

    IAdvTranslator* Create(uint32_t code) override {
        ++created;
        if (code == 999) return nullptr;  // no handler for this code
        return new CTranslator(this);
    }
    void Release(IAdvTranslator* t) override {
        ++released;
        delete t;
    }

    std::map<uint32_t, int32_t> results;
    std::vector<uint32_t> ran;
    CAdvCommandControl* control = nullptr;
    int created = 0;
    int released = 0;
};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A record laid out by hand, strings given as raw (length, bytes) pairs.
void PutRecord(std::vector<uint8_t>& out, uint32_t id, uint32_t code, uint32_t next,
               const std::vector<uint8_t>& rawFirstString = {}) {
    PutU32(out, id);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, code);
    for (int i = 0; i < 32; ++i) PutU32(out, 0);
    PutU32(out, next);
    for (int i = 0; i < 16; ++i) PutU32(out, 0);
    PutU32(out, 1);  // label: empty
    out.push_back(0);
    for (int i = 0; i < 32; ++i) {
        if (i == 0 && !rawFirstString.empty()) {
            out.insert(out.end(), rawFirstString.begin(), rawFirstString.end());
        } else {
            PutU32(out, 1);
            out.push_back(0);
        }
    }
}

std::vector<uint8_t> Header(uint32_t count) {
    std::vector<uint8_t> out(CAdvCommandControl::kMagic, CAdvCommandControl::kMagic + 19);
    PutU32(out, count);
    return out;
}

}  // namespace

TEST(AdvScriptFile, RoundTripKeepsEveryField) {
    testsupport::CTempDir dir;
    CAdvScriptBuilder b;
    CAdvCommand& r = b.Add(10, {1, -2, 3}, {"bg\\a.bmp", "スクリプト", ""});
    r.ExtraA = -5;
    r.ExtraB = 77;
    r.Label = "ラベル";
    r.Ints[31] = 0x7FFFFFFF;
    r.Strings[31] = "last";
    r.BranchIds[15] = 1234;
    b.Add(20);
    std::string path = dir.Path() + "a.txt";
    ASSERT_TRUE(b.Save(path));
    EXPECT_EQ(b.GetControl().GetScriptName(), path);

    CAdvCommandControl c;
    ASSERT_TRUE(c.LoadCompiled(path));
    ASSERT_EQ(c.GetRecordCount(), b.GetControl().GetRecordCount());
    for (size_t i = 0; i < c.GetRecordCount(); ++i) {
        const CAdvCommand& x = *c.GetRecordAt(i);
        const CAdvCommand& y = *b.GetControl().GetRecordAt(i);
        EXPECT_EQ(x.Id, y.Id);
        EXPECT_EQ(x.Code, y.Code);
        EXPECT_EQ(x.Ints, y.Ints);
        EXPECT_EQ(x.Strings, y.Strings);
        EXPECT_EQ(x.NextId, y.NextId);
        EXPECT_EQ(x.BranchIds, y.BranchIds);
        EXPECT_EQ(x.ExtraA, y.ExtraA);
        EXPECT_EQ(x.ExtraB, y.ExtraB);
        EXPECT_EQ(x.Label, y.Label);
    }
    ASSERT_NE(c.GetCurrentRecord(), nullptr);
    EXPECT_EQ(c.GetCurrentId(), 1u);
    EXPECT_EQ(c.GetScriptName(), path);

    // Saving what was loaded gives the same bytes.
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(testsupport::ReadFileBytes(path, &first));
    ASSERT_TRUE(c.SaveCompiled(dir.Path() + "b.txt"));
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "b.txt", &second));
    EXPECT_EQ(first, second);
}

TEST(AdvScriptFile, LoadsThroughTheGameFolder) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    CAdvScriptBuilder b;
    b.Add(5);
    testsupport::MakeParentDirs(dir.Path() + "scr/x");
    ASSERT_TRUE(b.Save("scr\\sc_000_003.txt"));
    CAdvCommandControl c;
    EXPECT_TRUE(c.LoadCompiled("SCR\\SC_000_003.TXT"));
    EXPECT_EQ(c.GetRecordCount(), 2u);
    EXPECT_FALSE(c.LoadCompiled("scr\\missing.txt"));
    EXPECT_EQ(c.GetRecordCount(), 0u);
}

TEST(AdvScriptFile, HeaderAndRecordEdgeCases) {
    CAdvCommandControl c;
    // Zero records: loads, nothing current.
    auto empty = Header(0);
    EXPECT_TRUE(c.LoadCompiledFromMemory(empty.data(), empty.size(), "e"));
    EXPECT_EQ(c.GetCurrentRecord(), nullptr);
    EXPECT_EQ(c.GetScriptName(), "e");

    // The 19th byte must be the NUL.
    auto bad = Header(0);
    bad[18] = 'X';
    EXPECT_FALSE(c.LoadCompiledFromMemory(bad.data(), bad.size(), "b"));
    EXPECT_EQ(c.GetScriptName(), "");

    // Two start records: the first in file order is current; an id of 0 gets a new id.
    auto two = Header(3);
    PutRecord(two, 1, 10, 0);
    PutRecord(two, 0, 11, 0);
    PutRecord(two, 1, 12, 0);
    ASSERT_TRUE(c.LoadCompiledFromMemory(two.data(), two.size(), "t"));
    EXPECT_EQ(c.GetCurrentRecord()->Code, 10u);
    EXPECT_EQ(c.GetRecordAt(1)->Id, 3u);

    // A string of length 4 holding "ab", NUL, "c" reads as "ab".
    auto str = Header(1);
    std::vector<uint8_t> raw;
    PutU32(raw, 4);
    raw.insert(raw.end(), {'a', 'b', 0, 'c'});
    PutRecord(str, 1, 0, 0, raw);
    ASSERT_TRUE(c.LoadCompiledFromMemory(str.data(), str.size(), "s"));
    EXPECT_EQ(c.GetRecordAt(0)->Strings[0], "ab");

    // The last byte is forced to NUL whatever the file held.
    auto nonul = Header(1);
    raw.clear();
    PutU32(raw, 3);
    raw.insert(raw.end(), {'x', 'y', 'z'});
    PutRecord(nonul, 1, 0, 0, raw);
    ASSERT_TRUE(c.LoadCompiledFromMemory(nonul.data(), nonul.size(), "n"));
    EXPECT_EQ(c.GetRecordAt(0)->Strings[0], "xy");
}

TEST(AdvScriptFile, DamagedFilesFailCleanly) {
    CLogCapture log;
    SetDebugOutputEnabled(false);
    CAdvCommandControl c;
    auto good = Header(2);
    PutRecord(good, 1, 0, 2);
    PutRecord(good, 2, 7, 0);
    // Cut at every offset: only the whole file loads, and a refusal leaves nothing.
    for (size_t n = 0; n < good.size(); ++n) {
        ASSERT_TRUE(c.LoadCompiledFromMemory(good.data(), good.size(), "g"));
        EXPECT_FALSE(c.LoadCompiledFromMemory(good.data(), n, "cut")) << "cut at " << n;
        EXPECT_EQ(c.GetRecordCount(), 0u);
        EXPECT_EQ(c.GetCurrentRecord(), nullptr);
        EXPECT_EQ(c.GetScriptName(), "");
    }
    // A string length of 0, and one longer than what is left.
    for (uint32_t len : {0u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        auto f = Header(1);
        std::vector<uint8_t> raw;
        PutU32(raw, len);
        PutRecord(f, 1, 0, 0, raw);
        EXPECT_FALSE(c.LoadCompiledFromMemory(f.data(), f.size(), "len")) << len;
        EXPECT_EQ(c.GetRecordCount(), 0u);
    }
    // A count promising more records than the file holds.
    auto many = Header(0xFFFFFFFFu);
    PutRecord(many, 1, 0, 0);
    EXPECT_FALSE(c.LoadCompiledFromMemory(many.data(), many.size(), "many"));
    auto more = Header(2);
    PutRecord(more, 1, 0, 0);
    EXPECT_FALSE(c.LoadCompiledFromMemory(more.data(), more.size(), "more"));
    EXPECT_EQ(c.GetRecordCount(), 0u);
    SetDebugOutputEnabled(true);
    EXPECT_GT(log.Count(), 0u);
}

TEST(AdvCommandRunner, StartRecordWithoutSuccessorEndsAtOnce) {
    CScriptedFactory f;
    CAdvCommandControl c(&f);
    c.InsertStart(CAdvCommand());
    c.StartAt(1);
    EXPECT_TRUE(c.Execute());
    EXPECT_EQ(f.created, 0);
    EXPECT_FALSE(c.Execute());
}

TEST(AdvCommandRunner, AnswersTwoTwoOneRunInOneStep) {
    CScriptedFactory f;
    CAdvScriptBuilder b;
    uint32_t a = b.Add(2).Id;
    uint32_t bb = b.Add(2).Id;
    uint32_t cc = b.Add(1).Id;
    uint32_t d = b.Add(1).Id;
    CAdvCommandControl& c = b.GetControl();
    c.SetFactory(&f);
    f.results = {{1, 1}, {2, 2}};
    c.StartAt(1);
    uint32_t line = 0;
    EXPECT_TRUE(c.Execute(&line));
    EXPECT_EQ(f.ran, (std::vector<uint32_t>{a, bb, cc}));
    EXPECT_EQ(c.GetCurrentId(), d);
    EXPECT_EQ(f.created, f.released);
    EXPECT_TRUE(c.Execute(&line));
    EXPECT_EQ(f.ran.back(), d);
    EXPECT_EQ(c.GetCurrentRecord(), nullptr);
    EXPECT_FALSE(c.Execute());
}

TEST(AdvCommandRunner, StayingHandlerRunsAgainEachStep) {
    CScriptedFactory f;
    CAdvScriptBuilder b;
    uint32_t a = b.Add(0).Id;
    b.Add(1);
    b.GetControl().SetFactory(&f);
    f.results = {{0, 0}, {1, 1}};
    b.GetControl().StartAt(1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(b.GetControl().Execute());
        EXPECT_EQ(b.GetControl().GetCurrentId(), a);
    }
    EXPECT_EQ(f.ran, (std::vector<uint32_t>{a, a, a}));
}

TEST(AdvCommandRunner, JumpResultGoesOnFromTheNewPosition) {
    CScriptedFactory f;
    CAdvScriptBuilder b;
    b.Add(4, {0});  // jumps; its target is set below
    uint32_t skipped = b.Add(1).Id;
    CAdvCommand& target = b.AddDetached(1);
    b.GetControl().GetRecordAt(1)->Ints[0] = static_cast<int32_t>(target.Id);
    CAdvCommandControl& c = b.GetControl();
    f.control = &c;
    f.results = {{4, 4}, {1, 1}};
    c.SetFactory(&f);
    c.StartAt(1);
    uint32_t line = 0;
    EXPECT_TRUE(c.Execute(&line));
    ASSERT_EQ(f.ran.size(), 2u);
    EXPECT_EQ(f.ran[1], target.Id);
    EXPECT_NE(f.ran[1], skipped);
    EXPECT_EQ(line, target.Id);
}

TEST(AdvCommandRunner, UnknownCodeIsLoggedAndPassedOver) {
    CLogCapture log;
    CScriptedFactory f;
    CAdvScriptBuilder b;
    b.Add(999);
    uint32_t after = b.Add(1).Id;
    b.GetControl().SetFactory(&f);
    f.results = {{1, 1}};
    b.GetControl().StartAt(1);
    EXPECT_TRUE(b.GetControl().Execute());
    EXPECT_TRUE(log.Contains("CAdvCommandControl::Execute() IAdvTranslatorFactory::Create()に失敗"));
    EXPECT_EQ(f.ran, (std::vector<uint32_t>{after}));
}

TEST(AdvCommandRunner, NothingRunsWithoutFactoryRecordsOrCurrent) {
    CAdvCommandControl none;
    EXPECT_FALSE(none.Execute());
    CScriptedFactory f;
    CAdvCommandControl c(&f);
    EXPECT_FALSE(c.Execute());
    c.Append(CAdvCommand());
    EXPECT_FALSE(c.Execute());  // no current record
    EXPECT_EQ(c.StartAt(0), nullptr);
    EXPECT_EQ(c.StartAt(12345), nullptr);
}

TEST(AdvCommandEditing, NewIdRules) {
    CAdvCommandControl c;
    EXPECT_EQ(c.NewId(), 3u);
    CAdvCommand r;
    r.Id = 1;
    c.Append(r);
    r.Id = 2;
    c.Append(r);
    EXPECT_EQ(c.NewId(), 3u);
    r.Id = 7;
    c.Append(r);
    EXPECT_EQ(c.NewId(), 8u);

    // No higher id is free: the highest free one below is taken.
    CAdvCommandControl top;
    r.Id = 0xFFFFFFFFu;
    top.Append(r);
    EXPECT_EQ(top.NewId(), 0xFFFFFFFEu);
    r.Id = 0xFFFFFFFEu;
    top.Append(r);
    EXPECT_EQ(top.NewId(), 0xFFFFFFFDu);
    EXPECT_EQ(top.Append(CAdvCommand()), 0xFFFFFFFDu);
    // 0xFFFFFFFE alone is already the top: no higher id is free.
    CAdvCommandControl nearTop;
    r.Id = 0xFFFFFFFEu;
    nearTop.Append(r);
    EXPECT_EQ(nearTop.NewId(), 0xFFFFFFFDu);
}

TEST(AdvCommandEditing, CachedLinkOnlyToRecordsAlreadyPresent) {
    CScriptedFactory f;
    CAdvCommandControl c(&f);
    c.InsertStart(CAdvCommand());
    CAdvCommand early;
    early.Code = 1;
    early.NextId = 50;  // added later
    uint32_t earlyId = c.Append(early);
    c.SetNextById(1, earlyId);
    CAdvCommand late;
    late.Id = 50;
    late.Code = 1;
    c.Append(late);
    EXPECT_EQ(c.FindById(earlyId)->Next, nullptr);
    EXPECT_NE(c.FindById(1)->Next, nullptr);
    // Execution follows ids and still reaches the late record.
    f.results = {{1, 2}};
    c.StartAt(1);
    EXPECT_TRUE(c.Execute());
    EXPECT_EQ(f.ran, (std::vector<uint32_t>{earlyId, 50u}));
    // AdvanceByPointer needs the cached link.
    c.StartAt(earlyId);
    EXPECT_EQ(c.AdvanceByPointer(), nullptr);
    EXPECT_EQ(c.GetCurrentId(), earlyId);
    c.StartAt(1);
    EXPECT_EQ(c.AdvanceByPointer()->Id, earlyId);
}

TEST(AdvCommandEditing, InsertStartRenumbersOldStart) {
    CAdvCommandControl c;
    c.InsertStart(CAdvCommand());
    EXPECT_EQ(c.InsertStart(CAdvCommand()), 1u);
    EXPECT_EQ(c.GetRecordAt(0)->Id, 3u);
    EXPECT_EQ(c.GetRecordAt(1)->Id, 1u);
}

TEST(AdvCommandEditing, BranchesAndRemoval) {
    CAdvScriptBuilder b;
    uint32_t a = b.Add(1).Id;
    uint32_t x = b.Add(1).Id;
    uint32_t y = b.Add(1).Id;
    CAdvCommandControl& c = b.GetControl();
    c.SetBranchById(0, a, y);
    c.SetBranchById(16, a, y);  // ignored
    c.SetBranchById(-1, a, y);  // ignored
    EXPECT_EQ(c.GetBranchId(0, a), y);
    EXPECT_EQ(c.GetBranchId(16, a), 0u);
    c.LinkBranch(3, c.FindById(x), c.FindById(y));
    EXPECT_EQ(c.GetBranchId(3, x), y);

    // Removing y clears every NextId and branch that named it.
    c.RemoveRecordById(y);
    EXPECT_EQ(c.GetNextId(x), 0u);
    EXPECT_EQ(c.FindById(x)->Next, nullptr);
    EXPECT_EQ(c.GetBranchId(0, a), 0u);
    EXPECT_EQ(c.GetBranchId(3, x), 0u);

    // Removing the current record makes its successor current.
    c.StartAt(a);
    c.RemoveCurrentRecord();
    EXPECT_EQ(c.GetCurrentId(), x);
    EXPECT_EQ(c.GetNextId(1), 0u);  // the start record pointed at a
    c.SetNextById(1, x);
    c.StartAt(1);
    c.RemoveCurrentRecord();
    EXPECT_EQ(c.GetCurrentId(), x);
    c.ClearNextById(x);
    c.RemoveCurrentRecord();
    EXPECT_EQ(c.GetCurrentRecord(), nullptr);
    EXPECT_EQ(c.GetRecordCount(), 0u);
    c.Clear();
    EXPECT_EQ(c.GetScriptName(), "");
}

TEST(AdvCommandRunner, CycleOfGoingCommandsHoldsForTheFrame) {
    // Two records answering 2 that lead to each other would never end a step.
    CLogCapture log;
    CScriptedFactory f;
    CAdvScriptBuilder b;
    uint32_t a = b.Add(2).Id;
    uint32_t bb = b.Add(2).Id;
    CAdvCommandControl& c = b.GetControl();
    c.SetNextById(bb, a);
    c.SetFactory(&f);
    f.results = {{2, 2}};
    c.StartAt(1);
    EXPECT_TRUE(c.Execute());
    // Start record, a, b: each runs once, then the step ends where it stands.
    EXPECT_EQ(f.ran, (std::vector<uint32_t>{a, bb}));
    EXPECT_NE(c.GetCurrentRecord(), nullptr);
    EXPECT_TRUE(c.Execute());
    EXPECT_EQ(f.ran.size(), 5u);
    EXPECT_EQ(log.Count(), 1u);  // reported once per script
    EXPECT_TRUE(log.Contains("CAdvCommandControl::Execute()"));

    // A command that jumps to itself every time is held the same way.
    CScriptedFactory g;
    CAdvScriptBuilder j;
    CAdvCommand& self = j.Add(4);
    self.Ints[0] = static_cast<int32_t>(self.Id);
    g.control = &j.GetControl();
    g.results = {{4, 4}};
    j.GetControl().SetFactory(&g);
    j.GetControl().StartAt(1);
    EXPECT_TRUE(j.GetControl().Execute());
    EXPECT_EQ(g.ran.size(), 1u);
    EXPECT_TRUE(j.GetControl().Execute());
    EXPECT_EQ(g.ran.size(), 3u);
}

TEST(AdvCommandRunner, LongChainOfGoingCommandsRunsWhole) {
    // The cycle guard never cuts a script that has no cycle.
    CScriptedFactory f;
    CAdvScriptBuilder b;
    for (int i = 0; i < 50; ++i) b.Add(2);
    b.GetControl().SetFactory(&f);
    f.results = {{2, 2}};
    b.GetControl().StartAt(1);
    EXPECT_TRUE(b.GetControl().Execute());
    EXPECT_EQ(f.ran.size(), 50u);
    EXPECT_EQ(b.GetControl().GetCurrentRecord(), nullptr);
    EXPECT_FALSE(b.GetControl().Execute());
}
