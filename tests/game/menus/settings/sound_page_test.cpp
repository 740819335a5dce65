// The sound settings page on the real sound bank under manual sound output: the three
// test sounds, volumes applied while a slider is dragged, and every test ended when
// the page goes.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/sound/FadeSound.h"
#include "engine/sound/FadeSoundList.h"
#include "engine/sound/SoundBank.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "tests/game/menus/settings/SettingsTestUtil.h"

namespace {

using settingstest::SettingsTest;

constexpr int kSlot = CSoundOptionPage::kTestSlot;

class SoundPageTest : public SettingsTest {
protected:
    CSoundOptionPage* Snd() { return Page<CSoundOptionPage>(); }
    CSoundBank& Bank() { return d.Game().GetSoundBank(); }
    void Open() {
        Enter();
        OpenPage(CSoundOptionPage::kPageId);
        ASSERT_NE(Snd(), nullptr);
        ASSERT_EQ(Snd()->GetState(), CMenuPage::STATE_SHOWN);
        d.Sounds().Take();
    }
    // The test buttons of music, effects and voice at (536, 157), (536, 205), (536, 253).
    void Test(int i) { ClickAt(SPoint{536, 157 + 48 * i}, 10, 10); }
};

// Every picture of the page at its place, for volumes at 100 (the fills whole, the plus
// buttons locked and not drawn) and at 50 (every step button drawn).
TEST_F(SoundPageTest, EveryPartStandsAtItsPlace) {
    Live().m_MusicVolume = 100;
    Live().m_EffectVolume = 100;
    Live().m_VoiceVolume = 100;
    Open();
    d.Frame();
    screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\c000_030.bmp", 0, 0, 0, 88));
    const SPoint tests[3] = {{536, 157}, {536, 205}, {536, 253}};
    const SPoint frames[3] = {{232, 152}, {232, 200}, {232, 248}};
    const SPoint fills[3] = {{245, 172}, {245, 220}, {245, 268}};
    const SPoint minus[3] = {{207, 168}, {207, 217}, {207, 263}};
    const SPoint plus[3] = {{498, 168}, {498, 217}, {498, 263}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Probe().CornersAt(f, "obj\\c000_034.bmp", 8, 0, tests[i].x, tests[i].y));
        EXPECT_TRUE(Probe().CornersAt(f, "obj\\c000_035.bmp", 0, 0, frames[i].x, frames[i].y));
        EXPECT_TRUE(Probe().CornersAt(f, "obj\\c000_036.bmp", 0, 0, fills[i].x, fills[i].y));
        EXPECT_TRUE(Probe().CornersAt(f, "obj\\c000_037.bmp", 0, 0, minus[i].x, minus[i].y));
    }
    Live().m_MusicVolume = 50;
    Live().m_EffectVolume = 50;
    Live().m_VoiceVolume = 50;
    Snd()->Refresh();
    d.Frame();
    f = d.Pixels();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Probe().CornersAt(f, "obj\\c000_037.bmp", 1, 0, plus[i].x, plus[i].y));
    }
}

TEST_F(SoundPageTest, EachTestStartsItsSoundAndAsecondPressStopsAndUnloadsIt) {
    Open();
    Test(CSoundOptionPage::TEST_MUSIC);
    EXPECT_EQ(Bank().GetName(0, kSlot), CSoundOptionPage::kMusicTest);
    EXPECT_TRUE(Bank().IsPlaying(0, kSlot));
    EXPECT_EQ(Bank().GetVolume(0, kSlot), 100);
    EXPECT_FALSE(Bank().IsLooping(0, kSlot)) << "played once";
    Test(CSoundOptionPage::TEST_EFFECT);
    EXPECT_EQ(Bank().GetName(1, kSlot), CSoundOptionPage::kEffectTest);
    EXPECT_TRUE(Bank().IsPlaying(1, kSlot));
    Test(CSoundOptionPage::TEST_VOICE);
    CFadeSoundList& voice = d.Game().GetVoiceList();
    EXPECT_EQ(voice.GetNames().size(), CSoundOptionPage::kVoiceTests.size());
    EXPECT_TRUE(voice.IsPlaying());
    EXPECT_EQ(voice.GetVolume(), Live().m_VoiceVolume * 10);
    const std::vector<std::string> started = d.Sounds().Take();
    EXPECT_EQ(std::count(started.begin(), started.end(), "ch0"), 3) << "a decide sound per start";

    Test(CSoundOptionPage::TEST_MUSIC);
    EXPECT_FALSE(Bank().IsPlaying(0, kSlot));
    EXPECT_EQ(Bank().GetName(0, kSlot), "");
    EXPECT_TRUE(Bank().IsPlaying(1, kSlot)) << "the other tests go on";
    const std::vector<std::string> stopped = d.Sounds().Take();
    EXPECT_NE(std::find(stopped.begin(), stopped.end(), "ch2"), stopped.end()) << "the cancel sound";

    // Leaving the page ends every test.
    Command(0);
    d.Frame(22);
    EXPECT_EQ(Snd(), nullptr);
    EXPECT_FALSE(Bank().IsPlaying(1, kSlot));
    EXPECT_EQ(Bank().GetName(1, kSlot), "");
    EXPECT_FALSE(voice.IsPlaying());
    EXPECT_TRUE(voice.GetNames().empty());
}

TEST_F(SoundPageTest, TheMusicTestIsInertWhileMusicPlays) {
    Enter();
    ASSERT_TRUE(Bank().Load(0, 3, CSoundOptionPage::kMusicTest));
    Bank().Play(0, 3, 0, 0, 0);
    OpenPage(CSoundOptionPage::kPageId);
    ASSERT_TRUE(Snd()->MusicWasPlaying());
    EXPECT_TRUE(Snd()->GetTestButton(0).IsChecked());
    Test(CSoundOptionPage::TEST_MUSIC);
    EXPECT_EQ(Bank().GetName(0, kSlot), "");
    EXPECT_TRUE(Snd()->GetTestButton(0).IsChecked());
    Test(CSoundOptionPage::TEST_EFFECT);
    EXPECT_TRUE(Bank().IsPlaying(1, kSlot)) << "the effect test works";
}

TEST_F(SoundPageTest, DraggingASliderAppliesTheVolumeEveryFrame) {
    Open();
    Test(CSoundOptionPage::TEST_EFFECT);
    const SPoint fill{245, 220};  // the effect volume's slider
    // Held down across frames while the pointer moves along the slider.
    d.Move(fill.x + 1, fill.y + 4);
    d.Game().GetMouse().ButtonDown(CMouse::kLeft);
    d.Frame();
    EXPECT_EQ(Live().m_EffectVolume, 0);
    EXPECT_EQ(Bank().GetGroupVolume(CSoundBank::GROUP_EFFECT), 0);
    EXPECT_TRUE(Snd()->GetStepButton(2).IsLocked());
    d.Move(fill.x + 120, fill.y + 4);
    d.Frame();
    EXPECT_EQ(Live().m_EffectVolume, 55);
    EXPECT_EQ(Bank().GetGroupVolume(CSoundBank::GROUP_EFFECT), 55);
    EXPECT_EQ(d.Game().GetChannel(0)->GetVolume(), (55 * 50 / 100) * 10);
    EXPECT_FALSE(Snd()->GetStepButton(2).IsLocked());
    d.Game().GetMouse().ButtonUp(CMouse::kLeft);
    d.Frame();
    ClickAt(SPoint{498, 217}, 4, 4);  // its plus button
    EXPECT_EQ(Live().m_EffectVolume, 60);
}

}  // namespace
