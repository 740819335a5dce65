#include "game/stage/talk/NoiseEffect.h"

#include <algorithm>

#include "game/stage/talk/TalkEnvironment.h"

namespace {
constexpr int32_t kWindowWidth = 400;
constexpr int32_t kWindowHeight = 300;
}  // namespace

void CNoiseEffect::Update() {
    if (++m_Frame > 3) {
        m_Frame = 0;
    }
    if (m_Frame == 0) {
        const int32_t w = m_Plane.GetWidth();
        const int32_t h = m_Plane.GetHeight();
        m_Top = static_cast<int32_t>(m_Random.Random(static_cast<uint32_t>(h / 2)));
        m_Left = static_cast<int32_t>(m_Random.Random(static_cast<uint32_t>(w / 2)));
    }
}

void CNoiseEffect::Draw() {
    if (!IsTalkEffectsOn() || !m_Plane.IsLoaded()) {
        return;
    }
    // A picture smaller than 800 × 600 cannot hold the whole window at every offset:
    // the window is cut at the picture's edge and what is left still covers the screen.
    const SRect source{m_Left, m_Top, std::min(m_Left + kWindowWidth, m_Plane.GetWidth()),
                       std::min(m_Top + kWindowHeight, m_Plane.GetHeight())};
    CMatrix4 scale;
    MatrixScaling(&scale, 2.0f, 2.0f, 1.0f);
    m_Plane.DrawStretchMatrix(SRect{0, 0, kWindowWidth, kWindowHeight}, source, scale, TalkAlphaColour(m_Alpha));
}
