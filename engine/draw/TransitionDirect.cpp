#include "engine/draw/TransitionDirect.h"

#include <atomic>

#include "engine/d3d/D3DDevice.h"

namespace {
std::atomic<uint32_t> g_FadeColor{0xFF000000u};
}

void CTransitionDirect::SetFadeColor(uint8_t red, uint8_t green, uint8_t blue) {
    SetFadeColor((static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue);
}

void CTransitionDirect::SetFadeColor(uint32_t rgb) { g_FadeColor = 0xFF000000u | (rgb & 0x00FFFFFFu); }

uint32_t CTransitionDirect::GetFadeColor() { return g_FadeColor; }

bool CTransitionDirect::Draw(const STransitionContext& c, int32_t) { return c.device->Clear(GetFadeColor()); }
