#include "game/menus/title/OpeningScene.h"

#include <algorithm>

#include "engine/base/SinTable.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/title/Ambient.h"

namespace {

constexpr int32_t kFullTurn = 512;
constexpr int32_t kTurnFrames = 30;

}  // namespace

void COpeningScene::Load() {
    BeginWideBackground();
    m_Title.LoadFile(kTitle);
    m_Prompt.LoadFile(kPrompt);
    m_Swing.LoadFile(kSwing);
    m_TitleFade.Attach(&m_Title);
    m_TitleFade.SetParams(336, 32);
    m_TitleFade.SetAlpha(256);
    m_TitleFade.SetDuration(80);
    m_PromptFade.Attach(&m_Prompt);
    m_PromptFade.SetParams(512, 552);
    m_PromptFade.SetAlpha(256);
    m_PromptFade.SetDuration(20);
    StartAmbient(m_Game, kAmbientFadeInMs, false);
    m_Game.m_GameInProgress = 0;
    m_Game.m_ReplayFlag = 0;
}

void COpeningScene::Update() {
    m_Game.StepWideBackground();
    m_TitleFade.Update();
    m_PromptFade.Update();
    switch (m_State) {
    case 0:
        if (!m_Game.GetSceneManager().IsInTransition()) {
            m_TitleFade.Start();
            m_State = 1;
        }
        break;
    case 1:
        if (m_TitleFade.IsActive() && !m_TitleFade.IsPlaying()) {
            m_State = 2;
        }
        break;
    case 2:
        m_PromptFade.Start();
        m_State = 3;
        break;
    case 3:
        if (m_PromptFade.IsActive() && !m_PromptFade.IsPlaying()) {
            m_State = 4;
        }
        break;
    case 4:
        m_Alpha = std::min(m_Alpha + 4, 255);
        m_Angle = (CSinTable::Sin(m_Phase) * 10) >> 16;
        m_Phase += 4;
        if (m_Phase > 511) {
            m_Phase -= 512;
        }
        if (IsDecidePressed() || IsCancelPressed()) {
            m_State = 5;
            m_Turn.Set(m_Angle, kFullTurn, -kTurnFrames);
            m_PromptFade.Finish();
            m_Game.PlayChannel0();
        }
        break;
    case 5:
        m_Alpha = std::max(m_Alpha - 9, 0);
        m_Turn.Next();
        if (!m_Turn.IsAtEnd()) {
            m_Angle = m_Turn.GetValue();
            break;
        }
        m_State = 6;
        m_Phase = 0;
        [[fallthrough]];
    case 6:
        // The go-to runs before the next update, so this is asked once.
        RequestGotoScene(7, 0, 0);
        break;
    default:
        break;
    }
}

CMatrix4 COpeningScene::SwingMatrix(int32_t angle, int32_t width, int32_t height) {
    CMatrix4 toCentre;
    MatrixTranslation(&toCentre, -width / 2.0f, -height / 2.0f, 0.0f);
    // Row vectors, y down: x' = x c - y s, y' = x s + y c turns clockwise on screen.
    CMatrix4 turn;
    MatrixRotationSin(&turn, angle);
    CMatrix4 back;
    MatrixTranslation(&back, width / 2.0f + kSwingX, height / 2.0f + kSwingY, 0.0f);
    CMatrix4 out;
    MatrixMultiply(&out, &toCentre, &turn);
    MatrixMultiply(&out, &out, &back);
    return out;
}

void COpeningScene::Draw() {
    m_Game.DrawWideBackground();
    m_TitleFade.Draw();
    m_PromptFade.Draw();
    if (m_State < 4) {
        return;
    }
    int32_t w = 0;
    int32_t h = 0;
    m_Swing.GetSize(&w, &h);
    const uint32_t colour = static_cast<uint32_t>(m_Alpha) << 24 | 0x00FFFFFFu;
    CScreenRenderer* renderer = m_Game.GetRenderer();
    if (renderer) renderer->SetTextureFilter(2, 2);
    m_Swing.DrawMatrix(0, 0, SwingMatrix(m_Angle, w, h), colour);
    if (renderer) renderer->SetTextureFilter(1, 1);
}
