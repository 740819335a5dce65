#pragma once
// The manager of the graphics devices, one per window.  A device registers itself
// when it is created and leaves when it is destroyed; a second device for one window
// is refused, and devices still registered when the manager goes are reported.
#include <cstddef>
#include <map>

#include "engine/base/CriticalSection.h"
#include "platform/window/WindowMessage.h"

class CD3DDevice;

class CD3DManager {
public:
    CD3DManager() = default;
    ~CD3DManager();
    CD3DManager(const CD3DManager&) = delete;
    CD3DManager& operator=(const CD3DManager&) = delete;

    static CD3DManager& Get();

    // False (with a log line) when the window has a device already.
    bool Register(WindowHandle window, CD3DDevice* device);
    void Unregister(CD3DDevice* device);
    CD3DDevice* Find(WindowHandle window);
    size_t GetCount();
    // Logs every device still registered (what the destructor reports); their count.
    size_t ReportLiveDevices();

private:
    CCriticalSection m_Lock;
    std::map<WindowHandle, CD3DDevice*> m_Devices;
};
