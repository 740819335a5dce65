#include "engine/movie/MoviePlayer.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "engine/base/Counter.h"
#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/movie/MovieFile.h"
#include "engine/movie/MovieSoundDecoder.h"
#include "engine/sound/DirectSound.h"
#include "engine/sound/StreamSound.h"

class CMoviePlayer::CDecodeThread : public CThread {
public:
    explicit CDecodeThread(CMoviePlayer* owner) : m_Owner(owner) {}
    ~CDecodeThread() override { Stop(); }

protected:
    uint32_t ThreadProc() override {
        m_Owner->_DecodeLoop(*this);
        return 0;
    }

private:
    CMoviePlayer* m_Owner;
};

CMoviePlayer::CMoviePlayer() : CMoviePlayer(SOptions{}) {}

CMoviePlayer::CMoviePlayer(SOptions options)
    : m_Options(options), m_Clock(options.clock ? options.clock : &m_RealClock) {}

CMoviePlayer::~CMoviePlayer() { _Close(); }

void CMoviePlayer::_Close() {
    _StopDecoding();
    m_Sound.reset();
    m_Video.reset();
    m_File.reset();
    m_Queue.clear();
    m_Spare.clear();
    m_Current = SMoviePicture{};
    m_State = STATE_STOPPED;
    m_Played = false;
    m_DurationMs = 0;
    m_BaseMs = 0;
}

bool CMoviePlayer::Open(const std::string& file) {
    _Close();
    m_Name = file;
    m_File = CMovieFile::Open(file);
    if (!m_File) {
        DebugPrintf("CMoviePlayer::Open() ファイルを開けません[%s]", file.c_str());
        return false;
    }
    m_Video = std::make_unique<CMovieDecoder>();
    m_Video->SetPictureSize(kWidth, kHeight);
    std::string error;
    SMoviePicture first;
    if (!m_Video->Open(m_File->CreateSource(), CMovieDecoder::STREAM_VIDEO, &error)) {
        DebugPrintf("CMoviePlayer::Open() 動画を開けません[%s][%s]", file.c_str(), error.c_str());
        _Close();
        return false;
    }
    if (!m_Video->ReadPicture(&first)) {
        DebugPrintf("CMoviePlayer::Open() 最初の画像を読めません[%s]", file.c_str());
        _Close();
        return false;
    }
    m_Queue.push_back(std::move(first));
    m_DecodeEnded = false;
    m_DurationMs = static_cast<uint32_t>(std::clamp<int64_t>(m_Video->GetDurationMs(), 0, INT32_MAX));

    CDirectSound* device = m_Options.sound ? m_Options.sound : CDirectSound::GetCurrent();
    if (device && m_Options.withSound) {
        auto decoder = std::make_unique<CMovieSoundDecoder>();
        // A movie without sound plays silent on the clock.
        if (decoder->OpenSource(m_File->CreateSource(), file)) {
            m_Sound = std::make_unique<CStreamSound>(device->GetDevice());
            if (m_Sound->Init(std::move(decoder), file)) {
                m_Sound->SetVolume(m_VolumeDb);
            } else {
                m_Sound.reset();
            }
        }
    }
    return true;
}

bool CMoviePlayer::Run() {
    if (!m_Video) return false;
    if (m_State == STATE_RUNNING) return true;
    if (m_State == STATE_PAUSED) {
        if (m_Sound) m_Sound->Resume();
        m_AnchorMs = _Now();
        m_State = STATE_RUNNING;
        return true;
    }
    if (m_Played) {
        // Starting over after a stop: back to the first picture.
        m_Queue.clear();
        m_DecodeEnded = false;
        if (!m_Video->Rewind()) {
            DebugPrintf("CMoviePlayer::Run() 先頭に戻れません[%s]", m_Name.c_str());
            return false;
        }
    }
    m_Played = true;
    m_BaseMs = 0;
    m_AnchorMs = _Now();
    if (m_Sound) m_Sound->Play(false, 0);
    m_StopDecoding = false;
    m_Thread = std::make_unique<CDecodeThread>(this);
    if (!m_Thread->Start()) {
        DebugPrintf("CMoviePlayer::Run() スレッドを開始できません[%s]", m_Name.c_str());
        m_Thread.reset();
        if (m_Sound) m_Sound->Stop();
        return false;
    }
    m_State = STATE_RUNNING;
    return true;
}

bool CMoviePlayer::Pause() {
    if (!m_Video || m_State == STATE_STOPPED) return false;
    if (m_State == STATE_PAUSED) return true;
    m_BaseMs = GetPositionMs();
    if (m_Sound) m_Sound->Pause();
    m_State = STATE_PAUSED;
    return true;
}

bool CMoviePlayer::StopGraph() {
    if (!m_Video) return false;
    m_BaseMs = GetPositionMs();
    m_State = STATE_STOPPED;
    if (m_Sound) m_Sound->Stop();
    _StopDecoding();
    return true;
}

void CMoviePlayer::_StopDecoding() {
    if (!m_Thread) return;
    {
        std::lock_guard<std::mutex> lock(m_QueueMutex);
        m_StopDecoding = true;
    }
    m_QueueCond.notify_all();
    m_Thread->Stop();
    m_Thread.reset();
}

void CMoviePlayer::_DecodeLoop(const CDecodeThread& thread) {
    for (;;) {
        SMoviePicture picture;
        {
            std::unique_lock<std::mutex> lock(m_QueueMutex);
            m_QueueCond.wait(
                lock, [&] { return m_StopDecoding || thread.IsStopRequested() || m_Queue.size() < kQueuePictures; });
            if (m_StopDecoding || thread.IsStopRequested()) return;
            if (!m_Spare.empty()) {
                picture = std::move(m_Spare.back());
                m_Spare.pop_back();
            }
        }
        const bool ok = m_Video->ReadPicture(&picture);
        {
            std::lock_guard<std::mutex> lock(m_QueueMutex);
            if (ok) {
                m_Queue.push_back(std::move(picture));
            } else {
                m_DecodeEnded = true;
            }
        }
        m_QueueCond.notify_all();
        if (!ok) return;
    }
}

bool CMoviePlayer::WaitForDecoder(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_QueueMutex);
    return m_QueueCond.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return m_DecodeEnded || m_Queue.size() >= kQueuePictures || !m_Thread; });
}

bool CMoviePlayer::IsDecoding() const { return m_Thread && m_Thread->IsRunning(); }

bool CMoviePlayer::IsRunning() const {
    if (m_State != STATE_RUNNING) return false;
    {
        std::lock_guard<std::mutex> lock(m_QueueMutex);
        if (!m_DecodeEnded || !m_Queue.empty()) return true;
    }
    return GetPositionMs() < std::max<uint32_t>(m_DurationMs, static_cast<uint32_t>(m_Current.timeMs));
}

bool CMoviePlayer::CheckState() const { return m_State == STATE_PAUSED; }

uint32_t CMoviePlayer::GetPositionMs() const {
    const uint32_t now = _Now();
    if (m_Sound && (m_Sound->IsPlaying() || m_Sound->IsPaused())) {
        // The sound leads; the clock takes over from where it ends.
        m_BaseMs = m_Sound->GetPosition();
        m_AnchorMs = now;
        return m_BaseMs;
    }
    if (m_State != STATE_RUNNING) return m_BaseMs;
    m_BaseMs += now - m_AnchorMs;
    m_AnchorMs = now;
    return m_BaseMs;
}

void CMoviePlayer::SetVolume(int32_t volume) {
    CCounterLog curve;
    curve.Set(CAudioBuffer::kVolumeMin, 0, kVolumeSteps);
    curve.SetStep(std::clamp(volume, 0, kVolumeSteps));
    m_VolumeDb = curve.GetValue();
    if (m_Sound) m_Sound->SetVolume(m_VolumeDb);
}

bool CMoviePlayer::UpdateFrame() {
    if (!m_Video) return false;
    const int64_t now = GetPositionMs();
    bool changed = false;
    {
        std::lock_guard<std::mutex> lock(m_QueueMutex);
        while (!m_Queue.empty() && (m_Queue.front().timeMs <= now || m_Current.pixels.empty())) {
            if (!m_Current.pixels.empty()) m_Spare.push_back(std::move(m_Current));
            m_Current = std::move(m_Queue.front());
            m_Queue.pop_front();
            changed = true;
        }
    }
    if (changed) {
        m_QueueCond.notify_all();
        m_Dirty = true;
    }
    return changed;
}

bool CMoviePlayer::UploadPicture(const SMoviePicture& picture, CD3DTexture& texture) {
    const uint32_t w = picture.width, h = picture.height;
    if (picture.pixels.size() < static_cast<size_t>(w) * h || w == 0 || texture.GetWidth() < w ||
        texture.GetHeight() < h) {
        return false;
    }
    SGfxLockedRect locked;
    if (!texture.Lock(&locked)) return false;
    for (uint32_t y = 0; y < h; ++y) {
        std::memcpy(static_cast<uint8_t*>(locked.bits) + static_cast<size_t>(y) * locked.pitch,
                    picture.pixels.data() + static_cast<size_t>(y) * w, w * sizeof(uint32_t));
    }
    return texture.Unlock();
}

bool CMoviePlayer::DrawFrame(CScreenRenderer& renderer) {
    CD3DDevice* device = renderer.GetD3DDevice();
    if (!device || m_Current.pixels.empty()) return false;
    if (!m_Texture.Exists() || m_Texture.GetDevice() != device) {
        m_Texture.Release();
        if (!m_Texture.Create(device, kWidth, kHeight, GFX_FMT_X8R8G8B8)) return false;
        m_Dirty = true;
    }
    if (m_Dirty && !UploadFrame(m_Texture)) return false;
    m_Dirty = false;
    return m_Texture.DrawAt(0, 0);
}
