#include "game/stage/talk/TalkCgAnime.h"

#include <climits>
#include <cstdlib>

#include "engine/base/Log.h"
#include "engine/draw/CellImage.h"
#include "game/stage/talk/TalkEnvironment.h"

namespace {

constexpr const char kSmallFolder[] = "obj\\small\\";
constexpr int32_t kStripFlag = 1;

int32_t StepsOfWait(int32_t wait) {
    if (wait == 0) return 1;
    return wait == INT32_MIN ? INT32_MAX : std::abs(wait);
}

}  // namespace

CTalkCgAnime::CTalkCgAnime() = default;

CTalkCgAnime::~CTalkCgAnime() { Release(); }

bool CTalkCgAnime::LoadAnime(const std::string& file, int32_t frameCount, bool blend) {
    Release();
    CImagePlane strip;
    if (!strip.Load(file, kStripFlag, 0)) {
        return false;
    }
    // A count outside the strip's width would make frames of no or negative width.
    const int32_t width = strip.GetWidth();
    const int32_t count = frameCount < 1 ? 1 : frameCount > width ? width : frameCount;
    for (int32_t i = 0; i < count; ++i) {
        auto frame = std::make_unique<CTalkCgImage>();
        frame->CreateBlank(width / count, strip.GetHeight());
        m_Frames.push_back(std::move(frame));
    }
    m_FrameCount = count;
    _Cut(strip);
    m_Name = file;
    m_Blend = blend;
    m_Current = 0;
    m_Counter.Set(0, 255, 1);
    return true;
}

void CTalkCgAnime::_Cut(const CImagePlane& strip) {
    const int32_t frameWidth = strip.GetWidth() / m_FrameCount;
    for (size_t i = 0; i < m_Frames.size(); ++i) {
        CImagePlane& plane = m_Frames[i]->GetPlane();
        plane.Fill(0);
        plane.CopyRect(strip, 0, 0, static_cast<int32_t>(i) * frameWidth, 0, frameWidth, strip.GetHeight());
    }
}

void CTalkCgAnime::OnDeviceRestored() {
    if (!IsLoaded()) {
        return;
    }
    CImagePlane strip;
    if (strip.Load(m_Name, kStripFlag, 0)) {
        _Cut(strip);
    }
}

void CTalkCgAnime::SetFrameWait(int32_t wait) { m_Wait = wait == 0 ? 1 : wait; }

void CTalkCgAnime::Release() {
    m_Frames.clear();
    m_Name.clear();
    m_FrameCount = 0;
    m_Blend = false;
    m_Current = 0;
}

int32_t CTalkCgAnime::_Previous() const { return m_Current == 0 ? m_FrameCount - 1 : m_Current - 1; }

void CTalkCgAnime::Update() {
    _ForEach([](CTalkCgImage& f) { f.Update(); });
    if (m_Frames.empty()) {
        return;
    }
    if (m_Wait <= 1) {
        m_Counter.Next();
        if (m_Counter.IsEnd()) {
            m_Current = (m_Current + 1) % m_FrameCount;
            m_Counter.Set(0, 255, StepsOfWait(m_Wait));
        }
    } else {
        m_Current = static_cast<int32_t>((static_cast<int64_t>(m_Current) + m_Wait) % m_FrameCount);
    }
}

void CTalkCgAnime::Draw() {
    if (m_Frames.empty()) {
        return;
    }
    if (!IsTalkEffectsOn()) {
        m_Frames[0]->Draw();
        return;
    }
    CTalkCgImage& current = *m_Frames[static_cast<size_t>(m_Current)];
    if (m_Blend && m_Wait <= 1 && IsTalkScreenDirect3D()) {
        CTalkCgImage& previous = *m_Frames[static_cast<size_t>(_Previous())];
        const int32_t b = previous.GetAlpha();
        const int32_t v = m_Counter.GetValue();
        previous.SetAlpha((255 - v) * b / 255);
        previous.Draw();
        current.SetAlpha(v * b / 255);
        current.Draw();
        previous.SetAlpha(b);
        current.SetAlpha(b);
        return;
    }
    current.Draw();
}

bool CTalkCgAnime::DrawSmall() {
    CImagePlane small;
    if (!small.Load(kSmallFolder + m_Name)) {
        DebugPrintf("CTalkCgAnime::DrawSmall() サムネール用画像がない");
        Draw();
        return true;
    }
    CCellImage cells;
    if (m_Frames.empty() || !cells.Set(&small, m_FrameCount, 1)) {
        return true;
    }
    const CTalkCgImage& first = *m_Frames[0];
    int32_t cellW = 0, cellH = 0;
    cells.GetCellSize(&cellW, &cellH);
    const SSize frame = first.GetSize();
    CMatrix4 prescale, m;
    MatrixScaling(&prescale, static_cast<float>(frame.cx) / static_cast<float>(cellW),
                  static_cast<float>(frame.cy) / static_cast<float>(cellH), 1.0f);
    const CMatrix4 w = first.GetMatrix();
    MatrixMultiply(&m, &prescale, &w);
    cells.DrawCellColored(0, 0, 0, 0, m, TalkAlphaColour(first.GetOpacity()));
    return true;
}

void CTalkCgAnime::SetPosition(int32_t x, int32_t y) {
    _ForEach([&](CTalkCgImage& f) { f.SetPosition(x, y); });
}
void CTalkCgAnime::SetScale(float sx, float sy, int32_t cx, int32_t cy) {
    _ForEach([&](CTalkCgImage& f) { f.SetScale(sx, sy, cx, cy); });
}
void CTalkCgAnime::SetRotation(int32_t angle, int32_t cx, int32_t cy) {
    _ForEach([&](CTalkCgImage& f) { f.SetRotation(angle, cx, cy); });
}
void CTalkCgAnime::SetAlpha(int32_t level) {
    _ForEach([&](CTalkCgImage& f) { f.SetAlpha(level); });
}
void CTalkCgAnime::SetInEffect(int32_t effectId, int32_t frames) {
    _ForEach([&](CTalkCgImage& f) { f.SetInEffect(effectId, frames); });
}
void CTalkCgAnime::SetOutEffect(int32_t effectId, int32_t frames) {
    _ForEach([&](CTalkCgImage& f) { f.SetOutEffect(effectId, frames); });
}
void CTalkCgAnime::StartIn() {
    _ForEach([](CTalkCgImage& f) { f.StartIn(); });
}
void CTalkCgAnime::Show() {
    _ForEach([](CTalkCgImage& f) { f.Show(); });
}
void CTalkCgAnime::StartOut() {
    _ForEach([](CTalkCgImage& f) { f.StartOut(); });
}
void CTalkCgAnime::Hide() {
    _ForEach([](CTalkCgImage& f) { f.Hide(); });
}
void CTalkCgAnime::ClearMotion() {
    _ForEach([](CTalkCgImage& f) { f.ClearMotion(); });
}
void CTalkCgAnime::ParseMotion(const std::string& text, const SMotionOut& out) {
    _ForEach([&](CTalkCgImage& f) { f.ParseMotion(text, out); });
}
void CTalkCgAnime::SetMotion(const std::string& text) {
    _ForEach([&](CTalkCgImage& f) { f.SetMotion(text); });
}
void CTalkCgAnime::PlayMotion(bool loop) {
    _ForEach([&](CTalkCgImage& f) { f.PlayMotion(loop); });
}
void CTalkCgAnime::StopMotion() {
    _ForEach([](CTalkCgImage& f) { f.StopMotion(); });
}

SPoint CTalkCgAnime::GetPosition() const { return m_Frames.empty() ? SPoint{} : m_Frames[0]->GetPosition(); }
void CTalkCgAnime::GetScale(float* sx, float* sy, SPoint* centre) const {
    if (!m_Frames.empty()) m_Frames[0]->GetScale(sx, sy, centre);
}
void CTalkCgAnime::GetRotation(int32_t* angle, SPoint* centre) const {
    if (!m_Frames.empty()) m_Frames[0]->GetRotation(angle, centre);
}
int32_t CTalkCgAnime::GetAlpha() const { return m_Frames.empty() ? 0 : m_Frames[0]->GetAlpha(); }
SSize CTalkCgAnime::GetSize() const { return m_Frames.empty() ? SSize{} : m_Frames[0]->GetSize(); }
bool CTalkCgAnime::IsMotionPlaying() const { return !m_Frames.empty() && m_Frames[0]->IsMotionPlaying(); }
