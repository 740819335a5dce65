#pragma once
// The base of the top-level scenes of this folder: a scene that knows its game object.
#include "engine/draw/SceneBase.h"

class CGameMain;

class CGameScene : public CSceneBase, public CSceneObjectBase {
public:
    explicit CGameScene(CGameMain& game) : m_Game(game) {}

protected:
    // The whole screen black.
    void ClearToBlack();

    CGameMain& m_Game;
};
