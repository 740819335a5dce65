#pragma once
// The stretch tests' surface: the shared vector surface with a guard of its own
// pattern (32 bytes of 0x5A after the pixel and alpha areas).
#include "tests/engine/soft/support/TestSurface.h"

namespace stretch_test {

class CStretchTestSurface : public CTestSurface {
public:
    // pitch 0: width x bytes per pixel rounded up to 4.  Pixels start zeroed.
    CStretchTestSurface(int width, int height, int depth, int pitch = 0)
        : CTestSurface(width, height, depth,
                       STestSurfaceOptions{.pitch = pitch, .guardBytes = 32, .guardValue = 0x5A}) {}
};

}  // namespace stretch_test
