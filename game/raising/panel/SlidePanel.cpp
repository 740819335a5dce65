#include "game/raising/panel/SlidePanel.h"

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/RunningGame.h"

namespace {
constexpr const char* kLabelFiles[3] = {"obj\\e000_002.bmp", "obj\\e000_003.bmp", "obj\\e000_004.bmp"};
constexpr int32_t kLabelPos[3][2] = {{56, 36}, {128, 52}, {180, 48}};
constexpr int32_t kYearX = 17, kMonthX = 91, kWeekX = 149, kDateY = 7;
constexpr int32_t kPictureX = 108, kPictureY = 78;
}  // namespace

CSlidePanel::CSlidePanel() {
    m_CloseTimer.fill(-1);
    m_Background.LoadFile("obj\\e000_000.bmp");
    for (int i = 0; i < 3; ++i) {
        m_Labels[static_cast<size_t>(i)].LoadFile(kLabelFiles[i]);
    }
    m_DigitsImage.LoadFile("obj\\e000_001.bmp");
    m_Digits.Set(&m_DigitsImage, 12, 1);
    for (int item = 0; item < kItemCount; ++item) {
        if (HasPicture(item)) {
            m_Pictures[static_cast<size_t>(item)].LoadFile(FormatString("obj\\e000_%03d.bmp", item + 5));
        }
    }
}

bool CSlidePanel::HasPicture(int item) { return item == 1 || item == 9 || item == 20 || item == 22; }

bool CSlidePanel::_Valid(int item, const char* method) {
    if (item >= 0 && item < kItemCount) {
        return true;
    }
    DebugPrintf("CSlidePanel::%s() 番号が範囲外です[%d]", method, item);
    return false;
}

int32_t CSlidePanel::_Height() const { return m_Background.GetHeight(); }

void CSlidePanel::Open(int item) {
    if (!_Valid(item, "Open") || !HasPicture(item)) {
        return;
    }
    const size_t i = static_cast<size_t>(item);
    if (m_State[i] == STATE_OPENING || m_State[i] == STATE_OPEN) {
        return;
    }
    m_State[i] = STATE_OPENING;
    m_CloseTimer[i] = -1;
    m_OffsetX[i].Set(-_Height(), 0, kSlideSteps);
    m_OffsetY[i].Set(-_Height(), 0, kSlideSteps);
    m_Alpha[i].Set(0, 255, kFadeSteps);
}

void CSlidePanel::Close(int item) {
    if (!_Valid(item, "Close")) {
        return;
    }
    const size_t i = static_cast<size_t>(item);
    if (m_State[i] != STATE_OPENING && m_State[i] != STATE_OPEN) {
        return;
    }
    m_CloseTimer[i] = -1;
    m_State[i] = STATE_CLOSING;
    m_OffsetX[i].Set(0, -_Height(), kSlideSteps);
    m_OffsetY[i].Set(0, -_Height(), kSlideSteps);
    m_Alpha[i].Set(255, 0, kFadeSteps);
}

void CSlidePanel::CloseAll() {
    for (int item = 0; item < kItemCount; ++item) {
        Close(item);
    }
}

void CSlidePanel::ClearValues() {
    m_State.fill(STATE_CLOSED);
    m_CloseTimer.fill(-1);
}

void CSlidePanel::SetCloseTimer(int item, int32_t frames) {
    if (_Valid(item, "SetCloseTimer")) {
        m_CloseTimer[static_cast<size_t>(item)] = frames;
    }
}

bool CSlidePanel::IsAnyOpen() const {
    for (int32_t s : m_State) {
        if (s == STATE_OPENING || s == STATE_OPEN) {
            return true;
        }
    }
    return false;
}

int CSlidePanel::GetState(int item) const {
    return item >= 0 && item < kItemCount ? m_State[static_cast<size_t>(item)] : STATE_CLOSED;
}
int32_t CSlidePanel::GetCloseTimer(int item) const {
    return item >= 0 && item < kItemCount ? m_CloseTimer[static_cast<size_t>(item)] : -1;
}
int32_t CSlidePanel::GetOffsetX(int item) const {
    return item >= 0 && item < kItemCount ? m_OffsetX[static_cast<size_t>(item)].GetValue() : 0;
}
int32_t CSlidePanel::GetOffsetY(int item) const {
    return item >= 0 && item < kItemCount ? m_OffsetY[static_cast<size_t>(item)].GetValue() : 0;
}
int32_t CSlidePanel::GetAlpha(int item) const {
    return item >= 0 && item < kItemCount ? m_Alpha[static_cast<size_t>(item)].GetValue() : 0;
}

void CSlidePanel::Update() {
    for (int item = 0; item < kItemCount; ++item) {
        const size_t i = static_cast<size_t>(item);
        if (m_CloseTimer[i] > 0 && --m_CloseTimer[i] == 0) {
            Close(item);
        }
        if (m_State[i] != STATE_OPENING && m_State[i] != STATE_CLOSING) {
            continue;
        }
        m_OffsetX[i].Next();
        m_OffsetY[i].Next();
        m_Alpha[i].Next();
        if (m_OffsetX[i].IsAtEnd() && m_OffsetY[i].IsAtEnd() && m_Alpha[i].IsAtEnd()) {
            m_State[i] = m_State[i] == STATE_OPENING ? STATE_OPEN : STATE_CLOSED;
        }
    }
}

void CSlidePanel::Draw() {
    for (int item = 0; item < kItemCount; ++item) {
        if (m_State[static_cast<size_t>(item)] != STATE_CLOSED && !_DrawItem(item)) {
            return;
        }
    }
}

bool CSlidePanel::_DrawItem(int item) {
    const size_t i = static_cast<size_t>(item);
    CMatrix4 place;
    uint32_t colour = 0xFFFFFFFFu;
    if (m_State[i] == STATE_OPEN) {
        MatrixIdentity(&place);
    } else {
        MatrixTranslation(&place, static_cast<float>(m_OffsetX[i].GetValue()), static_cast<float>(m_OffsetY[i].GetValue()),
                          0.0f);
        colour = static_cast<uint32_t>(m_Alpha[i].GetValue()) << 24 | 0x00FFFFFFu;
    }
    m_Background.DrawMatrix(0, 0, place, colour);
    for (int l = 0; l < 3; ++l) {
        m_Labels[static_cast<size_t>(l)].DrawMatrix(kLabelPos[l][0], kLabelPos[l][1], place, colour);
    }
    const int32_t year = GetRunningParam(109, 0) - 1;
    const int32_t month = GetRunningParam(109, 1) - 1;
    const int32_t week = GetRunningParam(109, 2) - 1;
    if (year < 0 || month < 0 || week < 0) {
        return false;
    }
    // The year turns in the fourth month: months 1 to 3 belong to the year before,
    // which in the first year has no digit.
    const int32_t yearCell = month <= 2 ? year - 1 : year;
    if (yearCell >= 0) {
        DrawCellColored(m_Digits, yearCell, 0, kYearX, kDateY, place, colour);
    }
    DrawCellColored(m_Digits, month, 0, kMonthX, kDateY, place, colour);
    DrawCellColored(m_Digits, week, 0, kWeekX, kDateY, place, colour);
    m_Pictures[i].DrawMatrix(kPictureX, kPictureY, place, colour);
    return true;
}
