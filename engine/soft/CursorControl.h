#pragma once
// The software cursor of the GDI window screen: drawn into the frame buffer for the
// time of a copy to the window and taken out again.
//
// Its picture is sys\cursor.png (or sys\cursor.bmp) when the game data has one, green
// 0x00FF00 being transparent and an alpha plane used when the picture has one;
// otherwise a plain black-edged white arrow of 12 × 19 pixels made here.  The hot spot
// is the picture's top-left pixel (the arrow's tip), so the cursor rectangle is
// (mouse x, mouse y, width, height).
//
// It is visible whenever it has a picture: the GDI window screen then draws it at the
// pointer in a framed window and in full screen alike, and hides the system's pointer
// over the window.
#include <cstdint>

#include "engine/soft/SoftSurfaceProxy.h"

class CCursorControl {
public:
    static constexpr int32_t kArrowWidth = 12;
    static constexpr int32_t kArrowHeight = 19;

    CCursorControl();
    ~CCursorControl();
    CCursorControl(const CCursorControl&) = delete;
    CCursorControl& operator=(const CCursorControl&) = delete;

    // A picture is present.
    bool IsVisible() const;
    void GetSize(int32_t* width, int32_t* height) const;
    // Draws the cursor with its hot spot at (x, y) into the surface, keeping what lay
    // under it (a cursor still drawn is taken out first).  Nothing when not visible.
    void DrawTo(CSoftSurface* surface, int32_t x, int32_t y);
    // Puts back what lay under the drawn cursor; nothing when it is not drawn.
    void RestoreUnder(CSoftSurface* surface);
    bool IsDrawn() const { return m_Drawn; }
    // The area of the surface the drawn cursor covers (clipped), empty when not drawn.
    SRect GetDrawnRect() const { return m_Drawn ? m_UnderRect : SRect{}; }
    // True when the picture comes from the game data.
    bool IsFromFile() const { return m_FromFile; }

private:
    bool _PrepareImage(int depth);
    void _MakeArrow(int depth);

    CSoftSurfaceProxy m_Image{nullptr};
    CSoftSurfaceProxy m_Under{nullptr};
    const char* m_File = nullptr;
    bool m_FromFile = false;
    int32_t m_Width = kArrowWidth;
    int32_t m_Height = kArrowHeight;
    bool m_Drawn = false;
    SRect m_UnderRect;
    CSoftSurface* m_DrawnOn = nullptr;
};
