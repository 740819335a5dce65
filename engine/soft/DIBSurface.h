#pragma once
// The system-memory surface: pixels in a heap buffer that GDI cannot see, an optional
// alpha plane in another.  Rows top row first, pitch rounded up to 4 bytes.
#include <cstddef>
#include <memory>
#include <string>

#include "engine/soft/SoftSurface.h"

// The window a new surface belongs to: the calling thread's application window.
SurfaceWindow GetCurrentSurfaceWindow();

class CDIBSurface : public CSoftSurface {
public:
    explicit CDIBSurface(SurfaceWindow window = GetCurrentSurfaceWindow());
    ~CDIBSurface() override;

    bool Create(int width, int height, int depth, bool dcFlag) override;
    bool LoadFromFile(const char* path, int depth, bool dcFlag) override;
    bool SaveBitmap(const char* path) override;
    void Release() override;
    void SetColorKeyEnabled(bool enabled) override;
    void SetAlphaEnabled(bool enabled) override;
    bool IsColorKeyEnabled() const override { return m_ColorKeyEnabled; }
    bool IsAlphaEnabled() const override { return m_AlphaEnabled; }
    void SetColorKey(uint32_t colorRef) override;
    uint32_t GetColorKey() const override { return m_ColorKey; }
    bool IsCreated() const override { return m_Bits != nullptr; }
    bool HasAlphaPlane() const override { return m_AlphaBits != nullptr; }
    int32_t GetFormatFlags() const override { return m_FormatFlags; }
    SSize GetSize() const override { return SSize{m_Width, m_Height}; }
    void GetSize(int32_t* width, int32_t* height) const override;
    int GetBitDepth() const override { return m_Depth; }
    BitmapHandle GetBitmap() const override { return nullptr; }
    DCHandle GetDC() override { return nullptr; }
    void ReleaseDC() override {}
    bool Lock() override { return IsCreated(); }
    void Unlock() override {}
    uint8_t* GetBits() const override { return m_Bits; }
    int GetPitch() const override { return m_Pitch; }
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

    // Recomputes the format flags from the enables, the alpha plane and the depth.
    virtual void UpdateFormatFlags();

    // The file the surface was last loaded from; empty for one made by Create.
    const std::string& GetFileName() const { return m_FileName; }

protected:
    // Validates a request and turns depth 0 into the desktop's; 0 when refused.
    static int _ResolveDepth(const char* who, int width, int height, int depth);
    // The common end of a successful Create: key, flags, registration.
    void _FinishCreate();
    // The load steps after the surface exists (pixels, alpha plane, key).
    bool _LoadInto(const char* who, const char* path, int depth, bool dcFlag);
    // Fields back to the empty state (window and auto-register stay).
    void _ResetFields();

    void _EnsureAlphaPlane();
    // A new zeroed plane of `bytes` bytes; false when memory runs out.
    bool _AllocAlphaPlane(size_t bytes);
    void _FreeAlphaPlane();

    SurfaceWindow m_Window = nullptr;
    uint8_t* m_Bits = nullptr;       // owned by m_PixelBuffer here, by the section in a DIB section
    uint8_t* m_AlphaBits = nullptr;  // owned by m_AlphaBuffer
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    int32_t m_Depth = 0;
    int32_t m_Pitch = 0;
    int32_t m_AlphaPitch = 0;
    bool m_ColorKeyEnabled = false;
    bool m_AlphaEnabled = false;
    bool m_AutoRegister = true;
    uint32_t m_ColorKey = 0;
    std::string m_FileName;
    int32_t m_FormatFlags = SURFACE_FLAGS_NOT_CREATED;

private:
    std::unique_ptr<uint8_t[]> m_PixelBuffer;
    std::unique_ptr<uint8_t[]> m_AlphaBuffer;
};

// Largest pixel or alpha buffer a surface allocates; larger requests are refused.
constexpr size_t MAX_SURFACE_BYTES = size_t{512} << 20;

// A new alpha plane of `bytes` bytes, zeroed so that a plane made by SetAlphaEnabled
// alone reads fully transparent; null (logged under `who`) when it is larger than
// MAX_SURFACE_BYTES or memory runs out.
std::unique_ptr<uint8_t[]> NewAlphaPlane(const char* who, size_t bytes);
