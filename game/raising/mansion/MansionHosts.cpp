#include "game/raising/mansion/MansionHosts.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/MansionHostMode.h"

namespace {

constexpr int32_t kSuppressed = 2;
constexpr int32_t kNormal = 0;

void SetInputMode(CGameMain& game, int32_t mode) {
    game.GetKeyboard().SuppressInput(mode);
    game.GetMouse().SuppressInput(mode);
}

}  // namespace

// MakeMansionMenuScreen and MakeShopScreen are defined with the screens
// (game/raising/mansionmenu).

void UpdateStageWithoutInput(CRaisingScene& scene) {
    SetInputMode(scene.GetGameMain(), kSuppressed);
    scene.Stage().UpdateStage();
    SetInputMode(scene.GetGameMain(), kNormal);
}

// ---- mode 0 ----

CBellHostMode::CBellHostMode(CMansionHostMode& host, std::unique_ptr<CMansionMenuScreen> menu)
    : CModeHostState(host.GetOwner(), nullptr, ELayer::OVER_WINDOW), m_Host(host), m_Menu(menu.get()) {
    m_Screen = std::move(menu);
}

void CBellHostMode::Update() {
    if (m_Menu == nullptr) {
        if (!m_Left) m_Host.SetSideMode(CMansionHostMode::EXIT, 1, 30);
        m_Left = true;
        return;
    }
    if (!m_Menu->IsPanelOpen()) {
        if (!m_Owner.Stage().UpdateStage()) m_Menu->Update();
        return;
    }
    m_Menu->Update();
    UpdateStageWithoutInput(m_Owner);
}

void CBellHostMode::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    if (m_Menu) m_Menu->Draw();
}

// ---- mode 5 ----

CShopHostMode::CShopHostMode(CMansionHostMode& host, std::unique_ptr<CShopScreen> shop)
    : CModeHostState(host.GetOwner(), nullptr, ELayer::OVER_WINDOW), m_Host(host), m_Shop(shop.get()) {
    m_Screen = std::move(shop);
}

CShopHostMode::~CShopHostMode() { m_Owner.Stage().SetCancelLock(false); }

void CShopHostMode::Update() {
    if (m_Shop == nullptr) {
        if (!m_Left) m_Host.ReturnToMenu(0, 0);
        m_Left = true;
        return;
    }
    const int32_t step = m_Shop->GetStep();
    if (step == 0 || step == 1) {
        if (!m_Owner.Stage().UpdateStage()) m_Shop->Update();
        return;
    }
    m_Shop->Update();
    UpdateStageWithoutInput(m_Owner);
}

void CShopHostMode::PrepareThumbnail() {
    if (m_Shop && m_Shop->GetStep() >= 2) {
        m_Shop->Draw();
    } else {
        DrawStageThumbnail(m_Owner);
    }
}
