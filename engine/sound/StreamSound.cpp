#include "engine/sound/StreamSound.h"

#include <algorithm>
#include <chrono>

#include "engine/base/Log.h"

CStreamSound::CStreamSound(CAudioDevice& device) : CBufferSound(device) {}

CStreamSound::~CStreamSound() { Unload(); }

bool CStreamSound::Init(std::unique_ptr<ISoundDecoder> decoder, const std::string& name) {
    CCriticalLock lock(m_Lock);
    m_Name = name;
    m_Format = decoder->GetFormat();
    m_Total = decoder->GetTotalFrames();
    m_LengthMs = decoder->GetLengthMs();
    m_RingFrames = std::max<uint32_t>(m_Format.rate, 4096);
    m_Buffer = m_Device.CreateBuffer(m_Format, m_RingFrames * m_Format.BlockAlign());
    if (!m_Buffer || m_Total == 0) {
        DebugPrintf("CStreamSound::Init() バッファの作成に失敗しました[%s]", name.c_str());
        m_Buffer.reset();
        return false;
    }
    m_Decoder = std::move(decoder);
    m_Thread = std::make_unique<CStreamThread>(this);
    return true;
}

void CStreamSound::_StopThread() {
    if (m_Thread) m_Thread->Stop();
}

void CStreamSound::_EnsureThread(bool needStart) {
    if (!needStart || !m_Thread) return;
    // A thread that just decided to end is joined before the new one starts.
    m_Thread->Wait();
    {
        std::lock_guard<std::mutex> lock(m_PollMutex);
        m_ThreadLive = true;
    }
    if (!m_Thread->Start()) {
        std::lock_guard<std::mutex> lock(m_PollMutex);
        m_ThreadLive = false;
    }
}

void CStreamSound::Unload() {
    {
        CCriticalLock lock(m_Lock);
        if (m_Buffer) m_Buffer->StopWithFade(kStopFadeMs);
        m_State = STATE_STOPPED;
        m_ThreadActive = false;
    }
    _StopThread();
    CCriticalLock lock(m_Lock);
    m_Thread.reset();
    m_Buffer.reset();
    m_Decoder.reset();
}

bool CStreamSound::Play(bool loop, uint32_t startMs) {
    bool needStart = false;
    {
        CCriticalLock lock(m_Lock);
        if (!m_Buffer || !m_Decoder) return false;
        m_Buffer->Stop();
        uint64_t frame = static_cast<uint64_t>(startMs) * m_Format.rate / 1000;
        if (frame >= m_Total) frame = loop ? frame % m_Total : 0;
        m_Decoder->SeekFrame(frame);
        m_BaseFrame = frame;
        m_Written = 0;
        m_EndAt = UINT64_MAX;
        m_Looping = loop;
        m_Buffer->SetPlayPosition(0);
        _Fill(m_RingFrames);
        m_Buffer->Play(true);
        m_State = STATE_PLAYING;
        if (!m_ThreadActive) {
            m_ThreadActive = true;
            needStart = true;
        }
    }
    _EnsureThread(needStart);
    return true;
}

void CStreamSound::_Fill(uint64_t freeFrames) {
    const uint32_t align = m_Format.BlockAlign();
    bool seekedEmpty = false;
    while (freeFrames > 0) {
        uint32_t ringPos = static_cast<uint32_t>(m_Written % m_RingFrames);
        if (m_EndAt != UINT64_MAX) {
            m_Buffer->WriteSilence(ringPos * align, static_cast<uint32_t>(freeFrames) * align);
            m_Written += freeFrames;
            return;
        }
        uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(freeFrames, 4096));
        if (m_Scratch.size() < static_cast<size_t>(n) * align) m_Scratch.resize(static_cast<size_t>(n) * align);
        uint32_t got = m_Decoder->Read(m_Scratch.data(), n);
        if (got > 0) {
            m_Buffer->Write(ringPos * align, m_Scratch.data(), got * align);
            m_Written += got;
            freeFrames -= got;
            seekedEmpty = false;
            continue;
        }
        if (m_Looping && !m_Decoder->HasFailed() && !seekedEmpty) {
            m_Decoder->SeekFrame(0);
            seekedEmpty = true;  // a second empty read after a seek ends the stream
            continue;
        }
        m_EndAt = m_Written;
    }
}

bool CStreamSound::_Poll() {
    if (m_State == STATE_STOPPED || !m_Buffer) return false;
    if (m_State == STATE_PAUSED) return true;
    uint64_t played = m_Buffer->GetPlayedFrames();
    if (m_EndAt != UINT64_MAX && played >= m_EndAt) {
        m_Buffer->Stop();
        m_State = STATE_STOPPED;
        return false;
    }
    // Fell behind the play cursor (the ring already replayed old data): catch up.
    if (played > m_Written) m_Written = played;
    _Fill(m_RingFrames - (m_Written - played));
    return true;
}

uint32_t CStreamSound::CStreamThread::ThreadProc() {
    CStreamSound* o = m_Owner;
    while (!IsStopRequested()) {
        if (SleepOrStop(kPollMs)) break;
        {
            std::lock_guard<std::mutex> lock(o->m_PollMutex);
            ++o->m_PollsBegun;
        }
        bool keep;
        {
            CCriticalLock lock(o->m_Lock);
            keep = o->_Poll();
            if (!keep) o->m_ThreadActive = false;
        }
        {
            std::lock_guard<std::mutex> lock(o->m_PollMutex);
            ++o->m_PollsDone;
            if (!keep) o->m_ThreadLive = false;
        }
        o->m_PollCond.notify_all();
        if (!keep) return 0;
    }
    {
        std::lock_guard<std::mutex> lock(o->m_PollMutex);
        o->m_ThreadLive = false;
    }
    o->m_PollCond.notify_all();
    return 0;
}

bool CStreamSound::WaitForPoll(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_PollMutex);
    uint64_t target = m_PollsBegun + 1;
    return m_PollCond.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return m_PollsDone >= target || !m_ThreadLive; }) &&
           m_PollsDone >= target;
}

void CStreamSound::Stop() {
    {
        CCriticalLock lock(m_Lock);
        if (m_Buffer) m_Buffer->StopWithFade(kStopFadeMs);
        m_State = STATE_STOPPED;
        m_ThreadActive = false;
    }
    _StopThread();
}

void CStreamSound::Pause() {
    CCriticalLock lock(m_Lock);
    if (m_State != STATE_PLAYING) return;
    m_Buffer->Stop();
    m_State = STATE_PAUSED;
}

void CStreamSound::Resume() {
    bool needStart = false;
    {
        CCriticalLock lock(m_Lock);
        if (m_State != STATE_PAUSED) return;
        m_Buffer->Play(true);
        m_State = STATE_PLAYING;
        if (!m_ThreadActive) {
            m_ThreadActive = true;
            needStart = true;
        }
    }
    _EnsureThread(needStart);
}

uint32_t CStreamSound::GetPosition() const {
    CCriticalLock lock(m_Lock);
    if (!m_Buffer || m_Total == 0) return 0;
    uint64_t f = m_BaseFrame + m_Buffer->GetPlayedFrames();
    f = m_Looping ? f % m_Total : std::min(f, m_Total);
    return static_cast<uint32_t>(f * 1000 / m_Format.rate);
}

bool CStreamSound::IsPlaying() const {
    CCriticalLock lock(m_Lock);
    return m_State == STATE_PLAYING;
}

bool CStreamSound::IsPaused() const {
    CCriticalLock lock(m_Lock);
    return m_State == STATE_PAUSED;
}

bool CStreamSound::IsLooping() const {
    CCriticalLock lock(m_Lock);
    return m_Looping;
}
