#include "engine/soft/DirectDraw.h"

#include "engine/base/Log.h"
#include "engine/base/SystemInfo.h"
#include "engine/soft/DirectDrawSurface.h"

// --- clipper ---------------------------------------------------------------------

CDirectDrawClipper::CDirectDrawClipper(CDirectDraw* owner) {
    CPlatformDDraw* dd = owner ? owner->GetInterface() : nullptr;
    if (!dd || dd->CreateClipper(0, &m_Clipper, nullptr) != DD_OK || !m_Clipper) {
        DebugPrintf("CDirectDrawClipper::CDirectDrawClipper() DirectDrawClipper作成失敗");
        m_Clipper.reset();
        return;
    }
    if (m_Clipper->SetHWnd(0, owner->GetHWnd()) != DD_OK) {
        DebugPrintf("CDirectDrawClipper::CDirectDrawClipper() SetHWnd()に失敗しました");
        m_Clipper.reset();
    }
}

CDirectDrawClipper::~CDirectDrawClipper() = default;

// --- DirectDraw object --------------------------------------------------------------

CDirectDraw::CDirectDraw(WindowHandle window) : m_Window(window) {
    if (!_Initialize()) {
        DebugPrintf("CDirectDraw::CDirectDraw() DirectDraw作成に失敗しました");
    }
}

CDirectDraw::~CDirectDraw() { _Finalize(); }

bool CDirectDraw::_Initialize() {
    if (!CoInitializeForThread()) return false;
    if (DDrawCoCreateInstance(CLSID_DirectDraw, nullptr, DD_CLSCTX_INPROC_SERVER, IID_IDirectDraw7, &m_DirectDraw) <
        0) {
        DebugPrintf("CDirectDraw::_Initialize() CoCreateInstanceに失敗しました");
        m_DirectDraw.reset();
        CoUninitializeForThread();
        return false;
    }
    if (m_DirectDraw->Initialize(DDCREATE_HARDWAREONLY_DEFAULT) != DD_OK) {
        DebugPrintf("CDirectDraw::_Initialize() HALでのInitializeに失敗しました");
        if (m_DirectDraw->Initialize(DDCREATE_EMULATIONONLY) != DD_OK) {
            DebugPrintf("CDirectDraw::_Initialize() HELでのInitializeに失敗しました");
            m_DirectDraw.reset();
            CoUninitializeForThread();
            return false;
        }
    }
    m_ComInitialized = true;
    SetCooperativeLevel(kNormalLevel);
    _CreateClipper();
    return true;
}

void CDirectDraw::_Finalize() {
    m_Clipper.reset();
    if (m_DirectDraw) {
        if (m_FullScreen) {
            RestoreDisplayMode();
            if (SetCooperativeLevel(kNormalLevel)) m_FullScreen = false;
        }
        CDirectDrawSurfaceManager::GetInstance()->ReleaseAll(this);
        m_DirectDraw.reset();
    }
    if (m_ComInitialized) {
        m_ComInitialized = false;
        CoUninitializeForThread();
    }
}

bool CDirectDraw::SetCooperativeLevel(uint32_t flags) {
    if (!m_DirectDraw || m_DirectDraw->SetCooperativeLevel(m_Window, flags) != DD_OK) return false;
    m_FullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    return true;
}

bool CDirectDraw::SetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t refreshRate) {
    if (!m_DirectDraw || width < 0 || height < 0 || bitsPerPixel < 0 || refreshRate < 0) return false;
    return m_DirectDraw->SetDisplayMode(static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                        static_cast<uint32_t>(bitsPerPixel), static_cast<uint32_t>(refreshRate),
                                        0) == DD_OK;
}

bool CDirectDraw::RestoreDisplayMode() { return m_DirectDraw && m_DirectDraw->RestoreDisplayMode() == DD_OK; }

bool CDirectDraw::TestDisplayMode(int32_t, int32_t, int32_t, int32_t) { return false; }

bool CDirectDraw::_CreateClipper() {
    m_Clipper.reset();
    m_Clipper = std::make_unique<CDirectDrawClipper>(this);
    return m_Clipper->GetInterface() != nullptr;
}

CPlatformDDClipper* CDirectDraw::GetClipper() const { return m_Clipper ? m_Clipper->GetInterface() : nullptr; }

void CDirectDraw::ReleaseClipper() { m_Clipper.reset(); }

// --- manager ---------------------------------------------------------------------

CDirectDrawManager* CDirectDrawManager::GetInstance() {
    // The surface manager is made first so that it outlives this one at exit: the
    // objects still held then release their surfaces through it.
    static CDirectDrawSurfaceManager* surfaces = CDirectDrawSurfaceManager::GetInstance();
    (void)surfaces;
    static CCriticalSection* guard = [] {
        CCriticalLock lock(GetStaticInitLock());
        static CCriticalSection section;
        return &section;
    }();
    CCriticalLock lock(*guard);
    static CDirectDrawManager instance;
    return &instance;
}

CDirectDrawManager::~CDirectDrawManager() {
    CCriticalLock lock(m_Lock);
    if (!m_Objects.empty()) {
        DebugPrintf("CDirectDrawManager::~CDirectDrawManager() DirectDrawが解放されずにいるものがあります");
    }
    m_Objects.clear();
}

bool CDirectDrawManager::Initialize(WindowHandle window) {
    CCriticalLock lock(m_Lock);
    for (const auto& o : m_Objects) {
        if (o->GetHWnd() == window) {
            DebugPrintf("CDirectDrawManager::Initialize() hWndにDirectDrawが複数作成されようとしました");
            return false;
        }
    }
    auto made = std::make_unique<CDirectDraw>(window);
    if (!made->GetInterface()) return false;
    m_Objects.push_back(std::move(made));
    return true;
}

CDirectDraw* CDirectDrawManager::Find(WindowHandle window) {
    CCriticalLock lock(m_Lock);
    for (const auto& o : m_Objects) {
        if (o->GetHWnd() == window) return o.get();
    }
    return nullptr;
}

void CDirectDrawManager::Release(WindowHandle window) {
    CCriticalLock lock(m_Lock);
    for (auto it = m_Objects.begin(); it != m_Objects.end(); ++it) {
        if ((*it)->GetHWnd() == window) {
            m_Objects.erase(it);
            return;
        }
    }
}

bool CDirectDrawManager::IsAlive(const CDirectDraw* directDraw) {
    CCriticalLock lock(m_Lock);
    for (const auto& o : m_Objects) {
        if (o.get() == directDraw) return directDraw != nullptr;
    }
    return false;
}

size_t CDirectDrawManager::GetCount() {
    CCriticalLock lock(m_Lock);
    return m_Objects.size();
}
