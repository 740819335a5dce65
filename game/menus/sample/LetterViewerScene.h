#pragma once
// Scene 26, a developer screen: every letter of cfg\letter.csv in file order, its
// picture shown while its voices play, then on a key its event script played on a
// stage, then the next letter.  The viewer counts as a replay, so leaving the program
// writes no automatic save.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "game/raising/letter/LetterList.h"

class CGameMain;

// What the viewer needs of the stage that plays a letter's script.
class ILetterViewerStage {
public:
    virtual ~ILetterViewerStage() = default;
    virtual bool StartScript(const std::string& path) = 0;
    virtual bool GetScriptEndFlag() const = 0;
    virtual void Update() = 0;
    virtual void Draw() = 0;
    virtual void OnDeviceRestored() = 0;
};

class CLetterViewerScene : public CSceneBase, public CSceneObjectBase {
public:
    enum EState : int32_t {
        STATE_FINISHED = -1,
        STATE_NEXT = 0,     // the next letter's picture and voices are put up
        STATE_SHOWING = 1,  // the letter waits for a key
        STATE_SCRIPT = 2,   // its script runs on the stage
    };

    // A script that cannot be started (no stage) is logged and counts as ended at once.
    CLetterViewerScene(CGameMain& game, std::unique_ptr<ILetterViewerStage> stage);
    ~CLetterViewerScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    int32_t GetState() const { return m_State; }
    int32_t GetIndex() const { return m_Index; }
    const std::vector<CLetterEntry>& GetEntries() const { return m_Entries; }

private:
    void _ShowEntry(const CLetterEntry& entry);

    CGameMain& m_Game;
    std::unique_ptr<ILetterViewerStage> m_Stage;
    std::vector<CLetterEntry> m_Entries;
    int32_t m_Index = 0;
    CImagePlane m_Picture;
    int32_t m_State = STATE_NEXT;
    bool m_ScriptStarted = false;
};

// The stage of the game's kept in-game scene, looked up at every use.
std::unique_ptr<ILetterViewerStage> MakeKeptLetterViewerStage(CGameMain& game);
