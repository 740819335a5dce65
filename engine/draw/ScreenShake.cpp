#include "engine/draw/ScreenShake.h"

#include <algorithm>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/draw/RenderTarget.h"
#include "engine/draw/TransitionDraw.h"

CScreenShake::CScreenShake() : m_Random(0x5A4Bu) {}

void CScreenShake::Start(int32_t amplitudeX, int32_t amplitudeY, int32_t frames) {
    m_AmplitudeX = std::clamp(amplitudeX, 0, 100);
    m_AmplitudeY = std::clamp(amplitudeY, 0, 100);
    m_FramesTotal = std::max(0, frames);
    m_FramesLeft = m_FramesTotal;
    m_DecayLeft = 0;
    m_Active = m_AmplitudeX > 0 || m_AmplitudeY > 0;
    m_OffsetX = m_OffsetY = 0;
}

void CScreenShake::Stop(bool gradual) {
    if (gradual && m_Active) {
        if (m_DecayLeft == 0) m_DecayLeft = kDecayFrames;
        return;
    }
    m_Active = false;
    m_DecayLeft = 0;
    m_OffsetX = m_OffsetY = 0;
}

void CScreenShake::GetOffset(int32_t* x, int32_t* y) const {
    if (x) *x = m_OffsetX;
    if (y) *y = m_OffsetY;
}

void CScreenShake::Update() {
    if (!m_Active) {
        return;
    }
    // Scale of the amplitudes in 1/1024: a timed shake dies away over its last frames,
    // a gradual stop over kDecayFrames.
    int32_t scale = 1024;
    if (m_FramesTotal > 0) {
        if (m_FramesLeft <= 0) {
            Stop(false);
            return;
        }
        int32_t span = std::min(m_FramesTotal, kDecayFrames);
        scale = 1024 * std::min(span, m_FramesLeft) / span;
        --m_FramesLeft;
    }
    if (m_DecayLeft > 0) {
        scale = std::min(scale, 1024 * m_DecayLeft / kDecayFrames);
        if (--m_DecayLeft == 0) {
            Stop(false);
            return;
        }
    }
    auto jump = [this](int32_t a) { return a <= 0 ? 0 : static_cast<int32_t>(m_Random.Random(static_cast<uint32_t>(2 * a + 1))) - a; };
    m_OffsetX = jump(m_AmplitudeX * scale / 1024);
    m_OffsetY = jump(m_AmplitudeY * scale / 1024);
}

bool CScreenShake::DrawShifted(const CD3DTexture& picture) {
    CD3DDevice* d = GetDrawDevice();
    if (!d || !picture.Exists()) {
        return false;
    }
    float w = static_cast<float>(picture.GetWidth()), h = static_cast<float>(picture.GetHeight());
    d->Clear(0xFF000000u);
    transdraw::SetOpaque(d);
    float x = static_cast<float>(m_OffsetX), y = static_cast<float>(m_OffsetY);
    bool ok = transdraw::Rect(d, &picture, x, y, x + w, y + h, 0, 0, w, h, 0xFFFFFFFFu);
    transdraw::SetBlended(d);
    return ok;
}

void CScreenShake::Draw() {
    if (!m_Active || (m_OffsetX == 0 && m_OffsetY == 0)) {
        return;
    }
    CD3DDevice* d = GetDrawDevice();
    if (!d) {
        return;
    }
    CD3DSurface target;
    if (!d->GetRenderTarget(&target)) {
        return;
    }
    SGfxSurfaceDesc desc = target.GetDesc();
    if (!m_Copy.Exists() || m_Copy.GetDevice() != d || m_Copy.GetWidth() != desc.width || m_Copy.GetHeight() != desc.height ||
        m_Copy.GetFormat() != desc.format) {
        if (!m_Copy.CreateRenderTarget(d, desc.width, desc.height, desc.format)) {
            return;
        }
    }
    CD3DSurface copy;
    if (m_Copy.GetSurface(&copy) && d->CopyRects(target, nullptr, 0, copy, nullptr)) {
        copy.Release();
        target.Release();
        DrawShifted(m_Copy);
    }
}
