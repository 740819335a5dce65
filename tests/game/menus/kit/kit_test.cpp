// The menu kit: the tab bar's locks, variations and routing in a running game, digit
// runs and the dimming veil on the software device.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameMain.h"
#include "game/menus/kit/DigitRun.h"
#include "game/menus/kit/MenuDimmer.h"
#include "game/menus/kit/MenuTabBar.h"
#include "tests/support/screen/ScreenDriver.h"

namespace {

using screentest::CGameDriver;
using screentest::CObjectDriver;
using screentest::SFrame;

// A menu scene that is nothing but its tab bar.
class CTabScene : public CSceneBase, public CSceneObjectBase {
public:
    CTabScene(int own, const CMenuTabBar::SOptions& options) : m_Own(own), m_Options(options) {}
    void Load() override { bar.Load(*GetGameMain(), m_Own, m_Options); }
    void Update() override { bar.Update(*GetGameMain()); }
    void Draw() override { bar.Draw(); }
    CMenuTabBar bar;

private:
    int m_Own;
    CMenuTabBar::SOptions m_Options;
};

class CTabFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        for (int i = 0; i < CMenuTabBar::kCount; ++i) {
            if (CMenuTabBar::kScenes[i] == id) return std::make_unique<CTabScene>(i, options);
        }
        return nullptr;
    }
    void Release(std::unique_ptr<CSceneBase> object) override { object.reset(); }
    CMenuTabBar::SOptions options;
};

class TabBarTest : public ::testing::Test {
protected:
    TabBarTest() : d(MakeSetup()) {}
    CGameDriver::SSetup MakeSetup() {
        SetDebugOutputEnabled(false);
        CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.prepare = [this](const std::string& folder) {
            m_Probe.Write(folder, kit::MakeSheet(CMenuTabBar::kSheet, 288, 200, 6, 5));
        };
        return s;
    }
    ~TabBarTest() override { SetDebugOutputEnabled(true); }
    CMenuTabBar& Bar() { return dynamic_cast<CTabScene*>(d.Game().GetSceneManager().GetCurrentScene())->bar; }
    int32_t Scene() { return d.Game().GetSceneManager().GetCurrentSceneId(); }
    void Enter(int32_t scene) {
        d.Game().GetSceneManager().Reset();
        d.Start(scene);
        d.Frame();
    }
    void ClickTab(int i) {
        d.Click(8 + 48 * i + 10, 48 + 10);
        d.Frame();
    }

    CTabFactory m_Factory;
    screentest::CSheetProbe m_Probe;
    CGameDriver d;
};

TEST_F(TabBarTest, LocksFollowTheGameInProgressTheReplayFlagAndTheOwnButton) {
    struct SCase {
        int32_t scene;
        int32_t inProgress;
        uint8_t replay;
        bool lockOthers;
        std::array<int, 6> look;  // 0 normal, 2 own, 4 locked
    };
    const SCase cases[] = {
        {9, 1, 0, false, {0, 2, 0, 0, 0, 0}},  {9, 0, 0, false, {4, 2, 0, 0, 0, 0}},
        {16, 1, 1, false, {4, 4, 4, 4, 4, 2}}, {8, 0, 0, false, {4, 0, 0, 0, 0, 0}},
        {9, 1, 0, true, {4, 2, 4, 4, 4, 4}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.scene);
        d.Game().m_GameInProgress = c.inProgress;
        d.Game().m_ReplayFlag = c.replay;
        m_Factory.options = {};
        m_Factory.options.lockOthers = c.lockOthers;
        Enter(c.scene);
        const SFrame f = d.Pixels();
        for (int i = 0; i < CMenuTabBar::kCount; ++i) {
            const int look = c.look[static_cast<size_t>(i)];
            EXPECT_TRUE(m_Probe.ShowsCellAt(f, CMenuTabBar::kSheet, i, look, 8 + 48 * i, 48)) << i;
        }
    }
}

TEST_F(TabBarTest, AClickGoesToItsSceneWithAFadeAndPlaysTheMenuSounds) {
    d.Game().m_GameInProgress = 1;
    for (int tab = 0; tab < CMenuTabBar::kCount; ++tab) {
        SCOPED_TRACE(tab);
        const int32_t from = tab == 1 ? 8 : 9;
        Enter(from);
        d.Sounds().Take();
        d.Move(8 + 48 * tab + 10, 48 + 10);
        d.Frame();
        EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch1"});
        ClickTab(tab);
        EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch0"});
        d.Frame();
        EXPECT_EQ(Scene(), CMenuTabBar::kScenes[tab]);
        EXPECT_EQ(d.Game().GetSceneManager().GetTransitionIndex(), 1);
        int frames = 1;
        while (d.Game().GetSceneManager().IsInTransition() && frames < 100) {
            d.Frame();
            ++frames;
        }
        // The fade's frames, the frame that starts it and the one that ends it.
        EXPECT_EQ(frames, CMenuTabBar::kFrames + 2);
    }
}

TEST_F(TabBarTest, TheOwnLockedAndClearedButtonsAndAnyDuringATransitionIgnoreClicks) {
    d.Game().m_GameInProgress = 0;
    m_Factory.options.cleared = {false, false, true, true, true, false};
    m_Factory.options.highlight = false;
    Enter(16);
    EXPECT_FALSE(Bar().GetButton(2).HasImage());
    EXPECT_FALSE(Bar().GetButton(5).IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
    EXPECT_TRUE(m_Probe.Absent(d.Pixels(), CMenuTabBar::kSheet, 3, 0));
    for (int tab : {5, 0, 3}) {
        ClickTab(tab);
        d.Frame();
        EXPECT_EQ(Scene(), 16) << tab;
    }
    // While the fade into scene 9 runs, its bar gets no pointer.
    d.Game().GetSceneManager().GoTo(9);
    d.Game().GetSceneManager().Transition(1, 15);
    d.Frame(2);
    ClickTab(4);
    d.Frame();
    EXPECT_EQ(Scene(), 9);
}

TEST(DigitRun, LeadingDigitsAreLeftOutAndThePlacesStay) {
    CObjectDriver d;
    SetDebugOutputEnabled(false);
    const kit::SSheetSpec sheet = kit::MakeSheet("obj\\digits.bmp", 100, 12, 10, 1);
    d.Probe().Write(d.Folder(), sheet);
    CImagePlane plane;
    ASSERT_TRUE(plane.LoadFile(sheet.name));
    CCellImage digits;
    digits.Set(&plane, 10, 1);
    std::array<SPoint, 7> places;
    for (int i = 0; i < 7; ++i) places[static_cast<size_t>(i)] = SPoint{100 + 20 * i, 50 + 3 * i};
    struct SCase {
        int32_t value;
        const char* shown;  // per place: the digit, or '-' for nothing
    };
    const SCase cases[] = {{0, "------0"},   {9, "------9"},        {10, "-----10"}, {1234567, "1234567"},
                           {100, "----100"}, {12345678, "9999999"}, {-5, "-------"}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.value);
        d.Draw([&] { DrawDigitRun(digits, c.value, places); });
        const SFrame f = d.Pixels();
        for (int i = 0; i < 7; ++i) {
            const SPoint at = places[static_cast<size_t>(i)];
            if (c.shown[i] == '-') {
                EXPECT_FALSE(d.Probe().At(f, at.x, at.y)) << i;
            } else {
                EXPECT_TRUE(d.Probe().CornersAt(f, sheet.name, c.shown[i] - '0', 0, at.x, at.y)) << i;
            }
        }
    }
    SetDebugOutputEnabled(true);
}

TEST(MenuDimmer, HalvesTheWholeScreen) {
    CObjectDriver d;
    CImagePlane white;
    ASSERT_TRUE(white.Create(800, 600, false));
    ASSERT_TRUE(white.Fill(0xFFC8A064u));
    CMenuDimmer dimmer;
    ASSERT_TRUE(dimmer.Load());
    d.Draw([&] {
        white.Draw(0, 0);
        dimmer.Draw();
    });
    const SFrame f = d.Pixels();
    for (SPoint p : {SPoint{0, 0}, SPoint{400, 300}, SPoint{799, 599}}) {
        const uint32_t c = f.At(p.x, p.y);
        EXPECT_NEAR(static_cast<int>(c >> 16 & 0xFF), 0xC8 / 2, 1);
        EXPECT_NEAR(static_cast<int>(c >> 8 & 0xFF), 0xA0 / 2, 1);
        EXPECT_NEAR(static_cast<int>(c & 0xFF), 0x64 / 2, 1);
    }
}

}  // namespace
