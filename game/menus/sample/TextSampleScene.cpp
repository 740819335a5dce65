#include "game/menus/sample/TextSampleScene.h"

#include "engine/base/StringUtil.h"
#include "game/menus/sample/SampleScenes.h"

CTextSampleScene::CTextSampleScene(CGameMain& game)
    : CPagedSampleScene(game, "文字表示サンプル：[←][→]で表示切り替え") {}

CTextSampleScene::~CTextSampleScene() = default;

void CTextSampleScene::LoadItems() {
    for (int32_t i = 0; i < kLines; ++i) {
        CTextObject& line = GetLine(i);
        line.GetFont().SetSize(22);
        line.SetPosition((i / 5) * 400 + 5, (i % 5) * 100 + 80);
    }
}

void CTextSampleScene::RefreshTexts() {
    for (int32_t i = 0; i < kLines; ++i) {
        const int32_t n = i + 10 * GetEffectPage();
        CTextObject& line = GetLine(i);
        line.SetDisplayEffect(n);
        line.SetDisplayParams(30, 5);
        line.SetText(FormatString(sample::kEffectLine, n));
        line.Start();
    }
}

void CTextSampleScene::StepItems() {
    for (CTextObject& line : m_Texts) {
        line.Update();
        if (!line.IsActive()) {
            line.Stop();
            line.Start();
        }
    }
}

void CTextSampleScene::DrawItems() {
    for (CTextObject& line : m_Texts) {
        line.Draw();
    }
}

void CTextSampleScene::OnDeviceRestored() {
    for (CTextObject& line : m_Texts) {
        line.OnDeviceRestored();
    }
}
