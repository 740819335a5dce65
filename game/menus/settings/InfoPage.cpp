#include "game/menus/settings/InfoPage.h"

#include "engine/base/ShellOpen.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"

void CInfoPage::Load() {
    m_Background.LoadFile(kBackgroundFile);
    m_LinkSheet.LoadFile(kLinkSheet);
    m_DigitSheet.LoadFile(kDigitSheet);
    m_Link.SetMomentary(true);
    m_Link.Setup(&m_LinkSheet, 1, 3,
                 {CButton::SCell{0, 0}, CButton::SCell{0, 1}, CButton::SCell{0, 2}, CButton::SCell{0, 2},
                  CButton::SCell{0, 2}});
    m_Link.SetPosition(kLinkAt.x, kLinkAt.y);
    for (CCellImage& cells : m_DigitCells) {
        cells.Set(&m_DigitSheet, kDigitColumns, 1);
    }
    SlideIn();
}

void CInfoPage::Update() {
    FeedButtons(Buttons());
    StepSlide();
    if (!TakesClicks()) {
        return;
    }
    if (m_Link.HoverBegan()) {
        Game().PlayChannel1();
    }
    // The momentary button releases itself once per press: one opening per press.
    if (!m_Link.BecameUnchecked()) {
        return;
    }
    CGameMain& game = Game();
    game.PlayChannel0();
    if (game.GetScreenMode() != 0) {
        // A browser cannot show over a full screen.
        game.GetSystemData().m_ScreenMode = 0;
        game.ApplySoundVolumes();
    }
    // Nothing is shown when it fails; the opener logs it.
    OpenWithShell(game.GetHWnd(), kAddress, "open");
}

void CInfoPage::Draw() {
    if (!IsDrawn()) {
        return;
    }
    CMenuPage::Draw();
    for (size_t i = 0; i < m_DigitCells.size(); ++i) {
        m_DigitCells[i].DrawCellColored(kDigits[i], 0, kDigitPlaces[i].x, kDigitPlaces[i].y, Transform());
    }
}

void CInfoPage::OnDeviceRestored() {
    CMenuPage::OnDeviceRestored();
    for (CCellImage& cells : m_DigitCells) {
        cells.Set(&m_DigitSheet, kDigitColumns, 1);
    }
}
