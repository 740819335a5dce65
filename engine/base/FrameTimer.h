#pragma once
// The frame schedule.  The frame time is kept in 16.16 fixed-point milliseconds
// (65,536,000 / rate); each frame takes the whole milliseconds of the accumulator
// and carries the fraction.  A frame that ends early sleeps for the rest; one that
// ends late by no more than the next frame's time skips the next draw and keeps the
// schedule; one that ends later carries its lag, which above 250 ms is forgotten,
// and then skips the next draw only at six frame times or more.  An update that
// takes two whole-millisecond frame times or more restarts the schedule.
#include <cstdint>

class IFrameClock {
public:
    virtual ~IFrameClock() = default;
    virtual uint32_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
};

// The real clock: the engine's millisecond tick and a sleep precise to the millisecond.
class CSystemFrameClock : public IFrameClock {
public:
    uint32_t NowMs() override;
    void SleepMs(uint32_t ms) override;
};

class CFrameTimer {
public:
    // `clock` is not owned; null uses the real clock.
    explicit CFrameTimer(IFrameClock* clock = nullptr);

    void SetFps(int fps);
    int GetFps() const { return m_Fps; }
    // The frame time in 16.16 fixed-point milliseconds.
    uint32_t GetFrameTime() const { return m_FrameTime; }

    // Starts the schedule from now.
    void Restart();
    // Bracket the frame's update so that a long one restarts the schedule.
    void BeginUpdate();
    void EndUpdate();
    // Ends the frame: sleeps when early, decides whether the next draw is skipped.
    void WaitFrame();
    // True when this frame's draw is to be skipped.
    bool IsSkipDraw() const { return m_SkipDraw; }
    // Milliseconds by which the last frame ended late (0 when on time).
    uint32_t GetLastLag() const { return m_LastLag; }

    static constexpr uint32_t kForgetLagMs = 250;

private:
    IFrameClock* m_Clock;
    CSystemFrameClock m_SystemClock;
    int m_Fps = 60;
    uint32_t m_FrameTime = 0;
    uint32_t m_Fraction = 0;
    uint32_t m_Deadline = 0;
    uint32_t m_UpdateStart = 0;
    uint32_t m_LastLag = 0;
    bool m_SkipDraw = false;
};
