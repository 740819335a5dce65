#pragma once
// Zooms and turns about the screen centre.
//  - "Trans_Zoom1" / "Trans_ZoomFade1": the incoming picture grows from the centre.
//  - "Trans_Zoom2" / "Trans_ZoomFade2": the outgoing picture shrinks into the centre.
//  - "Trans_Zoom3": the outgoing picture zooms in until the middle, then the incoming
//    one zooms out from close up.
//  - "Trans_RotateZoom1" to 4 and their fades: the incoming picture spins in while it
//    grows (1 clockwise, 2 counter-clockwise, 3 two turns), or (4) the outgoing picture
//    spins away while it shrinks.
// The fade variants also fade the moving picture.
#include "engine/draw/Transition.h"

class CTransitionZoom : public CTransition {
public:
    enum EKind { ZOOM_IN = 1, ZOOM_OUT = 2, ZOOM_THROUGH = 3, ROTATE_IN_CW = 11, ROTATE_IN_CCW = 12, ROTATE_IN_TWICE = 13,
                 ROTATE_OUT = 14 };
    CTransitionZoom(EKind kind, bool fade) : m_Kind(kind), m_Fade(fade) {}
    bool Draw(const STransitionContext& context, int32_t progress) override;

private:
    EKind m_Kind;
    bool m_Fade;
};
