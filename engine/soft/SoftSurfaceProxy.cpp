#include "engine/soft/SoftSurfaceProxy.h"

#include "engine/soft/DDSurface.h"
#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DirectDraw.h"

CSoftSurfaceProxy::CSoftSurfaceProxy(SurfaceWindow window) : m_Window(window) {}

CSoftSurfaceProxy::~CSoftSurfaceProxy() { CSoftSurfaceProxy::Release(); }

bool CSoftSurfaceProxy::_WindowHasDirectDraw() const {
    return m_Window && CDirectDrawManager::GetInstance()->Find(static_cast<WindowHandle>(m_Window)) != nullptr;
}

void CSoftSurfaceProxy::_CreateImpl(bool dcFlag) {
    m_Impl.reset();
    if (m_UseDirectDraw && _WindowHasDirectDraw()) {
        m_Impl = std::make_unique<CDDSurface>(CDirectDrawManager::GetInstance()->Find(static_cast<WindowHandle>(m_Window)),
                                              m_Window);
    } else if (dcFlag) {
        m_Impl = std::make_unique<CDIBSectionSurface>(m_Window);
    } else {
        m_Impl = std::make_unique<CDIBSurface>(m_Window);
    }
    m_Impl->SetWindow(m_Window);
    m_Impl->SetAutoRegister(m_AutoRegister);
}

bool CSoftSurfaceProxy::Create(int width, int height, int depth, bool dcFlag) {
    Release();
    _CreateImpl(dcFlag);
    if (!m_Impl->Create(width, height, depth, dcFlag)) {
        Release();
        return false;
    }
    return true;
}

bool CSoftSurfaceProxy::LoadFromFile(const char* path, int depth, bool dcFlag) {
    Release();
    _CreateImpl(dcFlag);
    if (!m_Impl->LoadFromFile(path, depth, dcFlag)) {
        Release();
        return false;
    }
    return true;
}

void CSoftSurfaceProxy::Release() {
    if (IsCreated()) m_Impl->Release();
    m_Impl.reset();
}

bool CSoftSurfaceProxy::IsCreated() const { return m_Impl && m_Impl->IsCreated(); }

void CSoftSurfaceProxy::SetAutoRegister(bool autoRegister) {
    m_AutoRegister = autoRegister;
    if (IsCreated()) m_Impl->SetAutoRegister(autoRegister);
}

void CSoftSurfaceProxy::SetWindow(SurfaceWindow window) {
    m_Window = window;
    if (IsCreated()) m_Impl->SetWindow(window);
}

bool CSoftSurfaceProxy::SaveBitmap(const char* path) { return IsCreated() ? m_Impl->SaveBitmap(path) : false; }

void CSoftSurfaceProxy::SetColorKeyEnabled(bool enabled) {
    if (IsCreated()) m_Impl->SetColorKeyEnabled(enabled);
}

void CSoftSurfaceProxy::SetAlphaEnabled(bool enabled) {
    if (IsCreated()) m_Impl->SetAlphaEnabled(enabled);
}

bool CSoftSurfaceProxy::IsColorKeyEnabled() const { return IsCreated() ? m_Impl->IsColorKeyEnabled() : false; }

bool CSoftSurfaceProxy::IsAlphaEnabled() const { return IsCreated() ? m_Impl->IsAlphaEnabled() : false; }

void CSoftSurfaceProxy::SetColorKey(uint32_t colour) {
    if (IsCreated()) m_Impl->SetColorKey(colour);
}

uint32_t CSoftSurfaceProxy::GetColorKey() const { return IsCreated() ? m_Impl->GetColorKey() : 0; }

bool CSoftSurfaceProxy::HasAlphaPlane() const { return IsCreated() ? m_Impl->HasAlphaPlane() : false; }

int32_t CSoftSurfaceProxy::GetFormatFlags() const {
    return IsCreated() ? m_Impl->GetFormatFlags() : SURFACE_FLAGS_NOT_CREATED;
}

SSize CSoftSurfaceProxy::GetSize() const { return IsCreated() ? m_Impl->GetSize() : SSize{}; }

void CSoftSurfaceProxy::GetSize(int32_t* width, int32_t* height) const {
    if (IsCreated()) {
        m_Impl->GetSize(width, height);
        return;
    }
    if (width) *width = 0;
    if (height) *height = 0;
}

int CSoftSurfaceProxy::GetBitDepth() const { return IsCreated() ? m_Impl->GetBitDepth() : 0; }

BitmapHandle CSoftSurfaceProxy::GetBitmap() const { return IsCreated() ? m_Impl->GetBitmap() : nullptr; }

DCHandle CSoftSurfaceProxy::GetDC() { return IsCreated() ? m_Impl->GetDC() : nullptr; }

void CSoftSurfaceProxy::ReleaseDC() {
    if (IsCreated()) m_Impl->ReleaseDC();
}

bool CSoftSurfaceProxy::Lock() { return IsCreated() ? m_Impl->Lock() : false; }

void CSoftSurfaceProxy::Unlock() {
    if (IsCreated()) m_Impl->Unlock();
}

uint8_t* CSoftSurfaceProxy::GetBits() const { return IsCreated() ? m_Impl->GetBits() : nullptr; }

int CSoftSurfaceProxy::GetPitch() const { return IsCreated() ? m_Impl->GetPitch() : 0; }

uint8_t* CSoftSurfaceProxy::GetAlphaBits() const { return IsCreated() ? m_Impl->GetAlphaBits() : nullptr; }

int CSoftSurfaceProxy::GetAlphaPitch() const { return IsCreated() ? m_Impl->GetAlphaPitch() : 0; }

void CSoftSurfaceProxy::Clear(uint32_t colorRef) {
    if (IsCreated()) m_Impl->Clear(colorRef);
}

void CSoftSurfaceProxy::Fill(uint32_t colorRef, SRect area) {
    if (IsCreated()) m_Impl->Fill(colorRef, area);
}

void CSoftSurfaceProxy::ClearAlpha(uint8_t alpha) {
    if (IsCreated()) m_Impl->ClearAlpha(alpha);
}

void CSoftSurfaceProxy::FillAlpha(uint8_t alpha, SRect area) {
    if (IsCreated()) m_Impl->FillAlpha(alpha, area);
}

void CSoftSurfaceProxy::CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) {
    if (IsCreated()) m_Impl->CopyAlpha(source, destArea, sourceArea);
}

bool CSoftSurfaceProxy::Restore() { return IsCreated() ? m_Impl->Restore() : false; }
