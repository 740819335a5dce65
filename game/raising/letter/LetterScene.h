#pragma once
// The girl's letter of the month (the screen of in-game mode 13): a closed envelope, a
// line of the player's character, the opened paper, then the letter picture while her
// voice reads it.  A first reading plays the letter event and its follow-up; a letter
// read before offers to play it again or to end the month at once.
//
// The pictures are the stage's (layer 100); the scene draws only its two-button panel.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/draw/SceneBase.h"
#include "game/raising/panel/ButtonPanel.h"

class CGameMain;
class CGameState;
class ILetterHost;
struct EventRow;

class CLetterScene : public CSceneBase {
public:
    static constexpr int32_t kModeId = 13;
    static constexpr int32_t kKind = 23;
    static constexpr int32_t kSub = 1;
    static constexpr int32_t kLayer = 100;
    static constexpr int32_t kPanelType = 8;
    // The state of a mode that ended at once (no letter event this month).
    static constexpr int32_t kNoLetter = -1;
    static constexpr int32_t kPanelShown = 21;

    CLetterScene(CGameMain& game, ILetterHost& host);
    ~CLetterScene() override;

    // Resets the outcome restriction; the letter event is chosen in the first Update,
    // unless LoadState restored a letter before it.
    void Load() override;
    // One step of the state machine.
    void Update() override;
    // The panel once it is built (state 21 and after).
    void Draw() override;
    void OnDeviceRestored() override;
    // Words 0 and 1 of mode 13's record: the state and the letter event's id.
    void SaveState(CGameState& state) const;
    void LoadState(const CGameState& state);

    int32_t GetState() const { return m_State; }
    int32_t GetEventId() const { return m_EventId; }
    const std::string& GetPicture() const { return m_Picture; }
    const std::vector<std::string>& GetVoices() const { return m_Voices; }
    const CButtonPanel& GetPanel() const { return m_Panel; }

private:
    // The letter event of the month and its letter; false when there is no event.
    bool _Select();
    // Picture and voices of the letter of the event's script; false when the table has
    // no such letter or it has no picture.
    bool _TakeLetter(const EventRow& row);
    bool _ReadBefore() const;
    bool _SkipInput() const;
    void _SetRestricted(int32_t value);
    void _PlayVoices();
    // The month ends now with `row` as its event (41 / 43 wait for it).
    void _EndMonthWith(EventRow* row);
    // After the month's end: the row's settings, nothing pending.
    void _AfterMonthEnd();
    void _UpdatePanel();

    CGameMain& m_Game;
    ILetterHost& m_Host;
    int32_t m_State = 0;
    int32_t m_EventId = 0;
    std::string m_Picture;
    std::vector<std::string> m_Voices;
    CButtonPanel m_Panel;
    // Set by Load, cleared by the selection or by a restore.
    bool m_SelectPending = false;
};
