#pragma once
// Transitions drawn through a rule picture: the incoming picture appears where the
// rule's value lies below the progress, with a soft edge of a given width.
//  - "Trans_BitmapFade": the shared rule picture (GetTransitionMask), its threshold as
//    the soft edge; a left-to-right gradient while none is loaded.
//  - "Trans_Bit1" to "Trans_Bit3": a dissolve through random noise of 1, 4 and 16
//    pixel blocks, hard-edged.
//  - "Trans_Blind1" to "Trans_Blind6" and their fades: slats that open (horizontal,
//    vertical, both from their middles, growing squares, diagonal slats); the fade
//    variants open them with a soft edge.
#include <cstdint>
#include <vector>

#include "engine/d3d/D3DTexture.h"
#include "engine/draw/Transition.h"

class CTransitionRule : public CTransition {
public:
    enum EPattern { PATTERN_SHARED = 0, PATTERN_NOISE = 1, PATTERN_BLIND = 2 };

    // `variant`: the noise block size, or the blind's number 1 to 6.
    CTransitionRule(EPattern pattern, int32_t variant, bool soft);
    bool Draw(const STransitionContext& context, int32_t progress) override;

    // The rule values (0..255) of the pattern at width × height: public for the tests.
    static std::vector<uint8_t> MakeRule(EPattern pattern, int32_t variant, int32_t width, int32_t height);

private:
    bool _Prepare(const STransitionContext& context);

    EPattern m_Pattern;
    int32_t m_Variant;
    bool m_Soft;
    float m_Edge = 0.0f;
    CD3DTexture m_Rule;
};
