#include "engine/d3d/D3DManager.h"

#include "engine/base/Log.h"
#include "engine/base/Singleton.h"

CD3DManager& CD3DManager::Get() { return CLazySingleton<CD3DManager>::Get(); }

CD3DManager::~CD3DManager() { ReportLiveDevices(); }

bool CD3DManager::Register(WindowHandle window, CD3DDevice* device) {
    CCriticalLock lock(m_Lock);
    auto it = m_Devices.find(window);
    if (it != m_Devices.end()) {
        if (it->second == device) {
            return true;
        }
        DebugPrintf("CD3DManager::Register() このウィンドウのデバイスは作成済みです[window:%p]", static_cast<void*>(window));
        return false;
    }
    m_Devices[window] = device;
    return true;
}

void CD3DManager::Unregister(CD3DDevice* device) {
    CCriticalLock lock(m_Lock);
    for (auto it = m_Devices.begin(); it != m_Devices.end(); ++it) {
        if (it->second == device) {
            m_Devices.erase(it);
            return;
        }
    }
}

CD3DDevice* CD3DManager::Find(WindowHandle window) {
    CCriticalLock lock(m_Lock);
    auto it = m_Devices.find(window);
    return it == m_Devices.end() ? nullptr : it->second;
}

size_t CD3DManager::GetCount() {
    CCriticalLock lock(m_Lock);
    return m_Devices.size();
}

size_t CD3DManager::ReportLiveDevices() {
    CCriticalLock lock(m_Lock);
    for (const auto& [window, device] : m_Devices) {
        DebugPrintf("CD3DManager::~CD3DManager() 解放されていないデバイスがあります[window:%p][device:%p]",
                    static_cast<void*>(window), static_cast<void*>(device));
    }
    return m_Devices.size();
}
