#include "game/menus/settings/SoundOptionPage.h"

#include <algorithm>

#include "engine/sound/FadeSoundList.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/SystemMenuScene.h"

CSoundOptionPage::~CSoundOptionPage() {
    CGameMain& game = Game();
    CSoundBank& bank = game.GetSoundBank();
    bank.Stop(CSoundBank::GROUP_MUSIC, kTestSlot, 0);
    bank.Unload(CSoundBank::GROUP_MUSIC, kTestSlot);
    bank.Stop(CSoundBank::GROUP_EFFECT, kTestSlot, 0);
    bank.Unload(CSoundBank::GROUP_EFFECT, kTestSlot);
    game.GetVoiceList().Stop();
    game.GetVoiceList().Unload();
}

void CSoundOptionPage::Load() {
    const CSoundBank& bank = Game().GetSoundBank();
    for (int slot = 0; slot < CSoundBank::kSlotCount && !m_MusicWasPlaying; ++slot) {
        m_MusicWasPlaying = bank.IsPlaying(CSoundBank::GROUP_MUSIC, slot);
    }
    m_Background.LoadFile(kBackgroundFile);
    for (int i = 0; i < kTestCount; ++i) {
        CButton& b = m_Tests[static_cast<size_t>(i)];
        // Toggles: pressing a held test releases it.
        b.SetReactWhenChecked(true);
        b.Setup(&m_Owner.GetOptionSheet(), CSystemMenuScene::kOptionColumns, CSystemMenuScene::kOptionRows,
                SettingsButtonCells(kTestColumn));
        b.SetPosition(kTestPlaces[static_cast<size_t>(i)].x, kTestPlaces[static_cast<size_t>(i)].y);
    }
    if (m_MusicWasPlaying) {
        // The music that plays is not replaced by the test: shown held, and inert.
        CButton& music = m_Tests[TEST_MUSIC];
        music.SetChecked();
        music.SetReactWhenChecked(false);
        music.SetReactWhenUnchecked(false);
    }
    m_Sliders.Load(kLayout);
    Refresh();
    SlideIn();
}

namespace {
constexpr SSliderFields kSliderFields = {&CSystemData::m_MusicVolume, &CSystemData::m_EffectVolume,
                                         &CSystemData::m_VoiceVolume};
}  // namespace

std::array<int32_t, CSliderSet::kCount> CSoundOptionPage::_Values() { return SliderValues(Settings(), kSliderFields); }

void CSoundOptionPage::_SetValue(int slider, int32_t value) { SetSliderValue(Settings(), kSliderFields, slider, value); }

void CSoundOptionPage::Refresh() {
    m_Sliders.Lock(_Values());
    Game().ApplySoundVolumes();
}

void CSoundOptionPage::Update() {
    // The voice channel's fades are stepped by the game object's own frame update.
    FeedButtons(Buttons());
    FeedButtons(m_Sliders.StepButtons());
    StepSlide();
    if (!TakesClicks()) {
        return;
    }
    CGameMain& game = Game();
    int32_t value = 0;
    if (const int held = m_Sliders.Held(game, &value); held >= 0) {
        // Every frame while held, changed or not: a playing test follows at once.
        _SetValue(held, value);
        Refresh();
    }
    for (int i = 0; i < kTestCount; ++i) {
        CButton& b = m_Tests[static_cast<size_t>(i)];
        if (PlayButtonSounds(game, b)) {
            _StartTest(i);
        } else if (b.BecameUnchecked()) {
            game.PlayChannel2();
            _StopTest(i);
        }
    }
    int32_t delta = 0;
    if (const int slider = m_Sliders.PressedStep(game, &delta); slider >= 0) {
        _SetValue(slider, _Values()[static_cast<size_t>(slider)] + delta);
        Refresh();
    }
}

void CSoundOptionPage::_StartTest(int test) {
    CGameMain& game = Game();
    CSoundBank& bank = game.GetSoundBank();
    if (test == TEST_VOICE) {
        CFadeSoundList& voice = game.GetVoiceList();
        voice.LoadList(static_cast<int>(kVoiceTests.size()), kVoiceTests.data(), true);
        voice.SetVolume(Settings().m_VoiceVolume * 10);
        voice.SetPan(0);
        voice.Play(1, 0);
        return;
    }
    const int group = test == TEST_MUSIC ? CSoundBank::GROUP_MUSIC : CSoundBank::GROUP_EFFECT;
    bank.Load(group, kTestSlot, test == TEST_MUSIC ? kMusicTest : kEffectTest);
    bank.SetPan(group, kTestSlot, 0);
    // Slot volume 100 is the whole group volume, which the slider sets.
    bank.SetVolume(group, kTestSlot, 100);
    // Played once; the button stays held until it is pressed again.
    bank.Play(group, kTestSlot, 1, 0, 0);
}

void CSoundOptionPage::_StopTest(int test) {
    CGameMain& game = Game();
    if (test == TEST_VOICE) {
        game.GetVoiceList().Stop();
        game.GetVoiceList().Unload();
        return;
    }
    const int group = test == TEST_MUSIC ? CSoundBank::GROUP_MUSIC : CSoundBank::GROUP_EFFECT;
    game.GetSoundBank().Stop(group, kTestSlot, 0);
    game.GetSoundBank().Unload(group, kTestSlot);
}

void CSoundOptionPage::Draw() {
    if (!IsDrawn()) {
        return;
    }
    CMenuPage::Draw();
    m_Sliders.Draw(_Values(), Transform());
}

void CSoundOptionPage::OnDeviceRestored() {
    CMenuPage::OnDeviceRestored();
    m_Sliders.Restore();
}
