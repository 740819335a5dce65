#pragma once
// The base of the top-level scenes of this folder: a scene that knows its game object.
#include "engine/draw/SceneBase.h"

class CGameMain;

class CGameScene : public CSceneBase, public CSceneObjectBase {
public:
    explicit CGameScene(CGameMain& game) : m_Game(game) {}
    // Ends the use of the wide background when the scene began one.
    ~CGameScene() override;

protected:
    // The whole screen black.
    void ClearToBlack();
    // From Load: the scene uses the wide background with both parts shown.
    void BeginWideBackground();

    CGameMain& m_Game;

private:
    bool m_UsesWide = false;
};
