#pragma once
// What the game object asks of its kept in-game scene (scene 19): a scene that can
// copy the running game into a save record, rebuild the game from one and draw a
// thumbnail of it.
#include <string>

#include "engine/draw/SceneBase.h"

class CSaveData;
class CGameState;
class CMainGameScene;

class IInGameScene : public CSceneBase, public CSceneObjectBase {
public:
    // Copies the running game into the record.
    virtual void WriteSave(CSaveData& save) = 0;
    // Rebuilds the game from the record.
    virtual void RestoreFromSave(const CSaveData& save) = 0;
    // Writes the save thumbnail of the running game to a game path.
    virtual bool RenderToTexture(const std::string& path) = 0;
    // The running game's state (status record included); null while none runs.
    virtual CGameState* GetGameState() { return nullptr; }
    // The stage the running game plays its scripts on; null while there is none.
    virtual CMainGameScene* GetStage() { return nullptr; }
    // Makes the scene ready for a new game (the title menu's new game).
    virtual void ResetAll() {}
};
