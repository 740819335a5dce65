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

void OffsetRect(SRect* rc, int32_t dx, int32_t dy) {
    rc->left += dx;
    rc->right += dx;
    rc->top += dy;
    rc->bottom += dy;
}
