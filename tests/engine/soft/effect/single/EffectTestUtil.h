#pragma once
// Helpers of the single-surface effect tests: seeded random pictures on the blit tests'
// vector surface, snapshots, checksums and "nothing changed outside" checks.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/soft/SoftSurface.h"
#include "tests/engine/soft/blit/RefModel.h"
#include "tests/engine/soft/support/TestSurface.h"

namespace fxtest {

inline constexpr int kDepths[] = {15, 16, 24, 32};

// A surface of random pixels (padding included) from `seed`.
inline std::unique_ptr<CTestSurface> MakeRandom(int w, int h, int depth, uint32_t seed, int pitch = 0) {
    auto s = std::make_unique<CTestSurface>(w, h, depth, pitch);
    std::mt19937 rng(seed);
    for (size_t i = 0; i < s->PixelAreaSize(); ++i) s->Bytes()[i] = static_cast<uint8_t>(rng());
    return s;
}

inline void FillAlphaRandom(CTestSurface& s, uint32_t seed) {
    std::mt19937 rng(seed);
    for (size_t i = 0; i < s.AlphaAreaSize(); ++i) {
        // Biased to the values the kernels treat specially.
        const uint32_t r = rng() % 4;
        s.AlphaBytes()[i] = r == 0 ? 0 : (r == 1 ? 255 : static_cast<uint8_t>(rng()));
    }
}

inline std::vector<uint8_t> Snapshot(CTestSurface& s) { return s.Bytes(); }

inline uint64_t Checksum(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

inline const uint8_t* PixelAt(const std::vector<uint8_t>& bytes, const CTestSurface& s, int x, int y) {
    return bytes.data() + static_cast<size_t>(y) * s.GetPitch() + static_cast<size_t>(x) * BytesPerPixel(s.GetBitDepth());
}

inline bool SamePixel(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, const CTestSurface& s, int x,
                      int y) {
    const int n = BytesPerPixel(s.GetBitDepth());
    const uint8_t* p = PixelAt(a, s, x, y);
    const uint8_t* q = PixelAt(b, s, x, y);
    for (int i = 0; i < n; ++i)
        if (p[i] != q[i]) return false;
    return true;
}

// Pixel (x, y) of a equals pixel (sx, sy) of b (same depth).
inline bool PixelsEqual(CTestSurface& a, int x, int y, CTestSurface& b, int sx, int sy) {
    const int n = BytesPerPixel(a.GetBitDepth());
    return std::memcmp(PixelAt(a.Bytes(), a, x, y), PixelAt(b.Bytes(), b, sx, sy), n) == 0;
}

// Blends `src` (a pixel of the same depth) into pixel (x, y) of a snapshot of `s`, by the
// blend formulas at `opacity` (255 copies).
inline void BlendInto(std::vector<uint8_t>& bytes, const CTestSurface& s, int x, int y, const uint8_t* src,
                      int opacity) {
    const int depth = s.GetBitDepth();
    uint8_t* d = bytes.data() + static_cast<size_t>(y) * s.GetPitch() + static_cast<size_t>(x) * BytesPerPixel(depth);
    ref::BlendPixel(depth, d, src, static_cast<unsigned>(opacity));
}

inline SRect Intersect(const SRect& a, const SRect& b) {
    SRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return (r.right <= r.left || r.bottom <= r.top) ? SRect{} : r;
}

inline bool Inside(const SRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The bounding box of every notified rectangle.
inline SRect NotedUnion(const CTestSurface& s) {
    SRect u{};
    bool any = false;
    for (const auto& n : s.notes) {
        const SRect& r = n.drawn;
        if (r.right <= r.left || r.bottom <= r.top) continue;
        if (!any) {
            u = r;
            any = true;
        } else {
            u = SRect{std::min(u.left, r.left), std::min(u.top, r.top), std::max(u.right, r.right),
                      std::max(u.bottom, r.bottom)};
        }
    }
    return u;
}

// Every pixel that differs between `before` and the surface now lies inside `allowed`;
// padding bytes and guards never change.  Returns a description of the first offence.
inline std::string ChangesOutside(const std::vector<uint8_t>& before, CTestSurface& s, const SRect& allowed) {
    const SSize size = s.GetSize();
    const int bpp = BytesPerPixel(s.GetBitDepth());
    const std::vector<uint8_t>& now = s.Bytes();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (!SamePixel(before, now, s, x, y) && !Inside(allowed, x, y)) {
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") changed outside [" +
                       std::to_string(allowed.left) + "," + std::to_string(allowed.top) + "," +
                       std::to_string(allowed.right) + "," + std::to_string(allowed.bottom) + ")";
            }
        }
        for (int i = size.cx * bpp; i < s.GetPitch(); ++i) {
            const size_t at = static_cast<size_t>(y) * s.GetPitch() + i;
            if (before[at] != now[at]) return "padding changed in row " + std::to_string(y);
        }
    }
    if (!s.GuardsIntact()) return "guard bytes changed";
    return "";
}

}  // namespace fxtest
