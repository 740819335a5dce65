#pragma once
// A waitable event, manual or automatic reset.
#include <condition_variable>
#include <cstdint>
#include <mutex>

class CEvent {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    explicit CEvent(bool manualReset = true, bool initialState = false)
        : m_ManualReset(manualReset), m_Signaled(initialState) {}
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    void Reset();
    // True when the event was signalled within `timeoutMs` (kInfinite waits for ever).
    bool Wait(uint32_t timeoutMs = kInfinite);
    bool IsSet() const;

private:
    mutable std::mutex m_Mutex;
    std::condition_variable m_Cond;
    bool m_ManualReset;
    bool m_Signaled;
};
