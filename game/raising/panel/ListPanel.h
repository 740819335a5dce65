#pragma once
// The choice panel of the raising game's action menus: a background that grows out of
// one of its corners, up to ten image items on it, a back button (index -1) and up to
// two small numbers of digit cells.  SetupPanelImages fills it with one of 22 fixed
// layouts (ListPanelLayouts.cpp); closing keeps the pictures, so a panel opens again
// with the same layout.  The owner feeds it the pointer each frame and reads the
// events; the panel decides nothing about the choice.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/raising/panel/PanelState.h"
#include "game/core/ImageWidget.h"
#include "platform/sys/Geometry.h"

class CListPanel : public CPanelState {
public:
    static constexpr int kItemCount = 10;
    static constexpr int kBack = -1;
    static constexpr int kLayoutCount = 22;
    static constexpr int kSteps = 20;
    enum EAnchor { ANCHOR_TOP_LEFT = 0, ANCHOR_BOTTOM_LEFT = 1, ANCHOR_TOP_RIGHT = 2, ANCHOR_BOTTOM_RIGHT = 3 };
    // Flag bytes of a number display.
    enum { NUMBER_SHOWN = 0, NUMBER_TWO_DIGITS = 1 };

    struct SNumber {
        int32_t value = 0;
        std::array<uint8_t, 10> flags{};
        std::array<SPoint, 10> pos{};
    };

    CListPanel() = default;
    ~CListPanel() override;
    CListPanel(const CListPanel&) = delete;
    CListPanel& operator=(const CListPanel&) = delete;

    // Releases the panel and fills it with a layout (0 to 21), its items removed or
    // locked by the running game's status.  Another value leaves it empty.  True always.
    bool SetupPanelImages(int32_t layout);

    void Open();
    void Close();
    // Open at once, every item at its home position.
    void SetOpen();
    // Closed, every picture released, numbers hidden (values, places, layout and anchor kept).
    void Release();
    int32_t GetType() const { return m_Type; }
    int32_t GetAnchor() const { return m_Anchor; }

    // The frame's pointer, given only while open, to the first hovered item in order
    // (items without picture skipped), then the back button.
    void SetCursor(int32_t x, int32_t y, bool decide);
    // i = 0..9, or -1 for the back button (false for another index).
    bool HoverBegan(int i) const;
    bool BecameChecked(int i) const;
    // HoverBegan or BecameChecked: pointed at, by a tap too (CButton::PointedOrPressed).
    bool PointedOrPressed(int i) const { return HoverBegan(i) || BecameChecked(i); }

    // Whether Draw shows the back button.  An owner that opens a second panel over this
    // one, which then takes no pointer, leaves its back button out, so that the one
    // BACK on the screen is the one that answers.
    void SetBackShown(bool shown) { m_BackShown = shown; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Item i (0..9) or the back button (-1); null for another index.
    CImageButton* GetItem(int i);
    const SNumber& GetNumber(int n) const { return n == 0 ? m_NumberA : m_NumberB; }
    SPoint GetItemHome(int i) const;
    int32_t GetAlpha() const { return m_Alpha.GetValue(); }
    int32_t GetScaleX() const { return m_ScaleX.GetValue(); }
    int32_t GetScaleY() const { return m_ScaleY.GetValue(); }
    SPoint GetPosition() const { return SPoint{m_X, m_Y}; }

private:
    // The matrix that scales a part whose home corner is (u, v) about the pivot corner.
    CMatrix4 _PartMatrix(int32_t u, int32_t v, float sx, float sy) const;
    // Open: cells at their places; moving: scaled with the panel, never faded.
    void _DrawDigits(const SNumber& number, bool moving, float sx, float sy);
    void _ApplyRules(int32_t layout);

    int32_t m_Type = 0;
    int32_t m_Anchor = ANCHOR_TOP_LEFT;
    CImagePlane m_Background;
    std::array<CImageWidget, kItemCount> m_Items;
    CImagePlane m_ItemSheet;
    CImagePlane m_ItemSheet2;
    CImageButton m_BackButton;
    CImagePlane m_BackSheet;
    int32_t m_X = 0;
    int32_t m_Y = 0;
    std::array<SPoint, kItemCount> m_ItemPos{};
    SPoint m_BackPos{};
    bool m_BackShown = true;
    SNumber m_NumberA;
    SNumber m_NumberB;
    CImagePlane m_DigitSheet;
    CCellImage m_Digits;
    CCounterLinear m_Alpha;
    CCounterAccel m_ScaleX;
    CCounterAccel m_ScaleY;
};
