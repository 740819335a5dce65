#pragma once
// The system-memory surface whose pixels are a GDI DIB section, so that GDI can draw
// into it through a memory device context (text surfaces draw their glyphs this way;
// the GDI window screen's frame buffer is one).
#include <memory>

#include "engine/soft/DIBSurface.h"

class CDIBSectionSurface : public CDIBSurface {
public:
    explicit CDIBSectionSurface(SurfaceWindow window = GetCurrentSurfaceWindow());
    ~CDIBSectionSurface() override;

    bool Create(int width, int height, int depth, bool dcFlag) override;
    bool LoadFromFile(const char* path, int depth, bool dcFlag) override;
    void Release() override;
    bool IsCreated() const override { return m_Bitmap != nullptr; }
    BitmapHandle GetBitmap() const override { return m_Bitmap.get(); }
    // A memory context with the section selected; a context still out is given back
    // first, so at most one is out.  Null when not created.
    DCHandle GetDC() override;
    void ReleaseDC() override;
    bool Lock() override;
    void Unlock() override;
    void UpdateFormatFlags() override;

    bool IsLocked() const { return m_Locked; }
    bool IsDCOut() const { return m_MemoryDC != nullptr; }

private:
    std::unique_ptr<CGdiBitmap> m_Bitmap;
    GdiObjectHandle m_SavedBitmap = nullptr;
    bool m_Locked = false;
    std::unique_ptr<CGdiDC> m_MemoryDC;
};
