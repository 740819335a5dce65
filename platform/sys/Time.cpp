#include "platform/sys/Time.h"

#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

const Clock::time_point& Origin() {
    static const Clock::time_point origin = Clock::now();
    return origin;
}
}  // namespace

uint32_t PlatformGetTickMs() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Origin()).count();
    return static_cast<uint32_t>(ms);
}

void PlatformSleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void PlatformPreciseSleepMs(uint32_t ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    if (ms > 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms - 2));
    }
    while (Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}
