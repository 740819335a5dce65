#include "engine/soft/screen/DirtyRectList.h"

#include <algorithm>

#include "engine/base/Log.h"

namespace {

// Areas in 64 unsigned bits: the widest rectangle's area, (2^32 - 1)^2, still fits.
// An empty or inverted rectangle has no area.
uint64_t _Area(const SRect& r) {
    const int64_t w = static_cast<int64_t>(r.right) - r.left;
    const int64_t h = static_cast<int64_t>(r.bottom) - r.top;
    if (w <= 0 || h <= 0) return 0;
    return static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
}

// Rectangles that only share an edge or a corner count as touching.
bool _Touch(const SRect& a, const SRect& b) {
    return b.left <= a.right && a.left <= b.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

CUpdateRectList::CUpdateRectList() { _ApplyPendingClip(); }

void CUpdateRectList::Clear() {
    m_Count = 0;
    m_Whole = false;
    for (SRecord& r : m_Records) r = SRecord{};
    _ApplyPendingClip();
}

void CUpdateRectList::_ApplyPendingClip() {
    if (!m_ClipPending) return;
    m_Clip = m_PendingClip;
    m_ClipPending = false;
    m_HasClip = true;
    m_ClipArea = _Area(m_Clip);
}

void CUpdateRectList::SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    m_PendingClip = SRect{left, top, right, bottom};
    m_ClipPending = true;
}

void CUpdateRectList::AddRectSize(int32_t x, int32_t y, int32_t width, int32_t height) {
    // Wrapping sums would turn a far rectangle into a wrong one: saturate instead.
    const int64_t right = std::clamp<int64_t>(static_cast<int64_t>(x) + width, INT32_MIN, INT32_MAX);
    const int64_t bottom = std::clamp<int64_t>(static_cast<int64_t>(y) + height, INT32_MIN, INT32_MAX);
    AddRect(x, y, static_cast<int32_t>(right), static_cast<int32_t>(bottom));
}

SRect CUpdateRectList::GetRect(int index) const {
    if (index < 0 || index >= m_Count) {
        DebugPrintf("CUpdateRectList::GetRect() 番号が範囲外です[index:%d][count:%d]", index, m_Count);
        return SRect{};
    }
    return m_Records[index].rect;
}

void CUpdateRectList::_Store(int slot, const SRect& rect) {
    m_Records[slot].rect = rect;
    m_Records[slot].area = _Area(rect);
    m_Records[slot].removed = false;
}

void CUpdateRectList::AddRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (m_Whole) return;
    if (m_HasClip) {
        left = std::max(left, m_Clip.left);
        top = std::max(top, m_Clip.top);
        right = std::min(right, m_Clip.right);
        bottom = std::min(bottom, m_Clip.bottom);
    }
    if (right <= left || bottom <= top) return;
    const SRect rect{left, top, right, bottom};
    if (m_Count == 0) {
        _Store(0, rect);
        m_Count = 1;
        _CollapseIfLarge();
        return;
    }
    for (int i = 0; i < m_Count; ++i) {
        const SRect& r = m_Records[i].rect;
        if (r.left <= left && r.top <= top && r.right >= right && r.bottom >= bottom) return;
    }
    _Store(m_Count, rect);
    ++m_Count;
    if (m_Count < MAX_RECTS) {
        _MergeOverlapping();
    } else {
        _CollapseToBounds();
        _MergeOverlapping();
    }
}

void CUpdateRectList::_MergeInto(int into, int from) {
    SRect& a = m_Records[into].rect;
    const SRect& b = m_Records[from].rect;
    a.left = std::min(a.left, b.left);
    a.top = std::min(a.top, b.top);
    a.right = std::max(a.right, b.right);
    a.bottom = std::max(a.bottom, b.bottom);
    m_Records[into].area = _Area(a);
    m_Records[from].removed = true;
}

void CUpdateRectList::_MergeOverlapping() {
    if (m_Whole) return;
    if (m_Count == 0) {
        _Compact();
        _CollapseIfLarge();
        return;
    }
    for (int i = 0; i < m_Count; ++i) {
        if (m_Records[i].removed) continue;
        for (int j = i + 1; j < m_Count; ++j) {
            if (m_Records[j].removed || !_Touch(m_Records[i].rect, m_Records[j].rect)) continue;
            _MergeInto(i, j);
            // The grown rectangle may now reach others: absorb them until none is left.
            bool found = true;
            while (found) {
                found = false;
                for (int k = 0; k < m_Count; ++k) {
                    if (k == i || k == j || m_Records[k].removed) continue;
                    if (_Touch(m_Records[i].rect, m_Records[k].rect)) {
                        _MergeInto(i, k);
                        found = true;
                        break;
                    }
                }
            }
        }
    }
    _Compact();
    _CollapseIfLarge();
}

void CUpdateRectList::_Compact() {
    if (m_Whole || m_Count == 0) return;
    bool any = false;
    for (int i = 0; i < m_Count; ++i) any = any || m_Records[i].removed;
    if (!any) return;
    int n = 0;
    for (int i = 0; i < m_Count; ++i) {
        if (!m_Records[i].removed) m_Records[n++] = m_Records[i];
    }
    m_Count = n;
    for (SRecord& r : m_Records) r.removed = false;
}

void CUpdateRectList::_CollapseIfLarge() {
    if (!m_HasClip) return;
    uint64_t sum = 0;
    for (int i = 0; i < m_Count; ++i) {
        const uint64_t a = m_Records[i].area;
        sum = sum > UINT64_MAX - a ? UINT64_MAX : sum + a;
    }
    if (m_Count > 0 && sum >= m_ClipArea) {
        m_Whole = true;
        m_Count = 1;
        _Store(0, m_Clip);
    }
}

void CUpdateRectList::_CollapseToBounds() {
    if (m_HasClip) {
        m_Whole = true;
        m_Count = 1;
        _Store(0, m_Clip);
        return;
    }
    if (m_Count <= 0 || m_Whole) return;
    SRect bounds = m_Records[0].rect;
    for (int i = 1; i < m_Count; ++i) {
        const SRect& r = m_Records[i].rect;
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    Clear();
    _Store(0, bounds);
    m_Count = 1;
}
