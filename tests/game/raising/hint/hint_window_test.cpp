// The hint window driven frame by frame inside a game object: its states and tweens,
// its buttons, scrolling, rows, voices, remembered settings and what it draws.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/draw/SceneManager.h"
#include "game/core/ReadHistory.h"
#include "game/core/RunningGame.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/hint/HintWindow.h"
#include "platform/gfx/GfxDevice.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/SoundFiles.h"

using namespace screentest;

namespace {

constexpr int32_t kHostScene = 10;
constexpr const char* kTabs = "obj\\u000_009.bmp";
constexpr const char* kOptions = "obj\\u000_010.bmp";
constexpr const char* kClose = "obj\\h002_001.bmp";
constexpr const char* kArrows = "obj\\u000_008.bmp";
constexpr const char* kThumb = "obj\\u000_007.bmp";
constexpr const char* kMarks = "obj\\u000_004.bmp";
constexpr const char* kReadMark = "obj\\u003_000.bmp";
constexpr const char* kRowButtons = "obj\\u000_005.bmp";
constexpr const char* kSpeakers = "obj\\u002_000.bmp";

// Tab 0: seven hints (a seen, b read, d seen through its alias 50441), one skipped line.
constexpr const char* kTab0 =
    "// tab one\n"
    "hint_a,101,3,pa_0036\n"
    ",999,0,skipped\n"
    "hint_b 102 1 v_b\n"
    "hint_c,103,3,\n"
    "hint_d,440,0,v_d\n"
    "hint_e,105,2\n"
    "hint_f,106,1,v_f\n"
    "hint_g,107,5,v_g\n";
constexpr const char* kTab1 = "hint_h,201\nhint_i,202\n";

std::string HintPicture(char c) { return std::string("obj\\hint_") + c + ".bmp"; }
int32_t RowY(int k) { return 64 + 80 * k; }

// The in-game scene's part: owns the window and forwards to it while it is busy.
class CHost : public CSceneBase, public CSceneObjectBase, public IHintOwner {
public:
    explicit CHost(int* alive) : m_Alive(alive) {
        ++*m_Alive;
        window.SetOwner(this);
    }
    ~CHost() override { --*m_Alive; }
    void SetTalkText(const std::string& picture, int32_t id) override {
        talk.push_back(picture + " " + std::to_string(id));
    }
    void BeginTalk() override { talk.push_back("begin"); }
    void Update() override {
        if (window.IsShown() || window.IsMoving()) window.Update();
    }
    void Draw() override {
        if (window.IsShown() || window.IsMoving()) window.Draw();
    }
    void OnDeviceRestored() override { window.OnDeviceReset(); }

    CHintWindow window;
    std::vector<std::string> talk;

private:
    int* m_Alive;
};

class CPlainScene : public CSceneBase, public CSceneObjectBase {};

class CHostFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        created.push_back(id);
        if (id != kHostScene) return std::make_unique<CPlainScene>();
        auto host = std::make_unique<CHost>(&alive);
        last = host.get();
        return host;
    }
    std::vector<int32_t> created;
    CHost* last = nullptr;
    int alive = 0;
};

void WriteHintFiles(const std::string& folder, CSheetProbe* probe, bool voices) {
    probe->Write(folder, kit::MakeSheet("obj\\u000_003.bmp", 16, 16));
    probe->Write(folder, kit::MakeSheet("obj\\u004_000.bmp", 96, 48));
    probe->Write(folder, kit::MakeSheet(kTabs, 576, 160, 6, 5));
    probe->Write(folder, kit::MakeSheet(kOptions, 384, 160, 4, 5));
    probe->Write(folder, kit::MakeSheet(kClose, 96, 160, 1, 5));
    probe->Write(folder, kit::MakeSheet(kArrows, 48, 120, 2, 5));
    probe->Write(folder, kit::MakeSheet("obj\\u000_006.bmp", 24, 380));
    probe->Write(folder, kit::MakeSheet(kThumb, 8, 360));
    probe->Write(folder, kit::MakeSheet(kMarks, 64, 32, 2, 1));
    probe->Write(folder, kit::MakeSheet(kReadMark, 32, 32));
    probe->Write(folder, kit::MakeSheet(kRowButtons, 160, 160, 2, 5));
    probe->Write(folder, kit::MakeSheet(kSpeakers, 128, 96, 4, 3));
    for (char c = 'a'; c <= 'i'; ++c) probe->Write(folder, kit::MakeSheet(HintPicture(c), 300, 64));
    probe->Write(folder, kit::MakeSheet(HintPicture('z'), 8, 8));
    std::string longTab;
    for (int i = 0; i < 400; ++i) longTab += "hint_z," + std::to_string(i) + "\n";
    kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\hint3.txt"), std::vector<uint8_t>(longTab.begin(), longTab.end()));
    kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\hint1.txt"), std::vector<uint8_t>(kTab0, kTab0 + strlen(kTab0)));
    kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\hint2.txt"), std::vector<uint8_t>(kTab1, kTab1 + strlen(kTab1)));
    const char* names[] = {"pa_0036", "cu_0038", "v_b", "v_d", "cu_0000"};
    for (size_t i = 0; i < std::size(names); ++i) {
        if (!voices && i == 4) break;
        kit::WriteBytes(kit::NativeFilePath(folder, std::string("hint_voice\\") + names[i] + ".ogg"),
                        kit::MakeShortWave(static_cast<uint32_t>(10 + i), 100));
    }
}

class HintWindowTest : public ::testing::Test {
protected:
    explicit HintWindowTest(bool voices = true) : d(MakeSetup(voices)), m_Override(m_State) {
        SetDebugOutputEnabled(false);
        m_State.GetStatus().MarkEventSeen(101);
        m_State.GetStatus().MarkEventSeen(50441);
        CEventTable& table = d.Game().GetEventTable();
        table.LoadText("r,102,1,0,0,ev,e102\nr,103,1,0,0,ev,e103\n");
        d.Game().GetReadFlags().Add(table.GetEventName(102), 1);
        d.Start(kHostScene);
        d.Frame();
    }
    ~HintWindowTest() override { SetDebugOutputEnabled(true); }
    CGameDriver::SSetup MakeSetup(bool voices) {
        CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.prepare = [this, voices](const std::string& folder) { WriteHintFiles(folder, &m_Probe, voices); };
        return s;
    }
    CHost& Host() { return *m_Factory.last; }
    CHintWindow& W() { return Host().window; }
    int32_t Setting(int index) { return d.Game().GetSystemData().GetPersistent(index); }
    void OpenFully() {
        W().Open();
        d.Frame(CHintWindow::kTweenSteps);
        ASSERT_EQ(W().GetState(), CHintWindow::STATE_OPEN);
        d.Sounds().Take();
    }
    void ClickAt(int32_t x, int32_t y) {
        d.Click(x, y);
        d.Frame();
    }
    std::string Order() {
        std::string out;
        for (int32_t i = 0; i < W().CountListed(); ++i) out += W().GetListed(i)->picturePath.substr(9, 1);
        return out;
    }

    CHostFactory m_Factory;
    CSheetProbe m_Probe;
    CGameDriver d;
    CGameState m_State;
    CRunningGameOverride m_Override;
};

}  // namespace

TEST_F(HintWindowTest, OpensAndClosesByTheTweensWithInputOnlyWhenOpen) {
    W().Open();
    EXPECT_EQ(W().GetState(), CHintWindow::STATE_OPENING);
    EXPECT_EQ(W().GetAlpha(), 0);
    EXPECT_EQ(W().GetSlide(), -30);
    const int32_t opening[] = {-26, -22, -19, -16, -13, -10, -8, -6, -4, -3, -2, -1, 0, 0, 0};
    for (int s = 1; s <= 15; ++s) {
        if (s == 3) d.Key(VKey::kEscape);     // cancel is read only when open
        if (s == 4) d.Click(672 + 4, 544 + 4);  // the close button is inert while opening
        d.Frame();
        SCOPED_TRACE(s);
        EXPECT_EQ(W().GetAlpha(), 17 * s);
        EXPECT_EQ(W().GetSlide(), opening[s - 1]);
        EXPECT_EQ(W().GetState(), s < 15 ? CHintWindow::STATE_OPENING : CHintWindow::STATE_OPEN);
    }
    W().Open();
    EXPECT_EQ(W().GetAlpha(), 255) << "opening an open window does nothing";
    d.Sounds().Take();
    d.Key(VKey::kEscape);
    d.Frame();
    EXPECT_EQ(W().GetState(), CHintWindow::STATE_CLOSING);
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch2"});
    const int32_t closing[] = {3, 7, 10, 13, 16, 19, 21, 23, 25, 26, 27, 28, 29, 29};
    for (int s = 1; s <= 14; ++s) {
        d.Frame();
        EXPECT_EQ(W().GetAlpha(), 255 - 17 * s) << s;
        EXPECT_EQ(W().GetSlide(), closing[s - 1]) << s;
    }
    d.Frame();
    EXPECT_EQ(W().GetState(), CHintWindow::STATE_CLOSED);
    EXPECT_TRUE(W().GetEntries().empty()) << "the end of closing releases everything";
    EXPECT_FALSE(W().GetCloseButton().HasImage());
    W().Open();
    d.Frame(5);
    W().Close();
    d.Frame(2);
    W().Open();
    EXPECT_EQ(W().GetState(), CHintWindow::STATE_OPENING) << "a closing window opens again";
    EXPECT_EQ(W().GetAlpha(), 0);
}

TEST_F(HintWindowTest, EntriesCarryTheirMarksAndTabsReadTheirFiles) {
    OpenFully();
    ASSERT_EQ(W().CountListed(), 7);
    EXPECT_EQ(Order(), "abcdefg");
    struct SWant {
        int32_t ordinal, eventId, orderKey;
        bool seen, read;
        const char* voice;
    } want[] = {{0, 101, 3, true, false, "hint_voice\\pa_0036.ogg"}, {1, 102, 1, false, true, "hint_voice\\v_b.ogg"},
                {2, 103, 3, false, false, ""},  {3, 440, 0, true, false, "hint_voice\\v_d.ogg"},
                {4, 105, 2, false, false, ""},  {5, 106, 1, false, false, "hint_voice\\v_f.ogg"},
                {6, 107, 5, false, false, "hint_voice\\v_g.ogg"}};
    for (int i = 0; i < 7; ++i) {
        const HintEntry& e = *W().GetListed(i);
        SCOPED_TRACE(e.picturePath);
        EXPECT_EQ(e.ordinal, want[i].ordinal);
        EXPECT_EQ(e.eventId, want[i].eventId);
        EXPECT_EQ(e.orderKey, want[i].orderKey);
        EXPECT_EQ(e.seen, want[i].seen);
        EXPECT_EQ(e.read, want[i].read);
        EXPECT_EQ(e.voicePath, want[i].voice);
        EXPECT_TRUE(e.picture.IsLoaded());
    }
    W().SelectTab(5);
    EXPECT_EQ(W().CountListed(), 0) << "a missing file is an empty tab";
    W().SelectTab(1);
    EXPECT_EQ(Order(), "hi");
    W().SelectTab(9);
    EXPECT_EQ(Order(), "hi") << "no file for a tab outside 0..5";
    for (int i = 0; i < kHintTabCount; ++i) EXPECT_FALSE(W().GetTabButton(i).IsChecked()) << i;
}

TEST_F(HintWindowTest, TabSortAndFilterButtons) {
    OpenFully();
    EXPECT_TRUE(W().GetTabButton(0).IsChecked());
    EXPECT_TRUE(W().GetOptionButton(CHintWindow::OPTION_FILE_ORDER).IsChecked());
    ClickAt(160 + 104 + 4, 12);
    EXPECT_EQ(W().GetCurrentTab(), 1);
    EXPECT_EQ(Order(), "hi");
    EXPECT_TRUE(W().GetTabButton(1).IsChecked());
    EXPECT_FALSE(W().GetTabButton(0).IsChecked());
    EXPECT_EQ(Setting(kHintSettingTab), 1);
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch0"}) << "a radio button checked by the click shows no hover";
    ClickAt(160 + 104 + 4, 12);
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{}) << "a checked tab ignores the pointer";

    d.Move(160 + 208 + 4, 12);
    d.Key(VKey::kSpace);
    d.Frame();
    EXPECT_EQ(W().GetCurrentTab(), 2) << "Space clicks as the left button does";
    ClickAt(160 + 4, 12);
    ClickAt(288 + 4, 548);
    EXPECT_EQ(W().GetSortMode(), 1);
    EXPECT_EQ(Order(), "dbfeacg") << "by key, equal keys in file order";
    EXPECT_FALSE(W().GetOptionButton(CHintWindow::OPTION_FILE_ORDER).IsChecked());
    EXPECT_EQ(Setting(kHintSettingSortMode), 1);
    ClickAt(176 + 4, 548);
    EXPECT_EQ(Order(), "abcdefg");
    EXPECT_EQ(Setting(kHintSettingSortMode), 0);

    W().SetScroll(1);
    ClickAt(400 + 4, 548);
    EXPECT_TRUE(W().IsUnseenOnly());
    EXPECT_EQ(Order(), "bcefg");
    EXPECT_EQ(W().GetFirstVisible(), 0) << "clamped to the shorter list";
    EXPECT_EQ(Setting(kHintSettingUnseenOnly), 1);
    d.Frame();
    ClickAt(400 + 4, 548);
    EXPECT_FALSE(W().IsUnseenOnly()) << "the filter toggles";
    EXPECT_EQ(W().CountListed(), 7);
    EXPECT_EQ(Setting(kHintSettingUnseenOnly), 0);
}

TEST_F(HintWindowTest, ScrollsByArrowsWheelPagesAndDrag) {
    OpenFully();
    EXPECT_TRUE(W().GetArrowButton(0).IsLocked());
    EXPECT_FALSE(W().GetArrowButton(1).IsLocked());
    W().SetScroll(5);
    EXPECT_EQ(W().GetFirstVisible(), 1) << "seven entries scroll by one at most";
    d.Frame();
    EXPECT_FALSE(W().GetArrowButton(0).IsLocked());
    EXPECT_TRUE(W().GetArrowButton(1).IsLocked());
    d.Wheel(-1);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 0);
    d.Wheel(1);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 1);
    ClickAt(717 + 4, 56 + 4);
    EXPECT_EQ(W().GetFirstVisible(), 0) << "the up arrow";
    d.Frame(4);
    ClickAt(717 + 4, 480 + 4);
    EXPECT_EQ(W().GetFirstVisible(), 1) << "the down arrow";

    // The thumb is 6 × 360 / 7 = 308 high; its top 104 + first × 360 / 7.
    ClickAt(730, 120);
    EXPECT_EQ(W().GetFirstVisible(), 0) << "a click above the thumb pages up";
    ClickAt(730, 440);
    EXPECT_EQ(W().GetFirstVisible(), 1) << "a click below it pages down";
    ClickAt(730, 110);
    EXPECT_EQ(W().GetFirstVisible(), 0);

    CMouse& mouse = d.Game().GetMouse();
    d.Frame();  // the last click's release
    d.Move(730, 200);
    mouse.ButtonDown(CMouse::kLeft);
    d.Frame();
    EXPECT_TRUE(W().IsDragging());
    d.Move(730, 250);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 0) << "50 pixels are less than one entry (51.4)";
    d.Move(730, 252);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 1);
    d.Move(730, 100);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 0) << "dragged back above the start";
    mouse.ButtonUp(CMouse::kLeft);
    d.Frame();
    EXPECT_FALSE(W().IsDragging());

    ClickAt(400 + 4, 548);  // filter on: five entries
    ASSERT_EQ(W().CountListed(), 5);
    d.Frame();
    EXPECT_TRUE(W().GetArrowButton(0).IsLocked());
    EXPECT_TRUE(W().GetArrowButton(1).IsLocked());
    const SRect thumb = W().GetThumbRect();
    EXPECT_EQ(thumb.top, 104);
    EXPECT_EQ(thumb.Height(), 360) << "full size";
    ClickAt(730, 450);
    d.Wheel(1);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 0);
    EXPECT_FALSE(W().IsDragging());
}

TEST_F(HintWindowTest, AListLongerThanTheThumbDragsByFractionsOfAPixel) {
    OpenFully();
    W().SelectTab(2);
    ASSERT_EQ(W().CountListed(), 400);
    const SRect thumb = W().GetThumbRect();
    EXPECT_EQ(thumb.top, 104);
    EXPECT_EQ(thumb.Height(), 6 * 360 / 400);
    CMouse& mouse = d.Game().GetMouse();
    d.Move(730, 106);
    mouse.ButtonDown(CMouse::kLeft);
    d.Frame();
    ASSERT_TRUE(W().IsDragging());
    d.Move(730, 115);
    d.Frame();
    EXPECT_EQ(W().GetFirstVisible(), 10) << "9 pixels at 0.9 pixels an entry";
    mouse.ButtonUp(CMouse::kLeft);
    d.Frame();
    EXPECT_FALSE(W().IsDragging());
    // Up from entry 10: the thumb now spans 113 to 118.  The first entry is the start plus
    // the entries moved, truncated as a whole.
    struct SCase {
        int32_t y;
        int32_t first;
    };
    const SCase up[] = {{115, 10}, {114, 8}, {113, 7}, {106, 0}};  // 10 − 1.1, 10 − 2.2, 10 − 10
    d.Move(730, 115);
    mouse.ButtonDown(CMouse::kLeft);
    for (const SCase& c : up) {
        d.Move(730, c.y);
        d.Frame();
        ASSERT_TRUE(W().IsDragging());
        EXPECT_EQ(W().GetFirstVisible(), c.first) << c.y;
    }
    mouse.ButtonUp(CMouse::kLeft);
    d.Frame();
}

TEST_F(HintWindowTest, RowButtonsHandThePictureToTheStageOnlyUnderAnEntry) {
    OpenFully();
    ClickAt(160 + 104 + 4, 12);
    ASSERT_EQ(W().CountListed(), 2);
    d.Frame();
    const SFrame f = d.Pixels();
    EXPECT_TRUE(m_Probe.CornersAt(f, kRowButtons, 0, 0, 608, RowY(1)));
    EXPECT_FALSE(m_Probe.At(f, 612, RowY(2) + 4)) << "no button under an empty row";
    d.Sounds().Take();
    ClickAt(612, RowY(2) + 4);
    EXPECT_TRUE(Host().talk.empty());
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{});
    ClickAt(612, RowY(1) + 4);
    EXPECT_EQ(Host().talk, (std::vector<std::string>{"obj\\hint_i.bmp 202", "begin"}));
    EXPECT_EQ(W().GetState(), CHintWindow::STATE_CLOSING);
}

TEST_F(HintWindowTest, TheGuideButtonCallsSceneSeventeenKeepingTheCaller) {
    OpenFully();
    ClickAt(560 + 4, 548);
    d.Frame(2);
    EXPECT_EQ(m_Factory.created.back(), CHintWindow::kGuideScene);
    EXPECT_EQ(m_Factory.alive, 1) << "the caller stays alive underneath";
    EXPECT_EQ(d.Game().GetSceneManager().GetCurrentSceneId(), CHintWindow::kGuideScene);
}

TEST_F(HintWindowTest, SpeakersPlayTheVoicesAndChainTheFirstIntoTheSecond) {
    d.Game().GetSystemData().m_VoiceVolume = 50;
    OpenFully();
    ASSERT_TRUE(W().AreVoicesInstalled());
    SFrame f = d.Pixels();
    for (int k : {0, 1, 3}) EXPECT_TRUE(m_Probe.At(f, 130, RowY(k) + 2)) << "an icon on row " << k;
    for (int k : {2, 4, 5}) EXPECT_FALSE(m_Probe.At(f, 130, RowY(k) + 2)) << "no icon on row " << k;

    d.Move(130, RowY(1) + 4);
    d.Frame();
    EXPECT_EQ(W().GetHoveredVoice(), 1);
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch1"});
    ClickAt(130, RowY(1) + 4);
    CFadeSound& voice = W().GetVoice();
    EXPECT_EQ(voice.GetFileName(), "hint_voice\\v_b.ogg");
    EXPECT_EQ(voice.GetVolume(), 500);
    EXPECT_TRUE(voice.IsPlaying());
    EXPECT_EQ(W().GetPlayingVoice(), 1);
    EXPECT_EQ(m_Probe.At(d.Pixels(), 130, RowY(1) + 2).row, 2) << "the playing look";
    ClickAt(130, RowY(1) + 4);
    EXPECT_FALSE(voice.IsPlaying());
    EXPECT_EQ(W().GetPlayingVoice(), -1) << "a click on the playing speaker stops it";

    ClickAt(130, RowY(3) + 4);
    ClickAt(130, RowY(0) + 4);
    EXPECT_EQ(voice.GetFileName(), "hint_voice\\pa_0036.ogg") << "another speaker starts at once";
    EXPECT_EQ(W().GetPlayingVoice(), 0);
    ClickAt(130, RowY(0) + 4);
    EXPECT_EQ(voice.GetFileName(), "hint_voice\\cu_0038.ogg") << "stopping the first starts the second";
    EXPECT_TRUE(voice.IsPlaying());
    EXPECT_EQ(W().GetPlayingVoice(), 0);
    d.Move(0, 0);
    int frames = 0;
    while (voice.IsPlaying() && frames++ < 30) d.Frame();
    d.Frame();
    EXPECT_EQ(W().GetPlayingVoice(), -1) << "the second ends the chain";

    ClickAt(130, RowY(0) + 4);
    d.Move(0, 0);
    for (frames = 0; voice.GetFileName() != "hint_voice\\cu_0038.ogg" && frames < 30; ++frames) d.Frame();
    EXPECT_LT(frames, 30) << "the first voice ending by itself starts the second";
    EXPECT_EQ(W().GetPlayingVoice(), 0);

    ClickAt(130, RowY(0) + 4);  // stops the second
    ClickAt(130, RowY(0) + 4);
    ASSERT_EQ(voice.GetFileName(), "hint_voice\\pa_0036.ogg");
    W().SelectTab(0);
    d.Frame();
    EXPECT_FALSE(voice.IsPlaying()) << "a tab change silences the chain as well";
}

TEST_F(HintWindowTest, SpeakerFramesLastTwentyOneUpdates) {
    OpenFully();
    const int32_t start = W().GetSpeakerFrame();
    int updates = 0;
    while (W().GetSpeakerFrame() == start && updates < 50) {
        d.Frame();
        ++updates;
    }
    const int32_t next = W().GetSpeakerFrame();
    EXPECT_EQ(next, (start + 1) % 4);
    d.Frame(20);
    EXPECT_EQ(W().GetSpeakerFrame(), next);
    d.Frame();
    EXPECT_EQ(W().GetSpeakerFrame(), (next + 1) % 4);
}

TEST_F(HintWindowTest, SettingsAreRememberedAcrossRunsAndQuietSettersWriteNothing) {
    OpenFully();
    ClickAt(288 + 4, 548);  // by key
    ClickAt(400 + 4, 548);  // unseen only (five entries)
    W().Close();
    d.Frame(15);
    ASSERT_EQ(W().GetState(), CHintWindow::STATE_CLOSED);
    d.Game().GetSystemData().SetPersistent(kHintSettingFirstVisible, 50);
    ASSERT_TRUE(d.Game().GetSystemData().Save());
    CSystemData reloaded;  // reads save\cfg.sav as the next run does
    EXPECT_EQ(reloaded.GetPersistent(kHintSettingTab), 0);
    EXPECT_EQ(reloaded.GetPersistent(kHintSettingSortMode), 1);
    EXPECT_EQ(reloaded.GetPersistent(kHintSettingUnseenOnly), 1);
    EXPECT_EQ(reloaded.GetPersistent(kHintSettingFirstVisible), 50);
    d.Game().GetSystemData() = reloaded;

    W().Open();
    EXPECT_EQ(W().GetSortMode(), 1);
    EXPECT_TRUE(W().IsUnseenOnly());
    EXPECT_TRUE(W().GetOptionButton(CHintWindow::OPTION_UNSEEN_ONLY).IsChecked());
    EXPECT_EQ(Order(), "bfecg");
    EXPECT_EQ(W().GetFirstVisible(), 0) << "clamped in view";
    EXPECT_EQ(Setting(kHintSettingFirstVisible), 50) << "but remembered as it was";

    W().SelectTabQuiet(1);
    W().SetSortModeQuiet(0);
    W().SetScrollQuiet(1);
    EXPECT_EQ(Setting(kHintSettingTab), 0);
    EXPECT_EQ(Setting(kHintSettingSortMode), 1);
    EXPECT_EQ(Setting(kHintSettingFirstVisible), 50);
    W().SetScroll(0);
    EXPECT_EQ(Setting(kHintSettingFirstVisible), 0);
}

TEST_F(HintWindowTest, DrawsRowsMarksAndThumbAndEveryButtonAfterADeviceReset) {
    OpenFully();
    auto check = [&](const SFrame& f) {
        for (int k = 0; k < 6; ++k) {
            EXPECT_TRUE(m_Probe.ShowsCellAt(f, HintPicture(static_cast<char>('a' + k)), 0, 0, 176, 56 + 80 * k)) << k;
        }
        EXPECT_TRUE(m_Probe.CornersAt(f, kMarks, 1, 0, 504, RowY(0))) << "seen";
        EXPECT_TRUE(m_Probe.ShowsCellAt(f, kReadMark, 0, 0, 504, RowY(1))) << "read";
        EXPECT_TRUE(m_Probe.CornersAt(f, kMarks, 0, 0, 504, RowY(2))) << "neither";
        EXPECT_TRUE(m_Probe.CornersAt(f, kMarks, 1, 0, 504, RowY(3))) << "seen through its alias";
        const SBox thumb = m_Probe.Locate(f, kThumb, 0, 0);
        EXPECT_EQ(thumb.top, 104);
        EXPECT_EQ(thumb.bottom - thumb.top, 6 * 360 / 7);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(m_Probe.ShowsCellAt(f, kTabs, i, i == 0 ? 2 : 0, 160 + 104 * i, 8)) << "tab " << i;
        }
        EXPECT_TRUE(m_Probe.ShowsCellAt(f, kOptions, 0, 2, 176, 544));
        const int32_t optionX[] = {176, 288, 400, 560};
        for (int i = 1; i < 4; ++i) EXPECT_TRUE(m_Probe.ShowsCellAt(f, kOptions, i, 0, optionX[i], 544)) << i;
        EXPECT_TRUE(m_Probe.ShowsCellAt(f, kClose, 0, 0, 672, 544));
        EXPECT_TRUE(m_Probe.ShowsCellAt(f, kArrows, 0, 4, 717, 56)) << "locked up arrow";
        EXPECT_TRUE(m_Probe.ShowsCellAt(f, kArrows, 1, 0, 717, 480));
        for (int k = 0; k < 6; ++k) EXPECT_TRUE(m_Probe.CornersAt(f, kRowButtons, 0, 0, 608, RowY(k))) << k;
    };
    {
        SCOPED_TRACE("before");
        check(d.Pixels());
    }
    d.Device()->GetDevice()->SimulateDeviceLost();
    d.Frame();
    ASSERT_EQ(d.Game().GetDeviceRestoreCount(), 1u);
    SCOPED_TRACE("after the reset");
    check(d.Pixels());
}

namespace {
class HintWindowWithoutVoicesTest : public HintWindowTest {
protected:
    HintWindowWithoutVoicesTest() : HintWindowTest(false) {}
};
}  // namespace

TEST_F(HintWindowWithoutVoicesTest, NoIconIsDrawnAndNoVoicePlays) {
    OpenFully();
    EXPECT_FALSE(W().AreVoicesInstalled());
    ClickAt(130, RowY(0) + 4);
    EXPECT_EQ(W().GetPlayingVoice(), -1);
    EXPECT_FALSE(W().GetVoice().IsPlaying());
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{});
    EXPECT_TRUE(m_Probe.Absent(d.Pixels(), kSpeakers, 0, 0));
}

TEST(HintWindowOwnerTest, WithoutAnOwnerNothingHappens) {
    SetDebugOutputEnabled(false);
    CHintWindow window;
    window.Open();
    EXPECT_EQ(window.GetState(), CHintWindow::STATE_CLOSED);
    window.LoadHintFile("cfg\\hint1.txt");
    window.Update();
    window.Draw();
    window.OnDeviceReset();
    EXPECT_TRUE(window.GetEntries().empty());
    SetDebugOutputEnabled(true);
}
