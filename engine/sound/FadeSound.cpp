#include "engine/sound/FadeSound.h"

#include <algorithm>

#include "engine/sound/SoundVolume.h"

CFadeSound::CFadeSound(CDirectSound* device) : m_Sound(device) {}

CFadeSound::~CFadeSound() { Unload(); }

void CFadeSound::_Apply() {
    double ratio = m_CurVolume / 1000.0;
    if (m_FadingOut) ratio *= m_OutFade.GetValue() / 1000.0;
    m_Sound.SetVolume(RatioToHundredthsDb(ratio));
    m_Sound.SetPan(m_CurPan);
}

bool CFadeSound::Load(const std::string& file) {
    Unload();
    m_FileName = file;
    bool ok = m_Sound.Load(file);
    _Apply();
    return ok;
}

void CFadeSound::Unload() {
    m_Sound.Stop();
    m_Sound.Unload();
    m_FileName.clear();
    m_FadingOut = false;
    m_Started = false;
    m_PlaysLeft = 0;
}

bool CFadeSound::Play(bool loop, uint32_t startMs) {
    Stop();
    m_CurVolume = m_Volume;
    m_VolFading = false;
    _Apply();
    m_PlaysLeft = 0;
    m_Started = m_Sound.Play(loop, startMs);
    return m_Started;
}

bool CFadeSound::PlayFadeIn(int count, int ms, uint32_t startMs) {
    Stop();
    int frames = MsToFrames(ms);
    if (frames > 0) {
        m_CurVolume = 0;
        m_VolFade.Set(0, m_Volume, frames);
        m_VolFading = true;
    } else {
        m_CurVolume = m_Volume;
        m_VolFading = false;
    }
    _Apply();
    m_PlaysLeft = count > 1 ? count - 1 : 0;
    m_Started = m_Sound.Play(count == 0, startMs);
    return m_Started;
}

void CFadeSound::Stop() {
    m_Sound.Stop();
    m_FadingOut = false;
    m_Started = false;
    m_PlaysLeft = 0;
}

void CFadeSound::Pause() { m_Sound.Pause(); }

void CFadeSound::Resume() { m_Sound.Resume(); }

bool CFadeSound::IsPlaying() const { return m_Sound.IsPlaying() || m_Sound.IsPaused(); }

bool CFadeSound::IsPaused() const { return m_Sound.IsPaused(); }

bool CFadeSound::IsLoaded() const { return m_Sound.IsLoaded(); }

void CFadeSound::SetVolume(int volume) {
    m_Volume = m_CurVolume = std::clamp(volume, 0, 1000);
    m_VolFading = false;
    _Apply();
}

void CFadeSound::SetPan(int pan) {
    m_Pan = m_CurPan = std::clamp(pan, -10000, 10000);
    m_PanFading = false;
    _Apply();
}

void CFadeSound::FadeVolume(int volume, int ms) {
    m_Volume = std::clamp(volume, 0, 1000);
    int frames = MsToFrames(ms);
    if (frames <= 0) {
        m_CurVolume = m_Volume;
        m_VolFading = false;
    } else {
        m_VolFade.Set(m_CurVolume, m_Volume, frames);
        m_VolFading = true;
    }
    _Apply();
}

void CFadeSound::FadePan(int pan, int ms) {
    m_Pan = std::clamp(pan, -10000, 10000);
    int frames = MsToFrames(ms);
    if (frames <= 0) {
        m_CurPan = m_Pan;
        m_PanFading = false;
    } else {
        m_PanFade.Set(m_CurPan, m_Pan, frames);
        m_PanFading = true;
    }
    _Apply();
}

void CFadeSound::FadeOut(int ms) {
    int frames = MsToFrames(ms);
    if (frames <= 0 || !IsPlaying()) {
        Stop();
        return;
    }
    if (m_FadingOut && m_OutFade.GetTotal() - m_OutFade.GetStep() <= frames) return;
    int from = m_FadingOut ? m_OutFade.GetValue() : 1000;
    m_FadingOut = true;
    m_OutFade.Set(from, 0, frames);
    _Apply();
}

uint32_t CFadeSound::GetPosition() const { return m_Sound.GetPosition(); }

void CFadeSound::Update() {
    bool changed = false;
    if (m_VolFading) {
        m_VolFade.Next();
        m_CurVolume = m_VolFade.GetValue();
        m_VolFading = !m_VolFade.IsEnd();
        changed = true;
    }
    if (m_PanFading) {
        m_PanFade.Next();
        m_CurPan = m_PanFade.GetValue();
        m_PanFading = !m_PanFade.IsEnd();
        changed = true;
    }
    if (m_FadingOut) {
        m_OutFade.Next();
        if (m_OutFade.IsEnd()) {
            Stop();
            return;
        }
        changed = true;
    }
    // A sound asked to play n times starts again when it ends.
    if (m_Started && m_PlaysLeft > 0 && !m_Sound.IsPlaying() && !m_Sound.IsPaused()) {
        --m_PlaysLeft;
        m_Sound.Play(false, 0);
    }
    if (changed) _Apply();
}
