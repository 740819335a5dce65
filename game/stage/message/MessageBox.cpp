#include "game/stage/message/MessageBox.h"

#include <algorithm>

#include "engine/base/Matrix.h"

namespace {

struct SButtonPlace {
    int32_t sheet;   // index into the box's three sheets
    int32_t column;  // the button's column of five looks in its sheet
    int32_t x;
    int32_t y;
};

// Sheet 0 ("obj\f000_003.bmp") holds buttons 0 to 11 in 12 columns, sheet 1
// ("obj\f000_004.bmp") buttons 12 and 13 in 2, sheet 2 ("obj\f000_005.bmp") buttons 14
// to 16 in 3; every column is the five looks from top to bottom.
constexpr const char* kSheetFiles[3] = {"obj\\f000_003.bmp", "obj\\f000_004.bmp", "obj\\f000_005.bmp"};
constexpr int32_t kSheetColumns[3] = {12, 2, 3};

constexpr SButtonPlace kPlaces[CMessageBox::kButtonCount] = {
    {0, 0, 0, 560},    {0, 1, 80, 560},   {0, 2, 160, 560},  {0, 3, 240, 560},  {0, 4, 320, 560},
    {0, 5, 400, 560},  {0, 6, 480, 560},  {0, 7, -500, -500}, {0, 8, 152, 560},  {0, 9, 232, 560},
    {0, 10, 312, 560}, {0, 11, 392, 560}, {1, 0, 676, 569},  {1, 1, 738, 569},  {2, 0, 542, 536},
    {2, 1, 621, 536},  {2, 2, 703, 536},
};

bool IsBranchHidden(int32_t index) { return index == 0 || index == 1 || index >= 14; }
bool IsExtra(int32_t index) { return index >= 14; }
// The set drawn and fed while the window is darkened, and the one while it is not.
bool InNormalSet(int32_t index) { return index <= 6 || index >= 12; }
bool InDarkSet(int32_t index) { return index >= 7; }

}  // namespace

CMessageBox::CMessageBox(CGameMain* game, CSceneBase* owner, bool branch, CMessageWindow* window)
    : CMessagePart(game, owner), m_Window(window), m_Branch(branch) {
    m_OpenCounter.Set(0, 0, 1);
    m_DimCounter.Set(100, 100, 1);
    m_SlideCounter.Set(kClosedOffset, kClosedOffset, 1);
    LoadFrames();
}

void CMessageBox::LoadFrames() {
    m_Picture.Load("obj\\f000_001.bmp", 0, 0);
    for (size_t s = 0; s < m_Sheets.size(); ++s) m_Sheets[s].Load(kSheetFiles[s], 0, 0);
    for (int32_t i = 0; i < kButtonCount; ++i) {
        const SButtonPlace& place = kPlaces[i];
        CImageButton& button = m_Buttons[i];
        // Each press is one action: the button lets itself go again.
        button.SetMomentary(true);
        if (m_Sheets[place.sheet].IsLoaded()) {
            button.SetupColumn(&m_Sheets[place.sheet], kSheetColumns[place.sheet], 5, place.column);
        }
        if (m_Branch && IsBranchHidden(i)) {
            button.SetPosition(kOffScreen, kOffScreen);
        } else {
            button.SetPosition(place.x, place.y);
        }
    }
    m_ButtonOffset.Set(kButtonDrop, 0, 256);
}

void CMessageBox::OpenSlide() {
    if (m_OpenState != OPEN_CLOSED && m_OpenState != OPEN_CLOSING) return;
    m_OpenState = OPEN_OPENING;
    m_OpenCounter.Set(m_OpenLevel, 100, kSlideSteps);
    m_SlideCounter.Set(m_Offset, 0, kSlideSteps);
}

void CMessageBox::OpenNow() {
    if (m_OpenState == OPEN_OPEN) return;
    m_OpenState = OPEN_OPEN;
    m_OpenLevel = 100;
    m_Offset = 0;
}

void CMessageBox::CloseSlide() {
    if (m_OpenState != OPEN_OPENING && m_OpenState != OPEN_OPEN) return;
    m_OpenState = OPEN_CLOSING;
    m_OpenCounter.Set(m_OpenLevel, 0, kSlideSteps);
    m_SlideCounter.Set(m_Offset, kClosedOffset, kSlideSteps);
}

void CMessageBox::CloseNow() {
    if (m_OpenState == OPEN_CLOSED) return;
    m_OpenState = OPEN_CLOSED;
    m_OpenLevel = 0;
    m_Offset = kClosedOffset;
    _BackToNormal();
}

void CMessageBox::_BackToNormal() {
    if (m_DimState == DIM_BRIGHTENING || m_DimState == DIM_NORMAL) return;
    m_DimState = DIM_NORMAL;
    m_DimLevel = 100;
}

void CMessageBox::Dim() {
    if (m_DimState != DIM_BRIGHTENING && m_DimState != DIM_NORMAL) return;
    if (m_OpenState == OPEN_CLOSED) {
        m_DimState = DIM_DIMMED;
        m_DimLevel = kDimLevel;
    } else {
        m_DimState = DIM_DIMMING;
        m_DimCounter.Set(m_DimLevel, kDimLevel, kDimSteps);
    }
}

void CMessageBox::SetBaseAlpha(int32_t alpha) { m_BaseAlpha = std::clamp(alpha, 0, 255); }

int32_t CMessageBox::GetAlpha() const { return m_OpenLevel * m_BaseAlpha / 100 * m_DimLevel / 100; }

void CMessageBox::SetDarkened(bool on) {
    m_Darkened = on;
    if (on) m_Reveal = kRevealInput;
}

CImageButton* CMessageBox::GetButton(int32_t index) {
    return index >= 0 && index < kButtonCount ? &m_Buttons[index] : nullptr;
}

bool CMessageBox::_TakesInput(int32_t index, bool balloonOpen, bool extraOn) const {
    if ((index == 12 || index == 13) && !balloonOpen && m_OpenState != OPEN_OPEN) return false;
    if (m_Darkened ? !InDarkSet(index) : !InNormalSet(index)) return false;
    if (IsExtra(index) && (!extraOn || !m_ExtraButtons)) return false;
    return m_Pressed < 0 && m_Reveal >= kRevealInput;
}

void CMessageBox::HandleInput(int32_t x, int32_t y, bool press, bool balloonOpen, bool extraOn) {
    m_Reveal = std::clamp(m_Reveal + (y < kBandTop ? -kRevealStep : kRevealStep), 0, kRevealMax);
    m_Pressed = -1;
    for (int32_t i = 0; i < kButtonCount; ++i) {
        CImageButton& button = m_Buttons[i];
        if (_TakesInput(i, balloonOpen, extraOn)) {
            button.Update(x, y, press);
            if (button.IsClicked()) m_Pressed = i;
        } else {
            button.Update(-1, -1, false);
        }
    }
    m_ButtonOffset.SetStep(m_Darkened ? kRevealMax : std::min(m_Reveal, kRevealInput));
}

void CMessageBox::DrawButtons(bool extraOn) {
    CMatrix4 shift;
    MatrixTranslation(&shift, 0.0f, static_cast<float>(m_ButtonOffset.GetValue()), 0.0f);
    for (int32_t i = 0; i < kButtonCount; ++i) {
        if (m_Darkened ? !InDarkSet(i) : !InNormalSet(i)) continue;
        if (IsExtra(i) && !extraOn) continue;
        m_Buttons[i].Draw(0xFFFFFFFFu, shift);
    }
}

void CMessageBox::Update() {
    for (CImageButton& button : m_Buttons) button.Step();
    if (m_DimState == DIM_BRIGHTENING || m_DimState == DIM_DIMMING) {
        m_DimCounter.Next();
        m_DimLevel = m_DimCounter.GetValue();
        if (m_DimCounter.IsEnd()) m_DimState = m_DimState == DIM_BRIGHTENING ? DIM_NORMAL : DIM_DIMMED;
    }
    if (m_OpenState == OPEN_OPENING || m_OpenState == OPEN_CLOSING) {
        m_OpenCounter.Next();
        m_SlideCounter.Next();
        m_OpenLevel = m_OpenCounter.GetValue();
        m_Offset = m_SlideCounter.GetValue();
        if (m_OpenCounter.IsEnd() && m_SlideCounter.IsEnd()) {
            if (m_OpenState == OPEN_OPENING) {
                m_OpenState = OPEN_OPEN;
            } else {
                m_OpenState = OPEN_CLOSED;
                _BackToNormal();
            }
        }
    }
}

void CMessageBox::Draw() {
    if (m_OpenState == OPEN_CLOSED) return;
    m_Picture.Draw(0, kTop + m_Offset, (static_cast<uint32_t>(GetAlpha()) << 24) | 0xFFFFFFu);
}

void CMessageBox::OnDeviceRestored() {
    for (CImageButton& button : m_Buttons) button.Restore();
}
