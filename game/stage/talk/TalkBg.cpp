#include "game/stage/talk/TalkBg.h"

namespace {
constexpr int32_t kTile = 16;
}

void CTalkBg::_Make() {
    m_Plane.Create(kTile, kTile, false);
    m_Plane.Fill(m_Colour);
}

bool CTalkBg::SetColor(int32_t /*width*/, int32_t /*height*/, uint32_t colour) {
    m_Shown = true;
    m_Colour = colour;
    _Make();
    return true;
}

void CTalkBg::Draw() {
    if (m_Shown) {
        m_Plane.DrawStretch(SRect{0, 0, 800, 600}, SRect{0, 0, kTile, kTile}, 0xFFFFFFFFu);
    }
}

void CTalkBg::OnDeviceRestored() {
    if (m_Shown) {
        _Make();
    }
}

void CTalkBg::Release() {
    m_Shown = false;
    m_Plane.Release();
}
