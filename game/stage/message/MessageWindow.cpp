#include "game/stage/message/MessageWindow.h"

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/stage/message/LineText.h"

CMessageWindow::CMessageWindow(CGameMain* game, CSceneBase* owner, bool branch)
    : m_Game(game), m_Owner(owner), m_SystemData(game ? &game->GetSystemData() : nullptr), m_Branch(branch) {
    m_MarkPicture.Load("obj\\f000_002.bmp", 0, 0);
    // The balloon sheet is large and only cut from now and then: it is read again when needed.
    m_BalloonSheet.Load("obj\\f000_000.bmp", 0, 1);
    Init();
}

CMessageWindow::~CMessageWindow() { _ReleaseParts(); }

void CMessageWindow::Init() {
    m_BoxRequest = BOX_NONE;
    m_TextRequest = TEXT_NONE;
    m_Box = std::make_unique<CMessageBox>(m_Game, m_Owner, m_Branch, this);
    m_Log = std::make_unique<CMessageLog>(m_Game, m_Owner);
    m_Text = std::make_unique<CMessageText>(m_Game, m_Owner);
    m_Text->SetMarkCells(&m_MarkPicture);
    for (int32_t i = 0; i < kBalloonCount; ++i) {
        m_Balloons[i] = std::make_unique<CBalloonWindow>(m_Game, m_Owner);
        m_Balloons[i]->SetMarkCells(&m_MarkPicture);
        m_Balloons[i]->SetFrameSheet(&m_BalloonSheet, kBalloonShapes);
        m_Layers.Add(m_Balloons[i].get(), i);
    }
    m_Layers.Add(m_Box.get(), kBoxPriority);
    m_Layers.Add(m_Log.get(), kLogPriority);
    m_Layers.Add(m_Text.get(), kTextPriority);
    m_Layers.Add(&m_Dimmer, kDimmerPriority);
}

void CMessageWindow::_ReleaseParts() {
    m_Layers.Clear();
    m_Layers.Commit();
    for (auto& balloon : m_Balloons) balloon.reset();
    m_Text.reset();
    m_Log.reset();
    m_Box.reset();
}

void CMessageWindow::Reset() {
    // The dimmer is one of the parts: the window comes back undarkened.
    SetDarken(false);
    _ReleaseParts();
    Init();
}

// ---- the line ----

CSaveRecordStrings CMessageWindow::_Cleaned(const CSaveRecordStrings& line) const {
    CSaveRecordStrings out = line;
    out.m_Name = StripNameBrackets(line.m_Name);
    return out;
}

void CMessageWindow::SetMessage(const CSaveRecordStrings& line) {
    m_Line = _Cleaned(line);
    m_Log->AddLine(m_Line);
    m_Text->SetLine(m_Line.m_Name, m_Line.m_Text);
}

void CMessageWindow::SetMessageNow(const CSaveRecordStrings& line) {
    m_Line = _Cleaned(line);
    m_Text->ShowLineNow(m_Line.m_Name, m_Line.m_Text);
    // A close or clear asked for the line before would take this one off at once.
    m_TextRequest = TEXT_NONE;
}

void CMessageWindow::SetRevealStep(int32_t chars) { m_Text->GetTextObject().SetCharsPerStep(chars); }

void CMessageWindow::SetRevealTiming(bool timed, int32_t interval) {
    m_Text->GetTextObject().SetRevealTiming(timed, interval);
}

void CMessageWindow::_RequestOpenForText() {
    if (m_Box->IsClosed() && m_BoxRequest != BOX_OPEN && m_BoxRequest != BOX_OPEN_NOW) m_BoxRequest = BOX_OPEN;
}

void CMessageWindow::StartText() {
    if (m_TextRequest != TEXT_COMPLETE) m_TextRequest = TEXT_START;
    _RequestOpenForText();
}

void CMessageWindow::CompleteText() {
    m_TextRequest = TEXT_COMPLETE;
    _RequestOpenForText();
}

void CMessageWindow::CloseText() {
    if (m_TextRequest != TEXT_CLEAR) m_TextRequest = TEXT_CLOSE;
}

void CMessageWindow::ClearText() { m_TextRequest = TEXT_CLEAR; }

void CMessageWindow::SetTextMark(bool on) { m_Text->SetMark(on); }

// ---- the box ----

void CMessageWindow::RequestOpen() {
    if (m_BoxRequest != BOX_OPEN_NOW) m_BoxRequest = BOX_OPEN;
}

void CMessageWindow::RequestOpenNow() { m_BoxRequest = BOX_OPEN_NOW; }

void CMessageWindow::_RequestCloseText() {
    if (m_TextRequest == TEXT_CLEAR) return;
    if (m_Text->GetTextObject().IsBusy() || m_TextRequest == TEXT_START || m_TextRequest == TEXT_COMPLETE) {
        m_TextRequest = TEXT_CLOSE;
    }
}

void CMessageWindow::RequestClose() {
    if (m_BoxRequest != BOX_CLOSE_NOW) m_BoxRequest = BOX_CLOSE;
    _RequestCloseText();
}

void CMessageWindow::RequestCloseNow() {
    m_BoxRequest = BOX_CLOSE_NOW;
    _RequestCloseText();
}

void CMessageWindow::SetDarken(bool on) {
    if (on) {
        if (!m_DimPlane.IsLoaded()) {
            m_DimPlane.Create(16, 16);
            m_DimPlane.Fill(0x80000000u);
            m_Dimmer.Attach(&m_DimPlane);
            m_Dimmer.SetParams(0, 0);
            m_Dimmer.SetAlpha(256);
            m_Dimmer.Start();
        }
    } else if (m_DimPlane.IsLoaded()) {
        m_Dimmer.Attach(nullptr);
        m_DimPlane.Release();
    }
    m_Box->SetDarkened(on);
}

bool CMessageWindow::IsDarkened() const { return m_Box->IsDarkened(); }

void CMessageWindow::SetBoxAlpha(int32_t alpha) { m_Box->SetBaseAlpha(alpha); }

void CMessageWindow::EnableExtraButtons() { m_Box->EnableExtraButtons(); }

bool CMessageWindow::_ExtraOn() const { return !m_SystemData || m_SystemData->IsEventPanelOn(); }

void CMessageWindow::HandleInput(int32_t x, int32_t y, bool press) {
    m_Box->HandleInput(x, y, press, IsAnyBalloonOpen(), _ExtraOn());
}

// ---- the log ----

void CMessageWindow::_SetLogHidden(bool hidden) {
    for (int32_t priority : {kTextPriority, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        if (hidden) {
            m_Layers.Hide(priority);
        } else {
            m_Layers.Show(priority);
        }
    }
}

void CMessageWindow::OpenLog() {
    if (m_Log->IsOpen() || m_Log->GetCount() == 0) return;
    const bool boxSteady = m_Box->IsOpen() && m_BoxRequest == BOX_NONE;
    if (!boxSteady && !IsAnyBalloonOpen()) return;
    _SetLogHidden(true);
    m_Log->Open();
}

void CMessageWindow::CloseLog() {
    if (!m_Log->IsOpen()) return;
    _SetLogHidden(false);
    m_Log->Close();
}

void CMessageWindow::LogOlder() { m_Log->Older(); }

void CMessageWindow::LogNewer() { m_Log->Newer(); }

void CMessageWindow::ClearLog() { m_Log->Clear(); }

void CMessageWindow::AddLogLine(const CSaveRecordStrings& line) { m_Log->AddLine(_Cleaned(line)); }

// ---- balloons ----

CBalloonWindow* CMessageWindow::_Balloon(int32_t index) const {
    return index >= 0 && index < kBalloonCount ? m_Balloons[index].get() : nullptr;
}

CBalloonWindow* CMessageWindow::GetBalloon(int32_t index) const { return _Balloon(index); }

void CMessageWindow::SetBalloonMessage(const CSaveRecordStrings& line, int32_t index, int32_t shape) {
    CBalloonWindow* balloon = _Balloon(index);
    if (!balloon) return;
    CSaveRecordStrings record = _Cleaned(line);
    record.m_Text = WrapBalloonText(line.m_Text);
    m_BalloonLines[index] = record;
    balloon->SetFrame(shape);
    balloon->SetText(record.m_Text);
}

void CMessageWindow::SetBalloonRecord(int32_t index, const CSaveRecordStrings& line) {
    CBalloonWindow* balloon = _Balloon(index);
    if (!balloon) return;
    m_BalloonLines[index] = line;
    balloon->ClearFrame();
    balloon->SetText("");
}

void CMessageWindow::_ShowBalloon(int32_t index, bool now) {
    CBalloonWindow* balloon = _Balloon(index);
    if (!balloon) return;
    if (now) {
        balloon->ShowNow();
    } else {
        balloon->Open();
    }
    // The box steps back while a balloon speaks, and the box's line gives way.
    m_Box->Dim();
    m_TextRequest = TEXT_CLEAR;
}

void CMessageWindow::BalloonOpen(int32_t index) { _ShowBalloon(index, false); }

void CMessageWindow::BalloonShowNow(int32_t index) { _ShowBalloon(index, true); }

void CMessageWindow::BalloonClose(int32_t index) {
    _WithBalloon(index, [](CBalloonWindow& b) { b.Close(); });
}

void CMessageWindow::BalloonCloseNow(int32_t index) {
    _WithBalloon(index, [](CBalloonWindow& b) { b.CloseNow(); });
}

void CMessageWindow::SetBalloonInEffect(int32_t index, int32_t effectId, int32_t frames) {
    _WithBalloon(index, [&](CBalloonWindow& b) { b.SetInEffect(effectId, frames); });
}

void CMessageWindow::SetBalloonOutEffect(int32_t index, int32_t effectId, int32_t frames) {
    _WithBalloon(index, [&](CBalloonWindow& b) { b.SetOutEffect(effectId, frames); });
}

void CMessageWindow::SetBalloonReveal(int32_t index, int32_t chars, bool timed, int32_t interval) {
    _WithBalloon(index, [&](CBalloonWindow& b) {
        b.SetCharsPerStep(chars);
        b.SetRevealTiming(timed, interval);
    });
}

void CMessageWindow::SetBalloonDisplayParams(int32_t index, int32_t effectFrames, int32_t charGap) {
    _WithBalloon(index, [&](CBalloonWindow& b) { b.SetDisplayParams(effectFrames, charGap); });
}

void CMessageWindow::SetBalloonPosition(int32_t index, int32_t x, int32_t y) {
    _WithBalloon(index, [&](CBalloonWindow& b) { b.SetPosition(x, y); });
}

void CMessageWindow::BalloonMarkOn(int32_t index) {
    _WithBalloon(index, [](CBalloonWindow& b) { b.MarkOn(); });
}

void CMessageWindow::BalloonMarkOff(int32_t index) {
    _WithBalloon(index, [](CBalloonWindow& b) { b.MarkOff(); });
}

bool CMessageWindow::IsBalloonOpen(int32_t index) const {
    return _AskBalloon(index, [](const CBalloonWindow& b) { return b.IsOpen(); });
}

bool CMessageWindow::IsBalloonChanging(int32_t index) const {
    return _AskBalloon(index, [](const CBalloonWindow& b) { return b.IsChanging(); });
}

bool CMessageWindow::IsBalloonOpening(int32_t index) const {
    return _AskBalloon(index, [](const CBalloonWindow& b) { return b.IsOpening(); });
}

bool CMessageWindow::IsBalloonClosing(int32_t index) const {
    return _AskBalloon(index, [](const CBalloonWindow& b) { return b.IsClosing(); });
}

bool CMessageWindow::IsAnyBalloonOpen() const {
    for (const auto& balloon : m_Balloons) {
        if (balloon && balloon->IsOpen()) return true;
    }
    return false;
}

const CSaveRecordStrings* CMessageWindow::GetBalloonLine(int32_t index) const {
    return index >= 0 && index < kBalloonCount ? &m_BalloonLines[index] : nullptr;
}

// ---- queries ----

bool CMessageWindow::IsBoxShown() const {
    return !m_Box->IsClosed() || m_BoxRequest == BOX_OPEN || m_BoxRequest == BOX_OPEN_NOW;
}

bool CMessageWindow::IsBoxMoving() const {
    return m_Box->IsMoving() || m_BoxRequest == BOX_OPEN || m_BoxRequest == BOX_CLOSE;
}

bool CMessageWindow::IsTextBusy() const {
    return m_Text->GetTextObject().IsBusy() || m_TextRequest == TEXT_START;
}

bool CMessageWindow::IsTextHolding() const {
    return m_Text->GetTextObject().IsHolding() || m_TextRequest == TEXT_COMPLETE;
}

bool CMessageWindow::IsLogOpen() const { return m_Log->IsOpen(); }

bool CMessageWindow::HasOlderLog() const {
    return m_Log->IsOpen() ? m_Log->GetIndex() + 1 < m_Log->GetCount() : m_Log->GetCount() > 0;
}

size_t CMessageWindow::GetLogCount() const { return m_Log->GetCount(); }

size_t CMessageWindow::GetLogIndex() const { return m_Log->GetIndex(); }

const CSaveRecordStrings* CMessageWindow::GetLogLine(size_t index) const { return m_Log->GetLine(index); }

CImageButton* CMessageWindow::GetButton(int32_t index) const { return m_Box->GetButton(index); }

// ---- frame ----

void CMessageWindow::_HandleBoxRequest() {
    switch (m_BoxRequest) {
        case BOX_OPEN:
            m_Box->OpenSlide();
            break;
        case BOX_OPEN_NOW:
            m_Box->OpenNow();
            break;
        case BOX_CLOSE:
        case BOX_CLOSE_NOW: {
            // The line goes first: the box closes once nothing of it is left.
            const CTextObject& text = m_Text->GetTextObject();
            if (text.IsBusy() || text.IsHolding()) return;
            if (m_BoxRequest == BOX_CLOSE) {
                m_Box->CloseSlide();
            } else {
                m_Box->CloseNow();
            }
            break;
        }
        default:
            break;
    }
    m_BoxRequest = BOX_NONE;
}

void CMessageWindow::_HandleTextRequest() {
    CTextObject& text = m_Text->GetTextObject();
    if (m_Box->IsOpen()) {
        if (m_TextRequest == TEXT_START) {
            if (!text.IsBusy()) {
                text.Restart();
                text.Start();
            }
            m_TextRequest = TEXT_NONE;
        } else if (m_TextRequest == TEXT_COMPLETE) {
            if (!text.IsHolding()) text.Complete();
            m_TextRequest = TEXT_NONE;
        }
    }
    if (m_TextRequest == TEXT_CLOSE) {
        if (text.IsBusy()) text.Close();
        m_TextRequest = TEXT_NONE;
    } else if (m_TextRequest == TEXT_CLEAR) {
        if (text.IsBusy() || text.IsHolding()) text.Clear();
        m_TextRequest = TEXT_NONE;
    }
}

void CMessageWindow::Update() {
    _HandleBoxRequest();
    _HandleTextRequest();
    m_Layers.Update();
}

void CMessageWindow::_DrawClosedBoxForLog() {
    const bool openPending = m_BoxRequest == BOX_OPEN || m_BoxRequest == BOX_OPEN_NOW;
    if (m_Box->IsClosed() && !openPending && m_Log->IsOpen()) {
        m_Box->GetPicture().Draw(0, CMessageBox::kTop, 0xFFFFFFFFu);
    }
}

void CMessageWindow::Draw() {
    _DrawClosedBoxForLog();
    m_Layers.Draw();
    m_Box->DrawButtons(_ExtraOn());
}

void CMessageWindow::DrawActiveParts() {
    // An open log has set the balloons and the text part aside: a thumbnail made then
    // shows the log, not the current line over it.
    for (int32_t i = 0; i < kBalloonCount; ++i) {
        if (m_Layers.IsShown(i) && m_Balloons[i]->IsOpen()) m_Balloons[i]->Draw();
    }
    m_Box->Draw();
    m_Log->Draw();
    if (m_Layers.IsShown(kTextPriority)) m_Text->Draw();
}

void CMessageWindow::DrawParts(CSceneBase* overBox) {
    _DrawClosedBoxForLog();
    const bool logOpen = m_Log->IsOpen();
    if (!logOpen) {
        for (const auto& balloon : m_Balloons) balloon->Draw();
    }
    m_Box->Draw();
    if (overBox) overBox->Draw();
    m_Log->Draw();
    if (!logOpen) m_Text->Draw();
    m_Dimmer.Draw();
    m_Box->DrawButtons(_ExtraOn());
}

void CMessageWindow::OnDeviceRestored() {
    m_Layers.OnDeviceRestored();
    m_MarkPicture.Restore();
    m_BalloonSheet.Restore();
}
