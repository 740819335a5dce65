#pragma once
// A sound streamed from its file (3,000 ms or more): a ring buffer of one second
// that a thread of its own refills every 10 ms from the decoder.  The thread runs
// while the sound plays or is paused and ends when it stops.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/base/Thread.h"
#include "engine/sound/BufferSound.h"

class CStreamSound : public CBufferSound {
public:
    static constexpr uint32_t kPollMs = 10;

    explicit CStreamSound(CAudioDevice& device);
    ~CStreamSound() override;

    // Takes the decoder; false with a log line when no buffer can be made.
    bool Init(std::unique_ptr<ISoundDecoder> decoder, const std::string& name);

    void Unload() override;
    bool Play(bool loop, uint32_t startMs = 0) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    uint32_t GetPosition() const override;
    bool IsPlaying() const override;
    bool IsPaused() const override;
    bool IsLooping() const override;

    bool WaitForPoll(uint32_t timeoutMs);

private:
    enum EState { STATE_STOPPED, STATE_PLAYING, STATE_PAUSED };

    class CStreamThread : public CThread {
    public:
        explicit CStreamThread(CStreamSound* owner) : m_Owner(owner) {}
        ~CStreamThread() override { Stop(); }

    protected:
        uint32_t ThreadProc() override;

    private:
        CStreamSound* m_Owner;
    };

    // Both under m_Lock.  _Poll: false once the sound has ended or stopped.
    bool _Poll();
    void _Fill(uint64_t freeFrames);
    void _StopThread();
    void _EnsureThread(bool needStart);

    std::unique_ptr<ISoundDecoder> m_Decoder;
    std::unique_ptr<CStreamThread> m_Thread;
    std::string m_Name;
    std::vector<uint8_t> m_Scratch;
    uint32_t m_RingFrames = 0;
    uint64_t m_Total = 0;
    EState m_State = STATE_STOPPED;
    bool m_Looping = false;
    bool m_ThreadActive = false;
    uint64_t m_BaseFrame = 0;
    uint64_t m_Written = 0;
    uint64_t m_EndAt = UINT64_MAX;

    std::mutex m_PollMutex;
    std::condition_variable m_PollCond;
    uint64_t m_PollsBegun = 0;
    uint64_t m_PollsDone = 0;
    bool m_ThreadLive = false;
};
