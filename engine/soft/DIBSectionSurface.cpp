#include "engine/soft/DIBSectionSurface.h"

#include "engine/base/Log.h"
#include "engine/soft/SurfaceRegistry.h"

CDIBSectionSurface::CDIBSectionSurface(SurfaceWindow window) : CDIBSurface(window) {}

CDIBSectionSurface::~CDIBSectionSurface() { CDIBSectionSurface::Release(); }

bool CDIBSectionSurface::Create(int width, int height, int depth, bool /*dcFlag*/) {
    depth = _ResolveDepth("CDIBSectionSurface::Create()", width, height, depth);
    Release();
    if (depth == 0) return false;
    m_Depth = depth;
    m_Width = width;
    m_Height = height;
    const int bitsPerPixel = depth == 15 ? 16 : depth;
    m_Pitch = RoundPitch(int64_t{bitsPerPixel / 8} * width);

    SGdiBitmapInfo info;
    info.width = width;
    info.height = -height;  // top row first
    info.planes = 1;
    info.bitCount = static_cast<uint16_t>(bitsPerPixel);
    info.compression = depth == 24 ? SGdiBitmapInfo::COMPRESSION_RGB : SGdiBitmapInfo::COMPRESSION_BITFIELDS;
    info.imageSize = static_cast<uint32_t>(m_Pitch) * static_cast<uint32_t>(height);
    switch (depth) {
    case 15:
        info.redMask = 0x7C00;
        info.greenMask = 0x03E0;
        info.blueMask = 0x001F;
        break;
    case 16:
        info.redMask = 0xF800;
        info.greenMask = 0x07E0;
        info.blueMask = 0x001F;
        break;
    case 32:
        info.redMask = 0xFF0000;
        info.greenMask = 0x00FF00;
        info.blueMask = 0x0000FF;
        break;
    default:
        break;
    }
    m_Bitmap = CGdiBitmap::CreateDIBSection(info);
    if (!m_Bitmap || m_Bitmap->GetPitch() != m_Pitch) {
        DebugPrintf("CDIBSectionSurface::Create() CreateDIBSectionに失敗しました[%d x %d][depth:%d]", width, height,
                    depth);
        Release();
        return false;
    }
    m_Bits = m_Bitmap->GetMemory();
    _FinishCreate();
    return true;
}

bool CDIBSectionSurface::LoadFromFile(const char* path, int depth, bool dcFlag) {
    const bool loaded = _LoadInto("CDIBSectionSurface::LoadFromFile()", path, depth, dcFlag);
    if (loaded) GdiFlush();
    return loaded;
}

void CDIBSectionSurface::Release() {
    CSurfaceRegistry::GetInstance()->Unregister(this);
    Unlock();
    ReleaseDC();
    m_MemoryDC.reset();
    m_Bitmap.reset();
    m_SavedBitmap = nullptr;
    m_Locked = false;
    _ResetFields();
}

DCHandle CDIBSectionSurface::GetDC() {
    if (!IsCreated()) return nullptr;
    ReleaseDC();
    GdiFlush();
    m_MemoryDC = GdiCreateCompatibleDC(nullptr);
    m_SavedBitmap = m_MemoryDC->SelectObject(m_Bitmap.get());
    return m_MemoryDC.get();
}

void CDIBSectionSurface::ReleaseDC() {
    if (!IsCreated() || !m_MemoryDC) return;
    if (m_SavedBitmap) {
        m_MemoryDC->SelectObject(m_SavedBitmap);
    } else {
        m_MemoryDC->SelectNone(CGdiObject::EKind::Bitmap);
    }
    m_MemoryDC.reset();
    GdiFlush();
    m_SavedBitmap = nullptr;
}

bool CDIBSectionSurface::Lock() {
    if (!IsCreated()) return false;
    if (!m_Locked) GdiFlush();
    m_Locked = true;
    return true;
}

void CDIBSectionSurface::Unlock() {
    if (m_Locked) GdiFlush();
    m_Locked = false;
}

void CDIBSectionSurface::UpdateFormatFlags() {
    CDIBSurface::UpdateFormatFlags();
    if (m_FormatFlags != SURFACE_FLAGS_NOT_CREATED) m_FormatFlags |= SURFACE_FLAG_HAS_DC;
}
