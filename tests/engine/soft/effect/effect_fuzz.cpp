// Fuzzes the effect blitters with any geometry, mode, opacity and progress on small
// surfaces: CSurfaceEffectBlitter, the surface's stretched effect, CEffectBlitter's
// effects and transitions.  Every pixel a call changes must lie inside the rectangle its
// query answers for the same arguments, or the run aborts.  Buffers are exactly as large
// as their surfaces, so the address sanitizer sees any overrun; undefined behaviour (an
// int that overflows) stops the run like a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/image/MaskImage.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxRuleImages.h"
#include "tests/engine/soft/support/TestSurface.h"

namespace {

struct SReader {
    const uint8_t* p;
    size_t n;
    uint8_t Byte() { return n == 0 ? 0 : (--n, *p++); }
    // Small values mostly; the whole range, and values next to its ends, sometimes.
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(Byte()) << (8 * i);
        switch (v >> 30) {
        case 2: return int32_t(v << 2);
        case 3: return (v & 1) ? INT32_MAX - int32_t(v >> 1 & 63) : INT32_MIN + int32_t(v >> 1 & 63);
        default: return int32_t(v % 200) - 100;
        }
    }
    SPoint Point() { return SPoint{Int(), Int()}; }
};

// Kind 0 opaque, 1 colour-keyed, 2 with an alpha plane; pixels of a pattern the seed
// picks, so that a write seldom leaves a byte as it was.
std::unique_ptr<CTestSurface> MakeSurface(SReader& in, int depth) {
    const int w = 1 + in.Byte() % 24, h = 1 + in.Byte() % 16, kind = in.Byte() % 3, seed = in.Byte();
    auto s = std::make_unique<CTestSurface>(w, h, depth, STestSurfaceOptions{.guardBytes = 0, .record = false});
    for (size_t i = 0; i < s->Bytes().size(); ++i) s->Bytes()[i] = uint8_t(i * 29 + seed);
    s->SetColorKeyEnabled(kind == 1);
    if (kind == 2) s->MakeAlphaPlane(0, uint8_t(seed));
    s->SetAlphaEnabled(kind == 2);
    return s;
}

// Aborts when a pixel outside `rect` changed.  The padding after a row holds no pixel
// (a whole-width copy moves it along).
void CheckOutside(const std::vector<uint8_t>& before, const std::vector<uint8_t>& now, int pitch, int bytes,
                  int width, const SRect& rect) {
    for (size_t i = 0; i < now.size(); ++i) {
        const int64_t y = int64_t(i) / pitch, x = int64_t(i) % pitch / bytes;
        if (now[i] != before[i] && x < width && (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool ready = [] {
        SetDebugOutputEnabled(false);
        BuildBlendTables();
        for (CMaskImage* mask : {&GetEffectRuleImage(), &GetSharedEffectMask()}) {
            mask->Create(20, 12);
            for (int i = 0; i < 12 * mask->GetPitch(); ++i) mask->GetBits()[i] = uint8_t(i * 53);
            mask->SetThreshold(24);
        }
        return true;
    }();
    SReader in{data, size};
    static const int kDepths[4] = {15, 16, 24, 32};
    const uint8_t op = in.Byte(), depths = in.Byte();
    const int depth = kDepths[depths & 3];
    auto dst = MakeSurface(in, (depths & 0x80) ? kDepths[depths >> 2 & 3] : depth);
    auto src1 = MakeSurface(in, depth);
    auto src2 = MakeSurface(in, (depths & 0x40) ? kDepths[depths >> 4 & 3] : depth);
    CSoftSurface* a = (op & 0x10) ? nullptr : src1.get();
    CSoftSurface* b = (op & 0x20) ? nullptr : src2.get();
    const int mode = int(int8_t(in.Byte())) % 40;
    const int progress = (op & 0x40) ? in.Int() : int(in.Byte()) * 5 - 100;
    const int opacity = int(int8_t(in.Byte())) * 3 + 128;
    const SPoint p1 = in.Point(), p2 = in.Point(), p3 = in.Point(), p4 = in.Point();
    const SSize s1{in.Int(), in.Int()}, s2{in.Int(), in.Int()};
    const SRect r1{in.Int(), in.Int(), in.Int(), in.Int()}, clip{in.Int(), in.Int(), in.Int(), in.Int()};
    const SRect r2{p1.x, p1.y, p2.x, p2.y};  // the stretched effect's destination
    CCpuFeatureOverride force((op & 4 ? CCpuInfo::FEATURE_MMX : 0) | (op & 8 ? CCpuInfo::FEATURE_SSE : 0));
    CRandom::SetDefaultSeedForTests(1 + in.Byte());
    SRect reported{};
    const std::vector<uint8_t> pixels = dst->Bytes(), alpha = dst->AlphaBytes();
    CSurfaceEffectBlitter single;
    CEffectBlitter three;
    switch (op & 3) {
    case 0:
        reported = single.GetEffectRect(mode, dst.get(), a, &p1, &r1, &clip, opacity, progress);
        single.DrawEffect(mode, dst.get(), a, &p1, &r1, &clip, opacity, progress);
        break;
    case 1:
        reported = dst->GetEffectStretchedRect(mode, a, r2, r1, clip, opacity, progress);
        dst->DrawEffectStretched(mode, a, r2, r1, clip, opacity, progress);
        break;
    case 2:
        reported = three.GetEffect3Rect(mode, dst.get(), a, b, &p1, &p2, &p3, &s1, &clip, progress);
        three.DrawEffect3(mode, dst.get(), a, b, &p1, &p2, &p3, &s1, &clip, progress);
        break;
    default:
        reported = three.GetTransitionRect(mode, dst.get(), a, b, &p1, &p2, &p3, &p4, &s1, &s2, &clip, progress);
        three.DrawTransition(mode, dst.get(), a, b, &p1, &p2, &p3, &p4, &s1, &s2, &clip, progress);
        break;
    }
    const SSize ds = dst->GetSize();
    CheckOutside(pixels, dst->Bytes(), dst->GetPitch(), BytesPerPixel(dst->GetBitDepth()), ds.cx, reported);
    if (!alpha.empty()) CheckOutside(alpha, dst->AlphaBytes(), dst->GetAlphaPitch(), 1, ds.cx, reported);
    return 0;
}
