#pragma once
// The software surface on a DirectDraw off-screen surface (through CDirectDrawSurface).
// Pixels are reached through the DirectDraw lock; the optional alpha plane lives in a
// heap buffer of its own, as on the DIB surfaces.  The colour key is a pixel value of
// the surface's own format, stored and handed to DirectDraw unchanged.
//
// The surface keeps a plain pointer to its window's DirectDraw object; before it makes
// a DirectDraw surface again it asks the manager whether that object still exists, so
// a surface that outlives its window's object fails to restore instead of reaching a
// deleted object.
#include <cstddef>
#include <memory>
#include <string>

#include "engine/soft/DIBSurface.h"
#include "engine/soft/DirectDrawSurface.h"
#include "engine/soft/SoftSurface.h"

class CDirectDraw;

class CDDSurface : public CSoftSurface {
public:
    explicit CDDSurface(CDirectDraw* directDraw, SurfaceWindow window = GetCurrentSurfaceWindow());
    ~CDDSurface() override;

    bool Create(int width, int height, int depth, bool dcFlag) override;
    bool LoadFromFile(const char* path, int depth, bool dcFlag) override;
    bool SaveBitmap(const char* path) override;
    void Release() override;
    void SetColorKeyEnabled(bool enabled) override;
    void SetAlphaEnabled(bool enabled) override;
    bool IsColorKeyEnabled() const override { return m_ColorKeyEnabled; }
    bool IsAlphaEnabled() const override { return m_AlphaEnabled; }
    // A pixel value of the surface's format (not a COLORREF).
    void SetColorKey(uint32_t key) override;
    uint32_t GetColorKey() const override { return m_ColorKey; }
    bool IsCreated() const override { return m_Surface != nullptr; }
    bool HasAlphaPlane() const override { return m_AlphaBits != nullptr; }
    int32_t GetFormatFlags() const override { return m_FormatFlags; }
    SSize GetSize() const override;
    void GetSize(int32_t* width, int32_t* height) const override;
    int GetBitDepth() const override;
    BitmapHandle GetBitmap() const override { return nullptr; }
    DCHandle GetDC() override;
    void ReleaseDC() override;
    bool Lock() override;
    void Unlock() override;
    uint8_t* GetBits() const override;
    int GetPitch() const override;
    uint8_t* GetAlphaBits() const override { return m_AlphaBits; }
    int GetAlphaPitch() const override { return m_AlphaPitch; }
    void Clear(uint32_t colorRef) override;
    void Fill(uint32_t colorRef, SRect area) override;
    void ClearAlpha(uint8_t alpha) override;
    void FillAlpha(uint8_t alpha, SRect area) override;
    void CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) override;
    bool Restore() override;
    void SetAutoRegister(bool autoRegister) override { m_AutoRegister = autoRegister; }
    bool IsAutoRegister() const override { return m_AutoRegister; }
    void SetWindow(SurfaceWindow window) override { m_Window = window; }
    SurfaceWindow GetWindow() const override { return m_Window; }

    // The wrapper when created, else null.
    virtual CDirectDrawSurface* GetDirectDrawSurface() const { return m_Surface.get(); }
    // DirectDraw's own copies from another DirectDraw-backed surface, with the source
    // key when this surface's colour key is enabled.
    virtual bool DirectDrawBlt(CDDSurface* source, const SRect* destRect, const SRect* sourceRect);
    virtual bool DirectDrawBltFast(CDDSurface* source, int32_t x, int32_t y, const SRect* sourceRect);

    void UpdateFormatFlags();
    CDirectDraw* GetDirectDraw() const { return m_DirectDraw; }
    const std::string& GetFileName() const { return m_FileName; }

private:
    void _EnsureAlphaPlane();
    bool _AllocAlphaPlane(size_t bytes);
    void _FreeAlphaPlane();

    SurfaceWindow m_Window = nullptr;
    CDirectDraw* m_DirectDraw = nullptr;
    std::unique_ptr<CDirectDrawSurface> m_Surface;
    std::unique_ptr<uint8_t[]> m_AlphaBuffer;
    uint8_t* m_AlphaBits = nullptr;
    int32_t m_AlphaPitch = 0;
    bool m_ColorKeyEnabled = false;
    bool m_AlphaEnabled = false;
    bool m_AutoRegister = true;
    uint32_t m_ColorKey = 0;
    std::string m_FileName;
    int32_t m_FormatFlags = SURFACE_FLAGS_NOT_CREATED;
};
