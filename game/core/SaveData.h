#pragma once
// A save record: the slot's comment, the time it was saved, three flags, the game
// state (with the status record) and the stage snapshot.  The current save record
// of the game object and every slot file (save\save00.sav, save\save01.sav to
// save\save36.sav) hold one.
#include <cstdint>
#include <functional>
#include <string>

#include "game/core/GameState.h"
#include "game/core/Serializable.h"
#include "game/core/StageSnapshot.h"

// The six save-time fields, local time.
struct SSaveTime {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    bool operator==(const SSaveTime&) const = default;
};

class CSaveData : public CSerializable {
public:
    static constexpr uint32_t kFormatVersion = 1;
    static constexpr int kSlotCount = 36;

    CSaveData() = default;

    // A fresh game state and stage snapshot, empty comment, zero times, flags 0.
    void Reset();
    // A deep copy including comment, times and flags.
    void Assign(const CSaveData& other) { *this = other; }
    void Serialize(CDataFile& file) override;
    bool operator==(const CSaveData& other) const = default;

    // Reads a save file (game path).  False, with the record reset and a log line,
    // when the file is missing, truncated, corrupt or not a save record.
    bool Load(const std::string& path);
    // Stamps the six time fields from the local clock, sets the used flag, writes.
    bool SaveWithTime(const std::string& path);
    // Sets the used flag and writes; the time stays as it is.
    bool SaveMarked(const std::string& path);
    // Writes the record as it is (atomically).
    bool Save(const std::string& path);

    // The game path of slot n: 0 is the automatic save "save\save00.sav", 1..36 the
    // slots; empty (with a log line) for any other n.
    static std::string SlotPath(int slot);
    // The local time now.
    static SSaveTime LocalNow();
    // The time SaveWithTime stamps: the clock set by SetClock, else the local time.
    static SSaveTime Now();
    // Replaces the save clock (tests and the demo's golden frames want repeatable
    // stamps); an empty function gives the local time back.
    static void SetClock(std::function<SSaveTime()> clock);

    CGameState& GetGameState() { return m_GameState; }
    const CGameState& GetGameState() const { return m_GameState; }
    CStageSnapshot& GetStageSnapshot() { return m_Stage; }
    const CStageSnapshot& GetStageSnapshot() const { return m_Stage; }

    std::string m_Header;      // the slot's comment
    SSaveTime m_Time;
    uint8_t m_CarryMark = 0;
    uint8_t m_ClearData = 0;
    uint8_t m_Used = 0;        // the record holds a game

private:
    CGameState m_GameState;
    CStageSnapshot m_Stage;
};
