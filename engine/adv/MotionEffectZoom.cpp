#include "engine/adv/MotionEffectZoom.h"

#include "engine/base/SinTable.h"

namespace {

// The table's sine as a float: entry × 2^−16, index modulo 512.
float SinF(int32_t i) { return static_cast<float>(CSinTable::Sin(i)) * (1.0f / 65536.0f); }

constexpr float kPerStep = 1.0f / 1024.0f;

}  // namespace

void CMotionEffect01::DrawPlaying(const CMatrix4& matrix) { _DrawPlaced(matrix, m_Alpha * _Value(0) / 256, 0); }

CMotionEffectZoom::CMotionEffectZoom(EMotion motion, bool fade) : m_Motion(motion), m_Fade(fade) {
    switch (motion) {
        case MOTION_GROW:
        case MOTION_SHRINK:
            _AddCounter(0, 1024);
            break;
        case MOTION_PULSE_LARGE:
            _AddCounter(0, 384);
            break;
        case MOTION_PULSE_SMALL:
            _AddCounter(256, 640);
            break;
        case MOTION_WOBBLE_WIDE:
        case MOTION_WOBBLE_TALL:
            _AddCounter(0, 512);
            break;
        case MOTION_OPEN_H:
        case MOTION_OPEN_V:
        case MOTION_UNROLL_TOP:
        case MOTION_RISE_BOTTOM:
            _AddCounter(0, 128);
            break;
        case MOTION_SPIN_GROW:
        case MOTION_SPIN_SHRINK:
            _AddCounter(0, 1024);  // angle
            _AddCounter(0, 1024);  // size
            break;
    }
    if (fade) {
        _AddCounter(0, 256);
    }
}

CMotionEffectZoom::SFactors CMotionEffectZoom::Factors(EMotion motion, int32_t p, int32_t q, int32_t width,
                                                       int32_t height) {
    SFactors f{1.0f, 1.0f, static_cast<float>(width) * 0.5f, static_cast<float>(height) * 0.5f};
    switch (motion) {
        case MOTION_GROW:
            f.sx = f.sy = static_cast<float>(p) * kPerStep;
            break;
        case MOTION_SHRINK:
            f.sx = f.sy = 1.0f + static_cast<float>(1024 - p) * kPerStep;
            break;
        case MOTION_PULSE_LARGE:
        case MOTION_PULSE_SMALL:
            f.sx = f.sy = 1.0f + 0.7f * SinF(p + 128);
            break;
        case MOTION_WOBBLE_WIDE:
            f.sx = 1.0f + 0.6f * SinF(p);
            f.sy = 1.0f + 0.6f * SinF(p + 256);
            break;
        case MOTION_WOBBLE_TALL:
            f.sx = 1.0f + 0.6f * SinF(p + 256);
            f.sy = 1.0f + 0.6f * SinF(p);
            break;
        case MOTION_OPEN_H:
            f.sx = 1.0f + SinF(p + 128);
            f.sy = 1.0f + SinF(p + 384);
            break;
        case MOTION_OPEN_V:
            f.sx = 1.0f + SinF(p + 384);
            f.sy = 1.0f + SinF(p + 128);
            break;
        case MOTION_UNROLL_TOP:
            f.sx = 1.0f;
            f.sy = SinF(p);
            f.cy = 0.0f;
            break;
        case MOTION_RISE_BOTTOM:
            f.sx = 1.0f;
            f.sy = SinF(p);
            f.cy = static_cast<float>(height);
            break;
        case MOTION_SPIN_GROW:
            f.sx = f.sy = static_cast<float>(q) * kPerStep;
            break;
        case MOTION_SPIN_SHRINK:
            f.sx = f.sy = 1.0f + static_cast<float>(1024 - q) * kPerStep;
            break;
    }
    return f;
}

int32_t CMotionEffectZoom::SpinAngle(int32_t p) { return (CSinTable::Sin(p / 8) * 1024) >> 16; }

CMatrix4 CMotionEffectZoom::Compose(EMotion motion, int32_t p, int32_t q, int32_t width, int32_t height,
                                    const CMatrix4& matrix, int32_t x, int32_t y) {
    const SFactors f = Factors(motion, p, q, width, height);
    CMatrix4 a, k, t, out;
    MatrixTranslation(&a, -f.cx, -f.cy, 0.0f);
    MatrixScaling(&k, f.sx, f.sy, 1.0f);
    k.m[3][0] = f.cx;
    k.m[3][1] = f.cy;
    MatrixTranslation(&t, static_cast<float>(x), static_cast<float>(y), 0.0f);
    out = a;
    if (_IsSpin(motion)) {
        CMatrix4 r;
        MatrixRotationSin(&r, SpinAngle(p));
        MatrixMultiply(&out, &out, &r);
    }
    MatrixMultiply(&out, &out, &k);
    MatrixMultiply(&out, &out, &matrix);
    MatrixMultiply(&out, &out, &t);
    return out;
}

void CMotionEffectZoom::DrawPlaying(const CMatrix4& matrix) {
    if (!m_Target) {
        return;
    }
    const bool spin = _IsSpin(m_Motion);
    const int32_t p = _Value(0);
    const int32_t q = spin ? _Value(1) : 0;
    const int32_t fade = m_Fade ? _Value(spin ? 2 : 1) : 256;
    const CMatrix4 placed = Compose(m_Motion, p, q, m_Rect.right - m_Rect.left, m_Rect.bottom - m_Rect.top,
                                    matrix, m_X, m_Y);
    const int32_t alpha = m_Fade ? m_Alpha * fade / 256 : m_Alpha;
    _SetTextureFilter(2, 2);
    _DrawWith(placed, alpha);
    _SetTextureFilter(1, 1);
}
