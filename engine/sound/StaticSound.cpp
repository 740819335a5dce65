#include "engine/sound/StaticSound.h"

#include <vector>

#include "engine/base/Log.h"

namespace {
constexpr uint64_t kMaxBytes = 256ull << 20;
}  // namespace

CStaticSound::~CStaticSound() { Unload(); }

bool CStaticSound::Init(ISoundDecoder& decoder, const std::string& name) {
    CCriticalLock lock(m_Lock);
    m_Format = decoder.GetFormat();
    const uint64_t total = decoder.GetTotalFrames();
    const uint32_t align = m_Format.BlockAlign();
    // Whole buffers are meant for short sounds; a header claiming more is not trusted.
    // (Compared by division: total × align wraps for a length a crafted file claims.)
    if (total == 0 || total > kMaxBytes / align) {
        DebugPrintf("CStaticSound::Init() 長さが不正です[%s]", name.c_str());
        return false;
    }
    std::vector<uint8_t> pcm(static_cast<size_t>(total) * align);
    uint64_t done = 0;
    decoder.SeekFrame(0);
    while (done < total) {
        uint32_t n = decoder.Read(pcm.data() + done * align, static_cast<uint32_t>(std::min<uint64_t>(total - done, 65536)));
        if (n == 0) break;
        done += n;
    }
    if (done < total || decoder.HasFailed()) {
        DebugPrintf("CStaticSound::Init() デコードに失敗しました[%s][%llu/%llu]", name.c_str(),
                    static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
        return false;
    }
    m_Buffer = m_Device.CreateBuffer(m_Format, static_cast<uint32_t>(pcm.size()));
    if (!m_Buffer || !m_Buffer->Write(0, pcm.data(), static_cast<uint32_t>(pcm.size()))) {
        DebugPrintf("CStaticSound::Init() バッファの作成に失敗しました[%s]", name.c_str());
        m_Buffer.reset();
        return false;
    }
    m_LengthMs = decoder.GetLengthMs();
    return true;
}

void CStaticSound::Unload() {
    CCriticalLock lock(m_Lock);
    if (m_Buffer) m_Buffer->StopWithFade(kStopFadeMs);
    m_Buffer.reset();
    m_Paused = false;
    m_Started = false;
}

bool CStaticSound::Play(bool loop, uint32_t startMs) {
    CCriticalLock lock(m_Lock);
    if (!m_Buffer) return false;
    m_Buffer->Stop();
    uint64_t frame = static_cast<uint64_t>(startMs) * m_Format.rate / 1000;
    uint64_t frames = m_Buffer->GetFrameCount();
    if (frame >= frames) frame = loop ? frame % frames : 0;
    m_Buffer->SetPlayPosition(static_cast<uint32_t>(frame * m_Format.BlockAlign()));
    m_Buffer->Play(loop);
    m_Paused = false;
    m_Started = true;
    return true;
}

void CStaticSound::Stop() {
    CCriticalLock lock(m_Lock);
    if (m_Buffer) m_Buffer->StopWithFade(kStopFadeMs);
    m_Paused = false;
    m_Started = false;
}

void CStaticSound::Pause() {
    CCriticalLock lock(m_Lock);
    if (!m_Buffer || !m_Started || !m_Buffer->IsPlaying() || m_Buffer->IsFadingOut()) return;
    m_Buffer->Stop();
    m_Paused = true;
}

void CStaticSound::Resume() {
    CCriticalLock lock(m_Lock);
    if (!m_Buffer || !m_Paused) return;
    m_Buffer->Play(m_Buffer->IsLooping());
    m_Paused = false;
}

uint32_t CStaticSound::GetPosition() const {
    CCriticalLock lock(m_Lock);
    if (!m_Buffer) return 0;
    uint64_t frame = m_Buffer->GetPlayPosition() / m_Format.BlockAlign();
    return static_cast<uint32_t>(frame * 1000 / m_Format.rate);
}

bool CStaticSound::IsPlaying() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer && m_Started && !m_Paused && m_Buffer->IsPlaying() && !m_Buffer->IsFadingOut();
}

bool CStaticSound::IsPaused() const {
    CCriticalLock lock(m_Lock);
    return m_Paused;
}

bool CStaticSound::IsLooping() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer && m_Buffer->IsLooping();
}
