#include "engine/draw/ScreenEffect.h"

#include <algorithm>

#include "engine/d3d/D3DDevice.h"
#include "engine/draw/TransitionDraw.h"

namespace {
bool IsFlash(int32_t k) { return k >= CScreenEffect::KIND_FLASH_WHITE && k <= CScreenEffect::KIND_FLASH_BLACK; }
bool IsShake(int32_t k) {
    return k == CScreenEffect::KIND_SHAKE_SIDEWAYS || k == CScreenEffect::KIND_SHAKE_UPDOWN || k == CScreenEffect::KIND_QUAKE;
}
bool IsTone(int32_t k) { return k == CScreenEffect::KIND_MONOCHROME || k == CScreenEffect::KIND_SEPIA; }
}  // namespace

bool CScreenEffect::Start(int32_t kind) {
    if (!IsFlash(kind) && !IsShake(kind) && !IsTone(kind)) {
        return false;
    }
    End(false);
    m_Kind = kind;
    m_Frame = 0;
    m_Ending = false;
    if (IsFlash(kind)) {
        m_Level = 255;
    } else if (IsShake(kind)) {
        m_Level = 255;
        if (kind == KIND_SHAKE_SIDEWAYS) m_Shake.Start(8, 0);
        if (kind == KIND_SHAKE_UPDOWN) m_Shake.Start(0, 8);
        if (kind == KIND_QUAKE) m_Shake.Start(16, 16);
    } else {
        m_Level = 0;  // the tone fades in
    }
    return true;
}

void CScreenEffect::End(bool gradual) {
    if (m_Kind == KIND_NONE) {
        return;
    }
    if (gradual) {
        m_Ending = true;
        if (IsShake(m_Kind)) m_Shake.Stop(true);
        return;
    }
    m_Shake.Stop(false);
    m_Kind = KIND_NONE;
    m_Level = 0;
    m_Ending = false;
}

void CScreenEffect::Update() {
    if (m_Kind == KIND_NONE) {
        return;
    }
    ++m_Frame;
    if (IsFlash(m_Kind)) {
        m_Level = std::max(0, 255 - 255 * m_Frame / kFlashFrames);
        if (m_Level == 0) End(false);
        return;
    }
    if (IsShake(m_Kind)) {
        m_Shake.Update();
        if (!m_Shake.IsActive()) End(false);
        return;
    }
    int32_t step = (255 + kToneFrames - 1) / kToneFrames;
    if (m_Ending) {
        m_Level = std::max(0, m_Level - step);
        if (m_Level == 0) End(false);
    } else {
        m_Level = std::min(255, m_Level + step);
    }
}

bool CScreenEffect::NeedsCapture() const {
    return !m_Suppressed && (IsShake(m_Kind) || (IsTone(m_Kind) && m_Level > 0)) && GetDrawDevice() != nullptr;
}

bool CScreenEffect::BeginCapture() {
    CD3DDevice* d = GetDrawDevice();
    if (!d || !m_Capture.Prepare(d) || !m_Scope.Begin(d, m_Capture.GetTexture(), true, 0xFF000000u)) {
        return false;
    }
    m_Capturing = true;
    return true;
}

void CScreenEffect::EndCapture() {
    if (!m_Capturing) {
        return;
    }
    m_Scope.End();
    m_Capturing = false;
    CD3DDevice* d = GetDrawDevice();
    if (!d) {
        return;
    }
    if (IsShake(m_Kind)) {
        m_Shake.DrawShifted(m_Capture.GetTexture());
        return;
    }
    float w = static_cast<float>(m_Capture.GetWidth()), h = static_cast<float>(m_Capture.GetHeight());
    uint32_t handle = 0;
    if (!d->CreatePixelShader(GFX_PS_GREY, &handle)) {
        transdraw::SetOpaque(d);
        transdraw::Full(d, &m_Capture.GetTexture(), w, h, 0xFFFFFFFFu);
        transdraw::SetBlended(d);
        return;
    }
    const float c0[4] = {0, 0, 0, m_Level / 255.0f};
    const float sepia[4] = {1.0f, 0.85f, 0.65f, 1.0f};
    const float grey[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    transdraw::SetOpaque(d);
    d->SetPixelShader(handle);
    d->SetPixelShaderConstant(0, c0, 1);
    d->SetPixelShaderConstant(1, m_Kind == KIND_SEPIA ? sepia : grey, 1);
    transdraw::Full(d, &m_Capture.GetTexture(), w, h, 0xFFFFFFFFu);
    transdraw::SetBlended(d);
}

void CScreenEffect::DrawOverlay() {
    if (m_Suppressed || !IsFlash(m_Kind) || m_Level <= 0) {
        return;
    }
    CD3DDevice* d = GetDrawDevice();
    if (!d) {
        return;
    }
    uint32_t rgb = m_Kind == KIND_FLASH_WHITE ? 0xFFFFFFu : m_Kind == KIND_FLASH_RED ? 0xFF0000u : 0x000000u;
    transdraw::SetBlended(d);
    transdraw::Fill(d, 800.0f, 600.0f, (static_cast<uint32_t>(m_Level) << 24) | rgb);
}
