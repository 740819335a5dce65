#include "game/raising/wide/WideBackground.h"

#include "engine/file/File.h"

bool CWideBackground::_BuildStrip(CImagePlane* strip, const char* file) {
    CImagePlane picture;
    if (!CFile::Exists(file)) {
        // A damaged strip is logged by its loader; a missing one would go unremarked.
        // The background is loaded again after each release: once a run is enough.
        ReportUnreadableFile("CWideBackground::Load()", file);
        return false;
    }
    if (!picture.Load(file) || !strip->Create(1, picture.GetHeight(), true)) {
        return false;
    }
    return strip->CopyRect(picture, 0, 0, 0, 0, 1, picture.GetHeight());
}

bool CWideBackground::_CopyColumn(CImagePlane* strip, const char* file) {
    CImagePlane picture;
    if (!strip->IsLoaded() || !CFile::Exists(file) || !picture.Load(file)) {
        return false;
    }
    return strip->CopyRect(picture, 0, 0, 0, 0, 1, strip->GetHeight());
}

bool CWideBackground::Load() {
    Release();
    _BuildStrip(&m_TopStrip, kTopStripFile);
    _BuildStrip(&m_BottomStrip, kBottomStripFile);
    if (m_Band.Load() && m_Picture.Load()) {
        return true;
    }
    Release();
    return false;
}

void CWideBackground::Release() {
    m_Band.Release();
    m_Picture.Release();
    m_TopStrip.Release();
    m_BottomStrip.Release();
}

bool CWideBackground::IsLoaded() const { return m_Band.Exists() && m_Picture.Exists(); }

void CWideBackground::StepScroll() {
    if (!m_Band.Exists()) {
        return;
    }
    float phase = m_Band.GetPhase() + kPhaseStep;
    if (phase > 1.0f) {
        phase -= 1.0f;
    }
    m_Band.SetPhase(phase);
}

void CWideBackground::_DrawStrip(CImagePlane& strip, int32_t top) {
    if (!strip.IsLoaded()) {
        return;
    }
    const int32_t h = strip.GetHeight();
    strip.DrawStretch(SRect{0, top, 800, top + h}, SRect{0, 0, 1, h}, 0xFFFFFFFFu);
}

void CWideBackground::Draw() {
    m_Band.Draw(0xFFFFFFFFu);
    m_Picture.Draw(0);
    if (m_ShowPart1) {
        _DrawStrip(m_TopStrip, 0);
        _DrawStrip(m_BottomStrip, kBottomStripTop);
    }
}

void CWideBackground::Reload() {
    if (m_Band.Exists()) {
        m_Band.Load();
    }
    if (m_Picture.Exists()) {
        m_Picture.Load();
    }
    _CopyColumn(&m_TopStrip, kTopStripFile);
    _CopyColumn(&m_BottomStrip, kBottomStripFile);
}
