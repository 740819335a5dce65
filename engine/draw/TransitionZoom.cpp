#include "engine/draw/TransitionZoom.h"

#include <algorithm>

#include "engine/d3d/D3DDevice.h"
#include "engine/draw/TransitionDraw.h"

namespace {
constexpr float kTurn = 6.28318530717958f;
}

bool CTransitionZoom::Draw(const STransitionContext& c, int32_t progress) {
    CD3DDevice* d = c.device;
    float t = progress / 1024.0f;
    bool ok = true;
    transdraw::SetFilter(d, GFX_TEXF_LINEAR);
    auto background = [&](const CD3DTexture* picture) {
        transdraw::SetOpaque(d);
        ok = transdraw::Full(d, picture, c.width, c.height, 0xFFFFFFFFu) && ok;
        transdraw::SetBlended(d);
    };
    switch (m_Kind) {
    case ZOOM_IN:
        background(c.outgoing);
        ok = transdraw::Turned(d, c.incoming, c.width, c.height, t, 0, m_Fade ? transdraw::Alpha(t) : 0xFFFFFFFFu) && ok;
        break;
    case ZOOM_OUT:
        background(c.incoming);
        ok = transdraw::Turned(d, c.outgoing, c.width, c.height, 1 - t, 0, m_Fade ? transdraw::Alpha(1 - t) : 0xFFFFFFFFu) && ok;
        break;
    case ZOOM_THROUGH:
        d->Clear(0xFF000000u);
        transdraw::SetOpaque(d);
        if (t < 0.5f) {
            ok = transdraw::Turned(d, c.outgoing, c.width, c.height, 1 + 6 * t, 0, 0xFFFFFFFFu) && ok;
        } else {
            ok = transdraw::Turned(d, c.incoming, c.width, c.height, 1 + 6 * (1 - t), 0, 0xFFFFFFFFu) && ok;
        }
        break;
    case ROTATE_IN_CW:
    case ROTATE_IN_CCW:
    case ROTATE_IN_TWICE: {
        background(c.outgoing);
        float turns = m_Kind == ROTATE_IN_TWICE ? 2.0f : 1.0f;
        float sign = m_Kind == ROTATE_IN_CCW ? -1.0f : 1.0f;
        ok = transdraw::Turned(d, c.incoming, c.width, c.height, t, sign * kTurn * turns * (1 - t),
                               m_Fade ? transdraw::Alpha(t) : 0xFFFFFFFFu) &&
             ok;
        break;
    }
    case ROTATE_OUT:
        background(c.incoming);
        ok = transdraw::Turned(d, c.outgoing, c.width, c.height, 1 - t, kTurn * t, m_Fade ? transdraw::Alpha(1 - t) : 0xFFFFFFFFu) &&
             ok;
        break;
    }
    transdraw::SetFilter(d, GFX_TEXF_POINT);
    return ok;
}
