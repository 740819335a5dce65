#pragma once
// Scene 15, the music room: a player for the game's 19 pieces of music.  A list of the
// unlocked tracks, play, pause, stop, previous, next and back, three play modes (repeat
// one, repeat all, shuffle; at most one at a time) and the title of the playing track,
// over the dimmed wide background with the menu screens' tab bar.
//
// Tracks play once each on the game object's music channel (channel 4); the mode
// decides what follows the end of a track.  While the room is open every slot of the
// sound bank is faded to silence; every way out fades them back to their own volumes
// and fades the music out.  Only the tab bar and cancel make menu sounds.
#include <array>
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/sound/SoundBank.h"
#include "game/core/Button.h"
#include "game/core/ImageButton.h"
#include "game/menus/kit/MenuDimmer.h"
#include "game/menus/kit/MenuTabBar.h"
#include "game/menus/title/GameScene.h"
#include "platform/sys/Geometry.h"

class CFadeSound;

class CMusicRoomScene : public CGameScene {
public:
    static constexpr int32_t kSceneId = 15;
    static constexpr int32_t kOwnTab = 4;
    static constexpr int32_t kTrackCount = 19;
    static constexpr int32_t kMusicChannel = 4;
    static constexpr int kBankFadeMs = 500;
    static constexpr int kMusicFadeOutMs = 450;
    static constexpr int32_t kTransition = 1;
    static constexpr int32_t kTransitionFrames = 15;

    static constexpr const char* kTitle = "obj\\c000_022.bmp";
    static constexpr const char* kSubTitle = "obj\\c000_023.bmp";
    static constexpr const char* kControlSheet = "obj\\c000_024.bmp";
    static constexpr const char* kModeSheet = "obj\\c000_025.bmp";
    static constexpr const char* kTrackTitleSheet = "obj\\c013_000.bmp";
    static constexpr const char* kTrackSheet = "obj\\c012_000.bmp";

    enum EControl { CONTROL_PLAY, CONTROL_PAUSE, CONTROL_STOP, CONTROL_PREVIOUS, CONTROL_NEXT, CONTROL_BACK };
    static constexpr int kControlCount = 6;
    enum EMode { MODE_REPEAT_ONE, MODE_REPEAT_ALL, MODE_SHUFFLE };
    static constexpr int kModeCount = 3;

    static constexpr SPoint kTitlePlace{0, 0};
    static constexpr SPoint kSubTitlePlace{280, 0};
    static constexpr SPoint kTrackTitlePlace{400, 24};
    static constexpr std::array<SPoint, kControlCount> kControlPlaces = {
        SPoint{376, 56}, SPoint{432, 56}, SPoint{488, 56}, SPoint{544, 56}, SPoint{600, 56}, SPoint{720, 88}};
    static constexpr std::array<SPoint, kModeCount> kModePlaces = {SPoint{376, 88}, SPoint{488, 88},
                                                                   SPoint{600, 88}};
    static constexpr SPoint TrackPlace(int32_t n) { return SPoint{32, 160 + 16 * n}; }

    explicit CMusicRoomScene(CGameMain& game) : CGameScene(game) {}
    ~CMusicRoomScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Plays track n, or the first playable track after it when it is locked or could
    // not be loaded in this visit; stops the player when none can be played.
    void PlayTrack(int32_t n);
    // Play off, stop on, pause locked, the music channel stopped, every track button
    // off and the current track back to 0.
    void Stop();
    // Step to the next (previous) unlocked track, at least one step and at most a full
    // round of 19; false, with the current track unchanged, when no track is playable.
    bool NextUnlocked();
    bool PrevUnlocked();
    // The following track (wrapping), or the first playable one after it.
    void Next();
    // What follows the end of a track, by the mode; run at the end of every update.
    void CheckTrackEnd();
    // Holds or resumes the track.  Pressed while nothing sounds it leaves the button
    // off but the paused state set, and the next press resumes (which does nothing).
    void PauseToggle();
    void SilenceSoundBank();
    void RestoreSoundBank();

    bool IsPlaying() const { return m_Playing != 0; }
    bool IsPaused() const { return m_Paused != 0; }
    int32_t GetTrack() const { return m_Track; }
    bool IsModeOn(int mode) const;
    // Unlocked in the system data and not found unloadable in this visit.
    bool IsPlayable(int32_t n) const;
    const CImageButton& GetControl(int i) const { return m_ControlButtons[static_cast<size_t>(i)]; }
    const CImageButton& GetModeButton(int i) const { return m_ModeButtons[static_cast<size_t>(i)]; }
    const CButton& GetTrackButton(int32_t n) const { return m_TrackButtons[static_cast<size_t>(n)]; }
    int32_t GetSavedVolume(int group, int slot) const;

private:
    CFadeSound* _Music();
    bool _IsUnlocked(int32_t n) const;
    bool _Step(int32_t direction);
    // A shuffle draw: 0 to 18 from a generator built for this draw.
    static int32_t _Draw();
    void _Leave(bool viaReturn);
    void _Control(int i);
    void _Modes();
    // Track n's button on, the others off; buttons of unloadable tracks stay locked.
    void _SelectTrackButton(int32_t n);

    CMenuDimmer m_DimPlane;
    CImagePlane m_TitlePlane;
    CImagePlane m_SubTitlePlane;
    CMenuTabBar m_TabBar;
    std::array<CImageButton, kControlCount> m_ControlButtons;
    std::array<CImageButton, kModeCount> m_ModeButtons;
    CImagePlane m_ControlSheet;
    CImagePlane m_ModeSheet;
    CImagePlane m_TrackTitleSheet;
    CCellImage m_TrackTitleCells;
    CImagePlane m_TrackSheet;
    std::array<CButton, kTrackCount> m_TrackButtons;
    std::array<int32_t, CSoundBank::kGroupCount * CSoundBank::kSlotCount> m_SavedVolumes{};
    std::array<bool, kTrackCount> m_Unloadable{};
    uint8_t m_RepeatOne = 0;
    uint8_t m_RepeatAll = 0;
    uint8_t m_Shuffle = 0;
    uint8_t m_Playing = 0;
    uint8_t m_Paused = 0;
    int32_t m_Track = 0;
};
