#include "game/menus/sample/EffectSampleScene.h"

#include "engine/base/StringUtil.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/draw/TransitionMask.h"
#include "engine/image/MaskImage.h"
#include "game/core/GameMain.h"
#include "game/menus/sample/SampleScenes.h"

namespace {

constexpr const char* kCaption = "エフェクトサンプル：[←][→]でエフェクト切り替え";
constexpr const char* kSampleLine = "文字列表示サンプルなのですよ～♪";

}  // namespace

CEffectSampleScene::CEffectSampleScene(CGameMain& game) : m_Game(game) {}

CEffectSampleScene::~CEffectSampleScene() = default;

void CEffectSampleScene::Load() {
    m_PictureA.Load("bg\\bg00e1.bmp");
    m_PictureB.Load("bg\\bg05m.bmp");
    m_Index = 0;
    m_Progress = 0;
    m_TextEffect = 0;
    m_Chosen = false;

    m_SampleText.GetFont().SetSize(22);
    m_SampleText.SetPosition(20, 500);
    _RestartSampleText();

    m_NameText.SetPosition(10, 560);
    m_NameText.GetFont().SetSize(16);
    m_NameText.SetDisplayEffect(1);
    m_NameText.SetDisplayParams(10, 1);
    m_NameText.SetText(FormatString("%02d:%s", 0, CTransitionHolder::GetName(0)));
    m_NameText.Start();

    sample::WriteCaption(m_CaptionPlane, kCaption);

    CMaskImage& mask = GetTransitionMask();
    mask.LoadFromFile("effect\\effect53.bmp", 800, 600);
    mask.SetThreshold(128);
}

void CEffectSampleScene::_RestartSampleText() {
    m_SampleText.SetDisplayEffect(m_TextEffect);
    m_SampleText.SetDisplayParams(25, 3);
    m_SampleText.SetText(kSampleLine);
    m_SampleText.Start();
}

void CEffectSampleScene::Update() {
    m_Progress += kStep;
    if (m_Progress > kCycle) {
        m_Progress -= kCycle;
    }
    const CKeyboard& keys = m_Game.GetKeyboard();
    const bool left = keys.IsPressed(VKey::kLeft);
    const bool right = keys.IsPressed(VKey::kRight);
    if (left) {
        m_Index = m_Index > 0 ? m_Index - 1 : CTransitionHolder::kCount - 1;
        m_Progress = 0;
        m_TransitionHolder.Create(m_Index);
    }
    if (right) {
        m_Index = m_Index < CTransitionHolder::kCount - 1 ? m_Index + 1 : 0;
        m_Progress = 0;
        m_TransitionHolder.Create(m_Index);
    }
    if (left || right) {
        m_Chosen = true;
        m_NameText.SetText(FormatString("%02d:%s", m_Index, CTransitionHolder::GetName(m_Index)));
        m_NameText.Start();
    }
    if (sample::StepByKeys(keys, VKey::kUp, VKey::kDown, &m_TextEffect)) {
        _RestartSampleText();
    }
    // The line's display runs over and over: it starts again as soon as it is out.
    m_SampleText.Update();
    if (!m_SampleText.IsRevealing()) {
        m_SampleText.Stop();
        m_SampleText.Start();
    }
    m_NameText.Update();
}

void CEffectSampleScene::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(0xFF000000u);
    }
    // Before a transition is chosen, A is shown as the start of its first way.
    const int32_t progress = m_Chosen ? m_Progress : 0;
    const bool forward = progress < CTransitionHolder::kProgressMax;
    CImagePlane& outgoing = forward ? m_PictureA : m_PictureB;
    CImagePlane& incoming = forward ? m_PictureB : m_PictureA;
    // A capture that cannot begin (no Direct3D) would draw the picture straight onto the
    // screen: then the pictures are left out.
    if (m_TransitionHolder.BeginOutgoing()) {
        outgoing.Draw(0, 0, 0xFFFFFFFFu);
        m_TransitionHolder.EndOutgoing();
    }
    if (m_TransitionHolder.BeginIncoming()) {
        incoming.Draw(0, 0, 0xFFFFFFFFu);
        m_TransitionHolder.EndIncoming();
    }
    m_TransitionHolder.Draw(forward ? progress : progress - CTransitionHolder::kProgressMax);
    sample::DrawCaption(m_CaptionPlane);
    m_NameText.Draw();
    m_SampleText.Draw();
}

void CEffectSampleScene::OnDeviceRestored() {
    m_NameText.OnDeviceRestored();
    m_SampleText.OnDeviceRestored();
}
