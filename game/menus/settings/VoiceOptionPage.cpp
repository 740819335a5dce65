#include "game/menus/settings/VoiceOptionPage.h"

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/SliderSet.h"
#include "game/menus/settings/SystemMenuScene.h"

void CVoiceOptionPage::Load() {
    m_Background.LoadFile(kBackgroundFile);
    for (int n = 0; n < kButtonCount; ++n) {
        CButton& b = m_Buttons[static_cast<size_t>(n)];
        b.Setup(&m_Owner.GetOptionSheet(), CSystemMenuScene::kOptionColumns, CSystemMenuScene::kOptionRows,
                SettingsButtonCells(n % 2 == 0 ? kOnColumn : kOffColumn));
        b.SetPosition(Place(n).x, Place(n).y);
        // The pictures' margins do not count: 4 pixels off the top and bottom, 45 off the right.
        SRect hit = b.GetRect();
        hit.top += 4;
        hit.bottom -= 4;
        hit.right -= kRightMargin;
        b.SetHitRect(hit);
    }
    Refresh();
    SlideIn();
}

void CVoiceOptionPage::Refresh() {
    const CSystemData& sd = Settings();
    for (int j = 0; j < CSystemData::kVoiceSwitchCount; ++j) {
        const bool on = sd.GetVoiceSwitch(j) != 0;
        CButton& onButton = m_Buttons[static_cast<size_t>(2 * j)];
        CButton& offButton = m_Buttons[static_cast<size_t>(2 * j + 1)];
        on ? onButton.SetChecked() : onButton.SetUnchecked();
        on ? offButton.SetUnchecked() : offButton.SetChecked();
    }
    Game().ApplySoundVolumes();
}

void CVoiceOptionPage::Update() {
    FeedButtons(Buttons());
    StepSlide();
    if (!TakesClicks()) {
        return;
    }
    for (int n = 0; n < kButtonCount; ++n) {
        if (PlayButtonSounds(Game(), m_Buttons[static_cast<size_t>(n)])) {
            Settings().SetVoiceSwitch(n / 2, n % 2 == 0 ? 1 : 0);
            Refresh();
        }
    }
}
