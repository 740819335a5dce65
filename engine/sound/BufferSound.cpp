#include "engine/sound/BufferSound.h"

void CBufferSound::SetVolume(int32_t volume) {
    CCriticalLock lock(m_Lock);
    if (m_Buffer) m_Buffer->SetVolume(volume);
}

int32_t CBufferSound::GetVolume() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer ? m_Buffer->GetVolume() : 0;
}

void CBufferSound::SetPan(int32_t pan) {
    CCriticalLock lock(m_Lock);
    if (m_Buffer) m_Buffer->SetPan(pan);
}

int32_t CBufferSound::GetPan() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer ? m_Buffer->GetPan() : 0;
}

void CBufferSound::SetFrequency(uint32_t hz) {
    CCriticalLock lock(m_Lock);
    if (m_Buffer) m_Buffer->SetFrequency(hz);
}

uint32_t CBufferSound::GetFrequency() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer ? m_Buffer->GetFrequency() : 0;
}

bool CBufferSound::IsLoaded() const {
    CCriticalLock lock(m_Lock);
    return m_Buffer != nullptr;
}
