#pragma once
// What talk objects read of the game object: its system data (the effects switch).
// Tests give their own with CTalkSystemDataOverride instead of building a game.
#include "game/core/SystemData.h"

// The override when one is set, else the calling thread's game object's system data;
// null when there is neither (no main loop registered).
const CSystemData* GetTalkSystemData();
// The effects switch; on when there is no system data.
bool IsTalkEffectsOn();
// True when the calling thread's screen draws through Direct3D.
bool IsTalkScreenDirect3D();

class CTalkSystemDataOverride {
public:
    explicit CTalkSystemDataOverride(const CSystemData& data);
    ~CTalkSystemDataOverride();
    CTalkSystemDataOverride(const CTalkSystemDataOverride&) = delete;
    CTalkSystemDataOverride& operator=(const CTalkSystemDataOverride&) = delete;

private:
    const CSystemData* m_Previous;
};
