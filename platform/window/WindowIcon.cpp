#include "platform/window/WindowIcon.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kRim = 0xFF2E6B3A;     // dark leaf green
constexpr uint32_t kLawn = 0xFF5FA854;    // the garden
constexpr uint32_t kPetal = 0xFFF3A6C0;   // a pink flower in it
constexpr uint32_t kHeart = 0xFFF7D54A;   // its yellow heart

bool _InDisc(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// A round lawn with a five-petalled flower, on a transparent ground.
void _DrawGardenIcon(SIconPicture* p) {
    const int n = kWindowIconSize;
    p->width = p->height = n;
    p->pixels.assign(static_cast<size_t>(n) * n, kClear);
    const double c = (n - 1) / 2.0;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            uint32_t colour = kClear;
            if (_InDisc(x, y, c, c, n / 2.0 - 0.5)) colour = kRim;
            if (_InDisc(x, y, c, c, n / 2.0 - 2.5)) colour = kLawn;
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2.0 * 3.14159265358979 / 5.0 - 3.14159265358979 / 2.0;
                if (_InDisc(x, y, c + std::cos(a) * n * 0.21, c + std::sin(a) * n * 0.21, n * 0.1)) colour = kPetal;
            }
            if (_InDisc(x, y, c, c, n * 0.09)) colour = kHeart;
            p->pixels[static_cast<size_t>(y) * n + x] = colour;
        }
    }
}

}  // namespace

bool FindIconResource(const char* name, SIconPicture* picture) {
    if (name == nullptr || picture == nullptr || std::strcmp(name, "ID_ICON") != 0) {
        return false;
    }
    _DrawGardenIcon(picture);
    return true;
}
