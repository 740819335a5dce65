#include "engine/soft/SurfaceRegistry.h"

CSurfaceRegistry* CSurfaceRegistry::GetInstance() {
    // Built once under the start-up lock and kept to the very end of the process:
    // surfaces with static storage may unregister during exit, after any destroyed
    // registry would be gone.
    static CSurfaceRegistry* instance = nullptr;
    CCriticalLock init(GetStaticInitLock());
    if (!instance) instance = new CSurfaceRegistry();
    return instance;
}

void CSurfaceRegistry::Register(CSoftSurface* surface, SurfaceWindow window) {
    CCriticalLock lock(m_Lock);
    // During a walk the surfaces re-create themselves: their entries stay as they are.
    if (m_Busy || !surface) return;
    m_Entries.push_back(CSurfaceRegistryEntry{surface, window});
}

void CSurfaceRegistry::Unregister(CSoftSurface* surface) {
    CCriticalLock lock(m_Lock);
    // During a walk the walk itself removes the entries it drops.
    if (m_Busy) return;
    for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
        if (it->surface == surface) {
            m_Entries.erase(it);
            return;
        }
    }
}

void CSurfaceRegistry::RestoreAll(SurfaceWindow window) {
    CCriticalLock lock(m_Lock);
    // A nested walk would end the outer one's busy state early.
    if (m_Busy) return;
    m_Busy = true;
    for (auto it = m_Entries.begin(); it != m_Entries.end();) {
        if (it->window != window) {
            ++it;
            continue;
        }
        CSoftSurface* surface = it->surface;
        if (surface->Restore()) {
            it->window = surface->GetWindow();
            ++it;
        } else {
            surface->Release();
            it = m_Entries.erase(it);
        }
    }
    m_Busy = false;
}

void CSurfaceRegistry::ReleaseAll(SurfaceWindow window) {
    CCriticalLock lock(m_Lock);
    if (m_Busy) return;
    m_Busy = true;
    for (auto it = m_Entries.begin(); it != m_Entries.end();) {
        if (it->window != window) {
            ++it;
            continue;
        }
        it->surface->Release();
        it = m_Entries.erase(it);
    }
    m_Busy = false;
}

size_t CSurfaceRegistry::GetCount() const {
    CCriticalLock lock(m_Lock);
    return m_Entries.size();
}

size_t CSurfaceRegistry::CountOf(const CSoftSurface* surface) const {
    CCriticalLock lock(m_Lock);
    size_t n = 0;
    for (const auto& e : m_Entries) n += e.surface == surface ? 1 : 0;
    return n;
}
