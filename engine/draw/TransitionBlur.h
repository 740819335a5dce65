#pragma once
// "Trans_Blur1" to 3: the outgoing picture blurs, the blur peaks at the middle while
// the pictures cross-fade, and the incoming picture comes into focus.  1 a soft blur
// (the picture reduced and enlarged again with filtering), 2 a zoom blur (copies
// scaled about the centre), 3 a sideways motion blur (copies shifted left and right).
#include "engine/draw/Transition.h"

class CTransitionBlur : public CTransition {
public:
    explicit CTransitionBlur(int32_t variant) : m_Variant(variant) {}
    bool Draw(const STransitionContext& context, int32_t progress) override;

private:
    bool _Blurred(const STransitionContext& context, const CD3DTexture* picture, float strength, float alpha, bool first);
    int32_t m_Variant;
};
