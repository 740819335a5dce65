#include "game/stage/message/MessageText.h"

CMessageText::CMessageText(CGameMain* game, CSceneBase* owner) : CMessagePart(game, owner) {
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
    // Started here, not once the box is open: a line that opens the box reveals while
    // the box slides in, in step with its voice.
    m_Text.Start();
}

void CMessageText::ShowLineNow(const std::string& name, const std::string& text) {
    SetLine(name, text);
    m_Text.Complete();
}

void CMessageText::SetName(const std::string& name) {
    m_Name.Clear();
    m_Name.Write(name, kStyle);
}

void CMessageText::Update() {
    m_Mark.Step();
    m_Text.Update();
}

void CMessageText::Draw() {
    const bool busy = m_Text.IsBusy();
    if (busy && !m_Text.IsClosing()) m_Name.Draw(kNameX, kNameY, 0xFFFFFFFFu);
    m_Text.Draw();
    if (busy) m_Mark.Draw(kMarkX, kMarkY);
}

void CMessageText::OnDeviceRestored() {
    m_Name.Rewrite();
    m_Text.OnDeviceRestored();
}
