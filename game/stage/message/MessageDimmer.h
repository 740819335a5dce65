#pragma once
// The message window's darkening: a motion effect whose stopped state stretches its
// plane (a small half-transparent black picture) over the whole 800 × 600 screen.
#include "engine/adv/MotionEffect.h"

class CMessageDimmer : public CMotionEffect {
protected:
    void DrawStopped(const CMatrix4& matrix) override;
};
