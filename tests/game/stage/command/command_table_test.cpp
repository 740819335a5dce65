// The table's slots, the factory's choice of handler, the runner passing over empty
// slots, the prologue, and the conversions the handlers share.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "game/stage/command/GameCommandTable.h"
#include "tests/game/stage/command/CommandTestUtil.h"
#include "tools/script/AdvScriptBuilder.h"

using namespace commandtest;

TEST(GameCommandTable, HoldsFortyNineHandlersInTheirSlotsAndNothingElse) {
    const CGameCommandTable& table = CGameCommandTable::GetInstance();
    EXPECT_EQ(&table, &CGameCommandTable::GetInstance());
    EXPECT_EQ(table.CountHandlers(), 49);
    std::set<CGameCommand*> distinct;
    for (uint32_t code = 0; code < CGameCommandTable::kCodeCount; ++code) {
        const bool filled = code <= 22 || (code >= 30 && code <= 48) || (code >= 50 && code <= 54) || code == 60 ||
                            code == 70;
        EXPECT_EQ(table.Get(code) != nullptr, filled) << "code " << code;
        if (table.Get(code)) distinct.insert(table.Get(code));
    }
    EXPECT_EQ(distinct.size(), 49u) << "codes 0 and 1 hold objects of their own";
    EXPECT_EQ(table.Get(200), nullptr);
}

TEST(GameTranslatorFactory, GivesTheNoOpBeyondTheTableAndTellsTheHandlerItsScene) {
    CMainGameScene* scene = reinterpret_cast<CMainGameScene*>(0x1000);
    CGameTranslatorFactory factory(scene);
    CGameCommandTable& table = CGameCommandTable::GetInstance();
    EXPECT_EQ(factory.Create(250), table.Get(0));
    EXPECT_EQ(factory.Create(0xFFFFFFFFu), table.Get(0));
    EXPECT_EQ(factory.Create(23), nullptr);
    EXPECT_EQ(factory.Create(199), nullptr);
    auto* handler = static_cast<CGameCommand*>(factory.Create(41));
    EXPECT_EQ(handler->GetScene(), scene);
    factory.Release(handler);
    EXPECT_EQ(table.Get(41), handler) << "Release keeps the table's handler";
}

TEST(GameCommand, PlacingRulesAndColours) {
    const SSize size{200, 400};
    struct Case {
        int32_t rule, x, y;
        bool placed;
        SPoint at;
    };
    for (const Case& c : {Case{0, 5, 6, true, {5, 6}}, Case{1, 10, 20, true, {310, 220}},
                          Case{2, 10, 20, true, {140, 220}}, Case{3, 10, 20, true, {480, 220}},
                          Case{4, 10, 20, false, {}}, Case{-1, 10, 20, false, {}}}) {
        SPoint at{-7, -7};
        EXPECT_EQ(CGameCommand::Place(c.rule, c.x, c.y, size, &at), c.placed) << c.rule;
        if (c.placed) {
            EXPECT_EQ(at, c.at) << c.rule;
        }
    }
    SPoint odd;
    ASSERT_TRUE(CGameCommand::Place(1, 0, 0, {201, 1}, &odd));
    EXPECT_EQ(odd.x, 299) << "the half rounds toward zero";
    EXPECT_EQ(CGameCommand::OpaqueColour(0x112, -1, 0x345), 0xFF12FF45u);
}

TEST(GameCommand, MillisecondsBecomeFramesAndANegativeTimeIsZero) {
    CGameCommand command;  // no scene: 60 frames a second
    EXPECT_EQ(command.Frames(1000), 60);
    EXPECT_EQ(command.Frames(16), 0);
    EXPECT_EQ(command.Frames(17), 1);
    EXPECT_EQ(command.Frames(0x7FFFFFFF), 128849018) << "no 32-bit overflow";
    CLogCapture log;
    EXPECT_EQ(command.Frames(-1), 0);
    EXPECT_TRUE(log.Contains("CGameCommand::Frames()"));
}

class CommandTableOnStage : public CommandFixture {};

TEST_F(CommandTableOnStage, EmptySlotsAreLoggedAndPassedOverAndEveryRecordIsRead) {
    Begin();
    CAdvScriptBuilder script;
    script.Add(23);
    script.Add(250);
    const uint32_t noOp = script.GetLastId();
    script.Add(49);
    script.Add(5, {100}, {"n", "line", ""});
    const uint32_t lineId = script.GetLastId();
    ASSERT_TRUE(script.Save("t.scr"));
    ASSERT_TRUE(Stage().StartScript("t.scr"));
    CLogCapture log;
    ASSERT_TRUE(d.Frame());
    size_t failures = 0;
    for (const std::string& line : log.GetLines()) {
        failures += line.find("IAdvTranslatorFactory::Create()") != std::string::npos;
    }
    EXPECT_EQ(failures, 2u) << "codes 23 and 49 have no handler; 250 runs the no-op";
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "line") << "all in the same step";
    const CReadHistory& read = d.Game().GetReadFlags();
    for (uint32_t id : {noOp, lineId}) EXPECT_TRUE(read.Contains("t.scr", static_cast<int32_t>(id), 1)) << id;
}

TEST_F(CommandTableOnStage, EveryHandlerSurvivesArgumentsAtTheEdges) {
    Begin();
    CLogCapture log;  // the refusals are logged; nothing else is asked here
    for (int32_t v : {INT32_MIN, -1, INT32_MAX}) {
        for (uint32_t code = 0; code < CGameCommandTable::kCodeCount; ++code) {
            if (!CGameCommandTable::GetInstance().Get(code)) continue;
            CAdvCommand r = Rec(code, {}, {"\\", "", "voice\\"});
            r.Ints.fill(v);
            const int32_t result = Run(r);
            EXPECT_TRUE(result == 1 || result == 2) << code << " " << v;
        }
        ASSERT_TRUE(d.Frame(2)) << v;
    }
}
