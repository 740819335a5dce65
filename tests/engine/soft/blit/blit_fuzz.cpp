// Fuzzes the blit dispatcher: any sizes, depths, kinds, pitches, points, rectangles,
// clips, opacities and processor levels.  Every buffer is exactly as large as its
// surface, so a read or write outside one is caught by the address sanitizer; the
// clipped request is checked to lie inside both surfaces.  Undefined behaviour (such as
// a misaligned pixel access) stops the run like a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftBlt.h"
#include "tests/engine/soft/support/TestSurface.h"

namespace {

// Any pitch, odd ones included: 16-bit pixels then lie off 2-byte boundaries.  No guard
// bytes, so that the address sanitizer sees any overrun; kind 1 keys out 0x5A5A5A, kind 2
// has an alpha plane of 0x80.
std::unique_ptr<CTestSurface> MakeSurface(int w, int h, int depth, int pitchExtra, int kind) {
    const STestSurfaceOptions options{
        .pitch = w * BytesPerPixel(depth) + pitchExtra, .guardBytes = 0, .fill = 0x5A, .record = false};
    auto s = std::make_unique<CTestSurface>(w, h, depth, options);
    s->SetColorKey(0x5A5A5A);
    s->SetColorKeyEnabled(kind == 1);
    if (kind == 2) {
        s->MakeAlphaPlane(w, 0x80);
        s->SetAlphaEnabled(true);
    }
    return s;
}

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (SetDebugOutputEnabled(false), BuildBlendTables(), true);
    (void)quiet;
    SReader in{data, size};
    static const int kDepths[4] = {15, 16, 24, 32};
    const int srcDepth = kDepths[in.Byte() & 3];
    const uint8_t mix = in.Byte();
    const int dstDepth = (mix & 0x80) ? kDepths[mix & 3] : srcDepth;
    const auto srcSurface = MakeSurface(1 + in.Byte() % 48, 1 + in.Byte() % 16, srcDepth, in.Byte() % 4, in.Byte() % 3);
    const auto dstSurface = MakeSurface(1 + in.Byte() % 48, 1 + in.Byte() % 16, dstDepth, in.Byte() % 4, in.Byte() % 3);
    CTestSurface& src = *srcSurface;
    CTestSurface& dst = *dstSurface;
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
