#include "engine/soft/DirtyRectSurface.h"

bool CDirtyRectSurface::Create(int width, int height, int depth, bool dcFlag) {
    if (!CSoftSurfaceProxy::Create(width, height, depth, dcFlag)) return false;
    m_UpdateList.SetClipRect(0, 0, width, height);
    return true;
}

bool CDirtyRectSurface::LoadFromFile(const char* path, int depth, bool dcFlag) {
    if (!CSoftSurfaceProxy::LoadFromFile(path, depth, dcFlag)) return false;
    const SSize size = GetSize();
    m_UpdateList.SetClipRect(0, 0, size.cx, size.cy);
    return true;
}

void CDirtyRectSurface::Clear(uint32_t colorRef) {
    CSoftSurfaceProxy::Clear(colorRef);
    const SSize size = GetSize();
    m_UpdateList.AddRectSize(0, 0, size.cx, size.cy);
}

void CDirtyRectSurface::Fill(uint32_t colorRef, SRect area) {
    CSoftSurfaceProxy::Fill(colorRef, area);
    m_UpdateList.AddRect(area);
}

void CDirtyRectSurface::ClearAlpha(uint8_t alpha) {
    CSoftSurfaceProxy::ClearAlpha(alpha);
    const SSize size = GetSize();
    m_UpdateList.AddRectSize(0, 0, size.cx, size.cy);
}

void CDirtyRectSurface::FillAlpha(uint8_t alpha, SRect area) {
    CSoftSurfaceProxy::FillAlpha(alpha, area);
    m_UpdateList.AddRect(area);
}

void CDirtyRectSurface::CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) {
    CSoftSurfaceProxy::CopyAlpha(source, destArea, sourceArea);
    m_UpdateList.AddRect(destArea);
}

void CDirtyRectSurface::OnStretchBlt(CSoftSurface*, const SRect*, const SRect*, const SRect*, int, uint32_t,
                                     SRect drawn) {
    m_UpdateList.AddRect(drawn);
}

void CDirtyRectSurface::OnBlt(CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, uint32_t, SRect drawn) {
    m_UpdateList.AddRect(drawn);
}

void CDirtyRectSurface::OnDrawEffect3(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                                      const SSize*, const SRect*, int, SRect drawn) {
    m_UpdateList.AddRect(drawn);
}

void CDirtyRectSurface::OnDrawTransition(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                                         const SPoint*, const SSize*, const SSize*, const SRect*, int, SRect drawn) {
    m_UpdateList.AddRect(drawn);
}
