#include "engine/soft/DDSurface.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "engine/soft/DirectDraw.h"
#include "engine/soft/PixelRows.h"
#include "engine/soft/SurfaceRegistry.h"

CDDSurface::CDDSurface(CDirectDraw* directDraw, SurfaceWindow window) : m_Window(window), m_DirectDraw(directDraw) {}

CDDSurface::~CDDSurface() { CDDSurface::Release(); }

bool CDDSurface::Create(int width, int height, int depth, bool /*dcFlag*/) {
    Release();
    if (!CDirectDrawManager::GetInstance()->IsAlive(m_DirectDraw)) {
        DebugPrintf("CDDSurface::Create() DirectDrawがありません");
        return false;
    }
    if (width > 0x3FFF || height > 0x3FFF || (depth != 0 && DepthToIndex(depth) < 0)) {
        DebugPrintf("CDDSurface::Create() 作成できない大きさか色深度です[%d x %d][depth:%d]", width, height, depth);
        return false;
    }
    m_Surface = std::make_unique<CDirectDrawSurface>(m_DirectDraw);
    if (!m_Surface->Create(width, height, depth, true) || DepthToIndex(m_Surface->GetBitDepth()) < 0) {
        Release();
        return false;
    }
    SetColorKey(0x00FF00);
    UpdateFormatFlags();
    if (m_AutoRegister) CSurfaceRegistry::GetInstance()->Register(this, m_Window);
    return true;
}

void CDDSurface::UpdateFormatFlags() {
    const int index = m_Surface ? DepthToIndex(m_Surface->GetBitDepth()) : -1;
    if (!IsCreated() || index < 0) {
        m_FormatFlags = SURFACE_FLAGS_NOT_CREATED;
        return;
    }
    int kind = SURFACE_KIND_OPAQUE;
    if (m_AlphaEnabled && m_AlphaBits) {
        kind = SURFACE_KIND_ALPHA;
    } else if (m_ColorKeyEnabled) {
        kind = SURFACE_KIND_COLORKEY;
    }
    m_FormatFlags = kind | (index << 2) | SURFACE_FLAG_DIRECTDRAW;
    if (!m_Surface->IsSystemMemory()) m_FormatFlags |= SURFACE_FLAG_HAS_DC;
}

void CDDSurface::Release() {
    CSurfaceRegistry::GetInstance()->Unregister(this);
    if (m_Surface) {
        m_Surface->Unlock();
        m_Surface->ReleaseDC();
        m_Surface->Release();
        m_Surface.reset();
    }
    _FreeAlphaPlane();
    m_ColorKeyEnabled = false;
    m_AlphaEnabled = false;
    m_ColorKey = 0;
    m_FormatFlags = SURFACE_FLAGS_NOT_CREATED;
    m_FileName.clear();
}

void CDDSurface::SetColorKeyEnabled(bool enabled) {
    m_ColorKeyEnabled = enabled;
    UpdateFormatFlags();
}

void CDDSurface::SetAlphaEnabled(bool enabled) {
    if (enabled) _EnsureAlphaPlane();
    m_AlphaEnabled = enabled;
    UpdateFormatFlags();
}

void CDDSurface::SetColorKey(uint32_t key) {
    m_ColorKey = key;
    if (IsCreated()) m_Surface->SetColorKey(key);
}

SSize CDDSurface::GetSize() const { return m_Surface ? m_Surface->GetSize() : SSize{}; }

void CDDSurface::GetSize(int32_t* width, int32_t* height) const {
    if (m_Surface) {
        m_Surface->GetSize(width, height);
        return;
    }
    if (width) *width = 0;
    if (height) *height = 0;
}

int CDDSurface::GetBitDepth() const { return m_Surface ? m_Surface->GetBitDepth() : 0; }

DCHandle CDDSurface::GetDC() { return m_Surface ? m_Surface->GetDC() : nullptr; }

void CDDSurface::ReleaseDC() {
    if (m_Surface) m_Surface->ReleaseDC();
}

bool CDDSurface::Lock() { return m_Surface ? m_Surface->Lock() : false; }

void CDDSurface::Unlock() {
    if (m_Surface) m_Surface->Unlock();
}

uint8_t* CDDSurface::GetBits() const { return m_Surface ? m_Surface->GetBits() : nullptr; }

int CDDSurface::GetPitch() const { return m_Surface ? m_Surface->GetPitch() : 0; }

void CDDSurface::Clear(uint32_t colorRef) {
    const SSize size = GetSize();
    Fill(colorRef, SRect{0, 0, size.cx, size.cy});
}

void CDDSurface::Fill(uint32_t colorRef, SRect area) {
    if (!IsCreated()) return;
    CSurfaceLock lock(this);
    uint8_t* bits = GetBits();
    if (!lock.locked || !bits) {
        DebugPrintf("CDDSurface::Fill() Lockに失敗しました");
        return;
    }
    FillSurfaceRows(bits, GetPitch(), GetBitDepth(), GetSize(), colorRef, area);
}

void CDDSurface::ClearAlpha(uint8_t alpha) {
    const SSize size = GetSize();
    FillAlpha(alpha, SRect{0, 0, size.cx, size.cy});
}

void CDDSurface::FillAlpha(uint8_t alpha, SRect area) {
    if (!IsCreated()) return;
    _EnsureAlphaPlane();
    FillAlphaRows(m_AlphaBits, m_AlphaPitch, GetSize(), alpha, area);
}

void CDDSurface::CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) {
    if (!IsCreated() || !source || !source->HasAlphaPlane()) return;
    _EnsureAlphaPlane();
    CopyAlphaRows(m_AlphaBits, m_AlphaPitch, GetSize(), *source, destArea, sourceArea);
}

bool CDDSurface::LoadFromFile(const char* path, int depth, bool dcFlag) {
    Release();
    if (!path) return false;
    CImageFile image;
    if (!image.Open(path)) {
        Release();
        return false;
    }
    int32_t width = 0, height = 0;
    image.GetImageSize(&width, &height);
    if (!Create(width, height, depth, dcFlag)) {
        Release();
        return false;
    }
    m_FileName = path;
    if (!Lock()) {
        DebugPrintf("CDDSurface::Load() Lockに失敗しました");
        Release();
        return false;
    }
    ConvertImageRows(image, GetBits(), GetBitDepth(), GetPitch(), "CDDSurface::Load()", path);
    Unlock();
    const uint8_t* alpha = image.GetAlphaPlane();
    const int32_t alphaPitch = image.GetAlphaRowPitch();
    if (alpha && alphaPitch >= width && height > 0) {
        const size_t bytes = static_cast<size_t>(alphaPitch) * static_cast<size_t>(height);
        if (_AllocAlphaPlane(bytes)) {
            std::memcpy(m_AlphaBits, alpha, bytes);
            m_AlphaPitch = alphaPitch;
            SetAlphaEnabled(true);
        }
    } else if (alpha) {
        DebugPrintf("CDDSurface::Load() アルファの行の大きさが不正です[%s][pitch:%d]", path, alphaPitch);
    }
    return true;
}

bool CDDSurface::SaveBitmap(const char* path) {
    if (!IsCreated()) return false;
    return WriteSurfaceBitmap(this, path, "CDDSurface::SaveBitmap()");
}

bool CDDSurface::Restore() {
    if (!IsCreated()) return false;
    const uint32_t colorKey = m_ColorKey;
    const bool colorKeyEnabled = m_ColorKeyEnabled;
    const bool alphaEnabled = m_AlphaEnabled;
    if (m_FileName.empty()) {
        const SSize size = GetSize();
        const bool hadAlpha = HasAlphaPlane();
        if (!Create(size.cx, size.cy, 0, false)) return false;
        if (hadAlpha) ClearAlpha(255);
    } else {
        const std::string fileName = m_FileName;
        if (!LoadFromFile(fileName.c_str(), 0, false)) return false;
    }
    SetColorKey(colorKey);
    SetColorKeyEnabled(colorKeyEnabled);
    SetAlphaEnabled(alphaEnabled);
    return true;
}

bool CDDSurface::DirectDrawBlt(CDDSurface* source, const SRect* destRect, const SRect* sourceRect) {
    if (!IsCreated() || !source || !source->IsCreated()) return false;
    return m_Surface->Blt(source->GetDirectDrawSurface(), destRect, sourceRect, m_ColorKeyEnabled);
}

bool CDDSurface::DirectDrawBltFast(CDDSurface* source, int32_t x, int32_t y, const SRect* sourceRect) {
    if (!IsCreated() || !source || !source->IsCreated()) return false;
    return m_Surface->BltFast(source->GetDirectDrawSurface(), x, y, sourceRect, m_ColorKeyEnabled);
}

void CDDSurface::_EnsureAlphaPlane() {
    if (m_AlphaBits || !IsCreated()) return;
    const SSize size = GetSize();
    const int32_t alphaPitch = RoundPitch(size.cx);
    if (_AllocAlphaPlane(static_cast<size_t>(alphaPitch) * static_cast<size_t>(size.cy))) m_AlphaPitch = alphaPitch;
}

bool CDDSurface::_AllocAlphaPlane(size_t bytes) {
    _FreeAlphaPlane();
    m_AlphaBuffer = NewAlphaPlane("CDDSurface::_AllocAlphaPlane()", bytes);
    if (!m_AlphaBuffer) return false;
    m_AlphaBits = m_AlphaBuffer.get();
    UpdateFormatFlags();
    return true;
}

void CDDSurface::_FreeAlphaPlane() {
    m_AlphaBuffer.reset();
    m_AlphaBits = nullptr;
    m_AlphaPitch = 0;
    UpdateFormatFlags();
}
