#include "engine/sound/Sound.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/sound/DirectSound.h"
#include "engine/sound/StaticSound.h"
#include "engine/sound/StreamSound.h"

CSound::CSound(CDirectSound* device) : m_Device(device) {}

CSound::~CSound() { Unload(); }

bool CSound::LoadWith(const std::string& file, ELoadMode mode) {
    Unload();
    // A missing file is the caller's to report (the channels stay silent about it).
    if (!CFile::Exists(file)) return false;
    auto f = std::make_unique<CFile>();
    if (!f->Open(file)) return false;
    CDirectSound* ds = m_Device ? m_Device : CDirectSound::GetCurrent();
    if (!ds || !ds->IsCreated()) {
        DebugPrintf("CSound::Load() DirectSoundが作成されていません[%s]", file.c_str());
        return false;
    }
    std::unique_ptr<ISoundDecoder> decoder = CreateSoundDecoder(std::move(f), file);
    if (!decoder) return false;
    bool stream = mode == LOAD_STREAM || (mode == LOAD_AUTO && decoder->GetLengthMs() >= kStreamThresholdMs);
    if (stream) {
        auto s = std::make_unique<CStreamSound>(ds->GetDevice());
        if (!s->Init(std::move(decoder), file)) return false;
        m_Impl = std::move(s);
    } else {
        auto s = std::make_unique<CStaticSound>(ds->GetDevice());
        if (!s->Init(*decoder, file)) return false;
        m_Impl = std::move(s);
    }
    m_Streaming = stream;
    m_FileName = file;
    m_Impl->SetVolume(m_Volume);
    m_Impl->SetPan(m_Pan);
    m_Impl->SetFrequency(m_Frequency);
    return true;
}

void CSound::Unload() {
    m_Impl.reset();
    m_FileName.clear();
    m_Streaming = false;
}

bool CSound::Play(bool loop, uint32_t startMs) { return m_Impl && m_Impl->Play(loop, startMs); }

void CSound::Stop() {
    if (m_Impl) m_Impl->Stop();
}

void CSound::Pause() {
    if (m_Impl) m_Impl->Pause();
}

void CSound::Resume() {
    if (m_Impl) m_Impl->Resume();
}

uint32_t CSound::GetPosition() const { return m_Impl ? m_Impl->GetPosition() : 0; }

void CSound::SetVolume(int32_t volume) {
    m_Volume = std::clamp(volume, kVolumeMin, kVolumeMax);
    if (m_Impl) m_Impl->SetVolume(m_Volume);
}

void CSound::SetPan(int32_t pan) {
    m_Pan = std::clamp(pan, -10000, 10000);
    if (m_Impl) m_Impl->SetPan(m_Pan);
}

void CSound::SetFrequency(uint32_t hz) {
    m_Frequency = hz;
    if (m_Impl) m_Impl->SetFrequency(hz);
}

uint32_t CSound::GetFrequency() const { return m_Impl ? m_Impl->GetFrequency() : m_Frequency; }

bool CSound::IsPlaying() const { return m_Impl && m_Impl->IsPlaying(); }

bool CSound::IsPaused() const { return m_Impl && m_Impl->IsPaused(); }

bool CSound::IsLooping() const { return m_Impl && m_Impl->IsLooping(); }

uint32_t CSound::GetLengthMs() const { return m_Impl ? m_Impl->GetLengthMs() : 0; }

bool CSound::WaitForStreamPoll(uint32_t timeoutMs) {
    auto* s = dynamic_cast<CStreamSound*>(m_Impl.get());
    return s && s->WaitForPoll(timeoutMs);
}
