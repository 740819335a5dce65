// The title menu on the demo data: the strip's slide, every choice, the quit question
// and the ambient sounds across a called screen; and the menu screens' buttons that
// release themselves, the title's QUIT among them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "engine/sound/FadeSound.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/menus/music/MusicRoomScene.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/status/GameOverScene.h"
#include "game/menus/title/TitleMenuScene.h"
#include "tests/game/menus/title/TitleTestUtil.h"

namespace {

using titletest::CDemoGame;

constexpr const char* kSheet = "obj\\b000_008.bmp";

class TitleTest : public ::testing::Test, public CDemoGame {
protected:
    CTitleMenuScene* Title() { return dynamic_cast<CTitleMenuScene*>(Manager().GetCurrentScene()); }
    // The title built and its strip in place.
    void Enter() {
        d.Start(7);
        d.Frame(CTitleMenuScene::kIntroFrames + 1);
        ASSERT_NE(Title(), nullptr);
        ASSERT_EQ(Title()->GetIntroState(), 2);
    }
    void ClickButton(int i) {
        const SPoint at = CTitleMenuScene::kPlaces[static_cast<size_t>(i)];
        d.Click(at.x + 20, at.y + 10);
        d.Frame();
    }
    static bool Has(const std::vector<std::string>& v, const char* s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    }
    bool AmbientFadingOut() { return d.Game().GetChannel(5)->IsFadingOut() && d.Game().GetChannel(6)->IsFadingOut(); }
};

TEST_F(TitleTest, TheStripSlidesInFromBelowAndTakesNoClicksBefore) {
    d.Start(7);
    d.Frame();
    EXPECT_EQ(Title()->GetIntroState(), 1);
    EXPECT_GT(Title()->GetStripOffset(), 150);
    d.Frame(10);
    // A third of the way through their fade-in neither the strip nor a button shows its
    // own colour yet.
    EXPECT_TRUE(Probe().Absent(d.Pixels(), "obj\\b000_007.bmp", 2, 0));
    EXPECT_TRUE(Probe().Absent(d.Pixels(), kSheet, 2, 0));
    d.Click(8 + 20, 480 + 10);
    d.Frame();
    EXPECT_GT(Title()->GetStripOffset(), 0);
    d.Frame(CTitleMenuScene::kIntroFrames);
    EXPECT_EQ(Title()->GetStripOffset(), 0);
    EXPECT_EQ(Scene(), 7) << "the click during the slide was ignored";
    d.Move(400, 300);
    d.Frame();
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\w000_001.bmp", 0, 0, 8, 400));
    for (int i : {2, 4, 5, 9}) {
        EXPECT_TRUE(Probe().ShowsCellAt(f, kSheet, i, 0, CTitleMenuScene::kPlaces[static_cast<size_t>(i)].x,
                                        CTitleMenuScene::kPlaces[static_cast<size_t>(i)].y))
            << i;
    }
    for (int i : {1, 3, 6, 7, 8}) {
        EXPECT_TRUE(Probe().Absent(f, kSheet, i, 0)) << "cleared " << i;
    }
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\b000_007.bmp", 2, 0, 400, 400)) << "the strip in place";
}

TEST_F(TitleTest, EachChoiceRequestsItsSceneAndFadesTheAmbientSounds) {
    struct SCase {
        int button;
        int32_t scene;
        int frames;
        bool call;
    };
    const SCase cases[] = {
        {0, 21, 120, false}, {2, 9, 15, true}, {3, 23, 60, false}, {4, 16, 15, true}, {5, 17, 15, true}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.button);
        Manager().Reset();
        d.Game().GetSaveData().m_Used = 1;
        Enter();
        const int resets = kept->resets;
        d.Sounds().Take();
        ClickButton(c.button);
        EXPECT_TRUE(Has(d.Sounds().Take(), "ch0"));
        EXPECT_TRUE(AmbientFadingOut());
        EXPECT_EQ(kept->resets, resets + (c.button == 0 ? 1 : 0));
        d.Frame();
        EXPECT_EQ(Scene(), c.scene);
        EXPECT_EQ(Manager().GetTransitionIndex(), 1);
        EXPECT_EQ(Manager().GetReturnStackDepth(), c.call ? 1u : 0u);
        // The fade's frames, the frame that starts it and the one that ends it.
        EXPECT_EQ(RunOutTransition() + 1, c.frames + 2);
    }
}

TEST_F(TitleTest, ContinueIsAbsentWithoutAGameInTheSaveRecord) {
    d.Game().GetSaveData().m_Used = 0;
    Enter();
    EXPECT_TRUE(Probe().Absent(d.Pixels(), kSheet, 3, 0));
    ClickButton(3);
    d.Frame();
    EXPECT_EQ(Scene(), 7);
    EXPECT_FALSE(AmbientFadingOut());
}

TEST_F(TitleTest, HoveringPlaysTheCursorSoundOncePerNewlyHoveredButton) {
    Enter();
    d.Sounds().Take();
    for (int i : {2, 2, 4, 4, 4, 5}) {
        d.Move(CTitleMenuScene::kPlaces[static_cast<size_t>(i)].x + 5,
               CTitleMenuScene::kPlaces[static_cast<size_t>(i)].y + 5);
        d.Frame();
    }
    const std::vector<std::string> s = d.Sounds().Take();
    EXPECT_EQ(std::count(s.begin(), s.end(), "ch1"), 3);
}

TEST_F(TitleTest, QuitWithoutTheQuestionEndsTheLoopAfterTheExitRelaysFade) {
    d.Game().GetSystemData().m_Options[CSystemData::OPTION_CONFIRM] = 0;
    Enter();
    ClickButton(9);
    EXPECT_TRUE(AmbientFadingOut());
    d.Frame();
    EXPECT_EQ(Scene(), 1);
    int frames = 1;
    while (d.Frame() && frames < 200) ++frames;
    // The fade's 60 frames, the frames that start and end it, and the frame in which
    // the relay asks the window to close.
    EXPECT_EQ(frames, 63);
}

TEST_F(TitleTest, TheQuitQuestionClosesOnItsSecondButtonOrCancelAndQuitsOnItsFirst) {
    const SPoint second{272 + 20, 288 + 40 + 10};
    enum { CLICK, RIGHT, ENTER, ESC };
    for (int how : {CLICK, RIGHT, ENTER, ESC}) {
        SCOPED_TRACE(how);
        Manager().Reset();
        Enter();
        ClickButton(9);
        EXPECT_TRUE(Title()->GetPanel().IsOpen());
        EXPECT_FALSE(AmbientFadingOut()) << "asking fades nothing";
        d.Frame(CButtonPanel::kSteps + 1);
        d.Sounds().Take();
        switch (how) {
        case CLICK:
            d.Click(second.x, second.y);
            break;
        case RIGHT:
            d.Press(CMouse::kRight);
            break;
        case ENTER:
            d.Key(13);
            break;
        case ESC:
            d.Key(27);
            break;
        }
        d.Frame();
        EXPECT_TRUE(Has(d.Sounds().Take(), "ch2"));
        EXPECT_FALSE(Title()->GetPanel().IsOpen());
        d.Frame(CButtonPanel::kSteps + 2);
        EXPECT_EQ(Scene(), 7);
        ClickButton(2);
        d.Frame();
        EXPECT_EQ(Scene(), 9) << "the title's buttons answer again";
    }
    Manager().Reset();
    Enter();
    ClickButton(9);
    d.Frame(CButtonPanel::kSteps + 1);
    d.Click(272 + 20, 288 + 10);
    d.Frame();
    EXPECT_TRUE(AmbientFadingOut());
    d.Frame();
    EXPECT_EQ(Scene(), 1);
}

TEST_F(TitleTest, AQuickReturnFromACalledScreenStartsTheAmbientSoundsAgain) {
    Enter();
    ClickButton(4);
    d.Frame();
    ASSERT_EQ(Scene(), 16);
    int frames = 0;
    while (Scene() != 7 && frames < 100) {
        d.Frame();
        ++frames;
    }
    ASSERT_EQ(Scene(), 7);
    EXPECT_LT(frames, 30) << "back before the 500 ms fade-out ended";
    d.Frame(60);
    EXPECT_TRUE(d.Game().GetChannel(5)->IsPlaying());
    EXPECT_TRUE(d.Game().GetChannel(6)->IsPlaying());
    EXPECT_FALSE(AmbientFadingOut());
    EXPECT_EQ(Title()->GetIntroState(), 2) << "the strip slid in again";
}

// The buttons that release themselves, on the menu screens that have them: pressed,
// given the frames to release and pressed again, each acts a second time.  Between the
// presses the title's question is answered NO, the settings are changed back, and the
// game-over screen's load screen (a stand-in) returns.
class CLoadStandIn : public titletest::CFactory {
public:
    CLoadStandIn() : titletest::CFactory({10}) {}
};

void WriteMenuData(demo::CDemoWriter& out) {
    demo::WriteSettingsData(out);
    demo::WriteStatusGuideData(out);
    demo::WriteMusicRoomData(out);
}

class ReleasingButtonsTest : public ::testing::Test,
                             public titletest::CDemoGameOf<CLoadStandIn, titletest::CKeptScene> {
protected:
    ReleasingButtonsTest() : CDemoGameOf(WriteMenuData) {}
    void Idle(int frames) {
        d.Move(0, 599);
        d.Frame(frames);
    }
    void ClickAt(SPoint at) {
        d.Click(at.x + 6, at.y + 6);
        d.Frame();
        Idle(1);
    }
};

TEST_F(ReleasingButtonsTest, ASecondPressActsAgain) {
    CSystemData& sd = d.Game().GetSystemData();
    for (int32_t t = 0; t < CMusicRoomScene::kTrackCount; ++t) sd.SetMusicUnlock(t, 1);
    const auto nothing = [] {};
    const auto changed = [&] {
        Idle(3);
        sd.m_MessageSpeed = 10;
    };
    const auto messagePage = [&] {
        Idle(3);
        sd.m_MessageSpeed = 50;
        ClickAt(CSystemMenuScene::kCommandPlaces[CMessageOptionPage::kPageId]);
        Idle(21);
    };
    const auto playing = [&] {
        Idle(1);
        ClickAt(CMusicRoomScene::kControlPlaces[CMusicRoomScene::CONTROL_PLAY]);
        Idle(2);
    };
    const auto speed = [&] { return sd.m_MessageSpeed; };
    const auto track = [&] { return Current<CMusicRoomScene>()->GetTrack(); };
    struct SCase {
        const char* name;
        int32_t scene;
        SPoint at;
        std::function<void()> ready, between;
        std::function<int32_t()> reading;
        int32_t first, second;  // the reading after each press
    };
    const SCase cases[] = {
        {"title QUIT", 7, CTitleMenuScene::kPlaces[9], [&] { Idle(CTitleMenuScene::kIntroFrames + 1); },
         [&] {
             Idle(CButtonPanel::kSteps + 1);
             ClickAt({272 + 14, 288 + 44});
             Idle(CButtonPanel::kSteps + 2);
         },
         [&] { return Current<CTitleMenuScene>()->GetPanel().IsOpen() ? 1 : 0; }, 1, 1},
        {"settings DEFAULTS", 16, CSystemMenuScene::kCommandPlaces[CSystemMenuScene::COMMAND_DEFAULTS], changed,
         changed, speed, 50, 50},
        {"message speed plus", 16, CMessageOptionPage::kLayout.steps[1], messagePage, nothing, speed, 55, 60},
        {"message speed minus", 16, CMessageOptionPage::kLayout.steps[0], messagePage, nothing, speed, 45, 40},
        {"game over LOAD", 18, CV000Scene::kButtonPlaces[0],
         [&] { Idle(CV000Scene::kBlackFrames + CV000Scene::kFadeSteps + 1); },
         [&] {
             for (int i = 0; i < 80 && Scene() != 18; ++i) d.Frame();
         },
         [&] { return Scene(); }, 10, 10},
        {"music room NEXT", 15, CMusicRoomScene::kControlPlaces[CMusicRoomScene::CONTROL_NEXT], playing, nothing,
         track, 1, 2},
        {"music room PREV", 15, CMusicRoomScene::kControlPlaces[CMusicRoomScene::CONTROL_PREVIOUS], playing,
         nothing, track, 18, 17},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Manager().Reset();
        d.Start(c.scene);
        c.ready();
        ClickAt(c.at);
        EXPECT_EQ(c.reading(), c.first);
        c.between();
        Idle(6);
        ASSERT_NE(c.reading(), c.second);
        ClickAt(c.at);
        EXPECT_EQ(c.reading(), c.second);
    }
}

}  // namespace
