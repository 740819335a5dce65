#pragma once
// Transition -1: the screen is the fade colour for as long as it runs (the script's
// colour fade sets the colour, command 50).  The colour is shared by every holder.
#include <cstdint>

#include "engine/draw/Transition.h"

class CTransitionDirect : public CTransition {
public:
    // Opaque: 0xFF000000 plus the red, green and blue bytes.
    static void SetFadeColor(uint8_t red, uint8_t green, uint8_t blue);
    static void SetFadeColor(uint32_t rgb);
    static uint32_t GetFadeColor();

    bool Draw(const STransitionContext& context, int32_t progress) override;
    bool DrawsEnds() const override { return true; }
};
