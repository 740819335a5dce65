#pragma once
// Page 2 of the settings menu: music, effect and voice volumes with three sliders and
// their minus and plus buttons, and a test button for each kind of sound that plays a
// sample while it is held down.  Every change is applied at once, so a playing test
// sound follows the slider.  Leaving the page ends every test sound.
#include <array>
#include <cstdint>

#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"
#include "game/menus/settings/SliderSet.h"

class CSoundOptionPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 2;
    static constexpr const char* kBackgroundFile = "obj\\c000_030.bmp";
    static constexpr int kTestCount = 3;
    enum ETest { TEST_MUSIC = 0, TEST_EFFECT = 1, TEST_VOICE = 2 };
    static constexpr int32_t kTestColumn = 8;
    static constexpr std::array<SPoint, kTestCount> kTestPlaces = {SPoint{536, 157}, SPoint{536, 205}, SPoint{536, 253}};
    static constexpr int kTestSlot = 28;
    static constexpr const char* kMusicTest = "bgm\\BGM_002.ogg";
    static constexpr const char* kEffectTest = "se\\se_264.ogg";
    static constexpr std::array<const char*, 7> kVoiceTests = {
        "voice\\lu5_0000.ogg", "voice\\ta5_0000.ogg", "voice\\py5_0000.ogg", "voice\\me5_0000.ogg",
        "voice\\cu5_0000.ogg", "voice\\pa5_0000.ogg", "voice\\ma5_0000.ogg"};
    static constexpr CSliderSet::SLayout kLayout = {
        {SPoint{232, 152}, SPoint{232, 200}, SPoint{232, 248}},
        {SPoint{245, 172}, SPoint{245, 220}, SPoint{245, 268}},
        {SPoint{207, 168}, SPoint{498, 168}, SPoint{207, 217}, SPoint{498, 217}, SPoint{207, 263}, SPoint{498, 263}}};

    explicit CSoundOptionPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) {}
    ~CSoundOptionPage() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void Refresh() override;

    bool MusicWasPlaying() const { return m_MusicWasPlaying; }
    const CButton& GetTestButton(int i) const { return m_Tests[static_cast<size_t>(i)]; }
    const CButton& GetStepButton(int i) { return m_Sliders.StepButtons()[static_cast<size_t>(i)]; }

protected:
    std::span<CButton> Buttons() override { return m_Tests; }

private:
    std::array<int32_t, CSliderSet::kCount> _Values();
    void _SetValue(int slider, int32_t value);
    void _StartTest(int test);
    void _StopTest(int test);

    bool m_MusicWasPlaying = false;
    std::array<CButton, kTestCount> m_Tests;
    CSliderSet m_Sliders;
};
