#pragma once
// "Trans_Wave1" to "Trans_Wave6": the pictures ripple while they cross-fade, the
// ripple rising to its height at the middle of the transition and settling again.
// 1 and 2: rows shift sideways (gentle, then tight waves); 3 and 4: columns shift up
// and down; 5: rows with waves that run down the screen; 6: rows and columns at once.
#include "engine/draw/Transition.h"

class CTransitionWave : public CTransition {
public:
    explicit CTransitionWave(int32_t variant) : m_Variant(variant) {}
    bool Draw(const STransitionContext& context, int32_t progress) override;

private:
    bool _Strips(const STransitionContext& context, const CD3DTexture* picture, bool rows, float amplitude,
                 float wavelength, float phase, uint32_t colour);
    int32_t m_Variant;
};
