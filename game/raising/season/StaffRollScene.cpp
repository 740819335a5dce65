#include "game/raising/season/StaffRollScene.h"

#include <algorithm>
#include <cmath>

#include "engine/base/Matrix.h"
#include "engine/base/Random.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/sound/SoundBank.h"
#include "game/core/BgmList.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/season/CellPicture.h"

namespace {

constexpr int32_t kFull = 1024;

}  // namespace

void CStaffRollScene::Load() {
    CMainGameScene& stage = m_Owner.Stage();
    stage.SetTalkLayerOn(true);

    m_IntroState = kIntroWait;
    const std::string last = stage.GetLayerFile(CMainGameScene::kBackgroundLayer);
    if (!last.empty()) m_Intro.Load(last);
    const int32_t w = m_Intro.GetWidth();
    m_IntroX.Set(0, kFrameAt.x, kIntroSteps);
    m_IntroY.Set(0, kFrameAt.y, kIntroSteps);
    // Without a picture there is nothing to shrink (and no width to divide by).
    const int32_t scaleEnd = w > 0 ? static_cast<int32_t>(320.0 / w * kFull) : kFull;
    m_IntroScale.Set(kFull, scaleEnd, kIntroSteps);

    CGameMain& game = m_Owner.GetGameMain();
    CSoundBank& bank = game.GetSoundBank();
    for (int g = 0; g < 3; ++g) bank.StopGroup(g, 3000);
    bank.Load(kMusicGroup, kMusicSlot, kMusic);
    bank.SetVolume(kMusicGroup, kMusicSlot, 100);
    bank.SetPan(kMusicGroup, kMusicSlot, 0);
    bank.Play(kMusicGroup, kMusicSlot, 0, 4500, 0);
    LoadBgmList(kMusic, &game.GetSystemData());

    CRandom random;
    const uint32_t draw = random.Random(3);
    m_PageList[0] = -1;
    std::copy(std::begin(kSequences[draw]), std::end(kSequences[draw]), m_PageList.begin() + 1);
    m_PageList[9] = kLastPage;
    m_PageTimer = -150;
}

void CStaffRollScene::LoadState(const CGameState& state) {
    (void)state;
    m_State = kRestoredState;
}

void CStaffRollScene::_Leave() {
    m_Left = true;
    m_Owner.EnterMode1Slow();
}

void CStaffRollScene::_StartLine(int32_t k) {
    m_Lines[k].Load(LinePath(k));
    m_LineActive[k] = true;
    m_LineY[k] = kLineStart;
}

bool CStaffRollScene::_LineOnScreen(int32_t k) const { return m_LineY[k] + m_Lines[k].GetHeight() < 600.0f; }

void CStaffRollScene::Update() {
    if (IsCancelPressed()) {
        // Only the first press acts: the go-to of a second would start the fade again.
        if (!m_Left) {
            m_Owner.GetGameMain().GetSoundBank().StopGroup(kMusicGroup, 500);
            _Leave();
        }
        return;
    }
    _StepPages();

    const int32_t line = (m_State - 100) / 3;
    if (m_State == 0) {
        if (m_IntroState == kIntroDone && m_FrameState == 2) m_State = 100;
    } else if (m_State >= 100 && m_State < 150) {
        switch ((m_State - 100) % 3) {
        case 0:
            _StartLine(line);
            ++m_State;
            break;
        case 1:
            if (_LineOnScreen(line)) {
                m_Timer = kLineGap;
                ++m_State;
            }
            break;
        default:
            if (m_Timer < 1) ++m_State;
            break;
        }
    } else {
        switch (m_State) {
        case 150:
            if (!m_LineActive[16]) m_State = 151;
            break;
        case 151:
            _StartLine(17);
            m_State = 152;
            break;
        case 152:
            if (_LineOnScreen(17)) {
                m_Timer = kEndWait;
                m_State = 153;
            }
            break;
        case 153:
            if (m_Timer < 1) m_State = 154;
            break;
        case 154:
            if (!m_Left) _Leave();
            m_State = 155;
            break;
        default: break;
        }
    }
    --m_Timer;

    _StepIntro();
    _StepLines();
    for (int i = 0; i < 2; ++i) {
        if (m_PageState[i] != 1) continue;
        m_PageAlpha[i].Next();
        if (!m_PageAlpha[i].IsEnd()) continue;
        m_PageState[i] = 2;
        m_Pages[1 - i].Release();
        m_PageState[1 - i] = 0;
        m_Intro.Release();
    }
    if (m_FrameState == 1) {
        m_FrameAlpha.Next();
        if (m_FrameAlpha.IsEnd()) m_FrameState = 2;
    }
}

void CStaffRollScene::_StepPages() {
    if (++m_PageTimer <= 550) return;
    m_PageTimer = 0;
    ++m_PageNumber;
    if (m_PageNumber >= kPageCount) return;
    m_CurrentPage = 1 - m_CurrentPage;
    m_PageState[m_CurrentPage] = 1;
    m_PageAlpha[m_CurrentPage].Set(0, 255, 120);
    m_Pages[m_CurrentPage].Load(PagePath(m_PageList[m_PageNumber]));
}

void CStaffRollScene::_StepIntro() {
    switch (m_IntroState) {
    case kIntroWait:
        if (!m_Owner.IsModeInTransition()) m_IntroState = kIntroShrink;
        break;
    case kIntroShrink:
        m_IntroX.Next();
        m_IntroY.Next();
        m_IntroScale.Next();
        if (!m_Intro.IsLoaded() || (m_IntroX.IsEnd() && m_IntroY.IsEnd() && m_IntroScale.IsEnd())) {
            m_IntroState = kIntroFrame;
        }
        break;
    case kIntroFrame:
        m_Frame.Load(kFrame);
        m_FrameState = 1;
        m_FrameAlpha.Set(0, 255, 60);
        m_IntroState = kIntroDone;
        break;
    default: break;
    }
}

void CStaffRollScene::_StepLines() {
    for (int32_t k = 0; k < kLineCount; ++k) {
        if (!m_LineActive[k]) continue;
        m_LineY[k] -= kLineSpeed;
        if (m_LineY[k] < -4.0f - static_cast<float>(m_Lines[k].GetHeight())) {
            m_Lines[k].Release();
            m_LineActive[k] = false;
        }
    }
}

void CStaffRollScene::Draw() {
    CScreenRenderer* renderer = m_Owner.GetGameMain().GetRenderer();
    if (renderer) {
        renderer->SetTextureFilter(2, 2);
        renderer->Clear(0xFF000000u);
    }
    for (int32_t k = 0; k < kLineCount; ++k) {
        if (!m_LineActive[k] || !m_Lines[k].IsLoaded()) continue;
        const int32_t w = m_Lines[k].GetWidth();
        const int32_t h = m_Lines[k].GetHeight();
        const int32_t y = static_cast<int32_t>(std::floor(m_LineY[k]));
        m_Lines[k].DrawStretch(SRect{kLineX, y, kLineX + w, y + h}, SRect{0, 0, w, h});
    }
    if (m_Intro.IsLoaded()) {
        if (m_IntroState == kIntroWait) {
            m_Intro.Draw(0, 0);
        } else {
            const float s = static_cast<float>(m_IntroScale.GetValue()) / kFull;
            CMatrix4 size;
            MatrixScaling(&size, s, s, 1.0f);
            CMatrix4 move;
            MatrixTranslation(&move, static_cast<float>(m_IntroX.GetValue()), static_cast<float>(m_IntroY.GetValue()), 0.0f);
            CMatrix4 m;
            MatrixMultiply(&m, &size, &move);
            m_Intro.DrawMatrix(0, 0, m);
        }
    }
    for (int32_t i : {1 - m_CurrentPage, m_CurrentPage}) {
        if (!m_Pages[i].IsLoaded()) continue;
        if (m_PageState[i] == 1) {
            m_Pages[i].Draw(kPageAt.x, kPageAt.y, FadeColour(m_PageAlpha[i].GetValue()));
        } else if (m_PageState[i] == 2) {
            m_Pages[i].Draw(kPageAt.x, kPageAt.y);
        }
    }
    if (m_Frame.IsLoaded()) {
        if (m_FrameState == 1) {
            m_Frame.Draw(kFrameAt.x, kFrameAt.y, FadeColour(m_FrameAlpha.GetValue()));
        } else if (m_FrameState == 2) {
            m_Frame.Draw(kFrameAt.x, kFrameAt.y);
        }
    }
    if (renderer) renderer->SetTextureFilter(1, 1);
}
