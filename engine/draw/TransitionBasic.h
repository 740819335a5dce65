#pragma once
// The plain transitions: the cut ("Trans_None": the incoming picture as soon as the
// transition has begun) and the cross-fade ("Trans_Fade").
#include "engine/draw/Transition.h"

class CTransitionNone : public CTransition {
public:
    bool Draw(const STransitionContext& context, int32_t progress) override;
};

class CTransitionFade : public CTransition {
public:
    bool Draw(const STransitionContext& context, int32_t progress) override;
};
