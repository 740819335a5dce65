#include "engine/draw/TransitionBlur.h"

#include <algorithm>
#include <cmath>

#include "engine/d3d/D3DDevice.h"
#include "engine/draw/RenderTarget.h"
#include "engine/draw/TransitionDraw.h"

namespace {
constexpr int kCopies = 6;
constexpr float kPi = 3.14159265358979f;
}  // namespace

bool CTransitionBlur::_Blurred(const STransitionContext& c, const CD3DTexture* picture, float strength, float alpha, bool first) {
    CD3DDevice* d = c.device;
    bool ok = true;
    if (m_Variant == 1) {
        int32_t factor = std::max(1, static_cast<int32_t>(std::lround(1 + 15 * strength)));
        int32_t w = static_cast<int32_t>(c.width), h = static_cast<int32_t>(c.height);
        int32_t sw = std::max(1, w / factor), sh = std::max(1, h / factor);
        if (factor > 1 && c.scratch && c.scratch->Prepare(d, static_cast<uint32_t>(w), static_cast<uint32_t>(h))) {
            {
                CRenderTargetScope scope;
                if (scope.Begin(d, c.scratch->GetTexture(), false)) {
                    transdraw::SetOpaque(d);
                    transdraw::SetFilter(d, GFX_TEXF_LINEAR);
                    ok = transdraw::Rect(d, picture, 0, 0, static_cast<float>(sw), static_cast<float>(sh), 0, 0, c.width, c.height,
                                         0xFFFFFFFFu);
                }
            }
            first ? transdraw::SetOpaque(d) : transdraw::SetBlended(d);
            transdraw::SetFilter(d, GFX_TEXF_LINEAR);
            // Half a texel in from the edges: filtering reads nothing outside the reduced picture.
            ok = transdraw::Rect(d, &c.scratch->GetTexture(), 0, 0, c.width, c.height, 0.5f, 0.5f, sw - 0.5f, sh - 0.5f,
                                 transdraw::Alpha(alpha)) &&
                 ok;
            transdraw::SetFilter(d, GFX_TEXF_POINT);
            return ok;
        }
        first ? transdraw::SetOpaque(d) : transdraw::SetBlended(d);
        return transdraw::Full(d, picture, c.width, c.height, transdraw::Alpha(alpha));
    }
    // Copies averaged by drawing each over the last with a falling weight (1/k).
    first ? transdraw::SetOpaque(d) : transdraw::SetBlended(d);
    transdraw::SetFilter(d, GFX_TEXF_LINEAR);
    for (int k = 0; k < kCopies; ++k) {
        float f = static_cast<float>(k) / (kCopies - 1);
        float weight = first ? 1.0f / (k + 1) : alpha / (k + 1);
        if (k == 0) weight = first ? 1.0f : alpha;
        if (m_Variant == 2) {
            ok = transdraw::Turned(d, picture, c.width, c.height, 1.0f + 0.15f * strength * f, 0, transdraw::Alpha(weight)) && ok;
        } else {
            float shift = (f - 0.5f) * 60.0f * strength;
            ok = transdraw::Rect(d, picture, shift, 0, c.width + shift, c.height, 0, 0, c.width, c.height, transdraw::Alpha(weight)) &&
                 ok;
        }
        transdraw::SetBlended(d);
    }
    transdraw::SetFilter(d, GFX_TEXF_POINT);
    return ok;
}

bool CTransitionBlur::Draw(const STransitionContext& c, int32_t progress) {
    float t = progress / 1024.0f;
    float strength = std::sin(kPi * t);
    c.device->Clear(0xFF000000u);
    bool ok = _Blurred(c, c.outgoing, strength, 1.0f, true);
    return _Blurred(c, c.incoming, strength, t, false) && ok;
}
