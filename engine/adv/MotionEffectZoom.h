#pragma once
// Effects 1 to 21 and 34 to 37: a plain fade-in (1), and zooms, pulses, wobbles,
// openings from a line, unrolling from an edge and spins, each (from id 3 on) also
// with a fade-in.  Scaled and turned draws switch the renderer to linear filtering
// for the draw and back to point filtering after it.
#include "engine/adv/MotionEffect.h"

// Id 1: the plain drawing fading in.
class CMotionEffect01 : public CMotionEffectCounted {
public:
    CMotionEffect01() { _AddCounter(0, 256); }

protected:
    void DrawPlaying(const CMatrix4& matrix) override;
};

class CMotionEffectZoom : public CMotionEffectCounted {
public:
    enum EMotion {
        MOTION_GROW,          // from a point
        MOTION_SHRINK,        // from twice the size
        MOTION_PULSE_LARGE,   // large first, then small, then settled
        MOTION_PULSE_SMALL,   // small first
        MOTION_WOBBLE_WIDE,   // wide and flat first
        MOTION_WOBBLE_TALL,   // tall and narrow first
        MOTION_OPEN_H,        // from a horizontal line
        MOTION_OPEN_V,        // from a vertical line
        MOTION_UNROLL_TOP,    // height grows, top edge fixed
        MOTION_RISE_BOTTOM,   // height grows, bottom edge fixed
        MOTION_SPIN_GROW,     // two turns while growing from a point
        MOTION_SPIN_SHRINK,   // two turns while shrinking from twice the size
    };

    struct SFactors {
        float sx;
        float sy;
        float cx;
        float cy;
    };
    // The scale factors and pivot of a motion at the counter values P and Q for a
    // picture of w × h.
    static SFactors Factors(EMotion motion, int32_t p, int32_t q, int32_t width, int32_t height);
    // The spin angle in sine-table steps at progress P: rises from 0 to 1024 (two
    // turns), fast first.
    static int32_t SpinAngle(int32_t p);
    // The matrix a draw uses: A × (R) × K × M × T.
    static CMatrix4 Compose(EMotion motion, int32_t p, int32_t q, int32_t width, int32_t height,
                            const CMatrix4& matrix, int32_t x, int32_t y);

protected:
    CMotionEffectZoom(EMotion motion, bool fade);
    void DrawPlaying(const CMatrix4& matrix) override;

private:
    static bool _IsSpin(EMotion motion) { return motion == MOTION_SPIN_GROW || motion == MOTION_SPIN_SHRINK; }

    EMotion m_Motion;
    bool m_Fade;
};

template <CMotionEffectZoom::EMotion Motion, bool Fade>
class CMotionEffectZoomOf : public CMotionEffectZoom {
public:
    CMotionEffectZoomOf() : CMotionEffectZoom(Motion, Fade) {}
};

using CMotionEffect02 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_GROW, false>;
using CMotionEffect03 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_GROW, true>;
using CMotionEffect04 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SHRINK, false>;
using CMotionEffect05 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SHRINK, true>;
using CMotionEffect06 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_PULSE_LARGE, false>;
using CMotionEffect07 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_PULSE_LARGE, true>;
using CMotionEffect08 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_PULSE_SMALL, false>;
using CMotionEffect09 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_PULSE_SMALL, true>;
using CMotionEffect10 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_WOBBLE_WIDE, false>;
using CMotionEffect11 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_WOBBLE_WIDE, true>;
using CMotionEffect12 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_WOBBLE_TALL, false>;
using CMotionEffect13 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_WOBBLE_TALL, true>;
using CMotionEffect14 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_OPEN_H, false>;
using CMotionEffect15 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_OPEN_H, true>;
using CMotionEffect16 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_OPEN_V, false>;
using CMotionEffect17 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_OPEN_V, true>;
using CMotionEffect18 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_UNROLL_TOP, false>;
using CMotionEffect19 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_UNROLL_TOP, true>;
using CMotionEffect20 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_RISE_BOTTOM, false>;
using CMotionEffect21 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_RISE_BOTTOM, true>;
using CMotionEffect34 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SPIN_GROW, false>;
using CMotionEffect35 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SPIN_GROW, true>;
using CMotionEffect36 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SPIN_SHRINK, false>;
using CMotionEffect37 = CMotionEffectZoomOf<CMotionEffectZoom::MOTION_SPIN_SHRINK, true>;
