#include "game/menus/sample/PagedSampleScene.h"

#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/menus/sample/SampleScenes.h"

void CPagedSampleScene::Load() {
    sample::WriteCaption(m_CaptionPlane, m_Caption);
    LoadItems();
    ShowPage();
}

void CPagedSampleScene::Update() {
    if (sample::StepByKeys(m_Game.GetKeyboard(), VKey::kLeft, VKey::kRight, &m_EffectPage)) {
        ShowPage();
    }
    StepItems();
}

void CPagedSampleScene::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(sample::kBackground);
    }
    DrawItems();
    sample::DrawCaption(m_CaptionPlane);
}
