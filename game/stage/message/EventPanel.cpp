#include "game/stage/message/EventPanel.h"

#include <initializer_list>

#include "engine/base/Matrix.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "game/core/RunningGame.h"

namespace {

// Events that are one event told twice: playing either counts for both.
const std::initializer_list<std::initializer_list<int32_t>> kSeenGroups = {
    {440, 50441},
    {511, 10511},
    {445, 446, 447},
};

}  // namespace

CEventPanel::CEventPanel(CGameMain* game)
    : m_Game(game), m_ReadHistory(game ? &game->GetReadFlags() : nullptr) {}

bool CEventPanel::SetEvent(const std::string& picture, int32_t eventId) {
    Release();
    m_EventId = eventId;
    m_EventName = m_NameSource ? m_NameSource(eventId) : std::string();
    if (!m_Picture.Load(picture, 0, 0)) return false;
    if (m_ButtonPicture.Load("obj\\u000_005.bmp", 0, 0)) {
        // Column 1 of the 2 × 5 sheet holds the button's five looks; a press shows the
        // checked look for 8 frames and lets go.
        m_Button.SetupColumn(&m_ButtonPicture, 2, 5, 1);
        m_Button.SetMomentary(true);
        m_Button.SetReleaseDelay(8);
        m_Button.SetPosition(kButtonX, kButtonY);
    }
    if (m_MarkPicture.Load("obj\\u000_004.bmp", 0, 0)) m_MarkCells.Set(&m_MarkPicture, 2, 1);
    m_ReadMark.Load("obj\\u003_000.bmp", 0, 0);
    return true;
}

void CEventPanel::Release() {
    m_EventName.clear();
    m_Picture.Release();
    m_Button.Reset();
    m_ButtonPicture.Release();
    m_MarkCells.Clear();
    m_MarkPicture.Release();
    m_ReadMark.Release();
}

void CEventPanel::Open() {
    if (IsOpen()) return;
    m_State = STATE_OPENING;
    const int32_t w = m_Picture.GetWidth();
    m_SlideX.Set(w, 0, kSlideSteps);
    m_SlideY.Set(kDrop, 0, kSlideSteps);
    m_Fade.Set(0, 255, kSlideSteps);
}

void CEventPanel::Close() {
    if (!IsOpen()) return;
    m_State = STATE_CLOSING;
    const int32_t w = m_Picture.GetWidth();
    m_SlideX.Set(0, w, kSlideSteps);
    m_SlideY.Set(0, kDrop, kSlideSteps);
    m_Fade.Set(255, 0, kSlideSteps);
}

void CEventPanel::Step() {
    if (!IsLoaded()) return;
    if (m_State == STATE_OPENING || m_State == STATE_CLOSING) {
        m_SlideX.Next();
        m_SlideY.Next();
        m_Fade.Next();
        if (m_SlideX.IsEnd() && m_SlideY.IsEnd() && m_Fade.IsEnd()) {
            m_State = m_State == STATE_OPENING ? STATE_SHOWN : STATE_HIDDEN;
        }
    }
    m_Button.Step();
}

void CEventPanel::SetCursor(int32_t x, int32_t y, bool press) {
    if (m_State == STATE_SHOWN) {
        m_Button.Update(x, y, press);
    } else {
        m_Button.Update(-1, -1, false);
    }
}

bool CEventPanel::IsEventSeen(int32_t eventId) {
    const CGameState* state = GetRunningGameState();
    if (!state) return false;
    if (state->HasStartedEvent(eventId)) return true;
    for (const auto& group : kSeenGroups) {
        bool member = false;
        for (int32_t id : group) member = member || id == eventId;
        if (!member) continue;
        for (int32_t id : group) {
            if (state->HasStartedEvent(id)) return true;
        }
    }
    return false;
}

int32_t CEventPanel::GetMarkKind() const {
    if (IsEventSeen(m_EventId)) return 1;
    if (m_ReadHistory && m_ReadHistory->GetList(m_EventName)) return 2;
    return 0;
}

void CEventPanel::Draw() {
    if (!IsLoaded() || m_State == STATE_HIDDEN) return;
    CMatrix4 m;
    MatrixIdentity(&m);
    uint32_t colour = 0xFFFFFFFFu;
    if (m_State == STATE_OPENING || m_State == STATE_CLOSING) {
        MatrixTranslation(&m, static_cast<float>(m_SlideX.GetValue()), static_cast<float>(m_SlideY.GetValue()), 0.0f);
        colour = (static_cast<uint32_t>(m_Fade.GetValue()) << 24) | 0xFFFFFFu;
    }
    m_Picture.DrawMatrix(kPictureX, 0, m, colour);
    m_Button.Draw(colour, m);
    switch (GetMarkKind()) {
        case 1:
            m_MarkCells.DrawCellColored(1, 0, kMarkX, kMarkY, m, colour);
            break;
        case 2:
            m_ReadMark.DrawMatrix(kMarkX, kMarkY, m, colour);
            break;
        default:
            m_MarkCells.DrawCellColored(0, 0, kMarkX, kMarkY, m, colour);
            break;
    }
}

void CEventPanel::OnDeviceRestored() { m_Button.Restore(); }
