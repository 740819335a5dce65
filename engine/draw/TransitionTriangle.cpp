#include "engine/draw/TransitionTriangle.h"

#include <algorithm>
#include <cmath>

#include "engine/base/Random.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/draw/TransitionDraw.h"

namespace {
constexpr float kCellW = 80.0f;
constexpr float kCellH = 75.0f;
constexpr float kTurn = 6.28318530717958f;
}  // namespace

CTransitionTriangle::CTransitionTriangle(int32_t variant, bool fade) : m_Variant(variant), m_Fade(fade) {}

void CTransitionTriangle::_Build(float w, float h) {
    m_Width = w;
    m_Height = h;
    m_Pieces.clear();
    CRandom random(0x7A1A0000u + static_cast<uint32_t>(m_Variant));
    for (float y = 0; y < h; y += kCellH) {
        for (float x = 0; x < w; x += kCellW) {
            float x1 = std::min(w, x + kCellW), y1 = std::min(h, y + kCellH);
            const float tris[2][3][2] = {{{x, y}, {x1, y}, {x, y1}}, {{x1, y}, {x1, y1}, {x, y1}}};
            for (const auto& tri : tris) {
                SPiece p{};
                for (int i = 0; i < 3; ++i) {
                    p.xy[i][0] = tri[i][0];
                    p.xy[i][1] = tri[i][1];
                }
                p.cx = (tri[0][0] + tri[1][0] + tri[2][0]) / 3;
                p.cy = (tri[0][1] + tri[1][1] + tri[2][1]) / 3;
                p.delay = random.Random(1000) / 2000.0f;
                p.spin = (static_cast<float>(random.Random(2000)) / 1000.0f - 1.0f) * 1.5f;
                switch (m_Variant) {
                case 1:  // fall; lower rows go first
                    p.delay = 0.5f * (1.0f - p.cy / h) * 0.6f + random.Random(1000) / 5000.0f;
                    p.dx = (static_cast<float>(random.Random(200)) - 100.0f);
                    p.dy = h * 1.4f;
                    break;
                case 2: {  // burst from the centre
                    float ux = p.cx - w / 2, uy = p.cy - h / 2;
                    float len = std::max(1.0f, std::sqrt(ux * ux + uy * uy));
                    p.delay = len / (w + h) * 0.5f;
                    p.dx = ux / len * w;
                    p.dy = uy / len * w;
                    break;
                }
                case 3:  // swept to the nearer side
                    p.dx = p.cx < w / 2 ? -w : w;
                    p.dy = (static_cast<float>(random.Random(200)) - 100.0f);
                    break;
                default:  // shrink in place
                    p.dx = p.dy = 0;
                    break;
                }
                m_Pieces.push_back(p);
            }
        }
    }
}

bool CTransitionTriangle::Draw(const STransitionContext& c, int32_t progress) {
    if (m_Pieces.empty() || m_Width != c.width || m_Height != c.height) {
        _Build(c.width, c.height);
    }
    CD3DDevice* d = c.device;
    float t = progress / 1024.0f;
    transdraw::SetOpaque(d);
    bool ok = transdraw::Full(d, c.incoming, c.width, c.height, 0xFFFFFFFFu);
    transdraw::SetBlended(d);
    transdraw::SetFilter(d, GFX_TEXF_LINEAR);
    for (const SPiece& p : m_Pieces) {
        // Each piece flies over the part of the transition after its delay.
        float local = std::clamp((t - p.delay) / (1.0f - p.delay), 0.0f, 1.0f);
        if (local >= 1.0f) {
            continue;
        }
        float ease = local * local;
        float scale = m_Variant == 4 ? 1.0f - local : 1.0f;
        float angle = p.spin * kTurn * ease;
        float ox = p.cx + p.dx * ease, oy = p.cy + p.dy * ease;
        float cs = std::cos(angle) * scale, sn = std::sin(angle) * scale;
        float xy[3][2];
        for (int i = 0; i < 3; ++i) {
            float rx = p.xy[i][0] - p.cx, ry = p.xy[i][1] - p.cy;
            xy[i][0] = ox + rx * cs - ry * sn;
            xy[i][1] = oy + rx * sn + ry * cs;
        }
        uint32_t colour = m_Fade ? transdraw::Alpha(1.0f - local) : 0xFFFFFFFFu;
        if (local == 0.0f) {
            // Still in place: drawn with point sampling, exactly the outgoing pixels.
            transdraw::SetFilter(d, GFX_TEXF_POINT);
            ok = transdraw::Triangle(d, c.outgoing, xy, p.xy, colour) && ok;
            transdraw::SetFilter(d, GFX_TEXF_LINEAR);
        } else {
            ok = transdraw::Triangle(d, c.outgoing, xy, p.xy, colour) && ok;
        }
    }
    transdraw::SetFilter(d, GFX_TEXF_POINT);
    return ok;
}
