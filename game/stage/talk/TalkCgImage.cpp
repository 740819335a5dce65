#include "game/stage/talk/TalkCgImage.h"

#include "engine/adv/MotionRenderer.h"
#include "engine/base/Log.h"
#include "engine/base/SinTable.h"

namespace {

constexpr const char kSmallFolder[] = "obj\\small\\";
constexpr int32_t kFilterPoint = 1;
constexpr int32_t kFilterAnisotropic = 3;

CMatrix4 Translation(float x, float y) {
    CMatrix4 m;
    MatrixTranslation(&m, x, y, 0.0f);
    return m;
}

CMatrix4 Multiply(const CMatrix4& a, const CMatrix4& b) {
    CMatrix4 m;
    MatrixMultiply(&m, &a, &b);
    return m;
}

CMatrix4 PositionMatrix(SPoint p) { return Translation(static_cast<float>(p.x), static_cast<float>(p.y)); }

}  // namespace

CTalkCgImage::CTalkCgImage() {
    _SetEffect(&m_InEffect, 0, 0);
    _SetEffect(&m_OutEffect, 0, 0);
}

CTalkCgImage::~CTalkCgImage() {
    m_Plane.Release();
    m_Motion.Clear(&m_Transform);
    m_MotionFactory.Release(std::move(m_InEffect));
    m_MotionFactory.Release(std::move(m_OutEffect));
}

void CTalkCgImage::SetPosition(int32_t x, int32_t y) { m_Transform.position = SPoint{x, y}; }

void CTalkCgImage::SetScale(float sx, float sy, int32_t cx, int32_t cy) {
    m_Transform.scaleX = sx;
    m_Transform.scaleY = sy;
    m_Transform.scaleCentre = SPoint{cx, cy};
}

void CTalkCgImage::SetRotation(int32_t angle, int32_t cx, int32_t cy) {
    m_Transform.rotation = angle;
    m_Transform.rotationCentre = SPoint{cx, cy};
}

void CTalkCgImage::SetAlpha(int32_t level) { m_Transform.alpha = level < 0 ? 0 : level > 255 ? 255 : level; }

void CTalkCgImage::GetScale(float* sx, float* sy, SPoint* centre) const {
    if (sx) *sx = m_Transform.scaleX;
    if (sy) *sy = m_Transform.scaleY;
    if (centre) *centre = m_Transform.scaleCentre;
}

void CTalkCgImage::GetRotation(int32_t* angle, SPoint* centre) const {
    if (angle) *angle = m_Transform.rotation;
    if (centre) *centre = m_Transform.rotationCentre;
}

SSize CTalkCgImage::GetSize() const { return SSize{m_Plane.GetWidth(), m_Plane.GetHeight()}; }

void CTalkCgImage::_ResetTransform() {
    SetPosition(0, 0);
    SetScale(1.0f, 1.0f, 0, 0);
    SetRotation(0, 0, 0);
    SetAlpha(256);
}

bool CTalkCgImage::SetImage(const std::string& name) {
    m_Name = name;
    _ResetTransform();
    m_OpacityFactor = 255;
    const bool loaded = m_Plane.Load(name);
    _ReattachEffects();
    return loaded;
}

bool CTalkCgImage::CreateBlank(int32_t width, int32_t height) {
    m_Name.clear();
    _ResetTransform();
    const bool made = m_Plane.Create(width, height);
    _ReattachEffects();
    return made;
}

void CTalkCgImage::Release() {
    m_Plane.Release();
    m_Name.clear();
    _ReattachEffects();
}

void CTalkCgImage::_SetEffect(std::unique_ptr<CMotionEffect>* slot, int32_t effectId, int32_t frames) {
    m_MotionFactory.Release(std::move(*slot));
    *slot = m_MotionFactory.Create(effectId);
    (*slot)->Attach(&m_Plane);
    (*slot)->SetDuration(frames);
}

void CTalkCgImage::_ReattachEffects() {
    m_InEffect->Attach(&m_Plane);
    m_OutEffect->Attach(&m_Plane);
}

void CTalkCgImage::SetInEffect(int32_t effectId, int32_t frames) { _SetEffect(&m_InEffect, effectId, frames); }

void CTalkCgImage::SetOutEffect(int32_t effectId, int32_t frames) { _SetEffect(&m_OutEffect, effectId, frames); }

void CTalkCgImage::StartIn() {
    Hide();
    m_State = STATE_APPEARING;
    m_InEffect->Start();
}

void CTalkCgImage::Show() {
    m_State = STATE_SHOWN;
    m_InEffect->Stop();
    m_OutEffect->Stop();
}

void CTalkCgImage::StartOut() {
    Show();
    m_State = STATE_DISAPPEARING;
    m_OutEffect->Finish();
}

void CTalkCgImage::Hide() {
    m_State = STATE_HIDDEN;
    m_InEffect->Initialize();
    m_OutEffect->Initialize();
}

void CTalkCgImage::ClearMotion() { m_Motion.Clear(&m_Transform); }

void CTalkCgImage::ParseMotion(const std::string& text, const SMotionOut& out) {
    ClearMotion();
    STalkTransform running = m_Transform;
    m_Motion.Parse(text, GetSize(), &running);
    if (out.position) *out.position = running.position;
    if (out.alpha) *out.alpha = running.alpha;
    if (out.scaleX) *out.scaleX = running.scaleX;
    if (out.scaleY) *out.scaleY = running.scaleY;
    if (out.scaleCentre) *out.scaleCentre = running.scaleCentre;
    if (out.rotation) *out.rotation = running.rotation;
    if (out.rotationCentre) *out.rotationCentre = running.rotationCentre;
}

void CTalkCgImage::SetMotion(const std::string& text) { ParseMotion(text, SMotionOut{}); }

void CTalkCgImage::PlayMotion(bool loop) {
    StopMotion();
    m_Motion.Play(loop);
}

void CTalkCgImage::StopMotion() { m_Motion.Stop(&m_Transform); }

void CTalkCgImage::Update() {
    m_InEffect->Update();
    m_OutEffect->Update();
    if (m_State == STATE_APPEARING && !m_InEffect->IsPlaying()) {
        Show();
    } else if (m_State == STATE_DISAPPEARING && !m_OutEffect->IsFinishing()) {
        Hide();
    }
    m_Motion.Step(&m_Transform);
}

CMatrix4 CTalkCgImage::GetMatrix() const {
    const STalkTransform& t = m_Transform;
    CMatrix4 rotate;
    MatrixRotationSin(&rotate, t.rotation);
    CMatrix4 scale;
    MatrixScaling(&scale, t.scaleX, t.scaleY, 1.0f);
    const float rx = static_cast<float>(t.rotationCentre.x), ry = static_cast<float>(t.rotationCentre.y);
    const float sx = static_cast<float>(t.scaleCentre.x), sy = static_cast<float>(t.scaleCentre.y);
    CMatrix4 w = Multiply(Translation(-rx, -ry), rotate);
    w = Multiply(w, Translation(rx, ry));
    w = Multiply(w, Translation(-sx, -sy));
    w = Multiply(w, scale);
    w = Multiply(w, Translation(sx, sy));
    return Multiply(w, PositionMatrix(t.position));
}

void CTalkCgImage::Draw() {
    const CMatrix4 w = GetMatrix();
    const int32_t a = GetOpacity();
    switch (m_State) {
        case STATE_APPEARING:
            m_InEffect->SetAlpha(a);
            m_InEffect->DrawTransformed(w);
            break;
        case STATE_DISAPPEARING:
            m_OutEffect->SetAlpha(a);
            m_OutEffect->DrawTransformed(w);
            break;
        case STATE_SHOWN:
            if (w == PositionMatrix(m_Transform.position)) {
                SetMotionTextureFilter(kFilterPoint, kFilterPoint);
                m_Plane.DrawMatrix(w, TalkAlphaColour(a));
            } else {
                SetMotionTextureFilter(kFilterAnisotropic, kFilterAnisotropic);
                m_Plane.DrawMatrix(w, TalkAlphaColour(a));
                SetMotionTextureFilter(kFilterPoint, kFilterPoint);
            }
            break;
        default:
            break;
    }
}

bool CTalkCgImage::DrawSmall() { return _DrawSmall(false); }

bool CTalkCgImage::DrawSmallScreen() { return _DrawSmall(true); }

bool CTalkCgImage::_DrawSmall(bool wholeScreen) {
    CImagePlane small;
    if (!small.Load(kSmallFolder + m_Name)) {
        DebugPrintf("CTalkCgImage::DrawSmall() サムネール用画像がない");
        Draw();
        return true;
    }
    if (m_State == STATE_HIDDEN) {
        return true;
    }
    const float fullW = wholeScreen ? 800.0f : static_cast<float>(m_Plane.GetWidth());
    const float fullH = wholeScreen ? 600.0f : static_cast<float>(m_Plane.GetHeight());
    CMatrix4 prescale;
    MatrixScaling(&prescale, fullW / static_cast<float>(small.GetWidth()), fullH / static_cast<float>(small.GetHeight()),
                  1.0f);
    const CMatrix4 w = GetMatrix();
    SetMotionTextureFilter(kFilterPoint, kFilterPoint);
    small.DrawMatrix(Multiply(prescale, w), TalkAlphaColour(GetOpacity()));
    if (w != PositionMatrix(m_Transform.position)) {
        SetMotionTextureFilter(kFilterPoint, kFilterPoint);
    }
    return true;
}
