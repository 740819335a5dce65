#pragma once
// The locking frame of the three-surface effects that read two pictures into a third.
// Internal to the effect module.
#include <cstdint>

#include "engine/soft/SoftSurface.h"

namespace softfx3 {

// The locked memory of the three surfaces (pixel (0, 0) of each) and their pitches.
struct SLockedThree {
    uint8_t* dst;
    const uint8_t* a;
    const uint8_t* b;
    int dstPitch, aPitch, bPitch;
};

// Locks the three surfaces (destination first) and calls fn(locked memory, bytes per
// pixel) when every lock holds, the first source is opaque and the depth is known.
template <class Fn>
void WithLocked(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, Fn&& fn) {
    CSurfaceLock dstLock(dst);
    if (!dstLock.locked) {
        return;
    }
    CSurfaceLock lock1(src1);
    if (!lock1.locked) {
        return;
    }
    CSurfaceLock lock2(src2);
    if (!lock2.locked) {
        return;
    }
    if (GetSurfaceKind(src1->GetFormatFlags()) != SURFACE_KIND_OPAQUE) {
        return;
    }
    const int bpp = BytesPerPixel(src1->GetBitDepth());
    if (bpp == 0 || dst->GetBits() == nullptr || src1->GetBits() == nullptr || src2->GetBits() == nullptr) {
        return;
    }
    fn(SLockedThree{dst->GetBits(), src1->GetBits(), src2->GetBits(), dst->GetPitch(), src1->GetPitch(),
                    src2->GetPitch()},
       bpp);
}

}  // namespace softfx3
