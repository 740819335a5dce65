#pragma once
// The process-wide list of live implementation surfaces and their windows.  After a
// display change RestoreAll asks every surface of a window to rebuild itself.
// Surfaces register when created (when auto-register is on) and unregister when
// released.
#include <list>

#include "engine/base/CriticalSection.h"
#include "engine/soft/SoftSurface.h"

struct CSurfaceRegistryEntry {
    CSoftSurface* surface = nullptr;  // not owned
    SurfaceWindow window = nullptr;
};

class CSurfaceRegistry {
public:
    CSurfaceRegistry() = default;
    virtual ~CSurfaceRegistry() = default;
    CSurfaceRegistry(const CSurfaceRegistry&) = delete;
    CSurfaceRegistry& operator=(const CSurfaceRegistry&) = delete;

    // The one registry of the process, built on first use.
    static CSurfaceRegistry* GetInstance();

    // Appends an entry (no duplicate check); nothing while a walk is running.
    void Register(CSoftSurface* surface, SurfaceWindow window);
    // Removes the first entry of the surface; nothing while a walk is running.
    void Unregister(CSoftSurface* surface);
    // Restores every surface of the window; a surface that cannot be restored is
    // released and dropped.  A restored entry takes the surface's current window.
    void RestoreAll(SurfaceWindow window);
    // Releases every surface of the window and drops its entries.
    void ReleaseAll(SurfaceWindow window);

    // For tests and diagnostics.
    size_t GetCount() const;
    size_t CountOf(const CSoftSurface* surface) const;
    bool IsBusy() const { return m_Busy; }

private:
    std::list<CSurfaceRegistryEntry> m_Entries;
    bool m_Busy = false;
    mutable CCriticalSection m_Lock;
};
