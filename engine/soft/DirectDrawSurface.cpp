#include "engine/soft/DirectDrawSurface.h"

#include "engine/base/Log.h"
#include "engine/soft/DirectDraw.h"
#include "platform/gdi/Gdi.h"

CDirectDrawSurface::CDirectDrawSurface(CDirectDraw* owner) : m_Owner(owner) {
    CDirectDrawSurfaceManager::GetInstance()->Add(this);
}

CDirectDrawSurface::~CDirectDrawSurface() {
    CDirectDrawSurfaceManager::GetInstance()->Remove(this);
    CDirectDrawSurface::Release();
}

void CDirectDrawSurface::GetSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_Width;
    if (height) *height = m_Height;
}

bool CDirectDrawSurface::Create(int32_t width, int32_t height, int32_t depth, bool systemMemory) {
    const uint32_t flags = kBaseFlags | (depth != 0 ? DDSD_PIXELFORMAT : 0u);
    bool made = CreateSurface(width, height, depth, systemMemory, flags, systemMemory ? kSystemCaps : kVideoCaps);
    if (!made && !systemMemory) made = CreateSurface(width, height, depth, true, flags, kSystemCaps);
    if (!made) {
        Release();
        return false;
    }
    return true;
}

bool CDirectDrawSurface::CreateSurface(int32_t width, int32_t height, int32_t depth, bool systemMemory,
                                       uint32_t flags, uint32_t caps) {
    Release();
    if (width <= 0 || height <= 0) return false;
    SDDSurfaceDesc desc;
    desc.flags = flags;
    desc.caps = caps;
    desc.width = static_cast<uint32_t>(width);
    desc.height = static_cast<uint32_t>(height);
    if (depth != 0) {
        SDDPixelFormat& f = desc.pixelFormat;
        f.size = 32;
        f.flags = DDPF_RGB;
        switch (depth) {
        case 15: f.rgbBitCount = 16; f.redMask = 0x7C00; f.greenMask = 0x03E0; f.blueMask = 0x001F; break;
        case 16: f.rgbBitCount = 16; f.redMask = 0xF800; f.greenMask = 0x07E0; f.blueMask = 0x001F; break;
        case 24: f.rgbBitCount = 24; f.redMask = 0xFF0000; f.greenMask = 0x00FF00; f.blueMask = 0x0000FF; break;
        case 32: f.rgbBitCount = 32; f.redMask = 0xFF0000; f.greenMask = 0x00FF00; f.blueMask = 0x0000FF; break;
        default: return false;
        }
    }
    CPlatformDDraw* dd = m_Owner ? m_Owner->GetInterface() : nullptr;
    if (!dd || dd->CreateSurface(&desc, &m_Surface, nullptr) != DD_OK || !m_Surface) {
        Release();
        return false;
    }
    m_Width = width;
    m_Height = height;
    m_SystemMemory = systemMemory;

    SDDSurfaceDesc real;
    if (m_Surface->GetSurfaceDesc(&real) != DD_OK) {
        DebugPrintf("CDirectDrawSurface::Create() GetSurfaceDescに失敗しました");
        m_Depth = depth != 0 ? depth : GdiGetDesktopBitsPerPixel();
        return true;
    }
    const SDDPixelFormat& f = real.pixelFormat;
    const bool rgb24 = f.redMask == 0xFF0000 && f.greenMask == 0x00FF00 && f.blueMask == 0x0000FF;
    if (f.rgbBitCount == 16) {
        if (f.redMask == 0x7C00 && f.greenMask == 0x03E0 && f.blueMask == 0x001F) {
            m_Depth = 15;
        } else if (f.redMask == 0xF800 && f.greenMask == 0x07E0 && f.blueMask == 0x001F) {
            m_Depth = 16;
        } else {
            DebugPrintf("CDirectDrawSurface::Create() 16bpp不明フォーマット[RGB:%x,%x,%x]", f.redMask, f.greenMask,
                        f.blueMask);
            m_Depth = 16;
        }
    } else if (f.rgbBitCount == 24 || f.rgbBitCount == 32) {
        if (!rgb24) {
            DebugPrintf("CDirectDrawSurface::Create() %dbpp不明フォーマット[RGB:0x%X,0x%X,0x%X]",
                        static_cast<int>(f.rgbBitCount), f.redMask, f.greenMask, f.blueMask);
        }
        m_Depth = static_cast<int32_t>(f.rgbBitCount);
    } else {
        DebugPrintf("CDirectDrawSurface::Create() %dbpp不明フォーマット[RGB:0x%X,0x%X,0x%X]",
                    static_cast<int>(f.rgbBitCount), f.redMask, f.greenMask, f.blueMask);
        Release();
        return false;
    }
    return true;
}

void CDirectDrawSurface::Release() {
    Unlock();
    ReleaseDC();
    m_Surface.reset();
    m_Depth = m_Width = m_Height = 0;
    m_ColorKey = 0;
    m_DC = nullptr;
    m_Locked = false;
    m_SystemMemory = false;
    m_LockDesc = SDDSurfaceDesc{};
}

bool CDirectDrawSurface::SetColorKey(uint32_t key) {
    if (!IsCreated()) return false;
    uint32_t masked = 0;
    switch (m_Depth) {
    case 15:
    case 16: masked = key & 0xFFFFu; break;
    case 24: masked = key & 0xFFFFFFu; break;
    case 32: masked = key; break;
    default: return false;
    }
    m_ColorKey = key;
    const SDDColorKey ck{masked, masked};
    m_Surface->SetColorKey(DDCKEY_SRCBLT, &ck);
    return true;
}

DCHandle CDirectDrawSurface::GetDC() {
    if (!IsCreated()) return nullptr;
    if (m_DC) return m_DC;
    if (m_Locked) DebugPrintf("CDirectDrawSurface::GetDC() Lock中にデバイスコンテキストを取得できません");
    DCHandle dc = nullptr;
    if (m_Surface->GetDC(&dc) != DD_OK) return nullptr;
    m_DC = dc;
    return m_DC;
}

bool CDirectDrawSurface::ReleaseDC() {
    bool ok = false;
    if (IsCreated() && m_DC) ok = m_Surface->ReleaseDC(m_DC) == DD_OK;
    m_DC = nullptr;
    return ok;
}

bool CDirectDrawSurface::Lock() {
    if (!IsCreated()) return false;
    if (m_Locked) {
        DebugPrintf("CDirectDrawSurface::Lock() Lock中に再度lockしようとしました");
        return false;
    }
    if (m_DC) {
        DebugPrintf("CDirectDrawSurface::Lock() デバイスコンテキスト取得中にLockはできません");
        return false;
    }
    m_LockDesc = SDDSurfaceDesc{};
    if (m_Surface->Lock(nullptr, &m_LockDesc, DDLOCK_WAIT, nullptr) != DD_OK) {
        m_LockDesc = SDDSurfaceDesc{};
        return false;
    }
    m_Locked = true;
    return true;
}

bool CDirectDrawSurface::Unlock() {
    if (!IsCreated() || !m_Locked) return false;
    const bool ok = m_Surface->Unlock(nullptr) == DD_OK;
    m_Locked = false;
    m_LockDesc = SDDSurfaceDesc{};
    return ok;
}

uint8_t* CDirectDrawSurface::GetBits() const {
    return m_Locked ? static_cast<uint8_t*>(m_LockDesc.surface) : nullptr;
}

int32_t CDirectDrawSurface::GetPitch() const { return m_Locked ? m_LockDesc.pitch : 0; }

bool CDirectDrawSurface::Blt(CDirectDrawSurfaceBase* source, const SRect* destRect, const SRect* sourceRect,
                             bool useColorKey) {
    if (!IsCreated() || !source || !source->IsCreated()) return false;
    return m_Surface->Blt(destRect, source->GetSurface(), sourceRect, DDBLT_WAIT | (useColorKey ? DDBLT_KEYSRC : 0u),
                          nullptr) == DD_OK;
}

bool CDirectDrawSurface::BltFast(CDirectDrawSurfaceBase* source, int32_t x, int32_t y, const SRect* sourceRect,
                                 bool useColorKey) {
    if (!IsCreated() || !source || !source->IsCreated() || x < 0 || y < 0) return false;
    return m_Surface->BltFast(static_cast<uint32_t>(x), static_cast<uint32_t>(y), source->GetSurface(), sourceRect,
                              DDBLTFAST_WAIT | (useColorKey ? DDBLTFAST_SRCCOLORKEY : 0u)) == DD_OK;
}

bool CDirectDrawSurface::IsLost() const {
    if (!IsCreated() || m_SystemMemory) return false;
    return m_Surface->IsLost() != DD_OK;
}

bool CDirectDrawSurface::Restore() { return IsCreated() && m_Surface->Restore() == DD_OK; }

// --- manager ---------------------------------------------------------------------

CDirectDrawSurfaceManager* CDirectDrawSurfaceManager::GetInstance() {
    static CCriticalSection* guard = [] {
        CCriticalLock lock(GetStaticInitLock());
        static CCriticalSection section;
        return &section;
    }();
    CCriticalLock lock(*guard);
    static CDirectDrawSurfaceManager instance;
    return &instance;
}

void CDirectDrawSurfaceManager::Add(CDirectDrawSurface* surface) {
    CCriticalLock lock(m_Lock);
    m_Entries.push_back(SEntry{surface, surface ? surface->GetOwner() : nullptr});
}

void CDirectDrawSurfaceManager::Remove(CDirectDrawSurface* surface) {
    CCriticalLock lock(m_Lock);
    for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
        if (it->surface == surface) {
            m_Entries.erase(it);
            return;
        }
    }
}

void CDirectDrawSurfaceManager::ReleaseAll(CDirectDraw* owner) {
    CCriticalLock lock(m_Lock);
    for (SEntry& e : m_Entries) {
        if (e.owner == owner) {
            e.surface->Release();
            // The object is going: a later Create must not reach it.
            e.surface->m_Owner = nullptr;
            e.owner = nullptr;
        }
    }
}

void CDirectDrawSurfaceManager::RestoreAll(CDirectDraw* owner) {
    CCriticalLock lock(m_Lock);
    for (SEntry& e : m_Entries) {
        if (e.owner == owner && owner) e.surface->Restore();
    }
}

size_t CDirectDrawSurfaceManager::GetCount() {
    CCriticalLock lock(m_Lock);
    return m_Entries.size();
}
