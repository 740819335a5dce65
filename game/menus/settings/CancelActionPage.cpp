#include "game/menus/settings/CancelActionPage.h"

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/SliderSet.h"
#include "game/menus/settings/SystemMenuScene.h"

void CCancelActionPage::Load() {
    m_Background.LoadFile(kBackgroundFile);
    for (int k = 0; k < kButtonCount; ++k) {
        CButton& b = m_Buttons[static_cast<size_t>(k)];
        b.Setup(&m_Owner.GetOptionSheet(), CSystemMenuScene::kOptionColumns, CSystemMenuScene::kOptionRows,
                SettingsButtonCells(kFirstColumn + k));
        b.SetPosition(Place(k).x, Place(k).y);
    }
    Refresh();
    SlideIn();
}

void CCancelActionPage::Refresh() {
    const int32_t action = Settings().m_CancelAction;
    for (int k = 0; k < kButtonCount; ++k) {
        k == action ? m_Buttons[static_cast<size_t>(k)].SetChecked() : m_Buttons[static_cast<size_t>(k)].SetUnchecked();
    }
    Game().ApplySoundVolumes();
}

void CCancelActionPage::Update() {
    FeedButtons(Buttons());
    StepSlide();
    if (!TakesClicks()) {
        return;
    }
    for (int k = 0; k < kButtonCount; ++k) {
        if (PlayButtonSounds(Game(), m_Buttons[static_cast<size_t>(k)])) {
            Settings().m_CancelAction = k;
            Refresh();
        }
    }
}
