#include "game/menus/sample/BalloonSampleScene.h"

#include "engine/base/StringUtil.h"
#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/menus/sample/SampleScenes.h"
#include "game/stage/message/BalloonWindow.h"

namespace {

constexpr const char* kCaption = "吹き出し表示サンプル：[←][→]で表示切り替え";

}  // namespace

CBalloonSampleScene::CBalloonSampleScene(CGameMain& game) : m_Game(game) {
    for (auto& balloon : m_Balloons) {
        balloon = std::make_unique<CBalloonWindow>(&game, nullptr);
    }
}

CBalloonSampleScene::~CBalloonSampleScene() = default;

void CBalloonSampleScene::Load() {
    sample::WriteCaption(m_CaptionPlane, kCaption);
    m_FramePicture.Load("obj\\f000_000.bmp");
    for (int32_t i = 0; i < kBalloons; ++i) {
        CBalloonWindow& balloon = GetBalloon(i);
        balloon.SetFrameSheet(&m_FramePicture, kStyles);
        balloon.SetPosition((i / 2) * 400 + 20, (i % 2) * 300 + 80);
    }
    RefreshBalloons();
}

void CBalloonSampleScene::RefreshBalloons() {
    for (int32_t i = 0; i < kBalloons; ++i) {
        const int32_t n = i + 4 * m_EffectPage;
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

void CBalloonSampleScene::Update() {
    bool changed = false;
    m_EffectPage = sample::StepPage(m_Game, m_EffectPage, &changed);
    if (changed) {
        RefreshBalloons();
    }
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

void CBalloonSampleScene::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(sample::kBackground);
    }
    for (auto& balloon : m_Balloons) {
        balloon->Draw();
    }
    sample::DrawCaption(m_CaptionPlane);
}

void CBalloonSampleScene::OnDeviceRestored() {
    for (auto& balloon : m_Balloons) {
        balloon->OnDeviceRestored();
    }
}
