#include "engine/soft/DIBSurface.h"

#include <cstring>
#include <new>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "engine/soft/PixelRows.h"
#include "engine/soft/SurfaceRegistry.h"

SurfaceWindow GetCurrentSurfaceWindow() { return CAppManager::GetHWnd(); }

CDIBSurface::CDIBSurface(SurfaceWindow window) : m_Window(window) {}

CDIBSurface::~CDIBSurface() { CDIBSurface::Release(); }

void CDIBSurface::GetSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_Width;
    if (height) *height = m_Height;
}

int CDIBSurface::_ResolveDepth(const char* who, int width, int height, int depth) {
    if (depth == 0) depth = GdiGetDesktopBitsPerPixel();
    if (DepthToIndex(depth) < 0) {
        DebugPrintf("%s 未対応の色深度です[depth:%d]", who, depth);
        return 0;
    }
    if (width < 0 || height < 0) {
        DebugPrintf("%s 大きさが不正です[%d x %d]", who, width, height);
        return 0;
    }
    // In 64 bits: a 32-bit pitch of a wide surface would wrap and pass the limit.
    const uint64_t pitch = (static_cast<uint64_t>(BytesPerPixel(depth)) * static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
    const uint64_t bytes = pitch * static_cast<uint64_t>(height);
    if (pitch > MAX_SURFACE_BYTES || bytes > MAX_SURFACE_BYTES) {
        DebugPrintf("%s 大きすぎます[%d x %d]", who, width, height);
        return 0;
    }
    return depth;
}

bool CDIBSurface::Create(int width, int height, int depth, bool /*dcFlag*/) {
    depth = _ResolveDepth("CDIBSurface::Create()", width, height, depth);
    Release();
    if (depth == 0) return false;
    m_Width = width;
    m_Height = height;
    m_Depth = depth;
    m_Pitch = RoundPitch(int64_t{BytesPerPixel(depth)} * width);
    const size_t bytes = static_cast<size_t>(m_Pitch) * static_cast<size_t>(height);
    // Zeroed, so that the same drawing always leaves the same bytes (padding included).
    m_PixelBuffer.reset(new (std::nothrow) uint8_t[bytes]());
    if (!m_PixelBuffer) {
        DebugPrintf("CDIBSurface::Create() メモリ割り当てに失敗！[%d x %d][depth:%d]", width, height, depth);
        Release();
        return false;
    }
    m_Bits = m_PixelBuffer.get();
    _FinishCreate();
    return true;
}

void CDIBSurface::_FinishCreate() {
    SetColorKey(0x00FF00);
    UpdateFormatFlags();
    if (m_AutoRegister) CSurfaceRegistry::GetInstance()->Register(this, m_Window);
}

bool CDIBSurface::LoadFromFile(const char* path, int depth, bool dcFlag) {
    return _LoadInto("CDIBSurface::LoadFromFile()", path, depth, dcFlag);
}

bool CDIBSurface::_LoadInto(const char* who, const char* path, int depth, bool dcFlag) {
    if (depth == 0) depth = GdiGetDesktopBitsPerPixel();
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

    ConvertImageRows(image, m_Bits, m_Depth, m_Pitch, who, path);

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
        DebugPrintf("%s アルファの行の大きさが不正です[%s][pitch:%d]", who, path, alphaPitch);
    }
    SetColorKey(0x00FF00);
    return true;
}

bool CDIBSurface::SaveBitmap(const char* path) {
    if (!IsCreated()) return false;
    return WriteSurfaceBitmap(this, path, "CDIBSurface::SaveBitmap()");
}

void CDIBSurface::_ResetFields() {
    m_PixelBuffer.reset();
    m_AlphaBuffer.reset();
    m_Bits = nullptr;
    m_AlphaBits = nullptr;
    m_Width = m_Height = m_Depth = m_Pitch = m_AlphaPitch = 0;
    m_ColorKey = 0;
    m_ColorKeyEnabled = false;
    m_AlphaEnabled = false;
    m_FileName.clear();
    m_FormatFlags = SURFACE_FLAGS_NOT_CREATED;
}

void CDIBSurface::Release() {
    CSurfaceRegistry::GetInstance()->Unregister(this);
    _ResetFields();
}

void CDIBSurface::SetColorKeyEnabled(bool enabled) {
    m_ColorKeyEnabled = enabled;
    UpdateFormatFlags();
}

void CDIBSurface::SetAlphaEnabled(bool enabled) {
    if (enabled) _EnsureAlphaPlane();
    m_AlphaEnabled = enabled;
    UpdateFormatFlags();
}

void CDIBSurface::SetColorKey(uint32_t colorRef) { m_ColorKey = ColorRefToColor(colorRef); }

void CDIBSurface::UpdateFormatFlags() {
    const int index = DepthToIndex(m_Depth);
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
    m_FormatFlags = kind | (index << 2);
}

void CDIBSurface::Clear(uint32_t colorRef) { Fill(colorRef, SRect{0, 0, m_Width, m_Height}); }

void CDIBSurface::Fill(uint32_t colorRef, SRect area) {
    if (!IsCreated()) return;
    FillSurfaceRows(m_Bits, m_Pitch, m_Depth, GetSize(), colorRef, area);
}

void CDIBSurface::ClearAlpha(uint8_t alpha) { FillAlpha(alpha, SRect{0, 0, m_Width, m_Height}); }

void CDIBSurface::FillAlpha(uint8_t alpha, SRect area) {
    if (!IsCreated()) return;
    _EnsureAlphaPlane();
    FillAlphaRows(m_AlphaBits, m_AlphaPitch, GetSize(), alpha, area);
}

void CDIBSurface::CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) {
    if (!IsCreated() || !source || !source->HasAlphaPlane()) return;
    _EnsureAlphaPlane();
    CopyAlphaRows(m_AlphaBits, m_AlphaPitch, GetSize(), *source, destArea, sourceArea);
}

bool CDIBSurface::Restore() {
    if (!IsCreated()) return false;
    const uint32_t colorKey = m_ColorKey;
    const bool colorKeyEnabled = m_ColorKeyEnabled;
    const bool alphaEnabled = m_AlphaEnabled;
    if (m_FileName.empty()) {
        const int32_t width = m_Width, height = m_Height;
        const bool hadAlpha = HasAlphaPlane();
        if (!Create(width, height, 0, false)) return false;
        if (hadAlpha) ClearAlpha(255);
    } else {
        const std::string fileName = m_FileName;
        if (!LoadFromFile(fileName.c_str(), 0, false)) return false;
    }
    // The stored key is already in pixel byte order: put it back as it was.
    m_ColorKey = colorKey;
    SetColorKeyEnabled(colorKeyEnabled);
    SetAlphaEnabled(alphaEnabled);
    return true;
}

void CDIBSurface::_EnsureAlphaPlane() {
    if (m_AlphaBits || !IsCreated()) return;
    const int32_t alphaPitch = RoundPitch(m_Width);
    if (_AllocAlphaPlane(static_cast<size_t>(alphaPitch) * static_cast<size_t>(m_Height))) m_AlphaPitch = alphaPitch;
}

std::unique_ptr<uint8_t[]> NewAlphaPlane(const char* who, size_t bytes) {
    if (bytes > MAX_SURFACE_BYTES) {
        DebugPrintf("%s 大きすぎます[%zubyte]", who, bytes);
        return nullptr;
    }
    std::unique_ptr<uint8_t[]> plane(new (std::nothrow) uint8_t[bytes == 0 ? 1 : bytes]());
    if (!plane) DebugPrintf("%s メモリ割り当てに失敗！[%zubyte]", who, bytes);
    return plane;
}

bool CDIBSurface::_AllocAlphaPlane(size_t bytes) {
    _FreeAlphaPlane();
    m_AlphaBuffer = NewAlphaPlane("CDIBSurface::_AllocAlphaPlane()", bytes);
    if (!m_AlphaBuffer) return false;
    m_AlphaBits = m_AlphaBuffer.get();
    UpdateFormatFlags();
    return true;
}

void CDIBSurface::_FreeAlphaPlane() {
    m_AlphaBuffer.reset();
    m_AlphaBits = nullptr;
    m_AlphaPitch = 0;
    UpdateFormatFlags();
}
