// The home menu frame by frame: the slide and input gates, the button rule, the panel
// states, the choices a click makes, help lines, highlights, the information pictures
// and the stage's input while a panel is open.
#include "tests/game/raising/home/HomeTestUtil.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "engine/draw/SceneManager.h"
#include "engine/file/TextReader.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"

namespace {

using namespace hometest;

class MenuTest : public HomeFixture {
protected:
    void SetUp() override {
        BuildHome(true, [](const std::string& folder) {
            std::string help;
            for (int n = 0; n < 29; ++n) {
                help += "line";
                help += std::to_string(n);
                help += '\n';
            }
            ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, CHomeHelpLines::kFile), {help.begin(), help.end()}));
        });
    }
    // Every panel item on offer: the story flag, the items and counters the rules ask for.
    void OpenEverything() {
        CStatus& s = kept->Status();
        for (auto [c, i] : {std::pair{1, 8}, {11, 0}, {12, 0}, {13, 0}, {14, 67}, {14, 68}}) s.SetParam(c, i, 1);
        for (int item : {2, 4, 5, 6, 7, 12, 18, 21}) s.SetParam(102, item, 1);
        s.SetParam(101, 0, 10);
        s.AddHousework(30.0f);
        s.SetParam(100, 9, 100);
    }
    // Opens panel state n and waits until its panel stands open.
    void OpenState(int32_t n) {
        Menu()->OpenPanelState(n);
        int panel = 0;
        int32_t type = 0;
        if (!CHomeScene::PanelOfState(n, &panel, &type)) return;
        ASSERT_TRUE(RunUntil([&] { return Menu()->GetPanel(panel).GetState() == CPanelState::STATE_OPEN; }, 40));
    }
    std::string WindowText() { return kept->Stage().GetWindow().GetCurrentLine().m_Text; }
};

TEST_F(MenuTest, NoInputBeforeTheSlideEndsNorWhilePanelsMove) {
    EnterHome();
    EXPECT_EQ(Menu()->GetSlideState(), CHomeScene::SLIDE_IN);
    ClickButton(0);
    EXPECT_EQ(Menu()->GetPanelState(), 0) << "still sliding in";
    ASSERT_TRUE(RunUntil([this] { return Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 25));
    EXPECT_EQ(Menu()->GetSlideOffset(), 0);
    D().Sounds().Take();
    D().Move(Menu()->GetButton(3).GetPosition().x + 4, Menu()->GetButton(3).GetPosition().y + 4);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch1"}) << "a new button under the pointer";
    ClickButton(0);
    EXPECT_EQ(Menu()->GetPanelState(), 1);
    EXPECT_EQ(Menu()->GetPanel(1).GetType(), 10);
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    // Cancel: back to the menu while panel 1 closes; its movement holds the buttons.
    D().Key(VKey::kEscape);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch2"});
    EXPECT_EQ(Menu()->GetPanelState(), 0);
    ASSERT_TRUE(Menu()->GetPanel(1).IsMoving());
    ClickButton(3);
    EXPECT_EQ(Menu()->GetPanelState(), 0);
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanel(1).IsMoving(); }, 40));
    ClickButton(3);
    EXPECT_EQ(Menu()->GetPanelState(), 7);
}

TEST_F(MenuTest, TheButtonRuleFollowsSatietyAndTheSeason) {
    EnterHome();
    struct Case {
        int32_t satiety, season;
        const char* enabled;  // buttons 0..6
    };
    const Case cases[] = {
        {14, 0, "0010011"}, {9, 0, "0000011"},  {15, 0, "1111011"}, {16, 7, "0010011"},
        {17, 7, "1111011"}, {11, 7, "0000011"}, {100, 3, "0000110"}, {0, 4, "0000110"},
    };
    for (const Case& c : cases) {
        kept->Status().SetParam(100, 9, c.satiety);
        kept->Status().SetParam(107, 0, c.season);
        Menu()->OpenPanelState(0);
        std::string got;
        for (int i = 0; i < CHomeScene::kButtonCount; ++i) got += Menu()->GetButton(i).IsEnabled() ? '1' : '0';
        EXPECT_EQ(got, c.enabled) << c.satiety << " " << c.season;
    }
}

TEST_F(MenuTest, EveryPanelStateShowsItsPanelType) {
    MenuReady();
    OpenEverything();
    for (int32_t n = 1; n <= 12; ++n) {
        int panel = 0;
        int32_t type = 0;
        ASSERT_TRUE(CHomeScene::PanelOfState(n, &panel, &type));
        OpenState(n);
        EXPECT_EQ(Menu()->GetPanelState(), n);
        EXPECT_EQ(Menu()->GetPanel(panel).GetType(), n + 9) << n;
        for (int k = panel + 1; k <= 3; ++k) EXPECT_FALSE(Menu()->GetPanel(k).IsOpen()) << n << " panel " << k;
    }
    OpenState(0);
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(Menu()->GetPanel(k).IsOpen());
}

TEST_F(MenuTest, OutingChoicesGiveTheirDestinations) {
    MenuReady();
    OpenEverything();
    struct Case {
        int category, item, sub, destination;
    };
    const Case cases[] = {{0, 0, -1, 0},  {0, 3, -1, 3},  {0, 5, -1, 5},  {1, 0, -1, 6},  {1, 3, -1, 9},
                          {2, 0, -1, 10}, {2, 3, -1, 13}, {0, 1, 0, 14},  {0, 1, 1, 15},  {0, 2, 0, 16},
                          {0, 2, 1, 17}};
    for (const Case& c : cases) {
        ASSERT_TRUE(RunUntil([this] { return Menu() && Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 60));
        kept->State().m_OutingDestination = -1;
        ClickButton(1);
        ClickItem(1, c.category);
        ClickItem(2, c.item);
        if (c.sub >= 0) {
            ASSERT_TRUE(RunUntil([&] { return Menu()->GetPanel(3).GetState() == CPanelState::STATE_OPEN; }, 40));
            // One BACK shows, the two choices' own: the destinations' under them, at (592,
            // 384), is left out and their panel shows there.
            EXPECT_EQ(probe.At(D().Pixels(), 592 + 32, 384 + 12).sheet, "obj\\m000_014.bmp") << c.item;
            ClickItem(3, c.sub);
        }
        EXPECT_EQ(kept->State().m_OutingDestination, c.destination) << c.category << " " << c.item << " " << c.sub;
        EXPECT_EQ(Host()->GetHomeMode(), 8);
        EXPECT_EQ(kept->State().m_HomeMode, 8);
        Host()->StartHomeMode(0, 0, 0);
        ASSERT_TRUE(D().Frame());
    }
}

TEST_F(MenuTest, ChoicesStartTheirRelays) {
    MenuReady();
    OpenEverything();
    struct Case {
        int button, item;
        int32_t relay;
        int32_t CGameState::*word;
    };
    const Case cases[] = {{0, 2, 7, &CGameState::m_HouseworkKind}, {2, 1, 10, &CGameState::m_RestChoice},
                          {3, 5, 9, &CGameState::m_RoomPlay}};
    for (const Case& c : cases) {
        ASSERT_TRUE(RunUntil([this] { return Menu() && Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 60));
        ClickButton(c.button);
        ClickItem(1, c.item);
        EXPECT_EQ(kept->State().*c.word, c.item);
        EXPECT_EQ(Host()->GetHomeMode(), c.relay);
        Host()->StartHomeMode(0, 0, 0);
        ASSERT_TRUE(D().Frame());
    }
    // Nursing is offered under a cold.
    ASSERT_TRUE(RunUntil([this] { return Menu() && Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 60));
    kept->Status().SetParam(107, 0, 4);
    Menu()->OpenPanelState(0);
    ClickButton(4);
    ClickItem(1, 0);
    EXPECT_EQ(Host()->GetHomeMode(), 11);
    // The relay clears the stage and starts nursing with a fade.
    ASSERT_TRUE(RunUntil([this] { return Host()->GetHomeMode() == 5; }, 60));
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(Host()->IsHomeInTransition());
    EXPECT_NE(dynamic_cast<CNursingMode*>(Host()->GetCurrentSideMode()), nullptr);
}

TEST_F(MenuTest, DataItemsCallTheStatusPagesKeepingTheGame) {
    for (int item : {0, 1}) {
        MenuReady();
        ClickButton(5);
        ClickItem(1, item);
        ASSERT_TRUE(D().Frame());
        CSceneManager& top = D().Game().GetSceneManager();
        EXPECT_EQ(top.GetCurrentSceneId(), item == 0 ? 24 : 25);
        EXPECT_EQ(top.GetReturnStackDepth(), 1u) << "the in-game scene waits under it";
        RequestReturnScene(0, 0);
        ASSERT_TRUE(D().Frame(2));
        ASSERT_EQ(top.GetCurrentSceneId(), 19);
        kept->ClearMode();
        ASSERT_TRUE(D().Frame());
    }
}

TEST_F(MenuTest, TheEndButtonAsksOnlyWithTheConfirmationSwitch) {
    MenuReady();
    ASSERT_TRUE(D().Game().GetSystemData().IsConfirmOn());
    ClickButton(6);
    EXPECT_EQ(Menu()->GetPanelState(), 10);
    ClickItem(1, 1);
    EXPECT_EQ(Menu()->GetPanelState(), 0) << "no: back to the menu";
    ASSERT_TRUE(RunUntil([this] { return !Menu()->GetPanel(1).IsMoving(); }, 40));
    ClickButton(6);
    ClickItem(1, 0);
    EXPECT_EQ(Host()->GetHomeMode(), CHomeModeFactory::kLeave);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Host()->GetSideManager().GetTransitionIndex(), 1);
    // The leave mode fades the music, then in-game mode 17 ends.
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 60));
    EXPECT_FALSE(kept->Stage().IsSkipStopLocked()) << "cancel stops skipping again after the home side";

    D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 0);
    MenuReady();
    ClickButton(6);
    EXPECT_EQ(Host()->GetHomeMode(), CHomeModeFactory::kLeave) << "leaves at once";
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(Host()->IsHomeInTransition());
}

TEST_F(MenuTest, HelpLinesAndTheButtonsHelpTexts) {
    MenuReady();
    OpenEverything();
    // Each button's own text, as Shift-JIS bytes ("ピ" is 83 73, "体" 91 CC, "様" 97 6C, "自" 8E A9).
    const std::pair<int, std::string> firstChars[] = {{0, "\x83\x73"}, {4, "\x91\xCC"}, {5, "\x97\x6C"}, {6, "\x8E\xA9"}};
    for (const auto& [button, bytes] : firstChars) {
        D().Move(Menu()->GetButton(button).GetPosition().x + 4, Menu()->GetButton(button).GetPosition().y + 4);
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(Menu()->GetHelpIndex(), button == 4 ? -1 : button) << "nursing is disabled without an illness";
        if (button == 4) continue;
        EXPECT_EQ(WindowText(), CHomeScene::HelpText(button));
        EXPECT_EQ(WindowText().substr(0, 2), bytes);
    }
    EXPECT_EQ(std::string(CHomeScene::HelpText(7)), "");
    // Hovering the items of each panel state sounds channel 1 and shows its help line;
    // the outing categories (state 2, line -1) show an empty line and light picture
    // 2, 3 or 4 alone.
    struct Case {
        int32_t state;
        int panel, item;
        int32_t line;
        int picture = -1;
    };
    const Case cases[] = {{1, 1, 0, 0},     {1, 1, 2, 2},     {2, 1, 0, -1, 2}, {2, 1, 1, -1, 3}, {2, 1, 2, -1, 4},
                          {6, 1, 0, 3},     {6, 1, 1, 4},     {7, 1, 0, 6},     {7, 1, 5, 11},    {8, 1, 0, 12},
                          {3, 2, 0, 13},    {3, 2, 3, 14},    {3, 2, 5, 16},    {4, 2, 0, 17},    {4, 2, 3, 20},
                          {5, 2, 0, 21},    {5, 2, 3, 24},    {11, 3, 0, 25},   {11, 3, 1, 26},   {12, 3, 0, 27},
                          {12, 3, 1, 28}};
    for (const Case& c : cases) {
        if (c.state == 3 || c.state == 4 || c.state == 5) OpenState(2);
        if (c.state >= 11) OpenState(3);
        if (c.state == 8) kept->Status().SetParam(107, 0, 3);
        OpenState(c.state);
        D().Move(0, 0);
        ASSERT_TRUE(D().Frame());
        const SPoint p = Menu()->GetPanel(c.panel).GetItemHome(c.item);
        D().Sounds().Take();
        D().Move(p.x + 4, p.y + 4);
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch1"}) << c.state << " " << c.item;
        EXPECT_EQ(Menu()->GetHelpLine(), c.line) << c.state << " " << c.item;
        EXPECT_EQ(WindowText(), c.line < 0 ? "" : "line" + std::to_string(c.line)) << c.state << " " << c.item;
        for (int p = 2; p <= 4 && c.picture >= 0; ++p) {
            const int light = Menu()->GetHighlight(p);
            EXPECT_EQ(light == CHomeScene::LIGHT_IN || light == CHomeScene::LIGHT_ON, p == c.picture) << c.item << " " << p;
        }
        kept->Status().SetParam(107, 0, 0);
    }
}

// A tap (move and press in one frame) after resting on another control shows the tapped
// one's help, with the decide sound alone; back on housework after an item's line
// (pressed, item 0 pointed at, back on it, Esc) shows housework's text again.
TEST_F(MenuTest, ATapShowsTheTappedControlsHelpAndAButtonItsTextAfterALine) {
    MenuReady();
    OpenEverything();
    auto rest = [this](SPoint p) {
        D().Move(p.x + 4, p.y + 4);
        ASSERT_TRUE(D().Frame());
        D().Sounds().Take();
    };
    const SPoint housework = Menu()->GetButton(0).GetPosition();
    rest(housework);
    ClickButton(0);
    ASSERT_TRUE(RunUntil([this] { return Menu()->GetPanel(1).GetState() == CPanelState::STATE_OPEN; }, 40));
    rest(Menu()->GetPanel(1).GetItemHome(0));
    EXPECT_EQ(WindowText(), "line0");
    rest(housework);
    D().Key(VKey::kEscape);
    ASSERT_TRUE(RunUntil([this] { return Menu()->GetPanelState() == 0 && !Menu()->GetPanel(1).IsMoving(); }, 40));
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(WindowText(), "ピコネ達と楽しく家事をすることが出来ます。");

    rest(Menu()->GetButton(2).GetPosition());
    ClickButton(3);
    EXPECT_EQ(Menu()->GetHelpIndex(), 3);
    EXPECT_EQ(WindowText(), "ピコネ達と部屋の中で楽しく過ごすことが出来ます。");
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    ASSERT_TRUE(RunUntil([this] { return Menu()->GetPanel(1).GetState() == CPanelState::STATE_OPEN; }, 40));
    rest(Menu()->GetPanel(1).GetItemHome(0));
    ClickAt(Menu()->GetPanel(1).GetItemHome(5));
    EXPECT_EQ(WindowText(), "line11") << "room play 5";
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
}

// Pointing at a control and then pressing it where it stands shows its help once: the
// window's log holds a button's text or an item's line once.
TEST_F(MenuTest, PointingAtAControlThenPressingItShowsItsHelpOnce) {
    MenuReady();
    OpenEverything();
    struct Case {
        int32_t state;  // 0: a button of the menu, else the panel state of a list
        int panel, item;
        std::string help;
    };
    const Case cases[] = {{0, 0, 3, CHomeScene::HelpText(3)}, {7, 1, 5, "line11"}, {4, 2, 0, "line17"}};
    for (const Case& c : cases) {
        if (c.state == 4) OpenState(2);
        if (c.state != 0) OpenState(c.state);
        const SPoint p =
            c.state == 0 ? Menu()->GetButton(c.item).GetPosition() : Menu()->GetPanel(c.panel).GetItemHome(c.item);
        D().Move(p.x + 4, p.y + 4);
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(WindowText(), c.help) << c.state << " " << c.item;
        D().Press();
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(Logged(c.help), 1) << c.state << " " << c.item;
        if (c.state == 0) continue;
        // The item started its action: back on the menu once it has run.
        ASSERT_TRUE(BackOnMenu());
        ASSERT_TRUE(RunUntil([this] { return Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 40));
    }
}

TEST_F(MenuTest, HighlightsFollowTheHelpAndReverseMidFade) {
    MenuReady();
    EXPECT_EQ(Menu()->GetHighlight(0), CHomeScene::LIGHT_ON);
    const SPoint b0 = Menu()->GetButton(0).GetPosition();
    D().Move(b0.x + 4, b0.y + 4);
    ASSERT_TRUE(D().Frame(5));
    EXPECT_EQ(Menu()->GetHighlight(1), CHomeScene::LIGHT_IN);
    EXPECT_EQ(Menu()->GetHighlight(0), CHomeScene::LIGHT_OUT);
    const int32_t step = Menu()->GetPictureStep(1);
    const int32_t alpha = Menu()->GetPictureAlpha(1);
    // Moving on to the rest button: picture 1 turns back from where it stood.
    const SPoint b2 = Menu()->GetButton(2).GetPosition();
    Menu()->UnhighlightPicture(1);
    EXPECT_EQ(Menu()->GetHighlight(1), CHomeScene::LIGHT_OUT);
    EXPECT_EQ(Menu()->GetPictureStep(1), CHomeScene::kHighlightSteps - step);
    EXPECT_EQ(Menu()->GetPictureAlpha(1), alpha);
    Menu()->HighlightPicture(1);
    EXPECT_EQ(Menu()->GetPictureStep(1), step);
    D().Move(b2.x + 4, b2.y + 4);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Menu()->GetHighlight(6), CHomeScene::LIGHT_IN);
    EXPECT_EQ(Menu()->GetHighlight(1), CHomeScene::LIGHT_OUT);
    ASSERT_TRUE(D().Frame(16));
    EXPECT_EQ(Menu()->GetHighlight(1), CHomeScene::LIGHT_OFF);
    EXPECT_EQ(Menu()->GetHighlight(6), CHomeScene::LIGHT_ON);
    // Off every button: picture 0 again.
    D().Move(790, 590);
    ASSERT_TRUE(D().Frame(16));
    EXPECT_EQ(Menu()->GetHelpIndex(), -1);
    EXPECT_EQ(Menu()->GetHighlight(0), CHomeScene::LIGHT_ON);
    EXPECT_EQ(Menu()->GetHighlight(6), CHomeScene::LIGHT_OFF);
}

TEST_F(MenuTest, InformationPicturesShowTheirNumbers) {
    CStatus& s = kept->Status();
    s.SetParam(100, 9, 100);
    s.SetParam(100, 10, 200);
    s.SetParam(108, 3, 50);
    MenuReady();
    ASSERT_TRUE(D().Frame(16));
    const std::string digits = CHomeScene::kDigitSheet;
    screentest::SFrame f = D().Pixels();
    auto digitAt = [&](int32_t d, int32_t x, int32_t y) { return probe.CornersAt(f, digits, d, 0, x, y); };
    auto noDigitAt = [&](int32_t x, int32_t y) { return probe.At(f, x, y).sheet != digits; };
    EXPECT_TRUE(probe.ShowsCellAt(f, CHomeScene::kSatietyPicture, 0, 0, 280, 0));
    // Satiety copy 100, growth 200 (no thousands), satiety 50 % (no hundreds), face 7.
    EXPECT_TRUE(digitAt(1, 636, 38));
    EXPECT_TRUE(digitAt(0, 651, 35));
    EXPECT_TRUE(digitAt(0, 666, 36));
    EXPECT_TRUE(noDigitAt(621, 87));
    EXPECT_TRUE(digitAt(2, 636, 88));
    EXPECT_TRUE(noDigitAt(621, 113));
    EXPECT_TRUE(digitAt(5, 636, 114));
    EXPECT_TRUE(digitAt(0, 651, 111));
    EXPECT_TRUE(probe.ShowsCellAt(f, CHomeScene::kFaceSheet, 7, 0, 620, 58));

    // Housework: first count 12345, second 7, cost 15, or 17 under 添い寝神.
    for (int32_t season : {0, 7}) {
        s.SetParam(107, 0, season);
        s.SetParam(101, 2, 12345);
        s.SetParam(101, 3, 3);
        s.SetParam(101, 4, 4);
        s.SetParam(100, 9, 80);
        const SPoint b0 = Menu()->GetButton(0).GetPosition();
        D().Move(b0.x + 4, b0.y + 4);
        ASSERT_TRUE(D().Frame(17));
        f = D().Pixels();
        const int32_t places[5] = {639, 654, 670, 685, 700};
        const int32_t rows[5] = {36, 37, 38, 35, 36};
        for (int k = 0; k < 5; ++k) EXPECT_TRUE(digitAt(k + 1, places[k], rows[k])) << k;
        EXPECT_TRUE(noDigitAt(685, 59));
        EXPECT_TRUE(digitAt(7, 700, 60));
        EXPECT_TRUE(digitAt(1, 639, 87));
        EXPECT_TRUE(digitAt(season == 7 ? 7 : 5, 654, 88)) << season;
        EXPECT_TRUE(probe.ShowsCellAt(f, CHomeScene::kMarkSheet, 2, 0, 667, 89));
        EXPECT_TRUE(digitAt(8, 700, 87));
        EXPECT_TRUE(digitAt(0, 715, 85));
        D().Move(790, 590);
        ASSERT_TRUE(D().Frame(17));
    }
    // The face follows the season first, then the satiety percentage.
    const std::pair<std::pair<int32_t, int32_t>, int32_t> faces[] = {
        {{3, 0}, 0}, {{4, 0}, 1}, {{7, 0}, 2}, {{6, 0}, 3}, {{8, 0}, 4}, {{0, 20}, 5},
        {{1, 40}, 6}, {{2, 60}, 7}, {{0, 80}, 8}, {{0, 100}, 9}, {{0, 101}, 0}};
    for (const auto& [in, cell] : faces) EXPECT_EQ(CHomeScene::FaceCell(in.first, in.second), cell);
}

TEST_F(MenuTest, CostsOfTheOutingPictures) {
    CStatus& s = kept->Status();
    for (int32_t season : {0, 7}) {
        s.SetParam(107, 0, season);
        const int32_t extra = season == 7 ? 2 : 0;
        const int32_t want[7] = {0, 15, 15, 20, 25, 15, 10};
        for (int i = 1; i <= 6; ++i) {
            int32_t first = 0, second = 0, cost = 0;
            CHomeScene::PictureValues(s, i, &first, &second, &cost);
            EXPECT_EQ(cost, want[i] + extra) << i;
        }
    }
    s.Words().outingCounter[4] = 2;
    s.Words().outingCounter[5] = 3;
    s.Words().outingCounter[0] = 1;
    s.Words().outingCounter[13] = 1;
    s.Words().outingCounter[15] = 9;
    int32_t first = 0, second = 0, cost = 0;
    CHomeScene::PictureValues(s, 3, &first, &second, &cost);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 5);
}

TEST_F(MenuTest, TheMusicIsNotRestartedWhenAlreadyPlaying) {
    CMainGameScene& stage = kept->Stage();
    stage.LoadSlot(0, 4, "BGM\\BGM_001.OGG");
    stage.PlaySlot(0, 4, 0, 0);
    EnterHome();
    EXPECT_EQ(stage.GetRecord().GetSoundSlot(0, 0)->playing, 0) << "slot 4 already plays it";
    stage.StopSoundGroup(0, 0);
    Host()->StartHomeMode(0, 0, 0);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(stage.GetRecord().GetSoundSlot(0, 0)->playing, 1);
    EXPECT_EQ(stage.GetRecord().GetSoundSlot(0, 0)->volume, CHomeScene::kMusicVolume);
}

TEST_F(MenuTest, TheStageTakesNoPressWhileAPanelIsOpen) {
    MenuReady();
    ClickButton(2);
    ASSERT_EQ(Menu()->GetPanelState(), 6);
    CGameMain& game = D().Game();
    D().Click(700, 560);
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(game.GetMouse().IsPressed(CMouse::kLeft)) << "the press was taken away before the stage ran";
    EXPECT_EQ(game.GetMouse().GetSuppressCount(), 0);
    EXPECT_EQ(game.GetKeyboard().GetSuppressCount(), 0);
}

// The message window draws the menu: hiding the window (the right button under
// right-click setting 0, as the window's own hide button does) takes the menu with it,
// where it once stayed on screen frozen; the click that brings the window back brings
// the menu back.
TEST_F(MenuTest, TheMenuGoesAndComesBackWithTheMessageWindow) {
    MenuReady();
    ASSERT_TRUE(RunUntil([this] { return !kept->Stage().GetWindow().IsBoxMoving(); }, 60));
    D().Game().GetSystemData().m_CancelAction = 0;
    const SRect data = Menu()->GetButton(5).GetRect();
    const int32_t x = (data.left + data.right) / 2;
    const int32_t y = (data.top + data.bottom) / 2;
    auto shown = [&] {
        D().Move(799, 5);
        EXPECT_TRUE(D().Frame());
        return probe.At(D().Pixels(), x, y).sheet == CHomeScene::kButtonPictures[5];
    };
    ASSERT_TRUE(shown());
    D().Press(CMouse::kRight);
    ASSERT_TRUE(D().Frame());
    ASSERT_FALSE(kept->Stage().IsWindowShownByPlayer());
    EXPECT_FALSE(shown());
    EXPECT_FALSE(shown()) << "while the window stays hidden";
    D().Press(CMouse::kLeft);
    ASSERT_TRUE(D().Frame());
    ASSERT_TRUE(kept->Stage().IsWindowShownByPlayer());
    EXPECT_TRUE(shown());
    EXPECT_EQ(Menu()->GetPanelState(), 0) << "the click that showed the window did nothing else";
}

TEST_F(MenuTest, MoreThanAHundredHelpLinesKeepTheFirstHundred) {
    std::string text;
    for (int n = 0; n < 105; ++n) {
        text += 'h';
        text += std::to_string(n);
        text += "\\x\n";
    }
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(D().Folder(), CHomeHelpLines::kFile), {text.begin(), text.end()}));
    CHomeHelpLines& lines = CHomeHelpLines::Shared();
    log.Clear();
    lines.Load();
    EXPECT_EQ(lines.Get(0), "h0\nx");
    EXPECT_EQ(lines.Get(99), "h99\nx");
    EXPECT_EQ(lines.Get(100), "");
    EXPECT_TRUE(log.Contains("CHomeHelpLines::Load()"));
    // A backslash that is the second byte of a double-byte character stays ("ソ" is 83 5C).
    EXPECT_EQ(CHomeHelpLines::BreakLines("\x83\x5C\\a"), "\x83\x5C\na");
}

// One field a line, as the mansion's help tables read theirs.
TEST(HomeHelpLines, AHelpEndsAtACommaKeepsItsBlanksAndEmptyLinesAreSkipped) {
    CTextReader reader;
    ASSERT_TRUE(reader.SetText(std::string("first, cut here\r\n\r\n  blanks kept  \r\nback\\slash,\r\n")));
    std::array<std::string, CHomeHelpLines::kCount> lines;
    EXPECT_EQ(CHomeHelpLines::Parse(reader, &lines), 3);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1], "  blanks kept  ");
    EXPECT_EQ(lines[2], "back\nslash");
}

}  // namespace
