// The mansion menu frame by frame: button rules, input, sounds, the panel routes, the
// help values, the board and the side cards.
#include "tests/game/raising/mansionmenu/MansionMenuTestUtil.h"

#include "engine/draw/SceneManager.h"
#include "game/core/SceneRequest.h"
#include "platform/window/WindowMessage.h"

namespace {

using namespace menutest;
using Menu = CMansionMenuScene;
using screentest::SFrame;

class MenuTest : public ScreenFixture {
protected:
    void SetUp() override {
        Make();
        ASSERT_TRUE(EnterMenu());
    }
    std::vector<bool> Enabled() {
        std::vector<bool> out;
        for (int i = 0; i < Menu::kButtonCount; ++i) out.push_back(Menu()->GetButton(i).IsEnabled());
        return out;
    }
    // The buttons disabled after the rules ran again.
    std::vector<int> Disabled() {
        Menu()->SetMenuPanel(0);
        std::vector<int> out;
        for (int i = 0; i < Menu::kButtonCount; ++i) {
            if (!Menu()->GetButton(i).IsEnabled()) out.push_back(i);
        }
        return out;
    }
    // The right button: the stage under an open panel never sees it (the mouse drops
    // its presses when the host suppresses it; the keyboard keeps this frame's).
    void Cancel() { D().Click(700, 500, CMouse::kRight); }
    // Back to a fresh menu after a route left it.
    void Reenter() {
        Host()->SetSideMode(0, 0, 0);
        ASSERT_TRUE(D().Frame());
        ASSERT_TRUE(MenuReady());
        D().Sounds().Take();
    }
};

// The menu stands on the mansion's background (it was once made on layer 100 and never
// shown: the menu showed over black).
TEST_F(MenuTest, TheMenuShowsTheMansionBackground) {
    EXPECT_EQ(D().Probe().At(D().Pixels(), 700, 300).sheet, Menu::kBackground);
}

TEST_F(MenuTest, ButtonRulesDisableByTheStatus) {
    struct SCase {
        const char* name;
        std::function<void(CStatus&)> set;
        std::vector<int> disabled;
    };
    const SCase cases[] = {
        {"playable", [](CStatus&) {}, {}},
        {"first turn", [](CStatus& s) { s.Words().month = 4; }, {1, 4, 6}},
        {"stamina 7", [](CStatus& s) { s.Words().stamina = 7; }, {0, 5}},
        {"stamina 5", [](CStatus& s) { s.Words().stamina = 5; }, {0, 1, 2, 5}},
        {"stamina 4", [](CStatus& s) { s.Words().stamina = 4; }, {0, 1, 2, 3, 5}},
        {"stamina 1", [](CStatus& s) { s.Words().stamina = 1; }, {0, 1, 2, 3, 5, 7}},
        {"friends full", [](CStatus& s) { for (int f = 0; f < 4; ++f) s.SetParam(106, 4 + f, 900); }, {1}},
        {"gratitude full", [](CStatus& s) { for (int f = 0; f < 4; ++f) s.SetParam(106, 12 + f, 100); }, {2}},
        {"total 49", [](CStatus& s) { s.Words().evaluationTotal = 49; }, {2, 5}},
        {"level 5", [](CStatus& s) { s.Words().abilityPoints = 400; }, {3}},
        {"no job flag", [](CStatus& s) { s.SetParam(0, 0, 0); }, {5}},
        {"friend 3 at 9", [](CStatus& s) { s.SetParam(106, 15, 9); }, {5}},
        {"money 39", [](CStatus& s) { s.Words().money = 39; }, {6}},
        {"money 4", [](CStatus& s) { s.Words().money = 4; }, {6, 7}},
        {"meal done", [](CStatus& s) { s.Words().mealDone = 1; }, {6}},
        {"expense done", [](CStatus& s) { s.Words().smallExpenseDone = 1; }, {7}},
    };
    for (const SCase& c : cases) {
        SetPlayable();
        c.set(kept->Status());
        EXPECT_EQ(Disabled(), c.disabled) << c.name;
    }
}

TEST_F(MenuTest, PointingShowsHelpOnceAndPressingOpensThePanelWithSounds) {
    D().Sounds().Take();
    D().Move(ButtonCentre(0).x, ButtonCentre(0).y);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetShownHelp(), 0);
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch1"});
    const CSaveRecordStrings* line = kept->Stage().GetMessageLine(0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->m_Text, Menu()->BuildHelp(0));
    // Pointing at the shown help again does not rebuild the text.
    kept->Status().Words().evaluationTotal = 100;
    Menu()->ShowHelp(0);
    EXPECT_EQ(kept->Stage().GetMessageLine(0)->m_Text, line->m_Text);
    EXPECT_NE(Menu()->BuildHelp(0), line->m_Text);

    ClickAt(ButtonCentre(0));
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    EXPECT_EQ(Menu()->GetMenuPanel(), 1);
    EXPECT_EQ(Menu()->GetPanelA().GetType(), 0);
    EXPECT_TRUE(Menu()->IsPanelOpen());
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    // With a panel open the buttons take no input.
    D().Move(ButtonCentre(3).x, ButtonCentre(3).y);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetShownHelp(), 0);
    // Cancel closes it with the cancel sound.
    D().Sounds().Take();
    Cancel();
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch2"});
    EXPECT_EQ(Menu()->GetMenuPanel(), 0);
    // Off every button the help is cleared and card 0 slides back.
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));
    D().Move(700, 500);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetShownHelp(), -1);
    EXPECT_EQ(Menu()->GetSideState(0), Menu::SLIDING_IN);
}

TEST_F(MenuTest, TheFirstButtonUnderThePointerTakesTheInput) {
    // Button 5 made to cover button 2 as well: button 2, served first, takes the press.
    Menu()->GetButton(5).SetHitRect(SRect{0, 0, 300, 500});
    ClickAt(ButtonCentre(2));
    EXPECT_EQ(Menu()->GetShownHelp(), 2) << "a press shows the pressed button's help";
    EXPECT_EQ(Menu()->GetMenuPanel(), 4);
    EXPECT_FALSE(Menu()->GetButton(5).IsPointerOver());
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
}

// A tap (the pointer's move and the press in one frame) after resting on another control
// shows the help of what it pressed, as pointing would have, before the press acts, with
// the decide sound alone; a help already shown is not shown or logged again.
TEST_F(MenuTest, ATapShowsThePressedControlsHelpOnce) {
    struct SRow {
        const char* name;
        int opens;  // the button whose list is opened first, -1 none
        std::function<SPoint()> rest, tap;
        int32_t help;
        int card;       // the side card sliding in or in
        int32_t panel;  // the menu panel the press opened
    };
    auto button = [](int i) { return [i] { return ButtonCentre(i); }; };
    auto item = [this](int i) { return [this, i] { return ItemPoint(Menu()->GetPanelA(), i); }; };
    const SRow rows[] = {
        {"training, then expense", -1, button(3), button(7), 7, 0, 8},
        {"friend 0, then friend 2", 1, item(0), item(2), 12, 2, 3},
        {"job, then job", -1, button(5), button(5), 5, 6, 6},
    };
    for (const SRow& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.opens >= 0) {
            ClickAt(ButtonCentre(r.opens));
            ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
        }
        D().Move(r.rest().x, r.rest().y);
        ASSERT_TRUE(D().Frame());
        ClickAt(r.tap());
        EXPECT_EQ(Menu()->GetMenuPanel(), r.panel);
        EXPECT_EQ(Menu()->GetShownHelp(), r.help);
        const std::string text = Menu()->BuildHelp(r.help);
        EXPECT_EQ(kept->Stage().GetWindow().GetCurrentLine().m_Text, text);
        EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
        for (int i = 0; i < Menu::kCardCount; ++i) {
            const int32_t state = Menu()->GetSideState(i);
            EXPECT_EQ(state == Menu::SLIDING_IN || state == Menu::SHOWN, i == r.card) << "card " << i;
        }
        EXPECT_EQ(Logged(text), 1);
        Reenter();
    }
}

TEST_F(MenuTest, EveryPanelRouteReachesItsActionOrPanel) {
    struct SRoute {
        int button;
        int entry;       // -2: the button alone
        int32_t panel;   // the menu panel after the entry
        int32_t mode;    // the mansion mode after it (0: stays in the menu)
    };
    const SRoute routes[] = {
        {0, 0, 1, 10}, {0, 1, 0, 0},  {2, 3, 4, 12}, {3, 0, 5, 13}, {3, 1, 0, 0}, {4, -2, 0, 14},
        {5, 0, 6, 15}, {6, 2, 7, 16}, {7, 0, 8, 17}, {7, 1, 0, 0},  {8, -2, 0, 18}, {1, 2, 3, 0},
    };
    for (const SRoute& r : routes) {
        ClickAt(ButtonCentre(r.button));
        EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"}) << r.button;
        if (r.entry != -2) {
            ASSERT_TRUE(PanelOpen(Menu()->GetPanelA())) << r.button;
            EXPECT_EQ(Menu()->GetPanelA().GetType(), Menu()->GetMenuPanel() - 1);
            ClickAt(ItemPoint(Menu()->GetPanelA(), r.entry));
            EXPECT_EQ(Menu()->GetMenuPanel(), r.panel) << r.button << " " << r.entry;
        }
        EXPECT_EQ(Host()->GetSideModeId(), r.mode) << r.button << " " << r.entry;
        Reenter();
    }
    EXPECT_EQ(kept->State().m_ChosenBondFriend, 3);
    EXPECT_EQ(kept->State().m_ChosenMeal, 2);
}

TEST_F(MenuTest, TheFriendPanelChoosesAMannerAndCancelGoesBackToTheFriends) {
    ClickAt(ButtonCentre(1));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    ClickAt(ItemPoint(Menu()->GetPanelA(), 2));
    EXPECT_EQ(kept->State().m_ChosenFriend, 2);
    EXPECT_EQ(Menu()->GetMenuPanel(), 3);
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelB()));
    EXPECT_EQ(Menu()->GetPanelB().GetType(), 2);
    // One BACK shows, the manners' that answers: the friends' under them takes no
    // pointer, and their panel shows where it stands.
    const screentest::SVisible mannersBack{"the manners' back", "obj\\h002_001.bmp", 0, screentest::SVisible::kEnabledLook,
                                           682, 312, {}};
    const screentest::SVisible friendsBack{"the friends' back", "obj\\h002_001.bmp", 0, screentest::SVisible::kEnabledLook,
                                           408, 384, {}};
    EXPECT_TRUE(D().Probe().ShowsAll(D().Pixels(), {mannersBack}));
    EXPECT_EQ(D().Probe().At(D().Pixels(), 408 + 32, 384 + 12).sheet, "obj\\h001_017.bmp") << "the friends' back";
    // Pointing at manner 1 shows help 38 + friend.
    const SPoint m1 = ItemPoint(Menu()->GetPanelB(), 1);
    D().Move(m1.x, m1.y);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetShownHelp(), 40);
    Cancel();
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetMenuPanel(), 2);
    EXPECT_EQ(Menu()->GetPanelA().GetState(), CPanelState::STATE_OPEN) << "shown at once";
    EXPECT_FALSE(Menu()->GetPanelB().IsOpen());
    EXPECT_TRUE(D().Probe().ShowsAll(D().Pixels(), {friendsBack}));
    ClickAt(ItemPoint(Menu()->GetPanelA(), 1));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelB()));
    ClickAt(ItemPoint(Menu()->GetPanelB(), 1));
    EXPECT_EQ(Host()->GetSideModeId(), 11);
    EXPECT_EQ(kept->State().m_ChosenFriend, 1);
    EXPECT_EQ(kept->State().m_ChosenManner, 1);
}

// Going back from the manners, by cancel or by their BACK, sets the friends up anew:
// the friend chosen before takes a click again and opens the manners.
TEST_F(MenuTest, TheFriendChosenBeforeOpensTheMannersAgainAfterGoingBack) {
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"cancel", [this] { Cancel(); }},
        {"back", [this] { D().Click(682 + 4, 312 + 4); }},  // the manners' BACK
    };
    ClickAt(ButtonCentre(1));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    for (const auto& [name, back] : roads) {
        ClickAt(ItemPoint(Menu()->GetPanelA(), 2));
        ASSERT_TRUE(PanelOpen(Menu()->GetPanelB())) << "friend 2 opens the manners, before " << name;
        back();
        ASSERT_TRUE(D().Frame());
        ASSERT_EQ(Menu()->GetMenuPanel(), 2) << name;
    }
    ClickAt(ItemPoint(Menu()->GetPanelA(), 2));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelB())) << "after back";
    ClickAt(ItemPoint(Menu()->GetPanelB(), 0));
    EXPECT_EQ(Host()->GetSideModeId(), 11);
    EXPECT_EQ(kept->State().m_ChosenFriend, 2);
}

// A cancel with a panel open does not end the frame: the entries of the panel that had
// the pointer are still served, by the panel open after the cancel.
TEST_F(MenuTest, ACancelStillServesThePanelEntriesOfItsFrame) {
    // Pointing at an entry of the friend panel as the right button cancels it: the
    // cursor sound follows the cancel sound; no help of the closed panel shows.
    ClickAt(ButtonCentre(1));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    D().Move(700, 500);
    ASSERT_TRUE(D().Frame());
    D().Sounds().Take();
    const SPoint e1 = ItemPoint(Menu()->GetPanelA(), 1);
    D().Click(e1.x, e1.y, CMouse::kRight);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(D().Sounds().Take(), (std::vector<std::string>{"ch1", "ch2"})) << "a frame's sounds by channel";
    EXPECT_EQ(Menu()->GetMenuPanel(), 0);
    EXPECT_NE(Menu()->GetShownHelp(), 11);
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));

    // Deciding on the work entry in the frame of Esc: the decide sound plays, and the
    // entry acts by the panel now open, none, so the work does not start.
    ClickAt(ButtonCentre(0));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    const SPoint e0 = ItemPoint(Menu()->GetPanelA(), 0);
    D().Move(e0.x, e0.y);
    ASSERT_TRUE(D().Frame());
    D().Sounds().Take();
    D().Key(VKey::kSpace);
    D().Key(VKey::kEscape);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(D().Sounds().Take(), (std::vector<std::string>{"ch0", "ch2"}));
    EXPECT_EQ(Menu()->GetMenuPanel(), 0);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Host()->GetSideModeId(), 0);
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));

    // A manner decided in the frame of Esc: back to the friends, no exchange.
    ClickAt(ButtonCentre(1));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    ClickAt(ItemPoint(Menu()->GetPanelA(), 0));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelB()));
    const SPoint m0 = ItemPoint(Menu()->GetPanelB(), 0);
    D().Move(m0.x, m0.y);
    ASSERT_TRUE(D().Frame());
    D().Key(VKey::kSpace);
    D().Key(VKey::kEscape);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetMenuPanel(), 2);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Host()->GetSideModeId(), 0);
}

TEST_F(MenuTest, TheEndAsksWhenTheConfirmationIsOnAndTheStatusPagesAreCalled) {
    D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 1);
    ClickAt(ButtonCentre(8));
    EXPECT_EQ(Menu()->GetMenuPanel(), 10);
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    ClickAt(ItemPoint(Menu()->GetPanelA(), 0));
    EXPECT_EQ(Menu()->GetMenuPanel(), 0) << "entry 0 closes";
    EXPECT_EQ(Host()->GetSideModeId(), 0);
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));
    ClickAt(ButtonCentre(8));
    ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
    ClickAt(ItemPoint(Menu()->GetPanelA(), 1));
    EXPECT_EQ(Host()->GetSideModeId(), 18);
    Reenter();

    for (int page = 0; page < 2; ++page) {
        ClickAt(ButtonCentre(9));
        ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
        ClickAt(ItemPoint(Menu()->GetPanelA(), page));
        ASSERT_TRUE(D().Frame());
        CSceneManager& top = D().Game().GetSceneManager();
        EXPECT_EQ(top.GetCurrentSceneId(), 24 + page);
        EXPECT_EQ(top.GetReturnStackDepth(), 1u) << "the in-game scene is kept";
        ASSERT_TRUE(D().Frame());
        RequestReturnScene(0, 0);
        ASSERT_TRUE(RunUntil([&] { return top.GetCurrentSceneId() == 19 && !top.IsInTransition(); }, 100));
        Menu()->SetMenuPanel(0);
        ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));
    }
}

// The cancel that closes a panel is the menu's: the stage, which runs after it with the
// input suppressed, neither hides nor darkens its window for it nor calls the save
// screen, whatever the right-click setting and whichever key or button it came from.
TEST_F(MenuTest, TheCancelThatClosesAPanelDoesNotReachTheStage) {
    const std::vector<std::pair<const char*, std::function<void()>>> cancels = {
        {"esc", [this] { D().Key(VKey::kEscape); }},
        {"enter", [this] { D().Key(VKey::kReturn); }},
        {"right button", [this] { Cancel(); }},
    };
    for (int32_t setting : {0, 1, 3}) {
        for (const auto& [name, cancel] : cancels) {
            SCOPED_TRACE(testing::Message() << name << ", setting " << setting);
            D().Game().GetSystemData().m_CancelAction = setting;
            ClickAt(ButtonCentre(0));
            ASSERT_TRUE(PanelOpen(Menu()->GetPanelA()));
            cancel();
            ASSERT_TRUE(D().Frame());
            EXPECT_EQ(Menu()->GetMenuPanel(), 0);
            ASSERT_TRUE(D().Frame(3));
            EXPECT_TRUE(kept->Stage().IsWindowShownByPlayer());
            EXPECT_FALSE(kept->Stage().GetWindow().IsDarkened());
            EXPECT_EQ(D().Game().GetSceneManager().GetCurrentSceneId(), 19);
            ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanelA().IsMoving(); }, 60));
        }
    }
}

TEST_F(MenuTest, HelpTextsAreFilledWithThePlayersNumbers) {
    CStatus& s = kept->Status();
    SStatusWords& w = s.Words();
    struct SCase {
        std::function<void()> set;
        int32_t help;
        std::string text;
    };
    const SCase cases[] = {
        {[&] { w.evaluationTotal = 280, w.evaluation = 5; }, 0, "屋敷で働きます。次のランクまで、評価があと15必要です。\n体力を8使います。"},
        {[&] { w.evaluationTotal = 290, w.evaluation = 20; }, 0, "屋敷で働きます。次のランクまで、評価があと0必要です。\n体力を8使います。"},
        {[&] { w.evaluationTotal = 2600; }, 0, "屋敷で働きます。ランクはもう最高です。\n体力を8使います。"},
        {[&] { w.abilityPoints = 237; }, 3, "修行をします。次のレベルまで、あと63ポイントです。\n体力を5使います。"},
        {[&] { s.SetParam(103, 4, 45); }, 5, "アルバイトをします。次の昇給まで、あと25回です。\n体力を10使います。"},
        {[&] { s.SetParam(103, 4, 150); }, 5, "アルバイトをします。お給料はもう最高です。\n体力を10使います。"},
        {[&] { s.SetParam(106, 6, 230); }, 12, "ミルテと過ごします。次のレベルまで、あと70です。"},
        {[&] { s.SetParam(106, 6, 950); }, 12, "ミルテとの交流は、もう最高のレベルです。"},
        {[&] { s.SetParam(106, 5, 130); }, 35, "25払ってチャコルと過ごします。交流+15。\nチャコルの次のレベルまで、あと70です。"},
        {[&] { s.SetParam(106, 7, 0); }, 41, "お金を払わずにネリサと過ごします。交流+8。\nネリサの次のレベルまで、あと100です。"},
        {[&] { s.SetParam(106, 4, 999); }, 38, "お金を払わずにフェリナと過ごします。\n交流はもう最高のレベルです。"},
        {[] {}, 60, ""},
    };
    for (const SCase& c : cases) {
        SetPlayable();
        c.set();
        EXPECT_EQ(Menu()->BuildHelp(c.help), c.text) << c.help;
    }
}

TEST_F(MenuTest, TheBoardSlidesInDeceleratingOverTwentySteps) {
    CMansionMenuScene fresh(*Host());
    fresh.Load();
    std::vector<int32_t> xs;
    for (int i = 0; i < 3; ++i) {
        xs.push_back(fresh.GetBoardOffset());
        fresh.Update();
    }
    EXPECT_EQ(xs[0], -800);
    EXPECT_GT(xs[1] - xs[0], xs[2] - xs[1]) << "decelerating";
    EXPECT_EQ(Menu()->GetBoardOffset(), 0);
    const SFrame f = D().Pixels();
    const SPoint p = Menu::ButtonPos(4);
    EXPECT_TRUE(D().Probe().ShowsCellAt(f, Menu::ButtonPicture(4), 0, 0, p.x, p.y));
}

TEST_F(MenuTest, ASidePictureReversedMidSlideGoesBackFromWhereItWas) {
    Menu()->ShowSidePicture(3);
    for (int i = 0; i < 5; ++i) Menu()->StepSidePictures();
    const int32_t at = Menu()->GetSideAlpha(3);
    Menu()->HideSidePicture(3);
    EXPECT_EQ(Menu()->GetSideState(3), Menu::SLIDING_OUT);
    EXPECT_EQ(Menu()->GetSideAlpha(3), at);
    for (int i = 0; i < 4; ++i) Menu()->StepSidePictures();
    EXPECT_EQ(Menu()->GetSideState(3), Menu::SLIDING_OUT);
    Menu()->StepSidePictures();
    EXPECT_EQ(Menu()->GetSideState(3), Menu::HIDDEN) << "back out in the five steps it had made";
    Menu()->HideSidePicture(3);
    EXPECT_EQ(Menu()->GetSideState(3), Menu::HIDDEN);
}

// The card of a help with its figures, probed once the card is in.
class CardTest : public MenuTest {
protected:
    // Pointing at button `help` (or off the buttons for help 60) shows the card.
    SFrame ShowCard(int32_t help, int card) {
        const SPoint p = help < Menu::kButtonCount ? ButtonCentre(help) : SPoint{700, 500};
        D().Move(p.x, p.y);
        EXPECT_TRUE(RunUntil([&] { return Menu()->GetSideState(card) == Menu::SHOWN; }, 40));
        EXPECT_TRUE(RunUntil([&] { return Menu()->GetSideState(0) == Menu::HIDDEN || card == 0; }, 40));
        EXPECT_TRUE(D().Frame());
        return D().Pixels();
    }
    // The digits of `text` drawn at the places, from the ones digit leftwards.
    void ExpectDigits(const SFrame& f, const std::string& text, std::vector<SPoint> places) {
        for (size_t i = 0; i < text.size(); ++i) {
            const SPoint p = places[text.size() - 1 - i];
            EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kDigits, text[i] - '0', 0, p.x, p.y)) << text << " " << i;
        }
    }
    void ExpectSign(const SFrame& f, int cell, int32_t x, int32_t y) {
        EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kSigns, cell, 0, x, y)) << cell << " at " << x;
    }
};

TEST_F(CardTest, EveryCardDrawsItsFiguresAtTheirPlaces) {
    SStatusWords& w = kept->Status().Words();
    w.money = 1234567;
    w.stamina = 87;
    w.workAmount = 4321;
    w.evaluation = -56;
    w.abilityPoints = 142;
    kept->Status().SetParam(106, 12, 100);
    kept->Status().SetParam(106, 13, 7);
    kept->Status().SetParam(103, 4, 25);
    kept->Status().SetParam(107, 0, 3);
    const int32_t y = 116;
    // Card 0: everything else (no help).
    SFrame f = ShowCard(60, 0);
    EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kEmblems, 2, 0, 488, 32)) << "rank 2";
    EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kEmblems, 8, 0, 488, 108)) << "the epidemic's emblem";
    ExpectDigits(f, "4", {{533, 63}});
    ExpectDigits(f, "1234567", {{534, 90}, {522, 90}, {508, 90}, {496, 90}, {484, 90}, {470, 90}, {457, 90}});
    ExpectSign(f, 0, 548, 90);
    ExpectDigits(f, "87", {{710, y}, {697, y}});
    ExpectSign(f, 2, 723, y);
    ExpectDigits(f, "300", {{762, y}, {749, y}, {734, y}});
    // Card 1: work, the evaluation with its minus sign, the cost line.
    f = ShowCard(0, 1);
    ExpectDigits(f, "4321", {{547, 38}, {532, 38}, {517, 38}, {502, 38}});
    ExpectDigits(f, "56", {{547, 62}, {533, 62}});
    ExpectSign(f, 1, 518, 62);
    EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kLevels, 3, 0, 543, 88)) << "level 2";
    ExpectDigits(f, "8", {{710, y}});
    ExpectDigits(f, "87", {{762, y}, {749, y}});
    // Card 3: the gratitude of the friends.
    f = ShowCard(2, 3);
    ExpectDigits(f, "100", {{548, 38}, {533, 38}, {518, 38}});
    ExpectDigits(f, "7", {{548, 61}});
    ExpectDigits(f, "0", {{546, 88}});
    // Card 4: points modulo 100.
    f = ShowCard(3, 4);
    ExpectDigits(f, "42", {{547, 60}, {533, 58}});
    ExpectDigits(f, "5", {{710, y}});
    // Card 5: the shop's money.
    f = ShowCard(4, 5);
    ExpectDigits(f, "1234567", {{534, 37}, {522, 37}, {509, 37}, {497, 37}, {483, 37}, {468, 37}, {454, 37}});
    // Card 6: pay 120 and cost 8 at count 25, "10/87" below.
    f = ShowCard(5, 6);
    ExpectDigits(f, "120", {{544, 39}, {531, 39}, {518, 36}});
    ExpectSign(f, 1, 677, 35);
    ExpectDigits(f, "8", {{710, 36}});
    ExpectDigits(f, "10", {{494, 61}, {480, 61}});
    ExpectSign(f, 2, 508, 61);
    ExpectDigits(f, "87", {{547, 61}, {533, 61}});
    // Card 2: the friend stages.
    f = ShowCard(1, 2);
    EXPECT_TRUE(D().Probe().CornersAt(f, Menu::kStages, kept->Status().GetFriendStage(0), 0, 512, 32));
}

// A card slides in from its width to the right and above: it is drawn at (280 plus its
// horizontal offset, its vertical offset), and its figures keep their places against
// it.  Card 5 alone over black, stopped half-way; the money's digits are found as what
// changes on the card when the money does.
TEST_F(CardTest, ACardSlidesInFromTheTopRightWithItsFigures) {
    kept->Stage().SetLayerFill(CMainGameScene::kBackgroundLayer, 0xFF000000u);
    D().Move(700, 500);
    ASSERT_TRUE(D().Frame());
    int32_t cw = 0, ch = 0;
    D().Probe().CellSize(Menu::kCards, &cw, &ch);
    int steps = 0;
    auto slideIn = [&](int32_t money) {
        kept->Status().Words().money = money;
        for (int i = 0; i < Menu::kCardCount; ++i) Menu()->HideSidePicture(i);
        EXPECT_TRUE(RunUntil([&] {
            for (int i = 0; i < Menu::kCardCount; ++i) {
                if (Menu()->GetSideState(i) != Menu::HIDDEN) return false;
            }
            return true;
        }, 40));
        Menu()->ShowSidePicture(5);
        EXPECT_EQ(Menu()->GetSideShift(5), (SPoint{cw, -cw})) << "from its width right and above";
        if (steps == 0) {
            // Until the money's row (y 37 on the card) is on the screen.
            while (Menu()->GetSideShift(5).y < -30 && steps < Menu::kSideSteps) {
                EXPECT_TRUE(D().Frame());
                ++steps;
            }
        } else {
            EXPECT_TRUE(D().Frame(steps));
        }
        return D().Pixels();
    };
    const SFrame rich = slideIn(1234567);
    const SFrame poor = slideIn(2345678);
    const SPoint o = Menu()->GetSideShift(5);
    ASSERT_EQ(Menu()->GetSideState(5), Menu::SLIDING_IN);
    ASSERT_GT(o.x, 0);
    ASSERT_LT(o.y, 0);
    screentest::SVisible card;
    card.what = "card 5";
    card.sheet = Menu::kCards;
    card.column = 5;
    card.x = Menu::kCardX + o.x;
    card.y = o.y;
    card.veilAlpha = 255 - Menu()->GetSideAlpha(5);
    EXPECT_TRUE(D().Probe().ShowsAll(rich, {card}));
    // The digits: ones at (534, 37) leftwards to the millions at (454, 37), moved by o.
    screentest::SBox changed;
    for (int32_t y = 0; y < 200; ++y) {
        for (int32_t x = Menu::kCardX; x < 800; ++x) {
            if (rich.At(x, y) == poor.At(x, y)) continue;
            if (changed.empty) changed = {x, y, x + 1, y + 1, false};
            changed.left = std::min(changed.left, x);
            changed.top = std::min(changed.top, y);
            changed.right = std::max(changed.right, x + 1);
            changed.bottom = std::max(changed.bottom, y + 1);
        }
    }
    ASSERT_FALSE(changed.empty);
    int32_t dw = 0, dh = 0;
    D().Probe().CellSize(Menu::kDigits, &dw, &dh);
    EXPECT_EQ(changed.left, 454 + o.x);
    EXPECT_EQ(changed.top, 37 + o.y);
    EXPECT_EQ(changed.right, 534 + dw + o.x);
    EXPECT_EQ(changed.bottom, 37 + dh + o.y);
}

}  // namespace
