#include "engine/draw/TransitionWave.h"

#include <cmath>

#include "engine/d3d/D3DDevice.h"
#include "engine/draw/TransitionDraw.h"

namespace {
constexpr int32_t kStrip = 4;  // pixels per strip
constexpr float kPi = 3.14159265358979f;
}  // namespace

bool CTransitionWave::_Strips(const STransitionContext& c, const CD3DTexture* picture, bool rows, float amplitude,
                              float wavelength, float phase, uint32_t colour) {
    bool ok = true;
    int32_t length = static_cast<int32_t>(rows ? c.height : c.width);
    for (int32_t at = 0; at < length; at += kStrip) {
        float end = static_cast<float>(std::min(at + kStrip, length));
        float shift = std::round(amplitude * std::sin(2 * kPi * (static_cast<float>(at) / wavelength) + phase));
        float a = static_cast<float>(at);
        if (rows) {
            ok = transdraw::Rect(c.device, picture, shift, a, c.width + shift, end, 0, a, c.width, end, colour) && ok;
        } else {
            ok = transdraw::Rect(c.device, picture, a, shift, end, c.height + shift, a, 0, end, c.height, colour) && ok;
        }
    }
    return ok;
}

bool CTransitionWave::Draw(const STransitionContext& c, int32_t progress) {
    CD3DDevice* d = c.device;
    float t = progress / 1024.0f;
    float rise = std::sin(kPi * t);  // 0 at the ends, 1 at the middle
    float amplitude = 24.0f, wavelength = 160.0f, phase = 0.0f;
    bool rows = true, both = false;
    switch (m_Variant) {
    case 2: amplitude = 16.0f; wavelength = 48.0f; break;
    case 3: rows = false; break;
    case 4: rows = false; amplitude = 16.0f; wavelength = 48.0f; break;
    case 5: phase = 6 * kPi * t; wavelength = 96.0f; break;
    case 6: both = true; break;
    default: break;
    }
    amplitude *= rise;
    d->Clear(0xFF000000u);
    transdraw::SetFilter(d, GFX_TEXF_POINT);
    transdraw::SetOpaque(d);
    bool ok = _Strips(c, c.outgoing, rows, amplitude, wavelength, phase, 0xFFFFFFFFu);
    transdraw::SetBlended(d);
    ok = _Strips(c, c.incoming, rows, amplitude, wavelength, phase, transdraw::Alpha(t)) && ok;
    if (both) {
        // The second direction over the first, half as strong, keeps the cross-fade.
        ok = _Strips(c, c.incoming, !rows, amplitude / 2, wavelength, phase, transdraw::Alpha(t * 0.5f)) && ok;
    }
    return ok;
}
