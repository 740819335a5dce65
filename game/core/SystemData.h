#pragma once
// The settings and unlock tables that outlive every game, kept in save\cfg.sav.
//
// One record serves both halves of the game: the five option bytes are the four
// option switches of the settings menu (0 screen effects, 1 scenario waits, 2
// confirmations, 3 the event picture panel and the message window's help buttons)
// and, fifth, the quit confirmation of the title menu; the scenario stage's
// right-click setting is the cancel action of the settings menu; its auto switch is
// the auto mode.
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/Serializable.h"

class CSystemData : public CSerializable {
public:
    static constexpr uint32_t kFormatVersion = 1;
    static constexpr int kTableSize = 100000;  // picture keys, play-view indexes, persistent ints
    static constexpr int kOptionCount = 5;
    static constexpr int kVoiceSwitchCount = 16;
    static constexpr int kMusicUnlockCount = 30;
    static constexpr const char* kDefaultPath = "save\\cfg.sav";

    // Option byte indexes.
    enum {
        OPTION_EFFECTS = 0,       // fades, motions and noise run
        OPTION_WAIT = 1,          // scenario waits run their time
        OPTION_CONFIRM = 2,       // leaving a side, purchases, the food decision ask first
        OPTION_EVENT_PANEL = 3,   // the event picture panel and help buttons 14..16
        OPTION_QUIT_CONFIRM = 4,  // unused: the title menu asks by OPTION_CONFIRM
    };

    struct SNoLoad {};
    static constexpr SNoLoad kNoLoad{};

    // Reads save\cfg.sav; the defaults when that fails.
    CSystemData();
    // The defaults, without touching the disk.
    explicit CSystemData(SNoLoad);

    // Every field and table to its default (the state of a first start).
    void SetDefaults();
    // The settings menu's defaults: the settings only; unlock tables, the persistent
    // integers, the overwrite confirmation, the quit confirmation and the logo-seen
    // flag stay.
    void SetDefaultSettings();

    // Reads the file (game path).  False with a log line when it is missing or cannot
    // be decoded; the record then holds the defaults.
    bool Load(const std::string& path = kDefaultPath);
    // Writes the file atomically; the game object calls it at exit.
    bool Save(const std::string& path = kDefaultPath);

    void Serialize(CDataFile& file) override;
    bool operator==(const CSystemData& other) const = default;

    // ---- range-checked access (out of range: reads 0, writes nothing, logged) ----
    uint8_t GetOption(int index) const;
    void SetOption(int index, uint8_t on);
    bool IsEffectsOn() const { return GetOption(OPTION_EFFECTS) != 0; }
    bool IsWaitSwitchOn() const { return GetOption(OPTION_WAIT) != 0; }
    bool IsConfirmOn() const { return GetOption(OPTION_CONFIRM) != 0; }
    bool IsEventPanelOn() const { return GetOption(OPTION_EVENT_PANEL) != 0; }
    bool IsQuitConfirmOn() const { return GetOption(OPTION_QUIT_CONFIRM) != 0; }

    uint8_t GetVoiceSwitch(int speaker) const;
    void SetVoiceSwitch(int speaker, uint8_t on);

    // The cancel action under the stage's name for it.
    int32_t GetRightClickSetting() const { return m_CancelAction; }

    uint8_t GetCgUnlock(int key) const;
    void SetCgUnlock(int key, uint8_t value);
    uint32_t GetCgSeen(int key) const;
    void SetCgSeen(int key, uint32_t bits);
    // Sets bit `picture` (0..31) of the key's seen word.
    void MarkCgSeen(int key, int picture);

    uint8_t GetPlayViewUnlock(int index) const;
    void SetPlayViewUnlock(int index, uint8_t value);

    int32_t GetPersistent(int index) const;
    void SetPersistent(int index, int32_t value);

    uint8_t GetMusicUnlock(int index) const;
    void SetMusicUnlock(int index, uint8_t value);

    // ---- settings ----
    int32_t m_ScreenMode = 0;         // 0 window; 16 or 32 full screen at that depth
    uint8_t m_Options[kOptionCount] = {1, 1, 1, 1, 1};
    uint8_t m_AutoMode = 0;           // lines advance by themselves
    int32_t m_MessageSpeed = 50;      // 0..100; 100 shows a line at once
    int32_t m_AutoSpeed = 50;         // 0..100
    int32_t m_WindowOpacity = 100;    // 0..100
    int32_t m_SkipMode = 0;           // 1: only text read before is skipped
    int32_t m_MusicVolume = 80;       // 0..100
    int32_t m_EffectVolume = 100;     // 0..100
    int32_t m_VoiceVolume = 80;       // 0..100
    uint8_t m_VoiceSwitches[kVoiceSwitchCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t m_CancelAction = 0;       // 0..4 (the right-click setting)
    int32_t m_LastSavedSlot = 0;      // 0..35, the save and load screens' remembered slot
    uint8_t m_OverwriteConfirm = 1;   // ask before overwriting a used slot
    uint8_t m_LogoSeen = 0;           // the logo chain has been seen once

private:
    void _ClearTables();
    // Holds loaded settings to their ranges.
    void _Sanitize();

    std::vector<uint8_t> m_CgUnlock;      // per picture key
    std::vector<uint32_t> m_CgSeen;       // per picture key: bit j = picture j seen
    std::vector<uint8_t> m_PlayViewUnlock;
    std::vector<int32_t> m_Persistent;    // per-screen settings (the hint window at 10000..10003)
    uint8_t m_MusicUnlock[kMusicUnlockCount] = {};
};
