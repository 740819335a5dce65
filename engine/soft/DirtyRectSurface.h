#pragma once
// A surface proxy that records every area changed through its drawing operations and
// draw notifications, so that a screen presents only those areas.  Writes through
// SetPixel, SetAlpha, GetBits or GetAlphaBits are not recorded.
#include "engine/soft/SoftSurfaceProxy.h"
#include "engine/soft/screen/DirtyRectList.h"

class CDirtyRectSurface : public CSoftSurfaceProxy {
public:
    explicit CDirtyRectSurface(SurfaceWindow window = GetCurrentSurfaceWindow()) : CSoftSurfaceProxy(window) {}
    ~CDirtyRectSurface() override = default;

    // On success the list's clip rectangle becomes the whole surface (from its next Clear).
    bool Create(int width, int height, int depth, bool dcFlag) override;
    bool LoadFromFile(const char* path, int depth, bool dcFlag) override;
    void Clear(uint32_t colorRef) override;
    void Fill(uint32_t colorRef, SRect area) override;
    void ClearAlpha(uint8_t alpha) override;
    void FillAlpha(uint8_t alpha, SRect area) override;
    void CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) override;

    void OnStretchBlt(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect, const SRect* clip,
                      int opacity, uint32_t flags, SRect drawn) override;
    void OnBlt(CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect, const SRect* clip, int opacity,
               uint32_t flags, SRect drawn) override;
    void OnDrawEffect3(CSoftSurface* source1, CSoftSurface* source2, const SPoint* destPoint,
                       const SPoint* source1Point, const SPoint* source2Point, const SSize* size, const SRect* clip,
                       int progress, SRect drawn) override;
    void OnDrawTransition(CSoftSurface* source1, CSoftSurface* source2, const SPoint* dest1Point,
                          const SPoint* dest2Point, const SPoint* source1Point, const SPoint* source2Point,
                          const SSize* size1, const SSize* size2, const SRect* clip, int progress,
                          SRect drawn) override;

    CUpdateRectList& GetUpdateList() { return m_UpdateList; }
    const CUpdateRectList& GetUpdateList() const { return m_UpdateList; }

private:
    CUpdateRectList m_UpdateList;
};
