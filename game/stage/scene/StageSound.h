#pragma once
// The stage's layer in front of the sound bank: every slot operation is recorded in
// the stage record's 90 sound-slot records (so a save knows what plays and a loaded
// game starts it again), a handful of voice files that scripts load as effects are
// moved into the voice group, and three ambient loops follow the shown scenery.
//
// Every entry tests the slot record first: a slot outside the bank (a script's voice
// slot 29 is bank slot 30) has no record, and the operation does nothing beyond the
// record's own log line.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CSoundBank;
class CStageSnapshot;
class CSystemData;
struct SSoundSlotRecord;

// The voice files that scripts load as effects but that belong to the voice group,
// each with the speaker switch that silences it.
struct SRedirectedVoice {
    std::string file;      // compared whole, case included
    int32_t speaker = 0;   // the voice switch of the system data
};

class CStageSound {
public:
    static constexpr int32_t kGroupMusic = 0;
    static constexpr int32_t kGroupEffect = 1;
    static constexpr int32_t kGroupVoice = 2;
    static constexpr int32_t kRedirectedCount = 5;
    // The speaker switches of the five redirected files, in table order.
    static constexpr std::array<int32_t, kRedirectedCount> kRedirectedSpeakers = {0, 1, 3, 3, 7};
    // The ambient loops: effect slots and their files.
    static constexpr int32_t kAmbientSlots[3] = {13, 14, 15};
    static constexpr const char* kAmbientFiles[3] = {"se\\se_220.ogg", "se\\se_27b.ogg", "se\\se_476.ogg"};

    // None is owned; any may be null (the operations then touch only what exists).
    CStageSound(CStageSnapshot* record, CSoundBank* bank, const CSystemData* settings);

    void SetBank(CSoundBank* bank) { m_Bank = bank; }
    void SetSystemData(const CSystemData* settings) { m_Settings = settings; }
    // The five redirected files (more are ignored); each takes its speaker switch from
    // kRedirectedSpeakers by position.
    void SetRedirected(const std::vector<std::string>& files);
    const std::vector<SRedirectedVoice>& GetRedirected() const { return m_Redirected; }
    // The switch of a redirected file, or -1 when the file is not one of them.
    int32_t RedirectedSpeaker(const std::string& file) const;

    void LoadSlot(int32_t group, int32_t slot, const std::string& file);
    void SetSlotVolume(int32_t group, int32_t slot, int32_t volume);
    void SetSlotPan(int32_t group, int32_t slot, int32_t pan);
    void PlaySlot(int32_t group, int32_t slot, int32_t once, int32_t fadeInMs);
    void StopSlot(int32_t group, int32_t slot, int32_t fadeMs);
    void FadeSlotVolume(int32_t group, int32_t slot, int32_t volume, int32_t ms);
    void FadeSlotPan(int32_t group, int32_t slot, int32_t pan, int32_t ms);
    // Group 1 takes group 2 with it.
    void StopSoundGroup(int32_t group, int32_t fadeMs);
    // Slot s of group g plays from the blank-separated list of names in the group's
    // folder ("bgm", "se", "voice"), with the extension "ogg"; a name that already
    // begins with the folder or has an extension of its own keeps them.
    void PlaySound(int32_t group, int32_t slot, const std::string& list);

    // The ambient loops after a screen change of `ms`, by the layer records' pictures
    // (house classes) and the running game's status flags (14, 37), (14, 40), (14, 50)
    // and (14, 57).
    void UpdateAmbient(int32_t ms);

    // A save: the bank's position of every slot marked playing into its record.
    void StorePositions();
    // A restored game: every slot marked playing loaded again (file or list), with its
    // volume and pan, played looping with a 500 ms fade from its position.
    void RestartPlaying();

private:
    // The group an effect-group operation really addresses (2 when the voice group's
    // record of the slot holds a redirected file).
    int32_t _Route(int32_t group, int32_t slot) const;
    SSoundSlotRecord* _Record(int32_t group, int32_t slot) const;
    // Runs `f`(record, group) on the routed slot's record; nothing when it has none.
    template <typename F>
    void _Routed(int32_t group, int32_t slot, F&& f) {
        group = _Route(group, slot);
        if (SSoundSlotRecord* r = _Record(group, slot)) f(*r, group);
    }
    void _Ambient(int32_t index, bool loud, int32_t volumeLoud, int32_t volumeSoft, int32_t ms);

    CStageSnapshot* m_Record;
    CSoundBank* m_Bank;
    const CSystemData* m_Settings;
    std::vector<SRedirectedVoice> m_Redirected;
};
