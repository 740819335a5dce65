#include "engine/base/FrameTimer.h"

#include "platform/sys/Time.h"

uint32_t CSystemFrameClock::NowMs() { return PlatformGetTickMs(); }

void CSystemFrameClock::SleepMs(uint32_t ms) { PlatformPreciseSleepMs(ms); }

CFrameTimer::CFrameTimer(IFrameClock* clock) : m_Clock(clock ? clock : &m_SystemClock) {
    SetFps(60);
    Restart();
}

void CFrameTimer::SetFps(int fps) {
    if (fps <= 0) {
        fps = 60;
    }
    m_Fps = fps;
    m_FrameTime = 65536000u / static_cast<uint32_t>(fps);
}

void CFrameTimer::Restart() {
    m_Deadline = m_Clock->NowMs();
    m_Fraction = 0;
    m_SkipDraw = false;
    m_LastLag = 0;
}

void CFrameTimer::BeginUpdate() { m_UpdateStart = m_Clock->NowMs(); }

void CFrameTimer::EndUpdate() {
    uint32_t took = m_Clock->NowMs() - m_UpdateStart;
    if (took >= 2 * (m_FrameTime >> 16)) {
        Restart();
    }
}

void CFrameTimer::WaitFrame() {
    uint32_t acc = m_Fraction + m_FrameTime;
    m_Deadline += acc >> 16;
    m_Fraction = acc & 0xFFFF;
    uint32_t nextFrameMs = (m_Fraction + m_FrameTime) >> 16;

    uint32_t now = m_Clock->NowMs();
    int32_t early = static_cast<int32_t>(m_Deadline - now);
    if (early >= 0) {
        if (early > 0) {
            m_Clock->SleepMs(static_cast<uint32_t>(early));
        }
        m_SkipDraw = false;
        m_LastLag = 0;
        return;
    }
    uint32_t lag = static_cast<uint32_t>(-early);
    m_LastLag = lag;
    if (lag <= nextFrameMs) {
        m_SkipDraw = true;
    } else if (lag > kForgetLagMs) {
        // Too far behind to catch up: start over from now.
        m_Deadline = now;
        m_Fraction = 0;
        m_SkipDraw = false;
    } else {
        m_SkipDraw = lag >= 6 * (m_FrameTime >> 16);
    }
}
