#pragma once
// A software surface over plain vectors for the stretch tests: any pitch, an optional
// alpha plane, guard bytes after both buffers that must never change, a lock that can be
// made to fail, a shared log of lock and unlock calls, and the draw notifications kept.
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/soft/SoftSurface.h"

namespace stretch_test {

class CStretchTestSurface : public CSoftSurface {
public:
    static constexpr int kGuardBytes = 32;
    static constexpr uint8_t kGuardValue = 0x5A;

    // pitch 0: width x bytes per pixel rounded up to 4.  Pixels start zeroed.
    CStretchTestSurface(int width, int height, int depth, int pitch = 0);

    void MakeAlphaPlane(int alphaPitch = 0);
    // Replaces the computed format flags (e.g. -1, or kind 3).
    void ForceFormatFlags(int32_t flags) {
        m_ForceFlags = true;
        m_ForcedFlags = flags;
    }
    void SetLockFails(bool fails) { m_LockFails = fails; }
    int Id() const { return m_Id; }
    // (surface id, +1 lock / -1 unlock), in call order, across all surfaces.
    static std::vector<std::pair<int, int>>& LockLog();

    std::vector<uint8_t>& Bytes() { return m_Bits; }
    std::vector<uint8_t>& AlphaBytes() { return m_Alpha; }
    const std::vector<uint8_t>& Bytes() const { return m_Bits; }
    const std::vector<uint8_t>& AlphaBytes() const { return m_Alpha; }
    size_t PixelAreaSize() const { return static_cast<size_t>(m_Pitch) * m_Height; }
    size_t AlphaAreaSize() const { return static_cast<size_t>(m_AlphaPitch) * m_Height; }
    bool GuardsIntact() const;

    struct SStretchNote {
        CSoftSurface* source;
        SRect destRect, sourceRect, clip;
        int opacity;
        SRect drawn;
    };
    std::vector<SStretchNote> stretchNotes;
    std::vector<SRect> bltNotes;

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
    DCHandle GetDC() override { return nullptr; }
    void ReleaseDC() override {}
    bool Lock() override;
    void Unlock() override;
    uint8_t* GetBits() const override { return const_cast<uint8_t*>(m_Bits.data()); }
    int GetPitch() const override { return m_Pitch; }
    uint8_t* GetAlphaBits() const override {
        return m_Alpha.empty() ? nullptr : const_cast<uint8_t*>(m_Alpha.data());
    }
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
                      int opacity, uint32_t, SRect drawn) override {
        stretchNotes.push_back(SStretchNote{source, *destRect, *sourceRect, *clip, opacity, drawn});
    }
    void OnBlt(CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, uint32_t, SRect drawn) override {
        bltNotes.push_back(drawn);
    }

    // Pixel access for the tests (no lock, no conversion): the stored bytes of (x, y).
    uint32_t Raw(int x, int y) const;
    void SetRaw(int x, int y, uint32_t value);
    uint8_t RawAlpha(int x, int y) const { return m_Alpha[size_t(y) * size_t(m_AlphaPitch) + size_t(x)]; }
    void SetRawAlpha(int x, int y, uint8_t a) { m_Alpha[size_t(y) * size_t(m_AlphaPitch) + size_t(x)] = a; }

private:
    int m_Width;
    int m_Height;
    int m_Depth;
    int m_Pitch;
    int m_AlphaPitch = 0;
    std::vector<uint8_t> m_Bits;
    std::vector<uint8_t> m_Alpha;
    bool m_ColorKeyEnabled = false;
    bool m_AlphaEnabled = false;
    uint32_t m_ColorKey = 0x00FF00;
    bool m_ForceFlags = false;
    int32_t m_ForcedFlags = 0;
    bool m_LockFails = false;
    int m_Id;
};

}  // namespace stretch_test
