// The mansion host in the month, the relays and the exit, the menu and shop hosts.
#include "tests/game/raising/mansion/MansionTestUtil.h"

#include "engine/base/Mouse.h"
#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/raising/mansion/RelayModes.h"

namespace {

using namespace mansiontest;

class HostTest : public MansionFixture {
protected:
    void SetUp() override {
        std::vector<SRow> rows = MansionRows();
        rows.push_back({20, 22, 0, "weekend"});
        Make(rows);
    }
};

TEST_F(HostTest, AMansionWeekRunsEveryActionThroughTheStepMachine) {
    CStatus& s = kept->Status();
    SStatusWords& w = s.Words();
    w.year = 1;
    w.month = 5;
    w.week = 1;
    w.stamina = 86;  // + 14 for the week at rank 1
    w.money = 1000;
    w.evaluationTotal = 60;  // rank 1
    picks = {{1}, {2, 1, 0}, {3, 2}, {4}, {5}, {6}, {7, 0}, {8}};
    kept->State().m_Step = 70;
    ASSERT_TRUE(RunUntil([&] { return kept->GetStep() == 50; }, 6000));
    EXPECT_EQ(Played(), (std::vector<std::string>{"work0", "talk1", "bond2", "train0", "job", "care", "weekend"}));
    EXPECT_EQ(w.week, 2);
    EXPECT_EQ(w.stamina, 100 - 8 - 6 - 6 - 5 - 10 + 10 - 2) << "the meal's 10 with no event of its own";
    EXPECT_EQ(w.money, 1000 - 25 + 90 - 40 - 5);
    EXPECT_EQ(w.mealCounter[0], 1);
    EXPECT_EQ(w.mealDone, 0) << "cleared after the week";
    EXPECT_EQ(s.GetParam(103, 6), 1);
    EXPECT_TRUE(picks.empty()) << "the shop without a screen went back to the menu";
}

TEST_F(HostTest, RelaysClearTheStageAndGoOnWithATransition) {
    picks = {{kHold}};
    kept->SetMode(16, 0, 0);
    ASSERT_TRUE(D().Frame(2));
    CMansionHostMode* host = Host();
    ASSERT_NE(host, nullptr);
    kept->Stage().SetSkipStopLock(true);
    kept->GetSlidePanel().Open(1);
    host->SetSideMode(12, 0, 0);
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(kept->Stage().IsSkipStopLocked());
    EXPECT_EQ(host->GetSideModeId(), 3);
    ASSERT_TRUE(D().Frame());
    EXPECT_NE(dynamic_cast<CFriendBondMode*>(host->GetCurrentSideMode()), nullptr);
    EXPECT_TRUE(host->GetSideManager().IsInTransition());
    EXPECT_EQ(host->GetSideManager().GetTransitionIndex(), 1);
    EXPECT_FALSE(kept->GetSlidePanel().IsAnyOpen()) << "the relay slid the panel out";

    // Relays and the exit draw opaque black.
    CScreenRenderer* renderer = D().Game().GetRenderer();
    ASSERT_NE(renderer, nullptr);
    CMansionRelayMode relay(*host, 9);
    CMansionExitMode exit(*host);
    for (CModeState* mode : std::initializer_list<CModeState*>{&relay, &exit}) {
        renderer->Clear(0xFFFFFFFFu);
        ASSERT_EQ(D().Pixels().At(400, 300) & 0xFFFFFFu, 0xFFFFFFu);
        mode->Draw();
        EXPECT_EQ(D().Pixels().At(400, 300) & 0xFFFFFFu, 0u);
    }
}

TEST_F(HostTest, TheExitEndsTheMansionSide) {
    picks = {};
    kept->SetMode(16, 0, 0);
    ASSERT_TRUE(D().Frame(2));
    kept->Stage().SetSkipStopLock(true);
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 200));
    EXPECT_FALSE(kept->Stage().IsSkipStopLocked());
    // Without a menu screen of its own the mansion side ends at once too.
    kept->GetModeFactory().SetMaker(16, [](CRaisingScene& owner) {
        auto host = std::make_unique<CMansionHostMode>(owner);
        host->GetFactory().SetMaker(0, [](CMansionHostMode& h) -> std::unique_ptr<CModeState> {
            return std::make_unique<CBellHostMode>(h, nullptr);
        });
        return host;
    });
    kept->SetMode(16, 0, 0);
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 200));
}

// A screen that notes whether it saw this frame's decide press.
template <class Base>
class CNotingScreen : public Base {
public:
    CNotingScreen(CMansionHostMode& host, bool* open, int32_t* step, std::vector<bool>* saw)
        : Base(host), m_Open(open), m_StepWord(step), m_Saw(saw) {}
    bool OpenWord() const { return *m_Open; }
    int32_t StepWord() const { return *m_StepWord; }
    void Update() override { m_Saw->push_back(IsDecidePressed()); }
    void Draw() override { ++draws; }
    int draws = 0;

private:
    bool* m_Open;
    int32_t* m_StepWord;
    std::vector<bool>* m_Saw;
};

class CNotingMenu : public CNotingScreen<CMansionMenuScreen> {
public:
    using CNotingScreen::CNotingScreen;
    bool IsPanelOpen() const override { return OpenWord(); }
};

class CNotingShop : public CNotingScreen<CShopScreen> {
public:
    using CNotingScreen::CNotingScreen;
    int32_t GetStep() const override { return StepWord(); }
};

TEST_F(HostTest, TheMenuAndShopHostsShareInputAndThumbnailsWithTheStage) {
    picks = {{kHold}};
    kept->SetMode(16, 0, 0);
    ASSERT_TRUE(D().Frame(2));
    CMansionHostMode& host = *Host();
    bool open = false;
    int32_t step = 0;
    std::vector<bool> saw;
    auto menuScreen = std::make_unique<CNotingMenu>(host, &open, &step, &saw);
    auto shopScreen = std::make_unique<CNotingShop>(host, &open, &step, &saw);
    CNotingMenu& menu = *menuScreen;
    CNotingShop& shopShown = *shopScreen;
    CBellHostMode bell(host, std::move(menuScreen));
    auto shop = std::make_unique<CShopHostMode>(host, std::move(shopScreen));
    CMouse& mouse = D().Game().GetMouse();
    struct SCase {
        CModeState* mode;
        bool open;
        int32_t step;
        bool stageSeesInput;
    };
    const SCase cases[] = {
        {&bell, false, 0, true}, {&bell, true, 0, false}, {shop.get(), false, 1, true}, {shop.get(), false, 2, false}};
    for (const SCase& c : cases) {
        open = c.open;
        step = c.step;
        saw.clear();
        // Frames of the game with the mode updated by hand in the last one.
        D().Click(10, 10);
        ASSERT_TRUE(D().Frame());
        ASSERT_TRUE(mouse.IsLeftPressed());
        c.mode->Update();
        EXPECT_EQ(saw, std::vector<bool>{true}) << c.open << c.step;
        EXPECT_EQ(mouse.IsLeftPressed(), c.stageSeesInput) << c.open << c.step;
        EXPECT_EQ(mouse.GetSuppressCount(), 0);
    }
    // Thumbnails: the menu over the stage's pass; the shop alone once it is open.
    bell.PrepareThumbnail();
    EXPECT_EQ(menu.draws, 1);
    step = 1;
    shop->PrepareThumbnail();
    EXPECT_EQ(shopShown.draws, 0);
    step = 2;
    shop->PrepareThumbnail();
    EXPECT_EQ(shopShown.draws, 1);

    kept->Stage().SetCancelLock(true);
    shop.reset();
    EXPECT_FALSE(kept->Stage().IsCancelLocked()) << "leaving the shop gives the cancel back";
}

}  // namespace
