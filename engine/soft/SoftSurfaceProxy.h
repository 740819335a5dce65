#pragma once
// What clients hold: a surface that owns exactly one implementation surface and
// forwards every operation to it.  Each successful Create or LoadFromFile builds a
// fresh implementation (a DirectDraw-backed one when the window has DirectDraw and it
// is allowed, otherwise a DIB section when a device context is asked for, else a DIB
// surface); the window, the auto-register flag and the DirectDraw preference belong
// to the proxy and survive the change of implementation.
#include <memory>

#include "engine/soft/DIBSurface.h"
#include "engine/soft/SoftSurface.h"

class CSoftSurfaceProxy : public CSoftSurface {
public:
    explicit CSoftSurfaceProxy(SurfaceWindow window = GetCurrentSurfaceWindow());
    ~CSoftSurfaceProxy() override;

    bool Create(int width, int height, int depth, bool dcFlag) override;
    bool LoadFromFile(const char* path, int depth, bool dcFlag) override;
    bool SaveBitmap(const char* path) override;
    void Release() override;
    void SetColorKeyEnabled(bool enabled) override;
    void SetAlphaEnabled(bool enabled) override;
    bool IsColorKeyEnabled() const override;
    bool IsAlphaEnabled() const override;
    void SetColorKey(uint32_t colour) override;
    uint32_t GetColorKey() const override;
    bool IsCreated() const override;
    bool HasAlphaPlane() const override;
    int32_t GetFormatFlags() const override;
    SSize GetSize() const override;
    void GetSize(int32_t* width, int32_t* height) const override;
    int GetBitDepth() const override;
    BitmapHandle GetBitmap() const override;
    DCHandle GetDC() override;
    void ReleaseDC() override;
    bool Lock() override;
    void Unlock() override;
    uint8_t* GetBits() const override;
    int GetPitch() const override;
    uint8_t* GetAlphaBits() const override;
    int GetAlphaPitch() const override;
    void Clear(uint32_t colorRef) override;
    void Fill(uint32_t colorRef, SRect area) override;
    void ClearAlpha(uint8_t alpha) override;
    void FillAlpha(uint8_t alpha, SRect area) override;
    void CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) override;
    bool Restore() override;
    void SetAutoRegister(bool autoRegister) override;
    bool IsAutoRegister() const override { return m_AutoRegister; }
    void SetWindow(SurfaceWindow window) override;
    SurfaceWindow GetWindow() const override { return m_Window; }

    // Whether the next implementation may be DirectDraw-backed (effective at the next
    // Create/LoadFromFile).
    virtual void SetUseDirectDraw(bool use) { m_UseDirectDraw = use; }
    // The implementation, or null.
    virtual CSoftSurface* GetImpl() const { return m_Impl.get(); }

    bool HasImpl() const { return m_Impl != nullptr; }
    // Deletes the implementation without releasing it first.
    void DeleteImpl() { m_Impl.reset(); }
    bool IsUseDirectDraw() const { return m_UseDirectDraw; }

private:
    void _CreateImpl(bool dcFlag);
    // Whether CDirectDrawManager holds a DirectDraw object for the window.
    bool _WindowHasDirectDraw() const;

    bool m_UseDirectDraw = true;
    bool m_AutoRegister = true;
    SurfaceWindow m_Window = nullptr;
    std::unique_ptr<CSoftSurface> m_Impl;
};
