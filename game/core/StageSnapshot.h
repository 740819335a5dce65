#pragma once
// The stage's saved state: what a loaded game needs to rebuild the scenario stage as
// it was (the script and its position, the wait, the message window and balloons,
// the layers, the screen effect, the message log and the 90 sound-slot records).
// The stage keeps it up to date as it works; a save copies it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/SaveRecordStrings.h"
#include "game/core/Serializable.h"

// One talk object on a numbered layer.
struct SLayerRecord {
    int32_t id = 0;              // the layer number (also its drawing order)
    int32_t kind = 0;            // 0 picture, 1 animated picture, 2 colour fill, 3 noise, 4 time-of-day background
    std::string file;            // picture file (or empty)
    std::vector<int32_t> args;   // the creation arguments of its kind (colour, frames ...)
    float x = 0, y = 0;          // position
    float scaleX = 1, scaleY = 1, scaleCenterX = 0, scaleCenterY = 0;
    float rotation = 0, rotationCenterX = 0, rotationCenterY = 0;
    int32_t level = 256;         // 256 opaque
    uint8_t shown = 0;
    std::string motionText;      // the motion script of the layer
    uint8_t motionRunning = 0;
    uint8_t motionLoop = 0;
    std::vector<int32_t> motionValues;  // the values the motion saved

    void Serialize(CDataFile& file);
    bool operator==(const SLayerRecord&) const = default;

    // Whether the placement (and the end placement a motion saved) is one the stage can
    // have written: finite, positions, centres and angles within the int range (the
    // stage takes them from ints), scales within what a script's thousandths give.  A
    // loaded layer outside fails the load: only a hand-edited save holds one.
    bool IsPlacementInRange() const;
};

// A placement value of a layer record as the int the stage draws with: held to the int
// range (an int's float can be 2^31, just past it), 0 for NaN.
int32_t LayerPlacementInt(float value);

// One speech balloon: its shown mark, its line and the settings it was opened with.
struct SBalloonRecord {
    uint8_t shown = 0;
    CSaveRecordStrings line;
    std::vector<int32_t> settings;  // the balloon command's further ints

    void Serialize(CDataFile& file);
    bool operator==(const SBalloonRecord&) const = default;
};

// One (group, slot) of the sound bank as the stage last set it.
struct SSoundSlotRecord {
    uint8_t playing = 0;   // played looping; cleared by load, stop or group stop
    int32_t listFlag = 0;  // 0 loaded from a file, 1 from a list
    std::string source;    // the file name or the list text
    int32_t volume = 0;    // 0..100
    int32_t pan = 0;
    int32_t position = 0;  // stored when a save is taken, for playing slots

    void Serialize(CDataFile& file);
    bool operator==(const SSoundSlotRecord&) const = default;
};

class CStageSnapshot : public CSerializable {
public:
    static constexpr int kBalloonCount = 32;
    static constexpr int kSoundGroups = 3;
    static constexpr int kSoundSlots = 30;
    static constexpr int kSoundRecordCount = kSoundGroups * kSoundSlots;

    CStageSnapshot() = default;

    // Everything cleared: no script, no layers, silent slots.
    void Reset();
    void Assign(const CStageSnapshot& other) { *this = other; }
    void Serialize(CDataFile& file) override;
    bool operator==(const CStageSnapshot& other) const = default;

    // The record of (group, slot); null (with a log line) outside 0..2 and 0..29.
    SSoundSlotRecord* GetSoundSlot(int group, int slot);
    const SSoundSlotRecord* GetSoundSlot(int group, int slot) const;
    // Balloon i (0..31); null outside.
    SBalloonRecord* GetBalloon(int index);

    std::string m_ScriptName;
    int32_t m_RecordId = 0;
    int32_t m_WaitFrames = 0;
    uint8_t m_WaitFlags[4] = {};          // wait flags 1 to 4
    uint8_t m_WindowShown = 0;            // the message window is shown
    std::string m_PanelPicture;           // the event picture panel's picture
    int32_t m_PanelEventId = 0;           // and its event id
    std::array<SBalloonRecord, kBalloonCount> m_Balloons;
    std::vector<SLayerRecord> m_Layers;
    uint8_t m_EffectOn = 0;               // a screen effect runs
    int32_t m_EffectKind = 0;
    std::vector<CSaveRecordStrings> m_Log;  // message-log entries, oldest first
    std::array<SSoundSlotRecord, kSoundRecordCount> m_SoundSlots;
};
