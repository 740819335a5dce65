#pragma once
// Seeded random blit cases in the manner of a blitters test: random sizes (widths 1 to
// 67 and a few large ones), odd pitches, pixels biased to 0x00 and 0xFF, the opacities
// that matter, and a checksum of every result so that a failure names its case.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/soft/blit/BlitKernels.h"
#include "tests/engine/soft/support/TestSurface.h"

namespace blit_test {

inline constexpr int kOpacities[] = {0, 1, 127, 128, 254, 255};

// One row of the model: destination bytes, source bytes, source alpha (or null),
// destination alpha (or null), width, opacity.
using RowModel = std::function<void(uint8_t* d, const uint8_t* s, const uint8_t* sa, uint8_t* da, int width, int o)>;

struct SKernelCase {
    uint32_t seed = 0;
    int width = 0, height = 0;
    int dstX = 0, dstY = 0, srcX = 0, srcY = 0;
    int opacity = 0;
    std::unique_ptr<CTestSurface> dst, src;
    std::string Describe() const;
};

// CASE_ODD_PITCH gives 15- and 16-bit surfaces odd pitches, so that every row but the
// first starts off a 2-byte boundary.
enum : unsigned { CASE_SOURCE_ALPHA = 1, CASE_DEST_ALPHA = 2, CASE_COLOR_KEY = 4, CASE_ODD_PITCH = 8 };

// Builds the surfaces of one seed at `depth` (both surfaces), with the planes asked for.
SKernelCase MakeCase(uint32_t seed, int depth, unsigned planes);

// Runs `kernel` on `count` seeds from `firstSeed`, compares every byte of the destination
// (pixels, padding, alpha plane and guards) with the model and checks that the source
// did not change.  Returns the number of failing seeds (each reported through gtest)
// and adds every result's checksum to *checksum.
int RunKernelCases(const char* name, SoftBltKernel kernel, int depth, unsigned planes, const RowModel& model,
                   uint32_t firstSeed, int count, uint64_t* checksum = nullptr);

uint64_t Fnv1a(const std::vector<uint8_t>& bytes, uint64_t h = 1469598103934665603ull);

}  // namespace blit_test
