#include "game/menus/sample/TextSampleScene.h"

#include "engine/base/StringUtil.h"
#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/menus/sample/SampleScenes.h"

namespace {

constexpr const char* kCaption = "文字表示サンプル：[←][→]で表示切り替え";

}  // namespace

CTextSampleScene::CTextSampleScene(CGameMain& game) : m_Game(game) {}

CTextSampleScene::~CTextSampleScene() = default;

void CTextSampleScene::Load() {
    sample::WriteCaption(m_CaptionPlane, kCaption);
    for (int32_t i = 0; i < kLines; ++i) {
        CTextObject& line = GetLine(i);
        line.GetFont().SetSize(22);
        line.SetPosition((i / 5) * 400 + 5, (i % 5) * 100 + 80);
    }
    RefreshTexts();
}

void CTextSampleScene::RefreshTexts() {
    for (int32_t i = 0; i < kLines; ++i) {
        const int32_t n = i + 10 * m_EffectPage;
        CTextObject& line = GetLine(i);
        line.SetDisplayEffect(n);
        line.SetDisplayParams(30, 5);
        line.SetText(FormatString(sample::kEffectLine, n));
        line.Start();
    }
}

void CTextSampleScene::Update() {
    bool changed = false;
    m_EffectPage = sample::StepPage(m_Game, m_EffectPage, &changed);
    if (changed) {
        RefreshTexts();
    }
    for (CTextObject& line : m_Texts) {
        line.Update();
        if (!line.IsActive()) {
            line.Stop();
            line.Start();
        }
    }
}

void CTextSampleScene::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(sample::kBackground);
    }
    for (CTextObject& line : m_Texts) {
        line.Draw();
    }
    sample::DrawCaption(m_CaptionPlane);
}

void CTextSampleScene::OnDeviceRestored() {
    for (CTextObject& line : m_Texts) {
        line.OnDeviceRestored();
    }
}
