#include "engine/base/Geometry.h"

#include <algorithm>

bool IntersectRect(SRect* out, const SRect& a, const SRect& b) {
    SRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) {
        *out = SRect{};
        return false;
    }
    *out = r;
    return true;
}

bool UnionRect(SRect* out, const SRect& a, const SRect& b) {
    if (a.IsEmpty()) {
        *out = b.IsEmpty() ? SRect{} : b;
        return !b.IsEmpty();
    }
    if (b.IsEmpty()) {
        *out = a;
        return true;
    }
    *out = SRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
    return true;
}

namespace {
// Moves wrap at the ends of the int range, as the system's own rectangle calls do,
// rather than overflow.
int32_t _WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
}  // namespace

void OffsetRect(SRect* rc, int32_t dx, int32_t dy) {
    rc->left = _WrapAdd(rc->left, dx);
    rc->right = _WrapAdd(rc->right, dx);
    rc->top = _WrapAdd(rc->top, dy);
    rc->bottom = _WrapAdd(rc->bottom, dy);
}
