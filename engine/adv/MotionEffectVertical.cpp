#include "engine/adv/MotionEffectVertical.h"

#include "engine/base/SinTable.h"

CMotionEffectVertical::CMotionEffectVertical(EMotion motion, bool fade) : m_Motion(motion), m_Fade(fade) {
    const bool slide = motion == MOTION_RISE || motion == MOTION_DROP;
    _AddCounter(0, slide ? 128 : 1024);
    if (fade) {
        _AddCounter(0, 256);
    }
}

int32_t CMotionEffectVertical::Offset(EMotion motion, int32_t progress, int32_t height) {
    const int32_t half = height / 2;
    int32_t angle = 0;
    int32_t k = half;
    switch (motion) {
        case MOTION_HOP_UP:
            angle = progress >> 2;
            k = -half;
            break;
        case MOTION_DIP_DOWN:
            angle = progress >> 2;
            break;
        case MOTION_SWING_UP:
            angle = progress >> 1;
            k = -half;
            break;
        case MOTION_SWING_DOWN:
            angle = progress >> 1;
            break;
        case MOTION_RISE:
            angle = progress + 128;
            break;
        case MOTION_DROP:
            angle = progress + 384;
            break;
    }
    // 64-bit product: the same result as the 32-bit one for every picture that fits in
    // it, and no overflow for those that do not.
    const int64_t s = CSinTable::Sin(angle);
    return static_cast<int32_t>((s * k) >> 16);
}

void CMotionEffectVertical::DrawPlaying(const CMatrix4& matrix) {
    if (!m_Target) {
        return;
    }
    const int32_t dy = Offset(m_Motion, _Value(0), m_Rect.bottom - m_Rect.top);
    const int32_t alpha = m_Fade ? m_Alpha * _Value(1) / 256 : m_Alpha;
    _DrawPlaced(matrix, alpha, dy);
}
