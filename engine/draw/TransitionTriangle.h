#pragma once
// "Trans_TriangleBreak1" to 4 and their fades: the outgoing picture breaks into
// triangles (each 80 × 75 cell cut along a diagonal) that leave the screen over the
// incoming picture: 1 they fall, 2 they burst outwards from the centre, 3 they are
// swept to the sides, 4 each one shrinks away where it is.  The fade variants also
// fade them.  Each triangle starts after a delay of its own, from a fixed seed, so
// the break looks the same every time.
#include <vector>

#include "engine/draw/Transition.h"

class CTransitionTriangle : public CTransition {
public:
    CTransitionTriangle(int32_t variant, bool fade);
    bool Draw(const STransitionContext& context, int32_t progress) override;

private:
    struct SPiece {
        float xy[3][2];   // corners in the picture
        float cx, cy;     // centroid
        float delay;      // 0 .. 0.5 of the transition
        float spin;       // turns over its flight
        float dx, dy;     // direction of flight
    };
    void _Build(float width, float height);

    int32_t m_Variant;
    bool m_Fade;
    float m_Width = 0;
    float m_Height = 0;
    std::vector<SPiece> m_Pieces;
};
