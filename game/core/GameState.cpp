#include "game/core/GameState.h"

#include "engine/base/Log.h"

namespace {

template <size_t M, size_t W>
int32_t* _Word(int32_t (&table)[M][W], int mode, int word, const char* who) {
    if (mode < 0 || static_cast<size_t>(mode) >= M || word < 0 || static_cast<size_t>(word) >= W) {
        DebugPrintf("CGameState::%s 範囲外です[mode:%d word:%d]", who, mode, word);
        return nullptr;
    }
    return &table[mode][word];
}

}  // namespace

void CGameState::Reset() { *this = CGameState(); }

int32_t CGameState::GetModeWord(int mode, int word) const {
    const int32_t* w = _Word(const_cast<CGameState*>(this)->m_ModeWords, mode, word, "GetModeWord()");
    return w ? *w : 0;
}
void CGameState::SetModeWord(int mode, int word, int32_t value) {
    if (int32_t* w = _Word(m_ModeWords, mode, word, "SetModeWord()")) *w = value;
}
int32_t CGameState::GetMansionModeWord(int mode, int word) const {
    const int32_t* w = _Word(const_cast<CGameState*>(this)->m_MansionModeWords, mode, word, "GetMansionModeWord()");
    return w ? *w : 0;
}
void CGameState::SetMansionModeWord(int mode, int word, int32_t value) {
    if (int32_t* w = _Word(m_MansionModeWords, mode, word, "SetMansionModeWord()")) *w = value;
}
int32_t CGameState::GetHomeModeWord(int mode, int word) const {
    const int32_t* w = _Word(const_cast<CGameState*>(this)->m_HomeModeWords, mode, word, "GetHomeModeWord()");
    return w ? *w : 0;
}
void CGameState::SetHomeModeWord(int mode, int word, int32_t value) {
    if (int32_t* w = _Word(m_HomeModeWords, mode, word, "SetHomeModeWord()")) *w = value;
}

void CGameState::Serialize(CDataFile& file) {
    m_Status.Serialize(file);
    if (file.HasFailed()) return;
    file.Io(m_ModeId);
    file.Io(m_Step);
    file.Io(m_EventId);
    file.Io(m_SelectionFlag);
    file.Io(m_SelectionPicture);
    file.Io(m_SelectionValue);
    file.Io(m_SelectedIndex);
    file.Io(m_EventActive);
    file.Io(m_FollowUpPhase);
    file.Io(m_EventKind);
    file.Io(m_EventSub);
    file.Io(m_ChoiceCount);
    serial::IoStrings(file, m_ChoicePictures);
    for (auto& words : m_ModeWords) serial::IoArray(file, words);

    file.Io(m_MansionMode);
    file.Io(m_ChosenFriend);
    file.Io(m_ChosenManner);
    file.Io(m_ChosenBondFriend);
    file.Io(m_ChosenMeal);
    file.Io(m_ShopVisited);
    for (auto& words : m_MansionModeWords) serial::IoArray(file, words);

    file.Io(m_HomeMode);
    file.Io(m_HouseworkKind);
    file.Io(m_OutingDestination);
    file.Io(m_RoomPlay);
    file.Io(m_RestChoice);
    for (auto& words : m_HomeModeWords) serial::IoArray(file, words);
}
