#include "game/menus/sample/BalloonSampleScene.h"

#include "engine/base/StringUtil.h"
#include "game/menus/sample/SampleScenes.h"
#include "game/stage/message/BalloonWindow.h"

CBalloonSampleScene::CBalloonSampleScene(CGameMain& game)
    : CPagedSampleScene(game, "吹き出し表示サンプル：[←][→]で表示切り替え") {
    for (auto& balloon : m_Balloons) {
        balloon = std::make_unique<CBalloonWindow>(&game, nullptr);
    }
}

CBalloonSampleScene::~CBalloonSampleScene() = default;

void CBalloonSampleScene::LoadItems() {
    m_FramePicture.Load("obj\\f000_000.bmp");
    for (int32_t i = 0; i < kBalloons; ++i) {
        CBalloonWindow& balloon = GetBalloon(i);
        balloon.SetFrameSheet(&m_FramePicture, kStyles);
        balloon.SetPosition((i / 2) * 400 + 20, (i % 2) * 300 + 80);
    }
}

void CBalloonSampleScene::RefreshBalloons() {
    for (int32_t i = 0; i < kBalloons; ++i) {
        const int32_t n = i + 4 * GetEffectPage();
        CBalloonWindow& balloon = GetBalloon(i);
        balloon.SetFrameStyle(n % kStyles);
        balloon.SetInEffect(n, kEffectFrames);
        balloon.SetOutEffect(n, kEffectFrames);
        CTextObject& text = balloon.GetTextObject();
        text.SetDisplayEffect(1);
        text.SetDisplayParams(10, 2);
        balloon.SetText(FormatString(sample::kEffectLine, n));
        balloon.Open();
        m_WaitFrames[static_cast<size_t>(i)] = 0;
    }
}

void CBalloonSampleScene::StepItems() {
    for (int32_t i = 0; i < kBalloons; ++i) {
        CBalloonWindow& balloon = GetBalloon(i);
        int32_t& wait = m_WaitFrames[static_cast<size_t>(i)];
        balloon.Update();
        if (balloon.IsBusy()) {
            continue;
        }
        if (balloon.IsShown()) {
            balloon.Close();
        } else if (++wait > kClosedFrames) {
            balloon.Reset();
            balloon.Open();
            wait = 0;
        }
    }
}

void CBalloonSampleScene::DrawItems() {
    for (auto& balloon : m_Balloons) {
        balloon->Draw();
    }
}

void CBalloonSampleScene::OnDeviceRestored() {
    for (auto& balloon : m_Balloons) {
        balloon->OnDeviceRestored();
    }
}
