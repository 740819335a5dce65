// Fuzzes the blit dispatcher: any sizes, depths, kinds, pitches, points, rectangles,
// clips, opacities and processor levels.  Every buffer is exactly as large as its
// surface, so a read or write outside one is caught by the address sanitizer; the
// clipped request is checked to lie inside both surfaces.  Undefined behaviour (such as
// a misaligned pixel access) stops the run like a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftBlt.h"

namespace {

class CFuzzSurface : public CSoftSurface {
public:
    CFuzzSurface(int w, int h, int depth, int pitchExtra, int kind)
        : m_W(w),
          m_H(h),
          m_Depth(depth),
          m_Kind(kind),
          // Any pitch, odd ones included: 16-bit pixels then lie off 2-byte boundaries.
          m_Pitch(w * (depth == 15 ? 2 : depth / 8) + pitchExtra),
          m_Bits(size_t(m_Pitch) * h, 0x5A),
          m_Alpha(kind == 2 ? size_t(w) * h : 0, 0x80) {}

    bool Create(int, int, int, bool) override { return false; }
    bool LoadFromFile(const char*, int, bool) override { return false; }
    bool SaveBitmap(const char*) override { return false; }
    void Release() override {}
    void SetColorKeyEnabled(bool) override {}
    void SetAlphaEnabled(bool) override {}
    bool IsColorKeyEnabled() const override { return m_Kind == 1; }
    bool IsAlphaEnabled() const override { return m_Kind == 2; }
    void SetColorKey(uint32_t) override {}
    uint32_t GetColorKey() const override { return 0x5A5A5A; }
    bool IsCreated() const override { return true; }
    bool HasAlphaPlane() const override { return m_Kind == 2; }
    int32_t GetFormatFlags() const override { return m_Kind | DepthToIndex(m_Depth) << 2; }
    SSize GetSize() const override { return SSize{m_W, m_H}; }
    void GetSize(int32_t* w, int32_t* h) const override {
        *w = m_W;
        *h = m_H;
    }
    int GetBitDepth() const override { return m_Depth; }
    BitmapHandle GetBitmap() const override { return nullptr; }
    DCHandle GetDC() override { return nullptr; }
    void ReleaseDC() override {}
    bool Lock() override { return true; }
    void Unlock() override {}
    uint8_t* GetBits() const override { return m_Bits.empty() ? nullptr : const_cast<uint8_t*>(m_Bits.data()); }
    int GetPitch() const override { return m_Pitch; }
    uint8_t* GetAlphaBits() const override { return m_Alpha.empty() ? nullptr : const_cast<uint8_t*>(m_Alpha.data()); }
    int GetAlphaPitch() const override { return m_W; }
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

private:
    int m_W, m_H, m_Depth, m_Kind, m_Pitch;
    std::vector<uint8_t> m_Bits;
    std::vector<uint8_t> m_Alpha;
};

struct SReader {
    const uint8_t* p;
    size_t n;
    uint8_t Byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(Byte()) << (8 * i);
        // Small values most of the time, the whole range sometimes.
        return (v & 0x80000000u) ? int32_t(v) : int32_t(v % 200) - 100;
    }
};

}  // namespace

extern "C" __attribute__((used, visibility("default"))) const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (SetDebugOutputEnabled(false), BuildBlendTables(), true);
    (void)quiet;
    SReader in{data, size};
    static const int kDepths[4] = {15, 16, 24, 32};
    const int srcDepth = kDepths[in.Byte() & 3];
    const uint8_t mix = in.Byte();
    const int dstDepth = (mix & 0x80) ? kDepths[mix & 3] : srcDepth;
    CFuzzSurface src(1 + in.Byte() % 48, 1 + in.Byte() % 16, srcDepth, in.Byte() % 4, in.Byte() % 3);
    CFuzzSurface dst(1 + in.Byte() % 48, 1 + in.Byte() % 16, dstDepth, in.Byte() % 4, in.Byte() % 3);
    const SPoint point{in.Int(), in.Int()};
    const SRect rect{in.Int(), in.Int(), in.Int(), in.Int()};
    const SRect clip{in.Int(), in.Int(), in.Int(), in.Int()};
    const int opacity = int(int8_t(in.Byte())) * 3 + 128;
    const uint32_t level = in.Byte() & 3;

    SPoint p = point;
    SRect r = rect;
    ClipBltRects(&dst, &src, &p, &r, &clip);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 || h > 0) {
        const SSize ds = dst.GetSize(), ss = src.GetSize();
        if (w < 1 || h < 1 || r.left < 0 || r.top < 0 || r.right > ss.cx || r.bottom > ss.cy || p.x < 0 || p.y < 0 ||
            p.x + w > ds.cx || p.y + h > ds.cy) {
            std::abort();
        }
    }
    const uint32_t words[4] = {0, CCpuInfo::FEATURE_MMX, CCpuInfo::FEATURE_SSE,
                               CCpuInfo::FEATURE_MMX | CCpuInfo::FEATURE_SSE};
    CCpuFeatureOverride force(words[level]);
    dst.Blt(&src, &point, &rect, &clip, opacity, 0);
    dst.BltRect(&src, point.x, point.y, rect, opacity);
    dst.BltAt(&src, point.x, point.y, opacity);
    return 0;
}
