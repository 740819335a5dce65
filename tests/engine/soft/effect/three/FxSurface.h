#pragma once
// Surfaces and pictures for the three-surface effect tests: a test surface that
// records every notification and really clears, seeded random pictures, and
// comparisons of blocks and of everything outside a rectangle.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/engine/soft/support/TestSurface.h"

namespace fx3_test {

class CFxSurface : public CTestSurface {
public:
    using CTestSurface::CTestSurface;

    struct SEffect3Note {
        SRect drawn;
        int progress;
    };
    std::vector<SEffect3Note> effect3Notes;
    std::vector<SRect> transitionNotes;
    uint32_t clearedWith = 0;
    int clearCount = 0;

    // Fills every pixel with the colour (a COLORREF, red low) in this surface's form.
    void Clear(uint32_t colorRef) override;
    void OnDrawEffect3(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*, const SSize*,
                       const SRect*, int progress, SRect drawn) override {
        effect3Notes.push_back(SEffect3Note{drawn, progress});
    }
    void OnDrawTransition(CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*, const SPoint*,
                          const SSize*, const SSize*, const SRect*, int, SRect drawn) override {
        transitionNotes.push_back(drawn);
    }

    int BytesPer() const { return BytesPerPixel(GetBitDepth()); }
    // The bytes of pixel (x, y); none outside the surface.
    std::vector<uint8_t> PixelBytes(int x, int y) const;
    // Every byte of the pixel area, padding included.
    std::vector<uint8_t> Snapshot() const;
};

// A destination and the two sources of a three-surface effect.
struct SScene {
    std::unique_ptr<CFxSurface> dst, a, b;
};

// A surface of random pixels (15 bpp: bit 15 clear unless keepBit15), random pitch
// padding too.  Colours lean to 0x00 and 0xFF bytes now and then.  The pitch is
// rounded up to whole 16- or 32-bit pixels unless anyPitch: the blit path reads
// pixels as words, while the kernels of this library take any pitch.
std::unique_ptr<CFxSurface> MakeRandomSurface(std::mt19937& rng, int width, int height, int depth,
                                              int extraPitch = 0, bool keepBit15 = false, bool anyPitch = false);
// A surface whose every byte is `value`.
std::unique_ptr<CFxSurface> MakeFilledSurface(int width, int height, int depth, uint8_t value, int extraPitch = 0,
                                              bool anyPitch = false);

// Pixels of `dst` inside `rect` compared with `src` at the same offsets from srcPt.
// Returns a description of the first difference, or "" when they match.  `mask15`
// ignores bit 15 of 15-bpp pixels; `ignoreX` the X byte of 32-bpp pixels.
std::string CompareBlock(CFxSurface& dst, const SRect& rect, CFxSurface& src, SPoint srcAtRectCorner,
                         bool ignoreX = false);
// Every pixel-area byte of `now` outside `rect` (pixel coordinates) equal to `before`.
std::string CompareOutside(CFxSurface& now, const std::vector<uint8_t>& before, const SRect& rect);

uint64_t Fnv1a(const std::vector<uint8_t>& bytes, uint64_t h = 1469598103934665603ull);

// True when inner lies inside outer (an empty inner always does).
bool RectInside(const SRect& inner, const SRect& outer);
std::string RectText(const SRect& r);

}  // namespace fx3_test
