#pragma once
// A software surface over plain vectors for the soft tests, fuzz targets and benchmarks:
// any pitch (odd pitches included), an optional alpha plane, guard bytes after both
// buffers that must never change, counters of locks and device contexts, a lock that
// can be made to fail, a shared log of lock and unlock calls, and the draw
// notifications kept.
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/soft/SoftSurface.h"

// How a test surface lays out its buffers and what it keeps.
struct STestSurfaceOptions {
    // Bytes per row; 0: width × bytes per pixel rounded up to 4.
    int pitch = 0;
    // Bytes after the pixel and alpha areas, all guardValue.  0 leaves every buffer
    // exactly as large as its area, so that the address sanitizer sees any overrun.
    int guardBytes = 64;
    uint8_t guardValue = 0xA5;
    // The first value of every pixel byte.
    uint8_t fill = 0;
    // Keeps the lock log and the draw notes.  Benchmarks and fuzz targets, which draw
    // without end, turn it off.
    bool record = true;
};

class CTestSurface : public CSoftSurface {
public:
    // pitch 0: width × bytes per pixel rounded up to 4.  The pixels start zeroed.
    CTestSurface(int width, int height, int depth, int pitch = 0);
    CTestSurface(int width, int height, int depth, const STestSurfaceOptions& options);

    // Test controls.
    // alphaPitch 0: the width rounded up to 4.
    void MakeAlphaPlane(int alphaPitch = 0, uint8_t fill = 0);
    // Bits or-ed into the computed format flags.
    void SetExtraFlags(int32_t flags) { m_ExtraFlags = flags; }
    // Replaces the computed format flags (e.g. -1, or kind 3).
    void ForceFormatFlags(int32_t flags) {
        m_ForceFlags = true;
        m_ForcedFlags = flags;
    }
    void SetLockFails(bool fails) { m_LockFails = fails; }
    int LockCount() const { return m_LockCount; }
    int UnlockCount() const { return m_UnlockCount; }
    int GetDCCount() const { return m_GetDCCount; }
    int ReleaseDCCount() const { return m_ReleaseDCCount; }
    // The order of Lock/Unlock calls across surfaces, as (surface id, +1 lock / -1 unlock).
    static std::vector<std::pair<int, int>>& LockLog();
    int Id() const { return m_Id; }

    std::vector<uint8_t>& Bytes() { return m_Bits; }
    std::vector<uint8_t>& AlphaBytes() { return m_Alpha; }
    const std::vector<uint8_t>& Bytes() const { return m_Bits; }
    const std::vector<uint8_t>& AlphaBytes() const { return m_Alpha; }
    // The pixel and alpha areas without their guards.
    size_t PixelAreaSize() const { return static_cast<size_t>(m_Pitch) * m_Height; }
    size_t AlphaAreaSize() const { return static_cast<size_t>(m_AlphaPitch) * m_Height; }
    int GuardBytes() const { return m_GuardBytes; }
    uint8_t GuardValue() const { return m_GuardValue; }
    bool GuardsIntact() const;

    // Pixel access for the tests (no lock, no conversion): the stored bytes of (x, y).
    uint32_t Raw(int x, int y) const;
    void SetRaw(int x, int y, uint32_t value);
    uint8_t RawAlpha(int x, int y) const { return m_Alpha[size_t(y) * size_t(m_AlphaPitch) + size_t(x)]; }
    void SetRawAlpha(int x, int y, uint8_t a) { m_Alpha[size_t(y) * size_t(m_AlphaPitch) + size_t(x)] = a; }

    // Every OnBlt and OnStretchBlt received, in order (when recording).
    struct SBltNote {
        CSoftSurface* source;
        SRect drawn;
    };
    std::vector<SBltNote> notes;
    struct SStretchNote {
        CSoftSurface* source;
        SRect destRect, sourceRect, clip;
        int opacity;
        SRect drawn;
    };
    std::vector<SStretchNote> stretchNotes;

    // CSoftSurface.
    bool Create(int, int, int, bool) override { return false; }
    bool LoadFromFile(const char*, int, bool) override { return false; }
    bool SaveBitmap(const char*) override { return false; }
    void Release() override {}
    void SetColorKeyEnabled(bool enabled) override { m_ColorKeyEnabled = enabled; }
    void SetAlphaEnabled(bool enabled) override;
    bool IsColorKeyEnabled() const override { return m_ColorKeyEnabled; }
    bool IsAlphaEnabled() const override { return m_AlphaEnabled; }
    void SetColorKey(uint32_t colour) override { m_ColorKey = colour; }
    uint32_t GetColorKey() const override { return m_ColorKey; }
    bool IsCreated() const override { return true; }
    bool HasAlphaPlane() const override { return !m_Alpha.empty(); }
    int32_t GetFormatFlags() const override;
    SSize GetSize() const override { return SSize{m_Width, m_Height}; }
    void GetSize(int32_t* width, int32_t* height) const override {
        *width = m_Width;
        *height = m_Height;
    }
    int GetBitDepth() const override { return m_Depth; }
    BitmapHandle GetBitmap() const override { return nullptr; }
    DCHandle GetDC() override {
        ++m_GetDCCount;
        return nullptr;
    }
    void ReleaseDC() override { ++m_ReleaseDCCount; }
    bool Lock() override;
    void Unlock() override;
    uint8_t* GetBits() const override { return m_Bits.empty() ? nullptr : const_cast<uint8_t*>(m_Bits.data()); }
    int GetPitch() const override { return m_Pitch; }
    uint8_t* GetAlphaBits() const override { return m_Alpha.empty() ? nullptr : const_cast<uint8_t*>(m_Alpha.data()); }
    int GetAlphaPitch() const override { return m_AlphaPitch; }
    void Clear(uint32_t) override {}
    void Fill(uint32_t, SRect) override {}
    void ClearAlpha(uint8_t) override {}
    void FillAlpha(uint8_t, SRect) override {}
    void CopyAlpha(CSoftSurface*, SRect, SRect) override {}
    bool Restore() override { return true; }
    void SetAutoRegister(bool) override {}
    bool IsAutoRegister() const override { return false; }
    void SetWindow(SurfaceWindow) override {}
    SurfaceWindow GetWindow() const override { return nullptr; }
    void OnStretchBlt(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect, const SRect* clip,
                      int opacity, uint32_t flags, SRect drawn) override;
    void OnBlt(CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect, const SRect* clip, int opacity,
               uint32_t flags, SRect drawn) override;

private:
    int m_Width;
    int m_Height;
    int m_Depth;
    int m_Pitch;
    int m_AlphaPitch = 0;
    int m_GuardBytes;
    uint8_t m_GuardValue;
    bool m_Record;
    std::vector<uint8_t> m_Bits;
    std::vector<uint8_t> m_Alpha;
    bool m_ColorKeyEnabled = false;
    bool m_AlphaEnabled = false;
    uint32_t m_ColorKey = 0x00FF00;
    int32_t m_ExtraFlags = 0;
    bool m_ForceFlags = false;
    int32_t m_ForcedFlags = 0;
    bool m_LockFails = false;
    int m_LockCount = 0;
    int m_UnlockCount = 0;
    int m_GetDCCount = 0;
    int m_ReleaseDCCount = 0;
    int m_Id;
};
