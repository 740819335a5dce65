#pragma once
// A frame clock that moves only when told or when the frame loop sleeps: a frame loop
// driven by hand (screen tests, the frame benchmark) then runs every frame with its
// draw, as fast as the machine allows, whatever time the frames really take.
#include <cstdint>

#include "engine/base/FrameTimer.h"

namespace kit {

class CStepClock : public IFrameClock {
public:
    explicit CStepClock(uint32_t startMs = 1000) : m_Now(startMs) {}
    uint32_t NowMs() override { return m_Now; }
    void SleepMs(uint32_t ms) override { m_Now += ms; }
    void Advance(uint32_t ms) { m_Now += ms; }

private:
    uint32_t m_Now;
};

}  // namespace kit
