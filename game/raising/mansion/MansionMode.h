#pragma once
// The base of every mansion-side mode: an in-game mode (it reaches the stage, the game
// state and the event start through the in-game scene) that also knows the host whose
// mode machine runs it, for the host's transition and its ReturnToMenu / SetSideMode.
#include "game/raising/ingame/ModeState.h"

class CMansionHostMode;

class CMansionMode : public CModeState {
public:
    explicit CMansionMode(CMansionHostMode& host);

    CMansionHostMode& GetHost() const { return m_Host; }

protected:
    // True while the mansion's or the in-game scene's mode manager runs a transition.
    bool _InTransition() const;

    CMansionHostMode& m_Host;
};
