// The letter scene frame by frame over a recording stand-in of the in-game scene: the
// first reading, a letter read before with its panel, the paths without a letter, the
// skip inputs, the voice switch and auto mode, and a restore in every state.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SystemData.h"
#include "game/raising/letter/LetterList.h"
#include "game/raising/letter/LetterScene.h"
#include "tests/game/raising/letter/LetterTestHost.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/SoundFiles.h"

using lettertest::CFakeLetterHost;

namespace {

// The mode host as the in-game scene runs it: the letter steps only in frames in which
// the stage does not hold the screen.
class CHostScene : public CSceneBase {
public:
    CHostScene(CGameMain& game, CFakeLetterHost& host)
        : m_Game(game), m_Host(host), letter(std::make_unique<CLetterScene>(game, host)) {}
    void Load() override { letter->Load(); }
    void Update() override {
        if (!m_Host.Step()) letter->Update();
    }
    void Draw() override { letter->Draw(); }
    // A new scene filled from saved words, as a restored game builds its mode.
    void Restore(const CGameState& saved) {
        letter = std::make_unique<CLetterScene>(m_Game, m_Host);
        letter->Load();
        letter->LoadState(saved);
    }

private:
    CGameMain& m_Game;
    CFakeLetterHost& m_Host;

public:
    std::unique_ptr<CLetterScene> letter;
};

class CHostFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id != 19) return nullptr;
        auto scene = std::make_unique<CHostScene>(*game, *host);
        current = scene.get();
        return scene;
    }
    CGameMain* game = nullptr;
    CFakeLetterHost* host = nullptr;
    CHostScene* current = nullptr;
};

const char* const kTable =
    "scr\\letter\\a.txt,obj\\letter\\a.bmp,lu1_a/lu1_b/\n"
    "scr\\letter\\nopic.txt,,lu1_a\n";
const char* const kOpening = "ShowMessage ソラン 「ピコネからの手紙だ……なにが書いてあるのかな？」";
const char* const kClosing = "ShowMessage ソラン 「ピコネ……」";

class LetterSceneTest : public ::testing::Test {
protected:
    LetterSceneTest() {
        screentest::CGameDriver::SSetup setup;
        setup.sceneFactory = &m_Factory;
        setup.prepare = [](const std::string& folder) {
            const std::string text = kTable;
            testsupport::MakeParentDirs(folder + "cfg/letter.csv");
            testsupport::WriteFileBytes(folder + "cfg/letter.csv", std::vector<uint8_t>(text.begin(), text.end()));
            testsupport::MakeParentDirs(folder + "voice/x");
            testsupport::WriteFileBytes(folder + "voice/lu1_a.ogg", kit::MakeShortWave(1, 1500));
        };
        SetDebugOutputEnabled(false);
        d = std::make_unique<screentest::CGameDriver>(setup);
        d->Probe().Write(d->Folder(), kit::MakeSheet("obj\\t001_000.bmp", 352, 200));
        d->Probe().Write(d->Folder(), kit::MakeSheet("obj\\b000_011.bmp", 256, 160, 2, 5));
        CLetterList::GetInstance().Load("cfg\\letter.csv");
        host = std::make_unique<CFakeLetterHost>(d->Game());
        m_Factory.game = &d->Game();
        m_Factory.host = host.get();
        host->AddRow(1, "scr\\letter\\a.txt");
        host->AddRow(2, "scr\\letter\\missing.txt");
        host->AddRow(3, "scr\\letter\\nopic.txt");
        host->AddRow(4, "scr\\letter\\follow.txt", 1);
        host->AddRow(5, "scr\\letter\\a.txt", 2);
    }
    ~LetterSceneTest() override { SetDebugOutputEnabled(true); }

    void Open() {
        d->Start(19);
        d->Frame();
    }
    CLetterScene& Letter() { return *m_Factory.current->letter; }
    int32_t State() { return Letter().GetState(); }
    // Frames until the state is `state`, noting every state passed; false when it is
    // not reached within `limit` frames.
    bool RunTo(int32_t state, int limit = 400) {
        for (int i = 0; i < limit && State() != state; ++i) {
            d->Frame();
            if (visited.empty() || visited.back() != State()) visited.push_back(State());
        }
        return State() == state;
    }
    bool Called(const std::vector<std::string>& calls, const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    void ClickButton(int i) {
        d->Move(280, 208 + 40 * i);
        d->Frame();
        d->Click(280, 208 + 40 * i);
        d->Frame();
    }

    CHostFactory m_Factory;
    std::unique_ptr<screentest::CGameDriver> d;
    std::unique_ptr<CFakeLetterHost> host;
    std::vector<int32_t> visited;
};

}  // namespace

TEST_F(LetterSceneTest, FirstReadingShowsTheLetterAndPlaysItsEventAndFollowUp) {
    host->selections = {1};
    Open();
    ASSERT_TRUE(RunTo(6));
    d->Frame(10);
    EXPECT_EQ(State(), 6) << "the letter waits for the player";
    d->Key(VKey::kSpace);
    ASSERT_TRUE(RunTo(53));
    d->Frame(5);
    EXPECT_EQ(State(), 53) << "idle once the mode is ended";
    EXPECT_EQ(visited, (std::vector<int32_t>{1, 200, 201, 2, 3, 4, 5, 6, 7, 30, 31, 32, 33, 34, 50, 51, 52, 53}));
    const std::vector<std::string> want = {
        "SelectEventRow 23 1",
        "ClearToBlackAlt",
        "ShowLayerImageAlt 100 obj\\letter\\t000_000.bmp",
        "StartScreenChange 1 60",
        "SetMessageOff",
        kOpening,
        "SetMessageOff",
        "ShowLayerImageAlt 100 obj\\letter\\t000_001.bmp",
        "StartScreenChangeAlt 1 30",
        "ShowLayerImageAlt 100 obj\\letter\\a.bmp",
        "StartScreenChange 1 60",
        "PlaySound 2 0 [voice\\lu1_a.ogg\nvoice\\lu1_b.ogg\n]",
        "SetSlotVolume 2 0 100",
        "SetSlotPan 2 0 0",
        "PlaySlot 2 0 1 0",
        "StopSlot 2 0 500",
        "StartEventById 1 23 1",
        "StartEvent 23 1 restricted 1",
        "ClearToBlackAlt",
        "StartScreenChange 1 60",
        "SetMessageOff",
        "ClearMode",
    };
    EXPECT_EQ(host->Take(), want);
    EXPECT_TRUE(host->state.GetStatus().HasReadLetter("obj\\letter\\a.bmp"));
    EXPECT_EQ(host->state.GetStatus().Words().outcomeRestricted, 0);
}

TEST_F(LetterSceneTest, AFollowUpPlaysOnlyAfterALetterEventOfClassZero) {
    host->selections = {5};  // the same letter, its row of class 2
    Open();
    ASSERT_TRUE(RunTo(6));
    d->Game().GetKeyboard().KeyDown(VKey::kControl);
    ASSERT_TRUE(RunTo(53));
    const std::vector<std::string> calls = host->Take();
    EXPECT_TRUE(Called(calls, "StartEventById 5 23 1"));
    EXPECT_FALSE(Called(calls, "StartEvent 23 1 restricted 1"));
    EXPECT_EQ(std::count(visited.begin(), visited.end(), 33), 0);
}

TEST_F(LetterSceneTest, NoLetterEventEndsTheModeAtOnce) {
    Open();
    EXPECT_EQ(State(), CLetterScene::kNoLetter);
    d->Frame(5);
    EXPECT_EQ(host->Take(), (std::vector<std::string>{"SelectEventRow 23 1", "ClearMode"}));
    EXPECT_EQ(host->state.GetStatus().Words().outcomeRestricted, 0);
}

TEST_F(LetterSceneTest, ALetterMissingFromTheTableOrWithoutPicturePlaysItsEventAlone) {
    for (int32_t id : {2, 3}) {
        SCOPED_TRACE(id);
        host->selections = {id};
        host->Take();
        visited.clear();
        Open();
        EXPECT_EQ(State(), 101);
        ASSERT_TRUE(RunTo(105));
        EXPECT_EQ(visited, (std::vector<int32_t>{101, 102, 103, 104, 105}));
        EXPECT_EQ(host->Take(), (std::vector<std::string>{"SelectEventRow 23 1", FormatString("StartEventById %d 23 1", id),
                                                          "StartEvent 23 1 restricted 1", "ClearMode"}));
        EXPECT_EQ(host->state.GetStatus().Words().outcomeRestricted, 0);
    }
}

TEST_F(LetterSceneTest, ALetterReadBeforeOffersToReplayOrToEndTheMonth) {
    const struct {
        int button;
        std::deque<int32_t> selections;
        std::vector<int32_t> after;
        std::vector<std::string> calls;
    } cases[] = {
        {0, {1}, {22, 30, 31, 32, 33, 34, 50, 51, 52, 53}, {"StartEventById 1 23 1", "StartEvent 23 1 restricted 1"}},
        {1, {1, 4}, {23, 40, 41, 42, 43, 46, 50, 51, 52, 53},
         {"EndMonth 1 (23, 1)", "ApplyEventSettings 1 (23, 1)", "SelectEventRow 23 1", "EndMonth 4 (23, 1)", "ApplyEventSettings 4 (23, 1)", kClosing}},
        {1, {1}, {23, 40, 41, 42, 46, 50, 51, 52, 53},
         {"EndMonth 1 (23, 1)", "ApplyEventSettings 1 (23, 1)", "SelectEventRow 23 1", kClosing}},
        {1, {5}, {23, 40, 45, 46, 50, 51, 52, 53}, {"EndMonth 5 (23, 1)", "ApplyEventSettings 5 (23, 1)", kClosing}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after.size() * 10 + c.button);
        host->state.GetStatus().AddReadLetter("obj\\letter\\a.bmp");
        host->selections = c.selections;
        Open();
        ASSERT_TRUE(RunTo(6));
        d->Key(VKey::kSpace);
        ASSERT_TRUE(RunTo(CLetterScene::kPanelShown));
        std::vector<std::string> calls = host->Take();
        EXPECT_TRUE(Called(calls, "StartScreenChange 1 30")) << "the paper of a letter read before may be cut short";
        d->Move(10, 10);
        d->Frame(12);  // the panel opens
        d->Sounds().Take();
        ClickButton(c.button);
        EXPECT_EQ(d->Sounds().Take(), (std::vector<std::string>{"ch1", "ch0"}));
        visited.clear();
        ASSERT_TRUE(RunTo(53));
        EXPECT_EQ(visited, c.after);
        calls = host->Take();
        calls.erase(std::remove_if(calls.begin(), calls.end(),
                                   [](const std::string& s) {
                                       return s.rfind("StartEvent", 0) != 0 && s.rfind("EndMonth", 0) != 0 &&
                                              s.rfind("Apply", 0) != 0 && s.rfind("Select", 0) != 0 &&
                                              s.rfind("ShowMessage", 0) != 0;
                                   }),
                    calls.end());
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(host->pending, nullptr);
        EXPECT_EQ(host->state.m_EventKind * 100 + host->state.m_EventSub, 0);
        EXPECT_EQ(host->state.GetStatus().Words().outcomeRestricted, 0);
    }
}

TEST_F(LetterSceneTest, SkipInputsEndTheLetterPicturesFadeIn) {
    const struct {
        int32_t skipMode;
        bool skipping, readBefore, ctrl, decide, ends;
    } cases[] = {
        {0, true, false, false, false, true},  {1, true, false, false, false, false}, {1, true, true, false, false, true},
        {1, false, false, true, false, true},  {1, false, false, false, true, true},  {0, false, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.skipMode << c.skipping << c.readBefore << c.ctrl << c.decide);
        if (c.readBefore) host->state.GetStatus().AddReadLetter("obj\\letter\\a.bmp");
        host->selections = {1};
        d->Game().GetSystemData().m_SkipMode = c.skipMode;
        Open();
        ASSERT_TRUE(RunTo(5));
        ASSERT_TRUE(host->IsScreenChangeRunning());
        host->skipping = c.skipping;
        if (c.ctrl) d->Game().GetKeyboard().KeyDown(VKey::kControl);
        if (c.decide) d->Key(VKey::kSpace);
        host->Take();
        d->Frame();
        EXPECT_EQ(Called(host->Take(), "FinishScreenChange"), c.ends);
        EXPECT_EQ(State(), c.ends ? 6 : 5);
        host->skipping = false;
        d->Game().GetKeyboard().KeyUp(VKey::kControl);
        d->Frame();
        host->state = CGameState();
    }
}

TEST_F(LetterSceneTest, TheVoiceSwitchAndAutoModeDecideHowTheLetterIsLeft) {
    const struct {
        uint8_t voice, autoMode;
        int waits;  // frames the letter stays before it is left by itself; -1 never
    } cases[] = {{0, 0, -1}, {0, 1, 1}, {1, 1, 30}};  // the voice: 90 frames from the 60-frame fade-in
    for (const auto& c : cases) {
        SCOPED_TRACE(c.voice * 10 + c.autoMode);
        d->Game().GetSystemData().SetVoiceSwitch(0, c.voice);
        d->Game().GetSystemData().m_AutoMode = c.autoMode;
        host->selections = {1};
        host->Take();
        Open();
        ASSERT_TRUE(RunTo(6));
        EXPECT_EQ(Called(host->Take(), "PlaySlot 2 0 1 0"), c.voice != 0) << "the girl's switch";
        int waited = 0;
        while (State() == 6 && waited < 120) {
            d->Frame();
            ++waited;
        }
        if (c.waits < 0) {
            EXPECT_EQ(State(), 6);
            d->Game().GetKeyboard().KeyDown(VKey::kControl);
            d->Frame();
            d->Game().GetKeyboard().KeyUp(VKey::kControl);
            EXPECT_EQ(State(), 7);
        } else {
            EXPECT_NE(State(), 6);
            EXPECT_GE(waited, c.waits);
            EXPECT_LE(waited, c.waits + 3);
        }
    }
}

TEST_F(LetterSceneTest, ARestoreResumesEveryStateWithTheSavedLetter) {
    Open();  // no letter event this month: a fresh choice would end the mode
    const int32_t states[] = {0, 1, 200, 201, 2, 3, 4, 5, 6, 7, 20, 21, 22, 23, 30, 31, 32, 33, 34,
                              40, 41, 42, 43, 45, 46, 50, 51, 52, 100, 101, 102, 103, 104};
    for (int32_t s : states) {
        SCOPED_TRACE(s);
        host->state = CGameState();
        CGameState saved;
        saved.SetModeWord(CLetterScene::kModeId, 0, s);
        saved.SetModeWord(CLetterScene::kModeId, 1, 1);
        m_Factory.current->Restore(saved);
        EXPECT_EQ(State(), s);
        EXPECT_EQ(Letter().GetEventId(), 1);
        EXPECT_EQ(Letter().GetPicture(), "obj\\letter\\a.bmp");
        EXPECT_EQ(Letter().GetVoices(), (std::vector<std::string>{"voice\\lu1_a.ogg", "voice\\lu1_b.ogg", ""}));
        CGameState again;
        Letter().SaveState(again);
        EXPECT_EQ(again.GetModeWord(13, 0) * 1000 + again.GetModeWord(13, 1), s * 1000 + 1);
        host->Take();
        host->hold = 0;
        d->Frame();
        const std::vector<std::string> calls = host->Take();
        EXPECT_FALSE(Called(calls, "SelectEventRow 23 1") && s != 42) << "no fresh choice";
        EXPECT_EQ(Called(calls, "ClearMode"), s == 52 || s == 104);
        EXPECT_EQ(Called(calls, "ShowLayerImageAlt 100 obj\\letter\\a.bmp"), s == 4);
        EXPECT_EQ(host->state.GetStatus().HasReadLetter("obj\\letter\\a.bmp"), s == 30);
        host->script = host->change = 0;
    }
}
