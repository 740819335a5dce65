#include "game/menus/title/GameScene.h"

#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"

void CGameScene::ClearToBlack() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(0xFF000000u);
    }
}

CGameScene::~CGameScene() {
    if (m_UsesWide) {
        m_Game.EndWideBackground();
    }
}

void CGameScene::BeginWideBackground() {
    m_Game.BeginWideBackground(true, true);
    m_UsesWide = true;
}
