#pragma once
// The in-game scene's saved state beside the status record: where the step machine
// and the modes stand, the event in progress, the selection screen's inputs and
// output, and the words each mode keeps for a save.
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/Serializable.h"
#include "game/core/Status.h"

class CGameState : public CSerializable {
public:
    // Mode records: the in-game modes 0..19, the mansion-side modes 0..18 and the
    // home-side modes 0..12, each with a few words for its SaveState/LoadState.
    static constexpr int kInGameModeCount = 20;
    static constexpr int kInGameModeWords = 4;
    static constexpr int kMansionModeCount = 19;
    static constexpr int kHomeModeCount = 13;
    static constexpr int kSideModeWords = 2;  // step, partner
    static constexpr int kMaxChoices = 5;

    CGameState() = default;

    // Every field cleared and the status record reset.
    void Reset();
    // A deep copy of every field and of the status record.
    void Assign(const CGameState& other) { *this = other; }
    void Serialize(CDataFile& file) override;
    bool operator==(const CGameState& other) const = default;

    CStatus& GetStatus() { return m_Status; }
    const CStatus& GetStatus() const { return m_Status; }

    // True when the event id is in the status record's list of played events.
    bool HasStartedEvent(int32_t id) const { return m_Status.HasSeenEvent(id); }
    // Appends a letter's name to the read-letter list unless it is there.
    void AddReadLetter(const std::string& name) { m_Status.AddReadLetter(name); }

    // Mode words, range-checked: out of range reads 0 and writes nothing (logged).
    int32_t GetModeWord(int mode, int word) const;
    void SetModeWord(int mode, int word, int32_t value);
    int32_t GetMansionModeWord(int mode, int word) const;
    void SetMansionModeWord(int mode, int word, int32_t value);
    int32_t GetHomeModeWord(int mode, int word) const;
    void SetHomeModeWord(int mode, int word, int32_t value);

    // The in-game scene.
    int32_t m_ModeId = 0;
    int32_t m_Step = 0;
    int32_t m_EventId = 0;
    uint8_t m_SelectionFlag = 0;
    std::string m_SelectionPicture;
    int32_t m_SelectionValue = 0;
    int32_t m_SelectedIndex = 0;
    uint8_t m_EventActive = 0;
    int32_t m_FollowUpPhase = 0;
    int32_t m_EventKind = 0;
    int32_t m_EventSub = 0;
    int32_t m_ChoiceCount = 0;
    std::vector<std::string> m_ChoicePictures;
    int32_t m_ModeWords[kInGameModeCount][kInGameModeWords] = {};

    // The mansion side.
    int32_t m_MansionMode = 0;
    int32_t m_ChosenFriend = 0;
    int32_t m_ChosenManner = 0;
    int32_t m_ChosenBondFriend = 0;
    int32_t m_ChosenMeal = 0;
    uint8_t m_ShopVisited = 0;
    int32_t m_MansionModeWords[kMansionModeCount][kSideModeWords] = {};

    // The home side.
    int32_t m_HomeMode = 0;
    int32_t m_HouseworkKind = 0;
    int32_t m_OutingDestination = 0;
    int32_t m_RoomPlay = 0;
    int32_t m_RestChoice = 0;
    int32_t m_HomeModeWords[kHomeModeCount][kSideModeWords] = {};

private:
    CStatus m_Status;
};
