#pragma once
// The relay scenes: at their first update outside a transition they send the
// top-level scene manager on to their target scene with a fade (transition 1 over
// 30 frames); until then they show black.  Scene 21 leads to the kept in-game scene
// (19), scene 22 to a fresh one (20); the load relay (23) first rebuilds the kept
// in-game scene from the current save record.
#include <cstdint>

#include "engine/draw/SceneBase.h"

class CGameMain;

class CRelayScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kTransition = 1;
    static constexpr int32_t kFrames = 30;

    CRelayScene(CGameMain& game, int32_t target) : m_Game(game), m_Target(target) {}

    void Update() override;
    void Draw() override;

    int32_t GetTarget() const { return m_Target; }

protected:
    // Runs once, right before the scene request.
    virtual void OnLeave() {}
    CGameMain& m_Game;

private:
    int32_t m_Target;
    bool m_Requested = false;
};

class CLoadRelayScene : public CRelayScene {
public:
    explicit CLoadRelayScene(CGameMain& game) : CRelayScene(game, 19) {}

protected:
    void OnLeave() override;
};
