#include "game/raising/letter/LetterScene.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/GameState.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "game/raising/event/EventRow.h"
#include "game/raising/letter/LetterHost.h"
#include "game/raising/letter/LetterList.h"

namespace {

constexpr const char* kEnvelope = "obj\\letter\\t000_000.bmp";
constexpr const char* kPaper = "obj\\letter\\t000_001.bmp";
constexpr const char* kSpeaker = "ソラン";
constexpr const char* kOpeningLine = "「ピコネからの手紙だ……なにが書いてあるのかな？」";
constexpr const char* kClosingLine = "「ピコネ……」";
// The girl's voice files begin with this prefix; her voice switch is that speaker's.
constexpr const char* kGirlVoice = "voice\\lu";
constexpr int32_t kVoiceGroup = 2;
constexpr int32_t kVoiceSlot = 0;
constexpr int32_t kVoiceFadeMs = 500;
constexpr int32_t kChangeKind = 1;

}  // namespace

CLetterScene::CLetterScene(CGameMain& game, ILetterHost& host) : m_Game(game), m_Host(host) {}

CLetterScene::~CLetterScene() = default;

void CLetterScene::Load() {
    _SetRestricted(0);
    // Choosing here would end the mode at once when no letter event holds, also for a
    // mode that a restore is about to fill in: the choice waits for the first update.
    m_SelectPending = true;
}

bool CLetterScene::_Select() {
    const EventRow* row = m_Host.SelectEventRow(kKind, kSub);
    if (!row) {
        m_Host.ClearMode();
        m_State = kNoLetter;
        return false;
    }
    m_EventId = row->id;
    m_State = _TakeLetter(*row) ? 0 : 100;
    return true;
}

bool CLetterScene::_TakeLetter(const EventRow& row) {
    m_Picture.clear();
    m_Voices.clear();
    const CLetterRecord* letter = CLetterList::GetInstance().Find(row.script);
    if (!letter) {
        return false;
    }
    m_Picture = letter->picture;
    m_Voices = letter->voices;
    return !m_Picture.empty();
}

bool CLetterScene::_ReadBefore() const { return m_Host.GetGameState().GetStatus().HasReadLetter(m_Picture); }

bool CLetterScene::_SkipInput() const {
    const bool skipping = m_Host.IsSkipping();
    return (m_Game.GetSystemData().m_SkipMode == 0 && skipping) || IsDecidePressed() ||
           m_Game.GetKeyboard().IsDown(VKey::kControl) || (skipping && _ReadBefore());
}

void CLetterScene::_SetRestricted(int32_t value) { m_Host.GetGameState().GetStatus().Words().outcomeRestricted = value; }

void CLetterScene::_PlayVoices() {
    std::string list;
    for (const std::string& voice : m_Voices) {
        // An empty name (an empty field, a trailing "/") is no file.  The stage's list
        // play keeps the folder and the extension a path already has.
        if (!voice.empty()) list += voice + "\n";
    }
    m_Host.PlaySound(kVoiceGroup, kVoiceSlot, list);
    m_Host.SetSlotVolume(kVoiceGroup, kVoiceSlot, 100);
    m_Host.SetSlotPan(kVoiceGroup, kVoiceSlot, 0);
    if (m_Game.GetSystemData().GetVoiceSwitch(ClassifyVoiceName(kGirlVoice)) != 0) {
        m_Host.PlaySlot(kVoiceGroup, kVoiceSlot, 1, 0);
    }
}

void CLetterScene::_EndMonthWith(EventRow* row) {
    m_Host.SetPendingEvent(row);
    CGameState& state = m_Host.GetGameState();
    state.m_EventKind = kKind;
    state.m_EventSub = kSub;
    m_Host.EndMonth();
}

void CLetterScene::_AfterMonthEnd() {
    m_Host.ApplyEventSettings(m_EventId, kKind, kSub);
    m_Host.SetPendingEvent(nullptr);
    CGameState& state = m_Host.GetGameState();
    state.m_EventKind = 0;
    state.m_EventSub = 0;
}

void CLetterScene::_UpdatePanel() {
    const SPoint pos = m_Game.GetMouse().GetPosition();
    m_Panel.SetCursor(pos.x, pos.y, IsDecidePressed());
    m_Panel.Update();
    if (m_Panel.HoverBegan(0) || m_Panel.HoverBegan(1)) {
        m_Game.PlayChannel1();
    }
    for (int i = 0; i < 2; ++i) {
        if (m_Panel.BecameChecked(i)) {
            m_Game.PlayChannel0();
            m_Panel.Close();
            m_State = i == 0 ? 22 : 23;
            return;
        }
    }
}

void CLetterScene::Update() {
    if (m_SelectPending) {
        m_SelectPending = false;
        if (!_Select()) {
            return;
        }
    }
    switch (m_State) {
    // Each picture is put on the side of the screen change, so that the change brings it in.
    case 0:
        m_Host.ClearToBlackAlt();
        m_Host.ShowLayerImageAlt(kLayer, kEnvelope);
        m_Host.StartScreenChange(kChangeKind, 60);
        m_Host.SetMessageOff();
        m_State = 1;
        break;
    case 1:
        if (!m_Host.IsScreenChangeRunning()) m_State = 200;
        break;
    case 200:
        m_Host.ShowMessage(kSpeaker, kOpeningLine);
        m_State = 201;
        break;
    case 201:
        m_Host.SetMessageOff();
        m_State = 2;
        break;
    case 2:
        m_Host.ShowLayerImageAlt(kLayer, kPaper);
        // Only a letter read before may have its paper cut short.
        if (_ReadBefore()) {
            m_Host.StartScreenChange(kChangeKind, 30);
        } else {
            m_Host.StartScreenChangeAlt(kChangeKind, 30);
        }
        m_State = 3;
        break;
    case 3:
        if (!m_Host.IsScreenChangeRunning()) m_State = 4;
        break;
    case 4:
        m_Host.ShowLayerImageAlt(kLayer, m_Picture);
        m_Host.StartScreenChange(kChangeKind, 60);
        _PlayVoices();
        m_State = 5;
        break;
    case 5:
        if (m_Host.IsScreenChangeRunning() && _SkipInput()) m_Host.FinishScreenChange();
        if (!m_Host.IsScreenChangeRunning()) m_State = 6;
        break;
    case 6:
        if (_SkipInput() ||
            (m_Game.GetSystemData().m_AutoMode != 0 && !m_Game.GetSoundBank().IsPlaying(kVoiceGroup, kVoiceSlot))) {
            m_State = 7;
        }
        break;
    case 7:
        m_Host.StopSlot(kVoiceGroup, kVoiceSlot, kVoiceFadeMs);
        m_State = _ReadBefore() ? 20 : 30;
        break;
    case 20:
        m_Panel.SetupPanelButtons(kPanelType);
        m_Panel.Open();
        m_State = kPanelShown;
        break;
    case kPanelShown: _UpdatePanel(); break;
    case 22:
    case 23:
        m_Panel.Update();
        if (!m_Panel.IsOpen() && !m_Panel.IsMoving()) m_State = m_State == 22 ? 30 : 40;
        break;
    case 30:
        m_Host.GetGameState().AddReadLetter(m_Picture);
        m_Host.StartEventById(m_EventId, kKind, kSub);
        m_State = 31;
        break;
    case 31:
    case 34:
        if (!m_Host.IsScriptRunning()) m_State = m_State == 31 ? 32 : 50;
        break;
    case 32: {
        const EventRow* row = m_Host.FindEventRow(m_EventId);
        m_State = row && row->outcomeClass == 0 ? 33 : 50;
        break;
    }
    case 33:
    case 102:
        _SetRestricted(1);
        m_Host.StartEvent(kKind, kSub);
        ++m_State;
        break;
    case 40: {
        EventRow* row = m_Host.FindEventRow(m_EventId);
        _EndMonthWith(row);
        m_State = row && row->outcomeClass == 0 ? 41 : 45;
        break;
    }
    case 41:
    case 43:
    case 45:
        if (m_Host.GetScriptEndFlag()) {
            _AfterMonthEnd();
            m_State = m_State == 41 ? 42 : 46;
        }
        break;
    case 42: {
        _SetRestricted(1);
        EventRow* row = m_Host.SelectEventRow(kKind, kSub);
        if (row) {
            m_EventId = row->id;
            _EndMonthWith(row);
            m_State = 43;
        } else {
            m_State = 46;
        }
        break;
    }
    case 46:
        m_Host.ShowMessage(kSpeaker, kClosingLine);
        m_State = 50;
        break;
    case 50:
        m_Host.ClearToBlackAlt();
        m_Host.StartScreenChange(kChangeKind, 60);
        m_Host.SetMessageOff();
        m_State = 51;
        break;
    case 51:
        if (!m_Host.IsScreenChangeRunning()) m_State = 52;
        break;
    case 52:
    case 104:
        m_Host.ClearMode();
        _SetRestricted(0);
        ++m_State;
        break;
    case 100:
        m_Host.StartEventById(m_EventId, kKind, kSub);
        m_State = 101;
        break;
    case 101:
    case 103:
        if (!m_Host.IsScriptRunning()) ++m_State;
        break;
    default: break;
    }
}

void CLetterScene::Draw() {
    if (m_State >= kPanelShown) m_Panel.Draw();
}

void CLetterScene::OnDeviceRestored() {
    if (m_State >= kPanelShown) m_Panel.OnDeviceRestored();
}

void CLetterScene::SaveState(CGameState& state) const {
    state.SetModeWord(kModeId, 0, m_State);
    state.SetModeWord(kModeId, 1, m_EventId);
}

void CLetterScene::LoadState(const CGameState& state) {
    m_SelectPending = false;
    m_State = state.GetModeWord(kModeId, 0);
    m_EventId = state.GetModeWord(kModeId, 1);
    // The letter comes back from its event, as the selection found it.
    if (const EventRow* row = m_Host.FindEventRow(m_EventId)) {
        _TakeLetter(*row);
    } else {
        m_Picture.clear();
        m_Voices.clear();
    }
    if (m_State == kPanelShown) {
        m_Panel.SetupPanelButtons(kPanelType);
        m_Panel.SetOpen();
    }
}
