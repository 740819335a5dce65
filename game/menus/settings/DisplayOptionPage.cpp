#include "game/menus/settings/DisplayOptionPage.h"

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/SliderSet.h"
#include "game/menus/settings/SystemMenuScene.h"

namespace {

// The screen mode of buttons 0 to 3: the window, full screen (32 bits), 16 and 32 bits.
constexpr int32_t kModes[4] = {0, 32, 16, 32};

void SetPair(CButton& on, CButton& off, bool isOn) {
    isOn ? on.SetChecked() : on.SetUnchecked();
    isOn ? off.SetUnchecked() : off.SetChecked();
}

}  // namespace

void CDisplayOptionPage::Load() {
    m_Background.LoadFile(kBackgroundFile);
    CImagePlane& sheet = m_Owner.GetOptionSheet();
    for (int i = 0; i < kButtonCount; ++i) {
        CButton& b = m_Buttons[static_cast<size_t>(i)];
        b.Setup(&sheet, CSystemMenuScene::kOptionColumns, CSystemMenuScene::kOptionRows,
                SettingsButtonCells(kColumns[static_cast<size_t>(i)], true));
        b.SetPosition(kPlaces[static_cast<size_t>(i)].x, kPlaces[static_cast<size_t>(i)].y);
    }
    Refresh();
    SlideIn();
}

void CDisplayOptionPage::Refresh() {
    CSystemData& sd = Settings();
    // Buttons 0 to 3 for the window, 16 and 32 bits; another stored value changes none.
    static constexpr struct {
        int32_t mode;
        bool on[4];
    } kLooks[] = {{0, {true, false, false, false}}, {16, {false, true, true, false}}, {32, {false, true, false, true}}};
    for (const auto& look : kLooks) {
        if (look.mode != sd.m_ScreenMode) continue;
        for (size_t i = 0; i < 4; ++i) {
            look.on[i] ? m_Buttons[i].SetChecked() : m_Buttons[i].SetUnchecked();
        }
    }
    for (int s = 0; s < 4; ++s) {
        SetPair(m_Buttons[static_cast<size_t>(4 + 2 * s)], m_Buttons[static_cast<size_t>(5 + 2 * s)], sd.GetOption(s) != 0);
    }
    Game().ApplySoundVolumes();
    // A switch made here (a mode button, the defaults) is the settings' own: seen as
    // a change from outside, it would be copied into the entry copy and the cancel
    // button could no longer undo it.
    m_LastScreenMode = Game().GetScreenMode();
}

void CDisplayOptionPage::Update() {
    FeedButtons(Buttons());
    StepSlide();
    const int32_t mode = Game().GetScreenMode();
    if (mode != m_LastScreenMode) {
        // Changed outside the page: the entry copy follows, so cancel keeps the window as it is.
        Settings().m_ScreenMode = mode;
        m_Owner.GetBackup().m_ScreenMode = mode;
        Refresh();
    }
    m_LastScreenMode = mode;
    if (!TakesClicks()) {
        return;
    }
    for (int i = 0; i < kButtonCount; ++i) {
        if (PlayButtonSounds(Game(), m_Buttons[static_cast<size_t>(i)])) {
            _Press(i);
        }
    }
}

void CDisplayOptionPage::_Press(int button) {
    CSystemData& sd = Settings();
    if (button < 4) {
        // The switch itself is Refresh's ApplySoundVolumes, which tries a failing
        // display change once.
        sd.m_ScreenMode = kModes[button];
    } else {
        const int s = (button - 4) / 2;
        sd.SetOption(s, button % 2 == 0 ? 1 : 0);
    }
    Refresh();
}
