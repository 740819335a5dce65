#include "game/menus/settings/SystemMenuScene.h"

#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/VoiceOptionPage.h"

std::unique_ptr<CSceneBase> CMenuPageFactory::Create(int32_t id) {
    if (!m_Scene) {
        return nullptr;
    }
    CSystemMenuScene& s = *m_Scene;
    switch (id) {
    case 0: return std::make_unique<CDisplayOptionPage>(s);
    case 1: return std::make_unique<CMessageOptionPage>(s);
    case 2: return std::make_unique<CSoundOptionPage>(s);
    case 3: return std::make_unique<CVoiceOptionPage>(s);
    case 4: return std::make_unique<CCancelActionPage>(s);
    case 5: return std::make_unique<CInfoPage>(s);
    default: return nullptr;
    }
}

CSystemMenuScene::~CSystemMenuScene() {
    // The pages first: their destructors stop the test sounds while the game's sound
    // objects are all there.
    m_Pages.Clear();
    // Stored now, so that a later crash keeps what the player chose.
    m_Game.GetSystemData().Save();
    if (m_UsesWide) {
        m_Game.EndWideBackground();
    }
}

void CSystemMenuScene::Load() {
    m_Backup = m_Game.GetSystemData();
    m_PageFactory.SetScene(this);
    m_Pages.SetFactory(&m_PageFactory);
    // Only the second part of the wide background shows behind the menu.
    m_Game.BeginWideBackground(false, true);
    m_UsesWide = true;
    m_Dimmer.Load();
    m_HeaderLeft.LoadFile(kHeaderLeft);
    m_HeaderRight.LoadFile(kHeaderRight);
    m_CommandSheet.LoadFile(kCommandSheet);
    m_OptionSheet.LoadFile(kOptionSheet);
    CMenuTabBar::SOptions bar;
    bar.cleared = {false, false, true, true, true, false};
    m_TabBar.Load(m_Game, kOwnTab, bar);
    for (int i = 0; i < kCommandCount; ++i) {
        CImageButton& b = m_Commands[static_cast<size_t>(i)];
        b.SetupColumn(&m_CommandSheet, kCommandCount, 5, i);
        b.SetPosition(kCommandPlaces[static_cast<size_t>(i)].x, kCommandPlaces[static_cast<size_t>(i)].y);
    }
    m_Commands[COMMAND_DEFAULTS].SetMomentary(true);
    m_Pages.Add(0, 0);
    if (CMenuPage* first = FindPage(0)) {
        first->Shown();
    }
    m_Commands[0].SetChecked();
}

CMenuPage* CSystemMenuScene::FindPage(int32_t id) const { return dynamic_cast<CMenuPage*>(m_Pages.Find(id)); }

void CSystemMenuScene::Update() {
    m_Game.StepWideBackground();
    m_Pages.Update();
    const bool transition = IsTopSceneInTransition();
    const SPoint at = m_Game.GetMouse().GetPosition();
    // The tab bar takes the pointer only outside a transition.  The command buttons
    // follow it during one but take no click: their answers below are skipped then, and
    // a button checked without its answer (the cancel button, a page button) would stay
    // checked and refuse every later click.
    const bool decide = !transition && IsDecidePressed();
    for (CImageButton& b : m_Commands) {
        b.Update(at.x, at.y, decide);
        b.Step();
    }
    if (m_TabBar.Update(m_Game) >= 0 || transition) {
        return;
    }
    for (int i = 0; i < kCommandCount; ++i) {
        if (!PlayButtonSounds(m_Game, m_Commands[static_cast<size_t>(i)])) {
            continue;
        }
        if (i < CMenuPageFactory::kPageCount) {
            _ShowPage(i);
        } else if (i == COMMAND_DEFAULTS) {
            ResetToDefaults();
        } else {
            _Leave(i == COMMAND_CANCEL);
            return;
        }
    }
    if (IsCancelPressed()) {
        // The cancel input is not the cancel button: the edits stay.
        RequestReturnScene(kTransition, kFrames);
        m_Game.PlayChannel2();
    }
}

void CSystemMenuScene::_ShowPage(int32_t page) {
    for (int32_t id = 0; id < CMenuPageFactory::kPageCount; ++id) {
        CMenuPage* other = id == page ? nullptr : FindPage(id);
        if (other && other->GetState() != CMenuPage::STATE_SLIDING_OUT && other->GetState() != CMenuPage::STATE_HIDDEN) {
            other->SlideOut();
        }
    }
    m_Pages.Add(page, page);
    for (int i = 0; i < CMenuPageFactory::kPageCount; ++i) {
        CImageButton& b = m_Commands[static_cast<size_t>(i)];
        i == page ? b.SetChecked() : b.SetUnchecked();
    }
}

void CSystemMenuScene::ResetToDefaults() {
    m_Game.GetSystemData().SetDefaultSettings();
    m_Game.ApplySoundVolumes();
    for (int32_t id = 0; id < CMenuPageFactory::kPageCount; ++id) {
        if (CMenuPage* page = FindPage(id)) {
            page->RefreshForDefaults();
        }
    }
}

void CSystemMenuScene::_Leave(bool restore) {
    RequestReturnScene(kTransition, kFrames);
    if (restore) {
        m_Game.GetSystemData() = m_Backup;
        m_Game.ApplySoundVolumes();
        m_Game.PlayChannel2();
    }
}

void CSystemMenuScene::Draw() {
    m_Game.DrawWideBackground();
    m_Dimmer.Draw();
    m_HeaderLeft.Draw(0, 0);
    m_HeaderRight.Draw(kHeaderRightAt.x, kHeaderRightAt.y);
    m_TabBar.Draw();
    for (CImageButton& b : m_Commands) {
        b.DrawPlain();
    }
    m_Pages.Draw();
}

void CSystemMenuScene::OnDeviceRestored() {
    m_TabBar.Restore();
    for (CImageButton& b : m_Commands) {
        b.Restore();
    }
    m_Dimmer.Restore();
    m_Pages.OnDeviceRestored();
}
