#include "tests/engine/soft/effect/three/FxSurface.h"

#include <cstdio>
#include <cstring>

#include "engine/soft/PixelPack.h"

namespace fx3_test {

void CFxSurface::Clear(uint32_t colorRef) {
    ++clearCount;
    clearedWith = colorRef;
    const uint32_t colour = ColorRefToColor(colorRef);
    const SSize s = GetSize();
    for (int y = 0; y < s.cy; ++y) {
        for (int x = 0; x < s.cx; ++x) {
            SetPixel(x, y, colour);
        }
    }
}

std::vector<uint8_t> CFxSurface::PixelBytes(int x, int y) const {
    const SSize size = GetSize();
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return {};
    const int b = BytesPer();
    const uint8_t* p = GetBits() + static_cast<ptrdiff_t>(y) * GetPitch() + static_cast<ptrdiff_t>(x) * b;
    return std::vector<uint8_t>(p, p + b);
}

std::vector<uint8_t> CFxSurface::Snapshot() const {
    const uint8_t* p = GetBits();
    return std::vector<uint8_t>(p, p + PixelAreaSize());
}

namespace {
int _Pitch(int width, int depth, int extraPitch, bool anyPitch) {
    const int bpp = BytesPerPixel(depth);
    const int pitch = width * bpp + extraPitch;
    const int unit = anyPitch || bpp == 3 ? 1 : bpp;
    return (pitch + unit - 1) / unit * unit;
}
}  // namespace

std::unique_ptr<CFxSurface> MakeRandomSurface(std::mt19937& rng, int width, int height, int depth, int extraPitch,
                                              bool keepBit15, bool anyPitch) {
    const int pitch = _Pitch(width, depth, extraPitch, anyPitch);
    auto s = std::make_unique<CFxSurface>(width, height, depth, pitch > 0 ? pitch : 0);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> pick(0, 9);
    for (size_t i = 0; i < s->PixelAreaSize(); ++i) {
        const int k = pick(rng);
        s->Bytes()[i] = static_cast<uint8_t>(k == 0 ? 0 : k == 1 ? 255 : byte(rng));
    }
    if (depth == 15 && !keepBit15) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                s->Bytes()[static_cast<size_t>(y) * s->GetPitch() + 2 * x + 1] &= 0x7F;
            }
        }
    }
    return s;
}

std::unique_ptr<CFxSurface> MakeFilledSurface(int width, int height, int depth, uint8_t value, int extraPitch,
                                              bool anyPitch) {
    const int pitch = _Pitch(width, depth, extraPitch, anyPitch);
    auto s = std::make_unique<CFxSurface>(width, height, depth, pitch);
    std::fill(s->Bytes().begin(), s->Bytes().begin() + static_cast<ptrdiff_t>(s->PixelAreaSize()), value);
    return s;
}

std::string CompareBlock(CFxSurface& dst, const SRect& rect, CFxSurface& src, SPoint srcAtRectCorner, bool ignoreX) {
    const int b = dst.BytesPer();
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            std::vector<uint8_t> d = dst.PixelBytes(x, y);
            std::vector<uint8_t> s = src.PixelBytes(srcAtRectCorner.x + x - rect.left, srcAtRectCorner.y + y - rect.top);
            if (ignoreX && b == 4) {
                d[3] = s[3] = 0;
            }
            if (d != s) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d, %d) differs", x, y);
                return text;
            }
        }
    }
    return "";
}

std::string CompareOutside(CFxSurface& now, const std::vector<uint8_t>& before, const SRect& rect) {
    const int b = now.BytesPer();
    const SSize s = now.GetSize();
    const std::vector<uint8_t> after = now.Snapshot();
    for (int y = 0; y < s.cy; ++y) {
        for (int i = 0; i < now.GetPitch(); ++i) {
            const int x = i / b;
            const bool inside = x < s.cx && x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            const size_t k = static_cast<size_t>(y) * now.GetPitch() + i;
            if (!inside && after[k] != before[k]) {
                char text[128];
                std::snprintf(text, sizeof text, "byte %d of row %d (pixel %d) changed outside %s", i, y, x,
                              RectText(rect).c_str());
                return text;
            }
        }
    }
    if (!now.GuardsIntact()) {
        return "guard bytes after the buffer changed";
    }
    return "";
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes, uint64_t h) {
    for (uint8_t b : bytes) {
        h = (h ^ b) * 1099511628211ull;
    }
    return h;
}

bool RectInside(const SRect& inner, const SRect& outer) {
    if (inner.IsEmpty()) {
        return true;
    }
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string RectText(const SRect& r) {
    char text[80];
    std::snprintf(text, sizeof text, "{%d, %d, %d, %d}", r.left, r.top, r.right, r.bottom);
    return text;
}

}  // namespace fx3_test
