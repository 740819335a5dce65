#pragma once
// Whole frames compared with checked-in golden pictures under the one tolerance of
// docs/testing.md: a pixel matches when R, G and B each differ by at most
// kChannelTolerance; a frame (or region) matches when at most kMaxBadPixels do not.
#include <cstdint>
#include <string>

#include "tests/support/screen/SheetProbe.h"

namespace screentest {

constexpr int kChannelTolerance = 2;
constexpr int32_t kMaxBadPixels = 480;  // 0.1 % of 800 × 600

struct SRegion {
    int32_t x = 0, y = 0, width = 0, height = 0;  // width 0: the whole frame
};

struct SFrameDiff {
    int32_t bad = 0;            // pixels outside the tolerance; all of the region on a size mismatch
    int32_t firstX = -1, firstY = -1;  // the first of them, row by row
    bool Matches() const { return bad <= kMaxBadPixels; }
};

SFrameDiff CompareFrames(const SFrame& actual, const SFrame& expected, SRegion region = {});

// PNG files of frames (opaque RGB); false when the file cannot be read or written.
bool ReadFramePng(const std::string& nativePath, SFrame* frame);
bool WriteFramePng(const std::string& nativePath, const SFrame& frame);

// Writes <folder>/<name>.actual.png, .expected.png and .diff.png (each channel's |Δ| × 16)
// and returns a line that says where they are and where the first difference lies.
std::string WriteFrameDiff(const std::string& folder, const std::string& name, const SFrame& actual,
                           const SFrame& expected, const SFrameDiff& diff);

}  // namespace screentest
