#include "game/stage/message/MessageText.h"

#include <algorithm>

CMessageText::CMessageText(CGameMain* game, CSceneBase* owner) : m_Game(game), m_Owner(owner) {
    m_Name.GetFont().SetSize(kFontSize);
    m_Text.GetFont().SetSize(kFontSize);
    m_Text.SetStyle(kStyle);
    m_Text.SetPosition(kTextX, kTextY);
}

void CMessageText::SetLine(const std::string& name, const std::string& text) {
    m_Name.Clear();
    m_Text.Clear();
    m_Name.Write(name, kStyle);
    m_Text.SetStyle(kStyle);
    m_Text.SetPosition(kTextX, kTextY);
    m_Text.SetText(text);
}

void CMessageText::SetName(const std::string& name) {
    m_Name.Clear();
    m_Name.Write(name, kStyle);
}

void CMessageText::SetMarkCells(CImagePlane* picture) {
    m_Mark.Clear();
    if (picture && picture->IsLoaded()) m_Mark.Set(picture, kMarkColumns, 1);
}

void CMessageText::Update() {
    if (m_MarkOn && ++m_MarkTimer >= kMarkPeriod) {
        m_MarkTimer = 0;
        m_MarkFrame = (m_MarkFrame + 1) % std::max(m_Mark.GetColumns(), 1);
    }
    m_Text.Update();
}

void CMessageText::Draw() {
    const bool busy = m_Text.IsBusy();
    if (busy && !m_Text.IsClosing()) m_Name.Draw(kNameX, kNameY, 0xFFFFFFFFu);
    m_Text.Draw();
    if (busy && m_MarkOn && m_Mark.GetPlane()) m_Mark.DrawCell(m_MarkFrame, 0, kMarkX, kMarkY);
}

void CMessageText::OnDeviceRestored() {
    m_Name.Rewrite();
    m_Text.OnDeviceRestored();
}
