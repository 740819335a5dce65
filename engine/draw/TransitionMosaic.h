#pragma once
// "Trans_Mosaic1" to "Trans_Mosaic3" and their fades: the picture breaks into blocks
// that grow to 16, 32 or 64 pixels at the middle of the transition and shrink again
// on the incoming picture.  Without the fade the pictures change at the middle; with
// it they cross-fade through the blocks.
#include "engine/draw/Transition.h"

class CTransitionMosaic : public CTransition {
public:
    CTransitionMosaic(int32_t maxBlock, bool fade) : m_MaxBlock(maxBlock), m_Fade(fade) {}
    bool Draw(const STransitionContext& context, int32_t progress) override;
    // The block size at a progress.
    static int32_t BlockAt(int32_t maxBlock, int32_t progress);

private:
    int32_t m_MaxBlock;
    bool m_Fade;
};
