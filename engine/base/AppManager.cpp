#include "engine/base/AppManager.h"

#include <thread>
#include <vector>

#include "engine/base/CriticalSection.h"
#include "platform/window/PlatformWindow.h"

namespace {

struct SThreadRecord {
    std::thread::id thread;
    CAppBase* app = nullptr;
    WindowHandle window = nullptr;
    CMainLoopBase* mainLoop = nullptr;
    CScreen* screen = nullptr;
    void* screenOutput = nullptr;
    CD3DDevice* device = nullptr;
    void* directSound = nullptr;
};

struct SRegistry {
    CCriticalSection lock;
    std::vector<SThreadRecord> records;

    SThreadRecord* Find(std::thread::id id) {
        for (SThreadRecord& r : records) {
            if (r.thread == id) return &r;
        }
        return nullptr;
    }
    SThreadRecord* FindWindow(WindowHandle w) {
        for (SThreadRecord& r : records) {
            if (r.window == w) return &r;
        }
        return nullptr;
    }
    SThreadRecord* Lookup(WindowHandle w) {
        return w ? FindWindow(w) : Find(std::this_thread::get_id());
    }
    // The calling thread's record, made when missing (a thread may register a screen
    // or device before it has an application, as tests do).
    SThreadRecord& Own() {
        SThreadRecord* r = Find(std::this_thread::get_id());
        if (!r) {
            records.push_back(SThreadRecord{});
            r = &records.back();
            r->thread = std::this_thread::get_id();
        }
        return *r;
    }
    // Drops the calling thread's record once nothing is left in it.
    void Trim() {
        std::erase_if(records, [](const SThreadRecord& r) {
            return !r.app && !r.window && !r.mainLoop && !r.screen && !r.screenOutput && !r.device && !r.directSound;
        });
    }
};

SRegistry& Registry() {
    static SRegistry* registry = [] {
        CCriticalLock lock(GetStaticInitLock());
        static SRegistry instance;
        return &instance;
    }();
    return *registry;
}

}  // namespace

CAppBase* CAppManager::GetApp(int) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(nullptr);
    return r ? r->app : nullptr;
}

WindowHandle CAppManager::GetHWnd() {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(nullptr);
    return r ? r->window : nullptr;
}

CMainLoopBase* CAppManager::GetMainLoop(int) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(nullptr);
    return r ? r->mainLoop : nullptr;
}

CScreen* CAppManager::GetScreen(WindowHandle window) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(window);
    return r ? r->screen : nullptr;
}

void* CAppManager::GetScreenOutput(WindowHandle window) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(window);
    return r ? r->screenOutput : nullptr;
}

CD3DDevice* CAppManager::GetD3DDevice() {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(nullptr);
    return r ? r->device : nullptr;
}

void* CAppManager::GetDirectSound() {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = reg.Lookup(nullptr);
    return r ? r->directSound : nullptr;
}

void CAppManager::RegisterScreen(CScreen* screen) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().screen = screen;
    reg.Trim();
}

void CAppManager::UnregisterScreen(CScreen* screen) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    // Wherever it is recorded: a screen may be destroyed on another thread than its own.
    for (SThreadRecord& r : reg.records) {
        if (screen && r.screen == screen) r.screen = nullptr;
    }
    reg.Trim();
}

void CAppManager::SetScreen(void* screenOutput, WindowHandle window) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    SThreadRecord* r = window ? reg.FindWindow(window) : &reg.Own();
    if (r) {
        r->screenOutput = screenOutput;
    }
    reg.Trim();
}

void CAppManager::RemoveScreen(void* screenOutput) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    for (SThreadRecord& r : reg.records) {
        if (screenOutput && r.screenOutput == screenOutput) r.screenOutput = nullptr;
    }
    reg.Trim();
}

void CAppManager::SetD3DDevice(CD3DDevice* device) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().device = device;
    reg.Trim();
}

void CAppManager::SetDirectSound(void* directSound) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().directSound = directSound;
    reg.Trim();
}

bool CAppManager::RegisterApp(IMessageListener* listener, int) {
    WindowHandle w = GetHWnd();
    if (!w || !listener) {
        return false;
    }
    w->AddListener(listener);
    return true;
}

void CAppManager::UnregisterApp(IMessageListener* listener, int) {
    WindowHandle w = GetHWnd();
    if (w && listener) {
        w->RemoveListener(listener);
    }
}

void CAppManager::RegisterThread(CAppBase* app) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().app = app;
    reg.Trim();
}

void CAppManager::SetHWnd(WindowHandle window) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().window = window;
    reg.Trim();
}

void CAppManager::SetMainLoop(CMainLoopBase* mainLoop) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    reg.Own().mainLoop = mainLoop;
    reg.Trim();
}

void CAppManager::UnregisterThread() {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    std::thread::id id = std::this_thread::get_id();
    std::erase_if(reg.records, [id](const SThreadRecord& r) { return r.thread == id; });
}

void CAppManager::UnregisterAppRecords(CAppBase* app) {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    std::erase_if(reg.records, [app](const SThreadRecord& r) { return app && r.app == app; });
}

size_t CAppManager::GetRecordCount() {
    SRegistry& reg = Registry();
    CCriticalLock lock(reg.lock);
    return reg.records.size();
}
