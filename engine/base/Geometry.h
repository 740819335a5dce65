#pragma once
// Rectangle helpers over the platform's signed 32-bit rectangle.
#include "platform/sys/Geometry.h"

// True when left ≤ x < right and top ≤ y < bottom.
inline bool IsPointInRect(const SRect& rc, const SPoint& pt) {
    return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}

inline SRect MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return SRect{left, top, right, bottom};
}

// The common part of two rectangles; false (and `out` emptied) when they do not meet.
bool IntersectRect(SRect* out, const SRect& a, const SRect& b);
// The smallest rectangle holding both; an empty rectangle adds nothing.
bool UnionRect(SRect* out, const SRect& a, const SRect& b);
void OffsetRect(SRect* rc, int32_t dx, int32_t dy);
