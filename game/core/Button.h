#pragma once
// A clickable widget drawn from one cell sheet: one cell per look, in the order
// 0 normal, 1 pointer over, 2 checked, 3 checked and pointer over, 4 locked.
//
// Three kinds are made from it: radio (the default: a checked button ignores the
// pointer), toggle (SetReactWhenChecked) and momentary (SetMomentary: a checked
// button releases itself after its release delay, counted by Step).
//
// Once a frame the owner feeds it the pointer with Update and then calls Step; the
// one-frame events (hover began, became checked, became unchecked) describe that
// frame.  A hidden or disabled button is not hit and reports nothing.
#include <array>
#include <cstdint>

#include "engine/base/Matrix.h"
#include "engine/draw/CellImage.h"
#include "platform/sys/Geometry.h"

class CImagePlane;

class CButton {
public:
    static constexpr int kLookCount = 5;
    enum ELook { LOOK_NORMAL = 0, LOOK_HOVER = 1, LOOK_CHECKED = 2, LOOK_CHECKED_HOVER = 3, LOOK_LOCKED = 4 };
    static constexpr int32_t kDefaultReleaseDelay = 4;

    struct SCell {
        int32_t column = 0;
        int32_t row = -1;  // -1: the look draws nothing
    };

    CButton() = default;
    virtual ~CButton() = default;

    // Sets the picture (not owned) cut into columns × rows cells and the cells of the five
    // looks; clears the state (checked, locked, hover, events) and places the button at
    // (0, 0).  The react and momentary switches stay as they were set.  False (and the
    // button without a picture) for a picture that cannot be cut so.
    bool Setup(CImagePlane* picture, int32_t columns, int32_t rows, const std::array<SCell, kLookCount>& cells);
    // The usual sheet: column `column`, rows 0 to 4 for the five looks.
    bool SetupColumn(CImagePlane* picture, int32_t columns, int32_t rows, int32_t column);

    // Hit rectangle = the position plus the cell size.
    void SetPosition(int32_t x, int32_t y);
    SPoint GetPosition() const { return m_Position; }
    void SetHitRect(const SRect& rect) { m_HitRect = rect; }
    const SRect& GetHitRect() const { return m_HitRect; }
    // Where the button is drawn: the position plus the cell size.
    SRect GetRect() const;

    void SetReactWhenUnchecked(bool on) { m_ReactWhenUnchecked = on; }
    void SetReactWhenChecked(bool on) { m_ReactWhenChecked = on; }
    void SetMomentary(bool on) { m_Momentary = on; }
    void SetReleaseDelay(int32_t frames) { m_ReleaseDelay = frames < 1 ? 1 : frames; }

    // The frame's pointer: (x, y) in client pixels and whether decide was pressed this
    // frame; (-1, -1, false) for none.
    virtual void Update(int32_t x, int32_t y, bool decide);
    // Per frame after Update: a checked momentary button counts its release delay and
    // then unchecks itself (became-unchecked is then raised).
    virtual void Step();
    // The same frame in the other pair of calls: SetCursor hands over the pointer (what
    // Update with a pointer does), then Update() runs the frame's step.
    void SetCursor(int32_t x, int32_t y, bool decide) { Update(x, y, decide); }
    void Update() { Step(); }
    // The cell of the current look, transformed by the matrix (applied to the button
    // placed at its position).
    virtual void Draw(uint32_t colour, const CMatrix4& matrix);
    void DrawPlain(uint32_t colour = 0xFFFFFFFFu);
    // Re-applies picture and cells after a device reset (the planes rebuild their own textures).
    virtual void Restore();
    // Drops the picture and puts every switch and flag back to its first state.
    virtual void Reset();

    bool HasImage() const { return m_Picture != nullptr; }
    void SetChecked();
    void SetUnchecked();
    bool IsChecked() const { return m_Checked; }
    // Only with a picture; a locked button keeps checked or unchecked.
    void Lock();
    bool IsLocked() const { return m_Locked; }

    // Shown buttons are drawn and hit; enabled ones are hit (disabled ones draw the
    // locked look).  Both on by default.
    void SetVisible(bool on);
    bool IsVisible() const { return m_Visible; }
    void Enable() { m_Enabled = true; }
    void Disable();
    bool IsEnabled() const { return m_Enabled; }

    // Two on/off display options, both on at first (and after Reset); they change only
    // how the button looks, never what it does.  Option 0: the highlight, the fade-in of
    // the pointer-over look (CImageButton; off shows that look at once).  Option 1: the
    // pointer-over looks at all (off draws the normal or checked look under the pointer).
    enum EDisplayOption { OPTION_HIGHLIGHT = 0, OPTION_HOVER_LOOK = 1, kDisplayOptionCount = 2 };
    void SetDisplayOption(int option, bool on);
    bool IsDisplayOptionOn(int option) const;

    // The pointer is on it and it can react in its state.
    bool IsHover() const;
    // The pointer is on it (whatever its state; false while hidden, disabled or locked).
    bool IsPointerOver() const { return m_Hover && _IsLive() && !m_Locked; }
    bool IsMomentary() const { return m_Momentary; }
    bool HoverBegan() const { return m_HoverBegan; }
    bool BecameChecked() const { return m_BecameChecked; }
    bool BecameUnchecked() const { return m_BecameUnchecked; }
    // Pointed at in the last update: the pointer came onto it, or a press came with the
    // pointer.  A press checks the button before its hover counts, and a button that the
    // press made checked may take no pointer, so a tap (move and press in one frame)
    // raises no hover-began: a screen that answers pointing asks this.
    bool PointedOrPressed() const { return m_HoverBegan || m_BecameChecked; }
    // A click took effect this frame (either way).
    bool IsClicked() const { return m_BecameChecked || (m_BecameUnchecked && m_ClickedOff); }

    int GetCurrentLook() const;
    const CCellImage& GetCells() const { return m_Cells; }

protected:
    bool _IsLive() const { return m_Picture && m_Visible && m_Enabled; }
    // Whether the button takes the pointer in its present state.
    bool _AcceptsPointer() const;
    bool _DrawLook(int look, int32_t x, int32_t y, uint32_t colour, const CMatrix4& matrix);
    void _ClearEvents();

private:
    bool _Contains(int32_t x, int32_t y) const;

    CImagePlane* m_Picture = nullptr;
    int32_t m_Columns = 0;
    int32_t m_Rows = 0;
    std::array<SCell, kLookCount> m_Looks{};
    CCellImage m_Cells;
    SPoint m_Position;
    SRect m_HitRect;

    bool m_ReactWhenUnchecked = true;
    bool m_ReactWhenChecked = false;
    bool m_Momentary = false;
    int32_t m_ReleaseDelay = kDefaultReleaseDelay;
    int32_t m_ReleaseCount = 0;
    bool m_Checked = false;
    bool m_Locked = false;
    bool m_Hover = false;
    bool m_Visible = true;
    bool m_Enabled = true;
    bool m_HoverBegan = false;
    bool m_BecameChecked = false;
    bool m_BecameUnchecked = false;
    bool m_ClickedOff = false;
    std::array<bool, kDisplayOptionCount> m_DisplayOptions{true, true};
};
