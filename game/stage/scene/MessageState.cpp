#include "game/stage/scene/MessageState.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "game/core/ImageButton.h"
#include "game/stage/scene/MainGameScene.h"

CMessageState::CMessageState(CMainGameScene& stage) : m_Stage(stage) {}

void CMessageState::Reset() {
    m_LineShown = false;
    m_TalkText = false;
    m_AutoCounter = 0;
    m_Active = false;
    m_Balloons.fill(SBalloonState{});
}

SBalloonState* CMessageState::GetBalloon(int32_t index) {
    return index >= 0 && index < kBalloonCount ? &m_Balloons[static_cast<size_t>(index)] : nullptr;
}

void CMessageState::RevealFor(int32_t speed, int32_t* step, bool* timed, int32_t* interval) {
    if (speed == 100) {
        *step = 0;
        *timed = false;
        *interval = 0;
    } else if (speed <= 50) {
        *step = (50 - speed) / 5 + 1;
        *timed = true;
        *interval = 10;
    } else {
        *step = 1;
        *timed = true;
        *interval = ((speed - 50) / 5) * 5;
    }
}

void CMessageState::SetAutoCounterFor(const std::string& text) {
    const CSystemData* settings = m_Stage.GetSettings();
    const int32_t speed = settings ? settings->m_AutoSpeed : 50;
    const int32_t bytes = static_cast<int32_t>(text.size());
    m_AutoCounter = speed == 100 ? 0 : (100 - speed) * bytes / 10 + 30;
}

void CMessageState::ShowMessage(const CSaveRecordStrings& line) {
    CMessageWindow& window = m_Stage.GetWindow();
    if (m_Stage.IsSkipping()) {
        m_Stage.m_Record.m_WindowShown = 1;
        window.RequestOpenNow();
        window.SetMessageNow(line);
        return;
    }
    m_LineShown = true;
    const CSystemData* settings = m_Stage.GetSettings();
    int32_t step = 0;
    bool timed = false;
    int32_t interval = 0;
    RevealFor(settings ? settings->m_MessageSpeed : 50, &step, &timed, &interval);
    window.SetRevealStep(step);
    window.SetRevealTiming(timed, interval);
    SetAutoCounterFor(line.m_Text);
    window.SetMessage(line);
    window.StartText();
    PlayLineVoice();
    m_TalkText = false;
}

void CMessageState::ShowOtherLine(const CSaveRecordStrings& line, bool voice) {
    ShowMessage(voice ? line : CSaveRecordStrings{line.m_Name, line.m_Text, "", line.m_Volume, line.m_Pan});
    m_TalkText = true;
}

void CMessageState::ShowBalloon(int32_t index, int32_t shape, const CSaveRecordStrings& line, bool closeOnAdvance) {
    SBalloonState* state = GetBalloon(index);
    if (!state) return;
    CMessageWindow& window = m_Stage.GetWindow();
    if (m_Stage.IsSkipping()) {
        window.SetBalloonMessage(line, index, shape);
        window.BalloonShowNow(index);
        // A skipped balloon is read: left with the previous line's close-on-advance and
        // advanced marks, it would hold the script with nothing left to advance it.
        state->closeOnAdvance = false;
        state->advanced = true;
        m_Stage._StoreBalloon(index);
        return;
    }
    if (SBalloonRecord* record = m_Stage.m_Record.GetBalloon(index)) {
        record->shown = 1;
        record->line = line;
    }
    state->shape = shape;
    state->closeOnAdvance = closeOnAdvance;
    state->advanced = false;
    state->voiced = false;
    const CSystemData* settings = m_Stage.GetSettings();
    const int32_t speed = settings ? settings->m_MessageSpeed : 50;
    int32_t step = 0;
    bool timed = false;
    int32_t interval = 0;
    RevealFor(speed, &step, &timed, &interval);
    state->revealStep = step;
    if (speed == 100) {
        state->timed = false;
        state->interval = 0;
    }
    if (window.IsBalloonOpen(index)) window.BalloonCloseNow(index);
    window.SetBalloonReveal(index, state->revealStep, state->timed, state->interval);
    SetAutoCounterFor(line.m_Text);
    window.SetBalloonMessage(line, index, shape);
    window.BalloonOpen(index);
    m_Stage._StoreBalloon(index);
    PlayLineVoice();
}

bool CMessageState::IsBusyOrFlag() const { return m_LineShown || m_Stage.GetWindow().IsTextBusy(); }

bool CMessageState::PlayVoiceEntry(const CSaveRecordStrings* line) {
    CGameMain* game = m_Stage.GetGame();
    if (!line || !game) return false;
    CSoundBank& bank = game->GetSoundBank();
    bank.Load(CStageSound::kGroupVoice, 0, line->m_Voice);
    bank.SetVolume(CStageSound::kGroupVoice, 0, line->m_Volume);
    bank.SetPan(CStageSound::kGroupVoice, 0, line->m_Pan);
    bank.Play(CStageSound::kGroupVoice, 0, 1, 0, 0);
    return true;
}

bool CMessageState::PlayLineVoice() {
    CGameMain* game = m_Stage.GetGame();
    if (game) game->GetSoundBank().Unload(CStageSound::kGroupVoice, 0);
    CMessageWindow& window = m_Stage.GetWindow();
    const CSaveRecordStrings* line = nullptr;
    SBalloonState* balloon = nullptr;
    if (window.IsLogOpen()) {
        line = window.GetLogLine(window.GetLogIndex());
    } else if (m_LineShown) {
        line = &window.GetCurrentLine();
    } else {
        for (int32_t b = 0; b < kBalloonCount && !line; ++b) {
            SBalloonState& state = m_Balloons[static_cast<size_t>(b)];
            if (window.IsBalloonOpen(b) && !window.IsBalloonClosing(b) && !state.voiced) {
                line = window.GetBalloonLine(b);
                balloon = &state;
            }
        }
    }
    if (!line || line->m_Voice.empty()) return false;
    const CSystemData* settings = m_Stage.GetSettings();
    if (settings && !settings->GetVoiceSwitch(ClassifyVoiceName(line->m_Voice))) return false;
    if (balloon) balloon->voiced = true;
    return PlayVoiceEntry(line);
}

bool CMessageState::_Advance() const {
    CGameMain* game = m_Stage.GetGame();
    // The log covers the line: its scrolling is no advance.  The darkened window (the
    // in-game menu) takes every press, also one its buttons do not take yet.
    const CMessageWindow& window = m_Stage.GetWindow();
    if (window.IsBoxMoving() || window.IsLogOpen() || window.IsDarkened()) return false;
    if (m_Stage.IsSkipping()) return true;
    if (!game) return false;
    const CKeyboard& keys = game->GetKeyboard();
    const CMouse& mouse = game->GetMouse();
    // A click on one of the window's buttons, or on the event panel's while it takes
    // clicks, belongs to the button.  The buttons have this frame's pointer already.
    bool onButton = m_Stage.GetEventPanel().IsButtonPointerOver();
    for (int32_t i = 0; i < CMessageBox::kButtonCount; ++i) {
        const CImageButton* b = window.GetButton(i);
        onButton = onButton || (b && b->IsPointerOver());
    }
    return (mouse.IsPressed(CMouse::kLeft) && !onButton) || keys.IsPressed(VKey::kSpace) || mouse.GetWheel() > 0 ||
           keys.IsPressed(VKey::kNext);
}

bool CMessageState::IsHolding() const {
    if (m_LineShown && !m_TalkText) return true;
    const CMessageWindow& window = m_Stage.GetWindow();
    for (int32_t b = 0; b < kBalloonCount; ++b) {
        const SBalloonState& state = m_Balloons[static_cast<size_t>(b)];
        if (window.IsBalloonOpen(b) && !window.IsBalloonClosing(b) && (state.closeOnAdvance || !state.advanced)) {
            return true;
        }
    }
    return false;
}

// The in-game menu (the darkened window) holds the auto wait where it stands: the line
// or balloon under the veil stays until the menu closes, and the wait goes on from there.
bool CMessageState::_AutoPaused() const { return m_Stage.GetWindow().IsDarkened(); }

void CMessageState::_CountDown() {
    if (m_AutoCounter > 0 && !_AutoPaused()) --m_AutoCounter;
}

bool CMessageState::_AutoAllows() const {
    const CSystemData* settings = m_Stage.GetSettings();
    return settings && settings->m_AutoMode && m_AutoCounter <= 0 && !m_Stage.IsLineVoicePlaying() &&
           !_AutoPaused();
}

void CMessageState::_CloseLine() {
    m_LineShown = false;
    m_Stage.GetWindow().CloseText();
    m_Stage.StopLineVoice();
}

void CMessageState::_StepLine(bool advance) {
    CMessageWindow& window = m_Stage.GetWindow();
    // Busy covers a finished line held on screen; only one still appearing is completed.
    const bool revealing = window.GetText().GetTextObject().IsRevealing() ||
                           window.GetTextRequest() == CMessageWindow::TEXT_START;
    if (revealing) {
        if (advance) window.CompleteText();
        return;
    }
    _CountDown();
    if (advance || _AutoAllows()) _CloseLine();
}

bool CMessageState::_StepBalloons(bool advance) {
    CMessageWindow& window = m_Stage.GetWindow();
    for (int32_t b = 0; b < kBalloonCount; ++b) {
        SBalloonState& state = m_Balloons[static_cast<size_t>(b)];
        if (!window.IsBalloonOpen(b) || window.IsBalloonClosing(b)) continue;
        if (window.IsBalloonOpening(b)) {
            if (advance) window.BalloonShowNow(b);
        } else {
            _CountDown();
            if (!state.advanced && (advance || _AutoAllows())) {
                state.advanced = true;
                if (state.closeOnAdvance) {
                    window.BalloonClose(b);
                    if (SBalloonRecord* record = m_Stage.m_Record.GetBalloon(b)) record->shown = 0;
                }
                m_Stage.StopLineVoice();
                m_Stage._StoreBalloon(b);
            }
        }
        if (state.closeOnAdvance || !state.advanced) return true;
    }
    return false;
}

bool CMessageState::Step() {
    const bool advance = _Advance();
    // The frame in which a line closes is still the line's: the next command runs in the
    // frame after, and the balloons are not stepped on the same press.
    if (m_LineShown && !m_TalkText) {
        _StepLine(advance);
        m_Active = true;
        return true;
    }
    m_Active = _StepBalloons(advance);
    return m_Active;
}
