#pragma once
// The four states of a member panel that opens and closes with a movement, shared by
// the confirmation panel and the list panel.
#include <cstdint>

#include "engine/draw/SceneBase.h"

class CPanelState : public CSceneBase {
public:
    enum EState { STATE_CLOSED = 0, STATE_OPENING = 1, STATE_OPEN = 2, STATE_CLOSING = 3 };

    bool IsOpen() const { return m_State == STATE_OPENING || m_State == STATE_OPEN; }
    bool IsMoving() const { return m_State == STATE_OPENING || m_State == STATE_CLOSING; }
    int32_t GetState() const { return m_State; }

protected:
    int32_t m_State = STATE_CLOSED;
};
