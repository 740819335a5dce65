#include "engine/soft/effect/SoftFx3Clip.h"

#include <algorithm>

#include "engine/base/Geometry.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/SoftBlt.h"

namespace {

// Points and sizes may lie anywhere in the 32-bit range; the arithmetic runs in 64 bits
// so that no sum overflows on the way.
struct SBlock64 {
    int64_t x, y;    // destination
    int64_t ax, ay;  // first source
    int64_t bx, by;  // second source
    int64_t w, h;
};

SBlock64 _MakeBlock(const SPoint& d, const SPoint& a, const SPoint& b, const SSize& s) {
    return SBlock64{d.x, d.y, a.x, a.y, b.x, b.y, s.cx, s.cy};
}

// Clip rectangle, then negative coordinates of each of the three points in turn.
void _ClipToRectAndOrigin(SBlock64& k, const SRect& clip) {
    if (k.x < clip.left) {
        const int64_t d = clip.left - k.x;
        k.ax += d;
        k.bx += d;
        k.w -= d;
        k.x = clip.left;
    }
    if (k.y < clip.top) {
        const int64_t d = clip.top - k.y;
        k.ay += d;
        k.by += d;
        k.h -= d;
        k.y = clip.top;
    }
    k.w = std::min(k.w, int64_t{clip.right} - k.x);
    k.h = std::min(k.h, int64_t{clip.bottom} - k.y);

    auto pull = [](int64_t& moved, int64_t& other1, int64_t& other2, int64_t& length) {
        if (moved < 0) {
            other1 -= moved;
            other2 -= moved;
            length += moved;
            moved = 0;
        }
    };
    pull(k.x, k.ax, k.bx, k.w);
    pull(k.ax, k.x, k.bx, k.w);
    pull(k.bx, k.x, k.ax, k.w);
    pull(k.y, k.ay, k.by, k.h);
    pull(k.ay, k.y, k.by, k.h);
    pull(k.by, k.y, k.ay, k.h);
}

bool _FitsInside(int64_t x, int64_t y, int64_t w, int64_t h, const SSize& s) {
    return x >= 0 && y >= 0 && x + w <= s.cx && y + h <= s.cy;
}

}  // namespace

bool SoftFx3ClipBlock(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, SPoint* dstPt, SPoint* src1Pt,
                      SPoint* src2Pt, SSize* size, const SRect* clip) {
    auto fail = [&]() {
        *dstPt = SPoint{};
        *src1Pt = SPoint{};
        *src2Pt = SPoint{};
        *size = SSize{};
        return false;
    };
    if (dst == nullptr || src1 == nullptr || src2 == nullptr || clip == nullptr) {
        return fail();
    }
    const SSize ds = dst->GetSize();
    const SSize s1 = src1->GetSize();
    const SSize s2 = src2->GetSize();
    if (clip->right < 0 || clip->bottom < 0) {
        return fail();
    }
    SBlock64 k = _MakeBlock(*dstPt, *src1Pt, *src2Pt, *size);
    _ClipToRectAndOrigin(k, *clip);
    k.w = std::min({k.w, int64_t{ds.cx} - k.x, int64_t{s1.cx} - k.ax, int64_t{s2.cx} - k.bx});
    k.h = std::min({k.h, int64_t{ds.cy} - k.y, int64_t{s1.cy} - k.ay, int64_t{s2.cy} - k.by});
    if (k.w < 1 || k.h < 1 || !_FitsInside(k.x, k.y, k.w, k.h, ds) || !_FitsInside(k.ax, k.ay, k.w, k.h, s1) ||
        !_FitsInside(k.bx, k.by, k.w, k.h, s2)) {
        return fail();
    }
    // Everything now lies inside surfaces whose sizes are 32-bit values.
    *dstPt = SPoint{static_cast<int32_t>(k.x), static_cast<int32_t>(k.y)};
    *src1Pt = SPoint{static_cast<int32_t>(k.ax), static_cast<int32_t>(k.ay)};
    *src2Pt = SPoint{static_cast<int32_t>(k.bx), static_cast<int32_t>(k.by)};
    *size = SSize{static_cast<int32_t>(k.w), static_cast<int32_t>(k.h)};
    return true;
}

SRect SoftFxPlaceRects3(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                        const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip) {
    if (dst == nullptr || src1 == nullptr || src2 == nullptr || dstPt == nullptr || src1Pt == nullptr ||
        src2Pt == nullptr || size == nullptr || clip == nullptr) {
        return SRect{};
    }
    const SSize ds = dst->GetSize();
    const SSize s1 = src1->GetSize();
    const SSize s2 = src2->GetSize();
    SBlock64 k = _MakeBlock(*dstPt, *src1Pt, *src2Pt, *size);
    _ClipToRectAndOrigin(k, *clip);
    k.w = std::min({k.w, int64_t{s1.cx} - k.ax, int64_t{s2.cx} - k.bx});
    k.h = std::min({k.h, int64_t{s1.cy} - k.ay, int64_t{s2.cy} - k.by});
    // Cut to the destination as well: nothing is ever written beyond it, and a
    // notification past its edge would only make receivers clip again.
    k.w = std::min(k.w, int64_t{ds.cx} - k.x);
    k.h = std::min(k.h, int64_t{ds.cy} - k.y);
    if (k.w < 1 || k.h < 1) {
        return SRect{};
    }
    return SRect{static_cast<int32_t>(k.x), static_cast<int32_t>(k.y), static_cast<int32_t>(k.x + k.w),
                 static_cast<int32_t>(k.y + k.h)};
}

SRect SoftFxPlaceRects3Alt(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                           const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip) {
    return SoftFxPlaceRects3(dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip);
}

namespace {

// Smaller left and top, larger right and bottom, whatever the part's size.
void _Join(SRect* acc, const SRect& part) {
    acc->left = std::min(acc->left, part.left);
    acc->top = std::min(acc->top, part.top);
    acc->right = std::max(acc->right, part.right);
    acc->bottom = std::max(acc->bottom, part.bottom);
}

}  // namespace

void SoftFxJoinRect(SRect* acc, const SRect& part) {
    if (!part.IsEmpty()) {
        _Join(acc, part);
    }
}

void SoftFxJoinLayerRect(SRect* acc, const SRect& part) { _Join(acc, part.IsEmpty() ? SRect{} : part); }

SRect SoftFxIntersectRect(const SRect& a, const SRect& b) {
    SRect r;
    IntersectRect(&r, a, b);
    return r;
}

namespace {

// The identity stands for "nothing joined"; it is never handed out, since its width
// does not fit a 32-bit value.
SRect _FinishUnion(const SRect& u) { return u == kSoftFx3UnionIdentity ? SRect{} : u; }

int32_t _Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

SRect SoftFx3BlockRect(const SPoint& p, const SSize& s) {
    return SRect{p.x, p.y, _Clamp32(int64_t{p.x} + s.cx), _Clamp32(int64_t{p.y} + s.cy)};
}

bool SoftFx3NarrowBlt(int64_t x, int64_t y, SRect64 rect, SPoint* point, SRect* narrowed) {
    // The near side: the point and the rectangle's near edge move on together until both
    // are inside the range.
    auto cutNear = [](int64_t& at, int64_t& edge) {
        const int64_t d = std::max({int64_t{0}, int64_t{INT32_MIN} - at, int64_t{INT32_MIN} - edge});
        at += d;
        edge += d;
    };
    cutNear(x, rect.left);
    cutNear(y, rect.top);
    rect.right = std::min<int64_t>(rect.right, INT32_MAX);
    rect.bottom = std::min<int64_t>(rect.bottom, INT32_MAX);
    if (x > INT32_MAX || y > INT32_MAX || rect.left >= rect.right || rect.top >= rect.bottom) {
        return false;
    }
    *point = SPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    *narrowed = SRect{static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top),
                      static_cast<int32_t>(rect.right), static_cast<int32_t>(rect.bottom)};
    return true;
}

SRect SoftFxUnionPlacedRects(CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt, const SPoint* dst2Pt,
                             const SSize* size1, const SSize* size2) {
    SRect u = kSoftFx3UnionIdentity;
    if (src1 != nullptr && dst1Pt != nullptr && size1 != nullptr) {
        _Join(&u, SoftFx3BlockRect(*dst1Pt, *size1));
    }
    if (src2 != nullptr && dst2Pt != nullptr && size2 != nullptr) {
        _Join(&u, SoftFx3BlockRect(*dst2Pt, *size2));
    }
    return _FinishUnion(u);
}

SRect SoftFxUnionBltRects(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt,
                          const SPoint* dst2Pt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size1,
                          const SSize* size2, const SRect* clip) {
    if (dst == nullptr || clip == nullptr) {
        return SRect{};
    }
    SRect u = kSoftFx3UnionIdentity;
    if (src1 != nullptr && dst1Pt != nullptr && src1Pt != nullptr && size1 != nullptr) {
        const SRect block = SoftFx3BlockRect(*src1Pt, *size1);
        SRect part{};
        ClipBltRectsEx(&part, dst, src1, dst1Pt, &block, clip);
        SoftFxJoinLayerRect(&u, part);
    }
    if (src2 != nullptr && dst2Pt != nullptr && src2Pt != nullptr && size2 != nullptr) {
        const SRect block = SoftFx3BlockRect(*src2Pt, *size2);
        SRect part{};
        ClipBltRectsEx(&part, dst, src2, dst2Pt, &block, clip);
        SoftFxJoinLayerRect(&u, part);
    }
    return _FinishUnion(u);
}

SRect SoftFxUnionBltRectsAlt(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dst1Pt,
                             const SPoint* dst2Pt, const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size1,
                             const SSize* size2, const SRect* clip) {
    return SoftFxUnionBltRects(dst, src1, src2, dst1Pt, dst2Pt, src1Pt, src2Pt, size1, size2, clip);
}

void SoftSurfaceBltClipped(CSoftSurface* dst, CSoftSurface* src, int x, int y, const SRect& sourceRect,
                       const SRect& clip, int opacity) {
    auto accepted = [](const SRect& r) { return r.right >= 0 && r.bottom >= 0 && r.right > r.left && r.bottom > r.top; };
    if (dst == nullptr || src == nullptr || !accepted(sourceRect) || !accepted(clip)) {
        return;
    }
    const SPoint point{x, y};
    dst->Blt(src, &point, &sourceRect, &clip, opacity, 0);
}
