// The in-game modes: the factory, the event modes, blank and picture, the side host.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "engine/base/Keyboard.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/EventModes.h"
#include "game/raising/ingame/SideHostMode.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/season/DateCardScene.h"

namespace {

using namespace ingametest;

class ModeTest : public InGameFixture {
protected:
    void SetUp() override {
        Build({{1, 4, 0, "quiet"},
               {2, 2, 9, "harvest"},
               {3, 2, 12, "thief"},
               {4, 50, 4, "nobody"},
               {5, 50, 2, "friend2"},
               {6, 5, 0, "e50"}},
              [this](const std::string& folder) {
                  probe.Write(folder, kit::MakeSheet(CPictureMode::kPicture, 800, 600, 4, 3));
              });
        EnterParked();
    }
    // Runs mode `id` until it has ended.
    void RunMode(int32_t id) {
        kept->SetMode(id, 0, 0);
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }));
    }
};

TEST_F(ModeTest, TheFactoryMakesNothingForZeroAndPastNineteen) {
    CInGameModeFactory factory(*kept);
    EXPECT_EQ(factory.CreateMode(0), nullptr);
    EXPECT_EQ(factory.CreateMode(20), nullptr);
    EXPECT_EQ(factory.CreateMode(-3), nullptr);
    EXPECT_NE(dynamic_cast<CEventMode*>(factory.CreateMode(8).get()), nullptr);
    EXPECT_NE(dynamic_cast<CD000Scene*>(factory.CreateMode(4).get()), nullptr);
}

TEST_F(ModeTest, TheThreeMachinesFactoriesAreModeFactories) {
    CMansionHostMode mansion(*kept);
    CHomeHostMode home(*kept);
    CInGameModeFactory inGame(*kept);
    CMansionModeFactory mansionModes(mansion);
    CHomeModeFactory homeModes(home);
    struct SCase {
        const char* name;
        CModeFactory* factory;
        int32_t first, last;  // the ids that make a mode
    };
    for (const SCase& c : {SCase{"in-game", &inGame, 1, CInGameModeFactory::kMaxModeId},
                           SCase{"mansion", &mansionModes, 0, CMansionModeFactory::kMaxModeId},
                           SCase{"home", &homeModes, 0, CHomeModeFactory::kLeave}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.factory->CreateMode(c.first - 1), nullptr);
        EXPECT_EQ(c.factory->CreateMode(c.last + 1), nullptr);
        std::unique_ptr<CModeState> mode = c.factory->CreateMode(c.last);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(&mode->GetOwner(), kept);
        // The mode manager asks through the scene factory's entry.
        ISceneFactory& scenes = *c.factory;
        EXPECT_NE(dynamic_cast<CModeState*>(scenes.Create(c.last).get()), nullptr);
        EXPECT_EQ(scenes.Create(c.last + 1), nullptr);
    }
}

TEST_F(ModeTest, TheSeasonalModePlaysTheMonthsEventAndGivesItsOutcome) {
    struct Case {
        int32_t season;
        std::vector<std::string> played;
        uint8_t wantDone;
        int32_t wantMoney, wantCopy, wantItem32, wantItem33;
    };
    const Case cases[] = {
        {0, {"quiet"}, 0, 0, 20, 0, 0},  {1, {}, 0, 0, 20, 0, 0},       {2, {"harvest"}, 1, 0, 20, 0, 0},
        {3, {}, 0, 0, 20, 0, 1},         {4, {}, 0, 0, 20, 1, 0},       {5, {"thief"}, 1, 40, 20, 0, 0},
        {6, {}, 0, 0, 20, 0, 0},         {8, {}, 1, 0, 50, 0, 0},
    };
    for (const Case& c : cases) {
        log.Clear();
        CStatus& s = kept->Status();
        s.Reset();
        s.SetParam(107, 0, c.season);
        s.Words().seasonLoss = 40;
        s.Words().seasonValue = 30;
        s.Words().satietyCopy = 20;
        RunMode(CSeasonalEventMode::kModeId);
        EXPECT_EQ(Played(), c.played) << c.season;
        EXPECT_EQ(s.Words().seasonDone, c.wantDone) << c.season;
        EXPECT_EQ(s.GetParam(104, 0), c.wantMoney) << c.season;
        EXPECT_EQ(s.GetParam(100, 9), c.wantCopy) << c.season;
        EXPECT_EQ(s.GetParam(102, 32), c.wantItem32) << c.season;
        EXPECT_EQ(s.GetParam(102, 33), c.wantItem33) << c.season;
    }
}

TEST_F(ModeTest, AFriendsEventGoesToTheChosenFriendOrToSubFour) {
    RunMode(12);
    EXPECT_EQ(Played(), std::vector<std::string>{"nobody"}) << "no friend with an exchange level of 1";
    log.Clear();
    kept->Status().Words().exchange[2] = 150;
    RunMode(12);
    EXPECT_EQ(Played(), std::vector<std::string>{"friend2"});
}

TEST_F(ModeTest, TheEventModeOfFiveKeepsItsStepInTheSave) {
    RunMode(CEventMode::kModeId);
    EXPECT_EQ(Played(), std::vector<std::string>{"e50"});
    CInGameModeFactory factory(*kept);
    auto ended = factory.CreateMode(CEventMode::kModeId);
    CGameState state;
    ended->LoadState(state);
    state.SetModeWord(CEventMode::kModeId, 0, 3);
    auto restored = factory.CreateMode(CEventMode::kModeId);
    restored->LoadState(state);
    EXPECT_EQ(static_cast<CEventMode*>(restored.get())->GetStep(), 3);
    CGameState written;
    restored->SaveState(written);
    EXPECT_EQ(written.GetModeWord(CEventMode::kModeId, 0), 3);
}

TEST_F(ModeTest, BlankEndsAfterItsTransitionAndThePictureOnAButton) {
    kept->SetMode(1, 1, 30);
    ASSERT_TRUE(D().Frame(10));
    EXPECT_FALSE(ModeEnded());
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 40));
    kept->SetMode(18, 0, 0);
    ASSERT_TRUE(D().Frame(3));
    EXPECT_TRUE(probe.ShowsCellAt(D().Pixels(), CPictureMode::kPicture, 1, 1, 200, 200));
    D().Key(VKey::kEscape);
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 3));
}

// A side with two modes: its menu (0) and an action (1).
class CTestSide : public CSideHostMode {
public:
    class CFactory : public ISceneFactory {
    public:
        explicit CFactory(CRaisingScene& owner) : m_Owner(owner) {}
        std::unique_ptr<CSceneBase> Create(int32_t id) override {
            if (id != 0 && id != 1) return nullptr;
            auto mode = std::make_unique<CSide>(m_Owner, id);
            return mode;
        }
        CRaisingScene& m_Owner;
    };
    class CSide : public CModeState {
    public:
        CSide(CRaisingScene& owner, int32_t id) : CModeState(owner), id(id) {}
        void LoadState(const CGameState& state) override { loaded = state.m_HomeModeWords[id][0]; }
        int32_t id;
        int32_t loaded = -1;
    };
    explicit CTestSide(CRaisingScene& owner) : CSideHostMode(owner) { SetFactory(std::make_unique<CFactory>(owner)); }
    void SaveState(CGameState& state) override { SaveSide(state, state.m_HomeMode); }
    void LoadState(const CGameState& state) override { LoadSide(state, state.m_HomeMode); }
};

TEST_F(ModeTest, ASideHostRemakesItsSideModeWithinLoadState) {
    CTestSide side(*kept);
    side.Load();
    side.Update();
    EXPECT_EQ(side.GetSideModeId(), 0);
    side.SetSideMode(1, 0, 0);
    side.Update();
    CGameState state;
    side.SaveState(state);
    EXPECT_EQ(state.m_HomeMode, 1);
    state.m_HomeModeWords[1][0] = 77;
    CTestSide restored(*kept);
    restored.LoadState(state);
    auto* mode = dynamic_cast<CTestSide::CSide*>(restored.GetCurrentSideMode());
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->id, 1);
    EXPECT_EQ(mode->loaded, 77);
}

}  // namespace
