#include "game/stage/message/MessageLog.h"

#include "game/stage/message/MessageText.h"

CMessageLog::CMessageLog(CGameMain* game, CSceneBase* owner) : CMessagePart(game, owner) {
    m_Name.GetFont().SetSize(CMessageText::kFontSize);
    m_Text.GetFont().SetSize(CMessageText::kFontSize);
}

void CMessageLog::AddLine(const CSaveRecordStrings& line) {
    m_Lines.push_front(line);
    if (m_Lines.size() > kMaxLines) m_Lines.pop_back();
}

const CSaveRecordStrings* CMessageLog::GetLine(size_t index) const {
    return index < m_Lines.size() ? &m_Lines[index] : nullptr;
}

void CMessageLog::Open() {
    if (m_Open || m_Lines.empty()) return;
    m_Open = true;
    _Show(0);
}

void CMessageLog::Close() {
    if (!m_Open) return;
    m_Open = false;
    m_Name.Clear();
    m_Text.Clear();
}

void CMessageLog::Older() {
    if (m_Open && m_Index + 1 < m_Lines.size()) _Show(m_Index + 1);
}

void CMessageLog::Newer() {
    if (m_Open && m_Index > 0) _Show(m_Index - 1);
}

void CMessageLog::_Show(size_t index) {
    m_Index = index;
    const CSaveRecordStrings& line = m_Lines[index];
    m_Name.Clear();
    m_Text.Clear();
    m_Name.Write(line.m_Name, CMessageText::kStyle, kColour & 0xFFFFFFu);
    // The line is completed at once, so the reveal settings never show; they are the
    // log's own all the same: plain characters, 64-frame effects, a two-frame gap.
    m_Text.SetColour(kColour);
    m_Text.SetDisplayParams(64, 2);
    m_Text.SetDisplayEffect(0);
    m_Text.SetStyle(CMessageText::kStyle);
    m_Text.SetPosition(CMessageText::kTextX, CMessageText::kTextY);
    m_Text.SetText(line.m_Text);
    m_Text.Complete();
}

void CMessageLog::Update() {
    if (m_Open) m_Text.Update();
}

void CMessageLog::Draw() {
    if (!m_Open) return;
    m_Name.Draw(CMessageText::kNameX, CMessageText::kNameY, 0xFFFFFFFFu);
    m_Text.Draw();
}

void CMessageLog::OnDeviceRestored() {
    if (m_Open) m_Name.Rewrite();
    m_Text.OnDeviceRestored();
}
