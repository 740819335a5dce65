#pragma once
// Effects 22 to 33: the picture hops up or dips down once, swings through a whole sine
// period, or slides into place from half its height below or above; odd ids fade in
// at the same time.
#include "engine/adv/MotionEffect.h"

class CMotionEffectVertical : public CMotionEffectCounted {
public:
    enum EMotion { MOTION_HOP_UP, MOTION_DIP_DOWN, MOTION_SWING_UP, MOTION_SWING_DOWN, MOTION_RISE, MOTION_DROP };

protected:
    CMotionEffectVertical(EMotion motion, bool fade);
    void DrawPlaying(const CMatrix4& matrix) override;

public:
    // The vertical offset at progress P for a picture of height h.
    static int32_t Offset(EMotion motion, int32_t progress, int32_t height);

private:
    EMotion m_Motion;
    bool m_Fade;
};

template <CMotionEffectVertical::EMotion Motion, bool Fade>
class CMotionEffectVerticalOf : public CMotionEffectVertical {
public:
    CMotionEffectVerticalOf() : CMotionEffectVertical(Motion, Fade) {}
};

using CMotionEffect22 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_HOP_UP, false>;
using CMotionEffect23 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_HOP_UP, true>;
using CMotionEffect24 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_DIP_DOWN, false>;
using CMotionEffect25 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_DIP_DOWN, true>;
using CMotionEffect26 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_SWING_UP, false>;
using CMotionEffect27 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_SWING_UP, true>;
using CMotionEffect28 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_SWING_DOWN, false>;
using CMotionEffect29 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_SWING_DOWN, true>;
using CMotionEffect30 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_RISE, false>;
using CMotionEffect31 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_RISE, true>;
using CMotionEffect32 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_DROP, false>;
using CMotionEffect33 = CMotionEffectVerticalOf<CMotionEffectVertical::MOTION_DROP, true>;
