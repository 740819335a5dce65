#pragma once
// The game object: it owns every game-wide service and fills the one frame loop.
//
// Built on the window thread, in this order: the main-loop base (with keyboard, mouse
// and frame timer), the DirectSound holder, seven fading sound channels and the voice
// playlist, the read history, the system data (read from save\cfg.sav at once), the
// sound bank, the "save" folder, the screen with its renderer, the scene factory and
// the scene manager, the current save record and the kept in-game scene; then the
// frame rate (60), save\read.sav, the registration with CAppManager, the event table
// from cfg\event.csv, and last the automatic save save\save00.sav.
//
// Each pass of the loop: messages, input, a lost device reset (when the window is
// active) followed by every live scene's restore, a change of the window's screen mode
// stored in the system data, the movie hook, the update while the window is active and not
// minimised (sound fades, then the scene manager), the draw unless the frame timer skips
// it or a movie plays.
//
// Its end (Shutdown, or else its destruction) writes a game in progress into the
// current save record (marking it as holding a game), then save\save00.sav,
// save\read.sav and save\cfg.sav in that order.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/MainLoopBase.h"

class CDirectSound;
class CFadeSound;
class CFadeSoundList;
class CReadHistory;
class CSystemData;
class CSoundBank;
class CScreen;
class CScreenRenderer;
class CSceneManager;
class CSaveData;
class CEventTable;
class ISceneFactory;
class CSceneFactory;
class IInGameScene;
class CWideBackground;

// Told by the frame loop once every frame, updated or not (the movie mode pauses its
// movie while the window is inactive, when no update runs).
class IMovieHook {
public:
    virtual ~IMovieHook() = default;
    virtual void OnMovieFrame() = 0;
};

class CGameMain : public CMainLoopBase {
public:
    static constexpr int kChannelCount = 7;
    static constexpr int kChannelSoundCount = 4;
    // The short sounds of channels 0 to 3: decide, cursor, cancel, purchase.
    static constexpr const char* kChannelSounds[kChannelSoundCount] = {"sys\\001.ogg", "sys\\004.ogg", "sys\\002.ogg",
                                                                       "sys\\006.ogg"};
    static constexpr int32_t kBootScene = 2;
    static constexpr int32_t kKeptInGameScene = 19;

    enum EStart {
        START_BOOT,    // the boot scene, which leads into the logo scenes
        START_VIEWER,  // the developer's chosen scripts on the kept in-game scene
        START_TOOL,    // driven by the script tool, on the kept in-game scene
        START_SCENE,   // a developer scene by its id (the start-up's --scene)
    };

    using InGameSceneMaker = std::function<std::unique_ptr<IInGameScene>(CGameMain& game, bool fresh)>;

    struct SOptions {
        // The frame timer's clock (not owned); null: the real clock.
        IFrameClock* clock = nullptr;
        // Sound mixed only on request (tests), instead of the sound output.
        bool manualSound = false;
        // The system report written when the screen is made; empty writes none.
        std::string reportPath = "info.txt";
        // The factory of the top-level scenes (not owned); null: the game's own.
        ISceneFactory* sceneFactory = nullptr;
        // Makes the in-game scene: the kept one (fresh false) and fresh ones (scene 20).
        InGameSceneMaker inGameSceneMaker;
        // Told each step of the construction and of the shutdown, in order.
        std::function<void(const char* step)> onStep;
        // The event table (not owned); null: the game's own, read from cfg\event.csv.
        CEventTable* eventTable = nullptr;
    };

    CGameMain();
    explicit CGameMain(SOptions options);
    // Shuts down when nobody did.
    ~CGameMain() override;

    // The end of the run: the exit saves, every one tried, then the scenes released.
    // True when every save was written; once only (later calls answer the same).
    bool Shutdown();
    // The saves of Shutdown that were not written (game paths), in writing order.
    const std::vector<std::string>& GetFailedExitSaves() const { return m_FailedExitSaves; }

    // Before the loop: clears the screen to black, loads the channel sounds, chooses the
    // first scene (transition 0 over 0 frames), applies the volume settings and brings
    // the window to the top.  `scripts` are the viewer's chosen scripts; `scene` is the
    // scene of START_SCENE.
    void Begin(EStart start, const std::vector<std::string>& scripts = {}, int32_t scene = 0);

    // ---- services ----
    CSystemData& GetSystemData() { return *m_SystemData; }
    CSoundBank& GetSoundBank() { return *m_SoundBank; }
    CReadHistory& GetReadFlags() { return *m_ReadHistory; }
    CSaveData& GetSaveData() { return *m_SaveData; }
    CEventTable& GetEventTable() { return *m_EventTable; }
    CSceneManager& GetSceneManager() { return *m_SceneManager; }
    CScreen& GetScreen() { return *m_Screen; }
    CScreenRenderer* GetRenderer();
    CDirectSound& GetDirectSound() { return *m_DirectSound; }
    // Channels 0 to 6 (null for another index) and the voice playlist.
    CFadeSound* GetChannel(int index);
    CFadeSoundList& GetVoiceList() { return *m_VoiceList; }
    // The kept in-game scene; null while the game has none.
    IInGameScene* GetRaisingScene() { return m_RaisingScene.get(); }
    // A new in-game scene (scene 20); null while the game has none.
    std::unique_ptr<IInGameScene> CreateFreshInGameScene();

    // ---- game-wide fields ----
    // Non-zero while a game runs (each use of the kept in-game scene counts one).
    int32_t m_GameInProgress = 0;
    // Set while menus replay scenario events: the running game is then not saved.
    uint8_t m_ReplayFlag = 0;
    // The event a fresh in-game scene starts.
    int32_t m_ReplayEventId = 0;
    // The viewer start and the scripts it chose.
    bool m_Viewer = false;
    std::vector<std::string> m_ViewerScripts;

    // A game of the player's runs: one was started, continued or loaded (the
    // game-in-progress count), the replay flag is clear and the run is no developer start.
    bool IsPlayersGameRunning() const;
    // Copies the running game into the current save record when a kept in-game scene
    // exists and no replay runs (true); otherwise the record stays as it is.  The
    // automatic save at exit asks it only while a game of the player's runs.
    bool WriteCurrentSave();
    // The save thumbnail of the running game, written to a game path; false (logged)
    // while the game has no in-game scene.
    bool RenderGameToTexture(const std::string& path);
    // Applies the system data's screen mode, channel volumes and sound bank group volumes.
    // A screen mode whose display change failed is not tried again while it stays stored.
    void ApplySoundVolumes();
    // Plays channel n's short sound from the start.
    void PlayChannel(int channel);
    void PlayChannel0() { PlayChannel(0); }
    void PlayChannel1() { PlayChannel(1); }
    void PlayChannel2() { PlayChannel(2); }
    void PlayChannel3() { PlayChannel(3); }

    // The movie hook (not owned; one at a time); removing another hook changes nothing.
    void SetMovieHook(IMovieHook* hook) { m_MovieHook = hook; }
    void RemoveMovieHook(IMovieHook* hook) {
        if (m_MovieHook == hook) m_MovieHook = nullptr;
    }
    IMovieHook* GetMovieHook() const { return m_MovieHook; }
    // Clear while a movie plays: the frame loop then draws nothing.
    void SetDrawEnabled(bool enabled) { m_DrawEnabled = enabled; }
    bool IsDrawEnabled() const { return m_DrawEnabled; }
    // ---- the wide background of the menu screens ----
    // A screen begins its use when it loads: the user count + 1, the two parts shown or
    // hidden; true when the background is loaded or loads now.
    bool BeginWideBackground(bool showPart0, bool showPart1);
    // From the screen's destructor: the user count - 1.  The pictures are released by
    // the frame update once no screen uses them and no transition runs.
    void EndWideBackground();
    // Once a screen update: one step of scrolling.
    void StepWideBackground();
    // First in a screen's draw, under everything else.
    void DrawWideBackground();
    CWideBackground& GetWideBackground() { return *m_WideBackground; }
    int32_t GetWideBackgroundUsers() const { return m_WideBackgroundUsers; }

    // How many times the device was reset and the scenes restored.
    uint64_t GetDeviceRestoreCount() const { return m_DeviceRestores; }
    uint64_t GetUpdateCount() const { return m_Updates; }
    uint64_t GetDrawCount() const { return m_Draws; }

protected:
    void FrameStep() override;
    void OnUpdate() override;
    void OnDraw() override;

private:
    void _Step(const char* step);
    void _Build();
    void _RestoreLostDevice();

    SOptions m_Options;
    std::unique_ptr<CDirectSound> m_DirectSound;
    std::array<std::unique_ptr<CFadeSound>, kChannelCount> m_Channels;
    std::unique_ptr<CFadeSoundList> m_VoiceList;
    std::unique_ptr<CReadHistory> m_ReadHistory;
    std::unique_ptr<CSystemData> m_SystemData;
    std::unique_ptr<CSoundBank> m_SoundBank;
    std::unique_ptr<CScreen> m_Screen;
    std::unique_ptr<CSceneFactory> m_OwnFactory;
    std::unique_ptr<CSceneManager> m_SceneManager;
    std::unique_ptr<CSaveData> m_SaveData;
    // The record the exit writes to the automatic save in place of m_SaveData: in a
    // developer start, the record read at start, kept aside as the start begins.
    std::unique_ptr<CSaveData> m_ExitRecord;
    // Declared before the in-game scene, which keeps pointers to its rows.
    std::unique_ptr<CEventTable> m_OwnEventTable;
    CEventTable* m_EventTable = nullptr;
    std::unique_ptr<IInGameScene> m_RaisingScene;
    IMovieHook* m_MovieHook = nullptr;
    bool m_DrawEnabled = true;
    // The viewer, the script tool and the developer scenes play on the kept in-game
    // scene without a game of the player's.
    bool m_DeveloperStart = false;
    bool m_ShutDown = false;
    bool m_ExitSavesWritten = true;
    std::vector<std::string> m_FailedExitSaves;
    std::unique_ptr<CWideBackground> m_WideBackground;
    int32_t m_WideBackgroundUsers = 0;
    uint64_t m_DeviceRestores = 0;
    uint64_t m_Updates = 0;
    uint64_t m_Draws = 0;
    // The window's screen mode as the previous frame saw it: only a change of the window's
    // mode is stored in the system data, so that a full-screen choice whose display change
    // failed stays stored.
    int m_SeenScreenMode = 0;
    // The stored mode whose display change failed (-1: none); tried again only once
    // another mode was stored in between.
    int m_FailedScreenMode = -1;
};

// The calling thread's game object (the registered main loop), null when there is none.
CGameMain* GetGameMain();
