#include "game/raising/ingame/SelectionScene.h"

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/raising/ingame/RaisingScene.h"

namespace {

constexpr int32_t kSlide = 100;
constexpr int32_t kSteps = 10;

}  // namespace

bool CSelectionScene::ButtonRows(int32_t n, std::array<int32_t, kButtonCount>* rows, int* count) {
    static constexpr std::array<int32_t, kButtonCount> kRows[kButtonCount] = {
        {328}, {288, 328}, {288, 328, 368}, {208, 248, 288, 328}, {208, 248, 288, 328, 368}};
    if (n <= 0) return false;
    const int placed = n > kButtonCount ? kButtonCount : static_cast<int>(n);
    *rows = kRows[placed - 1];
    *count = placed;
    return true;
}

void CSelectionScene::LoadSelectionPicture() {
    const CGameState& state = *m_Owner.GetGameState();
    m_Frame.Load(kFramePicture);
    const int32_t n = state.m_SelectionValue;
    m_Sheet.Load(MakeResourcePath(state.m_SelectionPicture, "obj\\selection\\", "bmp"));
    const int shown = n > kButtonCount ? kButtonCount : static_cast<int>(n);
    for (int i = 0; i < kButtonCount; ++i) {
        CImageButton& b = m_Group.buttons[static_cast<size_t>(i)];
        if (i < shown) {
            b.SetupColumn(&m_Sheet, n, 5, i);
            b.SetReactWhenChecked(false);
        } else {
            b.Reset();
        }
    }
    std::array<int32_t, kButtonCount> rows{};
    int count = 0;
    if (ButtonRows(n, &rows, &count)) {
        if (n > kButtonCount) {
            DebugPrintf("CSelectionScene::LoadSelectionPicture() 選択肢が多すぎます[%d]、先頭の%d個を表示します", n,
                        kButtonCount);
        }
        for (int i = 0; i < count; ++i) m_Group.buttons[static_cast<size_t>(i)].SetPosition(kButtonX, rows[static_cast<size_t>(i)]);
    }
    m_Done = false;
    m_State = STATE_OPENING;
    m_Motion.Open(kSlide, kSteps);
}

void CSelectionScene::Update() {
    CGameMain& game = m_Owner.GetGameMain();
    const bool input = !m_Owner.IsModeInTransition() && m_State == STATE_OPEN;
    const SPoint p = input ? game.GetMouse().GetPosition() : SPoint{-1, -1};
    const bool decide = input && IsDecidePressed();
    for (CImageButton& b : m_Group.buttons) b.Update(p.x, p.y, decide);
    if (m_State == STATE_OPENING || m_State == STATE_CLOSING) {
        if (m_Motion.Step()) {
            if (m_State == STATE_OPENING) {
                m_State = STATE_OPEN;
            } else {
                m_State = STATE_CLOSED;
                m_Done = true;
            }
        }
    }
    m_Group.Update();
    for (int i = 0; i < kButtonCount; ++i) {
        const CImageButton& b = m_Group.buttons[static_cast<size_t>(i)];
        if (b.HoverBegan()) game.PlayChannel1();
        if (!b.IsClicked()) continue;
        game.PlayChannel0();
        m_Owner.GetGameState()->m_SelectedIndex = i;
        m_Done = false;
        if (m_State == STATE_OPENING || m_State == STATE_OPEN) {
            m_State = STATE_CLOSING;
            m_Motion.Close(kSlide, kSteps);
        }
    }
}

void CSelectionScene::Draw() {
    if (m_State == STATE_CLOSED) return;
    if (m_State == STATE_OPEN) {
        m_Frame.Draw(kFrameX, kFrameY, 0xFFFFFFFFu);
        for (CImageButton& b : m_Group.buttons) b.DrawPlain(0xFFFFFFFFu);
        return;
    }
    const uint32_t colour = m_Motion.GetColour();
    const CMatrix4 slide = m_Motion.GetMatrix();
    m_Frame.DrawMatrix(kFrameX, kFrameY, slide, colour);
    for (CImageButton& b : m_Group.buttons) b.Draw(colour, slide);
}

void CSelectionScene::OnDeviceRestored() {
    for (CImageButton& b : m_Group.buttons) b.Restore();
}

void CSelectionScene::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    Draw();
}

void CSelectionScene::Unload() {
    m_Frame.Release();
    for (CImageButton& b : m_Group.buttons) b.Reset();
    m_Sheet.Release();
}

CSelectionHostMode::CSelectionHostMode(CRaisingScene& owner)
    : CModeHostState(owner, std::make_unique<CSelectionScene>(owner)) {}
