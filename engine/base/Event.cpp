#include "engine/base/Event.h"

#include <chrono>

void CEvent::Set() {
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Signaled = true;
    }
    if (m_ManualReset) {
        m_Cond.notify_all();
    } else {
        m_Cond.notify_one();
    }
}

void CEvent::Reset() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Signaled = false;
}

bool CEvent::Wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    auto ready = [this] { return m_Signaled; };
    if (timeoutMs == kInfinite) {
        m_Cond.wait(lock, ready);
    } else if (!m_Cond.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return false;
    }
    if (!m_ManualReset) {
        m_Signaled = false;
    }
    return true;
}

bool CEvent::IsSet() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Signaled;
}
