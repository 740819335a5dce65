#pragma once
// The dirty-rectangle list of a frame buffer: the areas changed since the last
// presentation, so that only those are copied to the window.  It holds at most five
// rectangles; rectangles that touch or overlap merge at once, the fifth collapses the
// list to one covering rectangle, and when the held rectangles cover as much area as
// the clip rectangle the list stands for the whole clip rectangle.
#include <cstdint>

#include "platform/sys/Geometry.h"

class IUpdateRectList {
public:
    virtual ~IUpdateRectList() = default;
    // Empties the list, then puts a pending clip rectangle in force.
    virtual void Clear() = 0;
    virtual void AddRect(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void AddRect(SRect rect) = 0;
    virtual void AddRectSize(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual int GetCount() const = 0;
    // Record `index` (0..GetCount()-1); an index outside that gives an empty rectangle.
    virtual SRect GetRect(int index) const = 0;
    // Takes effect at the next Clear.
    virtual void SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual SRect GetClipRect() const = 0;
    virtual bool HasClipRect() const = 0;
};

class CUpdateRectList : public IUpdateRectList {
public:
    static constexpr int MAX_RECTS = 5;

    CUpdateRectList();
    ~CUpdateRectList() override = default;

    void Clear() override;
    void AddRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void AddRect(SRect rect) override { AddRect(rect.left, rect.top, rect.right, rect.bottom); }
    void AddRectSize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    int GetCount() const override { return m_Count; }
    SRect GetRect(int index) const override;
    void SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    SRect GetClipRect() const override { return m_Clip; }
    bool HasClipRect() const override { return m_HasClip; }

    // The list stands for the whole clip rectangle.
    bool IsWhole() const { return m_Whole; }

private:
    struct SRecord {
        SRect rect;
        uint64_t area = 0;  // 64 bits: the area of a large rectangle does not fit in 32
        bool removed = false;
    };

    void _ApplyPendingClip();
    void _MergeOverlapping();
    void _Compact();
    void _CollapseIfLarge();
    void _CollapseToBounds();
    void _Store(int slot, const SRect& rect);
    void _MergeInto(int into, int from);

    SRecord m_Records[MAX_RECTS];
    int m_Count = 0;
    bool m_Whole = false;
    bool m_HasClip = false;
    SRect m_Clip;
    uint64_t m_ClipArea = 0;
    bool m_ClipPending = false;
    SRect m_PendingClip;
};
